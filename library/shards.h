// A level's calculation spread over many machines. The plan writes the computer positions that
// building would calculate into shard files of about equal work, with a manifest; each shard is
// calculated on its own into an entry file; the entry files go back into the library they were
// planned from, and into no other.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/search.h"
#include "library/entryfile.h"
#include "library/manifest.h"
#include "library/model.h"

namespace quarne {

// What a plan of level L depends on and the import of its calculations keeps: levels 0..L-1
// whole, and level L's positions with their roles and representatives. The file's own checksum
// would change with the first imported shard.
std::uint64_t Planstand(const TBibliothek& bib, int L);

struct TGeplant {
  std::string Fehler;  // why the level cannot be planned; empty when it can
  TPlan Plan;
  std::vector<std::vector<TSBibEintrag>> Teile;
};

// Expands the player positions of level L-1 into level L as building does, sets the level's
// target depth when tiefe > 0, and splits the positions building would calculate into `teile`
// shards, balanced by their numbers of moves.
TGeplant PlaneStufe(TBibliothek& bib, Suche& suche, int L, int teile, int tiefe);

// Why records are no shard's positions (without moves, placing-phase positions of one level 0
// to 17, one depth of 1 to 16), or empty.
std::string PruefeTeil(std::span<const TSBibEintrag> teil);

// Which positions of the shard the calculations hold; nothing when one of them calculates a
// position the shard does not hold, or holds at another depth, or one twice.
std::optional<std::vector<bool>> Erledigt(std::span<const TSBibEintrag> teil,
                                          std::span<const TSBibEintrag> fertig);

// Why the calculations of an entry file made to this plan cannot go into bib, or empty.
std::string PruefeGegenPlan(const TBibliothek& bib, const TPlan& plan,
                            std::span<const TSBibEintrag> eintraege);

}  // namespace quarne
