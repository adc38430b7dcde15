#include "library/entryfile.h"

#include <gtest/gtest.h>

#include "library/bibfile.h"
#include "library/image_header.h"
#include "library/packing.h"
#include "tests/library/test_folder.h"

namespace quarne {
namespace {

TZug Zug(std::int32_t nr, Punkte nach, double wert) {
  TZug z{};
  z.Nr = nr;
  z.NachPosition = z.BrettNachZug.SteineZiehend = z.BrettNachZug.AlleSteine = nach;
  z.BrettNachZug.GesetzteSteineZiehend = z.BrettNachZug.SteineAnzahlZiehend = 1;
  z.Wertung = {rsQuarn, 0, wert, wert};
  z.BEWERTET = true;
  z.SmartZuege[1].NachPosition = nach;
  return z;
}

TSBibEintrag Eintrag(int zuege) {
  TSBibEintrag e;
  e.Zug = Zug(0, 0, 0);
  e.Zug.BrettNachZug.GesetzteSteineZiehend = 0;
  e.VirtuellAb = 4;
  e.STDenkTiefe = 12;
  for (int i = 1; i <= zuege; ++i) e.Zuege.push_back(Zug(i, 1u << (i % 24), 1.0 / i));
  return e;
}

// Two records, the second without moves; it begins with its marker here.
constexpr std::size_t kZweiteMarke = 20 + 4 + 448 + 12 + 3 * 448;
const std::vector<TSBibEintrag>& Fixture() {
  static const std::vector<TSBibEintrag> eintraege = [] {
    std::vector<TSBibEintrag> e = {Eintrag(3), Eintrag(0)};
    e[1].Zug = Zug(7, 0x10, -0.5);
    e[1].STDenkTiefe = 9;
    return e;
  }();
  return eintraege;
}

TEST(SBibDatei, GeschriebenUndGelesen) {
  TestOrdner ordner;
  const auto datei = ordner / "neu.sbib";
  ASSERT_EQ(SchreibeSBib(datei, Fixture()), TDateiMeldung::Keine);
  EXPECT_EQ(ordner.Namen(), std::vector<std::string>{"neu.sbib"});

  const TSBibGelesen gelesen = LeseSBib(datei);
  ASSERT_EQ(gelesen.Ergebnis.Code, TBibCode::Ok);
  ASSERT_EQ(gelesen.Eintraege.size(), 2u);
  EXPECT_EQ(SBibAbbild(gelesen.Eintraege), SBibAbbild(Fixture()));
  // Marker, move record, VirtuellAb, STDenkTiefe, N, N moves.
  EXPECT_EQ(SBibAbbild(Fixture()).size(), kZweiteMarke + 4 + 448 + 12);
}

TEST(SBibStep, TraegtDieBerechnungZurBibliothek) {
  const TStep s = SBibStep(Fixture()[0]);
  EXPECT_EQ(s.ZuegeAnzahl, 3);
  EXPECT_EQ(s.VirtuellAb, 4);
  EXPECT_EQ(s.STDenkTiefe, 12);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(s.Zuege[i].Nr, i);
    EXPECT_EQ(s.Zuege[i].Wertung.PunktWertGes, 1.0 / i);
  }
  EXPECT_EQ(s.STZugNummer, 0);
  EXPECT_EQ(s.VorDemZug.NachPosition, 0u);
  EXPECT_EQ(s.Zuege[4].Nr, 0);
}

TEST(LeseSBib, HundertZuegePassenInEinenStep) {
  const std::vector<TSBibEintrag> voll = {Eintrag(kMaxZuege)};
  const TSBibGelesen gelesen = LeseSBib(Komprimiere(SBibAbbild(voll)));
  ASSERT_EQ(gelesen.Ergebnis.Code, TBibCode::Ok);
  EXPECT_EQ(SBibStep(gelesen.Eintraege[0]).Zuege[kMaxZuege].Nr, kMaxZuege);
}

// A plain image of the records, changed, with its header made right again, then packed.
Bytes Geaendert(std::vector<TSBibEintrag> eintraege, void (*aendern)(Bytes&)) {
  Bytes abbild = SBibAbbild(eintraege);
  aendern(abbild);
  SchliesseVorspann(abbild);
  return Komprimiere(abbild);
}

TEST(LeseSBib, FehlerhafteDateienGebenNichtsHer) {
  const struct {
    const char* fall;
    Bytes datei;
    TBibCode code;
  } faelle[] = {
      {"nicht gepackt", SBibAbbild(Fixture()), TBibCode::Stempel},
      {"Bibliothek statt Einträgen", Komprimiere(BibAbbild(TBibliothek{})), TBibCode::Stempel},
      {"Container zu kurz", Bytes(10, 2), TBibCode::NoVorspann},
      {"falsche Marke im zweiten Datensatz",
       Geaendert(Fixture(), [](Bytes& b) { b[kZweiteMarke] ^= 0xFF; }), TBibCode::InnStempel},
      {"Marke passt nicht mehr", Geaendert(Fixture(), [](Bytes& b) { b.push_back(0x98); }),
       TBibCode::Fit},
      {"Zug fehlt", Geaendert(Fixture(), [](Bytes& b) { b.resize(b.size() - 20); }), TBibCode::Fit},
      {"letzter Zug halb", Geaendert({Eintrag(2)}, [](Bytes& b) { b.resize(b.size() - 100); }),
       TBibCode::Fit},
      {"101 Züge", Geaendert({Eintrag(1), Eintrag(kMaxZuege + 1)}, [](Bytes&) {}), TBibCode::Fit},
      {"negative Zugzahl",
       Geaendert({Eintrag(0)}, [](Bytes& b) { b[20 + 4 + 448 + 8 + 3] = 0x80; }), TBibCode::Fit},
  };
  for (const auto& f : faelle) {
    const TSBibGelesen gelesen = LeseSBib(f.datei);
    EXPECT_EQ(gelesen.Ergebnis.Code, f.code) << f.fall;
    EXPECT_TRUE(gelesen.Eintraege.empty()) << f.fall;
  }
}

TEST(LeseSBib, DateiFehltOderIstNichtLesbar) {
  TestOrdner ordner;
  std::filesystem::create_directory(ordner / "ordner.sbib");
  const TSBibGelesen fehlt = LeseSBib(ordner / "fehlt.sbib");
  EXPECT_EQ(fehlt.Ergebnis.Code, TBibCode::Laden);
  EXPECT_EQ(fehlt.Ergebnis.Meldung, TDateiMeldung::Keine);
  const TSBibGelesen ordnerStattDatei = LeseSBib(ordner / "ordner.sbib");
  EXPECT_EQ(ordnerStattDatei.Ergebnis.Code, TBibCode::Laden);
  EXPECT_EQ(ordnerStattDatei.Ergebnis.Meldung, TDateiMeldung::Oeffnen);
}

}  // namespace
}  // namespace quarne
