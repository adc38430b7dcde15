#include "library/storing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>

#include "engine/values.h"
#include "library/lookup.h"
#include "tests/engine/test_positions.h"
#include "tests/library/library_fixtures.h"

namespace quarne {
namespace {

using namespace test;

// A calculated entry with its children range.
TBibZug Berechnet(TBibZug e, int von, int bis, int tiefe) {
  e.BibBerechnet = true;
  e.BibVon = von;
  e.BibBis = bis;
  e.BibDenkTiefe = tiefe;
  return e;
}

// A finished calculation: the moves best first.
std::unique_ptr<TStep> Rechnung(int tiefe, std::initializer_list<TZug> zuege) {
  auto s = std::make_unique<TStep>();
  s->STDenkTiefe = tiefe;
  for (const TZug& z : zuege) s->Zuege[++s->ZuegeAnzahl] = z;
  return s;
}

// The two root entries of the empty board that building starts from.
void Wurzeln(TBibliothek& bib) {
  TBibZug computer = Neu(TZug{}, rC, true), spieler = Neu(TZug{}, rS, true);
  computer.Frei = spieler.Frei = true;
  bib[0].BibZuege = {computer, spieler};
}

bool GleicheEintraege(const TBibliothek& a, const TBibliothek& b) {
  for (int L = 0; L < kBibStufen; ++L)
    if (a[L].BibCnt() != b[L].BibCnt() ||
        (a[L].BibCnt() > 0 && std::memcmp(a[L].BibZuege.data(), b[L].BibZuege.data(),
                                          a[L].BibZuege.size() * sizeof(TBibZug)) != 0))
      return false;
  return true;
}

bool IrgendeinZuLoeschen(const TBibliothek& bib) {
  for (const TBibSegm& s : bib.Stufen)
    for (const TBibZug& e : s.BibZuege)
      if (e.ZuLoeschen) return true;
  return false;
}

// The position up to symmetry: the smallest of its 16 images.
std::pair<Punkte, Punkte> Klasse(const TBrett& b) {
  std::pair<Punkte, Punkte> klein{~0u, ~0u};
  for (TSymmetrie t : kSymmetrien)
    klein = std::min(klein, {Transformiere(b.SteineZiehend, t), Transformiere(b.SteineStehend, t)});
  return klein;
}

class SpeichernTest : public BibMitSuche {
 protected:
  // The children of the root of the empty board, after the calculation s was stored.
  void PruefeKinderDerWurzel(const TStep& s) {
    const TBibZug& w = bib[0].BibZuege[0];
    ASSERT_EQ(w.BibVon, 0);
    ASSERT_EQ(w.BibBis, 23);
    EXPECT_EQ(w.BibDenkTiefe, s.STDenkTiefe);
    EXPECT_EQ(w.BibVirtuellAb, s.VirtuellAb);
    ASSERT_EQ(bib[1].BibCnt(), 24);
    const int gleichBeste = AnzahlGleichBeste(s);
    std::map<std::pair<Punkte, Punkte>, int> repraesentanten;
    for (int t = 1; t <= s.ZuegeAnzahl; ++t) {
      const auto kind = std::find_if(
          bib[1].BibZuege.begin(), bib[1].BibZuege.end(),
          [&](const TBibZug& e) { return Schluessel(e.Zug) == Schluessel(s.Zuege[t]); });
      ASSERT_NE(kind, bib[1].BibZuege.end());
      EXPECT_EQ(kind->Zug.Wertung.PunktWertGes, s.Zuege[t].Wertung.PunktWertGes);
      EXPECT_EQ(kind->rSC, t <= gleichBeste ? rS : r0);
      if (kind->BibZuBerechnen) ++repraesentanten[Klasse(kind->Zug.BrettNachZug)];
    }
    // One representative for every position among the equally best, none for the others.
    std::set<std::pair<Punkte, Punkte>> klassen;
    for (int t = 1; t <= gleichBeste; ++t) klassen.insert(Klasse(s.Zuege[t].BrettNachZug));
    EXPECT_EQ(repraesentanten.size(), klassen.size());
    for (const auto& [klasse, anzahl] : repraesentanten) EXPECT_EQ(anzahl, 1);
  }
};

TEST_F(SpeichernTest, LeeresBrettGleicheTiefeAendertNichtsTiefereErsetzt) {
  Wurzeln(bib);
  const auto eins = Suchen(TZug{}, 1, clWeiss, 1);
  AddBibi(bib, TZug{}, *eins);
  EXPECT_TRUE(bib.Geaendert);
  PruefeKinderDerWurzel(*eins);
  // The children keep the order of the result; symmetric equally best moves share the first
  // of them as their representative.
  int verweise = 0;
  for (int i = 0; i < 24; ++i) {
    const TBibZug& kind = bib[1].BibZuege[i];
    EXPECT_EQ(std::memcmp(&kind.Zug, &eins->Zuege[i + 1], sizeof(TZug)), 0);
    EXPECT_EQ(kind.BibVon, -1);
    EXPECT_FALSE(kind.BibBerechnet || kind.Frei || kind.ZuLoeschen);
    if (kind.rSC != rS) continue;
    const int rep = Finde(bib, 1, i, kind.Zug.BrettNachZug, true, false, rS).Index;
    EXPECT_EQ(rep == i, kind.BibZuBerechnen);
    verweise += rep < i ? 1 : 0;
  }
  EXPECT_GT(verweise, 0);

  // The same depth again, or none, changes nothing, even with other values.
  const TBibliothek vorher = bib;
  bib.Geaendert = false;
  auto anders = std::make_unique<TStep>(*eins);
  anders->Zuege[1].Wertung.PunktWertGes += 1000;
  for (int tiefe : {1, 0}) {
    anders->STDenkTiefe = tiefe;
    AddBibi(bib, TZug{}, *anders);
  }
  EXPECT_FALSE(bib.Geaendert);
  EXPECT_TRUE(GleicheEintraege(bib, vorher));

  const auto zwei = Suchen(TZug{}, 1, clWeiss, 2);
  AddBibi(bib, TZug{}, *zwei);
  EXPECT_TRUE(bib.Geaendert);
  PruefeKinderDerWurzel(*zwei);
}

TEST_F(SpeichernTest, WasDieBibliothekNichtAlsComputerstellungKenntBleibtDraussen) {
  const auto eins = Suchen(TZug{}, 1, clWeiss, 1);
  // No calculation without depth.
  for (int tiefe : {0, -1}) {
    Wurzeln(bib);
    bib.Geaendert = false;
    auto flach = std::make_unique<TStep>(*eins);
    flach->STDenkTiefe = tiefe;
    AddBibi(bib, TZug{}, *flach);
    EXPECT_FALSE(bib.Geaendert) << tiefe;
    EXPECT_EQ(bib[1].BibCnt(), 0) << tiefe;
  }
  // Only the player's root is stored.
  Wurzeln(bib);
  bib[0].BibZuege.erase(bib[0].BibZuege.begin());
  AddBibi(bib, TZug{}, *eins);
  EXPECT_EQ(bib[1].BibCnt(), 0);
  EXPECT_FALSE(bib[0].BibZuege[0].BibBerechnet);

  // 18 stones placed: there is no level for the children.
  const TZug voll = ZugMit(0x1FF, 0x1FF << 9);
  bib[18].BibZuege = {Neu(voll, rC, true)};
  AddBibi(bib, voll, *eins);
  EXPECT_FALSE(bib[18].BibZuege[0].BibBerechnet);
  EXPECT_FALSE(bib.Geaendert);
}

TEST_F(SpeichernTest, RechnungEinesSymmetrischenBildesWirdGedrehtAbgelegt) {
  // White on a1, Black on d3, White (the computer) to move; stored only as an image.
  const Stellung p = Pos("W................S...... W 1 1");
  const TSymmetrie t{false, true, 1};  // not its own inverse
  bib[2].BibZuege = {Neu(Bild(p.zug, t), rC, true)};
  const auto rechnung = Suchen(p.zug, 3, clWeiss, 2);
  AddBibi(bib, p.zug, *rechnung);
  ASSERT_EQ(bib[3].BibCnt(), rechnung->ZuegeAnzahl);
  for (int i = 0; i < bib[3].BibCnt(); ++i) {
    const TZug& kind = bib[3].BibZuege[i].Zug;
    EXPECT_TRUE(Schluessel(kind) == Schluessel(Bild(rechnung->Zuege[i + 1], t))) << i;
    EXPECT_EQ(kind.BrettNachZug.SteineStehend, Transformiere(P("d3"), t));
  }
}

TEST(Speichern, KinderDerLetztenStufeWerdenNieRepraesentanten) {
  TBibliothek bib;
  const Punkte weiss = 0x1FF, schwarz = 0x1FE00;  // 17 stones placed, Black to move
  const TZug stellung = ZugMit(weiss, schwarz);
  bib[17].BibZuege = {Neu(stellung, rC, true)};
  const TZug a = ZugMit(schwarz | Punkt(17), weiss), b = ZugMit(schwarz | Punkt(19), weiss),
             c = ZugMit(schwarz | Punkt(20), weiss);
  TZug a1 = a, b1 = b, c1 = c;
  a1.Wertung.PunktWertGes = b1.Wertung.PunktWertGes = 5;
  c1.Wertung.PunktWertGes = 1;
  AddBibi(bib, stellung, *Rechnung(3, {a1, b1, c1}));
  ASSERT_EQ(bib[18].BibCnt(), 3);
  const TrSC rollen[3] = {rS, rS, r0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bib[18].BibZuege[i].rSC, rollen[i]);
    EXPECT_FALSE(bib[18].BibZuege[i].BibZuBerechnen);
  }

  // A deeper calculation makes the former r0 move the only best one; it stays a reference.
  c1.Wertung.PunktWertGes = 9;
  AddBibi(bib, stellung, *Rechnung(4, {c1, a1, b1}));
  const TrSC neu[3] = {r0, r0, rS};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bib[18].BibZuege[i].rSC, neu[i]);
    EXPECT_FALSE(bib[18].BibZuege[i].BibZuBerechnen);
  }
}

// Level 0: the computer's root, calculated into a1, g7 (the same position turned), d2 and d1.
// a1 and d1 are expanded into the player's answers; one of those after a1 is calculated too.
class ZweigTest : public ::testing::Test {
 protected:
  TBibliothek bib;
  const TZug a1 = ZugMit(P("a1"), 0), g7 = ZugMit(P("g7"), 0), d2 = ZugMit(P("d2"), 0),
             d1 = ZugMit(P("d1"), 0);

  void SetUp() override {
    bib[0].BibZuege = {Berechnet(Neu(TZug{}, rC, true), 0, 3, 1)};
    bib[1].BibZuege = {Berechnet(Neu(a1, rS, true), 0, 1, 2), Neu(g7, rS, false),
                       Neu(d2, r0, false), Berechnet(Neu(d1, rS, true), 2, 2, 2)};
    bib[2].BibZuege = {Berechnet(Neu(ZugMit(P("d1"), P("a1")), rC, true), 0, 0, 3),
                       Neu(ZugMit(P("c3"), P("a1")), rC, true),
                       Neu(ZugMit(P("a1"), P("d1")), rC, true)};
    bib[3].BibZuege = {Neu(ZugMit(P("a1 g1"), P("d1")), rS, true)};
  }

  static TZug Mit(TZug z, double wert) {
    z.Wertung.PunktWertGes = wert;
    return z;
  }
};

TEST_F(ZweigTest, VerdraengterZugVerliertSeinenZweigNurWennNiemandIhnBraucht) {
  // a1 drops out of the best moves, but g7 still needs its calculation.
  AddBibi(bib, TZug{}, *Rechnung(3, {Mit(g7, 100), Mit(d1, 100), Mit(d2, 50), Mit(a1, 40)}));
  ASSERT_EQ(bib[1].BibCnt(), 5);
  const TBibZug& frei = bib[1].BibZuege[4];
  EXPECT_TRUE(frei.Frei && frei.BibZuBerechnen && frei.BibBerechnet);
  EXPECT_EQ(frei.rSC, rS);
  EXPECT_EQ(frei.BibVon, 0);
  EXPECT_EQ(frei.BibBis, 1);
  EXPECT_EQ(frei.BibDenkTiefe, 2);
  const TBibZug& alt = bib[1].BibZuege[0];
  EXPECT_EQ(alt.rSC, r0);
  EXPECT_FALSE(alt.BibZuBerechnen || alt.BibBerechnet || alt.Frei);
  EXPECT_EQ(alt.BibVon, -1);
  EXPECT_EQ(alt.Zug.Wertung.PunktWertGes, 40);
  EXPECT_EQ(bib[1].BibZuege[1].rSC, rS);
  EXPECT_EQ(Finde(bib, 1, 4, g7.BrettNachZug, true, false, rS).Index, 4);
  EXPECT_EQ(bib[2].BibCnt(), 3);
  EXPECT_EQ(bib[3].BibCnt(), 1);
  EXPECT_EQ(bib[0].BibZuege[0].BibDenkTiefe, 3);

  // Now g7 drops out as well: the free calculation and everything below it go.
  AddBibi(bib, TZug{}, *Rechnung(4, {Mit(d1, 100), Mit(d2, 50), Mit(g7, 40), Mit(a1, 30)}));
  ASSERT_EQ(bib[1].BibCnt(), 4);
  for (int i : {0, 1, 2}) EXPECT_EQ(bib[1].BibZuege[i].rSC, r0) << i;
  EXPECT_FALSE(bib[1].BibZuege[1].BibZuBerechnen);
  ASSERT_EQ(bib[2].BibCnt(), 1);
  EXPECT_EQ(bib[2].BibZuege[0].Zug.BrettNachZug.SteineZiehend, P("a1"));
  EXPECT_EQ(bib[1].BibZuege[3].BibVon, 0);
  EXPECT_EQ(bib[1].BibZuege[3].BibBis, 0);
  EXPECT_TRUE(bib[1].BibZuege[3].BibBerechnet);
  EXPECT_EQ(bib[3].BibCnt(), 0);
  EXPECT_EQ(bib[0].BibZuege[0].BibBis, 3);
  EXPECT_FALSE(IrgendeinZuLoeschen(bib));
}

TEST_F(ZweigTest, UnberechneterRepraesentantGibtAnEinenVerweisAb) {
  bib[1].BibZuege[0] = Neu(a1, rS, true);  // not calculated yet
  bib[2].BibZuege.clear();
  bib[3].BibZuege.clear();
  bib[1].BibZuege[3] = Neu(d1, rS, true);
  AddBibi(bib, TZug{}, *Rechnung(3, {Mit(g7, 100), Mit(d1, 100), Mit(d2, 50), Mit(a1, 40)}));
  ASSERT_EQ(bib[1].BibCnt(), 4);
  EXPECT_EQ(bib[1].BibZuege[0].rSC, r0);
  EXPECT_FALSE(bib[1].BibZuege[0].BibZuBerechnen);
  EXPECT_TRUE(bib[1].BibZuege[1].BibZuBerechnen);
  EXPECT_FALSE(bib[1].BibZuege[1].BibBerechnet);
  EXPECT_EQ(bib[1].BibZuege[1].rSC, rS);
}

TEST_F(ZweigTest, EntfernterFreierEintragVorDemKindVerschiebtEs) {
  // A free calculation of a1 lies before the root's children, g7 is its only reference.
  bib[0].BibZuege[0] = Berechnet(Neu(TZug{}, rC, true), 1, 2, 1);
  TBibZug frei = Berechnet(Neu(a1, rS, true), 0, 0, 2);
  frei.Frei = true;
  bib[1].BibZuege = {frei, Neu(g7, rS, false), Neu(d2, rS, true)};
  bib[2].BibZuege = {Neu(ZugMit(P("d1"), P("a1")), rC, true)};
  bib[3].BibZuege.clear();
  AddBibi(bib, TZug{}, *Rechnung(2, {Mit(d2, 100), Mit(g7, 50)}));
  ASSERT_EQ(bib[1].BibCnt(), 2);
  EXPECT_EQ(bib[2].BibCnt(), 0);
  EXPECT_EQ(bib[0].BibZuege[0].BibVon, 0);
  EXPECT_EQ(bib[0].BibZuege[0].BibBis, 1);
  const TBibZug& verwiesen = bib[1].BibZuege[0];
  EXPECT_EQ(verwiesen.Zug.BrettNachZug.SteineZiehend, P("g7"));
  EXPECT_EQ(verwiesen.rSC, r0);
  EXPECT_EQ(bib[1].BibZuege[1].rSC, rS);
  EXPECT_TRUE(bib[1].BibZuege[1].BibZuBerechnen);
}

TEST_F(ZweigTest, TiefereRechnungPasstNichtZuDenKindern) {
  const struct {
    std::unique_ptr<TStep> rechnung;
    const char* fehler;
  } faelle[] = {
      {Rechnung(3, {g7, d1, d2}), "Fehler 01 in AktualBis"},
      {Rechnung(3, {g7, d1, d2, ZugMit(P("b4"), 0)}), "Fehler02 in AktualBis"},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Fehlertext([&] { AddBibi(bib, TZug{}, *f.rechnung); }), f.fehler);
}

TEST(EntferneEintrag, ReparierteBereicheDerElternstufe) {
  const struct {
    int von, bis, entfernt, neuVon, neuBis;
    bool berechnet;
  } faelle[] = {
      {5, 9, 5, 5, 8, true},      {5, 9, 3, 4, 8, true},    {5, 9, 9, 5, 8, true},
      {5, 9, 10, 5, 9, true},     {5, 5, 5, -1, -1, false}, {0, 0, 0, -1, -1, false},
      {-1, -1, 0, -1, -1, false},
  };
  for (const auto& f : faelle) {
    TBibliothek bib;
    TBibZug eltern;
    eltern.BibVon = f.von;
    eltern.BibBis = f.bis;
    eltern.BibBerechnet = f.von >= 0;
    bib[3].BibZuege = {eltern};
    for (int i = 0; i < 12; ++i) bib[4].BibZuege.push_back(Neu(ZugMit(Punkt(i), 0), rC, true));
    EntferneEintrag(bib, 4, f.entfernt);
    const TBibZug& e = bib[3].BibZuege[0];
    EXPECT_EQ(e.BibVon, f.neuVon) << f.von << " " << f.bis << " " << f.entfernt;
    EXPECT_EQ(e.BibBis, f.neuBis) << f.von << " " << f.bis << " " << f.entfernt;
    EXPECT_EQ(e.BibBerechnet, f.berechnet) << f.von << " " << f.bis << " " << f.entfernt;
    ASSERT_EQ(bib[4].BibCnt(), 11);
    EXPECT_EQ(bib[4].BibZuege[f.entfernt].Zug.BrettNachZug.SteineZiehend, Punkt(f.entfernt + 1));
    EXPECT_TRUE(bib.Geaendert);
  }

  TBibliothek bib;
  EntferneEintrag(bib, 4, 0);  // an empty level: nothing to remove
  EXPECT_FALSE(bib.Geaendert);
  bib[4].BibZuege.resize(2);
  EXPECT_EQ(Fehlertext([&] { EntferneEintrag(bib, 4, 2); }), kBereichsFehler);
  EXPECT_EQ(Fehlertext([&] { EntferneEintrag(bib, 4, -1); }), kBereichsFehler);
  bib[0].BibZuege.resize(2);
  EXPECT_EQ(Fehlertext([&] { EntferneEintrag(bib, 0, 0); }), kBereichsFehler);
  EXPECT_EQ(Fehlertext([&] { LoescheZweig(bib, 0, 0); }), kBereichsFehler);
}

}  // namespace
}  // namespace quarne
