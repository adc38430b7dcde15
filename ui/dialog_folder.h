// The folder the file dialogs start in: the last one the user picked a file from, else the
// program's choice.
#pragma once

#include <QString>

namespace quarne {

class ProgrammDateien;

class DialogOrdner {
 public:
  explicit DialogOrdner(const ProgrammDateien& dateien) : dateien_(dateien) {}

  QString Start() const;
  // Remembers the folder of a file the user picked.
  void Merke(const QString& datei);
  // The folder remembered, for the user's settings.
  const QString& Letzter() const { return letzter_; }
  void SetzeLetzter(const QString& ordner) { letzter_ = ordner; }

 private:
  const ProgrammDateien& dateien_;
  QString letzter_;
};

}  // namespace quarne
