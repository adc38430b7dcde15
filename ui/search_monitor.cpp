#include "ui/search_monitor.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTabWidget>

#include "engine/search.h"
#include "engine/values.h"
#include "game/game_record.h"
#include "parallel/driver.h"
#include "ui/dialogs.h"
#include "ui/evaluation_tab.h"
#include "ui/main_tab.h"

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

SuchAnzeige::SuchAnzeige(const Einstellungen& einst, const Spielstand& spiel, DialogDienst& dialoge)
    : einst_(einst), spiel_(spiel), dialoge_(dialoge) {
  uhr_.start();
  SuchTimer.setInterval(500);
  QObject::connect(&SuchTimer, &QTimer::timeout, [this] { POnTimer(); });
}

void SuchAnzeige::SetzeSuche(Suche& suche, const HTSuche& ht) {
  suche_ = &suche;
  ht_ = &ht;
}

void SuchAnzeige::SetzeTabs(HauptTab& haupt, BewertungTab& bewertung, QTabWidget& seiten,
                            const std::array<QWidget*, 3>& einstellungsTabs) {
  haupt_ = &haupt;
  bewertung_ = &bewertung;
  seiten_ = &seiten;
  einstellungsTabs_ = einstellungsTabs;
}

std::int64_t SuchAnzeige::Vergangen() {
  return JetztMs() - startZeit_;
}

void SuchAnzeige::ZeigeFortschritt(bool zeigen, int tiefe, int d) {
  if (!zeigen) {
    haupt_->ZeigeFortschritt("---", "---", "---");
    return;
  }
  const TStep& w = suche_->Steps[1];
  haupt_->ZeigeFortschritt(QString("%1 / %2").arg(std::min(d, tiefe)).arg(tiefe),
                           QString("%1 / %2").arg(Bewertete(w)).arg(w.ZuegeAnzahl),
                           ZeitText(Vergangen()));
}

void SuchAnzeige::ZeigeBewertung() {
  const TStep& m = suche_->MemStep;
  const std::int64_t t = Vergangen();
  const auto gesamt = static_cast<double>(ht_->GenZuegeGesamt());
  bewertung_->ZeigeBewertung(Bewertete(m), m.ZuegeAnzahl, ZeitText(t), MitTausendern(gesamt),
                             t > 0 ? MitTausendern(gesamt / static_cast<double>(t) * 1000) : "---");
}

void SuchAnzeige::ZeigeDenkzeit() {
  haupt_->SetzeDenkzeitText(QString("Computer Denkzeit: %1 Sek.").arg(einst_.DenkzeitSekunden()));
}

void SuchAnzeige::VerbergeTabelle() {
  bewertung_->VerbergeTabelle();
}

void SuchAnzeige::ZeigeTabelle() {
  bewertung_->ZeigeTabelle(suche_->Steps[1], suche_->MemStep.ZuegeAnzahl);
}

void SuchAnzeige::POnTimer() {
  haupt_->Blinke(spiel_.ComputerFarbe());
  suche_->MemStep = suche_->Steps[1];
  SortRoutine(suche_->MemStep, einst_, *this);
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
  startZeit_ = suche_->StartZeit;
  SuchTimer.start();
}

void SuchAnzeige::SucheBeendet() {
  const TStep& w = suche_->Steps[1];
  ZeigeFortschritt(true, w.STDenkTiefe, w.STStepMax);
  ZeigeBewertung();
  SuchTimer.stop();
}

void SuchAnzeige::Aktivitaetspunkt() {
  haupt_->Aktivitaetspunkt();
}

void SuchAnzeige::Wartemarke() {
  haupt_->Wartemarke();
}

void SuchAnzeige::ZeigeRestDenkzeit(std::int64_t sekunden) {
  haupt_->SetzeDenkzeitText(QString("Computer Denkzeit: %1 Sek.").arg(sekunden));
}

void SuchAnzeige::VerbergeEinstellungsTabs() {
  for (QWidget* t : einstellungsTabs_) seiten_->setTabVisible(seiten_->indexOf(t), false);
}

void SuchAnzeige::ZeigeEinstellungsTabs() {
  // The weights stay hidden: nothing offers them.
  for (QWidget* t : einstellungsTabs_)
    seiten_->setTabVisible(seiten_->indexOf(t), t != einstellungsTabs_.back());
}

void SuchAnzeige::AktiviereZiehB() {
  haupt_->SetzeZiehB(true);
}

}  // namespace quarne
