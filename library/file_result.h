// How reading or writing a library or entry file ended: the one-byte result code that the
// readers report, and which German message the window shows for it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quarne {

enum class TBibCode : std::uint8_t {
  Ok = 0,
  NoVorspann = 1,  // shorter than the 20-byte header
  Stempel = 2,     // not the expected stamp
  InnStempel = 3,  // a record marker of an entry file is wrong
  Size = 4,        // the length differs from the header's size
  Summe = 5,       // the byte sum differs from the header's sum
  Rest = 6,        // bytes after the last level
  Fit = 7,         // a field would reach beyond the end
  Except = 8,      // the operation was interrupted
  Laden = 9,       // the file is missing or could not be loaded
  Memory = 10,     // out of memory
};

// Several codes share a message, and code 8 has several, so the step that failed picks it.
enum class TDateiMeldung : std::uint8_t {
  Keine,              // success, or a missing library file
  Oeffnen,            // the file exists but cannot be read
  Beschaedigt,        // the header fits no known form
  EntpackenSpeicher,  // unpacking ran out of memory
  EntpackenFehler,    // unpacking failed otherwise
  Fit1,               // a level's fields or entries do not fit, by field
  Fit2,
  Fit3,
  Fit4,
  RestVorhanden,        // bytes after the last level
  Verweise,             // a child range or role that the library cannot hold
  Wurzel,               // level 0 holds other than none or the two root entries
  Stellung,             // an entry whose position the game cannot reach in its level
  ZuGross,              // longer than any file of its kind, or than it may be unpacked
  LesenSpeicher,        // out of memory while reading the levels
  Schreibrechte,        // the folder cannot be written
  KompressionSpeicher,  // written unpacked, for want of memory to pack
  SchreibenFehler,      // writing the file failed; the old file is kept
  Gesperrt,             // another writer holds the file's lock
};

struct TLeseErgebnis {
  TBibCode Code = TBibCode::Ok;
  TDateiMeldung Meldung = TDateiMeldung::Keine;
};

// The German text of a message; `datei` is the file read or written. Empty for none.
std::string MeldungsText(TDateiMeldung meldung, const std::filesystem::path& datei);

}  // namespace quarne
