// Results of subtrees met before in the same search, reused only where they cannot differ:
// the same position, ply and depth limit, and a history that cannot matter below it. A fixed
// table, sized before a search; nothing is allocated while searching. The workers of a parallel
// search share one: each entry is read and written under its own lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/types.h"

namespace quarne {

class Transpositionstabelle {
 public:
  // Everything a subtree's exact result depends on, packed; a stored result is taken only when
  // every field is equal, never by the hash alone.
  struct Schluessel {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    bool operator==(const Schluessel&) const = default;
  };

  // Packs the position before ply s with its depth limit d and its count of moves without a
  // mill (-1 when the draw limit cannot be reached below it); false when a field does not fit.
  static bool Verschluessele(const TBrett& brett, int s, int d, int zugOhneQuarne, Schluessel& k);

  // Sizes the table to about mb megabytes (0: none) and forgets everything; allocates only when
  // the size changes. Neither it nor NeueSuche may run while a search uses the table.
  void Groesse(std::size_t mb);
  bool Aktiv() const { return anzahl_ > 0; }
  // A new search: results of earlier ones no longer count.
  void NeueSuche() { ++generation_; }

  // The best move's value of the subtree of ply s and its principal line from ply s to d; or,
  // not genau, a move worth that much at least to the side to move, found before the search
  // of the ply was cut off.
  struct Ergebnis {
    TZugWert wert{};
    bool genau = false;
    // Only the best move of ply von, from a subtree whose value the game before may change:
    // it orders the replies and values nothing.
    bool nurOrdnung = false;
    std::uint8_t von = 0, bis = 0;
    Array1<TSmartZug, kMaxSteps> linie{};
  };
  // Copies the entry of k into aus; false when there is none.
  bool Finde(const Schluessel& k, Ergebnis& aus) const;
  // Only the best move at ply s of the entry of k, to try it first; false when there is none.
  bool FindeZug(const Schluessel& k, int s, TSmartZug& zug) const;
  void Speichere(const Schluessel& k, const TZugWert& wert, bool genau, const TZug& bester, int s,
                 int d);
  void SpeichereOrdnung(const Schluessel& k, const TSmartZug& bester, int s);

 private:
  struct Eintrag {
    // True while a thread reads or writes the entry. It lives in the entry, on the cache line a
    // lookup reads anyway: a separate array of locks packs many to a line, and every lookup in
    // one thread then takes that line away from the other.
    mutable std::atomic<bool> gesperrt{false};
    Schluessel schluessel;
    std::uint32_t generation = 0;
    Ergebnis ergebnis;
  };
  std::size_t Index(const Schluessel& k) const;
  // Calls lies with the result of the entry of k under its lock; false when there is none.
  template <class F>
  bool Lies(const Schluessel& k, F lies) const;

  class Sperre {
   public:
    explicit Sperre(const Eintrag& e);
    ~Sperre() { gesperrt_.store(false, std::memory_order_release); }
    Sperre(const Sperre&) = delete;
    Sperre& operator=(const Sperre&) = delete;

   private:
    std::atomic<bool>& gesperrt_;
  };

  // Every entry is written when the table is sized (generation 0 is never searched): a page
  // touched first while the workers search costs a fault and a flush of every other processor's
  // address cache, a fifth of the time of a short parallel search. Large pages, where the system
  // grants them, make that first write and every later lookup cheaper.
  struct FreiGeben {
    void operator()(Eintrag* e) const { std::free(e); }
  };
  std::unique_ptr<Eintrag[], FreiGeben> eintraege_;
  std::size_t anzahl_ = 0;
  std::size_t mb_ = 0;
  std::uint32_t generation_ = 1;
};

}  // namespace quarne
