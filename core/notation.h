// Move notation of the move list and the evaluation table.
#pragma once

#include <string>

#include "core/types.h"

namespace quarne {

// "a1 a4", "--- d1" for a placement, " M" after a mill, ":d7" for the removed stone.
std::string ZugText(Punkte von, Punkte nach, Punkte entf, bool muehle);

}  // namespace quarne
