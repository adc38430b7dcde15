// Every modal box, question, file dialog and beep of the window goes through here, so that tests
// can answer questions and pick files from a script and count beeps instead of blocking on a real
// box.
#pragma once

#include <QString>
#include <memory>

class QFileDialog;
class QMessageBox;
class QWidget;

namespace quarne {

class DialogDienst {
 public:
  virtual ~DialogDienst() = default;
  // A notice centred on the screen.
  virtual void ShowMessagePos(const QString& text) = 0;
  // A Yes/No warning centred on the screen; true for Yes. Every question of the program asks
  // before something is replaced or deleted, so No is the answer that Enter gives.
  virtual bool Frage(const QString& text) = 0;
  virtual void Beep() = 0;
  // A file dialog with a filter such as "Bibliothek (*.bib)"; the chosen path, or empty when
  // cancelled. Opening starts in ordner and wants an existing file; saving proposes the path
  // vorschlag and adds endung to a name without one.
  virtual QString OeffneDatei(const QString& filter, const QString& ordner) = 0;
  virtual QString SpeichereDatei(const QString& filter, const QString& vorschlag,
                                 const QString& endung) = 0;
  // Asks the desktop to show a local page; false when no program of the desktop shows it.
  virtual bool OeffneSeite(const QString& datei) = 0;
};

// The question box as Frage shows it, ready to be run.
std::unique_ptr<QMessageBox> FrageBox(const QString& text, QWidget* eltern);
// The dialog SpeichereDatei shows: in the proposal's folder, with its name filled in.
std::unique_ptr<QFileDialog> SpeicherDialog(const QString& filter, const QString& vorschlag,
                                            const QString& endung, QWidget* eltern);

class QtDialoge final : public DialogDienst {
 public:
  explicit QtDialoge(QWidget* eltern) : eltern_(eltern) {}
  void ShowMessagePos(const QString& text) override;
  bool Frage(const QString& text) override;
  void Beep() override;
  QString OeffneDatei(const QString& filter, const QString& ordner) override;
  QString SpeichereDatei(const QString& filter, const QString& vorschlag,
                         const QString& endung) override;
  bool OeffneSeite(const QString& datei) override;

 private:
  QWidget* eltern_;
};

}  // namespace quarne
