// Finding positions in the library up to the board's symmetries, and the lookup before a
// computer move. Every index taken from the library is checked before use, so that a broken
// library raises an error instead of reading outside a level.
#pragma once

#include <span>

#include "core/types.h"
#include "library/model.h"
#include "library/symmetry.h"

namespace quarne {

// Raised (std::out_of_range) when an index or a child range leaves its level, or a move list
// would exceed the capacity of a step.
inline constexpr const char* kBereichsFehler = "Bibliothek fehlerhaft: Verweis außerhalb der Stufe";
inline constexpr const char* kZuVieleZuege = "Bibliothek fehlerhaft: mehr als 100 Züge";

// The entry and its transform: the entry's position is Transformiere(position, Symmetrie).
struct TFund {
  int Index = -1;
  TSymmetrie Symmetrie{};
};

// The first match among entries 0..bis of the level: the earliest transform in kSymmetrien
// wins, then the lowest index. Only the two stone sets of the position are compared. An entry
// matches with the role, without ZuLoeschen, and: for repraesentant with BibZuBerechnen (and,
// for frei, with Frei), otherwise without BibZuBerechnen.
TFund Finde(const TBibliothek& bib, int stufe, int bis, const TBrett& position, bool repraesentant,
            bool frei, TrSC rolle);

TBibZug& Eintrag(TBibliothek& bib, int stufe, int index);
const TBibZug& Eintrag(const TBibliothek& bib, int stufe, int index);

// BibVon..BibBis is a range at all (it may still lie outside the next level).
bool HatKinder(const TBibZug& e);
// The children of an entry of the level; the range must be valid and lie in the next level.
std::span<TBibZug> Kinder(TBibliothek& bib, int stufe, const TBibZug& e);
std::span<const TBibZug> Kinder(const TBibliothek& bib, int stufe, const TBibZug& e);

// A move list of this length fits a step.
void PruefeZugAnzahl(int anzahl);

// The position seen from the other side; contradicting counters raise "Plausifehler #01"
// (Ziehend) or "Plausifehler #02" (Stehend).
void Seitenwechsel(TBrett& b);

// The step that a search of the entry's position would have left, from the entry's children.
void FuelleStep(const TBibliothek& bib, int stufe, int index, TStep& s);

// The main window's settings that decide whether a stored calculation is deep enough.
struct TBibTiefenwahl {
  int AutoGroup = 3;  // item 0: a fixed search depth instead of a thinking time
  int TiefeSE1 = 6;
  bool CBBibDenkTiefe = true;
  int BibSE = 13;
};

// Fills s from the library when the position after zug is stored for the computer, calculated
// deeply enough; the moves are brought into the orientation of the actual position.
bool GenMemStep(const TBibliothek& bib, TStep& s, const TZug& zug, const TBibTiefenwahl& wahl);

}  // namespace quarne
