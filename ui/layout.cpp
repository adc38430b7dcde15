// Placing the controls of the main tab, the evaluation tab and the library tab whenever the
// window's size changes; each board view gets its new drawing area.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include "ui/board_widget.h"
#include "ui/design.h"
#include "ui/evaluation_table.h"
#include "ui/library_grid.h"
#include "ui/main_window.h"
#include "ui/move_list.h"

namespace quarne {
namespace {

int T(double x) {
  return static_cast<int>(x);
}

}  // namespace

void TQuarneForm::SetzeLayout() {
  const int W = TabOben->width(), H = TabOben->height();
  const int rand = BrettPanel->x();

  const int brettOben = PanelWeiss->y() + PanelWeiss->height() + rand;
  BrettPanel->setGeometry(rand, brettOben, W - MovesGridW->width() - 2 * rand,
                          H - brettOben - rand);
  const QRect brett = BrettPanel->geometry();
  MovesGridW->setGeometry(brett.x() + brett.width() - 1, brett.y() + 1, MovesGridW->width(),
                          brett.height() - XBut->height());
  TabObPanel->setGeometry(brett.x() + brett.width() - 1, D(18), MovesGridW->width(),
                          TabObPanel->height());

  if (brett.width() > 3 * PanelWeiss->width()) {
    const int c = brett.x() + brett.width() / 2, k = T(PanelWeiss->width() * 1.5);
    PanelWeiss->move(c - k, D(18));
    PanelSchwarz->move(c + k - PanelSchwarz->width(), D(18));
  } else {
    PanelWeiss->move(brett.x(), D(18));
    PanelSchwarz->move(brett.x() + brett.width() - PanelSchwarz->width(), D(18));
  }

  WechselBut->move(brett.x() + brett.width() / 2 - WechselBut->width() / 2,
                   PanelWeiss->y() + PanelWeiss->height() / 2 - WechselBut->height() / 2);
  ZurueckButn->move(WechselBut->x(), PanelWeiss->y());

  PanelWBlink->move(PanelWBlink->x(),
                    PanelWeiss->height() - PanelWBlink->height() - PanelWBlink->x());
  PanelSBlink->move(PanelSBlink->x(),
                    PanelSchwarz->height() - PanelSBlink->height() - PanelSBlink->x());
  const int innen = D(12);
  for (QWidget* p : {PanelSpieler, PanelSp1, PanelComp, PanelSp2}) {
    const QWidget* blink = p->parentWidget();
    p->setGeometry(innen, innen, blink->width() - 2 * innen - 3, blink->height() - 2 * innen - 3);
  }
  PanelWeiss->show();
  PanelSchwarz->show();
  WeissLab->move(WeissLab->x(), 2);
  SchwarzLab->move(SchwarzLab->x(), 2);

  MovesGridW->SetzeSpaltenBreiten();
  BrettBP->setGeometry(0, 0, brett.width(), brett.height());

  NeuBut->setGeometry(WechselBut->x(), PanelWeiss->y() + PanelWeiss->height() - NeuBut->height(),
                      WechselBut->width(), NeuBut->height());

  const QRect liste = MovesGridW->geometry();
  const double anteil[] = {0, 0.2, 0.4, 0.6, 0.8};
  QPushButton* navigation[] = {AllUp, OneUp, XBut, OneDown, AllDown};
  for (int i = 0; i < 5; ++i)
    navigation[i]->setGeometry(liste.x() - 1 + T(liste.width() * anteil[i]),
                               liste.y() + liste.height() - 1, T(liste.width() * 0.2) + 3,
                               AllUp->height());

  // In the lower right corner of the thread group, inside its frame, beside the item it counts.
  const QMargins gruppe = CPURadio.box->layout()->contentsMargins();
  CPUSPE->move(CPURadio.box->width() - CPUSPE->width() - gruppe.right(),
               CPURadio.box->height() - CPUSPE->height() - gruppe.bottom());

  ImageHintergrund->setGeometry(brett.x(), 0, brett.width() + liste.width() - 1, liste.y() - 1);
  ImageHintergrund->lower();

  // Evaluation tab: the row of figures as wide as the table below it.
  QWidget* kopf = DenkzeitLab->parentWidget();
  kopf->resize(TabZuege->width() - 2 * kopf->x(), kopf->height());
  kopf->layout()->activate();  // the fields' places below must be the new ones
  const QPoint lab = DenkzeitLab->mapTo(TabZuege, QPoint(0, 0));
  const QPoint edit = DenkzeitEdit->mapTo(TabZuege, QPoint(0, 0));
  const int tabOben = TabZuege->mapTo(PageControl, QPoint(0, 0)).y();
  const int tabelleOben = 2 * edit.y() + DenkzeitEdit->height();
  MemStepTabelleW->setGeometry(lab.x(), tabelleOben, TabZuege->width() - 2 * lab.x(),
                               TabZuege->height() - tabOben - 2 * lab.x() - PrgrBarTab->height());
  const QRect tabelle = MemStepTabelleW->geometry();
  PrgrBarTab->setGeometry(lab.x(), tabelle.y() + tabelle.height(), tabelle.width(), D(25));
  AnzDZuegeLbl->move(lab.x(), PrgrBarTab->y() + T(PrgrBarTab->height() * 1.5));
  AnzDZuegeLbl->adjustSize();
}

void TQuarneForm::SetzeBibLayout() {
  const int Wb = BibSheet->width(), Hb = BibSheet->height();
  const int rand = BibPanelL->y();
  const int gridBreite = Wb - 2 * BibGridW->x();

  // The preview board in the lower left corner, the figures beside it, the buttons above both.
  const int vorschau = BibPanel->height();
  BibPanel->setGeometry(BibPanelL->x(), Hb - vorschau - rand, T(vorschau * 1.5), vorschau);
  const int anzeigeLinks = BibPanel->x() + BibPanel->width() + rand;
  BibAnzeige->setGeometry(anzeigeLinks, BibPanel->y(), gridBreite + BibPanelL->x() - anzeigeLinks,
                          vorschau + 1);
  const int statusRand = StatusPanel->x();
  StatusPanel->setGeometry(statusRand, BibAnzeige->height() - StatusPanel->height() - statusRand,
                           BibAnzeige->width() - 2 * statusRand, StatusPanel->height());
  BreiteBibStatus();
  BibButPanel->setGeometry(BibPanelL->x(), Hb - vorschau - BibButPanel->height() - 2 * rand,
                           gridBreite, BibButPanel->height());
  const int gridOben = rand + BibPanelL->height();
  BibGridW->setGeometry(BibGridW->x(), gridOben, gridBreite, BibButPanel->y() - rand - gridOben);

  // The level controls stand above their columns of the grid.
  const QFontMetrics fm = BibGridW->fontMetrics();
  const int S = BibSpaltenSchritt();
  const int titel = fm.horizontalAdvance(QString(38, 'x'));
  BibGridW->SetzeSpaltenBreiten(S, titel);
  BibPanelL->resize(titel + BibGridW->frameWidth(), BibPanelL->height());
  BibPanelR->setGeometry(BibPanelL->x() + BibPanelL->width(), rand, gridBreite - BibPanelL->width(),
                         BibPanelL->height());
  BibPanelM->resize(kBibStufen * S + 1, BibPanelR->height());
  const int kastenLinks = fm.horizontalAdvance("xxxxx.");
  for (int i = 0; i < kBibStufen - 1; ++i) {
    const BibStufenRegler& r = BibRegler[static_cast<std::size_t>(i)];
    r.Lab->move(S * i + S / 2 - r.Lab->width() / 2, r.Lab->y());
    r.CB->move(kastenLinks + S * i, r.CB->y());
    r.SE->move(S * i + S / 2 - r.SE->width() / 2, r.SE->y());
  }
  BibLab18->move((kBibStufen - 1) * S + S / 2 - BibLab18->width() / 2, BibLab18->y());
  BibGridTopLeftChanged();
}

}  // namespace quarne
