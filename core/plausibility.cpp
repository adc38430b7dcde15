#include "core/plausibility.h"

namespace quarne {
namespace {

// Far beyond any draw limit, so that counting on can never overflow.
constexpr std::int32_t kMaxOhneQuarne = 1'000'000;

bool Anzahl(std::int32_t n) {
  return n >= 0 && n <= kMaxSteine;
}

}  // namespace

bool MoeglicherZug(const TZug& z) {
  const TBrett& b = z.BrettNachZug;
  const bool steine = (b.AlleSteine & ~kBrettMaske) == 0 &&
                      (b.SteineZiehend & b.SteineStehend) == 0 &&
                      b.AlleSteine == (b.SteineZiehend | b.SteineStehend);
  const bool zahlen = Anzahl(b.SteineAnzahlZiehend) && Anzahl(b.SteineAnzahlStehend) &&
                      Anzahl(b.GesetzteSteineZiehend) && Anzahl(b.GesetzteSteineStehend) &&
                      Anzahl(b.VerloreneSteineZiehend) && Anzahl(b.VerloreneSteineStehend);
  return steine && zahlen && z.ZugOhneQuarne >= 0 && z.ZugOhneQuarne <= kMaxOhneQuarne &&
         z.Wertung.ZugResGesamt <= rsWDH && b.SpielPhaseZiehend <= spSpringen &&
         b.SpielPhaseStehend <= spSpringen;
}

}  // namespace quarne
