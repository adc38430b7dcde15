// What the window shows while the computer thinks: depth, evaluated moves, time, generated
// moves and their rate, the blinking panel and the evaluation table. It is also the search's
// host: messages, event processing and the clock.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>

#include "core/types.h"
#include "engine/host.h"

class QTabWidget;
class QWidget;

namespace quarne {

class BewertungTab;
class DialogDienst;
class HauptTab;
class HTSuche;
class Spielstand;
class Suche;
struct Einstellungen;

// "1h2m5s" for a duration in milliseconds.
QString ZeitText(std::int64_t ms);
// A count in the user's number format: thousands grouped, no decimals.
QString MitTausendern(double wert);
// The root moves of s that are evaluated or cancelled.
int Bewertete(const TStep& s);

class SuchAnzeige final : public Host {
 public:
  // The settings, the game, the search and the workers are the window's; the search, which
  // needs this as its host, and the displays are set once they exist.
  SuchAnzeige(const Einstellungen& einst, const Spielstand& spiel, DialogDienst& dialoge);
  void SetzeSuche(Suche& suche, const HTSuche& ht);
  // The tabs this shows on; einstellungsTabs are options, setup and weights, which rest while
  // the computer thinks.
  void SetzeTabs(HauptTab& haupt, BewertungTab& bewertung, QTabWidget& seiten,
                 const std::array<QWidget*, 3>& einstellungsTabs);

  void ZeigeFortschritt(bool zeigen, int tiefe, int d);
  void ZeigeBewertung();
  void ZeigeDenkzeit();
  void VerbergeTabelle();
  void ZeigeTabelle();
  // The measured interval starts now: the library answered instead of a search.
  void StarteUhr() { startZeit_ = JetztMs(); }
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

  const Einstellungen& einst_;
  const Spielstand& spiel_;
  DialogDienst& dialoge_;
  Suche* suche_ = nullptr;
  const HTSuche* ht_ = nullptr;
  HauptTab* haupt_ = nullptr;
  BewertungTab* bewertung_ = nullptr;
  QTabWidget* seiten_ = nullptr;
  std::array<QWidget*, 3> einstellungsTabs_{};
  // Ticks every 500 ms while a search with displays runs.
  QTimer SuchTimer;
  std::int64_t startZeit_ = 0;  // the search's start on the search clock, ms
  QElapsedTimer uhr_;
  std::int64_t vorlauf_ = 0;
};

}  // namespace quarne
