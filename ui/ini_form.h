// The small start-up window: it names the slow step of starting or closing (reading or writing
// the opening library) while the main window waits.
#pragma once

#include <QDialog>

class QLabel;

namespace quarne {

class TIniForm final : public QDialog {
 public:
  explicit TIniForm(QWidget* parent = nullptr);

  QLabel* LabelI = nullptr;

  // Shows text in the centre of the screen and lets it be painted before the slow step.
  void Zeige(const QString& text);
};

}  // namespace quarne
