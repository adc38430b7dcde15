#include "core/notation.h"

#include "core/geometry.h"

namespace quarne {

std::string ZugText(Punkte von, Punkte nach, Punkte entf, bool muehle) {
  std::string text(PunktName(von));
  text += ' ';
  text += PunktName(nach);
  if (muehle) text += " M";
  if (entf > 0) {
    text += ':';
    text += PunktName(entf);
  }
  return text;
}

}  // namespace quarne
