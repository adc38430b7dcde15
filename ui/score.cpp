// "Quarne Score": a measurement of about five seconds on the fixed benchmark position, counted
// down by ScoreTimer, while the game's tabs rest.
#include "ui/score.h"

#include <QApplication>
#include <QLabel>
#include <array>
#include <exception>

#include "ui/main_window.h"
#include "ui/search_monitor.h"
#include "ui/timers.h"

namespace quarne {
namespace {

QString LaufText(int sekunden) {
  return QString("Messung läuft ... %1s").arg(sekunden);
}

// The game's tabs rest, the hourglass shows and ScoreTimer counts down for as long as it lives,
// however the measurement ends.
class Messung {
 public:
  explicit Messung(TQuarneForm& form) : form_(form) {
    for (QWidget* t : Tabs()) t->setEnabled(false);
    form_.ScoreTimer->StartTime = form_.anzeige->JetztMs();
    form_.ScoreTimer->start();
    form_.ScoreTimer->ScoreCnt = kBenchmarkSekunden;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    form_.ScoreLab->setText(LaufText(kBenchmarkSekunden));
  }
  ~Messung() {
    QApplication::restoreOverrideCursor();
    form_.ScoreTimer->stop();
    for (QWidget* t : Tabs()) t->setEnabled(true);
  }
  Messung(const Messung&) = delete;
  Messung& operator=(const Messung&) = delete;

 private:
  std::array<QWidget*, 3> Tabs() const {
    return {form_.TabOben, form_.SetTabSheet, form_.TabZuege};
  }
  TQuarneForm& form_;
};

}  // namespace

QString ScoreText(const ScoreMessung& messung) {
  if (!messung.Definiert()) return "Undefined";
  return QString("%1% (%2 Züge/Sek)")
      .arg(QString::number(messung.Prozent(), 'f', 0), MitTausendern(messung.ZuegeJeSekunde()));
}

void TQuarneForm::ScoreButnClick() {
  if (RechnungLaeuft()) return;
  ScoreMessung messung;
  try {
    const Messung laeuft(*this);
    messung = MesseScore(*ht, *suche, *anzeige, spielOpt.Parallel, ScoreTimer->StartTime);
  } catch (const std::exception& fehler) {
    ScoreLab->setText("---");
    Nachricht(fehler.what());
    return;
  }
  ScoreLab->setText(ScoreText(messung));
}

void TQuarneForm::POnScoreTimer() {
  ScoreLab->setText(LaufText(--ScoreTimer->ScoreCnt));
  if (ScoreTimer->ScoreCnt > 0) return;
  suche->StopFlag = true;
  ScoreTimer->stop();
}

}  // namespace quarne
