#include "library/file_io.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <optional>
#include <thread>

#include "library/bibfile.h"
#include "library/entryfile.h"
#include "library/file_lock.h"
#include "library/image_header.h"
#include "library/packing.h"
#include "tests/library/test_folder.h"

namespace quarne {
namespace {

namespace fs = std::filesystem;

Bytes Inhalt(const fs::path& pfad) {
  std::ifstream f(pfad, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

void Schreibe(const fs::path& pfad, const Bytes& inhalt) {
  std::ofstream(pfad, std::ios::binary)
      .write(reinterpret_cast<const char*>(inhalt.data()),
             static_cast<std::streamsize>(inhalt.size()));
}

// The empty board, with both root entries: a library file the reader takes.
TBibliothek Wurzeln(int tiefe) {
  TBibliothek bib;
  bib[0].BibZuege = WurzelEintraege();
  bib[0].BibTiefe = tiefe;
  return bib;
}

fs::perms Rechte(const fs::path& pfad) {
  return fs::status(pfad).permissions() & fs::perms::mask;
}

// Saving through a link (relative, in a chain, or to a file that does not exist yet) writes the
// file it leads to, in that file's folder, and the links stay links.
TEST(SchreibeDatei, DurchVerweise) {
  TestOrdner ordner;
  fs::create_directories(ordner / "daten");
  fs::create_directories(ordner / "verweise");
  const fs::path ziel = ordner / "daten" / "b.bib";
  ASSERT_EQ(SchreibeBib(ziel, Wurzeln(1)), TDateiMeldung::Keine);
  fs::create_symlink("../daten/b.bib", ordner / "verweise" / "eins.bib");
  fs::create_symlink("eins.bib", ordner / "verweise" / "zwei.bib");
  fs::create_symlink("../daten/neu.bib", ordner / "verweise" / "neu.bib");

  for (const char* verweis : {"eins.bib", "zwei.bib"}) {
    const int tiefe = verweis[0] == 'e' ? 2 : 3;
    EXPECT_EQ(SchreibeBib(ordner / "verweise" / verweis, Wurzeln(tiefe)), TDateiMeldung::Keine);
    TBibliothek gelesen;
    ASSERT_EQ(LeseBib(ziel, gelesen).Code, TBibCode::Ok) << verweis;
    EXPECT_EQ(gelesen[0].BibTiefe, tiefe) << verweis;
  }
  EXPECT_EQ(SchreibeBib(ordner / "verweise" / "neu.bib", Wurzeln(4)), TDateiMeldung::Keine);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(ordner / "daten" / "neu.bib")));
  for (const char* verweis : {"eins.bib", "zwei.bib", "neu.bib"})
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(ordner / "verweise" / verweis))) << verweis;
  // No temporary file is left in either folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(ordner / "daten"), {}), 2);
  EXPECT_EQ(std::distance(fs::directory_iterator(ordner / "verweise"), {}), 3);
}

// The new file keeps the permissions of the one it replaces.
TEST(SchreibeDatei, BehaeltDieRechte) {
  TestOrdner ordner;
  const fs::path datei = ordner / "b.bib";
  for (const fs::perms rechte :
       {fs::perms::owner_read | fs::perms::owner_write,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
        fs::perms::owner_all | fs::perms::others_read}) {
    Schreibe(datei, {1});
    fs::permissions(datei, rechte);
    EXPECT_TRUE(SchreibeDatei(datei, Bytes{2, 3}));
    EXPECT_EQ(Rechte(datei), rechte);
    EXPECT_EQ(Inhalt(datei), (Bytes{2, 3}));
  }
}

// A write-protected file is refused with the permission message, even for a user the system lets
// write everywhere; the file and the folder stay as they were.
TEST(SchreibeDatei, SchreibgeschuetztesZielBleibt) {
  TestOrdner ordner;
  const fs::path datei = ordner / "b.bib";
  ASSERT_EQ(SchreibeBib(datei, Wurzeln(1)), TDateiMeldung::Keine);
  const Bytes vorher = Inhalt(datei);
  fs::permissions(datei, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink("b.bib", ordner / "verweis.bib");
  for (const char* name : {"b.bib", "verweis.bib"}) {
    EXPECT_FALSE(PruefeSchreibrecht(ordner / name)) << name;
    EXPECT_FALSE(SchreibeDatei(ordner / name, Bytes{1})) << name;
    EXPECT_EQ(SchreibeBib(ordner / name, Wurzeln(2)), TDateiMeldung::Schreibrechte) << name;
  }
  EXPECT_EQ(Inhalt(datei), vorher);
  EXPECT_EQ(ordner.Namen(), (std::vector<std::string>{"b.bib", "verweis.bib"}));
}

// Temporary files that crashed writes left behind never stand in the way; the old ones of the
// same target are cleared away, a recent one (perhaps another writer's) and other files stay.
TEST(SchreibeDatei, ResteAbgebrochenerSchreibvorgaenge) {
  TestOrdner ordner;
  const fs::path datei = ordner / "b.bib";
  const std::vector<std::string> reste = {".b.bib.0000000000000000.tmp",
                                          ".b.bib.ffffffffffffffff.tmp"};
  for (const std::string& rest : reste) {
    Schreibe(ordner / rest, {9});
    fs::last_write_time(ordner / rest, fs::file_time_type::clock::now() - std::chrono::hours(2));
  }
  Schreibe(ordner / ".b.bib.0123456789abcdef.tmp", {8});
  Schreibe(ordner / ".a.bib.0000000000000000.tmp", {7});
  fs::last_write_time(ordner / ".a.bib.0000000000000000.tmp",
                      fs::file_time_type::clock::now() - std::chrono::hours(2));
  Schreibe(ordner / "b.bib.tmp", {6});

  EXPECT_TRUE(SchreibeDatei(datei, Bytes{1, 2}));
  EXPECT_EQ(Inhalt(datei), (Bytes{1, 2}));
  EXPECT_EQ(ordner.Namen(),
            (std::vector<std::string>{".a.bib.0000000000000000.tmp", ".b.bib.0123456789abcdef.tmp",
                                      "b.bib", "b.bib.tmp"}));
}

// A pipe is read as its writer sends: a library as a whole; an endless stream only up to the
// largest file of its kind, or no further than a header allows.
TEST(LadeDatei, AusEinerPipe) {
  TestOrdner ordner;
  const fs::path pipe = ordner / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const auto sigpipe = std::signal(SIGPIPE, SIG_IGN);
  const auto sende = [&](const Bytes& anfang, bool endlos) {
    return std::thread([&pipe, anfang, endlos] {
      const int fd = ::open(pipe.c_str(), O_WRONLY);
      if (fd < 0) return;
      bool offen = ::write(fd, anfang.data(), anfang.size()) >= 0;
      const Bytes block(4096, 0x41);
      while (endlos && offen) offen = ::write(fd, block.data(), block.size()) > 0;
      ::close(fd);
    });
  };

  const TBibliothek gut = Wurzeln(7);
  std::thread schreiber = sende(Komprimiere(BibAbbild(gut)), false);
  TBibliothek gelesen;
  EXPECT_EQ(LeseBib(pipe, gelesen).Code, TBibCode::Ok);
  schreiber.join();
  EXPECT_EQ(BibAbbild(gelesen), BibAbbild(gut));

  schreiber = sende({}, true);
  Bytes inhalt;
  EXPECT_EQ(LadeDatei(pipe, inhalt, 100000).Code, TBibCode::Size);
  schreiber.join();

  // A library whose header declares 30 bytes, followed by endless more: 31 bytes are read.
  Bytes kopf;
  BeginneVorspann(kopf, kStempelBib);
  kopf[4] = 30;
  schreiber = sende(kopf, true);
  const std::uint32_t stempel[] = {kStempelBib};
  EXPECT_EQ(LadeMitVorspann(pipe, inhalt, kHoechstBibBytes, stempel).Code, TBibCode::Ok);
  schreiber.join();
  EXPECT_EQ(inhalt.size(), 31u);
  std::signal(SIGPIPE, sigpipe);
}

// An endless device ends at once: its header is no header of the file's kind.
TEST(LadeDatei, EndlosesGeraet) {
  TBibliothek bib = Wurzeln(3);
  const TLeseErgebnis e = LeseBib(fs::path("/dev/zero"), bib);
  EXPECT_EQ(e.Code, TBibCode::Stempel);
  EXPECT_EQ(e.Meldung, TDateiMeldung::Beschaedigt);
  EXPECT_EQ(bib[0].BibTiefe, 3);
  EXPECT_EQ(LeseSBib(fs::path("/dev/zero")).Ergebnis.Code, TBibCode::Stempel);
  Bytes inhalt;
  EXPECT_EQ(LadeDatei("/dev/zero", inhalt, 1000).Code, TBibCode::Size);
  // A header that declares more than a library may hold is refused before reading on.
  TestOrdner ordner;
  Bytes riesig;
  BeginneVorspann(riesig, kStempelGepackt);
  riesig[8] = 1;  // 2^32 bytes
  Schreibe(ordner / "riesig.bib", riesig);
  const TLeseErgebnis gross = LeseBib(ordner / "riesig.bib", bib);
  EXPECT_EQ(gross.Code, TBibCode::Size);
  EXPECT_EQ(gross.Meldung, TDateiMeldung::ZuGross);
}

// One writer at a time, also through a link; the lock file exists only while the lock is held,
// and one left behind by a process that ended blocks nobody.
TEST(DateiSperre, EinSchreiberZurZeit) {
  TestOrdner ordner;
  const fs::path datei = ordner / "b.bib";
  fs::create_symlink("b.bib", ordner / "verweis.bib");
  {
    const TDateiSperre erste(datei, 0);
    ASSERT_TRUE(erste.Gehalten());
    EXPECT_TRUE(fs::exists(ordner / ".b.bib.lock"));
    for (const fs::path& pfad : {datei, ordner / "verweis.bib"}) {
      const TDateiSperre zweite(pfad, 50);
      EXPECT_FALSE(zweite.Gehalten());
      EXPECT_EQ(zweite.Meldung(), TDateiMeldung::Gesperrt);
    }
    const TDateiSperre andere(ordner / "c.bib", 0);
    EXPECT_TRUE(andere.Gehalten());
  }
  EXPECT_EQ(ordner.Namen(), std::vector<std::string>{"verweis.bib"});

  Schreibe(ordner / ".b.bib.lock", {});
  EXPECT_TRUE(TDateiSperre(datei, 0).Gehalten());

  // A writer that waits gets the lock once the other lets go.
  std::optional<TDateiSperre> halter;
  halter.emplace(datei, 0);
  ASSERT_TRUE(halter->Gehalten());
  std::thread loslassen([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    halter.reset();
  });
  const TDateiSperre wartend(datei, 60'000);
  loslassen.join();
  EXPECT_TRUE(wartend.Gehalten());

  EXPECT_EQ(TDateiSperre(ordner / "fehlt" / "b.bib", 0).Meldung(), TDateiMeldung::Schreibrechte);
}

// Every save makes the state on disk another one; reading does not.
TEST(DateiStand, AendertSichMitJedemSpeichern) {
  TestOrdner ordner;
  const fs::path datei = ordner / "b.bib";
  const TDateiStand fehlt = DateiStand(datei);
  EXPECT_FALSE(fehlt.vorhanden);
  ASSERT_TRUE(SchreibeDatei(datei, Bytes{1}));
  const TDateiStand erster = DateiStand(datei);
  EXPECT_TRUE(erster.vorhanden);
  EXPECT_NE(erster, fehlt);
  Bytes inhalt;
  ASSERT_EQ(LadeDatei(datei, inhalt, 10).Code, TBibCode::Ok);
  EXPECT_EQ(DateiStand(datei), erster);
  ASSERT_TRUE(SchreibeDatei(datei, Bytes{1}));
  EXPECT_NE(DateiStand(datei), erster);
}

}  // namespace
}  // namespace quarne
