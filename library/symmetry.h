// The 16 symmetries of the board on point masks, moves and steps. Within each ring of 8 bits the
// points follow each other around the square, corners on even bits, so a quarter turn is a
// shift by two bits inside every ring.
#pragma once

#include <array>

#include "core/types.h"

namespace quarne {

// A quarter turn: in each ring bit k moves to bit (k - 2) mod 8.
constexpr Punkte Drehen(Punkte p) {
  return ((p >> 2) & 0x3F3F3F) | ((p & 0x030303) << 6);
}

// A reflection: in each ring bit k moves to bit (2 - k) mod 8.
constexpr Punkte Spiegeln(Punkte p) {
  Punkte bild = 0;
  for (int ring = 0; ring < 3; ++ring)
    for (int k = 0; k < 8; ++k)
      if (p & (Punkte{1} << (8 * ring + k))) bild |= Punkte{1} << (8 * ring + (10 - k) % 8);
  return bild;
}

// The outer and the inner square change places; the middle square stays.
constexpr Punkte RingTausch(Punkte p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// T(m, s, r): Spiegeln if m, then RingTausch if s, then r quarter turns.
struct TSymmetrie {
  bool m = false;
  bool s = false;
  int r = 0;  // 0..3

  friend bool operator==(const TSymmetrie&, const TSymmetrie&) = default;
};

// The 16 symmetries in the order in which a lookup tries them: (m, s) = (0,0), (1,0), (0,1),
// (1,1), and within each r = 0..3.
inline constexpr std::array<TSymmetrie, 16> kSymmetrien = [] {
  std::array<TSymmetrie, 16> t{};
  for (int i = 0; i < 16; ++i)
    t[static_cast<std::size_t>(i)] = {(i / 4) % 2 == 1, i / 8 == 1, i % 4};
  return t;
}();

Punkte Transformiere(Punkte p, TSymmetrie t);
// The inverse of T(m, s, r): (4 - r) mod 4 quarter turns, then RingTausch if s, then Spiegeln
// if m.
Punkte Ruecktransformiere(Punkte p, TSymmetrie t);

// The move's points, both sides' stones of its position and the points of its principal line
// are mapped; AlleSteine is rebuilt from the two stone sets. Nothing else changes.
void TransformiereZug(TZug& z, TSymmetrie t);
void RuecktransformiereZug(TZug& z, TSymmetrie t);

// The same for the first ZuegeAnzahl moves of a step (at most its capacity).
void TransformiereZuege(TStep& s, TSymmetrie t);
void RuecktransformiereZuege(TStep& s, TSymmetrie t);

}  // namespace quarne
