#include "ui/steplist_tab.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "parallel/driver.h"
#include "ui/controls.h"
#include "ui/design.h"

namespace quarne {

StepListeTab::StepListeTab(HTSuche& ht, QWidget* eltern) : QWidget(eltern), ht_(ht) {
  setObjectName("StepListe");
  // The buttons in a row at the top; the memo below them follows the tab's size.
  auto* knoepfe = new QWidget(this);
  auto* reihe = new QHBoxLayout(knoepfe);
  SchreibBut = Neu<QPushButton>(knoepfe, "SchreibBut", "Schreibe StepListe");
  SchreibePufferBut = Neu<QPushButton>(knoepfe, "SchreibePufferBut", "Schreibe Puffer");
  LoescheBut = Neu<QPushButton>(knoepfe, "LoescheBut", "Lösche");
  for (QPushButton* b : {SchreibBut, SchreibePufferBut, LoescheBut}) reihe->addWidget(b);
  knoepfe->move(D(24) - reihe->contentsMargins().left(), D(24));
  knoepfe->adjustSize();
  MemoStepListe = Neu<QPlainTextEdit>(this, "MemoStepListe");
  MemoStepListe->setReadOnly(true);
  MemoStepListe->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoStepListe->move(D(24), D(96));
  connect(SchreibBut, &QPushButton::clicked, this, &StepListeTab::SchreibButClick);
  connect(SchreibePufferBut, &QPushButton::clicked, this, &StepListeTab::ZeigeStepListe);
  connect(LoescheBut, &QPushButton::clicked, this, &StepListeTab::LoescheButClick);
}

void StepListeTab::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  MemoStepListe->resize(width() - 2 * MemoStepListe->x(), height() - MemoStepListe->y() - 10);
}

void StepListeTab::ZeigeStepListe() {
  // The dump ends its lines with "\r\n"; the memo wants one line break.
  MemoStepListe->setPlainText(QString::fromStdString(ht_.StepListeText).replace("\r\n", "\n"));
}

void StepListeTab::SchreibButClick() {
  ht_.SchreibeStepListe();
  ZeigeStepListe();
}

void StepListeTab::LoescheButClick() {
  ht_.StepListeText.clear();
  MemoStepListe->clear();
}

}  // namespace quarne
