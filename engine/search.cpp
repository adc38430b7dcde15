#include "engine/search.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "engine/values.h"

namespace quarne {
namespace {

// The user interface gets a moment every this many passes of the search loop.
constexpr int kAbfrageIntervall = 10000;

bool Entschieden(TZugResZiehend r) {
  return r == rsWIN || r == rsLOSS || r == rsWDH;
}

}  // namespace

Suche::Suche(const Einstellungen& einstellungen, Host& host) : StepStack(einstellungen, host) {}

void Suche::StepRoutine(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe,
                        SuchOptionen optionen, const SpielVerlauf& verlauf) {
  Suchen({tiefe, &zug, zugNummer, farbe, false, false, optionen.KeepTabs, optionen.Timed,
          optionen.FullDepthOnly, nullptr, 0},
         verlauf);
}

void Suche::StepRoutineListe(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe, bool complete,
                             bool keepTabs, const SpielVerlauf& verlauf) {
  Suchen({tiefe, &zug, zugNummer, farbe, true, complete, keepTabs, false, false, nullptr, 0},
         verlauf);
}

Suche::ListenErgebnis Suche::StepRoutineListe(int tiefe, const TZug& zug, int zugNummer,
                                              TFarbe farbe, bool keepTabs,
                                              const SpielVerlauf& verlauf, ListenBaum& baum) {
  liste_ = ListenErgebnis{};
  Suchen({tiefe, &zug, zugNummer, farbe, true, false, keepTabs, false, false, &baum, 0}, verlauf);
  return liste_;
}

GenModus Suche::Modus(int s, int d, const Lauf& lauf) const {
  GenModus m;
  m.stepMax = d;
  m.stepIsMax = s == d;
  m.alleZuege = s == 1;
  // Neither a complete list nor the tree may lose a move to a cut-off at the last ply.
  m.testung = !lauf.complete && lauf.baum == nullptr;
  m.listMode = lauf.baum != nullptr;
  return m;
}

void Suche::Suchen(Lauf lauf, const SpielVerlauf& verlauf) {
  // An internal error leaves the search as an exception; the program must not stay "thinking".
  // After a list-mode pass its caller ends the search, an error included.
  struct Aufraeumen {
    Suche& suche;
    bool weiter;
    ~Aufraeumen() {
      suche.SetzeListenBaum(nullptr);
      if (suche.SearchRunning && !weiter) {
        suche.SearchRunning = false;
        suche.host_.ZeigeEinstellungsTabs();
      }
    }
  } aufraeumen{*this, lauf.baum != nullptr};
  UebernimmEinstellungen();
  SetzeVerlauf(verlauf);
  SetzeListenBaum(lauf.baum);
  if (!lauf.keepTabs) host_.VerbergeEinstellungsTabs();
  StopFlag = false;
  MoveNowFlag = false;
  NoMovesFlag = false;
  SearchRunning = true;
  ResultReady = false;
  FertigeTiefe = 0;
  lauf.tiefe = std::min(lauf.tiefe, kMaxSteps);
  SetzeGenZuegeZurueck();
  StartZeit = host_.JetztMs();
  if (lauf.anzeigen()) host_.SucheGestartet();
  if (lauf.timed) lauf.tiefe = kMaxSteps;
  lauf.deadline = host_.JetztMs() + 1000 * static_cast<std::int64_t>(einst_.DenkzeitSekunden());
  const int ersteTiefe = lauf.fullDepthOnly ? lauf.tiefe : 1;
  Steps[1] = TStep{};
  SetzeVirtuell(*lauf.zug);

  for (int d = ersteTiefe; d <= lauf.tiefe; ++d) {
    const Iteration it = Iterieren(d, lauf);
    if (it != Iteration::Vollstaendig) break;
    FertigeTiefe = d;
    const bool leeresBrett = Steps[1].VorDemZug.BrettNachZug.AlleSteine == 0;
    if (lauf.complete && leeresBrett) break;
    const bool entschieden =
        !lauf.complete && !lauf.keepTabs && SichereIteration(lauf.tiefe, d, lauf.fullDepthOnly);
    if (lauf.baum != nullptr && ListeTiefGenug(d, lauf)) break;
    if (entschieden || StopFlag || MoveNowFlag) break;
  }

  if ((MoveNowFlag || (StopFlag && !lauf.keepTabs)) && ResultReady && !lauf.complete)
    SichereUnterbrochene();
  if (lauf.anzeigen()) host_.SucheBeendet();
  // A list-mode pass is the first part of the parallel search, which goes on: the window must
  // not see a moment without a running search, or Zieh could play a move under it.
  if (lauf.baum != nullptr) return;
  SearchRunning = false;
  host_.ZeigeEinstellungsTabs();
  if (lauf.timed) host_.ZeigeDenkzeit();
  host_.VerarbeiteEreignisse();
}

bool Suche::ListeTiefGenug(int d, const Lauf& lauf) {
  liste_.StepMax = d;
  const int offen = lauf.baum->Offene(d);
  liste_.done = offen == 0;
  return offen == 0 || offen >= kZellenZiel;
}

void Suche::MeldeSofortGewinn(int s, const Lage& l, const Lauf& lauf, int d) {
  if (lauf.baum != nullptr && l.hint > 0)
    lauf.baum->SofortGewinn(s, Steps[s].Zuege[l.hint].ANZgPos, l.hintArt, d);
}

bool Suche::Abfragen(int& zaehler, const Lauf& lauf, int d) {
  if (++zaehler < kAbfrageIntervall) return true;
  if (!lauf.liste) host_.Aktivitaetspunkt();
  if (lauf.timed) {
    const std::int64_t jetzt = host_.JetztMs();
    if (jetzt > lauf.deadline && ResultReady) {
      MoveNowFlag = true;
      return false;
    }
    host_.ZeigeRestDenkzeit(std::max<std::int64_t>(0, (lauf.deadline - jetzt) / 1000));
  }
  if (lauf.anzeigen()) host_.Fortschritt(lauf.tiefe, d);
  host_.VerarbeiteEreignisse();
  zaehler = 0;
  return true;
}

bool Suche::StepInc(Lage& l, int d, const Lauf& lauf) {
  ++l.s;
  if (l.s > d) host_.Meldung("Fehler in StepRoutine. Step > StepMax");
  if (l.s > kMaxSteps) {
    // There is no ply beyond the stack: abandon the search like a stop.
    StopFlag = true;
    return false;
  }
  if (l.s == 1)
    BereiteStepVor(1, *lauf.zug, lauf.zugNummer, lauf.farbe);
  else
    BereiteStepVor(l.s);
  l.stage = agGenZuege;
  return true;
}

bool Suche::Blockiert(Lage& l) {
  const TStep& st = Steps[l.s];
  if (st.ZuegeAnzahl != 0 || st.Virtuell) return false;
  if (l.s == 1) {
    NoMovesFlag = true;
    return true;
  }
  // The move that led here wins by blockade.
  --l.s;
  l.hint = BlockadeGewinn(l.s);
  l.hintArt = hrBlock;
  l.stage = agBewertung;
  return true;
}

Suche::Iteration Suche::Iterieren(int d, const Lauf& lauf) {
  if (lauf.baum != nullptr) lauf.baum->Leeren();
  Steps[1].STStepMax = d;
  Steps[1].STDenkTiefe = lauf.tiefe;
  Lage l;
  int zaehler = 0;
  while (!StopFlag && !MoveNowFlag) {
    if (!Abfragen(zaehler, lauf, d)) break;
    std::optional<Iteration> ende;
    if (l.stage == agStepInc) {
      if (!StepInc(l, d, lauf)) return Iteration::Unterbrochen;
    } else if (l.stage == agBewertung && l.s == 1) {
      MeldeSofortGewinn(1, l, lauf, d);
      if (l.hint > 0) GetBesterZug(1, d, l.hint, l.hintArt);
      if (Steps[1].ZugZeiger == Steps[1].ZuegeAnzahl || d == 1) return Iteration::Vollstaendig;
      l.stage = agNextMove;
    } else {
      ende = lauf.liste ? StufeListe(l, d, lauf) : StufeStepRoutine(l, d, lauf);
    }
    if (ende) return *ende;
  }
  return Iteration::Unterbrochen;
}

std::optional<Suche::Iteration> Suche::StufeStepRoutine(Lage& l, int d, const Lauf& lauf) {
  int& s = l.s;
  switch (l.stage) {
    case agGenZuege: {
      TStep& st = Steps[s];
      bool cancel = false;
      if (HTGenMoves(s, Modus(s, d, lauf), cancel)) {
        if (s == 1 && lauf.anzeigen()) host_.WurzelZuegeErzeugt();
        l.hint = st.ZuegeAnzahl;
        l.hintArt = hrQuarne;
        l.stage = agBewertung;
        break;
      }
      l.hint = 0;
      if (cancel) {
        --s;
        l.stage = agNextMove;
        break;
      }
      if (s == 1 && lauf.anzeigen()) host_.WurzelZuegeErzeugt();
      if (s < d) HTSortiere(s, d);
      if (Blockiert(l)) {
        if (NoMovesFlag) return Iteration::KeineZuege;
        break;
      }
      l.stage = agNextMove;
      break;
    }

    case agNextMove: {
      TStep& st = Steps[s];
      if (st.ZugZeiger < st.ZuegeAnzahl) {
        if (NaechsterZug(s, d)) l.stage = agStepInc;
        break;
      }
      if (s == 1) return Iteration::Vollstaendig;
      if (Steps[s - 1].ZugZeiger == 1 || (s == 2 && einst_.CBVoll)) {
        l.stage = agBewertung;
        break;
      }
      // The parent move met every reply without being cut off: its value is exact.
      ElternUeberstanden(s, d, 1);
      break;
    }

    case agBewertung:
      BewerteEltern(s, d, l.hint, l.hintArt);
      if (HTTestung(s, d, false)) --s;
      l.stage = agNextMove;
      break;

    default:
      break;
  }
  return std::nullopt;
}

bool Suche::HTTestung(int s, int d, bool einstiegNextMove) {
  if (!einstiegNextMove && !AktualisiereBesterZug(s)) return false;
  if (s == 1) return false;
  // The parent ply's first move is always evaluated completely.
  if (Steps[s - 1].ZugZeiger == 1) return false;
  if (s == 2 && einst_.CBVoll) return false;
  return SchneideAb(s, d);
}

std::optional<Suche::Iteration> Suche::StufeListe(Lage& l, int d, const Lauf& lauf) {
  int& s = l.s;
  switch (l.stage) {
    case agGenZuege: {
      TStep& st = Steps[s];
      bool cancel = false;
      const bool gewonnen = HTGenMoves(s, Modus(s, d, lauf), cancel);
      if (s == 1 && st.ZuegeAnzahl > 0 && lauf.anzeigen()) host_.WurzelZuegeErzeugt();
      if (gewonnen) {
        l.hint = st.ZuegeAnzahl;
        l.hintArt = hrQuarne;
        l.stage = agBewertung;
        break;
      }
      l.hint = 0;
      if (Blockiert(l)) {
        if (NoMovesFlag) return Iteration::KeineZuege;
        break;
      }
      l.stage = s == d ? agBewertung : agNextMove;
      break;
    }

    case agNextMove: {
      TStep& st = Steps[s];
      if (s > 1 && s == d) {
        host_.Meldung("Step > 1 und = Stepmax sollte nicht in NextMove auftreten!");
        l.stage = agBewertung;
        break;
      }
      if (st.ZugZeiger == st.ZuegeAnzahl) {
        l.stage = agBewertung;
        break;
      }
      ++st.ZugZeiger;
      const TZug& m = AktuellerZug(s);
      if (m.Wertung.ZugResGesamt == rsQuarn) {
        if (m.BEWERTET)
          host_.Meldung(
              "Bewerteten rsQuarn Zug in StepRoutine bei Stepincrement gefunden. Step = " +
              std::to_string(s));
        l.stage = agStepInc;
      } else if (m.Wertung.ZugResGesamt == rsNIL) {
        throw std::logic_error("rsNil in Steproutine gefunden");
      }
      break;
    }

    case agBewertung: {
      MeldeSofortGewinn(s, l, lauf, d);
      GetBesterZug(s, d, l.hint, l.hintArt);
      TZugWert w = Steps[s].BesterZugRes;
      w.PunktWertA =
          einst_.NaherVorteilCB ? w.PunktWertA * einst_.gewichte.EDZugFaktor : -w.PunktWertA;
      if (Entschieden(w.ZugResGesamt)) {
        ++w.ResultInXZuegen;
        if (w.ZugResGesamt == rsWIN)
          w.ZugResGesamt = rsLOSS;
        else if (w.ZugResGesamt == rsLOSS)
          w.ZugResGesamt = rsWIN;
      } else if (w.ZugResGesamt != rsQuarn) {
        host_.Meldung("Undefinierter Value.ZugResGesamt!");
      }
      --s;
      TZug& p = AktuellerZug(s);
      w.PunktWertA += p.Wertung.PunktWertA;
      w.PunktWertGes = w.PunktWertA;
      p.Wertung = w;
      p.BEWERTET = true;
      l.stage = agNextMove;
      break;
    }

    default:
      break;
  }
  return std::nullopt;
}

bool Suche::SichereIteration(int tiefe, int d, bool fullDepthOnly) {
  MemStep = Steps[1];
  SortRoutine(MemStep, einst_, host_);
  MemStep2 = MemStep;
  ResultReady = true;
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
    if (ResultReady) m = r;
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
