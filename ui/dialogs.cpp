#include "ui/dialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace quarne {
namespace {

void ZentriereAufBildschirm(QMessageBox& box) {
  box.adjustSize();
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    QRect r = box.frameGeometry();
    r.moveCenter(s->availableGeometry().center());
    box.move(r.topLeft());
  }
}

}  // namespace

void QtDialoge::ShowMessagePos(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, eltern_);
  ZentriereAufBildschirm(box);
  box.exec();
}

bool QtDialoge::Frage(const QString& text) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text,
                  QMessageBox::Yes | QMessageBox::No, eltern_);
  box.button(QMessageBox::Yes)->setText("Ja");
  box.button(QMessageBox::No)->setText("Nein");
  ZentriereAufBildschirm(box);
  return box.exec() == QMessageBox::Yes;
}

void QtDialoge::Beep() {
  QApplication::beep();
}

}  // namespace quarne
