#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/test_game.h"
#include "ui/board_view.h"

namespace quarne {
namespace {

using test::P;

std::unique_ptr<TBrettClass> Brett(int breite, int hoehe) {
  auto b = std::make_unique<TBrettClass>();
  b->SetzeFlaeche(breite, hoehe);
  return b;
}

int Nr(std::string_view name) {
  return PunktIndex(P(name)) + 1;
}

TEST(BrettGeometrie, BrettquadratBreitUndHoch) {
  const struct {
    int breite, hoehe;
    TRect quadrat;
  } faelle[] = {
      {1200, 600, {300, 0, 900, 600}},    // wide: full height, centred
      {900, 800, {150, 100, 750, 700}},   // high: side R / 1.5, centred both ways
      {1000, 900, {167, 117, 833, 783}},  // s = 666
      {1000, 600, {200, 0, 800, 600}},
  };
  for (const auto& f : faelle) {
    const auto b = Brett(f.breite, f.hoehe);
    EXPECT_EQ(b->Geometrie().QuarneRectA, f.quadrat) << f.breite << "x" << f.hoehe;
    EXPECT_EQ(b->Bild().size(), QSize(f.breite, f.hoehe));
  }
}

TEST(BrettGeometrie, PunkteLiegenAufDenDreiQuadraten) {
  const auto b = Brett(1200, 600);  // centre (600, 300), half side 300
  EXPECT_EQ(b->Geometrie().MittelPunkt, QPoint(600, 300));
  EXPECT_EQ(b->Geometrie().GitterPunkte[Nr("a1")], QPoint(360, 540));  // bottom left
  EXPECT_EQ(b->Geometrie().GitterPunkte[Nr("g7")], QPoint(840, 60));   // top right
  EXPECT_EQ(b->Geometrie().GitterPunkte[Nr("d2")], QPoint(600, 457));  // 300 * 0.525 truncated
  EXPECT_EQ(b->Geometrie().GitterPunkte[Nr("c4")], QPoint(525, 300));
  EXPECT_EQ(b->GetPoint(P("e5")), b->Geometrie().GitterPunkte[Nr("e5")]);
  EXPECT_EQ(b->GetPoint(P("b2 e5")), b->Geometrie().GitterPunkte[Nr("b2")]);  // the lowest point
  EXPECT_EQ(b->GetPoint(0), QPoint(-1, -1));
  EXPECT_EQ(b->Geometrie().VorderGrund[Nr("a1")], (TRect{330, 510, 390, 570}));
  EXPECT_EQ(b->Geometrie().Gitter[Nr("a1")], (TRect{356, 536, 364, 544}));
  EXPECT_EQ(b->Eingabe().EDGitterX, 30);
}

TEST(BrettGeometrie, TrefferflaechenBleibenImInnenrahmen) {
  const auto b = Brett(1200, 600);
  EXPECT_EQ(b->Geometrie().QuarneRectI, (TRect{330, 30, 870, 570}));
  // a1 lies 240 from the centre and its square reaches 36 further: clipped at 270.
  EXPECT_EQ(b->Geometrie().HinterGrund[Nr("a1")], (TRect{330, 504, 396, 570}));
  EXPECT_EQ(b->Geometrie().HinterGrund[Nr("e4")], (TRect{639, 264, 711, 336}));
  EXPECT_EQ(b->BrettPosition({639, 336}).punkt, Nr("e4"));  // edges belong to the square
  EXPECT_EQ(b->BrettPosition({675, 300}).maske, P("e4"));
  EXPECT_EQ(b->BrettPosition({600, 300}).punkt, 0);  // the centre is no point
  EXPECT_EQ(b->BrettPosition({600, 300}).maske, 0u);
}

TEST(BrettGeometrie, AblagenNebenDemQuadratVonObenNachUnten) {
  for (const QSize groesse : {QSize(1200, 600), QSize(900, 800), QSize(2000, 500)}) {
    const auto b = Brett(groesse.width(), groesse.height());
    const TRect& A = b->Geometrie().QuarneRectA;
    const int w = b->Eingabe().EDGitterX;
    SCOPED_TRACE(testing::Message() << groesse.width() << "x" << groesse.height());
    EXPECT_EQ(b->Geometrie().AblageWeiss[9].Top, A.Top + w);        // slot 9 on top
    EXPECT_EQ(b->Geometrie().AblageWeiss[1].Bottom, A.Bottom - w);  // slot 1 at the bottom
    for (int k = 1; k <= 9; ++k) {
      const TRect& ws = b->Geometrie().AblageWeiss[k];
      const TRect& ss = b->Geometrie().AblageSchwarz[k];
      EXPECT_EQ(ws, (TRect{A.Left - 3 * w, ws.Top, A.Left - w, ws.Top + 2 * w}));
      EXPECT_EQ(ss, (TRect{A.Right + w, ws.Top, A.Right + 3 * w, ws.Top + 2 * w}));
      if (k < 9) {
        EXPECT_LE(b->Geometrie().AblageWeiss[k + 1].Bottom, ws.Top);
      }
    }
  }
}

TEST(BrettGeometrie, AblageTrifftNurBelegteFaecherDerSeiteAmZug) {
  const auto b = Brett(1200, 600);
  const auto mitte = [](const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  };
  b->SetzeStellung(TZug{}, clSchwarz, 4, 9);  // White to move
  EXPECT_EQ(b->AblagePosition(mitte(b->Geometrie().AblageWeiss[4])), 4);
  EXPECT_EQ(b->AblagePosition(mitte(b->Geometrie().AblageWeiss[5])), 0);    // already placed
  EXPECT_EQ(b->AblagePosition(mitte(b->Geometrie().AblageSchwarz[1])), 0);  // not White's reservoir
  b->SetzeStellung(TZug{}, clWeiss, 4, 9);                                  // Black to move
  EXPECT_EQ(b->AblagePosition(mitte(b->Geometrie().AblageSchwarz[9])), 9);
}

}  // namespace
}  // namespace quarne
