// The window's three timers with the fields their handlers keep between ticks.
#pragma once

#include <QTimer>
#include <cstdint>

namespace quarne {

class TMyTimer : public QTimer {
 public:
  TMyTimer(int intervallMs, QObject* eltern) : QTimer(eltern) {
    setInterval(intervallMs);
    stop();
  }
  std::int64_t StartTime = 0;  // search or benchmark start (the search clock, ms)
  std::int64_t AutoSaveTime = 0;
  std::int64_t ZuegeBibCnt = 0;
  int ScoreCnt = 0;
  int BibBew = 0;
  std::int64_t BibStellStart = 0;
  std::int64_t MSJeBew = 0;
  std::int64_t ZeitStop = 0;
  std::int64_t ZeitBedarf = 0;
};

}  // namespace quarne
