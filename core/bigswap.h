// Turning a position to the other side's point of view.
#pragma once

#include "core/types.h"

namespace quarne {

// Which side's counters contradict each other after the turn (lost + on board != placed).
struct BigSwapFehler {
  bool ziehend = false;  // "Plausifehler #01"
  bool stehend = false;  // "Plausifehler #02"
};

// Phase of a side from its counters; a side below three stones after placing keeps its phase.
TSpielPhase NeuePhase(TSpielPhase bisher, std::int32_t gesetzt, std::int32_t anzahl);

// Exchanges the two sides' stones and counters and recomputes both phases.
BigSwapFehler HTBigSwap(TBrett& b);

}  // namespace quarne
