// Hand-made moves and entries for the library tests.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <exception>
#include <memory>
#include <string>
#include <tuple>

#include "engine/search.h"
#include "library/model.h"
#include "library/symmetry.h"
#include "tests/engine/test_host.h"

namespace quarne::test {

// A move whose position has these stones, counters from the stones (nothing removed).
inline TZug ZugMit(Punkte ziehend, Punkte stehend, double wert = 0) {
  TZug z{};
  TBrett& b = z.BrettNachZug;
  b.SteineZiehend = ziehend;
  b.SteineStehend = stehend;
  b.AlleSteine = ziehend | stehend;
  b.SteineAnzahlZiehend = b.GesetzteSteineZiehend = std::popcount(ziehend);
  b.SteineAnzahlStehend = b.GesetzteSteineStehend = std::popcount(stehend);
  z.Wertung = {rsQuarn, 0, wert, wert};
  z.BEWERTET = true;
  return z;
}

inline TBibZug Neu(const TZug& zug, TrSC rolle, bool repraesentant) {
  TBibZug e;
  e.Zug = zug;
  e.rSC = rolle;
  e.BibZuBerechnen = repraesentant;
  return e;
}

inline TZug Bild(TZug z, TSymmetrie t) {
  TransformiereZug(z, t);
  return z;
}

// A move told apart from the other moves of its position.
using Zugschluessel = std::tuple<Punkte, Punkte, Punkte, Punkte, Punkte>;

inline Zugschluessel Schluessel(const TZug& z) {
  return {z.VonPosition, z.NachPosition, z.EntfStein, z.BrettNachZug.SteineZiehend,
          z.BrettNachZug.SteineStehend};
}

template <class F>
std::string Fehlertext(F f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "kein Fehler";
}

// A search in the calling thread, and a library to fill from its results.
class BibMitSuche : public ::testing::Test {
 protected:
  Einstellungen einst;
  TestHost host;
  LeererVerlauf verlauf;
  std::unique_ptr<Suche> suche = std::make_unique<Suche>(einst, host);
  TBibliothek bib;

  // The sorted result of a search of the position after zug.
  std::unique_ptr<TStep> Suchen(const TZug& zug, int zugNummer, TFarbe farbe, int tiefe) {
    suche->StepRoutine(tiefe, zug, zugNummer, farbe, {}, verlauf);
    return std::make_unique<TStep>(suche->MemStep2);
  }
};

}  // namespace quarne::test
