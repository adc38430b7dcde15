// Taking calculations in from outside: the records of an entry file and the calculated entries
// of another library. Everything that comes in is checked before the library changes, and the
// library passes its own check afterwards, or it stays as it was.
#pragma once

#include <span>
#include <string>

#include "engine/search.h"
#include "library/entryfile.h"
#include "library/model.h"

namespace quarne {

struct TUebernahme {
  enum Art : std::uint8_t {
    Ok,
    Quelle,    // something that was to come in cannot be stored; Text names it and why
    Ergebnis,  // the library would fail its check afterwards; Text is the check's error
  };
  Art art = Ok;
  std::string Text;
};

// Said after the check's error when a change would leave a library that fails its check.
inline constexpr const char* kBestuendePruefungNicht =
    "Die Bibliothek bestünde danach ihre Prüfung nicht und bleibt unverändert.";

// "Eintrag i: " and why the i-th record holds no calculation that PruefeBerechnung accepts, or
// empty when all do.
std::string PruefeSBib(Suche& suche, std::span<const TSBibEintrag> eintraege);

// Every record through AddBibi, when each holds a calculation that PruefeBerechnung accepts.
TUebernahme ImportiereSBib(TBibliothek& bib, Suche& suche, std::span<const TSBibEintrag> eintraege);

// FusionBib, when every calculated entry of `andere` holds its position's legal moves.
TUebernahme FusioniereBib(TBibliothek& bib, Suche& suche, const TBibliothek& andere);

}  // namespace quarne
