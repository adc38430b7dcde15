// What a list-mode pass of the search leaves behind for the parallel search: the top of the
// game tree, one level of entries per ply. The tree itself belongs to the parallel search; the
// search only appends to it and marks the wins it meets.
#pragma once

#include "core/types.h"

namespace quarne {

class ListenBaum {
 public:
  virtual ~ListenBaum() = default;

  // Empties all 16 levels.
  virtual void Leeren() = 0;
  // Appends a finished move of ply L below entry eltern of level L - 1 (-1 at level 1) and
  // returns its index in level L.
  virtual int HTAddZug(int L, const TZug& zug, bool bewertet, int eltern) = 0;
  // Entry index of level s wins at once in iteration d: by a mill against a flying side
  // (hrQuarne) or because the reply side has no move (hrBlock).
  virtual void SofortGewinn(int s, int index, THintRes art, int d) = 0;
  // Entries of level L that are not yet decided.
  virtual int Offene(int L) const = 0;
};

}  // namespace quarne
