// Static value of a position after a move, from the mover's point of view.
// A = the mover's stones, B = the opponent's stones.
#pragma once

#include <cstdint>

#include "core/types.h"
#include "engine/settings.h"

namespace quarne {

// Lines free of opposing stones whose every gap an own stone can reach from off the line,
// by number of own stones on them: c1 two, c2 one, c3 none.
struct OffeneLinienZahl {
  std::uint8_t c1, c2, c3;
};

// Own closed mills by kind.
struct QuarnenZahl {
  std::uint8_t bewacht, unbewacht, zwick;
};

struct BeweglichkeitZahl {
  std::uint8_t zuegeB, zuegeA;   // moves to empty neighbours
  std::uint8_t steineB, steineA;
  std::int8_t positionsSumme;    // midpoints: ±1 outer/inner, ±2 middle square
};

OffeneLinienZahl OffeneLinien(Punkte a, Punkte b);
QuarnenZahl GeschlosseneQuarnen(Punkte a, Punkte b);
BeweglichkeitZahl Beweglichkeit(Punkte a, Punkte b);

// Mobility and position ("Bewertung für jeden Zug einer Zugfolge").
double ZugBewertung(Punkte a, Punkte b, const Einstellungen& e);
// Lines and mills ("Endbewertung einer Zugfolge"), with the virtual or the real weights.
double EndBewertung(Punkte a, Punkte b, bool virtuell, const Einstellungen& e);

}  // namespace quarne
