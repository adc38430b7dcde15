// quarne: the window program.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Names the user's data folder (~/.local/share/Tarvolin) where an installed copy keeps its
  // files.
  QApplication::setApplicationName("Tarvolin");
  QApplication::setApplicationDisplayName("Tarvolin 2.5.2");
  // The desktop matches the window to its menu entry and shows the program's icon.
  QApplication::setDesktopFileName("tarvolin");
  QApplication::setWindowIcon(QIcon(":/symbol/tarvolin.png"));
  // Qt's own dialogs (file dialogs, their buttons) speak German like the rest of the window.
  QTranslator qtTexte;
  if (qtTexte.load(QLocale(QLocale::German), "qtbase", "_",
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexte);
  quarne::TQuarneForm form;
  // The user's choices from the last run, in the desktop's configuration folder
  // (~/.config/Tarvolin/Tarvolin.conf).
  form.SetzeNutzerEinstellungen(std::make_unique<QSettings>(
      QSettings::NativeFormat, QSettings::UserScope, "Tarvolin", "Tarvolin"));
  form.SetzeArgumente(QApplication::arguments().mid(1));
  form.show();
  return QApplication::exec();
}
