// What the window remembers for its user between runs: the options, the thinking time or depth,
// its size and place, and the folder of the last game or library file. The developer options
// and the weights are not remembered: they are for one session only.
#include <QSettings>

#include "ui/main_window.h"
#include "ui/options_tab.h"
#include "ui/program_files.h"

namespace quarne {
namespace {

const QString kGeometrie = "Fenster/Geometrie";
const QString kOrdner = "Dateien/LetzterOrdner";

}  // namespace

void TQuarneForm::SetzeNutzerEinstellungen(std::unique_ptr<QSettings> einstellungen) {
  nutzer_ = std::move(einstellungen);
  LadeNutzerEinstellungen();
}

void TQuarneForm::LadeNutzerEinstellungen() {
  QSettings& s = *nutzer_;
  optionen_->Lade(s);
  Denkweise d = AktuelleDenkweise();
  d.voll = s.value(OptionSchluessel("CBVoll"), d.voll).toBool();
  d.auswahl = s.value(OptionSchluessel("AutoGroup"), d.auswahl).toInt();
  d.tiefe = s.value(OptionSchluessel("TiefeSE1"), d.tiefe).toInt();
  SetzeDenkweise(d);
  ordner_.SetzeLetzter(s.value(kOrdner).toString());
  if (const QVariant v = s.value(kGeometrie); v.isValid()) restoreGeometry(v.toByteArray());
}

void TQuarneForm::SpeichereNutzerEinstellungen() {
  if (!nutzer_) return;
  QSettings& s = *nutzer_;
  optionen_->Speichere(s);
  // An analysis's settings are the analysis's, not the user's.
  const Denkweise d = vorAnalyse_.value_or(AktuelleDenkweise());
  s.setValue(OptionSchluessel("CBVoll"), d.voll);
  s.setValue(OptionSchluessel("AutoGroup"), d.auswahl);
  s.setValue(OptionSchluessel("TiefeSE1"), d.tiefe);
  s.setValue(kOrdner, ordner_.Letzter());
  s.setValue(kGeometrie, saveGeometry());
  s.sync();
}

}  // namespace quarne
