// Building the library: level by level, the player's positions are expanded into all their
// moves, and every computer position that still needs it is calculated with a full search at
// the level's target depth and stored.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

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

  // Builds the switched-on levels 0..17 to their target depths, until done or halted.
  BauErgebnis ErstelleBib();

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

// Level 0 gets the two root entries when it has fewer than two.
void LegeWurzelnAn(TBibliothek& bib);

// Appends all moves of each player position of level L that is not expanded yet.
void BerechneSpieler(TBibliothek& bib, Suche& suche, int L);

// The computer positions of level L that building calculates in stage k, in index order: for
// k = 0 those never calculated, for k >= 1 those calculated at depth k below the level's target.
std::vector<int> Kandidaten(const TBibliothek& bib, int L, int k);
// All of them, stage by stage.
std::vector<int> AlleKandidaten(const TBibliothek& bib, int L);

// The full search of the position after zug of level L at depth tiefe, as building runs it;
// false when a stop ended it, else the sorted result is in suche.MemStep2.
bool RechneStellung(HTSuche& ht, Suche& suche, bool parallel, const TZug& zug, int L, int tiefe);

// The final report: "Erstellung abgeschlossen." or "Erstellung abgebrochen." with the count.
std::string MeldeErgebnis(const std::string& text, bool nullBerechnet, int n);
inline constexpr const char* kNichtsZuBerechnen =
    "Keine Stellungen zu berechnen. Erhöhung der Denktiefe oder weitere aktive Züge "
    "erforderlich.";

}  // namespace quarne
