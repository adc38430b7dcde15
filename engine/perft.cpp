#include "engine/perft.h"

#include <algorithm>

namespace quarne {

std::int64_t Perft::Zaehle(const TZug& zug, int zugNummer, TFarbe farbe, int tiefe,
                           const SpielVerlauf& verlauf) {
  tiefe = std::min(tiefe, kMaxSteps);
  if (tiefe < 1) return 0;
  UebernimmEinstellungen();
  SetzeVerlauf(verlauf);
  for (int s = 1; s <= kMaxSteps; ++s) {
    Steps[s].Virtuell = false;
    Steps[s].VirtuellAb = 0;
  }
  BereiteStepVor(1, zug, zugNummer, farbe);
  return Ebene(1, tiefe);
}

std::int64_t Perft::Ebene(int s, int tiefe) {
  bool cancel = false;
  HTGenMoves(s, GenModus::Vollstaendig(s, tiefe), cancel);
  TStep& st = Steps[s];
  if (s == tiefe) return st.ZuegeAnzahl;
  std::int64_t summe = 0;
  for (int i = 1; i <= st.ZuegeAnzahl; ++i) {
    if (st.Zuege[i].Wertung.ZugResGesamt != rsQuarn) continue;
    st.ZugZeiger = i;
    BereiteStepVor(s + 1);
    summe += Ebene(s + 1, tiefe);
  }
  return summe;
}

}  // namespace quarne
