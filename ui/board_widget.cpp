#include "ui/board_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ui/board_view.h"

namespace quarne {

BrettWidget::BrettWidget(TBrettClass& brett, Ansicht ansicht, const QString& name, QWidget* parent)
    : QWidget(parent), brett_(&brett), ansicht_(ansicht) {
  setObjectName(name);
  // The reservoir stone follows the mouse before any button is pressed.
  setMouseTracking(true);
  // The image covers every pixel; nothing needs to be cleared first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  brett.SetzePaintBox(this);
  // The main board is played by keyboard as well: Tab reaches it, a click gives it the keys.
  if (ansicht == Ansicht::Spiel) setFocusPolicy(Qt::StrongFocus);
}

void BrettWidget::Zeichne() {
  switch (ansicht_) {
    case Ansicht::Spiel:
      brett_->ZeichneZug();
      break;
    case Ansicht::Stellung:
      brett_->ZeichneNewNull();
      break;
    case Ansicht::Bibliothek:
      brett_->ZeichneBib();
      break;
  }
}

void BrettWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, brett_->Bild());
}

void BrettWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (ansicht_ != Ansicht::Spiel) {
    emit Gedrueckt(pos, event->button());
    return;
  }
  if (event->button() == Qt::LeftButton) brett_->BCMouseDown(pos.x(), pos.y(), false);
}

void BrettWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (ansicht_ == Ansicht::Stellung) brett_->ZeichneNewNull(pos);
  if (ansicht_ != Ansicht::Spiel) return;
  brett_->SetzeMaus(pos);
  if (event->buttons() & Qt::LeftButton) brett_->BCMouseMove(pos.x(), pos.y());
  brett_->ZeichneZug();
}

void BrettWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (ansicht_ != Ansicht::Spiel) return;
  const QPoint pos = event->position().toPoint();
  brett_->BCMouseUP(pos.x(), pos.y());
}

void BrettWidget::leaveEvent(QEvent*) {
  if (ansicht_ == Ansicht::Stellung) brett_->ZeichneNewNull();
  if (ansicht_ != Ansicht::Spiel) return;
  brett_->SetzeMaus(std::nullopt);
  brett_->ZeichneZug();
}

void BrettWidget::keyPressEvent(QKeyEvent* event) {
  if (ansicht_ != Ansicht::Spiel) {
    QWidget::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Left:
      brett_->FokusBewegen(-1, 0);
      break;
    case Qt::Key_Right:
      brett_->FokusBewegen(1, 0);
      break;
    case Qt::Key_Up:
      brett_->FokusBewegen(0, -1);
      break;
    case Qt::Key_Down:
      brett_->FokusBewegen(0, 1);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (brett_->Eingabe().EDFokus == 0) brett_->FokusBewegen(0, 0);
      brett_->FokusWaehlen();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void BrettWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // Only a keyboard's arrival shows the ring; a click plays with the mouse.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
    brett_->FokusBewegen(0, 0);
}

void BrettWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (ansicht_ != Ansicht::Spiel || brett_->Eingabe().EDFokus == 0) return;
  brett_->SetzeFokus(0);
  brett_->ZeichneZug();
}

void BrettWidget::resizeEvent(QResizeEvent* event) {
  brett_->SetzeFlaeche(event->size().width(), event->size().height());
  Zeichne();
}

}  // namespace quarne
