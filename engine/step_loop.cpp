#include "engine/step_loop.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "engine/values.h"

namespace quarne {
namespace {

bool Entschieden(TZugResZiehend r) {
  return r == rsWIN || r == rsLOSS || r == rsWDH;
}

// Below these plies the fast search orders moves its own way: the root's order breaks ties
// between equal moves, and the order of its replies decides which root move keeps the exact
// value of a last reply.
constexpr int kFreieOrdnungAb = 3;

}  // namespace

GenModus StepSchleife::Generierung(int s) const {
  GenModus m;
  m.stepMax = it_.d;
  m.stepIsMax = s == it_.d;
  m.alleZuege = s == 1;
  // Neither a complete list nor the tree may lose a move to a cut-off at the last ply.
  m.testung = !it_.complete && Baum() == nullptr;
  m.listMode = Baum() != nullptr;
  m.imThreadNull = it_.modus != Modus::Zelle;
  return m;
}

StepSchleife::Ergebnis StepSchleife::Schritt(Lage& l) {
  switch (l.stage) {
    case agStepInc:
      return StufeStepInc(l);
    case agGenZuege:
      return StufeGenZuege(l);
    case agNextMove:
      return it_.modus == Modus::Liste ? StufeNextMoveListe(l) : StufeNextMove(l);
    case agBewertung:
      return StufeBewertung(l);
    default:
      return Ergebnis::Weiter;
  }
}

StepSchleife::Ergebnis StepSchleife::StufeStepInc(Lage& l) {
  ++l.s;
  if (l.s > it_.d) {
    constexpr const char* kZuTief = "Fehler in StepRoutine. Step > StepMax";
    if (it_.modus == Modus::Zelle) throw std::runtime_error(kZuTief);
    host_.Meldung(kZuTief);
  }
  if (l.s > kMaxSteps) return Ergebnis::StapelVoll;
  if (l.s == 1)
    BereiteStepVor(1, *it_.wurzel, it_.zugNummer, it_.farbe);
  else
    BereiteStepVor(l.s);
  if (!AusDerTabelle(l)) l.stage = agGenZuege;
  return Ergebnis::Weiter;
}

bool StepSchleife::Tabellenfaehig(int s, Transpositionstabelle::Schluessel& k) {
  // A cell's first replies value the cell itself, which the driver merges.
  if (!Ordnungsfaehig(s) || s < it_.oben + 2) return false;
  const int d = it_.d;
  return d - s + 1 < VerlaufAbstand(s) && Verschluessele(s, d, k);
}

bool StepSchleife::Verschluessele(int s, int d, Transpositionstabelle::Schluessel& k) const {
  const TZug& vor = Steps[s].VorDemZug;
  const int zuege = d - s + 1;
  const bool limit = einst_.RemisLimit != -1 && vor.ZugOhneQuarne + zuege >= einst_.RemisLimit;
  return Transpositionstabelle::Verschluessele(vor.BrettNachZug, s, d,
                                               limit ? vor.ZugOhneQuarne : -1, k);
}

bool StepSchleife::OrdneNachTabelle(int s, const Transpositionstabelle::Schluessel& k) {
  TSmartZug z;
  if (!tabelle_->FindeZug(k, s, z)) return false;
  MerkeKiller(s, z);
  return true;
}

void StepSchleife::OrdneNachVorigerIteration(int s) {
  Transpositionstabelle::Schluessel k;
  if (it_.d - 1 > s && Verschluessele(s, it_.d - 1, k)) OrdneNachTabelle(s, k);
}

bool StepSchleife::Ordnungsfaehig(int s) const {
  return tabelle_->Aktiv() && it_.modus != Modus::Liste && EigeneOrdnung(s);
}

bool StepSchleife::AusDerTabelle(Lage& l) {
  Transpositionstabelle::Schluessel k;
  if (!Tabellenfaehig(l.s, k)) {
    // Where the game before may change a subtree's value, the table still knows its best move.
    if (Ordnungsfaehig(l.s) && Verschluessele(l.s, it_.d, k) && !OrdneNachTabelle(l.s, k))
      OrdneNachVorigerIteration(l.s);
    return false;
  }
  if (!tabelle_->Finde(k, gefunden_)) {
    OrdneNachVorigerIteration(l.s);
    return false;
  }
  const Transpositionstabelle::Ergebnis& e = gefunden_;
  const int d = it_.d;
  int& s = l.s;
  MerkeKiller(s, e.linie[s]);
  if (e.nurOrdnung) return false;
  TZug& p = AktuellerZug(s - 1);
  TZugWert w = Runterrechnen(e.wert, p.Wertung, einst_, host_);
  if (!e.genau) {
    // A reply worth at least this much was found before: the parent move is cut off as by
    // that reply, or searched with that reply first.
    w.PunktWertA = p.Wertung.PunktWertA;
    if (!ElternGeschnittenDurch(s, d, w)) return false;
    --s;
    l.stage = agNextMove;
    return true;
  }
  for (int j = s; j <= d; ++j) p.SmartZuege[j] = e.linie[j];
  --s;
  l.stage = agNextMove;
  p.BEWERTET = true;
  zugUngenau_[s] = false;
  TStep& eltern = Steps[s];
  if (eltern.BesterZug == 0) {
    // As its first move is valued when all its replies are.
    p.Wertung = w;
    if (HTTestung(s, d, false)) --s;
    return true;
  }
  // As a move that met all its replies without being cut off; one that would have been cut
  // off keeps its exact value as its bound.
  w.PunktWertA = p.Wertung.PunktWertA;
  p.Wertung = w;
  const int index = eltern.ZZ[eltern.ZugZeiger];
  if (!IstBesser(eltern.Zuege[eltern.BesterZug], p, einst_, host_) &&
      !GewinntGleichstand(s, index, p))
    return true;
  WirdBester(s, d);
  return true;
}

void StepSchleife::InDieTabelle(int s) {
  Transpositionstabelle::Schluessel k;
  const TStep& st = Steps[s];
  if (st.BesterZug == 0) return;
  const TZug& bester = st.Zuege[st.BesterZug];
  if (!Tabellenfaehig(s, k)) {
    if (Ordnungsfaehig(s) && Verschluessele(s, it_.d, k))
      tabelle_->SpeichereOrdnung(k, bester.SmartZuege[s], s);
    return;
  }
  if (besterUngenau_[s]) return;
  // Cut off before its last reply, the parent move leaves the ply's best exact but not final.
  const bool genau = st.ZugZeiger == st.ZuegeAnzahl;
  tabelle_->Speichere(k, bester.Wertung, genau, bester, s, it_.d);
}

bool StepSchleife::ElternGeschnittenDurch(int s, int d, const TZugWert& x) {
  TStep& eltern = Steps[s - 1];
  TZug& p = AktuellerZug(s - 1);
  if (eltern.BesterZug != 0) {
    const TZugWert vorher = p.Wertung;
    p.Wertung = x;
    if (MindestensSoGut(eltern.Zuege[eltern.BesterZug], p, einst_, host_) &&
        !KoennteGleichziehen(s - 1)) {
      p.Canceld = true;
      zugUngenau_[s - 1] = true;
      return true;
    }
    p.Wertung = vorher;
  }
  return TiefGeschnittenDurch(s, d, x);
}

StepSchleife::Ergebnis StepSchleife::StufeGenZuege(Lage& l) {
  int& s = l.s;
  const TStep& st = Steps[s];
  bool cancel = false;
  const bool gewonnen = HTGenMoves(s, Generierung(s), cancel);
  const bool liste = it_.modus == Modus::Liste;
  if (s == 1 && it_.anzeigen && (!liste || st.ZuegeAnzahl > 0)) host_.WurzelZuegeErzeugt();
  if (gewonnen) {
    l.hint = st.ZuegeAnzahl;
    l.hintArt = hrQuarne;
    l.stage = agBewertung;
    return Ergebnis::Weiter;
  }
  l.hint = 0;
  if (!liste) {
    if (cancel) {
      --s;
      l.stage = agNextMove;
      return Ergebnis::Weiter;
    }
    if (s < it_.d) {
      HTSortiere(s, it_.d);
      if (EigeneOrdnung(s)) {
        for (int i = 1; i <= st.ZuegeAnzahl; ++i) rang_[s][st.ZZ[i]] = static_cast<std::uint8_t>(i);
        ZieheKillerVor(s);
      }
    }
  }
  if (st.ZuegeAnzahl == 0 && !st.Virtuell) {
    // The side to move is blocked: at the root there is no move at all, below it the move that
    // led here wins.
    if (s == 1) return Ergebnis::KeineZuege;
    --s;
    if (BessererRangOffen(s)) {
      // In its own order the fast search may meet this win before one the classic order tries
      // first: the win is valued like any move, and the ply goes on to the moves that could
      // win the tie.
      const int index = StepSchleife::Blockade(s);
      Steps[s].Zuege[index].SmartZuege[s].GewinnDurchBlock = true;
      if (HTTestung(s, it_.d, false)) --s;
      l.stage = agNextMove;
      return Ergebnis::Weiter;
    }
    l.hint = Blockade(s);
    // No earlier move in the classic order is left: the win it takes is the first of them met.
    if (const int frueher = FruehererBlockadeSieg(s); frueher > 0) l.hint = frueher;
    l.hintArt = hrBlock;
    l.stage = agBewertung;
    return Ergebnis::Weiter;
  }
  l.stage = liste && s == it_.d ? agBewertung : agNextMove;
  return Ergebnis::Weiter;
}

int StepSchleife::Blockade(int s) {
  TZug& z = AktuellerZug(s);
  z.Wertung.ZugResGesamt = rsWIN;
  z.Wertung.ResultInXZuegen = 0;
  z.BEWERTET = true;
  return Steps[s].ZZ[Steps[s].ZugZeiger];
}

StepSchleife::Ergebnis StepSchleife::StufeNextMove(Lage& l) {
  int& s = l.s;
  // A cut-off further up may leave more plies to climb than the one its caller climbed.
  s -= klettern_;
  klettern_ = 0;
  const TStep& st = Steps[s];
  if (st.ZugZeiger < st.ZuegeAnzahl) {
    if (NaechsterZug(s, it_.d)) l.stage = agStepInc;
    return Ergebnis::Weiter;
  }
  if (s == it_.oben)
    return it_.modus == Modus::Zelle ? Ergebnis::ZelleFertig : Ergebnis::Vollstaendig;
  // The parent ply has no best move yet: its current move is valued exactly.
  if (Steps[s - 1].BesterZug == 0 || (s == 2 && einst_.CBVoll)) {
    l.stage = agBewertung;
    return Ergebnis::Weiter;
  }
  // The parent move met every reply without being cut off: its value is exact.
  ElternUeberstanden(s, it_.d);
  return Ergebnis::Weiter;
}

StepSchleife::Ergebnis StepSchleife::StufeNextMoveListe(Lage& l) {
  int& s = l.s;
  TStep& st = Steps[s];
  if (s > 1 && s == it_.d) {
    host_.Meldung("Step > 1 und = Stepmax sollte nicht in NextMove auftreten!");
    l.stage = agBewertung;
    return Ergebnis::Weiter;
  }
  if (st.ZugZeiger == st.ZuegeAnzahl) {
    l.stage = agBewertung;
    return Ergebnis::Weiter;
  }
  ++st.ZugZeiger;
  const TZug& m = AktuellerZug(s);
  if (m.Wertung.ZugResGesamt == rsQuarn) {
    if (m.BEWERTET)
      host_.Meldung("Bewerteten rsQuarn Zug in StepRoutine bei Stepincrement gefunden. Step = " +
                    std::to_string(s));
    l.stage = agStepInc;
  } else if (m.Wertung.ZugResGesamt == rsNIL) {
    throw std::logic_error("rsNil in Steproutine gefunden");
  }
  return Ergebnis::Weiter;
}

StepSchleife::Ergebnis StepSchleife::StufeBewertung(Lage& l) {
  int& s = l.s;
  if (s == it_.oben) {
    if (it_.modus == Modus::Zelle) {
      // The cell move itself leaves the opponent without a move.
      BeginneElternWert(s);
      if (l.hint > 0) GetBesterZug(s, it_.d, l.hint, l.hintArt);
      AktuellerZug(s).BEWERTET = true;
      BeendeElternWert();
      return Ergebnis::ZelleFertig;
    }
    MeldeSofortGewinn(1, l);
    if (l.hint > 0) GetBesterZug(1, it_.d, l.hint, l.hintArt);
    if (Steps[1].ZugZeiger == Steps[1].ZuegeAnzahl || it_.d == 1) return Ergebnis::Vollstaendig;
    l.stage = agNextMove;
    return Ergebnis::Weiter;
  }
  if (it_.modus == Modus::Liste) {
    StufeBewertungListe(l);
    return Ergebnis::Weiter;
  }
  BeginneElternWert(s);
  BewerteEltern(s, it_.d, l.hint, l.hintArt);
  BeendeElternWert();
  if (HTTestung(s, it_.d, false)) --s;
  l.stage = agNextMove;
  return Ergebnis::Weiter;
}

void StepSchleife::StufeBewertungListe(Lage& l) {
  int& s = l.s;
  MeldeSofortGewinn(s, l);
  GetBesterZug(s, it_.d, l.hint, l.hintArt);
  // Unlike the rule for the other searches, the points are carried along for every result.
  TZugWert w = Steps[s].BesterZugRes;
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
  w.PunktWertA = PunkteVonEltern(w.PunktWertA, p.Wertung.PunktWertA, einst_);
  w.PunktWertGes = w.PunktWertA;
  p.Wertung = w;
  p.BEWERTET = true;
  l.stage = agNextMove;
}

void StepSchleife::MeldeSofortGewinn(int s, const Lage& l) {
  if (Baum() != nullptr && l.hint > 0)
    Baum()->SofortGewinn(s, Steps[s].Zuege[l.hint].ANZgPos, l.hintArt, it_.d);
}

bool StepSchleife::HTTestung(int s, int d, bool einstiegNextMove) {
  if (!einstiegNextMove && !AktualisiereBesterZug(s)) return false;
  if (s == it_.oben) return false;
  // A worker cuts its cell only by the bounds of the tree above it; otherwise it publishes the
  // partial value, and the driver decides.
  if (it_.modus == Modus::Zelle && s == it_.oben + 1) {
    BeginneElternWert(s);
    const bool geschnitten = ZelleUnterlegen(s) || TiefGeschnitten(s, d);
    BeendeElternWert();
    if (geschnitten) return true;
    Veroeffentliche(s);
    return false;
  }
  // Until the parent ply has a best move, its moves are evaluated completely, unless a ply
  // further up does not need them.
  if (Steps[s - 1].BesterZug == 0) return TiefGeschnitten(s, d);
  if (s == 2 && einst_.CBVoll) return false;
  return SchneideAb(s, d);
}

bool StepSchleife::AktualisiereBesterZug(int s) {
  TStep& st = Steps[s];
  const int aktuell = st.ZZ[st.ZugZeiger];
  if (st.BesterZug != 0 && !IstBesser(st.Zuege[st.BesterZug], st.Zuege[aktuell], einst_, host_) &&
      !GewinntGleichstand(s, aktuell, st.Zuege[aktuell]))
    return false;
  st.BesterZug = aktuell;
  besterUngenau_[s] = zugUngenau_[s];
  return true;
}

TZugWert StepSchleife::VorlaeufigerWert(int s) {
  const TStep& st = Steps[s];
  const TZugWert& eltern = AktuellerZug(s - 1).Wertung;
  TZugWert w = Runterrechnen(st.Zuege[st.BesterZug].Wertung, eltern, einst_, host_);
  w.PunktWertA = eltern.PunktWertA;
  return w;
}

bool StepSchleife::SchneideAb(int s, int d) {
  TStep& st = Steps[s];
  TStep& eltern = Steps[s - 1];
  if (st.BesterZug == 0 || eltern.BesterZug == 0) return false;
  // A provisional value only gets worse for the parent as further replies come in, unless
  // draws take part (see MindestensSoGut).
  TZug& p = AktuellerZug(s - 1);
  p.Wertung = VorlaeufigerWert(s);
  if (!MindestensSoGut(eltern.Zuege[eltern.BesterZug], p, einst_, host_) ||
      KoennteGleichziehen(s - 1))
    return TiefGeschnitten(s, d);
  MerkeKiller(s);
  InDieTabelle(s);
  if (s < d && st.ZugZeiger == st.ZuegeAnzahl) {
    p.BEWERTET = true;
    zugUngenau_[s - 1] = besterUngenau_[s];
  } else {
    p.Canceld = true;
    zugUngenau_[s - 1] = true;
  }
  if (s == 2) HTCopySmart(2, d);
  return true;
}

bool StepSchleife::EigeneOrdnung(int s) const {
  return einst_.suchArt == SuchArt::Schnell && s >= kFreieOrdnungAb && s > it_.oben && s < it_.d;
}

bool StepSchleife::GewinntGleichstand(int s, int kandidat, const TZug& wert) {
  const TStep& st = Steps[s];
  return EigeneOrdnung(s) &&
         rang_[s][static_cast<std::size_t>(kandidat)] <
             rang_[s][static_cast<std::size_t>(st.BesterZug)] &&
         !IstBesser(wert, st.Zuege[st.BesterZug], einst_, host_);
}

bool StepSchleife::BessererRangOffen(int s) const {
  if (!EigeneOrdnung(s)) return false;
  const TStep& st = Steps[s];
  const std::uint8_t rang = rang_[s][static_cast<std::size_t>(st.ZZ[st.ZugZeiger])];
  for (int i = st.ZugZeiger + 1; i <= st.ZuegeAnzahl; ++i)
    if (rang_[s][static_cast<std::size_t>(st.ZZ[i])] < rang) return true;
  return false;
}

int StepSchleife::FruehererBlockadeSieg(int s) const {
  const TStep& st = Steps[s];
  if (!EigeneOrdnung(s) || st.BesterZug == 0) return 0;
  const TZug& bester = st.Zuege[st.BesterZug];
  const bool sieg = bester.Wertung.ZugResGesamt == rsWIN && bester.Wertung.ResultInXZuegen == 0 &&
                    bester.SmartZuege[s].GewinnDurchBlock;
  const auto rang = [&](int i) { return rang_[s][static_cast<std::size_t>(i)]; };
  return sieg && rang(st.BesterZug) < rang(st.ZZ[st.ZugZeiger]) ? st.BesterZug : 0;
}

bool StepSchleife::KoennteGleichziehen(int s) {
  return GewinntGleichstand(s, Steps[s].ZZ[Steps[s].ZugZeiger], AktuellerZug(s));
}

void StepSchleife::MerkeKiller(int s) {
  const TZug& z = Steps[s].Zuege[Steps[s].BesterZug];
  killer_[s] = {z.VonPosition, z.NachPosition, z.EntfStein};
}

void StepSchleife::MerkeKiller(int s, const TSmartZug& z) {
  killer_[s] = {z.VonPosition, z.NachPosition, z.EntfStein};
}

void StepSchleife::ZieheKillerVor(int s) {
  TStep& st = Steps[s];
  const ZugKennung& k = killer_[s];
  for (int i = 2; i <= st.ZuegeAnzahl; ++i) {
    const TZug& z = st.Zuege[st.ZZ[i]];
    if (z.VonPosition != k.von || z.NachPosition != k.nach || z.EntfStein != k.entf) continue;
    const std::uint8_t killer = st.ZZ[i];
    for (int j = i; j > 1; --j) st.ZZ[j] = st.ZZ[j - 1];
    st.ZZ[1] = killer;
    return;
  }
}

bool StepSchleife::TiefGeschnitten(int s, int d) {
  if (einst_.suchArt != SuchArt::Schnell || Steps[s].BesterZug == 0) return false;
  if (!TiefGeschnittenDurch(s, d, VorlaeufigerWert(s))) return false;
  MerkeKiller(s);
  InDieTabelle(s);
  return true;
}

bool StepSchleife::TiefGeschnittenDurch(int s, int d, const TZugWert& x) {
  if (!TiefesZiel(s - 1, x, d)) return false;
  TZug& p = AktuellerZug(s - 1);
  p.Wertung = x;
  p.Canceld = true;
  zugUngenau_[s - 1] = true;
  // Cut off, the move still bounds what its ply is worth from above: when that bound is the
  // best of the ply so far, it stands for the ply, as the cut-off replies of an exactly valued
  // move never do. Its ply may then be cut off in turn. So it does when it equals the best and
  // would win the tie: the ply's line is then no longer certain.
  TStep& eltern = Steps[s - 1];
  if (eltern.BesterZug != 0 && !IstBesser(eltern.Zuege[eltern.BesterZug], p, einst_, host_) &&
      !KoennteGleichziehen(s - 1))
    return true;
  eltern.BesterZug = eltern.ZZ[eltern.ZugZeiger];
  besterUngenau_[s - 1] = true;
  p.Wertung.PunktWertA = p.Wertung.PunktWertGes;
  if (s - 1 > it_.oben && HTTestung(s - 1, d, true)) ++klettern_;
  return true;
}

bool StepSchleife::ZelleUnterlegen(int s) {
  // With CBVoll every root move is valued exactly, a cell at the root too.
  if (einst_.suchArt != SuchArt::Schnell || it_.geschwister == nullptr ||
      (it_.oben == 1 && einst_.CBVoll))
    return false;
  TZug& zelle = AktuellerZug(s - 1);
  const TZugWert x = VorlaeufigerWert(s);
  if (!MindestensSoGut(*it_.geschwister, Bewertet(zelle, x), einst_, host_)) return false;
  MerkeKiller(s);
  zelle.Wertung = x;
  zelle.Canceld = true;
  zugUngenau_[s - 1] = true;
  return true;
}

const TZug& StepSchleife::Bewertet(const TZug& m, const TZugWert& x) {
  vergleich_.Wertung = x;
  vergleich_.BrettNachZug = m.BrettNachZug;
  vergleich_.ErgibtQuarne = m.ErgibtQuarne;
  return vergleich_;
}

bool StepSchleife::TiefesZiel(int k, TZugWert x, int d) {
  // Passed up, the bound keeps its side: whatever the move is really worth is no better for its
  // mover, so no better for the ply above's reply and no worse for the ply above that, and so
  // on; floating point keeps that order too, as each step is one multiplication and one
  // addition. If the move is not the best of its ply, it does not matter anyway. Draws would
  // break the order (both sides prefer an even line to a draw), so the bound is passed only
  // where none can arise.
  x.PunktWertA = x.PunktWertGes;
  // A worker's plies above its cell hold the path to it and the best of each ply the tree
  // knows so far, which only gets better.
  for (int j = k - 1; j >= 1; --j) {
    x = Runterrechnen(x, AktuellerZug(j).Wertung, einst_, host_);
    if ((k - j) % 2 != 0) continue;
    if (!OhneRemisUnter(j, d)) return false;
    const TStep& st = Steps[j];
    const TZug* bester = st.BesterZug != 0 ? &st.Zuege[st.BesterZug]
                         : j == it_.oben   ? it_.geschwister
                                           : nullptr;
    if (bester == nullptr) continue;
    // A root move refuted only by its last reply keeps the exact value of that reply, and with
    // CBVoll every root move is valued exactly. In the tree above a worker's cell the replies
    // are valued side by side, and the tree marks a root move valued by a bound as cut off.
    if (j == 1 && (einst_.CBVoll ||
                   (it_.modus != Modus::Zelle && Steps[2].ZugZeiger == Steps[2].ZuegeAnzahl)))
      continue;
    const TZug& m = Bewertet(AktuellerZug(j), x);
    if (MindestensSoGut(*bester, m, einst_, host_) &&
        !GewinntGleichstand(j, st.ZZ[st.ZugZeiger], m))
      return true;
  }
  return false;
}

bool StepSchleife::OhneRemisUnter(int j, int d) {
  // Virtual plies never draw.
  const int ab = Steps[1].VirtuellAb;
  const int letzte = ab > 0 ? std::min(d, ab - 1) : d;
  return letzte - j < RemisFruehestens(j + 1);
}

bool StepSchleife::NaechsterZug(int& s, int d) {
  ++Steps[s].ZugZeiger;
  zugUngenau_[s] = false;
  const TZugResZiehend r = AktuellerZug(s).Wertung.ZugResGesamt;
  if (!Entschieden(r) && s < d) return true;
  if (HTTestung(s, d, false)) --s;
  return false;
}

void StepSchleife::ElternUeberstanden(int& s, int d) {
  InDieTabelle(s);
  HTCopySmart(s, d);
  zugUngenau_[s - 1] = besterUngenau_[s];
  --s;
  TStep& eltern = Steps[s];
  TZug& p = AktuellerZug(s);
  p.BEWERTET = true;
  const int index = eltern.ZZ[eltern.ZugZeiger];
  const bool besser = eltern.BesterZug == 0 ||
                      IstBesser(eltern.Zuege[eltern.BesterZug], p, einst_, host_) ||
                      GewinntGleichstand(s, index, p);
  if (p.Wertung.ZugResGesamt == rsWDH && !besser) return;
  if (!besser) host_.Meldung("In NextMove ist mehrfach getesteter Zug nicht Bestzug!");
  WirdBester(s, d);
}

void StepSchleife::WirdBester(int& s, int d) {
  TStep& st = Steps[s];
  st.BesterZug = st.ZZ[st.ZugZeiger];
  besterUngenau_[s] = zugUngenau_[s];
  TZug& p = AktuellerZug(s);
  p.Wertung.PunktWertA = p.Wertung.PunktWertGes;
  if (s > it_.oben && HTTestung(s, d, true)) --s;
}

void StepSchleife::BewerteEltern(int& s, int d, int& hint, THintRes hintArt) {
  TStep& st = Steps[s];
  if (hint > 0) {
    GetBesterZug(s, d, hint, hintArt);
    besterUngenau_[s] = false;
  } else {
    if (st.BesterZug == 0) host_.Meldung("In herkömmlicher Bewertung BesterZug = 0 gefunden!");
    InDieTabelle(s);
    HTCopySmart(s, d);
  }
  TZug& p = AktuellerZug(s - 1);
  if (st.BesterZug != 0)
    p.Wertung = Runterrechnen(st.Zuege[st.BesterZug].Wertung, p.Wertung, einst_, host_);
  zugUngenau_[s - 1] = besterUngenau_[s];
  --s;
  p.BEWERTET = true;
}

}  // namespace quarne
