#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
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

QString QtDialoge::OeffneDatei(const QString& filter, const QString& ordner) {
  QFileDialog d(eltern_, QString(), ordner, filter);
  d.setAcceptMode(QFileDialog::AcceptOpen);
  d.setFileMode(QFileDialog::ExistingFile);
  return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
}

QString QtDialoge::SpeichereDatei(const QString& filter, const QString& ordner,
                                  const QString& endung) {
  QFileDialog d(eltern_, QString(), ordner, filter);
  d.setAcceptMode(QFileDialog::AcceptSave);
  d.setFileMode(QFileDialog::AnyFile);
  d.setDefaultSuffix(endung);
  return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
}

}  // namespace quarne
