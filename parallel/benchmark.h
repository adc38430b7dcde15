// The "Quarne Score": the computer's normal search for about five seconds on a fixed position of
// the placing phase, its generated moves counted and set against a reference speed.
#pragma once

#include <cstdint>

#include "parallel/driver.h"

namespace quarne {

inline constexpr int kBenchmarkTiefe = 13;
inline constexpr int kBenchmarkSekunden = 5;
// Generated moves per second that count as 100 %.
inline constexpr double kReferenzZuegeJeSekunde = 1950000.0;

// Eight stones each placed, White to move.
TZug BenchmarkZug();

struct ScoreMessung {
  std::int64_t zuege = 0;  // generated moves, the workers' included
  std::int64_t ms = 0;     // measured time
  // Undefined when no time passed.
  bool Definiert() const { return ms > 0; }
  double ZuegeJeSekunde() const {
    return static_cast<double>(zuege) / static_cast<double>(ms) * 1000;
  }
  double Prozent() const { return ZuegeJeSekunde() / kReferenzZuegeJeSekunde * 100; }
};

// Runs the measurement on the workers when parallel (and workers exist), else in the calling
// thread. The search ends at depth 13 or when the search is halted (the caller's timer does it
// after five seconds). The results of the game's last search are saved and restored, so the
// game and the evaluation table stay as they were. start is the host's clock at the click.
ScoreMessung MesseScore(HTSuche& ht, Suche& suche, Host& host, bool parallel, std::int64_t start);

}  // namespace quarne
