// Placing the controls of the library tab whenever its size changes; the preview board gets its
// new drawing area.
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
