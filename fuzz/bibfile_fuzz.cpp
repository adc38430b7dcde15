// The library reader on hostile bytes. Besides not crashing, it must keep the library in memory
// when the header or the unpacking fails, empty it when the levels fail, and read what it accepts
// so that writing and reading it again gives the same image.
#include <cstdlib>

#include "fuzz/eingabe.h"
#include "library/bibfile.h"

namespace quarne {
namespace {

TBibliothek Vorhanden() {
  TBibliothek bib;
  bib[0].BibAktiv = true;
  bib[0].BibZuege.resize(2);
  bib[0].BibZuege[1].rSC = rS;
  return bib;
}

bool Leer(const TBibliothek& bib) {
  for (const TBibSegm& s : bib.Stufen)
    if (s.BibAktiv || s.BibTiefe != 0 || s.BibCnt() != 0) return false;
  return true;
}

void Pruefe(bool gilt) {
  if (!gilt) std::abort();
}

}  // namespace
}  // namespace quarne

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  const Bytes strom = Eingabe(daten, groesse, kStempelBib);
  TBibliothek bib = Vorhanden();
  const Bytes vorher = BibAbbild(bib);
  const TLeseErgebnis e = LeseBib(strom, bib);
  switch (e.Code) {
    case TBibCode::Ok: {
      const Bytes abbild = BibAbbild(bib);
      TBibliothek wieder;
      Pruefe(LeseBib(Komprimiere(abbild), wieder).Code == TBibCode::Ok);
      Pruefe(BibAbbild(wieder) == abbild);
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
