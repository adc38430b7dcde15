#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "library/bibfile.h"
#include "library/building.h"
#include "library/entryfile.h"
#include "library/file_lock.h"
#include "library/lookup.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/window_fixture.h"
#include "ui/library_grid.h"
#include "ui/library_tab.h"
#include "ui/main_window.h"
#include "ui/search_monitor.h"

namespace quarne {
namespace {

using test::SkriptDialoge;

constexpr std::int64_t kHalbeStunde = 30 * 60 * 1000;
const QColor kRot(255, 0, 0), kGruen(0, 128, 0);

TEST(BibGridZellen, ZahlenUndFarben) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const struct {
    double wert;
    int dezimalen;
    const char* text;
  } zahlen[] = {{0, 0, ""},
                {0, 1, ""},
                {7, 0, "7"},
                {1234, 0, "1.234"},
                {9999999, 0, "9.999.999"},
                {12345678, 0, "12.346 T"},
                {0.04, 1, "0,0"},
                {2.25, 1, "2,3"}};
  for (const auto& z : zahlen) EXPECT_EQ(ZahlText(z.wert, z.dezimalen), z.text) << z.wert;
  EXPECT_DOUBLE_EQ(BibMegabyte(2221), 2221.0 * 472 / 1048576);

  const struct {
    int spalte, zeile;
    QColor farbe;
  } farben[] = {{1, 0, {239, 239, 239}},   {1, 6, {239, 239, 239}}, {1, 7, {255, 245, 221}},
                {2, 0, {255, 255, 255}},   {3, 6, {222, 222, 222}}, {2, 7, {255, 251, 240}},
                {19, 23, {255, 240, 200}}, {4, 23, {255, 251, 240}}};
  for (const auto& f : farben)
    EXPECT_EQ(BibZellFarbe(f.spalte, f.zeile), f.farbe) << f.spalte << "," << f.zeile;
}

// The window with its files in a folder of its own, the library tab in front.
class BibTab : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(ordner.isValid());
    form = std::make_unique<TQuarneForm>(&dialoge);
    form->SetzeDateien(ProgrammDateien(ordner.path(), true));
    form->SetzeProzessoren(2);
    form->resize(1400, 900);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    test::Kind<QTabWidget>(*form, "PageControl")
        ->setTabVisible(test::Kind<QTabWidget>(*form, "PageControl")
                            ->indexOf(test::Kind<QWidget>(*form, "BibSheet")),
                        true);
    test::Kind<QTabWidget>(*form, "PageControl")
        ->setCurrentWidget(test::Kind<QWidget>(*form, "BibSheet"));
  }
  void TearDown() override { form.reset(); }

  QString Datei(const char* name) const { return QDir(ordner.path()).filePath(name); }
  quarne::BibTab* Tab() { return test::Kind<quarne::BibTab>(*form, "BibSheet"); }
  QCheckBox* CB(int L) { return form->findChild<QCheckBox*>(QString("BspCB%1").arg(L)); }
  QSpinBox* SE(int L) { return form->findChild<QSpinBox*>(QString("BspSE%1").arg(L)); }
  QLabel* Lab(int L) { return form->findChild<QLabel*>(QString("BspLabel%1").arg(L)); }
  QString Zelle(int spalte, int zeile) {
    return test::Kind<BibGrid>(*form, "BibGrid")->Zelle(spalte, zeile);
  }
  // The level boxes as "1" and "0", level 0 first.
  QString Aktiv() {
    QString s;
    for (int L = 0; L < kBibStufen - 1; ++L) s += CB(L)->isChecked() ? '1' : '0';
    return s;
  }
  // Levels 0 and 1 at depth 3, built with the button.
  void BaueKlein() {
    CB(1)->click();
    SE(0)->setValue(3);
    SE(1)->setValue(3);
    test::Kind<QPushButton>(*form, "BibErstellen")->click();
    ASSERT_TRUE(form->Bibliothek()[0].BibZuege[0].BibBerechnet);
  }
  // A library holding only the two entries of the empty board, as building starts it.
  static TBibliothek NurWurzeln() {
    TBibliothek b;
    for (const TrSC rolle : {rC, rS}) {
      TBibZug e;
      e.BibZuBerechnen = e.Frei = true;
      e.rSC = rolle;
      b[0].BibZuege.push_back(e);
    }
    return b;
  }
  static void Schreibe(const QString& pfad, const QByteArray& inhalt) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
  }
  // The texts of the context menu that a right click over the grid opens.
  QStringList KontextMenueDesGrids() {
    QStringList menue;
    QTimer::singleShot(0, form.get(), [&] {
      if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* a : m->actions()) menue << a->text();
        m->close();
      }
    });
    QWidget* zelle = test::Kind<BibGrid>(*form, "BibGrid")->viewport();
    QContextMenuEvent rechtsklick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                  zelle->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(zelle, &rechtsklick);
    return menue;
  }
  // An entry file with the calculation of the empty board that the library `bib` holds.
  static void SchreibeWurzelEintrag(const QString& bib, const QString& eintraege) {
    TBibliothek quelle;
    ASSERT_EQ(LeseBib(std::filesystem::path(bib.toStdString()), quelle).Code, TBibCode::Ok);
    TStep s{};
    FuelleStep(quelle, 0, 0, s);
    TSBibEintrag eintrag;
    eintrag.Zug = quelle[0].BibZuege[0].Zug;
    eintrag.VirtuellAb = s.VirtuellAb;
    eintrag.STDenkTiefe = s.STDenkTiefe;
    for (int i = 1; i <= s.ZuegeAnzahl; ++i) eintrag.Zuege.push_back(s.Zuege[i]);
    const std::vector<TSBibEintrag> liste = {eintrag};
    ASSERT_EQ(SchreibeSBib(std::filesystem::path(eintraege.toStdString()), liste),
              TDateiMeldung::Keine);
  }

  QTemporaryDir ordner;
  SkriptDialoge dialoge;
  std::unique_ptr<TQuarneForm> form;
};

TEST_F(BibTab, StufenSindGekoppelt) {
  EXPECT_EQ(Lab(0)->text(), "Leer Brett");
  EXPECT_EQ(Lab(7)->text(), "7. Zug");
  EXPECT_EQ(test::Kind<QLabel>(*form, "BspLabel18")->text(), "18. Zug");
  const struct {
    std::function<void()> schritt;
    const char* aktiv;
  } schritte[] = {
      {[&] { CB(5)->click(); }, "111111000000000000"},
      {[&] { CB(3)->click(); }, "111000000000000000"},
      {[&] { CB(17)->click(); }, "111111111111111111"},
      // "Einzelauswahl": each box alone.
      {[&] { test::Kind<QCheckBox>(*form, "CBAktivKoppl")->click(); }, "111111111111111111"},
      {[&] { CB(3)->click(); }, "111011111111111111"},
      {[&] { test::Kind<QCheckBox>(*form, "CBAktivKoppl")->click(); }, "111011111111111111"},
      {[&] { CB(0)->click(); }, "000000000000000000"},
      // A depth switches its level on, with the levels below.
      {[&] { SE(7)->setValue(10); }, "111111110000000000"},
  };
  for (const auto& s : schritte) {
    s.schritt();
    EXPECT_EQ(Aktiv(), s.aktiv);
  }
  // Below the default depth the label is red, at it or above green again.
  EXPECT_EQ(Lab(7)->palette().color(QPalette::WindowText), kRot);
  EXPECT_EQ(Lab(6)->palette().color(QPalette::WindowText), kGruen);
  SE(7)->setValue(11);
  EXPECT_EQ(Lab(7)->palette().color(QPalette::WindowText), kGruen);
  SE(0)->setValue(14);
  EXPECT_EQ(Lab(0)->palette().color(QPalette::WindowText), kGruen);
}

TEST_F(BibTab, ErstellenUndPruefen) {
  BaueKlein();
  EXPECT_TRUE(test::Kind<QCheckBox>(*form, "CBVoll")->isChecked());
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibStatus")->text(),
            "Erstellung abgeschlossen.\nEs wurde die Nullstellung und 4 weitere Stellungen "
            "berechnet.");
  EXPECT_EQ(dialoge.beeps, 1);
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());
  EXPECT_TRUE(form->Bibliothek()[1].BibAktiv);
  EXPECT_EQ(form->Bibliothek()[1].BibTiefe, 3);
  EXPECT_FALSE(form->Bibliothek()[2].BibAktiv);
  // The last position: one of level 1, the player having placed a white stone.
  EXPECT_EQ(test::Kind<QLabel>(*form, "ZugLab")->text(), "1. Zug als Basis für:");
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibAktivZNr")->text(), "2. Zug");
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibDTiefe")->text(), "3");
  EXPECT_EQ(test::BrettAnsicht(*form, "BibPB").BibFarbe(), clWeiss);
  EXPECT_TRUE(test::Kind<QLabel>(*form, "BibBytes")->text().endsWith(" MB"));
  // The window is free again.
  EXPECT_FALSE(test::Kind<QTimer>(*form, "BibTimer")->isActive());
  EXPECT_TRUE(test::Kind<QWidget>(*form, "TabOben")->isEnabled());
  EXPECT_TRUE(test::Kind<QPushButton>(*form, "BibErstellen")->isEnabled());
  EXPECT_TRUE(test::Kind<QAction>(*form, "FusBut")->isEnabled());
  EXPECT_FALSE(test::Kind<QPushButton>(*form, "ZiehB")->isEnabled());
  EXPECT_EQ(test::Kind<QWidget>(*form, "StatusPanel")->palette().color(QPalette::Window),
            QColor(255, 251, 240));

  // Level 0 has the computer's and the player's empty board, level 1 the player's 24 first
  // stones, which come to four positions; all are calculated at depth 3.
  const struct {
    int spalte, zeile;
    const char* text;
  } zellen[] = {{1, 0, "2"}, {1, 1, "1 C"}, {1, 2, "1 S"}, {1, 3, "0,0"}, {1, 4, "1"},
                {1, 5, ""},  {1, 6, "1"},   {1, 10, "1"},  {1, 7, ""},    {2, 2, "4 C"},
                {2, 4, "4"}, {2, 5, ""},    {2, 6, "4"},   {2, 10, "4"}};
  for (const auto& z : zellen) EXPECT_EQ(Zelle(z.spalte, z.zeile), z.text) << z.spalte << z.zeile;
  EXPECT_TRUE(Zelle(2, 1).endsWith(" S"));
  // A deeper target counts the positions as still to calculate.
  SE(1)->setValue(4);
  EXPECT_EQ(Zelle(2, 5), "4");
  SE(1)->setValue(3);

  test::Kind<QPushButton>(*form, "BibErstellen")->click();
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibStatus")->text(), kNichtsZuBerechnen);
  EXPECT_EQ(dialoge.beeps, 2);

  test::Kind<QPushButton>(*form, "CheckButn")->click();
  EXPECT_EQ(dialoge.nachrichten, QStringList{"Check ok"});
  EXPECT_TRUE(test::Kind<QLabel>(*form, "CheckLab")->text().contains("DG Spalte = "));
  form->Bibliothek()[1].BibZuege[0].ZuLoeschen = true;
  test::Kind<QPushButton>(*form, "CheckButn")->click();
  EXPECT_EQ(dialoge.nachrichten.last(), "Fehlercheck Zu Loeschen");
}

// Half an hour after the start the library goes to "Autosave.bib", and again half an hour after
// that.
TEST_F(BibTab, AutosaveJedeHalbeStunde) {
  BaueKlein();
  const QString autosave = Datei("Autosave.bib");
  EXPECT_FALSE(QFile::exists(autosave));
  form->Anzeige().StelleUhrVor(kHalbeStunde);
  Tab()->POnBibTimer();
  ASSERT_TRUE(QFile::exists(autosave));
  TBibliothek gesichert;
  ASSERT_EQ(LeseBib(std::filesystem::path(autosave.toStdString()), gesichert).Code, TBibCode::Ok);
  EXPECT_EQ(gesichert[1].BibCnt(), form->Bibliothek()[1].BibCnt());
  QFile::remove(autosave);
  Tab()->POnBibTimer();
  EXPECT_FALSE(QFile::exists(autosave));
  form->Anzeige().StelleUhrVor(kHalbeStunde);
  Tab()->POnBibTimer();
  EXPECT_TRUE(QFile::exists(autosave));
}

// Switching level 1 off keeps of it only the computer's moves from the empty board, once the user
// has agreed; No, the default, keeps everything.
TEST_F(BibTab, AbschaltenNachRueckfrage) {
  BaueKlein();
  CB(1)->click();
  const QString vorher = Zelle(2, 2);
  dialoge.antworten = {false};
  test::Kind<QPushButton>(*form, "InaktivBut")->click();
  EXPECT_EQ(Zelle(2, 2), vorher);
  dialoge.antworten = {true};
  test::Kind<QPushButton>(*form, "InaktivBut")->click();
  EXPECT_EQ(dialoge.fragen.size(), 2);
  EXPECT_EQ(Zelle(2, 2), "");
  EXPECT_EQ(Zelle(2, 4), "");
  EXPECT_NE(Zelle(2, 0), "");
  EXPECT_FALSE(form->Bibliothek()[0].BibZuege[1].BibBerechnet);
  EXPECT_TRUE(form->Bibliothek().Geaendert);
}

TEST_F(BibTab, FortschrittDesTimers) {
  BauFortschritt& f = Tab()->Fortschritt();
  const std::int64_t jetzt = form->Anzeige().JetztMs();
  // A building of a day and more whose last autosave was just made.
  f.Beginne(jetzt - (((24 + 1) * 3600 + 2 * 60 + 3) * 1000 + 500));
  ASSERT_TRUE(f.AutosaveFaellig(jetzt));
  f.PositionGespeichert(1000000);
  form->Bibliothek()[3].BibZuege.resize(4444);
  // A position with one of its four root moves done after ten seconds, no move generated for it
  // yet: thirty to go. The real clock runs on between the readings; the margins of 0.3 s keep
  // the seconds shown.
  TStep wurzel{};
  wurzel.ZuegeAnzahl = 4;
  f.PositionBeginnt(jetzt - 10100);
  Tab()->ZeigeFortschritt(wurzel, 0);
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibXVonY")->text(), "0 / 4");
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibDauerSub")->text(), "---");
  wurzel.Zuege[1].BEWERTET = true;
  Tab()->ZeigeFortschritt(wurzel, 0);
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibDauer")->text(), "1 Tage und 1h2m3s");
  EXPECT_EQ(test::Kind<QLineEdit>(*form, "BibBerZgInsg")->text(), "1.000.000");
  EXPECT_EQ(test::Kind<QLineEdit>(*form, "BibZuegeStellung")->text(), "0");
  EXPECT_EQ(test::Kind<QLineEdit>(*form, "BibZgProSek")->text(), "11");
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibBytes")->text(), "2,0 MB");
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibXVonY")->text(), "1 / 4");
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibDauerSub")->text(), "0 Tage und 0h0m30s");
  form->Anzeige().StelleUhrVor(20000);
  // The running text fills up to ten dots and starts again; the panel blinks.
  const QColor creme(255, 251, 240), gelb(255, 255, 0);
  const struct {
    const char* text;
    QColor farbe;
  } ticks[] = {{"Berechnung läuft ...       ", gelb}, {"Berechnung läuft ....      ", creme},
               {"Berechnung läuft .....     ", gelb}, {"Berechnung läuft ......    ", creme},
               {"Berechnung läuft .......   ", gelb}, {"Berechnung läuft ........  ", creme},
               {"Berechnung läuft ......... ", gelb}, {"Berechnung läuft ..........", creme},
               {"Berechnung läuft .         ", gelb}, {"Berechnung läuft ..        ", creme}};
  for (const auto& tick : ticks) {
    Tab()->ZeigeFortschritt(wurzel, 0);
    EXPECT_EQ(test::Kind<QLabel>(*form, "BibStatus")->text(), tick.text);
    EXPECT_EQ(test::Kind<QWidget>(*form, "StatusPanel")->palette().color(QPalette::Window),
              tick.farbe);
  }
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibDauerSub")->text(), "0 Tage und 0h0m10s");
  EXPECT_FALSE(QFile::exists(Datei("Autosave.bib")));
}

TEST_F(BibTab, StopWaehrendDerErstellung) {
  SE(0)->setValue(14);
  const auto waehrend = [&] {
    EXPECT_TRUE(form->SucheStand().Laeuft());
    EXPECT_TRUE(test::Kind<QTimer>(*form, "BibTimer")->isActive());
    EXPECT_EQ(test::Kind<QLabel>(*form, "ZugLab")->text(), "Nullstellung als Basis für:");
    EXPECT_EQ(test::Kind<QLabel>(*form, "BibStellung")->text(), "1 (Zufall Stellung: 0)");
    EXPECT_EQ(test::Kind<QLabel>(*form, "BibDTiefe")->text(), "14");
    for (QWidget* w : std::initializer_list<QWidget*>{
             test::Kind<QPushButton>(*form, "BibErstellen"),
             test::Kind<QPushButton>(*form, "BibLoeschen"),
             test::Kind<QPushButton>(*form, "BibOeffnen"), test::Kind<QWidget>(*form, "TabOben"),
             test::Kind<QPushButton>(*form, "DenkeBut")})
      EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(test::Kind<QAction>(*form, "SBibBut")->isEnabled());
    EXPECT_TRUE(test::Kind<QPushButton>(*form, "Stoppen")->isEnabled());
    // Nothing changes the library under the building, whatever calls it.
    Tab()->BibLoeschenClick();
    Tab()->InaktivButClick();
    EXPECT_EQ(form->Bibliothek()[0].BibCnt(), 2);
    test::Kind<QPushButton>(*form, "Stoppen")->click();
  };
  EXPECT_TRUE(test::WaehrendDerSuche(
      *form, [&] { test::Kind<QPushButton>(*form, "BibErstellen")->click(); }, waehrend));
  EXPECT_EQ(test::Kind<QLabel>(*form, "BibStatus")->text(),
            "Erstellung abgebrochen.\nEs wurde keine Stellung berechnet.");
  EXPECT_FALSE(form->Bibliothek()[0].BibZuege[0].BibBerechnet);
  EXPECT_TRUE(test::Kind<QPushButton>(*form, "BibErstellen")->isEnabled());
  EXPECT_TRUE(test::Kind<QWidget>(*form, "TabOben")->isEnabled());
  EXPECT_FALSE(test::Kind<QTimer>(*form, "BibTimer")->isActive());
}

// During the computer's search the library's operations rest: their buttons are disabled, and
// the handlers do nothing when called anyway.
TEST_F(BibTab, NichtsWaehrendEinerSuche) {
  test::Radio(*form, "AutoGroup", 0)->click();
  test::Kind<QSpinBox>(*form, "TiefeSE1")->setValue(14);
  test::Kind<QPushButton>(*form, "WechselBut")->click();
  const auto waehrend = [&] {
    ASSERT_TRUE(form->SucheStand().Laeuft());
    EXPECT_FALSE(test::Kind<QPushButton>(*form, "BibErstellen")->isEnabled());
    EXPECT_FALSE(test::Kind<QAction>(*form, "FusBut")->isEnabled());
    for (const auto handler : {&quarne::BibTab::BibErstellenClick, &quarne::BibTab::CheckButnClick,
                               &quarne::BibTab::BibLoeschenClick, &quarne::BibTab::InaktivButClick,
                               &quarne::BibTab::SicherungClick, &quarne::BibTab::BibOeffnenClick,
                               &quarne::BibTab::BibSpeichernClick, &quarne::BibTab::FusButClick,
                               &quarne::BibTab::SBibButClick})
      (Tab()->*handler)();
    EXPECT_TRUE(dialoge.nachrichten.isEmpty());
    EXPECT_TRUE(dialoge.dateiDialoge.isEmpty());
    EXPECT_FALSE(form->Bibliothek().Geaendert);
    QTest::mouseClick(test::Kind<QToolButton>(*form, "StopSP"), Qt::LeftButton);
  };
  EXPECT_TRUE(test::WaehrendDerSuche(
      *form, [&] { test::Kind<QPushButton>(*form, "DenkeBut")->click(); }, waehrend));
  EXPECT_TRUE(test::Kind<QPushButton>(*form, "BibErstellen")->isEnabled());
  EXPECT_TRUE(test::Kind<QAction>(*form, "SBibBut")->isEnabled());
}

TEST_F(BibTab, VollstaendigLoeschenUndAnzeigeBeimWechsel) {
  // A changed library is shown when its tab comes to the front.
  test::Kind<QTabWidget>(*form, "PageControl")
      ->setCurrentWidget(test::Kind<QWidget>(*form, "TabOben"));
  form->Bibliothek()[3].BibZuege.resize(5);
  test::Kind<QTabWidget>(*form, "PageControl")
      ->setCurrentWidget(test::Kind<QWidget>(*form, "BibSheet"));
  EXPECT_EQ(Zelle(4, 0), "");
  test::Kind<QTabWidget>(*form, "PageControl")
      ->setCurrentWidget(test::Kind<QWidget>(*form, "TabOben"));
  form->Bibliothek().Geaendert = true;
  test::Kind<QTabWidget>(*form, "PageControl")
      ->setCurrentWidget(test::Kind<QWidget>(*form, "BibSheet"));
  EXPECT_EQ(Zelle(4, 0), "5");

  CB(5)->click();
  SE(2)->setValue(3);
  form->Bibliothek().Geaendert = false;
  dialoge.antworten = {false};
  test::Kind<QPushButton>(*form, "BibLoeschen")->click();
  EXPECT_EQ(form->Bibliothek()[3].BibCnt(), 5);
  EXPECT_FALSE(form->Bibliothek().Geaendert);
  EXPECT_EQ(SE(2)->value(), 3);
  dialoge.antworten = {true};
  test::Kind<QPushButton>(*form, "BibLoeschen")->click();
  ASSERT_EQ(dialoge.fragen.size(), 2);
  EXPECT_TRUE(dialoge.fragen[0].contains("ganze Eröffnungsbibliothek löschen"));
  EXPECT_EQ(form->Bibliothek()[3].BibCnt(), 0);
  EXPECT_TRUE(form->Bibliothek().Geaendert);
  EXPECT_EQ(Aktiv(), "000000000000000000");
  const int standard[] = {13, 13, 12, 12, 12, 12, 12, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11};
  for (int L = 0; L < kBibStufen - 1; ++L) {
    EXPECT_EQ(SE(L)->value(), standard[L]) << L;
    EXPECT_EQ(Lab(L)->palette().color(QPalette::WindowText), kGruen) << L;
  }
  for (int spalte = 1; spalte < BibGrid::kSpalten; ++spalte)
    for (int zeile = 0; zeile < BibGrid::kZeilen; ++zeile)
      EXPECT_EQ(Zelle(spalte, zeile), "") << spalte << "," << zeile;
}

TEST_F(BibTab, SicherungWiederherstellen) {
  const QString sicherung = Datei("Sicherung5.bib"), bibliothek = Datei("Bibliothek5.bib");
  Tab()->SicherungClick();
  EXPECT_EQ(dialoge.nachrichten,
            QStringList{"Sicherung.bib nicht im Programmverzeichnis enthalten. "
                        "Wiederherstellung nicht möglich!"});

  EXPECT_TRUE(dialoge.fragen.isEmpty());

  dialoge.nachrichten.clear();
  Schreibe(sicherung, QByteArray(40, 'x'));
  dialoge.antworten = {true};
  test::Kind<QPushButton>(*form, "Sicherung")->click();
  ASSERT_EQ(dialoge.nachrichten.size(), 2);
  EXPECT_EQ(dialoge.nachrichten[1],
            "Fehler beim Lesen der Sicherungsbibliothek. Wiederherstellung nicht möglich! ");
  EXPECT_FALSE(QFile::exists(bibliothek));

  dialoge.nachrichten.clear();
  TBibliothek gesichert = NurWurzeln();
  for (int L = 0; L <= 2; ++L) {
    gesichert[L].BibAktiv = true;
    gesichert[L].BibTiefe = 5;
  }
  ASSERT_EQ(SchreibeBib(std::filesystem::path(sicherung.toStdString()), gesichert),
            TDateiMeldung::Keine);
  form->Bibliothek().Geaendert = true;
  // No keeps the library as it is.
  dialoge.antworten = {false};
  test::Kind<QPushButton>(*form, "Sicherung")->click();
  EXPECT_FALSE(QFile::exists(bibliothek));
  EXPECT_TRUE(form->Bibliothek().Geaendert);
  dialoge.antworten = {true};
  test::Kind<QPushButton>(*form, "Sicherung")->click();
  EXPECT_EQ(dialoge.fragen.size(), 3);
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());
  EXPECT_TRUE(QFile::exists(bibliothek));
  EXPECT_FALSE(form->Bibliothek().Geaendert);
  EXPECT_EQ(Zelle(1, 0), "2");
  // The level controls take the settings of the file.
  EXPECT_EQ(Aktiv(), "111000000000000000");
  EXPECT_EQ(SE(2)->value(), 5);
  EXPECT_EQ(Lab(2)->palette().color(QPalette::WindowText), kRot);
}

TEST_F(BibTab, DateienUeberDieDialoge) {
  const QString ort = ordner.path();
  const QString kopie = Datei("kopie.bib"), kaputt = Datei("kaputt.bib");
  BaueKlein();
  // Merging and importing are offered by the tab's context menu, also over the grid.
  EXPECT_EQ(KontextMenueDesGrids(),
            (QStringList{"Bibliothek hinzufügen...", "Einträge importieren..."}));

  // Saving, and a dialog cancelled.
  dialoge.dateien = {kopie, ""};
  test::Kind<QPushButton>(*form, "BibSpeichern")->click();
  test::Kind<QPushButton>(*form, "BibOeffnen")->click();
  EXPECT_EQ(dialoge.dateiDialoge, (QStringList{"Bibliothek (*.bib) " + ort + "/Bibliothek.bib bib",
                                               "Bibliothek (*.bib) " + ort}));
  ASSERT_TRUE(QFile::exists(kopie));

  // Opening takes the library and its level settings; the modified flag stays as it was.
  dialoge.antworten = {true};
  test::Kind<QPushButton>(*form, "BibLoeschen")->click();
  form->Bibliothek().Geaendert = false;
  dialoge.dateien = {kopie};
  test::Kind<QPushButton>(*form, "BibOeffnen")->click();
  EXPECT_EQ(Zelle(1, 10), "1");
  EXPECT_EQ(Zelle(2, 10), "4");
  EXPECT_EQ(Aktiv(), "110000000000000000");
  EXPECT_EQ(SE(1)->value(), 3);
  EXPECT_FALSE(form->Bibliothek().Geaendert);
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());

  // Merging and importing offer calculations to the library: the empty board gets its moves.
  const QString eintraege = Datei("eintraege.sbib");
  ASSERT_NO_FATAL_FAILURE(SchreibeWurzelEintrag(kopie, eintraege));
  const struct {
    QAction* aktion;
    QString datei;
    const char* filter;
  } zugaenge[] = {{test::Kind<QAction>(*form, "FusBut"), kopie, "Bibliothek (*.bib) "},
                  {test::Kind<QAction>(*form, "SBibBut"), eintraege, "Bibliothek (*.sbib) "}};
  for (const auto& z : zugaenge) {
    SCOPED_TRACE(z.aktion->text().toStdString());
    form->Bibliothek() = NurWurzeln();
    Tab()->ZeigeBib();
    EXPECT_EQ(Zelle(1, 10), "");
    dialoge.dateiDialoge.clear();
    dialoge.dateien = {z.datei};
    if (z.aktion == test::Kind<QAction>(*form, "FusBut")) dialoge.antworten = {true};
    z.aktion->trigger();
    EXPECT_EQ(dialoge.dateiDialoge, QStringList{z.filter + ort});
    EXPECT_TRUE(form->Bibliothek()[0].BibZuege[0].BibBerechnet);
    EXPECT_TRUE(form->Bibliothek().Geaendert);
    EXPECT_EQ(Zelle(1, 10), "1");
    EXPECT_EQ(Zelle(2, 0), QString::number(form->Bibliothek()[1].BibCnt()));
  }
  // Merging reported what it added.
  ASSERT_EQ(dialoge.nachrichten.size(), 1);
  EXPECT_TRUE(dialoge.nachrichten[0].startsWith("Bibliothek hinzugefügt: "))
      << dialoge.nachrichten[0].toStdString();

  // A file that is no library: one box, the reader's, which says what is wrong.
  Schreibe(kaputt, QByteArray(40, 'x'));
  const struct {
    std::function<void()> aktion;
    QString datei;
  } fehler[] = {{[&] { test::Kind<QPushButton>(*form, "BibOeffnen")->click(); }, kaputt},
                {[&] { test::Kind<QAction>(*form, "FusBut")->trigger(); }, kaputt},
                {[&] { test::Kind<QAction>(*form, "SBibBut")->trigger(); }, kopie}};
  for (const auto& f : fehler) {
    dialoge.nachrichten.clear();
    dialoge.dateien = {f.datei};
    f.aktion();
    EXPECT_EQ(dialoge.nachrichten.size(), 1) << dialoge.nachrichten.join(" | ").toStdString();
  }
}

// The window holds the library it read; saving over a file that another program has changed
// since asks first, and a file another writer holds is left alone with a message.
TEST_F(BibTab, SpeichernUeberFremdeAenderung) {
  const QString bibliothek = Datei("Bibliothek5.bib");
  const std::filesystem::path pfad = bibliothek.toStdString();
  BaueKlein();
  ASSERT_EQ(SchreibeBib(pfad, NurWurzeln()), TDateiMeldung::Keine);
  const auto inhalt = [&] {
    QFile f(bibliothek);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  const QByteArray fremd = inhalt();
  const QString frage =
      "Die Datei " + bibliothek +
      " wurde seit dem Lesen von einem anderen Programm geändert. Überschreiben ?";

  dialoge.antworten = {false};
  dialoge.dateien = {bibliothek};
  test::Kind<QPushButton>(*form, "BibSpeichern")->click();
  EXPECT_EQ(dialoge.fragen, QStringList{frage});
  EXPECT_EQ(inhalt(), fremd);

  dialoge.antworten = {true};
  dialoge.dateien = {bibliothek};
  test::Kind<QPushButton>(*form, "BibSpeichern")->click();
  EXPECT_EQ(dialoge.fragen.size(), 2);
  TBibliothek gelesen;
  ASSERT_EQ(LeseBib(pfad, gelesen).Code, TBibCode::Ok);
  EXPECT_TRUE(gelesen[0].BibZuege[0].BibBerechnet);

  // Its own save is no change by another program.
  dialoge.dateien = {bibliothek};
  test::Kind<QPushButton>(*form, "BibSpeichern")->click();
  EXPECT_EQ(dialoge.fragen.size(), 2);

  const QByteArray eigen = inhalt();
  {
    const TDateiSperre anderer(pfad, 0);
    ASSERT_TRUE(anderer.Gehalten());
    dialoge.dateien = {bibliothek};
    test::Kind<QPushButton>(*form, "BibSpeichern")->click();
  }
  ASSERT_FALSE(dialoge.nachrichten.isEmpty());
  EXPECT_EQ(dialoge.nachrichten.last(), "Die Datei " + bibliothek +
                                            " wird gerade von einem anderen Programm geändert. "
                                            "Bitte versuchen Sie es später noch einmal.");
  EXPECT_EQ(inhalt(), eigen);
  EXPECT_EQ(dialoge.fragen.size(), 2);
}

// Merging names the level settings it takes over; No keeps library and settings, Yes merges and
// says how much it added.
TEST_F(BibTab, FusionFragtUndMeldet) {
  const QString andere = Datei("andere.bib");
  BaueKlein();
  TBibliothek quelle = form->Bibliothek();
  quelle[0].BibAktiv = true;
  quelle[0].BibTiefe = 7;
  quelle[1].BibAktiv = true;
  quelle[1].BibTiefe = 3;
  quelle[2].BibAktiv = true;
  quelle[2].BibTiefe = 9;
  ASSERT_EQ(SchreibeBib(std::filesystem::path(andere.toStdString()), quelle), TDateiMeldung::Keine);
  form->Bibliothek() = NurWurzeln();
  Tab()->ZeigeBib();
  const QString aktiv = Aktiv();
  const int tiefe2 = SE(2)->value();

  dialoge.dateien = {andere};
  dialoge.antworten = {false};
  test::Kind<QAction>(*form, "FusBut")->trigger();
  ASSERT_EQ(dialoge.fragen.size(), 1);
  const QString frage = dialoge.fragen[0];
  for (const char* teil : {"andere.bib", "Stufeneinstellungen", "Stufe 0: eingeschaltet, Tiefe 7",
                           "Stufe 1: eingeschaltet, Tiefe 3", "Stufe 2: eingeschaltet, Tiefe 9",
                           "ausgeschaltet: Stufen 3, 4,"})
    EXPECT_TRUE(frage.contains(QString::fromUtf8(teil))) << teil << " in " << frage.toStdString();
  EXPECT_FALSE(form->Bibliothek()[0].BibZuege[0].BibBerechnet);
  EXPECT_EQ(Aktiv(), aktiv);
  EXPECT_EQ(SE(2)->value(), tiefe2);
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());

  dialoge.dateien = {andere};
  dialoge.antworten = {true};
  test::Kind<QAction>(*form, "FusBut")->trigger();
  EXPECT_TRUE(form->Bibliothek()[0].BibZuege[0].BibBerechnet);
  EXPECT_EQ(Aktiv(), "111000000000000000");
  EXPECT_EQ(SE(2)->value(), 9);
  int eintraege = 0;
  for (int L = 0; L < kBibStufen; ++L) eintraege += form->Bibliothek()[L].BibCnt();
  ASSERT_EQ(dialoge.nachrichten.size(), 1);
  EXPECT_EQ(dialoge.nachrichten[0],
            QString("Bibliothek hinzugefügt: %1 neue Einträge, jetzt %2 Einträge.")
                .arg(eintraege - 2)
                .arg(eintraege));
}

}  // namespace
}  // namespace quarne
