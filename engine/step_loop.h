// The stage machine every search runs over its step stack: the calling thread's search with
// cut-offs (StepRoutine), its search with complete lists (StepRoutineListe), and a worker's
// search below one cell. The mode is a parameter of one loop, so that a change of the search is
// made once for all three.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/stepstack.h"
#include "engine/transposition.h"

namespace quarne {

class StepSchleife : public StepStack {
 public:
  using StepStack::StepStack;

  enum class Modus {
    Aufrufer,  // cut-offs and move ordering, from the root
    Liste,     // every move of the plies above the last, in generation order, from the root
    Zelle,     // cut-offs and move ordering below a fixed path; the cell is the top ply
  };

  // What one pass of the loop leaves to its driver.
  enum class Ergebnis {
    Weiter,
    Vollstaendig,  // the root's iteration is complete
    KeineZuege,    // the root has no move
    ZelleFertig,   // the cell has its final value
    StapelVoll,    // a ply beyond the stack was asked for
  };

  // Where an iteration stands between passes: its stage, the current ply, and a move of that
  // ply already known to win (the hint).
  struct Lage {
    TAufgabe stage = agStepInc;
    int s = 0;
    int hint = 0;
    THintRes hintArt = hrNone;
  };

 protected:
  // What the loop needs of the running iteration.
  struct Rahmen {
    Modus modus = Modus::Aufrufer;
    int d = 1;                          // depth limit
    int oben = 1;                       // the top ply: 1, or the cell's ply
    bool complete = false;              // complete lists (list mode)
    bool anzeigen = false;              // the monitor's root-list hook
    const TZug* wurzel = nullptr;       // the move that led to the root, with its number and colour
    const TZug* geschwister = nullptr;  // a cell's best sibling in the tree so far, if any
    int zugNummer = 1;
    TFarbe farbe = clWeiss;
  };

  // Starts an iteration or a cell; nothing of one stopped midway carries over.
  void BeginneIteration(const Rahmen& it) {
    it_ = it;
    klettern_ = 0;
    zugUngenau_ = {};
    besterUngenau_ = {};
  }
  // A worker's cell gets a better sibling to cut by.
  void SetzeGeschwister(const TZug* g) { it_.geschwister = g; }
  // A new search: nothing learnt in an earlier one orders its moves or values its subtrees.
  // The own table gets mb megabytes first, allocated only when that changes; without a size it
  // stays as it is, for a list-mode search, which never reads it.
  void VergissOrdnung(std::optional<std::size_t> tabelleMB) {
    killer_ = {};
    tabelle_ = &eigene_;
    if (tabelleMB) eigene_.Groesse(*tabelleMB);
    eigene_.NeueSuche();
  }
  // The same with the table of a parallel search, which its owner sizes and renews.
  void VergissOrdnung(Transpositionstabelle& geteilt) {
    killer_ = {};
    tabelle_ = &geteilt;
  }
  // Performs the current stage.
  Ergebnis Schritt(Lage& l);

  bool HTTestung(int s, int d, bool einstiegNextMove) final;

  // Hooks of the worker, which guards its cell record while it writes it.
  // A partial value of the cell, from the best reply so far at ply s.
  virtual void Veroeffentliche(int /*s*/) {}
  // Around passing the value of ply s up to its parent move.
  virtual void BeginneElternWert(int /*s*/) {}
  virtual void BeendeElternWert() {}
  // The reply ply s + 1 has no move: the current move of ply s wins by blockade. Its index.
  virtual int Blockade(int s);

  // The value of the current move of ply s - 1 from the best reply so far, keeping its own
  // PunktWertA.
  TZugWert VorlaeufigerWert(int s);
  // The value of the current move of ply s is only a bound, passed down from a ply above it
  // through a cut-off.
  bool ZugUngenau(int s) const { return zugUngenau_[s]; }

 private:
  GenModus Generierung(int s) const;
  Ergebnis StufeStepInc(Lage& l);
  Ergebnis StufeGenZuege(Lage& l);
  Ergebnis StufeNextMove(Lage& l);
  Ergebnis StufeNextMoveListe(Lage& l);
  Ergebnis StufeBewertung(Lage& l);
  void StufeBewertungListe(Lage& l);

  // Makes the current move of ply s its best when it is the first or a better one; false when
  // it is not.
  bool AktualisiereBesterZug(int s);
  // Gives the parent move its provisional value and cuts it off when the best move of ply
  // s - 1 is at least as good, or when it cannot matter further up; true when the caller must
  // climb one more ply.
  bool SchneideAb(int s, int d);
  // The fast search: gives the parent move its provisional value and cuts it off when it
  // cannot matter further up.
  bool TiefGeschnitten(int s, int d);
  // The same for the parent move valued x by a reply.
  bool TiefGeschnittenDurch(int s, int d, const TZugWert& x);
  // The parent move of ply s, valued x by a reply, is cut off by the best move of its ply or by
  // a ply further up.
  bool ElternGeschnittenDurch(int s, int d, const TZugWert& x);
  // A worker's cell, by the best reply so far at ply s, is no better than its best sibling.
  bool ZelleUnterlegen(int s);
  // Move m valued as x, for comparing: a copy, since a worker's cell record is read by the
  // driver meanwhile. Valid until the next call.
  const TZug& Bewertet(const TZug& m, const TZugWert& x);
  // The current move of ply k, worth at most x, cannot change the result of a ply two,
  // four, ... plies up.
  bool TiefesZiel(int k, TZugWert x, int d);
  // No move below the current position of ply j + 1 can be a draw within depth d.
  bool OhneRemisUnter(int j, int d);
  // Ply s is searched in an order of the fast search's own.
  bool EigeneOrdnung(int s) const;
  // Of two equal moves the classic order's first is the best, in any order of the search: the
  // move kandidat of ply s, valued as wert and no worse than its best so far, is earlier in the
  // classic order.
  bool GewinntGleichstand(int s, int kandidat, const TZug& wert);
  // The current move of ply s, with its bound as its value, may still tie the best and win.
  bool KoennteGleichziehen(int s);
  // A move of ply s that the classic order tries before the current one is still to come.
  bool BessererRangOffen(int s) const;
  // The best move of ply s so far wins by blockade and comes before the current one in the
  // classic order: its index, else 0.
  int FruehererBlockadeSieg(int s) const;
  // The subtree below ply s of the fast search may take a stored result or store its own: its
  // key. Not at ply 2, whose cut-off moves must stay cut off for the root.
  bool Tabellenfaehig(int s, Transpositionstabelle::Schluessel& k);
  // Whether the table orders the moves of ply s, where it may hold no values.
  bool Ordnungsfaehig(int s) const;
  // The key of ply s's position searched to depth d; false when it does not fit.
  bool Verschluessele(int s, int d, Transpositionstabelle::Schluessel& k) const;
  // Ply s tries first the best move of the entry of k; false when there is none.
  bool OrdneNachTabelle(int s, const Transpositionstabelle::Schluessel& k);
  // Ply s, not met before in this iteration, tries first what was best for it in the last.
  void OrdneNachVorigerIteration(int s);
  // The subtree below ply s was met before: its parent move takes the stored value as it would
  // have taken the best reply's, and the loop goes on with the parent ply.
  bool AusDerTabelle(Lage& l);
  // Stores the best move of ply s for the same subtree met again: with its value where it is
  // exact and the game before cannot change it, else only to try it first.
  void InDieTabelle(int s);
  // The best move of ply s just cut its parent off; the next list of ply s tries it first.
  void MerkeKiller(int s);
  void MerkeKiller(int s, const TSmartZug& z);
  void ZieheKillerVor(int s);
  // Advances ply s to its next move: true to descend into it; false when it is valued already
  // (a result, or the last ply) and has been tested, which may climb a ply.
  bool NaechsterZug(int& s, int d);
  // Every move of ply s is examined and the parent move was never cut off: its value is exact.
  // Climbs to the parent ply, and once more when the parent ply is cut off too.
  void ElternUeberstanden(int& s, int d);
  // The current move of ply s, valued, becomes the ply's best; the ply may then be cut off,
  // which climbs one more ply.
  void WirdBester(int& s, int d);
  // Passes the best value of ply s (with a hint, the winning move) to the parent move, climbs
  // to the parent ply and marks the parent move evaluated.
  void BewerteEltern(int& s, int d, int& hint, THintRes hintArt);
  // In list mode, a move of ply s known to win at once marks its entry in the tree.
  void MeldeSofortGewinn(int s, const Lage& l);

  Rahmen it_;
  // Whether the value of each ply's current move, and of its best move, is only a bound: a
  // cut-off move's, or one taken from a ply whose best is a bound. The plies above a cut-off's
  // target never see such a value, so in the calling thread it stays below the root; a worker
  // searching with bounds from the tree above its cell reports with it whether the cell's value
  // is exact.
  Array1<bool, kMaxSteps> zugUngenau_{};
  Array1<bool, kMaxSteps> besterUngenau_{};
  // Bewertet's copy.
  TZug vergleich_{};
  // Plies to climb beyond the one that a cut-off's caller climbs.
  int klettern_ = 0;
  // For each ply, the move that last cut its parent off: tried first in the fast search.
  struct ZugKennung {
    Punkte von = 0, nach = 0, entf = 0;
  };
  Array1<ZugKennung, kMaxSteps> killer_{};
  // For each ply in an order of its own, each move's place in the classic order.
  Array1<std::array<std::uint8_t, kMaxZuege + 1>, kMaxSteps> rang_{};
  Transpositionstabelle eigene_;
  Transpositionstabelle* tabelle_ = &eigene_;
  // The entry last found, copied out of the table.
  Transpositionstabelle::Ergebnis gefunden_{};
};

}  // namespace quarne
