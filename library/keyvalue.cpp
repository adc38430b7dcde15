#include "library/keyvalue.h"

#include <algorithm>
#include <charconv>

#include "library/file_io.h"

namespace quarne {

std::optional<TKennwerte> LiesKennwerte(std::span<const std::uint8_t> text,
                                        std::span<const std::string_view> namen) {
  if (text.size() > kHoechstKennwertBytes) return std::nullopt;
  const std::string_view rest(reinterpret_cast<const char*>(text.data()), text.size());
  TKennwerte werte;
  std::size_t pos = 0;
  while (pos < rest.size()) {
    const std::size_t ende = rest.find('\n', pos);
    if (ende == std::string_view::npos) return std::nullopt;  // every line ends
    const std::string_view zeile = rest.substr(pos, ende - pos);
    pos = ende + 1;
    const std::size_t gleich = zeile.find('=');
    if (gleich == std::string_view::npos) return std::nullopt;
    const std::string_view name = zeile.substr(0, gleich), zahl = zeile.substr(gleich + 1);
    if (std::find(namen.begin(), namen.end(), name) == namen.end()) return std::nullopt;
    // Digits only: from_chars alone would take a sign.
    if (zahl.empty() || zahl.size() > 20 ||
        !std::all_of(zahl.begin(), zahl.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
    std::uint64_t wert = 0;
    if (std::from_chars(zahl.data(), zahl.data() + zahl.size(), wert).ec != std::errc{})
      return std::nullopt;
    if (!werte.emplace(name, wert).second) return std::nullopt;
  }
  if (werte.size() != namen.size()) return std::nullopt;
  return werte;
}

std::optional<TKennwerte> LadeKennwerte(const std::filesystem::path& datei,
                                        std::span<const std::string_view> namen) {
  Bytes inhalt;
  if (LadeDatei(datei, inhalt, kHoechstKennwertBytes).Code != TBibCode::Ok) return std::nullopt;
  return LiesKennwerte(inhalt, namen);
}

Bytes KennwertText(const TKennwerte& werte) {
  std::string text;
  for (const auto& [name, wert] : werte) text += name + "=" + std::to_string(wert) + "\n";
  return Bytes(text.begin(), text.end());
}

}  // namespace quarne
