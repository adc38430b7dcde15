// Positions for tests in the command line's notation.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "core/geometry.h"
#include "core/position_notation.h"

namespace quarne::test {

inline Stellung Pos(std::string_view text) {
  StellungOderFehler s = LiesStellung(text);
  EXPECT_TRUE(s.stellung.has_value()) << s.fehler;
  return s.stellung.value_or(Stellung{});
}

// Points by name: P("a1 d1 g4").
inline Punkte P(std::string_view namen) {
  Punkte m = 0;
  for (std::size_t i = 0; i + 2 <= namen.size(); i += 3)
    for (int p = 0; p < kAnzahlPunkte; ++p)
      if (PunktName(Punkt(p)) == namen.substr(i, 2)) m |= Punkt(p);
  return m;
}

}  // namespace quarne::test
