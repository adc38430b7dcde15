// The fast search against the classic one: at the same depth, on the same position with the same
// game before it, both must find exactly the same, that is everything a fixed-depth result
// promises: whether the side to move is blocked, the depth reached, the best move with its value,
// the root's best move, and every root move valued exactly with its value and principal line
// (with CBVoll every root move). Root moves cut off carry bounds that a better search may change,
// and so may the number of moves generated; the test reports those counts so that the speed-up
// shows in its log.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "engine/search.h"
#include "engine/settings.h"
#include "random_positions.h"
#include "search_comparison.h"
#include "test_host.h"

namespace quarne {
namespace {

using namespace test;

int NrVon(const TStep& st, int index) {
  return index >= 1 && index <= st.ZuegeAnzahl ? st.Zuege[index].Nr : 0;
}

// What one kind of search found, with its own settings and host.
struct Ergebnis {
  Einstellungen einstellungen;
  TestHost host;
  std::unique_ptr<Suche> suche;
};

std::unique_ptr<Ergebnis> Suchen(const Einstellungen& e, SuchArt art, const Fall& f, int tiefe) {
  auto r = std::make_unique<Ergebnis>();
  r->einstellungen = e;
  r->einstellungen.suchArt = art;
  r->suche = std::make_unique<Suche>(r->einstellungen, r->host);
  r->suche->StepRoutine(tiefe, f.Zug(), f.ZugNummer(), f.lage.farbe, SuchOptionen{}, f.Verlauf());
  return r;
}

struct Zaehler {
  int stellungen = 0, vergleiche = 0, tief = 0, virtuell = 0, entschieden = 0, remis = 0;
  int abgeschnitten = 0;
  std::int64_t zuegeKlassisch = 0, zuegeSchnell = 0;
};

void Vergleiche(const Ergebnis& klassisch, const Ergebnis& schnell, bool voll,
                const std::string& wo, Zaehler& z) {
  const Suche &k = *klassisch.suche, &s = *schnell.suche;
  EXPECT_TRUE(klassisch.host.meldungen.empty()) << wo << ": " << klassisch.host.meldungen.front();
  EXPECT_TRUE(schnell.host.meldungen.empty()) << wo << ": " << schnell.host.meldungen.front();
  ASSERT_EQ(s.KeineZuege(), k.KeineZuege()) << wo;
  ASSERT_EQ(s.FertigeTiefe, k.FertigeTiefe) << wo;
  ++z.vergleiche;
  z.zuegeKlassisch += k.GenZuege();
  z.zuegeSchnell += s.GenZuege();
  if (k.KeineZuege()) return;
  const TZug &bk = k.MemStep2.Zuege[1], &bs = s.MemStep2.Zuege[1];
  EXPECT_TRUE(bs.Nr == bk.Nr && GleicherWert(bs, bk))
      << wo << ": bester Zug klassisch " << ZugMitWert(bk) << ", schnell " << ZugMitWert(bs);

  const TStep &a = k.Steps[1], &b = s.Steps[1];
  ASSERT_EQ(b.ZuegeAnzahl, a.ZuegeAnzahl) << wo;
  EXPECT_EQ(NrVon(b, b.BesterZug), NrVon(a, a.BesterZug)) << wo << ": Steps[1].BesterZug";
  const int tiefe = k.FertigeTiefe;
  for (int i = 1; i <= a.ZuegeAnzahl; ++i) {
    const TZug &x = a.Zuege[i], &y = b.Zuege[i];
    ASSERT_EQ(y.Nr, x.Nr) << wo << ": Wurzelzug " << i;
    const bool exaktK = voll || (x.BEWERTET && !x.Canceld);
    const bool exaktS = voll || (y.BEWERTET && !y.Canceld);
    const std::string zug = wo + " Wurzelzug " + ZugMitWert(x);
    if (!exaktK) ++z.abgeschnitten;
    EXPECT_EQ(exaktS, exaktK) << zug << ": genau bewertet nur in einer Suche, schnell "
                              << ZugMitWert(y);
    if (!exaktK || !exaktS) continue;
    EXPECT_TRUE(GleicherWert(x, y)) << zug << ": Wert schnell " << ZugMitWert(y);
    EXPECT_EQ(Linie(y, tiefe), Linie(x, tiefe)) << zug << ": Hauptlinie (schnell, klassisch)";
  }
  if (bk.Wertung.ZugResGesamt == rsWIN || bk.Wertung.ZugResGesamt == rsLOSS) ++z.entschieden;
  for (int i = 1; i <= a.ZuegeAnzahl; ++i)
    if (a.Zuege[i].Wertung.ZugResGesamt == rsWDH) {
      ++z.remis;
      break;
    }
  if (a.VirtuellAb > 0 && tiefe >= a.VirtuellAb) ++z.virtuell;
}

// Failures recorded so far in the running test.
int Fehlschlaege() {
  return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

// Both searches at depths 1, 2, ... as long as the classic one stays below `budget` generated
// moves and the result is not decided before the depth. False when they disagreed.
bool VergleicheBisBudget(const Einstellungen& e, const Fall& f, int maxTiefe, std::int64_t budget,
                         Zaehler& z) {
  const int vorher = Fehlschlaege();
  ++z.stellungen;
  for (int tiefe = 1; tiefe <= maxTiefe; ++tiefe) {
    const auto klassisch = Suchen(e, SuchArt::Klassisch, f, tiefe);
    const auto schnell = Suchen(e, SuchArt::Schnell, f, tiefe);
    const std::string wo = f.Beschreibung() + " RemisLimit " + std::to_string(e.RemisLimit) +
                           " Tiefe " + std::to_string(tiefe);
    Vergleiche(*klassisch, *schnell, e.CBVoll, wo, z);
    if (Fehlschlaege() > vorher) return false;
    if (tiefe >= 7) ++z.tief;
    const Suche& k = *klassisch->suche;
    if (k.KeineZuege() || k.FertigeTiefe < tiefe || k.GenZuege() > budget) break;
  }
  return true;
}

// Root positions of every kind, drawn in turn: each phase, games whose positions come round
// again, roots a few half-moves before the draw limit, and sides shut in (in the moving phase
// blocked soon, in the placing phase left with the pass once the plies turn virtual).
Fall Ziehe(std::mt19937& rng, int i, Einstellungen& e) {
  switch (i % 8) {
    case 5: {
      Fall f = MitVorgeschichte(rng, e);
      if (e.RemisLimit > 0 && i % 16 == 5) f.lage.ohneQuarne = e.RemisLimit - Zufall(rng, 1, 4);
      return f;
    }
    case 6: {
      e.RemisLimit = kRemisLimits[1 + static_cast<std::size_t>(i / 8 % 3)];
      const Art art = i / 8 % 2 == 0 ? Art::ziehen : Art::springen;
      Fall f = OhneVorgeschichte(ZufallsLage(rng, art));
      f.lage.ohneQuarne = e.RemisLimit - Zufall(rng, 1, 4);
      return f;
    }
    case 7:
      return OhneVorgeschichte(Eingeschlossen(rng, i / 8 % 2 == 1));
    default:
      return OhneVorgeschichte(ZufallsLage(rng, kArten[static_cast<std::size_t>(i % 8)]));
  }
}

class SchnellGegenKlassisch : public ::testing::TestWithParam<Einstellung> {};

TEST_P(SchnellGegenKlassisch, GleichesErgebnisBeiFesterTiefe) {
  constexpr int kStellungen = 320;
  Zaehler z;
  int abweichend = 0;
  std::mt19937 rng(15000 + 100 * GetParam().saat);
  for (int i = 0; i < kStellungen; ++i) {
    Einstellungen e;
    GetParam().setze(e);
    const Fall f = Ziehe(rng, i, e);
    // Most positions as deep as a small budget allows, every twentieth deeper.
    const bool tief = i % 20 == 3;
    if (!VergleicheBisBudget(e, f, tief ? 10 : 8, tief ? 1'500'000 : 40'000, z) &&
        ++abweichend == 5) {
      ADD_FAILURE() << "Nach fünf abweichenden Stellungen abgebrochen.";
      break;
    }
  }
  RecordProperty("Vergleiche", z.vergleiche);
  RecordProperty("ZuegeKlassisch", std::to_string(z.zuegeKlassisch));
  RecordProperty("ZuegeSchnell", std::to_string(z.zuegeSchnell));
  std::printf(
      "%s: %d Stellungen, %d Vergleiche (%d ab Tiefe 7), erzeugte Züge klassisch %lld, "
      "schnell %lld (%.2f : 1)\n",
      GetParam().name, z.stellungen, z.vergleiche, z.tief, static_cast<long long>(z.zuegeKlassisch),
      static_cast<long long>(z.zuegeSchnell),
      z.zuegeSchnell > 0
          ? static_cast<double>(z.zuegeKlassisch) / static_cast<double>(z.zuegeSchnell)
          : 0.0);
  // The positions must reach what they are drawn for: deep searches, decided results, draws,
  // cut-offs at the root and, where the setting moves them up, virtual plies.
  if (HasFailure()) return;
  Einstellungen e;
  GetParam().setze(e);
  EXPECT_GE(z.vergleiche, 1800);
  EXPECT_GE(z.tief, 120);
  EXPECT_GE(z.entschieden, 50);
  EXPECT_GE(z.remis, 200);
  if (!e.CBVoll) {
    EXPECT_GE(z.abgeschnitten, 10000);
  }
  if (e.CBVirtuellZugAb) {
    EXPECT_GE(z.virtuell, 200);
  }
}

std::string VariantenName(const ::testing::TestParamInfo<Einstellung>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Varianten, SchnellGegenKlassisch, ::testing::ValuesIn(kEinstellungen),
                         VariantenName);

}  // namespace
}  // namespace quarne
