#include "engine/transposition.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace quarne {
namespace {

Transpositionstabelle::Schluessel K(std::uint64_t n) {
  return {n, ~n};
}

// A value and a line whose every field follows from n, so that a half-written entry shows.
TZug Bester(std::uint64_t n) {
  TZug z{};
  z.Wertung.PunktWertA = static_cast<double>(n);
  for (int j = 1; j <= kMaxSteps; ++j) z.SmartZuege[j].VonPosition = static_cast<Punkte>(n + j);
  return z;
}

// Every field from the same write: the line follows from n.
bool Ganz(const Transpositionstabelle::Ergebnis& e, std::uint64_t n) {
  if (!e.genau || e.von != 3 || e.bis != 9) return false;
  for (int j = 3; j <= 9; ++j)
    if (e.linie[j].VonPosition != static_cast<Punkte>(n + j)) return false;
  return true;
}

bool Passt(const Transpositionstabelle::Ergebnis& e, std::uint64_t n) {
  return e.wert.PunktWertA == static_cast<double>(n) && Ganz(e, n);
}

TEST(Transpositionstabelle, NurDerGleicheSchluesselUndNurInDerselbenSuche) {
  Transpositionstabelle t;
  EXPECT_FALSE(t.Aktiv());
  t.Groesse(1);
  ASSERT_TRUE(t.Aktiv());
  t.NeueSuche();
  Transpositionstabelle::Ergebnis e;
  t.Speichere(K(7), Bester(7).Wertung, true, Bester(7), 3, 9);
  ASSERT_TRUE(t.Finde(K(7), e));
  EXPECT_TRUE(Passt(e, 7));
  EXPECT_FALSE(t.Finde({7, 7}, e));
  t.NeueSuche();
  EXPECT_FALSE(t.Finde(K(7), e));
}

// The workers of a parallel search share the table: whatever one finds is a whole entry that
// another stored for that key, never half of one being overwritten.
TEST(Transpositionstabelle, GeteiltLiestJederNurGanzeEintraege) {
  Transpositionstabelle t;
  t.Groesse(1);
  t.NeueSuche();
  // Few keys, rewritten with ever new values, so that threads meet on entries.
  constexpr std::uint64_t kSchluessel = 16, kRunden = 200000;
  std::vector<int> falsch(2, 0), gefunden(2, 0);
  std::atomic<int> bereit{0};
  std::vector<std::thread> threads;
  for (std::uint64_t n = 0; n < 2; ++n)
    threads.emplace_back([&, n] {
      Transpositionstabelle::Ergebnis e;
      for (++bereit; bereit.load() < 2;) std::this_thread::yield();
      for (std::uint64_t i = 0; i < kRunden; ++i) {
        const std::uint64_t k = (i + n) % kSchluessel;
        const std::uint64_t wert = k * 2 * kRunden + 2 * i + n;
        t.Speichere(K(k), Bester(wert).Wertung, true, Bester(wert), 3, 9);
        const std::uint64_t l = (i * 5 + 3) % kSchluessel;
        if (!t.Finde(K(l), e)) continue;
        ++gefunden[n];
        const auto w = static_cast<std::uint64_t>(e.wert.PunktWertA);
        if (w / (2 * kRunden) != l || !Ganz(e, w)) ++falsch[n];
      }
    });
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(falsch, (std::vector<int>{0, 0}));
  EXPECT_GT(gefunden[0] + gefunden[1], 0);
}

}  // namespace
}  // namespace quarne
