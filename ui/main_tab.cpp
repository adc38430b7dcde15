#include "ui/main_tab.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include "game/game_flow.h"
#include "ui/board_view.h"
#include "ui/board_widget.h"
#include "ui/controls.h"
#include "ui/design.h"
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

int T(double x) {
  return static_cast<int>(x);
}

// Moves w into another panel, keeping whether it is shown.
void Verschiebe(QWidget* w, QWidget* nach) {
  if (w->parentWidget() == nach) return;
  const bool sichtbar = w->isVisibleTo(w->parentWidget());
  w->setParent(nach);
  w->setVisible(sichtbar);
}

}  // namespace

HauptTab::HauptTab(TBrettClass& brett, Spielablauf& ablauf, const Spielstand& spiel,
                   const SpielOptionen& optionen, QWidget* eltern)
    : QWidget(eltern), brett_(brett), ablauf_(ablauf), spiel_(spiel) {
  setObjectName("TabOben");
  BauePanels();
  BaueComputerPanel();
  BaueKnoepfe();
  BaueTiefePanel();
  MovesGridW->SetzeSpiel(&spiel, &optionen);
  Verbinde();
}

void HauptTab::BauePanels() {
  ImageHintergrund = Bild(this, "ImageHintergrund", HintergrundBild(QSize(1369, 688)));
  ImageHintergrund->setScaledContents(true);

  PanelWeiss = Panel(this, "PanelWeiss");
  PanelSchwarz = Panel(this, "PanelSchwarz");
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
}

void HauptTab::BaueComputerPanel() {
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
}

void HauptTab::BaueKnoepfe() {
  WechselBut = Neu<QPushButton>(this, "WechselBut", "Seitentausch");
  ZurueckButn = Neu<QPushButton>(this, "ZurueckButn", "1 Zug zurück");
  NeuBut = Neu<QPushButton>(this, "NeuBut", "Neues Spiel");
  WechselBut->resize(D(116), D(38));
  ZurueckButn->resize(D(116), D(38));
  NeuBut->resize(D(116), D(37));

  BrettPanel = Panel(this, "BrettPanel");
  BrettPanel->move(D(13), 0);
  BrettBP = new BrettWidget(brett_, BrettWidget::Ansicht::Spiel, "BrettBP", BrettPanel);
  XBut = Neu<QPushButton>(this, "XBut", "X");
  XBut->setToolTip("1 Zug zurück");

  MovesGridW = Neu<MovesGrid>(this, "MovesGrid");
  MovesGridW->resize(D(253), MovesGridW->height());

  AllUp = Neu<QPushButton>(this, "AllUp", "<<");
  OneUp = Neu<QPushButton>(this, "OneUp", "<");
  OneDown = Neu<QPushButton>(this, "OneDown", ">");
  AllDown = Neu<QPushButton>(this, "AllDown", ">>");
  for (QPushButton* b : {AllUp, OneUp, XBut, OneDown, AllDown}) b->resize(b->width(), D(38));
}

void HauptTab::BaueTiefePanel() {
  TabObPanel = Neu<QGroupBox>(this, "TabObPanel");
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
}

void HauptTab::Verbinde() {
  connect(DenkeBut, &QPushButton::clicked, this, [this] { ablauf_.ComputerZug(); });
  connect(ZiehB, &QPushButton::clicked, this, [this] { ablauf_.ZiehBClick(); });
  connect(StopSP, &QToolButton::clicked, this, [this] { ablauf_.StopSPClick(); });
  connect(NeuBut, &QPushButton::clicked, this, [this] { ablauf_.NeuesSpiel(); });
  connect(WechselBut, &QPushButton::clicked, this, [this] { ablauf_.WechselButClick(); });
  connect(ZurueckButn, &QPushButton::clicked, this, [this] { ablauf_.ZurueckButnClick(); });
  connect(XBut, &QPushButton::clicked, this, [this] { ablauf_.ZurueckButnClick(); });
  connect(AllUp, &QPushButton::clicked, this, [this] { Navigiere(0); });
  connect(OneUp, &QPushButton::clicked, this, [this] {
    if (spiel_.AktZugNr() >= 2) Navigiere(spiel_.AktZugNr() - 2);
  });
  connect(OneDown, &QPushButton::clicked, this, [this] {
    if (spiel_.AktZugNr() < spiel_.LetzterZugNr() + 1) Navigiere(spiel_.AktZugNr());
  });
  connect(AllDown, &QPushButton::clicked, this, [this] { Navigiere(spiel_.LetzterZugNr()); });
  connect(MovesGridW, &MovesGrid::ZugGewaehlt, this,
          [this](int, int zeile) { ablauf_.WaehleZug(zeile); });
  connect(TiefeSE1, &QSpinBox::valueChanged, this, &HauptTab::TiefeGeaendert);
}

void HauptTab::Navigiere(int zeile) {
  const int vorher = spiel_.AktZugNr();
  ablauf_.WaehleZug(zeile);
  if (zeile == 0)
    MovesGridW->SetzeObersteZeile(0);
  else if (spiel_.AktZugNr() < vorher)
    MovesGridW->ScrolleZurueck(spiel_.AktZugNr());
  else
    MovesGridW->ScrolleVor(spiel_.AktZugNr());
}

void HauptTab::SetzeLayout() {
  const int W = width(), H = height();
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
  SetzeSpielerLayout();

  MovesGridW->SetzeSpaltenBreiten();
  BrettBP->setGeometry(0, 0, brett.width(), brett.height());

  NeuBut->setGeometry(WechselBut->x(), PanelWeiss->y() + PanelWeiss->height() - NeuBut->height(),
                      WechselBut->width(), NeuBut->height());
  SetzeListenLayout();
  const QRect liste = MovesGridW->geometry();
  ImageHintergrund->setGeometry(brett.x(), 0, brett.width() + liste.width() - 1, liste.y() - 1);
  ImageHintergrund->lower();
}

void HauptTab::SetzeSpielerLayout() {
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
}

void HauptTab::SetzeListenLayout() {
  // The navigation buttons share the list's width in fifths, in one row under it.
  const QRect liste = MovesGridW->geometry();
  const double anteil[] = {0, 0.2, 0.4, 0.6, 0.8};
  QPushButton* navigation[] = {AllUp, OneUp, XBut, OneDown, AllDown};
  for (int i = 0; i < 5; ++i)
    navigation[i]->setGeometry(liste.x() - 1 + T(liste.width() * anteil[i]),
                               liste.y() + liste.height() - 1, T(liste.width() * 0.2) + 3,
                               AllUp->height());
}

QSize HauptTab::Mindestgroesse() const {
  return {2 * PanelWeiss->width() + WechselBut->width() + MovesGridW->width() + 2 * BrettPanel->x(),
          3 * (D(18) + PanelWeiss->height()) + 2 * BrettPanel->x()};
}

void HauptTab::ZeigeSpiel(const SpielLage& lage) {
  SetzeFarbe(PanelWBlink, lage.weissAmZug && !lage.vorbei ? kGelb : kSilber);
  SetzeFarbe(PanelSBlink, lage.weissAmZug || lage.vorbei ? kSilber : kGelb);
  WeissLab->setVisible(lage.weissAmZug && !lage.vorbei);
  SchwarzLab->setVisible(!lage.weissAmZug && !lage.vorbei);

  QWidget* computerSeite = lage.computerWeiss ? PanelWBlink : PanelSBlink;
  QWidget* spielerSeite = lage.computerWeiss ? PanelSBlink : PanelWBlink;
  Verschiebe(PanelComp, computerSeite);
  Verschiebe(PanelSp2, computerSeite);
  Verschiebe(PanelSpieler, spielerSeite);
  Verschiebe(PanelSp1, spielerSeite);

  PanelSp1->setVisible(lage.zweiSpieler);
  PanelSp2->setVisible(lage.zweiSpieler);
  for (QWidget* w : {PanelSpieler, PanelComp, static_cast<QWidget*>(ZugNrLab),
                     static_cast<QWidget*>(TiefeLab), static_cast<QWidget*>(DenktiefeLab_),
                     static_cast<QWidget*>(TiefeEdit), static_cast<QWidget*>(ZugNrEdit)})
    w->setVisible(!lage.zweiSpieler);
  TabObPanel->setTitle(lage.zweiSpieler ? "Spieler gegen Spieler" : "");

  for (QWidget* w : {WechselBut, ZurueckButn, NeuBut}) w->setEnabled(!lage.sucht);
  DenkeBut->setEnabled(!lage.sucht && lage.computerAmZug);
  StopSP->setEnabled(lage.sucht);
  if (!lage.sucht) ZiehB->setEnabled(lage.ziehFrei);

  MovesGridW->SetzeAuswahl(lage.aktZugNr);
  MovesGridW->Neuzeichnen();

  TiefeSE1->setVisible(lage.nachTiefe && !lage.zweiSpieler);
  if (lage.nachTiefe) DenktiefeLab_->setText("Denktiefe in Zügen:");
}

void HauptTab::RecordGeaendert(int zeilen, int aktZugNr) {
  MovesGridW->SetzeZeilenAnzahl(zeilen);
  MovesGridW->ScrolleNachZug(aktZugNr);
}

void HauptTab::SetzeZeilenAnzahl(int zeilen) {
  MovesGridW->SetzeZeilenAnzahl(zeilen);
}

void HauptTab::SetzeTasten(const QAction* neu, const QAction* zurueck) {
  // As their buttons: a key does nothing where its button rests, during a search.
  connect(neu, &QAction::triggered, this, [this] {
    if (NeuBut->isEnabled()) NeuBut->click();
  });
  connect(zurueck, &QAction::triggered, this, [this] {
    if (ZurueckButn->isEnabled()) ZurueckButn->click();
  });
  NeuBut->setToolTip(MitTaste("Neues Spiel", neu));
  ZurueckButn->setToolTip(MitTaste("1 Zug zurück", zurueck));
  XBut->setToolTip(MitTaste("1 Zug zurück", zurueck));
}

void HauptTab::LoeseTastatur() {
  BrettBP->clearFocus();
}

void HauptTab::ZeichneBrett() {
  BrettBP->update();
}

int HauptTab::Tiefe() const {
  return TiefeSE1->value();
}

void HauptTab::SetzeTiefe(int tiefe) {
  TiefeSE1->setValue(tiefe);
}

void HauptTab::ZeigeFortschritt(const QString& tiefe, const QString& zuege, const QString& zeit) {
  TiefeEdit->setText(tiefe);
  ZugNrEdit->setText(zuege);
  ZeitEdit->setText(zeit);
}

void HauptTab::SetzeDenkzeitText(const QString& text) {
  DenktiefeLab_->setText(text);
}

void HauptTab::Blinke(TFarbe computer) {
  QWidget* panel = computer == clWeiss ? PanelWBlink : PanelSBlink;
  SetzeFarbe(panel, panel->palette().color(QPalette::Window) == kGelb ? kSilber : kGelb);
}

void HauptTab::Aktivitaetspunkt() {
  const QString t = PrgrLab->text();
  PrgrLab->setText(t.size() >= 40 ? "." : t + ".");
}

void HauptTab::Wartemarke() {
  PrgrLab->setText(PrgrLab->text() + "|");
}

void HauptTab::SetzeZiehB(bool frei) {
  ZiehB->setEnabled(frei);
}

}  // namespace quarne
