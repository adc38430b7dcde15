// Building the library from its tab: the button around the headless building, what the tab
// shows of each position, and the progress timer with its autosave.
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
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

constexpr std::int64_t kAutosaveMs = 30 * 60 * 1000;
constexpr int kLaufPunkte = 10;

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
  brett_.BibOpenZug = eintrag.Zug;
  brett_.BibOpenFrb = L % 2 == 1 ? clWeiss : clSchwarz;
  brett_.ZeichneBib();
  TMyTimer& t = *BibTimer;
  t.BibStellStart = anzeige_.JetztMs();
  t.MSJeBew = 0;
  t.BibBew = 0;
}

void BibTab::PositionGespeichert() {
  POnBibTimer();
  BibTimer->ZuegeBibCnt += ht_.GenZuegeGesamt();
  ht_.SetzeZaehlerZurueck();
  ZeigeBib();
}

void BibTab::BibErstellenClick() {
  if (RechnungLaeuft()) return;
  emit BauBeginnt();
  suche_.ResultReady = false;
  BibBelegt(true);
  for (int L = 0; L < kBibStufen - 1; ++L) {
    bib_[L].BibAktiv = BibRegler[static_cast<std::size_t>(L)].CB->isChecked();
    bib_[L].BibTiefe = BibRegler[static_cast<std::size_t>(L)].SE->value();
  }
  TMyTimer& t = *BibTimer;
  t.StartTime = anzeige_.JetztMs();
  t.AutoSaveTime = t.StartTime + kAutosaveMs;
  t.ZuegeBibCnt = 0;
  t.ScoreCnt = 0;
  t.start();

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

  t.stop();
  ZeigeBib();
  suche_.ResultReady = false;
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
  suche_.StopFlag = true;
}

void BibTab::POnBibTimer() {
  // A message box of the autosave lets ticks through.
  if (bibTimerLaeuft_) return;
  bibTimerLaeuft_ = true;
  TMyTimer& t = *BibTimer;
  SetzeFarbe(StatusPanel,
             StatusPanel->palette().color(QPalette::Window) == kCreme ? kGelb : kCreme);

  const std::int64_t jetzt = anzeige_.JetztMs();
  const std::int64_t ms = jetzt - t.StartTime;
  const std::int64_t stellung = ht_.GenZuegeGesamt();
  const auto gesamt = static_cast<double>(t.ZuegeBibCnt + stellung);
  BibBerZgInsg->setText(MitTausendern(gesamt));
  BibZuegeStellung->setText(MitTausendern(static_cast<double>(stellung)));
  BibZgProSek->setText(ms > 0 ? MitTausendern(gesamt / static_cast<double>(ms) * 1000) : "---");
  BibDauer->setText(DauerText(ms));

  if (jetzt >= t.AutoSaveTime) {
    t.AutoSaveTime = jetzt + kAutosaveMs;
    SchreibeBibDatei(dateien_.Datei("Autosave.bib"));
  }

  // The remaining time of the position, estimated anew whenever another root move is done.
  const TStep& wurzel = suche_.Steps[1];
  const int n = wurzel.ZuegeAnzahl, fertig = Bewertete(wurzel);
  BibXVonY->setText(QString("%1 / %2").arg(fertig).arg(n));
  if (n < 1) {
    BibDauerSub->setText("---");
  } else {
    if (fertig == 0) {
      t.MSJeBew = 0;
    } else if (t.BibBew < fertig && fertig < n) {
      t.MSJeBew = (jetzt - t.BibStellStart) / fertig;
      t.ZeitBedarf = (n - fertig) * t.MSJeBew;
      t.BibBew = fertig;
      t.ZeitStop = jetzt;
    }
    BibDauerSub->setText(
        t.MSJeBew > 0 ? DauerText(std::max<std::int64_t>(0, t.ZeitBedarf - (jetzt - t.ZeitStop)))
                      : "---");
  }

  BreiteBibStatus();
  ++t.ScoreCnt;
  BibStatus->setText("Berechnung läuft " + QString(t.ScoreCnt, '.').leftJustified(kLaufPunkte));
  if (t.ScoreCnt >= kLaufPunkte) t.ScoreCnt = 0;

  std::int64_t eintraege = 0;
  for (const TBibSegm& stufe : bib_.Stufen) eintraege += stufe.BibCnt();
  BibBytes->setText(QLocale().toString(BibMegabyte(eintraege), 'f', 1) + " MB");
  bibTimerLaeuft_ = false;
}

}  // namespace quarne
