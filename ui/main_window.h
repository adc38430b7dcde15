// The main window: its tabs and controls, the options they stand for, and the game on the
// main board.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

#include "engine/search.h"
#include "engine/settings.h"
#include "game/game_flow.h"
#include "game/game_record.h"
#include "library/model.h"
#include "ui/board_view.h"
#include "ui/dialog_folder.h"
#include "ui/program_files.h"

class QTabWidget;
class QDate;
class QSettings;

namespace quarne {

class BalanceTab;
class BewertungTab;
class BibTab;
class DialogDienst;
class HauptTab;
class OptionenTab;
class ScoreLauf;
class SeitenFenster;
class StellungTab;
class StepListeTab;
class SuchAnzeige;
class TIniForm;

// The name "Spiel speichern..." proposes for a game saved on that day: "Partie 2026-12-10".
QString PartieName(const QDate& tag);

// The main window composes its tabs; each owns its controls and reaches the game, the search
// and the settings below through the few methods and signals it offers.
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

  // What the tests and the tour read of the game, the options and the search; the game flow
  // they drive; the search's display with its clock; the library the tab shows.
  const Spielstand& Spiel() const { return *spiel_; }
  const Einstellungen& Einstellung() const { return einst_; }
  const SpielOptionen& Optionen() const { return spielOpt_; }
  const Suche& SucheStand() const { return *suche_; }
  const HTSuche& ParallelSuche() const { return *ht_; }
  Spielablauf& Ablauf() { return *ablauf_; }
  SuchAnzeige& Anzeige() { return *anzeige_; }
  TBibliothek& Bibliothek() { return bib_; }

  void AktualisiereSpiel() override;
  bool EntwicklerModus() const { return codeZaehler_ == 7; }
  // The record changed since it was last saved, loaded or begun.
  bool Ungespeichert() const { return ungespeichert_; }
  // False when nothing was written; the file that was there is then kept.
  bool SpeichereSpiel(const QString& datei);
  // False when the game stayed as it was; with melden, the reason is shown.
  bool LadeSpiel(const QString& datei, bool melden);

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
  // A search runs, or the library is built or checked: nothing else may start one.
  bool RechnungLaeuft() const;

  // BrettSpiel
  const TZug& AktuellerZug() const override { return spiel_->AktuellerZug(); }
  int AktZugNr() const override { return spiel_->AktZugNr(); }
  TFarbe FarbeAmZug() const override { return spiel_->FarbeAmZug(); }
  TFarbe ComputerFarbe() const override { return spiel_->ComputerFarbe(); }
  void LegaleZuege(const TZug& zug, int zugNr, TFarbe farbe, TStep& auswahl) override;
  void FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) override;

  void BaueTabs();
  void BaueAblage(QWidget* tab);
  void VerbindeTabs();
  void SetzeLayout();
  // The boards draw their labels and stones as the options say.
  void ZeichneBretter();
  void ScoreButnClick();
  // Help and about: in the desktop's browser, else in a window of the program.
  void ZeigeSeite(const QString& seite);
  void SaveButnClick();
  void LoadButnClick();
  void FormCreate();
  void FormShow();
  void SetzeMinimum();
  void EntwicklerTaste(int taste);
  void BaueTasten();
  void LadeNutzerEinstellungen();
  void SpeichereNutzerEinstellungen();
  // The analysis switches (full evaluation, depth 12) on, after remembering the user's.
  void AnalyseEinstellungen();
  // A game that is no analysis gets back the settings from before the analysis, unless the
  // user has changed them since.
  void NachAnalyseZurueck();

  std::unique_ptr<DialogDienst> eigeneDialoge_;
  DialogDienst* dialoge_;
  // The program's state, owned here for as long as the window lives.
  Einstellungen einst_;
  SpielOptionen spielOpt_;
  std::unique_ptr<Spielstand> spiel_;
  std::unique_ptr<SuchAnzeige> anzeige_;
  std::unique_ptr<Suche> suche_;
  std::unique_ptr<HTSuche> ht_;
  std::unique_ptr<Spielablauf> ablauf_;
  std::unique_ptr<TBrettClass> SpielBrett, StellungsBrett, BibBrett;
  // The opening library, read when the window is first shown.
  TBibliothek bib_;
  std::unique_ptr<TIniForm> IniForm;
  // The stone pictures of the "Ablage" tab, shared by the three boards.
  QImage SteinWeiss, SteinSchwarz;
  QTabWidget* PageControl = nullptr;
  HauptTab* haupt_ = nullptr;
  BewertungTab* bewertung_ = nullptr;
  StellungTab* stellung_ = nullptr;
  BalanceTab* balance_ = nullptr;
  OptionenTab* optionen_ = nullptr;
  StepListeTab* stepListe_ = nullptr;
  BibTab* bibTab_ = nullptr;
  QWidget* AblgSheet = nullptr;
  ScoreLauf* score_ = nullptr;
  // A shipped page shown by the program itself; created when first needed.
  SeitenFenster* Seiten = nullptr;
  bool aktualisiert_ = false;  // AktualisiereSpiel is running
  bool gezeigt_ = false;
  bool gebaut_ = false;
  int codeZaehler_ = 1;
  int prozessoren_;
  ProgrammDateien dateien_;
  DialogOrdner ordner_{dateien_};
  QStringList argumente_;
  bool ungespeichert_ = false;
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
