#include "library/validation.h"

#include <bit>
#include <cmath>
#include <vector>

#include "core/plausibility.h"

namespace quarne {
namespace {

bool PunktOderKeiner(Punkte p) {
  return p == 0 || ((p & kBrettMaske) == p && std::has_single_bit(p));
}

bool Seite(Punkte steine, std::int32_t anzahl, std::int64_t gesetzt, std::int32_t verloren) {
  return std::popcount(steine) == anzahl && anzahl <= gesetzt && verloren == gesetzt - anzahl;
}

bool GleicheStellung(const TBrett& a, const TBrett& b) {
  return a.AlleSteine == b.AlleSteine && a.SteineZiehend == b.SteineZiehend &&
         a.SteineStehend == b.SteineStehend && a.SpielPhaseZiehend == b.SpielPhaseZiehend &&
         a.SteineAnzahlZiehend == b.SteineAnzahlZiehend &&
         a.GesetzteSteineZiehend == b.GesetzteSteineZiehend &&
         a.SpielPhaseStehend == b.SpielPhaseStehend &&
         a.SteineAnzahlStehend == b.SteineAnzahlStehend &&
         a.GesetzteSteineStehend == b.GesetzteSteineStehend &&
         a.VerloreneSteineZiehend == b.VerloreneSteineZiehend &&
         a.VerloreneSteineStehend == b.VerloreneSteineStehend;
}

// The same move: the same points, and the same position with the same count towards the draw.
bool GleicherZug(const TZug& a, const TZug& b) {
  return a.VonPosition == b.VonPosition && a.NachPosition == b.NachPosition &&
         a.EntfStein == b.EntfStein && a.ErgibtQuarne == b.ErgibtQuarne &&
         a.ZugOhneQuarne == b.ZugOhneQuarne && GleicheStellung(a.BrettNachZug, b.BrettNachZug);
}

bool Tiefe(int t, int min) {
  return t >= min && t <= kMaxSteps;
}

}  // namespace

bool StellungDerStufe(const TBrett& b, int L) {
  if (L < 0 || L >= kBibStufen) return false;
  // In 64 bits, so that counts of any size compare without overflowing; after the first two
  // tests both lie in 0..9.
  const std::int64_t z = b.GesetzteSteineZiehend, s = b.GesetzteSteineStehend;
  return z + s == L && z - s == L % 2 && (b.AlleSteine & ~kBrettMaske) == 0 &&
         (b.SteineZiehend & b.SteineStehend) == 0 &&
         b.AlleSteine == (b.SteineZiehend | b.SteineStehend) &&
         Seite(b.SteineZiehend, b.SteineAnzahlZiehend, z, b.VerloreneSteineZiehend) &&
         Seite(b.SteineStehend, b.SteineAnzahlStehend, s, b.VerloreneSteineStehend);
}

bool ZugLesbar(const TZug& z) {
  if (!MoeglicherZug(z) || !PunktOderKeiner(z.VonPosition) || !PunktOderKeiner(z.NachPosition) ||
      !PunktOderKeiner(z.EntfStein))
    return false;
  // A value that is no number would break every comparison, and with it the sorting.
  if (!std::isfinite(z.Wertung.PunktWertA) || !std::isfinite(z.Wertung.PunktWertGes)) return false;
  for (int i = 1; i <= kMaxSteps; ++i) {
    const TSmartZug& s = z.SmartZuege[i];
    if (!PunktOderKeiner(s.VonPosition) || !PunktOderKeiner(s.NachPosition) ||
        !PunktOderKeiner(s.EntfStein))
      return false;
  }
  return true;
}

bool EintragMoeglich(const TBibZug& e, int L) {
  return StellungDerStufe(e.Zug.BrettNachZug, L) && ZugLesbar(e.Zug) && Tiefe(e.BibDenkTiefe, 0) &&
         Tiefe(e.BibVirtuellAb, 0);
}

std::string PruefeBerechnung(Suche& suche, const TZug& zug, std::span<const TZug> zuege, int tiefe,
                             int virtuellAb) {
  const TBrett& b = zug.BrettNachZug;
  const std::int64_t L = std::int64_t{b.GesetzteSteineZiehend} + b.GesetzteSteineStehend;
  // A position of level 18 has no moves to store.
  if (L < 0 || L >= kBibStufen - 1) return "die Stellung gehört zu keiner Stufe der Bibliothek";
  const int stufe = static_cast<int>(L);
  if (!StellungDerStufe(b, stufe) || !ZugLesbar(zug)) return "die Stellung ist unmöglich";
  if (!Tiefe(tiefe, 1)) return "die Denktiefe muss 1 bis 16 sein";
  if (!Tiefe(virtuellAb, 0)) return "VirtuellAb muss 0 bis 16 sein";

  const LeererVerlauf verlauf;
  suche.StepRoutineListe(2, zug, stufe + 1, AmZug(stufe), true, true, verlauf);
  const TStep& moeglich = suche.Steps[1];
  if (zuege.size() != static_cast<std::size_t>(moeglich.ZuegeAnzahl))
    return std::to_string(zuege.size()) + " Züge statt der " +
           std::to_string(moeglich.ZuegeAnzahl) + " möglichen";
  std::vector<bool> gefunden(zuege.size(), false);
  for (std::size_t k = 0; k < zuege.size(); ++k) {
    const std::string zugName = "Zug " + std::to_string(k + 1);
    if (!ZugLesbar(zuege[k])) return zugName + " ist unmöglich";
    int i = 1;
    while (i <= moeglich.ZuegeAnzahl && !GleicherZug(zuege[k], moeglich.Zuege[i])) ++i;
    if (i > moeglich.ZuegeAnzahl) return zugName + " ist in dieser Stellung nicht möglich";
    if (gefunden[static_cast<std::size_t>(i - 1)]) return zugName + " steht doppelt in der Liste";
    gefunden[static_cast<std::size_t>(i - 1)] = true;
  }
  return {};
}

}  // namespace quarne
