// How soon a draw can fall below a position is a bound the fast search cuts by: it must never
// promise more moves without a draw than there are. Every line of a full-width walk is followed,
// and at every position of it the earliest draw found below is held against the bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include "engine/stepstack.h"
#include "test_host.h"
#include "zufallsstellungen.h"

namespace quarne {
namespace {

using test::Fall;

class RemisWeg final : public StepStack {
 public:
  using StepStack::StepStack;

  int knoten = 0;
  int mitRemis = 0;  // positions with a draw below within the walk
  int knapp = 0;     // of them, those whose bound is met exactly
  std::string verletzt;

  void Gehe(const Fall& f, int tiefe) {
    UebernimmEinstellungen();
    SetzeVerlauf(f.Verlauf());
    for (int s = 1; s <= kMaxSteps; ++s) Steps[s].Virtuell = false;
    const TZug zug = f.Zug();
    BereiteStepVor(1, zug, f.ZugNummer(), f.lage.farbe);
    Ebene(1, tiefe, f.Beschreibung());
  }

 protected:
  bool HTTestung(int, int, bool) override { return false; }

 private:
  static constexpr int kKeins = 99;

  // The fewest moves from ply s on after which a line draws, within the walk.
  int Ebene(int s, int tiefe, const std::string& wo) {
    const int schranke = RemisFruehestens(s);
    bool cancel = false;
    HTGenMoves(s, GenModus::Vollstaendig(s, tiefe), cancel);
    TStep& st = Steps[s];
    int frueh = kKeins;
    for (int i = 1; i <= st.ZuegeAnzahl; ++i) {
      const TZugResZiehend r = st.Zuege[i].Wertung.ZugResGesamt;
      if (r == rsWDH) frueh = 1;
      if (r != rsQuarn || s == tiefe || frueh <= 2) continue;
      st.ZugZeiger = i;
      BereiteStepVor(s + 1);
      frueh = std::min(frueh, 1 + Ebene(s + 1, tiefe, wo));
    }
    ++knoten;
    if (frueh < kKeins) {
      ++mitRemis;
      if (frueh == schranke) ++knapp;
      if (frueh < schranke && verletzt.empty())
        verletzt = wo + ": Ply " + std::to_string(s) + " verspricht " + std::to_string(schranke) +
                   " Züge ohne Remis, gefunden nach " + std::to_string(frueh);
    }
    return frueh;
  }
};

TEST(RemisSchranke, NieMehrZuegeOhneRemisAlsEsGibt) {
  std::mt19937 rng(2024);
  int mitRemis = 0, knapp = 0;
  for (int i = 0; i < 48; ++i) {
    Einstellungen e;
    e.RemisLimit = kRemisLimits[static_cast<std::size_t>(i % 4)];
    // Games whose positions come round again, and positions near the draw limit.
    Fall f = i % 2 == 0 ? test::MitVorgeschichte(rng, e)
                        : test::OhneVorgeschichte(test::ZufallsLage(
                              rng, i % 3 == 0 ? test::Art::springen : test::Art::eng));
    if (e.RemisLimit > 0 && i % 3 != 2) f.lage.ohneQuarne = e.RemisLimit - test::Zufall(rng, 1, 5);
    test::TestHost host;
    auto weg = std::make_unique<RemisWeg>(e, host);
    weg->Gehe(f, 5);
    EXPECT_TRUE(weg->verletzt.empty()) << weg->verletzt;
    EXPECT_TRUE(host.meldungen.empty()) << host.meldungen.front();
    mitRemis += weg->mitRemis;
    knapp += weg->knapp;
  }
  // The walks must meet draws, and the bound must be tight somewhere, or it shows nothing.
  EXPECT_GE(mitRemis, 200);
  EXPECT_GE(knapp, 50);
}

}  // namespace
}  // namespace quarne
