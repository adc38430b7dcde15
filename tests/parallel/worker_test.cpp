#include "parallel/worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "engine/search.h"
#include "parallel/celltree.h"
#include "tests/engine/test_host.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::Pos;

// A worker driven by hand, as the driver would: one root move is the cell at level 1. It runs in
// a thread of its own, or in slices in the test's thread as the driver's first worker does.
class Arbeiter : public ::testing::TestWithParam<HTQuarne::Ausfuehrung> {
 protected:
  Einstellungen einst;
  test::TestHost host;
  LeererVerlauf verlauf;
  Transpositionstabelle ohneTabelle;
  std::atomic<bool> stop{false}, moveNow{false};
  Wecker wecker;
  std::unique_ptr<HTQuarne> w =
      std::make_unique<HTQuarne>(einst, stop, moveNow, wecker, GetParam());
  Stellung st;

  // The root moves of st, each valued to depth tiefe without cut-offs.
  TStep Wurzel(int tiefe) {
    auto liste = std::make_unique<Suche>(einst, host);
    liste->StepRoutineListe(tiefe, st.zug, 1, st.farbe, true, true, verlauf);
    return liste->Steps[1];
  }

  // The root moves as cells: with their own values, as a list-mode pass leaves them.
  std::vector<TZug> Zellen() {
    auto liste = std::make_unique<Suche>(einst, host);
    HTBaum baum(einst, host);
    liste->StepRoutineListe(1, st.zug, 1, st.farbe, true, verlauf, baum);
    return baum.HTStepListe[1].ZugListe;
  }

  void Bestuecke(const TZug& zelle, int stepMax) {
    w->WarteAufPark();
    w->Vorbereiten(verlauf, ohneTabelle);
    w->SetzeVirtuell(st.zug);
    w->TRHTTiefe = 1;
    w->TRStepMax = stepMax;
    w->TRDenkTiefe = stepMax;
    w->BereiteStepVor(1, st.zug, 1, st.farbe);
    TStep& s1 = w->Steps[1];
    s1.Zuege[1] = zelle;
    s1.Zuege[1].BEWERTET = false;
    s1.Zuege[1].TEILBEW = 0;
    s1.ZZ[1] = 1;
    s1.ZuegeAnzahl = 1;
    s1.ZugZeiger = 0;
    w->SetzeTeilBew(0);
    w->Zelle.store(0);
    w->Ready.store(false);
    w->ToSuspend.store(false);
  }

  void Starte() {
    if (w->ImAufrufer())
      w->BeginneImAufrufer();
    else
      w->Wecke();
  }
  // Starts the worker and waits until it has parked again; in this thread, in uneven slices.
  void Lauf() {
    Starte();
    if (!w->ImAufrufer()) {
      w->WarteAufPark();
      return;
    }
    for (int scheibe = 0; !w->ScheibeImAufrufer(1 + scheibe % 7); ++scheibe) {
    }
    EXPECT_TRUE(w->Suspended());
  }
  // The wakes reported for parking: the driver that searches a worker itself needs none.
  int ParkMeldung() const { return w->ImAufrufer() ? 0 : 1; }
};

// A fresh worker's first wake searches its cell, and the cell's final value is exact: the same
// as a full-width search of that move gives. Each partial value it published counted once.
TEST_P(Arbeiter, ErsterWeckrufSuchtDieZelleExakt) {
  st = Pos("W.SW.S.WSWS..WS.SW.S.W.S W 9 9");
  const TStep wurzel = Wurzel(4);
  const std::vector<TZug> zellen = Zellen();
  ASSERT_GT(wurzel.ZuegeAnzahl, 3);
  for (int i = 1; i <= 3; ++i) {
    const TZug& zug = wurzel.Zuege[i];
    Bestuecke(zellen.at(i - 1), 4);
    const std::uint64_t meldungenVorher = wecker.Stand();
    Lauf();
    const TZug& zelle = w->ZellRecord();
    EXPECT_TRUE(w->Ready.load());
    EXPECT_TRUE(zelle.BEWERTET);
    EXPECT_EQ(zelle.Wertung.ZugResGesamt, zug.Wertung.ZugResGesamt);
    EXPECT_EQ(zelle.Wertung.PunktWertGes, zug.Wertung.PunktWertGes) << "Zug " << i;
    // One report per publication, and one for parking.
    EXPECT_GT(zelle.TEILBEW, 0);
    EXPECT_EQ(zelle.TEILBEW, wecker.Stand() - meldungenVorher - ParkMeldung());
    EXPECT_EQ(w->TeilBew(), zelle.TEILBEW);
    EXPECT_GT(w->IGenZuege(), 0);
  }
  EXPECT_TRUE(host.meldungen.empty());
}

// The cell move takes the opponent's last move away: the worker values it a win at once.
TEST_P(Arbeiter, BlockierterGegnerNachDerZelle) {
  st = Pos("SSS...WS.W.W...W........ W 9 9");
  const std::vector<TZug> zellen = Zellen();
  const auto blockade = std::find_if(zellen.begin(), zellen.end(), [](const TZug& z) {
    return z.VonPosition == test::P("f4") && z.NachPosition == test::P("g4");
  });
  ASSERT_NE(blockade, zellen.end());
  Bestuecke(*blockade, 3);
  Lauf();
  const TZug& zelle = w->ZellRecord();
  EXPECT_TRUE(w->Ready.load());
  EXPECT_TRUE(zelle.BEWERTET);
  EXPECT_EQ(zelle.Wertung.ZugResGesamt, rsWIN);
  EXPECT_EQ(zelle.Wertung.ResultInXZuegen, 0);
  EXPECT_TRUE(zelle.SmartZuege[1].GewinnDurchBlock);
  EXPECT_EQ(zelle.TEILBEW, 0);
}

// Stop reaches a worker deep in its cell: it parks at its next pass without a final value, and
// takes the next cell as usual. The driver leaves the cell of a worker searched in its own thread
// by waiting for its park.
TEST_P(Arbeiter, StopMittenInDerZelle) {
  st = Pos("W.SW.S.WSWS..WS.SW.S.W.S W 9 9");
  const TStep wurzel = Wurzel(3);
  const TZug zelle = Zellen().at(0);
  Bestuecke(zelle, kMaxSteps);
  Starte();
  while (w->IGenZuege() < 100000)
    if (!w->ImAufrufer() || w->ScheibeImAufrufer(1000)) std::this_thread::yield();
  EXPECT_FALSE(w->Suspended());
  stop = !w->ImAufrufer();
  w->WarteAufPark();
  stop = false;
  EXPECT_TRUE(w->Suspended());
  EXPECT_FALSE(w->Ready.load());
  EXPECT_FALSE(w->ZellRecord().BEWERTET);
  Bestuecke(zelle, 3);
  Lauf();
  EXPECT_TRUE(w->Ready.load());
  EXPECT_EQ(w->ZellRecord().Wertung.PunktWertGes, wurzel.Zuege[1].Wertung.PunktWertGes);
}

// An error in the loop does not end the thread: the worker keeps its message, parks, and
// searches the next cell it is given.
TEST_P(Arbeiter, FehlerParktDenArbeiter) {
  st = Pos("W.SW.S.WSWS..WS.SW.S.W.S W 9 9");
  const TStep wurzel = Wurzel(2);
  const TZug zelle = Zellen().at(0);
  Bestuecke(zelle, 1);  // no ply left below the cell
  Lauf();
  EXPECT_TRUE(w->HatFehler());
  EXPECT_EQ(w->Fehler(), "Die Zelle in Ply 1 lässt bis zur Tiefe 1 nichts zu suchen.");
  EXPECT_TRUE(w->Suspended());
  w->LoescheFehler();
  Bestuecke(zelle, 2);
  Lauf();
  EXPECT_FALSE(w->HatFehler());
  EXPECT_TRUE(w->ZellRecord().BEWERTET);
  EXPECT_EQ(w->ZellRecord().Wertung.PunktWertGes, wurzel.Zuege[1].Wertung.PunktWertGes);
}

std::string AusfuehrungName(const ::testing::TestParamInfo<HTQuarne::Ausfuehrung>& p) {
  return p.param == HTQuarne::Ausfuehrung::Aufrufer ? "ImAufrufer" : "EigenerThread";
}

INSTANTIATE_TEST_SUITE_P(Ausfuehrungen, Arbeiter,
                         ::testing::Values(HTQuarne::Ausfuehrung::EigenerThread,
                                           HTQuarne::Ausfuehrung::Aufrufer),
                         AusfuehrungName);

}  // namespace
}  // namespace quarne
