// Writes the starting corpus of the fuzz targets: a small good library and entry file, and an
// empty library, each in every form of input, into FOLDER/bibfile and FOLDER/entryfile, and a
// one-move game into FOLDER/partie.
#include <iostream>
#include <string>
#include <vector>

#include "fuzz/eingabe.h"
#include "game/game_file.h"
#include "library/bibfile.h"
#include "library/dateien.h"
#include "library/entryfile.h"

namespace quarne {
namespace {

TZug Zug(Punkte nach) {
  TZug z{};
  z.NachPosition = z.BrettNachZug.SteineZiehend = z.BrettNachZug.AlleSteine = nach;
  z.BrettNachZug.GesetzteSteineZiehend = z.BrettNachZug.SteineAnzahlZiehend = 1;
  z.Wertung = {rsQuarn, 0, 0.5, 0.5};
  z.BEWERTET = true;
  return z;
}

// The empty board calculated, with two children, and the player's root entry.
TBibliothek KleineBibliothek() {
  TBibliothek bib;
  TBibZug wurzel;
  wurzel.BibVon = 0;
  wurzel.BibBis = 1;
  wurzel.BibDenkTiefe = 13;
  wurzel.BibZuBerechnen = wurzel.BibBerechnet = wurzel.Frei = true;
  TBibZug spieler = wurzel;
  spieler.BibVon = spieler.BibBis = -1;
  spieler.BibBerechnet = false;
  spieler.rSC = rS;
  bib[0].BibZuege = {wurzel, spieler};
  TBibZug bester;
  bester.Zug = Zug(0x1);
  bester.rSC = rS;
  bester.BibZuBerechnen = true;
  TBibZug anderer;
  anderer.Zug = Zug(0x2);
  anderer.rSC = r0;
  bib[1].BibZuege = {bester, anderer};
  return bib;
}

std::vector<TSBibEintrag> KleineEintraege() {
  TSBibEintrag e;
  e.STDenkTiefe = 12;
  e.Zuege = {Zug(0x1), Zug(0x2)};
  TSBibEintrag ohneZuege;
  ohneZuege.Zug = Zug(0x4);
  return {e, ohneZuege};
}

bool SchreibeSaaten(const std::filesystem::path& ordner, const std::string& name,
                    const Bytes& abbild) {
  std::filesystem::create_directories(ordner);
  const Bytes gepackt = Komprimiere(abbild);
  const auto rumpf = [](const Bytes& b) { return std::span(b).subspan(kVorspannBytes); };
  const std::pair<Form, std::span<const std::uint8_t>> saaten[] = {
      {Form::Datei, gepackt},
      {Form::ContainerRumpf, rumpf(gepackt)},
      {Form::GepackterRumpf, rumpf(abbild)},
      {Form::UngepackterRumpf, rumpf(abbild)},
  };
  for (const auto& [form, rest] : saaten) {
    const auto datei = ordner / (name + "_" + std::to_string(static_cast<int>(form)));
    if (!SchreibeDatei(datei, Saat(form, rest))) return false;
  }
  return true;
}

}  // namespace
}  // namespace quarne

int main(int argc, char** argv) {
  using namespace quarne;
  if (argc != 2) {
    std::cerr << "Aufruf: fuzz_seeds ORDNER\n";
    return 2;
  }
  const std::filesystem::path ordner = argv[1];
  Partiedatei partie;
  TSpielZug zug{};
  zug.Nr = 1;
  zug.Zug = Zug(0x1);
  partie.Zuege = {zug};
  // A game in its moving phase, seven stones a side, for the search behind a loaded file.
  Partiedatei ziehen;
  TBrett& b = ziehen.StartZug.BrettNachZug;
  b.SteineZiehend = 0x1A0A05;
  b.SteineStehend = 0x45050A;
  b.AlleSteine = b.SteineZiehend | b.SteineStehend;
  b.SpielPhaseZiehend = b.SpielPhaseStehend = spZiehen;
  b.SteineAnzahlZiehend = b.SteineAnzahlStehend = 7;
  b.GesetzteSteineZiehend = b.GesetzteSteineStehend = 9;
  b.VerloreneSteineZiehend = b.VerloreneSteineStehend = 2;
  std::filesystem::create_directories(ordner / "partie");
  const bool ok = SchreibeSaaten(ordner / "bibfile", "klein", BibAbbild(KleineBibliothek())) &&
                  SchreibeSaaten(ordner / "bibfile", "leer", BibAbbild(TBibliothek{})) &&
                  SchreibeSaaten(ordner / "entryfile", "klein", SBibAbbild(KleineEintraege())) &&
                  SchreibeDatei(ordner / "partie" / "klein", PartieAbbild(partie)) &&
                  SchreibeDatei(ordner / "partie" / "ziehen", PartieAbbild(ziehen));
  if (!ok) std::cerr << "Saaten nicht geschrieben: " << ordner << "\n";
  return ok ? 0 : 1;
}
