#include "parallel/celltree.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "engine/search.h"
#include "engine/values.h"
#include "tests/engine/test_host.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::Pos;

TZug Z(TZugResZiehend res, double wert, int inX = 0) {
  TZug z{};
  z.Wertung.ZugResGesamt = res;
  z.Wertung.PunktWertA = z.Wertung.PunktWertGes = wert;
  z.Wertung.ResultInXZuegen = inX;
  return z;
}

// Records which workers the merge stopped; worker n holds cell zellen[n].
struct FakeArbeiter final : Arbeiter {
  std::vector<int> zellen = std::vector<int>(9, -1);
  std::vector<int> gestoppt;
  int Zelle(int n) const override { return zellen.at(static_cast<std::size_t>(n)); }
  void HTStopThread(int n) override {
    gestoppt.push_back(n);
    zellen.at(static_cast<std::size_t>(n)) = -1;
  }
};

class Zellbaum : public ::testing::Test {
 protected:
  Einstellungen einst;
  test::TestHost host;
  HTBaum baum{einst, host};
  FakeArbeiter arbeiter;

  TZug& E(int L, int i) { return baum.HTStepListe[L].ZugListe.at(static_cast<std::size_t>(i)); }

  // Every entry below level 1 points to a parent whose child range holds it, every parent's
  // children form one block, and the blocks account for the whole level.
  void PruefeVerweise(const HTEbenen& t, int stepMax) {
    for (int L = 2; L <= stepMax; ++L) {
      int kinder = 0;
      for (int p = 0; p <= t[L - 1].ZugListeZeiger; ++p) {
        const TZug& e = t[L - 1].ZugListe[static_cast<std::size_t>(p)];
        if (e.LISTEVON < 0) {
          EXPECT_EQ(e.LISTEBIS, -1);
          continue;
        }
        ASSERT_LE(e.LISTEVON, e.LISTEBIS);
        ASSERT_LE(e.LISTEBIS, t[L].ZugListeZeiger);
        for (int k = e.LISTEVON; k <= e.LISTEBIS; ++k)
          EXPECT_EQ(t[L].ZugListe[static_cast<std::size_t>(k)].LISTE_1, p) << L << "/" << k;
        kinder += e.LISTEBIS - e.LISTEVON + 1;
      }
      EXPECT_EQ(kinder, t[L].Anzahl()) << "Ebene " << L;
    }
    for (int L = stepMax + 1; L <= kMaxSteps; ++L) EXPECT_EQ(t[L].ZugListeZeiger, -1);
  }
};

TEST_F(Zellbaum, HTAddZugVerknuepftUndWaechst) {
  TZug zug = Z(rsQuarn, 7);
  zug.StepMaxZug = 3;
  zug.IMTHREAD = 4;
  zug.Canceld = true;
  for (int i = 0; i < 150; ++i) EXPECT_EQ(baum.HTAddZug(1, zug, false, -1), i);
  EXPECT_EQ(baum.HTStepListe[1].ZugListe.size(), 200u);
  const struct {
    int eltern;
    bool bewertet;
  } kinder[] = {{0, false}, {0, true}, {5, false}};
  for (const auto& k : kinder) baum.HTAddZug(2, zug, k.bewertet, k.eltern);
  EXPECT_EQ(E(1, 0).LISTEVON, 0);
  EXPECT_EQ(E(1, 0).LISTEBIS, 1);
  EXPECT_EQ(E(1, 5).LISTEVON, 2);
  EXPECT_EQ(E(1, 5).LISTEBIS, 2);
  EXPECT_EQ(E(1, 1).LISTEVON, -1);
  EXPECT_EQ(E(2, 2).LISTE_1, 5);
  EXPECT_EQ(E(1, 7).LISTE_1, -1);
  // Tree fields start afresh; only a decided entry keeps the depth it was decided at.
  EXPECT_EQ(E(2, 0).StepMaxZug, 0);
  EXPECT_EQ(E(2, 1).StepMaxZug, 3);
  EXPECT_TRUE(E(2, 1).BEWERTET);
  EXPECT_EQ(E(2, 0).IMTHREAD, 0);
  EXPECT_FALSE(E(2, 0).Canceld);
  EXPECT_EQ(baum.Offene(2), 2);
  baum.Leeren();
  EXPECT_EQ(baum.HTStepListe[1].ZugListeZeiger, -1);
  EXPECT_THROW(baum.HTAddZug(2, zug, false, 0), std::logic_error);
}

// What a list-mode pass leaves behind, from positions of every phase; then the sorted copy.
TEST_F(Zellbaum, ListenpassUndSortierteKopie) {
  const char* const stellungen[] = {
      "........................ W 0 0",  // placing, empty board
      "WW..SSS.S.S............. W 2 5",  // placing with mills on offer
      "W.SW.S.WSWS..WS.SW.S.W.S W 9 9",  // moving
      "W...W...SS.S..S.......W. W 9 9",  // White flies
      "SSW.W.W.SWS.S........... S 9 9",  // Black can close mills against a flying side
  };
  int entschiedeneEltern = 0;
  for (const char* text : stellungen) {
    SCOPED_TRACE(text);
    const Stellung st = Pos(text);
    auto suche = std::make_unique<Suche>(einst, host);
    const LeererVerlauf verlauf;
    const Suche::ListenErgebnis r =
        suche->StepRoutineListe(6, st.zug, 1, st.farbe, true, verlauf, baum);
    ASSERT_GE(r.StepMax, 1);
    const int offen = baum.Offene(r.StepMax);
    EXPECT_EQ(r.done, offen == 0);
    EXPECT_TRUE(offen >= Suche::kZellenZiel || r.done || r.StepMax == 6) << offen;
    EXPECT_EQ(baum.HTStepListe[1].Anzahl(), suche->Steps[1].ZuegeAnzahl);
    PruefeVerweise(baum.HTStepListe, r.StepMax);
    // A move that wins at once makes its parent a loss in one, with nothing left below it.
    for (int L = 1; L < r.StepMax; ++L)
      for (const TZug& e : baum.HTStepListe[L].ZugListe) {
        if (&e - baum.HTStepListe[L].ZugListe.data() > baum.HTStepListe[L].ZugListeZeiger) break;
        if (e.Wertung.ZugResGesamt != rsLOSS) continue;
        ++entschiedeneEltern;
        EXPECT_TRUE(e.BEWERTET);
        EXPECT_EQ(e.Wertung.ResultInXZuegen, 1);
        EXPECT_EQ(e.LISTEVON, -1);
        EXPECT_TRUE(e.SmartZuege[L + 1].GewinnDurchQuarne || e.SmartZuege[L + 1].GewinnDurchBlock);
      }

    baum.CopyAndSortHTStepListeNeu(r.StepMax);
    const HTEbenen& neu = baum.HTStepListeNeu;
    PruefeVerweise(neu, r.StepMax);
    for (int L = 1; L <= r.StepMax; ++L) {
      ASSERT_EQ(neu[L].Anzahl(), baum.HTStepListe[L].Anzahl());
      // Best first within each block, and the blocks in the order of their parents.
      for (int k = 0; k + 1 < neu[L].Anzahl(); ++k) {
        const TZug& a = neu[L].ZugListe[static_cast<std::size_t>(k)];
        const TZug& b = neu[L].ZugListe[static_cast<std::size_t>(k + 1)];
        EXPECT_LE(a.LISTE_1, b.LISTE_1);
        if (a.LISTE_1 == b.LISTE_1) {
          EXPECT_FALSE(IstBesserA(a, b, einst, host)) << L << "/" << k;
        }
      }
    }
    baum.HTRestoreStepListe();
    PruefeVerweise(baum.HTStepListe, r.StepMax);
  }
  EXPECT_GT(entschiedeneEltern, 0);
  EXPECT_TRUE(host.meldungen.empty()) << host.meldungen.front();
}

TEST_F(Zellbaum, LeereErsteEbeneBleibtUnsortiert) {
  baum.HTStepListeNeu[1].ZugListeZeiger = 7;
  baum.CopyAndSortHTStepListeNeu(3);
  EXPECT_EQ(baum.HTStepListeNeu[1].ZugListeZeiger, 7);
}

// A hand-made tree: root moves 0 and 1; below root move 0 the replies 0..2 at level 2 (cells).
class Zusammenfuehrung : public Zellbaum {
 protected:
  void SetUp() override {
    baum.HTAddZug(1, Z(rsQuarn, 500), false, -1);
    baum.HTAddZug(1, Z(rsQuarn, 300), false, -1);
    for (int i = 0; i < 3; ++i) baum.HTAddZug(2, Z(rsQuarn, 0), false, 0);
    baum.HTAddZug(2, Z(rsQuarn, 0), false, 1);
  }
};

TEST_F(Zusammenfuehrung, TeilbewerteterElternzugBehaeltSeinenPunktWertA) {
  E(2, 0) = Z(rsQuarn, 1000);
  E(2, 0).BEWERTET = true;
  E(2, 0).LISTE_1 = 0;
  EXPECT_FALSE(baum.HTBewerteBlock(2, 3, 2, 0, 2, arbeiter));
  EXPECT_EQ(E(1, 0).TEILBEW, 1);
  EXPECT_FALSE(E(1, 0).BEWERTET);
  EXPECT_DOUBLE_EQ(E(1, 0).Wertung.PunktWertGes, 500 - 0.97 * 1000);
  EXPECT_EQ(E(1, 0).Wertung.PunktWertA, 500);
  // Once every reply is in, the parent is final and its own value becomes the total.
  E(2, 1).BEWERTET = E(2, 2).Canceld = true;
  EXPECT_FALSE(baum.HTBewerteBlock(2, 3, 2, 0, 2, arbeiter));
  EXPECT_TRUE(E(1, 0).BEWERTET);
  EXPECT_EQ(E(1, 0).StepMaxZug, 3);
  EXPECT_DOUBLE_EQ(E(1, 0).Wertung.PunktWertA, E(1, 0).Wertung.PunktWertGes);
}

TEST_F(Zusammenfuehrung, LauterAbgeschnitteneKinderGebenKeinenWert) {
  for (int i = 0; i < 3; ++i) E(2, i).Canceld = true;
  const TZugWert vorher = E(1, 0).Wertung;
  EXPECT_FALSE(baum.HTBewerteBlock(2, 3, 2, 0, 2, arbeiter));
  EXPECT_FALSE(E(1, 0).BEWERTET);
  EXPECT_EQ(E(1, 0).TEILBEW, 0);
  EXPECT_EQ(E(1, 0).Wertung.PunktWertGes, vorher.PunktWertGes);
  // At the root, moves that are all cut off still count as decided.
  E(1, 0).Canceld = E(1, 1).Canceld = true;
  EXPECT_TRUE(baum.HTBewerteBlock(1, 3, 2, 0, 1, arbeiter));
}

// A partial cell that can no longer beat its best sibling is cut and its worker stopped; at the
// root, CBVoll keeps every move.
TEST_F(Zusammenfuehrung, HoffnungsloseTeilwerteWerdenAbgeschnitten) {
  E(2, 0) = Z(rsQuarn, -2000);  // the reply that is best for the side at level 2
  E(2, 0).BEWERTET = true;
  E(2, 0).LISTE_1 = 0;
  E(2, 1).TEILBEW = 2;
  E(2, 1).Wertung.PunktWertGes = -3000;
  E(2, 1).IMTHREAD = 3;
  arbeiter.zellen[3] = 1;
  E(2, 2).TEILBEW = 1;
  E(2, 2).Wertung.PunktWertGes = -1000;  // may still become best: searched on
  E(2, 2).IMTHREAD = 4;
  arbeiter.zellen[4] = 2;
  baum.HTBewerteBlock(2, 3, 2, 0, 2, arbeiter);
  EXPECT_TRUE(E(2, 1).Canceld);
  EXPECT_EQ(E(2, 1).ClWay, 1);
  EXPECT_EQ(E(2, 1).StepMaxZug, 3);
  EXPECT_FALSE(E(2, 2).Canceld);
  EXPECT_EQ(arbeiter.gestoppt, std::vector<int>{3});

  // The same at the root, where cells are not at the deepest level: ClWay 2, unless CBVoll.
  E(1, 0).BEWERTET = true;
  E(1, 0).Wertung.PunktWertGes = 800;
  E(1, 1).TEILBEW = 1;
  E(1, 1).Wertung.PunktWertGes = 100;
  einst.CBVoll = true;
  EXPECT_FALSE(baum.HTBewerteBlock(1, 3, 2, 0, 1, arbeiter));
  EXPECT_FALSE(E(1, 1).Canceld);
  einst.CBVoll = false;
  EXPECT_TRUE(baum.HTBewerteBlock(1, 3, 2, 0, 1, arbeiter));
  EXPECT_TRUE(E(1, 1).Canceld);
  EXPECT_EQ(E(1, 1).ClWay, 2);
  EXPECT_TRUE(host.meldungen.empty());
}

// A cell whose ancestor is decided goes with ClWay 3 on the next merge, and its worker stops;
// so does every entry between them, however many levels lie between.
TEST_F(Zusammenfuehrung, ZellenUnterEntschiedenemVorgaenger) {
  E(1, 1).BEWERTET = true;
  E(2, 3).IMTHREAD = 2;
  arbeiter.zellen[2] = 3;
  baum.HTCancelZellen(2, arbeiter);
  EXPECT_TRUE(E(2, 3).Canceld);
  EXPECT_EQ(E(2, 3).ClWay, 3);
  EXPECT_EQ(arbeiter.gestoppt, std::vector<int>{2});
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(E(2, i).Canceld);

  // A third level: cells below the undecided reply 0 of root move 0 and below reply 3.
  E(2, 3).Canceld = false;
  arbeiter.gestoppt.clear();
  baum.HTAddZug(3, Z(rsQuarn, 0), false, 0);
  baum.HTAddZug(3, Z(rsQuarn, 0), false, 3);
  E(3, 0).IMTHREAD = 1;
  E(3, 1).IMTHREAD = 2;
  arbeiter.zellen[1] = 0;
  arbeiter.zellen[2] = 1;
  baum.HTCancelZellen(3, arbeiter);
  EXPECT_EQ(E(2, 3).ClWay, 3);
  EXPECT_TRUE(E(3, 1).Canceld);
  EXPECT_EQ(E(3, 1).ClWay, 3);
  EXPECT_FALSE(E(3, 0).Canceld);
  EXPECT_EQ(arbeiter.gestoppt, std::vector<int>{2});
}

// The next iteration hands out first the cells below the root move that is now best, and below
// a root move first the reply that valued it; the tree itself keeps its order.
TEST_F(Zusammenfuehrung, NaechsteIterationBeginntWoDieLetzteDenBestenFand) {
  baum.OrdneWieDerBaum(2);
  bool offen = false;
  EXPECT_EQ(baum.NaechsteZelle(2, true, offen), 0);

  // The iteration found root move 1 better than root move 0, and reply 2 decided root move 0.
  E(1, 1).Wertung = Z(rsQuarn, 900).Wertung;
  E(2, 2).BEWERTET = true;
  baum.OrdneNachIteration(2);
  for (TZug& z : baum.HTStepListe[2].ZugListe) z.BEWERTET = false;

  std::vector<int> folge;
  for (int i; (i = baum.NaechsteZelle(2, false, offen)) >= 0;) {
    folge.push_back(i);
    E(2, i).IMTHREAD = 1;
  }
  EXPECT_EQ(folge, (std::vector<int>{3, 2, 0, 1}));
  EXPECT_EQ(E(1, 0).LISTEVON, 0);
  EXPECT_EQ(E(2, 2).LISTE_1, 0);

  // The eldest of each block is now the first in that order: the cells below root move 0 wait
  // until root move 1 is decided, and then for reply 2.
  for (TZug& z : baum.HTStepListe[2].ZugListe) z.IMTHREAD = 0;
  E(2, 3).IMTHREAD = 1;
  EXPECT_EQ(baum.NaechsteZelle(2, true, offen), -1);
  EXPECT_TRUE(offen);
  E(1, 1).BEWERTET = true;
  EXPECT_EQ(baum.NaechsteZelle(2, true, offen), 2);
  E(2, 2).IMTHREAD = 2;
  EXPECT_EQ(baum.NaechsteZelle(2, true, offen), -1);
}

TEST_F(Zusammenfuehrung, StepListeText) {
  const std::string schluss = "\r\n\r\n\r\n" + std::string(66, '-') + "\r\n\r\n\r\n";
  std::string text;
  baum.SchreibeStepListe(text);
  EXPECT_EQ(text, schluss);
  E(2, 1).BEWERTET = true;
  E(2, 1).IMTHREAD = 2;
  E(2, 3).Canceld = true;
  E(2, 3).ClWay = 3;
  text.clear();
  baum.SchreibeStepListe(text);
  // A line that reaches a new entry of a level above gets a blank line before it.
  EXPECT_EQ(text,
            "Zelle 1/2: B TBw 0 Th 2  #  Zelle 0/1:  TBw 0 Th 0  #  \r\n"
            "\r\nZelle 3/2: C3 TBw 0 Th 0  #  Zelle 1/1:  TBw 0 Th 0  #  \r\n" +
                schluss);
}

}  // namespace
}  // namespace quarne
