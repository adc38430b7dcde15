#include "parallel/driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "core/notation.h"
#include "engine/values.h"
#include "tests/engine/test_host.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::Pos;

std::string Text(const TZug& z) {
  std::ostringstream t;
  t << ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne) << " res "
    << int(z.Wertung.ZugResGesamt) << " in " << z.Wertung.ResultInXZuegen << " wert "
    << z.Wertung.PunktWertGes;
  return t.str();
}

bool GleicherWert(const TZug& a, const TZug& b) {
  const TZugWert &x = a.Wertung, &y = b.Wertung;
  if (x.ZugResGesamt != y.ZugResGesamt) return false;
  if (x.ZugResGesamt == rsQuarn) return x.PunktWertGes == y.PunktWertGes;
  return x.ResultInXZuegen == y.ResultInXZuegen;
}

// A position reached by random legal moves from the empty board, with its game so far.
struct Partie final : SpielVerlauf {
  std::vector<TZug> vorDemZug;
  std::vector<TFarbe> farben;
  TZug zug{};
  TFarbe farbe = clWeiss;
  int Anzahl() const override { return static_cast<int>(vorDemZug.size()); }
  const TZug& VorDemZug(int i) const override { return vorDemZug.at(i - 1); }
  TFarbe Farbe(int i) const override { return farben.at(i - 1); }
};

Partie ZufallsPartie(std::mt19937& rng, int zuege) {
  Einstellungen e;
  test::TestHost host;
  auto liste = std::make_unique<Suche>(e, host);
  Partie p;
  p.zug = Pos("........................ W 0 0").zug;
  for (int i = 0; i < zuege; ++i) {
    liste->StepRoutineListe(1, p.zug, i + 1, p.farbe, true, true, p);
    const TStep& w = liste->Steps[1];
    std::vector<int> offen;
    for (int k = 1; k <= w.ZuegeAnzahl; ++k)
      if (w.Zuege[k].Wertung.ZugResGesamt == rsQuarn) offen.push_back(k);
    if (offen.empty()) break;
    p.vorDemZug.push_back(p.zug);
    p.farben.push_back(p.farbe);
    p.zug = w.Zuege[offen[rng() % offen.size()]];
    p.farbe = Gegner(p.farbe);
  }
  return p;
}

// Counts what the window would see of the tabs and the search timer.
struct FensterHost final : test::TestHost {
  bool tabsSichtbar = true, timerLaeuft = false;
  void VerbergeEinstellungsTabs() override { tabsSichtbar = false; }
  void ZeigeEinstellungsTabs() override { tabsSichtbar = true; }
  void SucheGestartet() override {
    TestHost::SucheGestartet();
    timerLaeuft = true;
  }
  void SucheBeendet() override {
    TestHost::SucheBeendet();
    timerLaeuft = false;
  }
};

class Parallel : public ::testing::Test {
 protected:
  Einstellungen einst;
  FensterHost host;
  std::unique_ptr<Suche> suche = std::make_unique<Suche>(einst, host);
  std::unique_ptr<HTSuche> ht = std::make_unique<HTSuche>(*suche, einst, host);
  const LeererVerlauf leer;
  // A middle game whose tree is far too big to finish at depth 16.
  const Stellung mitte = Pos("W.SW.S.WSWS..WS.SW.S.W.S W 9 9");

  // Every iteration goes to the workers, so that these short searches reach them.
  void SetUp() override {
    ht->ErzeugeThreads(2);
    ht->hierUnter = 0;
  }

  void Tief(HTOptionen opt = {}) { ht->HTStepRoutine(16, mitte.zug, 1, mitte.farbe, opt, leer); }

  // After the search: nothing runs any more, and the window is back.
  void PruefeEnde() {
    EXPECT_FALSE(suche->Laeuft());
    EXPECT_TRUE(host.tabsSichtbar);
    EXPECT_FALSE(host.timerLaeuft);
  }

  // Every root move of the result is decided, filled in from the last iteration if need be.
  void PruefeErgebnis() {
    ASSERT_TRUE(suche->ErgebnisBereit());
    const TStep& m = suche->MemStep2;
    ASSERT_EQ(m.ZuegeAnzahl, suche->Steps[1].ZuegeAnzahl);
    std::set<int> nummern;
    for (int i = 1; i <= m.ZuegeAnzahl; ++i) {
      EXPECT_TRUE(m.Zuege[i].BEWERTET || m.Zuege[i].Canceld) << i;
      nummern.insert(m.Zuege[i].Nr);
    }
    EXPECT_EQ(static_cast<int>(nummern.size()), m.ZuegeAnzahl);
  }
};

// The parallel search's best root value (result kind, plies to the result, value) equals the
// calling-thread search's at the same depth: on random games of every phase, under several
// settings, with 2, 3 and 8 workers.
struct Variante {
  const char* name;
  void (*setze)(Einstellungen&);
};
const Variante kVarianten[] = {
    {"Standard", [](Einstellungen&) {}},
    {"Vollstaendig", [](Einstellungen& e) { e.CBVoll = true; }},
    {"OhneVirtuell", [](Einstellungen& e) { e.CBVirtuell = false; }},
    {"OhneSchwaechung", [](Einstellungen& e) { e.NaherVorteilCB = false; }},
    {"Remis60", [](Einstellungen& e) { e.RemisLimit = 60; }},
};

class ParallelKreuzprobe : public ::testing::TestWithParam<Variante> {};

TEST_P(ParallelKreuzprobe, GleicherBesterWertWieStepRoutine) {
  Einstellungen einst;
  GetParam().setze(einst);
  test::TestHost host;
  std::mt19937 rng(11);
  int verglichen = 0, parallelGelaufen = 0;
  // Searches whose small iterations ran in this thread and whose larger ones on the workers.
  int gemischt = 0;
  std::set<int> phasen;
  for (const int threads : {2, 3, 8}) {
    auto s = std::make_unique<Suche>(einst, host);
    HTSuche h(*s, einst, host);
    h.ErzeugeThreads(threads);
    // With two workers every iteration goes to them; with more, the small ones run in this
    // thread, as in the program.
    h.hierUnter = threads == 2 ? 0 : HTSuche::kHierUnter;
    for (int i = 0; i < 8; ++i) {
      const Partie p = ZufallsPartie(rng, static_cast<int>(rng() % 70));
      const TBrett& b = p.zug.BrettNachZug;
      const int maxTiefe = i % 4 == 0 ? 7 : 6;
      for (int tiefe = 3; tiefe <= maxTiefe; ++tiefe) {
        auto ref = std::make_unique<Suche>(einst, host);
        ref->StepRoutine(tiefe, p.zug, p.Anzahl() + 1, p.farbe, {}, p);
        h.HTStepRoutine(tiefe, p.zug, p.Anzahl() + 1, p.farbe, {}, p);
        if (ref->KeineZuege()) {
          EXPECT_TRUE(s->KeineZuege());
          break;
        }
        const std::string wo = std::string(GetParam().name) + ", Partie " + std::to_string(i) +
                               " mit " + std::to_string(p.Anzahl()) + " Zuegen, Tiefe " +
                               std::to_string(tiefe) + ", " + std::to_string(threads) + " Threads";
        ASSERT_TRUE(s->ErgebnisBereit()) << wo;
        ASSERT_EQ(s->FertigeTiefe, ref->FertigeTiefe) << wo;
        EXPECT_TRUE(GleicherWert(s->MemStep2.Zuege[1], ref->MemStep2.Zuege[1]))
            << wo << ": parallel " << Text(s->MemStep2.Zuege[1]) << ", StepRoutine "
            << Text(ref->MemStep2.Zuege[1]);
        if (h.Statistik().ausgegeben > 0) {
          ++parallelGelaufen;
          phasen.insert(b.SpielPhaseStehend);  // the phase of the side to move
        }
        if (threads == 2) {
          EXPECT_EQ(h.Statistik().vorlauf, 0) << wo;
          EXPECT_EQ(h.Statistik().hier, 0) << wo;
        }
        if (h.Statistik().vorlauf > 0 && h.Statistik().ausgegeben > 0) ++gemischt;
        ++verglichen;
      }
    }
  }
  EXPECT_TRUE(host.meldungen.empty()) << host.meldungen.front();
  EXPECT_GE(verglichen, 60);
  EXPECT_GE(parallelGelaufen, 30);
  EXPECT_GT(gemischt, 0);
  EXPECT_EQ(phasen.size(), 3u) << "Setzen, Ziehen und Springen";
}

std::string VariantenName(const ::testing::TestParamInfo<Variante>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Varianten, ParallelKreuzprobe, ::testing::ValuesIn(kVarianten),
                         VariantenName);

// The thinking time ends the search with the best result so far.
TEST_F(Parallel, DenkzeitEndetDieSuche) {
  einst.AutoGroup = 1;  // one second
  host.msJeEreignis = 150;
  HTOptionen opt;
  opt.Timed = true;
  Tief(opt);
  EXPECT_TRUE(suche->SollZiehen());
  EXPECT_GT(ht->Statistik().ausgegeben, 0);
  EXPECT_GE(suche->FertigeTiefe, 3);
  PruefeErgebnis();
  PruefeEnde();
  EXPECT_FALSE(host.restzeiten.empty());
}

// Stop and Zieh reach the parallel phase while the window processes its events.
TEST_F(Parallel, StopUndZiehWaehrendDerSuche) {
  for (const bool zieh : {false, true}) {
    int ereignisse = 0;
    bool immerLaufend = true;
    host.beiEreignis = [&] {
      // Whenever the window gets to act, a search is running: nothing may play or change the
      // game under it.
      immerLaufend = immerLaufend && suche->Laeuft();
      if (++ereignisse == 8) zieh ? suche->ZieheJetzt() : suche->Halte();
    };
    Tief();
    EXPECT_TRUE(immerLaufend);
    EXPECT_TRUE(zieh ? suche->SollZiehen() : suche->Angehalten());
    EXPECT_GT(ht->Statistik().ausgegeben, 0);
    PruefeErgebnis();
    PruefeEnde();
  }
  host.beiEreignis = nullptr;
}

// A worker whose cell ends in an error does not hang the search: it ends with a German message,
// the window comes back, and the next search runs on all workers again.
TEST_F(Parallel, FehlerEinesArbeitersBeendetDieSuche) {
  ht->nachBestuecken = [](HTQuarne& w) { w.TRStepMax = w.TRHTTiefe; };
  try {
    Tief();
    ADD_FAILURE() << "kein Fehler";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Die Suche wurde abgebrochen: Fehler in Thread ", 0), 0u)
        << e.what();
  }
  PruefeEnde();
  ht->nachBestuecken = nullptr;
  ht->HTStepRoutine(5, mitte.zug, 1, mitte.farbe, {}, leer);
  EXPECT_EQ(suche->FertigeTiefe, 5);
  EXPECT_GT(ht->Statistik().ausgegeben, 0);
  PruefeEnde();
}

// Closing the window ends the workers in the middle of a search; the search returns and later
// searches run in the calling thread.
TEST_F(Parallel, SchliessenWaehrendDerSuche) {
  host.beiEreignis = [&] {
    if (ht->Statistik().ausgegeben < 4) return;
    suche->Halte();
    ht->HTTerminateThreads();
  };
  Tief();
  EXPECT_GE(ht->Statistik().ausgegeben, 4);
  EXPECT_EQ(ht->ErzeugteThreads(), 0);
  PruefeEnde();
  host.beiEreignis = nullptr;
  ht->HTStepRoutine(4, mitte.zug, 1, mitte.farbe, {}, leer);
  EXPECT_EQ(suche->FertigeTiefe, 4);
}

TEST_F(Parallel, OhneArbeiterUndOhneZuege) {
  // A root without moves: no worker is used.
  const Stellung blockiert = Pos("SSSW..WS.W.....W........ S 9 9");
  ht->HTStepRoutine(6, blockiert.zug, 1, blockiert.farbe, {}, leer);
  EXPECT_TRUE(suche->KeineZuege());
  EXPECT_EQ(ht->Statistik().ausgegeben, 0);
  // A tree that never reaches 128 open cells is searched in the calling thread.
  const Stellung klein = Pos("W...W...SS.S..S.......W. W 9 9");
  ht->HTStepRoutine(2, klein.zug, 1, klein.farbe, {}, leer);
  EXPECT_EQ(ht->Statistik().ausgegeben, 0);
  EXPECT_EQ(suche->FertigeTiefe, 2);
  // One worker fewer than two is none at all.
  HTSuche eins(*suche, einst, host);
  eins.ErzeugeThreads(1);
  EXPECT_EQ(eins.ErzeugteThreads(), 0);
  HTSuche viele(*suche, einst, host);
  viele.ErzeugeThreads(256);
  EXPECT_EQ(viele.ErzeugteThreads(), HTSuche::kMaxThreads);
  PruefeEnde();
}

// The benchmark's call keeps the last result; a library call searches one full-depth iteration.
TEST_F(Parallel, OhneAnzeigeUndNurVolleTiefe) {
  ht->HTStepRoutine(4, mitte.zug, 1, mitte.farbe, {}, leer);
  const TStep vorher = suche->MemStep2;
  HTOptionen bench;
  bench.NoDisplay = bench.KeepTabs = true;
  ht->HTStepRoutine(5, mitte.zug, 1, mitte.farbe, bench, leer);
  EXPECT_GT(ht->Statistik().ausgegeben, 0);
  EXPECT_EQ(suche->MemStep2.STStepMax, vorher.STStepMax);
  EXPECT_FALSE(suche->ErgebnisBereit());
  const int ziehB = host.ziehB, iterationen = host.iterationen;
  HTOptionen bib;
  bib.FullDepthOnly = true;
  ht->HTStepRoutine(5, mitte.zug, 1, mitte.farbe, bib, leer);
  EXPECT_EQ(suche->FertigeTiefe, 5);
  int stepMax = 0;
  for (int L = 1; L <= kMaxSteps; ++L)
    if (ht->Baum().HTStepListe[L].ZugListeZeiger >= 0) stepMax = L;
  ASSERT_LT(stepMax, 4);
  // Each depth of the list-mode pass offers Zieh; the one parallel iteration does not.
  EXPECT_EQ(host.ziehB - ziehB, stepMax);
  EXPECT_EQ(host.iterationen - iterationen, stepMax + 1);
  PruefeEnde();
}

}  // namespace
}  // namespace quarne
