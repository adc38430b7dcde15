// A level's calculation split into shards, calculated in any order and imported: the library
// equals the one building makes; calculating resumes; nothing planned from another library
// gets in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_run.h"
#include "library/entryfile.h"
#include "library/file_lock.h"
#include "library/lookup.h"
#include "library/manifest.h"
#include "library/shards.h"
#include "library_compare.h"
#include "tests/engine/test_host.h"
#include "tests/library/test_folder.h"

namespace quarne {
namespace {

namespace fs = std::filesystem;
using test::Lauf;
using test::Rufe;

std::string Text(const fs::path& pfad) {
  std::ifstream f(pfad, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void Schreibe(const fs::path& pfad, const std::string& text) {
  std::ofstream(pfad, std::ios::binary) << text;
}

std::string Ersetze(std::string text, const std::string& alt, const std::string& neu) {
  const std::size_t i = text.find(alt);
  EXPECT_NE(i, std::string::npos) << alt;
  if (i != std::string::npos) text.replace(i, alt.size(), neu);
  return text;
}

void Erwarte(const Lauf& l, int code) {
  EXPECT_EQ(l.code, code) << l.aus << l.fehler;
}

std::string Plan(const fs::path& bib, int L, int teile, const fs::path& ordner, int tiefe) {
  const Lauf l =
      Rufe({"bib", "plan", bib.string(), "--stufe", std::to_string(L), "--teile",
            std::to_string(teile), "--ordner", ordner.string(), "--tiefe", std::to_string(tiefe)});
  Erwarte(l, 0);
  return l.aus;
}

Lauf Rechne(const fs::path& ordner, int k) {
  return Rufe({"bib", "rechne", TeilDatei(ordner, k).string(), "--aus",
               ErgebnisDatei(ordner, k).string(), "--threads", "1"});
}

std::vector<std::string> Ergebnisse(const fs::path& ordner, int teile) {
  std::vector<std::string> namen;
  for (int k = 1; k <= teile; ++k) namen.push_back(ErgebnisDatei(ordner, k).string());
  return namen;
}

Lauf Importiere(const fs::path& bib, const std::vector<std::string>& dateien) {
  std::vector<std::string> argumente = {"bib", "importiere", bib.string()};
  argumente.insert(argumente.end(), dateien.begin(), dateien.end());
  return Rufe(argumente);
}

constexpr int kTiefe = 4;

// Levels 0 to 3 planned, calculated and imported with 1, 2 and 3 shards give the calculations
// of building, which here searches on two threads: shards calculated in reverse order, imported
// all at once or one by one, and one imported twice.
TEST(VerteiltGerechnet, GleichWieErstellen) {
  TestOrdner ordner;
  const fs::path erstellt = ordner / "erstellt.bib";
  Erwarte(Rufe({"bib", "erstellen", erstellt.string(), "--bis-stufe", "3", "--tiefe",
                std::to_string(kTiefe), "--threads", "2"}),
          0);
  const std::vector<test::Stufenstand> soll = test::Rechnungen(test::LiesBib(erstellt), 3);
  ASSERT_GT(soll[3].rechnungen.size(), 10u);

  for (const int teile : {1, 2, 3}) {
    const fs::path bib = ordner / ("verteilt-" + std::to_string(teile) + ".bib");
    for (int L = 0; L <= 3; ++L) {
      const fs::path plan = ordner / ("plan-" + std::to_string(teile) + "-" + std::to_string(L));
      Plan(bib, L, teile, plan, kTiefe);
      for (int k = teile; k >= 1; --k) Erwarte(Rechne(plan, k), 0);
      const std::vector<std::string> dateien = Ergebnisse(plan, teile);
      if (teile < 3) {
        Erwarte(Importiere(bib, dateien), 0);
        continue;
      }
      for (const std::string& datei : dateien) Erwarte(Importiere(bib, {datei}), 0);
      const std::string vorher = Text(bib);
      Erwarte(Importiere(bib, {dateien[0]}), 0);
      EXPECT_EQ(Text(bib), vorher) << "Stufe " << L << ": zweimal importiert";
    }
    const std::vector<test::Stufenstand> ist = test::Rechnungen(test::LiesBib(bib), 3);
    for (int L = 0; L <= 3; ++L)
      EXPECT_TRUE(ist[static_cast<std::size_t>(L)] == soll[static_cast<std::size_t>(L)])
          << teile << " Teile, Stufe " << L;
    const Lauf pruefen = Rufe({"bib", "pruefen", bib.string()});
    EXPECT_EQ(pruefen.aus, "Check ok\n") << pruefen.fehler;
  }
}

// Levels 0 to 2 built, level 3 planned in `teile` shards.
class Geplant : public ::testing::Test {
 protected:
  TestOrdner ordner;
  fs::path bib = ordner / "bib.bib";
  fs::path plan = ordner / "plan";

  void Plane(int teile) {
    Erwarte(Rufe({"bib", "erstellen", bib.string(), "--bis-stufe", "2", "--tiefe", "3", "--threads",
                  "1"}),
            0);
    Plan(bib, 3, teile, plan, 3);
  }
};

// A shard whose calculations stop after two positions goes on with the rest and ends with the
// calculations of an uninterrupted run; a finished shard is not calculated again.
TEST_F(Geplant, RechnenGehtNachAbbruchWeiter) {
  Plane(1);
  Erwarte(Rechne(plan, 1), 0);
  const fs::path ergebnis = ErgebnisDatei(plan, 1);
  const std::vector<TSBibEintrag> ganz = LeseSBib(ergebnis).Eintraege;
  ASSERT_GT(ganz.size(), 3u);

  const std::vector<TSBibEintrag> zwei(ganz.begin(), ganz.begin() + 2);
  ASSERT_EQ(SchreibeSBib(ergebnis, zwei), TDateiMeldung::Keine);
  const Lauf weiter = Rechne(plan, 1);
  Erwarte(weiter, 0);
  EXPECT_EQ(test::Zeilen(weiter.fehler).size(), ganz.size() - 2) << weiter.fehler;
  EXPECT_EQ(weiter.fehler.find("Stellung 1 von"), std::string::npos);
  EXPECT_EQ(SBibAbbild(LeseSBib(ergebnis).Eintraege), SBibAbbild(ganz));

  const std::string fertig = Text(ergebnis);
  const Lauf nochmal = Rechne(plan, 1);
  Erwarte(nochmal, 0);
  EXPECT_EQ(nochmal.aus, "Teil schon fertig: " + std::to_string(ganz.size()) + " Stellungen.\n");
  EXPECT_EQ(Text(ergebnis), fertig);
}

// What rechne refuses, leaving the entry file as it was: a shard file with calculated moves, an
// entry file holding a position the shard does not plan, and one another run is writing.
TEST_F(Geplant, RechnenWeistFremdesAb) {
  Plane(2);
  Erwarte(Rechne(plan, 1), 0);
  const fs::path eins = ErgebnisDatei(plan, 1), zwei = ErgebnisDatei(plan, 2);
  const std::string inhalt = Text(eins);

  Lauf l = Rufe({"bib", "rechne", eins.string(), "--aus", (ordner / "x.sbib").string()});
  Erwarte(l, 2);
  EXPECT_NE(l.fehler.find("Stellung 1 ist schon berechnet. Das ist kein Teil eines Plans."),
            std::string::npos)
      << l.fehler;

  fs::copy_file(eins, zwei);
  l = Rechne(plan, 2);
  Erwarte(l, 2);
  EXPECT_NE(l.fehler.find("enthält Berechnungen, die nicht zu"), std::string::npos) << l.fehler;
  fs::remove(zwei);

  {
    const TDateiSperre andererLauf(eins, 0);
    ASSERT_TRUE(andererLauf.Gehalten());
    fs::remove(eins);
    l = Rufe(
        {"bib", "rechne", TeilDatei(plan, 1).string(), "--aus", eins.string(), "--warten", "0"});
    Erwarte(l, 2);
    EXPECT_NE(l.fehler.find("wird gerade von einem anderen Programm geändert"), std::string::npos);
    EXPECT_FALSE(fs::exists(eins));
  }
  Schreibe(eins, inhalt);
}

// Entry files planned from another library, for another level or depth, or holding a position
// the library does not calculate, are refused with exit code 2 and the reason, also when other
// files of the same import are good; the library stays byte for byte as it was.
TEST_F(Geplant, FremdePlaeneAendernNichts) {
  Plane(2);
  Erwarte(Rechne(plan, 1), 0);
  Erwarte(Rechne(plan, 2), 0);
  const std::string manifest = Text(ManifestDatei(plan));
  const std::string vorher = Text(bib);

  // A level-3 position that building never calculates: a reply to one of the computer's first
  // moves that is not among its best (building chose among equal ones at random).
  test::TestHost host;
  Einstellungen einst;
  Suche suche(einst, host);
  const TBibliothek gebaut = test::LiesBib(bib);
  TZug fremd{};
  for (const TBibZug& e : gebaut[2].BibZuege) {
    if (e.rSC != r0) continue;
    suche.StepRoutineListe(2, e.Zug, 3, AmZug(2), true, true, LeererVerlauf{});
    const TStep& antworten = suche.Steps[1];
    for (int i = 1; i <= antworten.ZuegeAnzahl; ++i) {
      const TZug& z = antworten.Zuege[i];
      if (Finde(gebaut, 3, gebaut[3].BibCnt() - 1, z.BrettNachZug, true, false, rC).Index < 0) {
        fremd = z;
        break;
      }
    }
    break;
  }
  ASSERT_EQ(fremd.BrettNachZug.GesetzteSteineZiehend + fremd.BrettNachZug.GesetzteSteineStehend, 3);
  const fs::path fremdOrdner = ordner / "fremd";
  fs::create_directories(fremdOrdner);
  TSBibEintrag stellung;
  stellung.Zug = fremd;
  stellung.STDenkTiefe = 3;
  ASSERT_EQ(SchreibeSBib(TeilDatei(fremdOrdner, 1), std::vector{stellung}), TDateiMeldung::Keine);
  Erwarte(Rechne(fremdOrdner, 1), 0);
  fs::copy_file(ErgebnisDatei(fremdOrdner, 1), plan / "fremd.sbib");

  const std::string stand = "planstand=" + std::to_string(Planstand(gebaut, 3));
  const std::string stand2 = "planstand=" + std::to_string(Planstand(gebaut, 2));
  const struct {
    const char* fall;
    std::string manifest;
    std::vector<std::string> dateien;
    std::string meldung;
  } faelle[] = {
      {"andere Bibliothek", Ersetze(manifest, stand, "planstand=12345"), Ergebnisse(plan, 2),
       "geplant mit einer anderen Bibliothek oder einem anderen Stand dieser Bibliothek"},
      {"andere Stufe", Ersetze(Ersetze(manifest, "stufe=3", "stufe=2"), stand, stand2),
       Ergebnisse(plan, 2), "Eintrag 1: die Stellung gehört nicht zur geplanten Stufe 2"},
      {"andere Tiefe", Ersetze(manifest, "tiefe=3", "tiefe=5"), Ergebnisse(plan, 2),
       "Eintrag 1: mit Tiefe 3 statt 5 gerechnet"},
      {"Stellung nicht in der Bibliothek",
       manifest,
       {ErgebnisDatei(plan, 1).string(), (plan / "fremd.sbib").string()},
       "fremd.sbib: Eintrag 1: die Stellung steht nicht als Computerstellung in der Bibliothek"},
      {"Manifest beschädigt", manifest + "x=1\n", Ergebnisse(plan, 2),
       "manifest: Das ist kein gültiges Manifest eines Plans."},
  };
  for (const auto& f : faelle) {
    Schreibe(ManifestDatei(plan), f.manifest);
    const Lauf l = Importiere(bib, f.dateien);
    Erwarte(l, 2);
    EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << f.fall << ": " << l.fehler;
    EXPECT_EQ(Text(bib), vorher) << f.fall;
  }
  Schreibe(ManifestDatei(plan), manifest);
  Erwarte(Importiere(bib, Ergebnisse(plan, 2)), 0);
}

// Plans that cannot be made: exit code 2 with the reason, the library unchanged.
TEST_F(Geplant, PlanFehler) {
  Plane(2);
  const std::string vorher = Text(bib);
  const std::string b = bib.string(), o = (ordner / "neu").string();
  const struct {
    std::vector<std::string> argumente;
    std::string meldung;
  } faelle[] = {
      {{"--teile", "2", "--ordner", o}, "Die Stufe nach --stufe muss"},
      {{"--stufe", "18", "--teile", "2", "--ordner", o}, "Die Stufe nach --stufe muss"},
      {{"--stufe", "4", "--teile", "0", "--ordner", o}, "Die Zahl der Teile nach --teile muss"},
      {{"--stufe", "4", "--teile", "2"}, "Der Ordner für die Teile fehlt"},
      {{"--stufe", "4", "--teile", "2", "--ordner", o, "--tiefe", "1"}, "Die Tiefe muss"},
      {{"--stufe", "4", "--teile", "2", "--ordner", o},
       "In Stufe 3 sind noch 75 Stellungen zu berechnen: erst deren Berechnungen importieren."},
      {{"--stufe", "3", "--teile", "3", "--ordner", plan.string()},
       "enthält schon einen anderen Plan"},
  };
  for (const auto& f : faelle) {
    std::vector<std::string> argumente = {"bib", "plan", b};
    argumente.insert(argumente.end(), f.argumente.begin(), f.argumente.end());
    const Lauf l = Rufe(argumente);
    Erwarte(l, 2);
    EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
    EXPECT_EQ(Text(bib), vorher) << f.meldung;
  }
  // The same plan again is no error, and keeps what the shards have calculated.
  Erwarte(Rechne(plan, 1), 0);
  const std::string gerechnet = Text(ErgebnisDatei(plan, 1));
  Plan(bib, 3, 2, plan, 3);
  EXPECT_EQ(Text(ErgebnisDatei(plan, 1)), gerechnet);
}

// The status of each shard, from its files: finished, interrupted, waiting, and running while
// another program holds the entry file.
TEST_F(Geplant, Status) {
  Plane(3);
  Erwarte(Rechne(plan, 1), 0);
  Erwarte(Rechne(plan, 2), 0);
  const std::vector<TSBibEintrag> zwei = LeseSBib(ErgebnisDatei(plan, 2)).Eintraege;
  ASSERT_EQ(SchreibeSBib(ErgebnisDatei(plan, 2), std::vector{zwei[0]}), TDateiMeldung::Keine);
  const int n1 = static_cast<int>(LeseSBib(TeilDatei(plan, 1)).Eintraege.size());
  const int n2 = static_cast<int>(zwei.size());
  const int n3 = static_cast<int>(LeseSBib(TeilDatei(plan, 3)).Eintraege.size());
  {
    const TDateiSperre laeuft(ErgebnisDatei(plan, 3), 0);
    const Lauf l = Rufe({"bib", "status", plan.string()});
    Erwarte(l, 0);
    const std::vector<std::string> z = test::Zeilen(l.aus);
    ASSERT_GE(z.size(), 8u) << l.aus;
    EXPECT_EQ(z[0], "Stufe 3, Tiefe 3, 3 Teile, " + std::to_string(n1 + n2 + n3) + " Stellungen");
    EXPECT_EQ(z[1], "Teil 1: " + std::to_string(n1) + " von " + std::to_string(n1) +
                        " Stellungen, fertig");
    EXPECT_EQ(z[2], "Teil 2: 1 von " + std::to_string(n2) + " Stellungen, unterbrochen");
    EXPECT_EQ(z[3], "Teil 3: 0 von " + std::to_string(n3) + " Stellungen, läuft");
    EXPECT_EQ(z[4], "Teile: 3 geplant, 1 fertig, 1 laufen");
    EXPECT_EQ(z[5], "Stellungen: " + std::to_string(n1 + 1) + " von " +
                        std::to_string(n1 + n2 + n3) + " fertig");
    EXPECT_TRUE(z[6].starts_with("Stellungen je Stunde: ")) << z[6];
    EXPECT_TRUE(z[7].starts_with("Restzeit: ")) << z[7];
  }
  const Lauf l = Rufe({"bib", "status", plan.string()});
  EXPECT_NE(l.aus.find("Teil 3: 0 von " + std::to_string(n3) + " Stellungen, wartet"),
            std::string::npos)
      << l.aus;
  Erwarte(Rufe({"bib", "status", ordner.Pfad().string()}), 2);
}

}  // namespace
}  // namespace quarne
