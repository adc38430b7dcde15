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
#include "random_positions.h"
#include "reference_rules.h"
#include "test_host.h"
#include "test_positions.h"

namespace quarne {
namespace {

using namespace test;

// Plies of a search below a position in which `gesetzt` stones have been placed.
std::array<bool, kMaxSteps + 1> VirtuellePlies(const Einstellungen& e, int gesetzt) {
  constexpr std::array<int, kSetzZuege> kAb = {4, 4, 6, 7, 7, 7, 7, 7, 7,
                                               7, 7, 7, 0, 0, 0, 0, 0, 0};
  int ab = 0;
  if (e.CBVirtuell && gesetzt < kSetzZuege) {
    ab = e.CBVirtuellZugAb ? e.VirtuellSE : kAb[gesetzt];
    if (ab <= 1 || gesetzt + ab > kSetzZuege) ab = 0;
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
  ASSERT_FALSE(suche->KeineZuege()) << wo;
  ASSERT_TRUE(suche->ErgebnisBereit()) << wo;
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
  // ordinary line it prefers, and either is better for the root move too. The fast search keeps
  // that, as a move cut off further down still bounds its ply. With CBVoll nothing is cut below
  // the root.
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
  ASSERT_FALSE(suche->KeineZuege()) << wo;
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
  for (const SuchArt suchArt : {SuchArt::Schnell, SuchArt::Klassisch}) {
    Einstellungen e;
    GetParam().setze(e);
    e.suchArt = suchArt;
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
