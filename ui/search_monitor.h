// What the window shows while the computer thinks: depth, evaluated moves, time, generated
// moves and their rate, the blinking panel and the evaluation table. It is also the search's
// host: messages, event processing and the clock.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>

#include "core/types.h"
#include "engine/host.h"

namespace quarne {

class DialogDienst;
class TQuarneForm;

// "1h2m5s" for a duration in milliseconds.
QString ZeitText(std::int64_t ms);
// A count in the user's number format: thousands grouped, no decimals.
QString MitTausendern(double wert);
// The root moves of s that are evaluated or cancelled.
int Bewertete(const TStep& s);

class SuchAnzeige final : public Host {
 public:
  SuchAnzeige(TQuarneForm& form, DialogDienst& dialoge);

  void ZeigeFortschritt(bool zeigen, int tiefe, int d);
  void ZeigeBewertung();
  void ZeigeDenkzeit();
  void VerbergeTabelle();
  void ZeigeTabelle();
  // The search timer's tick: blink, refresh the display copy of the root list, show it.
  void POnTimer();

  // Host
  void Meldung(std::string_view text) override;
  void VerarbeiteEreignisse() override;
  std::int64_t JetztMs() override { return uhr_.elapsed() + vorlauf_; }
  // Moves the clock on, as if the time had passed: tests see what is due later.
  void StelleUhrVor(std::int64_t ms) { vorlauf_ += ms; }
  void SucheGestartet() override;
  void WurzelZuegeErzeugt() override { ZeigeTabelle(); }
  void Fortschritt(int tiefe, int stepMax) override { ZeigeFortschritt(true, tiefe, stepMax); }
  void IterationBeendet() override { ZeigeBewertung(); }
  void SucheBeendet() override;
  void Aktivitaetspunkt() override;
  void Wartemarke() override;
  void ZeigeRestDenkzeit(std::int64_t sekunden) override;
  void VerbergeEinstellungsTabs() override;
  void ZeigeEinstellungsTabs() override;
  void AktiviereZiehB() override;

 private:
  std::int64_t Vergangen();

  TQuarneForm& form_;
  DialogDienst& dialoge_;
  QElapsedTimer uhr_;
  std::int64_t vorlauf_ = 0;
};

}  // namespace quarne
