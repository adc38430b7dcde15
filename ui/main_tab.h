// The main tab "Quarne Brett": board, move list, player panels and the game's buttons.
#pragma once

#include <QWidget>

#include "core/types.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace quarne {

class BrettWidget;
class MovesGrid;
class Spielablauf;
class Spielstand;
class TBrettClass;
struct SpielOptionen;

// What the main tab shows of the game and the search.
struct SpielLage {
  bool weissAmZug = true;
  bool vorbei = false;  // at the end of the game nobody is to move
  bool computerWeiss = false;
  bool zweiSpieler = false;
  bool sucht = false;          // a search runs, or the library is built or checked
  bool computerAmZug = false;  // "Denke" may start
  bool ziehFrei = false;       // "Zieh" can play the last result (only while no search runs)
  int aktZugNr = 1;
  bool nachTiefe = true;  // the search goes to a depth, not for a time
};

class HauptTab : public QWidget {
  Q_OBJECT

 public:
  // brett is the main board's view; the buttons act on ablauf, the move list shows spiel.
  HauptTab(TBrettClass& brett, Spielablauf& ablauf, const Spielstand& spiel,
           const SpielOptionen& optionen, QWidget* eltern = nullptr);

  // The controls placed for the tab's size; the board view gets its new drawing area.
  void SetzeLayout();
  // The smallest client size the player panels, the centre buttons and the list need.
  QSize Mindestgroesse() const;
  void ZeigeSpiel(const SpielLage& lage);
  // The record has this many rows now; the list scrolls to the shown move.
  void RecordGeaendert(int zeilen, int aktZugNr);
  void SetzeZeilenAnzahl(int zeilen);
  // The keys for a new game and one move back act as these buttons do and name themselves in
  // their tooltips.
  void SetzeTasten(const QAction* neu, const QAction* zurueck);
  // The board gives up the keyboard before the views it draws go.
  void LoeseTastatur();
  void ZeichneBrett();

  int Tiefe() const;
  void SetzeTiefe(int tiefe);

  // What the search monitor shows here.
  void ZeigeFortschritt(const QString& tiefe, const QString& zuege, const QString& zeit);
  void SetzeDenkzeitText(const QString& text);
  // The panel of the computer's colour changes between yellow and silver.
  void Blinke(TFarbe computer);
  void Aktivitaetspunkt();
  void Wartemarke();
  void SetzeZiehB(bool frei);

 signals:
  void TiefeGeaendert(int tiefe);

 private:
  void BauePanels();
  void BaueComputerPanel();
  void BaueKnoepfe();
  void BaueTiefePanel();
  void Verbinde();
  void SetzeSpielerLayout();
  void SetzeListenLayout();
  // Steps the game to row zeile and scrolls the list the way the step went.
  void Navigiere(int zeile);

  TBrettClass& brett_;
  Spielablauf& ablauf_;
  const Spielstand& spiel_;
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
};

}  // namespace quarne
