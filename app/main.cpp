// quarne: the window program.
#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Tarvolin 2.5.2");
  quarne::TQuarneForm form;
  form.show();
  return QApplication::exec();
}
