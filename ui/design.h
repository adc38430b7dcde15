// The window is designed in pixels at 144 dots per inch; Qt lays out in pixels at 96 dots per
// inch and scales for the screen itself.
#pragma once

#include <QColor>

namespace quarne {

constexpr int D(int designPixel) {
  return designPixel * 2 / 3;
}

// The colours the window paints with.
inline const QColor kWeiss(255, 255, 255);
inline const QColor kSchwarz(0, 0, 0);
inline const QColor kCreme(255, 251, 240);
inline const QColor kSilber(192, 192, 192);
inline const QColor kGrau(128, 128, 128);
inline const QColor kGelb(255, 255, 0);
inline const QColor kLimone(0, 255, 0);
inline const QColor kHellgruen(192, 220, 192);
inline const QColor kHellrot(255, 185, 185);

}  // namespace quarne
