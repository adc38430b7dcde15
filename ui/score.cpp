#include "ui/score.h"

#include <QApplication>
#include <QWidget>
#include <vector>

#include "engine/search.h"
#include "parallel/driver.h"
#include "ui/search_monitor.h"

namespace quarne {
namespace {

QString LaufText(int sekunden) {
  return QString("Messung läuft ... %1s").arg(sekunden);
}

// The tabs rest, the hourglass shows and the timer counts down for as long as it lives, however
// the measurement ends.
class Ruhe {
 public:
  Ruhe(QTimer& timer, std::initializer_list<QWidget*> tabs) : timer_(timer), tabs_(tabs) {
    for (QWidget* t : tabs_) t->setEnabled(false);
    timer_.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~Ruhe() {
    QApplication::restoreOverrideCursor();
    timer_.stop();
    for (QWidget* t : tabs_) t->setEnabled(true);
  }
  Ruhe(const Ruhe&) = delete;
  Ruhe& operator=(const Ruhe&) = delete;

 private:
  QTimer& timer_;
  std::vector<QWidget*> tabs_;
};

}  // namespace

QString ScoreText(const ScoreMessung& messung) {
  if (!messung.Definiert()) return "Undefined";
  return QString("%1% (%2 Züge/Sek)")
      .arg(QString::number(messung.Prozent(), 'f', 0), MitTausendern(messung.ZuegeJeSekunde()));
}

ScoreLauf::ScoreLauf(HTSuche& ht, Suche& suche, SuchAnzeige& anzeige, QObject* eltern)
    : QObject(eltern), ht_(ht), suche_(suche), anzeige_(anzeige), ScoreTimer(this) {
  setObjectName("ScoreLauf");
  ScoreTimer.setObjectName("ScoreTimer");
  ScoreTimer.setInterval(1000);
  connect(&ScoreTimer, &QTimer::timeout, this, &ScoreLauf::POnScoreTimer);
}

ScoreMessung ScoreLauf::Messe(bool parallel, std::initializer_list<QWidget*> ruhende) {
  StartTime = anzeige_.JetztMs();
  const Ruhe ruhe(ScoreTimer, ruhende);
  ScoreCnt = kBenchmarkSekunden;
  emit Laeuft(LaufText(kBenchmarkSekunden));
  return MesseScore(ht_, suche_, anzeige_, parallel, StartTime);
}

void ScoreLauf::POnScoreTimer() {
  emit Laeuft(LaufText(--ScoreCnt));
  if (ScoreCnt > 0) return;
  suche_.Halte();
  ScoreTimer.stop();
}

}  // namespace quarne
