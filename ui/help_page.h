// The pages shipped with the program (help, about), shown in the desktop's browser.
#pragma once

#include <QString>

namespace quarne {

// A local path of the shipped page `name` ("hilfe.html", "ueber.html") that a browser can open:
// the installed file, or else a copy of the page built into the program.
QString MitgelieferteSeite(const QString& name);

}  // namespace quarne
