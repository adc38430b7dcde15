// The small text files of a level's distributed calculation: one "name=number" a line, names of
// lowercase letters, numbers unsigned and decimal. They are read strictly, since they come from
// a shared folder: every expected name exactly once, nothing else, no number out of range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/byteimage.h"

namespace quarne {

using TKennwerte = std::map<std::string, std::uint64_t, std::less<>>;

// Longer files are none of these.
constexpr std::size_t kHoechstKennwertBytes = 4096;

// The values of exactly the expected names; nothing when the text holds anything else.
std::optional<TKennwerte> LiesKennwerte(std::span<const std::uint8_t> text,
                                        std::span<const std::string_view> namen);
// From a file, read no further than kHoechstKennwertBytes; nothing when it is missing too.
std::optional<TKennwerte> LadeKennwerte(const std::filesystem::path& datei,
                                        std::span<const std::string_view> namen);

Bytes KennwertText(const TKennwerte& werte);

}  // namespace quarne
