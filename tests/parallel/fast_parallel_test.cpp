// The parallel search with the fast kind against the classic search in the calling thread, at
// depths where the workers really run: the same blocked side, depth reached and best root value;
// with CBVoll the same value for every root move. Which of equally good moves comes first, and
// the bounds of moves cut off, depend on the workers' timing and are not compared; nor are the
// points of decided moves, which the parallel search passes along differently (GleichesErgebnis).

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "parallel/driver.h"
#include "tests/engine/random_positions.h"
#include "tests/engine/search_comparison.h"
#include "tests/engine/test_host.h"

namespace quarne {
namespace {

using namespace test;

// Positions of the phases that reach the parallel phase, games with repetitions, and roots just
// below the draw limit.
Fall Ziehe(std::mt19937& rng, int i, Einstellungen& e) {
  switch (i % 6) {
    case 4:
      return MitVorgeschichte(rng, e);
    case 5: {
      e.RemisLimit = kRemisLimits[1 + static_cast<std::size_t>(i / 6 % 3)];
      Fall f = OhneVorgeschichte(ZufallsLage(rng, Art::ziehen));
      f.lage.ohneQuarne = e.RemisLimit - Zufall(rng, 3, 6);
      return f;
    }
    default: {
      constexpr Art kPhasen[] = {Art::setzen, Art::ziehen, Art::springen, Art::gemischt};
      return OhneVorgeschichte(ZufallsLage(rng, kPhasen[i % 6]));
    }
  }
}

class SchnellParallel : public ::testing::TestWithParam<bool> {};

TEST_P(SchnellParallel, GleicherWertWieKlassischImProgramm) {
  const bool voll = GetParam();
  int verglichen = 0, parallelGelaufen = 0;
  std::int64_t schranken = 0;
  for (const int threads : {2, 3}) {
    std::mt19937 rng(50 + 10 * voll + threads);
    for (int i = 0; i < 12; ++i) {
      Einstellungen e;
      e.CBVoll = voll;
      const Fall f = Ziehe(rng, i, e);
      Einstellungen klassisch = e, schnell = e;
      klassisch.suchArt = SuchArt::Klassisch;
      schnell.suchArt = SuchArt::Schnell;
      TestHost host;
      auto s = std::make_unique<Suche>(schnell, host);
      HTSuche h(*s, schnell, host);
      h.ErzeugeThreads(threads);
      // With two workers every iteration goes to them; with three, the small ones run in this
      // thread as in the program, but only the very small ones, so that these short searches
      // reach the workers too.
      h.hierUnter = threads == 2 ? 0 : 100;
      // Every root move valued exactly costs more: one depth less.
      for (int tiefe = 4; tiefe <= (voll ? 5 : 6); ++tiefe) {
        auto ref = std::make_unique<Suche>(klassisch, host);
        ref->StepRoutine(tiefe, f.Zug(), f.ZugNummer(), f.lage.farbe, {}, f.Verlauf());
        h.HTStepRoutine(tiefe, f.Zug(), f.ZugNummer(), f.lage.farbe, {}, f.Verlauf());
        const std::string wo = f.Beschreibung() + " RemisLimit " + std::to_string(e.RemisLimit) +
                               " Tiefe " + std::to_string(tiefe) + ", " + std::to_string(threads) +
                               " Threads";
        ASSERT_EQ(s->KeineZuege(), ref->KeineZuege()) << wo;
        if (ref->KeineZuege()) break;
        ASSERT_TRUE(s->ErgebnisBereit()) << wo;
        ASSERT_EQ(s->FertigeTiefe, ref->FertigeTiefe) << wo;
        const TStep &m = s->MemStep2, &r = ref->MemStep2;
        EXPECT_TRUE(GleichesErgebnis(m.Zuege[1], r.Zuege[1]))
            << wo << ": parallel " << ZugMitWert(m.Zuege[1]) << ", klassisch "
            << ZugMitWert(r.Zuege[1]);
        if (voll) {
          ASSERT_EQ(m.ZuegeAnzahl, r.ZuegeAnzahl) << wo;
          for (int j = 1; j <= r.ZuegeAnzahl; ++j) {
            int k = 1;
            while (k <= m.ZuegeAnzahl && m.Zuege[k].Nr != r.Zuege[j].Nr) ++k;
            ASSERT_LE(k, m.ZuegeAnzahl) << wo << ": " << ZugMitWert(r.Zuege[j]) << " fehlt";
            EXPECT_TRUE(GleichesErgebnis(m.Zuege[k], r.Zuege[j]))
                << wo << ": parallel " << ZugMitWert(m.Zuege[k]) << ", klassisch "
                << ZugMitWert(r.Zuege[j]);
          }
        }
        ++verglichen;
        if (h.Statistik().ausgegeben > 0) ++parallelGelaufen;
        schranken += h.Statistik().schranken;
        if (ref->FertigeTiefe < tiefe) break;
      }
      EXPECT_TRUE(host.meldungen.empty()) << host.meldungen.front();
    }
  }
  std::printf("%d Vergleiche, davon %d mit Arbeitern; %lld Zellen durch Schranken des Baums\n",
              verglichen, parallelGelaufen, static_cast<long long>(schranken));
  EXPECT_GE(parallelGelaufen, 40);
  // The cells cut by the bounds of the tree above them were among those compared.
  EXPECT_GT(schranken, 0);
}

std::string VollName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "Vollstaendig" : "Standard";
}

INSTANTIATE_TEST_SUITE_P(Varianten, SchnellParallel, ::testing::Bool(), VollName);

}  // namespace
}  // namespace quarne
