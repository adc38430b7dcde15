#include "library/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <new>
#include <random>
#include <string>
#include <system_error>

namespace quarne {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBlock = 1 << 16;
// Links that lead on further than this are a loop.
constexpr int kMaxVerweise = 40;
// A temporary file this old belongs to no write that is still running: a crash left it behind.
constexpr auto kVerwaistNach = std::chrono::hours(1);

// ".<name>." and ".tmp" around 16 hex digits: the temporary files of a target's writes.
std::string TempPraefix(const fs::path& ziel) {
  return Daneben(ziel, ".").filename().string();
}
constexpr std::string_view kTempEndung = ".tmp";
constexpr std::size_t kTempZiffern = 16;

bool IstTempName(const std::string& name, const std::string& praefix) {
  if (name.size() != praefix.size() + kTempZiffern + kTempEndung.size()) return false;
  if (!name.starts_with(praefix) || !name.ends_with(kTempEndung)) return false;
  const auto ziffern = std::string_view(name).substr(praefix.size(), kTempZiffern);
  return std::all_of(ziffern.begin(), ziffern.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

fs::path Ordner(const fs::path& ziel) {
  return ziel.has_parent_path() ? ziel.parent_path() : fs::path(".");
}

// A file of its own in the target's folder, created only under a name no file has yet, so that
// nothing already there is overwritten; a name taken by a left-over file is passed over.
std::pair<int, fs::path> NeueDateiDaneben(const fs::path& ziel) {
  std::random_device zufall;
  for (int versuch = 0; versuch < 100; ++versuch) {
    char endung[1 + kTempZiffern + kTempEndung.size() + 1];
    std::snprintf(endung, sizeof endung, ".%08x%08x%s", zufall(), zufall(), kTempEndung.data());
    const fs::path name = Daneben(ziel, endung);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return {fd, name};
    if (errno != EEXIST) break;  // not a name clash: the folder refuses
  }
  return {-1, {}};
}

bool SchreibeAlles(int fd, std::span<const std::uint8_t> inhalt) {
  while (!inhalt.empty()) {
    const ssize_t n = ::write(fd, inhalt.data(), inhalt.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    inhalt = inhalt.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

// An existing target that must not be replaced: the user may not write it, or nobody may.
bool Schreibgeschuetzt(const fs::path& ziel) {
  struct stat st {};
  if (::stat(ziel.c_str(), &st) != 0) return false;
  return ::access(ziel.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The new file takes the old one's permissions and, where allowed, its owner.
bool UebernimmRechte(int fd, const fs::path& ziel) {
  struct stat st {};
  if (::stat(ziel.c_str(), &st) != 0) return true;  // a new file: the usual permissions
  if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
    // Only the group may be given away by an ordinary user.
    [[maybe_unused]] const int gruppe = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  }
  return ::fchmod(fd, st.st_mode & 07777) == 0;
}

// After the rename, the folder's entry is on the disk too.
void SynchronisiereOrdner(const fs::path& ordner) {
  const int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Temporary files of this target that a crash left behind long ago.
void RaeumeVerwaisteAuf(const fs::path& ziel) {
  const std::string praefix = TempPraefix(ziel);
  const auto grenze = fs::file_time_type::clock::now() - kVerwaistNach;
  std::error_code fehler;
  for (const auto& e : fs::directory_iterator(Ordner(ziel), fehler)) {
    std::error_code f;
    if (!IstTempName(e.path().filename().string(), praefix) || !e.is_regular_file(f)) continue;
    if (e.last_write_time(f) < grenze && !f) fs::remove(e.path(), f);
  }
}

}  // namespace

TLeseDatei::TLeseDatei(const fs::path& datei) {
  std::error_code fehler;
  if (!fs::exists(datei, fehler)) {
    geoeffnet_ = {TBibCode::Laden, TDateiMeldung::Keine};
    return;
  }
  fd_ = ::open(datei.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode))
    geoeffnet_ = {TBibCode::Laden, TDateiMeldung::Oeffnen};
}

TLeseDatei::~TLeseDatei() {
  if (fd_ >= 0) ::close(fd_);
}

bool TLeseDatei::Lies(Bytes& ziel, std::size_t n) {
  if (geoeffnet_.Code != TBibCode::Ok) return false;
  try {
    while (n > 0) {
      const std::size_t alt = ziel.size();
      const std::size_t schritt = std::min(n, kBlock);
      ziel.resize(alt + schritt);
      const ssize_t gelesen = ::read(fd_, ziel.data() + alt, schritt);
      ziel.resize(alt + static_cast<std::size_t>(std::max<ssize_t>(gelesen, 0)));
      if (gelesen < 0 && errno == EINTR) continue;
      if (gelesen < 0) return false;
      if (gelesen == 0) return true;
      n -= static_cast<std::size_t>(gelesen);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

TLeseErgebnis LadeDatei(const fs::path& datei, Bytes& inhalt, std::size_t hoechstens) {
  TLeseDatei f(datei);
  if (f.Geoeffnet().Code != TBibCode::Ok) return f.Geoeffnet();
  Bytes gelesen;
  // One byte beyond the limit tells a file that is too long from one that just fits.
  if (!f.Lies(gelesen, hoechstens == SIZE_MAX ? hoechstens : hoechstens + 1))
    return {TBibCode::Laden, TDateiMeldung::Oeffnen};
  if (gelesen.size() > hoechstens) return {TBibCode::Size, TDateiMeldung::ZuGross};
  inhalt = std::move(gelesen);
  return {};
}

fs::path SchreibZiel(const fs::path& datei) {
  fs::path p = datei;
  for (int i = 0; i < kMaxVerweise; ++i) {
    std::error_code fehler;
    if (!fs::is_symlink(fs::symlink_status(p, fehler))) break;
    const fs::path weiter = fs::read_symlink(p, fehler);
    if (fehler) break;
    p = weiter.is_absolute() ? weiter : p.parent_path() / weiter;
  }
  return p;
}

fs::path Daneben(const fs::path& ziel, std::string_view endung) {
  std::string name = ".";
  name += ziel.filename().string();
  name += endung;
  return Ordner(ziel) / name;
}

bool PruefeSchreibrecht(const fs::path& datei) {
  const fs::path ziel = SchreibZiel(datei);
  if (Schreibgeschuetzt(ziel)) return false;
  const auto [fd, probe] = NeueDateiDaneben(ziel);
  if (fd < 0) return false;
  const std::uint8_t einByte = 0;
  const bool ok = SchreibeAlles(fd, {&einByte, 1});
  const bool geschlossen = ::close(fd) == 0;
  return ::unlink(probe.c_str()) == 0 && ok && geschlossen;
}

bool SchreibeDatei(const fs::path& datei, std::span<const std::uint8_t> inhalt) {
  const fs::path ziel = SchreibZiel(datei);
  if (Schreibgeschuetzt(ziel)) return false;
  const auto [fd, neu] = NeueDateiDaneben(ziel);
  if (fd < 0) return false;
  // The data reaches the disk before its name does: a crash leaves the old file or the new one.
  bool ok = UebernimmRechte(fd, ziel) && SchreibeAlles(fd, inhalt) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(neu.c_str(), ziel.c_str()) == 0;
  if (!ok) {
    ::unlink(neu.c_str());
    return false;
  }
  SynchronisiereOrdner(Ordner(ziel));
  RaeumeVerwaisteAuf(ziel);
  return true;
}

}  // namespace quarne
