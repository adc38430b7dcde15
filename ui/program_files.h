// Where the program keeps its own files ("Bibliothek5.bib", "Autosave.bib", "Log.ml"): next to
// the program, as in the build tree; an installed copy keeps them in the user's data folder
// instead, seeded from the shipped files, which lie next to the program or in the installed data
// folder (share/tarvolin beside the program's bin folder).
#pragma once

#include <QString>

namespace quarne {

class ProgrammDateien {
 public:
  // The running program's folder, see below.
  ProgrammDateien();
  // An installed copy, recognised by its data folder, never writes beside its program even
  // when it could (run by root, or installed into the user's home); otherwise the files stay
  // next to the program when its folder can be written.
  explicit ProgrammDateien(const QString& programmOrdner);
  ProgrammDateien(QString programmOrdner, bool beschreibbar);

  // The folder the kept files live in.
  const QString& Ordner() const { return ordner_; }
  // Where the window's file dialogs start: the program's folder, or the user's documents (their
  // home when there is no documents folder) when the files are kept in the data folder.
  QString DialogOrdner() const;
  // The path of a kept file. In the data folder, a missing file is first copied from the shipped
  // one, when there is one.
  QString Datei(const QString& name) const;
  // A file that is only read, such as the shipped backup: the kept copy if there is one, else
  // the shipped file.
  QString Installiert(const QString& name) const;

  // Whether files can be written in ordner (found by creating and removing a temporary file, so
  // that no existing file is touched).
  static bool OrdnerBeschreibbar(const QString& ordner);
  // The installed data folder of a program in programmOrdner, whether or not it exists.
  static QString DatenOrdner(const QString& programmOrdner);

 private:
  // The shipped file: next to the program, else in the installed data folder.
  QString Mitgeliefert(const QString& name) const;

  QString programm_;
  QString ordner_;
};

}  // namespace quarne
