#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>

#include "ui/board_widget.h"
#include "ui/controls.h"
#include "ui/design.h"
#include "ui/dialogs.h"
#include "ui/evaluation_table.h"
#include "ui/ini_form.h"
#include "ui/move_list.h"
#include "ui/search_monitor.h"
#include "ui/timers.h"

namespace quarne {
namespace {

constexpr const char* kCodeWort = "wbhzpr";

QWidget* Tab(QTabWidget* seiten, const char* name, const QString& titel) {
  auto* t = new QWidget;
  t->setObjectName(name);
  seiten->addTab(t, titel);
  return t;
}

void Verschiebe(QWidget* w, QWidget* nach) {
  if (w->parentWidget() == nach) return;
  const bool sichtbar = w->isVisibleTo(w->parentWidget());
  w->setParent(nach);
  w->setVisible(sichtbar);
}

}  // namespace

TQuarneForm::TQuarneForm(DialogDienst* dialoge, QWidget* parent)
    : QMainWindow(parent), prozessoren_(QThread::idealThreadCount()) {
  setObjectName("QuarneForm");
  setWindowTitle("Tarvolin 2.5.2");
  // Tahoma is the window's face; where it is missing, a face of similar width stands in.
  QFont::insertSubstitutions("Tahoma", {"Liberation Sans", "DejaVu Sans"});
  QFont schrift("Tahoma", 8);
  schrift.setStyleHint(QFont::SansSerif);
  setFont(schrift);
  if (dialoge == nullptr) {
    eigeneDialoge_ = std::make_unique<QtDialoge>(this);
    dialoge = eigeneDialoge_.get();
  }
  dialoge_ = dialoge;

  spiel = std::make_unique<Spielstand>();
  anzeige = std::make_unique<SuchAnzeige>(*this, *dialoge_);
  suche = std::make_unique<Suche>(einst, *anzeige);
  ht = std::make_unique<HTSuche>(*suche, einst, *anzeige);
  const auto keim = static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
  ablauf = std::make_unique<Spielablauf>(*spiel, *suche, *ht, einst, spielOpt,
                                         static_cast<SpielFenster&>(*this), keim);
  ablauf->SetzeBibliothek(&bib);
  IniForm = std::make_unique<TIniForm>();
  SpielBrett = std::make_unique<TBrettClass>();
  StellungsBrett = std::make_unique<TBrettClass>();
  BibBrett = std::make_unique<TBrettClass>();
  SpielBrett->Spiel = this;

  SuchTimer = new TMyTimer(500, this);
  ScoreTimer = new TMyTimer(1000, this);
  BibTimer = new TMyTimer(500, this);
  connect(SuchTimer, &QTimer::timeout, this, [this] { anzeige->POnTimer(); });
  connect(ScoreTimer, &QTimer::timeout, this, &TQuarneForm::POnScoreTimer);
  connect(BibTimer, &QTimer::timeout, this, &TQuarneForm::POnBibTimer);

  SteinWeiss = QImage(":/steine/stein_weiss.png");
  SteinSchwarz = QImage(":/steine/stein_schwarz.png");
  for (TBrettClass* b : {SpielBrett.get(), StellungsBrett.get(), BibBrett.get()}) {
    b->SteinWeissBMP = &SteinWeiss;
    b->SteinSchwarzBMP = &SteinSchwarz;
  }

  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  setCentralWidget(PageControl);
  TabOben = Tab(PageControl, "TabOben", "Quarne Brett");
  TabZuege = Tab(PageControl, "TabZuege", "Zugbewertung");
  BibSheet = Tab(PageControl, "BibSheet", "Eröffnungen");
  SetTabSheet = Tab(PageControl, "SetTabSheet", "Stellung");
  Balance_ = Tab(PageControl, "Balance_", "Balance_");
  TabEinstellung = Tab(PageControl, "TabEinstellung", "Optionen");
  AblgSheet = Tab(PageControl, "AblgSheet", "Ablage");
  StepListe = Tab(PageControl, "StepListe", "StepListe");

  BaueHauptTab();
  BaueBewertungTab();
  BaueOptionenTab();
  BaueBalanceTab();
  BaueWeitereTabs();
  BaueStepListeTab();
  BaueStellungTab();
  BaueBibTab();
  VerbindeOptionen();
  MovesGridW->SetzeSpiel(spiel.get(), &spielOpt);
  MemStepTabelleW->SetzeMemStep(&suche->MemStep);
  connect(MovesGridW, &MovesGrid::ZugGewaehlt, this,
          [this](int, int zeile) { ablauf->WaehleZug(zeile); });
  connect(PageControl, &QTabWidget::currentChanged, this, &TQuarneForm::PageControlChange);
  // The pop-up menu of every tab that has none of its own.
  Speichern1 = new QAction("Speichern...", PageControl);
  Speichern1->setObjectName("Speichern1");
  Laden1 = new QAction("Laden...", PageControl);
  Laden1->setObjectName("Laden1");
  PageControl->addActions({Speichern1, Laden1});
  PageControl->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(Speichern1, &QAction::triggered, this, &TQuarneForm::SaveButnClick);
  connect(Laden1, &QAction::triggered, this, &TQuarneForm::LoadButnClick);
  BaueTasten();

  // The window sees every key before the focused control, and lays out its tabs whenever they
  // change size.
  qApp->installEventFilter(this);
  gebaut_ = true;
  FormCreate();
}

TQuarneForm::~TQuarneForm() {
  qApp->removeEventFilter(this);
  // The board redraws when it loses the keys; later, while the children go, its picture is gone.
  BrettBP->clearFocus();
}

void TQuarneForm::BaueWeitereTabs() {
  auto* ablage = new QHBoxLayout(AblgSheet);
  for (const auto& [bild, name] :
       {std::pair{&SteinWeiss, "ImageSteinW"}, std::pair{&SteinSchwarz, "ImageSteinS"}}) {
    auto* l = new QLabel(AblgSheet);
    l->setObjectName(name);
    l->setPixmap(QPixmap::fromImage(*bild));
    // The tab is never shown; its large pictures must not set the window's smallest size.
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    ablage->addWidget(l);
  }
}

void TQuarneForm::FormCreate() {
  SetzeMinimum();
  resize(D(1428), D(1094));
  if (const QScreen* s = screen()) {
    const QRect flaeche = s->availableGeometry();
    QRect r = frameGeometry();
    r.moveCenter(flaeche.center());
    if (flaeche.width() < r.width()) r.moveLeft(10);
    if (flaeche.height() < r.height()) r.moveTop(10);
    move(r.topLeft());
  }
}

void TQuarneForm::SetzeMinimum() {
  // The panels' formula alone lets the window shrink below what the other tabs need; the
  // designed minimum and every tab's own minimum bound it as well.
  const int rahmenBreite = frameGeometry().width() - width();
  const int rahmenHoehe = frameGeometry().height() - height();
  const QSize formel(2 * PanelWeiss->width() + WechselBut->width() + MovesGridW->width() +
                         2 * BrettPanel->x() + rahmenBreite,
                     3 * (D(18) + PanelWeiss->height()) + 2 * BrettPanel->x() + rahmenHoehe);
  const QSize tabs = PageControl->minimumSizeHint();
  setMinimumSize(formel.expandedTo(QSize(D(1439), D(1073))).expandedTo(tabs));
}

void TQuarneForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!gezeigt_) {
    gezeigt_ = true;
    FormShow();
  }
}

void TQuarneForm::FormShow() {
  StellungsBrett->NewNullZugFrb = clSchwarz;
  StellungsBrett->NewFarbe = clWeiss;
  BibBrett->BibOpenFrb = clSchwarz;
  TiefeSE1->setMaximum(16);
  ErzeugeThreads();
  LadeThreadEinstellungen();

  PageControl->setTabVisible(PageControl->indexOf(AblgSheet), false);
  ZaehleSteine();
  MovesGridW->SetzeZeilenAnzahl(2);
  AktualisiereSpiel();
  // A game named on the command line; one that cannot be read is passed over in silence.
  if (!argumente_.isEmpty() && argumente_.front().contains(".ml", Qt::CaseInsensitive))
    LadeSpiel(argumente_.front(), false);
  BrettBP->update();
  LadeBibliothek();
  ZeigeGewichte();
  anzeige->ZeigeDenkzeit();
  for (QWidget* t : {StepListe, BibSheet, Balance_})
    PageControl->setTabVisible(PageControl->indexOf(t), false);
}

void TQuarneForm::closeEvent(QCloseEvent* event) {
  // A running search returns on the flag; once the workers have ended, the driver finishes
  // without them.
  suche->StopFlag = true;
  SpeichereNutzerEinstellungen();
  if (CPURadio.box->isEnabled()) ht->HTTerminateThreads();
  if (bib.Geaendert && spielOpt.BibSpClose) SpeichereBibliothek();
  QMainWindow::closeEvent(event);
}

void TQuarneForm::LadeBibliothek() {
  IniForm->Zeige("Bibliothek laden ...");
  // A missing library is no error: the program then starts with an empty one.
  LeseBibDatei(dateien_.Datei("Bibliothek5.bib"), bib);
  bib.Geaendert = false;
  IniForm->hide();
}

void TQuarneForm::SpeichereBibliothek() {
  IniForm->Zeige("Bibliothek speichern ...");
  SchreibeBibDatei(dateien_.Datei("Bibliothek5.bib"));
  IniForm->hide();
}

void TQuarneForm::ZeigeBibErgebnis() {
  anzeige->VerbergeTabelle();
  anzeige->ZeigeTabelle();
  SuchTimer->StartTime = anzeige->JetztMs();
  anzeige->ZeigeBewertung();
  // No search ran: there is no time and no speed to show.
  DenkzeitEdit->setText("Bibliothek");
  ZPrS->setText("---");
}

bool TQuarneForm::eventFilter(QObject* objekt, QEvent* event) {
  if (event->type() == QEvent::Resize && gebaut_ && (objekt == TabOben || objekt == TabZuege))
    SetzeLayout();
  // Every tab sheet has the size of the first, but a hidden one learns it only when shown.
  if (event->type() == QEvent::Resize && gebaut_ && objekt == BibSheet) SetzeBibLayout();
  if (event->type() == QEvent::Resize && gebaut_ && objekt == SetTabSheet) SetzeStellungLayout();
  if (event->type() == QEvent::Resize && gebaut_ && objekt == StepListe) SetzeStepListeLayout();
  // A key first reaches the focused control (or the window itself); later deliveries of the
  // same key to the parents are not counted again.
  if (event->type() == QEvent::KeyPress && codeZaehler_ < 7) {
    QWidget* fokus = QApplication::focusWidget();
    if (objekt == (fokus != nullptr ? static_cast<QObject*>(fokus) : this) &&
        static_cast<QWidget*>(objekt)->window() == this)
      EntwicklerTaste(static_cast<QKeyEvent*>(event)->key());
  }
  return QMainWindow::eventFilter(objekt, event);
}

void TQuarneForm::EntwicklerTaste(int taste) {
  // Letter keys arrive as upper-case codes; 32 more is the lower-case letter.
  const int erhoeht = taste + 32;
  codeZaehler_ = erhoeht == kCodeWort[codeZaehler_ - 1] ? codeZaehler_ + 1 : 1;
  if (codeZaehler_ < 7) return;
  SecretPanel->show();
  for (QWidget* w : std::initializer_list<QWidget*>{CBAktivKoppl, CheckButn, CheckLab}) w->show();
  for (QWidget* t : {StepListe, BibSheet})
    PageControl->setTabVisible(PageControl->indexOf(t), true);
  dialoge_->Beep();
}

// --- The game on the main board ---

bool TQuarneForm::Frage(std::string_view text) {
  return dialoge_->Frage(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void TQuarneForm::Nachricht(std::string_view text) {
  dialoge_->ShowMessagePos(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void TQuarneForm::Beep() {
  dialoge_->Beep();
}

void TQuarneForm::RecordGeaendert() {
  ungespeichert_ = spiel->LetzterZugNr > 0;
  MovesGridW->SetzeZeilenAnzahl(spiel->LetzterZugNr + 2);
  MovesGridW->ScrolleNachZug(spiel->AktZugNr);
  SpielBrett->EDInit = false;
}

void TQuarneForm::StellungGewechselt() {
  SpielBrett->EDInit = false;
}

void TQuarneForm::NeuesSpielAngezeigt() {
  NachAnalyseZurueck();
  anzeige->ZeigeFortschritt(false, 0, 0);
  anzeige->VerbergeTabelle();
}

void TQuarneForm::VerbergeTabelle() {
  anzeige->VerbergeTabelle();
}

void TQuarneForm::LegaleZuege(const TZug& zug, int zugNr, TFarbe farbe, TStep& auswahl) {
  suche->StepRoutineListe(2, zug, zugNr, farbe, true, false, *spiel);
  auswahl = suche->Steps[1];
}

void TQuarneForm::FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) {
  ablauf->FuehreZugAus(vorDemZug, zug, spieler);
}

void TQuarneForm::Navigiere(int zeile) {
  const int vorher = spiel->AktZugNr;
  ablauf->WaehleZug(zeile);
  if (zeile == 0)
    MovesGridW->SetzeObersteZeile(0);
  else if (spiel->AktZugNr < vorher)
    MovesGridW->ScrolleZurueck(spiel->AktZugNr);
  else
    MovesGridW->ScrolleVor(spiel->AktZugNr);
}

void TQuarneForm::AktualisiereSpiel() {
  if (aktualisiert_) return;
  aktualisiert_ = true;
  Spielstand& s = *spiel;
  s.FarbeAmZug = s.FarbeVonZug(s.AktZugNr);
  const bool weissAmZug = s.FarbeAmZug == clWeiss;
  const TZug& aktuell = s.AktuellerZug();
  // At the end of the game nobody is to move.
  const bool vorbei = PruefeSpielende(aktuell).Vorbei();
  SetzeFarbe(PanelWBlink, weissAmZug && !vorbei ? kGelb : kSilber);
  SetzeFarbe(PanelSBlink, weissAmZug || vorbei ? kSilber : kGelb);
  WeissLab->setVisible(weissAmZug && !vorbei);
  SchwarzLab->setVisible(!weissAmZug && !vorbei);

  const bool computerWeiss = s.ComputerFarbe == clWeiss;
  QWidget* computerSeite = computerWeiss ? PanelWBlink : PanelSBlink;
  QWidget* spielerSeite = computerWeiss ? PanelSBlink : PanelWBlink;
  Verschiebe(PanelComp, computerSeite);
  Verschiebe(PanelSp2, computerSeite);
  Verschiebe(PanelSpieler, spielerSeite);
  Verschiebe(PanelSp1, spielerSeite);

  const bool zweiSpieler = spielOpt.SpVsSpCB;
  PanelSp1->setVisible(zweiSpieler);
  PanelSp2->setVisible(zweiSpieler);
  for (QWidget* w : {PanelSpieler, PanelComp, static_cast<QWidget*>(ZugNrLab),
                     static_cast<QWidget*>(TiefeLab), static_cast<QWidget*>(DenktiefeLab_),
                     static_cast<QWidget*>(TiefeEdit), static_cast<QWidget*>(ZugNrEdit)})
    w->setVisible(!zweiSpieler);
  TabObPanel->setTitle(zweiSpieler ? "Spieler gegen Spieler" : "");

  const bool sucht = RechnungLaeuft();
  for (QWidget* w : {WechselBut, ZurueckButn, NeuBut}) w->setEnabled(!sucht);
  DenkeBut->setEnabled(!sucht && s.ComputerFarbe == s.FarbeAmZug);
  StopSP->setEnabled(sucht);
  if (!sucht)
    ZiehB->setEnabled(suche->ResultReady && suche->MemStep.STZugNummer == s.AktZugNr &&
                      suche->MemStep.STFarbeZiehend == s.ComputerFarbe && !s.ZugGemacht);

  MovesGridW->SetzeAuswahl(s.AktZugNr);
  MovesGridW->Neuzeichnen();

  TBrettClass& brett = *SpielBrett;
  brett.MovesZug_1 = aktuell;
  brett.MovesFarbe_1 = s.LetzterZieher();
  const TBrett& b = aktuell.BrettNachZug;
  const int gesetztLetzter = b.GesetzteSteineZiehend, gesetztAnderer = b.GesetzteSteineStehend;
  brett.EDAblgWeissCnt = 9 - (s.LetzterZieher() == clWeiss ? gesetztLetzter : gesetztAnderer);
  brett.EDAblgSchwarzCnt = 9 - (s.LetzterZieher() == clSchwarz ? gesetztLetzter : gesetztAnderer);

  const bool computerAmZug = s.FarbeAmZug == s.ComputerFarbe;
  if (vorbei || sucht || (computerAmZug && !zweiSpieler)) {
    brett.EDBlock = true;
    brett.SetzeZugZurueck();
  } else {
    brett.EDBlock = false;
    if (!brett.EDInit) brett.StarteEdition();
  }
  brett.ZeichneZug();

  const bool nachTiefe = einst.AutoGroup == 0;
  TiefeSE1->setVisible(nachTiefe && !zweiSpieler);
  if (nachTiefe)
    DenktiefeLab_->setText("Denktiefe in Zügen:");
  else
    anzeige->ZeigeDenkzeit();
  aktualisiert_ = false;
}

}  // namespace quarne
