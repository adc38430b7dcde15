// How soon a draw can fall below a position is a bound the fast search cuts by: it must never
// promise more moves without a draw than there are. Every line of a full-width walk is followed,
// and at every position of it the earliest draw found below is held against the bound. Likewise
// the bound below which the game before a position cannot decide a repetition, which the table of
// subtrees relies on: below it, every line draws exactly where it draws from the position alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "engine/stepstack.h"
#include "random_positions.h"
#include "test_host.h"

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

// The same position as the root of a game without a past.
class OhneVergangenheit final : public StepStack {
 public:
  using StepStack::StepStack;

  void Beginne(const TZug& zug, TFarbe farbe) {
    static const LeererVerlauf leer;
    UebernimmEinstellungen();
    SetzeVerlauf(leer);
    for (int s = 1; s <= kMaxSteps; ++s) Steps[s].Virtuell = false;
    BereiteStepVor(1, zug, 1, farbe);
  }

 protected:
  bool HTTestung(int, int, bool) override { return false; }
};

class VerlaufWeg final : public StepStack {
 public:
  using StepStack::StepStack;

  long long gepruefteZuege = 0;  // moves within a bound held against the walk without a past
  int knapp = 0;                 // lines one move beyond a bound that the past does decide
  std::string verletzt;

  void Gehe(const Fall& f, int tiefe, int unten) {
    UebernimmEinstellungen();
    SetzeVerlauf(f.Verlauf());
    for (int s = 1; s <= kMaxSteps; ++s) Steps[s].Virtuell = false;
    wurzel_ = f.Zug();
    BereiteStepVor(1, wurzel_, f.ZugNummer(), f.lage.farbe);
    Ebene(1, tiefe, unten, f.Beschreibung());
  }

 protected:
  bool HTTestung(int, int, bool) override { return false; }

 private:
  TZug wurzel_{};

  // At every position of the walk to depth tiefe, the lines of up to unten moves below it are
  // held against the same lines from the position alone.
  void Ebene(int s, int tiefe, int unten, const std::string& wo) {
    const int grenze = VerlaufAbstand(s);
    if (grenze <= unten && verletzt.empty()) {
      auto ohne = std::make_unique<OhneVergangenheit>(Einstellung(), Gastgeber());
      ohne->Beginne(s > 1 ? AktuellerZug(s - 1) : wurzel_, Steps[s].STFarbeZiehend);
      Paar(*this, s, *ohne, 1, 1, grenze, wo + ": Ply " + std::to_string(s));
    }
    if (s == tiefe) return;
    bool cancel = false;
    HTGenMoves(s, GenModus::Vollstaendig(s, tiefe), cancel);
    TStep& st = Steps[s];
    for (int i = 1; i <= st.ZuegeAnzahl; ++i) {
      if (st.Zuege[i].Wertung.ZugResGesamt != rsQuarn) continue;
      st.ZugZeiger = i;
      BereiteStepVor(s + 1);
      Ebene(s + 1, tiefe, unten, wo);
    }
  }

  // Walks both stacks from ply sa and sb, the laenge-th move of the line, up to grenze moves,
  // and compares every move's result: the same below the bound.
  void Paar(StepStack& a, int sa, StepStack& b, int sb, int laenge, int grenze,
            const std::string& wo) {
    bool cancel = false;
    const int rest = grenze - laenge;
    a.HTGenMoves(sa, GenModus::Vollstaendig(sa, sa + rest), cancel);
    b.HTGenMoves(sb, GenModus::Vollstaendig(sb, sb + rest), cancel);
    TStep &x = a.Steps[sa], &y = b.Steps[sb];
    if (x.ZuegeAnzahl != y.ZuegeAnzahl) {
      verletzt = wo + ": andere Zahl von Zügen";
      return;
    }
    for (int i = 1; i <= x.ZuegeAnzahl && verletzt.empty(); ++i) {
      const TZugResZiehend r = x.Zuege[i].Wertung.ZugResGesamt;
      if (r != y.Zuege[i].Wertung.ZugResGesamt) {
        if (laenge == grenze) {
          ++knapp;
          continue;
        }
        verletzt = wo + ", Schranke " + std::to_string(grenze) + ", " + std::to_string(laenge) +
                   ". Zug der Linie: mit der Vergangenheit " + (r == rsWDH ? "" : "k") +
                   "ein Remis";
        return;
      }
      ++gepruefteZuege;
      if (r != rsQuarn || laenge == grenze) continue;
      x.ZugZeiger = y.ZugZeiger = i;
      a.BereiteStepVor(sa + 1);
      b.BereiteStepVor(sb + 1);
      Paar(a, sa + 1, b, sb + 1, laenge + 1, grenze, wo);
    }
  }
};

TEST(RemisSchranke, VergangenheitEntscheidetUnterhalbDerSchrankeNichts) {
  std::mt19937 rng(1848);
  long long geprueft = 0;
  int knapp = 0;
  for (int i = 0; i < 20; ++i) {
    Einstellungen e;
    e.RemisLimit = -1;
    const Fall f = test::MitVorgeschichte(rng, e);
    test::TestHost host;
    auto weg = std::make_unique<VerlaufWeg>(e, host);
    weg->Gehe(f, 3, 5);
    EXPECT_TRUE(weg->verletzt.empty()) << weg->verletzt;
    EXPECT_TRUE(host.meldungen.empty()) << host.meldungen.front();
    geprueft += weg->gepruefteZuege;
    knapp += weg->knapp;
  }
  // The bound must be tight somewhere, or holding the lines below it against the past shows
  // nothing.
  EXPECT_GE(knapp, 100);
  std::printf("%lld Züge geprüft, %d Linien knapp an der Schranke\n", geprueft, knapp);
}

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
