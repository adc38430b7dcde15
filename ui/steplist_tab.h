// The debug tab "StepListe": the parallel search's dump of its cell tree.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace quarne {

class HTSuche;

class StepListeTab : public QWidget {
  Q_OBJECT

 public:
  explicit StepListeTab(HTSuche& ht, QWidget* eltern = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ZeigeStepListe();
  void SchreibButClick();
  void LoescheButClick();

  HTSuche& ht_;
  QPushButton *SchreibBut = nullptr, *SchreibePufferBut = nullptr, *LoescheBut = nullptr;
  QPlainTextEdit* MemoStepListe = nullptr;
};

}  // namespace quarne
