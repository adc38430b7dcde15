#include "library/packing.h"

#include <algorithm>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "library/image_header.h"

namespace quarne {

namespace {

constexpr std::size_t kMindestLauf = 8;  // shorter runs stay literal
constexpr std::size_t kLaufBytes = 7;    // bits 32-39 and 0-31 of the offset, then the length

// Rebuilds the image up to `grenze` bytes. False when a run can never be reached: it lies
// behind the bytes already rebuilt, or the literal bytes end before its offset.
bool Aufbauen(std::span<const TNullBereich> laeufe, std::span<const std::uint8_t> literale,
              std::uint64_t grenze, Bytes& aus) {
  std::size_t k = 0;
  std::size_t l = 0;
  while (aus.size() < grenze && (k < laeufe.size() || l < literale.size())) {
    const std::uint64_t laenge = aus.size();
    if (k < laeufe.size() && laeufe[k].NachByte <= laenge) {
      if (laeufe[k].NachByte < laenge) return false;
      aus.insert(aus.end(), std::min<std::uint64_t>(laeufe[k].Cnt, grenze - laenge), 0);
      ++k;
      continue;
    }
    // The literal bytes up to the next run.
    std::uint64_t n = std::min<std::uint64_t>(literale.size() - l, grenze - laenge);
    if (k < laeufe.size()) n = std::min(n, laeufe[k].NachByte - laenge);
    if (n == 0) return false;
    aus.insert(aus.end(), literale.begin() + static_cast<std::ptrdiff_t>(l),
               literale.begin() + static_cast<std::ptrdiff_t>(l + n));
    l += n;
  }
  return true;
}

// The image's first n bytes (fewer when it is shorter); none when a run among them can never be
// reached.
std::optional<Bytes> Anfang(std::span<const TNullBereich> laeufe,
                            std::span<const std::uint8_t> literale, std::uint64_t n) {
  Bytes anfang;
  if (!Aufbauen(laeufe, literale, n, anfang)) return std::nullopt;
  return anfang;
}

}  // namespace

Bytes Komprimiere(std::span<const std::uint8_t> abbild) {
  std::vector<TNullBereich> laeufe;
  Bytes literale;
  std::uint16_t z = 0;  // zeros of the current run
  std::uint64_t p = 0;  // where the next run would begin
  const std::size_t n = abbild.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t u = abbild[i];
    if (u == 0) ++z;
    // A run that ends at a non-zero byte is the zeros before it; one that ends at the last byte
    // or at the largest length includes the current zero.
    if (z > 0 && (u != 0 || i == n - 1 || z == std::numeric_limits<std::uint16_t>::max())) {
      if (z < kMindestLauf) {
        literale.insert(literale.end(), z, 0);
      } else {
        laeufe.push_back({p, z});
        p = i + 1;
      }
      z = 0;
    }
    if (u != 0) {
      literale.push_back(u);
      p = i + 1;
    }
  }

  Bytes container;
  BeginneVorspann(container, kStempelGepackt);
  ByteWriter w(container);
  w.U64(laeufe.size());
  for (const TNullBereich& b : laeufe) {
    w.U8(static_cast<std::uint8_t>(b.NachByte >> 32));
    w.U32(static_cast<std::uint32_t>(b.NachByte));
    w.U16(b.Cnt);
  }
  container.insert(container.end(), literale.begin(), literale.end());
  SchliesseVorspann(container);
  return container;
}

TEntpackt Dekomprimiere(std::span<const std::uint8_t> container, std::uint64_t hoechstens,
                        std::size_t vorabBytes,
                        const std::function<bool(std::span<const std::uint8_t>)>& vorab) {
  if (const TBibCode code = PruefeVorspann(container, kStempelGepackt); code != TBibCode::Ok)
    return {code, false, {}};
  try {
    ByteReader r(container, kVorspannBytes);
    std::uint64_t anzahl = 0;
    // A hostile count is caught before anything is allocated for it.
    if (!r.U64(anzahl) || anzahl > r.Rest() / kLaufBytes) return {TBibCode::Fit, false, {}};
    std::vector<TNullBereich> laeufe(anzahl);
    std::uint64_t nullen = 0;
    for (TNullBereich& b : laeufe) {
      std::uint8_t hoch = 0;
      std::uint32_t tief = 0;
      r.U8(hoch);
      r.U32(tief);
      r.U16(b.Cnt);
      b.NachByte = std::uint64_t{hoch} << 32 | tief;
      nullen += b.Cnt;
    }
    const auto literale = container.subspan(r.Pos());
    const std::uint64_t gesamt = literale.size() + nullen;
    if (gesamt > hoechstens) return {TBibCode::Size, true, {}};
    // Before the image is rebuilt: the container must yield exactly the size that the image's
    // own header declares, so the output is never longer than the header allows.
    const auto anfang = Anfang(
        laeufe, literale, std::min<std::uint64_t>(gesamt, std::max(vorabBytes, kVorspannBytes)));
    if (!anfang) return {TBibCode::Fit, false, {}};
    if (gesamt >= kVorspannBytes) {
      std::int64_t groesse = -1;
      ByteReader(*anfang, 4).I64(groesse);
      if (groesse < 0 || static_cast<std::uint64_t>(groesse) != gesamt)
        return {TBibCode::Size, false, {}};
    }
    if (vorab && !vorab(*anfang)) return {TBibCode::Except, false, {}};
    TEntpackt ergebnis;
    ergebnis.Abbild.reserve(gesamt);
    if (!Aufbauen(laeufe, literale, gesamt, ergebnis.Abbild)) return {TBibCode::Fit, false, {}};
    return ergebnis;
  } catch (const std::bad_alloc&) {
    return {TBibCode::Memory, false, {}};
  } catch (const std::exception&) {
    return {TBibCode::Except, false, {}};
  }
}

}  // namespace quarne
