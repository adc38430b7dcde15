// A stack of 16 plies with the rules of the game: move generation with mills, removals and
// draws, and the step operations every search loop shares. The calling-thread search and each
// worker thread own one; their differences are the parameters of GenModus and of the step loop.
// The generation members are defined in movegen.cpp, the rest in stepstack.cpp.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "core/types.h"
#include "engine/history.h"
#include "engine/host.h"
#include "engine/list_tree.h"
#include "engine/settings.h"

namespace quarne {

// How one ply is generated.
struct GenModus {
  int stepMax = 1;           // depth limit of the running iteration
  bool stepIsMax = false;    // the ply is the last one: value fully, test each move
  bool alleZuege = false;    // a winning mill does not stop generation; all its removal variants
  bool testung = true;       // HTTestung after each move of the last ply
  bool listMode = false;     // last-ply values without the line and mill patterns; every
                             // finished move goes into the list tree
  bool imThreadNull = true;  // new moves get IMTHREAD 0

  // Ply s of a full-width walk to depth tiefe: every move, every removal variant, no tests.
  static GenModus Vollstaendig(int s, int tiefe) {
    GenModus m;
    m.stepMax = tiefe;
    m.stepIsMax = s == tiefe;
    m.alleZuege = true;
    m.testung = false;
    return m;
  }
};

class StepStack {
 public:
  // The stack reads a copy of einstellungen, taken by UebernimmEinstellungen when a search
  // starts, so that nothing the window changes meanwhile reaches a running search.
  StepStack(const Einstellungen& einstellungen, Host& host);
  virtual ~StepStack() = default;
  StepStack(const StepStack&) = delete;
  StepStack& operator=(const StepStack&) = delete;

  Array1<TStep, kMaxSteps> Steps{};

  void UebernimmEinstellungen() { einst_ = quelle_; }
  // Where the search's consistency messages go; results handed in from elsewhere are sorted
  // with the same messages.
  Host& Gastgeber() const { return host_; }
  const Einstellungen& Einstellung() const { return einst_; }

  // Moves generated since the last reset; read by the displays while the search runs.
  std::int64_t GenZuege() const { return genZuege_.load(std::memory_order_relaxed); }
  void SetzeGenZuegeZurueck() { genZuege_.store(0, std::memory_order_relaxed); }

  // The move being examined at ply s.
  TZug& AktuellerZug(int s) { return Steps[s].Zuege[Steps[s].ZZ[Steps[s].ZugZeiger]]; }

  // Sets Virtuell and VirtuellAb of all plies for a search below the move zug.
  void SetzeVirtuell(const TZug& zug);
  // Sets up ply s > 1 below the current move of ply s - 1, or ply 1 below zug.
  void BereiteStepVor(int s, const TZug& zug, int zugNummer, TFarbe farbe);
  void BereiteStepVor(int s);

  void HTBigSwap(int s);
  // Generates all moves of ply s; true when generation stopped at a winning mill.
  bool HTGenMoves(int s, const GenModus& modus, bool& toCancel);
  Punkte HTKillStones(int s);
  bool HTIstQuarne(Punkte nach, int zug, int s);
  bool HTTestWdh(const TBrett& brett, int s) const;
  // The fewest moves from the start of ply s on after which a draw can fall, by the draw limit
  // or by a position's third occurrence, whatever the moves: a bound from below, so that fewer
  // moves surely do not draw.
  int RemisFruehestens(int s);
  // The fewest moves from the start of ply s on after which a position met before ply s could
  // decide a draw by repetition: fewer moves below ply s give what they would give without the
  // game before it.
  int VerlaufAbstand(int s);

  void HTCopySmart(int s, int d);
  void HTBeforeEx(int s, int d);
  void HTSortiere(int s, int d);
  void GetBesterZug(int s, int d, int& hint, THintRes hintArt);

 protected:
  // Keeps the best move of ply s up to date and says whether the rest of ply s can be skipped.
  virtual bool HTTestung(int s, int d, bool einstiegNextMove) = 0;

  // The game before the searched position, for the repetition rule.
  void SetzeVerlauf(const SpielVerlauf& verlauf) { verlauf_ = &verlauf; }
  // The tree a list-mode pass fills; nullptr outside such a pass.
  void SetzeListenBaum(ListenBaum* baum) { baum_ = baum; }
  ListenBaum* Baum() const { return baum_; }

  const Einstellungen& quelle_;
  Einstellungen einst_;
  Host& host_;

 private:
  bool HTZugRumpf(Punkte von, Punkte nach, int s, const GenModus& modus, bool& toCancel);
  // Appends the move von-nach to ply s with the board after it; 0 when it cannot be made.
  int NeuerZug(Punkte von, Punkte nach, int s, const GenModus& modus);
  // Move n of ply s closes a mill: its value, or its variants with each stone it may remove.
  bool ZugMitQuarne(int n, int s, const GenModus& modus, bool& toCancel);
  void HTHelpZugRumpfBeiQuarne(int n, bool gewinnDurchQuarne, int s, const GenModus& modus,
                               bool& toCancel);
  void HTCreateSmartZug(int zug, bool gewinnDurchQuarne, bool gewinnDurchBlock, int s);
  void BewerteVariante(TZug& z, bool gewinnDurchQuarne, const GenModus& modus) const;
  // The last ply of a virtual move: the virtual line weights, and the move is finished.
  void BeendeVirtuell(TZug& z, const GenModus& modus) const;
  // A move is finished: the list tree records it, and the last ply tests it.
  void ZugFertig(int s, int n, const GenModus& modus, bool& toCancel, bool testen = true) {
    if (modus.listMode) InDenBaum(s, n);
    if (testen && modus.stepIsMax && modus.testung) toCancel = HTTestung(s, modus.stepMax, false);
  }
  void InDenBaum(int s, int n);
  void ZaehleZug() {
    genZuege_.store(genZuege_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  }

  std::atomic<std::int64_t> genZuege_{0};
  // The positions the repetition rule compares with, packed so that the walk back stays in a
  // few cache lines: kette_[k] is ply k's starting position, geschichte_ the game's positions
  // before the root, newest first.
  struct WdhStellung {
    Punkte alle = 0;
    Punkte ziehend = 0;
    TFarbe farbe = clWeiss;
    bool setzen = true;   // the walk ends here: the side to move was still placing
    bool quarne = false;  // the walk ends after this one: it arose from a mill
  };
  static WdhStellung Packe(const TZug& satz, TFarbe farbe);
  void PackeGeschichte(int zugNummer);
  // The positions the repetition rule compares a move below ply s with, from ply s's own back
  // to the last mill or placement, at most kMaxVorher; false when there are more.
  static constexpr int kMaxVorher = 64;
  using Vorherige = std::array<const WdhStellung*, kMaxVorher>;
  bool SammleVorherige(int s, Vorherige& vorherige, int& n) const;

  const SpielVerlauf* verlauf_ = nullptr;
  ListenBaum* baum_ = nullptr;
  Array1<WdhStellung, kMaxSteps> kette_{};
  // RemisFruehestens of each ply, once asked for; 0 when not yet.
  Array1<int, kMaxSteps> remisFruehestens_{};
  // VerlaufAbstand of each ply, once asked for; -1 when not yet.
  Array1<int, kMaxSteps> verlaufAbstand_{};
  std::vector<WdhStellung> geschichte_;
};

}  // namespace quarne
