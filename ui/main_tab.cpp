// The main tab "Quarne Brett": board, move list, player panels and the game's buttons.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include "ui/board_widget.h"
#include "ui/controls.h"
#include "ui/design.h"
#include "ui/main_window.h"
#include "ui/move_list.h"
#include "ui/pictures.h"

namespace quarne {
namespace {

QWidget* Panel(QWidget* eltern, const char* name) {
  QWidget* p = Neu<QWidget>(eltern, name);
  p->setAutoFillBackground(true);
  return p;
}

QLabel* Bild(QWidget* eltern, const char* name, const QPixmap& bild) {
  QLabel* l = Neu<QLabel>(eltern, name);
  l->setPixmap(bild);
  l->setAlignment(Qt::AlignCenter);
  return l;
}

// A player panel's inside: picture and name.
QWidget* SpielerPanel(QWidget* eltern, const char* name, QLabel*& bild, const char* bildName,
                      const QPixmap& pixmap, const QString& text) {
  QWidget* p = Panel(eltern, name);
  auto* l = new QHBoxLayout(p);
  l->setContentsMargins(D(8), D(8), D(8), D(8));
  bild = Bild(p, bildName, pixmap);
  l->addWidget(bild);
  auto* beschriftung = new QLabel(text, p);
  QFont f = beschriftung->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.2);
  beschriftung->setFont(f);
  l->addWidget(beschriftung, 1);
  return p;
}

}  // namespace

void TQuarneForm::BaueHauptTab() {
  QWidget* tab = TabOben;
  ImageHintergrund = Bild(tab, "ImageHintergrund", HintergrundBild(QSize(1369, 688)));
  ImageHintergrund->setScaledContents(true);

  PanelWeiss = Panel(tab, "PanelWeiss");
  PanelSchwarz = Panel(tab, "PanelSchwarz");
  for (QWidget* p : {PanelWeiss, PanelSchwarz}) {
    p->resize(D(p == PanelWeiss ? 326 : 325), D(181));
    p->setAutoFillBackground(false);
    p->hide();  // until the first layout
  }
  WeissLab = Neu<QLabel>(PanelWeiss, "WeissLab", "Weiß am Zug");
  SchwarzLab = Neu<QLabel>(PanelSchwarz, "SchwarzLab", "Schwarz am Zug");
  for (QLabel* l : {WeissLab, SchwarzLab}) {
    SetzeFett(l);
    l->setAlignment(Qt::AlignHCenter);
    l->setGeometry(0, 2, D(326), l->sizeHint().height());
  }
  PanelWBlink = Panel(PanelWeiss, "PanelWBlink");
  PanelWBlink->setGeometry(D(24), 0, D(277), D(133));
  PanelSBlink = Panel(PanelSchwarz, "PanelSBlink");
  PanelSBlink->setGeometry(D(24), 0, D(277), D(134));

  const int bildSeite = D(100);
  PanelSpieler = SpielerPanel(PanelWBlink, "PanelSpieler", ImageSpieler, "ImageSpieler",
                              SpielerBild(bildSeite, QColor(70, 130, 180)), "Spieler");
  PanelSp1 = SpielerPanel(PanelWBlink, "PanelSp1", Image1, "Image1",
                          SpielerBild(bildSeite, QColor(70, 130, 180)), "Spieler 1");
  PanelSp2 = SpielerPanel(PanelSBlink, "PanelSp2", Image2, "Image2",
                          SpielerBild(bildSeite, QColor(190, 90, 60)), "Spieler 2");

  // The computer's panel is as narrow as a player's: a smaller picture and buttons no wider than
  // their captions leave the time field its room.
  PanelComp = Panel(PanelSBlink, "PanelComp");
  auto* comp = new QGridLayout(PanelComp);
  comp->setContentsMargins(D(6), D(6), D(6), D(6));
  comp->setSpacing(D(6));
  IamgeComp = Bild(PanelComp, "IamgeComp", ComputerBild(D(60)));
  comp->addWidget(IamgeComp, 0, 0, 3, 1);
  DenkeBut = Neu<QPushButton>(PanelComp, "DenkeBut", "Denke");
  ZiehB = Neu<QPushButton>(PanelComp, "ZiehB", "Zieh");
  StopSP = Neu<QToolButton>(PanelComp, "StopSP");
  StopSP->setIcon(StopSymbol(D(36)));
  StopSP->setIconSize(QSize(D(36), D(36)));
  StopSP->setToolTip("Stop");
  StopSP->setAutoRaise(true);
  ZeitEdit = Anzeigefeld(PanelComp, "ZeitEdit");
  // Room for the elapsed time of a search of hours; a narrower field scrolls its first digit
  // away.
  ZeitEdit->setMinimumWidth(ZeitEdit->fontMetrics().horizontalAdvance("0h00m00s") +
                            2 * ZeitEdit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
  for (QPushButton* b : {DenkeBut, ZiehB})
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + D(18));
  comp->addWidget(DenkeBut, 0, 1);
  comp->addWidget(ZiehB, 0, 2);
  comp->addWidget(StopSP, 1, 1);
  comp->addWidget(ZeitEdit, 1, 2);
  comp->setRowStretch(2, 1);
  comp->setColumnStretch(1, 1);
  comp->setColumnStretch(2, 1);

  WechselBut = Neu<QPushButton>(tab, "WechselBut", "Seitentausch");
  ZurueckButn = Neu<QPushButton>(tab, "ZurueckButn", "1 Zug zurück");
  NeuBut = Neu<QPushButton>(tab, "NeuBut", "Neues Spiel");
  WechselBut->resize(D(116), D(38));
  ZurueckButn->resize(D(116), D(38));
  NeuBut->resize(D(116), D(37));

  BrettPanel = Panel(tab, "BrettPanel");
  BrettPanel->move(D(13), 0);
  BrettBP = new BrettWidget(*SpielBrett, BrettWidget::Ansicht::Spiel, "BrettBP", BrettPanel);
  XBut = Neu<QPushButton>(tab, "XBut", "X");
  XBut->setToolTip("1 Zug zurück");

  MovesGridW = Neu<MovesGrid>(tab, "MovesGrid");
  MovesGridW->resize(D(253), MovesGridW->height());

  AllUp = Neu<QPushButton>(tab, "AllUp", "<<");
  OneUp = Neu<QPushButton>(tab, "OneUp", "<");
  OneDown = Neu<QPushButton>(tab, "OneDown", ">");
  AllDown = Neu<QPushButton>(tab, "AllDown", ">>");
  for (QPushButton* b : {AllUp, OneUp, XBut, OneDown, AllDown}) b->resize(b->width(), D(38));

  TabObPanel = Neu<QGroupBox>(tab, "TabObPanel");
  TabObPanel->resize(D(253), D(181));
  auto* ob = new QGridLayout(TabObPanel);
  DenktiefeLab_ = Neu<QLabel>(TabObPanel, "DenktiefeLab_", "Denktiefe in Zügen:");
  TiefeSE1 = Neu<QSpinBox>(TabObPanel, "TiefeSE1");
  TiefeSE1->setRange(2, 16);
  TiefeSE1->setValue(6);
  // The thinking time replaces the depth in this row and needs its whole width.
  DenktiefeLab_->setWordWrap(true);
  auto* tiefeZeile = new QHBoxLayout;
  tiefeZeile->addWidget(DenktiefeLab_, 1);
  tiefeZeile->addWidget(TiefeSE1);
  TiefeLab = Neu<QLabel>(TabObPanel, "TiefeLab", "Erreichte Tiefe:");
  TiefeEdit = Anzeigefeld(TabObPanel, "TiefeEdit");
  ZugNrLab = Neu<QLabel>(TabObPanel, "ZugNrLab", "Bewertete Züge:");
  ZugNrEdit = Anzeigefeld(TabObPanel, "ZugNrEdit");
  PrgrLab = Neu<QLabel>(TabObPanel, "PrgrLab", "");
  for (QLineEdit* e : {TiefeEdit, ZugNrEdit}) e->setFixedWidth(D(84));
  ob->setContentsMargins(D(10), D(10), D(10), D(10));
  ob->setHorizontalSpacing(D(6));
  ob->addLayout(tiefeZeile, 0, 0, 1, 2);
  ob->addWidget(TiefeLab, 1, 0);
  ob->addWidget(TiefeEdit, 1, 1);
  ob->addWidget(ZugNrLab, 2, 0);
  ob->addWidget(ZugNrEdit, 2, 1);
  ob->addWidget(PrgrLab, 3, 0, 1, 2);

  connect(DenkeBut, &QPushButton::clicked, this, [this] { ablauf->ComputerZug(); });
  connect(ZiehB, &QPushButton::clicked, this, [this] { ablauf->ZiehBClick(); });
  connect(StopSP, &QToolButton::clicked, this, [this] { ablauf->StopSPClick(); });
  connect(NeuBut, &QPushButton::clicked, this, [this] { ablauf->NeuesSpiel(); });
  connect(WechselBut, &QPushButton::clicked, this, [this] { ablauf->WechselButClick(); });
  connect(ZurueckButn, &QPushButton::clicked, this, [this] { ablauf->ZurueckButnClick(); });
  connect(XBut, &QPushButton::clicked, this, [this] { ablauf->ZurueckButnClick(); });
  connect(AllUp, &QPushButton::clicked, this, [this] { Navigiere(0); });
  connect(OneUp, &QPushButton::clicked, this, [this] {
    if (spiel->AktZugNr >= 2) Navigiere(spiel->AktZugNr - 2);
  });
  connect(OneDown, &QPushButton::clicked, this, [this] {
    if (spiel->AktZugNr < spiel->LetzterZugNr + 1) Navigiere(spiel->AktZugNr);
  });
  connect(AllDown, &QPushButton::clicked, this, [this] { Navigiere(spiel->LetzterZugNr); });
}

}  // namespace quarne
