#include "ui/build_progress.h"

#include <algorithm>

namespace quarne {
namespace {

constexpr std::int64_t kAutosaveMs = 30 * 60 * 1000;

}  // namespace

void BauFortschritt::Beginne(std::int64_t jetzt) {
  start_ = jetzt;
  autosave_ = jetzt + kAutosaveMs;
  zuegeBib_ = 0;
  punkte_ = 0;
}

void BauFortschritt::PositionBeginnt(std::int64_t jetzt) {
  stellungStart_ = jetzt;
  msJeZug_ = 0;
  bewertet_ = 0;
}

bool BauFortschritt::AutosaveFaellig(std::int64_t jetzt) {
  if (jetzt < autosave_) return false;
  autosave_ = jetzt + kAutosaveMs;
  return true;
}

std::optional<std::int64_t> BauFortschritt::Restzeit(std::int64_t jetzt, int fertig, int n) {
  if (fertig == 0) {
    msJeZug_ = 0;
  } else if (bewertet_ < fertig && fertig < n) {
    msJeZug_ = (jetzt - stellungStart_) / fertig;
    bedarf_ = (n - fertig) * msJeZug_;
    bewertet_ = fertig;
    schaetzung_ = jetzt;
  }
  if (msJeZug_ <= 0) return std::nullopt;
  return std::max<std::int64_t>(0, bedarf_ - (jetzt - schaetzung_));
}

int BauFortschritt::Laufpunkte() {
  if (punkte_ >= kLaufPunkte) punkte_ = 0;
  return ++punkte_;
}

}  // namespace quarne
