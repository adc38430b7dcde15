// Where the program keeps its own files ("Bibliothek5.bib", "Autosave.bib", "Log.ml"): next to
// the program, as always; an installed copy, whose folder the user cannot write, keeps them in
// the user's data folder instead, seeded from the files installed next to the program.
#pragma once

#include <QString>

namespace quarne {

class ProgrammDateien {
 public:
  // The program's own folder, and whether files can be written there (found by creating and
  // removing a temporary file, so that no existing file is touched).
  ProgrammDateien();
  ProgrammDateien(QString programmOrdner, bool beschreibbar);

  // The folder the kept files live in.
  const QString& Ordner() const { return ordner_; }
  // Where the window's file dialogs start: the program's folder, or the user's documents when
  // the program's folder cannot be written.
  QString DialogOrdner() const;
  // The path of a kept file. In the data folder, a missing file is first copied from the one
  // installed next to the program, when there is one.
  QString Datei(const QString& name) const;
  // A file that is only read, such as the installed backup: the kept copy if there is one,
  // else the installed file.
  QString Installiert(const QString& name) const;

  static bool OrdnerBeschreibbar(const QString& ordner);

 private:
  QString programm_;
  QString ordner_;
};

}  // namespace quarne
