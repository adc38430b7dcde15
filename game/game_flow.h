// How moves enter the game: a person's move from the board, the computer's move from a search,
// taking moves back, stepping through the record, a new game.
#pragma once

#include <cstdint>
#include <random>
#include <string_view>

#include "engine/search.h"
#include "engine/settings.h"
#include "game/game_file.h"
#include "game/game_record.h"
#include "library/model.h"
#include "parallel/driver.h"

namespace quarne {

// Options of the main window that the game flow reads when it needs them.
struct SpielOptionen {
  bool SpVsSpCB = false;  // two persons play; the computer never moves
  bool CBAuto = true;     // the computer answers a person's move at once
  bool TonCB = true;      // beep after a computer move
  int TiefeSE1 = 6;       // search depth when no thinking time is set
  bool Parallel = false;  // CPURadio enabled with its second item: the workers search
  // Read by the opening library and the game files once they exist.
  bool CBUseBib = true;        // ask the opening library before searching
  bool CBBibDenkTiefe = true;  // under a thinking time, only entries calculated BibSE deep
  int BibSE = 13;
  bool BibSpClose = true;  // save a changed library when the program ends
  bool LogCB = false;      // write Log.ml after every move
};

// What the game flow asks of the window.
class SpielFenster {
 public:
  virtual ~SpielFenster() = default;
  // A Yes/No warning; true for Yes.
  virtual bool Frage(std::string_view text) = 0;
  virtual void Nachricht(std::string_view text) = 0;
  virtual void Beep() = 0;
  // Brings every control of the main tab in line with the game.
  virtual void AktualisiereSpiel() = 0;
  // The record changed length: move list rows and scrolling; the board's input is stale.
  virtual void RecordGeaendert() = 0;
  // The shown position changed; the board's input is stale.
  virtual void StellungGewechselt() = 0;
  // A new game: progress fields and the evaluation table are reset.
  virtual void NeuesSpielAngezeigt() = 0;
  virtual void VerbergeTabelle() = 0;
  // While the computer searches, the library controls that could start another search rest.
  virtual void SucheLaeuft(bool /*laeuft*/) {}
  // The library answered: the evaluation table shows its moves as after a search.
  virtual void ZeigeBibErgebnis() {}
  // A move entered the record and LogCB is on: the game is written to "Log.ml".
  virtual void SchreibeLog() {}
};

class Spielablauf {
 public:
  // ht searches with suche's flags and results.
  Spielablauf(Spielstand& spiel, Suche& suche, HTSuche& ht, const Einstellungen& einstellungen,
              const SpielOptionen& optionen, SpielFenster& fenster, std::uint32_t zufallsKeim);

  // The opening library asked before the computer's move, when CBUseBib says so.
  void SetzeBibliothek(const TBibliothek* bib) { bib_ = bib; }

  void FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler);
  void ComputerZug();
  // "Zieh": during a search, end it and play its result; afterwards, play the last result.
  void ZiehBClick();
  void StopSPClick() { suche_.Halte(); }
  void NeuesSpiel();
  // A new game from the setup position, with the computer (startFarbe) to move; false when the
  // player keeps the game that has moves.
  bool ZurAnalyse(const TZug& aufbau, TFarbe aufbauFarbe, TFarbe startFarbe);
  // A game without moves from start, with startFarbe to move; false during a search.
  bool Beginne(const TZug& start, TFarbe startFarbe, TFarbe computerFarbe);
  // The game of a file replaces the record, showing its end; false during a search.
  bool Lade(const Partiedatei& partie);
  void WaehleZug(int zeile);
  void ZurueckButnClick();
  void WechselButClick();
  // Announces the end of the game when the shown position ends it; true when it does.
  bool MeldeSpielende(bool melden);

 private:
  void SpieleErgebnis();
  // The record was replaced by another game: the last result and the displays go with it.
  void SpielErsetzt();
  bool Ueberlauf();
  // False when an error ended the search; the window has shown it.
  bool Suchen();
  // True when the library holds the position deep enough; its moves are then the result.
  bool AusDerBibliothek();

  Spielstand& spiel_;
  Suche& suche_;
  HTSuche& ht_;
  const TBibliothek* bib_ = nullptr;
  const Einstellungen& einst_;
  const SpielOptionen& opt_;
  SpielFenster& fenster_;
  std::mt19937 zufall_;
};

}  // namespace quarne
