// A fingerprint of what a search at a fixed depth finds on a fixed set of positions, so that a
// faster search can be held to the same results as the classic one.
#pragma once

#include <cstdint>

#include "engine/host.h"
#include "engine/settings.h"

namespace quarne {

struct SuchSignatur {
  std::uint64_t pruefsumme = 0;
  std::int64_t erzeugteZuege = 0;  // of all searches together
};

// Searches every position of the set in the calling thread at its depth, with the default
// settings, the given kind of search and size of its table (megabytes) and, where the position
// asks for it, CBVoll. The checksum
// (FNV-1a, 64 bits) covers per position: whether the side to move had no move, the depth reached,
// the best root move of the result, and every root move that is valued exactly (with CBVoll every
// root move), each by its number, result, plies to the result (not for rsQuarn) and the bits of
// PunktWertGes. It leaves out the bounds of root moves cut off and the number of moves generated,
// which a better search may change.
SuchSignatur BerechneSuchSignatur(SuchArt art, int tabelleMB, Host& host);

}  // namespace quarne
