// Static value of a position after a move, from the mover's point of view.
// A = the mover's stones, B = the opponent's stones.
#pragma once

#include <cstdint>

#include "core/types.h"
#include "engine/settings.h"

namespace quarne {

// Each counting function returns its counts packed in one machine word.

// Lines free of opposing stones whose every gap an own stone can reach from off the line, by
// number of own stones on them: c1 two, c2 one, c3 none (bytes 0, 1, 2).
struct OffeneLinienZahl {
  std::uint32_t wort;
  int c1() const { return wort & 0xFF; }
  int c2() const { return (wort >> 8) & 0xFF; }
  int c3() const { return (wort >> 16) & 0xFF; }
};

// Own closed mills by kind: guarded, unguarded, double mills (bytes 0, 1, 2).
struct QuarnenZahl {
  std::uint32_t wort;
  int bewacht() const { return wort & 0xFF; }
  int unbewacht() const { return (wort >> 8) & 0xFF; }
  int zwick() const { return (wort >> 16) & 0xFF; }
};

// Moves to empty neighbours of B (bits 0-7) and A (8-15), stones of B (16-19) and A (20-23),
// and the position sum over the midpoints, ±1 outer and inner, ±2 middle square (24-31,
// two's complement).
struct BeweglichkeitZahl {
  std::uint32_t wort;
  int zuegeB() const { return wort & 0xFF; }
  int zuegeA() const { return (wort >> 8) & 0xFF; }
  int steineB() const { return (wort >> 16) & 0xF; }
  int steineA() const { return (wort >> 20) & 0xF; }
  int positionsSumme() const { return static_cast<std::int8_t>(wort >> 24); }
};

OffeneLinienZahl OffeneLinien(Punkte a, Punkte b);
QuarnenZahl GeschlosseneQuarnen(Punkte a, Punkte b);
BeweglichkeitZahl Beweglichkeit(Punkte a, Punkte b);

// Mobility and position ("Bewertung für jeden Zug einer Zugfolge").
double ZugBewertung(Punkte a, Punkte b, const Einstellungen& e);
// Lines and mills ("Endbewertung einer Zugfolge"), with the virtual or the real weights.
double EndBewertung(Punkte a, Punkte b, bool virtuell, const Einstellungen& e);

}  // namespace quarne
