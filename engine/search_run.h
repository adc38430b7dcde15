// One search from its start to its end, whoever runs it (the calling-thread search, the list
// search, or the parallel search with its list pass and its phases): the flags, the settings
// and game copy, the deadline, the tabs and the monitor, and what an interrupted search leaves
// as its result. Phases of one search run inside one SuchLauf and never start or end it again.
#pragma once

#include <cstdint>

#include "core/types.h"
#include "engine/history.h"

namespace quarne {

class Suche;

class SuchLauf {
 public:
  struct Auftrag {
    int tiefe = 1;  // values above 16 are cut to 16
    const TZug* zug = nullptr;
    int zugNummer = 1;
    TFarbe farbe = clWeiss;
    const SpielVerlauf* verlauf = nullptr;
    bool keepTabs = false;  // no tabs hidden, no monitor, no result snapshots
    bool timed = false;     // the thinking time limits the search; the depth becomes 16
    bool complete = false;  // complete lists: no monitor, no snapshots
  };

  SuchLauf(Suche& suche, const Auftrag& auftrag);
  // Without Beende (an error left the search): the window comes back and nothing runs.
  ~SuchLauf();
  SuchLauf(const SuchLauf&) = delete;
  SuchLauf& operator=(const SuchLauf&) = delete;

  // The normal end: an interrupted iteration is filled in from the last completed one, the
  // monitor and the tabs come back.
  void Beende();

  const TZug& zug;
  const int zugNummer;
  const TFarbe farbe;
  const SpielVerlauf& verlauf;
  // The depth asked for (at most 16), and the depth the iterations aim at: 16 when timed.
  const int tiefe;
  const int zielTiefe;
  const bool keepTabs;
  const bool timed;
  const bool complete;
  std::int64_t deadline = 0;

  // The monitor follows the search.
  bool Anzeigen() const { return !keepTabs && !complete; }

 private:
  Suche& suche_;
  bool beendet_ = false;
};

}  // namespace quarne
