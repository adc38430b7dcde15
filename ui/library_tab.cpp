#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "game/game_flow.h"
#include "library/maintenance.h"
#include "ui/board_view.h"
#include "ui/board_widget.h"
#include "ui/controls.h"
#include "ui/design.h"
#include "ui/dialogs.h"
#include "ui/library_grid.h"
#include "ui/library_tab.h"

namespace quarne {
namespace {

const QColor kGruen(0, 128, 0);
const QColor kRot(255, 0, 0);

// Design tops of the three rows of level controls, and the height of their strip.
constexpr int kLabelOben = D(8);
constexpr int kCBOben = D(40);
constexpr int kSEOben = D(72);
constexpr int kReglerHoehe = D(116);
constexpr int kRand = D(16);
// The preview board and the figures beside it.
constexpr int kVorschauHoehe = D(360);
// The status panel inside the figures, and its margin there.
constexpr int kStatusHoehe = D(100);
constexpr int kStatusRand = D(12);

// A bold caption at a fixed place.
QLabel* Titel(QWidget* eltern, const QString& text, int links, int oben) {
  auto* l = new QLabel(text, eltern);
  SetzeFett(l);
  l->adjustSize();
  l->move(links, oben);
  return l;
}

QLabel* Wert(QWidget* eltern, const char* name) {
  return Neu<QLabel>(eltern, name, "---");
}

}  // namespace

BibTab::BibTab(TBibliothek& bib, Suche& suche, HTSuche& ht, SuchAnzeige& anzeige,
               SpielOptionen& optionen, TBrettClass& brett, DialogDienst& dialoge,
               const ProgrammDateien& dateien, DialogOrdner& ordner, QWidget* eltern)
    : QWidget(eltern),
      bib_(bib),
      suche_(suche),
      ht_(ht),
      anzeige_(anzeige),
      opt_(optionen),
      brett_(brett),
      dialoge_(dialoge),
      dateien_(dateien),
      ordner_(ordner) {
  setObjectName("BibSheet");
  BibPanelL = Neu<QWidget>(this, "BibPanelL");
  BibPanelL->setGeometry(kRand, kRand, 0, kReglerHoehe);
  Titel(BibPanelL, "Zug", 0, kLabelOben);
  Titel(BibPanelL, "aktiv", 0, kCBOben);
  Titel(BibPanelL, "Mindest Denktiefe", 0, kSEOben);
  CBAktivKoppl = Schalter(BibPanelL, "CBAktivKoppl", "Einzelauswahl", false);
  CBAktivKoppl->move(D(120), kCBOben);
  CBAktivKoppl->hide();
  BibPanelR = Neu<QWidget>(this, "BibPanelR");
  BibPanelR->setGeometry(0, kRand, 0, kReglerHoehe);
  BibPanelM = Neu<QWidget>(BibPanelR, "BibPanelM");
  BaueRegler();

  BibGridW = new BibGrid(this);
  BibGridW->move(kRand, kRand + kReglerHoehe);

  BaueKnoepfe();

  BibPanel = Neu<QWidget>(this, "BibPanel");
  BibPanel->resize(0, kVorschauHoehe);
  BibPB = new BrettWidget(brett_, BrettWidget::Ansicht::Bibliothek, "BibPB", BibPanel);
  auto* vorschau = new QVBoxLayout(BibPanel);
  vorschau->setContentsMargins(0, 0, 0, 0);
  vorschau->addWidget(BibPB);
  BaueAnzeige();
  // The tab is laid out by hand; the window's smallest size must leave the figures beside the
  // preview board their room (SetzeLayout).
  setMinimumWidth(BibAnzeige->layout()->minimumSize().width() + kVorschauHoehe * 3 / 2 + kRand +
                  2 * BibGridW->x());

  // Merging and importing have no button: the tab's context menu offers them.
  FusBut = new QAction("Bibliothek hinzufügen...", this);
  FusBut->setObjectName("FusBut");
  SBibBut = new QAction("Einträge importieren...", this);
  SBibBut->setObjectName("SBibBut");
  addActions({FusBut, SBibBut});
  setContextMenuPolicy(Qt::ActionsContextMenu);

  BibTimer = new QTimer(this);
  BibTimer->setObjectName("BibTimer");
  BibTimer->setInterval(500);
  Verbinde();
}

void BibTab::BaueKnoepfe() {
  BibButPanel = Neu<QWidget>(this, "BibButPanel");
  auto* titel = new QLabel("Bibliothek...", BibButPanel);
  SetzeFett(titel);
  BibErstellen =
      Neu<QPushButton>(BibButPanel, "BibErstellen", "Erstellen = Stellungen kalkulieren");
  Stoppen = Neu<QPushButton>(BibButPanel, "Stoppen", "Stop");
  BibLoeschen = Neu<QPushButton>(BibButPanel, "BibLoeschen", "vollständig löschen");
  InaktivBut = Neu<QPushButton>(BibButPanel, "InaktivBut", "inaktive Züge löschen");
  Sicherung =
      Neu<QPushButton>(BibButPanel, "Sicherung", "Installationsbibliothek wiederherstellen");
  BibOeffnen = Neu<QPushButton>(BibButPanel, "BibOeffnen", "öffnen...");
  BibSpeichern = Neu<QPushButton>(BibButPanel, "BibSpeichern", "speichern...");
  BibSpClose = Schalter(BibButPanel, "BibSpClose", "Speichern beim Schließen", true);
  CheckButn = Neu<QPushButton>(BibButPanel, "CheckButn", "Check");
  CheckLab = Neu<QLabel>(BibButPanel, "CheckLab");
  CheckButn->hide();
  CheckLab->hide();
  // Building in the first row, keeping the library in the second.
  auto* knoepfe = new QGridLayout(BibButPanel);
  knoepfe->setContentsMargins(0, 0, 0, 0);
  auto* bauen = new QHBoxLayout;
  auto* pflegen = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{BibErstellen, Stoppen, CheckButn, CheckLab})
    bauen->addWidget(w);
  for (QWidget* w : std::initializer_list<QWidget*>{BibLoeschen, InaktivBut, Sicherung, BibOeffnen,
                                                    BibSpeichern, BibSpClose})
    pflegen->addWidget(w);
  bauen->addStretch(1);
  pflegen->addStretch(1);
  knoepfe->addWidget(titel, 0, 0);
  knoepfe->addLayout(bauen, 0, 1);
  knoepfe->addLayout(pflegen, 1, 1);
  BibButPanel->resize(0, BibButPanel->sizeHint().height());
}

void BibTab::Verbinde() {
  connect(BibTimer, &QTimer::timeout, this, &BibTab::POnBibTimer);
  connect(BibGridW, &BibGrid::TopLeftChanged, this, &BibTab::BibGridTopLeftChanged);
  connect(BibErstellen, &QPushButton::clicked, this, &BibTab::BibErstellenClick);
  connect(Stoppen, &QPushButton::clicked, this, &BibTab::StoppenClick);
  connect(BibLoeschen, &QPushButton::clicked, this, &BibTab::BibLoeschenClick);
  connect(InaktivBut, &QPushButton::clicked, this, &BibTab::InaktivButClick);
  connect(Sicherung, &QPushButton::clicked, this, &BibTab::SicherungClick);
  connect(BibOeffnen, &QPushButton::clicked, this, &BibTab::BibOeffnenClick);
  connect(BibSpeichern, &QPushButton::clicked, this, &BibTab::BibSpeichernClick);
  connect(CheckButn, &QPushButton::clicked, this, &BibTab::CheckButnClick);
  connect(FusBut, &QAction::triggered, this, &BibTab::FusButClick);
  connect(SBibBut, &QAction::triggered, this, &BibTab::SBibButClick);
  connect(BibSpClose, &QCheckBox::toggled, this, [this](bool an) { opt_.BibSpClose = an; });
}

void BibTab::BaueAnzeige() {
  BibAnzeige = FarbPanel(this, "BibAnzeige", kCreme);
  auto* raster = new QGridLayout(BibAnzeige);
  raster->setContentsMargins(kStatusRand, kStatusRand, kStatusRand, kStatusHoehe + 2 * kStatusRand);
  raster->setHorizontalSpacing(D(12));
  BibBerZgInsg = Anzeigefeld(BibAnzeige, "BibBerZgInsg");
  BibZuegeStellung = Anzeigefeld(BibAnzeige, "BibZuegeStellung");
  BibZgProSek = Anzeigefeld(BibAnzeige, "BibZgProSek");
  BibDauer = Wert(BibAnzeige, "BibDauer");
  ZugLab = Neu<QLabel>(BibAnzeige, "ZugLab", "Zug:");
  BibAktivZNr = Wert(BibAnzeige, "BibAktivZNr");
  BibDTiefe = Wert(BibAnzeige, "BibDTiefe");
  BibStellung = Wert(BibAnzeige, "BibStellung");
  BibXVonY = Wert(BibAnzeige, "BibXVonY");
  BibDauerSub = Wert(BibAnzeige, "BibDauerSub");
  BibBytes = Wert(BibAnzeige, "BibBytes");
  // The figures of the whole building on the left, those of the position on the right.
  const std::pair<QWidget*, QWidget*> links[] = {
      {new QLabel("Berechnete Züge insgesamt:", BibAnzeige), BibBerZgInsg},
      {new QLabel("Berechnete Züge der Stellung:", BibAnzeige), BibZuegeStellung},
      {new QLabel("Züge pro Sekunde:", BibAnzeige), BibZgProSek},
      {new QLabel("Berechnungsdauer:", BibAnzeige), BibDauer},
      {new QLabel("Speicherbedarf der Bibliothek:", BibAnzeige), BibBytes},
      {new QLabel("(im RAM Speicher)", BibAnzeige), nullptr}};
  const std::pair<QWidget*, QWidget*> rechts[] = {
      {ZugLab, BibAktivZNr},
      {new QLabel("Denktiefe:", BibAnzeige), BibDTiefe},
      {new QLabel("Stellung Anzahl:", BibAnzeige), BibStellung},
      {new QLabel("Bewertete Züge der Stellung:", BibAnzeige), BibXVonY},
      {new QLabel("Restdauer für Stellung:", BibAnzeige), BibDauerSub}};
  int zeile = 0;
  for (const auto& [titel, wert] : links) {
    raster->addWidget(titel, zeile, 0);
    if (wert != nullptr) raster->addWidget(wert, zeile, 1);
    ++zeile;
  }
  zeile = 0;
  for (const auto& [titel, wert] : rechts) {
    raster->addWidget(titel, zeile, 3);
    raster->addWidget(wert, zeile, 4);
    ++zeile;
  }
  raster->setColumnStretch(2, 1);
  raster->setColumnStretch(5, 2);
  // Room for the longest figures of a build, so that none is cut while it runs.
  const auto platz = [](QLabel* l, const QString& laengster) {
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(laengster));
  };
  platz(ZugLab, "Nullstellung als Basis für:");
  platz(BibStellung, "999 (Zufall Stellung: 99999)");
  platz(BibDauer, "99 Tage und 23h59m59s");
  platz(BibDauerSub, "99 Tage und 23h59m59s");

  StatusPanel = FarbPanel(BibAnzeige, "StatusPanel", kCreme);
  StatusPanel->setGeometry(kStatusRand, 0, 0, kStatusHoehe);
  Titel(StatusPanel, "Status:", kStatusRand, kStatusRand);
  BibStatus = Neu<QLabel>(StatusPanel, "BibStatus");
  BibStatus->setWordWrap(true);
  BibStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  BibStatus->setGeometry(D(96), kStatusRand, 0, kStatusHoehe - 2 * kStatusRand);
}

void BibTab::BaueRegler() {
  for (int L = 0; L < kBibStufen - 1; ++L) {
    BibStufenRegler& r = BibRegler[static_cast<std::size_t>(L)];
    r.Lab = new QLabel(L == 0 ? QString("Leer Brett") : QString("%1. Zug").arg(L), BibPanelM);
    r.Lab->setObjectName(QString("BspLabel%1").arg(L));
    SetzeFett(r.Lab);
    SetzeFarbe(r.Lab, kGruen, QPalette::WindowText);
    r.Lab->adjustSize();
    r.Lab->move(0, kLabelOben);
    r.CB = new QCheckBox(BibPanelM);
    r.CB->setObjectName(QString("BspCB%1").arg(L));
    r.CB->adjustSize();
    r.CB->move(0, kCBOben);
    r.SE = new QSpinBox(BibPanelM);
    r.SE->setObjectName(QString("BspSE%1").arg(L));
    r.SE->setRange(2, kMaxSteps);
    r.SE->setValue(StandardBibTiefe(L));
    r.SE->setFixedWidth(D(84));
    r.SE->move(0, kSEOben);
    connect(r.CB, &QCheckBox::toggled, this, [this, L] { BspCBClick(L); });
    connect(r.SE, &QSpinBox::valueChanged, this, [this, L] { BspSEChange(L); });
  }
  BibLab18 = new QLabel(QString("%1. Zug").arg(kBibStufen - 1), BibPanelM);
  BibLab18->setObjectName("BspLabel18");
  SetzeFett(BibLab18);
  BibLab18->adjustSize();
  BibLab18->move(0, kLabelOben);
}

void BibTab::ZeigeBib() {
  for (int L = 0; L < kBibStufen; ++L) {
    const bool regler = L < kBibStufen - 1;
    const BibStufenRegler* r = regler ? &BibRegler[static_cast<std::size_t>(L)] : nullptr;
    const BibSpalte z =
        ZaehleStufe(bib_, L, r != nullptr && r->CB->isChecked(), r != nullptr ? r->SE->value() : 0);
    const int spalte = L + 1;
    auto zeige = [&](int zeile, double wert, int dezimalen = 0) {
      BibGridW->SetzeZelle(spalte, zeile, ZahlText(wert, dezimalen));
    };
    auto rolle = [](int n, const char* kennung) {
      return n == 0 ? QString() : ZahlText(n, 0) + kennung;
    };
    const QString c = rolle(z.computer, " C"), s = rolle(z.spieler, " S");
    zeige(0, z.anzahl);
    BibGridW->SetzeZelle(spalte, 1, L % 2 == 0 ? c : s);
    BibGridW->SetzeZelle(spalte, 2, L % 2 == 0 ? s : c);
    zeige(3, BibMegabyte(z.anzahl), 1);
    zeige(4, z.computer);
    zeige(5, z.unkalkuliert);
    zeige(6, z.computer - z.unkalkuliert);
    for (int d = 0; d <= kMaxSteps; ++d) zeige(7 + d, z.tiefe[static_cast<std::size_t>(d)]);
  }
}

int BibTab::BibSpaltenSchritt() const {
  return BibGridW->fontMetrics().horizontalAdvance("1.234.567.987") + 2;
}

void BibTab::BibGridTopLeftChanged() {
  BibPanelM->move((1 - BibGridW->LinkeSpalte()) * BibSpaltenSchritt(), 0);
}

void BibTab::SetzeStufeAktiv(int L, bool an) {
  auto setze = [this](int stufe, bool wert) {
    QCheckBox* cb = BibRegler[static_cast<std::size_t>(stufe)].CB;
    const QSignalBlocker still(cb);
    cb->setChecked(wert);
  };
  setze(L, an);
  if (CBAktivKoppl->isChecked()) return;
  if (an)
    for (int i = 0; i < L; ++i) setze(i, true);
  else
    for (int i = L + 1; i < kBibStufen - 1; ++i) setze(i, false);
}

void BibTab::FaerbeStufe(int L) {
  const BibStufenRegler& r = BibRegler[static_cast<std::size_t>(L)];
  SetzeFarbe(r.Lab, r.SE->value() < StandardBibTiefe(L) ? kRot : kGruen, QPalette::WindowText);
}

void BibTab::BspCBClick(int L) {
  SetzeStufeAktiv(L, BibRegler[static_cast<std::size_t>(L)].CB->isChecked());
  ZeigeBib();
}

void BibTab::BspSEChange(int L) {
  SetzeStufeAktiv(L, true);
  FaerbeStufe(L);
  ZeigeBib();
}

void BibTab::SetzeBibRegler(const TBibliothek& quelle) {
  // As if set one by one with their handlers: each new depth switches its level on, then each
  // level takes its switch in level order.
  for (int L = 0; L < kBibStufen - 1; ++L) {
    QSpinBox* se = BibRegler[static_cast<std::size_t>(L)].SE;
    const int tiefe = std::clamp(quelle[L].BibTiefe, se->minimum(), se->maximum());
    if (se->value() == tiefe) continue;
    {
      const QSignalBlocker still(se);
      se->setValue(tiefe);
    }
    SetzeStufeAktiv(L, true);
    FaerbeStufe(L);
  }
  for (int L = 0; L < kBibStufen - 1; ++L)
    if (BibRegler[static_cast<std::size_t>(L)].CB->isChecked() != quelle[L].BibAktiv)
      SetzeStufeAktiv(L, quelle[L].BibAktiv);
}

void BibTab::BibKnoepfeFrei(bool frei) {
  for (QWidget* k :
       {BibErstellen, BibLoeschen, InaktivBut, Sicherung, BibOeffnen, BibSpeichern, CheckButn})
    k->setEnabled(frei);
  FusBut->setEnabled(frei);
  SBibBut->setEnabled(frei);
}

void BibTab::BibBelegt(bool belegt) {
  belegt_ = belegt;
  BibKnoepfeFrei(!belegt);
  emit BelegtGeaendert();
}

bool BibTab::RechnungLaeuft() const {
  return suche_.Laeuft() || belegt_;
}

void BibTab::BreiteBibStatus() {
  BibStatus->resize(static_cast<int>(std::lround((StatusPanel->width() - BibStatus->x()) * 0.95)),
                    BibStatus->height());
}

void BibTab::SetzeLayout() {
  const int Wb = width(), Hb = height();
  const int rand = BibPanelL->y();
  const int gridBreite = Wb - 2 * BibGridW->x();

  // The preview board in the lower left corner, the figures beside it, the buttons above both.
  const int vorschau = BibPanel->height();
  BibPanel->setGeometry(BibPanelL->x(), Hb - vorschau - rand, static_cast<int>(vorschau * 1.5),
                        vorschau);
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

void BibTab::ZeigeEntwickler() {
  for (QWidget* w : std::initializer_list<QWidget*>{CBAktivKoppl, CheckButn, CheckLab}) w->show();
}

void BibTab::Meldung(const std::string& text) {
  dialoge_.ShowMessagePos(QString::fromStdString(text));
}

}  // namespace quarne
