// Building the library from its tab: the button around the headless building, what the tab
// shows of each position, and the progress timer with its autosave.
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <exception>

#include "game/game_flow.h"
#include "library/building.h"
#include "ui/board_view.h"
#include "ui/controls.h"
#include "ui/design.h"
#include "ui/dialogs.h"
#include "ui/library_grid.h"
#include "ui/library_tab.h"
#include "ui/program_files.h"
#include "ui/search_monitor.h"

namespace quarne {
namespace {

// "1 Tage und 2h3m4s".
QString DauerText(std::int64_t ms) {
  constexpr std::int64_t kTagMs = 24 * 3600 * 1000;
  const std::int64_t tage = ms / kTagMs;
  return QString("%1 Tage und ").arg(tage) + ZeitText(ms - tage * kTagMs);
}

}  // namespace

void BibTab::PositionBeginnt(int L, int x, int nummer, const TBibZug& eintrag) {
  ZugLab->setText(L == 0 ? QString("Nullstellung als Basis für:")
                         : QString("%1. Zug als Basis für:").arg(L));
  BibAktivZNr->setText(QString("%1. Zug").arg(L + 1));
  BibDTiefe->setText(QString::number(bib_[L].BibTiefe));
  BibStellung->setText(QString("%1 (Zufall Stellung: %2)").arg(nummer).arg(x));
  // The colour of the side that made the entry's move.
  brett_.SetzeBibStellung(eintrag.Zug, L % 2 == 1 ? clWeiss : clSchwarz);
  brett_.ZeichneBib();
  fortschritt_.PositionBeginnt(anzeige_.JetztMs());
}

void BibTab::PositionGespeichert() {
  POnBibTimer();
  fortschritt_.PositionGespeichert(ht_.GenZuegeGesamt());
  ht_.SetzeZaehlerZurueck();
  ZeigeBib();
}

void BibTab::BibErstellenClick() {
  if (RechnungLaeuft()) return;
  emit BauBeginnt();
  suche_.VerwirfErgebnis();
  BibBelegt(true);
  for (int L = 0; L < kBibStufen - 1; ++L) {
    bib_[L].BibAktiv = BibRegler[static_cast<std::size_t>(L)].CB->isChecked();
    bib_[L].BibTiefe = BibRegler[static_cast<std::size_t>(L)].SE->value();
  }
  fortschritt_.Beginne(anzeige_.JetztMs());
  BibTimer->start();

  BibBau bau(bib_, ht_, suche_, opt_.Parallel, *this,
             static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));
  std::string fehler;
  BauErgebnis e;
  try {
    e = bau.ErstelleBib();
  } catch (const std::exception& f) {
    fehler = f.what();
  }
  if (!fehler.empty())
    Meldung(fehler);
  else if (e.abgebrochen)
    MeldeBibErgebnis(MeldeErgebnis("Erstellung abgebrochen.", e.nullBerechnet, e.berechnet));
  else if (e.nullBerechnet || e.berechnet > 0)
    MeldeBibErgebnis(MeldeErgebnis("Erstellung abgeschlossen.", e.nullBerechnet, e.berechnet));
  else
    MeldeBibErgebnis(kNichtsZuBerechnen);

  BibTimer->stop();
  ZeigeBib();
  suche_.VerwirfErgebnis();
  SetzeFarbe(StatusPanel, kCreme);
  emit BauEndet();
  BibBelegt(false);
}

void BibTab::MeldeBibErgebnis(const std::string& text) {
  BreiteBibStatus();
  BibStatus->setText(QString::fromStdString(text).replace("\r\n", "\n"));
  dialoge_.Beep();
}

void BibTab::StoppenClick() {
  suche_.Halte();
}

void BibTab::POnBibTimer() {
  ZeigeFortschritt(suche_.Steps[1], ht_.GenZuegeGesamt());
}

void BibTab::ZeigeFortschritt(const TStep& wurzel, std::int64_t stellung) {
  // A message box of the autosave lets ticks through.
  if (bibTimerLaeuft_) return;
  bibTimerLaeuft_ = true;
  SetzeFarbe(StatusPanel,
             StatusPanel->palette().color(QPalette::Window) == kCreme ? kGelb : kCreme);

  const std::int64_t jetzt = anzeige_.JetztMs();
  const std::int64_t ms = fortschritt_.Dauer(jetzt);
  const auto gesamt = static_cast<double>(fortschritt_.Zuege(stellung));
  BibBerZgInsg->setText(MitTausendern(gesamt));
  BibZuegeStellung->setText(MitTausendern(static_cast<double>(stellung)));
  BibZgProSek->setText(ms > 0 ? MitTausendern(gesamt / static_cast<double>(ms) * 1000) : "---");
  BibDauer->setText(DauerText(ms));

  if (fortschritt_.AutosaveFaellig(jetzt)) SchreibeBibDatei(dateien_.Datei("Autosave.bib"));

  // The remaining time of the position, estimated anew whenever another root move is done.
  const int n = wurzel.ZuegeAnzahl, fertig = Bewertete(wurzel);
  BibXVonY->setText(QString("%1 / %2").arg(fertig).arg(n));
  const std::optional<std::int64_t> rest =
      n < 1 ? std::nullopt : fortschritt_.Restzeit(jetzt, fertig, n);
  BibDauerSub->setText(rest ? DauerText(*rest) : "---");

  BreiteBibStatus();
  BibStatus->setText(
      "Berechnung läuft " +
      QString(fortschritt_.Laufpunkte(), '.').leftJustified(BauFortschritt::kLaufPunkte));

  std::int64_t eintraege = 0;
  for (const TBibSegm& stufe : bib_.Stufen) eintraege += stufe.BibCnt();
  BibBytes->setText(QLocale().toString(BibMegabyte(eintraege), 'f', 1) + " MB");
  bibTimerLaeuft_ = false;
}

}  // namespace quarne
