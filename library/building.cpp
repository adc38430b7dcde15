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
  if (bib_[0].BibCnt() < 2) {
    bib_[0].BibZuege = WurzelEintraege();
    bib_.Geaendert = true;
  }
  for (int L = 0; L < kBibStufen - 1; ++L) {
    if (!bib_[L].BibAktiv) continue;
    if (L > 0) BerechneSpieler(L - 1);
    nummer_ = 0;
    // First the positions never calculated, then those calculated shallower, shallowest first;
    // within each group in random order.
    for (int k = 0; k <= kMaxSteps - 1; ++k) {
      const TBibSegm& stufe = bib_[L];
      std::vector<int> liste;
      for (int x = 0; x < stufe.BibCnt(); ++x) {
        const TBibZug& e = stufe.BibZuege[static_cast<std::size_t>(x)];
        if (e.rSC != rC || !e.BibZuBerechnen) continue;
        if (k == 0 ? !e.BibBerechnet : e.BibBerechnet && e.BibDenkTiefe == k && k < stufe.BibTiefe)
          liste.push_back(x);
      }
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
  HTOptionen optionen;
  optionen.FullDepthOnly = true;
  const LeererVerlauf verlauf;
  ht_.Suchen(parallel_, bib_[L].BibTiefe, zug, L + 1, AmZug(L), optionen, verlauf);
  // A stopped search is not stored: its values belong to no complete calculation.
  if (suche_.StopFlag) {
    ergebnis_.abgebrochen = true;
    return;
  }
  AddBibi(bib_, zug, suche_.MemStep2);
  anzeige_.PositionGespeichert();
  ++ergebnis_.berechnet;
}

void BibBau::BerechneSpieler(int L) {
  for (int x = 0; x < bib_[L].BibCnt(); ++x) {
    const TBibZug& e = bib_[L].BibZuege[static_cast<std::size_t>(x)];
    if (e.rSC != rS || !e.BibZuBerechnen || e.BibBerechnet) continue;
    const LeererVerlauf verlauf;
    suche_.StepRoutineListe(2, e.Zug, L + 1, AmZug(L), true, true, verlauf);
    const TStep& w = suche_.Steps[1];
    if (w.ZuegeAnzahl < 1) throw std::runtime_error("Keine Zuege in Steps[1] in BerechneSpieler");
    TBibSegm& kinder = bib_[L + 1];
    const int k = kinder.BibCnt();
    for (int i = 1; i <= w.ZuegeAnzahl; ++i) {
      TBibZug neu;
      neu.Zug = w.Zuege[i];
      neu.rSC = rC;
      neu.BibZuBerechnen =
          Finde(bib_, L + 1, kinder.BibCnt() - 1, neu.Zug.BrettNachZug, true, false, rC).Index < 0;
      kinder.BibZuege.push_back(neu);
    }
    TBibZug& spieler = bib_[L].BibZuege[static_cast<std::size_t>(x)];
    spieler.BibVon = k;
    spieler.BibBis = k + w.ZuegeAnzahl - 1;
    spieler.BibDenkTiefe = w.STDenkTiefe;
    spieler.BibVirtuellAb = w.VirtuellAb;
    spieler.BibBerechnet = true;
    bib_.Geaendert = true;
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
