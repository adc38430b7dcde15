// A walk through the window for screenshots: the start position, a game played with the mouse
// into the moving phase, the evaluation table, the options after a "Quarne Score", the dump of
// the parallel search's cell tree, a mill awaiting its removal, a position on the setup tab,
// the game of before loaded from its file, and the library tab of the developer mode while and
// after it builds a small library. Run it on a display (for example
// under xvfb-run); it writes PNG files into the folder it is given, at the window's smallest
// size when "klein" follows the folder.
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <random>

#include "core/geometry.h"
#include "core/position_notation.h"
#include "ui/board_widget.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/move_list.h"
#include "ui/page_window.h"

namespace {

using quarne::TQuarneForm;

template <class T>
T* Kind(TQuarneForm& form, const char* name) {
  return form.findChild<T*>(name);
}

void ZeigeTab(TQuarneForm& form, const char* tab) {
  Kind<QTabWidget>(form, "PageControl")->setCurrentWidget(Kind<QWidget>(form, tab));
}

void Bild(TQuarneForm& form, const QString& datei) {
  QTest::qWait(200);
  form.grab().save(datei);
}

// One legal move of the person, entered with the mouse as a person would.
bool Spiele(TQuarneForm& form, std::mt19937& zufall) {
  quarne::TBrettClass& brett = *form.SpielBrett;
  const quarne::TStep& auswahl = brett.EDZugAuswahl;
  if (brett.EDBlock || !brett.EDInit || auswahl.ZuegeAnzahl == 0) return false;
  const quarne::TZug& z =
      auswahl.Zuege[std::uniform_int_distribution<int>(1, auswahl.ZuegeAnzahl)(zufall)];
  auto mitte = [&](quarne::Punkte p) { return brett.GetPoint(p); };
  if (z.VonPosition == 0) {
    QTest::mouseClick(Kind<quarne::BrettWidget>(form, "BrettBP"), Qt::LeftButton, {},
                      mitte(z.NachPosition));
  } else {
    QTest::mousePress(Kind<quarne::BrettWidget>(form, "BrettBP"), Qt::LeftButton, {},
                      mitte(z.VonPosition));
    QTest::mouseMove(Kind<quarne::BrettWidget>(form, "BrettBP"),
                     (mitte(z.VonPosition) + mitte(z.NachPosition)) / 2);
    QTest::mouseMove(Kind<quarne::BrettWidget>(form, "BrettBP"), mitte(z.NachPosition));
    QTest::mouseRelease(Kind<quarne::BrettWidget>(form, "BrettBP"), Qt::LeftButton, {},
                        mitte(z.NachPosition));
  }
  if (z.EntfStein != 0)
    QTest::mouseClick(Kind<quarne::BrettWidget>(form, "BrettBP"), Qt::LeftButton, {},
                      mitte(z.EntfStein));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Tarvolin 2.5.2");
  const QDir ziel(argc > 1 ? argv[1] : ".");
  // The library built below stays out of the program's folder.
  const QTemporaryDir dateien;
  TQuarneForm form;
  form.SetzeDateien(quarne::ProgrammDateien(dateien.path(), true));
  // "klein" as the second argument: every picture at the window's smallest size.
  if (argc > 2 && QString(argv[2]) == "klein")
    form.resize(form.minimumSize());
  else
    form.resize(1280, 900);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  Bild(form, ziel.filePath("start.png"));

  // The board played by keyboard: the focus ring on d7, and the help shown by the program
  // itself where no browser is registered.
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) return 1;
  Kind<quarne::BrettWidget>(form, "BrettBP")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Kind<quarne::BrettWidget>(form, "BrettBP"), Qt::Key_Right);
  Bild(form, ziel.filePath("tastatur.png"));
  Kind<QPushButton>(form, "HilfeButn")->click();
  if (form.findChild<quarne::SeitenFenster*>() != nullptr) {
    QTest::qWait(200);
    form.findChild<quarne::SeitenFenster*>()->grab().save(ziel.filePath("hilfe.png"));
    form.findChild<quarne::SeitenFenster*>()->close();
  }
  // The save dialog with its proposal, and a question with No as its default, shown without
  // waiting for an answer.
  const auto zeige = [&](QWidget& w, const QString& datei) {
    w.show();
    QTest::qWait(300);
    w.grab().save(ziel.filePath(datei));
    w.close();
  };
  zeige(*quarne::SpeicherDialog(
            "Quarne Datei (*.ml)",
            QDir(dateien.path()).filePath(quarne::PartieName(QDate::currentDate()) + ".ml"), "ml",
            &form),
        "speichern.png");
  zeige(*quarne::FrageBox("Die ganze Eröffnungsbibliothek löschen?", &form), "frage.png");
  form.activateWindow();

  Kind<QGroupBox>(form, "AutoGroup")->findChildren<QRadioButton*>().value(0)->click();
  Kind<QSpinBox>(form, "TiefeSE1")->setValue(5);
  std::mt19937 zufall(4);
  while (form.spiel->LetzterZugNr() < 22 && Spiele(form, zufall)) {
  }
  Bild(form, ziel.filePath("mittelspiel.png"));
  const QString partie = QDir(dateien.path()).filePath("partie.ml");
  if (!form.SpeichereSpiel(partie)) return 1;
  ZeigeTab(form, "TabZuege");
  Bild(form, ziel.filePath("zugbewertung.png"));

  ZeigeTab(form, "TabEinstellung");
  Kind<QPushButton>(form, "ScoreButn")->click();
  Bild(form, ziel.filePath("optionen.png"));
  Kind<QTabWidget>(form, "PageControl")
      ->setTabVisible(
          Kind<QTabWidget>(form, "PageControl")->indexOf(Kind<QWidget>(form, "StepListe")), true);
  ZeigeTab(form, "StepListe");
  Kind<QPushButton>(form, "SchreibBut")->click();
  Bild(form, ziel.filePath("stepliste.png"));
  ZeigeTab(form, "TabOben");

  // A mill awaiting its removal, in the moving phase: g4 to g1 closes a1 d1 g1; Black's
  // e3 e4 e5 is a closed mill, so only c5 may be taken.
  form.spiel->Beginne(quarne::LiesStellung("WW.W...........WW.SSS.S. W 9 9").stellung->zug,
                      quarne::clWeiss, quarne::clSchwarz);
  Kind<quarne::MovesGrid>(form, "MovesGrid")->SetzeZeilenAnzahl(2);
  form.SpielBrett->EDInit = false;
  form.AktualisiereSpiel();
  auto mitte = [&](const char* name) {
    for (int p = 0; p < quarne::kAnzahlPunkte; ++p)
      if (quarne::PunktName(quarne::Punkt(p)) == name)
        return form.SpielBrett->GetPoint(quarne::Punkt(p));
    return QPoint();
  };
  QTest::mousePress(Kind<quarne::BrettWidget>(form, "BrettBP"), Qt::LeftButton, {}, mitte("g4"));
  QTest::mouseMove(Kind<quarne::BrettWidget>(form, "BrettBP"), mitte("g1"));
  QTest::mouseRelease(Kind<quarne::BrettWidget>(form, "BrettBP"), Qt::LeftButton, {}, mitte("g1"));
  Bild(form, ziel.filePath("muehle.png"));

  // A position set up with the mouse, a white stone under it about to be put on b4.
  ZeigeTab(form, "SetTabSheet");
  QTest::qWait(100);
  auto setze = [&](quarne::TFarbe farbe, const char* punkte) {
    (farbe == quarne::clWeiss ? Kind<QPushButton>(form, "WeissButn")
                              : Kind<QPushButton>(form, "SchwarzButn"))
        ->click();
    for (const QString& name : QString(punkte).split(' '))
      for (int p = 0; p < quarne::kAnzahlPunkte; ++p)
        if (quarne::PunktName(quarne::Punkt(p)) == name.toStdString())
          QTest::mouseClick(Kind<quarne::BrettWidget>(form, "SetPB"), Qt::LeftButton, {},
                            form.StellungsBrett->GetPoint(quarne::Punkt(p)));
  };
  Kind<QPushButton>(form, "Butn9")->click();
  setze(quarne::clWeiss, "a1 d1 b2 d2 f4 e5 c3");
  setze(quarne::clSchwarz, "a7 d7 g1 b6 f6 e3 c5");
  Kind<QPushButton>(form, "WeissButn")->click();
  QTest::mouseMove(Kind<quarne::BrettWidget>(form, "SetPB"),
                   form.StellungsBrett->GetPoint(quarne::Punkt(15)));
  Bild(form, ziel.filePath("stellung.png"));

  // The game played before, loaded from its file and stepped back by one move.
  ZeigeTab(form, "TabEinstellung");
  if (!form.LadeSpiel(partie, true)) return 1;
  Kind<QPushButton>(form, "OneUp")->click();
  Bild(form, ziel.filePath("geladen.png"));

  // The developer mode shows the library tab; levels 0 to 2 are built at depth 6.
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) return 1;
  QTest::keyClicks(QApplication::focusWidget(), "wbhzpr");
  ZeigeTab(form, "BibSheet");
  Kind<QCheckBox>(form, "BspCB2")->click();
  for (const char* tiefe : {"BspSE0", "BspSE1", "BspSE2"}) Kind<QSpinBox>(form, tiefe)->setValue(6);
  QTimer::singleShot(1000, &form, [&] { form.grab().save(ziel.filePath("bibliothek_bau.png")); });
  Kind<QPushButton>(form, "BibErstellen")->click();
  Bild(form, ziel.filePath("bibliothek.png"));
  return 0;
}
