// The window of an installed copy: this program runs from the installed bin folder
// (installed_copy.cmake copies it there), gets the installed data folder as its argument, and has
// HOME and the XDG folders in a scratch folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>

#include "tests/ui/scripted_dialogs.h"
#include "ui/help_page.h"
#include "ui/main_window.h"
#include "ui/program_files.h"

namespace quarne {
namespace {

QString installiert;  // the installed data folder

QByteArray Lies(const QString& pfad) {
  QFile f(pfad);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(InstallierteKopie, FensterFindetSeineDateien) {
  const QDir bin(QCoreApplication::applicationDirPath());
  const QString daten = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  ASSERT_EQ(daten, QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath("Tarvolin"));

  test::SkriptDialoge dialoge;
  TQuarneForm form(&dialoge);
  form.SetzeProzessoren(2);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  for (const char* bild : {"ImageSteinW", "ImageSteinS"})
    EXPECT_FALSE(form.findChild<QLabel*>(bild)->pixmap().isNull()) << bild;
  // The shipped library has levels 0 to 4.
  for (int L = 0; L <= 4; ++L) ASSERT_GT(form.Bibliothek()[L].BibCnt(), 0) << "Stufe " << L;
  EXPECT_TRUE(dialoge.nachrichten.isEmpty()) << dialoge.nachrichten.join('\n').toStdString();

  // The working library is the user's copy of the installed one, writable although the
  // installed file may not be.
  const QString kopie = QDir(daten).filePath("Bibliothek5.bib");
  EXPECT_EQ(Lies(kopie), Lies(QDir(installiert).filePath("Bibliothek5.bib")));
  EXPECT_TRUE(QFile::permissions(kopie) & QFile::WriteOwner);

  // The computer's first move comes from the installed library: no search runs.
  form.findChild<QGroupBox*>("AutoGroup")->findChildren<QRadioButton*>().value(0)->click();
  form.findChild<QSpinBox*>("TiefeSE1")->setValue(12);
  form.findChild<QPushButton*>("WechselBut")->click();
  form.findChild<QPushButton*>("DenkeBut")->click();
  ASSERT_EQ(form.Spiel().LetzterZugNr(), 1);
  EXPECT_EQ(form.findChild<QLineEdit*>("BerZuegeEd")->text(), "0");

  // Saving a game ("Spiel speichern..."): the dialog starts in the user's documents;
  // installed_copy.cmake reads the file back with the installed quarne-cli.
  const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  ASSERT_TRUE(QDir().mkpath(dokumente));
  dialoge.dateien = {QDir(dokumente).filePath("partie.ml")};
  form.findChild<QPushButton*>("SaveButn")->click();
  ASSERT_EQ(dialoge.dateiDialoge.size(), 1);
  EXPECT_TRUE(dialoge.dateiDialoge[0].startsWith("Quarne Datei (*.ml) " + dokumente + "/Partie "))
      << dialoge.dateiDialoge[0].toStdString();
  EXPECT_TRUE(QFile::exists(QDir(dokumente).filePath("partie.ml")));
  EXPECT_TRUE(dialoge.nachrichten.isEmpty()) << dialoge.nachrichten.join('\n').toStdString();

  const ProgrammDateien dateien;
  EXPECT_EQ(dateien.Ordner(), daten);
  EXPECT_EQ(dateien.Installiert("Sicherung5.bib"), QDir(installiert).filePath("Sicherung5.bib"));
  // The browser opens the installed pages themselves.
  for (const QString seite : {"hilfe.html", "ueber.html"}) {
    EXPECT_EQ(MitgelieferteSeite(seite), QDir(installiert).filePath(seite));
    EXPECT_TRUE(QFile::exists(MitgelieferteSeite(seite)));
  }
  form.close();
  // The bin folder, writable here, stays as installed.
  EXPECT_EQ(bin.entryList({"*.bib", "*.ml", "schreibprobe-*"}, QDir::Files), QStringList());
}

}  // namespace
}  // namespace quarne

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // As the window program names itself, which names the user's data folder.
  QApplication::setApplicationName("Tarvolin");
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: %s <installierter Datenordner>\n", argv[0]);
    return 2;
  }
  quarne::installiert = QDir::cleanPath(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
  return RUN_ALL_TESTS();
}
