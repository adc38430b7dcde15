// Random root positions with fixed seeds for the searches' cross-checks: every phase, games
// whose positions come round again, sides shut in, and the setting variants they run under.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/types.h"
#include "engine/history.h"
#include "engine/settings.h"
#include "reference_rules.h"
#include "test_positions.h"

namespace quarne::test {

class TestVerlauf final : public SpielVerlauf {
 public:
  std::vector<TZug> zuege;
  std::vector<TFarbe> farben;
  int Anzahl() const override { return static_cast<int>(zuege.size()); }
  const TZug& VorDemZug(int i) const override { return zuege.at(i - 1); }
  TFarbe Farbe(int i) const override { return farben.at(i - 1); }
};

// A root position with the game before it, for the engine and for the reference.
struct Fall {
  Lage lage;
  std::vector<Vorstellung> vorher;  // positions before the game's moves, oldest first
  TestVerlauf verlauf;

  int ZugNummer() const { return verlauf.Anzahl() + 1; }
  const SpielVerlauf& Verlauf() const {
    static const LeererVerlauf leer;
    if (verlauf.Anzahl() == 0) return leer;
    return verlauf;
  }

  std::string Notation() const {
    const Vorstellung v = AlsVorstellung(lage);
    std::string t;
    for (int p = 0; p < kAnzahlPunkte; ++p)
      t += v.weiss & Bit(p) ? 'W' : v.schwarz & Bit(p) ? 'S' : '.';
    const bool weiss = lage.farbe == clWeiss;
    t += weiss ? " W " : " S ";
    t += std::to_string(weiss ? lage.am.gesetzt : lage.gegner.gesetzt) + " " +
         std::to_string(weiss ? lage.gegner.gesetzt : lage.am.gesetzt);
    return t;
  }

  std::string Beschreibung() const {
    std::ostringstream t;
    t << '"' << Notation() << '"';
    if (lage.ohneQuarne != 0) t << " ZugOhneQuarne=" << lage.ohneQuarne;
    if (verlauf.Anzahl() > 0) t << " mit " << verlauf.Anzahl() << " Vorzuegen";
    return t.str();
  }

  // The record of the move that led to the root, as the command line builds it.
  TZug Zug() const {
    TZug z = test::Pos(Notation()).zug;
    z.ZugOhneQuarne = lage.ohneQuarne;
    z.ErgibtQuarne = lage.ausQuarne;
    return z;
  }

  int Gesetzt() const { return lage.am.gesetzt + lage.gegner.gesetzt; }
};

inline int Zufall(std::mt19937& rng, int von, int bis) {
  return von + static_cast<int>(rng() % static_cast<unsigned>(bis - von + 1));
}

inline Seite Aufstellen(int gesetzt, int anzahl) {
  Seite s;
  s.gesetzt = gesetzt;
  s.anzahl = anzahl;
  s.verloren = gesetzt - anzahl;
  s.phase = Phase(spSetzen, gesetzt, anzahl);
  return s;
}

inline Lage Stelle(std::mt19937& rng, TFarbe farbe, int gesetztW, int anzahlW, int gesetztS,
                   int anzahlS) {
  std::array<int, kAnzahlPunkte> punkte{};
  for (int i = 0; i < kAnzahlPunkte; ++i) punkte[i] = i;
  std::shuffle(punkte.begin(), punkte.end(), rng);
  Seite w = Aufstellen(gesetztW, anzahlW), s = Aufstellen(gesetztS, anzahlS);
  for (int i = 0; i < anzahlW; ++i) w.steine |= Bit(punkte[i]);
  for (int i = 0; i < anzahlS; ++i) s.steine |= Bit(punkte[anzahlW + i]);
  Lage l;
  l.farbe = farbe;
  l.am = farbe == clWeiss ? w : s;
  l.gegner = farbe == clWeiss ? s : w;
  return l;
}

enum class Art { setzen, ziehen, eng, springen, gemischt };

inline constexpr std::array<Art, 5> kArten = {Art::setzen, Art::ziehen, Art::eng, Art::springen,
                                              Art::gemischt};

inline const char* Name(Art a) {
  switch (a) {
    case Art::setzen:
      return "Setzen";
    case Art::ziehen:
      return "Ziehen";
    case Art::eng:
      return "Eng";
    case Art::springen:
      return "Springen";
    default:
      return "Gemischt";
  }
}

inline Lage ZufallsLage(std::mt19937& rng, Art art) {
  const TFarbe farbe = Zufall(rng, 0, 1) ? clSchwarz : clWeiss;
  switch (art) {
    case Art::setzen: {
      // As in a game: white places first; a few stones may have been lost to mills.
      const int k = Zufall(rng, 1, 8);
      const int gW = k + (farbe == clSchwarz ? 1 : 0), gS = k;
      return Stelle(rng, farbe, gW, gW - Zufall(rng, 0, std::min(2, gW - 1)), gS,
                    gS - Zufall(rng, 0, std::min(2, gS - 1)));
    }
    case Art::ziehen:
      return Stelle(rng, farbe, 9, Zufall(rng, 4, 9), 9, Zufall(rng, 4, 9));
    case Art::eng:
      // Few empty points: sides get blocked.
      return Stelle(rng, farbe, 9, Zufall(rng, 7, 9), 9, Zufall(rng, 8, 9));
    case Art::springen: {
      const int andere = Zufall(rng, 3, 9);
      return Zufall(rng, 0, 1) ? Stelle(rng, farbe, 9, 3, 9, andere)
                               : Stelle(rng, farbe, 9, andere, 9, 3);
    }
    default: {
      // One side has finished placing, the other has not, with either to move.
      const int gS = Zufall(rng, 4, 8);
      return Stelle(rng, farbe, 9, Zufall(rng, 3, 7), gS, gS - Zufall(rng, 0, 1));
    }
  }
}

inline Fall OhneVorgeschichte(const Lage& l) {
  Fall f;
  f.lage = l;
  return f;
}

// The record a game keeps for a move made from position p: p seen from the mover.
inline TZug Vorzug(const Lage& p) {
  TZug z{};
  TBrett& b = z.BrettNachZug;
  b.AlleSteine = p.am.steine | p.gegner.steine;
  b.SteineZiehend = p.am.steine;
  b.SteineStehend = p.gegner.steine;
  b.SpielPhaseZiehend = p.am.phase;
  b.SteineAnzahlZiehend = p.am.anzahl;
  b.GesetzteSteineZiehend = p.am.gesetzt;
  b.SpielPhaseStehend = p.gegner.phase;
  b.SteineAnzahlStehend = p.gegner.anzahl;
  b.GesetzteSteineStehend = p.gegner.gesetzt;
  b.VerloreneSteineZiehend = p.am.verloren;
  b.VerloreneSteineStehend = p.gegner.verloren;
  z.ErgibtQuarne = p.ausQuarne;
  z.ZugOhneQuarne = p.ohneQuarne;
  return z;
}

// A moving or flying position reached by a few moves without mills that often step back, so
// that positions of the game come round again within a shallow search.
inline Fall MitVorgeschichte(std::mt19937& rng, const Einstellungen& e) {
  Fall f;
  Lage p = Zufall(rng, 0, 3) == 0
               ? Stelle(rng, clWeiss, 9, 3, 9, Zufall(rng, 4, 6))
               : Stelle(rng, clWeiss, 9, Zufall(rng, 4, 6), 9, Zufall(rng, 4, 6));
  Regeln regeln(e);
  std::vector<RZug> zuege;
  std::vector<Punkte> zurueck;  // for each move made, the move that undoes it (von | nach)
  const int laenge = Zufall(rng, 3, 9);
  for (int i = 0; i < laenge; ++i) {
    f.vorher.push_back(AlsVorstellung(p));
    regeln.Erzeuge(p, false, false, true, f.vorher, zuege);
    std::vector<const RZug*> ruhig;
    const RZug* rueck = nullptr;
    for (const RZug& m : zuege) {
      if (m.quarne || m.res != rsQuarn) continue;
      ruhig.push_back(&m);
      if (zurueck.size() >= 2 && (m.von | m.nach) == zurueck[zurueck.size() - 2]) rueck = &m;
    }
    if (ruhig.empty()) {
      f.vorher.pop_back();
      break;
    }
    const RZug& m = rueck != nullptr && Zufall(rng, 0, 3) != 0
                        ? *rueck
                        : *ruhig[Zufall(rng, 0, static_cast<int>(ruhig.size()) - 1)];
    f.verlauf.zuege.push_back(Vorzug(p));
    f.verlauf.farben.push_back(p.farbe);
    zurueck.push_back(m.von | m.nach);
    p = Nachher(p, m);
  }
  f.lage = p;
  return f;
}

// One side's stones stand together and the other side holds the points around them. In the
// moving phase one of those points stays free, so that a line of play soon shuts the first side
// in; in the placing phase none does, and the enclosing side is to move, so that the first side
// has nothing but the pass once the plies turn virtual.
inline Lage Eingeschlossen(std::mt19937& rng, bool setzen) {
  for (;;) {
    Punkte enge = Bit(Zufall(rng, 0, kAnzahlPunkte - 1));
    const int anzahl = setzen ? Zufall(rng, 2, 5) : Zufall(rng, 4, 7);
    while (std::popcount(enge) < anzahl) {
      const int von = Zufall(rng, 0, kAnzahlPunkte - 1);
      if (!(enge & Bit(von))) continue;
      const std::vector<int>& n = Brett().nachbarn[von];
      enge |= Bit(n[Zufall(rng, 0, static_cast<int>(n.size()) - 1)]);
    }
    Punkte rand = 0;
    for (int p = 0; p < kAnzahlPunkte; ++p)
      if (enge & Bit(p))
        for (const int q : Brett().nachbarn[p]) rand |= Bit(q);
    rand &= ~enge;
    std::vector<int> randPunkte;
    for (int p = 0; p < kAnzahlPunkte; ++p)
      if (rand & Bit(p)) randPunkte.push_back(p);
    const int n = static_cast<int>(randPunkte.size());
    if (setzen ? n < 3 || n > 8 : n < 5 || n > 10) continue;

    Punkte andere = rand;
    bool engeZieht = false;
    if (!setzen) {
      andere &= ~Bit(randPunkte[Zufall(rng, 0, n - 1)]);
      const Punkte luecke = rand & ~andere;
      const int ziel = Zufall(rng, std::popcount(andere), 9);
      while (std::popcount(andere) < ziel) {
        const Punkte p = Bit(Zufall(rng, 0, kAnzahlPunkte - 1));
        if (!(p & (enge | luecke))) andere |= p;
      }
      engeZieht = Zufall(rng, 0, 1) == 1;
    }
    const auto seite = [&](Punkte steine) {
      const int k = std::popcount(steine);
      Seite s = Aufstellen(setzen ? k : 9, k);
      s.steine = steine;
      return s;
    };
    Lage l;
    l.farbe = Zufall(rng, 0, 1) ? clSchwarz : clWeiss;
    l.am = seite(engeZieht ? enge : andere);
    l.gegner = seite(engeZieht ? andere : enge);
    return l;
  }
}

struct Einstellung {
  const char* name;
  unsigned saat;
  void (*setze)(Einstellungen&);
};

inline const std::array<Einstellung, 8> kEinstellungen = {{
    {"Standard", 1, [](Einstellungen&) {}},
    {"VirtuellAb2", 2,
     [](Einstellungen& e) {
       e.CBVirtuellZugAb = true;
       e.VirtuellSE = 2;
     }},
    {"VirtuellAb3OhneVirtuelleBetraege", 3,
     [](Einstellungen& e) {
       e.CBVirtuellZugAb = true;
       e.VirtuellSE = 3;
       e.CBVirtQuarne2 = false;
       e.CBVirtGewinn2 = false;
     }},
    {"OhneVirtuellOhneSchwaechung", 4,
     [](Einstellungen& e) {
       e.CBVirtuell = false;
       e.NaherVorteilCB = false;
     }},
    {"NurMobilitaet", 5,
     [](Einstellungen& e) {
       e.CBMuster = false;
       e.CBPosition = false;
       e.RemisLimit = -1;
     }},
    {"Vollstaendig", 6, [](Einstellungen& e) { e.CBVoll = true; }},
    // A small table overwrites its entries often, so that more of them come from other lines.
    {"VollstaendigKleineTabelle", 8,
     [](Einstellungen& e) {
       e.CBVoll = true;
       e.TabelleMB = 2;
     }},
    {"AndereGewichte", 7,
     [](Einstellungen& e) {
       e.gewichte.EDZugFaktor = -0.5;
       e.gewichte.EDPunktWert = 7000;
       e.gewichte.EDCMobil = 2500;
       e.gewichte.EDCRealOff1 = 4100;
       e.gewichte.EDWinVirt = 3000;
       e.CBVirtuellZugAb = true;
       e.VirtuellSE = 4;
     }},
}};

}  // namespace quarne::test
