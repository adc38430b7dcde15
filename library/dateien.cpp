#include "library/dateien.h"

#include <cstdio>
#include <fstream>
#include <new>
#include <string>
#include <system_error>
#include <utility>

namespace quarne {

namespace {

// A file of its own next to `datei`, created only if no file of that name exists yet, so that
// nothing already there is overwritten.
std::pair<std::FILE*, std::filesystem::path> NeueDateiDaneben(const std::filesystem::path& datei) {
  for (int n = 0; n < 100; ++n) {
    std::filesystem::path name = datei;
    name += ".";
    name += std::to_string(n);
    name += ".tmp";
    if (std::FILE* f = std::fopen(name.string().c_str(), "wbx")) return {f, name};
    std::error_code fehler;
    if (!std::filesystem::exists(name, fehler)) break;  // not a name clash: the folder refuses
  }
  return {nullptr, {}};
}

// Writes, flushes and closes; false when any of it failed.
bool SchreibeUndSchliesse(std::FILE* f, std::span<const std::uint8_t> inhalt) {
  bool ok = std::fwrite(inhalt.data(), 1, inhalt.size(), f) == inhalt.size();
  ok = std::fflush(f) == 0 && ok;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

TLeseErgebnis LadeDatei(const std::filesystem::path& datei, Bytes& inhalt, std::size_t hoechstens) {
  std::error_code fehler;
  if (!std::filesystem::exists(datei, fehler)) return {TBibCode::Laden, TDateiMeldung::Keine};
  const TLeseErgebnis nichtLesbar{TBibCode::Laden, TDateiMeldung::Oeffnen};
  std::ifstream f(datei, std::ios::binary);
  if (!f) return nichtLesbar;
  // Read to the end rather than trusting a reported size, which a folder or device misstates.
  Bytes gelesen;
  char block[1 << 16];
  try {
    while (f.read(block, sizeof block) || f.gcount() > 0) {
      gelesen.insert(gelesen.end(), block, block + f.gcount());
      if (gelesen.size() > hoechstens) return {TBibCode::Size, TDateiMeldung::Keine};
      if (!f) break;
    }
  } catch (const std::bad_alloc&) {
    return nichtLesbar;
  }
  if (f.bad() || !f.eof()) return nichtLesbar;
  inhalt = std::move(gelesen);
  return {};
}

bool PruefeSchreibrecht(const std::filesystem::path& datei) {
  const auto [f, probe] = NeueDateiDaneben(datei);
  if (!f) return false;
  const std::uint8_t einByte = 0;
  const bool ok = SchreibeUndSchliesse(f, {&einByte, 1});
  std::error_code fehler;
  return std::filesystem::remove(probe, fehler) && ok;
}

bool SchreibeDatei(const std::filesystem::path& datei, std::span<const std::uint8_t> inhalt) {
  const auto [f, neu] = NeueDateiDaneben(datei);
  if (!f) return false;
  bool ok = SchreibeUndSchliesse(f, inhalt);
  std::error_code fehler;
  if (ok) std::filesystem::rename(neu, datei, fehler);
  if (!ok || fehler) {
    std::filesystem::remove(neu, fehler);
    return false;
  }
  return true;
}

}  // namespace quarne
