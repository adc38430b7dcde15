// Game files (".ml"): the game record with its start position and the setup tab's position, as
// a byte image without header or checksum. The reader checks the whole file before anything is
// handed out, so a bad file never changes the game.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/byteimage.h"
#include "game/game_record.h"
#include "library/file_result.h"

namespace quarne {

struct Partiedatei {
  TZug StartZug{};
  TFarbe StartFarbe = clWeiss;
  TFarbe ComputerFarbe = clSchwarz;
  std::vector<TSpielZug> Zuege;  // Spielzuege[1..LetzterZugNr]
  TZug NewNullZug{};             // the setup board's position
  TFarbe NewNullZugFrb = clSchwarz;
  std::int32_t SPEDWeiss = 0;  // stones placed on the setup tab
  std::int32_t SPEDSchwarz = 0;
};

constexpr std::size_t kPartieKopfBytes = 454;
constexpr std::size_t kPartieZugBytes = 902;
constexpr std::size_t kPartieSchlussBytes = 457;
// A game of 200 moves; no game file is longer.
constexpr std::size_t kPartieHoechstBytes =
    kPartieKopfBytes + kMaxSpielzuege * kPartieZugBytes + kPartieSchlussBytes;

// 911 + 902 N bytes.
Bytes PartieAbbild(const Partiedatei& p);

// The file's content when it is a game file: exactly 911 + 902 N bytes with 0 ≤ N ≤ 200, every
// colour, role, phase and result kind in range, and every move's Nr its position.
std::optional<Partiedatei> LiesPartie(std::span<const std::uint8_t> daten);

// A game file read from disk: the game, or why there is none.
struct GeladenePartie {
  bool lesbar = false;  // the file exists and could be read (up to the largest game file)
  std::optional<Partiedatei> partie;
};
GeladenePartie LadePartie(const std::filesystem::path& datei);

// Writes the game file while holding its lock (waiting up to warteMs for another writer):
// Keine, or Schreibrechte, Gesperrt or SchreibenFehler when nothing was written.
TDateiMeldung SpeicherePartie(const std::filesystem::path& datei, const Partiedatei& p,
                              int warteMs);

// The game's part of a game file; the setup fields are left to the caller.
Partiedatei ErfassePartie(const Spielstand& s);
// Puts the file's game into s, which then shows the position after its last move.
void UebernimmPartie(const Partiedatei& p, Spielstand& s);

// The message for a file that is no game file.
std::string KeinePartie(const std::string& datei);

}  // namespace quarne
