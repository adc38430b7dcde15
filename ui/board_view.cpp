#include "ui/board_view.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QWidget>
#include <algorithm>
#include <cassert>
#include <cmath>

#include "core/bigswap.h"
#include "core/geometry.h"
#include "game/game_record.h"
#include "ui/design.h"

namespace quarne {
namespace {

// 22-point labels come out at the size they have on a 96 dpi screen.
constexpr int kPunkteProMeter = 3780;
constexpr int kSchriftPunkte = 22;

// Floating point to integer, truncating toward zero.
int T(double x) {
  return static_cast<int>(x);
}

// A rectangle that covers exactly the pixels Left..Right-1 and Top..Bottom-1.
QRect Flaeche(const TRect& r) {
  return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

TRect UmPunkt(QPoint p, int dx, int dy) {
  return {p.x() - dx, p.y() - dy, p.x() + dx, p.y() + dy};
}

// A vertex on the pixel centre, so that one-pixel outlines stay sharp with antialiasing.
QPointF Mitte(int x, int y) {
  return QPointF(x + 0.5, y + 0.5);
}

}  // namespace

void TBrettClass::QuarneKoordinaten() {
  FaktorI = 0.9;
  FaktorRaster = 0.97;
  FaktorRingAussen = 0.8;
  FaktorRingInnen = 0.25;
  FaktorRingMitten = (0.8 + 0.25) * 0.5;
  FaktorHG = 0.12;
  FaktorVG = 0.1;
  FaktorGitter = 0.015;
  FaktorKreuz = 0.1;
  FaktorPfeilBasis = 10.0;
  FaktorPfeilQBasis = 5.0;

  const int R = CanvasRect.Right, B = CanvasRect.Bottom;
  TRect& A = QuarneRectA;
  // A wide area gets a square of its full height; otherwise a quarter of the square's side is
  // left free on either side for the reservoirs. An area without height counts as wide.
  const bool breit = B > 0 ? static_cast<double>(R) / B > 5 * FaktorVG + 1 : R > 0;
  if (breit) {
    A = {R / 2 - B / 2, 0, R / 2 + B / 2, B};
  } else {
    const int s = T(R / 1.5);
    A = {R / 2 - s / 2, B / 2 - s / 2, R / 2 + s / 2, B / 2 + s / 2};
  }

  const QPoint M((A.Left + A.Right) / 2, (A.Top + A.Bottom) / 2);
  MittelPunkt = M;
  const int hx = M.x() - A.Left, hy = M.y() - A.Top;

  QuarneRectI = {M.x() - T((M.x() - A.Left) * FaktorI), M.y() - T((M.y() - A.Top) * FaktorI),
                 M.x() + T((A.Right - M.x()) * FaktorI), M.y() + T((A.Bottom - M.y()) * FaktorI)};

  const double ringe[3] = {FaktorRingAussen, FaktorRingMitten, FaktorRingInnen};
  const int rx = T(hx * FaktorRaster), ry = T(hy * FaktorRaster);
  const int ax = T(hx * ringe[0]), mx = T(hx * ringe[1]), ix = T(hx * ringe[2]);
  const int ay = T(hy * ringe[0]), my = T(hy * ringe[1]), iy = T(hy * ringe[2]);
  const int spalten[7] = {M.x() - ax, M.x() - mx, M.x() - ix, M.x(),
                          M.x() + ix, M.x() + mx, M.x() + ax};
  const int zeilen[7] = {M.y() - ay, M.y() - my, M.y() - iy, M.y(),
                         M.y() + iy, M.y() + my, M.y() + ay};
  for (int k = 0; k < 7; ++k) {
    Raster[k] = QPoint(spalten[k], M.y() - ry);
    Raster[7 + k] = QPoint(spalten[k], M.y() + ry);
    Raster[14 + k] = QPoint(M.x() - rx, zeilen[k]);
    Raster[21 + k] = QPoint(M.x() + rx, zeilen[k]);
  }

  // Around each square from its bottom left corner, as the point bits run.
  constexpr int kRichtung[8][2] = {{-1, 1}, {0, 1},  {1, 1},   {1, 0},
                                   {1, -1}, {0, -1}, {-1, -1}, {-1, 0}};
  for (int ring = 0; ring < 3; ++ring) {
    const int dx = T(hx * ringe[ring]), dy = T(hy * ringe[ring]);
    for (int k = 0; k < 8; ++k)
      GitterPunkte[ring * 8 + k + 1] =
          QPoint(M.x() + kRichtung[k][0] * dx, M.y() + kRichtung[k][1] * dy);
  }

  const int hgx = T(hx * FaktorHG), hgy = T(hy * FaktorHG);
  const int vgx = T(hx * FaktorVG), vgy = T(hy * FaktorVG);
  const int gx = T(hx * FaktorGitter), gy = T(hy * FaktorGitter);
  for (int i = 1; i <= kAnzahlPunkte; ++i) {
    TRect hg = UmPunkt(GitterPunkte[i], hgx, hgy);
    hg.Left = std::max(hg.Left, QuarneRectI.Left);
    hg.Top = std::max(hg.Top, QuarneRectI.Top);
    hg.Right = std::min(hg.Right, QuarneRectI.Right);
    hg.Bottom = std::min(hg.Bottom, QuarneRectI.Bottom);
    HinterGrund[i] = hg;
    VorderGrund[i] = UmPunkt(GitterPunkte[i], vgx, vgy);
    Gitter[i] = UmPunkt(GitterPunkte[i], gx, gy);
  }
  EDGitterX = vgx;

  const int w = vgx, h = vgy;
  const int top0 = A.Top + h, bot0 = A.Bottom - h;
  for (int j = 0; j <= 8; ++j) {
    const int y = top0 + T((bot0 - top0) * j / 9.0);
    AblageWeiss[9 - j] = {A.Left - 3 * w, y, A.Left - w, y + 2 * h};
    AblageSchwarz[9 - j] = {A.Right + w, y, A.Right + 3 * w, y + 2 * h};
  }
}

void TBrettClass::SetzeFlaeche(int breite, int hoehe) {
  CanvasRect = {0, 0, breite, hoehe};
  QuarneKoordinaten();
  BrettBMP = QImage(std::max(breite, 1), std::max(hoehe, 1), QImage::Format_RGB32);
  BrettBMP.setDotsPerMeterX(kPunkteProMeter);
  BrettBMP.setDotsPerMeterY(kPunkteProMeter);
}

void TBrettClass::ZeichneUntergrund(QPainter& canvas) const {
  canvas.fillRect(Flaeche(CanvasRect), kCreme);
  canvas.setPen(QPen(Qt::black, 1));
  canvas.setBrush(Qt::NoBrush);
  canvas.drawRect(QRect(0, 0, CanvasRect.Right - 1, CanvasRect.Bottom - 1));
}

void TBrettClass::Anzeigen() {
  if (PaintBox != nullptr) PaintBox->update();
}

void TBrettClass::ZeichneZug() {
  if (BrettBMP.isNull()) return;
  QPainter canvas(&BrettBMP);
  ZeichneUntergrund(canvas);
  ZeichneAblagen(canvas, EDDragAblage ? EDDragAblgNr : 0);
  if (EDQuarne || EDDrag) {
    if (Notation) ZeichneNotationen(canvas, kCreme);
    if (EDQuarne) {
      ZeichneHintergrd(canvas, kGelb, EDNach);
      ZeichneHintergrd(canvas, kLimone, EDSteine);
    }
    ZeichneGitter(canvas);
    ZeichneSteine(canvas, EDZeichneZug, Gegner(EDFarbe));
    if (EDDrag) {
      ZeichneStein(canvas, EDFarbe, UmPunkt(EDPfeilNach, EDGitterX, EDGitterX));
      ZeichnePfeil(canvas, Qt::white, EDPfeilVon, EDPfeilNach);
    } else if (EDQuarne && EDSpielPhase != spSetzen) {
      ZeichnePfeil(canvas, Qt::white, GetPoint(EDVon), GetPoint(EDNach));
    }
  } else {
    const bool setzen = MovesZug_1.BrettNachZug.SpielPhaseZiehend == spSetzen;
    if (Notation) ZeichneNotationen(canvas, kCreme);
    if (setzen) ZeichneHintergrd(canvas, kSilber, MovesZug_1.NachPosition);
    // A stone picked up by keyboard stays on its point, marked, until it is put down.
    if (EDFokus != 0 && EDVon != 0) ZeichneHintergrd(canvas, kGelb, EDVon);
    ZeichneGitter(canvas);
    ZeichneSteine(canvas, MovesZug_1, MovesFarbe_1);
    if (!setzen && MovesZug_1.NachPosition != 0)
      ZeichnePfeil(canvas, kLimone, GetPoint(MovesZug_1.VonPosition),
                   GetPoint(MovesZug_1.NachPosition));
    if (MovesZug_1.ErgibtQuarne) ZeichneKreuz(canvas, kGrau, MovesZug_1.EntfStein);
    if (EDInit && EDMouseOverPB && EDDragAblage && EDSpielPhase == spSetzen)
      ZeichneStein(canvas, EDFarbe, UmPunkt(EDMouseMove, EDGitterX, EDGitterX));
  }
  if (EDFokus != 0) ZeichneFokus(canvas);
  canvas.end();
  Anzeigen();
}

void TBrettClass::ZeichneNewNull(std::optional<QPoint> maus) {
  if (BrettBMP.isNull()) return;
  QPainter canvas(&BrettBMP);
  ZeichneUntergrund(canvas);
  if (Notation) ZeichneNotationen(canvas, kCreme);
  ZeichneGitter(canvas);
  ZeichneSteine(canvas, NewNullZug, NewNullZugFrb);
  if (maus) ZeichneStein(canvas, NewFarbe, UmPunkt(*maus, EDGitterX, EDGitterX));
  canvas.end();
  Anzeigen();
}

bool TBrettClass::AufbauKlick(Punkte maske) {
  return SetzeAufbauStein(NewNullZug.BrettNachZug, NewNullZugFrb, NewFarbe, maske);
}

Steinzahlen TBrettClass::ZaehleAufbau(int gesetztWeiss, int gesetztSchwarz) {
  return ZaehleSteine(NewNullZug.BrettNachZug, NewNullZugFrb, gesetztWeiss, gesetztSchwarz);
}

void TBrettClass::ZeichneBib() {
  if (BrettBMP.isNull()) return;
  QPainter canvas(&BrettBMP);
  ZeichneUntergrund(canvas);
  ZeichneGitter(canvas);
  ZeichneSteine(canvas, BibOpenZug, BibOpenFrb);
  canvas.end();
  Anzeigen();
}

void TBrettClass::ZeichneGitter(QPainter& canvas) const {
  constexpr int kGitterLinien[16][2] = {{1, 3},   {3, 5},  {5, 7},   {7, 1},   {9, 11},  {11, 13},
                                        {13, 15}, {15, 9}, {17, 19}, {19, 21}, {21, 23}, {23, 17},
                                        {2, 18},  {4, 20}, {6, 22},  {8, 24}};
  for (const auto& l : kGitterLinien) ZeichneGitterLinie(canvas, Gitter[l[0]], Gitter[l[1]]);
}

void TBrettClass::ZeichneGitterLinie(QPainter& canvas, const TRect& r1, const TRect& r2) const {
  TRect box;
  if (r1.Left == r2.Left) {
    const TRect& unten = r1.Top > r2.Top ? r1 : r2;
    box = {r1.Left, std::min(r1.Top, r2.Top), r1.Right, unten.Bottom};
  } else {
    const TRect& rechts = r1.Left > r2.Left ? r1 : r2;
    box = {std::min(r1.Left, r2.Left), r1.Top, rechts.Right, r1.Bottom};
  }
  canvas.fillRect(Flaeche(box), Qt::black);
}

void TBrettClass::ZeichneSteine(QPainter& canvas, const TZug& zug, TFarbe farbe) {
  const TBrett& b = zug.BrettNachZug;
  for (int i = 1; i <= kAnzahlPunkte; ++i)
    if (b.SteineZiehend & Punkt(i - 1)) ZeichneStein(canvas, farbe, VorderGrund[i]);
  for (int i = 1; i <= kAnzahlPunkte; ++i)
    if (b.SteineStehend & Punkt(i - 1)) ZeichneStein(canvas, Gegner(farbe), VorderGrund[i]);
}

const QImage& TBrettClass::HolzBild(TFarbe farbe, QSize groesse) {
  const QImage* quelle = farbe == clWeiss ? SteinWeissBMP : SteinSchwarzBMP;
  QImage& bild = holzSkaliert_[farbe];
  if (holzQuelle_[farbe] != quelle || bild.size() != groesse) {
    bild = quelle->scaled(groesse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    holzQuelle_[farbe] = quelle;
  }
  return bild;
}

void TBrettClass::ZeichneStein(QPainter& canvas, TFarbe farbe, const TRect& r) {
  const QImage* holz = farbe == clWeiss ? SteinWeissBMP : SteinSchwarzBMP;
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (w <= 0 || h <= 0) return;
  if (Holz && holz != nullptr && !holz->isNull()) {
    canvas.drawImage(QPoint(r.Left, r.Top), HolzBild(farbe, QSize(w, h)));
    return;
  }
  canvas.save();
  canvas.setRenderHint(QPainter::Antialiasing);
  // Outlines run through the centres of the outermost pixels, as the rectangle's pixels end at
  // Right - 1 and Bottom - 1.
  const auto ellipse = [&canvas](int l, int t, int rr, int b) {
    canvas.drawEllipse(QRectF(l + 0.5, t + 0.5, rr - l - 1, b - t - 1));
  };
  const int c = T(w * 0.05);
  canvas.setPen(QPen(kGrau, 1));
  canvas.setBrush(kGrau);
  ellipse(r.Left + c, r.Top - c, r.Right + c, r.Bottom - c);
  const bool weiss = farbe == clWeiss;
  canvas.setPen(QPen(weiss ? Qt::black : Qt::white, 1));
  canvas.setBrush(weiss ? Qt::white : Qt::black);
  ellipse(r.Left, r.Top, r.Right, r.Bottom);
  const int a = w / 4;
  ellipse(r.Left + a, r.Top + a, r.Right - a, r.Bottom - a);
  canvas.restore();
}

void TBrettClass::ZeichneAblagen(QPainter& canvas, int ausgenommen) {
  const TBrett& b = MovesZug_1.BrettNachZug;
  const bool weissZog = MovesFarbe_1 == clWeiss;
  const int verlorenWeiss =
      std::min(weissZog ? b.VerloreneSteineZiehend : b.VerloreneSteineStehend, 9);
  const int verlorenSchwarz =
      std::min(weissZog ? b.VerloreneSteineStehend : b.VerloreneSteineZiehend, 9);
  for (int i = 1; i <= std::min(EDAblgWeissCnt, 9); ++i)
    if (!(i == ausgenommen && EDFarbe == clWeiss)) ZeichneStein(canvas, clWeiss, AblageWeiss[i]);
  for (int i = 1; i <= std::min(EDAblgSchwarzCnt, 9); ++i)
    if (!(i == ausgenommen && EDFarbe == clSchwarz))
      ZeichneStein(canvas, clSchwarz, AblageSchwarz[i]);
  for (int i = 1; i <= verlorenWeiss; ++i) {
    ZeichneStein(canvas, clWeiss, AblageSchwarz[10 - i]);
    ZeichneKreuzImRahmen(canvas, kGrau, AblageSchwarz[10 - i]);
  }
  for (int i = 1; i <= verlorenSchwarz; ++i) {
    ZeichneStein(canvas, clSchwarz, AblageWeiss[10 - i]);
    ZeichneKreuzImRahmen(canvas, kGrau, AblageWeiss[10 - i]);
  }
}

void TBrettClass::ZeichneNotationen(QPainter& canvas, QColor farbe) const {
  static const char* const kBuchstaben[7] = {"a", "b", "c", "d", "e", "f", "g"};
  static const char* const kZiffern[7] = {"7", "6", "5", "4", "3", "2", "1"};
  canvas.save();
  QFont schrift = canvas.font();
  schrift.setPointSize(kSchriftPunkte);
  canvas.setFont(schrift);
  canvas.setPen(kSilber);
  canvas.setBackground(farbe);
  canvas.setBackgroundMode(Qt::OpaqueMode);
  const QFontMetrics fm = canvas.fontMetrics();
  // The font height as a negative number: y is the top of the text cell.
  const int H = -canvas.fontInfo().pixelSize();
  for (int k = 0; k < 28; ++k) {
    const QString text = QString::fromLatin1(k < 14 ? kBuchstaben[k % 7] : kZiffern[k % 7]);
    const QPoint anker = Raster[k];
    const int x = anker.x() - fm.horizontalAdvance(text) / 2;
    const int y = anker.y() + (k >= 7 && k < 14 ? H : H / 2);
    canvas.drawText(QPoint(x, y + fm.ascent()), text);
  }
  canvas.setBackgroundMode(Qt::TransparentMode);
  canvas.setPen(QPen(Qt::black, 1));
  const int R = CanvasRect.Right, B = CanvasRect.Bottom;
  const QPoint rahmen[5] = {{0, 0}, {R, 0}, {R, B}, {0, B}, {0, 0}};
  canvas.drawPolyline(rahmen, 5);
  canvas.restore();
}

void TBrettClass::ZeichneHintergrd(QPainter& canvas, QColor farbe, Punkte maske) const {
  for (int i = 1; i <= kAnzahlPunkte; ++i)
    if (maske & Punkt(i - 1)) canvas.fillRect(Flaeche(HinterGrund[i]), farbe);
}

void TBrettClass::ZeichneKreuz(QPainter& canvas, QColor farbe, Punkte maske) const {
  maske &= kBrettMaske;
  if (maske != 0) ZeichneKreuzImRahmen(canvas, farbe, VorderGrund[PunktIndex(maske) + 1]);
}

void TBrettClass::ZeichneKreuzImRahmen(QPainter& canvas, QColor farbe, const TRect& r) const {
  const int w = r.Right - r.Left;
  const int a = std::max(T(w * FaktorKreuz), 1);
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  const QPointF ecken[16] = {Mitte(r.Right - a, r.Top),    Mitte(r.Right, r.Top),
                             Mitte(r.Right, r.Top + a),    Mitte(cx + a, cy),
                             Mitte(r.Right, r.Bottom - a), Mitte(r.Right, r.Bottom),
                             Mitte(r.Right - a, r.Bottom), Mitte(cx, cy + a),
                             Mitte(r.Left + a, r.Bottom),  Mitte(r.Left, r.Bottom),
                             Mitte(r.Left, r.Bottom - a),  Mitte(cx - a, cy),
                             Mitte(r.Left, r.Top + a),     Mitte(r.Left, r.Top),
                             Mitte(r.Left + a, r.Top),     Mitte(cx, cy - a)};
  canvas.save();
  canvas.setRenderHint(QPainter::Antialiasing);
  canvas.setPen(QPen(Qt::black, std::max(T(w * 0.05), 1)));
  canvas.setBrush(farbe);
  canvas.drawPolygon(ecken, 16);
  canvas.restore();
}

std::array<QPoint, 8> TBrettClass::PfeilPolygon(QPoint von, QPoint nach) const {
  const TRect& A = QuarneRectA;
  const int g = T(((A.Left + A.Right) / 2 - A.Left) * FaktorGitter);
  const double g2 = static_cast<double>(g) * g;
  const QPoint d = nach - von;
  const QPoint n(-d.y(), d.x());
  // |d|² and |n|² are the same number.
  const double laenge2 = static_cast<double>(d.x()) * d.x() + static_cast<double>(d.y()) * d.y();
  const double k1 = 1.3 * std::sqrt(FaktorPfeilBasis * FaktorPfeilBasis * g2 / laenge2);
  const QPoint H(nach.x() - T(d.x() * k1), nach.y() - T(d.y() * k1));
  const double k2 = std::sqrt(FaktorPfeilQBasis * FaktorPfeilQBasis * g2 / laenge2);
  const double k3 = 1.8 * std::sqrt(g2 / laenge2);
  const QPoint t(T(n.x() * k3), T(n.y() * k3));
  const QPoint kopf(T(n.x() * k2), T(n.y() * k2));

  // A tail point beyond the head's base line is pulled back onto it.
  const auto kreuz = [](QPoint a, QPoint b) {
    return static_cast<double>(a.x()) * b.y() - static_cast<double>(b.x()) * a.y();
  };
  const auto clip = [&](QPoint q) {
    const QPoint w = q - H;
    const double nenner = kreuz(d, n);
    if (nenner == 0) return q;
    const double t1 = kreuz(w, n) / nenner;
    const double t2 = kreuz(d, w) / nenner;
    return t1 > 0 ? H + QPoint(T(n.x() * t2), T(n.y() * t2)) : q;
  };
  return {nach,
          H - kopf,
          H - t,
          clip(von - t),
          clip(von + QPoint(T(d.x() * k3 * 1.5), T(d.y() * k3 * 1.5))),
          clip(von + t),
          H + t,
          H + kopf};
}

void TBrettClass::ZeichnePfeil(QPainter& canvas, QColor farbe, QPoint von, QPoint nach) const {
  if (von == nach) return;
  const std::array<QPoint, 8> p = PfeilPolygon(von, nach);
  QPolygonF polygon;
  for (const QPoint& q : p) polygon << Mitte(q.x(), q.y());
  canvas.save();
  canvas.setRenderHint(QPainter::Antialiasing);
  canvas.setPen(QPen(Qt::black, 1));
  canvas.setBrush(farbe);
  canvas.drawPolygon(polygon);
  canvas.restore();
}

QPoint TBrettClass::GetPoint(Punkte maske) const {
  maske &= kBrettMaske;
  if (maske == 0) return QPoint(-1, -1);
  return GitterPunkte[PunktIndex(maske) + 1];
}

void TBrettClass::SetzeStellung(const TZug& zug, TFarbe letzterZieher, int ablageWeiss,
                                int ablageSchwarz) {
  MovesZug_1 = zug;
  MovesFarbe_1 = letzterZieher;
  EDFarbe = Gegner(letzterZieher);
  EDAblgWeissCnt = ablageWeiss;
  EDAblgSchwarzCnt = ablageSchwarz;
}

void TBrettClass::ZeigeSpiel(const TZug& aktuell, TFarbe letzterZieher, bool personAmZug) {
  // The stones left in each reservoir, from the placed counts of the record's two sides.
  const TBrett& b = aktuell.BrettNachZug;
  const bool weissZog = letzterZieher == clWeiss;
  SetzeStellung(aktuell, letzterZieher,
                kMaxSteine - (weissZog ? b.GesetzteSteineZiehend : b.GesetzteSteineStehend),
                kMaxSteine - (weissZog ? b.GesetzteSteineStehend : b.GesetzteSteineZiehend));
  if (!personAmZug || PruefeSpielende(aktuell).Vorbei()) {
    EDBlock = true;
    SetzeZugZurueck();
  } else {
    EDBlock = false;
    if (!EDInit) StarteEdition();
  }
  ZeichneZug();
}

void TBrettClass::StarteEdition() {
  if (EDBlock || EDInit) return;
  assert(Spiel != nullptr);
  EDZug_1 = Spiel->AktuellerZug();
  EDQuarne = false;
  EDInit = true;
  EDDrag = false;
  EDFarbe = Spiel->FarbeAmZug();
  EDZugNr = Spiel->AktZugNr();
  EDDragAblgNr = 0;
  EDDragAblage = false;
  Spiel->LegaleZuege(EDZug_1, EDZugNr, EDFarbe, EDZugAuswahl);
  EDZugAuswahl.STSpieler = Spiel->ComputerFarbe() == EDFarbe ? csComputer : csHuman;
  // Mills are listed once per removable stone, so the removed stones of the list are exactly
  // the stones a mill may take.
  EDSteine = 0;
  for (int i = 1; i <= EDZugAuswahl.ZuegeAnzahl; ++i) EDSteine |= EDZugAuswahl.Zuege[i].EntfStein;
  // The record is seen from the last mover: the side to move is its Stehend side.
  TBrett& b = EDZug_1.BrettNachZug;
  b.SpielPhaseStehend =
      NeuePhase(b.SpielPhaseStehend, b.GesetzteSteineStehend, b.SteineAnzahlStehend);
  EDSpielPhase = b.SpielPhaseStehend;
  EDVon = 0;
  EDNach = 0;
  EDEntf = 0;
  EDZeichneZug = EDZug_1;
}

void TBrettClass::SetzeZugZurueck() {
  EDZeichneZug = EDZug_1;
  EDQuarne = false;
  EDDrag = false;
  EDVon = 0;
  EDNach = 0;
  EDEntf = 0;
  EDDragAblage = false;
  EDDragAblgNr = 0;
  ZeichneZug();
}

void TBrettClass::SetzeSchliessendenStein() {
  TBrett& b = EDZeichneZug.BrettNachZug;
  b.SteineStehend |= EDNach;
  b.AlleSteine = b.SteineStehend | b.SteineZiehend;
  EDQuarne = true;
}

void TBrettClass::Ausfuehren(int i) {
  // The game redraws and rebuilds the input state inside FuehreZugAus, which overwrites the
  // list the move comes from.
  const TZug vorDemZug = EDZugAuswahl.VorDemZug;
  const TZug zug = EDZugAuswahl.Zuege[i];
  const int zugNr = Spiel->AktZugNr();
  Spiel->FuehreZugAus(vorDemZug, zug, EDZugAuswahl.STSpieler);
  // A refused move leaves the position as it was; the lifted or added stone must not linger
  // in the picture of the next entry.
  if (Spiel->AktZugNr() == zugNr) SetzeZugZurueck();
}

void TBrettClass::BCMouseDown(int X, int Y, bool AusAblage) {
  assert(Spiel != nullptr);
  if (EDBlock || !EDInit) {
    Spiel->Beep();
    return;
  }
  const QPoint maus(X, Y);
  if (!AusAblage && EDSpielPhase == spSetzen && !EDQuarne) {
    EDDragAblgNr = AblagePosition(maus);
    if (EDDragAblgNr > 0) return;
  }
  const BrettTreffer t = BrettPosition(maus);
  if (t.punkt == 0) {
    if (!EDQuarne) SetzeZugZurueck();
    return;
  }
  if (EDQuarne) {
    if (t.maske == EDNach) {
      SetzeZugZurueck();
      return;
    }
    EDEntf = t.maske;
    const int i = IstZugInAuswahl(EDVon, EDNach, t.maske);
    if (i == 0) return;
    Ausfuehren(i);
    EDQuarne = false;
    EDDragAblage = false;
    EDDragAblgNr = 0;
    Spiel->AktualisiereSpiel();
    return;
  }
  if (EDSpielPhase == spSetzen) {
    const int i = IstZugInAuswahl(0, t.maske, 0);
    if (i == 0) {
      SetzeZugZurueck();
      return;
    }
    EDVon = 0;
    EDNach = t.maske;
    if (EDZugAuswahl.Zuege[i].ErgibtQuarne)
      SetzeSchliessendenStein();
    else
      Ausfuehren(i);
    Spiel->AktualisiereSpiel();
    return;
  }
  if (IstZugInAuswahl(t.maske, 0, 0) == 0) {
    SetzeZugZurueck();
    return;
  }
  EDVon = t.maske;
  EDDrag = false;
  EDPfeilVon = GetPoint(t.maske);
  Spiel->AktualisiereSpiel();
}

void TBrettClass::BCMouseMove(int X, int Y) {
  if (EDBlock || !EDInit || EDQuarne) return;
  if (EDVon != 0) {
    TBrett& b = EDZeichneZug.BrettNachZug;
    b.SteineStehend &= ~EDVon;
    b.AlleSteine = b.SteineStehend | b.SteineZiehend;
    EDDrag = true;
    EDPfeilNach = QPoint(X, Y);
    ZeichneZug();
  } else if (EDDragAblgNr > 0) {
    EDDragAblage = true;
    ZeichneZug();
  }
}

void TBrettClass::BCMouseUP(int X, int Y) {
  if (EDBlock || !EDInit || EDQuarne) return;
  const BrettTreffer t = BrettPosition(QPoint(X, Y));
  if (t.punkt == 0) {
    SetzeZugZurueck();
    return;
  }
  if (EDDragAblage) {
    BCMouseDown(X, Y, true);
    return;
  }
  if (!EDDrag) return;
  EDDrag = false;
  EDNach = t.maske;
  EDPfeilNach = GetPoint(t.maske);
  const int i = IstZugInAuswahl(EDVon, EDNach, 0);
  if (i == 0) {
    SetzeZugZurueck();
    return;
  }
  if (EDZugAuswahl.Zuege[i].ErgibtQuarne)
    SetzeSchliessendenStein();
  else
    Ausfuehren(i);
  Spiel->AktualisiereSpiel();
}

int TBrettClass::IstZugInAuswahl(Punkte von, Punkte nach, Punkte entf) const {
  if (von == 0 && nach == 0) return 0;
  for (int i = 1; i <= EDZugAuswahl.ZuegeAnzahl; ++i) {
    const TZug& z = EDZugAuswahl.Zuege[i];
    if (von != 0 && z.VonPosition != von) continue;
    if (nach != 0 && z.NachPosition != nach) continue;
    if (nach != 0 && entf != 0 && z.EntfStein != entf) continue;
    return i;
  }
  return 0;
}

BrettTreffer TBrettClass::BrettPosition(QPoint p) const {
  for (int i = 1; i <= kAnzahlPunkte; ++i)
    if (HinterGrund[i].Enthaelt(p)) return {i, Punkt(i - 1)};
  return {};
}

int TBrettClass::AblagePosition(QPoint p) const {
  const bool weiss = EDFarbe == clWeiss;
  const int anzahl = std::min(weiss ? EDAblgWeissCnt : EDAblgSchwarzCnt, 9);
  for (int k = 1; k <= anzahl; ++k)
    if ((weiss ? AblageWeiss[k] : AblageSchwarz[k]).Enthaelt(p)) return k;
  return 0;
}

}  // namespace quarne
