#include "library/image_header.h"

#include <algorithm>
#include <numeric>

#include "library/file_io.h"

namespace quarne {

void BeginneVorspann(Bytes& abbild, std::uint32_t stempel) {
  ByteWriter w(abbild);
  w.U32(stempel);
  w.Null(16);
}

void SchliesseVorspann(Bytes& abbild) {
  Bytes felder;
  ByteWriter w(felder);
  w.I64(static_cast<std::int64_t>(abbild.size()));
  w.U64(ByteSumme(abbild));
  std::copy(felder.begin(), felder.end(), abbild.begin() + 4);
}

std::uint64_t ByteSumme(std::span<const std::uint8_t> strom) {
  if (strom.size() <= kVorspannBytes) return 0;
  return std::accumulate(strom.begin() + kVorspannBytes, strom.end(), std::uint64_t{0});
}

TBibCode PruefeVorspann(std::span<const std::uint8_t> strom, std::uint32_t stempel) {
  ByteReader r(strom);
  std::uint32_t gelesenerStempel = 0;
  std::int64_t groesse = 0;
  std::uint64_t summe = 0;
  if (!r.U32(gelesenerStempel) || !r.I64(groesse) || !r.U64(summe)) return TBibCode::NoVorspann;
  if (stempel != 0 && gelesenerStempel != stempel) return TBibCode::Stempel;
  if (groesse < 0 || static_cast<std::uint64_t>(groesse) != strom.size()) return TBibCode::Size;
  if (summe != ByteSumme(strom)) return TBibCode::Summe;
  return TBibCode::Ok;
}

TLeseErgebnis LadeMitVorspann(const std::filesystem::path& datei, Bytes& inhalt,
                              std::size_t hoechstens, std::span<const std::uint32_t> stempel) {
  TLeseDatei f(datei);
  if (f.Geoeffnet().Code != TBibCode::Ok) return f.Geoeffnet();
  const TLeseErgebnis nichtLesbar{TBibCode::Laden, TDateiMeldung::Oeffnen};
  Bytes gelesen;
  if (!f.Lies(gelesen, kVorspannBytes)) return nichtLesbar;
  ByteReader kopf(gelesen);
  std::uint32_t gelesenerStempel = 0;
  std::int64_t groesse = 0;
  // A short file, or one of another kind, is kept as read, for the header's check to name.
  const bool bekannt = kopf.U32(gelesenerStempel) && kopf.I64(groesse) &&
                       std::find(stempel.begin(), stempel.end(), gelesenerStempel) != stempel.end();
  if (bekannt && groesse > 0 && static_cast<std::uint64_t>(groesse) > hoechstens)
    return {TBibCode::Size, TDateiMeldung::ZuGross};
  const auto rest =
      static_cast<std::size_t>(std::max<std::int64_t>(groesse, kVorspannBytes)) - kVorspannBytes;
  if (bekannt && !f.Lies(gelesen, rest + 1)) return nichtLesbar;
  inhalt = std::move(gelesen);
  return {};
}

}  // namespace quarne
