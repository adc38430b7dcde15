#include "core/bigswap.h"

#include <utility>

namespace quarne {

TSpielPhase NeuePhase(TSpielPhase bisher, std::int32_t gesetzt, std::int32_t anzahl) {
  if (gesetzt < kMaxSteine) return spSetzen;
  if (anzahl == 3) return spSpringen;
  if (anzahl > 3) return spZiehen;
  return bisher;
}

BigSwapFehler HTBigSwap(TBrett& b) {
  std::swap(b.SteineZiehend, b.SteineStehend);
  std::swap(b.SteineAnzahlZiehend, b.SteineAnzahlStehend);
  std::swap(b.GesetzteSteineZiehend, b.GesetzteSteineStehend);
  std::swap(b.VerloreneSteineZiehend, b.VerloreneSteineStehend);
  b.SpielPhaseZiehend =
      NeuePhase(b.SpielPhaseZiehend, b.GesetzteSteineZiehend, b.SteineAnzahlZiehend);
  b.SpielPhaseStehend =
      NeuePhase(b.SpielPhaseStehend, b.GesetzteSteineStehend, b.SteineAnzahlStehend);
  return {b.VerloreneSteineZiehend + b.SteineAnzahlZiehend != b.GesetzteSteineZiehend,
          b.VerloreneSteineStehend + b.SteineAnzahlStehend != b.GesetzteSteineStehend};
}

}  // namespace quarne
