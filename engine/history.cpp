#include "engine/history.h"

namespace quarne {

const TZug& LeererVerlauf::VorDemZug(int) const {
  static const TZug kLeer{};
  return kLeer;
}

}  // namespace quarne
