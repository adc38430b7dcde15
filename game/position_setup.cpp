#include "game/position_setup.h"

#include <bit>
#include <utility>

namespace quarne {
namespace {

TSpielPhase Phase(int gesetzt, int steine) {
  if (gesetzt < kMaxSteine) return spSetzen;
  return steine <= 3 ? spSpringen : spZiehen;
}

// Which side may be analysed, by the phases of both sides.
void ErlaubeAnalyse(Steinzahlen& z) {
  const TSpielPhase w = z.Phase[clWeiss], s = z.Phase[clSchwarz];
  const int W = z.Steine[clWeiss], B = z.Steine[clSchwarz];
  const int gW = z.Gesetzt[clWeiss], gB = z.Gesetzt[clSchwarz];
  bool beide = false;
  if (s == spSetzen) {
    if (w == spSetzen) {
      z.WeissAmZug = gW == gB;
      z.SchwarzAmZug = gW == gB + 1;
    } else if (w == spZiehen) {
      z.SchwarzAmZug = gB == kMaxSteine - 1;
    }
  } else if (s == spZiehen) {
    beide = w == spZiehen || (w == spSpringen && W == 3);
  } else {
    beide = (w == spZiehen && B == 3) || (w == spSpringen && W == 3 && B == 3);
  }
  if (beide) z.WeissAmZug = z.SchwarzAmZug = true;
}

}  // namespace

bool SetzeAufbauStein(TBrett& b, TFarbe ziehendFarbe, TFarbe neu, Punkte maske) {
  Punkte ziehend = b.SteineZiehend, stehend = b.SteineStehend;
  if (neu == ziehendFarbe) {
    ziehend ^= maske;
    stehend &= ~maske;
  } else {
    stehend ^= maske;
    ziehend &= ~maske;
  }
  if (std::popcount(ziehend) > kMaxSteine || std::popcount(stehend) > kMaxSteine) return false;
  b.SteineZiehend = ziehend;
  b.SteineStehend = stehend;
  b.AlleSteine = ziehend | stehend;
  return true;
}

Steinzahlen ZaehleSteine(TBrett& b, TFarbe ziehendFarbe, int gesetztWeiss, int gesetztSchwarz) {
  Steinzahlen z;
  const TFarbe stehendFarbe = Gegner(ziehendFarbe);
  z.Steine[ziehendFarbe] = std::popcount(b.SteineZiehend);
  z.Steine[stehendFarbe] = std::popcount(b.SteineStehend);
  z.Gesetzt[clWeiss] = gesetztWeiss;
  z.Gesetzt[clSchwarz] = gesetztSchwarz;
  for (TFarbe f : {clWeiss, clSchwarz}) {
    if (z.Steine[f] > z.Gesetzt[f]) z.Gesetzt[f] = z.Steine[f];
    z.Verloren[f] = z.Gesetzt[f] - z.Steine[f];
    z.Phase[f] = Phase(z.Gesetzt[f], z.Steine[f]);
  }
  b.SteineAnzahlZiehend = z.Steine[ziehendFarbe];
  b.GesetzteSteineZiehend = z.Gesetzt[ziehendFarbe];
  b.VerloreneSteineZiehend = z.Verloren[ziehendFarbe];
  b.SpielPhaseZiehend = z.Phase[ziehendFarbe];
  b.SteineAnzahlStehend = z.Steine[stehendFarbe];
  b.GesetzteSteineStehend = z.Gesetzt[stehendFarbe];
  b.VerloreneSteineStehend = z.Verloren[stehendFarbe];
  b.SpielPhaseStehend = z.Phase[stehendFarbe];
  ErlaubeAnalyse(z);
  return z;
}

void UebernimmAufbau(const TZug& aufbau, TFarbe aufbauFarbe, TFarbe startFarbe, TZug& startZug) {
  if (aufbauFarbe != startFarbe) {
    startZug = aufbau;
    return;
  }
  // The setup's Ziehend side is to move: the two sides trade places, the rest of the start
  // record stays.
  const TBrett& a = aufbau.BrettNachZug;
  TBrett& s = startZug.BrettNachZug;
  s.AlleSteine = a.AlleSteine;
  s.SteineZiehend = a.SteineStehend;
  s.SteineStehend = a.SteineZiehend;
  s.SpielPhaseZiehend = a.SpielPhaseStehend;
  s.SpielPhaseStehend = a.SpielPhaseZiehend;
  s.SteineAnzahlZiehend = a.SteineAnzahlStehend;
  s.SteineAnzahlStehend = a.SteineAnzahlZiehend;
  s.GesetzteSteineZiehend = a.GesetzteSteineStehend;
  s.GesetzteSteineStehend = a.GesetzteSteineZiehend;
  s.VerloreneSteineZiehend = a.VerloreneSteineStehend;
  s.VerloreneSteineStehend = a.VerloreneSteineZiehend;
}

}  // namespace quarne
