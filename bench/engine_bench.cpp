// Micro-benchmarks of the innermost loops: generating a ply with every move valued, and the
// end evaluation of a position.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/position_notation.h"
#include "engine/evaluation.h"
#include "engine/stepstack.h"

namespace quarne {
namespace {

class StilleHost final : public Host {
 public:
  void Meldung(std::string_view) override {}
  void VerarbeiteEreignisse() override {}
  std::int64_t JetztMs() override { return 0; }
};

// Generation of the last ply, as at the leaves of every search; no cut-offs.
class Blatt final : public StepStack {
 public:
  using StepStack::StepStack;

 protected:
  bool HTTestung(int, int, bool) override { return false; }
};

const char* const kStellungen[] = {
    "WW..SSS.S.S............. W 2 5",  // placing, with a mill on offer
    "W.SW.S.WSWS..WS.SW.S.W.S W 9 9",  // moving
    "W...W...SS.S..S.......W. W 9 9",  // White flies
    "W.WWS.SS.WS.WW..S.S.SWS. S 8 8",  // late placing
};

void BM_ZugErzeugungMitBewertung(benchmark::State& state) {
  Einstellungen einst;
  StilleHost host;
  auto stapel = std::make_unique<Blatt>(einst, host);
  const Stellung st = *LiesStellung(kStellungen[state.range(0)]).stellung;
  GenModus modus;
  modus.stepIsMax = true;
  for (int s = 1; s <= kMaxSteps; ++s) stapel->Steps[s].Virtuell = false;
  std::int64_t zuege = 0;
  for (auto _ : state) {
    stapel->BereiteStepVor(1, st.zug, 1, st.farbe);
    bool cancel = false;
    stapel->HTGenMoves(1, modus, cancel);
    zuege += stapel->Steps[1].ZuegeAnzahl;
    benchmark::DoNotOptimize(stapel->Steps[1].Zuege[1].Wertung.PunktWertGes);
  }
  state.SetItemsProcessed(zuege);
}
BENCHMARK(BM_ZugErzeugungMitBewertung)->DenseRange(0, 3);

void BM_EndBewertung(benchmark::State& state) {
  Einstellungen einst;
  std::vector<std::pair<Punkte, Punkte>> stellungen;
  std::uint32_t zufall = 99;
  for (int i = 0; i < 1024; ++i) {
    Punkte a = 0, b = 0;
    for (int p = 0; p < kAnzahlPunkte; ++p) {
      zufall = zufall * 1664525u + 1013904223u;
      const std::uint32_t r = zufall >> 24;
      if (r < 80)
        a |= Punkte{1} << p;
      else if (r < 160)
        b |= Punkte{1} << p;
    }
    stellungen.emplace_back(a, b);
  }
  const bool virtuell = state.range(0) != 0;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = stellungen[i++ & 1023];
    benchmark::DoNotOptimize(EndBewertung(a, b, virtuell, einst));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EndBewertung)->Arg(0)->Arg(1);

}  // namespace
}  // namespace quarne

BENCHMARK_MAIN();
