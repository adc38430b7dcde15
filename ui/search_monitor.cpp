#include "ui/search_monitor.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include "engine/values.h"
#include "ui/controls.h"
#include "ui/design.h"
#include "ui/dialogs.h"
#include "ui/evaluation_table.h"
#include "ui/main_window.h"
#include "ui/timers.h"

namespace quarne {
int Bewertete(const TStep& s) {
  int n = 0;
  for (int i = 1; i <= s.ZuegeAnzahl; ++i) n += s.Zuege[i].BEWERTET || s.Zuege[i].Canceld;
  return n;
}

QString MitTausendern(double wert) {
  return QLocale().toString(wert, 'f', 0);
}

QString ZeitText(std::int64_t ms) {
  const std::int64_t s = ms / 1000;
  const std::int64_t h = s / 3600, m = (s - 3600 * h) / 60, sek = s - 3600 * h - 60 * m;
  return QString("%1h%2m%3s").arg(h).arg(m).arg(sek);
}

SuchAnzeige::SuchAnzeige(TQuarneForm& form, DialogDienst& dialoge)
    : form_(form), dialoge_(dialoge) {
  uhr_.start();
}

std::int64_t SuchAnzeige::Vergangen() {
  return JetztMs() - form_.SuchTimer->StartTime;
}

void SuchAnzeige::ZeigeFortschritt(bool zeigen, int tiefe, int d) {
  if (!zeigen) {
    for (QLineEdit* e : {form_.TiefeEdit, form_.ZugNrEdit, form_.ZeitEdit}) e->setText("---");
    return;
  }
  const TStep& w = form_.suche->Steps[1];
  form_.TiefeEdit->setText(QString("%1 / %2").arg(std::min(d, tiefe)).arg(tiefe));
  form_.ZugNrEdit->setText(QString("%1 / %2").arg(Bewertete(w)).arg(w.ZuegeAnzahl));
  form_.ZeitEdit->setText(ZeitText(Vergangen()));
}

void SuchAnzeige::ZeigeBewertung() {
  const TStep& m = form_.suche->MemStep;
  form_.MemStepTabelleW->ZeigeBewertung();
  const int n = Bewertete(m);
  form_.PrgrBarTab->setValue(n);
  form_.PrgrBarTab->setMaximum(m.ZuegeAnzahl);
  form_.AnzDZuegeLbl->setText(
      QString("Anzahl der bewerteten Züge: %1 / %2").arg(n).arg(m.ZuegeAnzahl));
  // The label stands free on its tab: it grows with its text, or the last digits are cut.
  form_.AnzDZuegeLbl->adjustSize();
  const std::int64_t t = Vergangen();
  form_.DenkzeitEdit->setText(ZeitText(t));
  const std::int64_t gesamt = form_.ht->GenZuegeGesamt();
  form_.BerZuegeEd->setText(MitTausendern(static_cast<double>(gesamt)));
  form_.ZPrS->setText(t > 0 ? MitTausendern(static_cast<double>(gesamt) / t * 1000) : "---");
}

void SuchAnzeige::ZeigeDenkzeit() {
  form_.DenktiefeLab_->setText(
      QString("Computer Denkzeit: %1 Sek.").arg(form_.einst.DenkzeitSekunden()));
}

void SuchAnzeige::VerbergeTabelle() {
  form_.MemStepTabelleW->VerbergeTabelle();
  form_.AnzDZuegeLbl->hide();
}

void SuchAnzeige::ZeigeTabelle() {
  if (!form_.MemStepTabelleW->isHidden()) return;
  form_.MemStepTabelleW->ZeigeTabelle(form_.suche->Steps[1]);
  form_.PrgrBarTab->setMaximum(form_.suche->MemStep.ZuegeAnzahl);
  form_.PrgrBarTab->show();
  form_.DenkzeitEdit->setText("---");
  form_.AnzDZuegeLbl->show();
}

void SuchAnzeige::POnTimer() {
  QWidget* panel = form_.spiel->ComputerFarbe == clWeiss ? form_.PanelWBlink : form_.PanelSBlink;
  SetzeFarbe(panel, panel->palette().color(QPalette::Window) == kGelb ? kSilber : kGelb);
  form_.suche->MemStep = form_.suche->Steps[1];
  SortRoutine(form_.suche->MemStep, form_.einst, *this);
  ZeigeBewertung();
}

void SuchAnzeige::Meldung(std::string_view text) {
  dialoge_.ShowMessagePos(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void SuchAnzeige::VerarbeiteEreignisse() {
  QCoreApplication::processEvents();
}

void SuchAnzeige::SucheGestartet() {
  VerbergeTabelle();
  form_.SuchTimer->StartTime = form_.suche->StartZeit;
  form_.SuchTimer->start();
}

void SuchAnzeige::SucheBeendet() {
  const TStep& w = form_.suche->Steps[1];
  ZeigeFortschritt(true, w.STDenkTiefe, w.STStepMax);
  ZeigeBewertung();
  form_.SuchTimer->stop();
}

void SuchAnzeige::Aktivitaetspunkt() {
  const QString t = form_.PrgrLab->text();
  form_.PrgrLab->setText(t.size() >= 40 ? "." : t + ".");
}

void SuchAnzeige::Wartemarke() {
  form_.PrgrLab->setText(form_.PrgrLab->text() + "|");
}

void SuchAnzeige::ZeigeRestDenkzeit(std::int64_t sekunden) {
  form_.DenktiefeLab_->setText(QString("Computer Denkzeit: %1 Sek.").arg(sekunden));
}

void SuchAnzeige::VerbergeEinstellungsTabs() {
  for (QWidget* t : {form_.TabEinstellung, form_.SetTabSheet, form_.Balance_})
    form_.PageControl->setTabVisible(form_.PageControl->indexOf(t), false);
}

void SuchAnzeige::ZeigeEinstellungsTabs() {
  for (QWidget* t : {form_.TabEinstellung, form_.SetTabSheet})
    form_.PageControl->setTabVisible(form_.PageControl->indexOf(t), true);
  form_.PageControl->setTabVisible(form_.PageControl->indexOf(form_.Balance_), false);
}

void SuchAnzeige::AktiviereZiehB() {
  form_.ZiehB->setEnabled(true);
}

}  // namespace quarne
