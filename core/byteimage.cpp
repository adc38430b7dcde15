#include "core/byteimage.h"

#include <bit>

namespace quarne {

void ByteWriter::Zahl(std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) ziel_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::F64(double v) {
  U64(std::bit_cast<std::uint64_t>(v));
}

bool ByteReader::Zahl(std::uint64_t& v, int bytes) {
  if (!Passt(static_cast<std::size_t>(bytes))) return false;
  std::uint64_t x = 0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(bytes); ++i)
    x |= std::uint64_t{daten_[pos_ + i]} << (8 * i);
  pos_ += static_cast<std::size_t>(bytes);
  v = x;
  return true;
}

bool ByteReader::U8(std::uint8_t& v) {
  std::uint64_t x;
  if (!Zahl(x, 1)) return false;
  v = static_cast<std::uint8_t>(x);
  return true;
}

bool ByteReader::U16(std::uint16_t& v) {
  std::uint64_t x;
  if (!Zahl(x, 2)) return false;
  v = static_cast<std::uint16_t>(x);
  return true;
}

bool ByteReader::U32(std::uint32_t& v) {
  std::uint64_t x;
  if (!Zahl(x, 4)) return false;
  v = static_cast<std::uint32_t>(x);
  return true;
}

bool ByteReader::I32(std::int32_t& v) {
  std::uint32_t x;
  if (!U32(x)) return false;
  v = static_cast<std::int32_t>(x);
  return true;
}

bool ByteReader::U64(std::uint64_t& v) {
  return Zahl(v, 8);
}

bool ByteReader::I64(std::int64_t& v) {
  std::uint64_t x;
  if (!Zahl(x, 8)) return false;
  v = static_cast<std::int64_t>(x);
  return true;
}

bool ByteReader::F64(double& v) {
  std::uint64_t x;
  if (!Zahl(x, 8)) return false;
  v = std::bit_cast<double>(x);
  return true;
}

bool ByteReader::Ueberspringe(std::size_t n) {
  if (!Passt(n)) return false;
  pos_ += n;
  return true;
}

namespace {

// The layouts, each for a ByteWriter with a const record or a ByteReader with a record.

template <class Bild, class Brett>
void BrettFelder(Bild& b, Brett& x) {
  b.Feld(x.AlleSteine);
  b.Feld(x.SteineZiehend);
  b.Feld(x.SteineStehend);
  b.Feld(x.SpielPhaseZiehend);
  b.Luecke(3);
  b.Feld(x.SteineAnzahlZiehend);
  b.Feld(x.GesetzteSteineZiehend);
  b.Feld(x.SpielPhaseStehend);
  b.Luecke(3);
  b.Feld(x.SteineAnzahlStehend);
  b.Feld(x.GesetzteSteineStehend);
  b.Feld(x.VerloreneSteineZiehend);
  b.Feld(x.VerloreneSteineStehend);
}

template <class Bild, class Wert>
void ZugWertFelder(Bild& b, Wert& x) {
  b.Feld(x.ZugResGesamt);
  b.Luecke(3);
  b.Feld(x.ResultInXZuegen);
  b.Feld(x.PunktWertA);
  b.Feld(x.PunktWertGes);
}

template <class Bild, class Smart>
void SmartZugFelder(Bild& b, Smart& x) {
  b.Feld(x.VonPosition);
  b.Feld(x.NachPosition);
  b.Feld(x.ErgibtQuarne);
  b.Luecke(3);
  b.Feld(x.EntfStein);
  b.Feld(x.GewinnDurchQuarne);
  b.Feld(x.GewinnDurchBlock);
  b.Feld(x.RemisDurchLimit);
  b.Feld(x.RemisDurchWdh);
}

template <class Bild, class Zug>
void ZugFelder(Bild& b, Zug& x) {
  b.Feld(x.Nr);
  b.Feld(x.VonPosition);
  b.Feld(x.NachPosition);
  b.Feld(x.ErgibtQuarne);
  b.Luecke(3);
  b.Feld(x.ZugOhneQuarne);
  b.Feld(x.EntfStein);
  b.Feld(x.BrettNachZug);
  b.Luecke(4);
  b.Feld(x.Wertung);
  b.Feld(x.IMTHREAD);
  b.Feld(x.Canceld);
  b.Feld(x.ClWay);
  b.Feld(x.BEWERTET);
  b.Feld(x.StepMaxZug);
  b.Feld(x.Extrapoliert);
  b.Feld(x.TEILBEW);
  b.Luecke(2);
  b.Feld(x.LISTEVON);
  b.Feld(x.LISTEBIS);
  b.Feld(x.LISTE_1);
  b.Feld(x.ANZgPos);
  b.Feld(x.CHECKED);
  b.Luecke(3);
  for (int s = 1; s <= kMaxSteps; ++s) b.Feld(x.SmartZuege[s]);
}

}  // namespace

void Schreibe(ByteWriter& w, const TBrett& b) {
  BrettFelder(w, b);
}
void Schreibe(ByteWriter& w, const TZugWert& z) {
  ZugWertFelder(w, z);
}
void Schreibe(ByteWriter& w, const TSmartZug& s) {
  SmartZugFelder(w, s);
}
void Schreibe(ByteWriter& w, const TZug& z) {
  ZugFelder(w, z);
}

// Each record's whole length is checked first; the field reads after it cannot fail.

bool Lies(ByteReader& r, TBrett& b) {
  if (!r.Passt(kBrettBytes)) return false;
  BrettFelder(r, b);
  return true;
}

bool Lies(ByteReader& r, TZugWert& z) {
  if (!r.Passt(kZugWertBytes)) return false;
  ZugWertFelder(r, z);
  return true;
}

bool Lies(ByteReader& r, TSmartZug& s) {
  if (!r.Passt(kSmartZugBytes)) return false;
  SmartZugFelder(r, s);
  return true;
}

bool Lies(ByteReader& r, TZug& z) {
  if (!r.Passt(kZugBytes)) return false;
  ZugFelder(r, z);
  return true;
}

}  // namespace quarne
