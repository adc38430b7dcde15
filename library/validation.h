// What may enter the library: positions of the placing phase in the level their stones name,
// move records whose every field the lookup, the search and the displays can take, and
// calculations that hold every legal move of their position once.
#pragma once

#include <span>
#include <string>

#include "core/types.h"
#include "engine/search.h"
#include "library/model.h"

namespace quarne {

// A position with L stones placed in all, seen from the side that placed the last one (White
// when L is odd): its stones on the board and apart, its counters those of the stones.
bool StellungDerStufe(const TBrett& b, int L);

// A move record as a library may hold it: besides what MoeglicherZug asks, its points and those
// of its principal line are single points or none, and its values are finite numbers.
bool ZugLesbar(const TZug& z);

// An entry that level L of a library file may hold.
bool EintragMoeglich(const TBibZug& e, int L);

// Why the calculation `zuege` of the position after zug cannot be stored, or empty when it can:
// the position lies in a level 0 to 17 that can be calculated, the depths are those of a search,
// and the moves are the position's legal moves, each once, as the search generates them.
std::string PruefeBerechnung(Suche& suche, const TZug& zug, std::span<const TZug> zuege, int tiefe,
                             int virtuellAb);

}  // namespace quarne
