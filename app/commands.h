// The commands of quarne-cli.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quarne {

// Runs one command line (without the program name); returns the exit code: 0 done,
// 2 bad input.
int FuehreBefehlAus(const std::vector<std::string>& argumente, std::ostream& aus,
                    std::ostream& fehler);

}  // namespace quarne
