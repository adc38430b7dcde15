#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QThread>
#include <exception>

#include "ui/balance_tab.h"
#include "ui/design.h"
#include "ui/dialogs.h"
#include "ui/evaluation_tab.h"
#include "ui/help_page.h"
#include "ui/ini_form.h"
#include "ui/library_tab.h"
#include "ui/main_tab.h"
#include "ui/options_tab.h"
#include "ui/page_window.h"
#include "ui/score.h"
#include "ui/search_monitor.h"
#include "ui/setup_tab.h"
#include "ui/steplist_tab.h"

namespace quarne {
namespace {

constexpr const char* kCodeWort = "wbhzpr";

QWidget* Tab(QTabWidget* seiten, const char* name, const QString& titel) {
  auto* t = new QWidget;
  t->setObjectName(name);
  seiten->addTab(t, titel);
  return t;
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

  spiel_ = std::make_unique<Spielstand>();
  anzeige_ = std::make_unique<SuchAnzeige>(einst_, *spiel_, *dialoge_);
  suche_ = std::make_unique<Suche>(einst_, *anzeige_);
  ht_ = std::make_unique<HTSuche>(*suche_, einst_, *anzeige_);
  anzeige_->SetzeSuche(*suche_, *ht_);
  const auto keim = static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
  ablauf_ = std::make_unique<Spielablauf>(*spiel_, *suche_, *ht_, einst_, spielOpt_,
                                          static_cast<SpielFenster&>(*this), keim);
  ablauf_->SetzeBibliothek(&bib_);
  IniForm = std::make_unique<TIniForm>();
  SpielBrett = std::make_unique<TBrettClass>();
  StellungsBrett = std::make_unique<TBrettClass>();
  BibBrett = std::make_unique<TBrettClass>();
  SpielBrett->SetzeSpiel(this);

  score_ = new ScoreLauf(*ht_, *suche_, *anzeige_, this);

  SteinWeiss = QImage(":/steine/stein_weiss.png");
  SteinSchwarz = QImage(":/steine/stein_schwarz.png");
  for (TBrettClass* b : {SpielBrett.get(), StellungsBrett.get(), BibBrett.get()})
    b->SetzeSteinBilder(&SteinWeiss, &SteinSchwarz);

  BaueTabs();
  VerbindeTabs();
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
  haupt_->LoeseTastatur();
}

void TQuarneForm::BaueTabs() {
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  setCentralWidget(PageControl);
  // Each tab is born in the page control, so that it measures its texts in the window's font.
  haupt_ = new HauptTab(*SpielBrett, *ablauf_, *spiel_, spielOpt_, PageControl);
  PageControl->addTab(haupt_, "Quarne Brett");
  bewertung_ = new BewertungTab(suche_->MemStep, PageControl);
  PageControl->addTab(bewertung_, "Zugbewertung");
  bibTab_ = new BibTab(bib_, *suche_, *ht_, *anzeige_, spielOpt_, *BibBrett, *dialoge_, dateien_,
                       ordner_, PageControl);
  PageControl->addTab(bibTab_, "Eröffnungen");
  stellung_ = new StellungTab(*StellungsBrett, *ablauf_, *dialoge_, PageControl);
  PageControl->addTab(stellung_, "Stellung");
  balance_ = new BalanceTab(einst_, PageControl);
  PageControl->addTab(balance_, "Balance_");
  optionen_ = new OptionenTab(einst_, spielOpt_, *ht_, *suche_, PageControl);
  PageControl->addTab(optionen_, "Optionen");
  AblgSheet = Tab(PageControl, "AblgSheet", "Ablage");
  BaueAblage(AblgSheet);
  stepListe_ = new StepListeTab(*ht_, PageControl);
  PageControl->addTab(stepListe_, "StepListe");
  anzeige_->SetzeTabs(*haupt_, *bewertung_, *PageControl, {optionen_, stellung_, balance_});
}

void TQuarneForm::VerbindeTabs() {
  connect(haupt_, &HauptTab::TiefeGeaendert, this, [this](int tiefe) {
    spielOpt_.TiefeSE1 = tiefe;
    optionen_->ZeigeTiefe(tiefe);
  });
  connect(optionen_, &OptionenTab::TiefeGewaehlt, haupt_, &HauptTab::SetzeTiefe);
  connect(optionen_, &OptionenTab::SpielArtGeaendert, this, &TQuarneForm::AktualisiereSpiel);
  connect(optionen_, &OptionenTab::ZweiSpielerGeaendert, this, [this] {
    AktualisiereSpiel();
    PageControl->setCurrentWidget(haupt_);
  });
  connect(optionen_, &OptionenTab::NotationGeaendert, this, [this](bool an) {
    for (TBrettClass* b : {SpielBrett.get(), StellungsBrett.get(), BibBrett.get()})
      b->SetzeNotation(an);
    ZeichneBretter();
  });
  connect(optionen_, &OptionenTab::HolzGeaendert, this, [this](bool an) {
    for (TBrettClass* b : {SpielBrett.get(), StellungsBrett.get(), BibBrett.get()})
      b->SetzeHolz(an);
    ZeichneBretter();
  });
  connect(optionen_, &OptionenTab::Speichern, this, &TQuarneForm::SaveButnClick);
  connect(optionen_, &OptionenTab::Laden, this, &TQuarneForm::LoadButnClick);
  connect(optionen_, &OptionenTab::Score, this, &TQuarneForm::ScoreButnClick);
  connect(optionen_, &OptionenTab::SeiteGewaehlt, this, &TQuarneForm::ZeigeSeite);
  connect(score_, &ScoreLauf::Laeuft, optionen_, &OptionenTab::SetzeScore);
  connect(stellung_, &StellungTab::AnalyseBegonnen, this, [this] {
    AnalyseEinstellungen();
    PageControl->setCurrentWidget(haupt_);
  });
  connect(bibTab_, &BibTab::BelegtGeaendert, this, &TQuarneForm::AktualisiereSpiel);
  connect(bibTab_, &BibTab::BauBeginnt, this, [this] {
    optionen_->SetzeVoll(true);
    haupt_->setEnabled(false);
    haupt_->SetzeZiehB(false);
  });
  connect(bibTab_, &BibTab::BauEndet, haupt_, [this] { haupt_->setEnabled(true); });
  // A changed library is shown when its tab comes to the front.
  connect(PageControl, &QTabWidget::currentChanged, this, [this] {
    if (PageControl->currentWidget() == bibTab_ && bib_.Geaendert) bibTab_->ZeigeBib();
  });
  // The pop-up menu of every tab that has none of its own.
  auto* speichern = new QAction("Speichern...", PageControl);
  speichern->setObjectName("Speichern1");
  auto* laden = new QAction("Laden...", PageControl);
  laden->setObjectName("Laden1");
  PageControl->addActions({speichern, laden});
  PageControl->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(speichern, &QAction::triggered, this, &TQuarneForm::SaveButnClick);
  connect(laden, &QAction::triggered, this, &TQuarneForm::LoadButnClick);
}

void TQuarneForm::ZeichneBretter() {
  SpielBrett->ZeichneZug();
  StellungsBrett->ZeichneNewNull();
  BibBrett->ZeichneBib();
}

void TQuarneForm::BaueAblage(QWidget* tab) {
  auto* ablage = new QHBoxLayout(tab);
  for (const auto& [bild, name] :
       {std::pair{&SteinWeiss, "ImageSteinW"}, std::pair{&SteinSchwarz, "ImageSteinS"}}) {
    auto* l = new QLabel(tab);
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
  const QSize formel = haupt_->Mindestgroesse() + QSize(rahmenBreite, rahmenHoehe);
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
  optionen_->ErzeugeThreads(prozessoren_);
  if (nutzer_) optionen_->LadeThreads(*nutzer_);

  PageControl->setTabVisible(PageControl->indexOf(AblgSheet), false);
  stellung_->ZaehleSteine();
  haupt_->SetzeZeilenAnzahl(2);
  AktualisiereSpiel();
  // A game named on the command line; one that cannot be read is passed over in silence.
  if (!argumente_.isEmpty() && argumente_.front().contains(".ml", Qt::CaseInsensitive))
    LadeSpiel(argumente_.front(), false);
  haupt_->ZeichneBrett();
  LadeBibliothek();
  balance_->ZeigeGewichte();
  anzeige_->ZeigeDenkzeit();
  for (QWidget* t : std::initializer_list<QWidget*>{stepListe_, bibTab_, balance_})
    PageControl->setTabVisible(PageControl->indexOf(t), false);
}

void TQuarneForm::closeEvent(QCloseEvent* event) {
  // A running search returns on the flag; once the workers have ended, the driver finishes
  // without them.
  suche_->Halte();
  SpeichereNutzerEinstellungen();
  if (optionen_->ThreadsWaehlbar()) ht_->HTTerminateThreads();
  if (bib_.Geaendert && spielOpt_.BibSpClose) SpeichereBibliothek();
  QMainWindow::closeEvent(event);
}

void TQuarneForm::LadeBibliothek() {
  IniForm->Zeige("Bibliothek laden ...");
  // A missing library is no error: the program then starts with an empty one.
  bibTab_->LeseBibDatei(dateien_.Datei("Bibliothek5.bib"), bib_);
  bib_.Geaendert = false;
  IniForm->hide();
}

void TQuarneForm::SpeichereBibliothek() {
  IniForm->Zeige("Bibliothek speichern ...");
  bibTab_->SchreibeBibDatei(dateien_.Datei("Bibliothek5.bib"));
  IniForm->hide();
}

void TQuarneForm::ZeigeBibErgebnis() {
  anzeige_->VerbergeTabelle();
  anzeige_->ZeigeTabelle();
  anzeige_->StarteUhr();
  anzeige_->ZeigeBewertung();
  // No search ran: there is no time and no speed to show.
  bewertung_->ZeigeBibliothekErgebnis();
}

bool TQuarneForm::eventFilter(QObject* objekt, QEvent* event) {
  if (event->type() == QEvent::Resize && gebaut_ && (objekt == haupt_ || objekt == bewertung_))
    SetzeLayout();
  // Every tab sheet has the size of the first, but a hidden one learns it only when shown.
  if (event->type() == QEvent::Resize && gebaut_ && objekt == bibTab_) bibTab_->SetzeLayout();
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
  optionen_->ZeigeEntwickler();
  bibTab_->ZeigeEntwickler();
  for (QWidget* t : std::initializer_list<QWidget*>{stepListe_, bibTab_})
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
  ungespeichert_ = spiel_->LetzterZugNr() > 0;
  haupt_->RecordGeaendert(spiel_->LetzterZugNr() + 2, spiel_->AktZugNr());
  SpielBrett->EingabeVeraltet();
}

void TQuarneForm::StellungGewechselt() {
  SpielBrett->EingabeVeraltet();
}

void TQuarneForm::NeuesSpielAngezeigt() {
  NachAnalyseZurueck();
  anzeige_->ZeigeFortschritt(false, 0, 0);
  anzeige_->VerbergeTabelle();
}

void TQuarneForm::VerbergeTabelle() {
  anzeige_->VerbergeTabelle();
}

void TQuarneForm::LegaleZuege(const TZug& zug, int zugNr, TFarbe farbe, TStep& auswahl) {
  suche_->StepRoutineListe(2, zug, zugNr, farbe, true, false, *spiel_);
  auswahl = suche_->Steps[1];
}

void TQuarneForm::FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) {
  ablauf_->FuehreZugAus(vorDemZug, zug, spieler);
}

bool TQuarneForm::RechnungLaeuft() const {
  return suche_->Laeuft() || bibTab_->Belegt();
}

void TQuarneForm::SucheLaeuft(bool laeuft) {
  bibTab_->BibKnoepfeFrei(!laeuft);
}

void TQuarneForm::SetzeLayout() {
  haupt_->SetzeLayout();
  bewertung_->SetzeLayout();
}

void TQuarneForm::ScoreButnClick() {
  if (RechnungLaeuft()) return;
  ScoreMessung messung;
  try {
    messung = score_->Messe(spielOpt_.Parallel, {haupt_, stellung_, bewertung_});
  } catch (const std::exception& fehler) {
    optionen_->SetzeScore("---");
    Nachricht(fehler.what());
    return;
  }
  optionen_->SetzeScore(ScoreText(messung));
}

void TQuarneForm::ZeigeSeite(const QString& seite) {
  if (dialoge_->OeffneSeite(MitgelieferteSeite(seite))) return;
  if (Seiten == nullptr) Seiten = new SeitenFenster(this);
  Seiten->Zeige(seite);
}

void TQuarneForm::AktualisiereSpiel() {
  if (aktualisiert_) return;
  aktualisiert_ = true;
  const Spielstand& s = *spiel_;
  const TZug& aktuell = s.AktuellerZug();
  SpielLage lage;
  lage.weissAmZug = s.FarbeAmZug() == clWeiss;
  lage.vorbei = PruefeSpielende(aktuell).Vorbei();
  lage.computerWeiss = s.ComputerFarbe() == clWeiss;
  lage.zweiSpieler = spielOpt_.SpVsSpCB;
  lage.sucht = RechnungLaeuft();
  lage.computerAmZug = s.FarbeAmZug() == s.ComputerFarbe();
  lage.ziehFrei = suche_->ErgebnisBereit() && suche_->MemStep.STZugNummer == s.AktZugNr() &&
                  suche_->MemStep.STFarbeZiehend == s.ComputerFarbe() && !s.ZugGemacht();
  lage.aktZugNr = s.AktZugNr();
  lage.nachTiefe = einst_.AutoGroup == 0;
  haupt_->ZeigeSpiel(lage);

  SpielBrett->ZeigeSpiel(aktuell, s.LetzterZieher(),
                         !lage.sucht && (lage.zweiSpieler || !lage.computerAmZug));
  if (!lage.nachTiefe) anzeige_->ZeigeDenkzeit();
  aktualisiert_ = false;
}

}  // namespace quarne
