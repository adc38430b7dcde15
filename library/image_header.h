// The 20-byte header (Vorspann) in front of every library image, entry-file image and packed
// container: a stamp, the length of the whole stream and the sum of its bytes after the header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/byteimage.h"
#include "library/file_result.h"

namespace quarne {

constexpr std::uint32_t kStempelBib = 0x58254958;      // plain library image
constexpr std::uint32_t kStempelGepackt = 0x46378402;  // packed container
constexpr std::uint32_t kStempelSBib = 0x24763598;     // plain entry-file image, and its records
constexpr std::size_t kVorspannBytes = 20;

// Starts an image: a header with the stamp, size and sum still 0.
void BeginneVorspann(Bytes& abbild, std::uint32_t stempel);
// Once the image is complete: its length and byte sum into the header.
void SchliesseVorspann(Bytes& abbild);

// The sum of all bytes after the header, each 0..255.
std::uint64_t ByteSumme(std::span<const std::uint8_t> strom);

// Ok, NoVorspann, Stempel (unless `stempel` is 0, which takes any), Size or Summe.
TBibCode PruefeVorspann(std::span<const std::uint8_t> strom, std::uint32_t stempel);

// Reads a file that begins with a header: the header, then no more than the length it declares
// and one byte beyond, so that the header's own check finds a file that goes on. A header
// without one of the stamps ends the reading after it; a declared length above hoechstens is
// Size with ZuGross, and nothing more is read.
TLeseErgebnis LadeMitVorspann(const std::filesystem::path& datei, Bytes& inhalt,
                              std::size_t hoechstens, std::span<const std::uint32_t> stempel);

}  // namespace quarne
