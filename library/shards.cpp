#include "library/shards.h"

#include <algorithm>
#include <numeric>

#include "core/byteimage.h"
#include "library/bibfile.h"
#include "library/building.h"
#include "library/lookup.h"
#include "library/validation.h"

namespace quarne {
namespace {

namespace fs = std::filesystem;

std::uint64_t Fnv1a(std::span<const std::uint8_t> bytes) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (const std::uint8_t b : bytes) {
    h ^= b;
    h *= 0x100000001b3ULL;
  }
  return h;
}

Bytes ZugBild(const TZug& z) {
  Bytes b;
  ByteWriter w(b);
  Schreibe(w, z);
  return b;
}

// The level of a placing-phase position, or -1.
int StufeVon(const TBrett& b) {
  const std::int64_t L = std::int64_t{b.GesetzteSteineZiehend} + b.GesetzteSteineStehend;
  return L >= 0 && L < kBibStufen - 1 && StellungDerStufe(b, static_cast<int>(L))
             ? static_cast<int>(L)
             : -1;
}

// Indices 0..n-1 into `teile` groups: the heaviest first, each to the lightest group so far.
std::vector<std::vector<std::size_t>> Verteile(const std::vector<int>& gewicht, int teile) {
  std::vector<std::size_t> reihe(gewicht.size());
  std::iota(reihe.begin(), reihe.end(), 0);
  std::stable_sort(reihe.begin(), reihe.end(),
                   [&](std::size_t a, std::size_t b) { return gewicht[a] > gewicht[b]; });
  std::vector<std::vector<std::size_t>> gruppen(static_cast<std::size_t>(teile));
  std::vector<std::int64_t> last(static_cast<std::size_t>(teile), 0);
  for (const std::size_t i : reihe) {
    const auto k =
        static_cast<std::size_t>(std::min_element(last.begin(), last.end()) - last.begin());
    gruppen[k].push_back(i);
    last[k] += gewicht[i];
  }
  for (auto& g : gruppen) std::sort(g.begin(), g.end());
  return gruppen;
}

}  // namespace

std::uint64_t Planstand(const TBibliothek& bib, int L) {
  TBibliothek stand;
  for (int l = 0; l < kBibStufen; ++l) stand[l] = {false, 0, {}};
  for (int l = 0; l < L; ++l) stand[l].BibZuege = bib[l].BibZuege;
  for (const TBibZug& e : bib[L].BibZuege) {
    TBibZug kern;
    kern.Zug = e.Zug;
    kern.rSC = e.rSC;
    kern.BibZuBerechnen = e.BibZuBerechnen;
    stand[L].BibZuege.push_back(kern);
  }
  return Fnv1a(BibAbbild(stand));
}

TGeplant PlaneStufe(TBibliothek& bib, Suche& suche, int L, int teile, int tiefe) {
  TGeplant g;
  if (L > 0) {
    if (bib[L - 1].BibCnt() == 0)
      g.Fehler = "Stufe " + std::to_string(L - 1) + " ist leer: sie ist zuerst zu berechnen.";
    else if (const std::size_t offen = AlleKandidaten(bib, L - 1).size(); offen > 0)
      g.Fehler = "In Stufe " + std::to_string(L - 1) + " sind noch " + std::to_string(offen) +
                 " Stellungen zu berechnen: erst deren Berechnungen importieren.";
    if (!g.Fehler.empty()) return g;
  }
  LegeWurzelnAn(bib);
  bib[L].BibAktiv = true;
  if (tiefe > 0) bib[L].BibTiefe = tiefe;
  if (L > 0) BerechneSpieler(bib, suche, L - 1);

  const std::vector<int> kandidaten = AlleKandidaten(bib, L);
  std::vector<int> gewicht;
  const LeererVerlauf verlauf;
  for (const int x : kandidaten) {
    suche.StepRoutineListe(2, Eintrag(bib, L, x).Zug, L + 1, AmZug(L), true, true, verlauf);
    gewicht.push_back(suche.Steps[1].ZuegeAnzahl);
  }
  for (const auto& gruppe : Verteile(gewicht, teile)) {
    std::vector<TSBibEintrag>& teil = g.Teile.emplace_back();
    for (const std::size_t i : gruppe) {
      TSBibEintrag e;
      e.Zug = Eintrag(bib, L, kandidaten[i]).Zug;
      e.STDenkTiefe = bib[L].BibTiefe;
      teil.push_back(e);
    }
  }
  g.Plan = {Planstand(bib, L), L, bib[L].BibTiefe, teile, static_cast<int>(kandidaten.size())};
  return g;
}

std::string PruefeTeil(std::span<const TSBibEintrag> teil) {
  for (std::size_t i = 0; i < teil.size(); ++i) {
    const TSBibEintrag& e = teil[i];
    const std::string name = "Stellung " + std::to_string(i + 1);
    if (!e.Zuege.empty()) return name + " ist schon berechnet";
    if (StufeVon(e.Zug.BrettNachZug) < 0 || !ZugLesbar(e.Zug))
      return name + " ist keine Stellung der Setzphase";
    if (e.STDenkTiefe < 1 || e.STDenkTiefe > kMaxSteps)
      return name + ": die Tiefe muss 1 bis 16 sein";
    if (StufeVon(e.Zug.BrettNachZug) != StufeVon(teil[0].Zug.BrettNachZug) ||
        e.STDenkTiefe != teil[0].STDenkTiefe)
      return name + " gehört zu einer anderen Stufe oder Tiefe als die erste";
  }
  return {};
}

std::optional<std::vector<bool>> Erledigt(std::span<const TSBibEintrag> teil,
                                          std::span<const TSBibEintrag> fertig) {
  std::vector<Bytes> bilder;
  for (const TSBibEintrag& t : teil) bilder.push_back(ZugBild(t.Zug));
  std::vector<bool> erledigt(teil.size(), false);
  for (const TSBibEintrag& f : fertig) {
    const auto it = std::find(bilder.begin(), bilder.end(), ZugBild(f.Zug));
    if (it == bilder.end()) return std::nullopt;
    const auto i = static_cast<std::size_t>(it - bilder.begin());
    if (erledigt[i] || f.STDenkTiefe != teil[i].STDenkTiefe) return std::nullopt;
    erledigt[i] = true;
  }
  return erledigt;
}

std::string PruefeGegenPlan(const TBibliothek& bib, const TPlan& plan,
                            std::span<const TSBibEintrag> eintraege) {
  if (Planstand(bib, plan.Stufe) != plan.Planstand)
    return "geplant mit einer anderen Bibliothek oder einem anderen Stand dieser Bibliothek";
  for (std::size_t i = 0; i < eintraege.size(); ++i) {
    const TSBibEintrag& e = eintraege[i];
    const std::string name = "Eintrag " + std::to_string(i + 1);
    const int L = StufeVon(e.Zug.BrettNachZug);
    if (L != plan.Stufe)
      return name + ": die Stellung gehört nicht zur geplanten Stufe " + std::to_string(plan.Stufe);
    if (e.STDenkTiefe != plan.Tiefe)
      return name + ": mit Tiefe " + std::to_string(e.STDenkTiefe) + " statt " +
             std::to_string(plan.Tiefe) + " gerechnet";
    if (Finde(bib, L, bib[L].BibCnt() - 1, e.Zug.BrettNachZug, true, false, rC).Index < 0)
      return name + ": die Stellung steht nicht als Computerstellung in der Bibliothek";
  }
  return {};
}

}  // namespace quarne
