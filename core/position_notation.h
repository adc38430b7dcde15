// The command line's position notation:
//   "<24 Zeichen> <W|S> <gesetztW> <gesetztS> [<ohneQuarne>]"
// The 24 characters are the points in bit order (a1 d1 g1 g4 g7 d7 a7 a4 b2 … c4), each 'W',
// 'S' or '.'; then the colour to move, how many stones each colour has placed so far, and
// optionally the half-moves since the last mill (0 to 999, default 0) for the draw limit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/types.h"

namespace quarne {

struct Stellung {
  TZug zug;      // the move that led to the position, seen from the side that just moved
  TFarbe farbe;  // colour to move
};

struct StellungOderFehler {
  std::optional<Stellung> stellung;
  std::string fehler;  // German message when the notation is not accepted
};

StellungOderFehler LiesStellung(std::string_view text);

}  // namespace quarne
