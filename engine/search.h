// The search in the calling thread: iterative deepening over the step stack, with cut-offs and
// move ordering (StepRoutine) or complete lists in generation order (StepRoutineListe).
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "core/types.h"
#include "engine/history.h"
#include "engine/host.h"
#include "engine/listenbaum.h"
#include "engine/settings.h"
#include "engine/stepstack.h"

namespace quarne {

struct SuchOptionen {
  bool KeepTabs = false;       // no displays, no tabs, no result snapshot
  bool Timed = false;          // the thinking time limits the search; depth becomes 16
  bool FullDepthOnly = false;  // search only the full depth
};

class Suche : public StepStack {
 public:
  Suche(const Einstellungen& einstellungen, Host& host);

  // Set from outside (buttons, timers, the thinking time) while the search polls.
  std::atomic<bool> StopFlag{false};
  std::atomic<bool> MoveNowFlag{false};
  bool NoMovesFlag = false;
  bool SearchRunning = false;
  bool ResultReady = false;
  // Sorted root list of the last completed iteration, for the displays and for the choice.
  TStep MemStep{};
  TStep MemStep2{};
  // When the running or last search started (clock of the host).
  std::int64_t StartZeit = 0;

  // Searches the position after zug; colour farbe is to move with game move zugNummer.
  void StepRoutine(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe, SuchOptionen optionen,
                   const SpielVerlauf& verlauf);
  // Evaluates every move of the first plies; with complete, the root list holds every legal
  // move with its value.
  void StepRoutineListe(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe, bool complete,
                        bool keepTabs, const SpielVerlauf& verlauf);

  // What a list-mode pass found: the depth of the tree's deepest level, and whether every
  // entry of that level was already decided.
  struct ListenErgebnis {
    int StepMax = 0;
    bool done = false;
  };
  // StepRoutineListe with ListMode: deepens until the deepest level of baum holds
  // kZellenZiel open entries, every entry is decided, or depth tiefe is reached. The search
  // counts as running afterwards: the caller ends it.
  ListenErgebnis StepRoutineListe(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe,
                                  bool keepTabs, const SpielVerlauf& verlauf, ListenBaum& baum);
  static constexpr int kZellenZiel = 128;

  // Depth of the last completed iteration of the running or last search (0: none).
  int FertigeTiefe = 0;

  // Fills the root moves that an interrupted iteration left open from the last completed one.
  void MemStepExtrapolieren();
  // A completed iteration d (of a search to tiefe) becomes the result: MemStep sorted, its copy
  // MemStep2, ResultReady, Zieh offered unless fullDepthOnly, the displays. True when its best
  // move decides the game and CBVoll does not ask for the further iterations.
  bool SichereIteration(int tiefe, int d, bool fullDepthOnly);
  // An interrupted iteration becomes the result, filled in from the last completed one.
  void SichereUnterbrochene();

 protected:
  bool HTTestung(int s, int d, bool einstiegNextMove) override;

 private:
  enum class Iteration { Vollstaendig, Unterbrochen, KeineZuege };

  struct Lauf {
    int tiefe;
    const TZug* zug;
    int zugNummer;
    TFarbe farbe;
    bool liste;     // StepRoutineListe
    bool complete;  // StepRoutineListe with complete lists
    bool keepTabs;
    bool timed;
    bool fullDepthOnly;
    ListenBaum* baum;  // ListMode
    std::int64_t deadline;
    bool anzeigen() const { return !keepTabs && !complete; }
  };

  // Where an iteration stands: its stage, the current ply, and the hint of a move of that ply
  // already known to win.
  struct Lage {
    TAufgabe stage = agStepInc;
    int s = 0;
    int hint = 0;
    THintRes hintArt = hrNone;
  };

  void Suchen(Lauf lauf, const SpielVerlauf& verlauf);
  // After a completed list-mode iteration d: true when the tree is deep enough.
  bool ListeTiefGenug(int d, const Lauf& lauf);
  // In ListMode, a move of ply s known to win at once marks its entry in the tree.
  void MeldeSofortGewinn(int s, const Lage& l, const Lauf& lauf, int d);
  bool Abfragen(int& zaehler, const Lauf& lauf, int d);
  ListenErgebnis liste_;
  Iteration Iterieren(int d, const Lauf& lauf);
  bool StepInc(Lage& l, int d, const Lauf& lauf);
  // A ply without moves: at the root no move at all, below it a win of the move that led here.
  bool Blockiert(Lage& l);
  // The stages that differ between the two routines; a value ends the iteration.
  std::optional<Iteration> StufeStepRoutine(Lage& l, int d, const Lauf& lauf);
  std::optional<Iteration> StufeListe(Lage& l, int d, const Lauf& lauf);
  GenModus Modus(int s, int d, const Lauf& lauf) const;
};

}  // namespace quarne
