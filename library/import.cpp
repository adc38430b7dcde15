#include "library/import.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <new>
#include <vector>

#include "library/lookup.h"
#include "library/maintenance.h"
#include "library/storing.h"
#include "library/validation.h"

namespace quarne {
namespace {

// Changes a copy, so that a failure leaves `bib` as it was.
TUebernahme Aendere(TBibliothek& bib, Suche& suche,
                    const std::function<void(TBibliothek&)>& aendern) {
  TBibliothek neu = bib;
  try {
    aendern(neu);
    CheckBib(neu, suche);
  } catch (const std::bad_alloc&) {
    return {TUebernahme::Ergebnis, "Zu wenig Arbeitsspeicher."};
  } catch (const std::exception& f) {
    return {TUebernahme::Ergebnis, f.what()};
  }
  bib = std::move(neu);
  return {};
}

}  // namespace

std::string PruefeSBib(Suche& suche, std::span<const TSBibEintrag> eintraege) {
  for (std::size_t i = 0; i < eintraege.size(); ++i) {
    const TSBibEintrag& e = eintraege[i];
    const std::string grund = PruefeBerechnung(suche, e.Zug, e.Zuege, e.STDenkTiefe, e.VirtuellAb);
    if (!grund.empty()) return "Eintrag " + std::to_string(i + 1) + ": " + grund;
  }
  return {};
}

TUebernahme ImportiereSBib(TBibliothek& bib, Suche& suche,
                           std::span<const TSBibEintrag> eintraege) {
  if (std::string grund = PruefeSBib(suche, eintraege); !grund.empty())
    return {TUebernahme::Quelle, std::move(grund)};
  return Aendere(bib, suche, [&](TBibliothek& neu) {
    for (const TSBibEintrag& e : eintraege) AddBibi(neu, e.Zug, SBibStep(e));
  });
}

TUebernahme FusioniereBib(TBibliothek& bib, Suche& suche, const TBibliothek& andere) {
  for (int L = 0; L < kBibStufen - 1; ++L) {
    for (int j = 0; j < andere[L].BibCnt(); ++j) {
      const TBibZug& e = andere[L].BibZuege[static_cast<std::size_t>(j)];
      if (!e.BibBerechnet) continue;
      std::string grund;
      try {
        std::vector<TZug> zuege;
        for (const TBibZug& kind : Kinder(andere, L, e)) zuege.push_back(kind.Zug);
        // An expanded player's position carries the depth of its listing; only its moves count.
        grund = PruefeBerechnung(suche, e.Zug, zuege, std::max(e.BibDenkTiefe, 1), e.BibVirtuellAb);
      } catch (const std::exception& f) {
        grund = f.what();
      }
      if (!grund.empty())
        return {TUebernahme::Quelle,
                "Stufe " + std::to_string(L) + ", Eintrag " + std::to_string(j) + ": " + grund};
    }
  }
  return Aendere(bib, suche, [&](TBibliothek& neu) { FusionBib(neu, andere); });
}

}  // namespace quarne
