// quarne-cli's commands run in-process, with what they print and return.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/commands.h"

namespace quarne::test {

struct Lauf {
  int code;
  std::string aus, fehler;
};

inline Lauf Rufe(std::vector<std::string> argumente) {
  std::ostringstream aus, fehler;
  const int code = FuehreBefehlAus(argumente, aus, fehler);
  return {code, aus.str(), fehler.str()};
}

inline std::vector<std::string> Zeilen(const std::string& text) {
  std::vector<std::string> z;
  std::istringstream in(text);
  for (std::string zeile; std::getline(in, zeile);) z.push_back(zeile);
  return z;
}

}  // namespace quarne::test
