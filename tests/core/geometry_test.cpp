#include "core/geometry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/notation.h"

namespace quarne {
namespace {

std::string Namen(const NachbarListe& n) {
  std::string s;
  for (int i = 0; i < n.anzahl; ++i) s += std::string(PunktName(n.punkt[i])) + " ";
  return s;
}

TEST(Geometrie, NachbarnInErzeugungsreihenfolge) {
  const struct {
    const char* punkt;
    int bit;
    const char* nachbarn;
  } faelle[] = {
      {"a1", 0, "d1 a4 "},        {"d1", 1, "g1 a1 d2 "},     {"g4", 3, "g7 g1 f4 "},
      {"a4", 7, "a1 a7 b4 "},     {"b2", 8, "d2 b4 "},        {"d2", 9, "f2 b2 d3 d1 "},
      {"f4", 11, "f6 f2 e4 g4 "}, {"b4", 15, "b2 b6 c4 a4 "}, {"c3", 16, "d3 c4 "},
      {"d3", 17, "e3 c3 d2 "},    {"c4", 23, "c3 c5 b4 "},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(PunktName(Punkt(f.bit)), f.punkt);
    EXPECT_EQ(Namen(kNachbarn[f.bit]), f.nachbarn) << f.punkt;
  }
}

TEST(Geometrie, NachbarschaftIstSymmetrischUndZaehltRichtig) {
  int kanten = 0;
  for (int p = 0; p < kAnzahlPunkte; ++p) {
    const bool ecke = p % 2 == 0, mitteMittelring = p % 2 == 1 && p / 8 == 1;
    EXPECT_EQ(kNachbarn[p].anzahl, ecke ? 2 : mitteMittelring ? 4 : 3);
    for (int k = 0; k < kNachbarn[p].anzahl; ++k) {
      EXPECT_TRUE(kNachbarMaske[PunktIndex(kNachbarn[p].punkt[k])] & Punkt(p));
      ++kanten;
    }
  }
  EXPECT_EQ(kanten, 2 * 32);
}

TEST(Geometrie, SechzehnLinienJederPunktAufZweien) {
  const Punkte erwartet[16] = {0x7,     0x1C,    0x70,     0xC1,     0x700,    0x1C00,
                               0x7000,  0xC100,  0x70000,  0x1C0000, 0x700000, 0xC10000,
                               0x20202, 0x80808, 0x202020, 0x808080};
  for (int l = 0; l < 16; ++l) EXPECT_EQ(kLinien[l], erwartet[l]) << "Linie " << l + 1;
  for (int p = 0; p < kAnzahlPunkte; ++p) {
    int anzahl = 0;
    for (Punkte l : kLinien) anzahl += (l & Punkt(p)) ? 1 : 0;
    EXPECT_EQ(anzahl, 2) << PunktName(Punkt(p));
    EXPECT_NE(kLinienDurch[p][0], kLinienDurch[p][1]);
  }
}

TEST(Geometrie, AussenNachbarnBezogenAufEineLinie) {
  // d1 on the outer side a1 d1 g1 reaches d2 from off the line; on the cross line a1 and g1.
  EXPECT_EQ(AussenNachbarn(1, 0), Punkt(9));
  EXPECT_EQ(AussenNachbarn(1, 12), Punkt(0) | Punkt(2));
  // d2 on its ring side has two outside neighbours, the cross-line points d1 and d3.
  EXPECT_EQ(AussenNachbarn(9, 4), Punkt(1) | Punkt(17));
}

TEST(Notation, PunktNamenUndZugText) {
  EXPECT_EQ(PunktName(0), "---");
  EXPECT_EQ(PunktName(0x800000), "c4");
  EXPECT_EQ(PunktName(0x3), "");
  EXPECT_EQ(PunktName(0x1000000), "");
  EXPECT_EQ(ZugText(0, Punkt(1), 0, false), "--- d1");
  EXPECT_EQ(ZugText(Punkt(0), Punkt(7), Punkt(5), true), "a1 a4 M:d7");
  EXPECT_EQ(ZugText(Punkt(0), Punkt(7), 0, true), "a1 a4 M");
}

}  // namespace
}  // namespace quarne
