#include "ui/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QSpinBox>

namespace quarne {

void SetzeFarbe(QWidget* w, const QColor& farbe, QPalette::ColorRole rolle) {
  QPalette p = w->palette();
  p.setColor(rolle, farbe);
  w->setPalette(p);
}

void SetzeFett(QWidget* w) {
  QFont f = w->font();
  f.setBold(true);
  w->setFont(f);
}

QCheckBox* Schalter(QWidget* eltern, const char* name, const QString& text, bool an, bool fett) {
  auto* c = Neu<QCheckBox>(eltern, name, text);
  c->setChecked(an);
  if (fett) SetzeFett(c);
  return c;
}

QSpinBox* Zahl(QWidget* eltern, const char* name, int min, int max, int wert) {
  auto* s = Neu<QSpinBox>(eltern, name);
  s->setRange(min, max);
  s->setValue(wert);
  return s;
}

QLineEdit* Anzeigefeld(QWidget* eltern, const char* name) {
  auto* e = Neu<QLineEdit>(eltern, name);
  e->setReadOnly(true);
  e->setText("---");
  e->setFocusPolicy(Qt::NoFocus);
  return e;
}

QWidget* FarbPanel(QWidget* eltern, const char* name, const QColor& farbe) {
  QWidget* p = Neu<QWidget>(eltern, name);
  p->setAutoFillBackground(true);
  SetzeFarbe(p, farbe);
  return p;
}

QString MitTaste(const QString& text, const QAction* taste) {
  return text + " (" + taste->shortcut().toString(QKeySequence::NativeText) + ")";
}

}  // namespace quarne
