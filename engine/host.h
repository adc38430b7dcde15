// What the search asks of the program around it. The window implements it with its widgets,
// the command line prints, and tests record the calls and drive the clock.
#pragma once

#include <cstdint>
#include <string_view>

namespace quarne {

class Host {
 public:
  virtual ~Host() = default;

  // An internal consistency message with its exact German text; the search carries on.
  virtual void Meldung(std::string_view text) = 0;
  // Lets pending user-interface events run (buttons, timers) during a long computation.
  virtual void VerarbeiteEreignisse() = 0;
  // Monotonic clock in milliseconds.
  virtual std::int64_t JetztMs() = 0;

  // Search monitor.
  virtual void SucheGestartet() {}
  virtual void WurzelZuegeErzeugt() {}
  virtual void Fortschritt(int /*tiefe*/, int /*stepMax*/) {}
  virtual void IterationBeendet() {}
  virtual void SucheBeendet() {}
  // One more activity dot while a search runs; a bar when the parallel search has to wait for
  // a worker's lock.
  virtual void Aktivitaetspunkt() {}
  virtual void Wartemarke() {}
  // Remaining seconds of a timed search, and back to the configured thinking time.
  virtual void ZeigeRestDenkzeit(std::int64_t /*sekunden*/) {}
  virtual void ZeigeDenkzeit() {}

  // Settings tabs are hidden while a search runs.
  virtual void VerbergeEinstellungsTabs() {}
  virtual void ZeigeEinstellungsTabs() {}
  // A completed iteration makes "Zieh" available.
  virtual void AktiviereZiehB() {}
};

}  // namespace quarne
