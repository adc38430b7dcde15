// Every modal box, question and beep of the window goes through here, so that tests can answer
// questions from a script and count beeps instead of blocking on a real box.
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
};

class QtDialoge final : public DialogDienst {
 public:
  explicit QtDialoge(QWidget* eltern) : eltern_(eltern) {}
  void ShowMessagePos(const QString& text) override;
  bool Frage(const QString& text) override;
  void Beep() override;

 private:
  QWidget* eltern_;
};

}  // namespace quarne
