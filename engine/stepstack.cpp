#include "engine/stepstack.h"

#include <algorithm>
#include <array>
#include <bit>

#include "core/bigswap.h"
#include "engine/values.h"

namespace quarne {
namespace {

// First virtual ply by the number of stones both sides have placed.
constexpr Array0<int, kSetzZuege> kVirtuellAbTabelle = {4, 4, 6, 7, 7, 7, 7, 7, 7,
                                                        7, 7, 7, 0, 0, 0, 0, 0, 0};

// What a position met before tells the repetition walk.
enum class Wdh { Weiter, Remis, Ende };

}  // namespace

StepStack::StepStack(const Einstellungen& einstellungen, Host& host)
    : quelle_(einstellungen), einst_(einstellungen), host_(host) {}

void StepStack::SetzeVirtuell(const TZug& zug) {
  const TBrett& b = zug.BrettNachZug;
  const int gesetzt = b.GesetzteSteineZiehend + b.GesetzteSteineStehend;
  int ab = 0;
  if (einst_.CBVirtuell && gesetzt >= 0 && gesetzt < kSetzZuege) {
    ab = einst_.CBVirtuellZugAb ? einst_.VirtuellSE : kVirtuellAbTabelle[gesetzt];
    if (ab <= 1 || gesetzt + ab > kSetzZuege) ab = 0;
  }
  for (int s = 1; s <= kMaxSteps; ++s) {
    Steps[s].VirtuellAb = ab;
    Steps[s].Virtuell = ab > 0 && s >= ab;
  }
}

void StepStack::BereiteStepVor(int s, const TZug& zug, int zugNummer, TFarbe farbe) {
  TStep& st = Steps[s];
  st.STStepNumber = s;
  st.STZugNummer = zugNummer;
  st.STFarbeZiehend = farbe;
  st.STSpieler = csComputer;
  st.VorDemZug = zug;
  HTBigSwap(s);
  kette_[s] = Packe(st.VorDemZug, farbe);
  remisFruehestens_[s] = 0;
  verlaufAbstand_[s] = -1;
  if (s == 1) PackeGeschichte(zugNummer);
  st.KillStones = 0;
  st.ZuegeAnzahl = 0;
  st.ZugZeiger = 0;
  st.BesterZug = 0;
}

void StepStack::BereiteStepVor(int s) {
  const TStep& vorher = Steps[s - 1];
  BereiteStepVor(s, AktuellerZug(s - 1), vorher.STZugNummer + 1, Gegner(vorher.STFarbeZiehend));
  Steps[s].STSpieler = AndererSpieler(vorher.STSpieler);
}

void StepStack::HTBigSwap(int s) {
  const BigSwapFehler f = quarne::HTBigSwap(Steps[s].VorDemZug.BrettNachZug);
  if (f.ziehend) host_.Meldung("Plausifehler #01");
  if (f.stehend) host_.Meldung("Plausifehler #02");
}

StepStack::WdhStellung StepStack::Packe(const TZug& satz, TFarbe farbe) {
  const TBrett& q = satz.BrettNachZug;
  return {q.AlleSteine, q.SteineZiehend, farbe, q.SpielPhaseZiehend == spSetzen, satz.ErgibtQuarne};
}

void StepStack::PackeGeschichte(int zugNummer) {
  geschichte_.clear();
  for (int i = zugNummer - 1; i >= 1; --i) {
    // A game shorter than the move number says: nothing before it can count.
    if (verlauf_ == nullptr || i > verlauf_->Anzahl()) {
      geschichte_.push_back(WdhStellung{});
      return;
    }
    geschichte_.push_back(Packe(verlauf_->VorDemZug(i), verlauf_->Farbe(i)));
    if (geschichte_.back().setzen || geschichte_.back().quarne) return;
  }
}

bool StepStack::HTTestWdh(const TBrett& brett, int s) const {
  if (brett.SpielPhaseZiehend == spSetzen) return false;
  const TFarbe farbe = Steps[s].STFarbeZiehend;
  int gleich = 0;
  // The positions before each move of the line and of the game, back to the last mill or to
  // the placing phase; brett draws at its third occurrence.
  const auto frueher = [&](const WdhStellung& q) {
    if (q.setzen) return Wdh::Ende;
    const Punkte gleicheFarbe = q.farbe == farbe ? brett.SteineZiehend : brett.SteineStehend;
    if (q.alle == brett.AlleSteine && q.ziehend == gleicheFarbe && ++gleich == 2) return Wdh::Remis;
    return q.quarne ? Wdh::Ende : Wdh::Weiter;
  };
  for (int k = s; k >= 1; --k)
    if (const Wdh r = frueher(kette_[k]); r != Wdh::Weiter) return r == Wdh::Remis;
  for (const WdhStellung& q : geschichte_)
    if (const Wdh r = frueher(q); r != Wdh::Weiter) return r == Wdh::Remis;
  return false;
}

namespace {

// The fewest plies after which a position arises again whose stones differ from the present
// one in weg1 stones of the side to move and weg2 of the other: a side whose stones all stand
// where they should still moves, and must then move back.
int Rueckkehr(int weg1, int weg2) {
  const auto reicht = [](int zuege, int weg) { return weg == 0 ? zuege != 1 : zuege >= weg; };
  for (int t = 1;; ++t)
    if (reicht((t + 1) / 2, weg1) && reicht(t / 2, weg2)) return t;
}

}  // namespace

int StepStack::RemisFruehestens(int s) {
  if (remisFruehestens_[s] > 0) return remisFruehestens_[s];
  const TZug& vorher = Steps[s].VorDemZug;
  const TBrett& b = vorher.BrettNachZug;
  // Three occurrences of a position not met yet take nine moves: the first comes after a move
  // at the least, the others four moves later each. While stones are still to be placed, the
  // positions that count come after the last placement.
  const int nochZuSetzen = kSetzZuege - b.GesetzteSteineZiehend - b.GesetzteSteineStehend;
  int fruehestens = nochZuSetzen > 0 ? nochZuSetzen + 8 : 9;
  if (einst_.RemisLimit != -1)
    fruehestens = std::min(fruehestens, std::max(1, einst_.RemisLimit - vorher.ZugOhneQuarne));
  if (nochZuSetzen > 0) return remisFruehestens_[s] = fruehestens;

  // Positions met before, since the last mill: the one they come to again must not be far, and
  // must have been met twice for one return to draw.
  Vorherige vorherige{};
  int n = 0;
  // Too long a walk to look through: a draw may fall soon.
  if (!SammleVorherige(s, vorherige, n)) return remisFruehestens_[s] = std::min(fruehestens, 1);

  const TFarbe farbe = Steps[s].STFarbeZiehend;
  // The stones of colour f in a position met before.
  const auto steine = [](const WdhStellung& q, TFarbe f) {
    return q.farbe == f ? q.ziehend : q.alle & ~q.ziehend;
  };
  const Punkte alle = b.AlleSteine;
  const Punkte eigene = b.SteineZiehend;
  for (int i = 0; i < n; ++i) {
    const WdhStellung& q = *vorherige[static_cast<std::size_t>(i)];
    if (std::popcount(q.alle) != std::popcount(alle)) continue;
    const Punkte qEigene = steine(q, farbe);
    const Punkte qAndere = q.alle & ~qEigene;
    if (std::popcount(qEigene) != std::popcount(eigene)) continue;
    int mal = 0;
    for (int k = 0; k < n; ++k) {
      const WdhStellung& r = *vorherige[static_cast<std::size_t>(k)];
      mal += r.alle == q.alle && steine(r, clWeiss) == steine(q, clWeiss);
    }
    const int hin =
        Rueckkehr(std::popcount(eigene & ~qEigene), std::popcount((alle & ~eigene) & ~qAndere));
    fruehestens = std::min(fruehestens, mal >= 2 ? hin : hin + 4);
  }
  return remisFruehestens_[s] = fruehestens;
}

bool StepStack::SammleVorherige(int s, Vorherige& vorherige, int& n) const {
  n = 0;
  const auto nimm = [&](const WdhStellung& q) {
    if (q.setzen || n == kMaxVorher) return false;
    vorherige[static_cast<std::size_t>(n++)] = &q;
    return !q.quarne;
  };
  bool weiter = true;
  for (int k = s; k >= 1 && weiter; --k) weiter = nimm(kette_[k]);
  for (std::size_t i = 0; i < geschichte_.size() && weiter; ++i) weiter = nimm(geschichte_[i]);
  return !(n == kMaxVorher && weiter);
}

int StepStack::VerlaufAbstand(int s) {
  if (verlaufAbstand_[s] >= 0) return verlaufAbstand_[s];
  constexpr int kNie = 1000;
  const TBrett& b = Steps[s].VorDemZug.BrettNachZug;
  Vorherige vorherige{};
  int n = 0;
  if (!SammleVorherige(s, vorherige, n)) return verlaufAbstand_[s] = 0;
  // The side to move at ply s still places: every walk of the rule ends before ply s.
  if (n == 0) return verlaufAbstand_[s] = kNie;
  // vorherige[0] is ply s's own position, met by every line below it alike; the others are the
  // history. One of them, met c times before and again within the line, draws at its third
  // occurrence: the first return takes Rueckkehr moves, each further one at least four.
  const TFarbe farbe = Steps[s].STFarbeZiehend;
  const auto steine = [](const WdhStellung& q, TFarbe f) {
    return q.farbe == f ? q.ziehend : q.alle & ~q.ziehend;
  };
  const auto gleich = [&](const WdhStellung& q, const WdhStellung& r) {
    return q.alle == r.alle && steine(q, clWeiss) == steine(r, clWeiss);
  };
  const WdhStellung& hier = *vorherige[0];
  int abstand = kNie;
  for (int i = 1; i < n; ++i) {
    const WdhStellung& q = *vorherige[static_cast<std::size_t>(i)];
    if (std::popcount(q.alle) != std::popcount(b.AlleSteine)) continue;
    const Punkte qEigene = steine(q, farbe);
    if (std::popcount(qEigene) != std::popcount(b.SteineZiehend)) continue;
    int mal = gleich(q, hier) ? 1 : 0;
    for (int k = 1; k < n; ++k) mal += gleich(*vorherige[static_cast<std::size_t>(k)], q);
    const int hin =
        Rueckkehr(std::popcount(b.SteineZiehend & ~qEigene),
                  std::popcount((b.AlleSteine & ~b.SteineZiehend) & ~(q.alle & ~qEigene)));
    abstand = std::min(abstand, hin + 4 * std::max(0, 2 - mal));
  }
  return verlaufAbstand_[s] = abstand;
}

void StepStack::HTCopySmart(int s, int d) {
  if (s == 1 || Steps[s].BesterZug == 0) return;
  const TZug& bester = Steps[s].Zuege[Steps[s].BesterZug];
  TZug& eltern = AktuellerZug(s - 1);
  for (int k = s; k <= d; ++k) eltern.SmartZuege[k] = bester.SmartZuege[k];
}

void StepStack::HTBeforeEx(int s, int d) {
  if (s == 1 || Steps[s].BesterZug == 0) return;
  const TZug& bester = Steps[s].Zuege[Steps[s].BesterZug];
  TZug& eltern = AktuellerZug(s - 1);
  for (int k = s; k <= d; ++k) {
    eltern.SmartZuege[k] = bester.SmartZuege[k];
    if (k < d && bester.SmartZuege[k].BeendetLinie()) break;
  }
}

void StepStack::HTSortiere(int s, int d) {
  TStep& st = Steps[s];
  const int durchgaenge = std::min(d - s + 2, 4);
  for (int p = 1; p <= durchgaenge; ++p) {
    bool getauscht = false;
    for (int k = st.ZuegeAnzahl - 1; k >= p; --k) {
      if (IstBesserA(st.Zuege[st.ZZ[k]], st.Zuege[st.ZZ[k + 1]], einst_, host_)) {
        std::swap(st.ZZ[k], st.ZZ[k + 1]);
        getauscht = true;
      }
    }
    if (!getauscht) break;
  }
}

void StepStack::GetBesterZug(int s, int d, int& hint, THintRes hintArt) {
  TStep& st = Steps[s];
  st.BesterZug = 0;
  st.BesterZugRes.ZugResGesamt = rsNIL;
  if (st.ZuegeAnzahl < 1) {
    host_.Meldung("Kein Zug in GetBesterZug");
    return;
  }
  if (hint > 0 && hint <= st.ZuegeAnzahl) {
    st.BesterZug = hint;
    st.BesterZugRes = st.Zuege[hint].Wertung;
    TSmartZug& e = st.Zuege[hint].SmartZuege[s];
    if (hintArt == hrQuarne) e.GewinnDurchQuarne = true;
    if (hintArt == hrBlock) e.GewinnDurchBlock = true;
    hint = 0;
    HTBeforeEx(s, d);
    return;
  }
  hint = 0;
  if (st.Zuege[1].BEWERTET) {
    st.BesterZug = 1;
    st.BesterZugRes = st.Zuege[1].Wertung;
  } else {
    host_.Meldung("Unbewerteten Zug gefunden");
  }
  for (int o = 2; o <= st.ZuegeAnzahl; ++o) {
    if (st.BesterZugRes.ZugResGesamt == rsWIN && st.BesterZugRes.ResultInXZuegen == 0) break;
    const TZug& z = st.Zuege[o];
    if (!z.BEWERTET) {
      host_.Meldung("Unbewerteten Zug gefunden");
      continue;
    }
    if (st.BesterZug != 0 && IstBesser(st.Zuege[st.BesterZug], z, einst_, host_)) {
      st.BesterZug = o;
      st.BesterZugRes = z.Wertung;
    }
  }
  HTBeforeEx(s, d);
}

}  // namespace quarne
