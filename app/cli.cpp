// quarne-cli: the engine without a window, for users, scripts and benchmarks.
#include <iostream>
#include <string>
#include <vector>

#include "app/commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argumente(argv + 1, argv + argc);
  return quarne::FuehreBefehlAus(argumente, std::cout, std::cerr);
}
