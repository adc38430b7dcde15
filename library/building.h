// Building the library: level by level, the player's positions are expanded into all their
// moves, and every computer position that still needs it is calculated with a full search at
// the level's target depth and stored.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "library/model.h"
#include "parallel/driver.h"

namespace quarne {

// What building shows and does between and after positions.
class BauAnzeige {
 public:
  virtual ~BauAnzeige() = default;
  // Position x of level L is calculated next, the nummer-th of its level.
  virtual void PositionBeginnt(int /*L*/, int /*x*/, int /*nummer*/, const TBibZug& /*eintrag*/) {}
  // A position was stored: its generated moves are in the counters of the search.
  virtual void PositionGespeichert() {}
};

struct BauErgebnis {
  bool abgebrochen = false;
  bool nullBerechnet = false;  // the empty board with the computer as White was calculated
  int berechnet = 0;           // positions calculated and stored
};

class BibBau {
 public:
  // The searches run with ht (parallel when asked and workers exist); the settings are the
  // window's, read when each search starts.
  BibBau(TBibliothek& bib, HTSuche& ht, Suche& suche, bool parallel, BauAnzeige& anzeige,
         std::uint32_t zufallsKeim);

  // Builds the switched-on levels 0..17 to their target depths, until done or StopFlag.
  BauErgebnis ErstelleBib();
  // Appends all moves of each player position of level L that is not expanded yet.
  void BerechneSpieler(int L);

 private:
  void Berechne(int L, int x);

  TBibliothek& bib_;
  HTSuche& ht_;
  Suche& suche_;
  bool parallel_;
  BauAnzeige& anzeige_;
  std::mt19937 zufall_;
  BauErgebnis ergebnis_;
  int nummer_ = 0;  // positions of the running level calculated so far
};

// The final report: "Erstellung abgeschlossen." or "Erstellung abgebrochen." with the count.
std::string MeldeErgebnis(const std::string& text, bool nullBerechnet, int n);
inline constexpr const char* kNichtsZuBerechnen =
    "Keine Stellungen zu berechnen. Erhöhung der Denktiefe oder weitere aktive Züge "
    "erforderlich.";

}  // namespace quarne
