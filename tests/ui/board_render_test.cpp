#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "tests/ui/test_game.h"
#include "ui/board_view.h"

namespace quarne {
namespace {

using test::P;

const QColor kCreme(255, 251, 240);
const QColor kSilber(192, 192, 192);
const QColor kGrau(128, 128, 128);
const QColor kLimone(0, 255, 0);

int Nr(std::string_view name) {
  return PunktIndex(P(name)) + 1;
}

QPoint Mitte(const TRect& r) {
  return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// A 1200 x 600 board: square (300, 0)-(900, 600), stones 60 pixels wide with their inner ring
// 15 pixels from the centre, flat stones unless a test turns the wooden ones on.
class BrettBild : public testing::Test {
 protected:
  void SetUp() override {
    brett->SetzeFlaeche(1200, 600);
    brett->SetzeHolz(false);
  }

  QColor Pixel(QPoint p) const { return brett->Bild().pixelColor(p); }
  // The record on the board, zog having made it, the reservoirs empty.
  void Zeige(const TZug& zug, TFarbe zog) { brett->SetzeStellung(zug, zog, 0, 0); }
  // Inside a stone's inner ring, off the grid lines that cross its point.
  QColor Stein(std::string_view name) const {
    return Pixel(brett->Geometrie().GitterPunkte[Nr(name)] + QPoint(9, 9));
  }
  // Inside the highlight square of a point, clear of its stone and grid lines.
  QColor Hintergrund(std::string_view name) const {
    const TRect& r = brett->Geometrie().HinterGrund[Nr(name)];
    return Pixel(QPoint(r.Left + 2, r.Top + 2));
  }

  std::unique_ptr<TBrettClass> brett = std::make_unique<TBrettClass>();
};

TZug Zug(Punkte ziehend, Punkte stehend, TSpielPhase phase) {
  TZug z{};
  z.BrettNachZug.SteineZiehend = ziehend;
  z.BrettNachZug.SteineStehend = stehend;
  z.BrettNachZug.AlleSteine = ziehend | stehend;
  z.BrettNachZug.SpielPhaseZiehend = phase;
  z.BrettNachZug.SpielPhaseStehend = phase;
  return z;
}

TEST_F(BrettBild, SteineInDerFarbeIhrerSeite) {
  for (const TFarbe zog : {clWeiss, clSchwarz}) {
    Zeige(Zug(P("a1 e5"), P("g1"), spSetzen), zog);
    brett->ZeichneZug();
    const QColor eigen = zog == clWeiss ? Qt::white : Qt::black;
    const QColor gegner = zog == clWeiss ? Qt::black : Qt::white;
    EXPECT_EQ(Stein("a1"), eigen);
    EXPECT_EQ(Stein("e5"), eigen);
    EXPECT_EQ(Stein("g1"), gegner);
    EXPECT_EQ(Stein("d1"), kCreme);  // empty point
  }
}

TEST_F(BrettBild, GesetzterSteinSilbernGezogenerMitPfeil) {
  TZug gesetzt = Zug(P("d2"), P("a1"), spSetzen);
  gesetzt.NachPosition = P("d2");
  Zeige(gesetzt, clWeiss);
  brett->ZeichneZug();
  EXPECT_EQ(Hintergrund("d2"), kSilber);
  EXPECT_EQ(Hintergrund("a1"), kCreme);

  // a4 to a1 in the moving phase, closing a mill that took the stone from d6.
  TZug gezogen = Zug(P("a1 a7 g7 d7"), P("d2"), spZiehen);
  gezogen.VonPosition = P("a4");
  gezogen.NachPosition = P("a1");
  gezogen.ErgibtQuarne = true;
  gezogen.EntfStein = P("d6");
  Zeige(gezogen, clWeiss);
  brett->ZeichneZug();
  EXPECT_EQ(Hintergrund("a1"), kCreme);  // no highlight once stones move
  const QPoint von = brett->Geometrie().GitterPunkte[Nr("a4")],
               nach = brett->Geometrie().GitterPunkte[Nr("a1")];
  EXPECT_EQ(Pixel((von + nach) / 2), kLimone);
  EXPECT_EQ(Pixel(brett->Geometrie().GitterPunkte[Nr("d6")]), kGrau);
  EXPECT_EQ(Stein("a7"), Qt::white);
}

TEST_F(BrettBild, AblagenFuellenSichVonUntenGeschlageneVonOben) {
  // White has placed 6 and lost 1; Black has placed 4 and lost 2.
  TZug z = Zug(P("a1"), P("g1"), spSetzen);
  z.BrettNachZug.VerloreneSteineZiehend = 1;
  z.BrettNachZug.VerloreneSteineStehend = 2;
  brett->SetzeStellung(z, clWeiss, 3, 5);
  brett->ZeichneZug();
  // The inner ring is 15 pixels from the centre: 20 above it is stone body, off the cross.
  const QPoint koerper(0, -20);
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    const QPoint w = Mitte(brett->Geometrie().AblageWeiss[k]),
                 s = Mitte(brett->Geometrie().AblageSchwarz[k]);
    if (k <= 3)
      EXPECT_EQ(Pixel(w), Qt::white);
    else if (k >= 8)
      EXPECT_EQ(Pixel(w + koerper), Qt::black);  // captured black stones
    else
      EXPECT_EQ(Pixel(w), kCreme);
    if (k <= 5)
      EXPECT_EQ(Pixel(s), Qt::black);
    else if (k == 9)
      EXPECT_EQ(Pixel(s + koerper), Qt::white);  // the captured white stone
    else
      EXPECT_EQ(Pixel(s), kCreme);
  }
  EXPECT_EQ(Pixel(Mitte(brett->Geometrie().AblageWeiss[9])), kGrau);
  EXPECT_EQ(Pixel(Mitte(brett->Geometrie().AblageSchwarz[9])), kGrau);
}

TEST_F(BrettBild, NotationenNurWennEingeschaltet) {
  // The letter above the a-file, on a cream background.
  const QPoint anker = brett->Geometrie().Raster[0];
  const auto beschriftet = [&] {
    int n = 0;
    for (int y = 1; y < 30; ++y)
      for (int x = anker.x() - 15; x <= anker.x() + 15; ++x) n += Pixel({x, y}) != kCreme;
    return n;
  };
  brett->ZeichneZug();
  EXPECT_GT(beschriftet(), 20);
  brett->SetzeNotation(false);
  brett->ZeichneZug();
  EXPECT_EQ(beschriftet(), 0);
  EXPECT_EQ(Pixel({0, 300}), Qt::black);  // the frame stays
  EXPECT_EQ(Pixel({1199, 300}), Qt::black);
}

TEST_F(BrettBild, HolzsteineMitDurchsichtigenEcken) {
  const QImage weiss(":/steine/stein_weiss.png"), schwarz(":/steine/stein_schwarz.png");
  ASSERT_FALSE(weiss.isNull());
  ASSERT_FALSE(schwarz.isNull());
  brett->SetzeSteinBilder(&weiss, &schwarz);
  brett->SetzeHolz(true);
  Zeige(Zug(P("a1"), P("g1"), spSetzen), clWeiss);
  for (const int breite : {1200, 500}) {  // two stone sizes: the scaled pictures follow
    brett->SetzeFlaeche(breite, breite / 2);
    brett->ZeichneZug();
    SCOPED_TRACE(breite);
    const QColor hell = Pixel(brett->Geometrie().GitterPunkte[Nr("a1")] + QPoint(3, 3));
    const QColor dunkel = Pixel(brett->Geometrie().GitterPunkte[Nr("g1")] + QPoint(3, 3));
    EXPECT_GT(hell.lightness(), 150);
    EXPECT_GT(hell.red(), hell.blue() + 20);  // wood, not a flat white disc
    EXPECT_LT(dunkel.lightness(), 90);
    for (const std::string_view p : {"a1", "g1"}) {
      const TRect& r = brett->Geometrie().VorderGrund[Nr(p)];
      EXPECT_EQ(Pixel({r.Left + 1, r.Top + 1}), kCreme) << p;
    }
  }
}

// Distance of q from the line through a in direction d.
double Abstand(QPointF q, QPointF a, QPointF d) {
  return std::abs((q.x() - a.x()) * d.y() - (q.y() - a.y()) * d.x()) / std::hypot(d.x(), d.y());
}

TEST_F(BrettBild, PfeilMasseInGitterlinienbreiten) {
  const double g = 4;  // half the grid line thickness at this size
  for (const QPoint d : {QPoint(200, 0), QPoint(0, -240), QPoint(150, 150), QPoint(-90, 170)}) {
    SCOPED_TRACE(testing::Message() << d.x() << "," << d.y());
    const QPoint von(500, 300), nach = von + d;
    const auto p = brett->PfeilPolygon(von, nach);
    const QPointF basis = QPointF(p[2] + p[6]) / 2;
    const QPointF n(-d.y(), d.x());
    EXPECT_EQ(p[0], nach);
    EXPECT_NEAR(std::hypot(nach.x() - basis.x(), nach.y() - basis.y()), 13 * g, 1.5);
    EXPECT_NEAR(std::hypot(p[7].x() - p[1].x(), p[7].y() - p[1].y()), 10 * g, 2);
    EXPECT_NEAR(std::hypot(p[6].x() - p[2].x(), p[6].y() - p[2].y()), 3.6 * g, 2);
    // The tail sits at von, with the notch 2.7 g deep.
    EXPECT_LE(Abstand(p[3], von, n), 1);
    EXPECT_LE(Abstand(p[5], von, n), 1);
    EXPECT_NEAR(std::hypot(p[4].x() - von.x(), p[4].y() - von.y()), 2.7 * g, 1.5);
  }
}

TEST_F(BrettBild, KurzerPfeilZiehtDasEndeAufDieKopfbasis) {
  for (const QPoint d : {QPoint(30, 0), QPoint(-20, -20), QPoint(10, 40)}) {
    SCOPED_TRACE(testing::Message() << d.x() << "," << d.y());
    const QPoint von(500, 300);
    const auto p = brett->PfeilPolygon(von, von + d);
    const QPointF basis = QPointF(p[2] + p[6]) / 2;
    const QPointF n(-d.y(), d.x());
    for (const int i : {3, 4, 5}) EXPECT_LE(Abstand(p[i], basis, n), 1.5) << i;
  }
}

TEST_F(BrettBild, PfeilOhneLaengeZeichnetNichts) {
  brett->ZeichneZug();
  QImage bild = brett->Bild().copy();
  {
    QPainter canvas(&bild);
    brett->ZeichnePfeil(canvas, Qt::white, {500, 300}, {500, 300});
  }
  EXPECT_EQ(bild, brett->Bild());
}

}  // namespace
}  // namespace quarne
