// One writer at a time: an advisory lock for a file's whole read-change-write, and the state of
// a file on disk, by which a program that holds the file's content in memory notices that
// another one has replaced it since.
#pragma once

#include <cstdint>
#include <filesystem>

#include "library/file_result.h"

namespace quarne {

// Holds the lock of `datei` (through its symbolic links) from construction to destruction. The
// lock lives in a file beside the target, ".<name>.lock", that only exists while it is held; a
// process that ends, however, releases it, so a left-over lock file never blocks.
class TDateiSperre {
 public:
  // Waits up to warteMs for another writer to finish.
  TDateiSperre(const std::filesystem::path& datei, int warteMs);
  ~TDateiSperre();
  TDateiSperre(const TDateiSperre&) = delete;
  TDateiSperre& operator=(const TDateiSperre&) = delete;

  // Keine while held; Gesperrt when another writer kept the lock, Schreibrechte when the folder
  // does not let the lock be taken.
  TDateiMeldung Meldung() const { return meldung_; }
  bool Gehalten() const { return meldung_ == TDateiMeldung::Keine; }

 private:
  std::filesystem::path sperrDatei_;
  int fd_ = -1;
  TDateiMeldung meldung_ = TDateiMeldung::Keine;
};

// How long a command waits for another writer of the same file, and the window, which must not
// hang, before it gives up.
inline constexpr int kSperreWartenMs = 10'000;
inline constexpr int kFensterSperreMs = 2'000;

// What the disk holds under a name: which file, how long, last changed when. Every save
// through SchreibeDatei makes a new file, so a save by another program always changes it.
struct TDateiStand {
  bool vorhanden = false;
  std::uint64_t geraet = 0, knoten = 0;
  std::int64_t groesse = 0, geaendertSek = 0, geaendertNs = 0;

  bool operator==(const TDateiStand&) const = default;
};
TDateiStand DateiStand(const std::filesystem::path& datei);

}  // namespace quarne
