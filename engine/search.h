// The search in the calling thread: iterative deepening over the step stack, with cut-offs and
// move ordering (StepRoutine) or complete lists in generation order (StepRoutineListe).
#pragma once

#include <atomic>
#include <cstdint>

#include "core/types.h"
#include "engine/history.h"
#include "engine/host.h"
#include "engine/list_tree.h"
#include "engine/search_run.h"
#include "engine/settings.h"
#include "engine/step_loop.h"

namespace quarne {

struct SuchOptionen {
  bool KeepTabs = false;       // no displays, no tabs, no result snapshot
  bool Timed = false;          // the thinking time limits the search; depth becomes 16
  bool FullDepthOnly = false;  // search only the full depth
};

class Suche : public StepSchleife {
 public:
  Suche(const Einstellungen& einstellungen, Host& host);

  // Requests from outside (buttons, timers, the window closing) that the running search polls.
  // Stop ends it; an interrupted iteration then counts only for a caller that keeps no tabs.
  void Halte() { stop_ = true; }
  // Ends the search at once and keeps the best result found so far, to be played.
  void ZieheJetzt() { zieh_ = true; }
  // A stopped search's stop is acknowledged: the next reader sees none.
  void HebeHaltAuf() { stop_ = false; }
  bool Angehalten() const { return stop_; }
  bool SollZiehen() const { return zieh_; }
  // The same requests as the workers read them; they can neither raise nor clear them.
  const std::atomic<bool>& HaltSignal() const { return stop_; }
  const std::atomic<bool>& ZiehSignal() const { return zieh_; }

  // The game's search begins before its SuchLauf does: the window shows it as running at once,
  // and no request of earlier applies to it.
  void BereiteVor();
  bool Laeuft() const { return laeuft_; }
  // The side to move had no move.
  bool KeineZuege() const { return keineZuege_; }
  void MeldeKeineZuege() { keineZuege_ = true; }
  // MemStep2 holds a result that may be played.
  bool ErgebnisBereit() const { return ergebnisBereit_; }
  void VerwirfErgebnis() { ergebnisBereit_ = false; }
  // A sorted root list found without a search (the library) becomes the result, shown as well.
  void UebernimmErgebnis(const TStep& sortiert);
  // The result with its display copies, kept across a search that must not change it.
  struct Stand {
    TStep wurzel;
    TStep memStep;
    TStep memStep2;
    bool bereit;
    int fertigeTiefe;
  };
  Stand SichereStand() const;
  void StelleWiederHer(const Stand& stand);

  // Sorted root list of the last completed iteration, for the displays and for the choice.
  TStep MemStep{};
  TStep MemStep2{};
  // When the running or last search started (clock of the host).
  std::int64_t StartZeit = 0;
  // Depth of the last completed iteration of the running or last search (0: none).
  int FertigeTiefe = 0;

  // Searches the position after zug; colour farbe is to move with game move zugNummer.
  void StepRoutine(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe, SuchOptionen optionen,
                   const SpielVerlauf& verlauf);
  // Evaluates every move of the first plies; with complete, the root list holds every legal
  // move with its value.
  void StepRoutineListe(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe, bool complete,
                        bool keepTabs, const SpielVerlauf& verlauf);

  // The phases of a search that the parallel search runs inside its own SuchLauf.
  // The iterations with cut-offs, from depth ersteTiefe to the run's target depth.
  void Vertiefe(const SuchLauf& lauf, int ersteTiefe, bool fullDepthOnly);
  // The same from depth 1 on a table of the caller's, until an iteration generates at least
  // zuege moves; true when it stopped for that, short of the target depth.
  bool VertiefeBis(const SuchLauf& lauf, std::int64_t zuege, Transpositionstabelle& tabelle);
  // What a list-mode pass found: the depth of the tree's deepest level, and whether every
  // entry of that level was already decided.
  struct ListenErgebnis {
    int StepMax = 0;
    bool done = false;
  };
  // The list search with ListMode: deepens, without a time limit, until the deepest level of
  // baum holds kZellenZiel open entries, every entry is decided, or the depth asked for is
  // reached. With sichern false its iterations leave the result as it is (a deeper one).
  ListenErgebnis ListenDurchgang(const SuchLauf& lauf, ListenBaum& baum, bool sichern = true);
  // The same as a search of its own.
  ListenErgebnis StepRoutineListe(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe,
                                  bool keepTabs, const SpielVerlauf& verlauf, ListenBaum& baum);
  static constexpr int kZellenZiel = 128;

  // Fills the root moves that an interrupted iteration left open from the last completed one.
  void MemStepExtrapolieren();
  // A completed iteration d (of a search to tiefe) becomes the result: MemStep sorted, its copy
  // MemStep2, ready to play, Zieh offered unless fullDepthOnly, the displays. True when its best
  // move decides the game and CBVoll does not ask for the further iterations.
  bool SichereIteration(int tiefe, int d, bool fullDepthOnly);
  // An interrupted iteration becomes the result, filled in from the last completed one.
  void SichereUnterbrochene();

 private:
  // The run raises and clears the flags as a search starts and ends.
  friend class SuchLauf;

  enum class Iteration { Vollstaendig, Unterbrochen, KeineZuege };

  // How the iterations of one call run.
  struct Art {
    Modus modus;
    int tiefe;  // the last depth
    bool timed;
    bool fullDepthOnly;
    ListenBaum* baum;           // ListMode
    bool sichern = true;        // a completed iteration becomes the result
    std::int64_t bisZuege = 0;  // ends after an iteration of this many moves (0: never)
    Transpositionstabelle* tabelle = nullptr;  // the caller's instead of the own
  };

  // True when an iteration reached art.bisZuege short of the last depth.
  bool Iterationen(const SuchLauf& lauf, const Art& art, int ersteTiefe);
  Iteration Iterieren(int d, const SuchLauf& lauf, const Art& art);
  // Lets the window act every so many passes; false when the thinking time has run out.
  bool Abfragen(int& zaehler, const SuchLauf& lauf, const Art& art, int d);
  // After a completed list-mode iteration d: true when the tree is deep enough.
  bool ListeTiefGenug(int d, ListenBaum& baum);
  ListenErgebnis liste_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> zieh_{false};
  bool keineZuege_ = false;
  bool laeuft_ = false;
  bool ergebnisBereit_ = false;
};

}  // namespace quarne
