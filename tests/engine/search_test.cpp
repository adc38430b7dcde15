#include "engine/search.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "core/notation.h"
#include "engine/perft.h"
#include "engine/values.h"
#include "tests/engine/test_host.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::Pos;

std::string Text(const TZug& z) {
  return ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne);
}

class SucheTest : public ::testing::Test {
 protected:
  Einstellungen einst;
  test::TestHost host;
  LeererVerlauf verlauf;
  std::unique_ptr<Suche> suche = std::make_unique<Suche>(einst, host);

  void Suchen(const Stellung& st, int tiefe, SuchOptionen opt = {}) {
    suche->StepRoutine(tiefe, st.zug, 1, st.farbe, opt, verlauf);
  }
};

// White's f4 to g4 takes Black's last move away.
constexpr const char* kBlockade = "SSS...WS.W.W...W........ W 9 9";
// A quiet middle game with many moves on both sides.
constexpr const char* kMittelspiel = "W.SW.S.WSWS..WS.SW.S.W.S W 9 9";

TEST_F(SucheTest, TiefeEinsBewertetJedenWurzelzug) {
  const Stellung st = Pos(kMittelspiel);
  Suchen(st, 1);
  const TStep& w = suche->Steps[1];
  ASSERT_GT(w.ZuegeAnzahl, 5);
  int bester = 1;
  for (int i = 1; i <= w.ZuegeAnzahl; ++i) {
    EXPECT_TRUE(w.Zuege[i].BEWERTET);
    if (w.Zuege[i].Wertung.PunktWertGes > w.Zuege[bester].Wertung.PunktWertGes) bester = i;
  }
  EXPECT_EQ(w.BesterZug, bester);
  EXPECT_TRUE(suche->ErgebnisBereit());
  EXPECT_FALSE(suche->Laeuft());
  EXPECT_EQ(suche->MemStep2.STStepMax, 1);
  EXPECT_EQ(suche->MemStep2.Zuege[1].Nr, bester);
  EXPECT_EQ(host.gestartet, 1);
  EXPECT_EQ(host.wurzelListen, 1);
  EXPECT_EQ(host.iterationen, 1);
  EXPECT_EQ(host.beendet, 1);
  EXPECT_EQ(host.ziehB, 1);
  EXPECT_TRUE(host.meldungen.empty());
}

TEST_F(SucheTest, BlockierteAntwortGewinntUndBeendetDasVertiefen) {
  Suchen(Pos(kBlockade), 20);
  const TStep& m = suche->MemStep2;
  EXPECT_EQ(m.STDenkTiefe, 16);
  EXPECT_EQ(m.STStepMax, 2);  // a won root move ends the deepening
  const TZug& z = m.Zuege[1];
  EXPECT_EQ(Text(z), "f4 g4");
  EXPECT_EQ(z.Wertung.ZugResGesamt, rsWIN);
  EXPECT_EQ(z.Wertung.ResultInXZuegen, 0);
  EXPECT_TRUE(z.SmartZuege[1].GewinnDurchBlock);
  EXPECT_EQ(AnzahlGleichBeste(m), 1);

  // With complete evaluation of the first move every iteration runs.
  einst.CBVoll = true;
  Suchen(Pos(kBlockade), 4);
  EXPECT_EQ(suche->MemStep2.STStepMax, 4);
  EXPECT_EQ(Text(suche->MemStep2.Zuege[1]), "f4 g4");
  EXPECT_TRUE(host.meldungen.empty());
}

TEST_F(SucheTest, WurzelOhneZuege) {
  Suchen(Pos("SSSW..WS.W.....W........ S 9 9"), 4);
  EXPECT_TRUE(suche->KeineZuege());
  EXPECT_FALSE(suche->ErgebnisBereit());
  EXPECT_FALSE(suche->Laeuft());
  EXPECT_EQ(host.ziehB, 0);
}

TEST_F(SucheTest, VollstaendigeBewertungSchneidetAmErstenZugNichts) {
  const Stellung st = Pos(kMittelspiel);
  Suchen(st, 3);
  int abgeschnitten = 0;
  for (int i = 1; i <= suche->MemStep2.ZuegeAnzahl; ++i)
    abgeschnitten += suche->MemStep2.Zuege[i].Canceld ? 1 : 0;
  EXPECT_GT(abgeschnitten, 0);

  // Every first move gets its exact value: the same as in the complete list.
  einst.CBVoll = true;
  Suchen(st, 3);
  auto liste = std::make_unique<Suche>(einst, host);
  liste->StepRoutineListe(3, st.zug, 1, st.farbe, true, true, verlauf);
  std::map<int, double> exakt;
  for (int i = 1; i <= liste->Steps[1].ZuegeAnzahl; ++i)
    exakt[liste->Steps[1].Zuege[i].Nr] = liste->Steps[1].Zuege[i].Wertung.PunktWertGes;
  const TStep& m = suche->MemStep2;
  ASSERT_EQ(m.ZuegeAnzahl, liste->Steps[1].ZuegeAnzahl);
  for (int i = 1; i <= m.ZuegeAnzahl; ++i) {
    const TZug& z = m.Zuege[i];
    EXPECT_TRUE(z.BEWERTET && !z.Canceld) << Text(z);
    if (z.Wertung.ZugResGesamt == rsQuarn) {
      EXPECT_EQ(z.Wertung.PunktWertGes, exakt[z.Nr]) << Text(z);
    }
  }
}

TEST_F(SucheTest, DenkzeitEndetMitHochgerechnetenWerten) {
  // One second of thinking; the driven clock jumps past the deadline at the first moment the
  // search lets events through in the middle of an iteration after the second: some root moves
  // are valued, others not yet.
  einst.AutoGroup = 1;
  std::map<int, TZug> vorige;
  int letzteTiefe = 0;
  struct Merker : test::TestHost {
    Suche* suche = nullptr;
    std::map<int, TZug>* vorige = nullptr;
    int* tiefe = nullptr;
    void IterationBeendet() override {
      TestHost::IterationBeendet();
      vorige->clear();
      for (int i = 1; i <= suche->MemStep2.ZuegeAnzahl; ++i)
        (*vorige)[suche->MemStep2.Zuege[i].Nr] = suche->MemStep2.Zuege[i];
      *tiefe = suche->MemStep2.STStepMax;
    }
  } merker;
  auto s = std::make_unique<Suche>(einst, merker);
  merker.suche = s.get();
  merker.beiEreignis = [&] {
    const TStep& w = s->Steps[1];
    int bewertet = 0, offen = 0;
    for (int i = 1; i <= w.ZuegeAnzahl; ++i)
      ++(w.Zuege[i].BEWERTET || w.Zuege[i].Canceld ? bewertet : offen);
    if (letzteTiefe >= 2 && w.STStepMax > letzteTiefe && bewertet > 0 && offen > 0)
      merker.uhr += 2000;
  };
  merker.vorige = &vorige;
  merker.tiefe = &letzteTiefe;
  SuchOptionen opt;
  opt.Timed = true;
  const Stellung st = Pos(kMittelspiel);
  s->StepRoutine(6, st.zug, 1, st.farbe, opt, verlauf);

  EXPECT_TRUE(s->SollZiehen());
  EXPECT_FALSE(s->Angehalten());
  EXPECT_EQ(s->Steps[1].STDenkTiefe, 16);
  ASSERT_GT(letzteTiefe, 0);
  const TStep& m = s->MemStep2;
  const int d1 = m.STStepMax, d0 = letzteTiefe;
  EXPECT_EQ(d1, d0 + 1);
  // The depth reached is that of the last completed iteration, not the interrupted one.
  EXPECT_EQ(s->FertigeTiefe, d0);
  int hochgerechnet = 0, neu = 0;
  for (int i = 1; i <= m.ZuegeAnzahl; ++i) {
    const TZug& z = m.Zuege[i];
    EXPECT_TRUE(z.BEWERTET || z.Canceld) << Text(z);
    if (z.Extrapoliert) {
      ++hochgerechnet;
      EXPECT_EQ(z.Wertung.PunktWertGes, vorige[z.Nr].Wertung.PunktWertGes * d1 / d0) << Text(z);
    } else {
      ++neu;
    }
  }
  EXPECT_GT(hochgerechnet, 0);
  EXPECT_GT(neu, 0);
  EXPECT_FALSE(merker.restzeiten.empty());
  EXPECT_TRUE(merker.meldungen.empty());
}

TEST_F(SucheTest, ZiehUndStopWaehrendDerSuche) {
  const Stellung st = Pos(kMittelspiel);
  // "Zieh" at the 30th moment the search lets events through: the result of the completed
  // iterations stands, filled up where the running one had not got to.
  int moment = 0;
  host.beiEreignis = [&] {
    if (++moment == 30) suche->ZieheJetzt();
  };
  Suchen(st, 12);
  EXPECT_TRUE(suche->ErgebnisBereit());
  EXPECT_TRUE(suche->SollZiehen());
  EXPECT_LT(suche->MemStep2.STStepMax, 12);
  for (int i = 1; i <= suche->MemStep2.ZuegeAnzahl; ++i)
    EXPECT_TRUE(suche->MemStep2.Zuege[i].BEWERTET || suche->MemStep2.Zuege[i].Canceld);

  // Stop without displays leaves no result.
  moment = 0;
  host.beiEreignis = [&] {
    if (++moment == 30) suche->Halte();
  };
  SuchOptionen ohneAnzeige;
  ohneAnzeige.KeepTabs = true;
  const int iterationenVorher = host.iterationen;
  Suchen(st, 12, ohneAnzeige);
  EXPECT_TRUE(suche->Angehalten());
  EXPECT_FALSE(suche->ErgebnisBereit());
  EXPECT_EQ(host.iterationen, iterationenVorher);
  EXPECT_GT(suche->GenZuege(), 0);
}

TEST_F(SucheTest, VirtuelleStepsVomLeerenBrett) {
  Suchen(Pos("........................ W 0 0"), 6);
  for (int s = 1; s <= kMaxSteps; ++s) {
    EXPECT_EQ(suche->Steps[s].VirtuellAb, 4);
    EXPECT_EQ(suche->Steps[s].Virtuell, s >= 4) << s;
  }
  const TZug& bester = suche->MemStep2.Zuege[1];
  ASSERT_TRUE(bester.BEWERTET);
  for (int s = 1; s <= 3; ++s) EXPECT_EQ(bester.SmartZuege[s].VonPosition, 0u) << s;
  for (int s = 4; s <= 6; ++s) {
    const TSmartZug& e = bester.SmartZuege[s];
    // A slide along a line, or the pass; never a placement, never a removal.
    EXPECT_EQ(e.VonPosition == 0, e.NachPosition == 0) << s;
    EXPECT_EQ(e.EntfStein, 0u);
  }

  // Without virtual moves every step places.
  einst.CBVirtuell = false;
  Suchen(Pos("........................ W 0 0"), 4);
  for (int s = 1; s <= kMaxSteps; ++s) EXPECT_FALSE(suche->Steps[s].Virtuell);
}

TEST_F(SucheTest, VollstaendigeListeJederSchlagbareSteinEinmal) {
  // Mills for White on g1 (removing b2 or f2) among the placements.
  const Stellung st = Pos("WW..SSS.S.S............. W 2 5");
  suche->StepRoutineListe(2, st.zug, 1, st.farbe, true, true, verlauf);
  const TStep& w = suche->Steps[1];
  auto perft = std::make_unique<Perft>(einst, host);
  EXPECT_EQ(w.ZuegeAnzahl, perft->Zaehle(st.zug, 1, st.farbe, 1, verlauf));
  EXPECT_EQ(Text(w.Zuege[1]), "--- g1 M:b2");
  EXPECT_EQ(Text(w.Zuege[2]), "--- g1 M:f2");
  for (int i = 1; i <= w.ZuegeAnzahl; ++i) {
    EXPECT_EQ(w.Zuege[i].Nr, i);
    EXPECT_TRUE(w.Zuege[i].BEWERTET);
  }
  EXPECT_EQ(host.gestartet, 0);  // no displays for a complete list
  EXPECT_FALSE(suche->ErgebnisBereit());
  EXPECT_TRUE(host.meldungen.empty());
}

TEST_F(SucheTest, PerftVomLeerenBrett) {
  // Placements multiply; from ply 5 on mills add their removal variants.
  auto perft = std::make_unique<Perft>(einst, host);
  const Stellung st = Pos("........................ W 0 0");
  EXPECT_EQ(perft->Zaehle(st.zug, 1, st.farbe, 1, verlauf), 24);
  EXPECT_EQ(perft->Zaehle(st.zug, 1, st.farbe, 2, verlauf), 24 * 23);
  EXPECT_EQ(perft->Zaehle(st.zug, 1, st.farbe, 4, verlauf), 24 * 23 * 22 * 21);
  EXPECT_GT(perft->Zaehle(st.zug, 1, st.farbe, 5, verlauf), 24 * 23 * 22 * 21 * 20);
}

}  // namespace
}  // namespace quarne
