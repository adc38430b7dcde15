#include "library/symmetry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "core/geometry.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::P;

// T(m, s, r) spelled out with the three named operations.
Punkte Zusammengesetzt(Punkte p, TSymmetrie t) {
  if (t.m) p = Spiegeln(p);
  if (t.s) p = RingTausch(p);
  for (int i = 0; i < t.r; ++i) p = Drehen(p);
  return p;
}

std::vector<Punkte> ZufallsMasken() {
  std::mt19937 zufall(4711);
  std::vector<Punkte> masken = {0, kBrettMaske, 0xFF000000};
  // mt19937 draws 32 bits: bits 24..31 as well.
  for (int i = 0; i < 500; ++i) masken.push_back(static_cast<Punkte>(zufall()));
  return masken;
}

TEST(Symmetrie, BenanntePunkte) {
  const struct {
    Punkte (*abbildung)(Punkte);
    const char* von;
    const char* nach;
  } faelle[] = {
      {Drehen, "a1", "a7"},     {Drehen, "d1", "a4"},     {Drehen, "g1", "a1"},
      {Drehen, "c4", "d5"},     {Drehen, "f6", "f2"},     {Spiegeln, "a1", "g1"},
      {Spiegeln, "d1", "d1"},   {Spiegeln, "g4", "a4"},   {Spiegeln, "b2", "f2"},
      {Spiegeln, "d6", "d6"},   {Spiegeln, "c5", "e5"},   {RingTausch, "a1", "c3"},
      {RingTausch, "e4", "g4"}, {RingTausch, "d2", "d2"}, {RingTausch, "b6", "b6"},
  };
  for (const auto& f : faelle) EXPECT_EQ(f.abbildung(P(f.von)), P(f.nach)) << f.von;
}

TEST(Symmetrie, UmkehrungenUndPerioden) {
  for (Punkte p : ZufallsMasken()) {
    const Punkte brett = p & kBrettMaske;
    EXPECT_EQ(Drehen(Drehen(Drehen(Drehen(p)))), brett);
    EXPECT_EQ(Spiegeln(Spiegeln(p)), brett);
    EXPECT_EQ(RingTausch(RingTausch(p)), brett);
    for (TSymmetrie t : kSymmetrien) {
      const Punkte bild = Transformiere(p, t);
      EXPECT_EQ(bild, Zusammengesetzt(brett, t)) << t.m << t.s << t.r;
      EXPECT_EQ(bild & ~kBrettMaske, 0u);
      EXPECT_EQ(std::popcount(bild), std::popcount(brett));
      EXPECT_EQ(Ruecktransformiere(bild, t), brett) << t.m << t.s << t.r;
      EXPECT_EQ(Transformiere(Ruecktransformiere(p, t), t), brett) << t.m << t.s << t.r;
    }
  }
}

TEST(Symmetrie, SechzehnVerschiedeneBilderInDerReihenfolgeDerSuche) {
  const TSymmetrie erwartet[4] = {
      {false, false, 0}, {true, false, 0}, {false, true, 0}, {true, true, 0}};
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(kSymmetrien[i], (TSymmetrie{erwartet[i / 4].m, erwartet[i / 4].s, i % 4}));
  // Only the identity maps this set onto itself, so every symmetry gives its own image.
  const Punkte unsymmetrisch = P("a1 d1 f4 c5");
  std::set<Punkte> bilder;
  for (TSymmetrie t : kSymmetrien) bilder.insert(Transformiere(unsymmetrisch, t));
  EXPECT_EQ(bilder.size(), 16u);
}

TEST(Symmetrie, LinienUndNachbarnBleibenErhalten) {
  for (TSymmetrie t : kSymmetrien) {
    for (Punkte linie : kLinien)
      EXPECT_NE(std::find(kLinien.begin(), kLinien.end(), Transformiere(linie, t)), kLinien.end())
          << t.m << t.s << t.r << " " << linie;
    for (int p = 0; p < kAnzahlPunkte; ++p)
      EXPECT_EQ(Transformiere(kNachbarMaske[p], t),
                kNachbarMaske[PunktIndex(Transformiere(Punkt(p), t))]);
  }
}

TZug BeispielZug() {
  TZug z{};
  z.Nr = 7;
  z.VonPosition = P("d2");
  z.NachPosition = P("d1");
  z.ErgibtQuarne = true;
  z.EntfStein = P("c5");
  z.BrettNachZug.SteineZiehend = P("a1 d1 g1 f4");
  z.BrettNachZug.SteineStehend = P("a7 e3 b6");
  z.BrettNachZug.AlleSteine = z.BrettNachZug.SteineZiehend | z.BrettNachZug.SteineStehend;
  z.BrettNachZug.SteineAnzahlZiehend = 4;
  z.BrettNachZug.GesetzteSteineZiehend = 5;
  z.Wertung = {rsQuarn, 3, 1.5, -2.25};
  z.BEWERTET = true;
  for (int s = 1; s <= kMaxSteps; ++s) {
    z.SmartZuege[s].VonPosition = Punkt(s);
    z.SmartZuege[s].NachPosition = Punkt(s + 1);
    z.SmartZuege[s].EntfStein = Punkt(s + 7);
    z.SmartZuege[s].RemisDurchWdh = s == 16;
  }
  return z;
}

TEST(Symmetrie, ZugWirdMitLinieUndStellungAbgebildet) {
  const TSymmetrie t{false, true, 1};  // not its own inverse
  const TZug original = BeispielZug();
  TZug z = original;
  z.BrettNachZug.AlleSteine = kBrettMaske;  // rebuilt from the two stone sets
  TransformiereZug(z, t);
  EXPECT_EQ(z.VonPosition, Transformiere(original.VonPosition, t));
  EXPECT_EQ(z.NachPosition, Transformiere(original.NachPosition, t));
  EXPECT_EQ(z.EntfStein, Transformiere(original.EntfStein, t));
  EXPECT_EQ(z.BrettNachZug.SteineZiehend, Transformiere(original.BrettNachZug.SteineZiehend, t));
  EXPECT_EQ(z.BrettNachZug.SteineStehend, Transformiere(original.BrettNachZug.SteineStehend, t));
  EXPECT_EQ(z.BrettNachZug.AlleSteine, Transformiere(original.BrettNachZug.AlleSteine, t));
  for (int s = 1; s <= kMaxSteps; ++s) {
    EXPECT_EQ(z.SmartZuege[s].VonPosition, Transformiere(original.SmartZuege[s].VonPosition, t));
    EXPECT_EQ(z.SmartZuege[s].NachPosition, Transformiere(original.SmartZuege[s].NachPosition, t));
    EXPECT_EQ(z.SmartZuege[s].EntfStein, Transformiere(original.SmartZuege[s].EntfStein, t));
  }
  // Back again, every byte is as before: no other field was touched.
  RuecktransformiereZug(z, t);
  EXPECT_EQ(std::memcmp(&z, &original, sizeof(TZug)), 0);
}

TEST(Symmetrie, StepBildetNurSeineZuegeAb) {
  const TSymmetrie t{true, false, 3};
  auto s = std::make_unique<TStep>();
  for (int i = 1; i <= kMaxZuege; ++i) s->Zuege[i] = BeispielZug();
  s->VorDemZug = BeispielZug();
  s->ZuegeAnzahl = 2;
  TransformiereZuege(*s, t);
  EXPECT_EQ(s->Zuege[1].NachPosition, Transformiere(P("d1"), t));
  EXPECT_EQ(s->Zuege[2].NachPosition, Transformiere(P("d1"), t));
  EXPECT_EQ(s->Zuege[3].NachPosition, P("d1"));
  EXPECT_EQ(s->VorDemZug.NachPosition, P("d1"));
  RuecktransformiereZuege(*s, t);
  EXPECT_EQ(s->Zuege[2].NachPosition, P("d1"));

  // A count beyond the capacity stops at the last move.
  s->ZuegeAnzahl = kMaxZuege + 50;
  TransformiereZuege(*s, t);
  EXPECT_EQ(s->Zuege[kMaxZuege].NachPosition, Transformiere(P("d1"), t));
}

}  // namespace
}  // namespace quarne
