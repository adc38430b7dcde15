// Positions for tests in the command line's notation.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "core/position_notation.h"

namespace quarne::test {

inline Stellung Pos(std::string_view text) {
  StellungOderFehler s = LiesStellung(text);
  EXPECT_TRUE(s.stellung.has_value()) << s.fehler;
  return s.stellung.value_or(Stellung{});
}

}  // namespace quarne::test
