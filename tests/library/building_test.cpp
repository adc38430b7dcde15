#include "library/building.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <stdexcept>

#include "library/lookup.h"
#include "library/maintenance.h"
#include "tests/engine/test_host.h"

namespace quarne {
namespace {

struct Zaehlende final : BauAnzeige {
  int begonnen = 0, gespeichert = 0;
  void PositionBeginnt(int, int, int, const TBibZug&) override { ++begonnen; }
  void PositionGespeichert() override { ++gespeichert; }
};

class Bau : public ::testing::Test {
 protected:
  Einstellungen einst;
  test::TestHost host;
  std::unique_ptr<Suche> suche = std::make_unique<Suche>(einst, host);
  std::unique_ptr<HTSuche> ht = std::make_unique<HTSuche>(*suche, einst, host);
  TBibliothek bib;
  Zaehlende anzeige;

  void SetUp() override {
    einst.CBVoll = true;  // every move of a library position is valued exactly
    ht->ErzeugeThreads(2);
  }

  void Aktiviere(int bis, int tiefe) {
    for (int L = 0; L <= bis; ++L) {
      bib[L].BibAktiv = true;
      bib[L].BibTiefe = tiefe;
    }
  }
};

// A small library, levels 0 to 2 at depth 3, on two workers and in the calling thread: its
// structure passes the check, and every representative computer position is calculated.
TEST_F(Bau, KleineBibliothekBestehtDenCheck) {
  for (const bool parallel : {true, false}) {
    bib.Leeren();
    Aktiviere(2, 3);
    BibBau bau(bib, *ht, *suche, parallel, anzeige, 7);
    const BauErgebnis e = bau.ErstelleBib();
    EXPECT_FALSE(e.abgebrochen);
    EXPECT_TRUE(e.nullBerechnet);
    ASSERT_EQ(bib[0].BibCnt(), 2);
    EXPECT_EQ(bib[0].BibZuege[0].rSC, rC);
    EXPECT_EQ(bib[0].BibZuege[1].rSC, rS);
    int berechnet = 0;
    for (int L = 0; L <= 2; ++L)
      for (const TBibZug& z : bib[L].BibZuege) {
        if (z.rSC != rC || !z.BibZuBerechnen) continue;
        EXPECT_TRUE(z.BibBerechnet) << "Stufe " << L;
        EXPECT_EQ(z.BibDenkTiefe, 3);
        ++berechnet;
      }
    EXPECT_EQ(berechnet, e.berechnet);
    // Symmetric positions are calculated once: level 1 has 24 moves of the player but only
    // four kinds of points.
    int spielerZuege = 0, vertreter = 0;
    for (const TBibZug& z : bib[1].BibZuege)
      if (z.rSC == rC) {
        ++spielerZuege;
        vertreter += z.BibZuBerechnen;
      }
    EXPECT_EQ(spielerZuege, 24);
    EXPECT_EQ(vertreter, 4);
    EXPECT_NO_THROW(CheckBib(bib, *suche));
    EXPECT_TRUE(bib.Geaendert);
  }
  // Built again, nothing is left to do.
  BibBau nochmal(bib, *ht, *suche, false, anzeige, 7);
  EXPECT_EQ(nochmal.ErstelleBib().berechnet, 0);
  // A deeper target recalculates the level.
  bib[0].BibTiefe = 4;
  EXPECT_EQ(nochmal.ErstelleBib().berechnet, 1);
  EXPECT_EQ(bib[0].BibZuege[0].BibDenkTiefe, 4);
}

// Stop during a search ends the building; the interrupted position stays uncalculated.
TEST_F(Bau, StopMittenInDerErstellung) {
  Aktiviere(1, 10);
  host.beiEreignis = [&] { suche->Halte(); };
  BibBau bau(bib, *ht, *suche, true, anzeige, 3);
  const BauErgebnis e = bau.ErstelleBib();
  EXPECT_TRUE(e.abgebrochen);
  EXPECT_EQ(e.berechnet, 0);
  EXPECT_EQ(anzeige.begonnen, 1);
  EXPECT_EQ(anzeige.gespeichert, 0);
  EXPECT_FALSE(bib[0].BibZuege[0].BibBerechnet);
  EXPECT_EQ(MeldeErgebnis("Erstellung abgebrochen.", e.nullBerechnet, e.berechnet),
            "Erstellung abgebrochen.\r\nEs wurde keine Stellung berechnet.");
}

// The check finds a second representative; deleting what is switched off keeps the computer's
// moves below the last level switched on; merging a deeper library deepens the shallower one.
TEST_F(Bau, CheckLoeschenUndFusion) {
  Aktiviere(2, 2);
  BibBau bau(bib, *ht, *suche, false, anzeige, 5);
  bau.ErstelleBib();
  ASSERT_NO_THROW(CheckBib(bib, *suche));

  TBibliothek doppelt = bib;
  TBibZug zweiter = doppelt[1].BibZuege[0];
  ASSERT_TRUE(zweiter.BibZuBerechnen);
  zweiter.Frei = true;
  zweiter.BibBerechnet = false;
  zweiter.BibVon = zweiter.BibBis = -1;
  doppelt[1].BibZuege.push_back(zweiter);
  try {
    CheckBib(doppelt, *suche);
    ADD_FAILURE() << "kein Fehler";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Fehlercheck Mindestens 2 Verweise gefunden");
  }

  TBibliothek tiefer;
  for (int L = 0; L <= 2; ++L) {
    tiefer[L].BibAktiv = true;
    tiefer[L].BibTiefe = 3;
  }
  BibBau(tiefer, *ht, *suche, false, anzeige, 5).ErstelleBib();
  TBibliothek flach = bib;
  FusionBib(flach, tiefer);
  EXPECT_EQ(flach[0].BibZuege[0].BibDenkTiefe, 3);
  EXPECT_NO_THROW(CheckBib(flach, *suche));
  const int vorher = tiefer[1].BibCnt();
  FusionBib(tiefer, bib);  // shallower: nothing changes
  EXPECT_EQ(tiefer[1].BibCnt(), vorher);
  EXPECT_EQ(tiefer[0].BibZuege[0].BibDenkTiefe, 3);

  std::array<bool, kBibStufen - 1> aktiv{};
  std::array<int, kBibStufen - 1> tiefe{};
  aktiv[0] = aktiv[1] = true;
  tiefe.fill(2);
  LoescheInaktive(bib, aktiv, tiefe);
  ASSERT_GT(bib[2].BibCnt(), 0);
  for (const TBibZug& z : bib[2].BibZuege) EXPECT_NE(z.rSC, rC);
  for (int L = 3; L < kBibStufen; ++L) EXPECT_EQ(bib[L].BibCnt(), 0);
  for (const TBibZug& z : bib[1].BibZuege) {
    if (z.rSC == rS) {
      EXPECT_FALSE(z.BibBerechnet);
    }
  }
}

TEST(BauMeldung, Saetze) {
  const struct {
    bool null;
    int n;
    const char* satz;
  } faelle[] = {
      {true, 0, "Es wurde keine Stellung berechnet."},
      {true, 1, "Es wurde die Nullstellung berechnet."},
      {true, 2, "Es wurde die Nullstellung und eine weitere Stellung berechnet."},
      {true, 5, "Es wurde die Nullstellung und 4 weitere Stellungen berechnet."},
      {false, 1, "Es wurde eine Stellung berechnet."},
      {false, 7, "Es wurden 7 Stellungen berechnet."},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(MeldeErgebnis("Erstellung abgeschlossen.", f.null, f.n),
              std::string("Erstellung abgeschlossen.\r\n") + f.satz);
}

}  // namespace
}  // namespace quarne
