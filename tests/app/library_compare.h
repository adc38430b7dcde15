// Libraries compared as building makes them: per level, every calculated computer position up
// to the board's symmetries, with its depth, VirtuellAb and its moves with their values and
// roles. Which of several symmetric positions became the representative, and the order of the
// entries, are chance in building and left out.
#pragma once

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "library/bibfile.h"
#include "library/lookup.h"
#include "library/symmetry.h"

namespace quarne::test {

using ZugDaten = std::tuple<Punkte, Punkte, Punkte, Punkte, Punkte, int, int, double, double, int>;

struct Rechnung {
  int tiefe = 0, virtuellAb = 0;
  std::vector<ZugDaten> zuege;  // sorted
  bool operator==(const Rechnung&) const = default;
};

struct Stufenstand {
  std::array<int, 3> rollen{};  // entries per role
  std::map<std::pair<Punkte, Punkte>, Rechnung> rechnungen;
  bool operator==(const Stufenstand&) const = default;
};

inline std::pair<Punkte, Punkte> Bild(const TBrett& b, TSymmetrie t) {
  return {Transformiere(b.SteineZiehend, t), Transformiere(b.SteineStehend, t)};
}

// Levels 0..bis. A position that maps onto itself takes the smallest of its move lists.
inline std::vector<Stufenstand> Rechnungen(const TBibliothek& bib, int bis) {
  std::vector<Stufenstand> stand(static_cast<std::size_t>(bis + 1));
  for (int L = 0; L <= bis; ++L) {
    Stufenstand& s = stand[static_cast<std::size_t>(L)];
    for (const TBibZug& e : bib[L].BibZuege) {
      ++s.rollen[e.rSC];
      if (e.rSC != rC || !e.BibZuBerechnen || !e.BibBerechnet) continue;
      std::pair<Punkte, Punkte> schluessel = Bild(e.Zug.BrettNachZug, kSymmetrien[0]);
      for (const TSymmetrie t : kSymmetrien)
        schluessel = std::min(schluessel, Bild(e.Zug.BrettNachZug, t));
      Rechnung beste;
      bool erste = true;
      for (const TSymmetrie t : kSymmetrien) {
        if (Bild(e.Zug.BrettNachZug, t) != schluessel) continue;
        Rechnung r{e.BibDenkTiefe, e.BibVirtuellAb, {}};
        for (const TBibZug& kind : Kinder(bib, L, e)) {
          TZug z = kind.Zug;
          TransformiereZug(z, t);
          r.zuege.emplace_back(z.VonPosition, z.NachPosition, z.EntfStein,
                               z.BrettNachZug.SteineZiehend, z.BrettNachZug.SteineStehend,
                               z.Wertung.ZugResGesamt, z.Wertung.ResultInXZuegen,
                               z.Wertung.PunktWertA, z.Wertung.PunktWertGes, kind.rSC);
        }
        std::sort(r.zuege.begin(), r.zuege.end());
        if (erste || r.zuege < beste.zuege) beste = r;
        erste = false;
      }
      s.rechnungen[schluessel] = beste;
    }
  }
  return stand;
}

inline TBibliothek LiesBib(const std::filesystem::path& pfad) {
  TBibliothek bib;
  EXPECT_EQ(LeseBib(pfad, bib).Code, TBibCode::Ok) << pfad;
  return bib;
}

}  // namespace quarne::test
