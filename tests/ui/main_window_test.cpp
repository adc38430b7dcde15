#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <deque>

#include "core/geometry.h"
#include "core/notation.h"
#include "ui/board_widget.h"
#include "ui/dialogs.h"
#include "ui/evaluation_table.h"
#include "ui/main_window.h"
#include "ui/move_list.h"
#include "ui/search_monitor.h"

namespace quarne {
namespace {

// Answers questions from a script and records every box and beep.
struct SkriptDialoge final : DialogDienst {
  std::deque<bool> antworten;
  QStringList fragen, nachrichten;
  int beeps = 0;
  void ShowMessagePos(const QString& text) override { nachrichten << text; }
  bool Frage(const QString& text) override {
    fragen << text;
    if (antworten.empty()) {
      ADD_FAILURE() << "unerwartete Frage " << text.toStdString();
      return false;
    }
    const bool a = antworten.front();
    antworten.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }
};

class Fenster : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    form = std::make_unique<TQuarneForm>(&dialoge);
    form->resize(1400, 900);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override { form.reset(); }

  template <class T>
  T* Kind(const char* name) {
    T* w = form->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  bool TabSichtbar(QWidget* tab) {
    return form->PageControl->isTabVisible(form->PageControl->indexOf(tab));
  }
  // Clicks the point with the given name on the main board.
  void Klicke(std::string_view punkt) {
    for (int i = 1; i <= kAnzahlPunkte; ++i)
      if (PunktName(Punkte{1} << (i - 1)) == punkt) {
        const QPoint p = form->SpielBrett->GitterPunkte[i];
        QTest::mouseClick(form->BrettBP, Qt::LeftButton, {}, p);
        return;
      }
    ADD_FAILURE() << "kein Punkt " << punkt;
  }
  void NachTiefe(int tiefe) {
    form->AutoGroup.Item(0)->click();
    form->TiefeSE1->setValue(tiefe);
  }

  SkriptDialoge dialoge;
  std::unique_ptr<TQuarneForm> form;
};

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
    QWidget* tab = form->PageControl->widget(i);
    EXPECT_EQ(tab->objectName(), tabs[i].name);
    EXPECT_EQ(form->PageControl->tabText(i), QString::fromUtf8(tabs[i].titel));
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
  EXPECT_TRUE(Kind<QCheckBox>("LogCB")->isHidden());
  EXPECT_TRUE(Kind<QWidget>("SecretPanel")->isHidden());

  EXPECT_EQ(form->AutoGroup.Index(), 3);
  EXPECT_EQ(form->AutoGroup.box->title(), "Denkzeit / Denktiefe");
  EXPECT_EQ(form->AutoGroup.Item(6)->text(), "drei Minuten");
  EXPECT_EQ(form->RemisGroup.Index(), 1);
  EXPECT_EQ(form->RemisGroup.Item(1)->text(), "nach 20 Vollzügen (20x2 Züge)");
  EXPECT_EQ(form->TiefeSE1->value(), 6);
  EXPECT_EQ(form->TiefeSE1->maximum(), 16);
  EXPECT_EQ(Kind<QSpinBox>("BibSE")->value(), 13);
  EXPECT_EQ(Kind<QSpinBox>("VirtuellSE")->value(), 6);
  EXPECT_EQ(Kind<QLabel>("ScoreLab")->text(), "---");
  EXPECT_EQ(form->DenktiefeLab_->text(), "Computer Denkzeit: 10 Sek.");
  EXPECT_FALSE(form->TiefeSE1->isVisible());
  EXPECT_EQ(form->einst.RemisLimit, 40);
  EXPECT_EQ(form->einst.DenkzeitSekunden(), 10);
}

TEST_F(Fenster, OptionenWirkenSofort) {
  form->RemisGroup.Item(0)->click();
  EXPECT_EQ(form->einst.RemisLimit, -1);
  form->RemisGroup.Item(3)->click();
  EXPECT_EQ(form->einst.RemisLimit, 100);
  Kind<QCheckBox>("CBVoll")->click();
  EXPECT_TRUE(form->einst.CBVoll);
  Kind<QCheckBox>("CBAuto")->click();
  EXPECT_FALSE(form->spielOpt.CBAuto);

  // A depth typed in the options means "search to this depth".
  Kind<QSpinBox>("TiefeSE2")->setValue(9);
  EXPECT_EQ(form->AutoGroup.Index(), 0);
  EXPECT_EQ(form->TiefeSE1->value(), 9);
  EXPECT_EQ(form->spielOpt.TiefeSE1, 9);
  EXPECT_TRUE(form->TiefeSE1->isVisible());
  EXPECT_EQ(form->DenktiefeLab_->text(), "Denktiefe in Zügen:");
  form->AutoGroup.Item(1)->click();
  EXPECT_EQ(form->einst.DenkzeitSekunden(), 1);
  EXPECT_EQ(form->DenktiefeLab_->text(), "Computer Denkzeit: 1 Sek.");

  Kind<QCheckBox>("NotationCB")->click();
  EXPECT_FALSE(form->SpielBrett->Notation);
  Kind<QCheckBox>("CBUseBib")->click();
  EXPECT_FALSE(form->spielOpt.CBUseBib);
  Kind<QSpinBox>("BibSE")->setValue(10);
  EXPECT_EQ(form->spielOpt.BibSE, 10);
}

TEST_F(Fenster, NurDasPanelDesComputersBlinkt) {
  // The computer plays Black: its panel turns yellow, then silver; White's stays as it is.
  const QColor weissVorher = form->PanelWBlink->palette().color(QPalette::Window);
  form->anzeige->POnTimer();
  EXPECT_EQ(form->PanelSBlink->palette().color(QPalette::Window), QColor(255, 255, 0));
  form->anzeige->POnTimer();
  EXPECT_EQ(form->PanelSBlink->palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(form->PanelWBlink->palette().color(QPalette::Window), weissVorher);
  EXPECT_EQ(ZeitText(3725000), "1h2m5s");
  EXPECT_EQ(ZeitText(999), "0h0m0s");
}

TEST_F(Fenster, GewichteMitDezimalkomma) {
  QLineEdit* faktor = Kind<QLineEdit>("EDZugFaktor");
  QLineEdit* mobil = Kind<QLineEdit>("EDCMobil");
  EXPECT_EQ(faktor->text(), "0,97");
  EXPECT_FALSE(form->SetzeWerte->isEnabled());
  QTest::keyClicks(mobil, "x");
  EXPECT_TRUE(form->SetzeWerte->isEnabled());
  faktor->setText("1,5");
  form->SetzeWerteClick();
  EXPECT_EQ(faktor->text(), "0,97");
  EXPECT_EQ(mobil->text(), "1500");
  EXPECT_EQ(form->einst.gewichte.EDZugFaktor, -0.97);
  faktor->setText("0,5");
  form->SetzeWerteClick();
  EXPECT_EQ(form->einst.gewichte.EDZugFaktor, -0.5);
  form->CBMobil->click();
  EXPECT_FALSE(form->einst.CBMobil);
  form->SetzeStandardClick();
  EXPECT_TRUE(form->einst.CBMobil);
  EXPECT_EQ(form->einst.gewichte.EDZugFaktor, -0.97);
}

TEST_F(Fenster, EntwicklerModusNurMitDemGanzenCodewort) {
  // Keys go to the focused control; the window sees them first.
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->PageControl->setFocus();
  QWidget* fokus = QApplication::focusWidget();
  ASSERT_NE(fokus, nullptr);
  QTest::keyClicks(fokus, "wbhxzpr");
  EXPECT_FALSE(form->EntwicklerModus());
  // A wrong key is no first letter, even when it is one: "ww" starts over after the second w.
  QTest::keyClicks(fokus, "wwbhzpr");
  EXPECT_FALSE(form->EntwicklerModus());
  QTest::keyClicks(fokus, "wbhzpr");
  EXPECT_TRUE(form->EntwicklerModus());
  EXPECT_FALSE(Kind<QWidget>("SecretPanel")->isHidden());
  EXPECT_TRUE(TabSichtbar(form->StepListe));
  EXPECT_EQ(dialoge.beeps, 1);
}

TEST_F(Fenster, PartieMitDerMausGegenDenComputer) {
  NachTiefe(2);
  Klicke("d2");
  Spielstand& s = *form->spiel;
  ASSERT_EQ(s.LetzterZugNr, 2);
  EXPECT_EQ(ZugText(s.Spielzuege[1].Zug.VonPosition, s.Spielzuege[1].Zug.NachPosition, 0, false),
            "--- d2");
  EXPECT_EQ(s.Spielzuege[2].Spieler, csComputer);
  EXPECT_EQ(dialoge.beeps, 1);
  EXPECT_EQ(form->MovesGridW->model()->rowCount(), 4);
  // The thinking showed every root move with the depth reached.
  EXPECT_TRUE(form->MemStepTabelleW->isVisibleTo(form->TabZuege));
  EXPECT_EQ(form->MemStepTabelleW->ZeilenAnzahl(), form->suche->MemStep.ZuegeAnzahl + 1);
  EXPECT_EQ(form->TiefeEdit->text(), "2 / 2");
  EXPECT_EQ(form->ZugNrEdit->text(), QString("%1 / %1").arg(form->suche->MemStep.ZuegeAnzahl));
  EXPECT_TRUE(form->DenkeBut->isVisible());
  EXPECT_FALSE(form->DenkeBut->isEnabled());  // the person has the move

  // Stepping back and playing again asks; No keeps the game.
  form->OneUp->click();
  form->OneUp->click();
  EXPECT_EQ(s.AktZugNr, 1);
  form->OneDown->click();
  EXPECT_EQ(s.AktZugNr, 2);
  EXPECT_EQ(s.ComputerFarbe, clSchwarz);
  form->AllUp->click();
  dialoge.antworten = {false};
  Klicke("d6");
  EXPECT_EQ(dialoge.fragen, QStringList{"Zug überschreiben ?"});
  EXPECT_EQ(s.LetzterZugNr, 2);
  form->AllDown->click();
  EXPECT_EQ(s.AktZugNr, 3);

  // "1 Zug zurück" twice: back at the start with an empty record.
  form->ZurueckButn->click();
  form->XBut->click();
  EXPECT_EQ(s.LetzterZugNr, 0);
  EXPECT_EQ(form->MovesGridW->model()->rowCount(), 2);

  // Side switch: the computer has the move and waits for "Denke".
  form->WechselBut->click();
  EXPECT_TRUE(form->DenkeBut->isEnabled());
  form->DenkeBut->click();
  EXPECT_EQ(s.LetzterZugNr, 1);
  EXPECT_EQ(s.Spielzuege[1].Spieler, csComputer);

  dialoge.antworten = {true};
  form->NeuBut->click();
  EXPECT_EQ(s.LetzterZugNr, 0);
  EXPECT_EQ(s.ComputerFarbe, clSchwarz);
  EXPECT_EQ(form->TiefeEdit->text(), "---");
  EXPECT_FALSE(form->MemStepTabelleW->isVisibleTo(form->TabZuege));
}

TEST_F(Fenster, StopUndZiehWaehrendDesDenkens) {
  NachTiefe(14);
  form->WechselBut->click();
  // "Stop" a moment into the search: no move, the settings tabs come back.
  QTimer::singleShot(300, form.get(), [this] {
    EXPECT_TRUE(form->suche->SearchRunning);
    EXPECT_FALSE(TabSichtbar(form->TabEinstellung));
    EXPECT_TRUE(form->StopSP->isEnabled());
    EXPECT_FALSE(form->NeuBut->isEnabled());
    QTest::mouseClick(form->StopSP, Qt::LeftButton);
  });
  QElapsedTimer uhr;
  uhr.start();
  form->DenkeBut->click();
  EXPECT_LT(uhr.elapsed(), 5000);
  EXPECT_EQ(form->spiel->LetzterZugNr, 0);
  EXPECT_TRUE(TabSichtbar(form->TabEinstellung));
  EXPECT_FALSE(TabSichtbar(form->Balance_));
  EXPECT_TRUE(form->ZiehB->isEnabled());  // the result of the completed iterations can be played

  // "Zieh" during a search plays the best move found so far.
  QTimer::singleShot(300, form.get(), [this] { form->ZiehB->click(); });
  form->DenkeBut->click();
  EXPECT_EQ(form->spiel->LetzterZugNr, 1);
  EXPECT_FALSE(form->suche->SearchRunning);
}

TEST_F(Fenster, SpielerGegenSpieler) {
  form->SpVsSpCB->click();
  EXPECT_TRUE(form->PanelSp1->isVisible());
  EXPECT_TRUE(form->PanelSp2->isVisible());
  EXPECT_FALSE(form->PanelComp->isVisible());
  EXPECT_FALSE(form->TiefeEdit->isVisible());
  EXPECT_EQ(form->TabObPanel->title(), "Spieler gegen Spieler");
  EXPECT_EQ(form->PageControl->currentWidget(), form->TabOben);
  Klicke("a1");
  Klicke("g7");
  EXPECT_EQ(form->spiel->LetzterZugNr, 2);
  EXPECT_EQ(form->spiel->Spielzuege[2].Spieler, csComputer);  // Black is the computer's colour
  EXPECT_EQ(dialoge.beeps, 0);
}

TEST_F(Fenster, LayoutDesHaupttabs) {
  const int W = form->TabOben->width();
  EXPECT_EQ(form->BrettPanel->width(), W - form->MovesGridW->width() - 2 * form->BrettPanel->x());
  EXPECT_EQ(form->MovesGridW->x(), form->BrettPanel->x() + form->BrettPanel->width() - 1);
  // The five navigation buttons share the list's width in fifths and overlap by 3 pixels.
  QPushButton* knoepfe[] = {form->AllUp, form->OneUp, form->XBut, form->OneDown, form->AllDown};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(knoepfe[i]->x(),
              form->MovesGridW->x() - 1 + int(form->MovesGridW->width() * 0.2 * i));
    EXPECT_EQ(knoepfe[i]->width(), int(form->MovesGridW->width() * 0.2) + 3);
  }
  // The board's picture has exactly its panel's size, also after a resize.
  form->resize(1100, 760);
  QTest::qWait(50);
  EXPECT_EQ(form->SpielBrett->BrettBMP.size(), form->BrettPanel->size());
  EXPECT_EQ(form->SpielBrett->CanvasRect.Right, form->BrettPanel->width());
  // Narrow board: the player panels stand flush with its edges.
  if (form->BrettPanel->width() <= 3 * form->PanelWeiss->width()) {
    EXPECT_EQ(form->PanelWeiss->x(), form->BrettPanel->x());
  }
}

}  // namespace
}  // namespace quarne
