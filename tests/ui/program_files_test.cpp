#include "ui/program_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/help_page.h"

namespace quarne {
namespace {

void Schreibe(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

QByteArray Lies(const QString& pfad) {
  QFile f(pfad);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The test mode's data folder lies in the home folder; each test gets a home of its own, so
// that tests running at the same time do not clear each other's files.
struct EigenesHeim {
  QTemporaryDir heim;
  QByteArray vorher = qgetenv("HOME");
  EigenesHeim() {
    qputenv("HOME", heim.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
  }
  ~EigenesHeim() { qputenv("HOME", vorher); }
};

TEST(ProgrammDateien, NebenDemProgrammOderImDatenordner) {
  const EigenesHeim heim;
  QTemporaryDir programm;
  ASSERT_TRUE(programm.isValid());
  Schreibe(programm.filePath("Bibliothek5.bib"), "installiert");
  Schreibe(programm.filePath("Sicherung5.bib"), "sicherung");
  EXPECT_TRUE(ProgrammDateien::OrdnerBeschreibbar(programm.path()));
  // The probe leaves nothing behind.
  EXPECT_EQ(QDir(programm.path()).entryList(QDir::Files).size(), 2);
  EXPECT_FALSE(ProgrammDateien::OrdnerBeschreibbar("/proc"));

  // A writable program folder keeps the files itself, as the build tree does.
  for (const ProgrammDateien& nebenan :
       {ProgrammDateien(programm.path(), true), ProgrammDateien(programm.path())}) {
    EXPECT_EQ(nebenan.Datei("Bibliothek5.bib"), programm.filePath("Bibliothek5.bib"));
    EXPECT_EQ(nebenan.DialogOrdner(), programm.path());
  }

  // An installed copy: the data folder, seeded once from the installed file, never overwritten.
  const QString daten = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir(daten).removeRecursively();
  const ProgrammDateien frisch(programm.path(), false);
  EXPECT_EQ(frisch.Ordner(), daten);
  // The file dialogs start where the user keeps documents, or at home on an account without a
  // documents folder.
  const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  ASSERT_TRUE(dokumente.startsWith(heim.heim.path())) << dokumente.toStdString();
  QDir(dokumente).removeRecursively();
  EXPECT_EQ(frisch.DialogOrdner(), QDir::homePath());
  ASSERT_TRUE(QDir().mkpath(dokumente));
  EXPECT_EQ(frisch.DialogOrdner(), dokumente);
  const QString bib = frisch.Datei("Bibliothek5.bib");
  EXPECT_EQ(bib, QDir(daten).filePath("Bibliothek5.bib"));
  EXPECT_EQ(Lies(bib), "installiert");
  Schreibe(bib, "eigene");
  EXPECT_EQ(Lies(frisch.Datei("Bibliothek5.bib")), "eigene");
  EXPECT_EQ(Lies(programm.filePath("Bibliothek5.bib")), "installiert");
  // A file with no installed copy is simply a path in the data folder; a read-only file is read
  // where it was installed.
  EXPECT_FALSE(QFile::exists(frisch.Datei("Autosave.bib")));
  EXPECT_EQ(frisch.Installiert("Sicherung5.bib"), programm.filePath("Sicherung5.bib"));
  QDir(daten).removeRecursively();
}

// An installed tree: the programs in bin/, their shipped files in the data folder beside it.
TEST(ProgrammDateien, InstallierterBaum) {
  const EigenesHeim heim;
  QTemporaryDir praefix;
  ASSERT_TRUE(praefix.isValid());
  const QString bin = praefix.filePath("bin");
  const QDir installiert(ProgrammDateien::DatenOrdner(bin));
  ASSERT_TRUE(installiert.mkpath("."));
  ASSERT_TRUE(QDir(bin).mkpath("."));
  EXPECT_TRUE(installiert.absolutePath().startsWith(praefix.path() + "/"));
  Schreibe(installiert.filePath("Bibliothek5.bib"), "installiert");
  Schreibe(installiert.filePath("Sicherung5.bib"), "sicherung");
  QFile::setPermissions(installiert.filePath("Bibliothek5.bib"), QFile::ReadOwner);

  const QString daten = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const auto pruefe = [&](const ProgrammDateien& dateien) {
    EXPECT_EQ(dateien.Ordner(), daten);
    EXPECT_EQ(dateien.Installiert("Sicherung5.bib"), installiert.filePath("Sicherung5.bib"));
    const QString bib = dateien.Datei("Bibliothek5.bib");
    EXPECT_EQ(bib, QDir(daten).filePath("Bibliothek5.bib"));
    EXPECT_EQ(Lies(bib), "installiert");
    EXPECT_TRUE(QFile::permissions(bib) & QFile::WriteOwner);
    QDir(daten).removeRecursively();
  };
  QDir(daten).removeRecursively();
  // Also when bin/ can be written (root, or a prefix in the user's home), the files are kept in
  // the data folder.
  pruefe(ProgrammDateien(bin));
  pruefe(ProgrammDateien(bin, false));
  EXPECT_TRUE(QDir(bin).isEmpty());
}

// In the build tree the pages exist only inside the program.
TEST(MitgelieferteSeite, OhneInstallationEineKopieDerEingebauten) {
  for (const QString seite : {"hilfe.html", "ueber.html"}) {
    const QString pfad = MitgelieferteSeite(seite);
    EXPECT_FALSE(pfad.startsWith(":"));
    EXPECT_FALSE(Lies(pfad).isEmpty());
    EXPECT_EQ(Lies(pfad), Lies(":/seiten/" + seite));
  }
}

}  // namespace
}  // namespace quarne
