// The benchmark "Quarne Score" as the window shows it: about five seconds on the fixed
// benchmark position, counted down by ScoreTimer, while the game's tabs rest.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <initializer_list>

#include "parallel/benchmark.h"

class QWidget;

namespace quarne {

class HTSuche;
class Suche;
class SuchAnzeige;

// "1234% (24.063.000 Züge/Sek)" in the user's number format; "Undefined" when no time passed.
QString ScoreText(const ScoreMessung& messung);

class ScoreLauf : public QObject {
  Q_OBJECT

 public:
  ScoreLauf(HTSuche& ht, Suche& suche, SuchAnzeige& anzeige, QObject* eltern);

  // Measures with the workers when parallel; the tabs rest meanwhile. Throws what the
  // measurement throws.
  ScoreMessung Messe(bool parallel, std::initializer_list<QWidget*> ruhende);
  // ScoreTimer's tick: one second less; at zero the measurement stops.
  void POnScoreTimer();

 signals:
  // The countdown's text.
  void Laeuft(const QString& text);

 private:
  HTSuche& ht_;
  Suche& suche_;
  SuchAnzeige& anzeige_;
  QTimer ScoreTimer;
  std::int64_t StartTime = 0;
  int ScoreCnt = 0;
};

}  // namespace quarne
