// How fast the opening library loads and answers: reading a library file, and Finde over its
// largest level for a position it does not hold (a full scan under all 16 transforms).
// bib_bench [DATEI]   (default: the library next to the program's sources)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "library/bibfile.h"
#include "library/lookup.h"

int main(int argc, char** argv) {
  using namespace quarne;
  using Uhr = std::chrono::steady_clock;
  const std::filesystem::path datei =
      argc > 1 ? std::filesystem::path(argv[1])
               : std::filesystem::path(QUARNE_QUELLEN) / "assets" / "Bibliothek5.bib";
  TBibliothek bib;
  const auto t0 = Uhr::now();
  const TLeseErgebnis e = LeseBib(datei, bib);
  const auto t1 = Uhr::now();
  if (e.Code != TBibCode::Ok) {
    std::fprintf(stderr, "%s\n", MeldungsText(e.Meldung, datei).c_str());
    return 2;
  }
  int groesste = 0;
  for (int L = 0; L < kBibStufen; ++L)
    if (bib[L].BibCnt() > bib[groesste].BibCnt()) groesste = L;
  std::printf("Laden: %.1f ms\n", std::chrono::duration<double, std::milli>(t1 - t0).count());
  // A position of the level's size that it does not hold: every entry is compared under every
  // transform.
  TBrett fremd{};
  std::mt19937 zufall(1);
  do {
    fremd = TBrett{};
    for (int n = 0; n < groesste; ++n) {
      Punkte p = 0;
      do p = Punkte{1} << (zufall() % 24);
      while ((fremd.SteineZiehend | fremd.SteineStehend) & p);
      (n % 2 == 0 ? fremd.SteineZiehend : fremd.SteineStehend) |= p;
    }
  } while (Finde(bib, groesste, bib[groesste].BibCnt() - 1, fremd, true, false, rC).Index >= 0);
  // Each role as the lookup, the storing and the check ask for it.
  constexpr int kRunden = 200;
  for (const TrSC rolle : {rC, rS, r0}) {
    int gefunden = 0;
    const auto t2 = Uhr::now();
    for (int i = 0; i < kRunden; ++i)
      gefunden += Finde(bib, groesste, bib[groesste].BibCnt() - 1, fremd, rolle != r0, false, rolle)
                      .Index >= 0;
    const auto t3 = Uhr::now();
    std::printf("Finde über Stufe %d (%d Einträge), Rolle %d: %.4f ms%s\n", groesste,
                bib[groesste].BibCnt(), static_cast<int>(rolle),
                std::chrono::duration<double, std::milli>(t3 - t2).count() / kRunden,
                gefunden ? " (gefunden?)" : "");
  }
  return 0;
}
