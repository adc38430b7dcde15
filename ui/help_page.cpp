#include "ui/help_page.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace quarne {

QString MitgelieferteSeite(const QString& name) {
  // The pages are built into the program; the browser needs them as files.
  const QString ziel = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                           .filePath("tarvolin-" + name);
  QFile::remove(ziel);
  QFile::copy(":/seiten/" + name, ziel);
  return ziel;
}

}  // namespace quarne
