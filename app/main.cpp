// quarne: the window program.
#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Names the user's data folder (~/.local/share/Tarvolin) where an installed copy keeps its
  // files.
  QApplication::setApplicationName("Tarvolin");
  QApplication::setApplicationDisplayName("Tarvolin 2.5.2");
  quarne::TQuarneForm form;
  form.SetzeArgumente(QApplication::arguments().mid(1));
  form.show();
  return QApplication::exec();
}
