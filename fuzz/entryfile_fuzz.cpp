// The entry-file reader on hostile bytes. Besides not crashing, it hands out records only from a
// file that is good as a whole, never one with more moves than a step holds, and what it hands
// out is written and read again unchanged. The records are then imported into a good library:
// refused, the library stays as it was; taken, it passes its check.
#include <cstdlib>
#include <exception>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_search.h"
#include "library/bibfile.h"
#include "library/import.h"
#include "library/maintenance.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  // Unpacked images beyond this are refused, so that one input cannot exhaust the memory.
  constexpr std::size_t kHoechstens = std::size_t{1} << 24;
  const TSBibGelesen gelesen = LeseSBib(Eingabe(daten, groesse, kStempelSBib), kHoechstens);
  if (gelesen.Ergebnis.Code != TBibCode::Ok) {
    if (!gelesen.Eintraege.empty()) std::abort();
    return 0;
  }
  for (const TSBibEintrag& e : gelesen.Eintraege) {
    if (e.Zuege.size() > static_cast<std::size_t>(kMaxZuege)) std::abort();
    SBibStep(e);
  }
  const Bytes abbild = SBibAbbild(gelesen.Eintraege);
  const TSBibGelesen wieder = LeseSBib(Komprimiere(abbild));
  if (wieder.Ergebnis.Code != TBibCode::Ok || SBibAbbild(wieder.Eintraege) != abbild) std::abort();

  static const TBibliothek gut = KleineBibliothek();
  TBibliothek bib = gut;
  const TUebernahme u = ImportiereSBib(bib, FuzzSuche(), gelesen.Eintraege);
  if (u.art != TUebernahme::Ok) {
    if (BibAbbild(bib) != BibAbbild(gut)) std::abort();
    return 0;
  }
  try {
    CheckBib(bib, FuzzSuche());
  } catch (const std::exception&) {
    std::abort();
  }
  return 0;
}
