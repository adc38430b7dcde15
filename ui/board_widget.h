// The paint box of a board view: shows the view's image and hands the mouse to it.
#pragma once

#include <QWidget>

namespace quarne {

class TBrettClass;

class BrettWidget : public QWidget {
  Q_OBJECT

 public:
  // Which picture the box shows: the game (with move input), the setup board or the library
  // preview.
  enum class Ansicht { Spiel, Stellung, Bibliothek };

  BrettWidget(TBrettClass& brett, Ansicht ansicht, const QString& name, QWidget* parent = nullptr);
  // The view it shows.
  TBrettClass& Brett() const { return *brett_; }

 signals:
  // A button pressed on a board without move input (the setup board takes its clicks here).
  void Gedrueckt(QPoint pos, Qt::MouseButton taste);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Zeichne();

  TBrettClass* brett_;
  Ansicht ansicht_;
};

}  // namespace quarne
