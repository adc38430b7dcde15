#include <gtest/gtest.h>
#include <sys/resource.h>

#include <unistd.h>
#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <csignal>
#include <cstring>

#include "game/game_file.h"
#include "tests/ui/test_game.h"
#include "tests/ui/window_fixture.h"
#include "ui/move_list.h"

namespace quarne {
namespace {

using test::P;

QByteArray Inhalt(const QString& datei) {
  QFile f(datei);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Schreibe(const QString& datei, const QByteArray& inhalt) {
  QFile f(datei);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

class Partie : public test::Fenster {
 protected:
  void SetUp() override {
    Fenster::SetUp();
    ASSERT_TRUE(ordner.isValid());
  }
  QString Pfad(const QString& name) const { return ordner.filePath(name); }
  // Ten placing moves of two persons, without a mill.
  void ZehnZuege() {
    Kind<QCheckBox>("SpVsSpCB")->setChecked(true);
    for (const char* p : {"a1", "d1", "g1", "d2", "b2", "e3", "f4", "g4", "c5", "e4"}) Klicke(p);
    ASSERT_EQ(form->Spiel().LetzterZugNr(), 10);
  }
  void Speichere(const QString& datei) {
    dialoge.dateien = {datei};
    Kind<QPushButton>("SaveButn")->click();
  }
  void Lade(const QString& datei) {
    dialoge.dateien = {datei};
    Kind<QPushButton>("LoadButn")->click();
  }

  QTemporaryDir ordner;
};

TEST_F(Partie, SpeichernUndLaden) {
  Speichere(Pfad("leer.ml"));
  EXPECT_EQ(Inhalt(Pfad("leer.ml")).size(), 911);
  // The first dialog proposes a game of today in the program's folder, the next ones start in
  // the folder of the last file.
  ASSERT_EQ(dialoge.dateiDialoge.size(), 1);
  EXPECT_TRUE(
      QRegularExpression("^Quarne Datei \\(\\*\\.ml\\) " +
                         QRegularExpression::escape(QCoreApplication::applicationDirPath()) +
                         "/Partie \\d{4}-\\d\\d-\\d\\d\\.ml ml$")
          .match(dialoge.dateiDialoge[0])
          .hasMatch())
      << dialoge.dateiDialoge[0].toStdString();
  EXPECT_EQ(PartieName(QDate(2026, 12, 10)), "Partie 2026-12-10");
  dialoge.dateiDialoge.clear();
  Speichere(Pfad("leer.ml"));
  EXPECT_TRUE(
      dialoge.dateiDialoge.value(0).startsWith("Quarne Datei (*.ml) " + ordner.path() + "/Partie "))
      << dialoge.dateiDialoge.value(0).toStdString();

  ZehnZuege();
  // A setup on the setup tab goes into the file too.
  TBrettClass& aufbauBrett = BrettAnsicht("SetPB");
  TZug aufbau = aufbauBrett.Aufbau();
  aufbau.BrettNachZug.SteineStehend = P("a7 g7");
  aufbau.BrettNachZug.AlleSteine = P("a7 g7");
  aufbauBrett.SetzeAufbau(aufbau, aufbauBrett.AufbauFarbe());
  Kind<QSpinBox>("SPEDWeiss")->setValue(4);
  // Viewing an earlier position still saves every move.
  for (int i = 0; i < 3; ++i) Kind<QPushButton>("OneUp")->click();
  ASSERT_EQ(form->Spiel().AktZugNr(), 8);
  if (form->Spiel().ComputerFarbe() != clWeiss)
    Kind<QPushButton>("WechselBut")->click();  // not the default
  ASSERT_EQ(form->Spiel().ComputerFarbe(), clWeiss);
  Speichere(Pfad("zehn.ml"));
  const QByteArray zehn = Inhalt(Pfad("zehn.ml"));
  ASSERT_EQ(zehn.size(), 9931);

  dialoge.antworten = {true};
  Kind<QPushButton>("NeuBut")->click();
  Kind<QPushButton>("ResetAnalyze")->click();
  // A result left from before, for the position the loaded game will show: the computer's
  // search of it, stopped once it has one.
  Lade(Pfad("zehn.ml"));
  KlickeUnd(
      Kind<QPushButton>("DenkeBut"), [this] { Kind<QAbstractButton>("StopSP")->click(); },
      [this] { return form->SucheStand().ErgebnisBereit(); });
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 10);
  ASSERT_TRUE(Kind<QPushButton>("ZiehB")->isEnabled());
  Kind<QTabWidget>("PageControl")->setCurrentWidget(Kind<QWidget>("TabEinstellung"));
  Lade(Pfad("zehn.ml"));
  EXPECT_TRUE(dialoge.nachrichten.isEmpty());
  const Spielstand& s = form->Spiel();
  EXPECT_EQ(s.LetzterZugNr(), 10);
  EXPECT_EQ(s.AktZugNr(), 11);  // the end of the game is shown
  EXPECT_EQ(s.ComputerFarbe(), clWeiss);
  EXPECT_EQ(Kind<QTabWidget>("PageControl")->currentWidget(), Kind<QWidget>("TabOben"));
  EXPECT_FALSE(Kind<QPushButton>("ZiehB")->isEnabled());  // nothing of before is played into it
  EXPECT_EQ(test::BrettAnsicht(*form, "BrettBP").Eingabe().MovesZug_1.BrettNachZug.AlleSteine,
            P("a1 d1 g1 d2 b2 e3 f4 g4 c5 e4"));
  EXPECT_EQ(Kind<QSpinBox>("SPEDWeiss")->value(), 4);
  EXPECT_EQ(Kind<QLineEdit>("EditWeisseSteine")->text(), "2");
  EXPECT_EQ(Kind<QLineEdit>("EDLostWeiss")->text(), "2");
  // Saved again at once, the file is the same byte for byte; saving over it replaces it.
  Speichere(Pfad("zehn.ml"));
  EXPECT_EQ(Inhalt(Pfad("zehn.ml")), zehn);
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files).size(), 2);  // no temporary file left

  // "<" steps back through the loaded moves.
  Kind<QPushButton>("OneUp")->click();
  EXPECT_EQ(s.AktZugNr(), 10);
  EXPECT_EQ(test::BrettAnsicht(*form, "BrettBP").Eingabe().MovesZug_1.BrettNachZug.AlleSteine,
            P("a1 d1 g1 d2 b2 e3 f4 g4 c5"));
}

// A file the reader rejects leaves the game as it was and says why.
TEST_F(Partie, FalscheDateienAendernDasSpielNicht) {
  ZehnZuege();
  Speichere(Pfad("gut.ml"));
  const QByteArray gut = Inhalt(Pfad("gut.ml"));
  const auto mitZahl = [&](int stelle, std::int32_t wert) {
    QByteArray b = gut;
    std::memcpy(b.data() + stelle, &wert, 4);
    return b;
  };
  const struct {
    const char* name;
    QByteArray inhalt;
  } faelle[] = {
      {"kurz.ml", gut.left(gut.size() - 1)},
      {"lang.ml", gut + QByteArray(1, '\0')},
      {"zweihunderteins.ml", mitZahl(450, 201)},
      {"negativ.ml", mitZahl(450, -1)},
      {"farbe.ml",
       [&] {
         QByteArray b = gut;
         b[449] = 2;
         return b;
       }()},
      {"nr.ml", mitZahl(454 + 902, 3)},
  };
  for (const auto& f : faelle) {
    Schreibe(Pfad(f.name), f.inhalt);
    dialoge.nachrichten.clear();
    Lade(Pfad(f.name));
    EXPECT_EQ(dialoge.nachrichten,
              QStringList{"Die Datei " + Pfad(f.name) + " ist keine gültige Quarne-Datei."})
        << f.name;
    Speichere(Pfad("danach.ml"));
    EXPECT_EQ(Inhalt(Pfad("danach.ml")), gut) << f.name;
  }
  // An endless "file" is read no further than the largest game.
  ASSERT_TRUE(QFile::link("/dev/zero", Pfad("endlos.ml")));
  dialoge.nachrichten.clear();
  Lade(Pfad("endlos.ml"));
  EXPECT_EQ(dialoge.nachrichten,
            QStringList{"Die Datei " + Pfad("endlos.ml") + " ist keine gültige Quarne-Datei."});
  dialoge.nachrichten.clear();
  Lade(Pfad("fehlt.ml"));
  EXPECT_EQ(dialoge.nachrichten,
            QStringList{"Datei " + Pfad("fehlt.ml") + " kann nicht geöffnet werden."});
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 10);
}

TEST_F(Partie, MisslungenesSpeichernBehaeltDieAlteDatei) {
  Speichere(Pfad("alt.ml"));
  const QByteArray alt = Inhalt(Pfad("alt.ml"));
  ZehnZuege();
  const QString meldung = "Stellen Sie Schreibrechte auf den Ordner " + ordner.path() +
                          "/ sicher. Der Schreibvorgang war nicht erfolgreich.";

  // A file may grow only to 2000 bytes: the folder can be written, the new game cannot.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit vorher{};
  getrlimit(RLIMIT_FSIZE, &vorher);
  rlimit klein = vorher;
  klein.rlim_cur = 2000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &klein), 0);
  Speichere(Pfad("alt.ml"));
  setrlimit(RLIMIT_FSIZE, &vorher);
  EXPECT_EQ(dialoge.nachrichten, QStringList{meldung});
  EXPECT_EQ(Inhalt(Pfad("alt.ml")), alt);
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList{"alt.ml"});

  // A folder that cannot be written; root may write anywhere.
  if (geteuid() != 0) {
    ASSERT_TRUE(QFile::setPermissions(ordner.path(), QFile::ReadOwner | QFile::ExeOwner));
    dialoge.nachrichten.clear();
    Speichere(Pfad("alt.ml"));
    QFile::setPermissions(ordner.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(dialoge.nachrichten, QStringList{meldung});
    EXPECT_EQ(Inhalt(Pfad("alt.ml")), alt);
  }
  Speichere(Pfad("alt.ml"));
  EXPECT_EQ(Inhalt(Pfad("alt.ml")).size(), 9931);
}

// Loading over moves that were not saved asks first; No, the default, keeps the game.
TEST_F(Partie, LadenUeberUngespeicherteZuege) {
  ZehnZuege();
  Speichere(Pfad("zehn.ml"));
  dialoge.antworten = {true};
  Kind<QPushButton>("NeuBut")->click();
  for (const char* p : {"a1", "d1"}) Klicke(p);
  ASSERT_TRUE(form->Ungespeichert());

  dialoge.fragen.clear();
  dialoge.antworten = {false};
  Lade(Pfad("zehn.ml"));
  ASSERT_EQ(dialoge.fragen.size(), 1);
  EXPECT_TRUE(dialoge.fragen[0].contains("nicht gespeichert")) << dialoge.fragen[0].toStdString();
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 2);

  dialoge.antworten = {true};
  Lade(Pfad("zehn.ml"));
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 10);
  EXPECT_FALSE(form->Ungespeichert());
  // A game just loaded, or just saved, is replaced without a question.
  Lade(Pfad("zehn.ml"));
  Klicke("a4");
  ASSERT_EQ(form->Spiel().LetzterZugNr(), 11);
  Speichere(Pfad("elf.ml"));
  Lade(Pfad("zehn.ml"));
  EXPECT_EQ(dialoge.fragen.size(), 2);
  EXPECT_EQ(form->Spiel().LetzterZugNr(), 10);
}

TEST_F(Partie, SpielAusDerBefehlszeile) {
  ZehnZuege();
  Speichere(Pfad("SPIEL.ML"));
  Schreibe(Pfad("kaputt.ml"), "kein Spiel");
  QFile::copy(Pfad("SPIEL.ML"), Pfad("spiel.mlz"));
  QFile::copy(Pfad("SPIEL.ML"), Pfad("spiel.txt"));
  const struct {
    QString argument;
    int zuege;
  } faelle[] = {
      {Pfad("SPIEL.ML"), 10}, {Pfad("spiel.mlz"), 10},  // contains ".ml"
      {Pfad("spiel.txt"), 0}, {Pfad("kaputt.ml"), 0},   // passed over in silence
      {Pfad("fehlt.ml"), 0},
  };
  for (const auto& f : faelle) {
    form.reset();
    dialoge.nachrichten.clear();
    form = std::make_unique<TQuarneForm>(&dialoge);
    form->SetzeProzessoren(2);
    form->SetzeArgumente({f.argument});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->Spiel().LetzterZugNr(), f.zuege) << f.argument.toStdString();
    EXPECT_EQ(form->Spiel().AktZugNr(), f.zuege + 1);
    EXPECT_TRUE(dialoge.nachrichten.isEmpty());
  }
}

TEST_F(Partie, PopupMenueUndLadenWaehrendDerSuche) {
  const QList<QAction*> menue = Kind<QTabWidget>("PageControl")->actions();
  ASSERT_EQ(menue.size(), 2);
  EXPECT_EQ(menue[0]->text(), "Speichern...");
  EXPECT_EQ(menue[1]->text(), "Laden...");
  EXPECT_EQ(Kind<QTabWidget>("PageControl")->contextMenuPolicy(), Qt::ActionsContextMenu);
  dialoge.dateien = {Pfad("menue.ml")};
  Kind<QAction>("Speichern1")->trigger();
  EXPECT_EQ(Inhalt(Pfad("menue.ml")).size(), 911);

  // While the computer thinks, its game is not replaced; saving it is harmless.
  NachTiefe(16);
  Kind<QPushButton>("WechselBut")->click();
  KlickeUnd(Kind<QPushButton>("DenkeBut"), [this] {
    Kind<QAction>("Laden1")->trigger();
    dialoge.dateien = {Pfad("waehrend.ml")};
    Kind<QAction>("Speichern1")->trigger();
    Kind<QToolButton>("StopSP")->click();
  });
  EXPECT_EQ(dialoge.nachrichten,
            QStringList{"Während der Computer rechnet, kann kein Spiel geladen werden."});
  EXPECT_EQ(dialoge.dateiDialoge.size(), 2);  // the two saves; loading asked for no file
  EXPECT_EQ(Inhalt(Pfad("waehrend.ml")).size(), 911);
}

TEST_F(Partie, LogNachJedemZug) {
  form->SetzeDateien(ProgrammDateien(ordner.path(), true));
  Kind<QCheckBox>("LogCB")->setChecked(true);
  Kind<QCheckBox>("SpVsSpCB")->setChecked(true);
  Klicke("a1");
  EXPECT_EQ(Inhalt(Pfad("Log.ml")).size(), 911 + 902);
  Klicke("d1");
  const QByteArray log = Inhalt(Pfad("Log.ml"));
  ASSERT_EQ(log.size(), 911 + 2 * 902);
  const auto p = LiesPartie(std::span(reinterpret_cast<const std::uint8_t*>(log.data()),
                                      static_cast<std::size_t>(log.size())));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->Zuege[1].Zug.BrettNachZug.AlleSteine, P("a1 d1"));
}

}  // namespace
}  // namespace quarne
