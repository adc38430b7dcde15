// Library files: the plain image of the 19 levels behind a header, packed on disk. A file is read
// whole into memory and checked before the library takes it; a file is written whole through a
// temporary file, so a failed write keeps the old one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/byteimage.h"
#include "library/file_result.h"
#include "library/model.h"

namespace quarne {

// The plain image of the library, header included.
Bytes BibAbbild(const TBibliothek& bib);

// The longest unpacked image a library file may have: 1 GiB, some 2.2 million entries.
constexpr std::size_t kHoechstBibBytes = std::size_t{1} << 30;

// Reads a plain or packed library image into `ziel`. A failure before the levels are read keeps
// `ziel` as it was; a failure in the levels (Except or Memory) leaves it with 19 empty levels,
// all at depth 0. Only the levels change, never the modified flag. An image longer than
// hoechstens is refused before it is unpacked; level 0 holds no entry or the two root entries,
// and every entry a position of its level (EintragMoeglich).
TLeseErgebnis LeseBib(std::span<const std::uint8_t> strom, TBibliothek& ziel,
                      std::size_t hoechstens = kHoechstBibBytes);
// From a file, read no further than its header allows.
TLeseErgebnis LeseBib(const std::filesystem::path& datei, TBibliothek& ziel);

// Packs and writes the library. Keine when written packed, KompressionSpeicher when written
// unpacked for want of memory; Schreibrechte or SchreibenFehler when nothing was written.
TDateiMeldung SchreibeBib(const std::filesystem::path& datei, const TBibliothek& bib);

}  // namespace quarne
