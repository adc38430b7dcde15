#include "app/commands.h"

#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <memory>

#include "core/notation.h"
#include "core/position_notation.h"
#include "engine/perft.h"
#include "engine/search.h"

namespace quarne {
namespace {

constexpr const char* kAufruf =
    "Aufruf:\n"
    "  quarne-cli perft STELLUNG N\n"
    "  quarne-cli liste STELLUNG N\n"
    "  quarne-cli analyse STELLUNG [--tiefe N | --zeit S]\n"
    "  quarne-cli bench\n"
    "STELLUNG: \"<24 Zeichen aus W, S, .> <W|S> <gesetzt Weiß> <gesetzt Schwarz>\"\n";

// Prints consistency messages; the search runs without a window.
class KonsolenHost : public Host {
 public:
  explicit KonsolenHost(std::ostream& fehler) : fehler_(fehler) {}
  void Meldung(std::string_view text) override { fehler_ << "Meldung: " << text << '\n'; }
  void VerarbeiteEreignisse() override {}
  std::int64_t JetztMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }

 private:
  std::ostream& fehler_;
};

// Stops the benchmark search after five seconds, checked whenever the search lets events run.
class BenchHost final : public KonsolenHost {
 public:
  using KonsolenHost::KonsolenHost;
  void Starte(Suche& suche, std::int64_t ende) {
    suche_ = &suche;
    ende_ = ende;
  }
  void VerarbeiteEreignisse() override {
    if (suche_ && JetztMs() - ende_ >= 0) suche_->StopFlag = true;
  }

 private:
  Suche* suche_ = nullptr;
  std::int64_t ende_ = 0;
};

const char* ErgebnisName(TZugResZiehend r) {
  switch (r) {
    case rsQuarn:
      return "rsQuarn";
    case rsWIN:
      return "rsWIN";
    case rsLOSS:
      return "rsLOSS";
    case rsWDH:
      return "rsWDH";
    default:
      return "rsNIL";
  }
}

// A whole number in German notation: 1.234.567
std::string MitTausendern(std::int64_t n) {
  std::string ziffern = std::to_string(n < 0 ? -n : n);
  std::string text;
  for (std::size_t i = 0; i < ziffern.size(); ++i) {
    if (i > 0 && (ziffern.size() - i) % 3 == 0) text += '.';
    text += ziffern[i];
  }
  return n < 0 ? "-" + text : text;
}

void DruckeZuege(const TStep& step, std::ostream& aus) {
  for (int i = 1; i <= step.ZuegeAnzahl; ++i) {
    const TZug& z = step.Zuege[i];
    char wert[40];
    std::snprintf(wert, sizeof wert, "%.17g", z.Wertung.PunktWertGes);
    aus << z.Nr << '\t' << ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne)
        << '\t' << ErgebnisName(z.Wertung.ZugResGesamt) << '\t' << z.Wertung.ResultInXZuegen << '\t'
        << wert << '\n';
  }
}

bool LiesGanzzahl(const std::string& text, int min, int max, int& wert) {
  const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
  return fehler == std::errc{} && ende == text.data() + text.size() && wert >= min && wert <= max;
}

struct Befehl {
  const std::vector<std::string>& arg;
  std::ostream& aus;
  std::ostream& fehler;
  Einstellungen einstellungen{};
  LeererVerlauf verlauf{};

  int Falsch(const std::string& text) {
    fehler << text << '\n';
    return 2;
  }

  std::optional<Stellung> Position(const std::string& text, int& code) {
    StellungOderFehler s = LiesStellung(text);
    if (!s.stellung) code = Falsch(s.fehler);
    return s.stellung;
  }

  // "<befehl> STELLUNG N": the position and the depth, or the exit code of a bad input.
  std::optional<Stellung> PositionUndTiefe(int& tiefe, int& code) {
    if (arg.size() != 3) {
      code = Falsch(kAufruf);
      return std::nullopt;
    }
    auto st = Position(arg[1], code);
    if (st && !LiesGanzzahl(arg[2], 1, kMaxSteps, tiefe)) {
      code = Falsch("Die Tiefe muss eine ganze Zahl von 1 bis 16 sein.");
      return std::nullopt;
    }
    return st;
  }

  int Perft() {
    int tiefe = 0, code = 0;
    const auto st = PositionUndTiefe(tiefe, code);
    if (!st) return code;
    KonsolenHost host(fehler);
    auto perft = std::make_unique<quarne::Perft>(einstellungen, host);
    aus << perft->Zaehle(st->zug, 1, st->farbe, tiefe, verlauf) << '\n';
    return 0;
  }

  int Liste() {
    int tiefe = 0, code = 0;
    const auto st = PositionUndTiefe(tiefe, code);
    if (!st) return code;
    KonsolenHost host(fehler);
    auto suche = std::make_unique<Suche>(einstellungen, host);
    suche->StepRoutineListe(tiefe, st->zug, 1, st->farbe, true, true, verlauf);
    if (suche->NoMovesFlag) aus << "Keine Züge: die Seite am Zug ist blockiert.\n";
    DruckeZuege(suche->Steps[1], aus);
    return 0;
  }

  int Analyse() {
    if (arg.size() != 2 && arg.size() != 4) return Falsch(kAufruf);
    int code = 0;
    const auto st = Position(arg[1], code);
    if (!st) return code;
    int tiefe = 6;
    SuchOptionen optionen;
    if (arg.size() == 4) {
      if (arg[2] == "--tiefe") {
        if (!LiesGanzzahl(arg[3], 1, kMaxSteps, tiefe))
          return Falsch("Die Tiefe muss eine ganze Zahl von 1 bis 16 sein.");
      } else if (arg[2] == "--zeit") {
        int sekunden = 0;
        int item = 0;
        if (LiesGanzzahl(arg[3], 1, 180, sekunden))
          for (std::size_t i = 1; i < kDenkzeiten.size(); ++i)
            if (kDenkzeiten[i] == sekunden) item = static_cast<int>(i);
        if (item == 0) return Falsch("Die Denkzeit muss 1, 5, 10, 30, 60 oder 180 Sekunden sein.");
        einstellungen.AutoGroup = item;
        optionen.Timed = true;
      } else {
        return Falsch(kAufruf);
      }
    }
    KonsolenHost host(fehler);
    auto suche = std::make_unique<Suche>(einstellungen, host);
    suche->StepRoutine(tiefe, st->zug, 1, st->farbe, optionen, verlauf);
    if (suche->NoMovesFlag) {
      aus << "Keine Züge: die Seite am Zug ist blockiert.\n";
      return 0;
    }
    aus << "Erreichte Tiefe: " << suche->MemStep2.STStepMax << '\n';
    DruckeZuege(suche->MemStep2, aus);
    return 0;
  }

  int Bench() {
    if (arg.size() != 1) return Falsch(kAufruf);
    // The fixed placing position: eight stones each, White to move.
    TZug zug{};
    TBrett& b = zug.BrettNachZug;
    b.SteineZiehend = 0x889229;
    b.SteineStehend = 0x32CC2;
    b.AlleSteine = b.SteineZiehend | b.SteineStehend;
    b.SteineAnzahlZiehend = b.SteineAnzahlStehend = 8;
    b.GesetzteSteineZiehend = b.GesetzteSteineStehend = 8;
    BenchHost host(fehler);
    auto suche = std::make_unique<Suche>(einstellungen, host);
    const std::int64_t start = host.JetztMs();
    host.Starte(*suche, start + 5000);
    SuchOptionen optionen;
    optionen.KeepTabs = true;
    suche->StepRoutine(13, zug, 1, clWeiss, optionen, verlauf);
    const std::int64_t gesamt = suche->GenZuege();
    const std::int64_t t = host.JetztMs() - start;
    aus << "Erzeugte Züge: " << MitTausendern(gesamt) << '\n';
    aus << "Zeit: " << MitTausendern(t) << " ms\n";
    if (t == 0) {
      aus << "Quarne Score: Undefined\n";
      return 0;
    }
    const double rate = static_cast<double>(gesamt) / t * 1000;
    const double prozent = rate / 1950000 * 100;
    aus << "Züge/Sekunde: " << MitTausendern(std::llround(rate)) << '\n';
    aus << "Quarne Score: " << std::llround(prozent) << "% (" << MitTausendern(std::llround(rate))
        << " Züge/Sek)\n";
    return 0;
  }
};

}  // namespace

int FuehreBefehlAus(const std::vector<std::string>& argumente, std::ostream& aus,
                    std::ostream& fehler) {
  Befehl b{argumente, aus, fehler};
  if (argumente.empty()) return b.Falsch(kAufruf);
  const std::string& name = argumente[0];
  if (name == "perft") return b.Perft();
  if (name == "liste") return b.Liste();
  if (name == "analyse") return b.Analyse();
  if (name == "bench") return b.Bench();
  return b.Falsch("Unbekannter Befehl \"" + name + "\".\n" + kAufruf);
}

}  // namespace quarne
