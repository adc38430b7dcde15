// Writes the starting corpus of the fuzz targets: a small good library, an empty one, an entry
// file that can be imported and one that only reads, each in every form of input, into
// FOLDER/bibfile and FOLDER/entryfile, two games into FOLDER/gamefile, and a plan's manifest and
// a shard's time into FOLDER/manifest.
#include <iostream>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_search.h"
#include "game/game_file.h"
#include "library/bibfile.h"
#include "library/entryfile.h"
#include "library/file_io.h"
#include "library/keyvalue.h"
#include "library/manifest.h"

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

// Two records the reader takes, though no import would: too few moves, and none.
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
  b.GesetzteSteineZiehend = b.GesetzteSteineStehend = kMaxSteine;
  b.VerloreneSteineZiehend = b.VerloreneSteineStehend = 2;
  std::filesystem::create_directories(ordner / "gamefile");
  std::filesystem::create_directories(ordner / "manifest");
  const std::vector<TSBibEintrag> erste = {ErsteZuege()};
  const bool ok = SchreibeSaaten(ordner / "bibfile", "klein", BibAbbild(KleineBibliothek())) &&
                  SchreibeSaaten(ordner / "bibfile", "leer", BibAbbild(TBibliothek{})) &&
                  SchreibeSaaten(ordner / "entryfile", "klein", SBibAbbild(KleineEintraege())) &&
                  SchreibeSaaten(ordner / "entryfile", "erste", SBibAbbild(erste)) &&
                  SchreibeDatei(ordner / "gamefile" / "klein", PartieAbbild(partie)) &&
                  SchreibeDatei(ordner / "gamefile" / "ziehen", PartieAbbild(ziehen)) &&
                  SchreibeDatei(ordner / "manifest" / "plan", ManifestText({1, 3, 12, 4, 57})) &&
                  SchreibeDatei(ordner / "manifest" / "zeit", KennwertText({{"rechenzeit", 9}}));
  if (!ok) std::cerr << "Saaten nicht geschrieben: " << ordner << "\n";
  return ok ? 0 : 1;
}
