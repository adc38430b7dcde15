#include "app/commands.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quarne {
namespace {

struct Lauf {
  int code;
  std::string aus, fehler;
};

Lauf Rufe(std::vector<std::string> argumente) {
  std::ostringstream aus, fehler;
  const int code = FuehreBefehlAus(argumente, aus, fehler);
  return {code, aus.str(), fehler.str()};
}

std::vector<std::string> Zeilen(const std::string& text) {
  std::vector<std::string> z;
  std::istringstream in(text);
  for (std::string zeile; std::getline(in, zeile);) z.push_back(zeile);
  return z;
}

TEST(Kommandozeile, PerftListeUndAnalyse) {
  EXPECT_EQ(Rufe({"perft", "........................ W 0 0", "2"}).aus, "552\n");

  const Lauf liste = Rufe({"liste", "WW..SSS.S.S............. W 2 5", "2"});
  ASSERT_EQ(liste.code, 0);
  const auto zeilen = Zeilen(liste.aus);
  ASSERT_EQ(zeilen.size(), 18u);
  EXPECT_EQ(zeilen[0].rfind("1\t--- g1 M:b2\trsQuarn\t0\t", 0), 0u) << zeilen[0];
  EXPECT_EQ(zeilen[2].rfind("3\t--- g4\trsQuarn\t0\t", 0), 0u) << zeilen[2];

  const Lauf analyse = Rufe({"analyse", "WW..SSS.S.S............. W 2 5", "--tiefe", "3"});
  ASSERT_EQ(analyse.code, 0) << analyse.fehler;
  const auto a = Zeilen(analyse.aus);
  ASSERT_EQ(a.size(), 19u);
  EXPECT_EQ(a[0], "Erreichte Tiefe: 3");
  // Best first: the values (last field) do not rise.
  double vorher = 1e300;
  for (std::size_t i = 1; i < a.size(); ++i) {
    const double wert = std::stod(a[i].substr(a[i].rfind('\t') + 1));
    EXPECT_LE(wert, vorher) << a[i];
    vorher = wert;
  }
  EXPECT_TRUE(analyse.fehler.empty());
}

TEST(Kommandozeile, BlockierteSeite) {
  const Lauf l = Rufe({"analyse", "SSSW..WS.W.....W........ S 9 9"});
  EXPECT_EQ(l.code, 0);
  EXPECT_EQ(l.aus, "Keine Züge: die Seite am Zug ist blockiert.\n");
}

TEST(Kommandozeile, FalscheEingabenWerdenAbgewiesen) {
  const struct {
    std::vector<std::string> argumente;
    const char* meldung;
  } faelle[] = {
      {{}, "Aufruf:"},
      {{"spiele"}, "Unbekannter Befehl \"spiele\""},
      {{"perft", "....... W 0 0", "2"}, "genau 24 Zeichen"},
      {{"perft", "X....................... W 0 0", "2"}, "Unbekanntes Zeichen an Punkt a1"},
      {{"perft", "........................ B 0 0", "2"}, "Farbe am Zug muss W oder S"},
      {{"perft", "........................ W 10 0", "2"}, "0 bis 9"},
      {{"perft", "WWW..................... W 2 0", "2"}, "Weiß hat weniger Steine gesetzt"},
      {{"perft", "WW...............SSSSSSS W 9 9", "2"}, "Weiß hat alle Steine gesetzt"},
      {{"perft", "SSSSSSSSSS.............. W 0 9", "2"}, "Schwarz hat mehr als neun Steine"},
      {{"perft", "........................ W 0 0"}, "Aufruf:"},
      {{"perft", "........................ W 0 0", "17"}, "1 bis 16"},
      {{"perft", "........................ W 0 0", "2x"}, "1 bis 16"},
      {{"perft", "........................ W 0 0 1", "2"}, "zu viele Teile"},
      {{"analyse", "........................ W 0 0", "--zeit", "2"}, "1, 5, 10, 30, 60 oder 180"},
      {{"analyse", "........................ W 0 0", "--tief", "2"}, "Aufruf:"},
      {{"bench", "1"}, "Aufruf:"},
  };
  for (const auto& f : faelle) {
    const Lauf l = Rufe(f.argumente);
    EXPECT_EQ(l.code, 2) << f.meldung;
    EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
    EXPECT_TRUE(l.aus.empty());
  }
}

}  // namespace
}  // namespace quarne
