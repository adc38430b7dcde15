#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string_view>

#include "core/geometry.h"
#include "ui/evaluation_table.h"
#include "ui/move_list.h"

namespace quarne {
namespace {

const QColor kWeiss(255, 255, 255);
const QColor kSchwarz(0, 0, 0);
const QColor kSilber(192, 192, 192);
const QColor kGrau(128, 128, 128);
const QColor kHell(222, 222, 222);
const QColor kKopfGruen(128, 255, 128);
const QColor kKopfVirtuell(254, 214, 251);
const QColor kNrBewertet(255, 240, 200);
const QColor kExtrapoliert(175, 227, 187);
const QColor kLime(0, 255, 0);
const QColor kGelb(255, 255, 0);
const QColor kRot(255, 0, 0);
const QColor kCreme(255, 251, 240);

Punkte Pt(std::string_view name) {
  for (int i = 0; i < kAnzahlPunkte; ++i)
    if (PunktName(Punkt(i)) == name) return Punkt(i);
  ADD_FAILURE() << "kein Punkt " << name;
  return 0;
}

void Deutsch() {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

TSmartZug Ply(Punkte von, Punkte nach) {
  TSmartZug e{};
  e.VonPosition = von;
  e.NachPosition = nach;
  return e;
}

QColor Pixel(QWidget& w, QPoint p) {
  return w.grab().toImage().pixelColor(p);
}

// ---------------------------------------------------------------------------------------------
// Move evaluation table

class Tabelle : public ::testing::Test {
 protected:
  std::unique_ptr<TStep> s = std::make_unique<TStep>();

  void SetUp() override {
    Deutsch();
    s->STFarbeZiehend = clWeiss;
    s->STStepMax = 4;
    s->STDenkTiefe = 6;
    s->ZuegeAnzahl = 3;
    for (int r = 1; r <= kMaxZuege; ++r) s->Zuege[r].Nr = r;
  }
  Zelle Z(int spalte, int zeile) const { return ZeichneTabellenZelle(*s, spalte, zeile); }
};

TEST_F(Tabelle, KopfzeileNachTiefeUndVirtuellenHalbzuegen) {
  EXPECT_EQ(Z(1, 0).text, "Wertung 1.Zug");
  EXPECT_EQ(Z(1, 0).farbe, kSilber);
  EXPECT_EQ(Z(0, 0).farbe, kSilber);

  struct Fall {
    int virtuellAb, k;
    QColor farbe;
    bool fett, kursiv;
  };
  // Iteration depth 4, maximum depth 6.
  const Fall faelle[] = {
      {0, 1, kKopfGruen, true, false},    {0, 4, kKopfGruen, false, false},
      {3, 2, kKopfGruen, false, false},   {3, 3, kKopfVirtuell, false, true},
      {3, 4, kKopfVirtuell, false, true}, {3, 5, kSilber, false, false},
      {3, 6, kSilber, false, false},      {3, 7, kWeiss, false, false},
      {1, 1, kKopfVirtuell, true, true},  {0, 16, kWeiss, false, false},
  };
  for (const Fall& f : faelle) {
    s->VirtuellAb = f.virtuellAb;
    const Zelle z = Z(f.k + 1, 0);
    SCOPED_TRACE(testing::Message() << "VirtuellAb " << f.virtuellAb << ", Zug " << f.k);
    EXPECT_EQ(z.text, QString("%1. Zug").arg(f.k));
    EXPECT_EQ(z.farbe, f.farbe);
    EXPECT_EQ(z.fett, f.fett);
    EXPECT_EQ(z.kursiv, f.kursiv);
  }
}

TEST_F(Tabelle, NummerUndWertNachBewertung) {
  struct Fall {
    TZugResZiehend res;
    int inX;
    double punkte;
    bool bewertet, canceld;
    const char* text;
  };
  const Fall faelle[] = {
      {rsWIN, 0, 0, true, false, "gewinnt (1)"},
      {rsLOSS, 2, 0, true, false, "verliert (3)"},
      {rsWDH, 4, 0, true, false, "Remis (5)"},
      {rsQuarn, 0, 12345.4, true, false, "12.345"},
      {rsQuarn, 0, -1234567.6, true, false, "-1.234.568"},
      {rsQuarn, 0, 250, false, true, "<= 250"},
      {rsWIN, 1, 0, false, true, "<= gewinnt (2)"},
      {rsNIL, 0, 0, true, true, "???"},
      {rsQuarn, 0, 500, false, false, "<unbewertet>"},
  };
  for (const Fall& f : faelle) {
    TZug& z = s->Zuege[2];
    z.Wertung.ZugResGesamt = f.res;
    z.Wertung.ResultInXZuegen = f.inX;
    z.Wertung.PunktWertGes = f.punkte;
    z.BEWERTET = f.bewertet;
    z.Canceld = f.canceld;
    SCOPED_TRACE(f.text);
    EXPECT_EQ(Z(1, 2).text, f.text);
    EXPECT_EQ(Z(1, 2).farbe, kSilber);
    EXPECT_EQ(Z(0, 2).text, "2");
    EXPECT_EQ(Z(0, 2).farbe, f.bewertet || f.canceld ? kNrBewertet : kGrau);
  }
  s->Zuege[2].Extrapoliert = true;
  EXPECT_EQ(Z(1, 2).farbe, kExtrapoliert);
}

TEST_F(Tabelle, UnbewerteterZugZeigtNurSeinenErstenHalbzug) {
  TZug& z = s->Zuege[1];
  z.StepMaxZug = 1;
  z.SmartZuege[1] = Ply(0, Pt("d1"));
  z.SmartZuege[2] = Ply(0, Pt("a1"));

  EXPECT_EQ(Z(0, 1).farbe, kGrau);
  EXPECT_EQ(Z(1, 1).text, "<unbewertet>");
  const Zelle erster = Z(2, 1);
  EXPECT_EQ(erster.text, "--- d1");
  EXPECT_EQ(erster.farbe, kWeiss);
  EXPECT_TRUE(erster.fett);
  const Zelle zweiter = Z(3, 1);
  EXPECT_EQ(zweiter.text, "");
  EXPECT_EQ(zweiter.farbe, kHell);

  z.StepMaxZug = 0;
  EXPECT_EQ(Z(2, 1).text, "");
}

TEST_F(Tabelle, LinieBisZurTiefeIhresWertes) {
  s->STFarbeZiehend = clSchwarz;
  s->VirtuellAb = 2;
  TZug& z = s->Zuege[1];
  z.BEWERTET = true;
  z.StepMaxZug = 3;
  z.SmartZuege[1] = Ply(0, Pt("d1"));
  z.SmartZuege[2] = Ply(Pt("a1"), Pt("a4"));
  z.SmartZuege[2].ErgibtQuarne = true;
  z.SmartZuege[2].EntfStein = Pt("d7");
  // A removed stone without a mill is not part of the notation.
  z.SmartZuege[3] = Ply(Pt("g7"), Pt("g4"));
  z.SmartZuege[3].EntfStein = Pt("g1");
  z.SmartZuege[4] = Ply(Pt("b2"), Pt("d2"));

  struct Fall {
    int k;
    const char* text;
    QColor farbe;
    bool fett, kursiv;
  };
  const Fall faelle[] = {
      {1, "--- d1", kHell, true, false}, {2, "a1 a4 M:d7", kWeiss, false, true},
      {3, "g7 g4", kHell, false, true},  {4, "", kWeiss, false, false},
      {5, "", kHell, false, false},
  };
  for (const Fall& f : faelle) {
    const Zelle c = Z(f.k + 1, 1);
    SCOPED_TRACE(f.k);
    EXPECT_EQ(c.text, f.text);
    EXPECT_EQ(c.farbe, f.farbe);
    EXPECT_EQ(c.fett, f.fett);
    EXPECT_EQ(c.kursiv, f.kursiv);
  }
}

// A move from the library has a value to its depth but a line of one ply; the plies it does not
// know stay empty instead of showing "--- ---".
TEST_F(Tabelle, ZugAusDerBibliothekZeigtNurSeinenHalbzug) {
  TZug& z = s->Zuege[1];
  z.BEWERTET = true;
  z.StepMaxZug = 6;
  z.SmartZuege[1] = Ply(0, Pt("d1"));
  EXPECT_EQ(Z(2, 1).text, "--- d1");
  for (int k = 2; k <= 6; ++k) EXPECT_EQ(Z(k + 1, 1).text, "") << k;
}

TEST_F(Tabelle, LinieEndetNachGewinnOderRemis) {
  struct Fall {
    bool TSmartZug::*flag;
    QColor farbe;
  };
  const Fall faelle[] = {
      {&TSmartZug::GewinnDurchQuarne, kLime},
      {&TSmartZug::GewinnDurchBlock, kLime},
      {&TSmartZug::RemisDurchLimit, kGelb},
      {&TSmartZug::RemisDurchWdh, kGelb},
  };
  for (const Fall& f : faelle) {
    TZug& z = s->Zuege[1];
    z = TZug{};
    z.BEWERTET = true;
    z.StepMaxZug = 4;
    for (int p = 1; p <= 4; ++p) z.SmartZuege[p] = Ply(Pt("a1"), Pt("d1"));
    z.SmartZuege[2].*f.flag = true;
    EXPECT_EQ(Z(3, 1).text, "a1 d1");
    EXPECT_EQ(Z(3, 1).farbe, f.farbe);
    EXPECT_EQ(Z(4, 1).text, "");
    EXPECT_EQ(Z(4, 1).farbe, kWeiss);
    EXPECT_EQ(Z(5, 1).text, "");
  }
}

TEST_F(Tabelle, ZeilenHinterDenZuegenDerAnzeigekopieBleibenLeer) {
  s->Zuege[4].BEWERTET = true;
  s->Zuege[4].SmartZuege[1] = Ply(0, Pt("d1"));
  EXPECT_EQ(Z(0, 4).text, "");
  EXPECT_EQ(Z(2, 4).text, "");
  EXPECT_EQ(Z(2, 4).farbe, kWeiss);
}

TEST_F(Tabelle, ZeigeTabelleWirktNurAufDieVerborgeneTabelle) {
  MemStepTabelle t;
  t.SetzeMemStep(s.get());
  EXPECT_EQ(t.objectName(), "MemStepTabelle");
  EXPECT_TRUE(t.isHidden());

  t.ZeigeTabelle(*s);
  EXPECT_FALSE(t.isHidden());
  EXPECT_EQ(t.ZeilenAnzahl(), 4);
  const QFontMetrics fm(t.font());
  EXPECT_EQ(t.font().family(), "Tahoma");
  EXPECT_EQ(t.SpaltenBreite(0), fm.horizontalAdvance("xxxx"));
  EXPECT_EQ(t.SpaltenBreite(1), fm.horizontalAdvance("< gewinnt (9) >  "));
  EXPECT_EQ(t.SpaltenBreite(2), fm.horizontalAdvance("SWx NOx M:SWx  "));
  EXPECT_EQ(t.SpaltenBreite(17), fm.horizontalAdvance("SWx NOx M:SWx  "));

  auto andere = std::make_unique<TStep>();
  andere->ZuegeAnzahl = 9;
  t.ZeigeTabelle(*andere);
  EXPECT_EQ(t.ZeilenAnzahl(), 4);

  t.VerbergeTabelle();
  EXPECT_TRUE(t.isHidden());
  t.ZeigeTabelle(*andere);
  EXPECT_EQ(t.ZeilenAnzahl(), 10);
}

// The header row and the first two columns stay while the rest scrolls by whole cells.
TEST_F(Tabelle, FesteZeileUndSpaltenBleibenBeimRollen) {
  s->ZuegeAnzahl = 30;
  s->STStepMax = 1;  // header of ply 1 green, ply 2 silver
  s->Zuege[2].BEWERTET = true;
  QWidget fenster;
  fenster.resize(700, 300);
  MemStepTabelle t(&fenster);
  t.setGeometry(0, 0, 700, 300);
  t.SetzeMemStep(s.get());
  fenster.show();
  t.ZeigeTabelle(*s);

  const int zeile = 36 * 2 / 3 + 1;
  const int x0 = t.SpaltenBreite(0) - 3;
  const int x2 = t.SpaltenBreite(0) + t.SpaltenBreite(1) + 2 + t.SpaltenBreite(2) - 3;
  auto punkt = [&](int x, int y) { return t.viewport()->mapTo(&t, QPoint(x, y)); };

  EXPECT_EQ(Pixel(t, punkt(x2, 10)), kKopfGruen);
  EXPECT_EQ(Pixel(t, punkt(x0, zeile + 10)), kGrau);

  QTest::keyClick(&t, Qt::Key_Right);
  QTest::keyClick(&t, Qt::Key_Down);
  EXPECT_EQ(t.LinkeSpalte(), 3);
  EXPECT_EQ(t.ObersteZeile(), 2);
  EXPECT_EQ(Pixel(t, punkt(x2, 10)), kSilber);
  EXPECT_EQ(Pixel(t, punkt(x0, 10)), kSilber);
  EXPECT_EQ(Pixel(t, punkt(x0, zeile + 10)), kNrBewertet);

  // At the end the last row is the lowest whole row.
  QTest::keyClick(&t, Qt::Key_End);
  const int ganz = (t.viewport()->height() - zeile) / zeile;
  EXPECT_EQ(t.ObersteZeile(), t.ZeilenAnzahl() - ganz);
}

// ---------------------------------------------------------------------------------------------
// Move list

class ZugListe : public ::testing::Test {
 protected:
  std::unique_ptr<Spielstand> spiel = std::make_unique<Spielstand>();

  void SetUp() override { Deutsch(); }

  void Zug(TSpieler wer, Punkte nach, Punkte entf = 0, TZugResZiehend res = rsQuarn, int inX = 0) {
    TZug z{};
    z.NachPosition = nach;
    z.EntfStein = entf;
    z.ErgibtQuarne = entf != 0;
    z.Wertung.ZugResGesamt = res;
    z.Wertung.ResultInXZuegen = inX;
    spiel->Eintragen(TZug{}, z, wer);
  }
  // Four moves, the person plays White; the position after move 2 is shown.
  void KleinesSpiel() {
    Zug(csHuman, Pt("d1"));
    Zug(csComputer, Pt("a1"));
    Zug(csHuman, Pt("g1"), Pt("a1"), rsWIN, 4);
    Zug(csComputer, Pt("a4"), 0, rsWIN, 2);
    spiel->WaehleZug(2);
  }
  ListenZelle L(int spalte, int zeile, bool spVsSp = false) const {
    return ZeichneZugListe(*spiel, spVsSp, spalte, zeile);
  }
};

struct ListenFall {
  int spalte, zeile;
  const char* text;
  QColor hintergrund, schrift;
};

void Pruefe(const ListenZelle& z, const ListenFall& f) {
  SCOPED_TRACE(testing::Message() << "Spalte " << f.spalte << ", Zeile " << f.zeile);
  EXPECT_EQ(z.text, QString::fromUtf8(f.text));
  EXPECT_EQ(z.hintergrund, f.hintergrund);
  EXPECT_EQ(z.schrift, f.schrift);
}

TEST_F(ZugListe, ZellenEinesKleinenSpiels) {
  KleinesSpiel();
  const ListenFall faelle[] = {
      {0, 0, "0", kSilber, kSchwarz},
      {1, 0, "Start", kSilber, kSchwarz},
      {0, 1, "1", kCreme, kSchwarz},
      {1, 1, "S: --- d1", kCreme, kSchwarz},
      {0, 2, "2", kSchwarz, kWeiss},
      {1, 2, "C: --- a1", kGelb, kSchwarz},
      // A person's won line is not announced.
      {0, 3, "3", kCreme, kSchwarz},
      {1, 3, "S: --- g1 M:a1", kCreme, kSchwarz},
      {0, 4, "4 | 3", kRot, kWeiss},
      {1, 4, "C: --- a4", kSchwarz, kWeiss},
      {0, 5, "", kWeiss, kSchwarz},
      {1, 5, "Nächster Zug", kWeiss, kSchwarz},
  };
  for (const ListenFall& f : faelle) Pruefe(L(f.spalte, f.zeile), f);
}

TEST_F(ZugListe, ZweiSpielerOhneAnkuendigung) {
  KleinesSpiel();
  const ListenFall faelle[] = {
      {1, 1, "S1: --- d1", kCreme, kSchwarz},
      {1, 4, "S2: --- a4", kSchwarz, kWeiss},
      {0, 4, "4", kSchwarz, kWeiss},
  };
  for (const ListenFall& f : faelle) Pruefe(L(f.spalte, f.zeile, true), f);
}

TEST_F(ZugListe, StartIstGelbInDerStartstellung) {
  KleinesSpiel();
  spiel->WaehleZug(0);
  Pruefe(L(1, 0), {1, 0, "Start", kGelb, kSchwarz});
  Pruefe(L(1, 2), {1, 2, "C: --- a1", kSchwarz, kWeiss});
}

TEST_F(ZugListe, LetzteZeileNenntDasSpielende) {
  enum Flag { Quarne = 1, Block = 2, Limit = 4, Wdh = 8 };
  struct Fall {
    TFarbe startFarbe;
    int zuege;
    int flags;
    const char* text;
  };
  const Fall faelle[] = {
      {clWeiss, 1, Quarne, "Weiß gewinnt"},
      {clSchwarz, 1, Quarne, "Schwarz gewinnt"},
      {clWeiss, 1, Block, "Schwarz geblockt"},
      {clSchwarz, 1, Block, "Weiß geblockt"},
      {clWeiss, 1, Limit, "20. Zug ohne Quarne"},
      {clWeiss, 1, Limit | Wdh, "20. Zug ohne Quarne"},
      {clWeiss, 1, Wdh, "3. Zugwiederholung"},
      {clWeiss, 1, 0, "Nächster Zug"},
      // Without moves the start position decides; White would move.
      {clWeiss, 0, Block, "Weiß geblockt"},
  };
  for (const Fall& f : faelle) {
    TZug z{};
    TSmartZug& e = z.SmartZuege[1];
    e.GewinnDurchQuarne = f.flags & Quarne;
    e.GewinnDurchBlock = f.flags & Block;
    e.RemisDurchLimit = f.flags & Limit;
    e.RemisDurchWdh = f.flags & Wdh;
    spiel->Beginne(f.zuege == 0 ? z : TZug{}, f.startFarbe, clSchwarz);
    if (f.zuege != 0) spiel->Eintragen(TZug{}, z, csHuman);
    SCOPED_TRACE(f.text);
    EXPECT_EQ(L(1, f.zuege + 1).text, QString::fromUtf8(f.text));
    EXPECT_EQ(L(1, f.zuege + 1).hintergrund, kWeiss);
  }
}

class ZugListenGitter : public ZugListe {
 protected:
  SpielOptionen opt;
  MovesGrid g;
  QSignalSpy spy{&g, &MovesGrid::ZugGewaehlt};

  void SetUp() override {
    ZugListe::SetUp();
    KleinesSpiel();
    g.SetzeSpiel(spiel.get(), &opt);
    g.SetzeZeilenAnzahl(spiel->LetzterZugNr() + 2);
    g.resize(169, 10 * 24 + 2 * g.frameWidth());
    g.SetzeSpaltenBreiten();
    g.show();
  }
  QPoint Mitte(int spalte, int zeile) const {
    return g.visualRect(g.model()->index(zeile, spalte)).center();
  }
  QColor Farbe(int spalte, int zeile) {
    const QPoint p = g.visualRect(g.model()->index(zeile, spalte)).topLeft() + QPoint(3, 3);
    return Pixel(g, g.viewport()->mapTo(&g, p));
  }
};

TEST_F(ZugListenGitter, MausUndTastaturWaehlenZuege) {
  EXPECT_EQ(g.objectName(), "MovesGrid");
  // The window answers a pick by showing the position and selecting the next row.
  QObject::connect(&g, &MovesGrid::ZugGewaehlt, [&](int, int zeile) {
    spiel->WaehleZug(zeile);
    g.SetzeAuswahl(spiel->AktZugNr());
  });

  g.SetzeAuswahl(5);
  EXPECT_EQ(spy.count(), 0);
  EXPECT_EQ(g.currentIndex().row(), 5);
  EXPECT_EQ(g.currentIndex().column(), 1);

  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Mitte(1, 2));
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0), (QList<QVariant>{1, 2}));
  EXPECT_EQ(spiel->AktZugNr(), 3);
  // The picked cell stays current, so the keyboard steps on from it.
  EXPECT_EQ(g.currentIndex().row(), 2);

  QTest::keyClick(&g, Qt::Key_Down);
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy.at(1), (QList<QVariant>{1, 3}));

  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Mitte(0, 4));
  ASSERT_EQ(spy.count(), 3);
  EXPECT_EQ(spy.at(2), (QList<QVariant>{0, 4}));
}

// The current cell keeps its row colour, and making a cell of column 1 current keeps column 0
// in view although column 1 is wider than the room left for it.
TEST_F(ZugListenGitter, ZeichnetDieFarbenDerZellenOhneAuswahlmarke) {
  g.SetzeAuswahl(spiel->AktZugNr());
  EXPECT_EQ(Farbe(1, 2), kGelb);
  EXPECT_EQ(Farbe(1, 3), kCreme);
  EXPECT_EQ(Farbe(0, 4), kRot);
  EXPECT_EQ(Farbe(1, 4), kSchwarz);
  EXPECT_EQ(Farbe(1, 5), kWeiss);
}

TEST_F(ZugListenGitter, SpaltenbreitenNachSchriftUndListenbreite) {
  const QFontMetrics fm(g.font());
  EXPECT_EQ(g.columnWidth(0), fm.horizontalAdvance("123 | 12"));
  EXPECT_EQ(g.columnWidth(1), 169 - fm.horizontalAdvance("xxxxx"));
}

TEST_F(ZugListenGitter, ObersteZeileNachZugUndNavigation) {
  // The rows grow and the list scrolls at once, as after an executed move.
  g.SetzeZeilenAnzahl(40);
  ASSERT_EQ(g.SichtbareZeilen(), 10);

  enum Aktion { NachZug, Vor, Zurueck };
  struct Fall {
    Aktion aktion;
    int oben, aktZugNr, erwartet;
  };
  const Fall faelle[] = {
      {NachZug, 0, 20, 11}, {NachZug, 11, 10, 1}, {NachZug, 11, 9, 0},   {Vor, 0, 11, 2},
      {Vor, 5, 10, 0},      {Zurueck, 11, 8, 7},  {Zurueck, 11, 12, 11},
  };
  for (const Fall& f : faelle) {
    g.SetzeObersteZeile(f.oben);
    switch (f.aktion) {
      case NachZug:
        g.ScrolleNachZug(f.aktZugNr);
        break;
      case Vor:
        g.ScrolleVor(f.aktZugNr);
        break;
      case Zurueck:
        g.ScrolleZurueck(f.aktZugNr);
        break;
    }
    SCOPED_TRACE(testing::Message() << "Aktion " << f.aktion << ", AktZugNr " << f.aktZugNr);
    EXPECT_EQ(g.ObersteZeile(), f.erwartet);
    EXPECT_EQ(g.rowAt(0), f.erwartet);
  }
}

}  // namespace
}  // namespace quarne
