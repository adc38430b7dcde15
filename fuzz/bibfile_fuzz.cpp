// The library reader on hostile bytes. Besides not crashing, it must keep the library in memory
// when the header or the unpacking fails, empty it when the levels fail, and read what it accepts
// so that writing and reading it again gives the same image. An accepted library then goes where
// the program takes one: the check, the lookup before a computer move, an import of its own
// calculations into it, and a merge into a good library; a change that is refused leaves its
// target as it was.
#include <algorithm>
#include <cstdlib>
#include <exception>

#include "engine/values.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_search.h"
#include "library/bibfile.h"
#include "library/import.h"
#include "library/lookup.h"
#include "library/maintenance.h"

namespace quarne {
namespace {

// Unpacked images beyond this are refused, so that one input cannot exhaust the fuzzer's memory.
constexpr std::size_t kHoechstens = std::size_t{1} << 24;

bool Leer(const TBibliothek& bib) {
  for (const TBibSegm& s : bib.Stufen)
    if (s.BibAktiv || s.BibTiefe != 0 || s.BibCnt() != 0) return false;
  return true;
}

void Pruefe(bool gilt) {
  if (!gilt) std::abort();
}

// A refused change leaves the library as it was; an accepted one leaves it passing its check.
void PruefeUebernahme(const TBibliothek& vorher, const TBibliothek& nachher, const TUebernahme& u) {
  if (u.art != TUebernahme::Ok) {
    Pruefe(BibAbbild(nachher) == BibAbbild(vorher));
    return;
  }
  TBibliothek geprueft = nachher;
  try {
    CheckBib(geprueft, FuzzSuche());
  } catch (const std::exception&) {
    std::abort();
  }
}

void Verwende(const TBibliothek& bib) {
  Suche& suche = FuzzSuche();
  TBibliothek geprueft = bib;
  try {
    CheckBib(geprueft, suche);
  } catch (const std::exception&) {
  }

  // The lookup of each computer position, with the moves sorted as after a search, and the
  // calculations of calculated ones, as an entry file would carry them.
  std::vector<TSBibEintrag> eigene;
  TBibTiefenwahl wahl;
  wahl.AutoGroup = 0;
  wahl.TiefeSE1 = 1;
  for (int L = 0; L < kBibStufen - 1; ++L) {
    for (int j = 0; j < bib[L].BibCnt(); ++j) {
      const TBibZug& e = bib[L].BibZuege[static_cast<std::size_t>(j)];
      if (e.rSC != rC || !e.BibZuBerechnen) continue;
      try {
        TStep s{};
        if (GenMemStep(bib, s, e.Zug, wahl)) SortRoutine(s, FuzzEinstellungen(), FuzzGastgeber());
        if (!e.BibBerechnet) continue;
        FuelleStep(bib, L, j, s);
        TSBibEintrag r;
        r.Zug = e.Zug;
        r.STDenkTiefe = std::min(s.STDenkTiefe + 1, kMaxSteps);
        r.VirtuellAb = s.VirtuellAb;
        for (int i = 1; i <= s.ZuegeAnzahl; ++i) r.Zuege.push_back(s.Zuege[i]);
        eigene.push_back(r);
      } catch (const std::exception&) {
      }
    }
  }

  TBibliothek ziel = bib;
  PruefeUebernahme(bib, ziel, ImportiereSBib(ziel, suche, eigene));
  static const TBibliothek gut = KleineBibliothek();
  TBibliothek zusammen = gut;
  PruefeUebernahme(gut, zusammen, FusioniereBib(zusammen, suche, bib));
}

}  // namespace
}  // namespace quarne

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  const Bytes strom = Eingabe(daten, groesse, kStempelBib);
  static const TBibliothek gut = KleineBibliothek();
  TBibliothek bib = gut;
  const Bytes vorher = BibAbbild(bib);
  const TLeseErgebnis e = LeseBib(strom, bib, kHoechstens);
  switch (e.Code) {
    case TBibCode::Ok: {
      const Bytes abbild = BibAbbild(bib);
      TBibliothek wieder;
      Pruefe(LeseBib(Komprimiere(abbild), wieder).Code == TBibCode::Ok);
      Pruefe(BibAbbild(wieder) == abbild);
      Verwende(bib);
      break;
    }
    case TBibCode::Except:
    case TBibCode::Memory:
      Pruefe(Leer(bib));
      break;
    default:
      Pruefe(BibAbbild(bib) == vorher);
  }
  return 0;
}
