// Whole files in and out. Reading is bounded, so that a device, a pipe or a huge file cannot
// exhaust the memory or hang the caller. A file is only ever replaced by a complete new one: the
// new content goes to a temporary file in the target's folder, is flushed to the disk and then
// takes the old file's name, with the old file's permissions, through symbolic links.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/byteimage.h"
#include "library/file_result.h"

namespace quarne {

// A file opened for reading, read in steps; a pipe, as usual, once its writer has opened it.
class TLeseDatei {
 public:
  explicit TLeseDatei(const std::filesystem::path& datei);
  ~TLeseDatei();
  TLeseDatei(const TLeseDatei&) = delete;
  TLeseDatei& operator=(const TLeseDatei&) = delete;

  // Ok when open; Laden without a message when the file does not exist, Laden with Oeffnen when
  // it exists but cannot be read.
  TLeseErgebnis Geoeffnet() const { return geoeffnet_; }
  // Appends up to n bytes, fewer only at the end of the file; false when reading fails. Memory
  // grows with the bytes that arrive, not with n.
  bool Lies(Bytes& ziel, std::size_t n);

 private:
  int fd_ = -1;
  TLeseErgebnis geoeffnet_;
};

// Reads the whole file; Size when it holds more than hoechstens bytes (reading stops there).
TLeseErgebnis LadeDatei(const std::filesystem::path& datei, Bytes& inhalt, std::size_t hoechstens);

// The file that writing `datei` replaces: `datei` itself, or where its symbolic links lead.
std::filesystem::path SchreibZiel(const std::filesystem::path& datei);

// A hidden file of the writes to `ziel` in its folder: ".<name><endung>".
std::filesystem::path Daneben(const std::filesystem::path& ziel, std::string_view endung);

// Whether `datei` can be written: the target is not write-protected, and a file of its own can be
// created, written and removed in the target's folder; every existing file stays untouched.
bool PruefeSchreibrecht(const std::filesystem::path& datei);

// False when writing failed; the file that was there is then left as it was. A write-protected
// target is never replaced.
bool SchreibeDatei(const std::filesystem::path& datei, std::span<const std::uint8_t> inhalt);

}  // namespace quarne
