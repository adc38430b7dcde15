// Storing finished calculations of computer positions, and deleting the branches that no
// calculation needs any more. The operations keep one representative per position and role in
// a level, contiguous child ranges, and free entries for calculations no parent range holds.
#pragma once

#include "core/types.h"
#include "library/model.h"

namespace quarne {

// Stores the calculation s (moves best first, in the orientation of zug's position) for the
// position after zug, when the library holds it as a computer position: appended when it has
// no calculation yet, replacing the values when the stored one is shallower.
void AddBibi(TBibliothek& bib, const TZug& zug, const TStep& s);

// Appends the moves of s (in the stored orientation) as the children of the representative j.
void AddVerzweigung(TBibliothek& bib, int stufe, int j, const TStep& s);

// Replaces the values of j's children with the deeper calculation s; a best move that drops
// out of the equally best ones loses the branch that only it kept alive.
void AktualBis(TBibliothek& bib, int stufe, int j, const TStep& s);

// Deletes what only entry e keeps alive below it; e itself stays. Returns e's index afterwards,
// which moves when entries before it in its level are deleted.
int LoescheZweig(TBibliothek& bib, int stufe, int e);

// Removes entry a of the level (1..18) and repairs the child ranges of the level above.
void EntferneEintrag(TBibliothek& bib, int stufe, int a);

}  // namespace quarne
