// A host for tests: records messages and hook calls, and has a clock the test drives.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/host.h"

namespace quarne::test {

class TestHost : public Host {
 public:
  std::vector<std::string> meldungen;
  std::int64_t uhr = 0;
  // The driven clock: time passes each time the search lets events through (about every
  // 10000 passes), and optionally at every reading.
  std::int64_t msJeEreignis = 0;
  std::int64_t msJeAblesung = 0;
  int ereignisse = 0;
  int wurzelListen = 0;
  int iterationen = 0;
  int gestartet = 0;
  int beendet = 0;
  int ziehB = 0;
  std::vector<std::int64_t> restzeiten;
  // Runs whenever the search lets events through, as a button or timer would.
  std::function<void()> beiEreignis;

  void Meldung(std::string_view text) override { meldungen.emplace_back(text); }
  void VerarbeiteEreignisse() override {
    ++ereignisse;
    uhr += msJeEreignis;
    if (beiEreignis) beiEreignis();
  }
  std::int64_t JetztMs() override {
    uhr += msJeAblesung;
    return uhr;
  }
  void SucheGestartet() override { ++gestartet; }
  void WurzelZuegeErzeugt() override { ++wurzelListen; }
  void IterationBeendet() override { ++iterationen; }
  void SucheBeendet() override { ++beendet; }
  void AktiviereZiehB() override { ++ziehB; }
  void ZeigeRestDenkzeit(std::int64_t s) override { restzeiten.push_back(s); }
};

}  // namespace quarne::test
