// Time of one redraw of the main board, as every mouse movement over it causes one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "core/geometry.h"
#include "ui/board_view.h"

namespace quarne {
namespace {

Punkte Maske(std::initializer_list<int> bits) {
  Punkte m = 0;
  for (const int b : bits) m |= Punkt(b);
  return m;
}

// Placing phase, White has just closed a1 d1 g1 and taken the stone from d6: a highlighted
// stone, a cross, stones in both reservoirs and a captured one.
void ZeichneZug(benchmark::State& state) {
  const QImage weiss(":/steine/stein_weiss.png"), schwarz(":/steine/stein_schwarz.png");
  auto brett = std::make_unique<TBrettClass>();
  brett->SetzeSteinBilder(&weiss, &schwarz);
  brett->SetzeHolz(state.range(0) != 0);
  brett->SetzeFlaeche(1400, 900);
  TZug zug{};
  TZug& z = zug;
  z.NachPosition = Punkt(2);
  z.ErgibtQuarne = true;
  z.EntfStein = Punkt(13);
  TBrett& b = z.BrettNachZug;
  b.SteineZiehend = Maske({0, 1, 2, 16, 20, 12});
  b.SteineStehend = Maske({8, 9, 10, 15});
  b.AlleSteine = b.SteineZiehend | b.SteineStehend;
  b.SteineAnzahlZiehend = 6;
  b.GesetzteSteineZiehend = 6;
  b.SteineAnzahlStehend = 4;
  b.GesetzteSteineStehend = 5;
  b.VerloreneSteineStehend = 1;
  brett->SetzeStellung(zug, clWeiss, 3, 4);
  for (auto _ : state) {
    brett->ZeichneZug();
    benchmark::DoNotOptimize(brett->Bild().constBits());
  }
  state.SetLabel(brett->MitHolz() ? "Holzsteine" : "flache Steine");
}
BENCHMARK(ZeichneZug)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarne

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
