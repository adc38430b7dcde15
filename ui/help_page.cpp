#include "ui/help_page.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace quarne {

QString HilfeSeite() {
  const QString ziel = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                           .filePath("tarvolin-hilfe.html");
  QFile::remove(ziel);
  QFile::copy(":/hilfe/hilfe.html", ziel);
  return ziel;
}

}  // namespace quarne
