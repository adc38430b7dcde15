// How a fuzz input reaches a reader. Its first byte picks the form of the rest: the file as it
// is, the body of a packed container, or the body of a plain image that is packed or left plain.
// Each form but the first gets a correct header, so that mutations get past the byte sum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/byteimage.h"
#include "library/image_header.h"
#include "library/packing.h"

namespace quarne {

enum class Form : std::uint8_t { Datei, ContainerRumpf, GepackterRumpf, UngepackterRumpf };

inline Bytes MitKopf(std::uint32_t stempel, std::span<const std::uint8_t> rumpf) {
  Bytes b;
  BeginneVorspann(b, stempel);
  b.insert(b.end(), rumpf.begin(), rumpf.end());
  SchliesseVorspann(b);
  return b;
}

// The stream for a reader of images with the stamp `stempel`.
inline Bytes Eingabe(const std::uint8_t* daten, std::size_t groesse, std::uint32_t stempel) {
  if (groesse == 0) return {};
  const std::span<const std::uint8_t> rest(daten + 1, groesse - 1);
  switch (static_cast<Form>(daten[0] % 4)) {
    case Form::Datei:
      return Bytes(rest.begin(), rest.end());
    case Form::ContainerRumpf:
      return MitKopf(kStempelGepackt, rest);
    case Form::GepackterRumpf:
      return Komprimiere(MitKopf(stempel, rest));
    case Form::UngepackterRumpf:
      break;
  }
  return MitKopf(stempel, rest);
}

// A fuzz input of the given form: the form's byte, then the rest.
inline Bytes Saat(Form form, std::span<const std::uint8_t> rest) {
  Bytes b{static_cast<std::uint8_t>(form)};
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

}  // namespace quarne
