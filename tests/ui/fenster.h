// The main window opened for a test: German locale, scripted dialogs, a known processor count,
// and helpers to find controls and play on the board.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLocale>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string_view>

#include "core/geometry.h"
#include "tests/ui/skript_dialoge.h"
#include "ui/board_widget.h"
#include "ui/evaluation_table.h"
#include "ui/main_window.h"

namespace quarne::test {

class Fenster : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Oeffne(4);
  }
  // A new window on a machine with this many processors.
  void Oeffne(int prozessoren) {
    form = std::make_unique<TQuarneForm>(&dialoge);
    form->SetzeProzessoren(prozessoren);
    form->resize(1400, 900);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override { form.reset(); }

  template <class T>
  T* Kind(const char* name) {
    T* w = form->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  bool TabSichtbar(QWidget* tab) {
    return form->PageControl->isTabVisible(form->PageControl->indexOf(tab));
  }
  // Clicks the point with the given name on the main board.
  void Klicke(std::string_view punkt) {
    for (int i = 1; i <= kAnzahlPunkte; ++i)
      if (PunktName(Punkte{1} << (i - 1)) == punkt) {
        const QPoint p = form->SpielBrett->GitterPunkte[i];
        QTest::mouseClick(form->BrettBP, Qt::LeftButton, {}, p);
        return;
      }
    ADD_FAILURE() << "kein Punkt " << punkt;
  }
  void NachTiefe(int tiefe) {
    form->AutoGroup.Item(0)->click();
    form->TiefeSE1->setValue(tiefe);
  }
  // Clicks knopf; while the search it starts runs, waehrend runs once after ms milliseconds.
  void KlickeUnd(QAbstractButton* knopf, int ms, const std::function<void()>& waehrend) {
    bool gelaufen = false;
    QTimer zeit;
    zeit.setSingleShot(true);
    QObject::connect(&zeit, &QTimer::timeout, [&] {
      EXPECT_TRUE(form->suche->SearchRunning);
      gelaufen = true;
      waehrend();
    });
    zeit.start(ms);
    knopf->click();
    EXPECT_TRUE(gelaufen);
  }
  // The texts of the evaluation table for a root step, cell by cell.
  static QStringList Tabelle(const TStep& s) {
    QStringList zellen;
    for (int zeile = 0; zeile <= s.ZuegeAnzahl; ++zeile)
      for (int spalte = 0; spalte < MemStepTabelle::kSpalten; ++spalte)
        zellen << ZeichneTabellenZelle(s, spalte, zeile).text;
    return zellen;
  }

  SkriptDialoge dialoge;
  std::unique_ptr<TQuarneForm> form;
};

}  // namespace quarne::test
