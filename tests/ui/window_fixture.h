// The main window opened for a test: German locale, scripted dialogs, a known processor count,
// and helpers to find controls and play on the board.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLocale>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <string_view>

#include "core/geometry.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/balance_tab.h"
#include "ui/board_widget.h"
#include "ui/evaluation_table.h"
#include "ui/main_window.h"
#include "ui/move_list.h"
#include "ui/page_window.h"
#include "ui/score.h"

namespace quarne::test {

// A control of the window by its name; a missing one fails the test.
template <class T>
T* Kind(const QWidget& fenster, const char* name) {
  T* w = fenster.findChild<T*>(name);
  EXPECT_NE(w, nullptr) << name;
  return w;
}

// The view of a board by its paint box: "BrettBP" the game, "SetPB" the setup, "BibPB" the library
// preview.
inline TBrettClass& BrettAnsicht(const QWidget& fenster, const char* name) {
  return Kind<BrettWidget>(fenster, name)->Brett();
}

// Item i of a radio group.
inline QRadioButton* Radio(const QWidget& fenster, const char* gruppe, int i) {
  return Kind<QGroupBox>(fenster, gruppe)->findChildren<QRadioButton*>().value(i);
}

// The index of the checked item of a radio group; -1 for none.
inline int RadioIndex(const QWidget& fenster, const char* gruppe) {
  const QList<QRadioButton*> items =
      Kind<QGroupBox>(fenster, gruppe)->findChildren<QRadioButton*>();
  for (int i = 0; i < items.size(); ++i)
    if (items[i]->isChecked()) return i;
  return -1;
}

// Runs ausloesen, which starts a search, and waehrend once within it: at the first of the search's
// event-processing moments at which it runs and bereit() holds. False when waehrend never ran.
inline bool WaehrendDerSuche(
    TQuarneForm& form, const std::function<void()>& ausloesen,
    const std::function<void()>& waehrend,
    const std::function<bool()>& bereit = [] { return true; }) {
  bool gelaufen = false;
  // Calls queued for the context are dropped with it when the search ended without them.
  QObject kontext;
  std::function<void()> pruefe = [&] {
    if (!form.SucheStand().Laeuft() || !bereit()) {
      QMetaObject::invokeMethod(&kontext, pruefe, Qt::QueuedConnection);
      return;
    }
    gelaufen = true;
    waehrend();
  };
  QMetaObject::invokeMethod(&kontext, pruefe, Qt::QueuedConnection);
  ausloesen();
  return gelaufen;
}

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
    return test::Kind<T>(*form, name);
  }
  bool TabSichtbar(QWidget* tab) {
    auto* seiten = Kind<QTabWidget>("PageControl");
    return seiten->isTabVisible(seiten->indexOf(tab));
  }
  QRadioButton* Radio(const char* gruppe, int i) { return test::Radio(*form, gruppe, i); }
  TBrettClass& BrettAnsicht(const char* name) { return test::BrettAnsicht(*form, name); }
  int RadioIndex(const char* gruppe) { return test::RadioIndex(*form, gruppe); }
  // Clicks the point with the given name on the main board.
  void Klicke(std::string_view punkt) {
    for (int i = 1; i <= kAnzahlPunkte; ++i)
      if (PunktName(Punkte{1} << (i - 1)) == punkt) {
        const QPoint p = BrettAnsicht("BrettBP").Geometrie().GitterPunkte[i];
        QTest::mouseClick(Kind<BrettWidget>("BrettBP"), Qt::LeftButton, {}, p);
        return;
      }
    ADD_FAILURE() << "kein Punkt " << punkt;
  }
  void NachTiefe(int tiefe) {
    Radio("AutoGroup", 0)->click();
    Kind<QSpinBox>("TiefeSE1")->setValue(tiefe);
  }
  // Clicks knopf; waehrend runs once inside the search the click starts, at the first moment the
  // search hands the window its events while bereit() holds.
  void KlickeUnd(
      QAbstractButton* knopf, const std::function<void()>& waehrend,
      const std::function<bool()>& bereit = [] { return true; }) {
    EXPECT_TRUE(WaehrendDerSuche(
        *form, [knopf] { knopf->click(); }, waehrend, bereit));
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
