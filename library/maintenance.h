// Keeping the library in order: the consistency check, deleting what is switched off, merging
// another library, and the figures of the overview per level.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "engine/search.h"
#include "library/model.h"

namespace quarne {

// Checks every level against the structure the library keeps; the first violation is raised as
// an error with its text. fortschritt gets "1.DG Spalte = …" / "2.DG Spalte = …" as it goes.
// The legal moves of calculated positions come from suche.
void CheckBib(TBibliothek& bib, Suche& suche,
              const std::function<void(const std::string&)>& fortschritt = {});
inline constexpr const char* kCheckOk = "Check ok";

// "inaktive Züge löschen": aktiv and tiefe are the level controls 0..17.
void LoescheInaktive(TBibliothek& bib, const std::array<bool, kBibStufen - 1>& aktiv,
                     const std::array<int, kBibStufen - 1>& tiefe);

// Offers every calculated entry of quelle to ziel, as if calculated again.
void FusionBib(TBibliothek& ziel, const TBibliothek& quelle);

// One column of the overview.
struct BibSpalte {
  int anzahl = 0;                          // entries
  int computer = 0;                        // rC representatives (C)
  int spieler = 0;                         // rS representatives (S)
  int unkalkuliert = 0;                    // C still to calculate at the level's target depth (U)
  std::array<int, kMaxSteps + 1> tiefe{};  // D[0]: not calculated; D[d]: calculated at depth d
};
// aktiv and zielTiefe are the level's controls (U counts shallow entries only when aktiv).
BibSpalte ZaehleStufe(const TBibliothek& bib, int L, bool aktiv, int zielTiefe);

}  // namespace quarne
