#include "engine/evaluation.h"

#include <algorithm>
#include <array>
#include <bit>

#include "core/geometry.h"

namespace quarne {
namespace {

// Ways to open a line: a stone of the line steps to a neighbour q off the line. 'weiter' is the
// rest of q's other line (a double mill when it is all own), 'daneben' the stone's other
// neighbours off the line (an opposing stone there could step into the gap).
struct Oeffnung {
  Punkte q, weiter, daneben;
};

// A line has at most six ways to open; unused entries have q = 0 and never count.
struct Oeffnungen {
  Array0<Oeffnung, 6> weg;
  int anzahl;
};

// The other line through point q than line l, without q itself.
constexpr Punkte AndereLinieOhne(int q, int l) {
  const int m = kLinienDurch[q][0] == l ? kLinienDurch[q][1] : kLinienDurch[q][0];
  return kLinien[m] & ~Punkt(q);
}

constexpr Array0<Oeffnungen, 16> BaueOeffnungen() {
  Array0<Oeffnungen, 16> t{};
  for (int l = 0; l < 16; ++l)
    for (int p = 0; p < kAnzahlPunkte; ++p) {
      if (!(kLinien[l] & Punkt(p))) continue;
      const Punkte aussen = AussenNachbarn(p, l);
      const int linieDurchPQ = kLinienDurch[p][0] == l ? kLinienDurch[p][1] : kLinienDurch[p][0];
      for (int q = 0; q < kAnzahlPunkte; ++q)
        if (aussen & Punkt(q))
          t[l].weg[t[l].anzahl++] = {Punkt(q), AndereLinieOhne(q, linieDurchPQ),
                                     aussen & ~Punkt(q)};
    }
  return t;
}

constexpr Array0<Oeffnungen, 16> kOeffnungen = BaueOeffnungen();

// Average moves per stone, m / n, for every count a board can hold (the same double as the
// division).
constexpr int kMaxZuegeJeSeite = 4 * kAnzahlPunkte;
constexpr Array0<Array0<double, kAnzahlPunkte + 1>, kMaxZuegeJeSeite + 1> BaueQuotienten() {
  Array0<Array0<double, kAnzahlPunkte + 1>, kMaxZuegeJeSeite + 1> t{};
  for (int m = 0; m <= kMaxZuegeJeSeite; ++m)
    for (int n = 1; n <= kAnzahlPunkte; ++n) t[m][n] = static_cast<double>(m) / n;
  return t;
}

constexpr auto kQuotient = BaueQuotienten();

int Anzahl(Punkte p) {
  return std::popcount(p);
}

// Ring shifts: bit p of Vor(x) is bit p-1 of x, bit p of Nach(x) is bit p+1 of x, each within
// its ring. Innen(x)/Aussen(x): bit p is x's bit on the next inner/outer ring (midpoints only).
constexpr Punkte kEcken = 0x555555;
Punkte Vor(Punkte x) {
  return ((x << 1) & 0xFEFEFE) | ((x >> 7) & 0x010101);
}
Punkte Nach(Punkte x) {
  return ((x >> 1) & 0x7F7F7F) | ((x << 7) & 0x808080);
}
Punkte Innen(Punkte x) {
  return (x & 0xAAAA00) >> 8;
}
Punkte Aussen(Punkte x) {
  return (x & 0x00AAAA) << 8;
}

// Stone-to-empty-neighbour pairs, counted per direction.
int Zuege(Punkte steine, Punkte leer) {
  return Anzahl(Nach(steine) & leer) + Anzahl(Vor(steine) & leer) + Anzahl(Aussen(steine) & leer) +
         Anzahl(Innen(steine) & leer);
}

// Lines given by three masks holding, at one bit per line, the line's first, second and third
// point: counts the lines in 'gueltig' by the number of own stones a0 + a1 + a2.
void ZaehleLinien(Punkte gueltig, Punkte a0, Punkte a1, Punkte a2, OffeneLinienZahl& z) {
  const Punkte einer = a0 ^ a1 ^ a2;
  const Punkte zweier = (a0 & a1) | (a0 & a2) | (a1 & a2);
  z.wort += static_cast<std::uint32_t>(Anzahl(gueltig & ~einer & zweier) |
                                       Anzahl(gueltig & einer & ~zweier) << 8 |
                                       Anzahl(gueltig & ~einer & ~zweier) << 16);
}

}  // namespace

OffeneLinienZahl OffeneLinien(Punkte a, Punkte b) {
  // A point of a line is fine when it holds an own stone or an own stone stands next to it
  // off the line. Ring sides are indexed by their first corner k (points k, k+1, k+2): the
  // first corner is reached from k-1, the midpoint from the other rings, the last corner
  // from k+3. Cross lines are indexed by their outer midpoint and reached along the rings.
  const Punkte ersteEcke = a | Vor(a), letzteEcke = a | Nach(a);
  const Punkte mitteSeite = a | Innen(a) | Aussen(a), mitteKreuz = a | Vor(a) | Nach(a);
  const Punkte frei = ~b & kBrettMaske;
  OffeneLinienZahl z{0};

  const Punkte seiteOk = ersteEcke & Nach(mitteSeite) & Nach(Nach(letzteEcke)) & frei & Nach(frei) &
                         Nach(Nach(frei)) & kEcken;
  ZaehleLinien(seiteOk, a, Nach(a), Nach(Nach(a)), z);

  constexpr Punkte kAussenMitten = 0xAA;
  const Punkte kreuzOk = mitteKreuz & (mitteKreuz >> 8) & (mitteKreuz >> 16) & frei & (frei >> 8) &
                         (frei >> 16) & kAussenMitten;
  ZaehleLinien(kreuzOk, a, a >> 8, a >> 16, z);
  return z;
}

QuarnenZahl GeschlosseneQuarnen(Punkte a, Punkte b) {
  QuarnenZahl z{0};
  // Closed lines, one bit each: ring sides at their first corner, cross lines at their outer
  // midpoint. Most positions have none.
  const Punkte seiten = a & Nach(a) & Nach(Nach(a)) & kEcken;
  const Punkte kreuze = a & (a >> 8) & (a >> 16) & 0xAA;
  if ((seiten | kreuze) == 0) return z;
  const Punkte leer = ~(a | b) & kBrettMaske;
  for (Punkte geschlossen = seiten | (kreuze << 24); geschlossen; geschlossen &= geschlossen - 1) {
    const int bit = std::countr_zero(geschlossen);
    const Oeffnungen& o = kOeffnungen[bit < 24 ? bit / 2 : 12 + (bit - 25) / 2];
    bool zwick = false, sicher = false;
    for (const Oeffnung& w : o.weg) {
      const bool offen = (w.q & leer) != 0;
      zwick |= offen & ((w.weiter & a) == w.weiter);
      sicher |= offen & ((w.daneben & b) == 0);
    }
    z.wort += zwick ? 1u << 16 : !sicher ? 1u : 1u << 8;
  }
  return z;
}

BeweglichkeitZahl Beweglichkeit(Punkte a, Punkte b) {
  const Punkte leer = ~(a | b) & kBrettMaske;
  constexpr Punkte kMitteAussenInnen = 0xAA00AA, kMitteMittel = 0x00AA00;
  const int summe = Anzahl(a & kMitteAussenInnen) - Anzahl(b & kMitteAussenInnen) +
                    2 * (Anzahl(a & kMitteMittel) - Anzahl(b & kMitteMittel));
  // Stone counts above 15 cannot occur in a game; they are kept within their fields.
  return {static_cast<std::uint32_t>(Zuege(b, leer)) |
          static_cast<std::uint32_t>(Zuege(a, leer)) << 8 |
          static_cast<std::uint32_t>(std::min(Anzahl(b), 15)) << 16 |
          static_cast<std::uint32_t>(std::min(Anzahl(a), 15)) << 20 |
          static_cast<std::uint32_t>(static_cast<std::uint8_t>(summe)) << 24};
}

double ZugBewertung(Punkte a, Punkte b, const Einstellungen& e) {
  const BeweglichkeitZahl z = Beweglichkeit(a, b);
  double r = 0;
  const int mA = z.zuegeA(), mB = z.zuegeB(), nA = z.steineA(), nB = z.steineB();
  if (e.CBMobil && (mA > 0 || mB > 0) && nA > 0 && nB > 0) {
    const double fa = kQuotient[mA][nA];
    const double fb = kQuotient[mB][nB];
    r = (fa - fb) / (fa + fb) * e.gewichte.EDCMobil;
  }
  if (e.CBPosition) r += z.positionsSumme() * e.gewichte.EDCPosition;
  return r;
}

double EndBewertung(Punkte a, Punkte b, bool virtuell, const Einstellungen& e) {
  if (!e.CBMuster) return 0;
  const Gewichte& w = e.gewichte;
  const OffeneLinienZahl p = OffeneLinien(a, b), q = OffeneLinien(b, a);
  if (virtuell)
    return (p.c1() - q.c1()) * w.EDCVirtOff1 + (p.c2() - q.c2()) * w.EDCVirtOff2 +
           (p.c3() - q.c3()) * w.EDCVirtOff3;
  const QuarnenZahl g = GeschlosseneQuarnen(a, b), h = GeschlosseneQuarnen(b, a);
  return (p.c1() - q.c1()) * w.EDCRealOff1 + (p.c2() - q.c2()) * w.EDCRealOff2 +
         (p.c3() - q.c3()) * w.EDCRealOff3 + (g.bewacht() - h.bewacht()) * w.EDCQuarneBew +
         (g.unbewacht() - h.unbewacht()) * w.EDCQuarneUnbw +
         (g.zwick() - h.zwick()) * w.EDCQuarneZwk;
}

}  // namespace quarne
