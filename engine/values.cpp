#include "engine/values.h"

#include <utility>

namespace quarne {
namespace {

void MeldeNil(Host& host) {
  host.Meldung("rsNIL in Vergleich gefunden");
}

// B better than A, reading the points of either PunktWertGes or PunktWertA.
template <double TZugWert::*kPunkte>
bool Besser(const TZug& a, const TZug& b, const Einstellungen& e, Host& host) {
  const TZugWert& wa = a.Wertung;
  const TZugWert& wb = b.Wertung;
  if (wa.ZugResGesamt == rsNIL || wb.ZugResGesamt == rsNIL) {
    MeldeNil(host);
    return false;
  }
  switch (wa.ZugResGesamt) {
    case rsQuarn:
      switch (wb.ZugResGesamt) {
        case rsQuarn:
          return wb.*kPunkte > wa.*kPunkte;
        case rsWIN:
          return true;
        case rsLOSS:
          return false;
        default:
          return AdjWert(a, wa.*kPunkte, e) <= kRemisSchwelle;
      }
    case rsWIN:
      return wb.ZugResGesamt == rsWIN && wb.ResultInXZuegen < wa.ResultInXZuegen;
    case rsLOSS:
      return wb.ZugResGesamt != rsLOSS || wb.ResultInXZuegen > wa.ResultInXZuegen;
    default:  // rsWDH
      switch (wb.ZugResGesamt) {
        case rsQuarn:
          return AdjWert(b, wb.*kPunkte, e) > kRemisSchwelle;
        case rsWIN:
          return true;
        case rsLOSS:
          return false;
        default:
          return wb.ResultInXZuegen < wa.ResultInXZuegen;
      }
  }
}

int Rang(const TZug& z) {
  return z.BEWERTET ? 2 : z.Canceld ? 1 : 0;
}

}  // namespace

double AdjWert(const TZug& m, double v, const Einstellungen& e) {
  const TBrett& b = m.BrettNachZug;
  return v + e.gewichte.EDPunktWert *
                 (b.VerloreneSteineStehend - b.VerloreneSteineZiehend - (m.ErgibtQuarne ? 1 : 0));
}

bool IstBesser(const TZug& a, const TZug& b, const Einstellungen& e, Host& host) {
  return Besser<&TZugWert::PunktWertGes>(a, b, e, host);
}

bool IstBesserA(const TZug& a, const TZug& b, const Einstellungen& e, Host& host) {
  return Besser<&TZugWert::PunktWertA>(a, b, e, host);
}

bool MindestensSoGut(const TZug& a, const TZug& b, const Einstellungen& e, Host& host) {
  if (a.Wertung.ZugResGesamt == rsNIL || b.Wertung.ZugResGesamt == rsNIL) {
    MeldeNil(host);
    return false;
  }
  // A provisional draw is no bound: the reply side may still find a sooner draw, or prefer an
  // ordinary line, worth any amount to B, unless it is two stones down. Only a win stays ahead.
  if (b.Wertung.ZugResGesamt == rsWDH) return a.Wertung.ZugResGesamt == rsWIN;
  return !IstBesser(a, b, e, host);
}

double PunkteVonEltern(double kind, double eltern, const Einstellungen& e) {
  return (e.NaherVorteilCB ? kind * e.gewichte.EDZugFaktor : -kind) + eltern;
}

TZugWert Runterrechnen(const TZugWert& kind, const TZugWert& eltern, const Einstellungen& e,
                       Host& host) {
  TZugWert r = eltern;
  switch (kind.ZugResGesamt) {
    case rsQuarn:
      r.ZugResGesamt = rsQuarn;
      r.PunktWertA = PunkteVonEltern(kind.PunktWertA, eltern.PunktWertA, e);
      r.PunktWertGes = r.PunktWertA;
      break;
    case rsWIN:
      r.ZugResGesamt = rsLOSS;
      r.ResultInXZuegen = kind.ResultInXZuegen + 1;
      break;
    case rsLOSS:
      r.ZugResGesamt = rsWIN;
      r.ResultInXZuegen = kind.ResultInXZuegen + 1;
      break;
    case rsWDH:
      r.ZugResGesamt = rsWDH;
      r.ResultInXZuegen = kind.ResultInXZuegen + 1;
      break;
    default:
      host.Meldung("rsNil in Runterrechnen gefunden");
      break;
  }
  return r;
}

void SortRoutine(TStep& s, const Einstellungen& e, Host& host) {
  // A message of this sort, or a timer, may process events that call the sort again.
  static thread_local bool laeuft = false;
  if (s.ZuegeAnzahl <= 1 || laeuft) return;
  laeuft = true;
  const std::int64_t t0 = host.JetztMs();
  bool weiter = true;
  while (weiter) {
    weiter = false;
    for (int j = s.ZuegeAnzahl - 1; j >= 1; --j) {
      TZug& a = s.Zuege[j];
      TZug& b = s.Zuege[j + 1];
      const int ra = Rang(a), rb = Rang(b);
      if (rb > ra || (ra == rb && ra > 0 && IstBesser(a, b, e, host))) {
        // Putting an ordinary move before a draw alone does not ask for another pass.
        if (!(b.Wertung.ZugResGesamt == rsQuarn && a.Wertung.ZugResGesamt == rsWDH)) weiter = true;
        std::swap(a, b);
      }
    }
    if (host.JetztMs() - t0 > 1000) host.Meldung("TimeOutFehler in SortRoutine");
  }
  laeuft = false;
}

int AnzahlGleichBeste(const TStep& s) {
  const int n = s.ZuegeAnzahl;
  if (n <= 0) return 0;
  if (n == 1) return 1;
  if (!s.Zuege[1].BEWERTET) return n;
  for (int j = 1; j < n; ++j) {
    const TZugWert& v = s.Zuege[j].Wertung;
    const TZug& naechster = s.Zuege[j + 1];
    if (!naechster.BEWERTET) return j;
    const TZugWert& w = naechster.Wertung;
    bool schlechter = false;
    switch (w.ZugResGesamt) {
      case rsQuarn:
        schlechter = v.ZugResGesamt == rsWIN || v.ZugResGesamt == rsWDH ||
                     (v.ZugResGesamt == rsQuarn && v.PunktWertGes > w.PunktWertGes);
        break;
      case rsWIN:
        schlechter = v.ZugResGesamt == rsWIN && v.ResultInXZuegen < w.ResultInXZuegen;
        break;
      case rsLOSS:
        schlechter = v.ZugResGesamt == rsQuarn || v.ZugResGesamt == rsWIN ||
                     v.ZugResGesamt == rsWDH ||
                     (v.ZugResGesamt == rsLOSS && v.ResultInXZuegen > w.ResultInXZuegen);
        break;
      case rsWDH:
        schlechter = v.ZugResGesamt == rsQuarn || v.ZugResGesamt == rsWIN ||
                     (v.ZugResGesamt == rsWDH && v.ResultInXZuegen < w.ResultInXZuegen);
        break;
      default:
        break;
    }
    if (schlechter) return j;
  }
  return n;
}

}  // namespace quarne
