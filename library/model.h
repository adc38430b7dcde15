// The opening library in memory: 19 levels of positions of the placing phase, level L holding
// the positions with L stones placed in all, each entry with the move that leads into it and,
// once calculated, the range of its children in the next level.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/types.h"

namespace quarne {

constexpr int kBibStufen = kSetzZuege + 1;  // levels 0..18, by the stones placed

// The role of an entry.
enum TrSC : std::uint8_t {
  rC = 0,  // the computer is to move; calculated, its children are all its moves
  rS = 1,  // the player is to move, after one of the computer's equally best moves
  r0 = 2,  // one of the computer's other moves, kept with its value
};

struct TBibZug {
  TZug Zug{};                      // leads into the entry's position (Zug.BrettNachZug)
  std::int32_t BibVon = -1;        // first child in the next level; -1: none
  std::int32_t BibBis = -1;        // last child in the next level; -1: none
  std::int32_t BibDenkTiefe = 0;   // depth of the calculation that produced the children
  std::int32_t BibVirtuellAb = 0;  // VirtuellAb of that calculation, handed back unchanged
  bool BibZuBerechnen = false;     // the representative of its position and role in the level
  bool BibBerechnet = false;       // has children
  bool ZuLoeschen = false;         // marked while a branch is deleted or the library checked
  bool Frei = false;               // in no parent's child range
  TrSC rSC = rC;
};

// The size of an entry as stored, and as the library tab counts memory.
constexpr int kBibZugBytes = 472;

// The side to move in the positions of level L.
constexpr TFarbe AmZug(int stufe) {
  return stufe % 2 == 1 ? clSchwarz : clWeiss;
}

// Target search depth for building a level, by default.
constexpr int StandardBibTiefe(int stufe) {
  return stufe <= 1 ? 13 : stufe <= 6 ? 12 : 11;
}

struct TBibSegm {
  bool BibAktiv = false;  // switched on for building
  std::int32_t BibTiefe = 0;
  std::vector<TBibZug> BibZuege;

  std::int32_t BibCnt() const { return static_cast<std::int32_t>(BibZuege.size()); }
};

// Level 0 once building has started: the empty board with the computer as White and with the
// player as White, each a representative in no parent's range.
inline std::vector<TBibZug> WurzelEintraege() {
  std::vector<TBibZug> wurzeln(2);
  for (TBibZug& e : wurzeln) e.BibZuBerechnen = e.Frei = true;
  wurzeln[1].rSC = rS;
  return wurzeln;
}

// The main library, and the one a merge reads another file into.
class TBibliothek {
 public:
  TBibliothek() { Leeren(); }

  std::array<TBibSegm, kBibStufen> Stufen;
  // Set by every change of entries; a changed main library is saved at the end.
  bool Geaendert = false;

  TBibSegm& operator[](int stufe) { return Stufen[static_cast<std::size_t>(stufe)]; }
  const TBibSegm& operator[](int stufe) const { return Stufen[static_cast<std::size_t>(stufe)]; }

  // 19 empty levels, switched off, at their default depths.
  void Leeren() {
    for (int L = 0; L < kBibStufen; ++L)
      Stufen[static_cast<std::size_t>(L)] = {false, StandardBibTiefe(L), {}};
  }
};

}  // namespace quarne
