// What the window remembers between two runs of one user: the options, the thinking time or
// depth, its size and place, and the last folder; not the developer options, not an analysis.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/window_fixture.h"
#include "ui/main_window.h"

namespace quarne {
namespace {

class Nutzer : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(ordner.isValid());
  }
  // A run of the program: a window reading and, when closed, writing the user's settings.
  std::unique_ptr<TQuarneForm> Starte() {
    auto form = std::make_unique<TQuarneForm>(&dialoge);
    form->SetzeProzessoren(4);
    form->SetzeNutzerEinstellungen(
        std::make_unique<QSettings>(ordner.filePath("Tarvolin.conf"), QSettings::IniFormat));
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }

  QTemporaryDir ordner;
  test::SkriptDialoge dialoge;
};

TEST_F(Nutzer, EinstellungenGeltenAuchBeimNaechstenStart) {
  const QString spiele = ordner.filePath("spiele");
  ASSERT_TRUE(QDir().mkpath(spiele));
  QSize groesse;
  {
    const auto form = Starte();
    test::Kind<QCheckBox>(*form, "TonCB")->setChecked(false);
    test::Kind<QCheckBox>(*form, "HolzCB")->setChecked(false);
    test::Kind<QCheckBox>(*form, "CBUseBib")->setChecked(false);
    test::Kind<QSpinBox>(*form, "BibSE")->setValue(9);
    test::Radio(*form, "RemisGroup", 3)->click();
    test::Radio(*form, "AutoGroup", 5)->click();
    test::Kind<QSpinBox>(*form, "TiefeSE1")->setValue(7);
    test::Radio(*form, "CPURadio", 0)->click();
    test::Kind<QSpinBox>(*form, "CPUSPE")->setValue(3);
    test::Kind<QCheckBox>(*form, "CBVirtuell")
        ->setChecked(false);  // a developer option: not remembered
    form->resize(form->minimumSize() + QSize(40, 30));
    groesse = form->size();
    dialoge.dateien = {QDir(spiele).filePath("eins.ml")};
    test::Kind<QPushButton>(*form, "SaveButn")->click();
    // An analysis's depth and full evaluation are the analysis's, not the user's.
    test::Kind<QPushButton>(*form, "ToAnalyzeWeiss")->click();
    ASSERT_EQ(test::Kind<QSpinBox>(*form, "TiefeSE1")->value(), 12);
    form->close();
  }
  const auto form = Starte();
  EXPECT_FALSE(test::Kind<QCheckBox>(*form, "TonCB")->isChecked());
  EXPECT_FALSE(form->Optionen().TonCB);
  EXPECT_FALSE(test::Kind<QCheckBox>(*form, "HolzCB")->isChecked());
  EXPECT_FALSE(test::BrettAnsicht(*form, "BrettBP").MitHolz());
  EXPECT_FALSE(form->Optionen().CBUseBib);
  EXPECT_TRUE(test::Kind<QCheckBox>(*form, "NotationCB")->isChecked());
  EXPECT_EQ(form->Optionen().BibSE, 9);
  EXPECT_EQ(test::RadioIndex(*form, "RemisGroup"), 3);
  EXPECT_EQ(form->Einstellung().RemisLimit, kRemisLimits[3]);
  EXPECT_EQ(test::RadioIndex(*form, "AutoGroup"), 5);
  EXPECT_EQ(form->Einstellung().AutoGroup, 5);
  EXPECT_EQ(test::Kind<QSpinBox>(*form, "TiefeSE1")->value(), 7);
  EXPECT_EQ(test::Kind<QSpinBox>(*form, "TiefeSE2")->value(), 7);
  EXPECT_FALSE(test::Kind<QCheckBox>(*form, "CBVoll")->isChecked());
  EXPECT_EQ(test::RadioIndex(*form, "CPURadio"), 0);
  EXPECT_FALSE(form->Optionen().Parallel);
  EXPECT_EQ(test::Kind<QSpinBox>(*form, "CPUSPE")->value(), 3);
  EXPECT_TRUE(test::Kind<QCheckBox>(*form, "CBVirtuell")->isChecked());
  EXPECT_FALSE(test::Kind<QWidget>(*form, "SecretPanel")->isVisibleTo(form.get()));
  EXPECT_EQ(form->size(), groesse);
  dialoge.dateien = {""};
  test::Kind<QPushButton>(*form, "SaveButn")->click();
  ASSERT_EQ(dialoge.dateiDialoge.size(), 2);
  EXPECT_TRUE(dialoge.dateiDialoge[1].startsWith("Quarne Datei (*.ml) " + spiele + "/Partie "))
      << dialoge.dateiDialoge[1].toStdString();
}

// Settings that no longer fit, from another version or written by hand, are passed over.
TEST_F(Nutzer, UnpassendeWerteBleibenOhneWirkung) {
  {
    QSettings s(ordner.filePath("Tarvolin.conf"), QSettings::IniFormat);
    s.setValue("Optionen/AutoGroup", 42);
    s.setValue("Optionen/TiefeSE1", 99);
    s.setValue("Optionen/RemisGroup", -3);
    s.setValue("Optionen/CPUSPE", 1000);
    s.setValue("Fenster/Geometrie", QByteArray("kaputt"));
    s.setValue("Dateien/LetzterOrdner", ordner.filePath("fehlt"));
  }
  const auto form = Starte();
  EXPECT_EQ(test::RadioIndex(*form, "AutoGroup"), 3);
  EXPECT_EQ(test::Kind<QSpinBox>(*form, "TiefeSE1")->value(), 16);
  EXPECT_EQ(test::RadioIndex(*form, "RemisGroup"), 1);
  EXPECT_EQ(test::Kind<QSpinBox>(*form, "CPUSPE")->value(), 4);
  EXPECT_GE(form->width(), form->minimumWidth());
  dialoge.dateien = {""};
  test::Kind<QPushButton>(*form, "SaveButn")->click();
  ASSERT_EQ(dialoge.dateiDialoge.size(), 1);
  EXPECT_FALSE(dialoge.dateiDialoge[0].contains("fehlt")) << dialoge.dateiDialoge[0].toStdString();
}

}  // namespace
}  // namespace quarne
