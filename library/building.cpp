#include "library/building.h"

#include <stdexcept>
#include <vector>

#include "library/lookup.h"
#include "library/storing.h"

namespace quarne {

BibBau::BibBau(TBibliothek& bib, HTSuche& ht, Suche& suche, bool parallel, BauAnzeige& anzeige,
               std::uint32_t zufallsKeim)
    : bib_(bib),
      ht_(ht),
      suche_(suche),
      parallel_(parallel),
      anzeige_(anzeige),
      zufall_(zufallsKeim) {}

BauErgebnis BibBau::ErstelleBib() {
  ergebnis_ = BauErgebnis{};
  LegeWurzelnAn(bib_);
  for (int L = 0; L < kBibStufen - 1; ++L) {
    if (!bib_[L].BibAktiv) continue;
    if (L > 0) BerechneSpieler(bib_, suche_, L - 1);
    nummer_ = 0;
    // First the positions never calculated, then those calculated shallower, shallowest first;
    // within each group in random order.
    for (int k = 0; k <= kMaxSteps - 1; ++k) {
      std::vector<int> liste = Kandidaten(bib_, L, k);
      while (!liste.empty()) {
        std::uniform_int_distribution<std::size_t> wahl(0, liste.size() - 1);
        const std::size_t f = wahl(zufall_);
        const int x = liste[f];
        const TBibZug& e = bib_[L].BibZuege[static_cast<std::size_t>(x)];
        if (e.BibZuBerechnen && (!e.BibBerechnet || e.BibDenkTiefe < bib_[L].BibTiefe)) {
          Berechne(L, x);
          if (ergebnis_.abgebrochen) return ergebnis_;
        }
        liste.erase(liste.begin() + static_cast<std::ptrdiff_t>(f));
      }
    }
  }
  return ergebnis_;
}

void BibBau::Berechne(int L, int x) {
  if (L == 0) {
    ergebnis_.nullBerechnet = true;
    nummer_ = 1;
  } else {
    ++nummer_;
  }
  const TZug zug = bib_[L].BibZuege[static_cast<std::size_t>(x)].Zug;
  anzeige_.PositionBeginnt(L, x, nummer_, bib_[L].BibZuege[static_cast<std::size_t>(x)]);
  // A stopped search is not stored: its values belong to no complete calculation.
  if (!RechneStellung(ht_, suche_, parallel_, zug, L, bib_[L].BibTiefe)) {
    ergebnis_.abgebrochen = true;
    return;
  }
  AddBibi(bib_, zug, suche_.MemStep2);
  anzeige_.PositionGespeichert();
  ++ergebnis_.berechnet;
}

void LegeWurzelnAn(TBibliothek& bib) {
  if (bib[0].BibCnt() >= 2) return;
  bib[0].BibZuege = WurzelEintraege();
  bib.Geaendert = true;
}

std::vector<int> Kandidaten(const TBibliothek& bib, int L, int k) {
  const TBibSegm& stufe = bib[L];
  std::vector<int> liste;
  for (int x = 0; x < stufe.BibCnt(); ++x) {
    const TBibZug& e = stufe.BibZuege[static_cast<std::size_t>(x)];
    if (e.rSC != rC || !e.BibZuBerechnen) continue;
    if (k == 0 ? !e.BibBerechnet : e.BibBerechnet && e.BibDenkTiefe == k && k < stufe.BibTiefe)
      liste.push_back(x);
  }
  return liste;
}

std::vector<int> AlleKandidaten(const TBibliothek& bib, int L) {
  std::vector<int> alle;
  for (int k = 0; k <= kMaxSteps - 1; ++k) {
    const std::vector<int> stufe = Kandidaten(bib, L, k);
    alle.insert(alle.end(), stufe.begin(), stufe.end());
  }
  return alle;
}

bool RechneStellung(HTSuche& ht, Suche& suche, bool parallel, const TZug& zug, int L, int tiefe) {
  HTOptionen optionen;
  optionen.FullDepthOnly = true;
  const LeererVerlauf verlauf;
  ht.Suchen(parallel, tiefe, zug, L + 1, AmZug(L), optionen, verlauf);
  return !suche.Angehalten();
}

void BerechneSpieler(TBibliothek& bib, Suche& suche, int L) {
  for (int x = 0; x < bib[L].BibCnt(); ++x) {
    const TBibZug& e = bib[L].BibZuege[static_cast<std::size_t>(x)];
    if (e.rSC != rS || !e.BibZuBerechnen || e.BibBerechnet) continue;
    const LeererVerlauf verlauf;
    suche.StepRoutineListe(2, e.Zug, L + 1, AmZug(L), true, true, verlauf);
    const TStep& w = suche.Steps[1];
    if (w.ZuegeAnzahl < 1) throw std::runtime_error("Keine Zuege in Steps[1] in BerechneSpieler");
    TBibSegm& kinder = bib[L + 1];
    const int k = kinder.BibCnt();
    for (int i = 1; i <= w.ZuegeAnzahl; ++i) {
      TBibZug neu;
      neu.Zug = w.Zuege[i];
      neu.rSC = rC;
      neu.BibZuBerechnen =
          Finde(bib, L + 1, kinder.BibCnt() - 1, neu.Zug.BrettNachZug, true, false, rC).Index < 0;
      kinder.BibZuege.push_back(neu);
    }
    TBibZug& spieler = bib[L].BibZuege[static_cast<std::size_t>(x)];
    spieler.BibVon = k;
    spieler.BibBis = k + w.ZuegeAnzahl - 1;
    spieler.BibDenkTiefe = w.STDenkTiefe;
    spieler.BibVirtuellAb = w.VirtuellAb;
    spieler.BibBerechnet = true;
    bib.Geaendert = true;
  }
}

std::string MeldeErgebnis(const std::string& text, bool nullBerechnet, int n) {
  std::string satz;
  if (n == 0)
    satz = "Es wurde keine Stellung berechnet.";
  else if (nullBerechnet && n == 1)
    satz = "Es wurde die Nullstellung berechnet.";
  else if (nullBerechnet && n == 2)
    satz = "Es wurde die Nullstellung und eine weitere Stellung berechnet.";
  else if (nullBerechnet)
    satz =
        "Es wurde die Nullstellung und " + std::to_string(n - 1) + " weitere Stellungen berechnet.";
  else if (n == 1)
    satz = "Es wurde eine Stellung berechnet.";
  else
    satz = "Es wurden " + std::to_string(n) + " Stellungen berechnet.";
  return text + "\r\n" + satz;
}

}  // namespace quarne
