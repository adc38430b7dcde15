#include "library/maintenance.h"

#include <stdexcept>
#include <vector>

#include "library/lookup.h"
#include "library/storing.h"

namespace quarne {
namespace {

[[noreturn]] void Fehler(const std::string& text) {
  throw std::runtime_error(text);
}

std::string Stand(int durchgang, int L, int j, int letzter) {
  return std::to_string(durchgang) + ".DG Spalte = " + std::to_string(L) +
         " Zeile = " + std::to_string(j) + " / " + std::to_string(letzter);
}

}  // namespace

void CheckBib(TBibliothek& bib, Suche& suche,
              const std::function<void(const std::string&)>& fortschritt) {
  const LeererVerlauf verlauf;
  for (int L = 0; L < kBibStufen - 1; ++L) {
    TBibSegm& stufe = bib[L];
    if (stufe.BibCnt() == 0) continue;
    std::vector<int> verweise(static_cast<std::size_t>(bib[L + 1].BibCnt()), 0);
    for (int j = 0; j < stufe.BibCnt(); ++j) {
      if (fortschritt) fortschritt(Stand(1, L, j, stufe.BibCnt() - 1));
      TBibZug& e = stufe.BibZuege[static_cast<std::size_t>(j)];
      if (e.ZuLoeschen) Fehler("Fehlercheck Zu Loeschen");
      if (e.rSC == r0 && (e.BibZuBerechnen || e.BibBerechnet))
        Fehler("Fehlercheck rSC = 0 und BibZuBerechnen/BibBerechnet");
      if (e.rSC != r0) {
        const TBrett& p = e.Zug.BrettNachZug;
        const int k = Finde(bib, L, stufe.BibCnt() - 1, p, true, false, e.rSC).Index;
        if (k < 0) Fehler("Fehlercheck Verzweigung nicht gefunden");
        if (e.BibZuBerechnen && k != j) Fehler("Fehlercheck BibZuBerechnen und Finde <> Zeile ");
        if (e.BibBerechnet && (e.BibVon == -1 || e.BibBis == -1 || e.BibBis < e.BibVon))
          Fehler("Fehlercheck BibBerechnet und BibVon/BibBis fehlt");
        // A second representative of the same position and role.
        TBibZug& erster = stufe.BibZuege[static_cast<std::size_t>(k)];
        erster.ZuLoeschen = true;
        const int zweiter = Finde(bib, L, stufe.BibCnt() - 1, p, true, false, e.rSC).Index;
        erster.ZuLoeschen = false;
        if (zweiter >= 0) Fehler("Fehlercheck Mindestens 2 Verweise gefunden");
      }
      if (!(e.BibZuBerechnen && e.BibBerechnet)) continue;
      if (e.BibVon == -1 || e.BibBis == -1) Fehler("BibVon oder BibBis = -1");
      suche.StepRoutineListe(2, e.Zug, 1, clWeiss, true, true, verlauf);
      const TStep& w = suche.Steps[1];
      if (w.ZuegeAnzahl != e.BibBis - e.BibVon + 1)
        Fehler("Fehlercheck BibBis-BibVon <> ZuegeAnzahl");
      const auto kinder = Kinder(bib, L, e);
      for (int i = 1; i <= w.ZuegeAnzahl; ++i) {
        const TBrett& z = w.Zuege[i].BrettNachZug;
        bool gefunden = false;
        for (const TBibZug& c : kinder)
          gefunden = gefunden || (c.Zug.BrettNachZug.SteineZiehend == z.SteineZiehend &&
                                  c.Zug.BrettNachZug.SteineStehend == z.SteineStehend);
        if (!gefunden) Fehler("FehlerCheck Zug in BibVon - BibBis nicht gefunden");
      }
      for (int c = e.BibVon; c <= e.BibBis; ++c) ++verweise[static_cast<std::size_t>(c)];
    }
    const TBibSegm& naechste = bib[L + 1];
    for (int j = 0; j < naechste.BibCnt(); ++j) {
      if (fortschritt) fortschritt(Stand(2, L, j, naechste.BibCnt() - 1));
      const TBibZug& c = naechste.BibZuege[static_cast<std::size_t>(j)];
      const int n = verweise[static_cast<std::size_t>(j)];
      if (n == 0 && !(c.Frei && c.BibZuBerechnen))
        Fehler("Fehlercheck = 0 nicht Frei oder nicht zu berechnen");
      if (n != 0 && n != 1) Fehler("Fehlercheck <> 0 und <> 1");
    }
  }
}

void LoescheInaktive(TBibliothek& bib, const std::array<bool, kBibStufen - 1>& aktiv,
                     const std::array<int, kBibStufen - 1>& tiefe) {
  for (int L = kBibStufen - 2; L >= 0; --L) {
    bib[L].BibAktiv = aktiv[static_cast<std::size_t>(L)];
    bib[L].BibTiefe = tiefe[static_cast<std::size_t>(L)];
  }
  bib[kBibStufen - 1].BibAktiv = false;
  int r = -1;
  for (int n = kBibStufen - 1; n >= 0; --n) {
    if (bib[n].BibAktiv) continue;
    r = n;
    if (n == 0) {
      bib[0].BibZuege.clear();
    } else if (!bib[n - 1].BibAktiv) {
      for (TBibZug& e : bib[n - 1].BibZuege) {
        e.BibVon = e.BibBis = -1;
        e.BibBerechnet = false;
      }
      bib[n].BibZuege.clear();
    }
  }
  if (r > 0) {
    // The computer's positions of the first level switched off go; the player's moves that the
    // lookup of the level above returns stay, and the player's positions above lose their
    // expansion.
    for (int a = 0; a < bib[r].BibCnt();) {
      if (bib[r].BibZuege[static_cast<std::size_t>(a)].rSC == rC)
        EntferneEintrag(bib, r, a);
      else
        ++a;
    }
    for (TBibZug& e : bib[r - 1].BibZuege)
      if (e.rSC == rS) e.BibBerechnet = false;
  }
  bib.Geaendert = true;
}

void FusionBib(TBibliothek& ziel, const TBibliothek& quelle) {
  TStep s{};
  for (int L = 0; L < kBibStufen - 1; ++L) {
    for (int j = 0; j < quelle[L].BibCnt(); ++j) {
      const TBibZug& e = quelle[L].BibZuege[static_cast<std::size_t>(j)];
      if (!e.BibBerechnet) continue;
      FuelleStep(quelle, L, j, s);
      AddBibi(ziel, e.Zug, s);
    }
  }
}

BibSpalte ZaehleStufe(const TBibliothek& bib, int L, bool aktiv, int zielTiefe) {
  BibSpalte z;
  z.anzahl = bib[L].BibCnt();
  if (L >= kBibStufen - 1) return z;
  for (const TBibZug& e : bib[L].BibZuege) {
    if (!e.BibZuBerechnen) continue;
    if (e.rSC == rS) ++z.spieler;
    if (e.rSC != rC) continue;
    ++z.computer;
    if (!e.BibBerechnet) {
      ++z.tiefe[0];
      ++z.unkalkuliert;
      continue;
    }
    if (e.BibDenkTiefe >= 0 && e.BibDenkTiefe <= kMaxSteps)
      ++z.tiefe[static_cast<std::size_t>(e.BibDenkTiefe)];
    if (aktiv && e.BibDenkTiefe < zielTiefe) ++z.unkalkuliert;
  }
  return z;
}

}  // namespace quarne
