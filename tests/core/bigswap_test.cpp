#include "core/bigswap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quarne {
namespace {

TBrett Brett(int gesetztZ, int anzahlZ, int gesetztS, int anzahlS) {
  TBrett b{};
  b.SteineZiehend = 0x7;
  b.SteineStehend = 0x700;
  b.AlleSteine = 0x707;
  b.GesetzteSteineZiehend = gesetztZ;
  b.SteineAnzahlZiehend = anzahlZ;
  b.VerloreneSteineZiehend = gesetztZ - anzahlZ;
  b.GesetzteSteineStehend = gesetztS;
  b.SteineAnzahlStehend = anzahlS;
  b.VerloreneSteineStehend = gesetztS - anzahlS;
  return b;
}

TEST(HTBigSwap, PhasenAusDenZaehlern) {
  // Columns: placed and on board of the side that moves next (the old Stehend side).
  const struct {
    int gesetzt, anzahl;
    TSpielPhase phase;
  } faelle[] = {
      {9, 3, spSpringen}, {9, 4, spZiehen}, {9, 9, spZiehen}, {8, 3, spSetzen}, {0, 0, spSetzen}};
  for (const auto& f : faelle) {
    TBrett b = Brett(5, 5, f.gesetzt, f.anzahl);
    const BigSwapFehler fehler = HTBigSwap(b);
    EXPECT_FALSE(fehler.ziehend || fehler.stehend);
    EXPECT_EQ(b.SpielPhaseZiehend, f.phase) << f.gesetzt << "/" << f.anzahl;
    EXPECT_EQ(b.SpielPhaseStehend, spSetzen);
    EXPECT_EQ(b.SteineZiehend, 0x700u);
    EXPECT_EQ(b.SteineStehend, 0x7u);
    EXPECT_EQ(b.AlleSteine, 0x707u);
  }
}

TEST(HTBigSwap, UnterDreiSteinenBleibtDiePhase) {
  TBrett b = Brett(5, 5, 9, 2);
  b.SpielPhaseZiehend = spSpringen;
  HTBigSwap(b);
  EXPECT_EQ(b.SpielPhaseZiehend, spSpringen);
}

TEST(HTBigSwap, LeererDatensatzIstDieStartstellung) {
  TBrett b{};
  EXPECT_FALSE(HTBigSwap(b).ziehend);
  EXPECT_EQ(b.SpielPhaseZiehend, spSetzen);
  EXPECT_EQ(b.SpielPhaseStehend, spSetzen);
}

TEST(HTBigSwap, WidersprecheneZaehlerWerdenGemeldetAberGetauscht) {
  TBrett b = Brett(4, 4, 6, 6);
  b.VerloreneSteineZiehend = 1;  // 1 + 4 != 4: becomes the Stehend side after the turn
  const BigSwapFehler f = HTBigSwap(b);
  EXPECT_FALSE(f.ziehend);
  EXPECT_TRUE(f.stehend);
  EXPECT_EQ(b.VerloreneSteineStehend, 1);
  EXPECT_EQ(b.GesetzteSteineZiehend, 6);
}

TEST(HTBigSwap, ZweimalStelltSteineUndZaehlerWiederHer) {
  TBrett b = Brett(9, 4, 7, 6);
  b.SpielPhaseZiehend = spSpringen;  // inconsistent with the counts: recomputed
  const TBrett vorher = b;
  HTBigSwap(b);
  HTBigSwap(b);
  EXPECT_EQ(b.SteineZiehend, vorher.SteineZiehend);
  EXPECT_EQ(b.SteineAnzahlZiehend, vorher.SteineAnzahlZiehend);
  EXPECT_EQ(b.VerloreneSteineStehend, vorher.VerloreneSteineStehend);
  EXPECT_EQ(b.SpielPhaseZiehend, spZiehen);
}

}  // namespace
}  // namespace quarne
