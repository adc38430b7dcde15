// The search behind the fuzz targets, without a window, and a small library that is right in
// every respect: the empty board calculated with all 24 first moves. It is the target that
// imports and merges go into, and a seed that reaches the checks behind the readers.
#pragma once

#include <memory>
#include <vector>

#include "engine/search.h"
#include "library/entryfile.h"
#include "library/model.h"
#include "library/storing.h"

namespace quarne {

struct StillerGastgeber final : Host {
  void Meldung(std::string_view) override {}
  void VerarbeiteEreignisse() override {}
  std::int64_t JetztMs() override { return 0; }
};

inline const Einstellungen& FuzzEinstellungen() {
  static const Einstellungen einst;
  return einst;
}

inline Host& FuzzGastgeber() {
  static StillerGastgeber gastgeber;
  return gastgeber;
}

inline Suche& FuzzSuche() {
  static const auto suche = std::make_unique<Suche>(FuzzEinstellungen(), FuzzGastgeber());
  return *suche;
}

// The calculation of the empty board: every first move, listed as the search lists them.
inline TSBibEintrag ErsteZuege() {
  TSBibEintrag e;
  const LeererVerlauf verlauf;
  Suche& suche = FuzzSuche();
  suche.StepRoutineListe(2, e.Zug, 1, clWeiss, true, true, verlauf);
  const TStep& s = suche.Steps[1];
  e.STDenkTiefe = 2;
  for (int i = 1; i <= s.ZuegeAnzahl; ++i) e.Zuege.push_back(s.Zuege[i]);
  return e;
}

inline TBibliothek KleineBibliothek() {
  TBibliothek bib;
  bib[0].BibZuege = WurzelEintraege();
  const TSBibEintrag e = ErsteZuege();
  AddBibi(bib, e.Zug, SBibStep(e));
  return bib;
}

}  // namespace quarne
