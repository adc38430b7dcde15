// Read-only view of the moves already played, for the repetition rule.
#pragma once

#include "core/types.h"

namespace quarne {

class SpielVerlauf {
 public:
  virtual ~SpielVerlauf() = default;
  // Number of moves played so far.
  virtual int Anzahl() const = 0;
  // For move i (1..Anzahl): the record that led to the position before it (its position seen
  // from the side that made move i) and that side's colour.
  virtual const TZug& VorDemZug(int i) const = 0;
  virtual TFarbe Farbe(int i) const = 0;
};

// A game without moves before the searched position.
class LeererVerlauf final : public SpielVerlauf {
 public:
  int Anzahl() const override { return 0; }
  const TZug& VorDemZug(int) const override;
  TFarbe Farbe(int) const override { return clWeiss; }
};

}  // namespace quarne
