// The pages shipped with the program (help, about), shown in the desktop's browser.
#pragma once

#include <QString>

namespace quarne {

// A local path of the shipped page `name` ("hilfe.html", "ueber.html") that a browser can open.
QString MitgelieferteSeite(const QString& name);

}  // namespace quarne
