// "Thread Kontrolle": the workers created when the window is first shown, how many of them a
// search uses, and whether the computer searches with them at all.
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "ui/main_window.h"

namespace quarne {

void TQuarneForm::ErzeugeThreads() {
  const int n = std::min(prozessoren_, HTSuche::kMaxThreads);
  if (n < 2) {
    // One processor: the window's own thread searches, and there is nothing to choose.
    {
      const QSignalBlocker still(CPUSPE);
      CPUSPE->setRange(1, 1);
      CPUSPE->setValue(1);
    }
    CPUSPE->setEnabled(false);
    CPURadio.SetzeIndex(0);
    CPURadio.box->setEnabled(false);
  } else {
    CPURadio.box->setEnabled(true);
    CPURadio.SetzeIndex(1);
    ht->ErzeugeThreads(n);
    // The handler names the count even when the value does not change.
    {
      const QSignalBlocker still(CPUSPE);
      CPUSPE->setRange(2, n);
      CPUSPE->setValue(n);
    }
    CPUSPEChange(n);
    CPUSPE->setEnabled(true);
  }
  CPURadioClick();
}

void TQuarneForm::CPURadioClick() {
  spielOpt.Parallel = CPURadio.box->isEnabled() && CPURadio.Index() == 1;
}

void TQuarneForm::CPUSPEChange(int wert) {
  // The workers of a running search stay as they are.
  if (suche->SearchRunning) return;
  ht->SetzeThreadAnzahl(wert);
  CPURadio.SetzeText(1, QString("Nutzung von %1 CPUs/Threads").arg(wert));
}

}  // namespace quarne
