// Whole files in and out. A file is only ever replaced by a complete new one: the new content
// goes to a temporary file in the same folder first, which then takes the old file's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/byteimage.h"
#include "library/ergebnis.h"

namespace quarne {

// Reads the whole file: Laden without a message when it does not exist, Laden with Oeffnen when
// it exists but cannot be read, Size when it holds more than hoechstens bytes (reading stops
// there, so that an endless device cannot hang the caller).
TLeseErgebnis LadeDatei(const std::filesystem::path& datei, Bytes& inhalt,
                        std::size_t hoechstens = SIZE_MAX);

// Whether files can be created in the folder of `datei`: a new file of its own is created,
// written and removed; `datei` and every other existing file stay untouched.
bool PruefeSchreibrecht(const std::filesystem::path& datei);

// False when writing failed; the file that was there is then left as it was.
bool SchreibeDatei(const std::filesystem::path& datei, std::span<const std::uint8_t> inhalt);

}  // namespace quarne
