// The position of the setup tab: stones put and taken by clicks, the counts and phases derived
// from them, which side may start an analysis, and the start record a game takes from it.
#pragma once

#include "core/types.h"

namespace quarne {

// Puts a stone of colour neu on the point maske of the setup board, whose Ziehend stones have
// the colour ziehendFarbe: a stone of that colour there is taken away, one of the other colour
// is replaced. False, and nothing changed, when a side would hold more than nine stones.
bool SetzeAufbauStein(TBrett& b, TFarbe ziehendFarbe, TFarbe neu, Punkte maske);

// What the setup tab shows of each side, indexed by TFarbe.
struct Steinzahlen {
  int Steine[2] = {0, 0};    // on the board
  int Gesetzt[2] = {0, 0};   // placed so far: never fewer than on the board
  int Verloren[2] = {0, 0};  // placed but no longer on the board
  TSpielPhase Phase[2] = {spSetzen, spSetzen};
  // The analysis buttons "Weiss am Zug >" and "Schwarz am Zug >".
  bool WeissAmZug = false;
  bool SchwarzAmZug = false;
};

// Counts the setup board with the placed counts the user entered (raised to the stones on the
// board) and stores the counts and phases in its sides.
Steinzahlen ZaehleSteine(TBrett& b, TFarbe ziehendFarbe, int gesetztWeiss, int gesetztSchwarz);

// The game's start record for an analysis of the setup with startFarbe to move: the side to move
// of a start record is its Stehend side.
void UebernimmAufbau(const TZug& aufbau, TFarbe aufbauFarbe, TFarbe startFarbe, TZug& startZug);

}  // namespace quarne
