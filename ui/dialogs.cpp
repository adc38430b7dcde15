#include "ui/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

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

// A browser the desktop's opener would start for a web page: one named by the user, the
// system's default browser, or the desktop's handler of HTML files.
bool BrowserBekannt() {
  if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
  if (!QStandardPaths::findExecutable("x-www-browser").isEmpty()) return true;
  const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
  if (xdgMime.isEmpty()) return false;
  QProcess abfrage;
  abfrage.start(xdgMime, {"query", "default", "text/html"});
  return abfrage.waitForFinished(5000) && !abfrage.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

void QtDialoge::ShowMessagePos(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, eltern_);
  ZentriereAufBildschirm(box);
  box.exec();
}

std::unique_ptr<QMessageBox> FrageBox(const QString& text, QWidget* eltern) {
  auto box =
      std::make_unique<QMessageBox>(QMessageBox::Warning, QApplication::applicationDisplayName(),
                                    text, QMessageBox::Yes | QMessageBox::No, eltern);
  box->button(QMessageBox::Yes)->setText("Ja");
  box->button(QMessageBox::No)->setText("Nein");
  box->setDefaultButton(QMessageBox::No);
  box->setEscapeButton(QMessageBox::No);
  return box;
}

bool QtDialoge::Frage(const QString& text) {
  const std::unique_ptr<QMessageBox> box = FrageBox(text, eltern_);
  ZentriereAufBildschirm(*box);
  return box->exec() == QMessageBox::Yes;
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

std::unique_ptr<QFileDialog> SpeicherDialog(const QString& filter, const QString& vorschlag,
                                            const QString& endung, QWidget* eltern) {
  const QFileInfo datei(vorschlag);
  auto d = std::make_unique<QFileDialog>(eltern, QString(), datei.absolutePath(), filter);
  d->setAcceptMode(QFileDialog::AcceptSave);
  d->setFileMode(QFileDialog::AnyFile);
  d->setDefaultSuffix(endung);
  d->selectFile(datei.fileName());
  return d;
}

QString QtDialoge::SpeichereDatei(const QString& filter, const QString& vorschlag,
                                  const QString& endung) {
  const std::unique_ptr<QFileDialog> d = SpeicherDialog(filter, vorschlag, endung, eltern_);
  return d->exec() == QDialog::Accepted ? d->selectedFiles().value(0) : QString();
}

bool QtDialoge::OeffneSeite(const QString& datei) {
  // The desktop's opener starts even where no browser is registered, and then shows nothing;
  // only a known browser counts.
  if (!BrowserBekannt()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(datei));
}

}  // namespace quarne
