#include "core/geometry.h"

namespace quarne {

std::string_view PunktName(Punkte p) {
  static constexpr Array0<std::string_view, kAnzahlPunkte> kNamen = {
      "a1", "d1", "g1", "g4", "g7", "d7", "a7", "a4", "b2", "d2", "f2", "f4",
      "f6", "d6", "b6", "b4", "c3", "d3", "e3", "e4", "e5", "d5", "c5", "c4"};
  if (p == 0) return "---";
  if (!IstEinPunkt(p)) return {};
  return kNamen[PunktIndex(p)];
}

}  // namespace quarne
