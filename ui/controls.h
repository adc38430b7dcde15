// Controls are found by their object names (tests, style sheets), so each is born with one.
#pragma once

#include <QWidget>
#include <utility>

namespace quarne {

template <class W, class... A>
W* Neu(QWidget* eltern, const char* name, A&&... args) {
  W* w = new W(std::forward<A>(args)..., eltern);
  w->setObjectName(name);
  return w;
}

}  // namespace quarne
