// The help page, shipped inside the program and shown in the browser.
#pragma once

#include <QString>

namespace quarne {

// Path of the help page as a file the browser can open (written on first use).
QString HilfeSeite();

}  // namespace quarne
