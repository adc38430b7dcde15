// A game behind the main board for tests: the engine lists the legal moves and the board shows
// the record as the window has it shown; the record, whose turn it is and the player's answers
// belong to the test.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "core/geometry.h"
#include "core/position_notation.h"
#include "engine/history.h"
#include "engine/search.h"
#include "tests/engine/test_host.h"
#include "ui/board_view.h"

namespace quarne::test {

// Points by name, e.g. P("a1 d1 g4").
inline Punkte P(std::string_view namen) {
  Punkte m = 0;
  for (std::size_t i = 0; i < namen.size(); i += 3)
    for (int p = 0; p < kAnzahlPunkte; ++p)
      if (PunktName(Punkt(p)) == namen.substr(i, 2)) m |= Punkt(p);
  return m;
}

inline Stellung Pos(std::string_view text) {
  StellungOderFehler s = LiesStellung(text);
  if (!s.stellung) ADD_FAILURE() << s.fehler;
  return s.stellung.value_or(Stellung{});
}

class TestSpiel final : public BrettSpiel {
 public:
  struct Eintrag {
    TZug vorDemZug;
    TZug zug;
    TSpieler spieler;
  };

  TestSpiel(TBrettClass& brett, const Stellung& start)
      : brett_(brett), start_(start.zug), startFarbe_(start.farbe) {
    brett.SetzeSpiel(this);
  }

  std::vector<Eintrag> zuege;
  TFarbe computerFarbe = clSchwarz;
  bool spielerGegenSpieler = false;
  // The player answers No when asked whether to overwrite the following moves.
  bool ueberschreibenAblehnen = false;
  int beeps = 0;

  const TZug& AktuellerZug() const override { return zuege.empty() ? start_ : zuege.back().zug; }
  int AktZugNr() const override { return static_cast<int>(zuege.size()) + 1; }
  TFarbe FarbeAmZug() const override {
    return zuege.size() % 2 == 0 ? startFarbe_ : Gegner(startFarbe_);
  }
  TFarbe ComputerFarbe() const override { return computerFarbe; }

  void LegaleZuege(const TZug& zug, int zugNr, TFarbe farbe, TStep& auswahl) override {
    suche_->StepRoutineListe(2, zug, zugNr, farbe, true, false, verlauf_);
    auswahl = suche_->Steps[1];
  }

  void FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) override {
    if (ueberschreibenAblehnen) return;
    zuege.push_back({vorDemZug, zug, spieler});
    brett_.EingabeVeraltet();
    AktualisiereSpiel();
  }

  void AktualisiereSpiel() override {
    brett_.ZeigeSpiel(AktuellerZug(), Gegner(FarbeAmZug()),
                      spielerGegenSpieler || FarbeAmZug() != computerFarbe);
  }

  void Beep() override { ++beeps; }

 private:
  TBrettClass& brett_;
  TZug start_;
  TFarbe startFarbe_;
  Einstellungen einstellungen_;
  TestHost host_;
  LeererVerlauf verlauf_;
  std::unique_ptr<Suche> suche_ = std::make_unique<Suche>(einstellungen_, host_);
};

}  // namespace quarne::test
