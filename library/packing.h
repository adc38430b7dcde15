// The zero-run packing of library and entry files: every run of at least 8 zero bytes of an
// image becomes a record of offset and length, all other bytes are kept in their order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "core/byteimage.h"
#include "library/file_result.h"

namespace quarne {

// Cnt zero bytes of the unpacked image from offset NachByte on.
struct TNullBereich {
  std::uint64_t NachByte = 0;
  std::uint16_t Cnt = 0;
};

// The packed container of an image (its header included), with a header of its own.
Bytes Komprimiere(std::span<const std::uint8_t> abbild);

// A container is never longer than its image by more than its header and its count of runs:
// each run of at least 8 zeros takes 7 bytes.
constexpr std::size_t kContainerZuschlag = 28;

struct TEntpackt {
  TBibCode Code = TBibCode::Ok;
  bool ZuGross = false;  // Code Size because the image would be longer than allowed
  Bytes Abbild;          // the unpacked image when Code is Ok
};

// Unpacks a container whose header, run records and literal bytes all have to agree: the result
// is never longer than the unpacked image's own header declares, and a run that can never be
// reached ends the unpacking with Fit. An image that would be longer than hoechstens is refused
// with Size before anything is allocated for it, and so is one whose first vorabBytes bytes
// (fewer when it is shorter) `vorab` refuses, with Except.
TEntpackt Dekomprimiere(std::span<const std::uint8_t> container, std::uint64_t hoechstens,
                        std::size_t vorabBytes = 0,
                        const std::function<bool(std::span<const std::uint8_t>)>& vorab = {});

}  // namespace quarne
