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

// The walk's stations, each leaving its pictures in ziel.
class Rundgang {
 public:
  Rundgang(TQuarneForm& form, const QDir& ziel, const QString& dateien)
      : form_(form),
        ziel_(ziel),
        dateien_(dateien),
        brett_(Kind<quarne::BrettWidget>(form, "BrettBP")) {}

  // The board played by keyboard: the focus ring on d7, and the help shown by the program itself
  // where no browser is registered; the save dialog with its proposal, and a question with No as
  // its default, shown without waiting for an answer.
  bool TastaturUndDialoge() {
    form_.activateWindow();
    if (!QTest::qWaitForWindowActive(&form_)) return false;
    brett_->setFocus(Qt::TabFocusReason);
    QTest::keyClick(brett_, Qt::Key_Right);
    Bild(form_, Datei("keyboard.png"));
    Kind<QPushButton>(form_, "HilfeButn")->click();
    if (auto* seiten = form_.findChild<quarne::SeitenFenster*>()) {
      QTest::qWait(200);
      seiten->grab().save(Datei("help.png"));
      seiten->close();
    }
    Zeige(*quarne::SpeicherDialog(
              "Quarne Datei (*.ml)",
              QDir(dateien_).filePath(quarne::PartieName(QDate::currentDate()) + ".ml"), "ml",
              &form_),
          "save_dialog.png");
    Zeige(*quarne::FrageBox("Die ganze Eröffnungsbibliothek löschen?", &form_), "question.png");
    form_.activateWindow();
    return true;
  }

  // A game played with the mouse into the moving phase, saved for later; the evaluation table,
  // the options after a "Quarne Score" and the dump of the cell tree.
  bool MittelspielUndTabs() {
    Kind<QGroupBox>(form_, "AutoGroup")->findChildren<QRadioButton*>().value(0)->click();
    Kind<QSpinBox>(form_, "TiefeSE1")->setValue(5);
    std::mt19937 zufall(4);
    while (form_.Spiel().LetzterZugNr() < 22 && Spiele(zufall)) {
    }
    Bild(form_, Datei("middle_game.png"));
    if (!form_.SpeichereSpiel(Partie())) return false;
    ZeigeTab(form_, "TabZuege");
    Bild(form_, Datei("move_evaluation.png"));

    ZeigeTab(form_, "TabEinstellung");
    Kind<QPushButton>(form_, "ScoreButn")->click();
    Bild(form_, Datei("options.png"));
    auto* seiten = Kind<QTabWidget>(form_, "PageControl");
    seiten->setTabVisible(seiten->indexOf(Kind<QWidget>(form_, "StepListe")), true);
    ZeigeTab(form_, "StepListe");
    Kind<QPushButton>(form_, "SchreibBut")->click();
    Bild(form_, Datei("steplist.png"));
    ZeigeTab(form_, "TabOben");
    return true;
  }

  // A mill awaiting its removal, in the moving phase: g4 to g1 closes a1 d1 g1; Black's
  // e3 e4 e5 is a closed mill, so only c5 may be taken.
  void Muehle() {
    form_.Ablauf().Beginne(quarne::LiesStellung("WW.W...........WW.SSS.S. W 9 9").stellung->zug,
                           quarne::clWeiss, quarne::clSchwarz);
    const quarne::TBrettClass& b = brett_->Brett();
    QTest::mousePress(brett_, Qt::LeftButton, {}, b.GetPoint(Punkt("g4")));
    QTest::mouseMove(brett_, b.GetPoint(Punkt("g1")));
    QTest::mouseRelease(brett_, Qt::LeftButton, {}, b.GetPoint(Punkt("g1")));
    Bild(form_, Datei("mill.png"));
  }

  // A position set up with the mouse, a white stone under it about to be put on b4.
  void Stellung() {
    ZeigeTab(form_, "SetTabSheet");
    QTest::qWait(100);
    auto* aufbau = Kind<quarne::BrettWidget>(form_, "SetPB");
    const quarne::TBrettClass& b = Kind<quarne::BrettWidget>(form_, "SetPB")->Brett();
    auto setze = [&](const char* farbe, const char* punkte) {
      Kind<QPushButton>(form_, farbe)->click();
      for (const QString& name : QString(punkte).split(' '))
        QTest::mouseClick(aufbau, Qt::LeftButton, {}, b.GetPoint(Punkt(name.toStdString())));
    };
    Kind<QPushButton>(form_, "Butn9")->click();
    setze("WeissButn", "a1 d1 b2 d2 f4 e5 c3");
    setze("SchwarzButn", "a7 d7 g1 b6 f6 e3 c5");
    Kind<QPushButton>(form_, "WeissButn")->click();
    QTest::mouseMove(aufbau, b.GetPoint(quarne::Punkt(15)));
    Bild(form_, Datei("setup_tab.png"));
  }

  // The game played before, loaded from its file and stepped back by one move.
  bool Geladen() {
    ZeigeTab(form_, "TabEinstellung");
    if (!form_.LadeSpiel(Partie(), true)) return false;
    Kind<QPushButton>(form_, "OneUp")->click();
    Bild(form_, Datei("loaded_game.png"));
    return true;
  }

  // The developer mode shows the library tab; levels 0 to 2 are built at depth 6.
  bool Bibliothek() {
    form_.activateWindow();
    if (!QTest::qWaitForWindowActive(&form_)) return false;
    QTest::keyClicks(QApplication::focusWidget(), "wbhzpr");
    ZeigeTab(form_, "BibSheet");
    Kind<QCheckBox>(form_, "BspCB2")->click();
    for (const char* tiefe : {"BspSE0", "BspSE1", "BspSE2"})
      Kind<QSpinBox>(form_, tiefe)->setValue(6);
    QTimer::singleShot(1000, &form_, [this] { form_.grab().save(Datei("library_building.png")); });
    Kind<QPushButton>(form_, "BibErstellen")->click();
    Bild(form_, Datei("library.png"));
    return true;
  }

 private:
  QString Datei(const char* name) const { return ziel_.filePath(name); }
  QString Partie() const { return QDir(dateien_).filePath("partie.ml"); }

  static quarne::Punkte Punkt(const std::string& name) {
    for (int p = 0; p < quarne::kAnzahlPunkte; ++p)
      if (quarne::PunktName(quarne::Punkt(p)) == name) return quarne::Punkt(p);
    return 0;
  }

  void Zeige(QWidget& w, const char* datei) {
    w.show();
    QTest::qWait(300);
    w.grab().save(Datei(datei));
    w.close();
  }

  // One legal move of the person, entered with the mouse as a person would.
  bool Spiele(std::mt19937& zufall) {
    const quarne::TBrettClass& brett = brett_->Brett();
    const quarne::TStep& auswahl = brett.Eingabe().EDZugAuswahl;
    if (brett.Eingabe().EDBlock || !brett.Eingabe().EDInit || auswahl.ZuegeAnzahl == 0)
      return false;
    const quarne::TZug& z =
        auswahl.Zuege[std::uniform_int_distribution<int>(1, auswahl.ZuegeAnzahl)(zufall)];
    auto mitte = [&](quarne::Punkte p) { return brett.GetPoint(p); };
    if (z.VonPosition == 0) {
      QTest::mouseClick(brett_, Qt::LeftButton, {}, mitte(z.NachPosition));
    } else {
      QTest::mousePress(brett_, Qt::LeftButton, {}, mitte(z.VonPosition));
      QTest::mouseMove(brett_, (mitte(z.VonPosition) + mitte(z.NachPosition)) / 2);
      QTest::mouseMove(brett_, mitte(z.NachPosition));
      QTest::mouseRelease(brett_, Qt::LeftButton, {}, mitte(z.NachPosition));
    }
    if (z.EntfStein != 0) QTest::mouseClick(brett_, Qt::LeftButton, {}, mitte(z.EntfStein));
    return true;
  }

  TQuarneForm& form_;
  const QDir& ziel_;
  QString dateien_;
  quarne::BrettWidget* brett_;
};

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

  Rundgang rundgang(form, ziel, dateien.path());
  if (!rundgang.TastaturUndDialoge() || !rundgang.MittelspielUndTabs()) return 1;
  rundgang.Muehle();
  rundgang.Stellung();
  if (!rundgang.Geladen() || !rundgang.Bibliothek()) return 1;
  return 0;
}
