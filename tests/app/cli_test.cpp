#include "app/commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_run.h"
#include "game/game_file.h"
#include "library/bibfile.h"
#include "library/lookup.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::Lauf;
using test::Rufe;
using test::Zeilen;

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
      {{"perft", "........................ W 0 0 1 2", "2"}, "zu viele Teile"},
      {{"perft", "........................ W 0 0 x", "2"}, "0 bis 999"},
      {{"perft", "........................ W 0 0 1000", "2"}, "0 bis 999"},
      {{"perft", "........................ W 0 0 -1", "2"}, "0 bis 999"},
      {{"analyse", "........................ W 0 0", "--zeit", "2"}, "1, 5, 10, 30, 60 oder 180"},
      {{"analyse", "........................ W 0 0", "--tief", "2"}, "Aufruf:"},
      {{"analyse", "........................ W 0 0", "--tiefe", "2", "--zeit", "5"},
       "Nur eine der Optionen --tiefe und --zeit"},
      {{"analyse", "........................ W 0 0", "3"}, "Aufruf:"},
      {{"analyse"}, "Aufruf:"},
      // The draw limit, and options among the positional arguments.
      {{"perft", "........................ W 0 0", "2", "--remis", "50"}, "40, 60, 100 oder aus"},
      {{"liste", "........................ W 0 0", "--remis", "-1", "2"}, "40, 60, 100 oder aus"},
      {{"analyse", "........................ W 0 0", "--remis", "AUS"}, "40, 60, 100 oder aus"},
      {{"perft", "........................ W 0 0", "2", "--remis"}, "Nach --remis fehlt der Wert"},
      {{"analyse", "........................ W 0 0", "--remis", "40", "--remis", "40"}, "doppelt"},
      {{"perft", "........................ W 0 0", "2", "--tiefe", "3"},
       "Unbekannte Option \"--tiefe\""},
      {{"liste", "........................ W 0 0", "--remis", "60", "0"}, "1 bis 16"},
      {{"liste", "........................ W 0 0", "2", "3"}, "Aufruf:"},
      {{"perft", "........................ W 0 0", "--remis", "40"}, "Aufruf:"},
      {{"bench", "1"}, "Aufruf:"},
      // Threads: 1 is the calling thread, up to 128 workers.
      {{"analyse", "........................ W 0 0", "--threads", "0"}, "1 bis 128"},
      {{"analyse", "........................ W 0 0", "--threads", "-2"}, "1 bis 128"},
      {{"analyse", "........................ W 0 0", "--threads", "zwei"}, "1 bis 128"},
      {{"bench", "--threads", "129"}, "1 bis 128"},
      {{"bench", "--leerlauf", "warten"}, "kreisen, abgeben oder schlafen"},
      {{"stepliste", "........................ W 0 0", "--threads", "1"},
       "nur bei der Suche mit mehreren Threads"},
      {{"stepliste", "........................ W 0 0", "--zeit", "5"}, "Unbekannte Option"},
      // The kind of search, and the signature that always searches in the calling thread.
      {{"analyse", "........................ W 0 0", "--suche", "Klassisch"},
       "schnell oder klassisch"},
      {{"stepliste", "........................ W 0 0", "--threads", "2", "--suche", "alt"},
       "schnell oder klassisch"},
      {{"bench", "--suche", ""}, "schnell oder klassisch"},
      {{"analyse", "........................ W 0 0", "--suche"}, "Nach --suche fehlt der Wert"},
      {{"liste", "........................ W 0 0", "2", "--suche", "klassisch"},
       "Unbekannte Option \"--suche\""},
      {{"analyse", "........................ W 0 0", "--signatur"},
       "Unbekannte Option \"--signatur\""},
      {{"bench", "--signatur", "--threads", "2"}, "ohne --threads und --leerlauf"},
      {{"bench", "--leerlauf", "kreisen", "--signatur"}, "ohne --threads und --leerlauf"},
      {{"bench", "--signatur", "--signatur"}, "doppelt"},
  };
  for (const auto& f : faelle) {
    const Lauf l = Rufe(f.argumente);
    EXPECT_EQ(l.code, 2) << f.meldung;
    EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
    EXPECT_TRUE(l.aus.empty());
  }
}

// A quiet middle game: White has 8 mill variants (a1 d1) and 9 quiet moves.
constexpr const char* kMittelspiel = "W.SW.S.WSWS..WS.SW.S.W.S W 9 9";

TEST(Kommandozeile, GleichwertigeAufrufe) {
  const std::string p = kMittelspiel;
  const struct {
    std::vector<std::string> a, b;
  } faelle[] = {
      // No half-moves without a mill, and the window's draw limit, unless said otherwise.
      {{"perft", p + " 0", "3"}, {"perft", p, "3"}},
      {{"liste", p, "2", "--remis", "40"}, {"liste", p, "2"}},
      // Without a limit, or with one out of reach, the half-moves do not matter. Options go
      // anywhere after the position.
      {{"perft", p + " 38", "--remis", "aus", "3"}, {"perft", p, "3"}},
      {{"perft", p + " 38", "3", "--remis", "aus"}, {"perft", p, "3"}},
      // (In the calling thread: the values of moves cut off depend on the workers' timing.)
      {{"analyse", p + " 37", "--remis", "60", "--tiefe", "3", "--threads", "1"},
       {"analyse", p, "--tiefe", "3", "--threads", "1"}},
      {{"analyse", p + " 37", "--tiefe", "3", "--remis", "60", "--threads", "1"},
       {"analyse", p, "--threads", "1", "--tiefe", "3"}},
  };
  for (const auto& f : faelle) {
    const Lauf a = Rufe(f.a), b = Rufe(f.b);
    EXPECT_EQ(a.code, 0) << a.fehler;
    EXPECT_EQ(b.code, 0) << b.fehler;
    EXPECT_FALSE(a.aus.empty());
    EXPECT_EQ(a.aus, b.aus) << f.a[0] << " " << f.a[1];
    EXPECT_TRUE(a.fehler.empty() && b.fehler.empty());
  }
}

// The quiet moves draw once they reach the limit from the half-moves the position brings.
TEST(Kommandozeile, HalbzuegeOhneQuarneUndRemisgrenze) {
  const struct {
    const char* ohneQuarne;
    std::vector<std::string> remis;
    std::size_t remisZuege;
  } faelle[] = {
      {"", {}, 0},
      {" 38", {}, 0},
      {" 39", {}, 9},
      {" 39", {"--remis", "60"}, 0},
      {" 59", {"--remis", "60"}, 9},
      {" 99", {"--remis", "100"}, 9},
      {" 999", {"--remis", "aus"}, 0},
  };
  for (const auto& f : faelle) {
    std::vector<std::string> argumente = {"liste", kMittelspiel + std::string(f.ohneQuarne), "1"};
    argumente.insert(argumente.end(), f.remis.begin(), f.remis.end());
    const Lauf l = Rufe(argumente);
    ASSERT_EQ(l.code, 0) << l.fehler;
    const auto zeilen = Zeilen(l.aus);
    ASSERT_EQ(zeilen.size(), 17u);
    std::size_t remis = 0;
    for (const std::string& z : zeilen) {
      if (z.find("\trsWDH\t") != std::string::npos) {
        ++remis;
        EXPECT_EQ(z.find(" M"), std::string::npos) << z;  // a mill never draws
      }
    }
    EXPECT_EQ(remis, f.remisZuege) << argumente[1] << " " << argumente.size();
  }
}

// The search on workers finds the same best move value as the calling thread's, and the
// StepListe shows the tree it worked on.
TEST(Kommandozeile, ThreadsUndStepListe) {
  const Lauf eins = Rufe({"analyse", kMittelspiel, "--tiefe", "6", "--threads", "1"});
  const Lauf zwei = Rufe({"analyse", kMittelspiel, "--tiefe", "6", "--threads", "2"});
  ASSERT_EQ(eins.code, 0);
  ASSERT_EQ(zwei.code, 0);
  const auto a = Zeilen(eins.aus), b = Zeilen(zwei.aus);
  ASSERT_EQ(a.size(), b.size());
  EXPECT_EQ(a[0], "Erreichte Tiefe: 6");
  EXPECT_EQ(a[0], b[0]);
  const auto wert = [](const std::string& zeile) { return zeile.substr(zeile.find('\t', 2)); };
  EXPECT_EQ(wert(a[1]), wert(b[1]));

  // The first iterations are too small to share; the seventh goes to the workers.
  const Lauf liste = Rufe({"stepliste", kMittelspiel, "--tiefe", "7", "--threads", "3"});
  ASSERT_EQ(liste.code, 0) << liste.fehler;
  EXPECT_NE(liste.aus.find("Ohne Zellen gesucht, da zu klein zum Verteilen: Tiefe 1 bis 6"),
            std::string::npos);
  EXPECT_NE(liste.aus.find("Zelle "), std::string::npos);
  EXPECT_NE(liste.aus.find(std::string(66, '-')), std::string::npos);
  EXPECT_NE(liste.aus.find("Zellen je Thread:"), std::string::npos);
}

// At a fixed depth the classic search finds what the fast one finds: the depth and the best
// move with its value. (Root moves cut off may carry other bounds; on workers, which of equally
// good moves comes first depends on their timing.)
TEST(Kommandozeile, KlassischeSucheFindetDasselbe) {
  const struct {
    std::vector<std::string> argumente;
    bool gleicherZug;
  } faelle[] = {
      {{"analyse", kMittelspiel, "--tiefe", "5", "--threads", "1"}, true},
      {{"analyse", "........................ W 0 0", "--tiefe", "6", "--threads", "1"}, true},
      {{"analyse", kMittelspiel, "--tiefe", "6", "--threads", "2"}, false},
  };
  // Result, plies to it and value: the fields after the move.
  const auto wertung = [](const std::string& zeile) {
    return zeile.substr(zeile.find('\t', zeile.find('\t') + 1));
  };
  for (const auto& f : faelle) {
    std::vector<std::string> klassisch = f.argumente, schnell = f.argumente;
    klassisch.insert(klassisch.end(), {"--suche", "klassisch"});
    schnell.insert(schnell.end(), {"--suche", "schnell"});
    const Lauf k = Rufe(klassisch), s = Rufe(schnell);
    ASSERT_EQ(k.code, 0) << k.fehler;
    ASSERT_EQ(s.code, 0) << s.fehler;
    const auto a = Zeilen(k.aus), b = Zeilen(s.aus);
    ASSERT_GE(a.size(), 2u);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(a[0], b[0]) << f.argumente[1];
    if (f.gleicherZug) {
      EXPECT_EQ(a[1], b[1]) << f.argumente[1];
    } else {
      EXPECT_EQ(wertung(a[1]), wertung(b[1])) << f.argumente[1];
    }
    EXPECT_TRUE(k.fehler.empty() && s.fehler.empty());
  }
  const Lauf liste =
      Rufe({"stepliste", kMittelspiel, "--tiefe", "5", "--threads", "2", "--suche", "klassisch"});
  EXPECT_EQ(liste.code, 0) << liste.fehler;
  EXPECT_NE(liste.aus.find("Zellen je Thread:"), std::string::npos);
}

// A library the reader accepts can still break the lookup: a position with more children than
// a step holds. The error ends the command with its message and exit code 2, not the program.
TEST(Kommandozeile, FehlerImBefehlBeendetNurDenBefehl) {
  const auto ordner = std::filesystem::temp_directory_path() / "quarne-cli-fehler-test";
  std::filesystem::create_directories(ordner);
  TBibliothek bib;
  TBibZug leer;
  leer.Zug = test::Pos("........................ W 0 0").zug;
  leer.BibZuBerechnen = leer.BibBerechnet = true;
  leer.BibDenkTiefe = 13;
  leer.BibVon = 0;
  leer.BibBis = kMaxZuege;
  TBibZug spieler = leer;
  spieler.BibVon = spieler.BibBis = -1;
  spieler.BibBerechnet = false;
  spieler.rSC = rS;
  bib[0].BibZuege = {leer, spieler};
  // Each child a position of its level: White's first stone, the points over and over.
  for (int i = 0; i <= kMaxZuege; ++i) {
    TBibZug kind;
    TBrett& b = kind.Zug.BrettNachZug;
    kind.Zug.NachPosition = b.SteineZiehend = b.AlleSteine = Punkt(i % kAnzahlPunkte);
    b.SteineAnzahlZiehend = b.GesetzteSteineZiehend = 1;
    bib[1].BibZuege.push_back(kind);
  }
  const std::string datei = (ordner / "zu-viele-zuege.bib").string();
  ASSERT_EQ(SchreibeBib(datei, bib), TDateiMeldung::Keine);

  const Lauf l = Rufe({"analyse", "........................ W 0 0", "--bib", datei});
  EXPECT_EQ(l.code, 2);
  EXPECT_EQ(l.fehler, std::string("Fehler: ") + kZuVieleZuege + "\n");
  EXPECT_TRUE(l.aus.empty()) << l.aus;
  std::filesystem::remove_all(ordner);
}

// A small library built from the command line: it passes the check, answers the computer's
// move in the opening as a search of its depth would, and takes a deeper library in by merging.
TEST(Kommandozeile, Bibliothek) {
  const auto ordner = std::filesystem::temp_directory_path() / "quarne-cli-bib-test";
  std::filesystem::remove_all(ordner);
  std::filesystem::create_directories(ordner);
  const std::string flach = (ordner / "flach.bib").string(), tief = (ordner / "tief.bib").string();

  const Lauf bau = Rufe({"bib", "erstellen", flach, "--bis-stufe", "1", "--tiefe", "3"});
  ASSERT_EQ(bau.code, 0) << bau.fehler;
  EXPECT_EQ(bau.aus,
            "Erstellung abgeschlossen.\r\nEs wurde die Nullstellung und 4 weitere Stellungen "
            "berechnet.\n");
  EXPECT_NE(bau.fehler.find("Stellungen/Stunde"), std::string::npos);
  // Nothing is left at that depth.
  EXPECT_EQ(Rufe({"bib", "erstellen", flach, "--bis-stufe", "1", "--tiefe", "3"}).aus,
            "Keine Stellungen zu berechnen. Erhöhung der Denktiefe oder weitere aktive Züge "
            "erforderlich.\n");
  EXPECT_EQ(Rufe({"bib", "pruefen", flach}).aus, "Check ok\n");
  const auto info = Zeilen(Rufe({"bib", "info", flach}).aus);
  ASSERT_GE(info.size(), 4u);
  EXPECT_EQ(info[2].rfind("0\t2\t1\t1\t1\t3 aktiv\t 1x3", 0), 0u) << info[2];

  // After White's a1 the library answers at depth 3, with the search's best value.
  const std::string nachA1 = "W....................... S 1 0";
  const Lauf bib = Rufe({"analyse", nachA1, "--tiefe", "3", "--bib", flach, "--threads", "1"});
  const Lauf suche = Rufe({"analyse", nachA1, "--tiefe", "3", "--threads", "1"});
  ASSERT_EQ(bib.code, 0) << bib.fehler;
  const auto b = Zeilen(bib.aus), s = Zeilen(suche.aus);
  EXPECT_EQ(b[0], "Erreichte Tiefe: 3 (Bibliothek)");
  ASSERT_EQ(b.size(), s.size());
  const auto wert = [](const std::string& z) { return z.substr(z.rfind('\t')); };
  EXPECT_EQ(wert(b[1]), wert(s[1]));
  // Too shallow for depth 4: the search answers.
  EXPECT_EQ(Zeilen(Rufe({"analyse", nachA1, "--tiefe", "4", "--bib", flach}).aus)[0],
            "Erreichte Tiefe: 4");

  ASSERT_EQ(Rufe({"bib", "erstellen", tief, "--bis-stufe", "1", "--tiefe", "4"}).code, 0);
  ASSERT_EQ(Rufe({"bib", "fusion", flach, tief}).code, 0);
  EXPECT_NE(Rufe({"bib", "info", flach}).aus.find("\t 1x4"), std::string::npos);
  EXPECT_EQ(Rufe({"bib", "pruefen", flach}).aus, "Check ok\n");

  // Bad input: a German message and exit code 2; a broken file is named.
  const std::string kaputt = (ordner / "kaputt.bib").string();
  std::ofstream(kaputt) << "keine Bibliothek";
  const struct {
    std::vector<std::string> a;
    const char* meldung;
  } falsch[] = {
      {{"bib"}, "Aufruf:"},
      {{"bib", "zeige", flach}, "Unbekannter Befehl \"bib zeige\""},
      {{"bib", "erstellen", flach}, "--bis-stufe"},
      {{"bib", "erstellen", flach, "--bis-stufe", "18"}, "0 bis 17"},
      {{"bib", "erstellen", flach, "--bis-stufe", "1", "--tiefe", "1"}, "2 bis 16"},
      {{"bib", "info"}, "Aufruf:"},
      {{"bib", "pruefen", kaputt}, "kaputt.bib"},
      {{"bib", "fusion", flach, kaputt}, "Fehler beim Öffnen der Fusions-Bibliotheksdatei. "},
      {{"analyse", nachA1, "--bib", kaputt}, "kaputt.bib"},
  };
  for (const auto& f : falsch) {
    const Lauf l = Rufe(f.a);
    EXPECT_EQ(l.code, 2) << f.meldung;
    EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
  }
  std::filesystem::remove_all(ordner);
}

// A game file read with the game's own reader; one line per move, as analyse writes moves.
TEST(Kommandozeile, Partie) {
  const auto ordner = std::filesystem::temp_directory_path() / "quarne-cli-partie-test";
  std::filesystem::create_directories(ordner);
  Partiedatei p;
  const struct {
    const char *von, *nach, *entf;
  } zuege[] = {{"", "d2", ""}, {"a1", "d1", ""}, {"d7", "g7", "b6"}};
  for (int i = 1; i <= 3; ++i) {
    const auto& z = zuege[i - 1];
    TSpielZug s{};
    s.Nr = i;
    s.Farbe = i % 2 == 1 ? clWeiss : clSchwarz;
    s.Zug.VonPosition = test::P(z.von);
    s.Zug.NachPosition = test::P(z.nach);
    s.Zug.EntfStein = test::P(z.entf);
    s.Zug.ErgibtQuarne = s.Zug.EntfStein != 0;
    p.Zuege.push_back(s);
  }
  const auto datei = (ordner / "partie.ml").string();
  const Bytes bild = PartieAbbild(p);
  std::ofstream(datei, std::ios::binary)
      .write(reinterpret_cast<const char*>(bild.data()), static_cast<std::streamsize>(bild.size()));
  const Lauf l = Rufe({"partie", datei});
  EXPECT_EQ(l.code, 0) << l.fehler;
  EXPECT_EQ(l.aus, "1\tW\t--- d2\n2\tS\ta1 d1\n3\tW\td7 g7 M:b6\n");

  const auto kaputt = (ordner / "kaputt.ml").string();
  std::ofstream(kaputt, std::ios::binary)
      .write(reinterpret_cast<const char*>(bild.data()),
             static_cast<std::streamsize>(bild.size() - 1));
  const struct {
    std::vector<std::string> a;
    std::string meldung;
  } falsch[] = {
      {{"partie", kaputt}, "Die Datei " + kaputt + " ist keine gültige Quarne-Datei."},
      {{"partie", (ordner / "fehlt.ml").string()}, "kann nicht gelesen werden"},
      {{"partie"}, "Aufruf:"},
  };
  for (const auto& f : falsch) {
    const Lauf k = Rufe(f.a);
    EXPECT_EQ(k.code, 2);
    EXPECT_NE(k.fehler.find(f.meldung), std::string::npos) << k.fehler;
    EXPECT_TRUE(k.aus.empty());
  }
  std::filesystem::remove_all(ordner);
}

}  // namespace
}  // namespace quarne
