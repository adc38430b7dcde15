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

#include "tests/ui/skript_dialoge.h"
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
    form->TonCB->setChecked(false);
    form->HolzCB->setChecked(false);
    form->CBUseBib->setChecked(false);
    form->BibSE->setValue(9);
    form->RemisGroup.Item(3)->click();
    form->AutoGroup.Item(5)->click();
    form->TiefeSE1->setValue(7);
    form->CPURadio.Item(0)->click();
    form->CPUSPE->setValue(3);
    form->CBVirtuell->setChecked(false);  // a developer option: not remembered
    form->resize(form->minimumSize() + QSize(40, 30));
    groesse = form->size();
    dialoge.dateien = {QDir(spiele).filePath("eins.ml")};
    form->SaveButn->click();
    // An analysis's depth and full evaluation are the analysis's, not the user's.
    form->ToAnalyzeWeiss->click();
    ASSERT_EQ(form->TiefeSE1->value(), 12);
    form->close();
  }
  const auto form = Starte();
  EXPECT_FALSE(form->TonCB->isChecked());
  EXPECT_FALSE(form->spielOpt.TonCB);
  EXPECT_FALSE(form->HolzCB->isChecked());
  EXPECT_FALSE(form->SpielBrett->Holz);
  EXPECT_FALSE(form->spielOpt.CBUseBib);
  EXPECT_TRUE(form->NotationCB->isChecked());
  EXPECT_EQ(form->spielOpt.BibSE, 9);
  EXPECT_EQ(form->RemisGroup.Index(), 3);
  EXPECT_EQ(form->einst.RemisLimit, kRemisLimits[3]);
  EXPECT_EQ(form->AutoGroup.Index(), 5);
  EXPECT_EQ(form->einst.AutoGroup, 5);
  EXPECT_EQ(form->TiefeSE1->value(), 7);
  EXPECT_EQ(form->TiefeSE2->value(), 7);
  EXPECT_FALSE(form->CBVoll->isChecked());
  EXPECT_EQ(form->CPURadio.Index(), 0);
  EXPECT_FALSE(form->spielOpt.Parallel);
  EXPECT_EQ(form->CPUSPE->value(), 3);
  EXPECT_TRUE(form->CBVirtuell->isChecked());
  EXPECT_FALSE(form->SecretPanel->isVisibleTo(form.get()));
  EXPECT_EQ(form->size(), groesse);
  dialoge.dateien = {""};
  form->SaveButn->click();
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
  EXPECT_EQ(form->AutoGroup.Index(), 3);
  EXPECT_EQ(form->TiefeSE1->value(), 16);
  EXPECT_EQ(form->RemisGroup.Index(), 1);
  EXPECT_EQ(form->CPUSPE->value(), 4);
  EXPECT_GE(form->width(), form->minimumWidth());
  dialoge.dateien = {""};
  form->SaveButn->click();
  ASSERT_EQ(dialoge.dateiDialoge.size(), 1);
  EXPECT_FALSE(dialoge.dateiDialoge[0].contains("fehlt")) << dialoge.dateiDialoge[0].toStdString();
}

}  // namespace
}  // namespace quarne
