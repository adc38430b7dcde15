// The options tab "Optionen": every switch of the game, the search and the boards, written into
// the settings the moment it changes.
#pragma once

#include <QString>
#include <QWidget>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSettings;
class QSpinBox;
class QVBoxLayout;

namespace quarne {

class HTSuche;
class Suche;
struct Einstellungen;
struct SpielOptionen;

// Where an option is remembered between runs: under its control's name.
QString OptionSchluessel(const QString& name);

// A radio group: a titled box of exclusive items.
struct RadioGruppe {
  QGroupBox* box = nullptr;
  QButtonGroup* gruppe = nullptr;
  int Index() const;
  void SetzeIndex(int i);
  void SetzeText(int i, const QString& text);
  QRadioButton* Item(int i) const;
};

class OptionenTab : public QWidget {
  Q_OBJECT

 public:
  // The workers of ht are counted here; suche tells whether a search runs.
  OptionenTab(Einstellungen& einst, SpielOptionen& optionen, HTSuche& ht, const Suche& suche,
              QWidget* eltern = nullptr);

  // Workers for this many processors (at most the driver's maximum); with fewer than two the
  // window's own thread searches and there is nothing to choose.
  void ErzeugeThreads(int prozessoren);
  // Workers exist: the thread group can be chosen.
  bool ThreadsWaehlbar() const;
  // "Vollständige Bewertung des 1. Zuges" and the item of "Denkzeit / Denktiefe".
  bool Voll() const;
  void SetzeVoll(bool voll);
  int Denkauswahl() const;
  void SetzeDenkauswahl(int i);
  // The depth of the main tab, shown here without choosing "search to a depth".
  void ZeigeTiefe(int tiefe);
  // The developer options come into view.
  void ZeigeEntwickler();
  void SetzeScore(const QString& text);
  void SetzeTasten(const QAction* speichern, const QAction* laden, const QAction* hilfe);
  void Lade(const QSettings& s);
  // The thread options depend on the machine's processors, known only once the workers exist.
  void LadeThreads(const QSettings& s);
  void Speichere(QSettings& s) const;

 signals:
  // Player against player, or thinking time against depth, changed: the main tab follows.
  void SpielArtGeaendert();
  void ZweiSpielerGeaendert();
  void NotationGeaendert(bool an);
  void HolzGeaendert(bool an);
  // "Denktiefe in Zügen" was set here.
  void TiefeGewaehlt(int tiefe);
  void Speichern();
  void Laden();
  void Score();
  void SeiteGewaehlt(const QString& seite);

 protected:
  bool eventFilter(QObject* objekt, QEvent* event) override;

 private:
  // The worker count in the lower right corner of the thread group, whenever the group changes
  // size.
  void SetzeCPULayout();
  QVBoxLayout* BaueSpielSpalte();
  QVBoxLayout* BaueSuchSpalte();
  void BaueThreadGruppe();
  void BaueGeheimPanel();
  QGridLayout* BaueKnoepfe();
  void Verbinde();
  void CPURadioClick();
  void CPUSPEChange(int wert);

  Einstellungen& einst_;
  SpielOptionen& opt_;
  HTSuche& ht_;
  const Suche& suche_;
  QCheckBox *CBAuto = nullptr, *TonCB = nullptr, *NotationCB = nullptr, *HolzCB = nullptr,
            *LogCB = nullptr, *SpVsSpCB = nullptr, *CBUseBib = nullptr, *CBBibDenkTiefe = nullptr,
            *CBVoll = nullptr, *CBVirtuell = nullptr, *CBVirtuellZugAb = nullptr;
  QSpinBox *BibSE = nullptr, *CPUSPE = nullptr, *TiefeSE2 = nullptr, *VirtuellSE = nullptr;
  RadioGruppe CPURadio, AutoGroup, RemisGroup;
  QWidget *Panel2 = nullptr, *BibOptionPanel = nullptr, *Panel3 = nullptr, *SecretPanel = nullptr;
  QPushButton *SaveButn = nullptr, *LoadButn = nullptr, *ScoreButn = nullptr, *HilfeButn = nullptr,
              *WebBut = nullptr;
  QLabel *ScoreLab = nullptr, *VersionsLab = nullptr, *Label22 = nullptr;
};

}  // namespace quarne
