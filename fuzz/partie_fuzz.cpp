// The game-file reader on hostile bytes. Besides not crashing, what it accepts is a whole game
// of at most 200 moves, and writing it and reading it again gives the same image.
#include <cstdlib>

#include "game/game_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  const auto p = LiesPartie(std::span(daten, groesse));
  if (!p) return 0;
  if (p->Zuege.size() > static_cast<std::size_t>(kMaxSpielzuege)) std::abort();
  const Bytes bild = PartieAbbild(*p);
  if (bild.size() != groesse) std::abort();
  const auto wieder = LiesPartie(bild);
  if (!wieder || PartieAbbild(*wieder) != bild) std::abort();
  return 0;
}
