#include "library/lookup.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

#include "core/bigswap.h"

namespace quarne {
namespace {

// Both stone sets in one value, so that a level is scanned with one comparison per transform.
std::uint64_t Schluessel(Punkte ziehend, Punkte stehend) {
  return std::uint64_t{ziehend} | std::uint64_t{stehend} << 32;
}

template <class Bib>
auto& EintragIn(Bib& bib, int stufe, int index) {
  if (stufe < 0 || stufe >= kBibStufen || index < 0 || index >= bib[stufe].BibCnt())
    throw std::out_of_range(kBereichsFehler);
  return bib[stufe].BibZuege[static_cast<std::size_t>(index)];
}

template <class Bib>
auto KinderIn(Bib& bib, int stufe, const TBibZug& e) {
  if (stufe < 0 || stufe + 1 >= kBibStufen || !HatKinder(e) || e.BibBis >= bib[stufe + 1].BibCnt())
    throw std::out_of_range(kBereichsFehler);
  return std::span(bib[stufe + 1].BibZuege)
      .subspan(static_cast<std::size_t>(e.BibVon),
               static_cast<std::size_t>(e.BibBis - e.BibVon + 1));
}

bool TiefGenug(int tiefe, const TBibTiefenwahl& wahl) {
  if (wahl.AutoGroup == 0) return tiefe >= wahl.TiefeSE1;
  return !wahl.CBBibDenkTiefe || tiefe >= wahl.BibSE;
}

}  // namespace

TFund Finde(const TBibliothek& bib, int stufe, int bis, const TBrett& position, bool repraesentant,
            bool frei, TrSC rolle) {
  TFund fund;
  if (stufe < 0 || stufe >= kBibStufen) return fund;
  const auto& zuege = bib[stufe].BibZuege;
  bis = std::min(bis, bib[stufe].BibCnt() - 1);

  std::array<std::uint64_t, 16> bilder{};
  for (std::size_t t = 0; t < kSymmetrien.size(); ++t)
    bilder[t] = Schluessel(Transformiere(position.SteineZiehend, kSymmetrien[t]),
                           Transformiere(position.SteineStehend, kSymmetrien[t]));

  // One pass over the level instead of one per transform: a later entry can only win with an
  // earlier transform than the best found so far.
  std::size_t beste = bilder.size();
  for (int j = 0; j <= bis && beste > 0; ++j) {
    const TBibZug& e = zuege[static_cast<std::size_t>(j)];
    if (e.rSC != rolle || e.ZuLoeschen || e.BibZuBerechnen != repraesentant ||
        (repraesentant && frei && !e.Frei))
      continue;
    const std::uint64_t s =
        Schluessel(e.Zug.BrettNachZug.SteineZiehend, e.Zug.BrettNachZug.SteineStehend);
    for (std::size_t t = 0; t < beste; ++t)
      if (bilder[t] == s) {
        beste = t;
        fund = {j, kSymmetrien[t]};
        break;
      }
  }
  return fund;
}

TBibZug& Eintrag(TBibliothek& bib, int stufe, int index) {
  return EintragIn(bib, stufe, index);
}

const TBibZug& Eintrag(const TBibliothek& bib, int stufe, int index) {
  return EintragIn(bib, stufe, index);
}

bool HatKinder(const TBibZug& e) {
  return e.BibVon > -1 && e.BibBis > -1 && e.BibBis >= e.BibVon;
}

std::span<TBibZug> Kinder(TBibliothek& bib, int stufe, const TBibZug& e) {
  return KinderIn(bib, stufe, e);
}

std::span<const TBibZug> Kinder(const TBibliothek& bib, int stufe, const TBibZug& e) {
  return KinderIn(bib, stufe, e);
}

void PruefeZugAnzahl(int anzahl) {
  if (anzahl < 0 || anzahl > kMaxZuege) throw std::out_of_range(kZuVieleZuege);
}

void Seitenwechsel(TBrett& b) {
  const BigSwapFehler fehler = HTBigSwap(b);
  if (fehler.ziehend) throw std::runtime_error("Plausifehler #01");
  if (fehler.stehend) throw std::runtime_error("Plausifehler #02");
}

void FuelleStep(const TBibliothek& bib, int stufe, int index, TStep& s) {
  const TBibZug& e = Eintrag(bib, stufe, index);
  const auto kinder = Kinder(bib, stufe, e);
  const int anzahl = static_cast<int>(kinder.size());
  PruefeZugAnzahl(anzahl);
  s = TStep{};
  for (int i = 1; i <= anzahl; ++i) s.Zuege[i] = kinder[static_cast<std::size_t>(i - 1)].Zug;
  s.ZuegeAnzahl = anzahl;
  s.STFarbeZiehend = stufe % 2 == 1 ? clSchwarz : clWeiss;
  s.STZugNummer = stufe + 1;
  s.STSpieler = csComputer;
  s.STStepMax = s.STDenkTiefe = e.BibDenkTiefe;
  s.VirtuellAb = e.BibVirtuellAb;
}

bool GenMemStep(const TBibliothek& bib, TStep& s, const TZug& zug, const TBibTiefenwahl& wahl) {
  const TBrett& p = zug.BrettNachZug;
  const int stufe = p.GesetzteSteineZiehend + p.GesetzteSteineStehend;
  if (stufe < 0 || stufe >= kBibStufen - 1) return false;
  if (bib[stufe].BibZuege.empty() || bib[stufe + 1].BibZuege.empty()) return false;
  // Asked for a representative, Finde only returns entries with BibZuBerechnen.
  const TFund fund = Finde(bib, stufe, bib[stufe].BibCnt() - 1, p, true, false, rC);
  if (fund.Index < 0) return false;
  const TBibZug& e = bib[stufe].BibZuege[static_cast<std::size_t>(fund.Index)];
  if (!e.BibBerechnet || !TiefGenug(e.BibDenkTiefe, wahl)) return false;
  FuelleStep(bib, stufe, fund.Index, s);
  RuecktransformiereZuege(s, fund.Symmetrie);
  s.VorDemZug = zug;
  Seitenwechsel(s.VorDemZug.BrettNachZug);
  return true;
}

}  // namespace quarne
