// What the window remembers for its user between runs: the options, the thinking time or depth,
// its size and place, and the folder of the last game or library file. The developer options
// and the weights are not remembered: they are for one session only.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QSettings>
#include <QSpinBox>

#include "ui/main_window.h"
#include "ui/program_files.h"

namespace quarne {
namespace {

const QString kOptionen = "Optionen/";
const QString kGeometrie = "Fenster/Geometrie";
const QString kOrdner = "Dateien/LetzterOrdner";

}  // namespace

void TQuarneForm::SetzeNutzerEinstellungen(std::unique_ptr<QSettings> einstellungen) {
  nutzer_ = std::move(einstellungen);
  LadeNutzerEinstellungen();
}

void TQuarneForm::LadeNutzerEinstellungen() {
  QSettings& s = *nutzer_;
  for (QCheckBox* c : {CBAuto, TonCB, NotationCB, HolzCB, SpVsSpCB, CBUseBib, CBBibDenkTiefe}) {
    const QVariant v = s.value(kOptionen + c->objectName());
    if (v.isValid()) c->setChecked(v.toBool());
  }
  if (const QVariant v = s.value(kOptionen + BibSE->objectName()); v.isValid())
    BibSE->setValue(v.toInt());
  if (const QVariant v = s.value(kOptionen + RemisGroup.box->objectName()); v.isValid())
    RemisGroup.SetzeIndex(v.toInt());
  Denkweise d = AktuelleDenkweise();
  d.voll = s.value(kOptionen + CBVoll->objectName(), d.voll).toBool();
  d.auswahl = s.value(kOptionen + AutoGroup.box->objectName(), d.auswahl).toInt();
  d.tiefe = s.value(kOptionen + TiefeSE1->objectName(), d.tiefe).toInt();
  SetzeDenkweise(d);
  letzterOrdner_ = s.value(kOrdner).toString();
  if (const QVariant v = s.value(kGeometrie); v.isValid()) restoreGeometry(v.toByteArray());
}

// The thread options depend on the machine's processors, known only once the workers exist.
void TQuarneForm::LadeThreadEinstellungen() {
  if (!nutzer_ || !CPURadio.box->isEnabled()) return;
  const QSettings& s = *nutzer_;
  if (const QVariant v = s.value(kOptionen + CPUSPE->objectName()); v.isValid())
    CPUSPE->setValue(v.toInt());
  if (const QVariant v = s.value(kOptionen + CPURadio.box->objectName()); v.isValid())
    CPURadio.SetzeIndex(v.toInt());
}

void TQuarneForm::SpeichereNutzerEinstellungen() {
  if (!nutzer_) return;
  QSettings& s = *nutzer_;
  for (QCheckBox* c : {CBAuto, TonCB, NotationCB, HolzCB, SpVsSpCB, CBUseBib, CBBibDenkTiefe})
    s.setValue(kOptionen + c->objectName(), c->isChecked());
  s.setValue(kOptionen + BibSE->objectName(), BibSE->value());
  s.setValue(kOptionen + RemisGroup.box->objectName(), RemisGroup.Index());
  // An analysis's settings are the analysis's, not the user's.
  const Denkweise d = vorAnalyse_.value_or(AktuelleDenkweise());
  s.setValue(kOptionen + CBVoll->objectName(), d.voll);
  s.setValue(kOptionen + AutoGroup.box->objectName(), d.auswahl);
  s.setValue(kOptionen + TiefeSE1->objectName(), d.tiefe);
  if (CPURadio.box->isEnabled()) {
    s.setValue(kOptionen + CPURadio.box->objectName(), CPURadio.Index());
    s.setValue(kOptionen + CPUSPE->objectName(), CPUSPE->value());
  }
  s.setValue(kOrdner, letzterOrdner_);
  s.setValue(kGeometrie, saveGeometry());
  s.sync();
}

QString TQuarneForm::DialogOrdner() const {
  if (!letzterOrdner_.isEmpty() && QDir(letzterOrdner_).exists()) return letzterOrdner_;
  return dateien_.DialogOrdner();
}

void TQuarneForm::MerkeOrdner(const QString& datei) {
  letzterOrdner_ = QFileInfo(datei).absolutePath();
}

}  // namespace quarne
