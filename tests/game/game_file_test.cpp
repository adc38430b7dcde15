#include "game/game_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "library/file_io.h"
#include "library/file_lock.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

// A game of n moves whose records differ from each other.
Partiedatei Partie(int n) {
  Partiedatei p;
  p.StartZug = test::Pos("........................ W 0 0").zug;
  p.ComputerFarbe = clWeiss;
  for (int i = 1; i <= n; ++i) {
    TSpielZug z{};
    z.Nr = i;
    z.Farbe = i % 2 == 1 ? clWeiss : clSchwarz;
    z.Spieler = i % 3 == 0 ? csComputer : csHuman;
    z.Zug.NachPosition = Punkt(i % kAnzahlPunkte);
    z.Zug.Wertung.PunktWertGes = 0.5 * i;
    z.Zug.Wertung.ZugResGesamt = rsQuarn;
    p.Zuege.push_back(z);
  }
  p.NewNullZugFrb = clWeiss;
  p.SPEDWeiss = 3;
  p.SPEDSchwarz = 2;
  return p;
}

TEST(Partiedatei, GroesseUndRundreise) {
  EXPECT_EQ(PartieAbbild(Partie(0)).size(), 911u);
  const Bytes bild = PartieAbbild(Partie(10));
  ASSERT_EQ(bild.size(), 9931u);
  const auto gelesen = LiesPartie(bild);
  ASSERT_TRUE(gelesen.has_value());
  EXPECT_EQ(PartieAbbild(*gelesen), bild);
  EXPECT_EQ(gelesen->ComputerFarbe, clWeiss);
  ASSERT_EQ(gelesen->Zuege.size(), 10u);
  EXPECT_EQ(gelesen->Zuege[9].Zug.Wertung.PunktWertGes, 5.0);
  EXPECT_EQ(gelesen->SPEDSchwarz, 2);
  EXPECT_TRUE(LiesPartie(PartieAbbild(Partie(kMaxSpielzuege))).has_value());
}

// Every shape of a file that is not a game file is rejected as a whole.
TEST(Partiedatei, FalscheDateienWerdenAbgewiesen) {
  const Bytes gut = PartieAbbild(Partie(3));
  const auto mitZahl = [&](std::size_t stelle, std::int32_t wert) {
    Bytes b = gut;
    std::memcpy(&b[stelle], &wert, 4);  // little-endian on the machines we build for
    return b;
  };
  const auto mitByte = [&](std::size_t stelle, std::uint8_t wert) {
    Bytes b = gut;
    b[stelle] = wert;
    return b;
  };
  Bytes zuKurz(gut.begin(), gut.end() - 1);
  Bytes zuLang = gut;
  zuLang.push_back(0);
  Bytes zweihunderteins = PartieAbbild(Partie(kMaxSpielzuege));
  zweihunderteins.insert(zweihunderteins.begin() + 454, 902, 0);
  const std::int32_t zweihunderteinsZahl = 201;
  std::memcpy(&zweihunderteins[450], &zweihunderteinsZahl, 4);
  const struct {
    const char* was;
    Bytes bild;
  } faelle[] = {
      {"leer", {}},
      {"zu kurz", zuKurz},
      {"zu lang", zuLang},
      {"201 Züge", zweihunderteins},
      {"negative Zahl", mitZahl(450, -1)},
      {"Zahl passt nicht zur Länge", mitZahl(450, 2)},
      {"Startfarbe 2", mitByte(448, 2)},
      {"Computerfarbe 7", mitByte(449, 7)},
      {"falsche Nr", mitZahl(454 + 902, 7)},
      {"Farbe eines Zuges", mitByte(454 + 4, 2)},
      {"Spieler eines Zuges", mitByte(454 + 5, 2)},
      {"Ergebnisart", mitByte(454 + 454 + 72, 9)},
      {"Phase", mitByte(454 + 6 + 24 + 12, 3)},
      {"Farbe der Stellung", mitByte(gut.size() - 9, 2)},
      {"Stein neben dem Brett", mitZahl(454 + 6 + 24, 1 << 24)},
      {"Steine fehlen in AlleSteine", mitZahl(454 + 6 + 28, 1)},
      {"zehn gesetzte Steine", mitZahl(454 + 6 + 44, 10)},
      {"negative Steinzahl", mitZahl(454 + 6 + 40, -1)},
      {"negative Zahl ohne Quarne", mitZahl(454 + 6 + 16, -1)},
  };
  for (const auto& f : faelle) EXPECT_FALSE(LiesPartie(f.bild).has_value()) << f.was;
  EXPECT_EQ(KeinePartie("x.ml"), "Die Datei x.ml ist keine gültige Quarne-Datei.");
}

// From disk: a missing file is unreadable; an endless one is read only as far as the largest
// game file and is no game file.
TEST(Partiedatei, LadenVonDerPlatte) {
  const std::filesystem::path ordner =
      std::filesystem::temp_directory_path() / ("partie_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(ordner);
  const Bytes bild = PartieAbbild(Partie(2));
  ASSERT_TRUE(SchreibeDatei(ordner / "gut.ml", bild));
  std::filesystem::create_symlink("/dev/zero", ordner / "endlos.ml");

  const GeladenePartie gut = LadePartie(ordner / "gut.ml");
  ASSERT_TRUE(gut.lesbar && gut.partie.has_value());
  EXPECT_EQ(PartieAbbild(*gut.partie), bild);
  const GeladenePartie endlos = LadePartie(ordner / "endlos.ml");
  EXPECT_TRUE(endlos.lesbar);
  EXPECT_FALSE(endlos.partie.has_value());
  EXPECT_FALSE(LadePartie(ordner / "fehlt.ml").lesbar);
  std::filesystem::remove_all(ordner);
}

// The game file writer: through a link into the linked file, keeping a private file private,
// refusing a write-protected one with the permission message, and not while another writer holds
// the file.
TEST(Partiedatei, SpeichernWieJedeDatei) {
  const std::filesystem::path ordner =
      std::filesystem::temp_directory_path() / ("partie_schreiben_" + std::to_string(::getpid()));
  std::filesystem::create_directories(ordner);
  const auto datei = ordner / "partie.ml", verweis = ordner / "verweis.ml";
  ASSERT_TRUE(SchreibeDatei(datei, Bytes{1}));
  std::filesystem::permissions(
      datei, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::create_symlink("partie.ml", verweis);
  const Partiedatei p = Partie(4);
  EXPECT_EQ(SpeicherePartie(verweis, p, 0), TDateiMeldung::Keine);
  EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(verweis)));
  const GeladenePartie gelesen = LadePartie(datei);
  ASSERT_TRUE(gelesen.partie.has_value());
  EXPECT_EQ(PartieAbbild(*gelesen.partie), PartieAbbild(p));
  EXPECT_EQ(std::filesystem::status(datei).permissions() & std::filesystem::perms::mask,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  {
    const TDateiSperre anderer(datei, 0);
    ASSERT_TRUE(anderer.Gehalten());
    EXPECT_EQ(SpeicherePartie(verweis, Partie(1), 0), TDateiMeldung::Gesperrt);
  }
  std::filesystem::permissions(datei, std::filesystem::perms::owner_read);
  EXPECT_EQ(SpeicherePartie(datei, Partie(1), 0), TDateiMeldung::Schreibrechte);
  const GeladenePartie danach = LadePartie(datei);
  ASSERT_TRUE(danach.partie.has_value());
  EXPECT_EQ(PartieAbbild(*danach.partie), PartieAbbild(p));
  std::filesystem::remove_all(ordner);
}

}  // namespace
}  // namespace quarne
