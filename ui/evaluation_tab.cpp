#include "ui/evaluation_tab.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>

#include "ui/controls.h"
#include "ui/design.h"
#include "ui/evaluation_table.h"

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

// The top of a tab within the page control that shows it.
int TabAbstand(const QWidget* tab) {
  for (const QWidget* w = tab->parentWidget(); w != nullptr; w = w->parentWidget())
    if (qobject_cast<const QTabWidget*>(w) != nullptr) return tab->mapTo(w, QPoint(0, 0)).y();
  return 0;
}

}  // namespace

BewertungTab::BewertungTab(const TStep& memStep, QWidget* eltern) : QWidget(eltern) {
  setObjectName("TabZuege");
  DenkzeitLab = Beschriftung(this, "DenkzeitLab", "Denkzeit:");
  DenkzeitEdit = Feld(this, "DenkzeitEdit");
  BerZuegeEd = Feld(this, "BerZuegeEd");
  ZPrS = Feld(this, "ZPrS");
  // The fields stand in one row above the table; the table's layout follows them.
  auto* kopf = new QWidget(this);
  kopf->setObjectName("TabZuegeKopf");
  auto* reihe = new QGridLayout(kopf);
  reihe->setContentsMargins(0, 0, 0, 0);
  reihe->addWidget(DenkzeitLab, 0, 0);
  reihe->addWidget(DenkzeitEdit, 0, 1);
  reihe->addWidget(Beschriftung(this, "BerZuegeLab", "Berechnete Züge:"), 0, 2);
  reihe->addWidget(BerZuegeEd, 0, 3);
  reihe->addWidget(Beschriftung(this, "ZPrSLab", "Zuege/Sekunde:"), 0, 4);
  reihe->addWidget(ZPrS, 0, 5);
  reihe->setColumnStretch(6, 1);
  kopf->setGeometry(D(60), D(27), D(1300), D(29) + 4);

  MemStepTabelleW = new MemStepTabelle(this);
  MemStepTabelleW->SetzeMemStep(&memStep);
  PrgrBarTab = new QProgressBar(this);
  PrgrBarTab->setObjectName("PrgrBarTab");
  PrgrBarTab->setTextVisible(false);
  PrgrBarTab->resize(D(400), D(25));
  PrgrBarTab->setValue(0);
  PrgrBarTab->hide();
  AnzDZuegeLbl = Beschriftung(this, "AnzDZuegeLbl", "Anzahl der bewerteten Züge: ");
  AnzDZuegeLbl->hide();
}

void BewertungTab::SetzeLayout() {
  // The row of figures as wide as the table below it.
  QWidget* kopf = DenkzeitLab->parentWidget();
  kopf->resize(width() - 2 * kopf->x(), kopf->height());
  kopf->layout()->activate();  // the fields' places below must be the new ones
  const QPoint lab = DenkzeitLab->mapTo(this, QPoint(0, 0));
  const QPoint edit = DenkzeitEdit->mapTo(this, QPoint(0, 0));
  const int tabelleOben = 2 * edit.y() + DenkzeitEdit->height();
  MemStepTabelleW->setGeometry(lab.x(), tabelleOben, width() - 2 * lab.x(),
                               height() - TabAbstand(this) - 2 * lab.x() - PrgrBarTab->height());
  const QRect tabelle = MemStepTabelleW->geometry();
  PrgrBarTab->setGeometry(lab.x(), tabelle.y() + tabelle.height(), tabelle.width(), D(25));
  AnzDZuegeLbl->move(lab.x(), PrgrBarTab->y() + static_cast<int>(PrgrBarTab->height() * 1.5));
  AnzDZuegeLbl->adjustSize();
}

void BewertungTab::ZeigeBewertung(int n, int anzahl, const QString& zeit, const QString& erzeugt,
                                  const QString& jeSekunde) {
  MemStepTabelleW->ZeigeBewertung();
  PrgrBarTab->setValue(n);
  PrgrBarTab->setMaximum(anzahl);
  AnzDZuegeLbl->setText(QString("Anzahl der bewerteten Züge: %1 / %2").arg(n).arg(anzahl));
  // The label stands free on its tab: it grows with its text, or the last digits are cut.
  AnzDZuegeLbl->adjustSize();
  DenkzeitEdit->setText(zeit);
  BerZuegeEd->setText(erzeugt);
  ZPrS->setText(jeSekunde);
}

void BewertungTab::VerbergeTabelle() {
  MemStepTabelleW->VerbergeTabelle();
  AnzDZuegeLbl->hide();
}

void BewertungTab::ZeigeTabelle(const TStep& wurzel, int anzahl) {
  if (!MemStepTabelleW->isHidden()) return;
  MemStepTabelleW->ZeigeTabelle(wurzel);
  PrgrBarTab->setMaximum(anzahl);
  PrgrBarTab->show();
  DenkzeitEdit->setText("---");
  AnzDZuegeLbl->show();
}

void BewertungTab::ZeigeBibliothekErgebnis() {
  DenkzeitEdit->setText("Bibliothek");
  ZPrS->setText("---");
}

}  // namespace quarne
