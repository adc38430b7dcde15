// The cell tree: the top of the game tree that the parallel search works on, one level of
// moves per ply. A list-mode pass of the search fills it, the driver sorts it best-first and
// hands the open entries of its deepest level (the cells) to the workers, and the values the
// workers find are merged upwards here, cutting off what can no longer change a result.
#pragma once

#include <string>
#include <vector>

#include "core/types.h"
#include "engine/host.h"
#include "engine/list_tree.h"
#include "engine/settings.h"

namespace quarne {

// One level of the tree.
struct THTListe {
  std::vector<TZug> ZugListe;
  int ZugListeZeiger = -1;  // index of the last used entry; -1: empty

  int Anzahl() const { return ZugListeZeiger + 1; }
};

using HTEbenen = Array1<THTListe, kMaxSteps>;

// What the merge needs of the workers: which cell each holds, and a way to stop it.
class Arbeiter {
 public:
  virtual ~Arbeiter() = default;
  // The cell worker n (1-based) is searching; -1 for none.
  virtual int Zelle(int n) const = 0;
  virtual void HTStopThread(int n) = 0;
};

class HTBaum final : public ListenBaum {
 public:
  HTBaum(const Einstellungen& einstellungen, Host& host);

  HTEbenen HTStepListe;     // the working tree
  HTEbenen HTStepListeNeu;  // the sorted copy each iteration starts from

  // ListenBaum, on the working tree.
  void Leeren() override;
  int HTAddZug(int L, const TZug& zug, bool bewertet, int eltern) override;
  void SofortGewinn(int s, int index, THintRes art, int d) override;
  int Offene(int L) const override;

  // Copies the working tree into HTStepListeNeu, sorts every sibling block best-first and
  // regroups the levels in the order of their parents.
  void CopyAndSortHTStepListeNeu(int stepMax);
  void HTRestoreStepListe();
  void HTSortListe(int L, int von, int bis);

  // Merges the collected values upwards; true when every root move is decided.
  bool HTAuswerten(int stepMax, int d, Arbeiter& arbeiter);
  bool HTBewerteBlock(int L, int d, int stepMax, int von, int bis, Arbeiter& arbeiter);
  void HTCopySmart_(int l, int d, TZug& eltern, const TZug& kind);
  // Every entry below a decided one is cut off (ClWay 3); a worker on such a cell stops.
  void HTCancelZellen(int stepMax, Arbeiter& arbeiter);
  // At every level of the path to entry i of level L, the entry's eldest sibling is decided or
  // is the entry itself.
  bool AeltesteEntschieden(int L, int i);
  // The first open cell of level L in no worker's hands, in the order of work; -1 when none;
  // offen says whether there is any. With aeltesteZuerst a cell waits until, at every level of
  // its path, the first of its siblings in the order of work (the eldest) is decided: the eldest
  // usually decides its parent alone, or gives its siblings the bound to cut by, as in the
  // search itself.
  int NaechsteZelle(int L, bool aeltesteZuerst, bool& offen);
  // The order of work for the next iteration: every sibling block of levels 1 to L best-first
  // by the values the iteration just found, and the cells of level L in the order of their
  // paths, so that the workers start where the search in one thread would. The tree keeps its
  // own order, by which the merge breaks ties, so that the result does not depend on it.
  void OrdneNachIteration(int L);
  // The order of work as the tree's own order, for the first iteration.
  void OrdneWieDerBaum(int L);
  // The exactly valued entry of level L that is best among entry i and its siblings; -1 when
  // none is valued yet.
  int BesterBewerteter(int L, int i);

  // The tree as text for the StepListe tab, appended to text.
  void SchreibeStepListe(std::string& text) const;

 private:
  TZug& Eintrag(int L, int i) { return HTStepListe[L].ZugListe[static_cast<std::size_t>(i)]; }
  // The best of entries von to bis of level L of the kind art; -1 when none is.
  int BesterIm(int L, int von, int bis, bool (*art)(const TZug&));
  std::string ZellenText(int L, int x) const;
  // The lowest index of level L + 1 that belongs below entry von of level L or a later one.
  int ErsterNachfahre(int L, int von) const;

  // From the places among siblings: each entry's eldest and the order of the cells.
  void OrdneZellen(int L);
  // Calls f(von, bis) for every sibling block of level l.
  template <class F>
  void JederBlock(int l, F f);

  const Einstellungen& einst_;
  Host& host_;
  std::vector<TZug> puffer_;  // regrouping
  // The order of work: per level each entry's place among its siblings (0: first) and its
  // first sibling, and the cells of the deepest level in order.
  Array1<std::vector<int>, kMaxSteps> platz_;
  Array1<std::vector<int>, kMaxSteps> aeltester_;
  std::vector<int> zellenFolge_;
  // HTCancelZellen's: each entry of a level is decided or lies below a decided one.
  Array1<std::vector<char>, kMaxSteps> vorgaengerFertig_;
  std::vector<int> folge_;  // sorting a block
};

}  // namespace quarne
