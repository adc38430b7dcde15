#include "ui/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace quarne {

ProgrammDateien::ProgrammDateien()
    : ProgrammDateien(QCoreApplication::applicationDirPath(),
                      OrdnerBeschreibbar(QCoreApplication::applicationDirPath())) {}

ProgrammDateien::ProgrammDateien(QString programmOrdner, bool beschreibbar)
    : programm_(std::move(programmOrdner)),
      ordner_(beschreibbar ? programm_
                           : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)) {
  QDir().mkpath(ordner_);
}

bool ProgrammDateien::OrdnerBeschreibbar(const QString& ordner) {
  QTemporaryFile probe(QDir(ordner).filePath("schreibprobe-XXXXXX"));
  return probe.open();
}

QString ProgrammDateien::DialogOrdner() const {
  return ordner_ == programm_ ? programm_
                              : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString ProgrammDateien::Datei(const QString& name) const {
  const QString pfad = QDir(ordner_).filePath(name);
  const QString installiert = QDir(programm_).filePath(name);
  if (ordner_ != programm_ && !QFile::exists(pfad) && QFile::exists(installiert)) {
    QFile::copy(installiert, pfad);
    // Installed files are read-only; the kept copy must not be.
    QFile::setPermissions(pfad, QFile::permissions(pfad) | QFile::WriteOwner);
  }
  return pfad;
}

QString ProgrammDateien::Installiert(const QString& name) const {
  const QString kopie = QDir(ordner_).filePath(name);
  return QFile::exists(kopie) ? kopie : QDir(programm_).filePath(name);
}

}  // namespace quarne
