#include "ui/help_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "ui/program_files.h"

namespace quarne {

QString MitgelieferteSeite(const QString& name) {
  const QString installiert =
      QDir(ProgrammDateien::DatenOrdner(QCoreApplication::applicationDirPath())).filePath(name);
  if (QFile::exists(installiert)) return installiert;
  // The build tree has the pages only inside the program; the browser needs them as files.
  const QString ziel = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                           .filePath("tarvolin-" + name);
  QFile::remove(ziel);
  QFile::copy(":/seiten/" + name, ziel);
  return ziel;
}

}  // namespace quarne
