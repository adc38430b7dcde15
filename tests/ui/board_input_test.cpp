#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "tests/ui/test_game.h"
#include "ui/board_view.h"
#include "ui/board_widget.h"

namespace quarne {
namespace {

using test::P;
using test::Pos;

QPoint Mitte(const TRect& r) {
  return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// The main board in a shown 900 x 600 paint box, with a game from the given position; a person
// plays White, the computer Black.
class BrettEingabe : public testing::Test {
 protected:
  void Starte(std::string_view stellung) {
    spiel = std::make_unique<test::TestSpiel>(*brett, Pos(stellung));
    brett->SetzeHolz(false);
    widget = std::make_unique<BrettWidget>(*brett, BrettWidget::Ansicht::Spiel, "BrettBP");
    widget->resize(900, 600);
    widget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    spiel->AktualisiereSpiel();
  }

  QPoint Punkt(std::string_view name) const { return brett->GetPoint(P(name)); }

  void Klick(QPoint p) {
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, p);
  }
  void Ziehe(QPoint von, QPoint nach) {
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, von);
    QTest::mouseMove(widget.get(), (von + nach) / 2);
    QTest::mouseMove(widget.get(), nach);
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, nach);
  }

  const TZug& Letzter() const { return spiel->zuege.back().zug; }
  // Nothing half-entered is left over.
  void ErwarteRuhe() const {
    EXPECT_FALSE(brett->Eingabe().EDQuarne);
    EXPECT_FALSE(brett->Eingabe().EDDrag);
    EXPECT_FALSE(brett->Eingabe().EDDragAblage);
    EXPECT_EQ(brett->Eingabe().EDDragAblgNr, 0);
    EXPECT_EQ(brett->Eingabe().EDVon, 0u);
    EXPECT_EQ(brett->Eingabe().EDNach, 0u);
    EXPECT_EQ(brett->Eingabe().EDZeichneZug.BrettNachZug.AlleSteine,
              brett->Eingabe().EDZug_1.BrettNachZug.AlleSteine);
  }
  QColor Pixel(QPoint p) const { return brett->Bild().pixelColor(p); }

  std::unique_ptr<TBrettClass> brett = std::make_unique<TBrettClass>();
  std::unique_ptr<test::TestSpiel> spiel;
  std::unique_ptr<BrettWidget> widget;
};

constexpr std::string_view kLeer = "........................ W 0 0";
// White: a1 d1 c3 e5; Black: a closed mill b2 d2 f2 and b4. White to place.
constexpr std::string_view kVorMuehle = "WW......SSS....SW...W... W 4 4";
// Moving phase, White to move: a1 d1 b6 c3 e5 against g7 a7 b2 d2 f2 b4 d6; b6 is blocked.
constexpr std::string_view kZiehen = "WW..S.S.SSS..SWSW...W... W 9 9";

TEST_F(BrettEingabe, KlickSetztDenStein) {
  Starte(kLeer);
  EXPECT_EQ(brett->Eingabe().EDSpielPhase, spSetzen);
  EXPECT_EQ(brett->Eingabe().EDZugAuswahl.ZuegeAnzahl, 24);
  Klick(Punkt("d2"));
  ASSERT_EQ(spiel->zuege.size(), 1u);
  EXPECT_EQ(Letzter().VonPosition, 0u);
  EXPECT_EQ(Letzter().NachPosition, P("d2"));
  EXPECT_EQ(spiel->zuege.back().spieler, csHuman);
  // Now the computer has the move: the board refuses, the new stone is highlighted.
  EXPECT_TRUE(brett->Eingabe().EDBlock);
  EXPECT_EQ(Pixel(QPoint(brett->Geometrie().HinterGrund[10].Left + 2,
                         brett->Geometrie().HinterGrund[10].Top + 2)),
            QColor(192, 192, 192));
}

TEST_F(BrettEingabe, KlickAufBesetztenPunktOderDanebenSetztNichts) {
  Starte(kVorMuehle);
  for (const QPoint p : {Punkt("a1"), Punkt("b2"), brett->Geometrie().MittelPunkt, QPoint(5, 5)}) {
    Klick(p);
    EXPECT_TRUE(spiel->zuege.empty());
    ErwarteRuhe();
  }
}

TEST_F(BrettEingabe, SteinAusDerAblageZiehen) {
  Starte(kLeer);
  const QPoint fach = Mitte(brett->Geometrie().AblageWeiss[9]);
  QTest::mousePress(widget.get(), Qt::LeftButton, {}, fach);
  EXPECT_EQ(brett->Eingabe().EDDragAblgNr, 9);
  QTest::mouseMove(widget.get(), Punkt("g7") + QPoint(0, 40));
  EXPECT_TRUE(brett->Eingabe().EDDragAblage);
  // The grabbed slot is empty and the stone hangs at the mouse.
  EXPECT_EQ(Pixel(fach), QColor(255, 251, 240));
  EXPECT_EQ(Pixel(Punkt("g7") + QPoint(9, 49)), Qt::white);
  EXPECT_EQ(Pixel(Mitte(brett->Geometrie().AblageWeiss[8])), Qt::white);
  QTest::mouseMove(widget.get(), Punkt("g7"));
  QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, Punkt("g7"));
  ASSERT_EQ(spiel->zuege.size(), 1u);
  EXPECT_EQ(Letzter().NachPosition, P("g7"));
}

TEST_F(BrettEingabe, AblagesteinZurueckOhneZug) {
  Starte(kLeer);
  const QPoint fach = Mitte(brett->Geometrie().AblageWeiss[9]);
  // Released where it was grabbed, without moving.
  Klick(fach);
  EXPECT_TRUE(spiel->zuege.empty());
  // Dropped beside the board.
  Ziehe(fach, QPoint(250, 300));
  EXPECT_TRUE(spiel->zuege.empty());
  ErwarteRuhe();
  // Black's reservoir is not White's to take from.
  Ziehe(Mitte(brett->Geometrie().AblageSchwarz[9]), Punkt("d2"));
  EXPECT_TRUE(spiel->zuege.empty());
}

TEST_F(BrettEingabe, ZiehenVerschiebtDenStein) {
  Starte(kZiehen);
  EXPECT_EQ(brett->Eingabe().EDSpielPhase, spZiehen);
  QTest::mousePress(widget.get(), Qt::LeftButton, {}, Punkt("d1"));
  EXPECT_EQ(brett->Eingabe().EDVon, P("d1"));
  QTest::mouseMove(widget.get(), Punkt("g1") + QPoint(-30, 0));
  // The stone is lifted from its point and follows the mouse.
  EXPECT_TRUE(brett->Eingabe().EDDrag);
  EXPECT_FALSE(brett->Eingabe().EDZeichneZug.BrettNachZug.AlleSteine & P("d1"));
  EXPECT_EQ(Pixel(Punkt("d1") + QPoint(9, 9)), QColor(255, 251, 240));
  QTest::mouseMove(widget.get(), Punkt("g1"));
  QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, Punkt("g1"));
  ASSERT_EQ(spiel->zuege.size(), 1u);
  EXPECT_EQ(Letzter().VonPosition, P("d1"));
  EXPECT_EQ(Letzter().NachPosition, P("g1"));
}

TEST_F(BrettEingabe, ZiehenOhneGueltigesZielBringtDenSteinZurueck) {
  Starte(kZiehen);
  // Click and click, onto its own point, to a point that is no neighbour, beside the board.
  const struct {
    const char* fall;
    bool ziehen;
    QPoint nach;
  } faelle[] = {
      {"Klick dann Klick", false, Punkt("g1")},
      {"eigener Punkt", true, Punkt("d1")},
      {"kein Nachbar", true, Punkt("g4")},
      {"neben dem Brett", true, QPoint(880, 20)},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    if (f.ziehen) {
      Ziehe(Punkt("d1"), f.nach);
    } else {
      Klick(Punkt("d1"));
      EXPECT_EQ(brett->Eingabe().EDVon, P("d1"));  // selected, and stays so
      Klick(f.nach);
    }
    EXPECT_TRUE(spiel->zuege.empty());
    ErwarteRuhe();
  }
  // A stone without a move cannot be selected.
  Klick(Punkt("b6"));
  EXPECT_EQ(brett->Eingabe().EDVon, 0u);
}

TEST_F(BrettEingabe, NachDerMuehleWirdGeschlagen) {
  Starte(kVorMuehle);
  EXPECT_EQ(brett->Eingabe().EDSteine, P("b4"));  // b2 d2 f2 stand in a mill
  Klick(Punkt("g1"));
  ASSERT_TRUE(brett->Eingabe().EDQuarne);
  EXPECT_TRUE(spiel->zuege.empty());
  EXPECT_TRUE(brett->Eingabe().EDZeichneZug.BrettNachZug.SteineStehend & P("g1"));
  const auto ecke = [&](std::string_view name) {
    const TRect& r = brett->Geometrie().HinterGrund[PunktIndex(P(name)) + 1];
    return Pixel(QPoint(r.Left + 2, r.Top + 2));
  };
  EXPECT_EQ(ecke("g1"), QColor(255, 255, 0));
  EXPECT_EQ(ecke("b4"), QColor(0, 255, 0));
  EXPECT_EQ(ecke("b2"), QColor(255, 251, 240));
  // A protected stone, an empty point and a spot beside the board are ignored.
  for (const QPoint p : {Punkt("f2"), Punkt("a4"), QPoint(5, 300)}) {
    Klick(p);
    EXPECT_TRUE(brett->Eingabe().EDQuarne);
    EXPECT_EQ(brett->Eingabe().EDNach, P("g1"));
  }
  EXPECT_TRUE(spiel->zuege.empty());
  Klick(Punkt("b4"));
  ASSERT_EQ(spiel->zuege.size(), 1u);
  EXPECT_EQ(Letzter().NachPosition, P("g1"));
  EXPECT_EQ(Letzter().EntfStein, P("b4"));
  EXPECT_FALSE(brett->Eingabe().EDQuarne);
}

TEST_F(BrettEingabe, KlickAufDenSchliessendenSteinNimmtDenZugZurueck) {
  Starte(kVorMuehle);
  Klick(Punkt("g1"));
  ASSERT_TRUE(brett->Eingabe().EDQuarne);
  Klick(Punkt("g1"));
  EXPECT_TRUE(spiel->zuege.empty());
  ErwarteRuhe();
  // The entry starts afresh.
  Klick(Punkt("g4"));
  ASSERT_EQ(spiel->zuege.size(), 1u);
  EXPECT_EQ(Letzter().NachPosition, P("g4"));
}

TEST_F(BrettEingabe, MuehleImZiehenZeigtDenWeissenPfeil) {
  // White closes a1 d1 g1 by moving g4 to g1; b2 d2 f2 are protected.
  Starte("WW.W....SSS....S....WS.. W 9 9");
  Ziehe(Punkt("g4"), Punkt("g1"));
  ASSERT_TRUE(brett->Eingabe().EDQuarne);
  EXPECT_EQ(brett->Eingabe().EDVon, P("g4"));
  EXPECT_EQ(Pixel((Punkt("g4") + Punkt("g1")) / 2), Qt::white);
  Klick(Punkt("d5"));
  ASSERT_EQ(spiel->zuege.size(), 1u);
  EXPECT_EQ(Letzter().VonPosition, P("g4"));
  EXPECT_EQ(Letzter().EntfStein, P("d5"));
}

TEST_F(BrettEingabe, RechteTasteBeginntKeineEingabe) {
  Starte(kZiehen);
  QTest::mousePress(widget.get(), Qt::RightButton, {}, Punkt("d1"));
  QTest::mouseMove(widget.get(), Punkt("g1"));
  QTest::mouseRelease(widget.get(), Qt::RightButton, {}, Punkt("g1"));
  EXPECT_TRUE(spiel->zuege.empty());
  EXPECT_EQ(spiel->beeps, 0);
  ErwarteRuhe();
}

TEST_F(BrettEingabe, GesperrtesBrettPiepstBeiJedemDruck) {
  Starte(kLeer);
  spiel->computerFarbe = clWeiss;
  spiel->AktualisiereSpiel();
  ASSERT_TRUE(brett->Eingabe().EDBlock);
  Klick(Punkt("d2"));
  EXPECT_EQ(spiel->beeps, 1);
  Ziehe(Mitte(brett->Geometrie().AblageWeiss[9]), Punkt("d2"));
  EXPECT_EQ(spiel->beeps, 2);
  EXPECT_TRUE(spiel->zuege.empty());
  ErwarteRuhe();
}

TEST_F(BrettEingabe, AbgelehnterZugHinterlaesstNichts) {
  Starte(kZiehen);
  spiel->ueberschreibenAblehnen = true;
  Ziehe(Punkt("d1"), Punkt("g1"));
  EXPECT_TRUE(spiel->zuege.empty());
  ErwarteRuhe();
  EXPECT_EQ(Pixel(Punkt("d1") + QPoint(9, 9)), Qt::white);  // the lifted stone is back
  spiel->ueberschreibenAblehnen = false;
  Ziehe(Punkt("c3"), Punkt("d3"));
  ASSERT_EQ(spiel->zuege.size(), 1u);
}

TEST_F(BrettEingabe, SpielerGegenSpielerWechseltDieFarbe) {
  Starte(kLeer);
  spiel->spielerGegenSpieler = true;
  Klick(Punkt("a1"));
  EXPECT_FALSE(brett->Eingabe().EDBlock);
  EXPECT_EQ(brett->Eingabe().EDFarbe, clSchwarz);
  Ziehe(Mitte(brett->Geometrie().AblageSchwarz[9]), Punkt("g1"));
  ASSERT_EQ(spiel->zuege.size(), 2u);
  EXPECT_EQ(Letzter().NachPosition, P("g1"));
  // Black has the computer's colour here: its move counts as the computer's.
  EXPECT_EQ(spiel->zuege.back().spieler, csComputer);
}

TEST(BrettWidgetTest, ZeigtDasBildUndFolgtDerGroesse) {
  auto brett = std::make_unique<TBrettClass>();
  brett->SetzeHolz(false);
  BrettWidget w(*brett, BrettWidget::Ansicht::Stellung, "SetPB");
  QSignalSpy gedrueckt(&w, &BrettWidget::Gedrueckt);
  TZug aufbau{};
  aufbau.BrettNachZug.SteineZiehend = P("d2");
  brett->SetzeAufbau(aufbau, clSchwarz);
  w.resize(700, 500);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.objectName(), "SetPB");
  EXPECT_EQ(brett->Geometrie().CanvasRect, (TRect{0, 0, 700, 500}));
  EXPECT_EQ(brett->Bild().size(), QSize(700, 500));
  const QImage bild = w.grab().toImage();
  const QPoint d2 = brett->GetPoint(P("d2")) + QPoint(5, 5);
  EXPECT_EQ(bild.pixelColor(d2), Qt::black);
  EXPECT_EQ(bild.pixelColor(d2), brett->Bild().pixelColor(d2));
  // The setup board's clicks go to its owner, not to the move input.
  QTest::mouseClick(&w, Qt::RightButton, {}, d2);
  ASSERT_EQ(gedrueckt.count(), 1);
  EXPECT_EQ(gedrueckt[0][0].toPoint(), d2);
  EXPECT_EQ(gedrueckt[0][1].value<Qt::MouseButton>(), Qt::RightButton);
}

}  // namespace
}  // namespace quarne
