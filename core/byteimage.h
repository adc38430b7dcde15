// Byte images of the game records as files hold them: little-endian numbers, one-byte
// enumerations and Booleans, padding written as zero. Records are built field by field, never
// copied from memory, so the image does not depend on the compiler's layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "core/types.h"

namespace quarne {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kBrettBytes = 44;
constexpr std::size_t kZugWertBytes = 24;
constexpr std::size_t kSmartZugBytes = 20;
constexpr std::size_t kZugBytes = 448;

// Appends to a byte buffer.
class ByteWriter {
 public:
  explicit ByteWriter(Bytes& ziel) : ziel_(ziel) {}

  void U8(std::uint8_t v) { ziel_.push_back(v); }
  void U16(std::uint16_t v) { Zahl(v, 2); }
  void U32(std::uint32_t v) { Zahl(v, 4); }
  void I32(std::int32_t v) { Zahl(static_cast<std::uint32_t>(v), 4); }
  void U64(std::uint64_t v) { Zahl(v, 8); }
  void I64(std::int64_t v) { Zahl(static_cast<std::uint64_t>(v), 8); }
  void F64(double v);
  void Null(std::size_t n) { ziel_.insert(ziel_.end(), n, 0); }

  // A record's field, its width and kind by its type (see ByteReader::Feld).
  template <class T>
  void Feld(const T& v);
  void Luecke(std::size_t n) { Null(n); }

 private:
  void Zahl(std::uint64_t v, int bytes);

  Bytes& ziel_;
};

// Reads from a position of a byte buffer on. A read that would pass the end returns false and
// changes neither the value nor the position, so every length from a file is checked before use.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> daten, std::size_t pos = 0)
      : daten_(daten), pos_(pos < daten.size() ? pos : daten.size()) {}

  std::size_t Pos() const { return pos_; }
  std::size_t Rest() const { return daten_.size() - pos_; }
  bool Passt(std::size_t n) const { return n <= Rest(); }

  bool U8(std::uint8_t& v);
  bool U16(std::uint16_t& v);
  bool U32(std::uint32_t& v);
  bool I32(std::int32_t& v);
  bool U64(std::uint64_t& v);
  bool I64(std::int64_t& v);
  bool F64(double& v);
  bool Ueberspringe(std::size_t n);

  // A record's field: Booleans, enumerations and bytes take one byte (a Boolean is true when
  // its byte is not 0), integers four, doubles eight; records nest. A record's layout is thus
  // written down once for both directions, and reading and writing cannot drift apart.
  template <class T>
  bool Feld(T& v);
  bool Luecke(std::size_t n) { return Ueberspringe(n); }

 private:
  // The next `bytes` bytes as a little-endian number.
  bool Zahl(std::uint64_t& v, int bytes);

  std::span<const std::uint8_t> daten_;
  std::size_t pos_;
};

void Schreibe(ByteWriter& w, const TBrett& b);
void Schreibe(ByteWriter& w, const TZugWert& z);
void Schreibe(ByteWriter& w, const TSmartZug& s);
void Schreibe(ByteWriter& w, const TZug& z);

// Each reads a whole record or, when it does not fit, nothing.
bool Lies(ByteReader& r, TBrett& b);
bool Lies(ByteReader& r, TZugWert& z);
bool Lies(ByteReader& r, TSmartZug& s);
bool Lies(ByteReader& r, TZug& z);

template <class T>
void ByteWriter::Feld(const T& v) {
  if constexpr (std::is_class_v<T>) {
    Schreibe(*this, v);
  } else if constexpr (std::is_same_v<T, double>) {
    F64(v);
  } else if constexpr (sizeof(T) == 1) {
    U8(static_cast<std::uint8_t>(v));
  } else {
    static_assert(std::is_integral_v<T> && sizeof(T) == 4);
    U32(static_cast<std::uint32_t>(v));
  }
}

template <class T>
bool ByteReader::Feld(T& v) {
  if constexpr (std::is_class_v<T>) {
    return Lies(*this, v);
  } else if constexpr (std::is_same_v<T, double>) {
    return F64(v);
  } else if constexpr (std::is_same_v<T, bool>) {
    std::uint8_t x = 0;
    if (!U8(x)) return false;
    v = x != 0;
    return true;
  } else if constexpr (sizeof(T) == 1) {
    // Enumerations have a one-byte underlying type, so they can hold any stored byte.
    std::uint8_t x = 0;
    if (!U8(x)) return false;
    v = static_cast<T>(x);
    return true;
  } else {
    static_assert(std::is_integral_v<T> && sizeof(T) == 4);
    std::uint32_t x = 0;
    if (!U32(x)) return false;
    v = static_cast<T>(x);
    return true;
  }
}

}  // namespace quarne
