#include "engine/search.h"

#include <algorithm>

#include "engine/values.h"

namespace quarne {
namespace {

// The user interface gets a moment every this many passes of the search loop.
constexpr int kAbfrageIntervall = 10000;

}  // namespace

Suche::Suche(const Einstellungen& einstellungen, Host& host) : StepSchleife(einstellungen, host) {}

void Suche::BereiteVor() {
  laeuft_ = true;
  zieh_ = false;
  stop_ = false;
}

void Suche::UebernimmErgebnis(const TStep& sortiert) {
  MemStep = sortiert;
  MemStep2 = sortiert;
  Steps[1] = sortiert;
  ergebnisBereit_ = true;
}

Suche::Stand Suche::SichereStand() const {
  return {Steps[1], MemStep, MemStep2, ergebnisBereit_, FertigeTiefe};
}

void Suche::StelleWiederHer(const Stand& stand) {
  ergebnisBereit_ = stand.bereit;
  MemStep2 = stand.memStep2;
  MemStep = stand.memStep;
  Steps[1] = stand.wurzel;
  FertigeTiefe = stand.fertigeTiefe;
}

void Suche::StepRoutine(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe,
                        SuchOptionen optionen, const SpielVerlauf& verlauf) {
  SuchLauf lauf(
      *this, {tiefe, &zug, zugNummer, farbe, &verlauf, optionen.KeepTabs, optionen.Timed, false});
  Iterationen(lauf, {Modus::Aufrufer, lauf.zielTiefe, lauf.timed, optionen.FullDepthOnly, nullptr},
              optionen.FullDepthOnly ? lauf.zielTiefe : 1);
  lauf.Beende();
}

void Suche::StepRoutineListe(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe, bool complete,
                             bool keepTabs, const SpielVerlauf& verlauf) {
  SuchLauf lauf(*this, {tiefe, &zug, zugNummer, farbe, &verlauf, keepTabs, false, complete});
  Iterationen(lauf, {Modus::Liste, lauf.tiefe, false, false, nullptr}, 1);
  lauf.Beende();
}

void Suche::Vertiefe(const SuchLauf& lauf, int ersteTiefe, bool fullDepthOnly) {
  Iterationen(lauf, {Modus::Aufrufer, lauf.zielTiefe, lauf.timed, fullDepthOnly, nullptr},
              ersteTiefe);
}

bool Suche::VertiefeBis(const SuchLauf& lauf, std::int64_t zuege, Transpositionstabelle& tabelle) {
  Art art{Modus::Aufrufer, lauf.zielTiefe, lauf.timed, false, nullptr};
  art.bisZuege = zuege;
  art.tabelle = &tabelle;
  return Iterationen(lauf, art, 1);
}

Suche::ListenErgebnis Suche::ListenDurchgang(const SuchLauf& lauf, ListenBaum& baum, bool sichern) {
  liste_ = ListenErgebnis{};
  Art art{Modus::Liste, lauf.tiefe, false, false, &baum};
  art.sichern = sichern;
  Iterationen(lauf, art, 1);
  return liste_;
}

Suche::ListenErgebnis Suche::StepRoutineListe(int tiefe, const TZug& zug, int zugNummer,
                                              TFarbe farbe, bool keepTabs,
                                              const SpielVerlauf& verlauf, ListenBaum& baum) {
  SuchLauf lauf(*this, {tiefe, &zug, zugNummer, farbe, &verlauf, keepTabs, false, false});
  const ListenErgebnis e = ListenDurchgang(lauf, baum);
  lauf.Beende();
  return e;
}

bool Suche::Iterationen(const SuchLauf& lauf, const Art& art, int ersteTiefe) {
  struct OhneBaum {
    Suche& suche;
    ~OhneBaum() { suche.SetzeListenBaum(nullptr); }
  } ohneBaum{*this};
  SetzeVerlauf(lauf.verlauf);
  SetzeListenBaum(art.baum);
  const bool schnell = einst_.suchArt == SuchArt::Schnell;
  // The parallel search's list pass would otherwise pay for a table that only the calling
  // thread's search uses.
  if (art.tabelle != nullptr)
    VergissOrdnung(*art.tabelle);
  else if (art.modus == Modus::Liste)
    VergissOrdnung(std::nullopt);
  else
    VergissOrdnung(schnell ? static_cast<std::size_t>(std::max(0, einst_.TabelleMB)) : 0);
  Steps[1] = TStep{};
  SetzeVirtuell(lauf.zug);

  for (int d = ersteTiefe; d <= art.tiefe; ++d) {
    const std::int64_t vorher = GenZuege();
    const Iteration it = Iterieren(d, lauf, art);
    if (it != Iteration::Vollstaendig) break;
    if (art.sichern) FertigeTiefe = d;
    const bool leeresBrett = Steps[1].VorDemZug.BrettNachZug.AlleSteine == 0;
    if (lauf.complete && leeresBrett) break;
    const bool entschieden = art.sichern && !lauf.complete && !lauf.keepTabs &&
                             SichereIteration(art.tiefe, d, art.fullDepthOnly);
    if (art.baum != nullptr && ListeTiefGenug(d, *art.baum)) break;
    if (entschieden || stop_ || zieh_) break;
    if (art.bisZuege > 0 && GenZuege() - vorher >= art.bisZuege && d < art.tiefe) return true;
  }
  return false;
}

bool Suche::ListeTiefGenug(int d, ListenBaum& baum) {
  liste_.StepMax = d;
  const int offen = baum.Offene(d);
  liste_.done = offen == 0;
  return offen == 0 || offen >= kZellenZiel;
}

bool Suche::Abfragen(int& zaehler, const SuchLauf& lauf, const Art& art, int d) {
  if (++zaehler < kAbfrageIntervall) return true;
  if (art.modus != Modus::Liste) host_.Aktivitaetspunkt();
  if (art.timed) {
    const std::int64_t jetzt = host_.JetztMs();
    if (jetzt > lauf.deadline && ergebnisBereit_) {
      zieh_ = true;
      return false;
    }
    host_.ZeigeRestDenkzeit(std::max<std::int64_t>(0, (lauf.deadline - jetzt) / 1000));
  }
  if (lauf.Anzeigen()) host_.Fortschritt(art.tiefe, d);
  host_.VerarbeiteEreignisse();
  zaehler = 0;
  return true;
}

Suche::Iteration Suche::Iterieren(int d, const SuchLauf& lauf, const Art& art) {
  if (art.baum != nullptr) art.baum->Leeren();
  Steps[1].STStepMax = d;
  Steps[1].STDenkTiefe = art.tiefe;
  Rahmen it;
  it.modus = art.modus;
  it.d = d;
  it.oben = 1;
  it.complete = lauf.complete;
  it.anzeigen = lauf.Anzeigen();
  it.wurzel = &lauf.zug;
  it.zugNummer = lauf.zugNummer;
  it.farbe = lauf.farbe;
  BeginneIteration(it);
  Lage l;
  int zaehler = 0;
  while (!stop_ && !zieh_) {
    if (!Abfragen(zaehler, lauf, art, d)) break;
    switch (Schritt(l)) {
      case Ergebnis::Weiter:
        break;
      case Ergebnis::Vollstaendig:
        return Iteration::Vollstaendig;
      case Ergebnis::KeineZuege:
        keineZuege_ = true;
        return Iteration::KeineZuege;
      case Ergebnis::StapelVoll:
      case Ergebnis::ZelleFertig:
        // There is no ply beyond the stack: abandon the search like a stop.
        stop_ = true;
        return Iteration::Unterbrochen;
    }
  }
  return Iteration::Unterbrochen;
}

bool Suche::SichereIteration(int tiefe, int d, bool fullDepthOnly) {
  MemStep = Steps[1];
  SortRoutine(MemStep, einst_, host_);
  MemStep2 = MemStep;
  ergebnisBereit_ = true;
  FertigeTiefe = d;
  if (!fullDepthOnly) host_.AktiviereZiehB();
  host_.IterationBeendet();
  host_.Fortschritt(tiefe, d);
  const TZugResZiehend bester =
      MemStep2.ZuegeAnzahl > 0 ? MemStep2.Zuege[1].Wertung.ZugResGesamt : rsNIL;
  return !einst_.CBVoll && (bester == rsWIN || bester == rsLOSS);
}

void Suche::SichereUnterbrochene() {
  MemStep = Steps[1];
  MemStepExtrapolieren();
  SortRoutine(MemStep, einst_, host_);
  MemStep2 = MemStep;
}

void Suche::MemStepExtrapolieren() {
  TStep& m = MemStep;
  const TStep& r = MemStep2;
  bool einerBewertet = false;
  for (int i = 1; i <= m.ZuegeAnzahl; ++i) einerBewertet = einerBewertet || m.Zuege[i].BEWERTET;
  if (!einerBewertet) {
    if (ergebnisBereit_) m = r;
    return;
  }
  const int d1 = m.STStepMax, d0 = r.STStepMax;
  for (int i = 1; i <= m.ZuegeAnzahl; ++i) {
    TZug& z = m.Zuege[i];
    if (z.BEWERTET || z.Canceld) continue;
    int j = 0;
    for (int k = 1; k <= r.ZuegeAnzahl && j == 0; ++k)
      if (r.Zuege[k].Nr == z.Nr) j = k;
    if (j == 0) {
      host_.Meldung("Zug in MemStepExtrapolieren nicht gefunden");
      continue;
    }
    if (i > r.ZuegeAnzahl || (!r.Zuege[i].BEWERTET && !r.Zuege[i].Canceld))
      host_.Meldung("Bewertungslücke in MemStepExtrapolieren gefunden");
    z = r.Zuege[j];
    if (!z.Canceld && z.Wertung.ZugResGesamt == rsQuarn && d0 > 0) {
      z.Wertung.PunktWertGes = z.Wertung.PunktWertGes * d1 / d0;
      z.Extrapoliert = true;
    }
  }
}

}  // namespace quarne
