// The debug tab "StepListe": the parallel search's dump of its cell tree.
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/controls.h"
#include "ui/design.h"
#include "ui/main_window.h"

namespace quarne {

void TQuarneForm::BaueStepListeTab() {
  // The buttons in a row at the top; the memo below them follows the tab's size.
  auto* knoepfe = new QWidget(StepListe);
  auto* reihe = new QHBoxLayout(knoepfe);
  SchreibBut = Neu<QPushButton>(knoepfe, "SchreibBut", "Schreibe StepListe");
  SchreibePufferBut = Neu<QPushButton>(knoepfe, "SchreibePufferBut", "Schreibe Puffer");
  LoescheBut = Neu<QPushButton>(knoepfe, "LoescheBut", "Lösche");
  for (QPushButton* b : {SchreibBut, SchreibePufferBut, LoescheBut}) reihe->addWidget(b);
  knoepfe->move(D(24) - reihe->contentsMargins().left(), D(24));
  knoepfe->adjustSize();
  MemoStepListe = Neu<QPlainTextEdit>(StepListe, "MemoStepListe");
  MemoStepListe->setReadOnly(true);
  MemoStepListe->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoStepListe->move(D(24), D(96));
  connect(SchreibBut, &QPushButton::clicked, this, &TQuarneForm::SchreibButClick);
  connect(SchreibePufferBut, &QPushButton::clicked, this, &TQuarneForm::SchreibePufferButClick);
  connect(LoescheBut, &QPushButton::clicked, this, &TQuarneForm::LoescheButClick);
}

void TQuarneForm::SetzeStepListeLayout() {
  MemoStepListe->resize(StepListe->width() - 2 * MemoStepListe->x(),
                        StepListe->height() - MemoStepListe->y() - 10);
}

void TQuarneForm::ZeigeStepListe() {
  // The dump ends its lines with "\r\n"; the memo wants one line break.
  MemoStepListe->setPlainText(QString::fromStdString(ht->StepListeText).replace("\r\n", "\n"));
}

void TQuarneForm::SchreibButClick() {
  ht->SchreibeStepListe();
  ZeigeStepListe();
}

void TQuarneForm::SchreibePufferButClick() {
  ZeigeStepListe();
}

void TQuarneForm::LoescheButClick() {
  ht->StepListeText.clear();
  MemoStepListe->clear();
}

}  // namespace quarne
