#include "engine/values.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/stepstack.h"
#include "tests/engine/test_host.h"

namespace quarne {
namespace {

TZug Zug(TZugResZiehend r, double punkte = 0, int inX = 0) {
  TZug z{};
  z.Wertung.ZugResGesamt = r;
  z.Wertung.PunktWertGes = punkte;
  z.Wertung.PunktWertA = punkte;
  z.Wertung.ResultInXZuegen = inX;
  z.BEWERTET = true;
  return z;
}

class Werte : public ::testing::Test {
 protected:
  Einstellungen e;
  test::TestHost host;
};

TEST_F(Werte, VergleichstabelleUndAbbruchvergleich) {
  const struct {
    TZug a, b;
    bool besser, mindestensSoGut;
  } faelle[] = {
      // Ordinary lines by points; equal is not better.
      {Zug(rsQuarn, 5), Zug(rsQuarn, 6), true, false},
      {Zug(rsQuarn, 5), Zug(rsQuarn, 5), false, true},
      // A win beats everything, a sooner win a later one.
      {Zug(rsQuarn, 9e9), Zug(rsWIN, 0, 7), true, false},
      {Zug(rsWIN, 0, 3), Zug(rsWIN, 0, 1), true, false},
      {Zug(rsWIN, 0, 1), Zug(rsWIN, 0, 3), false, true},
      {Zug(rsWIN, 0, 5), Zug(rsQuarn, 9e9), false, true},
      // A loss loses to everything, a later loss beats a sooner one.
      {Zug(rsLOSS, 0, 2), Zug(rsLOSS, 0, 4), true, false},
      {Zug(rsLOSS, 0, 4), Zug(rsLOSS, 0, 2), false, true},
      {Zug(rsLOSS, 0, 0), Zug(rsQuarn, -9e9), true, false},
      {Zug(rsLOSS, 0, 0), Zug(rsWDH, 0, 0), true, false},
      {Zug(rsQuarn, -9e9), Zug(rsLOSS, 0, 9), false, true},
      // A sooner draw beats a later one.
      {Zug(rsWDH, 0, 6), Zug(rsWDH, 0, 2), true, false},
      {Zug(rsWDH, 0, 2), Zug(rsWIN, 0, 9), true, false},
      {Zug(rsWDH, 0, 2), Zug(rsLOSS, 0, 0), false, true},
      // Ordinary against draw: the threshold decides (at most -20000: the draw is better).
      {Zug(rsQuarn, -10000), Zug(rsWDH), false, false},
      {Zug(rsQuarn, -20000), Zug(rsWDH), true, false},
      {Zug(rsWDH), Zug(rsQuarn, -10000), true, false},
      {Zug(rsWDH), Zug(rsQuarn, -20000), false, true},
      // A draw candidate is cut off only by a win: its reply side may still find a sooner
      // draw or prefer to play on, and an ordinary line can then be worth any amount.
      {Zug(rsQuarn, 15000), Zug(rsWDH), false, false},
      {Zug(rsQuarn, 9e9), Zug(rsWDH), false, false},
      {Zug(rsWDH, 0, 2), Zug(rsWDH, 0, 2), false, false},
      {Zug(rsWDH, 0, 1), Zug(rsWDH, 0, 3), false, false},
      {Zug(rsWIN, 0, 5), Zug(rsWDH, 0, 1), false, true},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(IstBesser(f.a, f.b, e, host), f.besser)
        << int{f.a.Wertung.ZugResGesamt} << " " << f.a.Wertung.PunktWertGes << " / "
        << int{f.b.Wertung.ZugResGesamt} << " " << f.b.Wertung.PunktWertGes;
    EXPECT_EQ(MindestensSoGut(f.a, f.b, e, host), f.mindestensSoGut)
        << int{f.a.Wertung.ZugResGesamt} << " " << f.a.Wertung.PunktWertGes << " / "
        << int{f.b.Wertung.ZugResGesamt} << " " << f.b.Wertung.PunktWertGes;
  }
  EXPECT_TRUE(host.meldungen.empty());
}

TEST_F(Werte, MaterialGehtInDenSchwellenvergleichEin) {
  TZug muehle = Zug(rsQuarn, 10000);
  muehle.ErgibtQuarne = true;
  muehle.BrettNachZug.VerloreneSteineStehend = 1;
  EXPECT_EQ(AdjWert(muehle, 10000, e), 10000);
  // Two stones down: -20000 before the points, so a draw is preferred even at 0 points.
  TZug hinten = Zug(rsQuarn, 0);
  hinten.BrettNachZug.VerloreneSteineZiehend = 2;
  EXPECT_TRUE(IstBesser(hinten, Zug(rsWDH), e, host));
}

TEST_F(Werte, OrdnungsvergleichLiestDenEigenwert) {
  TZug a = Zug(rsQuarn, 100), b = Zug(rsQuarn, 50);
  b.Wertung.PunktWertA = 200;
  EXPECT_FALSE(IstBesser(a, b, e, host));
  EXPECT_TRUE(IstBesserA(a, b, e, host));
}

TEST_F(Werte, RsNilWirdGemeldet) {
  const TZug nil = Zug(rsNIL);
  EXPECT_FALSE(IstBesser(nil, Zug(rsQuarn), e, host));
  EXPECT_FALSE(MindestensSoGut(Zug(rsQuarn), nil, e, host));
  Runterrechnen(nil.Wertung, Zug(rsQuarn).Wertung, e, host);
  const std::vector<std::string> erwartet = {"rsNIL in Vergleich gefunden",
                                             "rsNIL in Vergleich gefunden",
                                             "rsNil in Runterrechnen gefunden"};
  EXPECT_EQ(host.meldungen, erwartet);
}

TEST_F(Werte, RunterrechnenVomKindZumElternzug) {
  const TZugWert eltern = Zug(rsQuarn, 500).Wertung;
  TZugWert r = Runterrechnen(Zug(rsQuarn, 1000).Wertung, eltern, e, host);
  EXPECT_EQ(r.ZugResGesamt, rsQuarn);
  EXPECT_EQ(r.PunktWertA, 1000 * -0.97 + 500);
  EXPECT_EQ(r.PunktWertGes, r.PunktWertA);
  e.NaherVorteilCB = false;
  EXPECT_EQ(Runterrechnen(Zug(rsQuarn, 1000).Wertung, eltern, e, host).PunktWertA, -500);

  const struct {
    TZugResZiehend kind;
    int inX;
    TZugResZiehend erwartet;
    int erwartetInX;
  } faelle[] = {{rsWIN, 0, rsLOSS, 1}, {rsLOSS, 1, rsWIN, 2}, {rsWDH, 3, rsWDH, 4}};
  for (const auto& f : faelle) {
    r = Runterrechnen(Zug(f.kind, 0, f.inX).Wertung, eltern, e, host);
    EXPECT_EQ(r.ZugResGesamt, f.erwartet);
    EXPECT_EQ(r.ResultInXZuegen, f.erwartetInX);
  }
}

class Sortieren : public Werte {
 protected:
  std::unique_ptr<TStep> step = std::make_unique<TStep>();
  void Setze(std::initializer_list<TZug> zuege) {
    step->ZuegeAnzahl = 0;
    for (TZug z : zuege) {
      ++step->ZuegeAnzahl;
      z.Nr = step->ZuegeAnzahl;
      step->Zuege[step->ZuegeAnzahl] = z;
    }
  }
  std::vector<int> Reihenfolge() const {
    std::vector<int> r;
    for (int i = 1; i <= step->ZuegeAnzahl; ++i) r.push_back(step->Zuege[i].Nr);
    return r;
  }
};

TZug Offen() {
  TZug z = Zug(rsQuarn, 0);
  z.BEWERTET = false;
  return z;
}

TZug Abgebrochen(double punkte) {
  TZug z = Zug(rsQuarn, punkte);
  z.BEWERTET = false;
  z.Canceld = true;
  return z;
}

TEST_F(Sortieren, BewerteteVorAbgebrochenenVorOffenen) {
  Setze({Offen(), Offen(), Offen()});
  SortRoutine(*step, e, host);
  EXPECT_EQ(Reihenfolge(), (std::vector<int>{1, 2, 3}));

  Setze({Offen(), Abgebrochen(5), Offen(), Zug(rsQuarn, 1), Abgebrochen(9), Zug(rsWIN, 0, 2),
         Zug(rsQuarn, 1), Zug(rsLOSS, 0, 0)});
  SortRoutine(*step, e, host);
  // Evaluated best first (equal ones keep their order), then cut-off ones, then the rest.
  EXPECT_EQ(Reihenfolge(), (std::vector<int>{6, 4, 7, 8, 5, 2, 1, 3}));
  EXPECT_TRUE(host.meldungen.empty());
}

TEST_F(Sortieren, GleichBesteAmAnfang) {
  const struct {
    std::vector<TZug> zuege;
    int anzahl;
  } faelle[] = {
      {{}, 0},
      {{Offen()}, 1},
      {{Offen(), Zug(rsQuarn, 3)}, 2},
      {{Zug(rsQuarn, 3), Zug(rsQuarn, 3), Zug(rsQuarn, 2)}, 2},
      {{Zug(rsQuarn, 3), Zug(rsQuarn, 3), Offen()}, 2},
      {{Zug(rsWIN, 0, 1), Zug(rsWIN, 0, 1), Zug(rsWIN, 0, 3)}, 2},
      {{Zug(rsWDH, 0, 2), Zug(rsQuarn, 9e9)}, 1},
      {{Zug(rsQuarn, -9e9), Zug(rsWDH, 0, 2)}, 1},
      {{Zug(rsLOSS, 0, 4), Zug(rsLOSS, 0, 4), Zug(rsLOSS, 0, 2)}, 2},
      {{Zug(rsWDH, 0, 1), Zug(rsWDH, 0, 1)}, 2},
  };
  for (const auto& f : faelle) {
    step->ZuegeAnzahl = static_cast<int>(f.zuege.size());
    for (std::size_t i = 0; i < f.zuege.size(); ++i)
      step->Zuege[static_cast<int>(i) + 1] = f.zuege[i];
    EXPECT_EQ(AnzahlGleichBeste(*step), f.anzahl) << "Fall mit " << f.zuege.size() << " Zügen";
  }
}

TEST_F(Sortieren, ZeitueberschreitungMeldetUndSperrtDenWiedereintritt) {
  // The clock jumps a second per reading: the sort reports the time-out, and a sort started
  // from the message (as a timer could) returns at once.
  auto anderer = std::make_unique<TStep>();
  anderer->ZuegeAnzahl = 2;
  anderer->Zuege[1] = Offen();
  anderer->Zuege[2] = Zug(rsQuarn, 1);
  struct MeldeHost : test::TestHost {
    TStep* anderer = nullptr;
    Einstellungen* e = nullptr;
    void Meldung(std::string_view text) override {
      TestHost::Meldung(text);
      SortRoutine(*anderer, *e, *this);
    }
  } melder;
  melder.msJeAblesung = 1001;
  melder.anderer = anderer.get();
  melder.e = &e;
  Setze({Zug(rsQuarn, 1), Zug(rsQuarn, 2)});
  SortRoutine(*step, e, melder);
  EXPECT_EQ(Reihenfolge(), (std::vector<int>{2, 1}));
  ASSERT_FALSE(melder.meldungen.empty());
  EXPECT_EQ(melder.meldungen[0], "TimeOutFehler in SortRoutine");
  EXPECT_FALSE(anderer->Zuege[1].BEWERTET);  // untouched: the re-entered sort did nothing
  SortRoutine(*anderer, e, host);
  EXPECT_TRUE(anderer->Zuege[1].BEWERTET);
}

// GetBesterZug works on a step stack; ply 2 below a parent move at ply 1.
class BesterZug : public Werte {
 protected:
  class Stapel final : public StepStack {
   public:
    using StepStack::StepStack;

   protected:
    bool HTTestung(int, int, bool) override { return false; }
  };
  std::unique_ptr<Stapel> stapel = std::make_unique<Stapel>(e, host);

  TStep& Zwei() { return stapel->Steps[2]; }
  void Setze(std::initializer_list<TZug> zuege) {
    TStep& eins = stapel->Steps[1];
    eins.ZuegeAnzahl = 1;
    eins.ZugZeiger = 1;
    eins.ZZ[1] = 1;
    eins.Zuege[1] = Zug(rsQuarn);
    Zwei().ZuegeAnzahl = 0;
    for (TZug z : zuege) {
      const int i = ++Zwei().ZuegeAnzahl;
      z.SmartZuege[2].NachPosition = 1u << i;
      z.SmartZuege[3].NachPosition = 0x100u << i;
      Zwei().Zuege[i] = z;
    }
  }
};

TEST_F(BesterZug, OhneHinweisGewinntDerErsteGleichgute) {
  Setze({Zug(rsQuarn, 1), Zug(rsQuarn, 7), Zug(rsQuarn, 7), Zug(rsQuarn, 3)});
  int hint = 0;
  stapel->GetBesterZug(2, 3, hint, hrNone);
  EXPECT_EQ(Zwei().BesterZug, 2);
  EXPECT_EQ(Zwei().BesterZugRes.PunktWertGes, 7);
  // The principal line of the best reply now hangs below the parent move.
  EXPECT_EQ(stapel->Steps[1].Zuege[1].SmartZuege[2].NachPosition, 1u << 2);
  EXPECT_EQ(stapel->Steps[1].Zuege[1].SmartZuege[3].NachPosition, 0x100u << 2);
}

TEST_F(BesterZug, SofortigerGewinnBeendetDieSuche) {
  TZug offen = Zug(rsQuarn, 99);
  offen.BEWERTET = false;
  Setze({Zug(rsQuarn, 1), Zug(rsWIN, 0, 0), offen, Zug(rsWIN, 0, 0)});
  int hint = 0;
  stapel->GetBesterZug(2, 2, hint, hrNone);
  EXPECT_EQ(Zwei().BesterZug, 2);
  EXPECT_TRUE(host.meldungen.empty());  // the unevaluated move was never looked at
}

TEST_F(BesterZug, HinweisMarkiertDenGewinnUndBeendetDieLinie) {
  Setze({Zug(rsQuarn, 1), Zug(rsWIN, 0, 0)});
  int hint = 2;
  stapel->GetBesterZug(2, 3, hint, hrBlock);
  EXPECT_EQ(hint, 0);
  EXPECT_EQ(Zwei().BesterZug, 2);
  EXPECT_TRUE(Zwei().Zuege[2].SmartZuege[2].GewinnDurchBlock);
  const TZug& eltern = stapel->Steps[1].Zuege[1];
  EXPECT_TRUE(eltern.SmartZuege[2].GewinnDurchBlock);
  EXPECT_EQ(eltern.SmartZuege[3].NachPosition, 0u);  // the line ends with the win
}

TEST_F(BesterZug, UnbewerteteZuegeWerdenGemeldet) {
  TZug offen = Zug(rsQuarn, 99);
  offen.BEWERTET = false;
  Setze({offen, Zug(rsQuarn, 5)});
  int hint = 0;
  stapel->GetBesterZug(2, 2, hint, hrNone);
  EXPECT_EQ(Zwei().BesterZug, 0);  // nothing is taken while the best is still undefined
  EXPECT_EQ(host.meldungen, std::vector<std::string>{"Unbewerteten Zug gefunden"});

  Zwei().ZuegeAnzahl = 0;
  stapel->GetBesterZug(2, 2, hint, hrNone);
  EXPECT_EQ(host.meldungen.back(), "Kein Zug in GetBesterZug");
}

}  // namespace
}  // namespace quarne
