// How fast the window reacts while the computer thinks: "Stop" and "Zieh" are pressed during a
// deep search in a middle-game position, and the time until the search has ended is printed.
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "core/position_notation.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"

namespace {

struct OhneDialoge final : quarne::DialogDienst {
  void ShowMessagePos(const QString&) override {}
  bool Frage(const QString&) override { return true; }
  void Beep() override {}
  QString OeffneDatei(const QString&, const QString&) override { return {}; }
  QString SpeichereDatei(const QString&, const QString&, const QString&) override { return {}; }
  bool OeffneSeite(const QString&) override { return false; }
};

template <class T>
T* Kind(quarne::TQuarneForm& form, const char* name) {
  return form.findChild<T*>(name);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  OhneDialoge dialoge;
  quarne::TQuarneForm form(&dialoge);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  Kind<QGroupBox>(form, "AutoGroup")->findChildren<QRadioButton*>().value(0)->click();
  Kind<QSpinBox>(form, "TiefeSE1")->setValue(16);
  form.Ablauf().Beginne(quarne::LiesStellung("W.SW.S.WSWS..WS.SW.S.W.S W 9 9").stellung->zug,
                        quarne::clWeiss, quarne::clSchwarz);
  Kind<QPushButton>(form, "WechselBut")->click();  // the computer takes White, which is to move

  for (int runde = 0; runde < 6; ++runde) {
    const bool stop = runde % 2 == 0;
    QElapsedTimer uhr;
    qint64 gedrueckt = -1;
    uhr.start();
    QTimer::singleShot(500 + 100 * runde, &form, [&] {
      gedrueckt = uhr.elapsed();
      if (stop)
        QTest::mouseClick(Kind<QToolButton>(form, "StopSP"), Qt::LeftButton);
      else
        Kind<QPushButton>(form, "ZiehB")->click();
    });
    Kind<QPushButton>(form, "DenkeBut")->click();
    std::printf("%s nach %lld ms gedrückt, Suche %lld ms danach beendet, Zug gespielt: %s\n",
                stop ? "Stop" : "Zieh", static_cast<long long>(gedrueckt),
                static_cast<long long>(uhr.elapsed() - gedrueckt),
                form.Spiel().LetzterZugNr() > 0 ? "ja" : "nein");
    if (form.Spiel().LetzterZugNr() > 0) Kind<QPushButton>(form, "ZurueckButn")->click();
  }
  return 0;
}
