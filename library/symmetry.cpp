#include "library/symmetry.h"

#include <algorithm>
#include <cstdint>

namespace quarne {
namespace {

// Mirroring and turning act on every ring alike, so one byte table per (m, r) serves all three
// rings; RingTausch only decides which ring's byte lands where.
using RingTabelle = std::array<std::array<std::uint8_t, 256>, 8>;

constexpr std::size_t TabellenIndex(TSymmetrie t) {
  return static_cast<std::size_t>((t.m ? 4 : 0) + (t.r & 3));
}

constexpr Punkte Gedreht(Punkte p, int r) {
  for (int i = 0; i < r; ++i) p = Drehen(p);
  return p;
}

constexpr Punkte Gespiegelt(Punkte p, bool m) {
  return m ? Spiegeln(p) : p;
}

constexpr RingTabelle BaueTabelle(bool rueckwaerts) {
  RingTabelle tab{};
  for (int m = 0; m < 2; ++m)
    for (int r = 0; r < 4; ++r)
      for (Punkte b = 0; b < 256; ++b) {
        const Punkte bild =
            rueckwaerts ? Gespiegelt(Gedreht(b, (4 - r) % 4), m) : Gedreht(Gespiegelt(b, m), r);
        tab[TabellenIndex({m == 1, false, r})][b] = static_cast<std::uint8_t>(bild);
      }
  return tab;
}

constexpr RingTabelle kVorwaerts = BaueTabelle(false);
constexpr RingTabelle kRueckwaerts = BaueTabelle(true);

Punkte Abbilden(Punkte p, TSymmetrie t, const RingTabelle& tabelle) {
  const auto& tab = tabelle[TabellenIndex(t)];
  const Punkte aussen = tab[p & 0xFF], mitte = tab[(p >> 8) & 0xFF], innen = tab[(p >> 16) & 0xFF];
  return t.s ? (innen | mitte << 8 | aussen << 16) : (aussen | mitte << 8 | innen << 16);
}

void ZugAbbilden(TZug& z, TSymmetrie t, const RingTabelle& tabelle) {
  const auto bild = [&](Punkte& p) { p = Abbilden(p, t, tabelle); };
  bild(z.VonPosition);
  bild(z.NachPosition);
  bild(z.EntfStein);
  bild(z.BrettNachZug.SteineZiehend);
  bild(z.BrettNachZug.SteineStehend);
  z.BrettNachZug.AlleSteine = z.BrettNachZug.SteineZiehend | z.BrettNachZug.SteineStehend;
  for (int i = 1; i <= kMaxSteps; ++i) {
    bild(z.SmartZuege[i].VonPosition);
    bild(z.SmartZuege[i].NachPosition);
    bild(z.SmartZuege[i].EntfStein);
  }
}

void ZuegeAbbilden(TStep& s, TSymmetrie t, const RingTabelle& tabelle) {
  for (int i = 1; i <= std::min(s.ZuegeAnzahl, kMaxZuege); ++i) ZugAbbilden(s.Zuege[i], t, tabelle);
}

}  // namespace

Punkte Transformiere(Punkte p, TSymmetrie t) {
  return Abbilden(p, t, kVorwaerts);
}

Punkte Ruecktransformiere(Punkte p, TSymmetrie t) {
  return Abbilden(p, t, kRueckwaerts);
}

void TransformiereZug(TZug& z, TSymmetrie t) {
  ZugAbbilden(z, t, kVorwaerts);
}

void RuecktransformiereZug(TZug& z, TSymmetrie t) {
  ZugAbbilden(z, t, kRueckwaerts);
}

void TransformiereZuege(TStep& s, TSymmetrie t) {
  ZuegeAbbilden(s, t, kVorwaerts);
}

void RuecktransformiereZuege(TStep& s, TSymmetrie t) {
  ZuegeAbbilden(s, t, kRueckwaerts);
}

}  // namespace quarne
