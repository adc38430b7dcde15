// The entry-file reader on hostile bytes. Besides not crashing, it hands out records only from a
// file that is good as a whole, never one with more moves than a step holds, and what it hands
// out is written and read again unchanged.
#include <cstdlib>

#include "fuzz/eingabe.h"
#include "library/entryfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  const TSBibGelesen gelesen = LeseSBib(Eingabe(daten, groesse, kStempelSBib));
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
  return 0;
}
