#include "engine/weights.h"

#include <gtest/gtest.h>

namespace quarne {
namespace {

std::array<std::string, kAnzahlGewichte> Standardtexte() {
  std::array<std::string, kAnzahlGewichte> t;
  for (int i = 0; i < kAnzahlGewichte; ++i) t[i] = kGewichtStandardTexte[i];
  return t;
}

TEST(Gewichte, StandardtexteErgebenDieAnfangswerte) {
  auto texte = Standardtexte();
  Gewichte g;
  g.EDCMobil = 1;
  g.EDZugFaktor = 0;
  SetzeWerte(texte, g, ',');
  const Gewichte anfang;
  EXPECT_EQ(g.EDCMobil, anfang.EDCMobil);
  EXPECT_EQ(g.EDPunktWert, 10000);
  EXPECT_EQ(g.EDZugFaktor, -0.97);
  EXPECT_EQ(texte, Standardtexte());
}

TEST(Gewichte, UngueltigeTexteBehaltenDenWert) {
  auto texte = Standardtexte();
  Gewichte g;
  g.EDCPosition = 123.5;
  texte[0] = "abc";     // EDCPosition: keeps 123.5 and shows it again
  texte[1] = " 1,25 ";  // EDCMobil: blanks around a number are fine
  texte[2] = "1.25";    // EDCVirtOff1: a point is not the decimal separator here
  texte[3] = "2E3";
  SetzeWerte(texte, g, ',');
  EXPECT_EQ(g.EDCPosition, 123.5);
  EXPECT_EQ(texte[0], "123,5");
  EXPECT_EQ(g.EDCMobil, 1.25);
  EXPECT_EQ(g.EDCVirtOff1, 1500);
  EXPECT_EQ(texte[2], "1500");
  EXPECT_EQ(g.EDCVirtOff2, 2000);
}

TEST(Gewichte, SchwaechungsfaktorNurVonNullBisEins) {
  const struct {
    const char* text;
    double gespeichert;
    const char* angezeigt;
  } faelle[] = {{"1,5", -0.97, "0,97"}, {"abc", -0.97, "0,97"}, {"-0,1", -0.97, "0,97"},
                {"0", -0.0, "0"},       {"1", -1.0, "1"},       {"0,5", -0.5, "0,5"}};
  for (const auto& f : faelle) {
    auto texte = Standardtexte();
    texte.back() = f.text;
    Gewichte g;
    SetzeWerte(texte, g, ',');
    EXPECT_EQ(g.EDZugFaktor, f.gespeichert) << f.text;
    EXPECT_EQ(texte.back(), f.angezeigt) << f.text;
  }
  // With a decimal point as separator, the default factor reads "0.97".
  auto texte = Standardtexte();
  Gewichte g;
  SetzeWerte(texte, g, '.');
  EXPECT_EQ(texte.back(), "0.97");
}

TEST(Gewichte, ZahlenLesenUndSchreiben) {
  EXPECT_EQ(TextZuZahl("-12,5", ','), -12.5);
  EXPECT_EQ(TextZuZahl("+3", ','), 3);
  EXPECT_EQ(TextZuZahl(",5", ','), 0.5);
  EXPECT_FALSE(TextZuZahl("", ','));
  EXPECT_FALSE(TextZuZahl(",", ','));
  EXPECT_FALSE(TextZuZahl("1,2,3", ','));
  EXPECT_FALSE(TextZuZahl("1e", ','));
  EXPECT_FALSE(TextZuZahl("1e999", ','));
  EXPECT_FALSE(TextZuZahl("1 000", ','));
  EXPECT_EQ(ZahlZuText(1500, ','), "1500");
  EXPECT_EQ(ZahlZuText(0.97, ','), "0,97");
  EXPECT_EQ(ZahlZuText(-123.25, ','), "-123,25");
  EXPECT_EQ(ZahlZuText(1e20, ','), "1E20");
}

}  // namespace
}  // namespace quarne
