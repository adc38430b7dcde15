#include "ui/setup_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "game/game_flow.h"
#include "game/position_setup.h"
#include "ui/board_view.h"
#include "ui/board_widget.h"
#include "ui/controls.h"
#include "ui/design.h"
#include "ui/dialogs.h"

namespace quarne {
namespace {

QString PhasenText(TSpielPhase phase) {
  switch (phase) {
    case spSetzen:
      return "Steine platzieren";
    case spZiehen:
      return "Steine ziehen";
    case spSpringen:
      return "Steine springen";
  }
  return "---";
}

}  // namespace

StellungTab::StellungTab(TBrettClass& brett, Spielablauf& ablauf, DialogDienst& dialoge,
                         QWidget* eltern)
    : QWidget(eltern), brett_(brett), ablauf_(ablauf), dialoge_(dialoge) {
  setObjectName("SetTabSheet");
  SetPanel = Neu<QWidget>(this, "SetPanel");
  SetPanel->move(D(15), D(15));
  auto* brettRahmen = new QVBoxLayout(SetPanel);
  brettRahmen->setContentsMargins(0, 0, 0, 0);
  SetPB = new BrettWidget(brett_, BrettWidget::Ansicht::Stellung, "SetPB", SetPanel);
  brettRahmen->addWidget(SetPB);
  // Every button puts a stone here; the right one opens no menu besides.
  SetPB->setContextMenuPolicy(Qt::PreventContextMenu);

  SetEingabePanel = Neu<QWidget>(this, "SetEingabePanel");
  SetEingabePanel->resize(SetEingabePanel->width(), D(264));
  auto* raster = new QGridLayout(SetEingabePanel);
  raster->setContentsMargins(0, D(12), 0, 0);
  raster->setHorizontalSpacing(D(12));
  BaueFelder(raster);
  BaueKnoepfe(raster);
  Verbinde();
}

void StellungTab::BaueFelder(QGridLayout* raster) {
  WeissButn = Neu<QPushButton>(SetEingabePanel, "WeissButn", "Weiße Steine");
  SchwarzButn = Neu<QPushButton>(SetEingabePanel, "SchwarzButn", "Schwarze Steine");
  auto* farben = new QButtonGroup(SetEingabePanel);
  for (QPushButton* b : {WeissButn, SchwarzButn}) {
    b->setCheckable(true);
    farben->addButton(b);
  }
  WeissButn->setChecked(true);

  const auto feld = [this](const char* name) {
    QLineEdit* e = Anzeigefeld(SetEingabePanel, name);
    e->clear();
    e->setAlignment(Qt::AlignCenter);
    return e;
  };
  EditWeisseSteine = feld("EditWeisseSteine");
  EditSchwarzeSteine = feld("EditSchwarzeSteine");
  EDLostWeiss = feld("EDLostWeiss");
  EDLostSchwarz = feld("EDLostSchwarz");
  SPEDWeiss = Zahl(SetEingabePanel, "SPEDWeiss", 0, kMaxSteine, 0);
  SPEDSchwarz = Zahl(SetEingabePanel, "SPEDSchwarz", 0, kMaxSteine, 0);
  LblSPPhsWeiss = Neu<QLabel>(SetEingabePanel, "LblSPPhsWeiss", "---");
  LblSPPhsSchwarz = Neu<QLabel>(SetEingabePanel, "LblSPPhsSchwarz", "---");

  const char* zeilen[] = {
      "Anzahl der Steine:", "Platzierte Steine:", "Verlorene Steine:", "Spielphase:"};
  QWidget* weiss[] = {EditWeisseSteine, SPEDWeiss, EDLostWeiss, LblSPPhsWeiss};
  QWidget* schwarz[] = {EditSchwarzeSteine, SPEDSchwarz, EDLostSchwarz, LblSPPhsSchwarz};
  raster->addWidget(WeissButn, 0, 1);
  raster->addWidget(SchwarzButn, 0, 2);
  for (int i = 0; i < 4; ++i) {
    raster->addWidget(new QLabel(zeilen[i], SetEingabePanel), i + 1, 0);
    raster->addWidget(weiss[i], i + 1, 1);
    raster->addWidget(schwarz[i], i + 1, 2);
  }
  // Room for the longest phase, so that the columns keep their places as the phases change.
  const int spalte = LblSPPhsWeiss->fontMetrics().horizontalAdvance("Steine springen") + D(24);
  raster->setColumnMinimumWidth(1, spalte);
  raster->setColumnMinimumWidth(2, spalte);
}

void StellungTab::BaueKnoepfe(QGridLayout* raster) {
  Butn9 = Neu<QPushButton>(SetEingabePanel, "Butn9", "9");
  ResetAnalyze = Neu<QPushButton>(SetEingabePanel, "ResetAnalyze", "Zurücksetzen");
  ToAnalyzeWeiss = Neu<QPushButton>(SetEingabePanel, "ToAnalyzeWeiss", "Weiss am Zug >");
  ToAnalyzeSchwarz = Neu<QPushButton>(SetEingabePanel, "ToAnalyzeSchwarz", "Schwarz am Zug >");
  raster->setColumnMinimumWidth(3, D(24));
  raster->addWidget(Butn9, 2, 4);
  raster->addWidget(ResetAnalyze, 1, 4);
  raster->addWidget(ToAnalyzeWeiss, 3, 4);
  raster->addWidget(ToAnalyzeSchwarz, 4, 4);
  raster->setColumnStretch(5, 1);
  raster->setRowStretch(5, 1);
}

void StellungTab::Verbinde() {
  connect(SetPB, &BrettWidget::Gedrueckt, this, [this](QPoint pos) { SetPBMouseDown(pos); });
  connect(WeissButn, &QPushButton::clicked, this, [this] { brett_.SetzeNeueFarbe(clWeiss); });
  connect(SchwarzButn, &QPushButton::clicked, this, [this] { brett_.SetzeNeueFarbe(clSchwarz); });
  connect(SPEDWeiss, &QSpinBox::valueChanged, this, &StellungTab::ZaehleSteine);
  connect(SPEDSchwarz, &QSpinBox::valueChanged, this, &StellungTab::ZaehleSteine);
  connect(Butn9, &QPushButton::clicked, this, [this] {
    SetzeGesetzte(kMaxSteine, kMaxSteine);
    ZaehleSteine();
  });
  connect(ResetAnalyze, &QPushButton::clicked, this, &StellungTab::ResetAnalyzeClick);
  connect(ToAnalyzeWeiss, &QPushButton::clicked, this, [this] { ToAnalyzeClick(clWeiss); });
  connect(ToAnalyzeSchwarz, &QPushButton::clicked, this, [this] { ToAnalyzeClick(clSchwarz); });
}

void StellungTab::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int W = width(), H = height();
  const int rand = SetPanel->y();
  SetPanel->setGeometry(rand, rand, W - 2 * rand, H - SetEingabePanel->height() - 2 * rand);
  SetEingabePanel->setGeometry(rand, rand + SetPanel->height(), W - 2 * rand,
                               SetEingabePanel->height());
}

void StellungTab::SetzeGesetzte(int weiss, int schwarz) {
  // The spin boxes keep their range (0 to 9); their change handlers would count once more.
  const QSignalBlocker w(SPEDWeiss), s(SPEDSchwarz);
  SPEDWeiss->setValue(weiss);
  SPEDSchwarz->setValue(schwarz);
}

void StellungTab::SetPBMouseDown(QPoint pos) {
  const BrettTreffer t = brett_.BrettPosition(pos);
  if (t.punkt == 0) return;
  if (!brett_.AufbauKlick(t.maske)) {
    dialoge_.ShowMessagePos("Es sind nur maximal " + QString::number(kMaxSteine) +
                            " Steine erlaubt!");
    return;
  }
  ZaehleSteine();
}

void StellungTab::ZaehleSteine() {
  const Steinzahlen z = brett_.ZaehleAufbau(SPEDWeiss->value(), SPEDSchwarz->value());
  SetzeGesetzte(z.Gesetzt[clWeiss], z.Gesetzt[clSchwarz]);  // never fewer than on the board
  EditWeisseSteine->setText(QString::number(z.Steine[clWeiss]));
  EditSchwarzeSteine->setText(QString::number(z.Steine[clSchwarz]));
  EDLostWeiss->setText(QString::number(z.Verloren[clWeiss]));
  EDLostSchwarz->setText(QString::number(z.Verloren[clSchwarz]));
  LblSPPhsWeiss->setText(PhasenText(z.Phase[clWeiss]));
  LblSPPhsSchwarz->setText(PhasenText(z.Phase[clSchwarz]));
  ToAnalyzeWeiss->setEnabled(z.WeissAmZug);
  ToAnalyzeSchwarz->setEnabled(z.SchwarzAmZug);
  brett_.ZeichneNewNull();
}

void StellungTab::SchreibeAufbau(Partiedatei& p) const {
  p.NewNullZug = brett_.Aufbau();
  p.NewNullZugFrb = brett_.AufbauFarbe();
  p.SPEDWeiss = SPEDWeiss->value();
  p.SPEDSchwarz = SPEDSchwarz->value();
}

void StellungTab::LiesAufbau(const Partiedatei& p) {
  brett_.SetzeAufbau(p.NewNullZug, p.NewNullZugFrb);
  SetzeGesetzte(p.SPEDWeiss, p.SPEDSchwarz);
  ZaehleSteine();
}

void StellungTab::ResetAnalyzeClick() {
  brett_.SetzeAufbau(TZug{}, brett_.AufbauFarbe());
  for (QLineEdit* e : {EditWeisseSteine, EditSchwarzeSteine, EDLostWeiss, EDLostSchwarz})
    e->clear();
  SetzeGesetzte(0, 0);
  LblSPPhsWeiss->setText("---");
  LblSPPhsSchwarz->setText("---");
  ZaehleSteine();
}

void StellungTab::ToAnalyzeClick(TFarbe amZug) {
  // A player who keeps the game keeps the settings too.
  if (ablauf_.ZurAnalyse(brett_.Aufbau(), brett_.AufbauFarbe(), amZug)) emit AnalyseBegonnen();
}

}  // namespace quarne
