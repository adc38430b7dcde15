#include "ui/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <utility>

namespace quarne {

ProgrammDateien::ProgrammDateien() : ProgrammDateien(QCoreApplication::applicationDirPath()) {}

ProgrammDateien::ProgrammDateien(const QString& programmOrdner)
    : ProgrammDateien(programmOrdner, !QDir(DatenOrdner(programmOrdner)).exists() &&
                                          OrdnerBeschreibbar(programmOrdner)) {}

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

QString ProgrammDateien::DatenOrdner(const QString& programmOrdner) {
  // The build gives the data folder relative to the program's, so that an installed tree works
  // wherever it is moved.
  return QDir::cleanPath(QDir(programmOrdner).filePath(QStringLiteral(QUARNE_DATEN_RELATIV)));
}

QString ProgrammDateien::DialogOrdner() const {
  if (ordner_ == programm_) return programm_;
  // Not every account has a documents folder; a dialog must never start in one that is missing.
  const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QDir(dokumente).exists() ? dokumente : QDir::homePath();
}

QString ProgrammDateien::Mitgeliefert(const QString& name) const {
  const QString neben = QDir(programm_).filePath(name);
  const QString daten = QDir(DatenOrdner(programm_)).filePath(name);
  return QFile::exists(neben) || !QFile::exists(daten) ? neben : daten;
}

QString ProgrammDateien::Datei(const QString& name) const {
  const QString pfad = QDir(ordner_).filePath(name);
  if (ordner_ == programm_ || QFile::exists(pfad)) return pfad;
  const QString mitgeliefert = Mitgeliefert(name);
  if (QFile::exists(mitgeliefert)) {
    QFile::copy(mitgeliefert, pfad);
    // Installed files are read-only; the kept copy must not be.
    QFile::setPermissions(pfad, QFile::permissions(pfad) | QFile::WriteOwner);
  }
  return pfad;
}

QString ProgrammDateien::Installiert(const QString& name) const {
  const QString kopie = QDir(ordner_).filePath(name);
  return QFile::exists(kopie) ? kopie : Mitgeliefert(name);
}

}  // namespace quarne
