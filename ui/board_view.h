// The board view: geometry of the board in its drawing area, drawing of a position into an
// off-screen image, and the mouse input with which a person enters a move on the main board.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <array>
#include <optional>

#include "core/types.h"
#include "game/position_setup.h"

class QPainter;
class QWidget;

namespace quarne {

// A rectangle as the geometry computes it: Right and Bottom lie just outside the filled area.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  // Hit test with all four edges included.
  bool Enthaelt(QPoint p) const {
    return p.x() >= Left && p.x() <= Right && p.y() >= Top && p.y() <= Bottom;
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// What the main board needs from the game it belongs to.
class BrettSpiel {
 public:
  virtual ~BrettSpiel() = default;

  // The record of the position on the board: the start record before move 1, else the last
  // move played.
  virtual const TZug& AktuellerZug() const = 0;
  virtual int AktZugNr() const = 0;
  virtual TFarbe FarbeAmZug() const = 0;
  virtual TFarbe ComputerFarbe() const = 0;
  // Every legal move of the position after zug, one entry per removable stone: ply 1 of a
  // two-ply list search with complete lists.
  virtual void LegaleZuege(const TZug& zug, int zugNr, TFarbe farbe, TStep& auswahl) = 0;
  // Enters a move into the game; the game may refuse it (the player declines to overwrite).
  virtual void FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) = 0;
  virtual void AktualisiereSpiel() = 0;
  virtual void Beep() = 0;
};

// Board point under the mouse: its number 1..24 and mask, or 0 and 0.
struct BrettTreffer {
  int punkt = 0;
  Punkte maske = 0;
};

// The main board's picture of the game and the state of a move being entered.
struct TBrettEingabe {
  TZug MovesZug_1{};
  TFarbe MovesFarbe_1 = clWeiss;

  std::int32_t EDAblgWeissCnt = 0;
  std::int32_t EDAblgSchwarzCnt = 0;
  std::int32_t EDDragAblgNr = 0;
  bool EDDragAblage = false;
  std::int32_t EDGitterX = 0;
  bool EDBlock = false;
  bool EDInit = false;
  bool EDQuarne = false;
  std::int32_t EDZugNr = 0;
  TFarbe EDFarbe = clWeiss;
  TZug EDZug_1{};
  TZug EDZeichneZug{};
  Punkte EDVon = 0;
  Punkte EDNach = 0;
  Punkte EDEntf = 0;
  Punkte EDSteine = 0;
  TStep EDZugAuswahl{};
  TSpielPhase EDSpielPhase = spSetzen;
  bool EDDrag = false;
  QPoint EDPfeilVon;
  QPoint EDPfeilNach;
  bool EDMouseOverPB = false;
  QPoint EDMouseMove;
  // The point under the keyboard's focus ring; 0 while the board has no keyboard focus.
  Punkte EDFokus = 0;
};

// Where the parts of the board lie in its drawing area, all computed from CanvasRect.
struct BrettGeometrie {
  TRect CanvasRect;
  TRect QuarneRectA;
  QPoint MittelPunkt;
  double FaktorI = 0;
  TRect QuarneRectI;
  double FaktorRingAussen = 0;
  double FaktorRingMitten = 0;
  double FaktorRingInnen = 0;
  Array1<QPoint, kAnzahlPunkte> GitterPunkte;
  double FaktorGitter = 0;
  Array1<TRect, kAnzahlPunkte> Gitter;
  double FaktorRaster = 0;
  // Anchors of the labels: a..g on top, a..g at the bottom, 7..1 left, 7..1 right.
  std::array<QPoint, 28> Raster{};
  double FaktorHG = 0;
  Array1<TRect, kAnzahlPunkte> HinterGrund;
  double FaktorVG = 0;
  Array1<TRect, kAnzahlPunkte> VorderGrund;
  double FaktorKreuz = 0;
  Array1<TRect, 9> AblageWeiss;
  Array1<TRect, 9> AblageSchwarz;
  double FaktorPfeilBasis = 0;
  double FaktorPfeilQBasis = 0;
};

// The geometry, the picture, the positions shown and the input state are the board's own: the
// window, the tabs and the tests read them through Geometrie, Bild and Eingabe and change them
// through the methods below.
class TBrettClass : private BrettGeometrie, private TBrettEingabe {
 public:
  TBrettClass() = default;
  TBrettClass(const TBrettClass&) = delete;
  TBrettClass& operator=(const TBrettClass&) = delete;

  const BrettGeometrie& Geometrie() const { return *this; }
  // The finished picture.
  const QImage& Bild() const { return BrettBMP; }
  // Wooden stone pictures with transparent corners; owned by the main window.
  void SetzeSteinBilder(const QImage* weiss, const QImage* schwarz) {
    SteinWeissBMP = weiss;
    SteinSchwarzBMP = schwarz;
  }
  // The paint box that shows the picture; told to repaint after each finished one.
  void SetzePaintBox(QWidget* box) { PaintBox = box; }
  // The game of the main board; it must be set before the board takes move input. The other
  // boards take none.
  void SetzeSpiel(BrettSpiel* spiel) { Spiel = spiel; }

  // Options of the main window: coordinate labels, wooden stones.
  bool MitNotation() const { return Notation; }
  void SetzeNotation(bool an) { Notation = an; }
  bool MitHolz() const { return Holz; }
  void SetzeHolz(bool an) { Holz = an; }

  // The setup board's position: the record and the colour that made it.
  const TZug& Aufbau() const { return NewNullZug; }
  TFarbe AufbauFarbe() const { return NewNullZugFrb; }
  void SetzeAufbau(const TZug& zug, TFarbe farbe) {
    NewNullZug = zug;
    NewNullZugFrb = farbe;
  }
  // The colour a click on the setup board places.
  void SetzeNeueFarbe(TFarbe farbe) { NewFarbe = farbe; }
  // A click on the setup board's point maske places a stone of that colour there, or changes
  // or takes away the one there; false when no further stone is allowed.
  bool AufbauKlick(Punkte maske);
  // Counts the setup position with the placed counts entered by the user, and stores the
  // counts and phases in it.
  Steinzahlen ZaehleAufbau(int gesetztWeiss, int gesetztSchwarz);

  // The library position of the preview: the entry's record and the colour that made it.
  TFarbe BibFarbe() const { return BibOpenFrb; }
  void SetzeBibStellung(const TZug& zug, TFarbe farbe) {
    BibOpenZug = zug;
    BibOpenFrb = farbe;
  }

  // A drawing area of the given size: CanvasRect, the geometry and an image of that size.
  void SetzeFlaeche(int breite, int hoehe);

  // The three pictures: main board, setup board, library preview.
  void ZeichneZug();
  // With the mouse over the setup board, a stone of NewFarbe under it shows where a click puts
  // one.
  void ZeichneNewNull(std::optional<QPoint> maus = std::nullopt);
  void ZeichneBib();

  void ZeichnePfeil(QPainter& canvas, QColor farbe, QPoint von, QPoint nach) const;
  // The arrow's outline: tip, head, shaft and notched tail. Meaningless when von = nach.
  std::array<QPoint, 8> PfeilPolygon(QPoint von, QPoint nach) const;
  // Pixel centre of the lowest point of the mask; (-1, -1) for an empty mask.
  QPoint GetPoint(Punkte maske) const;

  // The game's position on the main board: the record shown and the colour that made it. Input is
  // open when a person may move now and the record does not end the game.
  void ZeigeSpiel(const TZug& aktuell, TFarbe letzterZieher, bool personAmZug);

  const TBrettEingabe& Eingabe() const { return *this; }
  // The record shown, the colour that made it and the stones left in the reservoirs; the other
  // colour is to move.
  void SetzeStellung(const TZug& zug, TFarbe letzterZieher, int ablageWeiss, int ablageSchwarz);
  // The position changed: the legal moves are listed anew before the next input.
  void EingabeVeraltet() { EDInit = false; }
  // The keyboard's focus ring on a point; 0 takes it away.
  void SetzeFokus(Punkte punkt) { EDFokus = punkt; }
  // The mouse over the board at maus, or away from it.
  void SetzeMaus(std::optional<QPoint> maus) {
    EDMouseOverPB = maus.has_value();
    if (maus) EDMouseMove = *maus;
  }

  // Move input on the main board.
  void BCMouseDown(int X, int Y, bool AusAblage);
  void BCMouseMove(int X, int Y);
  void BCMouseUP(int X, int Y);

  // Move input by keyboard: the focus ring goes to the nearest point in the direction (dx, dy)
  // on the screen, or to the top left point when there is no ring yet.
  void FokusBewegen(int dx, int dy);
  // Enter or Space on the ring's point: places a stone, picks one up, puts the picked one down
  // there (or back, on its own point), or removes one after a mill; as the mouse does.
  void FokusWaehlen();
  BrettTreffer BrettPosition(QPoint p) const;
  // Occupied reservoir slot of the side to move under the mouse, or 0.
  int AblagePosition(QPoint p) const;

 private:
  QImage BrettBMP;
  const QImage* SteinWeissBMP = nullptr;
  const QImage* SteinSchwarzBMP = nullptr;
  QWidget* PaintBox = nullptr;
  // The setup board: its position, and the colour a click places.
  TZug NewNullZug{};
  TFarbe NewNullZugFrb = clSchwarz;
  TFarbe NewFarbe = clWeiss;
  // The library preview.
  TZug BibOpenZug{};
  TFarbe BibOpenFrb = clSchwarz;
  bool Notation = true;
  bool Holz = true;
  BrettSpiel* Spiel = nullptr;

  // Geometry from CanvasRect.
  void QuarneKoordinaten();
  void ZeichneGitter(QPainter& canvas) const;
  void ZeichneGitterLinie(QPainter& canvas, const TRect& r1, const TRect& r2) const;
  void ZeichneSteine(QPainter& canvas, const TZug& zug, TFarbe farbe);
  void ZeichneStein(QPainter& canvas, TFarbe farbe, const TRect& r);
  void ZeichneAblagen(QPainter& canvas, int ausgenommen);
  void ZeichneNotationen(QPainter& canvas, QColor farbe) const;
  void ZeichneHintergrd(QPainter& canvas, QColor farbe, Punkte maske) const;
  void ZeichneKreuz(QPainter& canvas, QColor farbe, Punkte maske) const;
  void ZeichneKreuzImRahmen(QPainter& canvas, QColor farbe, const TRect& r) const;
  void StarteEdition();
  void SetzeZugZurueck();
  // Index 1..ZuegeAnzahl of the first legal move matching the entry, or 0.
  int IstZugInAuswahl(Punkte von, Punkte nach, Punkte entf) const;

  void ZeichneUntergrund(QPainter& canvas) const;
  void Anzeigen();
  const QImage& HolzBild(TFarbe farbe, QSize groesse);
  void SetzeSchliessendenStein();
  void ZeichneFokus(QPainter& canvas) const;
  void Ausfuehren(int i);

  // Wooden pictures scaled to the stone size, one per colour, kept until the size changes.
  QImage holzSkaliert_[2];
  const QImage* holzQuelle_[2] = {nullptr, nullptr};
};

}  // namespace quarne
