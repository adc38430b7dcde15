// The library commands against hostile files, writers at the same time and a build that is
// killed: nothing reaches the library that it cannot hold, and nothing of it is lost.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <span>
#include <thread>

#include "cli_run.h"
#include "library/bibfile.h"
#include "library/building.h"
#include "library/entryfile.h"
#include "library/file_lock.h"
#include "library/lookup.h"
#include "library/packing.h"
#include "tests/library/test_folder.h"

namespace quarne {
namespace {

namespace fs = std::filesystem;
using test::Lauf;
using test::Rufe;

Bytes Inhalt(const fs::path& pfad) {
  std::ifstream f(pfad, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

TBibliothek Lies(const fs::path& pfad) {
  TBibliothek bib;
  EXPECT_EQ(LeseBib(pfad, bib).Code, TBibCode::Ok) << pfad;
  return bib;
}

// The calculations of level 1's computer positions in a library, as entries of an entry file.
std::vector<TSBibEintrag> Rechnungen(const TBibliothek& bib) {
  std::vector<TSBibEintrag> eintraege;
  for (int j = 0; j < bib[1].BibCnt(); ++j) {
    const TBibZug& e = bib[1].BibZuege[static_cast<std::size_t>(j)];
    if (e.rSC != rC || !e.BibBerechnet) continue;
    TStep s{};
    FuelleStep(bib, 1, j, s);
    eintraege.push_back(SBibEintrag(e.Zug, s));
  }
  return eintraege;
}

// Level 1's computer positions calculated at this depth.
int MitTiefe(const TBibliothek& bib, int tiefe) {
  int n = 0;
  for (const TBibZug& e : bib[1].BibZuege)
    n += e.rSC == rC && e.BibZuBerechnen && e.BibBerechnet && e.BibDenkTiefe == tiefe;
  return n;
}

// Levels 0 and 1 built at depth 2 (the library to change), and at depth 3, whose level 1
// calculations go into entry files.
class BibDateien : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ordner_ = new TestOrdnerFuerAlle;
    for (const auto& [name, tiefe] : {std::pair{"flach.bib", "2"}, std::pair{"tief.bib", "3"}}) {
      const Lauf l = Rufe({"bib", "erstellen", (ordner_->pfad / name).string(), "--bis-stufe", "1",
                           "--tiefe", tiefe, "--threads", "1"});
      ASSERT_EQ(l.code, 0) << l.fehler;
    }
  }
  static void TearDownTestSuite() {
    delete ordner_;
    ordner_ = nullptr;
  }

  struct TestOrdnerFuerAlle {
    fs::path pfad =
        fs::temp_directory_path() / ("quarne_library_file_safety_" + std::to_string(::getpid()));
    TestOrdnerFuerAlle() { fs::create_directories(pfad); }
    ~TestOrdnerFuerAlle() { fs::remove_all(pfad); }
  };
  static TestOrdnerFuerAlle* ordner_;

  static fs::path Flach() { return ordner_->pfad / "flach.bib"; }
  static fs::path Tief() { return ordner_->pfad / "tief.bib"; }

  // An entry file of `e`, changed by `aendern`.
  std::string Sbib(const TSBibEintrag& e,
                   const std::function<void(std::vector<TSBibEintrag>&)>& aendern) {
    std::vector<TSBibEintrag> v = {e};
    aendern(v);
    const fs::path datei = ordner / (std::to_string(++nummer_) + ".sbib");
    EXPECT_EQ(SchreibeSBib(datei, v), TDateiMeldung::Keine);
    return datei.string();
  }

  // The library's structure broken in a way only its check finds: a second representative.
  fs::path Doppelt() {
    TBibliothek doppelt = Lies(Flach());
    for (const TBibZug& x : doppelt[1].BibZuege)
      if (x.rSC == rC && x.BibZuBerechnen) {
        TBibZug zweiter = x;
        zweiter.BibBerechnet = false;
        zweiter.BibVon = zweiter.BibBis = -1;
        zweiter.Frei = true;
        doppelt[1].BibZuege.push_back(zweiter);
        break;
      }
    return Geschrieben("doppelt.bib", doppelt);
  }

  // Another library whose calculated position lists a move that cannot be made.
  fs::path Falsch() {
    TBibliothek falsch = Lies(Tief());
    falsch[1].BibZuege[static_cast<std::size_t>(falsch[0].BibZuege[0].BibVon)].Zug.VonPosition =
        0x4;
    return Geschrieben("falsch.bib", falsch);
  }

  // A library that declares a thousand entries in level 0.
  fs::path Tausend() {
    TBibliothek tausend;
    tausend[0].BibZuege.resize(1000);
    return Geschrieben("tausend.bib", tausend);
  }

  // A command against a hostile file or with a hostile argument, and the file it must leave
  // alone.
  struct Feindlich {
    const char* fall;
    std::vector<std::string> argumente;
    std::string meldung;
    std::string ziel;
  };
  // Each case is refused with exit code 2 and a message naming what is wrong, and its target
  // stays byte for byte as it was; before each, `bib` is a copy of the shallow library.
  static void PruefeAbgewiesen(std::span<const Feindlich> faelle, const std::string& bib) {
    for (const Feindlich& f : faelle) {
      SCOPED_TRACE(f.fall);
      fs::copy_file(Flach(), bib, fs::copy_options::overwrite_existing);
      const Bytes zielVorher = Inhalt(f.ziel);
      std::vector<std::string> argumente = {"bib"};
      argumente.insert(argumente.end(), f.argumente.begin(), f.argumente.end());
      const Lauf l = Rufe(argumente);
      EXPECT_EQ(l.code, 2);
      EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
      EXPECT_EQ(Inhalt(f.ziel), zielVorher);
    }
  }

  TestOrdner ordner;

 private:
  fs::path Geschrieben(const char* name, const TBibliothek& bib) {
    const fs::path datei = ordner / name;
    EXPECT_EQ(SchreibeBib(datei, bib), TDateiMeldung::Keine);
    return datei;
  }

  int nummer_ = 0;
};
BibDateien::TestOrdnerFuerAlle* BibDateien::ordner_ = nullptr;

// Each hostile entry file is refused, and the library stays as it was.
TEST_F(BibDateien, FeindlicheEintraegeAendernNichts) {
  const std::vector<TSBibEintrag> gut = Rechnungen(Lies(Tief()));
  ASSERT_GE(gut.size(), 2u);
  const TSBibEintrag& e = gut[0];
  const std::string bib = (ordner / "bib.bib").string();
  const auto sbib = [&](const std::function<void(std::vector<TSBibEintrag>&)>& aendern) {
    return Sbib(e, aendern);
  };
  const Feindlich faelle[] = {
      {"24 Steine, gesetzt 20 und -7",
       {"importiere", bib, sbib([](auto& v) {
          v[0].Zug.BrettNachZug = {0xFFFFFF, 0xFFF, 0xFFF000, spSetzen, 12, 20,
                                   spSetzen, 12,    -7,       8,        -19};
        })},
       "Eintrag 1: die Stellung ist unmöglich",
       bib},
      {"Steine übereinander",
       {"importiere", bib, sbib([](auto& v) {
          TBrett& b = v[0].Zug.BrettNachZug;
          b.SteineStehend = b.SteineZiehend;
        })},
       "Eintrag 1: die Stellung ist unmöglich",
       bib},
      {"Zug mit Steinen übereinander",
       {"importiere", bib, sbib([](auto& v) {
          TBrett& b = v[0].Zuege[0].BrettNachZug;
          b.SteineStehend |= b.SteineZiehend;
        })},
       "Eintrag 1: Zug 1 ist unmöglich",
       bib},
      {"Zug einer anderen Stellung",
       {"importiere", bib, sbib([&](auto& v) { v[0].Zuege[0] = gut[1].Zuege[0]; })},
       "Eintrag 1: Zug 1 ist in dieser Stellung nicht möglich",
       bib},
      {"ein Zug doppelt",
       {"importiere", bib, sbib([](auto& v) { v[0].Zuege[1] = v[0].Zuege[0]; })},
       "Eintrag 1: Zug 2 steht doppelt in der Liste",
       bib},
      {"nur ein Zug",
       {"importiere", bib, sbib([](auto& v) { v[0].Zuege.resize(1); })},
       "Eintrag 1: 1 Züge statt der " + std::to_string(e.Zuege.size()) + " möglichen",
       bib},
      {"keine Stufe",
       {"importiere", bib, sbib([](auto& v) {
          v[0].Zug.BrettNachZug.GesetzteSteineZiehend =
              v[0].Zug.BrettNachZug.GesetzteSteineStehend = 9;
        })},
       "Eintrag 1: die Stellung gehört zu keiner Stufe der Bibliothek",
       bib},
      {"Tiefe 0",
       {"importiere", bib, sbib([](auto& v) { v[0].STDenkTiefe = 0; })},
       "Eintrag 1: die Denktiefe muss 1 bis 16 sein",
       bib},
      {"Wert unendlich",
       {"importiere", bib, sbib([](auto& v) {
          v[0].Zuege[2].Wertung.PunktWertA = std::numeric_limits<double>::infinity();
        })},
       "Eintrag 1: Zug 3 ist unmöglich",
       bib},
      {"der zweite Eintrag falsch",
       {"importiere", bib, sbib([&](auto& v) {
          v.push_back(gut[1]);
          v[1].Zuege.pop_back();
        })},
       "Eintrag 2: ",
       bib},
  };
  PruefeAbgewiesen(faelle, bib);
}

// Each hostile file, missing file or broken library, and each hostile command line, is refused;
// the files stay as they were, and a missing one is not created.
TEST_F(BibDateien, FeindlicheDateienAendernNichts) {
  const std::vector<TSBibEintrag> gut = Rechnungen(Lies(Tief()));
  ASSERT_FALSE(gut.empty());
  const auto sbib = [&](const std::function<void(std::vector<TSBibEintrag>&)>& aendern) {
    return Sbib(gut[0], aendern);
  };
  const fs::path doppeltDatei = Doppelt(), falschDatei = Falsch(), tausendDatei = Tausend();
  const std::string bib = (ordner / "bib.bib").string();
  const std::string fehlt = (ordner / "fehlt.bib").string();
  const Feindlich faelle[] = {
      {"Eintragsdatei als Gerät",
       {"importiere", bib, "/dev/zero"},
       "/dev/zero: Die Datei ist beschädigt (Fehlercode 2).\nFehler beim Einlesen der SBib-Datei. ",
       bib},
      {"Eintragsdatei fehlt",
       {"importiere", bib, fehlt},
       "Die Datei " + fehlt + " wurde nicht gefunden.",
       bib},
      {"Bibliothek fehlt",
       {"importiere", fehlt, sbib([](auto&) {})},
       "Die Datei " + fehlt + " wurde nicht gefunden.",
       fehlt},
      {"danach nicht in Ordnung",
       {"importiere", doppeltDatei.string(), sbib([](auto&) {})},
       "Fehlercheck Mindestens 2 Verweise gefunden\nDie Bibliothek bestünde danach ihre Prüfung "
       "nicht und bleibt unverändert.",
       doppeltDatei.string()},
      {"Fusion mit unmöglichem Zug",
       {"fusion", bib, falschDatei.string()},
       ": Zug 1 ist in dieser Stellung nicht möglich\nFehler beim Öffnen der "
       "Fusions-Bibliotheksdatei. ",
       bib},
      {"Fusion mit einem Gerät",
       {"fusion", bib, "/dev/zero"},
       "/dev/zero: Bibliotheksdatei beschädigt",
       bib},
      {"Fusion mit tausend Wurzeln",
       {"fusion", bib, tausendDatei.string()},
       "Stufe 0 ohne die zwei Wurzeleinträge",
       bib},
      {"info eines Geräts", {"info", "/dev/zero"}, "Bibliotheksdatei beschädigt", bib},
      {"info ohne Namen", {"info", ""}, "Die Datei  wurde nicht gefunden.", bib},
      {"pruefen einer fehlenden Datei", {"pruefen", fehlt}, "wurde nicht gefunden", fehlt},
  };
  PruefeAbgewiesen(faelle, bib);
  EXPECT_FALSE(fs::exists(fehlt));

  // A missing library given to analyse is an error too, not an empty library.
  const Lauf analyse = Rufe({"analyse", "........................ W 0 0", "--bib", fehlt});
  EXPECT_EQ(analyse.code, 2);
  EXPECT_EQ(analyse.fehler, "Die Datei " + fehlt + " wurde nicht gefunden.\n");
}

// The good entry files go in; the import of all of them leaves a library that passes its check,
// at the deeper depth.
TEST_F(BibDateien, GuteEintraegeKommenHinein) {
  const std::vector<TSBibEintrag> gut = Rechnungen(Lies(Tief()));
  const std::string bib = (ordner / "bib.bib").string();
  fs::copy_file(Flach(), bib, fs::copy_options::overwrite_existing);
  const fs::path alle = ordner / "alle.sbib";
  ASSERT_EQ(SchreibeSBib(alle, gut), TDateiMeldung::Keine);
  const Lauf import = Rufe({"bib", "importiere", bib, alle.string()});
  ASSERT_EQ(import.code, 0) << import.fehler;
  EXPECT_EQ(MitTiefe(Lies(bib), 3), static_cast<int>(gut.size()));
  EXPECT_EQ(Rufe({"bib", "pruefen", bib}).aus, "Check ok\n");
}

// While another writer holds the library, a change waits and then gives up with a message;
// once it lets go, the change goes through.
TEST_F(BibDateien, ZweiterSchreiberWartetOderGibtAuf) {
  const fs::path bib = ordner / "bib.bib", eintrag = ordner / "e.sbib";
  fs::copy_file(Flach(), bib);
  ASSERT_EQ(SchreibeSBib(eintrag, Rechnungen(Lies(Tief()))), TDateiMeldung::Keine);
  const Bytes vorher = Inhalt(bib);
  const std::vector<std::string> importiere = {"bib", "importiere", bib.string(), eintrag.string()};
  {
    const TDateiSperre anderer(bib, 0);
    ASSERT_TRUE(anderer.Gehalten());
    std::vector<std::string> sofort = importiere;
    sofort.insert(sofort.end(), {"--warten", "0"});
    const std::vector<std::vector<std::string>> befehle = {
        sofort,
        {"bib", "fusion", bib.string(), Tief().string(), "--warten", "0"},
        {"bib", "erstellen", bib.string(), "--bis-stufe", "2", "--warten", "0"}};
    for (const auto& a : befehle) {
      const Lauf l = Rufe(a);
      EXPECT_EQ(l.code, 2) << a[1];
      EXPECT_EQ(l.fehler, "Die Datei " + bib.string() +
                              " wird gerade von einem anderen Programm geändert. Bitte versuchen "
                              "Sie es später noch einmal.\n")
          << a[1];
    }
    EXPECT_EQ(Inhalt(bib), vorher);
  }
  EXPECT_EQ(Rufe({"bib", "importiere", bib.string(), eintrag.string(), "--warten", "x"}).code, 2);
  EXPECT_EQ(Rufe(importiere).code, 0);
  EXPECT_GT(MitTiefe(Lies(bib), 3), 0);
}

// quarne-cli as a process of its own, its output into a file.
pid_t Starte(const std::vector<std::string>& argumente, const fs::path& ausgabe) {
  std::vector<char*> argv = {const_cast<char*>(QUARNE_CLI)};
  for (const std::string& a : argumente) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int fd = ::open(ausgabe.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(fd, 1);
    ::dup2(fd, 2);
    ::execv(QUARNE_CLI, argv.data());
    ::_exit(127);
  }
  return pid;
}

int Ende(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Text(const fs::path& datei) {
  const Bytes b = Inhalt(datei);
  return std::string(b.begin(), b.end());
}

// Two processes import into one library at the same time, over and over: each import finds
// the other's in the library, none is lost.
TEST_F(BibDateien, ZweiImporteZugleichVerlierenNichts) {
  const std::vector<TSBibEintrag> gut = Rechnungen(Lies(Tief()));
  ASSERT_GE(gut.size(), 2u);
  const fs::path a = ordner / "a.sbib", b = ordner / "b.sbib", bib = ordner / "bib.bib";
  ASSERT_EQ(SchreibeSBib(a, std::vector{gut[0]}), TDateiMeldung::Keine);
  ASSERT_EQ(SchreibeSBib(b, std::vector{gut[1]}), TDateiMeldung::Keine);
  for (int runde = 0; runde < 20; ++runde) {
    SCOPED_TRACE(runde);
    fs::copy_file(Flach(), bib, fs::copy_options::overwrite_existing);
    const pid_t erster = Starte({"bib", "importiere", bib.string(), a.string()}, ordner / "a.txt");
    const pid_t zweiter = Starte({"bib", "importiere", bib.string(), b.string()}, ordner / "b.txt");
    EXPECT_EQ(Ende(erster), 0) << Text(ordner / "a.txt");
    EXPECT_EQ(Ende(zweiter), 0) << Text(ordner / "b.txt");
    ASSERT_EQ(MitTiefe(Lies(bib), 3), 2);
  }
  EXPECT_EQ(ordner.Namen(),
            (std::vector<std::string>{"a.sbib", "a.txt", "b.sbib", "b.txt", "bib.bib"}));
}

// Computer positions of levels 0 to 2 calculated.
int Berechnet(const TBibliothek& bib) {
  int n = 0;
  for (int L = 0; L <= 2; ++L)
    for (const TBibZug& e : bib[L].BibZuege) n += e.rSC == rC && e.BibZuBerechnen && e.BibBerechnet;
  return n;
}

// A build killed after its first position has saved that position in a library that passes
// its check; run again, it calculates only what is missing.
TEST_F(BibDateien, AbgebrochenerAufbauMachtWeiter) {
  const fs::path bib = ordner / "bib.bib";
  const std::vector<std::string> erstellen = {
      "bib", "erstellen", bib.string(), "--bis-stufe", "2", "--tiefe", "7", "--threads", "1"};
  const pid_t pid = Starte(erstellen, ordner / "ausgabe.txt");
  int gespeichert = 0;
  while (gespeichert == 0) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, WNOHANG), 0)
        << "zu früh fertig: " << Text(ordner / "ausgabe.txt");
    TBibliothek zwischen;
    if (LeseBib(bib, zwischen).Code == TBibCode::Ok) gespeichert = Berechnet(zwischen);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << Text(ordner / "ausgabe.txt");

  const TBibliothek abgebrochen = Lies(bib);
  const int vorher = Berechnet(abgebrochen);
  EXPECT_GE(vorher, 1);
  EXPECT_EQ(Rufe({"bib", "pruefen", bib.string()}).aus, "Check ok\n");

  const Lauf weiter = Rufe(erstellen);
  ASSERT_EQ(weiter.code, 0) << weiter.fehler;
  const TBibliothek fertig = Lies(bib);
  const int alle = Berechnet(fertig);
  EXPECT_GT(alle, vorher);
  EXPECT_EQ(weiter.aus, MeldeErgebnis("Erstellung abgeschlossen.", false, alle - vorher) + "\n");
  EXPECT_EQ(Rufe({"bib", "pruefen", bib.string()}).aus, "Check ok\n");
  // Nothing is left to do at that depth.
  EXPECT_EQ(Rufe(erstellen).aus, std::string(kNichtsZuBerechnen) + "\n");
}

// A shard's calculation ended by the batch system (SIGTERM) after its first position stops at
// once with exit code 1, keeping what is done; run again, it calculates only the rest.
TEST_F(BibDateien, BeendeterTeilMachtWeiter) {
  const fs::path bib = ordner / "bib.bib", plan = ordner / "plan";
  fs::copy_file(Flach(), bib);
  ASSERT_EQ(Rufe({"bib", "plan", bib.string(), "--stufe", "2", "--teile", "1", "--ordner",
                  plan.string(), "--tiefe", "7"})
                .code,
            0);
  const fs::path teil = plan / "teil-1", ergebnis = plan / "teil-1.sbib";
  const std::vector<std::string> rechne = {
      "bib", "rechne", teil.string(), "--aus", ergebnis.string(), "--threads", "1"};
  const std::size_t n = LeseSBib(teil).Eintraege.size();
  ASSERT_GT(n, 2u);
  const pid_t pid = Starte(rechne, ordner / "ausgabe.txt");
  std::size_t fertig = 0;
  while (fertig == 0) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, WNOHANG), 0)
        << "zu früh fertig: " << Text(ordner / "ausgabe.txt");
    fertig = LeseSBib(ergebnis).Eintraege.size();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << Text(ordner / "ausgabe.txt");
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::size_t vorher = LeseSBib(ergebnis).Eintraege.size();
  ASSERT_LT(vorher, n);
  EXPECT_NE(Text(ordner / "ausgabe.txt")
                .find("Abgebrochen: " + std::to_string(vorher) + " von " + std::to_string(n)),
            std::string::npos);

  const Lauf weiter = Rufe(rechne);
  ASSERT_EQ(weiter.code, 0) << weiter.fehler;
  EXPECT_EQ(test::Zeilen(weiter.fehler).size(), n - vorher) << weiter.fehler;
  EXPECT_EQ(LeseSBib(ergebnis).Eintraege.size(), n);
  ASSERT_EQ(Rufe({"bib", "importiere", bib.string(), ergebnis.string()}).code, 0);
  EXPECT_EQ(Rufe({"bib", "pruefen", bib.string()}).aus, "Check ok\n");
}

}  // namespace
}  // namespace quarne
