#include "library/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "library/file_io.h"

namespace quarne {
namespace {

constexpr auto kNachsehen = std::chrono::milliseconds(20);

bool GleicheDatei(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

TDateiSperre::TDateiSperre(const std::filesystem::path& datei, int warteMs) {
  sperrDatei_ = Daneben(SchreibZiel(datei), ".lock");
  const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(warteMs);
  while (true) {
    fd_ = ::open(sperrDatei_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      meldung_ = TDateiMeldung::Schreibrechte;
      return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      // The holder before removed the file as it let go: a lock on that removed file locks
      // nothing, so the lock counts only on the file that bears the name now.
      struct stat gesperrt {
      }, jetzt{};
      if (::fstat(fd_, &gesperrt) == 0 && ::stat(sperrDatei_.c_str(), &jetzt) == 0 &&
          GleicheDatei(gesperrt, jetzt))
        return;
      ::close(fd_);
      continue;
    } else if (errno != EWOULDBLOCK && errno != EINTR) {
      ::close(fd_);
      fd_ = -1;
      meldung_ = TDateiMeldung::Schreibrechte;
      return;
    }
    ::close(fd_);
    fd_ = -1;
    if (std::chrono::steady_clock::now() >= ende) {
      meldung_ = TDateiMeldung::Gesperrt;
      return;
    }
    std::this_thread::sleep_for(kNachsehen);
  }
}

TDateiSperre::~TDateiSperre() {
  if (fd_ < 0) return;
  // Removed while still held, so that nobody locks the old file after this one lets go.
  ::unlink(sperrDatei_.c_str());
  ::close(fd_);
}

TDateiStand DateiStand(const std::filesystem::path& datei) {
  struct stat st {};
  if (::stat(datei.c_str(), &st) != 0) return {};
  return {true,
          static_cast<std::uint64_t>(st.st_dev),
          static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec),
          static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

}  // namespace quarne
