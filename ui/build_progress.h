// The figures of a running library build that its timer shows between ticks: how long it runs,
// the moves generated so far, when the next autosave is due, the estimate of the current
// position's remaining time and the running dots of the status.
#pragma once

#include <cstdint>
#include <optional>

namespace quarne {

class BauFortschritt {
 public:
  static constexpr int kLaufPunkte = 10;

  // The building begins at jetzt (the search clock, ms); the first autosave is due half an hour
  // later.
  void Beginne(std::int64_t jetzt);
  // The next position begins at jetzt; its estimate starts afresh.
  void PositionBeginnt(std::int64_t jetzt);
  // A position was stored after generating zuege moves.
  void PositionGespeichert(std::int64_t zuege) { zuegeBib_ += zuege; }

  std::int64_t Dauer(std::int64_t jetzt) const { return jetzt - start_; }
  // Every move generated since the start, with stellung those of the running position.
  std::int64_t Zuege(std::int64_t stellung) const { return zuegeBib_ + stellung; }
  // True when the autosave is due at jetzt; the next is then due half an hour later.
  bool AutosaveFaellig(std::int64_t jetzt);
  // The running position's remaining time with fertig of its n root moves done, estimated anew
  // whenever another one is done; none before the first.
  std::optional<std::int64_t> Restzeit(std::int64_t jetzt, int fertig, int n);
  // The dots of the next tick: one more each time, up to kLaufPunkte, then again from one.
  int Laufpunkte();

 private:
  std::int64_t start_ = 0;
  std::int64_t autosave_ = 0;
  std::int64_t zuegeBib_ = 0;  // generated moves of the positions stored so far
  int punkte_ = 0;
  // The estimate: taken at schaetzung_ when bewertet_ root moves were done, msJeZug_ each.
  std::int64_t stellungStart_ = 0;
  int bewertet_ = 0;
  std::int64_t msJeZug_ = 0;
  std::int64_t bedarf_ = 0;
  std::int64_t schaetzung_ = 0;
};

}  // namespace quarne
