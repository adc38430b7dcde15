#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <set>

#include "core/geometry.h"
#include "core/notation.h"
#include "core/position_notation.h"
#include "engine/values.h"
#include "tests/engine/test_host.h"
#include "tests/ui/test_game.h"
#include "tests/ui/window_fixture.h"
#include "ui/board_widget.h"
#include "ui/design.h"
#include "ui/dialogs.h"
#include "ui/evaluation_table.h"
#include "ui/main_window.h"
#include "ui/move_list.h"
#include "ui/page_window.h"
#include "ui/score.h"
#include "ui/search_monitor.h"

namespace quarne {
namespace {

using test::SkriptDialoge;

using test::Fenster;

TEST_F(Fenster, TabsUndOptionenBeimStart) {
  EXPECT_EQ(form->windowTitle(), "Tarvolin 2.5.2");
  const struct {
    const char* name;
    const char* titel;
    bool sichtbar;
  } tabs[] = {{"TabOben", "Quarne Brett", true},  {"TabZuege", "Zugbewertung", true},
              {"BibSheet", "Eröffnungen", false}, {"SetTabSheet", "Stellung", true},
              {"Balance_", "Balance_", false},    {"TabEinstellung", "Optionen", true},
              {"AblgSheet", "Ablage", false},     {"StepListe", "StepListe", false}};
  for (int i = 0; i < 8; ++i) {
    QWidget* tab = Kind<QTabWidget>("PageControl")->widget(i);
    EXPECT_EQ(tab->objectName(), tabs[i].name);
    EXPECT_EQ(Kind<QTabWidget>("PageControl")->tabText(i), QString::fromUtf8(tabs[i].titel));
    EXPECT_EQ(TabSichtbar(tab), tabs[i].sichtbar) << tabs[i].name;
  }

  const struct {
    const char* name;
    const char* text;
    bool an;
  } schalter[] = {{"CBAuto", "Automatische Zugziehung", true},
                  {"TonCB", "Tonsignal bei Computerzug", true},
                  {"NotationCB", "Notationen einblenden", true},
                  {"HolzCB", "Holzfiguren", true},
                  {"LogCB", "Speichern einer Log.ml nach jedem Zug", false},
                  {"SpVsSpCB", "Spieler gegen Spieler", false},
                  {"CBUseBib", "Eröffnungsbibliohtek verwenden", true},
                  {"CBVoll", "Vollständige Bewertung des 1. Zuges", false},
                  {"CBVirtuell", "Virtuelle Züge durchführen", true},
                  {"CBVirtuellZugAb", "Virtuell ab Zug:", false},
                  {"CBMuster", "Bewertung aktiv", true},
                  {"NaherVorteilCB", "Schwächungsfaktor", true}};
  for (const auto& s : schalter) {
    const QCheckBox* c = Kind<QCheckBox>(s.name);
    if (!c) continue;
    EXPECT_EQ(c->text(), QString::fromUtf8(s.text)) << s.name;
    EXPECT_EQ(c->isChecked(), s.an) << s.name;
  }
  EXPECT_FALSE(Kind<QCheckBox>("LogCB")->isVisibleTo(Kind<QWidget>("TabEinstellung")));
  EXPECT_TRUE(Kind<QWidget>("SecretPanel")->isHidden());

  EXPECT_EQ(RadioIndex("AutoGroup"), 3);
  EXPECT_EQ(Kind<QGroupBox>("AutoGroup")->title(), "Denkzeit / Denktiefe");
  EXPECT_EQ(Radio("AutoGroup", 6)->text(), "drei Minuten");
  EXPECT_EQ(RadioIndex("RemisGroup"), 1);
  EXPECT_EQ(Radio("RemisGroup", 1)->text(), "nach 20 Vollzügen (20x2 Züge)");
  EXPECT_EQ(Kind<QSpinBox>("TiefeSE1")->value(), 6);
  EXPECT_EQ(Kind<QSpinBox>("TiefeSE1")->maximum(), 16);
  EXPECT_EQ(Kind<QSpinBox>("BibSE")->value(), 13);
  EXPECT_EQ(Kind<QSpinBox>("VirtuellSE")->value(), 6);
  EXPECT_EQ(Kind<QLabel>("ScoreLab")->text(), "---");
  EXPECT_EQ(Kind<QLabel>("DenktiefeLab_")->text(), "Computer Denkzeit: 10 Sek.");
  EXPECT_FALSE(Kind<QSpinBox>("TiefeSE1")->isVisible());
  EXPECT_EQ(form->Einstellung().RemisLimit, 40);
  EXPECT_EQ(form->Einstellung().DenkzeitSekunden(), 10);
}

TEST_F(Fenster, OptionenWirkenSofort) {
  Radio("RemisGroup", 0)->click();
  EXPECT_EQ(form->Einstellung().RemisLimit, -1);
  Radio("RemisGroup", 3)->click();
  EXPECT_EQ(form->Einstellung().RemisLimit, 100);
  Kind<QCheckBox>("CBVoll")->click();
  EXPECT_TRUE(form->Einstellung().CBVoll);
  Kind<QCheckBox>("CBAuto")->click();
  EXPECT_FALSE(form->Optionen().CBAuto);

  // A depth typed in the options means "search to this depth".
  Kind<QSpinBox>("TiefeSE2")->setValue(9);
  EXPECT_EQ(RadioIndex("AutoGroup"), 0);
  EXPECT_EQ(Kind<QSpinBox>("TiefeSE1")->value(), 9);
  EXPECT_EQ(form->Optionen().TiefeSE1, 9);
  EXPECT_TRUE(Kind<QSpinBox>("TiefeSE1")->isVisible());
  EXPECT_EQ(Kind<QLabel>("DenktiefeLab_")->text(), "Denktiefe in Zügen:");
  Radio("AutoGroup", 1)->click();
  EXPECT_EQ(form->Einstellung().DenkzeitSekunden(), 1);
  EXPECT_EQ(Kind<QLabel>("DenktiefeLab_")->text(), "Computer Denkzeit: 1 Sek.");

  // Every board is drawn again at once, the setup board too.
  Kind<QTabWidget>("PageControl")->setCurrentWidget(Kind<QWidget>("SetTabSheet"));
  QTest::qWait(20);
  ASSERT_FALSE(test::BrettAnsicht(*form, "SetPB").Bild().isNull());
  const QImage mitNotation = test::BrettAnsicht(*form, "SetPB").Bild().copy();
  Kind<QCheckBox>("NotationCB")->click();
  EXPECT_FALSE(test::BrettAnsicht(*form, "BrettBP").MitNotation());
  EXPECT_NE(test::BrettAnsicht(*form, "SetPB").Bild(), mitNotation);
  Kind<QCheckBox>("CBUseBib")->click();
  EXPECT_FALSE(form->Optionen().CBUseBib);
  Kind<QSpinBox>("BibSE")->setValue(10);
  EXPECT_EQ(form->Optionen().BibSE, 10);
}

TEST_F(Fenster, NurDasPanelDesComputersBlinkt) {
  // The computer plays Black: its panel turns yellow, then silver; White's stays as it is.
  const QColor weissVorher = Kind<QWidget>("PanelWBlink")->palette().color(QPalette::Window);
  form->Anzeige().POnTimer();
  EXPECT_EQ(Kind<QWidget>("PanelSBlink")->palette().color(QPalette::Window), QColor(255, 255, 0));
  form->Anzeige().POnTimer();
  EXPECT_EQ(Kind<QWidget>("PanelSBlink")->palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(Kind<QWidget>("PanelWBlink")->palette().color(QPalette::Window), weissVorher);
  EXPECT_EQ(ZeitText(3725000), "1h2m5s");
  EXPECT_EQ(ZeitText(999), "0h0m0s");
}

TEST_F(Fenster, GewichteMitDezimalkomma) {
  QLineEdit* faktor = Kind<QLineEdit>("EDZugFaktor");
  QLineEdit* mobil = Kind<QLineEdit>("EDCMobil");
  EXPECT_EQ(faktor->text(), "0,97");
  EXPECT_FALSE(Kind<QPushButton>("SetzeWerte")->isEnabled());
  QTest::keyClicks(mobil, "x");
  EXPECT_TRUE(Kind<QPushButton>("SetzeWerte")->isEnabled());
  faktor->setText("1,5");
  Kind<BalanceTab>("Balance_")->SetzeWerteClick();
  EXPECT_EQ(faktor->text(), "0,97");
  EXPECT_EQ(mobil->text(), "1500");
  EXPECT_EQ(form->Einstellung().gewichte.EDZugFaktor, -0.97);
  faktor->setText("0,5");
  Kind<BalanceTab>("Balance_")->SetzeWerteClick();
  EXPECT_EQ(form->Einstellung().gewichte.EDZugFaktor, -0.5);
  Kind<QCheckBox>("CBMobil")->click();
  EXPECT_FALSE(form->Einstellung().CBMobil);
  Kind<BalanceTab>("Balance_")->SetzeStandardClick();
  EXPECT_TRUE(form->Einstellung().CBMobil);
  EXPECT_EQ(form->Einstellung().gewichte.EDZugFaktor, -0.97);
}

TEST_F(Fenster, EntwicklerModusNurMitDemGanzenCodewort) {
  // Keys go to the focused control; the window sees them first.
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  Kind<QTabWidget>("PageControl")->setFocus();
  QWidget* fokus = QApplication::focusWidget();
  ASSERT_NE(fokus, nullptr);
  QTest::keyClicks(fokus, "wbhxzpr");
  EXPECT_FALSE(form->EntwicklerModus());
  // A wrong key is no first letter, even when it is one: "ww" starts over after the second w.
  QTest::keyClicks(fokus, "wwbhzpr");
  EXPECT_FALSE(form->EntwicklerModus());
  const char* verborgen[] = {"SecretPanel", "CBAktivKoppl", "CheckButn", "CheckLab"};
  for (const char* name : verborgen) EXPECT_TRUE(Kind<QWidget>(name)->isHidden()) << name;
  QTest::keyClicks(fokus, "wbhzpr");
  EXPECT_TRUE(form->EntwicklerModus());
  for (const char* name : verborgen) EXPECT_FALSE(Kind<QWidget>(name)->isHidden()) << name;
  // "Log.ml" after every move can be switched on with the developer options.
  EXPECT_TRUE(Kind<QCheckBox>("LogCB")->isVisibleTo(Kind<QWidget>("TabEinstellung")));
  EXPECT_EQ(Kind<QCheckBox>("LogCB")->parentWidget(), Kind<QWidget>("SecretPanel"));
  EXPECT_TRUE(TabSichtbar(Kind<QWidget>("StepListe")));
  EXPECT_TRUE(TabSichtbar(Kind<QWidget>("BibSheet")));
  EXPECT_EQ(dialoge.beeps, 1);
}

TEST_F(Fenster, PartieMitDerMausGegenDenComputer) {
  NachTiefe(2);
  Klicke("d2");
  const Spielstand& s = form->Spiel();
  ASSERT_EQ(s.LetzterZugNr(), 2);
  EXPECT_EQ(
      ZugText(s.Spielzuege()[1].Zug.VonPosition, s.Spielzuege()[1].Zug.NachPosition, 0, false),
      "--- d2");
  EXPECT_EQ(s.Spielzuege()[2].Spieler, csComputer);
  EXPECT_EQ(dialoge.beeps, 1);
  EXPECT_EQ(Kind<MovesGrid>("MovesGrid")->model()->rowCount(), 4);
  // The thinking showed every root move with the depth reached.
  EXPECT_TRUE(Kind<MemStepTabelle>("MemStepTabelle")->isVisibleTo(Kind<QWidget>("TabZuege")));
  EXPECT_EQ(Kind<MemStepTabelle>("MemStepTabelle")->ZeilenAnzahl(),
            form->SucheStand().MemStep.ZuegeAnzahl + 1);
  EXPECT_EQ(Kind<QLineEdit>("TiefeEdit")->text(), "2 / 2");
  EXPECT_EQ(Kind<QLineEdit>("ZugNrEdit")->text(),
            QString("%1 / %1").arg(form->SucheStand().MemStep.ZuegeAnzahl));
  EXPECT_TRUE(Kind<QPushButton>("DenkeBut")->isVisible());
  EXPECT_FALSE(Kind<QPushButton>("DenkeBut")->isEnabled());  // the person has the move

  // Stepping back and playing again asks; No keeps the game.
  Kind<QPushButton>("OneUp")->click();
  Kind<QPushButton>("OneUp")->click();
  EXPECT_EQ(s.AktZugNr(), 1);
  Kind<QPushButton>("OneDown")->click();
  EXPECT_EQ(s.AktZugNr(), 2);
  EXPECT_EQ(s.ComputerFarbe(), clSchwarz);
  Kind<QPushButton>("AllUp")->click();
  dialoge.antworten = {false};
  Klicke("d6");
  EXPECT_EQ(dialoge.fragen, QStringList{"Zug überschreiben ?"});
  EXPECT_EQ(s.LetzterZugNr(), 2);
  Kind<QPushButton>("AllDown")->click();
  EXPECT_EQ(s.AktZugNr(), 3);

  // "1 Zug zurück" twice: back at the start with an empty record.
  Kind<QPushButton>("ZurueckButn")->click();
  Kind<QPushButton>("XBut")->click();
  EXPECT_EQ(s.LetzterZugNr(), 0);
  EXPECT_EQ(Kind<MovesGrid>("MovesGrid")->model()->rowCount(), 2);

  // Side switch: the computer has the move and waits for "Denke".
  Kind<QPushButton>("WechselBut")->click();
  EXPECT_TRUE(Kind<QPushButton>("DenkeBut")->isEnabled());
  Kind<QPushButton>("DenkeBut")->click();
  EXPECT_EQ(s.LetzterZugNr(), 1);
  EXPECT_EQ(s.Spielzuege()[1].Spieler, csComputer);

  dialoge.antworten = {true};
  Kind<QPushButton>("NeuBut")->click();
  EXPECT_EQ(s.LetzterZugNr(), 0);
  EXPECT_EQ(s.ComputerFarbe(), clSchwarz);
  EXPECT_EQ(Kind<QLineEdit>("TiefeEdit")->text(), "---");
  EXPECT_FALSE(Kind<MemStepTabelle>("MemStepTabelle")->isVisibleTo(Kind<QWidget>("TabZuege")));
}

TEST_F(Fenster, StopUndZiehWaehrendDesDenkens) {
  NachTiefe(14);
  Kind<QPushButton>("WechselBut")->click();
  // "Stop" once an iteration is complete: no move, the settings tabs come back.
  const auto ergebnis = [this] { return form->SucheStand().ErgebnisBereit(); };
  KlickeUnd(
      Kind<QPushButton>("DenkeBut"),
      [this] {
        EXPECT_TRUE(form->SucheStand().Laeuft());
        EXPECT_FALSE(TabSichtbar(Kind<QWidget>("TabEinstellung")));
        EXPECT_TRUE(Kind<QToolButton>("StopSP")->isEnabled());
        EXPECT_FALSE(Kind<QPushButton>("NeuBut")->isEnabled());
        QTest::mouseClick(Kind<QToolButton>("StopSP"), Qt::LeftButton);
      },
      ergebnis);
  // The search ended on the click, not at its depth.
  EXPECT_NE(Kind<QLineEdit>("TiefeEdit")->text(), "14 / 14");
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 0);
  EXPECT_TRUE(TabSichtbar(Kind<QWidget>("TabEinstellung")));
  EXPECT_FALSE(TabSichtbar(Kind<QWidget>("Balance_")));
  EXPECT_TRUE(Kind<QPushButton>("ZiehB")
                  ->isEnabled());  // the result of the completed iterations can be played

  // "Zieh" during a search plays the best move found so far.
  KlickeUnd(
      Kind<QPushButton>("DenkeBut"), [this] { Kind<QPushButton>("ZiehB")->click(); }, ergebnis);
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 1);
  EXPECT_FALSE(form->SucheStand().Laeuft());
}

// Once a mill has won the game, the header names no side to move and no panel is lit.
TEST_F(Fenster, NachDemSpielendeIstNiemandAmZug) {
  Kind<QCheckBox>("SpVsSpCB")->setChecked(true);
  // g4 to g1 closes a1 d1 g1 and leaves Black two stones.
  ASSERT_TRUE(form->Ablauf().Beginne(LiesStellung("WW.W...........WW.SS..S. W 9 9").stellung->zug,
                                     clWeiss, clSchwarz));
  EXPECT_TRUE(Kind<QLabel>("WeissLab")->isVisible());
  const auto mitte = [this](const char* punkt) {
    return test::BrettAnsicht(*form, "BrettBP").GetPoint(test::P(punkt));
  };
  QTest::mousePress(Kind<BrettWidget>("BrettBP"), Qt::LeftButton, {}, mitte("g4"));
  QTest::mouseMove(Kind<BrettWidget>("BrettBP"), mitte("g1"));
  QTest::mouseRelease(Kind<BrettWidget>("BrettBP"), Qt::LeftButton, {}, mitte("g1"));
  QTest::mouseClick(Kind<BrettWidget>("BrettBP"), Qt::LeftButton, {}, mitte("c5"));
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 1);
  EXPECT_EQ(ZeichneZugListe(form->Spiel(), true, 1, 2).text, "Weiß gewinnt");
  EXPECT_FALSE(Kind<QLabel>("WeissLab")->isVisible());
  EXPECT_FALSE(Kind<QLabel>("SchwarzLab")->isVisible());
  for (const QWidget* p : {Kind<QWidget>("PanelWBlink"), Kind<QWidget>("PanelSBlink")})
    EXPECT_EQ(p->palette().color(QPalette::Window), kSilber) << p->objectName().toStdString();
  // Stepping back into the game lights the side to move again.
  Kind<QPushButton>("OneUp")->click();
  EXPECT_TRUE(Kind<QLabel>("WeissLab")->isVisible());
}

TEST_F(Fenster, SpielerGegenSpieler) {
  Kind<QCheckBox>("SpVsSpCB")->click();
  EXPECT_TRUE(Kind<QWidget>("PanelSp1")->isVisible());
  EXPECT_TRUE(Kind<QWidget>("PanelSp2")->isVisible());
  EXPECT_FALSE(Kind<QWidget>("PanelComp")->isVisible());
  EXPECT_FALSE(Kind<QLineEdit>("TiefeEdit")->isVisible());
  EXPECT_EQ(Kind<QGroupBox>("TabObPanel")->title(), "Spieler gegen Spieler");
  EXPECT_EQ(Kind<QTabWidget>("PageControl")->currentWidget(), Kind<QWidget>("TabOben"));
  Klicke("a1");
  Klicke("g7");
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 2);
  EXPECT_EQ(form->Spiel().Spielzuege()[2].Spieler, csComputer);  // Black is the computer's colour
  EXPECT_EQ(dialoge.beeps, 0);
}

TEST_F(Fenster, LayoutDesHaupttabs) {
  const int W = Kind<QWidget>("TabOben")->width();
  EXPECT_EQ(Kind<QWidget>("BrettPanel")->width(),
            W - Kind<MovesGrid>("MovesGrid")->width() - 2 * Kind<QWidget>("BrettPanel")->x());
  EXPECT_EQ(Kind<MovesGrid>("MovesGrid")->x(),
            Kind<QWidget>("BrettPanel")->x() + Kind<QWidget>("BrettPanel")->width() - 1);
  // The five navigation buttons share the list's width in fifths and overlap by 3 pixels.
  QPushButton* knoepfe[] = {Kind<QPushButton>("AllUp"), Kind<QPushButton>("OneUp"),
                            Kind<QPushButton>("XBut"), Kind<QPushButton>("OneDown"),
                            Kind<QPushButton>("AllDown")};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(knoepfe[i]->x(), Kind<MovesGrid>("MovesGrid")->x() - 1 +
                                   int(Kind<MovesGrid>("MovesGrid")->width() * 0.2 * i));
    EXPECT_EQ(knoepfe[i]->width(), int(Kind<MovesGrid>("MovesGrid")->width() * 0.2) + 3);
  }
  // The board's picture has exactly its panel's size, also after a resize.
  form->resize(1100, 760);
  QTest::qWait(50);
  EXPECT_EQ(test::BrettAnsicht(*form, "BrettBP").Bild().size(),
            Kind<QWidget>("BrettPanel")->size());
  EXPECT_EQ(test::BrettAnsicht(*form, "BrettBP").Geometrie().CanvasRect.Right,
            Kind<QWidget>("BrettPanel")->width());
  // Narrow board: the player panels stand flush with its edges.
  if (Kind<QWidget>("BrettPanel")->width() <= 3 * Kind<QWidget>("PanelWeiss")->width()) {
    EXPECT_EQ(Kind<QWidget>("PanelWeiss")->x(), Kind<QWidget>("BrettPanel")->x());
  }
}

// Every question asks before something is replaced or deleted: Enter and Escape answer No.
TEST(FrageBoxTest, NeinIstDieVorgabe) {
  const std::unique_ptr<QMessageBox> box = FrageBox("Alles löschen?", nullptr);
  EXPECT_EQ(box->text(), "Alles löschen?");
  ASSERT_NE(box->defaultButton(), nullptr);
  EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
  EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
  EXPECT_EQ(box->button(QMessageBox::No)->text(), "Nein");
  EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "Ja");
}

// The save dialog opens in the proposed folder with the proposed name filled in.
TEST(SpeicherDialogTest, SchlaegtDenNamenImOrdnerVor) {
  QTemporaryDir ordner;
  ASSERT_TRUE(ordner.isValid());
  const QString vorschlag = ordner.filePath("Partie 2026-12-10.ml");
  const std::unique_ptr<QFileDialog> d =
      SpeicherDialog("Quarne Datei (*.ml)", vorschlag, "ml", nullptr);
  EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(d->directory().absolutePath(), ordner.path());
  EXPECT_EQ(d->selectedFiles(), QStringList{vorschlag});
  EXPECT_EQ(d->defaultSuffix(), "ml");
}

// The part of a control that shows something: a check box or radio button ends with its text.
QRect Belegt(const QWidget* w) {
  QRect r = w->geometry();
  if (qobject_cast<const QCheckBox*>(w) != nullptr ||
      qobject_cast<const QRadioButton*>(w) != nullptr)
    r.setWidth(std::min(r.width(), w->sizeHint().width()));
  return r;
}

// The window goes no smaller than its designed minimum. There, on every tab, each caption shows
// whole and no two controls cover each other (beyond the few pixels by which the navigation
// buttons and the list meet their neighbours by design).
TEST_F(Fenster, MindestgroesseZeigtJedesBedienelement) {
  EXPECT_GE(form->minimumWidth(), D(1439));
  EXPECT_GE(form->minimumHeight(), D(1073));
  form->resize(300, 50);
  QTest::qWait(20);
  EXPECT_EQ(form->size(), form->minimumSize());

  // The developer mode shows every tab and control there is.
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QWidget* fokus = QApplication::focusWidget();
  QTest::keyClicks(fokus != nullptr ? fokus : form.get(), "wbhzpr");
  ASSERT_TRUE(form->EntwicklerModus());
  // The longest figures a library build shows.
  Kind<QLabel>("ZugLab")->setText("Nullstellung als Basis für:");
  Kind<QLabel>("BibStellung")->setText("999 (Zufall Stellung: 99999)");
  Kind<QLabel>("BibXVonY")->setText("100 / 100");
  for (QLabel* l : {Kind<QLabel>("BibDauer"), Kind<QLabel>("BibDauerSub")})
    l->setText("99 Tage und 23h59m59s");
  const auto text = [](const QWidget* w) -> QString {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (const auto* l = qobject_cast<const QLabel*>(w))
      return l->pixmap().isNull() ? l->text() : "";
    return {};
  };
  for (QWidget* tab : {Kind<QWidget>("TabOben"), Kind<QWidget>("TabZuege"),
                       Kind<QWidget>("BibSheet"), Kind<QWidget>("SetTabSheet"),
                       Kind<QWidget>("TabEinstellung"), Kind<QWidget>("StepListe")}) {
    Kind<QTabWidget>("PageControl")->setCurrentWidget(tab);
    QTest::qWait(20);
    SCOPED_TRACE(tab->objectName().toStdString());
    for (const QWidget* w : tab->findChildren<QWidget*>()) {
      if (!w->isVisible() || w->parentWidget()->inherits("QAbstractSpinBox")) continue;
      const QString name = w->objectName().isEmpty() ? text(w) : w->objectName();
      if (!text(w).isEmpty()) {
        const auto* l = qobject_cast<const QLabel*>(w);
        if (l != nullptr && l->wordWrap())
          EXPECT_GE(w->height(), l->heightForWidth(w->width())) << name.toStdString();
        else if (qobject_cast<const QPushButton*>(w) != nullptr)
          EXPECT_GE(w->width(), w->fontMetrics().horizontalAdvance(text(w)) + 8)
              << name.toStdString();
        else
          EXPECT_GE(w->width(), w->sizeHint().width()) << name.toStdString();
      }
      for (const QWidget* n :
           w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (n <= w || !n->isVisible() || n->isWindow() || w->isWindow() ||
            n == Kind<QLabel>("ImageHintergrund") || w == Kind<QLabel>("ImageHintergrund") ||
            w->parentWidget()->inherits("QAbstractScrollArea") ||
            w->parentWidget()->inherits("QAbstractSpinBox"))
          continue;
        const QRect ueber = Belegt(w).intersected(Belegt(n));
        EXPECT_FALSE(ueber.width() > 3 && ueber.height() > 3)
            << name.toStdString() << " und "
            << (n->objectName().isEmpty() ? text(n) : n->objectName()).toStdString();
      }
    }
  }
}

// The setup and evaluation tabs follow the window, and at every size from the smallest up, no
// control of any tab pokes out of it or out of its panel.
TEST_F(Fenster, LayoutDerAnderenTabs) {
  for (QWidget* t : {Kind<QWidget>("StepListe"), Kind<QWidget>("BibSheet")})
    Kind<QTabWidget>("PageControl")
        ->setTabVisible(Kind<QTabWidget>("PageControl")->indexOf(t), true);
  for (const QSize groesse : {form->minimumSize(), QSize(D(1428), D(1094)), QSize(1900, 1300)}) {
    SCOPED_TRACE(testing::Message() << groesse.width() << "x" << groesse.height());
    form->resize(groesse);
    for (QWidget* tab :
         {Kind<QWidget>("TabOben"), Kind<QWidget>("TabZuege"), Kind<QWidget>("SetTabSheet"),
          Kind<QWidget>("TabEinstellung"), Kind<QWidget>("BibSheet"), Kind<QWidget>("StepListe")}) {
      Kind<QTabWidget>("PageControl")->setCurrentWidget(tab);
      QTest::qWait(20);
      for (const QWidget* w : tab->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() ||
            w->parentWidget()->inherits("QAbstractScrollArea") ||
            w->parentWidget()->inherits("QAbstractSpinBox") || w->inherits("QScrollBar") ||
            w == Kind<QWidget>("BibPanelM"))  // the strip of level controls scrolls with the grid
          continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << w->objectName().toStdString() << " in "
            << w->parentWidget()->objectName().toStdString() << " " << w->geometry().x() << ","
            << w->geometry().y() << " " << w->geometry().width() << "x" << w->geometry().height()
            << " in " << w->parentWidget()->width() << "x" << w->parentWidget()->height();
      }
    }

    const int W = Kind<QWidget>("SetTabSheet")->width(), H = Kind<QWidget>("SetTabSheet")->height();
    const QRect brett = Kind<QWidget>("SetPanel")->geometry(),
                eingabe = Kind<QWidget>("SetEingabePanel")->geometry();
    EXPECT_EQ(brett, QRect(D(15), D(15), W - 2 * D(15), H - D(264) - 2 * D(15)));
    EXPECT_EQ(eingabe, QRect(D(15), brett.bottom() + 1, W - 2 * D(15), D(264)));
    EXPECT_EQ(test::BrettAnsicht(*form, "SetPB").Bild().size(), brett.size());
    EXPECT_EQ(test::BrettAnsicht(*form, "SetPB").Geometrie().CanvasRect.Bottom, brett.height());

    const QRect edit(
        Kind<QLineEdit>("DenkzeitEdit")->mapTo(Kind<QWidget>("TabZuege"), QPoint(0, 0)),
        Kind<QLineEdit>("DenkzeitEdit")->size());
    const int links =
        Kind<QLabel>("DenkzeitLab")->mapTo(Kind<QWidget>("TabZuege"), QPoint(0, 0)).x();
    const QRect tabelle = Kind<MemStepTabelle>("MemStepTabelle")->geometry();
    EXPECT_EQ(tabelle.y(), 2 * edit.y() + edit.height());
    EXPECT_EQ(tabelle.x(), links);
    EXPECT_EQ(tabelle.width(), Kind<QWidget>("TabZuege")->width() - 2 * links);
    EXPECT_EQ(Kind<QProgressBar>("PrgrBarTab")->geometry(),
              QRect(tabelle.x(), tabelle.bottom() + 1, tabelle.width(), D(25)));
    EXPECT_EQ(Kind<QLabel>("AnzDZuegeLbl")->y(),
              Kind<QProgressBar>("PrgrBarTab")->y() + int(D(25) * 1.5));

    const QWidget* debug = Kind<QWidget>("StepListe");
    EXPECT_EQ(Kind<QPlainTextEdit>("MemoStepListe")->geometry(),
              QRect(D(24), D(96), debug->width() - 2 * D(24), debug->height() - D(96) - 10));
  }
}

// Help, "Website" and the label open pages shipped with the program, never a web address; where
// the desktop has no browser for them, the program shows them in a window of its own.
TEST_F(Fenster, HilfeUndUeberSindMitgelieferteSeiten) {
  const auto oeffne = [this] {
    Kind<QPushButton>("HilfeButn")->click();
    Kind<QPushButton>("WebBut")->click();
    emit Kind<QLabel>("Label22")->linkActivated("ueber.html");
  };
  const QString inhalte[] = {"Stellungen aufstellen", "Über Tarvolin", "Über Tarvolin"};
  oeffne();
  ASSERT_EQ(dialoge.seiten.size(), 3);
  for (int i = 0; i < 3; ++i) {
    QFile seite(dialoge.seiten[i]);
    ASSERT_TRUE(seite.open(QIODevice::ReadOnly)) << dialoge.seiten[i].toStdString();
    const QString text = QString::fromUtf8(seite.readAll());
    EXPECT_TRUE(text.contains(inhalte[i])) << dialoge.seiten[i].toStdString();
    EXPECT_FALSE(text.contains("example")) << dialoge.seiten[i].toStdString();
  }
  EXPECT_EQ(Kind<QLabel>("Label22")->text().contains("http"), false);
  EXPECT_EQ(form->findChild<SeitenFenster*>(), nullptr);

  dialoge.browser = false;
  Kind<QPushButton>("HilfeButn")->click();
  ASSERT_NE(form->findChild<SeitenFenster*>(), nullptr);
  EXPECT_TRUE(form->findChild<SeitenFenster*>()->isVisible());
  EXPECT_FALSE(form->findChild<SeitenFenster*>()->isModal());
  EXPECT_EQ(form->findChild<SeitenFenster*>()->windowTitle(), "Tarvolin – Hilfe");
  EXPECT_TRUE(
      form->findChild<SeitenFenster*>()->Text->toPlainText().contains("Stellungen aufstellen"));
  Kind<QPushButton>("WebBut")->click();
  EXPECT_EQ(form->findChild<SeitenFenster*>()->windowTitle(), "Über Tarvolin");
  EXPECT_TRUE(form->findChild<SeitenFenster*>()->Text->toPlainText().contains("Über Tarvolin"));
  // F1 shows the help from any tab.
  Kind<QTabWidget>("PageControl")->setCurrentWidget(Kind<QWidget>("TabZuege"));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form.get(), Qt::Key_F1);
  EXPECT_EQ(form->findChild<SeitenFenster*>()->windowTitle(), "Tarvolin – Hilfe");
  EXPECT_EQ(dialoge.seiten.size(), 6);
}

// A display's text stays whole when it grows during a search, at the window's first size and
// at its smallest.
TEST_F(Fenster, AnzeigenZeigenIhrenGanzenText) {
  const auto passt = [](QWidget* w, const QString& text) {
    const int breite = w->fontMetrics().horizontalAdvance(text);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
      const QMargins m = e->textMargins();
      return breite + m.left() + m.right() +
                 2 * e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4 <=
             e->width();
    }
    return breite <= w->width();
  };
  Kind<QTabWidget>("PageControl")->setCurrentWidget(Kind<QWidget>("TabZuege"));
  for (const QSize groesse : {QSize(D(1428), D(1094)), form->minimumSize()}) {
    form->resize(groesse);
    QTest::qWait(30);
    form->Anzeige().ZeigeTabelle();
    Kind<QLineEdit>("ZeitEdit")->setText("0h0m30s");
    EXPECT_TRUE(passt(Kind<QLineEdit>("ZeitEdit"), "0h0m30s"))
        << Kind<QLineEdit>("ZeitEdit")->width();
    Kind<QLabel>("AnzDZuegeLbl")->setText("Anzahl der bewerteten Züge: 3 / 4");
    form->Anzeige().ZeigeBewertung();
    const QString text = Kind<QLabel>("AnzDZuegeLbl")->text();
    EXPECT_TRUE(passt(Kind<QLabel>("AnzDZuegeLbl"), text)) << text.toStdString();
  }
  // The thread spin box stands in its group's corner without covering the second option.
  Kind<QTabWidget>("PageControl")->setCurrentWidget(Kind<QWidget>("TabEinstellung"));
  for (const QSize groesse : {QSize(D(1428), D(1094)), form->minimumSize()}) {
    form->resize(groesse);
    QTest::qWait(30);
    const QRadioButton* zweite = Radio("CPURadio", 1);
    const QRect text =
        zweite->geometry().adjusted(0, 0, zweite->sizeHint().width() - zweite->width(), 0);
    EXPECT_FALSE(text.intersects(Kind<QSpinBox>("CPUSPE")->geometry()))
        << zweite->text().toStdString();
    EXPECT_TRUE(Kind<QGroupBox>("CPURadio")->rect().contains(Kind<QSpinBox>("CPUSPE")->geometry()));
  }
}

TEST_F(Fenster, ThreadKontrolleNachProzessorzahl) {
  const struct {
    int prozessoren, arbeiter;
    bool waehlbar;
    int item, spe, speMin;
    const char* text;
  } faelle[] = {
      {1, 0, false, 0, 1, 1, "Nutzung mehrerer CPUs/Threads"},
      // The count stands in the item even when the spin edit keeps its value.
      {2, 2, true, 1, 2, 2, "Nutzung von 2 CPUs/Threads"},
      {256, 128, true, 1, 128, 2, "Nutzung von 128 CPUs/Threads"},
  };
  for (const auto& f : faelle) {
    Oeffne(f.prozessoren);
    SCOPED_TRACE(f.prozessoren);
    EXPECT_EQ(form->ParallelSuche().ErzeugteThreads(), f.arbeiter);
    EXPECT_EQ(form->ParallelSuche().ThreadAnzahl(), f.arbeiter);
    EXPECT_EQ(Kind<QGroupBox>("CPURadio")->isEnabled(), f.waehlbar);
    EXPECT_EQ(RadioIndex("CPURadio"), f.item);
    EXPECT_EQ(form->Optionen().Parallel, f.waehlbar);
    EXPECT_EQ(Radio("CPURadio", 1)->text(), f.text);
    EXPECT_EQ(Kind<QSpinBox>("CPUSPE")->isEnabled(), f.waehlbar);
    EXPECT_EQ(Kind<QSpinBox>("CPUSPE")->value(), f.spe);
    EXPECT_EQ(Kind<QSpinBox>("CPUSPE")->maximum(), f.spe);
    EXPECT_EQ(Kind<QSpinBox>("CPUSPE")->minimum(), f.speMin);
  }
}

TEST_F(Fenster, EinProzessorDenktImFensterThread) {
  Oeffne(1);
  NachTiefe(4);
  Kind<QPushButton>("WechselBut")->click();
  Kind<QPushButton>("DenkeBut")->click();
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 1);
  EXPECT_EQ(Kind<QLineEdit>("TiefeEdit")->text(), "4 / 4");
  EXPECT_EQ(form->ParallelSuche().ErzeugteThreads(), 0);
}

TEST_F(Fenster, ThreadAnzahlAenderbarAusserWaehrendDerSuche) {
  Kind<QSpinBox>("CPUSPE")->setValue(3);
  EXPECT_EQ(form->ParallelSuche().ThreadAnzahl(), 3);
  EXPECT_EQ(Radio("CPURadio", 1)->text(), "Nutzung von 3 CPUs/Threads");

  // During a search neither the count nor the score button act.
  NachTiefe(14);
  Kind<QPushButton>("WechselBut")->click();
  KlickeUnd(Kind<QPushButton>("DenkeBut"), [this] {
    Kind<QSpinBox>("CPUSPE")->setValue(2);
    Kind<QPushButton>("ScoreButn")->click();
    QTest::mouseClick(Kind<QToolButton>("StopSP"), Qt::LeftButton);
  });
  EXPECT_EQ(form->ParallelSuche().ThreadAnzahl(), 3);
  EXPECT_EQ(Radio("CPURadio", 1)->text(), "Nutzung von 3 CPUs/Threads");
  EXPECT_EQ(Kind<QLabel>("ScoreLab")->text(), "---");

  Radio("CPURadio", 0)->click();
  EXPECT_FALSE(form->Optionen().Parallel);
}

// Deep enough that the tree hands cells to the workers: the first iterations are too small to
// share, and the list-mode pass stops at depth 2.
class ParallelesFenster : public Fenster {
 protected:
  void ParallelerZug() {
    NachTiefe(6);
    Kind<QCheckBox>("CBAuto")->click();
    Klicke("d2");
    Einstellungen einst;
    test::TestHost host;
    Suche liste(einst, host);
    liste.StepRoutineListe(2, form->Spiel().AktuellerZug(), form->Spiel().AktZugNr(),
                           form->Spiel().FarbeAmZug(), true, true, form->Spiel());
    for (int i = 1; i <= liste.Steps[1].ZuegeAnzahl; ++i)
      legal.insert(Text(liste.Steps[1].Zuege[i]));
    Kind<QPushButton>("DenkeBut")->click();
  }
  static std::string Text(const TZug& z) {
    return ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne);
  }
  std::set<std::string> legal;
};

TEST_F(ParallelesFenster, ComputerzugMitDenArbeitern) {
  ParallelerZug();
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 2);
  EXPECT_TRUE(legal.contains(Text(form->Spiel().Spielzuege()[2].Zug)));
  EXPECT_GT(form->ParallelSuche().Statistik().ausgegeben, 0);
  EXPECT_EQ(Kind<QLineEdit>("TiefeEdit")->text(), "6 / 6");
  EXPECT_FALSE(form->SucheStand().Laeuft());
  EXPECT_TRUE(TabSichtbar(Kind<QWidget>("TabEinstellung")));
}

TEST_F(ParallelesFenster, StepListeKnoepfe) {
  ParallelerZug();
  const QString schluss = QString(66, '-');
  Kind<QPushButton>("SchreibBut")->click();
  const QString eins = Kind<QPlainTextEdit>("MemoStepListe")->toPlainText();
  EXPECT_EQ(eins.count(schluss), 1);
  EXPECT_FALSE(eins.contains('\r'));
  EXPECT_GT(Kind<QPlainTextEdit>("MemoStepListe")->blockCount(), 10);
  // A second dump comes below the first; the buffer shows all of it again.
  Kind<QPushButton>("SchreibBut")->click();
  EXPECT_EQ(Kind<QPlainTextEdit>("MemoStepListe")->toPlainText().count(schluss), 2);
  Kind<QPlainTextEdit>("MemoStepListe")->setPlainText("x");
  Kind<QPushButton>("SchreibePufferBut")->click();
  EXPECT_EQ(Kind<QPlainTextEdit>("MemoStepListe")->toPlainText(), eins + eins);
  Kind<QPushButton>("LoescheBut")->click();
  EXPECT_TRUE(Kind<QPlainTextEdit>("MemoStepListe")->toPlainText().isEmpty());
  EXPECT_TRUE(form->ParallelSuche().StepListeText.empty());
  Kind<QPushButton>("SchreibePufferBut")->click();
  EXPECT_TRUE(Kind<QPlainTextEdit>("MemoStepListe")->toPlainText().isEmpty());
}

TEST_F(Fenster, ScoreLaesstDasSpielWieEsWar) {
  NachTiefe(3);
  Klicke("d2");
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 2);
  const QStringList tabelle = Tabelle(form->SucheStand().MemStep);
  const QStringList ergebnis = Tabelle(form->SucheStand().MemStep2);
  const bool bereit = form->SucheStand().ErgebnisBereit();

  // The countdown's last tick ends the measurement early.
  KlickeUnd(Kind<QPushButton>("ScoreButn"), [this] {
    EXPECT_EQ(Kind<QLabel>("ScoreLab")->text(), "Messung läuft ... 5s");
    for (QWidget* t :
         {Kind<QWidget>("TabOben"), Kind<QWidget>("SetTabSheet"), Kind<QWidget>("TabZuege")})
      EXPECT_FALSE(t->isEnabled());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(Kind<QTimer>("ScoreTimer")->isActive());
    // The ticks of the countdown, one per second, without waiting for them.
    ScoreLauf* lauf = Kind<ScoreLauf>("ScoreLauf");
    for (int s = kBenchmarkSekunden; s > 1; --s) lauf->POnScoreTimer();
    EXPECT_FALSE(form->SucheStand().Angehalten());
    lauf->POnScoreTimer();
    EXPECT_EQ(Kind<QLabel>("ScoreLab")->text(), "Messung läuft ... 0s");
    EXPECT_TRUE(form->SucheStand().Angehalten());
    EXPECT_FALSE(Kind<QTimer>("ScoreTimer")->isActive());
  });
  EXPECT_TRUE(QRegularExpression(R"(^\d+% \(\d{1,3}(\.\d{3})* Züge/Sek\)$)")
                  .match(Kind<QLabel>("ScoreLab")->text())
                  .hasMatch())
      << Kind<QLabel>("ScoreLab")->text().toStdString();
  for (QWidget* t :
       {Kind<QWidget>("TabOben"), Kind<QWidget>("SetTabSheet"), Kind<QWidget>("TabZuege")})
    EXPECT_TRUE(t->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(form->SucheStand().Angehalten());
  EXPECT_EQ(Tabelle(form->SucheStand().MemStep), tabelle);
  EXPECT_EQ(Tabelle(form->SucheStand().MemStep2), ergebnis);
  EXPECT_EQ(form->SucheStand().ErgebnisBereit(), bereit);
}

TEST_F(Fenster, ScoreText) {
  const struct {
    ScoreMessung messung;
    const char* text;
  } faelle[] = {{{24063000, 1000}, "1234% (24.063.000 Züge/Sek)"},
                {{975000, 2000}, "25% (487.500 Züge/Sek)"},
                {{5000, 0}, "Undefined"}};
  for (const auto& f : faelle) EXPECT_EQ(ScoreText(f.messung), f.text);
}

TEST_F(Fenster, Aktivitaetsanzeige) {
  // Dots grow to 40 characters and start over; the bars of waiting collects count too.
  const struct {
    int laenge;
    QString danach;
  } faelle[] = {{39, QString(40, '.')}, {40, "."}, {41, "."}};
  for (const auto& f : faelle) {
    Kind<QLabel>("PrgrLab")->setText(QString(f.laenge, '.'));
    form->Anzeige().Aktivitaetspunkt();
    EXPECT_EQ(Kind<QLabel>("PrgrLab")->text(), f.danach) << f.laenge;
  }
  Kind<QLabel>("PrgrLab")->setText(QString(39, '.'));
  form->Anzeige().Wartemarke();
  form->Anzeige().Aktivitaetspunkt();
  EXPECT_EQ(Kind<QLabel>("PrgrLab")->text(), ".");
}

TEST_F(Fenster, SchliessenWaehrendDerParallelenSuche) {
  NachTiefe(14);
  Kind<QPushButton>("WechselBut")->click();
  // Once the tree has handed cells to the workers.
  KlickeUnd(
      Kind<QPushButton>("DenkeBut"),
      [this] {
        ASSERT_GT(form->ParallelSuche().Statistik().ausgegeben, 0);
        // The generated moves count the workers' as well. This thread's count stands still here;
        // the workers' only grows.
        const std::int64_t eigene = form->SucheStand().GenZuege();
        form->Anzeige().ZeigeBewertung();
        const qlonglong gezeigt = QLocale().toLongLong(Kind<QLineEdit>("BerZuegeEd")->text());
        EXPECT_GT(gezeigt, eigene);
        EXPECT_LE(gezeigt, form->ParallelSuche().GenZuegeGesamt());
        form->close();
      },
      [this] { return form->ParallelSuche().Statistik().ausgegeben > 0; });
  // The search ended with the window, not at its depth.
  EXPECT_NE(Kind<QLineEdit>("TiefeEdit")->text(), "14 / 14");
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form->SucheStand().Laeuft());
  EXPECT_EQ(form->ParallelSuche().ErzeugteThreads(), 0);
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 0);
}

// The library answers the computer's move without a search; a changed library is written when
// the window closes and read when it opens again.
TEST(FensterBibliothek, AntwortSpeichernUndLaden) {
  QTemporaryDir ordner;
  ASSERT_TRUE(ordner.isValid());
  SkriptDialoge dialoge;
  auto form = std::make_unique<TQuarneForm>(&dialoge);
  form->SetzeDateien(ProgrammDateien(ordner.path(), true));
  form->SetzeProzessoren(2);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  // No library file yet: an empty library and no message.
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());
  EXPECT_EQ(form->Bibliothek()[0].BibCnt(), 0);

  // Levels 0 and 1 built to depth 3 on the library tab, which evaluates fully meanwhile.
  for (int L = 0; L <= 1; ++L) {
    form->findChild<QCheckBox*>(QString("BspCB%1").arg(L))->setChecked(true);
    form->findChild<QSpinBox*>(QString("BspSE%1").arg(L))->setValue(3);
  }
  test::Kind<QPushButton>(*form, "BibErstellen")->click();
  test::Kind<QCheckBox>(*form, "CBVoll")->setChecked(false);
  ASSERT_FALSE(form->Einstellung().CBVoll);
  ASSERT_TRUE(form->Bibliothek()[0].BibZuege[0].BibBerechnet);

  test::Radio(*form, "AutoGroup", 0)->click();
  test::Kind<QSpinBox>(*form, "TiefeSE1")->setValue(3);
  test::Kind<QPushButton>(*form, "WechselBut")->click();  // the computer plays White and is to move
  test::Kind<QPushButton>(*form, "DenkeBut")->click();
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 1);
  EXPECT_EQ(test::Kind<QLineEdit>(*form, "BerZuegeEd")->text(), "0");  // no search ran
  // Nor a time or a speed: the move came from the library.
  EXPECT_EQ(test::Kind<QLineEdit>(*form, "DenkzeitEdit")->text(), "Bibliothek");
  EXPECT_EQ(test::Kind<QLineEdit>(*form, "ZPrS")->text(), "---");
  const TStep& m = form->SucheStand().MemStep2;
  EXPECT_EQ(m.STDenkTiefe, 3);
  bool unterDenBesten = false;
  for (int i = 1; i <= AnzahlGleichBeste(m); ++i)
    unterDenBesten =
        unterDenBesten || m.Zuege[i].NachPosition == form->Spiel().Spielzuege()[1].Zug.NachPosition;
  EXPECT_TRUE(unterDenBesten);
  EXPECT_FALSE(test::Kind<MemStepTabelle>(*form, "MemStepTabelle")->isHidden());

  form->close();
  form.reset();
  EXPECT_TRUE(QFile::exists(QDir(ordner.path()).filePath("Bibliothek5.bib")));
  form = std::make_unique<TQuarneForm>(&dialoge);
  form->SetzeDateien(ProgrammDateien(ordner.path(), true));
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_EQ(form->Bibliothek()[0].BibCnt(), 2);
  EXPECT_FALSE(form->Bibliothek().Geaendert);
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());
}

}  // namespace
}  // namespace quarne
