// Playing on the main board by keyboard: a focus ring walks over the points, and Enter or Space
// acts on its point as a click or a drag of the mouse would.
#include <QPainter>
#include <cstdlib>
#include <limits>

#include "core/geometry.h"
#include "ui/board_view.h"

namespace quarne {

void TBrettClass::FokusBewegen(int dx, int dy) {
  int beste = 0;
  long besterAbstand = std::numeric_limits<long>::max();
  if (EDFokus == 0) {
    // The first point in reading order: the top row, then its leftmost point.
    for (int i = 1; i <= kAnzahlPunkte; ++i) {
      const QPoint p = GitterPunkte[i];
      const long abstand = 100000L * p.y() + p.x();
      if (abstand < besterAbstand) {
        besterAbstand = abstand;
        beste = i;
      }
    }
  } else {
    const QPoint von = GitterPunkte[PunktIndex(EDFokus) + 1];
    for (int i = 1; i <= kAnzahlPunkte; ++i) {
      const QPoint d = GitterPunkte[i] - von;
      const long entlang = d.x() * dx + d.y() * dy;
      if (entlang <= 0) continue;
      // Along the line first: a point straight ahead beats a nearer one off to the side.
      const long quer = std::abs(d.x() * dy - d.y() * dx);
      const long abstand = entlang + 4 * quer;
      if (abstand < besterAbstand) {
        besterAbstand = abstand;
        beste = i;
      }
    }
    if (beste == 0) return;
  }
  EDFokus = Punkt(beste - 1);
  ZeichneZug();
}

void TBrettClass::FokusWaehlen() {
  if (EDFokus == 0) return;
  const QPoint p = GetPoint(EDFokus);
  if (!EDBlock && EDInit && !EDQuarne && EDVon != 0) {
    if (EDFokus == EDVon) {
      SetzeZugZurueck();
      return;
    }
    // Put down where the ring stands, as a drag from the picked stone would.
    BCMouseMove(p.x(), p.y());
    BCMouseUP(p.x(), p.y());
    return;
  }
  BCMouseDown(p.x(), p.y(), false);
}

void TBrettClass::ZeichneFokus(QPainter& canvas) const {
  const QPoint p = GetPoint(EDFokus);
  const int r = EDGitterX + std::max(EDGitterX / 4, 3);
  const int breite = std::max(EDGitterX / 6, 2);
  canvas.setRenderHint(QPainter::Antialiasing);
  canvas.setBrush(Qt::NoBrush);
  // Blue on a white rim, visible on the board, on both colours of stone and on the marks.
  canvas.setPen(QPen(Qt::white, breite + 2));
  canvas.drawEllipse(p, r, r);
  canvas.setPen(QPen(QColor(0, 90, 220), breite));
  canvas.drawEllipse(p, r, r);
}

}  // namespace quarne
