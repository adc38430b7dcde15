// The game on the main board: the record of the moves made, whose turn it is and which colour
// the computer plays.
#pragma once

#include <string>
#include <vector>

#include "core/types.h"
#include "engine/history.h"

namespace quarne {

inline constexpr int kMaxSpielzuege = 200;

struct TSpielZug {
  std::int32_t Nr;
  TFarbe Farbe;
  TSpieler Spieler;
  TZug VorDemZug;  // the record that led to the position in which this move was made
  TZug Zug;        // the move as the rules produced it, with the position after it
};

// How a move ended the game, from its first principal-line element.
struct Spielende {
  bool gewinnDurchQuarne = false;
  bool gewinnDurchBlock = false;
  bool remisDurchLimit = false;
  bool remisDurchWdh = false;

  bool Vorbei() const {
    return gewinnDurchQuarne || gewinnDurchBlock || remisDurchLimit || remisDurchWdh;
  }
  // The announcements for the colour that made the move, in order.
  std::vector<std::string> Meldungen(TFarbe farbe) const;
};

Spielende PruefeSpielende(const TZug& zug);

// The record changes only through its methods, each of which leaves whose turn it is in line
// with the move shown.
class Spielstand final : public SpielVerlauf {
 public:
  // The record before move 1: the start position, its side to move.
  const TZug& StartZug() const { return startZug_; }
  TFarbe StartFarbe() const { return startFarbe_; }
  TFarbe ComputerFarbe() const { return computerFarbe_; }
  TFarbe FarbeAmZug() const { return farbeAmZug_; }
  // The move about to be made: the position after move AktZugNr - 1 is shown.
  int AktZugNr() const { return aktZugNr_; }
  int LetzterZugNr() const { return letzterZugNr_; }
  // A move was entered since the last result was searched; "Zieh" must not play it again.
  bool ZugGemacht() const { return zugGemacht_; }
  const Array1<TSpielZug, kMaxSpielzuege>& Spielzuege() const { return spielzuege_; }

  // Move nr is made by StartFarbe when odd.
  TFarbe FarbeVonZug(int nr) const { return nr % 2 == 1 ? startFarbe_ : Gegner(startFarbe_); }
  // The record whose position is on the board.
  const TZug& AktuellerZug() const {
    return aktZugNr_ == 1 ? startZug_ : spielzuege_[aktZugNr_ - 1].Zug;
  }
  TFarbe LetzterZieher() const { return Gegner(farbeAmZug_); }
  bool Voll() const { return aktZugNr_ > kMaxSpielzuege; }

  // Enters a move as number AktZugNr; later moves are dropped.
  void Eintragen(const TZug& vorDemZug, const TZug& zug, TSpieler spieler);
  // Shows the position after move zeile; the computer's colour follows the record.
  void WaehleZug(int zeile);
  // Deletes the move that led to the shown position and every later one.
  void ZugZurueck();
  void Neu();
  // An empty record from the start position start, with startFarbe to move.
  void Beginne(const TZug& start, TFarbe startFarbe, TFarbe computerFarbe);
  // A whole record, showing its end.
  void Uebernimm(const TZug& start, TFarbe startFarbe, TFarbe computerFarbe,
                 const std::vector<TSpielZug>& zuege);
  void SetzeZugGemacht(bool gemacht) { zugGemacht_ = gemacht; }
  // "Seitentausch": the computer plays the other colour.
  void TauscheSeiten() { computerFarbe_ = Gegner(computerFarbe_); }

  // The moves before the shown position, for the repetition rule.
  int Anzahl() const override { return aktZugNr_ - 1; }
  const TZug& VorDemZug(int i) const override { return spielzuege_[i].VorDemZug; }
  TFarbe Farbe(int i) const override { return spielzuege_[i].Farbe; }

 private:
  TZug startZug_{};
  TFarbe startFarbe_ = clWeiss;
  TFarbe computerFarbe_ = clSchwarz;
  TFarbe farbeAmZug_ = clWeiss;
  int aktZugNr_ = 1;
  int letzterZugNr_ = 0;
  bool zugGemacht_ = false;
  Array1<TSpielZug, kMaxSpielzuege> spielzuege_{};
};

}  // namespace quarne
