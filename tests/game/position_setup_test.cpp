#include "game/position_setup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/geometry.h"

namespace quarne {
namespace {

// The first n points of the outer squares, from a given point on.
Punkte Steine(int n, int ab = 0) {
  Punkte m = 0;
  for (int i = ab; i < ab + n; ++i) m |= Punkt(i);
  return m;
}

TEST(Aufbau, KlickSetztNimmtUndErsetzt) {
  TBrett b{};
  // Black is the Ziehend side, as on a fresh setup tab.
  ASSERT_TRUE(SetzeAufbauStein(b, clSchwarz, clWeiss, Punkt(0)));
  EXPECT_EQ(b.SteineStehend, Punkt(0));
  ASSERT_TRUE(SetzeAufbauStein(b, clSchwarz, clSchwarz, Punkt(0)));  // replaced
  EXPECT_EQ(b.SteineStehend, 0u);
  EXPECT_EQ(b.SteineZiehend, Punkt(0));
  ASSERT_TRUE(SetzeAufbauStein(b, clSchwarz, clSchwarz, Punkt(0)));  // taken away
  EXPECT_EQ(b.AlleSteine, 0u);

  b.SteineStehend = b.AlleSteine = Steine(9);
  const TBrett vorher = b;
  EXPECT_FALSE(SetzeAufbauStein(b, clSchwarz, clWeiss, Punkt(20)));  // a tenth white stone
  EXPECT_EQ(std::memcmp(&b, &vorher, sizeof b), 0);
  // Replacing keeps the count: a black stone on a white one's point with nine white.
  ASSERT_TRUE(SetzeAufbauStein(b, clSchwarz, clSchwarz, Punkt(3)));
  EXPECT_EQ(b.SteineStehend, Steine(9) & ~Punkt(3));
  EXPECT_EQ(b.AlleSteine, Steine(9));
}

// The analysis buttons by both sides' phases: stones on the board and placed counts.
TEST(Aufbau, AnalyseKnoepfe) {
  struct Fall {
    int W, gW, B, gB;
    bool weiss, schwarz;
  };
  const Fall faelle[] = {
      {0, 0, 0, 0, true, false},                               // empty board: White begins
      {1, 1, 0, 0, false, true},                               // one white stone: Black's turn
      {2, 3, 2, 2, false, true},                               // lost stones count as placed
      {2, 4, 2, 2, false, false},                              // two placed ahead: no side
      {9, 9, 7, 8, false, true},                               // White moves, Black places its last
      {9, 9, 7, 7, false, false}, {3, 9, 8, 8, false, false},  // White jumps while Black places
      {4, 9, 8, 8, false, true},                               // lost white stones do not matter
      {8, 8, 9, 9, false, false},                              // Black moves while White places
      {9, 9, 9, 9, true, true},   {3, 9, 9, 9, true, true},    // White jumps, Black moves
      {2, 9, 9, 9, false, false}, {9, 9, 3, 9, true, true},    // Black jumps, White moves
      {9, 9, 2, 9, false, false}, {3, 9, 3, 9, true, true},   {3, 9, 2, 9, false, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.W << "/" << f.gW << " " << f.B << "/" << f.gB);
    TBrett b{};
    b.SteineStehend = Steine(f.W);  // White, with Black as the Ziehend side
    b.SteineZiehend = Steine(f.B, 12);
    const Steinzahlen z = ZaehleSteine(b, clSchwarz, f.gW, f.gB);
    EXPECT_EQ(z.WeissAmZug, f.weiss);
    EXPECT_EQ(z.SchwarzAmZug, f.schwarz);
  }
}

TEST(Aufbau, ZaehlenHebtGesetzteAnUndSchreibtDieSeiten) {
  TBrett b{};
  b.SteineZiehend = Steine(3);  // White is the Ziehend side here
  b.SteineStehend = Steine(5, 12);
  const Steinzahlen z = ZaehleSteine(b, clWeiss, 9, 2);
  EXPECT_EQ(z.Gesetzt[clSchwarz], 5);  // never fewer than on the board
  EXPECT_EQ(z.Verloren[clWeiss], 6);
  EXPECT_EQ(z.Phase[clWeiss], spSpringen);
  EXPECT_EQ(z.Phase[clSchwarz], spSetzen);
  EXPECT_EQ(b.SteineAnzahlZiehend, 3);
  EXPECT_EQ(b.GesetzteSteineZiehend, 9);
  EXPECT_EQ(b.VerloreneSteineZiehend, 6);
  EXPECT_EQ(b.SpielPhaseZiehend, spSpringen);
  EXPECT_EQ(b.SteineAnzahlStehend, 5);
  EXPECT_EQ(b.GesetzteSteineStehend, 5);
  EXPECT_EQ(b.VerloreneSteineStehend, 0);
  EXPECT_EQ(b.SpielPhaseStehend, spSetzen);
}

// The side to move of a start record is its Stehend side.
TEST(Aufbau, StartRecordFuerJedeFarbe) {
  TZug aufbau{};
  TBrett& a = aufbau.BrettNachZug;
  a.SteineZiehend = Steine(4);  // Black
  a.SteineStehend = Steine(5, 12);
  a.AlleSteine = a.SteineZiehend | a.SteineStehend;
  ZaehleSteine(a, clSchwarz, 5, 4);
  aufbau.Wertung.PunktWertGes = 7;

  TZug start{};
  start.Wertung.PunktWertGes = 3;
  UebernimmAufbau(aufbau, clSchwarz, clWeiss, start);  // White to move: the record as it is
  EXPECT_EQ(std::memcmp(&start, &aufbau, sizeof start), 0);

  start = TZug{};
  start.Wertung.PunktWertGes = 3;
  UebernimmAufbau(aufbau, clSchwarz, clSchwarz, start);  // Black to move: sides exchanged
  const TBrett& s = start.BrettNachZug;
  EXPECT_EQ(s.SteineStehend, a.SteineZiehend);
  EXPECT_EQ(s.SteineZiehend, a.SteineStehend);
  EXPECT_EQ(s.AlleSteine, a.AlleSteine);
  EXPECT_EQ(s.SteineAnzahlStehend, 4);
  EXPECT_EQ(s.GesetzteSteineStehend, 4);
  EXPECT_EQ(s.SteineAnzahlZiehend, 5);
  EXPECT_EQ(s.GesetzteSteineZiehend, 5);
  EXPECT_EQ(s.SpielPhaseZiehend, a.SpielPhaseStehend);
  EXPECT_EQ(start.Wertung.PunktWertGes, 3);  // the rest of the start record stays
}

}  // namespace
}  // namespace quarne
