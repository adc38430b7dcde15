#include "library/storing.h"

#include <memory>
#include <stdexcept>

#include "engine/values.h"
#include "library/lookup.h"
#include "library/symmetry.h"

namespace quarne {
namespace {

constexpr int kLetzteStufe = kBibStufen - 1;

// A player position among the equally best moves is calculated once per level; positions of
// the last level are never expanded.
bool BrauchtRepraesentant(const TBibliothek& bib, int stufe, int bis, const TBrett& position) {
  return stufe < kLetzteStufe && Finde(bib, stufe, bis, position, true, false, rS).Index < 0;
}

void MarkiereKinder(TBibliothek& bib, int stufe, const TBibZug& e) {
  if (!HatKinder(e)) return;
  for (TBibZug& k : Kinder(bib, stufe, e)) k.ZuLoeschen = true;
}

// The child of j whose position has the stones of the move's position.
int KindZu(const TBibliothek& bib, int stufe, int j, const TBrett& position) {
  const TBibZug& e = Eintrag(bib, stufe, j);
  const auto kinder = Kinder(bib, stufe, e);
  for (std::size_t i = 0; i < kinder.size(); ++i) {
    const TBrett& b = kinder[i].Zug.BrettNachZug;
    if (b.SteineZiehend == position.SteineZiehend && b.SteineStehend == position.SteineStehend)
      return e.BibVon + static_cast<int>(i);
  }
  throw std::runtime_error("Fehler02 in AktualBis");
}

// The marking pass over entry x of level i (x has ZuLoeschen).
void MarkiereZweig(TBibliothek& bib, int i, int x) {
  auto& zuege = bib[i].BibZuege;
  const TBibZug eintrag = zuege[static_cast<std::size_t>(x)];
  const TBrett& position = eintrag.Zug.BrettNachZug;
  if (eintrag.BibZuBerechnen && !eintrag.Frei) {
    const int d = Finde(bib, i, bib[i].BibCnt() - 1, position, false, false, eintrag.rSC).Index;
    if (d < 0) {
      MarkiereKinder(bib, i, eintrag);
    } else if (!eintrag.BibBerechnet) {
      zuege[static_cast<std::size_t>(d)].BibZuBerechnen = true;
      zuege[static_cast<std::size_t>(d)].BibBerechnet = false;
    } else {
      // Another reference still needs the calculation: it stays as a free entry.
      TBibZug frei = eintrag;
      frei.ZuLoeschen = false;
      frei.Frei = true;
      zuege.push_back(frei);
      TBibZug& alt = zuege[static_cast<std::size_t>(x)];
      alt.BibVon = alt.BibBis = -1;
      alt.BibZuBerechnen = false;
      alt.BibBerechnet = false;
    }
  } else if (!eintrag.BibZuBerechnen && eintrag.rSC != r0) {
    // The last reference to a free calculation takes that calculation with it.
    const int f = Finde(bib, i, bib[i].BibCnt() - 1, position, true, true, eintrag.rSC).Index;
    if (f >= 0 &&
        Finde(bib, i, bib[i].BibCnt() - 1, position, false, false, eintrag.rSC).Index < 0) {
      TBibZug& frei = zuege[static_cast<std::size_t>(f)];
      frei.BibZuBerechnen = false;
      frei.ZuLoeschen = true;
      MarkiereKinder(bib, i, frei);
    }
  }
}

}  // namespace

void AddBibi(TBibliothek& bib, const TZug& zug, const TStep& s) {
  const TBrett& p = zug.BrettNachZug;
  const int stufe = p.GesetzteSteineZiehend + p.GesetzteSteineStehend;
  if (stufe < 0 || stufe >= kLetzteStufe) return;
  // Asked for a representative, Finde only returns entries with BibZuBerechnen.
  const TFund fund = Finde(bib, stufe, bib[stufe].BibCnt() - 1, p, true, false, rC);
  if (fund.Index < 0) return;
  const auto gedreht = std::make_unique<TStep>(s);
  TransformiereZuege(*gedreht, fund.Symmetrie);
  const TBibZug& e = bib[stufe].BibZuege[static_cast<std::size_t>(fund.Index)];
  if (e.BibBerechnet && e.BibDenkTiefe < s.STDenkTiefe)
    AktualBis(bib, stufe, fund.Index, *gedreht);
  else if (!e.BibBerechnet && s.STDenkTiefe > 0)
    AddVerzweigung(bib, stufe, fund.Index, *gedreht);
}

void AddVerzweigung(TBibliothek& bib, int stufe, int j, const TStep& s) {
  if (stufe == kLetzteStufe) return;
  TBibZug& e = Eintrag(bib, stufe, j);
  PruefeZugAnzahl(s.ZuegeAnzahl);
  auto& kinder = bib[stufe + 1].BibZuege;
  const int k = static_cast<int>(kinder.size());
  const int anzahl = s.ZuegeAnzahl;
  e.BibVon = k;
  e.BibBis = k + anzahl - 1;
  e.BibDenkTiefe = s.STDenkTiefe;
  e.BibVirtuellAb = s.VirtuellAb;
  e.BibZuBerechnen = true;
  e.BibBerechnet = true;
  e.ZuLoeschen = false;
  e.Frei = false;
  e.rSC = rC;

  kinder.resize(static_cast<std::size_t>(k + anzahl));
  const int gleichBeste = AnzahlGleichBeste(s);
  for (int t = 1; t <= anzahl; ++t) {
    const int i = k + t - 1;
    TBibZug& c = kinder[static_cast<std::size_t>(i)];
    c.Zug = s.Zuege[t];
    if (t > gleichBeste) {
      c.rSC = r0;
    } else {
      c.rSC = rS;
      c.BibZuBerechnen = BrauchtRepraesentant(bib, stufe + 1, i - 1, c.Zug.BrettNachZug);
    }
  }
  bib.Geaendert = true;
}

void AktualBis(TBibliothek& bib, int stufe, int j, const TStep& s) {
  if (stufe == kLetzteStufe) return;
  PruefeZugAnzahl(s.ZuegeAnzahl);
  const int gleichBeste = AnzahlGleichBeste(s);
  {
    TBibZug& e = Eintrag(bib, stufe, j);
    if (e.BibBis - e.BibVon + 1 != s.ZuegeAnzahl)
      throw std::runtime_error("Fehler 01 in AktualBis");
    e.BibDenkTiefe = s.STDenkTiefe;
    e.BibVirtuellAb = s.VirtuellAb;
  }
  auto& kinder = bib[stufe + 1].BibZuege;
  for (int t = 1; t <= s.ZuegeAnzahl; ++t) {
    const TZug& zug = s.Zuege[t];
    // Deleting a branch may move the children: they are looked up again for every move.
    int c = KindZu(bib, stufe, j, zug.BrettNachZug);
    kinder[static_cast<std::size_t>(c)].Zug = zug;
    if (t > gleichBeste) {
      if (kinder[static_cast<std::size_t>(c)].rSC == rS) c = LoescheZweig(bib, stufe + 1, c);
      TBibZug& k = kinder[static_cast<std::size_t>(c)];
      k.BibVon = k.BibBis = -1;
      k.BibZuBerechnen = false;
      k.BibBerechnet = false;
      k.rSC = r0;
    } else {
      TBibZug& k = kinder[static_cast<std::size_t>(c)];
      if (!k.BibZuBerechnen &&
          BrauchtRepraesentant(bib, stufe + 1, bib[stufe + 1].BibCnt() - 1, k.Zug.BrettNachZug)) {
        k.BibZuBerechnen = true;
        k.BibBerechnet = false;
        k.BibVon = k.BibBis = -1;
      }
      k.rSC = rS;
    }
    kinder[static_cast<std::size_t>(c)].Frei = false;
    kinder[static_cast<std::size_t>(c)].ZuLoeschen = false;
  }
  bib.Geaendert = true;
}

int LoescheZweig(TBibliothek& bib, int stufe, int e) {
  if (stufe < 1) throw std::out_of_range(kBereichsFehler);
  Eintrag(bib, stufe, e).ZuLoeschen = true;
  for (int i = stufe; i < kLetzteStufe; ++i) {
    // Free entries appended during the pass are not marked and need no visit.
    const int anzahl = bib[i].BibCnt();
    for (int x = 0; x < anzahl; ++x)
      if (bib[i].BibZuege[static_cast<std::size_t>(x)].ZuLoeschen) MarkiereZweig(bib, i, x);
  }
  bib[stufe].BibZuege[static_cast<std::size_t>(e)].ZuLoeschen = false;

  int neu = e;
  for (int i = kLetzteStufe; i >= stufe; --i)
    for (int a = bib[i].BibCnt() - 1; a >= 0; --a)
      if (bib[i].BibZuege[static_cast<std::size_t>(a)].ZuLoeschen) {
        EntferneEintrag(bib, i, a);
        if (i == stufe && a < e) --neu;
      }
  bib.Geaendert = true;
  return neu;
}

void EntferneEintrag(TBibliothek& bib, int stufe, int a) {
  if (stufe < 1 || stufe > kLetzteStufe) throw std::out_of_range(kBereichsFehler);
  auto& zuege = bib[stufe].BibZuege;
  if (zuege.empty()) return;
  if (a < 0 || a >= bib[stufe].BibCnt()) throw std::out_of_range(kBereichsFehler);
  zuege.erase(zuege.begin() + a);
  for (TBibZug& eltern : bib[stufe - 1].BibZuege) {
    if (eltern.BibVon > a) --eltern.BibVon;
    if (eltern.BibBis >= a) --eltern.BibBis;
    if (eltern.BibBis < eltern.BibVon) {
      eltern.BibBerechnet = false;
      eltern.BibVon = eltern.BibBis = -1;
    }
  }
  bib.Geaendert = true;
}

}  // namespace quarne
