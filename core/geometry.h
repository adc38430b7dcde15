// Board geometry: the 24 points on three rings, their neighbours in the order move generation
// visits them, and the 16 mill lines. Everything is derived at compile time from the ring rule.
#pragma once

#include <bit>
#include <string_view>

#include "core/types.h"

namespace quarne {

constexpr Punkte Punkt(int i) {
  return Punkte{1} << i;
}
constexpr int PunktIndex(Punkte p) {
  return std::countr_zero(p);
}
constexpr bool IstEinPunkt(Punkte p) {
  return p != 0 && (p & kBrettMaske) == p && std::has_single_bit(p);
}

// Neighbours of a point: next on the ring, previous on the ring, inner, outer (where they exist).
struct NachbarListe {
  Array0<Punkte, 4> punkt;
  int anzahl;
};

namespace detail {

constexpr Array0<NachbarListe, kAnzahlPunkte> BaueNachbarn() {
  Array0<NachbarListe, kAnzahlPunkte> t{};
  for (int i = 0; i < kAnzahlPunkte; ++i) {
    const int ring = i / 8, k = i % 8;
    NachbarListe n{};
    n.punkt[n.anzahl++] = Punkt(ring * 8 + (k + 1) % 8);
    n.punkt[n.anzahl++] = Punkt(ring * 8 + (k + 7) % 8);
    if (k % 2 == 1) {
      if (ring < 2) n.punkt[n.anzahl++] = Punkt(i + 8);
      if (ring > 0) n.punkt[n.anzahl++] = Punkt(i - 8);
    }
    t[i] = n;
  }
  return t;
}

constexpr Array0<Punkte, 16> BaueLinien() {
  Array0<Punkte, 16> t{};
  int n = 0;
  for (int ring = 0; ring < 3; ++ring)
    for (int k = 0; k < 8; k += 2)
      t[n++] = Punkt(ring * 8 + k) | Punkt(ring * 8 + k + 1) | Punkt(ring * 8 + (k + 2) % 8);
  for (int k = 1; k < 8; k += 2) t[n++] = Punkt(k) | Punkt(8 + k) | Punkt(16 + k);
  return t;
}

}  // namespace detail

inline constexpr Array0<NachbarListe, kAnzahlPunkte> kNachbarn = detail::BaueNachbarn();
inline constexpr Array0<Punkte, 16> kLinien = detail::BaueLinien();

namespace detail {

constexpr Array0<Punkte, kAnzahlPunkte> BaueNachbarMasken() {
  Array0<Punkte, kAnzahlPunkte> t{};
  for (int i = 0; i < kAnzahlPunkte; ++i)
    for (int j = 0; j < kNachbarn[i].anzahl; ++j) t[i] |= kNachbarn[i].punkt[j];
  return t;
}

constexpr Array0<Array0<int, 2>, kAnzahlPunkte> BaueLinienDurch() {
  Array0<Array0<int, 2>, kAnzahlPunkte> t{};
  for (int i = 0; i < kAnzahlPunkte; ++i) {
    int n = 0;
    for (int l = 0; l < 16; ++l)
      if (kLinien[l] & Punkt(i)) t[i][n++] = l;
  }
  return t;
}

}  // namespace detail

// All neighbours of a point as one set.
inline constexpr Array0<Punkte, kAnzahlPunkte> kNachbarMaske = detail::BaueNachbarMasken();
// The two lines through each point (indices into kLinien).
inline constexpr Array0<Array0<int, 2>, kAnzahlPunkte> kLinienDurch = detail::BaueLinienDurch();

// The neighbours of point index p that are not on line l.
constexpr Punkte AussenNachbarn(int p, int l) {
  return kNachbarMaske[p] & ~kLinien[l];
}

// Name of a one-bit point mask ("a1" … "c4"), "---" for 0, empty for anything else.
std::string_view PunktName(Punkte p);

}  // namespace quarne
