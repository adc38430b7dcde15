// The rules of the game written a second time, from nothing but the tables of the rules, as a
// reference for the engine: positions seen from the side to move, and a move generator with
// placing, moving, flying, mills, removals, phase changes, both draw rules and virtual plies.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/types.h"
#include "engine/evaluation.h"
#include "engine/settings.h"

namespace quarne::test {

// The board, read from the tables of the rules: names in bit order, neighbours in the order
// generation visits them, the sixteen lines.

inline constexpr std::array<std::string_view, kAnzahlPunkte> kNamen = {
    "a1", "d1", "g1", "g4", "g7", "d7", "a7", "a4", "b2", "d2", "f2", "f4",
    "f6", "d6", "b6", "b4", "c3", "d3", "e3", "e4", "e5", "d5", "c5", "c4"};

inline constexpr std::array<std::string_view, kAnzahlPunkte> kNachbarTexte = {
    "d1 a4", "g1 a1 d2",    "g4 d1", "g7 g1 f4",    "d7 g4", "a7 g7 d6",    "a4 d7", "a1 a7 b4",
    "d2 b4", "f2 b2 d3 d1", "f4 d2", "f6 f2 e4 g4", "d6 f4", "b6 f6 d5 d7", "b4 d6", "b2 b6 c4 a4",
    "d3 c4", "e3 c3 d2",    "e4 d3", "e5 e3 f4",    "d5 e4", "c5 e5 d6",    "c4 d5", "c3 c5 b4"};

inline constexpr std::array<std::string_view, 16> kLinienTexte = {
    "a1 d1 g1", "g1 g4 g7", "g7 d7 a7", "a7 a4 a1", "b2 d2 f2", "f2 f4 f6", "f6 d6 b6", "b6 b4 b2",
    "c3 d3 e3", "e3 e4 e5", "e5 d5 c5", "c5 c4 c3", "d1 d2 d3", "g4 f4 e4", "d7 d6 d5", "a4 b4 c4"};

constexpr Punkte Bit(int i) {
  return Punkte{1} << i;
}

inline std::vector<int> Punktliste(std::string_view text) {
  std::vector<int> liste;
  std::istringstream ein{std::string(text)};
  std::string name;
  while (ein >> name) {
    int nr = 0;
    while (nr < kAnzahlPunkte && kNamen[nr] != name) ++nr;
    if (nr == kAnzahlPunkte) throw std::invalid_argument("unbekannter Punkt " + name);
    liste.push_back(nr);
  }
  return liste;
}

struct Brettkunde {
  std::array<std::vector<int>, kAnzahlPunkte> nachbarn;
  std::array<Punkte, 16> linien{};
};

inline const Brettkunde& Brett() {
  static const Brettkunde brett = [] {
    Brettkunde b;
    for (int p = 0; p < kAnzahlPunkte; ++p) b.nachbarn[p] = Punktliste(kNachbarTexte[p]);
    for (int l = 0; l < 16; ++l)
      for (const int p : Punktliste(kLinienTexte[l])) b.linien[l] |= Bit(p);
    return b;
  }();
  return brett;
}

inline bool SchliesstLinie(Punkte eigene, int punkt) {
  for (const Punkte linie : Brett().linien)
    if ((linie & Bit(punkt)) && (linie & eigene) == linie) return true;
  return false;
}

// Stones in closed mills are protected unless every stone is.
inline Punkte Entfernbar(Punkte steine) {
  Punkte geschuetzt = 0;
  for (const Punkte linie : Brett().linien)
    if ((linie & steine) == linie) geschuetzt |= linie;
  return (steine & ~geschuetzt) != 0 ? steine & ~geschuetzt : steine;
}

// ---------------------------------------------------------------------------------------------
// Reference positions and moves.

struct Seite {
  Punkte steine = 0;
  int anzahl = 0, gesetzt = 0, verloren = 0;
  TSpielPhase phase = spSetzen;
};

// A ply's position, seen from the side to move.
struct Lage {
  Seite am, gegner;
  TFarbe farbe = clWeiss;
  int ohneQuarne = 0;      // half-moves without a mill up to this position
  bool ausQuarne = false;  // the move that led here closed a mill
};

inline TSpielPhase Phase(TSpielPhase bisher, int gesetzt, int anzahl) {
  if (gesetzt < kMaxSteine) return spSetzen;
  if (anzahl == 3) return spSpringen;
  if (anzahl > 3) return spZiehen;
  return bisher;
}

enum class Remis { kein, limit, wiederholung };

struct RZug {
  Punkte von = 0, nach = 0, entf = 0;
  bool quarne = false;
  int ohneQuarne = 0;
  Seite zieher, gegner;  // after the move; the phases are still those of the ply
  TZugResZiehend res = rsQuarn;
  int inX = 0;
  double a = 0, ges = 0;
  bool bewertet = false;
  bool gewinnDurchQuarne = false;
  Remis remis = Remis::kein;
};

// An earlier position as the repetition rule reads it.
struct Vorstellung {
  Punkte weiss, schwarz;
  TSpielPhase phaseAmZug;
  bool ausQuarne;
};

inline Vorstellung AlsVorstellung(const Lage& p) {
  const bool weiss = p.farbe == clWeiss;
  return {weiss ? p.am.steine : p.gegner.steine, weiss ? p.gegner.steine : p.am.steine, p.am.phase,
          p.ausQuarne};
}

// The position after move m, turned to the other side. The phase fields stay where they are
// and are recomputed from the counters that now stand beside them.
inline Lage Nachher(const Lage& p, const RZug& m) {
  Lage c;
  c.farbe = Gegner(p.farbe);
  c.am = m.gegner;
  c.gegner = m.zieher;
  c.am.phase = Phase(m.zieher.phase, m.gegner.gesetzt, m.gegner.anzahl);
  c.gegner.phase = Phase(m.gegner.phase, m.zieher.gesetzt, m.zieher.anzahl);
  c.ohneQuarne = m.ohneQuarne;
  c.ausQuarne = m.quarne;
  return c;
}

class Regeln {
 public:
  explicit Regeln(const Einstellungen& e) : e_(e) {}

  // Set when a walk leaves the ground the rules decide: a side that has placed all its stones
  // with fewer than three left, a mill against a side without stones, more than 100 moves.
  bool sonderfall = false;
  // Counting walks need no values.
  bool bewerten = true;
  // Draws generated so far, by rule, and virtual plies with nothing but the pass.
  int remisLimit = 0, remisWiederholung = 0, nurPass = 0;

  // All moves of position p. `vorher` ends with p itself. True when generation stopped at a
  // winning mill (only without `alle`).
  bool Erzeuge(const Lage& p, bool virtuell, bool letzte, bool alle,
               const std::vector<Vorstellung>& vorher, std::vector<RZug>& zuege) {
    zuege.clear();
    p_ = &p;
    vorher_ = &vorher;
    zuege_ = &zuege;
    virtuell_ = virtuell;
    letzte_ = letzte;
    alle_ = alle;
    for (const Seite* s : {&p.am, &p.gegner})
      if (s->gesetzt >= kMaxSteine && s->anzahl < 3) sonderfall = true;
    if (sonderfall) return false;

    const Punkte belegt = p.am.steine | p.gegner.steine;
    bool gewonnen = false;
    if (p.am.phase == spSetzen && !virtuell) {
      for (int z = 0; z < kAnzahlPunkte && !gewonnen; ++z)
        if (!(belegt & Bit(z))) gewonnen = Kandidat(0, Bit(z));
    } else if (p.am.phase == spZiehen || virtuell) {
      for (int v = 0; v < kAnzahlPunkte && !gewonnen; ++v) {
        if (!(p.am.steine & Bit(v))) continue;
        for (const int z : Brett().nachbarn[v])
          if (!gewonnen) gewonnen = Kandidat(Bit(v), Bit(z));
      }
      if (virtuell) Kandidat(0, 0);
    } else {
      for (int v = 0; v < kAnzahlPunkte && !gewonnen; ++v) {
        if (!(p.am.steine & Bit(v))) continue;
        for (int z = 0; z < kAnzahlPunkte && !gewonnen; ++z)
          if (!(p.am.steine & Bit(z))) gewonnen = Kandidat(Bit(v), Bit(z));
      }
    }
    if (zuege.size() > static_cast<std::size_t>(kMaxZuege)) sonderfall = true;
    return gewonnen;
  }

 private:
  double Z(const RZug& m) const {
    return bewerten ? ZugBewertung(m.zieher.steine, m.gegner.steine, e_) : 0.0;
  }
  double E(const RZug& m, bool virtuell) const {
    return bewerten ? EndBewertung(m.zieher.steine, m.gegner.steine, virtuell, e_) : 0.0;
  }
  static void Fertig(RZug& m) {
    m.ges = m.a;
    m.bewertet = true;
  }

  bool Wiederholung(const RZug& m) const {
    const bool weiss = p_->farbe == clWeiss;
    const Punkte w = weiss ? m.zieher.steine : m.gegner.steine;
    const Punkte s = weiss ? m.gegner.steine : m.zieher.steine;
    int gleich = 0;
    for (auto q = vorher_->rbegin(); q != vorher_->rend(); ++q) {
      if (q->phaseAmZug == spSetzen) return false;
      if (q->weiss == w && q->schwarz == s && ++gleich == 2) return true;
      if (q->ausQuarne) return false;
    }
    return false;
  }

  // One candidate move; true when it wins by a mill and generation stops.
  bool Kandidat(Punkte von, Punkte nach) {
    const Lage& p = *p_;
    if (nach & (p.am.steine | p.gegner.steine)) return false;
    RZug m;
    m.von = von;
    m.nach = nach;
    m.zieher = p.am;
    m.gegner = p.gegner;
    m.zieher.steine = (p.am.steine & ~von) | nach;
    m.ohneQuarne = p.ohneQuarne;

    if (nach != 0 && SchliesstLinie(m.zieher.steine, std::countr_zero(nach))) {
      m.quarne = true;
      m.ohneQuarne = 0;
      if (!virtuell_) return Quarne(m);
      VirtuelleQuarne(m);
      return false;
    }
    ++m.ohneQuarne;
    if (virtuell_)
      VirtuellerZug(m);
    else
      EinfacherZug(m);
    return false;
  }

  // A mill on a virtual ply: it removes nothing.
  void VirtuelleQuarne(RZug& m) {
    const Gewichte& w = e_.gewichte;
    const bool springt = p_->gegner.phase == spSpringen;
    m.a = e_.CBVirtQuarne2 && !springt  ? w.EDPunktVirt
          : e_.CBVirtGewinn2 && springt ? w.EDWinVirt
                                        : 0.0;
    m.a += Z(m);
    BeendeVirtuell(m);
    zuege_->push_back(m);
  }

  // The last ply of a virtual line adds the virtual end value and finishes the move.
  void BeendeVirtuell(RZug& m) const {
    if (!letzte_) return;
    m.a += E(m, true);
    Fertig(m);
  }

  // A mill: one move for each stone it may remove; true when it wins and generation stops.
  bool Quarne(RZug& m) {
    const Lage& p = *p_;
    // The removal is counted before the stone is chosen.
    --m.gegner.anzahl;
    ++m.gegner.verloren;
    if (p.am.phase == spSetzen) {
      ++m.zieher.anzahl;
      ++m.zieher.gesetzt;
    }
    const bool gewinn = p.gegner.phase == spSpringen;
    if (gewinn) {
      m.res = rsWIN;
      m.bewertet = true;
      m.gewinnDurchQuarne = true;
    } else {
      m.a = e_.gewichte.EDPunktWert;
      if (letzte_) Fertig(m);
    }
    const Punkte kill = Entfernbar(p.gegner.steine);
    if (kill == 0) sonderfall = true;
    for (int b = 0; b < kAnzahlPunkte; ++b) {
      if (!(kill & Bit(b))) continue;
      RZug v = m;
      v.entf = Bit(b);
      v.gegner.steine &= ~Bit(b);
      const bool ausgenommen = gewinn || p.am.phase == spSpringen ||
                               (v.gegner.gesetzt >= kMaxSteine && v.gegner.anzahl < 4);
      if (!ausgenommen) {
        v.a += Z(v);
        if (letzte_) {
          v.a += E(v, false);
          Fertig(v);
        }
      } else if (letzte_ && !gewinn) {
        Fertig(v);
      }
      zuege_->push_back(v);
      if (gewinn && !alle_) return true;
    }
    return false;
  }

  // A move on a virtual ply without a mill, or the pass of a side that cannot move.
  void VirtuellerZug(RZug& m) {
    const bool einzig = m.nach == 0 && zuege_->empty();
    nurPass += einzig ? 1 : 0;
    if (einzig && e_.CBVirtGewinn2) {
      m.a = -e_.gewichte.EDWinVirt;
      if (letzte_) Fertig(m);
    } else {
      m.a = Z(m);
      BeendeVirtuell(m);
    }
    zuege_->push_back(m);
  }

  // A real move without a mill: a draw by the limit or by repetition, or else its value.
  void EinfacherZug(RZug& m) {
    const Lage& p = *p_;
    if (p.am.phase == spSetzen) {
      ++m.zieher.anzahl;
      ++m.zieher.gesetzt;
    }
    const bool limit = e_.RemisLimit != -1 && m.ohneQuarne >= e_.RemisLimit;
    if (limit || (p.am.phase != spSetzen && Wiederholung(m))) {
      m.res = rsWDH;
      m.bewertet = true;
      m.remis = limit ? Remis::limit : Remis::wiederholung;
      ++(limit ? remisLimit : remisWiederholung);
      zuege_->push_back(m);
      return;
    }
    const bool springt = p.am.phase == spSpringen || p.gegner.phase == spSpringen;
    if (!springt) m.a = Z(m);
    if (letzte_) {
      if (!springt) m.a += E(m, false);
      Fertig(m);
    }
    zuege_->push_back(m);
  }

  const Einstellungen& e_;
  const Lage* p_ = nullptr;
  const std::vector<Vorstellung>* vorher_ = nullptr;
  std::vector<RZug>* zuege_ = nullptr;
  bool virtuell_ = false, letzte_ = false, alle_ = false;
};

}  // namespace quarne::test
