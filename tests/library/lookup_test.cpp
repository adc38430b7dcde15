#include "library/lookup.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "library/storing.h"
#include "tests/engine/test_positions.h"
#include "tests/library/library_fixtures.h"

namespace quarne {
namespace {

using namespace test;

// White on a1, Black on d3: only the identity maps it onto itself.
const TZug kUnsymmetrisch = ZugMit(P("d3"), P("a1"));

TEST(Finde, FruehesteSymmetrieVorNiedrigstemIndex) {
  TBibliothek bib;
  const TSymmetrie ringTausch = kSymmetrien[8], spiegel = kSymmetrien[4];
  TZug gespiegelt = Bild(kUnsymmetrisch, spiegel);
  gespiegelt.BrettNachZug.AlleSteine = 0;  // only the two stone sets are compared
  gespiegelt.BrettNachZug.GesetzteSteineZiehend = 7;
  bib[2].BibZuege = {Neu(Bild(kUnsymmetrisch, ringTausch), rC, true), Neu(gespiegelt, rC, true),
                     Neu(gespiegelt, rC, true)};
  const TBrett& p = kUnsymmetrisch.BrettNachZug;

  const struct {
    int stufe, bis, index;
    TSymmetrie symmetrie;
  } faelle[] = {
      {2, 2, 1, spiegel},     // (1,0) comes before (0,1), and index 1 before index 2
      {2, 99, 1, spiegel},    // the end is the level's last entry
      {2, 0, 0, ringTausch},  // the mirror images lie beyond the searched entries
      {2, -1, -1, {}},       {3, 5, -1, {}}, {kBibStufen, 0, -1, {}}, {-1, 0, -1, {}},
  };
  for (const auto& f : faelle) {
    const TFund fund = Finde(bib, f.stufe, f.bis, p, true, false, rC);
    EXPECT_EQ(fund.Index, f.index) << f.stufe << " " << f.bis;
    if (f.index >= 0) {
      EXPECT_EQ(fund.Symmetrie, f.symmetrie) << f.stufe << " " << f.bis;
    }
  }
  // The colours exchanged are another position.
  const TBrett getauscht = ZugMit(P("a1"), P("d3")).BrettNachZug;
  EXPECT_EQ(Finde(bib, 2, 2, getauscht, true, false, rC).Index, -1);
}

TEST(Finde, RolleMarkeUndArtDesEintrags) {
  const struct {
    bool repraesentant, frei, zuLoeschen;
    TrSC rolle;
    bool suchtRepraesentant, suchtFrei;
    TrSC suchtRolle;
    bool gefunden;
  } faelle[] = {
      {true, false, false, rC, true, false, rC, true},
      {true, false, false, rS, true, false, rC, false},
      {true, false, false, r0, true, false, r0, true},
      {false, false, false, rS, true, false, rS, false},
      {true, false, false, rS, false, false, rS, false},
      {false, false, false, rS, false, false, rS, true},
      {false, false, false, rS, false, true, rS, true},  // want-free only narrows representatives
      {true, false, false, rS, true, true, rS, false},
      {true, true, false, rS, true, true, rS, true},
      {true, true, false, rS, true, false, rS, true},
      {true, false, true, rC, true, false, rC, false},
      {false, false, true, rC, false, false, rC, false},
  };
  for (const auto& f : faelle) {
    TBibliothek bib;
    TBibZug e = Neu(kUnsymmetrisch, f.rolle, f.repraesentant);
    e.Frei = f.frei;
    e.ZuLoeschen = f.zuLoeschen;
    bib[2].BibZuege = {e};
    const int index = Finde(bib, 2, 0, kUnsymmetrisch.BrettNachZug, f.suchtRepraesentant,
                            f.suchtFrei, f.suchtRolle)
                          .Index;
    EXPECT_EQ(index, f.gefunden ? 0 : -1)
        << f.repraesentant << f.frei << f.zuLoeschen << int{f.rolle} << " gesucht "
        << f.suchtRepraesentant << f.suchtFrei << int{f.suchtRolle};
  }
}

TEST(Seitenwechsel, TauschtDieSeitenUndPrueftDieZaehler) {
  TBrett b = ZugMit(P("a1 d1 g1"), P("a7 a4 b2 b6")).BrettNachZug;
  b.GesetzteSteineStehend = 9;
  b.VerloreneSteineStehend = 5;
  Seitenwechsel(b);
  EXPECT_EQ(b.SteineZiehend, P("a7 a4 b2 b6"));
  EXPECT_EQ(b.SteineStehend, P("a1 d1 g1"));
  EXPECT_EQ(b.AlleSteine, P("a1 d1 g1 a7 a4 b2 b6"));
  EXPECT_EQ(b.GesetzteSteineZiehend, 9);
  EXPECT_EQ(b.SteineAnzahlZiehend, 4);
  EXPECT_EQ(b.VerloreneSteineZiehend, 5);
  EXPECT_EQ(b.SpielPhaseZiehend, spZiehen);
  EXPECT_EQ(b.SpielPhaseStehend, spSetzen);

  const struct {
    int verlorenZiehend, verlorenStehend;
    const char* fehler;
  } faelle[] = {
      {0, 1, "Plausifehler #01"},  // the side that is Stehend now is Ziehend after the turn
      {1, 0, "Plausifehler #02"},
      {1, 1, "Plausifehler #01"},
  };
  for (const auto& f : faelle) {
    TBrett kaputt = ZugMit(P("a1"), P("d3")).BrettNachZug;
    kaputt.VerloreneSteineZiehend = f.verlorenZiehend;
    kaputt.VerloreneSteineStehend = f.verlorenStehend;
    EXPECT_EQ(Fehlertext([&] { Seitenwechsel(kaputt); }), f.fehler);
    EXPECT_EQ(kaputt.SteineZiehend, P("d3"));  // turned before the check
  }
}

class GenMemStepTest : public BibMitSuche {
 protected:
  // White on a1, Black on d3, White (the computer) to move.
  const Stellung p = Pos("W................S...... W 1 1");
  std::unique_ptr<TStep> s = std::make_unique<TStep>();
  TBibTiefenwahl feste2{0, 2, false, 0};
  std::unique_ptr<TStep> rechnung;

  // The library holds the position only as its image under t, calculated two plies deep.
  void Speichere(TSymmetrie t) {
    bib.Leeren();
    const TZug bild = Bild(p.zug, t);
    bib[2].BibZuege = {Neu(bild, rC, true)};
    rechnung = Suchen(bild, 3, clWeiss, 2);
    AddBibi(bib, bild, *rechnung);
    ASSERT_TRUE(bib[2].BibZuege[0].BibBerechnet);
  }

  bool Nachschlagen(const TBibTiefenwahl& wahl) { return GenMemStep(bib, *s, p.zug, wahl); }
};

TEST_F(GenMemStepTest, ZuegeKommenInDerLageDerEchtenStellungZurueck) {
  ASSERT_EQ(p.zug.BrettNachZug.SteineZiehend, P("d3"));
  suche->StepRoutineListe(1, p.zug, 3, clWeiss, true, true, verlauf);
  std::set<Zugschluessel> legal;
  for (int i = 1; i <= suche->Steps[1].ZuegeAnzahl; ++i)
    legal.insert(Schluessel(suche->Steps[1].Zuege[i]));
  ASSERT_EQ(legal.size(), 22u);

  for (TSymmetrie t : kSymmetrien) {
    SCOPED_TRACE(testing::Message() << t.m << t.s << t.r);
    Speichere(t);
    s->BesterZug = 5;
    s->Zuege[60].Nr = 9;
    ASSERT_TRUE(Nachschlagen(feste2));
    std::set<Zugschluessel> gefunden;
    for (int i = 1; i <= s->ZuegeAnzahl; ++i) {
      const TZug& z = s->Zuege[i];
      gefunden.insert(Schluessel(z));
      EXPECT_EQ(z.BrettNachZug.AlleSteine,
                z.BrettNachZug.SteineZiehend | z.BrettNachZug.SteineStehend);
      EXPECT_EQ(z.SmartZuege[1].NachPosition, z.NachPosition);
      // The stored values are handed back as they are.
      EXPECT_EQ(z.Wertung.PunktWertGes, bib[3].BibZuege[i - 1].Zug.Wertung.PunktWertGes);
    }
    EXPECT_EQ(gefunden, legal);
    EXPECT_EQ(s->ZuegeAnzahl, 22);
    EXPECT_EQ(s->STFarbeZiehend, clWeiss);
    EXPECT_EQ(s->STZugNummer, 3);
    EXPECT_EQ(s->STSpieler, csComputer);
    EXPECT_EQ(s->STStepMax, 2);
    EXPECT_EQ(s->STDenkTiefe, 2);
    EXPECT_EQ(s->VirtuellAb, rechnung->VirtuellAb);
    EXPECT_EQ(s->BesterZug, 0);
    EXPECT_EQ(s->Zuege[60].Nr, 0);
    // The position before the move, seen by the side to move.
    EXPECT_EQ(s->VorDemZug.BrettNachZug.SteineZiehend, P("a1"));
    EXPECT_EQ(s->VorDemZug.BrettNachZug.SteineStehend, P("d3"));
  }
}

TEST_F(GenMemStepTest, TiefeDerBerechnung) {
  Speichere({});
  bib[2].BibZuege[0].BibDenkTiefe = 11;
  const struct {
    TBibTiefenwahl wahl;
    bool gefunden;
  } faelle[] = {
      {{0, 12, false, 0}, false},  // fixed depth: TiefeSE1 decides, BibSE is not read
      {{0, 11, true, 16}, true},
      {{3, 16, false, 16}, true},  // thinking time without the depth check: any depth
      {{1, 16, true, 12}, false},
      {{6, 16, true, 11}, true},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Nachschlagen(f.wahl), f.gefunden) << f.wahl.AutoGroup << " " << f.wahl.TiefeSE1 << " "
                                                << f.wahl.CBBibDenkTiefe << " " << f.wahl.BibSE;
}

TEST_F(GenMemStepTest, NichtGefunden) {
  Speichere({});
  ASSERT_TRUE(Nachschlagen(feste2));
  TBibZug& e = bib[2].BibZuege[0];

  e.rSC = rS;  // stored for the player
  EXPECT_FALSE(Nachschlagen(feste2));
  e.rSC = rC;

  e.BibBerechnet = false;
  EXPECT_FALSE(Nachschlagen(feste2));
  e.BibBerechnet = true;

  bib[3].BibZuege.clear();  // the range points into an empty level
  EXPECT_FALSE(Nachschlagen(feste2));

  // 18 stones placed: the last level is never asked, although it holds the position.
  const TZug voll = ZugMit(0x1FF, 0x1FF << 9);
  TBibZug letzte = Neu(voll, rC, true);
  letzte.BibBerechnet = true;
  letzte.BibVon = letzte.BibBis = 0;
  letzte.BibDenkTiefe = 16;
  bib[18].BibZuege = {letzte};
  EXPECT_FALSE(GenMemStep(bib, *s, voll, feste2));
}

TEST_F(GenMemStepTest, KaputteBibliothekWirftStattZuLesen) {
  Speichere({});
  TBibZug& e = bib[2].BibZuege[0];
  e.BibBis = bib[3].BibCnt();
  EXPECT_EQ(Fehlertext([&] { Nachschlagen(feste2); }), kBereichsFehler);
  e.BibVon = e.BibBis = -1;
  EXPECT_EQ(Fehlertext([&] { Nachschlagen(feste2); }), kBereichsFehler);

  bib[3].BibZuege.resize(kMaxZuege + 1);
  e.BibVon = 0;
  e.BibBis = kMaxZuege;
  EXPECT_EQ(Fehlertext([&] { Nachschlagen(feste2); }), kZuVieleZuege);

  // The stored calculation is fine, the position before the move is not.
  Speichere({});
  TZug kaputt = p.zug;
  kaputt.BrettNachZug.VerloreneSteineZiehend = 1;
  EXPECT_EQ(Fehlertext([&] { GenMemStep(bib, *s, kaputt, feste2); }), "Plausifehler #02");
}

}  // namespace
}  // namespace quarne
