#include "ui/options_tab.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/search.h"
#include "engine/settings.h"
#include "game/game_flow.h"
#include "parallel/driver.h"
#include "ui/controls.h"
#include "ui/design.h"
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

// The check boxes remembered between runs.
constexpr const char* kGemerkteSchalter[] = {"CBAuto",   "TonCB",    "NotationCB",    "HolzCB",
                                             "SpVsSpCB", "CBUseBib", "CBBibDenkTiefe"};

}  // namespace

QString OptionSchluessel(const QString& name) {
  return "Optionen/" + name;
}

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

OptionenTab::OptionenTab(Einstellungen& einst, SpielOptionen& optionen, HTSuche& ht,
                         const Suche& suche, QWidget* eltern)
    : QWidget(eltern), einst_(einst), opt_(optionen), ht_(ht), suche_(suche) {
  setObjectName("TabEinstellung");
  auto* raster = new QGridLayout(this);
  raster->setContentsMargins(D(24), D(24), D(24), D(24));
  raster->setHorizontalSpacing(D(36));
  raster->addLayout(BaueSpielSpalte(), 0, 0);
  raster->addLayout(BaueSuchSpalte(), 0, 1);
  raster->setColumnStretch(2, 1);
  Verbinde();
  CPURadio.box->installEventFilter(this);
}

bool OptionenTab::eventFilter(QObject* objekt, QEvent* event) {
  if (objekt == CPURadio.box && event->type() == QEvent::Resize) SetzeCPULayout();
  return QWidget::eventFilter(objekt, event);
}

QVBoxLayout* OptionenTab::BaueSpielSpalte() {
  auto* links = new QVBoxLayout;
  CBAuto = Schalter(this, "CBAuto", "Automatische Zugziehung", true);
  TonCB = Schalter(this, "TonCB", "Tonsignal bei Computerzug", true);
  NotationCB = Schalter(this, "NotationCB", "Notationen einblenden", true);
  HolzCB = Schalter(this, "HolzCB", "Holzfiguren", true);
  CBVoll = Schalter(this, "CBVoll", "Vollständige Bewertung des 1. Zuges", false);
  for (QWidget* w : {static_cast<QWidget*>(CBAuto), static_cast<QWidget*>(TonCB),
                     static_cast<QWidget*>(NotationCB), static_cast<QWidget*>(HolzCB),
                     static_cast<QWidget*>(CBVoll)})
    links->addWidget(w);

  Panel2 = FarbPanel(this, "Panel2", kHellgruen);
  auto* p2 = new QVBoxLayout(Panel2);
  SpVsSpCB = Schalter(Panel2, "SpVsSpCB", "Spieler gegen Spieler", false, true);
  p2->addWidget(SpVsSpCB);
  links->addWidget(Panel2);

  RemisGroup = Gruppe(this, "RemisGroup", "Remis nach x Vollzügen (!) ohne Quarne",
                      {"--- OFF ---", "nach 20 Vollzügen (20x2 Züge)",
                       "nach 30 Vollzügen (30x2 Züge)", "nach 50 Vollzügen (50x2 Züge)"},
                      1);
  links->addWidget(RemisGroup.box);

  BibOptionPanel = FarbPanel(this, "BibOptionPanel", kHellgruen);
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
  return links;
}

QVBoxLayout* OptionenTab::BaueSuchSpalte() {
  auto* rechts = new QVBoxLayout;
  BaueThreadGruppe();
  rechts->addWidget(Panel3);
  BaueGeheimPanel();
  rechts->addWidget(SecretPanel);
  rechts->addLayout(BaueKnoepfe());
  rechts->addStretch(1);
  return rechts;
}

void OptionenTab::BaueThreadGruppe() {
  Panel3 = FarbPanel(this, "Panel3", kHellrot);
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
}

void OptionenTab::BaueGeheimPanel() {
  SecretPanel = FarbPanel(this, "SecretPanel", kHellgruen);
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
}

QGridLayout* OptionenTab::BaueKnoepfe() {
  auto* knoepfe = new QGridLayout;
  SaveButn = new QPushButton("Spiel speichern...", this);
  SaveButn->setObjectName("SaveButn");
  LoadButn = new QPushButton("Spiel laden...", this);
  LoadButn->setObjectName("LoadButn");
  for (QPushButton* b : {SaveButn, LoadButn}) b->setToolTip("Auch über Popup");
  ScoreButn = new QPushButton("Quarne Score", this);
  ScoreButn->setObjectName("ScoreButn");
  ScoreLab = new QLabel("---", this);
  ScoreLab->setObjectName("ScoreLab");
  // Room for a fast machine's result, so that the column does not widen when it arrives.
  ScoreLab->setMinimumWidth(
      ScoreLab->fontMetrics().horizontalAdvance(ScoreText({999999999, 1000})));
  HilfeButn = new QPushButton("Hilfe auf Website", this);
  HilfeButn->setObjectName("HilfeButn");
  WebBut = new QPushButton("Website", this);
  WebBut->setObjectName("WebBut");
  VersionsLab = new QLabel("Version 2.5.2", this);
  VersionsLab->setObjectName("VersionsLab");
  // There is no web site: the label and "Website" lead to the shipped page about the program.
  Label22 = new QLabel("<a href=\"ueber.html\">Über Tarvolin</a>", this);
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
  return knoepfe;
}

void OptionenTab::Verbinde() {
  connect(CBAuto, &QCheckBox::toggled, this, [this](bool an) { opt_.CBAuto = an; });
  connect(TonCB, &QCheckBox::toggled, this, [this](bool an) { opt_.TonCB = an; });
  connect(CBUseBib, &QCheckBox::toggled, this, [this](bool an) { opt_.CBUseBib = an; });
  connect(CBBibDenkTiefe, &QCheckBox::toggled, this, [this](bool an) { opt_.CBBibDenkTiefe = an; });
  connect(BibSE, &QSpinBox::valueChanged, this, [this](int v) { opt_.BibSE = v; });
  connect(LogCB, &QCheckBox::toggled, this, [this](bool an) { opt_.LogCB = an; });
  connect(NotationCB, &QCheckBox::toggled, this, &OptionenTab::NotationGeaendert);
  connect(HolzCB, &QCheckBox::toggled, this, &OptionenTab::HolzGeaendert);
  connect(SpVsSpCB, &QCheckBox::toggled, this, [this](bool an) {
    opt_.SpVsSpCB = an;
    emit ZweiSpielerGeaendert();
  });
  connect(CBVoll, &QCheckBox::toggled, this, [this](bool an) { einst_.CBVoll = an; });
  connect(CBVirtuell, &QCheckBox::toggled, this, [this](bool an) { einst_.CBVirtuell = an; });
  connect(CBVirtuellZugAb, &QCheckBox::toggled, this,
          [this](bool an) { einst_.CBVirtuellZugAb = an; });
  connect(VirtuellSE, &QSpinBox::valueChanged, this, [this](int v) { einst_.VirtuellSE = v; });
  connect(RemisGroup.gruppe, &QButtonGroup::idToggled, this, [this](int i, bool an) {
    if (an) einst_.RemisLimit = kRemisLimits[i];
  });
  connect(CPURadio.gruppe, &QButtonGroup::idToggled, this, [this] { CPURadioClick(); });
  connect(CPUSPE, &QSpinBox::valueChanged, this, &OptionenTab::CPUSPEChange);
  connect(ScoreButn, &QPushButton::clicked, this, &OptionenTab::Score);
  connect(SaveButn, &QPushButton::clicked, this, &OptionenTab::Speichern);
  connect(LoadButn, &QPushButton::clicked, this, &OptionenTab::Laden);
  connect(AutoGroup.gruppe, &QButtonGroup::idToggled, this, [this](int i, bool an) {
    if (!an) return;
    einst_.AutoGroup = i;
    emit SpielArtGeaendert();
  });
  // Only a change made here means "search to a depth".
  connect(TiefeSE2, &QSpinBox::valueChanged, this, [this](int v) {
    emit TiefeGewaehlt(v);
    AutoGroup.SetzeIndex(0);
  });
  connect(HilfeButn, &QPushButton::clicked, this, [this] { emit SeiteGewaehlt("hilfe.html"); });
  connect(WebBut, &QPushButton::clicked, this, [this] { emit SeiteGewaehlt("ueber.html"); });
  connect(Label22, &QLabel::linkActivated, this, &OptionenTab::SeiteGewaehlt);
}

void OptionenTab::SetzeCPULayout() {
  // In the lower right corner of the thread group, inside its frame, beside the item it counts.
  const QMargins gruppe = CPURadio.box->layout()->contentsMargins();
  CPUSPE->move(CPURadio.box->width() - CPUSPE->width() - gruppe.right(),
               CPURadio.box->height() - CPUSPE->height() - gruppe.bottom());
}

void OptionenTab::ErzeugeThreads(int prozessoren) {
  const int n = std::min(prozessoren, HTSuche::kMaxThreads);
  if (n < 2) {
    // One processor: the window's own thread searches, and there is nothing to choose.
    {
      const QSignalBlocker still(CPUSPE);
      CPUSPE->setRange(1, 1);
      CPUSPE->setValue(1);
    }
    CPUSPE->setEnabled(false);
    CPURadio.SetzeIndex(0);
    CPURadio.box->setEnabled(false);
  } else {
    CPURadio.box->setEnabled(true);
    CPURadio.SetzeIndex(1);
    ht_.ErzeugeThreads(n);
    // The handler names the count even when the value does not change.
    {
      const QSignalBlocker still(CPUSPE);
      CPUSPE->setRange(2, n);
      CPUSPE->setValue(n);
    }
    CPUSPEChange(n);
    CPUSPE->setEnabled(true);
  }
  CPURadioClick();
}

bool OptionenTab::ThreadsWaehlbar() const {
  return CPURadio.box->isEnabled();
}

void OptionenTab::CPURadioClick() {
  opt_.Parallel = CPURadio.box->isEnabled() && CPURadio.Index() == 1;
}

void OptionenTab::CPUSPEChange(int wert) {
  // The workers of a running search stay as they are.
  if (suche_.Laeuft()) return;
  ht_.SetzeThreadAnzahl(wert);
  CPURadio.SetzeText(1, QString("Nutzung von %1 CPUs/Threads").arg(wert));
}

bool OptionenTab::Voll() const {
  return CBVoll->isChecked();
}

void OptionenTab::SetzeVoll(bool voll) {
  CBVoll->setChecked(voll);
}

int OptionenTab::Denkauswahl() const {
  return AutoGroup.Index();
}

void OptionenTab::SetzeDenkauswahl(int i) {
  AutoGroup.SetzeIndex(i);
}

void OptionenTab::ZeigeTiefe(int tiefe) {
  const QSignalBlocker still(TiefeSE2);
  TiefeSE2->setValue(tiefe);
}

void OptionenTab::ZeigeEntwickler() {
  SecretPanel->show();
}

void OptionenTab::SetzeScore(const QString& text) {
  ScoreLab->setText(text);
}

void OptionenTab::SetzeTasten(const QAction* speichern, const QAction* laden,
                              const QAction* hilfe) {
  HilfeButn->setToolTip(MitTaste("Hilfe anzeigen", hilfe));
  SaveButn->setToolTip(MitTaste("Auch über Popup", speichern));
  LoadButn->setToolTip(MitTaste("Auch über Popup", laden));
}

void OptionenTab::Lade(const QSettings& s) {
  for (const char* name : kGemerkteSchalter) {
    const QVariant v = s.value(OptionSchluessel(name));
    if (v.isValid()) findChild<QCheckBox*>(name)->setChecked(v.toBool());
  }
  if (const QVariant v = s.value(OptionSchluessel(BibSE->objectName())); v.isValid())
    BibSE->setValue(v.toInt());
  if (const QVariant v = s.value(OptionSchluessel(RemisGroup.box->objectName())); v.isValid())
    RemisGroup.SetzeIndex(v.toInt());
}

void OptionenTab::LadeThreads(const QSettings& s) {
  if (!ThreadsWaehlbar()) return;
  if (const QVariant v = s.value(OptionSchluessel(CPUSPE->objectName())); v.isValid())
    CPUSPE->setValue(v.toInt());
  if (const QVariant v = s.value(OptionSchluessel(CPURadio.box->objectName())); v.isValid())
    CPURadio.SetzeIndex(v.toInt());
}

void OptionenTab::Speichere(QSettings& s) const {
  for (const char* name : kGemerkteSchalter)
    s.setValue(OptionSchluessel(name), findChild<QCheckBox*>(name)->isChecked());
  s.setValue(OptionSchluessel(BibSE->objectName()), BibSE->value());
  s.setValue(OptionSchluessel(RemisGroup.box->objectName()), RemisGroup.Index());
  if (ThreadsWaehlbar()) {
    s.setValue(OptionSchluessel(CPURadio.box->objectName()), CPURadio.Index());
    s.setValue(OptionSchluessel(CPUSPE->objectName()), CPUSPE->value());
  }
}

}  // namespace quarne
