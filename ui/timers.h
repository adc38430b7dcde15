// The library tab's building timer with the figures its handler keeps between ticks.
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
  std::int64_t StartTime = 0;  // start of the building (the search clock, ms)
  std::int64_t AutoSaveTime = 0;
  std::int64_t ZuegeBibCnt = 0;  // generated moves of the positions stored so far
  int ScoreCnt = 0;              // the running dots of the status
  int BibBew = 0;
  std::int64_t BibStellStart = 0;
  std::int64_t MSJeBew = 0;
  std::int64_t ZeitStop = 0;
  std::int64_t ZeitBedarf = 0;
};

}  // namespace quarne
