// The main window: its tabs and controls, the options they stand for, and the game on the
// main board.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

#include "engine/search.h"
#include "engine/settings.h"
#include "game/game_flow.h"
#include "game/game_record.h"
#include "library/ergebnis.h"
#include "library/model.h"
#include "library/sperre.h"
#include "ui/board_view.h"
#include "ui/program_files.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QPlainTextEdit;
class QButtonGroup;
class QDate;
class QSettings;

namespace quarne {

struct TUebernahme;

class BibGrid;
class BrettWidget;
class DialogDienst;
class MemStepTabelle;
class MovesGrid;
class SeitenFenster;

// The name "Spiel speichern..." proposes for a game saved on that day: "Partie 2026-12-10".
QString PartieName(const QDate& tag);
class SuchAnzeige;
class TMyTimer;
class TIniForm;

// A radio group: a titled box of exclusive items.
struct RadioGruppe {
  QGroupBox* box = nullptr;
  QButtonGroup* gruppe = nullptr;
  int Index() const;
  void SetzeIndex(int i);
  void SetzeText(int i, const QString& text);
  QRadioButton* Item(int i) const;
};

class TQuarneForm : public QMainWindow, private SpielFenster, private BrettSpiel {
  Q_OBJECT

 public:
  // Without a dialog service the window shows real message boxes.
  explicit TQuarneForm(DialogDienst* dialoge = nullptr, QWidget* parent = nullptr);
  ~TQuarneForm() override;
  // The processor count the first show creates workers for; the system's unless set before.
  void SetzeProzessoren(int anzahl) { prozessoren_ = anzahl; }
  // Where "Bibliothek5.bib" is read at start and written at the end; tests point it elsewhere
  // before the window is shown.
  void SetzeDateien(const ProgrammDateien& dateien) { dateien_ = dateien; }
  // The program's command-line arguments; the first one is loaded at start when it names a game
  // file.
  void SetzeArgumente(const QStringList& argumente) { argumente_ = argumente; }
  // Where the user's options, the window's place and the last folder are remembered: read
  // now, written when the window closes. Without it (tests) nothing is remembered.
  void SetzeNutzerEinstellungen(std::unique_ptr<QSettings> einstellungen);

  // The program's state, owned here for as long as the window lives.
  Einstellungen einst;
  SpielOptionen spielOpt;
  std::unique_ptr<Spielstand> spiel;
  std::unique_ptr<Suche> suche;
  std::unique_ptr<HTSuche> ht;
  std::unique_ptr<Spielablauf> ablauf;
  std::unique_ptr<TBrettClass> SpielBrett, StellungsBrett, BibBrett;
  std::unique_ptr<SuchAnzeige> anzeige;
  // The opening library, read when the window is first shown.
  TBibliothek bib;
  std::unique_ptr<TIniForm> IniForm;
  TMyTimer* SuchTimer = nullptr;
  TMyTimer* ScoreTimer = nullptr;
  TMyTimer* BibTimer = nullptr;

  // Tabs.
  QTabWidget* PageControl = nullptr;
  QWidget *TabOben = nullptr, *TabZuege = nullptr, *BibSheet = nullptr, *SetTabSheet = nullptr,
          *Balance_ = nullptr, *TabEinstellung = nullptr, *AblgSheet = nullptr,
          *StepListe = nullptr;

  // Main tab.
  QWidget *PanelWeiss = nullptr, *PanelSchwarz = nullptr, *PanelWBlink = nullptr,
          *PanelSBlink = nullptr;
  QWidget *PanelSpieler = nullptr, *PanelComp = nullptr, *PanelSp1 = nullptr, *PanelSp2 = nullptr;
  QLabel *WeissLab = nullptr, *SchwarzLab = nullptr;
  QPushButton *DenkeBut = nullptr, *ZiehB = nullptr;
  QToolButton* StopSP = nullptr;
  QLineEdit* ZeitEdit = nullptr;
  QLabel *ImageHintergrund = nullptr, *ImageSpieler = nullptr, *IamgeComp = nullptr,
         *Image1 = nullptr, *Image2 = nullptr;
  QPushButton *WechselBut = nullptr, *ZurueckButn = nullptr, *NeuBut = nullptr;
  QPushButton *XBut = nullptr, *AllUp = nullptr, *OneUp = nullptr, *OneDown = nullptr,
              *AllDown = nullptr;
  QWidget* BrettPanel = nullptr;
  BrettWidget* BrettBP = nullptr;
  MovesGrid* MovesGridW = nullptr;
  QGroupBox* TabObPanel = nullptr;
  QLabel *DenktiefeLab_ = nullptr, *TiefeLab = nullptr, *ZugNrLab = nullptr, *PrgrLab = nullptr;
  QSpinBox* TiefeSE1 = nullptr;
  QLineEdit *TiefeEdit = nullptr, *ZugNrEdit = nullptr;

  // Evaluation tab.
  QLabel *DenkzeitLab = nullptr, *AnzDZuegeLbl = nullptr;
  QLineEdit *DenkzeitEdit = nullptr, *BerZuegeEd = nullptr, *ZPrS = nullptr;
  MemStepTabelle* MemStepTabelleW = nullptr;
  QProgressBar* PrgrBarTab = nullptr;

  // Options tab.
  QCheckBox *CBAuto = nullptr, *TonCB = nullptr, *NotationCB = nullptr, *HolzCB = nullptr,
            *LogCB = nullptr, *SpVsSpCB = nullptr, *CBUseBib = nullptr, *CBBibDenkTiefe = nullptr,
            *CBVoll = nullptr, *CBVirtuell = nullptr, *CBVirtuellZugAb = nullptr;
  QSpinBox *BibSE = nullptr, *CPUSPE = nullptr, *TiefeSE2 = nullptr, *VirtuellSE = nullptr;
  RadioGruppe CPURadio, AutoGroup, RemisGroup;
  QWidget *Panel2 = nullptr, *BibOptionPanel = nullptr, *Panel3 = nullptr, *SecretPanel = nullptr;
  QPushButton *SaveButn = nullptr, *LoadButn = nullptr, *ScoreButn = nullptr, *HilfeButn = nullptr,
              *WebBut = nullptr;
  QLabel *ScoreLab = nullptr, *VersionsLab = nullptr, *Label22 = nullptr;

  // Setup tab.
  QWidget *SetPanel = nullptr, *SetEingabePanel = nullptr;
  BrettWidget* SetPB = nullptr;
  QPushButton *WeissButn = nullptr, *SchwarzButn = nullptr, *ToAnalyzeWeiss = nullptr,
              *ToAnalyzeSchwarz = nullptr, *ResetAnalyze = nullptr, *Butn9 = nullptr;
  QLineEdit *EditWeisseSteine = nullptr, *EditSchwarzeSteine = nullptr, *EDLostWeiss = nullptr,
            *EDLostSchwarz = nullptr;
  QSpinBox *SPEDWeiss = nullptr, *SPEDSchwarz = nullptr;
  QLabel *LblSPPhsWeiss = nullptr, *LblSPPhsSchwarz = nullptr;

  // The pop-up menu of the tabs.
  QAction *Speichern1 = nullptr, *Laden1 = nullptr;
  // The window's keys: F1, Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Z.
  QAction *HilfeTaste = nullptr, *NeuTaste = nullptr, *LadenTaste = nullptr,
          *SpeichernTaste = nullptr, *ZurueckTaste = nullptr;
  // A shipped page shown by the program itself; created when first needed.
  SeitenFenster* Seiten = nullptr;

  // Weights tab.
  std::array<QLineEdit*, 15> GewichtEdits{};
  QCheckBox *CBMuster = nullptr, *CBMobil = nullptr, *CBPosition = nullptr,
            *CBVirtQuarne2 = nullptr, *CBVirtGewinn2 = nullptr, *NaherVorteilCB = nullptr;
  QPushButton *SetzeWerte = nullptr, *SetzeStandard = nullptr;

  // Library tab.
  BibGrid* BibGridW = nullptr;
  QWidget *BibPanelL = nullptr, *BibPanelR = nullptr, *BibPanelM = nullptr, *BibButPanel = nullptr,
          *BibAnzeige = nullptr, *StatusPanel = nullptr, *BibPanel = nullptr;
  BrettWidget* BibPB = nullptr;
  QCheckBox *CBAktivKoppl = nullptr, *BibSpClose = nullptr;
  QPushButton *BibErstellen = nullptr, *Stoppen = nullptr, *BibLoeschen = nullptr,
              *InaktivBut = nullptr, *Sicherung = nullptr, *BibOeffnen = nullptr,
              *BibSpeichern = nullptr, *CheckButn = nullptr;
  QLabel *CheckLab = nullptr, *ZugLab = nullptr, *BibDauer = nullptr, *BibAktivZNr = nullptr,
         *BibDTiefe = nullptr, *BibStellung = nullptr, *BibXVonY = nullptr, *BibDauerSub = nullptr,
         *BibBytes = nullptr, *BibStatus = nullptr;
  QLineEdit *BibBerZgInsg = nullptr, *BibZuegeStellung = nullptr, *BibZgProSek = nullptr;
  // The context menu of the tab: merging another library, importing an entry file.
  QAction *FusBut = nullptr, *SBibBut = nullptr;
  // The controls of levels 0..17: switched on for building, and the target depth.
  struct BibStufenRegler {
    QLabel* Lab = nullptr;
    QCheckBox* CB = nullptr;
    QSpinBox* SE = nullptr;
  };
  std::array<BibStufenRegler, kBibStufen - 1> BibRegler{};
  QLabel* BibLab18 = nullptr;

  // Debug tab.
  QPushButton *SchreibBut = nullptr, *SchreibePufferBut = nullptr, *LoescheBut = nullptr;
  QPlainTextEdit* MemoStepListe = nullptr;

  // The stone pictures of the "Ablage" tab, shared by the three boards.
  QImage SteinWeiss, SteinSchwarz;

  // Handlers.
  void AktualisiereSpiel() override;
  void SetzeLayout();
  void SetzeWerteClick();
  void SetzeStandardClick();
  void CPURadioClick();
  void CPUSPEChange(int wert);
  void ScoreButnClick();
  void POnScoreTimer();
  void SchreibButClick();
  void SchreibePufferButClick();
  void LoescheButClick();
  bool EntwicklerModus() const { return codeZaehler_ == 7; }

  // Setup tab.
  void ZaehleSteine();
  void SetPBMouseDown(QPoint pos);
  void ResetAnalyzeClick();
  // "Weiss am Zug >" and "Schwarz am Zug >".
  void ToAnalyzeClick(TFarbe amZug);

  // Help and about: in the desktop's browser, else in a window of the program.
  void ZeigeSeite(const QString& seite);
  // The record changed since it was last saved, loaded or begun.
  bool Ungespeichert() const { return ungespeichert_; }

  // Game files.
  void SaveButnClick();
  void LoadButnClick();
  // False when nothing was written; the file that was there is then kept.
  bool SpeichereSpiel(const QString& datei);
  // False when the game stayed as it was; with melden, the reason is shown.
  bool LadeSpiel(const QString& datei, bool melden);

  // Library tab.
  void ZeigeBib();
  void BibGridTopLeftChanged();
  void BspCBClick(int L);
  void BspSEChange(int L);
  void PageControlChange();
  void BibErstellenClick();
  void StoppenClick();
  void POnBibTimer();
  void CheckButnClick();
  void InaktivButClick();
  void BibLoeschenClick();
  void SicherungClick();
  void BibOeffnenClick();
  void BibSpeichernClick();
  void FusButClick();
  void SBibButClick();
  // The message for an import or merge that was refused; empty when it was done.
  static std::string UebernahmeFehler(const TUebernahme& u, const QString& quelle);
  // A search runs, or the library is built or checked: nothing else may start one.
  bool RechnungLaeuft() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* objekt, QEvent* event) override;

 private:
  // SpielFenster
  bool Frage(std::string_view text) override;
  void Nachricht(std::string_view text) override;
  void Beep() override;
  void RecordGeaendert() override;
  void StellungGewechselt() override;
  void NeuesSpielAngezeigt() override;
  void VerbergeTabelle() override;
  void SucheLaeuft(bool laeuft) override;
  void ZeigeBibErgebnis() override;
  void SchreibeLog() override;
  void LadeBibliothek();
  void SpeichereBibliothek();
  // Reads a library file into ziel with the reader's messages; the level controls take the
  // settings of a file read whole, and the grid shows the main library.
  TLeseErgebnis LeseBibDatei(const QString& datei, TBibliothek& ziel);
  // Writes the main library with the writer's messages, under the file's lock; asks first when
  // a file it was read from changed on disk since the window last read or wrote it.
  void SchreibeBibDatei(const QString& datei);

  // BrettSpiel
  const TZug& AktuellerZug() const override { return spiel->AktuellerZug(); }
  int AktZugNr() const override { return spiel->AktZugNr; }
  TFarbe FarbeAmZug() const override { return spiel->FarbeAmZug; }
  TFarbe ComputerFarbe() const override { return spiel->ComputerFarbe; }
  void LegaleZuege(const TZug& zug, int zugNr, TFarbe farbe, TStep& auswahl) override;
  void FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) override;

  void BaueHauptTab();
  void BaueBewertungTab();
  void BaueOptionenTab();
  void BaueBalanceTab();
  void BaueWeitereTabs();
  void BaueStepListeTab();
  void BaueStellungTab();
  void SetzeStellungLayout();
  // The placed counts of the setup tab, without counting the stones again.
  void SetzeGesetzte(int weiss, int schwarz);
  void SetzeStepListeLayout();
  void BaueBibTab();
  void BaueBibAnzeige();
  void BaueBibRegler();
  void SetzeBibLayout();
  int BibSpaltenSchritt() const;
  // Level L's box, with the coupling of the levels unless "Einzelauswahl" is checked.
  void SetzeStufeAktiv(int L, bool an);
  void FaerbeStufe(int L);
  void SetzeBibRegler(const TBibliothek& quelle);
  // The buttons that change the library or run a search rest while a computation runs.
  void BibKnoepfeFrei(bool frei);
  // While the library is built or checked, the game and the library's buttons rest.
  void BibBelegt(bool belegt);
  void BreiteBibStatus();
  void MeldeBibErgebnis(const std::string& text);
  void VerbindeOptionen();
  void FormCreate();
  void FormShow();
  void SetzeMinimum();
  void ErzeugeThreads();
  void ZeigeStepListe();
  void Navigiere(int zeile);
  void ScrolleZu(int aktZugNr);
  void ZeigeGewichte();
  void EntwicklerTaste(int taste);
  void BaueTasten();
  // The folder file dialogs start in: the last one used, else the program's choice.
  QString DialogOrdner() const;
  // Remembers the folder of a file the user picked.
  void MerkeOrdner(const QString& datei);
  void LadeNutzerEinstellungen();
  void LadeThreadEinstellungen();
  void SpeichereNutzerEinstellungen();
  // The analysis switches (full evaluation, depth 12) on, after remembering the user's.
  void AnalyseEinstellungen();
  // A game that is no analysis gets back the settings from before the analysis, unless the
  // user has changed them since.
  void NachAnalyseZurueck();

  std::unique_ptr<DialogDienst> eigeneDialoge_;
  DialogDienst* dialoge_;
  bool aktualisiert_ = false;    // AktualisiereSpiel is running
  bool bibBelegt_ = false;       // the library is being built or checked
  bool bibTimerLaeuft_ = false;  // POnBibTimer is running
  bool gezeigt_ = false;
  bool gebaut_ = false;
  int codeZaehler_ = 1;
  int prozessoren_;
  ProgrammDateien dateien_;
  QStringList argumente_;
  // The library files read into the main library, as the disk held them when the window last
  // read or wrote them.
  std::map<QString, TDateiStand> bibStaende_;
  bool ungespeichert_ = false;
  QString letzterOrdner_;
  std::unique_ptr<QSettings> nutzer_;
  // The thinking settings the user had before an analysis: full evaluation, AutoGroup, depth.
  struct Denkweise {
    bool voll = false;
    int auswahl = 0;
    int tiefe = 0;
    friend bool operator==(const Denkweise&, const Denkweise&) = default;
  };
  Denkweise AktuelleDenkweise() const;
  void SetzeDenkweise(const Denkweise& d);
  std::optional<Denkweise> vorAnalyse_;
};

}  // namespace quarne
