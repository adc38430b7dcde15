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

class Spielstand final : public SpielVerlauf {
 public:
  TZug StartZug{};
  TFarbe StartFarbe = clWeiss;
  TFarbe ComputerFarbe = clSchwarz;
  TFarbe FarbeAmZug = clWeiss;
  int AktZugNr = 1;
  int LetzterZugNr = 0;
  bool ZugGemacht = false;
  Array1<TSpielZug, kMaxSpielzuege> Spielzuege{};

  // Move nr is made by StartFarbe when odd.
  TFarbe FarbeVonZug(int nr) const { return nr % 2 == 1 ? StartFarbe : Gegner(StartFarbe); }
  // The record whose position is on the board.
  const TZug& AktuellerZug() const {
    return AktZugNr == 1 ? StartZug : Spielzuege[AktZugNr - 1].Zug;
  }
  TFarbe LetzterZieher() const { return Gegner(FarbeAmZug); }
  bool Voll() const { return AktZugNr > kMaxSpielzuege; }

  // Enters a move as number AktZugNr; later moves are dropped.
  void Eintragen(const TZug& vorDemZug, const TZug& zug, TSpieler spieler);
  // Shows the position after move zeile; the computer's colour follows the record.
  void WaehleZug(int zeile);
  // Deletes the move that led to the shown position and every later one.
  void ZugZurueck();
  void Neu();

  // The moves before the shown position, for the repetition rule.
  int Anzahl() const override { return AktZugNr - 1; }
  const TZug& VorDemZug(int i) const override { return Spielzuege[i].VorDemZug; }
  TFarbe Farbe(int i) const override { return Spielzuege[i].Farbe; }
};

}  // namespace quarne
