#include "parallel/driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
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

class Parallel : public ::testing::Test {
 protected:
  Einstellungen einst;
  test::TestHost host;
  std::unique_ptr<Suche> suche = std::make_unique<Suche>(einst, host);
  std::unique_ptr<HTSuche> ht = std::make_unique<HTSuche>(*suche, einst, host);
};

// The parallel search's best root value equals the calling-thread search's at the same depth.
TEST_F(Parallel, GleicherBesterWertWieStepRoutine) {
  std::mt19937 rng(11);
  int verglichen = 0, parallelGelaufen = 0;
  for (const int threads : {2, 3, 8}) {
    auto s = std::make_unique<Suche>(einst, host);
    HTSuche h(*s, einst, host);
    h.ErzeugeThreads(threads);
    for (int i = 0; i < 12; ++i) {
      const Partie p = ZufallsPartie(rng, static_cast<int>(rng() % 60));
      for (int tiefe = 3; tiefe <= 6; ++tiefe) {
        auto ref = std::make_unique<Suche>(einst, host);
        ref->StepRoutine(tiefe, p.zug, p.Anzahl() + 1, p.farbe, {}, p);
        h.HTStepRoutine(tiefe, p.zug, p.Anzahl() + 1, p.farbe, {}, p);
        if (ref->NoMovesFlag) {
          EXPECT_TRUE(s->NoMovesFlag);
          break;
        }
        const std::string wo = "Partie " + std::to_string(i) + " mit " +
                               std::to_string(p.Anzahl()) + " Zuegen, Tiefe " +
                               std::to_string(tiefe) + ", " + std::to_string(threads) + " Threads";
        ASSERT_TRUE(s->ResultReady) << wo;
        ASSERT_EQ(s->FertigeTiefe, ref->FertigeTiefe) << wo;
        EXPECT_TRUE(GleicherWert(s->MemStep2.Zuege[1], ref->MemStep2.Zuege[1]))
            << wo << ": parallel " << Text(s->MemStep2.Zuege[1]) << ", StepRoutine "
            << Text(ref->MemStep2.Zuege[1]);
        parallelGelaufen += h.Statistik().ausgegeben > 0;
        ++verglichen;
      }
    }
  }
  EXPECT_TRUE(host.meldungen.empty()) << host.meldungen.front();
  EXPECT_GE(verglichen, 100);
  EXPECT_GE(parallelGelaufen, 50);
}

}  // namespace
}  // namespace quarne
