// Cross-checks move generation and both calling-thread searches against a reference that knows
// only the rules of the game: a move generator of its own (placing, moving, flying, mills,
// removals, phase changes, draws, virtual plies), a perft walk on it, and a plain full-width
// minimax without cut-offs or move ordering. Positions are drawn at random with fixed seeds.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/evaluation.h"
#include "engine/history.h"
#include "engine/perft.h"
#include "engine/search.h"
#include "engine/settings.h"
#include "test_host.h"
#include "test_positions.h"

namespace quarne {
namespace {

using test::TestHost;

// ---------------------------------------------------------------------------------------------
// The board, read from the tables of the rules: names in bit order, neighbours in the order
// generation visits them, the sixteen lines.

constexpr std::array<std::string_view, kAnzahlPunkte> kNamen = {
    "a1", "d1", "g1", "g4", "g7", "d7", "a7", "a4", "b2", "d2", "f2", "f4",
    "f6", "d6", "b6", "b4", "c3", "d3", "e3", "e4", "e5", "d5", "c5", "c4"};

constexpr std::array<std::string_view, kAnzahlPunkte> kNachbarTexte = {
    "d1 a4", "g1 a1 d2",    "g4 d1", "g7 g1 f4",    "d7 g4", "a7 g7 d6",    "a4 d7", "a1 a7 b4",
    "d2 b4", "f2 b2 d3 d1", "f4 d2", "f6 f2 e4 g4", "d6 f4", "b6 f6 d5 d7", "b4 d6", "b2 b6 c4 a4",
    "d3 c4", "e3 c3 d2",    "e4 d3", "e5 e3 f4",    "d5 e4", "c5 e5 d6",    "c4 d5", "c3 c5 b4"};

constexpr std::array<std::string_view, 16> kLinienTexte = {
    "a1 d1 g1", "g1 g4 g7", "g7 d7 a7", "a7 a4 a1", "b2 d2 f2", "f2 f4 f6", "f6 d6 b6", "b6 b4 b2",
    "c3 d3 e3", "e3 e4 e5", "e5 d5 c5", "c5 c4 c3", "d1 d2 d3", "g4 f4 e4", "d7 d6 d5", "a4 b4 c4"};

constexpr Punkte Bit(int i) {
  return Punkte{1} << i;
}

std::vector<int> Punktliste(std::string_view text) {
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

const Brettkunde& Brett() {
  static const Brettkunde brett = [] {
    Brettkunde b;
    for (int p = 0; p < kAnzahlPunkte; ++p) b.nachbarn[p] = Punktliste(kNachbarTexte[p]);
    for (int l = 0; l < 16; ++l)
      for (const int p : Punktliste(kLinienTexte[l])) b.linien[l] |= Bit(p);
    return b;
  }();
  return brett;
}

bool SchliesstLinie(Punkte eigene, int punkt) {
  for (const Punkte linie : Brett().linien)
    if ((linie & Bit(punkt)) && (linie & eigene) == linie) return true;
  return false;
}

// Stones in closed mills are protected unless every stone is.
Punkte Entfernbar(Punkte steine) {
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

TSpielPhase Phase(TSpielPhase bisher, int gesetzt, int anzahl) {
  if (gesetzt < 9) return spSetzen;
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

Vorstellung AlsVorstellung(const Lage& p) {
  const bool weiss = p.farbe == clWeiss;
  return {weiss ? p.am.steine : p.gegner.steine, weiss ? p.gegner.steine : p.am.steine, p.am.phase,
          p.ausQuarne};
}

// The position after move m, turned to the other side. The phase fields stay where they are
// and are recomputed from the counters that now stand beside them.
Lage Nachher(const Lage& p, const RZug& m) {
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
      if (s->gesetzt >= 9 && s->anzahl < 3) sonderfall = true;
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
    const Gewichte& w = e_.gewichte;
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
      if (virtuell_) {
        const bool springt = p.gegner.phase == spSpringen;
        m.a = e_.CBVirtQuarne2 && !springt  ? w.EDPunktVirt
              : e_.CBVirtGewinn2 && springt ? w.EDWinVirt
                                            : 0.0;
        m.a += Z(m);
        if (letzte_) {
          m.a += E(m, true);
          Fertig(m);
        }
        zuege_->push_back(m);
        return false;
      }
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
        m.a = w.EDPunktWert;
        if (letzte_) Fertig(m);
      }
      const Punkte kill = Entfernbar(p.gegner.steine);
      if (kill == 0) sonderfall = true;
      for (int b = 0; b < kAnzahlPunkte; ++b) {
        if (!(kill & Bit(b))) continue;
        RZug v = m;
        v.entf = Bit(b);
        v.gegner.steine &= ~Bit(b);
        const bool ausgenommen =
            gewinn || p.am.phase == spSpringen || (v.gegner.gesetzt >= 9 && v.gegner.anzahl < 4);
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

    ++m.ohneQuarne;
    if (virtuell_) {
      const bool einzig = nach == 0 && zuege_->empty();
      nurPass += einzig ? 1 : 0;
      if (einzig && e_.CBVirtGewinn2) {
        m.a = -w.EDWinVirt;
        if (letzte_) Fertig(m);
      } else {
        m.a = Z(m);
        if (letzte_) {
          m.a += E(m, true);
          Fertig(m);
        }
      }
      zuege_->push_back(m);
      return false;
    }
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
      return false;
    }
    const bool springt = p.am.phase == spSpringen || p.gegner.phase == spSpringen;
    if (!springt) m.a = Z(m);
    if (letzte_) {
      if (!springt) m.a += E(m, false);
      Fertig(m);
    }
    zuege_->push_back(m);
    return false;
  }

  const Einstellungen& e_;
  const Lage* p_ = nullptr;
  const std::vector<Vorstellung>* vorher_ = nullptr;
  std::vector<RZug>* zuege_ = nullptr;
  bool virtuell_ = false, letzte_ = false, alle_ = false;
};

// Plies of a search below a position in which `gesetzt` stones have been placed.
std::array<bool, kMaxSteps + 1> VirtuellePlies(const Einstellungen& e, int gesetzt) {
  constexpr std::array<int, 18> kAb = {4, 4, 6, 7, 7, 7, 7, 7, 7, 7, 7, 7, 0, 0, 0, 0, 0, 0};
  int ab = 0;
  if (e.CBVirtuell && gesetzt < 18) {
    ab = e.CBVirtuellZugAb ? e.VirtuellSE : kAb[gesetzt];
    if (ab <= 1 || gesetzt + ab > 18) ab = 0;
  }
  std::array<bool, kMaxSteps + 1> v{};
  for (int s = 1; s <= kMaxSteps; ++s) v[s] = ab > 0 && s >= ab;
  return v;
}

// ---------------------------------------------------------------------------------------------
// Perft and minimax on the reference.

std::int64_t RefPerft(Regeln& regeln, const Lage& p, int s, int tiefe,
                      std::vector<Vorstellung>& vorher,
                      std::array<std::vector<RZug>, kMaxSteps + 1>& listen) {
  vorher.push_back(AlsVorstellung(p));
  std::vector<RZug>& zuege = listen[s];
  regeln.Erzeuge(p, false, s == tiefe, true, vorher, zuege);
  std::int64_t n = 0;
  if (s == tiefe) {
    n = static_cast<std::int64_t>(zuege.size());
  } else {
    for (const RZug& m : zuege)
      if (m.res == rsQuarn) n += RefPerft(regeln, Nachher(p, m), s + 1, tiefe, vorher, listen);
  }
  vorher.pop_back();
  return n;
}

// A move's value together with what the comparisons read of its record.
struct Wert {
  TZugResZiehend res = rsNIL;
  int inX = 0;
  double a = 0, ges = 0;
  int saldo = 0;  // opposing stones lost minus own, less the move's own mill
};

Wert AlsWert(const RZug& m) {
  return {m.res, m.inX, m.a, m.ges, m.gegner.verloren - m.zieher.verloren - (m.quarne ? 1 : 0)};
}

Wert AlsWert(const TZug& z) {
  const TBrett& b = z.BrettNachZug;
  return {z.Wertung.ZugResGesamt, z.Wertung.ResultInXZuegen, z.Wertung.PunktWertA,
          z.Wertung.PunktWertGes,
          b.VerloreneSteineStehend - b.VerloreneSteineZiehend - (z.ErgibtQuarne ? 1 : 0)};
}

constexpr double kSchwelle = -20000.0;

// b is strictly better than a.
bool Besser(const Wert& a, const Wert& b, const Einstellungen& e) {
  const auto adj = [&](const Wert& w) { return w.ges + e.gewichte.EDPunktWert * w.saldo; };
  switch (a.res) {
    case rsQuarn:
      if (b.res == rsQuarn) return b.ges > a.ges;
      if (b.res == rsWDH) return adj(a) <= kSchwelle;
      return b.res == rsWIN;
    case rsWIN:
      return b.res == rsWIN && b.inX < a.inX;
    case rsLOSS:
      return b.res != rsLOSS || b.inX > a.inX;
    case rsWDH:
      if (b.res == rsQuarn) return adj(b) > kSchwelle;
      if (b.res == rsWDH) return b.inX < a.inX;
      return b.res == rsWIN;
    default:
      throw std::logic_error("Wert ohne Ergebnis");
  }
}

// The parent's value from its best reply. The points are passed along for every result, as the
// list search does; the cut-off search leaves them unset for wins, losses and draws, where no
// comparison reads them, so both searches agree on everything the comparisons read.
Wert Hoch(const Wert& kind, const Wert& eltern, const Einstellungen& e) {
  Wert w = kind;
  w.a = e.NaherVorteilCB ? kind.a * e.gewichte.EDZugFaktor : -kind.a;
  if (w.res != rsQuarn) {
    ++w.inX;
    if (w.res == rsWIN)
      w.res = rsLOSS;
    else if (w.res == rsLOSS)
      w.res = rsWIN;
  }
  w.a += eltern.a;
  w.ges = w.a;
  w.saldo = eltern.saldo;
  return w;
}

class Minimax {
 public:
  Minimax(const Einstellungen& e, int tiefe, std::int64_t budget)
      : e_(e), regeln_(e), tiefe_(tiefe), budget_(budget) {}

  bool remis = false;        // some generated move of the tree draws
  bool ausserhalb = false;   // too big, or outside the ground the rules decide
  int reihenfolge = 0;       // nodes, the root included, whose best depends on the scan order
  int blockaden = 0;         // replies found blocked
  std::vector<RZug> wurzel;  // root moves in generation order
  std::vector<Wert> werte;   // their values

  int NurPass() const { return regeln_.nurPass; }

  void Rechne(const Lage& root, const std::vector<Vorstellung>& vorher,
              const std::array<bool, kMaxSteps + 1>& virtuell) {
    virtuell_ = virtuell;
    vorher_ = vorher;
    vorher_.push_back(AlsVorstellung(root));
    regeln_.Erzeuge(root, virtuell_[1], tiefe_ == 1, true, vorher_, wurzel);
    Pruefe(wurzel);
    for (const RZug& m : wurzel) {
      if (ausserhalb) return;
      werte.push_back(Bewerte(root, m, 1));
    }
    if (!werte.empty() && !Eindeutig(werte, Bester())) ++reihenfolge;
  }

  // The best root value by the best-move comparison, first in generation order on ties.
  Wert Bester() const { return Waehle(werte); }

 private:
  Wert Waehle(const std::vector<Wert>& kandidaten) const {
    Wert bester = kandidaten.at(0);
    for (const Wert& w : kandidaten)
      if (Besser(bester, w, e_)) bester = w;
    return bester;
  }

  // The comparison is not transitive once draws meet ordinary lines of different material.
  // The scan's choice then stands for every order only when no move beats it.
  bool Eindeutig(const std::vector<Wert>& kandidaten, const Wert& bester) const {
    return std::none_of(kandidaten.begin(), kandidaten.end(),
                        [&](const Wert& w) { return Besser(bester, w, e_); });
  }

  void Pruefe(const std::vector<RZug>& zuege) {
    for (const RZug& m : zuege) remis = remis || m.res == rsWDH;
    ausserhalb = ausserhalb || regeln_.sonderfall;
  }

  Wert Bewerte(const Lage& p, const RZug& m, int s) {
    if (s == tiefe_ || m.res != rsQuarn) return AlsWert(m);
    const Lage c = Nachher(p, m);
    vorher_.push_back(AlsVorstellung(c));
    std::vector<RZug>& zuege = listen_[s + 1];
    const bool gewonnen =
        regeln_.Erzeuge(c, virtuell_[s + 1], s + 1 == tiefe_, false, vorher_, zuege);
    Pruefe(zuege);
    if (s + 1 == tiefe_) {
      blaetter_ += static_cast<std::int64_t>(zuege.size());
      ausserhalb = ausserhalb || blaetter_ > budget_;
    }
    // Once the walk is out of bounds its values are never read.
    Wert ergebnis = AlsWert(m);
    if (gewonnen) {
      ergebnis = Hoch(AlsWert(zuege.back()), AlsWert(m), e_);
    } else if (zuege.empty() && !virtuell_[s + 1]) {
      ergebnis.res = rsWIN;  // the reply side is blocked
      ergebnis.inX = 0;
      ++blockaden;
    } else {
      std::vector<Wert>& kinder = kinder_[s + 1];
      kinder.clear();
      for (std::size_t i = 0; i < zuege.size() && !ausserhalb; ++i)
        kinder.push_back(Bewerte(c, zuege[i], s + 1));
      if (!ausserhalb) {
        const Wert bester = Waehle(kinder);
        if (!Eindeutig(kinder, bester)) ++reihenfolge;
        ergebnis = Hoch(bester, AlsWert(m), e_);
      }
    }
    vorher_.pop_back();
    return ergebnis;
  }

  const Einstellungen& e_;
  Regeln regeln_;
  int tiefe_;
  std::int64_t budget_;
  std::int64_t blaetter_ = 0;
  std::array<bool, kMaxSteps + 1> virtuell_{};
  std::vector<Vorstellung> vorher_;
  std::array<std::vector<RZug>, kMaxSteps + 1> listen_;
  std::array<std::vector<Wert>, kMaxSteps + 1> kinder_;
};

// ---------------------------------------------------------------------------------------------
// Positions.

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

int Zufall(std::mt19937& rng, int von, int bis) {
  return von + static_cast<int>(rng() % static_cast<unsigned>(bis - von + 1));
}

Seite Aufstellen(int gesetzt, int anzahl) {
  Seite s;
  s.gesetzt = gesetzt;
  s.anzahl = anzahl;
  s.verloren = gesetzt - anzahl;
  s.phase = Phase(spSetzen, gesetzt, anzahl);
  return s;
}

Lage Stelle(std::mt19937& rng, TFarbe farbe, int gesetztW, int anzahlW, int gesetztS, int anzahlS) {
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

constexpr std::array<Art, 5> kArten = {Art::setzen, Art::ziehen, Art::eng, Art::springen,
                                       Art::gemischt};

const char* Name(Art a) {
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

Lage ZufallsLage(std::mt19937& rng, Art art) {
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

Fall OhneVorgeschichte(const Lage& l) {
  Fall f;
  f.lage = l;
  return f;
}

// The record a game keeps for a move made from position p: p seen from the mover.
TZug Vorzug(const Lage& p) {
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
Fall MitVorgeschichte(std::mt19937& rng, const Einstellungen& e) {
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
Lage Eingeschlossen(std::mt19937& rng, bool setzen) {
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

// ---------------------------------------------------------------------------------------------
// Comparisons with the engine.

bool Bitgleich(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string Text(const Wert& w) {
  std::ostringstream t;
  t.precision(17);
  static constexpr const char* kRes[] = {"rsNIL", "rsQuarn", "rsWIN", "rsLOSS", "rsWDH"};
  t << (w.res <= rsWDH ? kRes[w.res] : "?");
  if (w.res != rsQuarn) t << " in " << w.inX;
  t << " A=" << w.a << " Ges=" << w.ges;
  return t.str();
}

std::string ZugText(const RZug& m) {
  const auto name = [](Punkte p) { return p ? kNamen[std::countr_zero(p)] : "--"; };
  std::ostringstream t;
  t << name(m.von) << '-' << name(m.nach);
  if (m.entf) t << 'x' << name(m.entf);
  return t.str();
}

// The same value by the rules: kind, and for ordinary moves the points, otherwise the distance.
bool GleicherWert(const Wert& engine, const Wert& ref) {
  if (engine.res != ref.res) return false;
  return ref.res == rsQuarn ? Bitgleich(engine.ges, ref.ges) : engine.inX == ref.inX;
}

// The engine's root list holds the same moves in the same order.
void PruefeWurzelliste(const TStep& st, const std::vector<RZug>& ref, const std::string& wo) {
  ASSERT_EQ(st.ZuegeAnzahl, static_cast<int>(ref.size())) << wo;
  for (int i = 1; i <= st.ZuegeAnzahl; ++i) {
    const TZug& z = st.Zuege[i];
    const RZug& m = ref[i - 1];
    ASSERT_TRUE(z.VonPosition == m.von && z.NachPosition == m.nach && z.EntfStein == m.entf &&
                z.ErgibtQuarne == m.quarne)
        << wo << " Zug " << i << ": erwartet " << ZugText(m);
  }
}

struct Einstellung {
  const char* name;
  unsigned saat;
  void (*setze)(Einstellungen&);
};

const std::array<Einstellung, 7> kEinstellungen = {{
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

// ---------------------------------------------------------------------------------------------
// Perft.

struct PerftErgebnis {
  int tiefe = 0;
  std::int64_t zuege = 0;
  bool sonderfall = false;
  int remisLimit = 0, remisWiederholung = 0;
};

PerftErgebnis RefPerft(const Einstellungen& e, const Fall& f, int tiefe) {
  Regeln regeln(e);
  regeln.bewerten = false;
  std::vector<Vorstellung> vorher = f.vorher;
  std::array<std::vector<RZug>, kMaxSteps + 1> listen;
  const std::int64_t n = RefPerft(regeln, f.lage, 1, tiefe, vorher, listen);
  return {tiefe, n, regeln.sonderfall, regeln.remisLimit, regeln.remisWiederholung};
}

std::int64_t EnginePerft(const Einstellungen& e, const Fall& f, int tiefe, TestHost& host) {
  auto perft = std::make_unique<Perft>(e, host);
  return perft->Zaehle(f.Zug(), f.ZugNummer(), f.lage.farbe, tiefe, f.Verlauf());
}

TEST(Kreuzprobe, PerftVomLeerenBrett) {
  const Einstellungen e;
  const Fall f = OhneVorgeschichte(Lage{});
  for (int tiefe = 1; tiefe <= 5; ++tiefe) {
    const PerftErgebnis ref = RefPerft(e, f, tiefe);
    ASSERT_FALSE(ref.sonderfall);
    TestHost host;
    EXPECT_EQ(EnginePerft(e, f, tiefe, host), ref.zuege) << "Tiefe " << tiefe;
    EXPECT_TRUE(host.meldungen.empty()) << host.meldungen.front();
  }
}

// Every root move at depth 1, field by field: the move, its position, result and value.
void PruefeErsteEbene(const Einstellungen& e, const Fall& f, const std::string& wo) {
  TestHost host;
  auto perft = std::make_unique<Perft>(e, host);
  perft->Zaehle(f.Zug(), f.ZugNummer(), f.lage.farbe, 1, f.Verlauf());
  Regeln regeln(e);
  std::vector<Vorstellung> vorher = f.vorher;
  vorher.push_back(AlsVorstellung(f.lage));
  std::vector<RZug> ref;
  regeln.Erzeuge(f.lage, false, true, true, vorher, ref);
  const TStep& st = perft->Steps[1];
  PruefeWurzelliste(st, ref, wo);
  if (::testing::Test::HasFatalFailure()) return;
  for (int i = 1; i <= st.ZuegeAnzahl; ++i) {
    const TZug& z = st.Zuege[i];
    const RZug& m = ref[i - 1];
    const TBrett& b = z.BrettNachZug;
    const std::string zug = wo + " Zug " + std::to_string(i) + " " + ZugText(m);
    EXPECT_EQ(z.Nr, i) << zug;
    EXPECT_EQ(z.ZugOhneQuarne, m.ohneQuarne) << zug;
    EXPECT_TRUE(b.SteineZiehend == m.zieher.steine && b.SteineStehend == m.gegner.steine &&
                b.AlleSteine == (m.zieher.steine | m.gegner.steine))
        << zug;
    EXPECT_TRUE(
        b.SteineAnzahlZiehend == m.zieher.anzahl && b.GesetzteSteineZiehend == m.zieher.gesetzt &&
        b.VerloreneSteineZiehend == m.zieher.verloren && b.SpielPhaseZiehend == m.zieher.phase)
        << zug;
    EXPECT_TRUE(
        b.SteineAnzahlStehend == m.gegner.anzahl && b.GesetzteSteineStehend == m.gegner.gesetzt &&
        b.VerloreneSteineStehend == m.gegner.verloren && b.SpielPhaseStehend == m.gegner.phase)
        << zug;
    const Wert w = AlsWert(z), r = AlsWert(m);
    EXPECT_TRUE(w.res == r.res && (r.res == rsQuarn || w.inX == r.inX) && Bitgleich(w.a, r.a) &&
                Bitgleich(w.ges, r.ges) && z.BEWERTET == m.bewertet)
        << zug << ": erwartet " << Text(r) << ", Engine " << Text(w);
    const TSmartZug& sz = z.SmartZuege[1];
    EXPECT_TRUE(sz.VonPosition == m.von && sz.NachPosition == m.nach && sz.EntfStein == m.entf &&
                sz.ErgibtQuarne == m.quarne && sz.GewinnDurchQuarne == m.gewinnDurchQuarne &&
                !sz.GewinnDurchBlock && sz.RemisDurchLimit == (m.remis == Remis::limit) &&
                sz.RemisDurchWdh == (m.remis == Remis::wiederholung))
        << zug << ": Hauptlinie";
  }
  EXPECT_TRUE(host.meldungen.empty()) << wo << ": " << host.meldungen.front();
}

// Counts at growing depth until the walk gets too big. Returns the deepest walk compared.
PerftErgebnis VergleichePerft(const Einstellungen& e, const Fall& f, int maxTiefe,
                              std::int64_t budget) {
  PerftErgebnis letztes;
  for (int tiefe = 1; tiefe <= maxTiefe; ++tiefe) {
    const PerftErgebnis ref = RefPerft(e, f, tiefe);
    if (ref.sonderfall || ref.zuege > budget) break;
    TestHost host;
    const std::int64_t engine = EnginePerft(e, f, tiefe, host);
    EXPECT_EQ(engine, ref.zuege) << f.Beschreibung() << " Tiefe " << tiefe << " RemisLimit "
                                 << e.RemisLimit;
    EXPECT_TRUE(host.meldungen.empty()) << f.Beschreibung() << ": " << host.meldungen.front();
    if (engine != ref.zuege) break;
    letztes = ref;
  }
  return letztes;
}

TEST(Kreuzprobe, PerftZufallsstellungenAllerPhasen) {
  const Einstellungen e;
  for (const Art art : kArten) {
    std::mt19937 rng(1000 + static_cast<unsigned>(art));
    int tiefe3 = 0;
    for (int i = 0; i < 20; ++i) {
      const Fall f = OhneVorgeschichte(ZufallsLage(rng, art));
      if (RefPerft(e, f, 1).sonderfall) continue;
      PruefeErsteEbene(e, f, f.Beschreibung());
      if (VergleichePerft(e, f, 4, 30000).tiefe >= 3) ++tiefe3;
    }
    EXPECT_GE(tiefe3, 15) << Name(art);
  }
}

// Draws by the limit and by repetition: roots close to the limit, and games whose positions
// come round again.
TEST(Kreuzprobe, PerftMitRemisregeln) {
  std::mt19937 rng(77);
  int mitLimit = 0, mitWiederholung = 0;
  for (int i = 0; i < 40; ++i) {
    Einstellungen e;
    e.RemisLimit = kRemisLimits[static_cast<std::size_t>(Zufall(rng, 0, 3))];
    Fall f =
        i % 2 == 0
            ? MitVorgeschichte(rng, e)
            : OhneVorgeschichte(ZufallsLage(rng, Zufall(rng, 0, 1) ? Art::ziehen : Art::springen));
    if (i % 3 == 0 && e.RemisLimit > 0) f.lage.ohneQuarne = e.RemisLimit - Zufall(rng, 1, 3);
    if (RefPerft(e, f, 1).sonderfall) continue;
    PruefeErsteEbene(e, f, f.Beschreibung());
    const PerftErgebnis ref = VergleichePerft(e, f, 5, 30000);
    if (ref.remisLimit > 0) ++mitLimit;
    if (ref.remisWiederholung > 0) ++mitWiederholung;
  }
  // The walks must really meet both draw rules.
  EXPECT_GE(mitLimit, 5);
  EXPECT_GE(mitWiederholung, 5);
}

// ---------------------------------------------------------------------------------------------
// The searches against the minimax.

struct Zaehler {
  int verglichen = 0, virtuell = 0, entschieden = 0, blockaden = 0, remis = 0;
};

// StepRoutine's best root value equals the minimax's at the depth the search finished.
void VergleicheStepRoutine(const Einstellungen& e, const Fall& f, int tiefe, const Minimax& mmTiefe,
                           Zaehler& zaehler) {
  const std::string wo = f.Beschreibung() + " Tiefe " + std::to_string(tiefe);
  TestHost host;
  auto suche = std::make_unique<Suche>(e, host);
  const TZug zug = f.Zug();
  suche->StepRoutine(tiefe, zug, f.ZugNummer(), f.lage.farbe, SuchOptionen{}, f.Verlauf());
  ASSERT_FALSE(suche->NoMovesFlag) << wo;
  ASSERT_TRUE(suche->ResultReady) << wo;
  const int fertig = suche->MemStep2.STStepMax;
  ASSERT_TRUE(fertig >= 1 && fertig <= tiefe) << wo;

  const auto virtuell = VirtuellePlies(e, f.Gesetzt());
  std::unique_ptr<Minimax> flacher;
  if (fertig < tiefe) {
    flacher = std::make_unique<Minimax>(e, fertig, 1'000'000);
    flacher->Rechne(f.lage, f.vorher, virtuell);
  }
  const Minimax& mm = flacher ? *flacher : mmTiefe;
  ASSERT_FALSE(mm.ausserhalb) << wo;
  // Only the moves of one ply are ever compared. Their material balance is the same (a mill's
  // own removal is not counted), so the draw threshold splits their ordinary values at one
  // point and the comparison orders them transitively. Virtual mills have a balance of their
  // own, but virtual plies never draw.
  ASSERT_EQ(mm.reihenfolge, 0) << wo << ": der beste Wert hängt von der Reihenfolge ab";

  const Wert bester = mm.Bester();
  const Wert engine = AlsWert(suche->MemStep2.Zuege[1]);
  EXPECT_TRUE(GleicherWert(engine, bester)) << wo << " (fertig bei " << fertig << "): erwartet "
                                            << Text(bester) << ", Engine " << Text(engine);
  if (fertig < tiefe || e.CBVoll) {
    EXPECT_TRUE(e.CBVoll ? fertig == tiefe : bester.res == rsWIN || bester.res == rsLOSS)
        << wo << ": vorzeitig beendet bei Tiefe " << fertig;
  }

  // An evaluated root move is exact. A cut-off leaves a bound that is never worse than the true
  // value, except a provisional draw: the reply side may still find a sooner draw, or an
  // ordinary line it prefers, and either is better for the root move too. With CBVoll nothing
  // is cut below the root.
  const TStep& st = suche->Steps[1];
  PruefeWurzelliste(st, mm.wurzel, wo);
  if (::testing::Test::HasFatalFailure()) return;
  for (int i = 1; i <= st.ZuegeAnzahl; ++i) {
    const TZug& z = st.Zuege[i];
    const Wert w = AlsWert(z), exakt = mm.werte[i - 1];
    const std::string welcher = wo + " Zug " + std::to_string(i) + " " + ZugText(mm.wurzel[i - 1]) +
                                ": exakt " + Text(exakt) + ", Engine " + Text(w);
    EXPECT_TRUE(z.BEWERTET || z.Canceld) << welcher;
    if (z.BEWERTET && !z.Canceld) {
      EXPECT_TRUE(GleicherWert(w, exakt)) << welcher;
    } else if (w.res != rsWDH) {
      EXPECT_FALSE(Besser(w, exakt, e)) << welcher;
    }
    if (e.CBVoll) {
      EXPECT_TRUE(z.BEWERTET && !z.Canceld) << welcher;
    }
  }
  // At depth 1 the moves are generated at the last ply, where a winning mill's variants are
  // never handed to the best-move test; from depth 2 on the root's best move is kept up to date.
  if (fertig >= 2) {
    ASSERT_GE(st.BesterZug, 1) << wo;
    EXPECT_TRUE(GleicherWert(AlsWert(st.Zuege[st.BesterZug]), bester))
        << wo << ": BesterZug " << Text(AlsWert(st.Zuege[st.BesterZug]));
  }
  EXPECT_TRUE(host.meldungen.empty()) << wo << ": " << host.meldungen.front();

  ++zaehler.verglichen;
  if (mm.blockaden > 0) ++zaehler.blockaden;
  if (mm.remis) ++zaehler.remis;
  if (virtuell[fertig]) ++zaehler.virtuell;
  if (bester.res != rsQuarn) ++zaehler.entschieden;
}

// StepRoutineListe values every root move; each must match the minimax field by field.
void VergleicheListe(const Einstellungen& e, const Fall& f, int tiefe, const Minimax& mm) {
  const std::string wo = f.Beschreibung() + " Tiefe " + std::to_string(tiefe);
  TestHost host;
  auto suche = std::make_unique<Suche>(e, host);
  const TZug zug = f.Zug();
  suche->StepRoutineListe(tiefe, zug, f.ZugNummer(), f.lage.farbe, true, true, f.Verlauf());
  ASSERT_FALSE(suche->NoMovesFlag) << wo;
  const TStep& st = suche->Steps[1];
  PruefeWurzelliste(st, mm.wurzel, wo);
  if (::testing::Test::HasFatalFailure()) return;
  for (int i = 1; i <= st.ZuegeAnzahl; ++i) {
    const TZug& z = st.Zuege[i];
    const Wert w = AlsWert(z), r = mm.werte[i - 1];
    EXPECT_TRUE(z.BEWERTET && w.res == r.res && (r.res == rsQuarn || w.inX == r.inX) &&
                Bitgleich(w.a, r.a) && Bitgleich(w.ges, r.ges))
        << wo << " Zug " << i << " " << ZugText(mm.wurzel[i - 1]) << ": erwartet " << Text(r)
        << ", Engine " << Text(w);
  }
  EXPECT_TRUE(host.meldungen.empty()) << wo << ": " << host.meldungen.front();
}

// StepRoutine against the minimax at depths 1 to 5, as far as the minimax stays small.
void VergleicheBisTiefeFuenf(const Einstellungen& e, const Fall& f, Zaehler& z) {
  const auto virtuell = VirtuellePlies(e, f.Gesetzt());
  for (int tiefe = 1; tiefe <= 5; ++tiefe) {
    Minimax mm(e, tiefe, 50000);
    mm.Rechne(f.lage, f.vorher, virtuell);
    if (mm.ausserhalb || mm.wurzel.empty()) return;
    VergleicheStepRoutine(e, f, tiefe, mm, z);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// Each setting of the table on random positions of every kind.
class KreuzprobeSuche : public ::testing::TestWithParam<Einstellung> {};

TEST_P(KreuzprobeSuche, StepRoutineFindetDenBestenWurzelwert) {
  Einstellungen e;
  GetParam().setze(e);
  Zaehler z;
  for (const Art art : kArten) {
    std::mt19937 rng(4000 + 100 * GetParam().saat + static_cast<unsigned>(art));
    for (int i = 0; i < 8; ++i) {
      VergleicheBisTiefeFuenf(e, OhneVorgeschichte(ZufallsLage(rng, art)), z);
      if (HasFatalFailure()) return;
    }
  }
  EXPECT_GE(z.verglichen, 100);
  EXPECT_GE(z.entschieden, 3);
  if (e.CBVirtuell && e.CBVirtuellZugAb) {
    EXPECT_GE(z.virtuell, 5);
  }
}

// Positions where a provisional draw once cut off the move that turned out best.
// - 37 half-moves without a mill, Black to move: quiet lines draw at ply 3. White's first reply
//   to e5 d5 draws, but a later one plays on, which is better for both sides; the search once
//   settled for f2 d2, a draw in 2.
// - 38 half-moves, White three stones up: e5 e4 met a drawing first reply and was cut off by
//   e5 d5, although the replies that play on leave White more than the two stones the cut-off
//   took for a bound.
TEST(Kreuzprobe, RemisAntwortIstNurVorlaeufig) {
  const struct {
    const char* stellung;
    int ohneQuarne, tiefe;
  } faelle[] = {{"SWSW.WSWW.SSWS.W.SW.S.WS S 9 9", 37, 4},
                {".W..WWWSS.W...S..SW.W.SW W 9 9", 38, 2}};
  const Einstellungen e;
  for (const auto& fall : faelle) {
    Fall f;
    const Stellung st = test::Pos(fall.stellung);
    const TBrett& b = st.zug.BrettNachZug;
    f.lage.farbe = st.farbe;
    f.lage.am = Aufstellen(b.GesetzteSteineStehend, b.SteineAnzahlStehend);
    f.lage.am.steine = b.SteineStehend;
    f.lage.gegner = Aufstellen(b.GesetzteSteineZiehend, b.SteineAnzahlZiehend);
    f.lage.gegner.steine = b.SteineZiehend;
    f.lage.ohneQuarne = fall.ohneQuarne;
    Minimax mm(e, fall.tiefe, 1'000'000);
    mm.Rechne(f.lage, f.vorher, VirtuellePlies(e, f.Gesetzt()));
    ASSERT_EQ(mm.Bester().res, rsQuarn);
    Zaehler z;
    VergleicheStepRoutine(e, f, fall.tiefe, mm, z);
  }
}

// Near the draw limit, and in games whose positions come round again, drawing replies stand
// beside replies that play on. Cut-offs must still leave the best root move exact.
TEST_P(KreuzprobeSuche, StepRoutineMitRemisregeln) {
  Zaehler z;
  std::mt19937 rng(9000 + 100 * GetParam().saat);
  for (int i = 0; i < 60; ++i) {
    Einstellungen e;
    GetParam().setze(e);
    const bool vorgeschichte = i % 2 == 1;
    // Games keep the setting's limit, which may be off; the others try each limit in turn.
    if (!vorgeschichte) e.RemisLimit = kRemisLimits[1 + static_cast<std::size_t>(i / 2 % 3)];
    Fall f = vorgeschichte ? MitVorgeschichte(rng, e)
                           : OhneVorgeschichte(ZufallsLage(rng, kArten[i / 2 % kArten.size()]));
    // Every other game draws by repetition alone.
    if (e.RemisLimit > 0 && i % 4 != 3) f.lage.ohneQuarne = e.RemisLimit - Zufall(rng, 1, 4);
    VergleicheBisTiefeFuenf(e, f, z);
    if (HasFatalFailure()) return;
  }
  EXPECT_GE(z.remis, 100);
}

// Without cut-offs draws may take part: the reference picks each best reply in the same order
// as the list search. Some positions come with a game whose positions come round again.
TEST_P(KreuzprobeSuche, StepRoutineListeBewertetJedenWurzelzug) {
  Einstellungen e;
  GetParam().setze(e);
  int verglichen = 0;
  for (const Art art : kArten) {
    std::mt19937 rng(7000 + 100 * GetParam().saat + static_cast<unsigned>(art));
    for (int i = 0; i < 8; ++i) {
      const Fall f = i % 4 == 3 && art != Art::setzen ? MitVorgeschichte(rng, e)
                                                      : OhneVorgeschichte(ZufallsLage(rng, art));
      const auto virtuell = VirtuellePlies(e, f.Gesetzt());
      for (int tiefe = 1; tiefe <= 4; ++tiefe) {
        Minimax mm(e, tiefe, 25000);
        mm.Rechne(f.lage, f.vorher, virtuell);
        if (mm.ausserhalb || mm.wurzel.empty()) break;
        VergleicheListe(e, f, tiefe, mm);
        if (HasFatalFailure()) return;
        ++verglichen;
      }
    }
  }
  EXPECT_GE(verglichen, 60);
}

std::string VariantenName(const ::testing::TestParamInfo<Einstellung>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Varianten, KreuzprobeSuche, ::testing::ValuesIn(kEinstellungen),
                         VariantenName);

// Early in the placing phase the table lets the virtual plies begin at ply 4 with at most one
// stone placed and later with more.
TEST(Kreuzprobe, VirtuellePliesNachTabelle) {
  const Einstellungen e;
  std::mt19937 rng(31);
  Zaehler z;
  for (const int gesetzt : {0, 1, 1, 2}) {
    const TFarbe farbe = gesetzt % 2 == 0 ? clWeiss : clSchwarz;
    const int gW = (gesetzt + 1) / 2, gS = gesetzt / 2;
    const Fall f = OhneVorgeschichte(Stelle(rng, farbe, gW, gW, gS, gS));
    for (int tiefe = 4; tiefe <= (gesetzt < 2 ? 5 : 4); ++tiefe) {
      Minimax mm(e, tiefe, 1'000'000);
      mm.Rechne(f.lage, f.vorher, VirtuellePlies(e, f.Gesetzt()));
      ASSERT_FALSE(mm.ausserhalb);
      VergleicheStepRoutine(e, f, tiefe, mm, z);
      if (gesetzt > 0) VergleicheListe(e, f, tiefe, mm);
    }
  }
  EXPECT_EQ(z.verglichen, 7);
  EXPECT_EQ(z.virtuell, 6);
}

// A side that cannot move loses; the win is passed up like any other.
TEST(Kreuzprobe, BlockadeEntscheidet) {
  const Einstellungen e;
  std::mt19937 rng(9001);
  Zaehler z;
  for (int i = 0; i < 30; ++i) {
    const Fall f = OhneVorgeschichte(Eingeschlossen(rng, false));
    for (int tiefe = 2; tiefe <= 5; ++tiefe) {
      Minimax mm(e, tiefe, 60000);
      mm.Rechne(f.lage, f.vorher, VirtuellePlies(e, f.Gesetzt()));
      if (mm.ausserhalb) break;
      VergleicheStepRoutine(e, f, tiefe, mm, z);
      VergleicheListe(e, f, tiefe, mm);
      if (HasFatalFailure()) return;
    }
  }
  EXPECT_GE(z.blockaden, 15);
}

// A side shut in during virtual plies has only the pass, worth a virtual loss when that is on.
TEST(Kreuzprobe, VirtuellNurDerPass) {
  std::mt19937 rng(5151);
  for (const bool gewinn : {true, false}) {
    Einstellungen e;
    e.CBVirtuellZugAb = true;
    e.VirtuellSE = 2;
    e.CBVirtGewinn2 = gewinn;
    Zaehler z;
    int nurPass = 0;
    for (int i = 0; i < 10; ++i) {
      const Fall f = OhneVorgeschichte(Eingeschlossen(rng, true));
      for (int tiefe = 2; tiefe <= 4; ++tiefe) {
        Minimax mm(e, tiefe, 60000);
        mm.Rechne(f.lage, f.vorher, VirtuellePlies(e, f.Gesetzt()));
        if (mm.ausserhalb) break;
        VergleicheStepRoutine(e, f, tiefe, mm, z);
        VergleicheListe(e, f, tiefe, mm);
        if (HasFatalFailure()) return;
        if (mm.NurPass() > 0) ++nurPass;
      }
    }
    EXPECT_GE(nurPass, 20) << "CBVirtGewinn2 " << gewinn;
  }
}

}  // namespace
}  // namespace quarne
