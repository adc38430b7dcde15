// The evaluation tab "Zugbewertung": thinking time, generated moves and the table of every
// first move of the computer.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "ui/controls.h"
#include "ui/design.h"
#include "ui/evaluation_table.h"
#include "ui/main_window.h"

namespace quarne {
namespace {

QLineEdit* Feld(QWidget* eltern, const char* name) {
  QLineEdit* e = Anzeigefeld(eltern, name);
  e->setMaximumWidth(D(260));
  return e;
}

QLabel* Beschriftung(QWidget* eltern, const char* name, const QString& text) {
  auto* l = new QLabel(text, eltern);
  l->setObjectName(name);
  return l;
}

}  // namespace

void TQuarneForm::BaueBewertungTab() {
  QWidget* tab = TabZuege;
  DenkzeitLab = Beschriftung(tab, "DenkzeitLab", "Denkzeit:");
  DenkzeitEdit = Feld(tab, "DenkzeitEdit");
  BerZuegeEd = Feld(tab, "BerZuegeEd");
  ZPrS = Feld(tab, "ZPrS");
  // The fields stand in one row above the table; the table's layout follows them.
  auto* kopf = new QWidget(tab);
  kopf->setObjectName("TabZuegeKopf");
  auto* reihe = new QGridLayout(kopf);
  reihe->setContentsMargins(0, 0, 0, 0);
  reihe->addWidget(DenkzeitLab, 0, 0);
  reihe->addWidget(DenkzeitEdit, 0, 1);
  reihe->addWidget(Beschriftung(tab, "BerZuegeLab", "Berechnete Züge:"), 0, 2);
  reihe->addWidget(BerZuegeEd, 0, 3);
  reihe->addWidget(Beschriftung(tab, "ZPrSLab", "Zuege/Sekunde:"), 0, 4);
  reihe->addWidget(ZPrS, 0, 5);
  reihe->setColumnStretch(6, 1);
  kopf->setGeometry(D(60), D(27), D(1300), D(29) + 4);

  MemStepTabelleW = new MemStepTabelle(tab);
  PrgrBarTab = new QProgressBar(tab);
  PrgrBarTab->setObjectName("PrgrBarTab");
  PrgrBarTab->setTextVisible(false);
  PrgrBarTab->resize(D(400), D(25));
  PrgrBarTab->setValue(0);
  PrgrBarTab->hide();
  AnzDZuegeLbl = Beschriftung(tab, "AnzDZuegeLbl", "Anzahl der bewerteten Züge: ");
  AnzDZuegeLbl->hide();
}

}  // namespace quarne
