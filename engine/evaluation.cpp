#include "engine/evaluation.h"

#include <array>
#include <bit>

#include "core/geometry.h"

namespace quarne {
namespace {

// Per line: its points, and for each point the neighbours off the line.
struct LinienInfo {
  Punkte maske;
  std::array<int, 3> punkt;
  std::array<Punkte, 3> aussen;
};

constexpr std::array<LinienInfo, 16> BaueLinienInfo() {
  std::array<LinienInfo, 16> t{};
  for (int l = 0; l < 16; ++l) {
    t[l].maske = kLinien[l];
    int n = 0;
    for (int p = 0; p < kAnzahlPunkte; ++p)
      if (kLinien[l] & Punkt(p)) {
        t[l].punkt[n] = p;
        t[l].aussen[n] = AussenNachbarn(p, l);
        ++n;
      }
  }
  return t;
}

constexpr std::array<LinienInfo, 16> kLinienInfo = BaueLinienInfo();

// The other line through point q than line l, without q itself.
constexpr Punkte AndereLinieOhne(int q, int l) {
  const int m = kLinienDurch[q][0] == l ? kLinienDurch[q][1] : kLinienDurch[q][0];
  return kLinien[m] & ~Punkt(q);
}

int Anzahl(Punkte p) { return std::popcount(p); }

// Stone-to-empty-neighbour pairs, counted per direction with ring rotations and radial shifts.
int Zuege(Punkte steine, Punkte leer) {
  constexpr Punkte kOhneBit0 = 0xFEFEFE, kNurBit0 = 0x010101;
  constexpr Punkte kOhneBit7 = 0x7F7F7F, kNurBit7 = 0x808080;
  const Punkte vor = ((steine << 1) & kOhneBit0) | ((steine >> 7) & kNurBit0);
  const Punkte zurueck = ((steine >> 1) & kOhneBit7) | ((steine << 7) & kNurBit7);
  const Punkte innen = (steine & 0x00AAAA) << 8;
  const Punkte aussen = (steine & 0xAAAA00) >> 8;
  return Anzahl(vor & leer) + Anzahl(zurueck & leer) + Anzahl(innen & leer) +
         Anzahl(aussen & leer);
}

}  // namespace

OffeneLinienZahl OffeneLinien(Punkte a, Punkte b) {
  OffeneLinienZahl z{0, 0, 0};
  for (const LinienInfo& l : kLinienInfo) {
    if (l.maske & b) continue;
    const int n = Anzahl(l.maske & a);
    if (n == 3) continue;
    bool erreichbar = true;
    for (int i = 0; i < 3 && erreichbar; ++i)
      erreichbar = (a & Punkt(l.punkt[i])) || (a & l.aussen[i]);
    if (!erreichbar) continue;
    if (n == 2) ++z.c1;
    else if (n == 1) ++z.c2;
    else ++z.c3;
  }
  return z;
}

QuarnenZahl GeschlosseneQuarnen(Punkte a, Punkte b) {
  QuarnenZahl z{0, 0, 0};
  const Punkte leer = ~(a | b) & kBrettMaske;
  for (int l = 0; l < 16; ++l) {
    const LinienInfo& li = kLinienInfo[l];
    if ((li.maske & a) != li.maske) continue;
    bool zwick = false, sicher = false;
    for (int i = 0; i < 3; ++i) {
      const int p = li.punkt[i];
      for (Punkte rest = li.aussen[i]; rest; rest &= rest - 1) {
        const Punkte q = rest & -rest;
        if (!(q & leer)) continue;
        const Punkte andere = AndereLinieOhne(PunktIndex(q), kLinienDurch[p][0] == l
                                                                   ? kLinienDurch[p][1]
                                                                   : kLinienDurch[p][0]);
        if ((andere & a) == andere) zwick = true;
        if (!(li.aussen[i] & ~q & b)) sicher = true;
      }
    }
    if (zwick) ++z.zwick;
    else if (!sicher) ++z.bewacht;
    else ++z.unbewacht;
  }
  return z;
}

BeweglichkeitZahl Beweglichkeit(Punkte a, Punkte b) {
  const Punkte leer = ~(a | b) & kBrettMaske;
  constexpr Punkte kMitteAussenInnen = 0xAA00AA, kMitteMittel = 0x00AA00;
  const int summe = Anzahl(a & kMitteAussenInnen) - Anzahl(b & kMitteAussenInnen) +
                    2 * (Anzahl(a & kMitteMittel) - Anzahl(b & kMitteMittel));
  return {static_cast<std::uint8_t>(Zuege(b, leer)), static_cast<std::uint8_t>(Zuege(a, leer)),
          static_cast<std::uint8_t>(Anzahl(b)), static_cast<std::uint8_t>(Anzahl(a)),
          static_cast<std::int8_t>(summe)};
}

double ZugBewertung(Punkte a, Punkte b, const Einstellungen& e) {
  const BeweglichkeitZahl z = Beweglichkeit(a, b);
  double r = 0;
  if (e.CBMobil && (z.zuegeA > 0 || z.zuegeB > 0) && z.steineA > 0 && z.steineB > 0) {
    const double fa = static_cast<double>(z.zuegeA) / z.steineA;
    const double fb = static_cast<double>(z.zuegeB) / z.steineB;
    r = (fa - fb) / (fa + fb) * e.gewichte.EDCMobil;
  }
  if (e.CBPosition) r += z.positionsSumme * e.gewichte.EDCPosition;
  return r;
}

double EndBewertung(Punkte a, Punkte b, bool virtuell, const Einstellungen& e) {
  if (!e.CBMuster) return 0;
  const Gewichte& w = e.gewichte;
  const OffeneLinienZahl p = OffeneLinien(a, b), q = OffeneLinien(b, a);
  if (virtuell)
    return (p.c1 - q.c1) * w.EDCVirtOff1 + (p.c2 - q.c2) * w.EDCVirtOff2 +
           (p.c3 - q.c3) * w.EDCVirtOff3;
  const QuarnenZahl g = GeschlosseneQuarnen(a, b), h = GeschlosseneQuarnen(b, a);
  return (p.c1 - q.c1) * w.EDCRealOff1 + (p.c2 - q.c2) * w.EDCRealOff2 +
         (p.c3 - q.c3) * w.EDCRealOff3 + (g.bewacht - h.bewacht) * w.EDCQuarneBew +
         (g.unbewacht - h.unbewacht) * w.EDCQuarneUnbw + (g.zwick - h.zwick) * w.EDCQuarneZwk;
}

}  // namespace quarne
