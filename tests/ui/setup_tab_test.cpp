#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>

#include "tests/ui/test_game.h"
#include "tests/ui/window_fixture.h"

namespace quarne {
namespace {

using test::P;

class Aufbau : public test::Fenster {
 protected:
  void SetUp() override {
    Fenster::SetUp();
    Kind<QTabWidget>("PageControl")->setCurrentWidget(Kind<QWidget>("SetTabSheet"));
    QTest::qWait(20);
  }
  // Clicks the points (e.g. "a1 d1") on the setup board.
  void Klicke(std::string_view punkte) {
    for (std::size_t i = 0; i < punkte.size(); i += 3) {
      const Punkte m = P(punkte.substr(i, 2));
      const QPoint p =
          test::BrettAnsicht(*form, "SetPB").Geometrie().GitterPunkte[PunktIndex(m) + 1];
      QTest::mouseClick(Kind<BrettWidget>("SetPB"), Qt::LeftButton, {}, p);
    }
  }
  // What the tab shows: stones, placed and lost of White and Black, the phases, the buttons.
  QString Anzeige() const {
    const TQuarneForm& f = *form;
    return QStringList{test::Kind<QLineEdit>(f, "EditWeisseSteine")->text(),
                       QString::number(test::Kind<QSpinBox>(f, "SPEDWeiss")->value()),
                       test::Kind<QLineEdit>(f, "EDLostWeiss")->text(),
                       test::Kind<QLabel>(f, "LblSPPhsWeiss")->text(),
                       test::Kind<QLineEdit>(f, "EditSchwarzeSteine")->text(),
                       QString::number(test::Kind<QSpinBox>(f, "SPEDSchwarz")->value()),
                       test::Kind<QLineEdit>(f, "EDLostSchwarz")->text(),
                       test::Kind<QLabel>(f, "LblSPPhsSchwarz")->text(),
                       test::Kind<QPushButton>(f, "ToAnalyzeWeiss")->isEnabled() ? "W" : "-",
                       test::Kind<QPushButton>(f, "ToAnalyzeSchwarz")->isEnabled() ? "S" : "-"}
        .join(" ");
  }
  Punkte Weisse() const {
    const TBrettClass& b = test::BrettAnsicht(*form, "SetPB");
    return b.AufbauFarbe() == clWeiss ? b.Aufbau().BrettNachZug.SteineZiehend
                                      : b.Aufbau().BrettNachZug.SteineStehend;
  }
};

// Each step acts on the tab and leaves it as shown: stones, placed and lost of White, its phase,
// the same of Black, and the enabled analysis buttons.
TEST_F(Aufbau, KlicksZahlenUndKnoepfe) {
  const struct {
    const char* was;
    std::function<void()> tue;
    const char* anzeige;
  } schritte[] = {
      {"leeres Brett", [] {}, "0 0 0 Steine platzieren 0 0 0 Steine platzieren W -"},
      {"ein weißer Stein", [this] { Klicke("a1"); },
       "1 1 0 Steine platzieren 0 0 0 Steine platzieren - S"},
      {"derselbe Punkt nimmt ihn weg", [this] { Klicke("a1"); },
       "0 1 1 Steine platzieren 0 0 0 Steine platzieren - S"},
      {"Schwarz ersetzt Weiß",
       [this] {
         Klicke("a1");
         Kind<QPushButton>("SchwarzButn")->click();
         Klicke("a1");
       },
       "0 1 1 Steine platzieren 1 1 0 Steine platzieren W -"},
      {"Platzierte unter den Steinen schnappen zurück",
       [this] {
         Kind<QPushButton>("WeissButn")->click();
         Klicke("d1 g1 d2");
         Kind<QSpinBox>("SPEDWeiss")->setValue(1);
       },
       "3 3 0 Steine platzieren 1 1 0 Steine platzieren - -"},
      {"\"9\": beide haben gesetzt", [this] { Kind<QPushButton>("Butn9")->click(); },
       "3 9 6 Steine springen 1 9 8 Steine springen - -"},
      {"drei gegen drei",
       [this] {
         Kind<QPushButton>("SchwarzButn")->click();
         Klicke("a7 d7");
       },
       "3 9 6 Steine springen 3 9 6 Steine springen W S"},
      {"Weiß zieht, Schwarz springt",
       [this] {
         Kind<QPushButton>("WeissButn")->click();
         Klicke("b2 f2 b6 f6 c3 e3");
       },
       "9 9 0 Steine ziehen 3 9 6 Steine springen W S"},
      {"Schwarz verliert den dritten",
       [this] {
         Kind<QPushButton>("SchwarzButn")->click();
         Klicke("a7");
       },
       "9 9 0 Steine ziehen 2 9 7 Steine springen - -"},
      {"Schwarz setzt noch, hat acht gesetzt",
       [this] {
         Kind<QPushButton>("SchwarzButn")->click();
         Klicke("a7 g7 c5 e5 c4");
         Kind<QSpinBox>("SPEDSchwarz")->setValue(8);
       },
       "9 9 0 Steine ziehen 7 8 1 Steine platzieren - S"},
      {"Zurücksetzen", [this] { Kind<QPushButton>("ResetAnalyze")->click(); },
       "0 0 0 Steine platzieren 0 0 0 Steine platzieren W -"},
  };
  for (const auto& s : schritte) {
    s.tue();
    EXPECT_EQ(Anzeige().toStdString(), s.anzeige) << s.was;
  }
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());
  EXPECT_EQ(test::BrettAnsicht(*form, "SetPB").Aufbau().BrettNachZug.AlleSteine, 0u);
}

TEST_F(Aufbau, HoechstensNeunSteine) {
  Klicke("a1 d1 g1 b2 d2 f2 c3 d3 e3");
  const TZug vorher = test::BrettAnsicht(*form, "SetPB").Aufbau();
  Klicke("a4");
  EXPECT_EQ(dialoge.nachrichten, QStringList{"Es sind nur maximal 9 Steine erlaubt!"});
  EXPECT_EQ(std::memcmp(&test::BrettAnsicht(*form, "SetPB").Aufbau(), &vorher, sizeof vorher), 0);
  EXPECT_EQ(Kind<QLineEdit>("EditWeisseSteine")->text(), "9");
  // A black stone on a white one's point keeps White at eight and is allowed.
  Kind<QPushButton>("SchwarzButn")->click();
  Klicke("a1");
  EXPECT_EQ(Weisse(), P("d1 g1 b2 d2 f2 c3 d3 e3"));
  EXPECT_EQ(dialoge.nachrichten.size(), 1);
}

TEST_F(Aufbau, VorschausteinUnterDerMaus) {
  const QPoint p = test::BrettAnsicht(*form, "SetPB").Geometrie().GitterPunkte[1];
  const QImage ohne = test::BrettAnsicht(*form, "SetPB").Bild().copy();
  QTest::mouseMove(Kind<BrettWidget>("SetPB"), p);
  const QImage mit = test::BrettAnsicht(*form, "SetPB").Bild().copy();
  EXPECT_NE(mit.pixel(p), ohne.pixel(p));
  QEvent verlassen(QEvent::Leave);
  QApplication::sendEvent(Kind<BrettWidget>("SetPB"), &verlassen);
  EXPECT_EQ(test::BrettAnsicht(*form, "SetPB").Bild(), ohne);
  EXPECT_EQ(Weisse(), 0u);  // the preview puts nothing down
}

// Black to move: the game's start record has Black's stones on its Stehend side, the computer
// plays Black, and "Denke" searches the set-up position at depth 12 with every first move.
TEST_F(Aufbau, UebergabeAnDasSpiel) {
  Klicke("a1 d1");
  Kind<QPushButton>("SchwarzButn")->click();
  Klicke("g7 a7");
  ASSERT_TRUE(Kind<QPushButton>("ToAnalyzeWeiss")->isEnabled());
  ASSERT_FALSE(Kind<QPushButton>("ToAnalyzeSchwarz")->isEnabled());
  Kind<QSpinBox>("SPEDWeiss")->setValue(3);  // White placed one more, which is gone
  ASSERT_FALSE(Kind<QPushButton>("ToAnalyzeWeiss")->isEnabled());
  ASSERT_TRUE(Kind<QPushButton>("ToAnalyzeSchwarz")->isEnabled());

  Kind<QPushButton>("ToAnalyzeSchwarz")->click();
  EXPECT_EQ(Kind<QTabWidget>("PageControl")->currentWidget(), Kind<QWidget>("TabOben"));
  const Spielstand& s = form->Spiel();
  const TBrett& b = s.StartZug().BrettNachZug;
  EXPECT_EQ(b.SteineStehend, P("g7 a7"));
  EXPECT_EQ(b.SteineZiehend, P("a1 d1"));
  EXPECT_EQ(b.GesetzteSteineZiehend, 3);
  EXPECT_EQ(b.VerloreneSteineZiehend, 1);
  EXPECT_EQ(s.StartFarbe(), clSchwarz);
  EXPECT_EQ(s.ComputerFarbe(), clSchwarz);
  EXPECT_EQ(s.FarbeAmZug(), clSchwarz);
  EXPECT_TRUE(Kind<QCheckBox>("CBVoll")->isChecked());
  EXPECT_TRUE(Radio("AutoGroup", 0)->isChecked());
  EXPECT_EQ(Kind<QSpinBox>("TiefeSE1")->value(), 12);
  EXPECT_TRUE(Kind<QPushButton>("DenkeBut")->isEnabled());
  // The setup stays for the next analysis.
  EXPECT_EQ(Weisse(), P("a1 d1"));

  // With a move in the record, a second analysis asks first; No keeps the game.
  Kind<QSpinBox>("TiefeSE1")->setValue(2);
  Kind<QPushButton>("DenkeBut")->click();
  ASSERT_EQ(s.LetzterZugNr(), 1);
  EXPECT_EQ(s.Spielzuege()[1].Farbe, clSchwarz);
  Kind<QTabWidget>("PageControl")->setCurrentWidget(Kind<QWidget>("SetTabSheet"));
  dialoge.antworten = {false};
  Kind<QPushButton>("ToAnalyzeSchwarz")->click();
  EXPECT_EQ(dialoge.fragen, QStringList{"Spiel überschreiben ?"});
  EXPECT_EQ(s.LetzterZugNr(), 1);
  EXPECT_EQ(Kind<QTabWidget>("PageControl")->currentWidget(), Kind<QWidget>("SetTabSheet"));
}

// The analysis thinks deeply and fully for as long as its game lasts; a new game gets back the
// settings of before, unless the user changed them during the analysis.
TEST_F(Aufbau, AnalyseEinstellungenGeltenNurFuerDieAnalyse) {
  Radio("AutoGroup", 2)->click();
  Kind<QSpinBox>("TiefeSE1")->setValue(5);
  const auto denkweise = [this] {
    return QString("%1 %2 %3")
        .arg(Kind<QCheckBox>("CBVoll")->isChecked())
        .arg(RadioIndex("AutoGroup"))
        .arg(Kind<QSpinBox>("TiefeSE1")->value());
  };
  const QString vorher = denkweise();
  ASSERT_EQ(vorher, "0 2 5");
  Klicke("a1 d1");
  Kind<QPushButton>("SchwarzButn")->click();
  Klicke("g7");

  Kind<QPushButton>("ToAnalyzeSchwarz")->click();
  EXPECT_EQ(denkweise(), "1 0 12");
  EXPECT_TRUE(form->Einstellung().CBVoll);
  EXPECT_EQ(form->Einstellung().AutoGroup, 0);
  Kind<QPushButton>("NeuBut")->click();
  EXPECT_EQ(denkweise(), vorher);
  EXPECT_FALSE(form->Einstellung().CBVoll);
  EXPECT_EQ(form->Einstellung().AutoGroup, 2);
  EXPECT_EQ(form->Optionen().TiefeSE1, 5);

  // A second analysis straight after the first still returns to the user's settings.
  Kind<QPushButton>("ToAnalyzeSchwarz")->click();
  Kind<QPushButton>("ToAnalyzeSchwarz")->click();
  EXPECT_EQ(denkweise(), "1 0 12");
  Kind<QPushButton>("NeuBut")->click();
  EXPECT_EQ(denkweise(), vorher);

  // A depth the user sets during the analysis is the user's choice and stays.
  Kind<QPushButton>("ToAnalyzeSchwarz")->click();
  Kind<QSpinBox>("TiefeSE2")->setValue(8);
  Kind<QPushButton>("NeuBut")->click();
  EXPECT_EQ(denkweise(), "1 0 8");
}

}  // namespace
}  // namespace quarne
