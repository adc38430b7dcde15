#include <gtest/gtest.h>

#include <bit>
#include <deque>
#include <memory>
#include <set>
#include <stdexcept>

#include "core/notation.h"
#include "game/game_flow.h"
#include "tests/engine/test_host.h"
#include "tests/engine/test_positions.h"

namespace quarne {
namespace {

using test::Pos;

// A window that answers questions from a script and records what it was asked to show.
struct TestFenster : SpielFenster {
  std::deque<bool> antworten;
  std::vector<std::string> fragen, nachrichten;
  int beeps = 0, aktualisiert = 0, recordGeaendert = 0, neu = 0, logs = 0;

  bool Frage(std::string_view text) override {
    fragen.emplace_back(text);
    if (antworten.empty()) {
      ADD_FAILURE() << "unerwartete Frage " << text;
      return false;
    }
    const bool a = antworten.front();
    antworten.pop_front();
    return a;
  }
  void Nachricht(std::string_view text) override { nachrichten.emplace_back(text); }
  void Beep() override { ++beeps; }
  void AktualisiereSpiel() override { ++aktualisiert; }
  void RecordGeaendert() override { ++recordGeaendert; }
  void StellungGewechselt() override {}
  void NeuesSpielAngezeigt() override { ++neu; }
  void VerbergeTabelle() override {}
  void SchreibeLog() override { ++logs; }
};

std::string Text(const TZug& z) {
  return ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne);
}

class Spiel : public ::testing::Test {
 protected:
  Einstellungen einst;
  SpielOptionen opt;
  test::TestHost host;
  TestFenster fenster;
  std::unique_ptr<Spielstand> stand = std::make_unique<Spielstand>();
  std::unique_ptr<Suche> suche = std::make_unique<Suche>(einst, host);
  std::unique_ptr<HTSuche> ht = std::make_unique<HTSuche>(*suche, einst, host);
  std::unique_ptr<Spielablauf> ablauf;

  void SetUp() override {
    einst.AutoGroup = 0;  // search to a depth, not for a time
    opt.TiefeSE1 = 2;
    Neu(7);
  }
  void Neu(std::uint32_t keim) {
    ablauf = std::make_unique<Spielablauf>(*stand, *suche, *ht, einst, opt, fenster, keim);
  }

  // The person's move with the given text (empty: the first legal move), chosen from the legal
  // moves as the board does.
  void Mensch(const std::string& text = {}) {
    auto liste = std::make_unique<Suche>(einst, host);
    liste->StepRoutineListe(2, stand->AktuellerZug(), stand->AktZugNr(), stand->FarbeAmZug(), true,
                            true, *stand);
    const TStep& w = liste->Steps[1];
    for (int i = 1; i <= w.ZuegeAnzahl; ++i)
      if (text.empty() || Text(w.Zuege[i]) == text)
        return ablauf->FuehreZugAus(w.VorDemZug, w.Zuege[i], csHuman);
    ADD_FAILURE() << "kein legaler Zug " << text;
  }
};

TEST_F(Spiel, KurzePartieGegenDenComputer) {
  Mensch("--- d2");
  ASSERT_EQ(stand->LetzterZugNr(), 2);
  EXPECT_EQ(stand->Spielzuege()[1].Spieler, csHuman);
  EXPECT_EQ(stand->Spielzuege()[1].Farbe, clWeiss);
  EXPECT_EQ(stand->Spielzuege()[2].Spieler, csComputer);
  EXPECT_EQ(stand->Spielzuege()[2].Farbe, clSchwarz);
  EXPECT_EQ(stand->AktZugNr(), 3);
  EXPECT_EQ(stand->FarbeAmZug(), clWeiss);
  EXPECT_EQ(fenster.beeps, 1);
  Mensch();
  Mensch();
  EXPECT_EQ(stand->LetzterZugNr(), 6);
  EXPECT_EQ(fenster.beeps, 3);
  // Each stored position follows from the one before: the record is one game.
  for (int i = 2; i <= 6; ++i)
    EXPECT_EQ(stand->Spielzuege()[i].VorDemZug.BrettNachZug.AlleSteine,
              stand->Spielzuege()[i - 1].Zug.BrettNachZug.AlleSteine);
  EXPECT_TRUE(fenster.fragen.empty());
  EXPECT_TRUE(fenster.nachrichten.empty());

  // Without the automatic answer the computer waits for "Denke".
  opt.CBAuto = false;
  Mensch();
  EXPECT_EQ(stand->LetzterZugNr(), 7);
  ablauf->ComputerZug();
  EXPECT_EQ(stand->LetzterZugNr(), 8);
}

TEST_F(Spiel, ZurueckblaetternUndUeberschreiben) {
  opt.SpVsSpCB = true;
  for (const char* z : {"--- a1", "--- d1", "--- g1", "--- g4", "--- g7", "--- d7"}) Mensch(z);
  ASSERT_EQ(stand->LetzterZugNr(), 6);
  ablauf->WaehleZug(4);  // "<" twice from the end: the position after move 4
  EXPECT_EQ(stand->AktZugNr(), 5);

  fenster.antworten = {false};
  Mensch("--- b2");
  EXPECT_EQ(fenster.fragen, std::vector<std::string>{"Zug überschreiben ?"});
  EXPECT_EQ(stand->LetzterZugNr(), 6);

  fenster.antworten = {true};
  Mensch("--- b2");
  EXPECT_EQ(stand->LetzterZugNr(), 5);
  EXPECT_EQ(stand->AktZugNr(), 6);
  EXPECT_EQ(Text(stand->Spielzuege()[5].Zug), "--- b2");
}

TEST_F(Spiel, EinZugZurueckUndNeuesSpiel) {
  // At the start "1 Zug zurück" empties the record and the start position stays.
  Mensch("--- d2");
  ablauf->WaehleZug(0);
  ablauf->ZurueckButnClick();
  EXPECT_EQ(stand->LetzterZugNr(), 0);
  EXPECT_EQ(stand->AktZugNr(), 1);

  Mensch("--- d2");
  ablauf->ZurueckButnClick();  // takes back the computer's answer
  EXPECT_EQ(stand->LetzterZugNr(), 1);
  EXPECT_EQ(stand->AktZugNr(), 2);

  fenster.antworten = {false, true};
  ablauf->NeuesSpiel();
  EXPECT_EQ(stand->LetzterZugNr(), 1);
  ablauf->NeuesSpiel();
  EXPECT_EQ(stand->LetzterZugNr(), 0);
  EXPECT_EQ(fenster.neu, 1);
  EXPECT_EQ(fenster.fragen.size(), 2u);
}

TEST_F(Spiel, ComputerfarbeFolgtDemRecord) {
  // White: the person; Black: the computer. Then a side switch: the computer takes White.
  opt.CBAuto = false;
  Mensch("--- d2");
  ablauf->ComputerZug();
  ablauf->WechselButClick();
  EXPECT_EQ(stand->ComputerFarbe(), clWeiss);
  ablauf->ComputerZug();
  Mensch();
  ASSERT_EQ(stand->LetzterZugNr(), 4);
  // Stepping to a move the computer made gives the computer the side to move there.
  ablauf->WaehleZug(1);
  EXPECT_EQ(stand->ComputerFarbe(), clSchwarz);
  ablauf->WaehleZug(2);
  EXPECT_EQ(stand->ComputerFarbe(), clWeiss);
  // At the end the last move decides: made by the person (Black), so the computer is White.
  ablauf->WaehleZug(4);
  EXPECT_EQ(stand->ComputerFarbe(), clWeiss);
  ablauf->WaehleZug(99);
  EXPECT_EQ(stand->AktZugNr(), 5);
}

TEST_F(Spiel, SpielendeWirdGemeldet) {
  // The computer, White, blocks Black completely with f4 to g4.
  const Stellung st = Pos("SSS...WS.W.W...W........ W 9 9");
  stand->Beginne(st.zug, clWeiss, clWeiss);  // White, the computer here, is to move
  ablauf->ComputerZug();
  ASSERT_EQ(stand->LetzterZugNr(), 1);
  EXPECT_EQ(Text(stand->Spielzuege()[1].Zug), "f4 g4");
  EXPECT_EQ(fenster.nachrichten, std::vector<std::string>{"Weiß gewinnt durch Blockade."});
  // "Denke" on a finished game only announces the end again.
  ablauf->ComputerZug();
  EXPECT_EQ(stand->LetzterZugNr(), 1);
  EXPECT_EQ(fenster.nachrichten.size(), 2u);

  // The side without moves: the blockade message, the record unchanged.
  stand->Beginne(Pos("SSSW..WS.W.....W........ S 9 9").zug, clSchwarz, clSchwarz);
  ablauf->ComputerZug();
  EXPECT_EQ(stand->LetzterZugNr(), 0);
  EXPECT_EQ(fenster.nachrichten.back(),
            "Für Schwarz sind keine Züge verfügbar. Weiß blockiert Schwarz.");
}

TEST_F(Spiel, ZweihundertZuegeSindDasEnde) {
  const TZug leer{};
  for (int i = 1; i <= kMaxSpielzuege; ++i) stand->Eintragen(leer, leer, csHuman);
  ablauf->ComputerZug();
  const std::string meldung = "Die Anzahl der maximalen Züge (200) wurde erreicht";
  EXPECT_EQ(fenster.nachrichten, std::vector<std::string>{meldung});
  ablauf->FuehreZugAus(leer, leer, csHuman);
  EXPECT_EQ(fenster.nachrichten.size(), 2u);
  EXPECT_EQ(stand->LetzterZugNr(), kMaxSpielzuege);
  EXPECT_EQ(stand->AktZugNr(), kMaxSpielzuege + 1);
}

TEST_F(Spiel, GleichBesteZuegeWerdenZufaelligGewaehlt) {
  // From the empty board at depth 1 the four midpoints of the middle square are equally best.
  opt.TiefeSE1 = 1;
  einst.CBVirtuell = false;
  std::set<std::string> gewaehlt;
  for (std::uint32_t keim = 1; keim <= 40; ++keim) {
    stand->Neu();
    Neu(keim);
    stand->TauscheSeiten();  // the computer takes White
    ablauf->ComputerZug();
    ASSERT_EQ(stand->LetzterZugNr(), 1);
    gewaehlt.insert(Text(stand->Spielzuege()[1].Zug));
  }
  EXPECT_EQ(gewaehlt, (std::set<std::string>{"--- d2", "--- f4", "--- d6", "--- b4"}));
}

TEST_F(Spiel, StopSpieltNichtsUndZiehSpieltDasLetzteErgebnis) {
  opt.TiefeSE1 = 12;
  int moment = 0;
  host.beiEreignis = [&] {
    if (++moment == 20) ablauf->StopSPClick();
  };
  stand->TauscheSeiten();  // the computer takes White
  ablauf->ComputerZug();
  EXPECT_EQ(stand->LetzterZugNr(), 0);
  EXPECT_FALSE(suche->Angehalten());
  EXPECT_FALSE(stand->ZugGemacht());
  ASSERT_TRUE(suche->ErgebnisBereit());
  host.beiEreignis = nullptr;
  ablauf->ZiehBClick();
  EXPECT_EQ(stand->LetzterZugNr(), 1);
  // A second "Zieh" has no result for the new position.
  ablauf->ZiehBClick();
  EXPECT_EQ(stand->LetzterZugNr(), 1);
}

TEST_F(Spiel, FehlerDerSucheBeendetNurDieSuche) {
  opt.TiefeSE1 = 8;
  host.beiEreignis = [this] {
    EXPECT_TRUE(suche->Laeuft());
    throw std::runtime_error("TimeOut Thread Start !");
  };
  stand->TauscheSeiten();  // the computer takes White
  ablauf->ComputerZug();
  EXPECT_EQ(fenster.nachrichten, std::vector<std::string>{"TimeOut Thread Start !"});
  EXPECT_EQ(stand->LetzterZugNr(), 0);
  EXPECT_FALSE(suche->Laeuft());
  // The game goes on.
  host.beiEreignis = nullptr;
  opt.TiefeSE1 = 2;
  ablauf->ComputerZug();
  EXPECT_EQ(stand->LetzterZugNr(), 1);
}

// Log.ml is written after the person's move and again after the computer's answer.
TEST_F(Spiel, LogNachJedemZug) {
  Mensch("--- d2");
  EXPECT_EQ(fenster.logs, 0);
  opt.LogCB = true;
  Mensch();
  EXPECT_EQ(stand->LetzterZugNr(), 4);
  EXPECT_EQ(fenster.logs, 3);  // the person's move, the computer's move, after its answer
  opt.SpVsSpCB = true;
  Mensch();
  EXPECT_EQ(fenster.logs, 4);
}

TEST_F(Spiel, AnalyseEinerAufgestelltenStellung) {
  Mensch("--- d2");
  const Spielstand vorher = *stand;
  // Black to move in the setup: its stones are the setup's Ziehend side.
  const Stellung s = Pos("W.S.W..S................ S 2 2");
  TZug aufbau{};
  aufbau.BrettNachZug = s.zug.BrettNachZug;
  std::swap(aufbau.BrettNachZug.SteineZiehend, aufbau.BrettNachZug.SteineStehend);
  std::swap(aufbau.BrettNachZug.GesetzteSteineZiehend, aufbau.BrettNachZug.GesetzteSteineStehend);
  std::swap(aufbau.BrettNachZug.SteineAnzahlZiehend, aufbau.BrettNachZug.SteineAnzahlStehend);

  fenster.antworten = {false};
  EXPECT_FALSE(ablauf->ZurAnalyse(aufbau, clSchwarz, clSchwarz));
  EXPECT_EQ(fenster.fragen, std::vector<std::string>{"Spiel überschreiben ?"});
  EXPECT_EQ(stand->LetzterZugNr(), vorher.LetzterZugNr());
  EXPECT_EQ(stand->StartFarbe(), clWeiss);  // the kept game keeps its colours
  EXPECT_EQ(stand->ComputerFarbe(), vorher.ComputerFarbe());

  // A result left from the old game, for move 1 of the computer's colour: not for this game.
  TStep alt{};
  alt.STZugNummer = 1;
  alt.STFarbeZiehend = clSchwarz;
  alt.ZuegeAnzahl = 1;
  alt.Zuege[1] = stand->Spielzuege()[1].Zug;
  suche->UebernimmErgebnis(alt);
  stand->SetzeZugGemacht(false);  // as after "Stop"
  fenster.antworten = {true};
  ASSERT_TRUE(ablauf->ZurAnalyse(aufbau, clSchwarz, clSchwarz));
  ablauf->ZiehBClick();
  EXPECT_EQ(stand->LetzterZugNr(), 0);
  EXPECT_EQ(stand->LetzterZugNr(), 0);
  EXPECT_EQ(stand->AktZugNr(), 1);
  EXPECT_EQ(stand->FarbeAmZug(), clSchwarz);
  EXPECT_EQ(stand->ComputerFarbe(), clSchwarz);
  EXPECT_EQ(stand->StartZug().BrettNachZug.SteineStehend, s.zug.BrettNachZug.SteineStehend);
  // "Denke" now searches the set-up position for Black and places a third black stone.
  ablauf->ComputerZug();
  ASSERT_EQ(stand->LetzterZugNr(), 1);
  EXPECT_EQ(stand->Spielzuege()[1].Farbe, clSchwarz);
  EXPECT_EQ(stand->Spielzuege()[1].VorDemZug.BrettNachZug.AlleSteine,
            s.zug.BrettNachZug.AlleSteine);
  EXPECT_EQ(std::popcount(stand->Spielzuege()[1].Zug.BrettNachZug.SteineZiehend), 3);
}

}  // namespace
}  // namespace quarne
