// Every modal box, question, file dialog and beep of the window goes through here, so that tests
// can answer questions and pick files from a script and count beeps instead of blocking on a real
// box.
#pragma once

#include <QString>

class QWidget;

namespace quarne {

class DialogDienst {
 public:
  virtual ~DialogDienst() = default;
  // A notice centred on the screen.
  virtual void ShowMessagePos(const QString& text) = 0;
  // A Yes/No warning centred on the screen; true for Yes.
  virtual bool Frage(const QString& text) = 0;
  virtual void Beep() = 0;
  // A file dialog starting in ordner with a filter such as "Bibliothek (*.bib)"; the chosen path,
  // or empty when cancelled. Opening wants an existing file; saving adds endung to a name
  // without one.
  virtual QString OeffneDatei(const QString& filter, const QString& ordner) = 0;
  virtual QString SpeichereDatei(const QString& filter, const QString& ordner,
                                 const QString& endung) = 0;
};

class QtDialoge final : public DialogDienst {
 public:
  explicit QtDialoge(QWidget* eltern) : eltern_(eltern) {}
  void ShowMessagePos(const QString& text) override;
  bool Frage(const QString& text) override;
  void Beep() override;
  QString OeffneDatei(const QString& filter, const QString& ordner) override;
  QString SpeichereDatei(const QString& filter, const QString& ordner,
                         const QString& endung) override;

 private:
  QWidget* eltern_;
};

}  // namespace quarne
