// A shipped page (help, about) in a window of the program, for a desktop that has no browser to
// show it.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace quarne {

class SeitenFenster final : public QDialog {
 public:
  explicit SeitenFenster(QWidget* parent = nullptr);

  // Shows the page built into the program, "hilfe.html" or "ueber.html", and its title in the
  // window's caption; the window stays open beside the main window.
  void Zeige(const QString& seite);

  QTextBrowser* Text = nullptr;
};

}  // namespace quarne
