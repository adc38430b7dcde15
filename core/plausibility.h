// What a move record read from a file may hold before the game or the search sees it: files carry
// any byte in an enumeration and any number in a count.
#pragma once

#include "core/types.h"

namespace quarne {

// Stones on the board's 24 points, the two sides apart and AlleSteine their union; every counter
// of a side 0 to 9; phases and the result kind among their values; half-moves without a mill
// from 0 to far beyond any draw limit.
bool MoeglicherZug(const TZug& z);

}  // namespace quarne
