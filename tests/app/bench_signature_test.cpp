// What "quarne-cli bench --signatur" prints, against the values kept in bench/signature.txt.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "cli_run.h"

namespace quarne {
namespace {

using test::Lauf;
using test::Rufe;
using test::Zeilen;

// bench/signature.txt: the checksum and, per kind of search, the moves generated.
struct Hinterlegt {
  std::string pruefsumme;
  std::map<std::string, std::int64_t> zuege;
};

Hinterlegt LiesHinterlegt() {
  Hinterlegt h;
  std::ifstream ein(std::string(QUARNE_QUELLEN) + "/bench/signature.txt");
  for (std::string zeile; std::getline(ein, zeile);) {
    std::istringstream teile(zeile);
    std::string was, art;
    teile >> was;
    if (was == "pruefsumme") teile >> h.pruefsumme;
    if (was == "zuege" && teile >> art) teile >> h.zuege[art];
  }
  return h;
}

// A kind of search as bench/signature.txt names it, and how quarne-cli is asked for it.
struct Art {
  const char* name;
  const char* suche;
  const char* tabelle;  // megabytes
};

// Both kinds of search, the fast one with and without its table, find exactly what the classic
// one found when the checksum was taken, and each generates the moves noted for it: a change of
// either search shows here.
class Signatur : public ::testing::TestWithParam<Art> {};

TEST_P(Signatur, WieHinterlegt) {
  const Hinterlegt h = LiesHinterlegt();
  const std::string art = GetParam().name;
  ASSERT_EQ(h.pruefsumme.size(), 16u) << "bench/signature.txt";
  ASSERT_EQ(h.zuege.count(art), 1u) << "bench/signature.txt: zuege " << art;
  const Lauf l =
      Rufe({"bench", "--signatur", "--suche", GetParam().suche, "--hash", GetParam().tabelle});
  ASSERT_EQ(l.code, 0) << l.fehler;
  EXPECT_TRUE(l.fehler.empty()) << l.fehler;
  const auto z = Zeilen(l.aus);
  ASSERT_EQ(z.size(), 2u) << l.aus;
  EXPECT_EQ(z[0], "Signatur: " + h.pruefsumme)
      << "Die Suche findet bei fester Tiefe etwas anderes (siehe bench/signature.txt).";
  const std::string vorne = "Erzeugte Züge: ";
  ASSERT_EQ(z[1].rfind(vorne, 0), 0u) << z[1];
  std::string zahl = z[1].substr(vorne.size());
  std::erase(zahl, '.');
  EXPECT_EQ(std::stoll(zahl), h.zuege.at(art))
      << "Die Suche " << art
      << " erzeugt andere Züge; gewollt, dann in bench/signature.txt eintragen.";
}

std::string ArtName(const ::testing::TestParamInfo<Art>& info) {
  std::string name = info.param.name;
  std::erase(name, '-');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Arten, Signatur,
                         ::testing::Values(Art{"klassisch", "klassisch", "16"},
                                           Art{"schnell", "schnell", "16"},
                                           Art{"schnell-ohne-tabelle", "schnell", "0"}),
                         ArtName);

}  // namespace
}  // namespace quarne
