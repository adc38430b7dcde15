// The benchmark "Quarne Score" as the window shows it.
#pragma once

#include <QString>

#include "parallel/benchmark.h"

namespace quarne {

// "1234% (24.063.000 Züge/Sek)" in the user's number format; "Undefined" when no time passed.
QString ScoreText(const ScoreMessung& messung);

}  // namespace quarne
