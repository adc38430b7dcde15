// Entry files (.sbib): calculated positions with their moves, always packed on disk, to be
// imported into the library. A file is checked whole before any of its records is handed out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/byteimage.h"
#include "core/types.h"
#include "library/file_result.h"

namespace quarne {

// One calculated position: the move that leads into it (its BrettNachZug is the position) and
// the calculation's moves, best first.
struct TSBibEintrag {
  TZug Zug{};
  std::int32_t VirtuellAb = 0;
  std::int32_t STDenkTiefe = 0;
  std::vector<TZug> Zuege;  // a file with more than kMaxZuege is rejected
};

// The step that carries the calculation to the library: VirtuellAb, STDenkTiefe and the moves,
// every other field zero.
TStep SBibStep(const TSBibEintrag& eintrag);
// The record of the calculation s of the position after zug.
TSBibEintrag SBibEintrag(const TZug& zug, const TStep& s);

// The plain image, header included; each record is written with all its moves.
Bytes SBibAbbild(std::span<const TSBibEintrag> eintraege);

struct TSBibGelesen {
  TLeseErgebnis Ergebnis;
  std::vector<TSBibEintrag> Eintraege;  // all records when the code is Ok, none otherwise
};

// The longest unpacked image an entry file may have: 256 MiB, thousands of positions.
constexpr std::size_t kHoechstSBibBytes = std::size_t{1} << 28;

// Reads a packed entry file. A record marker other than the stamp is InnStempel; a field that
// does not fit, or a record with more moves than a step holds, is Fit; an image longer than
// hoechstens is Size with ZuGross, refused before it is unpacked.
TSBibGelesen LeseSBib(std::span<const std::uint8_t> strom,
                      std::size_t hoechstens = kHoechstSBibBytes);
// From a file, read no further than its header allows.
TSBibGelesen LeseSBib(const std::filesystem::path& datei);

// Packs and writes the records: Keine, or Schreibrechte or SchreibenFehler when nothing was
// written.
TDateiMeldung SchreibeSBib(const std::filesystem::path& datei,
                           std::span<const TSBibEintrag> eintraege);

}  // namespace quarne
