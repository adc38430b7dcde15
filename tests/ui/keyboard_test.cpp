// The window by keyboard: its keys on every tab, the move list, and a game played on the board
// with the focus ring alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "core/geometry.h"
#include "core/position_notation.h"
#include "tests/ui/test_game.h"
#include "tests/ui/window_fixture.h"
#include "ui/move_list.h"

namespace quarne {
namespace {

using test::P;

class Tastatur : public test::Fenster {
 protected:
  void SetUp() override {
    Fenster::SetUp();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void Brett(Qt::Key taste) { QTest::keyClick(Kind<BrettWidget>("BrettBP"), taste); }
  // The board's keyboard focus, as Tab gives it.
  void FokusAufsBrett() {
    Kind<BrettWidget>("BrettBP")->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(Kind<BrettWidget>("BrettBP")->hasFocus());
  }
  void Stellung(const char* text) {
    ASSERT_TRUE(form->Ablauf().Beginne(LiesStellung(text).stellung->zug, form->Spiel().StartFarbe(),
                                       form->Spiel().ComputerFarbe()));
  }
};

TEST_F(Tastatur, FokusringWandertZumNaechstenPunkt) {
  FokusAufsBrett();
  const TBrettClass& b = test::BrettAnsicht(*form, "BrettBP");
  EXPECT_EQ(b.Eingabe().EDFokus, P("a7"));  // the first point in reading order
  // The ring is drawn round its point.
  const QPoint mitte = b.GetPoint(b.Eingabe().EDFokus);
  const int r = b.Eingabe().EDGitterX + std::max(b.Eingabe().EDGitterX / 4, 3);
  const QColor ring = b.Bild().pixelColor(mitte.x() + r, mitte.y());
  EXPECT_TRUE(ring.blue() > 150 && ring.red() < 100) << ring.name().toStdString();

  const struct {
    const char* von;
    Qt::Key taste;
    const char* nach;
  } faelle[] = {
      {"a1", Qt::Key_Right, "d1"}, {"d1", Qt::Key_Right, "g1"}, {"g1", Qt::Key_Right, "g1"},
      {"d1", Qt::Key_Up, "d2"},    {"a1", Qt::Key_Up, "a4"},    {"a4", Qt::Key_Right, "b4"},
      {"d2", Qt::Key_Left, "b2"},  {"d6", Qt::Key_Down, "d5"},  {"c3", Qt::Key_Up, "c4"},
      {"e5", Qt::Key_Left, "d5"},  {"f4", Qt::Key_Left, "e4"},  {"a7", Qt::Key_Up, "a7"},
  };
  for (const auto& f : faelle) {
    test::BrettAnsicht(*form, "BrettBP").SetzeFokus(P(f.von));
    Brett(f.taste);
    EXPECT_EQ(PunktName(test::BrettAnsicht(*form, "BrettBP").Eingabe().EDFokus), f.nach)
        << f.von << " " << f.taste;
  }
  // Leaving the board takes the ring away.
  Kind<MovesGrid>("MovesGrid")->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(b.Eingabe().EDFokus, 0u);
}

TEST_F(Tastatur, SetzenZiehenUndSchlagenMitEnterUndLeertaste) {
  Kind<QCheckBox>("SpVsSpCB")->setChecked(true);
  FokusAufsBrett();
  Brett(Qt::Key_Right);  // a7 to d7
  Brett(Qt::Key_Return);
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 1);
  EXPECT_EQ(form->Spiel().Spielzuege()[1].Zug.NachPosition, P("d7"));

  // Moving phase: g4 to g1 closes a1 d1 g1; only c5 of Black may be taken.
  dialoge.antworten = {true};
  Kind<QPushButton>("NeuBut")->click();
  Stellung("WW.W...........WW.SSS.S. W 9 9");
  TBrettClass& b = test::BrettAnsicht(*form, "BrettBP");
  b.SetzeFokus(P("g4"));
  Brett(Qt::Key_Space);
  EXPECT_EQ(b.Eingabe().EDVon, P("g4"));
  // Enter on the picked stone puts it back; once more picks it up again.
  Brett(Qt::Key_Enter);
  EXPECT_EQ(b.Eingabe().EDVon, 0u);
  Brett(Qt::Key_Enter);
  Brett(Qt::Key_Down);
  Brett(Qt::Key_Enter);
  EXPECT_TRUE(b.Eingabe().EDQuarne);
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 0);
  b.SetzeFokus(P("e3"));  // in a closed mill: not to be taken
  Brett(Qt::Key_Enter);
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 0);
  b.SetzeFokus(P("c5"));
  Brett(Qt::Key_Enter);
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 1);
  const TZug& z = form->Spiel().Spielzuege()[1].Zug;
  EXPECT_EQ(z.VonPosition, P("g4"));
  EXPECT_EQ(z.NachPosition, P("g1"));
  EXPECT_EQ(z.EntfStein, P("c5"));
}

// F1, Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Z work on every tab, as their buttons do, and the
// tooltips name them.
TEST_F(Tastatur, TastenDesFensters) {
  const QString neu = QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText);
  EXPECT_TRUE(Kind<QPushButton>("NeuBut")->toolTip().contains(neu))
      << Kind<QPushButton>("NeuBut")->toolTip().toStdString();
  for (const auto& [knopf, taste] :
       {std::pair{Kind<QPushButton>("ZurueckButn"), QKeySequence::Undo},
        {Kind<QPushButton>("XBut"), QKeySequence::Undo},
        {Kind<QPushButton>("SaveButn"), QKeySequence::Save},
        {Kind<QPushButton>("LoadButn"), QKeySequence::Open},
        {Kind<QPushButton>("HilfeButn"), QKeySequence::HelpContents}})
    EXPECT_TRUE(knopf->toolTip().contains(QKeySequence(taste).toString(QKeySequence::NativeText)))
        << knopf->objectName().toStdString() << ": " << knopf->toolTip().toStdString();

  Kind<QCheckBox>("SpVsSpCB")->setChecked(true);
  for (const char* p : {"a1", "d1", "g1"}) Klicke(p);
  for (QWidget* tab : {Kind<QWidget>("TabOben"), Kind<QWidget>("TabEinstellung")}) {
    Kind<QTabWidget>("PageControl")->setCurrentWidget(tab);
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  }
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 1);

  dialoge.dateien = {"", ""};
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialoge.dateiDialoge.size(), 2);
  EXPECT_TRUE(dialoge.dateiDialoge[0].endsWith(".ml ml")) << dialoge.dateiDialoge[0].toStdString();
  EXPECT_TRUE(dialoge.dateiDialoge[1].startsWith("Quarne Datei (*.ml) "));

  dialoge.antworten = {false, true};
  QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 1);
  QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(dialoge.fragen, (QStringList{"Spiel überschreiben ?", "Spiel überschreiben ?"}));
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 0);
}

// A click into the move list gives it the arrow keys, which step through the game.
TEST_F(Tastatur, PfeiltastenInDerZugliste) {
  Kind<QCheckBox>("SpVsSpCB")->setChecked(true);
  for (const char* p : {"a1", "d1", "g1", "d2"}) Klicke(p);
  MovesGrid* liste = Kind<MovesGrid>("MovesGrid");
  const QRect zeile1 = liste->visualRect(liste->model()->index(1, 1));
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, zeile1.center());
  EXPECT_TRUE(liste->hasFocus());
  EXPECT_EQ(form->Spiel().AktZugNr(), 2);
  QTest::keyClick(liste, Qt::Key_Down);
  QTest::keyClick(liste, Qt::Key_Down);
  EXPECT_EQ(form->Spiel().AktZugNr(), 4);
  QTest::keyClick(liste, Qt::Key_Up);
  EXPECT_EQ(form->Spiel().AktZugNr(), 3);
  EXPECT_EQ(test::BrettAnsicht(*form, "BrettBP").Eingabe().MovesZug_1.BrettNachZug.AlleSteine,
            P("a1 d1"));
}

}  // namespace
}  // namespace quarne
