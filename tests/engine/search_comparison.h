// Comparing what two searches found: a root move's value bit for bit, its principal line, and
// both as text for the failure messages.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

#include "core/notation.h"
#include "core/types.h"

namespace quarne::test {

// "Nr 3 a1 d1 M:c4 rsWIN in 2 Ges=…"
inline std::string ZugMitWert(const TZug& z) {
  char wert[40];
  std::snprintf(wert, sizeof wert, "%.17g", z.Wertung.PunktWertGes);
  static constexpr const char* kRes[] = {"rsNIL", "rsQuarn", "rsWIN", "rsLOSS", "rsWDH"};
  std::ostringstream t;
  t << "Nr " << z.Nr << " " << ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne)
    << " " << (z.Wertung.ZugResGesamt <= rsWDH ? kRes[z.Wertung.ZugResGesamt] : "?");
  if (z.Wertung.ZugResGesamt != rsQuarn) t << " in " << z.Wertung.ResultInXZuegen;
  t << " Ges=" << wert;
  return t.str();
}

// Result, plies to it (not for rsQuarn, where they mean nothing) and the value bit for bit.
inline bool GleicherWert(const TZug& a, const TZug& b) {
  const TZugWert &x = a.Wertung, &y = b.Wertung;
  return x.ZugResGesamt == y.ZugResGesamt &&
         (x.ZugResGesamt == rsQuarn || x.ResultInXZuegen == y.ResultInXZuegen) &&
         std::bit_cast<std::uint64_t>(x.PunktWertGes) ==
             std::bit_cast<std::uint64_t>(y.PunktWertGes);
}

// The same result by the rules: the kind, and for ordinary moves the value bit for bit, for
// decided ones the plies. Decided moves carry points that no comparison of moves reads, and the
// parallel search passes other points along for them than the calling thread's.
inline bool GleichesErgebnis(const TZug& a, const TZug& b) {
  const TZugWert &x = a.Wertung, &y = b.Wertung;
  if (x.ZugResGesamt != y.ZugResGesamt) return false;
  return x.ZugResGesamt == rsQuarn ? std::bit_cast<std::uint64_t>(x.PunktWertGes) ==
                                         std::bit_cast<std::uint64_t>(y.PunktWertGes)
                                   : x.ResultInXZuegen == y.ResultInXZuegen;
}

// The principal line of a root move, up to the ply that ends it or the depth.
inline std::string Linie(const TZug& z, int tiefe) {
  std::string t;
  for (int k = 1; k <= tiefe; ++k) {
    const TSmartZug& m = z.SmartZuege[k];
    if (k > 1) t += " | ";
    t += ZugText(m.VonPosition, m.NachPosition, m.EntfStein, m.ErgibtQuarne);
    if (m.GewinnDurchQuarne) t += " GewinnQ";
    if (m.GewinnDurchBlock) t += " GewinnB";
    if (m.RemisDurchLimit) t += " RemisL";
    if (m.RemisDurchWdh) t += " RemisW";
    if (m.BeendetLinie()) break;
  }
  return t;
}

}  // namespace quarne::test
