// The library tab "Eröffnungen": the overview grid with the controls of each level above it, the
// buttons of building and maintenance, the progress figures and the preview board.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "library/building.h"
#include "library/file_lock.h"
#include "library/file_result.h"
#include "library/model.h"
#include "ui/build_progress.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace quarne {

struct SpielOptionen;
struct TUebernahme;
class BibGrid;
class BrettWidget;
class DialogDienst;
class DialogOrdner;
class HTSuche;
class ProgrammDateien;
class Suche;
class SuchAnzeige;
class TBrettClass;

class BibTab : public QWidget, private BauAnzeige {
  Q_OBJECT

 public:
  // The tab shows and keeps bib; it builds with suche and ht and shows its preview on brett.
  BibTab(TBibliothek& bib, Suche& suche, HTSuche& ht, SuchAnzeige& anzeige, SpielOptionen& optionen,
         TBrettClass& brett, DialogDienst& dialoge, const ProgrammDateien& dateien,
         DialogOrdner& ordner, QWidget* eltern = nullptr);

  // The tab's controls placed for its size; the preview board gets its new drawing area.
  void SetzeLayout();
  // The grid from the library and the level controls.
  void ZeigeBib();
  // Reads a library file into ziel with the reader's messages; the level controls take the
  // settings of a file read whole, and the grid shows the main library.
  TLeseErgebnis LeseBibDatei(const QString& datei, TBibliothek& ziel);
  // Writes the main library with the writer's messages, under the file's lock; asks first when
  // a file it was read from changed on disk since the tab last read or wrote it.
  void SchreibeBibDatei(const QString& datei);
  // The library is being built or checked.
  bool Belegt() const { return belegt_; }
  // The buttons that change the library or run a search rest while a computation runs.
  void BibKnoepfeFrei(bool frei);
  // The developer options come into view.
  void ZeigeEntwickler();
  // The message for an import or merge that was refused; empty when it was done.
  static std::string UebernahmeFehler(const TUebernahme& u, const QString& quelle);

  // The handlers of the buttons and the context menu; each does nothing while a computation runs.
  void BibErstellenClick();
  void StoppenClick();
  void CheckButnClick();
  void InaktivButClick();
  void BibLoeschenClick();
  void SicherungClick();
  void BibOeffnenClick();
  void BibSpeichernClick();
  void FusButClick();
  void SBibButClick();
  // BibTimer's tick while the library is built: the figures, the autosave, the running dots.
  void POnBibTimer();
  // The tick for the running position's root list and the moves generated for it.
  void ZeigeFortschritt(const TStep& wurzel, std::int64_t stellung);
  // The figures of the running build that the tick shows.
  BauFortschritt& Fortschritt() { return fortschritt_; }

 signals:
  // Building or checking began or ended; the game rests meanwhile.
  void BelegtGeaendert();
  // Building takes the window's search switches: full evaluation, the main tab at rest.
  void BauBeginnt();
  void BauEndet();

 private:
  // BauAnzeige
  void PositionBeginnt(int L, int x, int nummer, const TBibZug& eintrag) override;
  void PositionGespeichert() override;

  void BaueKnoepfe();
  void BaueAnzeige();
  void BaueRegler();
  void Verbinde();
  int BibSpaltenSchritt() const;
  void BibGridTopLeftChanged();
  void BspCBClick(int L);
  void BspSEChange(int L);
  // Level L's box, with the coupling of the levels unless "Einzelauswahl" is checked.
  void SetzeStufeAktiv(int L, bool an);
  void FaerbeStufe(int L);
  void SetzeBibRegler(const TBibliothek& quelle);
  // While the library is built or checked, the game and the library's buttons rest.
  void BibBelegt(bool belegt);
  void BreiteBibStatus();
  void MeldeBibErgebnis(const std::string& text);
  void Meldung(const std::string& text);
  // A search runs, or the library is built or checked.
  bool RechnungLaeuft() const;

  TBibliothek& bib_;
  Suche& suche_;
  HTSuche& ht_;
  SuchAnzeige& anzeige_;
  SpielOptionen& opt_;
  TBrettClass& brett_;
  DialogDienst& dialoge_;
  const ProgrammDateien& dateien_;
  DialogOrdner& ordner_;
  bool belegt_ = false;
  bool bibTimerLaeuft_ = false;  // POnBibTimer is running
  // The library files read into the main library, as the disk held them when the tab last read
  // or wrote them.
  std::map<QString, TDateiStand> bibStaende_;

  // Ticks every 500 ms while the library is built.
  QTimer* BibTimer = nullptr;
  BauFortschritt fortschritt_;

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
};

}  // namespace quarne
