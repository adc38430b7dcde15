#include "parallel/benchmark.h"

namespace quarne {

TZug BenchmarkZug() {
  TZug zug{};
  TBrett& b = zug.BrettNachZug;
  b.SteineZiehend = 0x889229;  // a1, g4, d7, d2, f6, b4, e4, c4
  b.SteineStehend = 0x32CC2;   // d1, a7, a4, f2, f4, d6, c3, d3
  b.AlleSteine = b.SteineZiehend | b.SteineStehend;
  b.SpielPhaseZiehend = b.SpielPhaseStehend = spSetzen;
  b.SteineAnzahlZiehend = b.SteineAnzahlStehend = 8;
  b.GesetzteSteineZiehend = b.GesetzteSteineStehend = 8;
  zug.ZugOhneQuarne = 0;
  return zug;
}

ScoreMessung MesseScore(HTSuche& ht, Suche& suche, Host& host, bool parallel, std::int64_t start) {
  // The game's last result comes back whatever ends the measurement, an error included.
  struct Sicherung {
    Suche& suche;
    const Suche::Stand stand = suche.SichereStand();
    ~Sicherung() {
      suche.StelleWiederHer(stand);
      suche.HebeHaltAuf();
    }
  };
  suche.HebeHaltAuf();
  {
    const Sicherung sicherung{suche};
    const LeererVerlauf verlauf;
    HTOptionen optionen;
    optionen.NoDisplay = true;
    optionen.KeepTabs = true;
    ht.Suchen(parallel, kBenchmarkTiefe, BenchmarkZug(), 1, clWeiss, optionen, verlauf);
  }
  return {ht.GenZuegeGesamt(), host.JetztMs() - start};
}

}  // namespace quarne
