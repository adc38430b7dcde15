#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/bigswap.h"
#include "core/notation.h"
#include "engine/evaluation.h"
#include "engine/stepstack.h"
#include "tests/engine/test_host.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::P;
using test::Pos;

constexpr const char* kUeberlauf = "Die Anzahl der maximalen Züge im Step reichen nicht aus!";

// A step stack that generates plies on its own; the test of the last ply is only counted.
class GenStack final : public StepStack {
 public:
  using StepStack::SetzeVerlauf;
  using StepStack::StepStack;
  int testungen = 0;

  void Wurzel(const Stellung& st, int zugNummer = 1) {
    UebernimmEinstellungen();
    for (int s = 1; s <= kMaxSteps; ++s) Steps[s].Virtuell = false;
    BereiteStepVor(1, st.zug, zugNummer, st.farbe);
  }
  bool Gen(int s, const GenModus& m) {
    bool cancel = false;
    return HTGenMoves(s, m, cancel);
  }
  std::vector<std::string> Texte(int s) {
    std::vector<std::string> t;
    for (int i = 1; i <= Steps[s].ZuegeAnzahl; ++i) {
      const TZug& z = Steps[s].Zuege[i];
      t.push_back(ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne));
    }
    return t;
  }
  // Makes the move with the given text the current one at ply s and sets up ply s + 1.
  void Spiele(int s, const std::string& text) {
    const std::vector<std::string> t = Texte(s);
    for (std::size_t i = 0; i < t.size(); ++i)
      if (t[i] == text) {
        Steps[s].ZugZeiger = static_cast<int>(i) + 1;
        BereiteStepVor(s + 1);
        return;
      }
    ADD_FAILURE() << "kein Zug " << text << " in Step " << s;
  }

 protected:
  bool HTTestung(int, int, bool) override {
    ++testungen;
    return false;
  }
};

GenModus Letzter(int d = 1) {
  GenModus m;
  m.stepMax = d;
  m.stepIsMax = true;
  return m;
}

GenModus Innen(int d = 2) {
  GenModus m;
  m.stepMax = d;
  return m;
}

class Erzeugung : public ::testing::Test {
 protected:
  Einstellungen einst;
  test::TestHost host;
  std::unique_ptr<GenStack> stack = std::make_unique<GenStack>(einst, host);
  TStep& W() { return stack->Steps[1]; }
};

TEST_F(Erzeugung, StartstellungSetztInBitreihenfolge) {
  stack->Wurzel(Pos("........................ W 0 0"));
  EXPECT_FALSE(stack->Gen(1, Letzter()));
  ASSERT_EQ(W().ZuegeAnzahl, 24);
  for (int i = 1; i <= 24; ++i) {
    const TZug& z = W().Zuege[i];
    EXPECT_EQ(z.Nr, i);
    EXPECT_EQ(W().ZZ[i], i);
    EXPECT_EQ(z.VonPosition, 0u);
    EXPECT_EQ(z.NachPosition, Punkt(i - 1));
    EXPECT_EQ(z.BrettNachZug.SteineZiehend, Punkt(i - 1));
    EXPECT_EQ(z.BrettNachZug.SteineAnzahlZiehend, 1);
    EXPECT_EQ(z.BrettNachZug.GesetzteSteineZiehend, 1);
    EXPECT_EQ(z.ZugOhneQuarne, 1);
    EXPECT_EQ(z.Wertung.ZugResGesamt, rsQuarn);
    EXPECT_TRUE(z.BEWERTET);
  }
  EXPECT_EQ(stack->GenZuege(), 24);
  EXPECT_EQ(stack->testungen, 24);
}

TEST_F(Erzeugung, MuehleWirdJeSchlagbaremSteinEinZug) {
  // White closes a1 d1 g1; Black's a7 d7 g7 is a closed mill, so only b2 and f2 may go.
  stack->Wurzel(Pos("WW..SSS.S.S............. W 2 5"));
  stack->Gen(1, Innen());
  const std::vector<std::string> t = stack->Texte(1);
  ASSERT_EQ(t.size(), 18u);
  EXPECT_EQ(t[0], "--- g1 M:b2");
  EXPECT_EQ(t[1], "--- g1 M:f2");
  EXPECT_EQ(t[2], "--- g4");
  for (int i = 1; i <= 2; ++i) {
    const TZug& z = W().Zuege[i];
    EXPECT_EQ(z.Nr, i);
    EXPECT_TRUE(z.ErgibtQuarne);
    EXPECT_EQ(z.ZugOhneQuarne, 0);
    EXPECT_EQ(z.BrettNachZug.SteineAnzahlStehend, 4);
    EXPECT_EQ(z.BrettNachZug.VerloreneSteineStehend, 1);
    EXPECT_EQ(z.BrettNachZug.SteineAnzahlZiehend, 3);
    EXPECT_EQ(z.BrettNachZug.GesetzteSteineZiehend, 3);
    EXPECT_EQ(z.BrettNachZug.AlleSteine,
              z.BrettNachZug.SteineZiehend | z.BrettNachZug.SteineStehend);
    EXPECT_EQ(z.BrettNachZug.SteineStehend & z.EntfStein, 0u);
    EXPECT_EQ(z.Wertung.PunktWertA,
              einst.gewichte.EDPunktWert +
                  ZugBewertung(z.BrettNachZug.SteineZiehend, z.BrettNachZug.SteineStehend, einst));
  }
  EXPECT_EQ(stack->GenZuege(), 18);

  // When every opposing stone stands in a mill, every one may be taken.
  stack->Wurzel(Pos("WW..SSS................. W 2 3"));
  stack->Gen(1, Innen());
  EXPECT_EQ(stack->Texte(1)[0], "--- g1 M:g7");
  EXPECT_EQ(stack->Texte(1)[2], "--- g1 M:a7");
}

TEST_F(Erzeugung, MuehleGegenSpringendenGegnerGewinntSofort) {
  const Stellung st = Pos("WW.W...........WW.S.S.S. W 9 9");
  stack->Wurzel(st);
  EXPECT_TRUE(stack->Gen(1, Innen()));
  const std::vector<std::string> kurz = {"a1 a4", "d1 g1", "d1 d2", "g4 g7", "g4 g1 M:e3"};
  EXPECT_EQ(stack->Texte(1), kurz);
  const TZug& sieg = W().Zuege[5];
  EXPECT_EQ(sieg.Wertung.ZugResGesamt, rsWIN);
  EXPECT_EQ(sieg.Wertung.ResultInXZuegen, 0);
  EXPECT_TRUE(sieg.BEWERTET);
  EXPECT_TRUE(sieg.SmartZuege[1].GewinnDurchQuarne);
  EXPECT_EQ(sieg.Wertung.PunktWertGes, 0);

  // With every move asked for, all three variants follow and generation goes on.
  GenModus alle = Innen();
  alle.alleZuege = true;
  stack->Wurzel(st);
  EXPECT_FALSE(stack->Gen(1, alle));
  const std::vector<std::string> t = stack->Texte(1);
  ASSERT_GT(t.size(), 7u);
  EXPECT_EQ(t[4], "g4 g1 M:e3");
  EXPECT_EQ(t[5], "g4 g1 M:e5");
  EXPECT_EQ(t[6], "g4 g1 M:c5");
  EXPECT_EQ(t[7], "g4 f4");
}

TEST_F(Erzeugung, ZiehenUndSpringenInErzeugungsreihenfolge) {
  // a1 (corner) and d2 (midpoint of the middle square) can move; c3 and c5 are blocked.
  stack->Wurzel(Pos("W........W......WS...SWS W 9 9"));
  stack->Gen(1, Innen());
  const std::vector<std::string> ziehen = {"a1 d1", "a1 a4", "d2 f2", "d2 b2", "d2 d1"};
  EXPECT_EQ(stack->Texte(1), ziehen);

  // Flying with three stones: every stone to every empty point.
  stack->Wurzel(Pos("W...W...SS.S..S.......W. W 9 9"));
  stack->Gen(1, Innen());
  EXPECT_EQ(W().ZuegeAnzahl, 3 * 17);
  EXPECT_EQ(stack->Texte(1)[0], "a1 d1");
  EXPECT_EQ(stack->Texte(1)[1], "a1 g1");
  EXPECT_EQ(stack->Texte(1)[17], "g7 d1");
}

TEST_F(Erzeugung, VirtuellerStepSchiebtOhneZuSchlagenUndPasstZuletzt) {
  // Placing phase, but the ply is virtual: stones slide, a mill removes nothing.
  stack->Wurzel(Pos("W.WW.....S.S............ W 3 2"));
  W().Virtuell = true;
  stack->Gen(1, Letzter());
  const std::vector<std::string> t = stack->Texte(1);
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back(), "--- ---");
  EXPECT_EQ(t[0], "a1 d1");
  for (int i = 1; i <= W().ZuegeAnzahl; ++i) {
    const TZug& z = W().Zuege[i];
    EXPECT_EQ(z.EntfStein, 0u);
    EXPECT_EQ(z.BrettNachZug.SteineAnzahlStehend, 2);
    EXPECT_EQ(z.BrettNachZug.GesetzteSteineZiehend, 3);
  }
  const std::vector<std::string> erwartet = {"a1 d1", "a1 a4", "g1 d1", "g4 g7", "--- ---"};
  EXPECT_EQ(t, erwartet);
  // A pass that is not the only move is valued like any virtual move.
  const TZug& pass = W().Zuege[W().ZuegeAnzahl];
  EXPECT_EQ(pass.Wertung.PunktWertA,
            ZugBewertung(pass.BrettNachZug.SteineZiehend, pass.BrettNachZug.SteineStehend, einst) +
                EndBewertung(pass.BrettNachZug.SteineZiehend, pass.BrettNachZug.SteineStehend, true,
                             einst));

  // A blocked side has only the pass, worth a virtual loss.
  stack->Wurzel(Pos("WS.....S................ W 1 2"));
  W().Virtuell = true;
  stack->Gen(1, Letzter());
  ASSERT_EQ(W().ZuegeAnzahl, 1);
  EXPECT_EQ(W().Zuege[1].Wertung.PunktWertGes, -einst.gewichte.EDWinVirt);
}

TEST_F(Erzeugung, VirtuelleMuehleZaehltEDPunktVirt) {
  // g4 slides to g1 and closes a1 d1 g1 in a virtual ply.
  stack->Wurzel(Pos("WW.W....S.S............. W 3 2"));
  W().Virtuell = true;
  stack->Gen(1, Letzter());
  const std::vector<std::string> t = stack->Texte(1);
  std::size_t i = 0;
  while (i < t.size() && t[i] != "g4 g1 M") ++i;
  ASSERT_LT(i, t.size());
  const TZug& z = W().Zuege[static_cast<int>(i) + 1];
  const Punkte a = z.BrettNachZug.SteineZiehend, b = z.BrettNachZug.SteineStehend;
  EXPECT_EQ(z.EntfStein, 0u);
  EXPECT_EQ(z.Wertung.PunktWertGes, einst.gewichte.EDPunktVirt + ZugBewertung(a, b, einst) +
                                        EndBewertung(a, b, true, einst));
}

TEST_F(Erzeugung, RemisDurchZugLimit) {
  Stellung st = Pos("WW.W...........WW.SSS.S. W 9 9");
  const struct {
    int limit, ohneQuarne;
    bool remis;
  } faelle[] = {
      {40, 39, true}, {40, 38, false}, {-1, 500, false}, {40, 50, true}, {100, 60, false}};
  for (const auto& f : faelle) {
    einst.RemisLimit = f.limit;
    st.zug.ZugOhneQuarne = f.ohneQuarne;
    stack->Wurzel(st);
    stack->Gen(1, Innen());
    for (int i = 1; i <= W().ZuegeAnzahl; ++i) {
      const TZug& z = W().Zuege[i];
      const bool erwartet = f.remis && !z.ErgibtQuarne;
      EXPECT_EQ(z.Wertung.ZugResGesamt == rsWDH, erwartet) << f.limit << "/" << f.ohneQuarne;
      if (!erwartet) continue;
      EXPECT_TRUE(z.SmartZuege[1].RemisDurchLimit);
      EXPECT_FALSE(z.SmartZuege[1].RemisDurchWdh);
      EXPECT_EQ(z.Wertung.PunktWertA, 0);
      EXPECT_TRUE(z.BEWERTET);
    }
  }
}

// The game so far as a list of played moves.
class Verlauf final : public SpielVerlauf {
 public:
  std::vector<TZug> vorDemZug;
  std::vector<TFarbe> farbe;
  int Anzahl() const override { return static_cast<int>(vorDemZug.size()); }
  const TZug& VorDemZug(int i) const override { return vorDemZug[i - 1]; }
  TFarbe Farbe(int i) const override { return farbe[i - 1]; }
};

TEST_F(Erzeugung, DritteWiederholungIstRemis) {
  // White shuttles a1-d1, Black e5-e4: the position before ply 1 comes back after ply 4 and,
  // for the third time, after ply 8.
  const Stellung st = Pos("W..W.W.WSW..S.S.S...S... W 9 9");
  const char* zuege[] = {"a1 d1", "e5 e4", "d1 a1", "e4 e5", "a1 d1", "e5 e4", "d1 a1", "e4 e5"};
  LeererVerlauf leer;
  stack->SetzeVerlauf(leer);
  stack->Wurzel(st);
  for (int s = 1; s <= 8; ++s) {
    stack->Gen(s, Innen(9));
    const std::vector<std::string> t = stack->Texte(s);
    int i = 0;
    while (t[i] != zuege[s - 1]) ++i;
    const TZug& z = stack->Steps[s].Zuege[i + 1];
    EXPECT_EQ(z.Wertung.ZugResGesamt == rsWDH, s == 8) << "Step " << s;
    if (s == 8) {
      EXPECT_TRUE(z.SmartZuege[8].RemisDurchWdh);
    }
    if (s < 8) stack->Spiele(s, zuege[s - 1]);
  }

  // The same with the first four plies already played in the game.
  Verlauf verlauf;
  for (int s = 1; s <= 4; ++s) {
    verlauf.vorDemZug.push_back(stack->Steps[s].VorDemZug);
    verlauf.farbe.push_back(stack->Steps[s].STFarbeZiehend);
  }
  Stellung mitte{stack->Steps[5].VorDemZug, clWeiss};
  quarne::HTBigSwap(mitte.zug.BrettNachZug);  // back to the view of the side that made ply 4
  stack->SetzeVerlauf(verlauf);
  stack->Wurzel(mitte, 5);
  for (int s = 1; s <= 4; ++s) {
    stack->Gen(s, Innen(9));
    const std::vector<std::string> t = stack->Texte(s);
    int i = 0;
    while (t[i] != zuege[s + 3]) ++i;
    EXPECT_EQ(stack->Steps[s].Zuege[i + 1].Wertung.ZugResGesamt == rsWDH, s == 4) << s;
    if (s < 4) stack->Spiele(s, zuege[s + 3]);
  }

  // A mill in the history ends the search for earlier positions.
  verlauf.vorDemZug[1].ErgibtQuarne = true;
  stack->Wurzel(mitte, 5);
  for (int s = 1; s <= 4; ++s) {
    stack->Gen(s, Innen(9));
    const std::vector<std::string> t = stack->Texte(s);
    int i = 0;
    while (t[i] != zuege[s + 3]) ++i;
    EXPECT_NE(stack->Steps[s].Zuege[i + 1].Wertung.ZugResGesamt, rsWDH) << s;
    if (s < 4) stack->Spiele(s, zuege[s + 3]);
  }
}

TEST_F(Erzeugung, MuehleOhneGegnerischeSteineBleibtEinZug) {
  // Black has placed one stone and lost it: White's mill has nothing to take.
  stack->Wurzel(Pos("WW...................... W 2 1"));
  stack->Gen(1, Letzter());
  const std::vector<std::string> t = stack->Texte(1);
  ASSERT_EQ(t.size(), 22u);
  EXPECT_EQ(t[0], "--- g1 M");
  const TZug& z = W().Zuege[1];
  EXPECT_EQ(z.Nr, 1);
  EXPECT_EQ(z.Wertung.ZugResGesamt, rsQuarn);
  EXPECT_TRUE(z.ErgibtQuarne);
  EXPECT_EQ(z.ZugOhneQuarne, 0);
  EXPECT_EQ(z.EntfStein, 0u);
  EXPECT_EQ(z.BrettNachZug.SteineAnzahlStehend, 0);
  EXPECT_EQ(z.BrettNachZug.VerloreneSteineStehend, 1);
  EXPECT_EQ(z.BrettNachZug.GesetzteSteineZiehend, 3);
  EXPECT_TRUE(z.BEWERTET);
  const Punkte a = z.BrettNachZug.SteineZiehend;
  EXPECT_EQ(z.Wertung.PunktWertGes, einst.gewichte.EDPunktWert + ZugBewertung(a, 0, einst) +
                                        EndBewertung(a, 0, false, einst));
  EXPECT_EQ(stack->GenZuege(), 22);
}

TEST_F(Erzeugung, UeberlaufBleibtBeiHundertZuegen) {
  // Not a position of a game: twelve white stones surround the four free midpoints of the
  // middle square, and each of the 16 moves into them closes a mill against 8 loose stones.
  Stellung st{};
  st.farbe = clWeiss;
  TBrett& b = st.zug.BrettNachZug;
  b.SteineStehend = P("b2 f2 f6 b6 d1 d3 g4 e4 d7 d5 a4 c4");
  b.SteineZiehend = P("a1 g1 g7 a7 c3 e3 e5 c5");
  b.AlleSteine = b.SteineZiehend | b.SteineStehend;
  b.SteineAnzahlStehend = b.GesetzteSteineStehend = 12;
  b.SteineAnzahlZiehend = b.GesetzteSteineZiehend = 8;
  stack->Wurzel(st);
  stack->Gen(1, Innen());
  EXPECT_EQ(W().ZuegeAnzahl, 100);
  ASSERT_FALSE(host.meldungen.empty());
  for (const std::string& m : host.meldungen) EXPECT_EQ(m, kUeberlauf);
}

TEST_F(Erzeugung, ListenmodusLaesstMusterWegUndBehaeltDenMuehlenwert) {
  GenModus liste = Letzter();
  liste.listMode = true;
  liste.testung = false;
  stack->Wurzel(Pos("WW..SSS.S.S............. W 2 5"));
  stack->Gen(1, liste);
  EXPECT_EQ(stack->testungen, 0);
  const TZug& muehle = W().Zuege[1];
  const TZug& gewoehnlich = W().Zuege[3];
  const TBrett& mb = muehle.BrettNachZug;
  EXPECT_EQ(muehle.Wertung.PunktWertA,
            einst.gewichte.EDPunktWert + ZugBewertung(mb.SteineZiehend, mb.SteineStehend, einst));
  EXPECT_EQ(muehle.Wertung.PunktWertGes, einst.gewichte.EDPunktWert);
  EXPECT_TRUE(muehle.BEWERTET);
  const TBrett& gb = gewoehnlich.BrettNachZug;
  EXPECT_EQ(gewoehnlich.Wertung.PunktWertGes,
            ZugBewertung(gb.SteineZiehend, gb.SteineStehend, einst));
}

}  // namespace
}  // namespace quarne
