// The debug tab "StepListe": the parallel search's dump of its cell tree.
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/controls.h"
#include "ui/main_window.h"

namespace quarne {

void TQuarneForm::BaueStepListeTab() {
  auto* raster = new QGridLayout(StepListe);
  SchreibBut = Neu<QPushButton>(StepListe, "SchreibBut", "Schreibe StepListe");
  SchreibePufferBut = Neu<QPushButton>(StepListe, "SchreibePufferBut", "Schreibe Puffer");
  LoescheBut = Neu<QPushButton>(StepListe, "LoescheBut", "Lösche");
  MemoStepListe = Neu<QPlainTextEdit>(StepListe, "MemoStepListe");
  MemoStepListe->setReadOnly(true);
  MemoStepListe->setLineWrapMode(QPlainTextEdit::NoWrap);
  raster->addWidget(SchreibBut, 0, 0);
  raster->addWidget(SchreibePufferBut, 0, 1);
  raster->addWidget(LoescheBut, 0, 2);
  raster->setColumnStretch(3, 1);
  raster->addWidget(MemoStepListe, 1, 0, 1, 4);
  connect(SchreibBut, &QPushButton::clicked, this, &TQuarneForm::SchreibButClick);
  connect(SchreibePufferBut, &QPushButton::clicked, this, &TQuarneForm::SchreibePufferButClick);
  connect(LoescheBut, &QPushButton::clicked, this, &TQuarneForm::LoescheButClick);
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
