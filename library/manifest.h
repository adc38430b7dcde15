// The manifest of a level's plan: which library state it was made from, the level, the depth and
// the number of shards; and the names of the files in the plan's folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "core/byteimage.h"

namespace quarne {

struct TPlan {
  std::uint64_t Planstand = 0;  // of the library as planned
  int Stufe = 0;
  int Tiefe = 0;
  int Teile = 0;
  int Stellungen = 0;

  bool operator==(const TPlan&) const = default;
};

constexpr int kHoechstTeile = 10'000;

// The files of a plan's folder: the manifest, the positions of shard k (1..Teile) as an entry
// file whose records have no moves, the shard's calculations, and the time they took.
std::filesystem::path ManifestDatei(const std::filesystem::path& ordner);
std::filesystem::path TeilDatei(const std::filesystem::path& ordner, int k);
std::filesystem::path ErgebnisDatei(const std::filesystem::path& ordner, int k);
std::filesystem::path RechenzeitDatei(const std::filesystem::path& ergebnis);

// The names in the file of a shard's time: its calculations' milliseconds, over all runs.
inline constexpr std::string_view kRechenzeitNamen[] = {"rechenzeit"};

Bytes ManifestText(const TPlan& plan);
bool SchreibeManifest(const std::filesystem::path& datei, const TPlan& plan);
// Nothing when the text is not a manifest, or the file is missing or none.
std::optional<TPlan> LeseManifest(std::span<const std::uint8_t> text);
std::optional<TPlan> LeseManifest(const std::filesystem::path& datei);

}  // namespace quarne
