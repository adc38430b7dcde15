#include "engine/evaluation.h"

#include <gtest/gtest.h>

#include <bit>

#include "core/geometry.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::P;

TEST(Bewertung, RechenbeispielMitStandardgewichten) {
  const Einstellungen e;
  const Punkte a = P("a1 d1 g4"), b = P("a4 d2");
  const BeweglichkeitZahl z = Beweglichkeit(a, b);
  EXPECT_EQ(z.zuegeA(), 4);
  EXPECT_EQ(z.zuegeB(), 5);
  EXPECT_EQ(z.steineA(), 3);
  EXPECT_EQ(z.steineB(), 2);
  EXPECT_EQ(z.positionsSumme(), -1);
  const double fa = 4.0 / 3, fb = 5.0 / 2;
  EXPECT_EQ(ZugBewertung(a, b, e), (fa - fb) / (fa + fb) * 1500 + -1 * 100.0);
  EXPECT_NEAR(ZugBewertung(a, b, e), -556.52, 0.01);
  const OffeneLinienZahl o = OffeneLinien(a, b);
  EXPECT_EQ(o.c1(), 1);
  EXPECT_EQ(o.c2(), 0);
  EXPECT_EQ(o.c3(), 0);
  EXPECT_EQ(OffeneLinien(b, a).c1() + OffeneLinien(b, a).c2() + OffeneLinien(b, a).c3(), 0);
  EXPECT_EQ(EndBewertung(a, b, true, e), 1500);
  EXPECT_EQ(EndBewertung(a, b, false, e), 3500);
}

TEST(Bewertung, OhneSteineIstAllesNull) {
  const Einstellungen e;
  EXPECT_EQ(ZugBewertung(0, 0, e), 0);
  EXPECT_EQ(ZugBewertung(P("d2"), 0, e), 200);  // position only: no mobility without opponent
  EXPECT_EQ(EndBewertung(0, 0, false, e), 0);
}

TEST(Bewertung, OffeneLinien) {
  // a1 d1 with g1's outside neighbour g4 own: open with one gap.
  EXPECT_EQ(OffeneLinien(P("a1 d1 g4"), 0).c1(), 1);
  // The same line with an opposing stone on g1 is open for nobody.
  EXPECT_EQ(OffeneLinien(P("a1 d1 g4"), P("g1")).c1(), 0);
  // A gap without an own stone next to it off the line does not count.
  EXPECT_EQ(OffeneLinien(P("a1 d1"), 0).c1(), 0);
  // One own stone, both gaps reachable from off the line: only a7 a4 a1 qualifies.
  const OffeneLinienZahl z = OffeneLinien(P("a4 d7 d1"), 0);
  EXPECT_EQ(z.c1(), 0);
  EXPECT_EQ(z.c2(), 1);
  EXPECT_EQ(z.c3(), 0);
  // No own stone on c3 d3 e3, but c4, d2 and e4 reach each of its points from off the line.
  EXPECT_EQ(OffeneLinien(P("d2 c4 e4"), P("a1")).c3(), 1);
}

TEST(Bewertung, ArtenGeschlossenerQuarnen) {
  // Every outside neighbour occupied: guarded.
  {
    const Punkte a = P("a1 d1 g1"), b = P("a4 d2 g4");
    EXPECT_EQ(GeschlosseneQuarnen(a, b).bewacht(), 1);
  }
  // Cross mill d1 d2 d3: d1 may only open towards g1 next to the opposing a1, but d3 opens
  // towards c3 with e3 free: unguarded.
  {
    const Punkte a = P("d1 d2 d3"), b = P("a1 b2 f2");
    const QuarnenZahl q = GeschlosseneQuarnen(a, b);
    EXPECT_EQ(q.unbewacht(), 1);
    EXPECT_EQ(q.bewacht() + q.zwick(), 0);
  }
  // a1 d1 g1 with f4 and e4 own and g4 free: g1 to g4 closes g4 f4 e4, a double mill.
  {
    const Punkte a = P("a1 d1 g1 f4 e4"), b = P("a4 d2");
    EXPECT_EQ(GeschlosseneQuarnen(a, b).zwick(), 1);
  }
}

TEST(Bewertung, SchalterUndEndwertMitMuehlen) {
  Einstellungen e;
  const Punkte a = P("a1 d1 g1 f4 e4"), b = P("a4 d2");
  e.CBMuster = false;
  EXPECT_EQ(EndBewertung(a, b, false, e), 0);
  e.CBMuster = true;
  const OffeneLinienZahl p = OffeneLinien(a, b), q = OffeneLinien(b, a);
  EXPECT_EQ(EndBewertung(a, b, false, e), (p.c1() - q.c1()) * 3500.0 + (p.c2() - q.c2()) * 1500.0 +
                                              (p.c3() - q.c3()) * 1000.0 + 5000.0);
  e.CBMobil = false;
  EXPECT_EQ(ZugBewertung(a, b, e), Beweglichkeit(a, b).positionsSumme() * 100.0);
  e.CBPosition = false;
  EXPECT_EQ(ZugBewertung(a, b, e), 0);
}

}  // namespace
}  // namespace quarne

namespace quarne {
namespace {

// The counts by their definition, line by line, for comparison with the bit-parallel forms.
OffeneLinienZahl OffeneLinienNachDefinition(Punkte a, Punkte b) {
  int c[3] = {0, 0, 0};
  for (int l = 0; l < 16; ++l) {
    const Punkte linie = kLinien[l];
    if (linie & b) continue;
    const int n = std::popcount(linie & a);
    if (n == 3) continue;
    bool erreichbar = true;
    for (int p = 0; p < kAnzahlPunkte; ++p)
      if ((linie & Punkt(p)) && !(a & Punkt(p)) && !(a & AussenNachbarn(p, l))) erreichbar = false;
    if (!erreichbar) continue;
    ++c[2 - n];
  }
  return {static_cast<std::uint32_t>(c[0] | c[1] << 8 | c[2] << 16)};
}

QuarnenZahl QuarnenNachDefinition(Punkte a, Punkte b) {
  int k[3] = {0, 0, 0};
  const Punkte leer = ~(a | b) & kBrettMaske;
  for (int l = 0; l < 16; ++l) {
    if ((kLinien[l] & a) != kLinien[l]) continue;
    bool zwick = false, sicher = false;
    for (int p = 0; p < kAnzahlPunkte; ++p) {
      if (!(kLinien[l] & Punkt(p))) continue;
      const Punkte aussen = AussenNachbarn(p, l);
      for (int q = 0; q < kAnzahlPunkte; ++q) {
        if (!(aussen & Punkt(q) & leer)) continue;
        for (int m : kLinienDurch[q]) {
          const Punkte rest = kLinien[m] & ~Punkt(q);
          if (!(kLinien[m] & Punkt(p)) && (rest & a) == rest) zwick = true;
        }
        if (!(aussen & ~Punkt(q) & b)) sicher = true;
      }
    }
    ++k[zwick ? 2 : !sicher ? 0 : 1];
  }
  return {static_cast<std::uint32_t>(k[0] | k[1] << 8 | k[2] << 16)};
}

TEST(Bewertung, ZaehlungenStimmenMitDerDefinitionUeberein) {
  std::uint32_t zufall = 12345;
  auto naechste = [&] { return zufall = zufall * 1664525u + 1013904223u; };
  for (int i = 0; i < 20000; ++i) {
    // Dense and sparse boards alike: each point own, opposing or empty.
    Punkte a = 0, b = 0;
    const int dichte = static_cast<int>(naechste() % 8) + 1;
    for (int p = 0; p < kAnzahlPunkte; ++p) {
      const std::uint32_t r = naechste() >> 16;
      if (r % 10 < static_cast<std::uint32_t>(dichte)) ((r >> 8) & 1 ? a : b) |= Punkt(p);
    }
    const OffeneLinienZahl o = OffeneLinien(a, b), od = OffeneLinienNachDefinition(a, b);
    ASSERT_EQ(o.c1(), od.c1()) << std::hex << a << " " << b;
    ASSERT_EQ(o.c2(), od.c2()) << std::hex << a << " " << b;
    ASSERT_EQ(o.c3(), od.c3()) << std::hex << a << " " << b;
    const QuarnenZahl q = GeschlosseneQuarnen(a, b), qd = QuarnenNachDefinition(a, b);
    ASSERT_EQ(q.bewacht(), qd.bewacht()) << std::hex << a << " " << b;
    ASSERT_EQ(q.unbewacht(), qd.unbewacht()) << std::hex << a << " " << b;
    ASSERT_EQ(q.zwick(), qd.zwick()) << std::hex << a << " " << b;
  }
}

}  // namespace
}  // namespace quarne
