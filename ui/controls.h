// Controls are found by their object names (tests, style sheets), so each is born with one; the
// helpers here make the kinds the tabs share.
#pragma once

#include <QPalette>
#include <QWidget>
#include <utility>

class QAction;
class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace quarne {

template <class W, class... A>
W* Neu(QWidget* eltern, const char* name, A&&... args) {
  W* w = new W(std::forward<A>(args)..., eltern);
  w->setObjectName(name);
  return w;
}

// One colour of a control's palette: its background by default, its text with WindowText.
void SetzeFarbe(QWidget* w, const QColor& farbe, QPalette::ColorRole rolle = QPalette::Window);
void SetzeFett(QWidget* w);

QCheckBox* Schalter(QWidget* eltern, const char* name, const QString& text, bool an,
                    bool fett = false);
QSpinBox* Zahl(QWidget* eltern, const char* name, int min, int max, int wert);
// A read-only field for a figure, "---" until there is one.
QLineEdit* Anzeigefeld(QWidget* eltern, const char* name);
// "Neues Spiel (Strg+N)": a caption with its key, in the words of the user's desktop.
QString MitTaste(const QString& text, const QAction* taste);
// A panel filled with its own colour.
QWidget* FarbPanel(QWidget* eltern, const char* name, const QColor& farbe);

}  // namespace quarne
