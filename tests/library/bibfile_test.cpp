#include "library/bibfile.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <bit>
#include <fstream>
#include <functional>
#include <limits>
#include <span>

#include "library/image_header.h"
#include "library/packing.h"
#include "tests/library/test_folder.h"

namespace quarne {
namespace {

// A move with every field set to a value of its own, none of them zero; its position is one of
// level 17.
TZug VollerZug() {
  TZug z{};
  z.Nr = 0x01020304;
  z.VonPosition = 0x100;
  z.NachPosition = 0x800000;
  z.ErgibtQuarne = true;
  z.ZugOhneQuarne = 77;
  z.EntfStein = 0x20;
  z.BrettNachZug = {0xF0F0F, 0xF0F, 0xF0000, spSpringen, 8, 9, spZiehen, 4, 8, 1, 4};
  z.Wertung = {rsWDH, 11, 1.5, -2.25};
  z.IMTHREAD = 127;
  z.Canceld = true;
  z.ClWay = 3;
  z.BEWERTET = true;
  z.StepMaxZug = 16;
  z.Extrapoliert = true;
  z.TEILBEW = 2;
  z.LISTEVON = 100;
  z.LISTEBIS = -1;
  z.LISTE_1 = -2;
  z.ANZgPos = 0x7FFFFFFF;
  z.CHECKED = true;
  for (int s = 1; s <= kMaxSteps; ++s) {
    TSmartZug& sz = z.SmartZuege[s];
    sz.VonPosition = 1u << (s - 1);
    sz.NachPosition = 1u << (s + 7);
    sz.ErgibtQuarne = true;
    sz.EntfStein = 0x800000u >> (s - 1);
    sz.GewinnDurchQuarne = s == 16;
    sz.GewinnDurchBlock = s == 15 || s == 16;
    sz.RemisDurchLimit = s == 14 || s == 16;
    sz.RemisDurchWdh = s >= 13;
  }
  return z;
}

// A position of level gz + gs with these stones, nothing lost but what the counts say.
TZug Gesetzt(Punkte ziehend, Punkte stehend, int gz, int gs) {
  TZug z{};
  TBrett& b = z.BrettNachZug;
  b.SteineZiehend = ziehend;
  b.SteineStehend = stehend;
  b.AlleSteine = ziehend | stehend;
  b.SteineAnzahlZiehend = std::popcount(ziehend);
  b.SteineAnzahlStehend = std::popcount(stehend);
  b.GesetzteSteineZiehend = gz;
  b.GesetzteSteineStehend = gs;
  b.VerloreneSteineZiehend = gz - b.SteineAnzahlZiehend;
  b.VerloreneSteineStehend = gs - b.SteineAnzahlStehend;
  return z;
}

// A small consistent library: the empty board as a calculated computer position with two
// children, and as the player's position without children.
TBibliothek Fixture() {
  TBibliothek bib;
  bib[0].BibAktiv = true;
  TBibZug wurzel;
  wurzel.BibVon = 0;
  wurzel.BibBis = 1;
  wurzel.BibDenkTiefe = 13;
  wurzel.BibVirtuellAb = 3;
  wurzel.BibZuBerechnen = wurzel.BibBerechnet = wurzel.Frei = true;
  TBibZug spieler;
  spieler.BibZuBerechnen = spieler.Frei = true;
  spieler.rSC = rS;
  bib[0].BibZuege = {wurzel, spieler};
  TBibZug bester;
  bester.Zug = Gesetzt(0x1, 0, 1, 0);
  bester.Zug.NachPosition = 0x1;
  bester.Zug.Wertung = {rsQuarn, 0, 0.75, 1.5};
  bester.BibZuBerechnen = true;
  bester.rSC = rS;
  TBibZug anderer;
  anderer.Zug = Gesetzt(0x2, 0, 1, 0);
  anderer.Zug.NachPosition = 0x2;
  anderer.Zug.Wertung = {rsQuarn, 0, 0.25, 0.5};
  anderer.rSC = r0;
  bib[1].BibZuege = {bester, anderer};
  return bib;
}

bool Leer(const TBibliothek& bib) {
  for (const TBibSegm& s : bib.Stufen)
    if (s.BibAktiv || s.BibTiefe != 0 || s.BibCnt() != 0) return false;
  return true;
}

std::uint64_t LE(const Bytes& b, std::size_t offset, int bytes) {
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= std::uint64_t{b[offset + i]} << (8 * i);
  return v;
}

Bytes Datei(const std::filesystem::path& pfad) {
  std::ifstream f(pfad, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

void Schreibe(const std::filesystem::path& pfad, const Bytes& inhalt) {
  std::ofstream f(pfad, std::ios::binary);
  f.write(reinterpret_cast<const char*>(inhalt.data()),
          static_cast<std::streamsize>(inhalt.size()));
}

// A library whose only entry, in level 17, has every field set.
TBibliothek MitVollemEintrag() {
  TBibliothek bib;
  TBibZug e;
  e.Zug = VollerZug();
  e.BibDenkTiefe = 12;
  e.BibVirtuellAb = 5;
  e.BibZuBerechnen = e.ZuLoeschen = e.Frei = true;
  e.rSC = r0;
  bib[17].BibTiefe = 0x0A0B0C0D;
  bib[17].BibZuege = {e};
  return bib;
}

// Where the entry of MitVollemEintrag starts in its image: behind the header, the fields of
// levels 0 to 16 and those of level 17.
constexpr std::size_t kVollerEintrag = 20 + 17 * 9 + 9;

TEST(BibAbbild, EintragNachDemDateiformat) {
  const Bytes abbild = BibAbbild(MitVollemEintrag());
  ASSERT_EQ(abbild.size(), 20u + 19 * 9 + 472);
  EXPECT_EQ(LE(abbild, 0, 4), 0x58254958u);
  EXPECT_EQ(LE(abbild, 4, 8), abbild.size());
  EXPECT_EQ(LE(abbild, 12, 8), ByteSumme(abbild));
  const std::size_t stufe17 = 20 + 17 * 9;
  EXPECT_EQ(LE(abbild, stufe17, 1), 0u);
  EXPECT_EQ(LE(abbild, stufe17 + 1, 4), 1u);
  EXPECT_EQ(LE(abbild, stufe17 + 5, 4), 0x0A0B0C0Du);

  const std::size_t eintrag = kVollerEintrag;
  const struct {
    std::size_t offset;
    int bytes;
    std::uint64_t wert;
  } felder[] = {
      {0, 4, 0x01020304},
      {4, 4, 0x100},
      {8, 4, 0x800000},
      {12, 1, 1},
      {16, 4, 77},
      {20, 4, 0x20},
      {24, 4, 0xF0F0F},  // BrettNachZug
      {28, 4, 0xF0F},
      {32, 4, 0xF0000},
      {36, 1, spSpringen},
      {40, 4, 8},
      {44, 4, 9},
      {48, 1, spZiehen},
      {52, 4, 4},
      {56, 4, 8},
      {60, 4, 1},
      {64, 4, 4},
      {72, 1, rsWDH},  // Wertung
      {76, 4, 11},
      {80, 8, std::bit_cast<std::uint64_t>(1.5)},
      {88, 8, std::bit_cast<std::uint64_t>(-2.25)},
      {96, 4, 127},
      {100, 1, 1},
      {101, 1, 3},
      {102, 1, 1},
      {103, 1, 16},
      {104, 1, 1},
      {105, 1, 2},
      {108, 4, 100},
      {112, 4, 0xFFFFFFFF},
      {116, 4, 0xFFFFFFFE},
      {120, 4, 0x7FFFFFFF},
      {124, 1, 1},
      {128, 4, 0x1},  // SmartZuege[1]
      {132, 4, 0x100},
      {136, 1, 1},
      {140, 4, 0x800000},
      {144, 4, 0},
      {428, 4, 0x8000},  // SmartZuege[16]
      {432, 4, 0x800000},
      {440, 4, 0x100},
      {444, 4, 0x01010101},
      {448, 4, 0xFFFFFFFF},  // BibVon
      {452, 4, 0xFFFFFFFF},
      {456, 4, 12},
      {460, 4, 5},
      {464, 1, 1},
      {465, 1, 0},
      {466, 1, 0},  // ZuLoeschen is never written as set
      {467, 1, 1},
      {468, 1, r0},
  };
  for (const auto& f : felder)
    EXPECT_EQ(LE(abbild, eintrag + f.offset, f.bytes), f.wert) << "Offset " << f.offset;
}

// The padding between the fields is written as zero, and the image reads back as it is.
TEST(BibAbbild, LueckenSindNullUndGelesenGleich) {
  const Bytes abbild = BibAbbild(MitVollemEintrag());
  ASSERT_EQ(abbild.size(), 20u + 19 * 9 + 472);
  const std::size_t eintrag = kVollerEintrag;
  std::vector<std::size_t> luecken = {13, 14, 15, 37, 38,  39,  49,  50,  51,  68,  69,  70,
                                      71, 73, 74, 75, 106, 107, 125, 126, 127, 469, 470, 471};
  for (std::size_t s = 0; s < 16; ++s)
    for (std::size_t i : {9, 10, 11}) luecken.push_back(128 + 20 * s + i);
  for (std::size_t l : luecken) EXPECT_EQ(abbild[eintrag + l], 0) << "Lücke " << l;

  TBibliothek gelesen;
  ASSERT_EQ(LeseBib(abbild, gelesen).Code, TBibCode::Ok);
  EXPECT_EQ(BibAbbild(gelesen), abbild);
}

TEST(SchreibeBib, GepacktGeschriebenUndGelesen) {
  TestOrdner ordner;
  const auto datei = ordner / "Bibliothek5.bib";
  const TBibliothek bib = Fixture();
  EXPECT_EQ(SchreibeBib(datei, bib), TDateiMeldung::Keine);
  EXPECT_EQ(LE(Datei(datei), 0, 4), kStempelGepackt);

  TBibliothek gelesen;
  gelesen[5].BibZuege.resize(3);
  gelesen.Geaendert = true;
  EXPECT_EQ(LeseBib(datei, gelesen).Code, TBibCode::Ok);
  EXPECT_EQ(BibAbbild(gelesen), BibAbbild(bib));
  EXPECT_TRUE(gelesen.Geaendert);
  EXPECT_EQ(ordner.Namen(), std::vector<std::string>{"Bibliothek5.bib"});
}

TEST(LeseBib, UngepacktesAbbildWieGepacktes) {
  TestOrdner ordner;
  const Bytes abbild = BibAbbild(Fixture());
  Schreibe(ordner / "plain.bib", abbild);
  TBibliothek gelesen;
  EXPECT_EQ(LeseBib(ordner / "plain.bib", gelesen).Code, TBibCode::Ok);
  EXPECT_EQ(BibAbbild(gelesen), abbild);
}

// Each row: how a good image is spoilt, and what reading it gives.
struct Fehlerfall {
  const char* fall;
  std::function<Bytes()> datei;
  TBibCode code;
  TDateiMeldung meldung;
  bool geleert;  // else the library in memory is kept
};

// The good image, changed in its plain form, with its header made right again.
Bytes Geaendert(const std::function<void(Bytes&)>& aendern) {
  Bytes abbild = BibAbbild(Fixture());
  aendern(abbild);
  SchliesseVorspann(abbild);
  return abbild;
}

// The same with one entry of the library changed first.
Bytes MitEintrag(int stufe, int index, const std::function<void(TBibZug&)>& aendern) {
  TBibliothek bib = Fixture();
  if (bib[stufe].BibCnt() <= index) bib[stufe].BibZuege.resize(static_cast<std::size_t>(index + 1));
  aendern(bib[stufe].BibZuege[static_cast<std::size_t>(index)]);
  return BibAbbild(bib);
}

void SetzeI32(Bytes& b, std::size_t offset, std::uint32_t wert) {
  for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(wert >> (8 * i));
}

// Reading each spoilt image gives its code and message and leaves the library in memory as the
// row says.
void PruefeFehlerfaelle(std::span<const Fehlerfall> faelle) {
  for (const Fehlerfall& f : faelle) {
    // A fault in the levels is found the same way in a packed file.
    for (int gepackt = 0; gepackt <= (f.geleert ? 1 : 0); ++gepackt) {
      const Bytes datei = gepackt ? Komprimiere(f.datei()) : f.datei();
      TBibliothek bib = Fixture();
      const Bytes vorher = BibAbbild(bib);
      const TLeseErgebnis e = LeseBib(datei, bib);
      EXPECT_EQ(e.Code, f.code) << f.fall << (gepackt ? ", gepackt" : "");
      EXPECT_EQ(e.Meldung, f.meldung) << f.fall;
      if (f.geleert)
        EXPECT_TRUE(Leer(bib)) << f.fall;
      else
        EXPECT_EQ(BibAbbild(bib), vorher) << f.fall;
    }
  }
}

TEST(LeseBib, FehlerImKopfUndBeimEntpacken) {
  const Fehlerfall faelle[] = {
      {"zu kurz für den Kopf", [] { return Bytes(19, 0x58); }, TBibCode::NoVorspann,
       TDateiMeldung::Beschaedigt, false},
      {"fremder Stempel", [] { return Geaendert([](Bytes& b) { b[0] = 1; }); }, TBibCode::Stempel,
       TDateiMeldung::Beschaedigt, false},
      // A plain image that fails its check is then tried as a container, whose stamp it lacks.
      {"ungepackt, Summe um eins falsch",
       [] {
         Bytes b = BibAbbild(Fixture());
         ++b[12];
         return b;
       },
       TBibCode::Stempel, TDateiMeldung::Beschaedigt, false},
      {"gepackt, Summe um eins falsch",
       [] {
         Bytes b = Komprimiere(BibAbbild(Fixture()));
         ++b[12];
         return b;
       },
       TBibCode::Summe, TDateiMeldung::Beschaedigt, false},
      {"gepackt, Länge falsch",
       [] {
         Bytes b = Komprimiere(BibAbbild(Fixture()));
         b.push_back(0);
         return b;
       },
       TBibCode::Size, TDateiMeldung::Beschaedigt, false},
      {"Entpacken scheitert",
       [] {
         Bytes b = Komprimiere(BibAbbild(Fixture()));
         b.resize(25);  // the run count is cut
         SchliesseVorspann(b);
         return b;
       },
       TBibCode::Fit, TDateiMeldung::EntpackenFehler, false},
      {"entpacktes Abbild mit falscher Summe",
       [] {
         Bytes b = BibAbbild(Fixture());
         ++b[12];
         return Komprimiere(b);
       },
       TBibCode::Summe, TDateiMeldung::Beschaedigt, false},
  };
  PruefeFehlerfaelle(faelle);
}

TEST(LeseBib, FehlerInDenStufen) {
  const std::size_t stufe18 = BibAbbild(Fixture()).size() - 9;  // level 18 is empty
  const Fehlerfall faelle[] = {
      {"1 chFit", [=] { return Geaendert([=](Bytes& b) { b.resize(stufe18); }); }, TBibCode::Except,
       TDateiMeldung::Fit1, true},
      {"2 chFit", [=] { return Geaendert([=](Bytes& b) { b.resize(stufe18 + 3); }); },
       TBibCode::Except, TDateiMeldung::Fit2, true},
      {"3 chFit", [=] { return Geaendert([=](Bytes& b) { b.resize(stufe18 + 7); }); },
       TBibCode::Except, TDateiMeldung::Fit3, true},
      {"4 chFit: ein Eintrag zu viel",
       [=] { return Geaendert([=](Bytes& b) { SetzeI32(b, stufe18 + 1, 1); }); }, TBibCode::Except,
       TDateiMeldung::Fit4, true},
      {"4 chFit: riesige Anzahl",
       [=] { return Geaendert([=](Bytes& b) { SetzeI32(b, stufe18 + 1, 0x7FFFFFFF); }); },
       TBibCode::Except, TDateiMeldung::Fit4, true},
      {"4 chFit: negative Anzahl",
       [=] { return Geaendert([=](Bytes& b) { SetzeI32(b, stufe18 + 1, 0xFFFFFFFF); }); },
       TBibCode::Except, TDateiMeldung::Fit4, true},
      {"Rest vorhanden", [] { return Geaendert([](Bytes& b) { b.push_back(0); }); },
       TBibCode::Except, TDateiMeldung::RestVorhanden, true},
      {"Kinder hinter der nächsten Stufe",
       [] { return MitEintrag(0, 0, [](TBibZug& e) { e.BibBis = 2; }); }, TBibCode::Except,
       TDateiMeldung::Verweise, true},
      {"negativer Beginn der Kinder",
       [] { return MitEintrag(0, 0, [](TBibZug& e) { e.BibVon = -1; }); }, TBibCode::Except,
       TDateiMeldung::Verweise, true},
      {"Bereich rückwärts", [] { return MitEintrag(0, 0, [](TBibZug& e) { e.BibBis = -2; }); },
       TBibCode::Except, TDateiMeldung::Verweise, true},
      {"berechnet ohne Kinder",
       [] { return MitEintrag(0, 1, [](TBibZug& e) { e.BibBerechnet = true; }); }, TBibCode::Except,
       TDateiMeldung::Verweise, true},
      {"Kinder unter Stufe 18",
       [] {
         return MitEintrag(18, 0, [](TBibZug& e) {
           e.Zug = Gesetzt(0x1FF, 0x3FE00, 9, 9);
           e.BibVon = e.BibBis = 0;
           e.BibBerechnet = true;
         });
       },
       TBibCode::Except, TDateiMeldung::Verweise, true},
      {"unbekannte Rolle",
       [] { return MitEintrag(1, 1, [](TBibZug& e) { e.rSC = static_cast<TrSC>(3); }); },
       TBibCode::Except, TDateiMeldung::Verweise, true},
      {"Stufe 0 mit einem Eintrag",
       [] {
         TBibliothek bib;
         bib[0].BibZuege.resize(1);
         return BibAbbild(bib);
       },
       TBibCode::Except, TDateiMeldung::Wurzel, true},
      {"Stufe 0 mit drei Einträgen", [] { return MitEintrag(0, 2, [](TBibZug&) {}); },
       TBibCode::Except, TDateiMeldung::Wurzel, true},
  };
  PruefeFehlerfaelle(faelle);
}

// Positions no game reaches, or not in the level their stones name.
TEST(LeseBib, UnmoeglicheStellungen) {
  const Fehlerfall faelle[] = {
      {"24 Steine, gesetzt 20 und -7",
       [] {
         return MitEintrag(1, 0, [](TBibZug& e) {
           e.Zug.BrettNachZug = {0xFFFFFF, 0xFFF, 0xFFF000, spSetzen, 12, 20,
                                 spSetzen, 12,    -7,       8,        -19};
         });
       },
       TBibCode::Except, TDateiMeldung::Stellung, true},
      {"gesetzt so viel, dass die Summe überläuft",
       [] {
         return MitEintrag(1, 0, [](TBibZug& e) {
           e.Zug.BrettNachZug.GesetzteSteineZiehend = 0x58584858;
           e.Zug.BrettNachZug.GesetzteSteineStehend = 0x58584858;
         });
       },
       TBibCode::Except, TDateiMeldung::Stellung, true},
      {"Steine beider Seiten auf einem Punkt",
       [] { return MitEintrag(1, 0, [](TBibZug& e) { e.Zug.BrettNachZug.SteineStehend = 0x1; }); },
       TBibCode::Except, TDateiMeldung::Stellung, true},
      {"Stellung der Stufe 1 in Stufe 2",
       [] { return MitEintrag(2, 0, [](TBibZug& e) { e.Zug = Gesetzt(0x1, 0, 1, 0); }); },
       TBibCode::Except, TDateiMeldung::Stellung, true},
      {"Schwarz hat mehr gesetzt als Weiß",
       [] { return MitEintrag(1, 0, [](TBibZug& e) { e.Zug = Gesetzt(0, 0x1, 0, 1); }); },
       TBibCode::Except, TDateiMeldung::Stellung, true},
      {"Wert ist keine Zahl",
       [] {
         return MitEintrag(1, 1, [](TBibZug& e) {
           e.Zug.Wertung.PunktWertGes = std::numeric_limits<double>::quiet_NaN();
         });
       },
       TBibCode::Except, TDateiMeldung::Stellung, true},
      {"zwei Punkte als Ziel",
       [] { return MitEintrag(1, 1, [](TBibZug& e) { e.Zug.NachPosition = 3; }); },
       TBibCode::Except, TDateiMeldung::Stellung, true},
      {"Denktiefe 17", [] { return MitEintrag(0, 0, [](TBibZug& e) { e.BibDenkTiefe = 17; }); },
       TBibCode::Except, TDateiMeldung::Stellung, true},
  };
  PruefeFehlerfaelle(faelle);
}

// A packed image of `anfang` followed by `nullen` zero bytes, its header's size set to fit.
Bytes NullenContainer(Bytes anfang, std::uint64_t nullen) {
  const std::uint64_t groesse = anfang.size() + nullen;
  for (int i = 0; i < 8; ++i) anfang[4 + i] = static_cast<std::uint8_t>(groesse >> (8 * i));
  Bytes container;
  BeginneVorspann(container, kStempelGepackt);
  ByteWriter w(container);
  w.U64((nullen + 65534) / 65535);
  for (std::uint64_t ab = anfang.size(); ab < groesse; ab += 65535) {
    w.U8(static_cast<std::uint8_t>(ab >> 32));
    w.U32(static_cast<std::uint32_t>(ab));
    w.U16(static_cast<std::uint16_t>(std::min<std::uint64_t>(65535, groesse - ab)));
  }
  container.insert(container.end(), anfang.begin(), anfang.end());
  SchliesseVorspann(container);
  return container;
}

// What a file declares is checked before anything is unpacked or allocated for it: a container
// of some 230 KB whose runs would make a 2 GB image, and a good file under a limit one byte
// shorter than its image, are too long; one of 20 KB that declares 400,000 entries in level 0
// holds no library.
TEST(LeseBib, GroesseGegenDieGrenze) {
  Bytes kopf;
  BeginneVorspann(kopf, kStempelBib);
  Bytes wurzeln = kopf;
  ByteWriter w(wurzeln);
  w.U8(0);
  w.I32(400000);
  w.I32(0);
  const Bytes wurzelContainer = NullenContainer(wurzeln, 400000ull * 472 + 18 * 9);
  EXPECT_LT(wurzelContainer.size(), 25000u);

  const Bytes gut = BibAbbild(Fixture());
  const struct {
    const char* fall;
    Bytes strom;
    std::size_t hoechstens;
    TBibCode code;
    TDateiMeldung meldung;
  } faelle[] = {
      {"2 GB aus 230 KB", NullenContainer(kopf, 32768ull * 65535), kHoechstBibBytes, TBibCode::Size,
       TDateiMeldung::ZuGross},
      {"gepackt, ein Byte zu lang", Komprimiere(gut), gut.size() - 1, TBibCode::Size,
       TDateiMeldung::ZuGross},
      {"ungepackt, ein Byte zu lang", gut, gut.size() - 1, TBibCode::Size, TDateiMeldung::ZuGross},
      {"400.000 Wurzeln", wurzelContainer, kHoechstBibBytes, TBibCode::Except,
       TDateiMeldung::Wurzel},
  };
  for (const auto& f : faelle) {
    TBibliothek bib = Fixture();
    const TLeseErgebnis e = LeseBib(f.strom, bib, f.hoechstens);
    EXPECT_EQ(e.Code, f.code) << f.fall;
    EXPECT_EQ(e.Meldung, f.meldung) << f.fall;
    if (f.code == TBibCode::Size)
      EXPECT_EQ(BibAbbild(bib), gut) << f.fall;
    else
      EXPECT_TRUE(Leer(bib)) << f.fall;
  }
  TBibliothek bib;
  EXPECT_EQ(LeseBib(Komprimiere(gut), bib, gut.size()).Code, TBibCode::Ok);
}

TEST(LeseBib, LeererKinderbereichAmEndeDerStufeIstGueltig) {
  // A calculation without moves leaves [k, k - 1], k the next level's count.
  const Bytes abbild = MitEintrag(0, 1, [](TBibZug& e) {
    e.BibVon = 2;
    e.BibBis = 1;
    e.BibBerechnet = true;
  });
  TBibliothek bib;
  EXPECT_EQ(LeseBib(abbild, bib).Code, TBibCode::Ok);
}

TEST(LeseBib, DateiFehltOderIstNichtLesbar) {
  TestOrdner ordner;
  std::filesystem::create_directory(ordner / "ordner.bib");
  const struct {
    const char* name;
    TDateiMeldung meldung;
  } faelle[] = {{"fehlt.bib", TDateiMeldung::Keine}, {"ordner.bib", TDateiMeldung::Oeffnen}};
  for (const auto& f : faelle) {
    TBibliothek bib = Fixture();
    const TLeseErgebnis e = LeseBib(ordner / f.name, bib);
    EXPECT_EQ(e.Code, TBibCode::Laden) << f.name;
    EXPECT_EQ(e.Meldung, f.meldung) << f.name;
    EXPECT_EQ(BibAbbild(bib), BibAbbild(Fixture())) << f.name;
  }
}

TEST(SchreibeBib, ErsetztDieAlteDateiNurGanz) {
  TestOrdner ordner;
  const auto datei = ordner / "b.bib";
  TBibliothek alt;
  ASSERT_EQ(SchreibeBib(datei, alt), TDateiMeldung::Keine);
  // A file that happens to bear the name a temporary file would take is left alone.
  Schreibe(ordner / "b.bib.0.tmp", {1, 2, 3});

  EXPECT_EQ(SchreibeBib(datei, Fixture()), TDateiMeldung::Keine);
  TBibliothek gelesen;
  ASSERT_EQ(LeseBib(datei, gelesen).Code, TBibCode::Ok);
  EXPECT_EQ(BibAbbild(gelesen), BibAbbild(Fixture()));
  EXPECT_EQ(Datei(ordner / "b.bib.0.tmp"), (Bytes{1, 2, 3}));
  EXPECT_EQ(ordner.Namen(), (std::vector<std::string>{"b.bib", "b.bib.0.tmp"}));
}

TEST(SchreibeBib, GescheitertesSchreibenBehaeltDasAlte) {
  TestOrdner ordner;
  // A folder in the target's place: the rename fails, and the folder keeps its file.
  std::filesystem::create_directory(ordner / "ziel.bib");
  Schreibe(ordner / "ziel.bib" / "drin", {7});
  EXPECT_EQ(SchreibeBib(ordner / "ziel.bib", Fixture()), TDateiMeldung::SchreibenFehler);
  EXPECT_EQ(Datei(ordner / "ziel.bib" / "drin"), Bytes{7});
  EXPECT_EQ(ordner.Namen(), std::vector<std::string>{"ziel.bib"});

  // No folder to write to: not even a probe is left.
  EXPECT_EQ(SchreibeBib(ordner / "fehlt" / "b.bib", Fixture()), TDateiMeldung::Schreibrechte);
  EXPECT_FALSE(std::filesystem::exists(ordner / "fehlt"));
}

TEST(SchreibeBib, SchreibgeschuetzterOrdnerBehaeltDieDatei) {
  if (geteuid() == 0) GTEST_SKIP() << "root darf in jeden Ordner schreiben";
  TestOrdner ordner;
  const auto datei = ordner / "b.bib";
  ASSERT_EQ(SchreibeBib(datei, TBibliothek{}), TDateiMeldung::Keine);
  const Bytes vorher = Datei(datei);
  std::filesystem::permissions(
      ordner.Pfad(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(SchreibeBib(datei, Fixture()), TDateiMeldung::Schreibrechte);
  EXPECT_EQ(Datei(datei), vorher);
}

TEST(MeldungsText, DeutscheMeldungen) {
  const std::filesystem::path datei = "/ordner/Bibliothek5.bib";
  const struct {
    TDateiMeldung meldung;
    const char* text;
  } faelle[] = {
      {TDateiMeldung::Keine, ""},
      {TDateiMeldung::Oeffnen, "Fehler beim Öffnen von /ordner/Bibliothek5.bib"},
      {TDateiMeldung::Beschaedigt,
       "Bibliotheksdatei beschädigt oder diese Tarvolin Version passt nicht zur "
       "Bibliotheksdatei."},
      {TDateiMeldung::EntpackenSpeicher,
       "Dekompression der Bibliotheksdatei nicht erfolgreich. Out of Memory Error."},
      {TDateiMeldung::EntpackenFehler,
       "Dekompression der Bibliotheksdatei nicht erfolgreich. Exception."},
      {TDateiMeldung::Fit1, "Bibliotheksdatei beschädigt - 1 chFit"},
      {TDateiMeldung::Fit4, "Bibliotheksdatei beschädigt - 4 chFit"},
      {TDateiMeldung::RestVorhanden, "Bibliotheksdatei beschädigt, Rest vorhanden."},
      {TDateiMeldung::LesenSpeicher,
       "Zu wenig Arbeitsspeicher frei. Die einzulesende Bibliothek wird nicht genutzt."},
      {TDateiMeldung::Schreibrechte,
       "Stellen Sie Schreibrechte auf den Ordner /ordner/ sicher. Der Schreibvorgang war nicht "
       "erfolgreich."},
      {TDateiMeldung::KompressionSpeicher,
       "Zu wenig Arbeitsspeicher für Kompression. Schreiben erfolgt ohne Kompression."},
      {TDateiMeldung::SchreibenFehler, "Schreiben der Bibliothek nicht möglich."},
  };
  for (const auto& f : faelle) EXPECT_EQ(MeldungsText(f.meldung, datei), f.text);
}

}  // namespace
}  // namespace quarne
