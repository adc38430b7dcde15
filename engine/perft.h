// Counting the moves of a full-width walk, to check move generation against known figures.
#pragma once

#include <cstdint>

#include "engine/stepstack.h"

namespace quarne {

class Perft final : public StepStack {
 public:
  using StepStack::StepStack;

  // Moves generated at ply tiefe when every ply generates all its moves (every removal
  // variant; a winning mill does not stop generation), only ordinary moves are descended into,
  // and no ply is virtual.
  std::int64_t Zaehle(const TZug& zug, int zugNummer, TFarbe farbe, int tiefe,
                      const SpielVerlauf& verlauf);

 protected:
  // The walk tests nothing: generation is told not to call this.
  bool HTTestung(int, int, bool) override { return false; }

 private:
  std::int64_t Ebene(int s, int tiefe);
};

}  // namespace quarne
