#include "engine/transposition.h"

#include <sys/mman.h>

#include <memory>
#include <thread>
#include <type_traits>

namespace quarne {
namespace {

// Appends v in the given number of bits; false when it does not fit.
bool Haenge(std::uint64_t& ziel, int& frei, std::int64_t v, int bits) {
  if (v < 0 || v >= (std::int64_t{1} << bits) || frei < bits) return false;
  ziel = (ziel << bits) | static_cast<std::uint64_t>(v);
  frei -= bits;
  return true;
}

}  // namespace

static_assert(std::is_aggregate_v<Transpositionstabelle::Ergebnis> &&
              std::is_trivially_copyable_v<Transpositionstabelle::Ergebnis>);

bool Transpositionstabelle::Verschluessele(const TBrett& brett, int s, int d, int zugOhneQuarne,
                                           Schluessel& k) {
  if (brett.AlleSteine != (brett.SteineZiehend | brett.SteineStehend)) return false;
  k = {};
  int freiA = 64, freiB = 64;
  // The draw limit counts up to 100 moves; -1 is stored as 0.
  return Haenge(k.a, freiA, brett.SteineZiehend, kAnzahlPunkte) &&
         Haenge(k.a, freiA, brett.SteineStehend, kAnzahlPunkte) && Haenge(k.a, freiA, s, 5) &&
         Haenge(k.a, freiA, d, 5) && Haenge(k.a, freiA, brett.SpielPhaseZiehend, 2) &&
         Haenge(k.a, freiA, brett.SpielPhaseStehend, 2) &&
         Haenge(k.b, freiB, brett.SteineAnzahlZiehend, 5) &&
         Haenge(k.b, freiB, brett.SteineAnzahlStehend, 5) &&
         Haenge(k.b, freiB, brett.GesetzteSteineZiehend, 5) &&
         Haenge(k.b, freiB, brett.GesetzteSteineStehend, 5) &&
         Haenge(k.b, freiB, brett.VerloreneSteineZiehend, 5) &&
         Haenge(k.b, freiB, brett.VerloreneSteineStehend, 5) &&
         Haenge(k.b, freiB, zugOhneQuarne + 1, 8);
}

Transpositionstabelle::Sperre::Sperre(const Eintrag& e) : gesperrt_(e.gesperrt) {
  while (gesperrt_.exchange(true, std::memory_order_acquire))
    while (gesperrt_.load(std::memory_order_relaxed)) std::this_thread::yield();
}

void Transpositionstabelle::Groesse(std::size_t mb) {
  if (mb == mb_ && (mb == 0 || anzahl_ > 0)) return;
  mb_ = mb;
  anzahl_ = mb * 1024 * 1024 / sizeof(Eintrag);
  generation_ = 1;
  eintraege_.reset();
  if (anzahl_ == 0) return;
  constexpr std::size_t kGrosseSeite = std::size_t{2} << 20;
  const std::size_t bytes =
      (anzahl_ * sizeof(Eintrag) + kGrosseSeite - 1) / kGrosseSeite * kGrosseSeite;
  void* speicher = std::aligned_alloc(kGrosseSeite, bytes);
  if (speicher == nullptr) {
    anzahl_ = 0;
    return;
  }
  madvise(speicher, bytes, MADV_HUGEPAGE);
  eintraege_.reset(static_cast<Eintrag*>(speicher));
  std::uninitialized_value_construct_n(eintraege_.get(), anzahl_);
}

std::size_t Transpositionstabelle::Index(const Schluessel& k) const {
  std::uint64_t h = k.a * 0x9E3779B97F4A7C15ULL ^ k.b * 0xC2B2AE3D27D4EB4FULL;
  h ^= h >> 29;
  return static_cast<std::size_t>(h % anzahl_);
}

template <class F>
bool Transpositionstabelle::Lies(const Schluessel& k, F lies) const {
  const Eintrag& e = eintraege_[Index(k)];
  const Sperre sperre(e);
  if (e.generation != generation_ || !(e.schluessel == k)) return false;
  lies(e.ergebnis);
  return true;
}

bool Transpositionstabelle::Finde(const Schluessel& k, Ergebnis& aus) const {
  return Lies(k, [&](const Ergebnis& e) { aus = e; });
}

bool Transpositionstabelle::FindeZug(const Schluessel& k, int s, TSmartZug& zug) const {
  return Lies(k, [&](const Ergebnis& e) { zug = e.linie[s]; });
}

void Transpositionstabelle::Speichere(const Schluessel& k, const TZugWert& wert, bool genau,
                                      const TZug& bester, int s, int d) {
  const std::size_t i = Index(k);
  Eintrag& e = eintraege_[i];
  const Sperre sperre(e);
  e.schluessel = k;
  e.generation = generation_;
  e.ergebnis.wert = wert;
  e.ergebnis.genau = genau;
  e.ergebnis.nurOrdnung = false;
  e.ergebnis.von = static_cast<std::uint8_t>(s);
  e.ergebnis.bis = static_cast<std::uint8_t>(d);
  // A bound's move only orders the replies.
  const int bis = genau ? d : s;
  for (int j = s; j <= bis; ++j) e.ergebnis.linie[j] = bester.SmartZuege[j];
}

void Transpositionstabelle::SpeichereOrdnung(const Schluessel& k, const TSmartZug& bester, int s) {
  const std::size_t i = Index(k);
  Eintrag& e = eintraege_[i];
  const Sperre sperre(e);
  e.schluessel = k;
  e.generation = generation_;
  e.ergebnis.wert = {};
  e.ergebnis.genau = false;
  e.ergebnis.nurOrdnung = true;
  e.ergebnis.von = e.ergebnis.bis = static_cast<std::uint8_t>(s);
  e.ergebnis.linie[s] = bester;
}

}  // namespace quarne
