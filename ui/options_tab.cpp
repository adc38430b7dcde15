// The options tab "Optionen": every switch of the game, the search and the boards, written into
// the settings the moment it changes.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/board_widget.h"
#include "ui/controls.h"
#include "ui/design.h"
#include "ui/dialogs.h"
#include "ui/help_page.h"
#include "ui/main_window.h"
#include "ui/page_window.h"
#include "ui/score.h"

namespace quarne {
namespace {

RadioGruppe Gruppe(QWidget* eltern, const char* name, const QString& titel,
                   const QStringList& items, int index) {
  RadioGruppe g;
  g.box = new QGroupBox(titel, eltern);
  g.box->setObjectName(name);
  g.gruppe = new QButtonGroup(g.box);
  auto* l = new QVBoxLayout(g.box);
  for (int i = 0; i < items.size(); ++i) {
    auto* r = new QRadioButton(items[i], g.box);
    g.gruppe->addButton(r, i);
    l->addWidget(r);
  }
  g.SetzeIndex(index);
  return g;
}

}  // namespace

int RadioGruppe::Index() const {
  return gruppe->checkedId();
}
void RadioGruppe::SetzeIndex(int i) {
  if (QAbstractButton* b = gruppe->button(i)) b->setChecked(true);
}
void RadioGruppe::SetzeText(int i, const QString& text) {
  if (QAbstractButton* b = gruppe->button(i)) b->setText(text);
}
QRadioButton* RadioGruppe::Item(int i) const {
  return static_cast<QRadioButton*>(gruppe->button(i));
}

void TQuarneForm::BaueOptionenTab() {
  QWidget* tab = TabEinstellung;
  auto* raster = new QGridLayout(tab);
  raster->setContentsMargins(D(24), D(24), D(24), D(24));
  raster->setHorizontalSpacing(D(36));

  // Left column: game and board.
  auto* links = new QVBoxLayout;
  CBAuto = Schalter(tab, "CBAuto", "Automatische Zugziehung", true);
  TonCB = Schalter(tab, "TonCB", "Tonsignal bei Computerzug", true);
  NotationCB = Schalter(tab, "NotationCB", "Notationen einblenden", true);
  HolzCB = Schalter(tab, "HolzCB", "Holzfiguren", true);
  CBVoll = Schalter(tab, "CBVoll", "Vollständige Bewertung des 1. Zuges", false);
  for (QWidget* w : {static_cast<QWidget*>(CBAuto), static_cast<QWidget*>(TonCB),
                     static_cast<QWidget*>(NotationCB), static_cast<QWidget*>(HolzCB),
                     static_cast<QWidget*>(CBVoll)})
    links->addWidget(w);

  Panel2 = FarbPanel(tab, "Panel2", kHellgruen);
  auto* p2 = new QVBoxLayout(Panel2);
  SpVsSpCB = Schalter(Panel2, "SpVsSpCB", "Spieler gegen Spieler", false, true);
  p2->addWidget(SpVsSpCB);
  links->addWidget(Panel2);

  RemisGroup = Gruppe(tab, "RemisGroup", "Remis nach x Vollzügen (!) ohne Quarne",
                      {"--- OFF ---", "nach 20 Vollzügen (20x2 Züge)",
                       "nach 30 Vollzügen (30x2 Züge)", "nach 50 Vollzügen (50x2 Züge)"},
                      1);
  links->addWidget(RemisGroup.box);

  BibOptionPanel = FarbPanel(tab, "BibOptionPanel", kHellgruen);
  auto* bibRaster = new QGridLayout(BibOptionPanel);
  CBUseBib = Schalter(BibOptionPanel, "CBUseBib", "Eröffnungsbibliohtek verwenden", true, true);
  CBBibDenkTiefe =
      Schalter(BibOptionPanel, "CBBibDenkTiefe",
               "Bei Zeitvorgabe (Denkzeit) nur Einträge ab x Zügen Denktiefe verwenden:", true);
  BibSE = Zahl(BibOptionPanel, "BibSE", 2, 16, 13);
  bibRaster->addWidget(CBUseBib, 0, 0, 1, 2);
  bibRaster->addWidget(CBBibDenkTiefe, 1, 0);
  bibRaster->addWidget(BibSE, 1, 1);
  links->addWidget(BibOptionPanel);
  links->addStretch(1);

  // Right column: search.
  auto* rechts = new QVBoxLayout;
  Panel3 = FarbPanel(tab, "Panel3", kHellrot);
  auto* p3 = new QVBoxLayout(Panel3);
  CPURadio = Gruppe(Panel3, "CPURadio", "Thread Kontrolle",
                    {"Nutzung EINER CPU", "Nutzung mehrerer CPUs/Threads"}, 1);
  // The window's layout puts the count into the group's lower right corner, beside the item
  // it belongs to; its design size holds three digits.
  CPUSPE = Zahl(CPURadio.box, "CPUSPE", 2, 2, 2);
  CPUSPE->setFixedSize(D(69), D(32));
  CPURadio.box->setMinimumSize(D(361), D(109));
  AutoGroup = Gruppe(Panel3, "AutoGroup", "Denkzeit / Denktiefe",
                     {"--- OFF ---     Denktiefe in Zügen:", "eine Sekunde", "fünf Sekunden",
                      "zehn Sekunden", "dreißig Sekunden", "eine Minute", "drei Minuten"},
                     3);
  TiefeSE2 = Zahl(AutoGroup.box, "TiefeSE2", 2, 16, 6);
  // The depth stands beside the first item, which it belongs to.
  auto* autoLayout = static_cast<QVBoxLayout*>(AutoGroup.box->layout());
  auto* ersteZeile = new QHBoxLayout;
  autoLayout->removeWidget(AutoGroup.Item(0));
  ersteZeile->addWidget(AutoGroup.Item(0));
  ersteZeile->addWidget(TiefeSE2);
  ersteZeile->addStretch(1);
  autoLayout->insertLayout(0, ersteZeile);
  p3->addWidget(CPURadio.box);
  p3->addWidget(AutoGroup.box);
  rechts->addWidget(Panel3);

  SecretPanel = FarbPanel(tab, "SecretPanel", kHellgruen);
  auto* geheim = new QGridLayout(SecretPanel);
  CBVirtuell = Schalter(SecretPanel, "CBVirtuell", "Virtuelle Züge durchführen", true, true);
  CBVirtuellZugAb = Schalter(SecretPanel, "CBVirtuellZugAb", "Virtuell ab Zug:", false);
  VirtuellSE = Zahl(SecretPanel, "VirtuellSE", 2, 15, 6);
  geheim->addWidget(CBVirtuell, 0, 0, 1, 2);
  geheim->addWidget(CBVirtuellZugAb, 1, 0);
  geheim->addWidget(VirtuellSE, 1, 1);
  // Hidden from players; the developer mode offers it with the other developer options.
  LogCB = Schalter(SecretPanel, "LogCB", "Speichern einer Log.ml nach jedem Zug", false);
  geheim->addWidget(LogCB, 2, 0, 1, 2);
  SecretPanel->hide();
  rechts->addWidget(SecretPanel);

  auto* knoepfe = new QGridLayout;
  SaveButn = new QPushButton("Spiel speichern...", tab);
  SaveButn->setObjectName("SaveButn");
  LoadButn = new QPushButton("Spiel laden...", tab);
  LoadButn->setObjectName("LoadButn");
  for (QPushButton* b : {SaveButn, LoadButn}) b->setToolTip("Auch über Popup");
  ScoreButn = new QPushButton("Quarne Score", tab);
  ScoreButn->setObjectName("ScoreButn");
  ScoreLab = new QLabel("---", tab);
  ScoreLab->setObjectName("ScoreLab");
  // Room for a fast machine's result, so that the column does not widen when it arrives.
  ScoreLab->setMinimumWidth(
      ScoreLab->fontMetrics().horizontalAdvance(ScoreText({999999999, 1000})));
  HilfeButn = new QPushButton("Hilfe auf Website", tab);
  HilfeButn->setObjectName("HilfeButn");
  WebBut = new QPushButton("Website", tab);
  WebBut->setObjectName("WebBut");
  VersionsLab = new QLabel("Version 2.5.2", tab);
  VersionsLab->setObjectName("VersionsLab");
  // There is no web site: the label and "Website" lead to the shipped page about the program.
  Label22 = new QLabel("<a href=\"ueber.html\">Über Tarvolin</a>", tab);
  Label22->setObjectName("Label22");
  Label22->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  knoepfe->addWidget(SaveButn, 0, 0);
  knoepfe->addWidget(LoadButn, 0, 1);
  knoepfe->addWidget(ScoreButn, 1, 0);
  knoepfe->addWidget(ScoreLab, 1, 1);
  knoepfe->addWidget(HilfeButn, 2, 0);
  knoepfe->addWidget(WebBut, 2, 1);
  knoepfe->addWidget(VersionsLab, 3, 0);
  knoepfe->addWidget(Label22, 3, 1);
  rechts->addLayout(knoepfe);
  rechts->addStretch(1);

  raster->addLayout(links, 0, 0);
  raster->addLayout(rechts, 0, 1);
  raster->setColumnStretch(2, 1);
}

void TQuarneForm::VerbindeOptionen() {
  connect(CBAuto, &QCheckBox::toggled, this, [this](bool an) { spielOpt.CBAuto = an; });
  connect(TonCB, &QCheckBox::toggled, this, [this](bool an) { spielOpt.TonCB = an; });
  connect(CBUseBib, &QCheckBox::toggled, this, [this](bool an) { spielOpt.CBUseBib = an; });
  connect(CBBibDenkTiefe, &QCheckBox::toggled, this,
          [this](bool an) { spielOpt.CBBibDenkTiefe = an; });
  connect(BibSE, &QSpinBox::valueChanged, this, [this](int v) { spielOpt.BibSE = v; });
  connect(LogCB, &QCheckBox::toggled, this, [this](bool an) { spielOpt.LogCB = an; });
  connect(NotationCB, &QCheckBox::toggled, this, [this](bool an) {
    for (TBrettClass* b : {SpielBrett.get(), StellungsBrett.get(), BibBrett.get()})
      b->Notation = an;
    SpielBrett->ZeichneZug();
    StellungsBrett->ZeichneNewNull();
    BibBrett->ZeichneBib();
  });
  connect(HolzCB, &QCheckBox::toggled, this, [this](bool an) {
    for (TBrettClass* b : {SpielBrett.get(), StellungsBrett.get(), BibBrett.get()}) b->Holz = an;
    SpielBrett->ZeichneZug();
    StellungsBrett->ZeichneNewNull();
    BibBrett->ZeichneBib();
  });
  connect(SpVsSpCB, &QCheckBox::toggled, this, [this](bool an) {
    spielOpt.SpVsSpCB = an;
    AktualisiereSpiel();
    PageControl->setCurrentWidget(TabOben);
  });
  connect(CBVoll, &QCheckBox::toggled, this, [this](bool an) { einst.CBVoll = an; });
  connect(CBVirtuell, &QCheckBox::toggled, this, [this](bool an) { einst.CBVirtuell = an; });
  connect(CBVirtuellZugAb, &QCheckBox::toggled, this,
          [this](bool an) { einst.CBVirtuellZugAb = an; });
  connect(VirtuellSE, &QSpinBox::valueChanged, this, [this](int v) { einst.VirtuellSE = v; });
  connect(RemisGroup.gruppe, &QButtonGroup::idToggled, this, [this](int i, bool an) {
    if (an) einst.RemisLimit = kRemisLimits[i];
  });
  connect(CPURadio.gruppe, &QButtonGroup::idToggled, this, [this] { CPURadioClick(); });
  connect(CPUSPE, &QSpinBox::valueChanged, this, &TQuarneForm::CPUSPEChange);
  connect(ScoreButn, &QPushButton::clicked, this, &TQuarneForm::ScoreButnClick);
  connect(SaveButn, &QPushButton::clicked, this, &TQuarneForm::SaveButnClick);
  connect(LoadButn, &QPushButton::clicked, this, &TQuarneForm::LoadButnClick);
  connect(AutoGroup.gruppe, &QButtonGroup::idToggled, this, [this](int i, bool an) {
    if (!an) return;
    einst.AutoGroup = i;
    AktualisiereSpiel();
  });
  connect(TiefeSE1, &QSpinBox::valueChanged, this, [this](int v) {
    spielOpt.TiefeSE1 = v;
    // Only a change made in TiefeSE2 itself means "search to a depth".
    const QSignalBlocker still(TiefeSE2);
    TiefeSE2->setValue(v);
  });
  connect(TiefeSE2, &QSpinBox::valueChanged, this, [this](int v) {
    TiefeSE1->setValue(v);
    AutoGroup.SetzeIndex(0);
  });
  connect(HilfeButn, &QPushButton::clicked, this, [this] { ZeigeSeite("hilfe.html"); });
  connect(WebBut, &QPushButton::clicked, this, [this] { ZeigeSeite("ueber.html"); });
  connect(Label22, &QLabel::linkActivated, this, &TQuarneForm::ZeigeSeite);
}

void TQuarneForm::ZeigeSeite(const QString& seite) {
  if (dialoge_->OeffneSeite(MitgelieferteSeite(seite))) return;
  if (Seiten == nullptr) Seiten = new SeitenFenster(this);
  Seiten->Zeige(seite);
}

}  // namespace quarne
