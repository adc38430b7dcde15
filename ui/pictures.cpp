#include "ui/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace quarne {
namespace {

// A square, transparent picture to paint on.
QPixmap Leinwand(int seite) {
  QPixmap bild(seite, seite);
  bild.fill(Qt::transparent);
  return bild;
}

QPixmap StopQuadrat(int seite, const QColor& rand, const QColor& fuellung) {
  QPixmap bild = Leinwand(seite);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = seite;
  p.setPen(QPen(rand, s * 0.06));
  p.setBrush(fuellung);
  p.drawRoundedRect(QRectF(s * 0.18, s * 0.18, s * 0.64, s * 0.64), s * 0.1, s * 0.1);
  return bild;
}

}  // namespace

QPixmap HintergrundBild(QSize groesse) {
  QPixmap bild(groesse);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  // Warm light wood: a soft vertical gradient with a few faint grain lines.
  QLinearGradient verlauf(0, 0, 0, groesse.height());
  verlauf.setColorAt(0, QColor(236, 214, 176));
  verlauf.setColorAt(1, QColor(214, 182, 136));
  p.fillRect(bild.rect(), verlauf);
  for (int i = 0; i < 28; ++i) {
    const double y = groesse.height() * (i + 0.5) / 28.0;
    QPainterPath maserung;
    maserung.moveTo(0, y);
    for (int x = 0; x <= groesse.width(); x += 40)
      maserung.lineTo(x, y + 3.0 * std::sin(x / 90.0 + i * 1.7) + 1.5 * std::sin(x / 23.0 + i));
    p.setPen(QPen(QColor(160, 120, 70, 22 + (i * 7) % 18), 1.2));
    p.drawPath(maserung);
  }
  return bild;
}

QPixmap SpielerBild(int seite, const QColor& farbe) {
  QPixmap bild = Leinwand(seite);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = seite;
  QRadialGradient licht(s * 0.4, s * 0.3, s * 0.8);
  licht.setColorAt(0, farbe.lighter(140));
  licht.setColorAt(1, farbe.darker(130));
  p.setPen(QPen(farbe.darker(200), s * 0.03));
  p.setBrush(licht);
  // Head and shoulders.
  p.drawEllipse(QRectF(s * 0.32, s * 0.08, s * 0.36, s * 0.38));
  QPainterPath schultern;
  schultern.moveTo(s * 0.1, s * 0.95);
  schultern.cubicTo(s * 0.1, s * 0.55, s * 0.9, s * 0.55, s * 0.9, s * 0.95);
  schultern.closeSubpath();
  p.drawPath(schultern);
  return bild;
}

QPixmap ComputerBild(int seite) {
  QPixmap bild = Leinwand(seite);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = seite;
  // A screen on a stand, the screen showing a tiny board.
  p.setPen(QPen(QColor(40, 40, 48), s * 0.03));
  QLinearGradient gehaeuse(0, 0, 0, s);
  gehaeuse.setColorAt(0, QColor(120, 124, 136));
  gehaeuse.setColorAt(1, QColor(70, 72, 82));
  p.setBrush(gehaeuse);
  p.drawRoundedRect(QRectF(s * 0.06, s * 0.08, s * 0.88, s * 0.62), s * 0.06, s * 0.06);
  p.drawRect(QRectF(s * 0.42, s * 0.70, s * 0.16, s * 0.12));
  p.drawRoundedRect(QRectF(s * 0.24, s * 0.82, s * 0.52, s * 0.08), s * 0.03, s * 0.03);
  const QRectF schirm(s * 0.13, s * 0.14, s * 0.74, s * 0.50);
  QLinearGradient glas(schirm.topLeft(), schirm.bottomRight());
  glas.setColorAt(0, QColor(60, 110, 170));
  glas.setColorAt(1, QColor(20, 50, 100));
  p.setBrush(glas);
  p.drawRect(schirm);
  p.setPen(QPen(QColor(230, 236, 245), s * 0.015));
  p.setBrush(Qt::NoBrush);
  const QPointF m = schirm.center();
  for (double f : {0.40, 0.26, 0.12}) {
    const double hx = schirm.width() * f * 0.62, hy = schirm.height() * f * 0.92;
    p.drawRect(QRectF(m.x() - hx, m.y() - hy, 2 * hx, 2 * hy));
  }
  p.drawLine(QPointF(m.x(), m.y() - schirm.height() * 0.37),
             QPointF(m.x(), m.y() - schirm.height() * 0.11));
  p.drawLine(QPointF(m.x(), m.y() + schirm.height() * 0.11),
             QPointF(m.x(), m.y() + schirm.height() * 0.37));
  return bild;
}

QIcon StopSymbol(int seite) {
  QIcon symbol(StopQuadrat(seite, QColor(120, 10, 10), QColor(210, 30, 30)));
  symbol.addPixmap(StopQuadrat(seite, QColor(130, 130, 130), QColor(180, 180, 180)),
                   QIcon::Disabled);
  return symbol;
}

}  // namespace quarne
