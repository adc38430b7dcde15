#include "ui/ini_form.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/design.h"

namespace quarne {

TIniForm::TIniForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
  setObjectName("IniForm");
  setWindowTitle("Tarvolin 2.5.2");
  setFixedSize(D(455), D(80));
  LabelI = new QLabel("...", this);
  LabelI->setObjectName("LabelI");
  QFont schrift("Tahoma");
  schrift.setBold(true);
  LabelI->setFont(schrift);
  LabelI->setAlignment(Qt::AlignCenter);
  auto* l = new QVBoxLayout(this);
  l->addWidget(LabelI);
}

void TIniForm::Zeige(const QString& text) {
  LabelI->setText(text);
  if (const QScreen* s = screen()) {
    QRect r = frameGeometry();
    r.moveCenter(s->availableGeometry().center());
    move(r.topLeft());
  }
  show();
  QApplication::processEvents();
}

}  // namespace quarne
