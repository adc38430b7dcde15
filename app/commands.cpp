#include "app/commands.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>

#include "app/bench_signature.h"
#include "core/notation.h"
#include "core/position_notation.h"
#include "engine/perft.h"
#include "engine/search.h"
#include "engine/values.h"
#include "game/game_file.h"
#include "library/bibfile.h"
#include "library/building.h"
#include "library/entryfile.h"
#include "library/file_io.h"
#include "library/file_lock.h"
#include "library/import.h"
#include "library/keyvalue.h"
#include "library/lookup.h"
#include "library/maintenance.h"
#include "library/manifest.h"
#include "library/shards.h"
#include "parallel/benchmark.h"
#include "parallel/driver.h"

namespace quarne {
namespace {

constexpr const char* kAufruf =
    "Aufruf:\n"
    "  quarne-cli perft STELLUNG N [--remis R]\n"
    "  quarne-cli liste STELLUNG N [--remis R]\n"
    "  quarne-cli analyse STELLUNG [--tiefe N | --zeit S] [--remis R] [--threads T]\n"
    "                              [--bib DATEI] [--suche A] [--hash H]\n"
    "  quarne-cli stepliste STELLUNG [--tiefe N] [--remis R] [--threads T] [--suche A]\n"
    "                                [--hash H]\n"
    "  quarne-cli bench [--threads T] [--leerlauf kreisen|abgeben|schlafen] [--suche A]\n"
    "                   [--hash H]\n"
    "  quarne-cli bench --signatur [--suche A] [--hash H]\n"
    "  quarne-cli partie DATEI.ml\n"
    "  quarne-cli bib info DATEI\n"
    "  quarne-cli bib pruefen DATEI\n"
    "  quarne-cli bib erstellen DATEI --bis-stufe L [--tiefe N] [--threads T] [--warten S]\n"
    "  quarne-cli bib importiere DATEI EINTRAG.sbib... [--warten S]\n"
    "  quarne-cli bib fusion DATEI ANDERE.bib [--warten S]\n"
    "  quarne-cli bib plan DATEI --stufe L --teile N --ordner ORDNER [--tiefe N] [--warten S]\n"
    "  quarne-cli bib rechne ORDNER/teil-K --aus ORDNER/teil-K.sbib [--threads T] [--warten S]\n"
    "  quarne-cli bib status ORDNER\n"
    "STELLUNG: \"<24 Zeichen aus W, S, .> <W|S> <gesetzt Weiß> <gesetzt Schwarz> "
    "[<Halbzüge ohne Quarne>]\"\n"
    "R: Remis nach 40, 60 oder 100 Halbzügen ohne Quarne oder aus (Standard: 40)\n"
    "T: 1 sucht im Programm selbst, 2 bis 128 verteilt die Suche auf so viele Threads\n"
    "   (Standard: einer je Prozessor)\n"
    "A: schnell (Standard) oder klassisch, die Suche zum Vergleichen: bei fester Tiefe mit\n"
    "   demselben Ergebnis\n"
    "H: Megabyte für die Tabelle schon durchsuchter Stellungen der schnellen Suche, die alle\n"
    "   Threads teilen (0 bis 4096, Standard: 16; 0 schaltet sie ab)\n"
    "S: so viele Sekunden wartet der Befehl, solange ein anderer die Bibliothek ändert\n"
    "   (0 bis 3600, Standard: 10)\n"
    "Verteilt rechnen: plan schreibt die Stellungen einer Stufe in N Teile, rechne berechnet\n"
    "   einen Teil (auch auf einem anderen Rechner, nach einem Abbruch weiter), importiere\n"
    "   nimmt die Ergebnisse in die geplante Bibliothek auf, status zeigt den Fortschritt.\n"
    "Die Optionen dürfen in beliebiger Reihenfolge nach der Stellung stehen.\n";

constexpr int kFalscheEingabe = 2;  // exit code
// Building saves the library after a position at most this often.
constexpr std::int64_t kSicherungsAbstandMs = 5000;
// Options that take no value.
constexpr std::array<std::string_view, 1> kSchalter = {"--signatur"};
constexpr int kMaxTabelleMB = 4096;
constexpr const char* kTiefeFalsch = "Die Tiefe muss eine ganze Zahl von 1 bis 16 sein.";

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
    if (suche_ && JetztMs() - ende_ >= 0) suche_->Halte();
  }

 private:
  Suche* suche_ = nullptr;
  std::int64_t ende_ = 0;
};

// Ctrl-C during building, or the batch system's end of a job: the running search stops and
// what is done is saved.
std::atomic<bool> gUnterbrochen{false};

extern "C" void Unterbrechen(int) {
  gUnterbrochen = true;
}

// Catches both signals while it lives.
class UnterbrechungsWache {
 public:
  UnterbrechungsWache()
      : int_(std::signal(SIGINT, Unterbrechen)), term_(std::signal(SIGTERM, Unterbrechen)) {
    gUnterbrochen = false;
  }
  ~UnterbrechungsWache() {
    std::signal(SIGINT, int_);
    std::signal(SIGTERM, term_);
  }
  UnterbrechungsWache(const UnterbrechungsWache&) = delete;
  UnterbrechungsWache& operator=(const UnterbrechungsWache&) = delete;

 private:
  void (*int_)(int);
  void (*term_)(int);
};

constexpr const char* kKeinManifest = "Das ist kein gültiges Manifest eines Plans.";

// Building lets events through now and then: Ctrl-C reaches the search, and the library is
// saved to "Autosave.bib" every 30 minutes.
class BauHost final : public KonsolenHost {
 public:
  using KonsolenHost::KonsolenHost;
  Suche* suche = nullptr;
  std::function<void()> autosave;
  std::int64_t naechsteSicherung = 0;
  void VerarbeiteEreignisse() override {
    if (gUnterbrochen && suche) suche->Halte();
    if (autosave && JetztMs() >= naechsteSicherung) {
      naechsteSicherung = JetztMs() + kAutosaveMs;
      autosave();
    }
  }
  static constexpr std::int64_t kAutosaveMs = 30 * 60 * 1000;
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

// "1 Stellung", "2 Stellungen".
std::string Stellungen(std::int64_t n) {
  return std::to_string(n) + (n == 1 ? " Stellung" : " Stellungen");
}

// A duration as "1 Tage und 2h3m4s".
std::string DauerText(std::int64_t ms) {
  const std::int64_t s = ms / 1000;
  return std::to_string(s / 86400) + " Tage und " + std::to_string(s / 3600 % 24) + "h" +
         std::to_string(s / 60 % 60) + "m" + std::to_string(s % 60) + "s";
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

// What follows the command's name: the position, then options "--name wert" in any order with
// the positional arguments among them.
struct Eingabe {
  Stellung stellung;
  std::vector<std::string> positionen;
  std::map<std::string, std::string, std::less<>> optionen;

  const std::string* Option(std::string_view name) const {
    const auto it = optionen.find(name);
    return it == optionen.end() ? nullptr : &it->second;
  }
};

// The draw limit of "Remis nach x Vollzügen": 40, 60 or 100 half-moves, or "aus".
bool LiesRemis(const std::string& text, int& limit) {
  int n = -1;
  if (text != "aus" && !LiesGanzzahl(text, 1, 999, n)) return false;
  if (std::find(kRemisLimits.begin(), kRemisLimits.end(), n) == kRemisLimits.end()) return false;
  limit = n;
  return true;
}

// The kind of search: "schnell" or "klassisch".
bool LiesSuchArt(std::string_view text, SuchArt& art) {
  if (text != "schnell" && text != "klassisch") return false;
  art = text == "schnell" ? SuchArt::Schnell : SuchArt::Klassisch;
  return true;
}

// Progress of building on the error stream: each position as it begins and ends, and the
// positions per hour of each level. After each position, `gespeichert` runs.
class BauFortschritt final : public BauAnzeige {
 public:
  BauFortschritt(std::ostream& aus, Host& uhr, HTSuche& ht) : aus_(aus), uhr_(uhr), ht_(ht) {}
  std::function<void()> gespeichert;

  void PositionBeginnt(int L, int x, int nummer, const TBibZug&) override {
    if (L != stufe_) {
      StufeFertig();
      stufe_ = L;
      stufeStart_ = uhr_.JetztMs();
      anzahl_ = 0;
    }
    start_ = uhr_.JetztMs();
    aus_ << "Stufe " << L << ": Stellung " << nummer << " (Eintrag " << x << ") ..." << std::flush;
  }
  void PositionGespeichert() override {
    ++anzahl_;
    const std::int64_t ms = std::max<std::int64_t>(1, uhr_.JetztMs() - start_);
    aus_ << ' ' << MitTausendern(ms) << " ms, " << MitTausendern(ht_.GenZuegeGesamt() * 1000 / ms)
         << " Züge/Sek\n";
    if (gespeichert) gespeichert();
  }
  // The figures of the level just finished.
  void StufeFertig() {
    if (stufe_ < 0 || anzahl_ == 0) return;
    const std::int64_t ms = std::max<std::int64_t>(1, uhr_.JetztMs() - stufeStart_);
    aus_ << "Stufe " << stufe_ << ": " << anzahl_ << " Stellungen in " << MitTausendern(ms / 1000)
         << " s, " << MitTausendern(anzahl_ * 3600000LL / ms) << " Stellungen/Stunde\n";
    anzahl_ = 0;
  }

 private:
  std::ostream& aus_;
  Host& uhr_;
  HTSuche& ht_;
  int stufe_ = -1;
  int anzahl_ = 0;
  std::int64_t stufeStart_ = 0, start_ = 0;
};

struct Befehl {
  const std::vector<std::string>& arg;
  std::ostream& aus;
  std::ostream& fehler;
  Einstellungen einstellungen{};
  LeererVerlauf verlauf{};

  int Falsch(const std::string& text) {
    fehler << text << '\n';
    return kFalscheEingabe;
  }

  // "<befehl> STELLUNG ..." with the options the command knows and the number of positional
  // arguments it takes; nothing after reporting a bad input. --remis goes straight into the
  // settings. Without a position (mitStellung false) the options follow the command's name.
  // With mehr, at least `positionen` positional arguments.
  std::optional<Eingabe> Lies(std::initializer_list<std::string_view> bekannt,
                              std::size_t positionen, bool mitStellung = true,
                              std::size_t erstes = 1, bool mehr = false) {
    if (mitStellung && arg.size() < erstes + 1) {
      Falsch(kAufruf);
      return std::nullopt;
    }
    Eingabe ein;
    for (std::size_t i = erstes + (mitStellung ? 1 : 0); i < arg.size(); ++i) {
      const std::string& a = arg[i];
      if (!a.starts_with("--")) {
        ein.positionen.push_back(a);
      } else if (std::find(bekannt.begin(), bekannt.end(), a) == bekannt.end()) {
        Falsch("Unbekannte Option \"" + a + "\".\n" + kAufruf);
        return std::nullopt;
      } else if (std::find(kSchalter.begin(), kSchalter.end(), a) != kSchalter.end()) {
        if (!ein.optionen.emplace(a, "").second) {
          Falsch("Die Option " + a + " ist doppelt angegeben.");
          return std::nullopt;
        }
      } else if (i + 1 == arg.size()) {
        Falsch("Nach " + a + " fehlt der Wert.\n" + kAufruf);
        return std::nullopt;
      } else if (!ein.optionen.emplace(a, arg[++i]).second) {
        Falsch("Die Option " + a + " ist doppelt angegeben.");
        return std::nullopt;
      }
    }
    if (mehr ? ein.positionen.size() < positionen : ein.positionen.size() != positionen) {
      Falsch(kAufruf);
      return std::nullopt;
    }
    if (mitStellung) {
      StellungOderFehler st = LiesStellung(arg[erstes]);
      if (!st.stellung) {
        Falsch(st.fehler);
        return std::nullopt;
      }
      ein.stellung = *st.stellung;
    }
    const std::string* remis = ein.Option("--remis");
    if (remis && !LiesRemis(*remis, einstellungen.RemisLimit)) {
      Falsch("Die Remisgrenze muss 40, 60, 100 oder aus sein.");
      return std::nullopt;
    }
    const std::string* threads = ein.Option("--threads");
    if (threads && !LiesGanzzahl(*threads, 1, HTSuche::kMaxThreads, threadAnzahl)) {
      Falsch("Die Zahl der Threads muss eine ganze Zahl von 1 bis 128 sein.");
      return std::nullopt;
    }
    const std::string* suche = ein.Option("--suche");
    if (suche && !LiesSuchArt(*suche, einstellungen.suchArt)) {
      Falsch("Die Suche muss schnell oder klassisch sein.");
      return std::nullopt;
    }
    const std::string* hash = ein.Option("--hash");
    if (hash && !LiesGanzzahl(*hash, 0, kMaxTabelleMB, einstellungen.TabelleMB)) {
      Falsch("Die Größe der Tabelle muss eine ganze Zahl von 0 bis 4096 (Megabyte) sein.");
      return std::nullopt;
    }
    return ein;
  }

  // Threads to search with: one per processor unless --threads says otherwise.
  int threadAnzahl =
      std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, HTSuche::kMaxThreads);

  // The computer's search, on threadAnzahl workers when more than one.
  struct Rechner {
    std::unique_ptr<Suche> suche;
    std::unique_ptr<HTSuche> ht;
    Rechner(const Einstellungen& e, Host& host, int threads)
        : suche(std::make_unique<Suche>(e, host)), ht(std::make_unique<HTSuche>(*suche, e, host)) {
      ht->ErzeugeThreads(threads);
    }
    bool Parallel() const { return ht->ThreadAnzahl() > 0; }
  };

  // "<befehl> STELLUNG N [--remis R]": the position and the depth.
  std::optional<Eingabe> LiesMitTiefe(int& tiefe) {
    auto ein = Lies({"--remis"}, 1);
    if (ein && !LiesGanzzahl(ein->positionen[0], 1, kMaxSteps, tiefe)) {
      Falsch(kTiefeFalsch);
      return std::nullopt;
    }
    return ein;
  }

  int Perft() {
    int tiefe = 0;
    const auto ein = LiesMitTiefe(tiefe);
    if (!ein) return kFalscheEingabe;
    KonsolenHost host(fehler);
    auto perft = std::make_unique<quarne::Perft>(einstellungen, host);
    aus << perft->Zaehle(ein->stellung.zug, 1, ein->stellung.farbe, tiefe, verlauf) << '\n';
    return 0;
  }

  int Liste() {
    int tiefe = 0;
    const auto ein = LiesMitTiefe(tiefe);
    if (!ein) return kFalscheEingabe;
    KonsolenHost host(fehler);
    auto suche = std::make_unique<Suche>(einstellungen, host);
    suche->StepRoutineListe(tiefe, ein->stellung.zug, 1, ein->stellung.farbe, true, true, verlauf);
    if (suche->KeineZuege()) aus << "Keine Züge: die Seite am Zug ist blockiert.\n";
    DruckeZuege(suche->Steps[1], aus);
    return 0;
  }

  // Depth or thinking time of analyse and stepliste; false after reporting a bad input.
  bool LiesSuchumfang(const Eingabe& ein, int& tiefe, HTOptionen& optionen) {
    const std::string* tiefeText = ein.Option("--tiefe");
    const std::string* zeit = ein.Option("--zeit");
    if (tiefeText && zeit) {
      Falsch(std::string("Nur eine der Optionen --tiefe und --zeit ist erlaubt.\n") + kAufruf);
      return false;
    }
    if (tiefeText && !LiesGanzzahl(*tiefeText, 1, kMaxSteps, tiefe)) {
      Falsch(kTiefeFalsch);
      return false;
    }
    if (zeit) {
      int sekunden = 0;
      int item = 0;
      if (LiesGanzzahl(*zeit, 1, 180, sekunden))
        for (std::size_t i = 1; i < kDenkzeiten.size(); ++i)
          if (kDenkzeiten[i] == sekunden) item = static_cast<int>(i);
      if (item == 0) {
        Falsch("Die Denkzeit muss 1, 5, 10, 30, 60 oder 180 Sekunden sein.");
        return false;
      }
      einstellungen.AutoGroup = item;
      optionen.Timed = true;
    }
    return true;
  }

  int Analyse() {
    const auto ein =
        Lies({"--tiefe", "--zeit", "--remis", "--threads", "--bib", "--suche", "--hash"}, 0);
    if (!ein) return kFalscheEingabe;
    int tiefe = 6;
    HTOptionen optionen;
    if (!LiesSuchumfang(*ein, tiefe, optionen)) return kFalscheEingabe;
    KonsolenHost host(fehler);
    Rechner r(einstellungen, host, threadAnzahl);
    if (const std::string* datei = ein->Option("--bib")) {
      // The library answers first, as before the computer's move in a game.
      TBibliothek bib;
      if (!LadeBib(*datei, bib)) return kFalscheEingabe;
      TBibTiefenwahl wahl;
      wahl.AutoGroup = einstellungen.AutoGroup;
      if (!optionen.Timed) wahl.AutoGroup = 0;
      wahl.TiefeSE1 = tiefe;
      TStep& m = r.suche->MemStep2;
      if (GenMemStep(bib, m, ein->stellung.zug, wahl)) {
        SortRoutine(m, einstellungen, host);
        aus << "Erreichte Tiefe: " << m.STDenkTiefe << " (Bibliothek)\n";
        DruckeZuege(m, aus);
        return 0;
      }
    }
    r.ht->Suchen(r.Parallel(), tiefe, ein->stellung.zug, 1, ein->stellung.farbe, optionen, verlauf);
    const Suche& suche = *r.suche;
    if (suche.KeineZuege()) {
      aus << "Keine Züge: die Seite am Zug ist blockiert.\n";
      return 0;
    }
    // An interrupted iteration is filled in from the last completed one; that one counts.
    aus << "Erreichte Tiefe: " << suche.FertigeTiefe << '\n';
    DruckeZuege(suche.MemStep2, aus);
    return 0;
  }

  int StepListe() {
    const auto ein = Lies({"--tiefe", "--remis", "--threads", "--suche", "--hash"}, 0);
    if (!ein) return kFalscheEingabe;
    int tiefe = 6;
    HTOptionen optionen;
    if (!LiesSuchumfang(*ein, tiefe, optionen)) return kFalscheEingabe;
    if (threadAnzahl < 2)
      return Falsch("Die StepListe entsteht nur bei der Suche mit mehreren Threads.");
    KonsolenHost host(fehler);
    Rechner r(einstellungen, host, threadAnzahl);
    r.ht->HTStepRoutine(tiefe, ein->stellung.zug, 1, ein->stellung.farbe, optionen, verlauf);
    r.ht->SchreibeStepListe();
    aus << r.ht->StepListeText;
    const HTStatistik& st = r.ht->Statistik();
    if (st.vorlauf > 0)
      aus << "Ohne Zellen gesucht, da zu klein zum Verteilen: Tiefe 1 bis " << st.vorlauf << '\n';
    aus << "Zellen vergeben: " << st.ausgegeben << ", fertig abgeholt: " << st.fertig
        << ", Teilwerte: " << st.teilwerte << ", abgeschnitten: " << st.abgeschnitten
        << ", Zusammenführungen: " << st.zusammenfuehrungen << '\n';
    aus << "Abfragen: " << st.durchlaeufe << ", davon ohne Arbeit: " << st.leerlauf << '\n';
    aus << "Zellen je Thread:";
    for (const std::int64_t n : st.jeArbeiter) aus << ' ' << n;
    aus << '\n';
    return 0;
  }

  // Why a file could not be read, naming it.
  static std::string LeseFehler(const std::string& datei, const TLeseErgebnis& e) {
    if (e.Code == TBibCode::Laden && e.Meldung == TDateiMeldung::Keine)
      return "Die Datei " + datei + " wurde nicht gefunden.";
    if (e.Meldung == TDateiMeldung::Keine)
      return datei + ": Die Datei ist beschädigt (Fehlercode " +
             std::to_string(static_cast<int>(e.Code)) + ").";
    return datei + ": " + MeldungsText(e.Meldung, datei);
  }

  // A library file; a missing one is an empty library only when `neu` allows it. False after
  // the message.
  bool LadeBib(const std::string& datei, TBibliothek& bib, bool neu = false) {
    const TLeseErgebnis e = LeseBib(std::filesystem::path(datei), bib);
    if (e.Code == TBibCode::Ok ||
        (neu && e.Code == TBibCode::Laden && e.Meldung == TDateiMeldung::Keine))
      return true;
    Falsch(LeseFehler(datei, e));
    return false;
  }

  // --warten: how long to wait for another writer of the library.
  bool LiesWarten(const Eingabe& ein, int& warteMs) {
    warteMs = kSperreWartenMs;
    const std::string* text = ein.Option("--warten");
    int sekunden = 0;
    if (!text) return true;
    if (!LiesGanzzahl(*text, 0, 3600, sekunden)) {
      Falsch("Die Wartezeit nach --warten muss eine ganze Zahl von 0 bis 3600 Sekunden sein.");
      return false;
    }
    warteMs = sekunden * 1000;
    return true;
  }

  bool SpeichereBib(const std::string& datei, const TBibliothek& bib) {
    const TDateiMeldung m = SchreibeBib(std::filesystem::path(datei), bib);
    if (m == TDateiMeldung::Keine || m == TDateiMeldung::KompressionSpeicher) return true;
    Falsch(MeldungsText(m, datei));
    return false;
  }

  // The moves of a game file, one line each: number, colour, move.
  int Partie() {
    const auto ein = Lies({}, 1, false);
    if (!ein) return kFalscheEingabe;
    const std::string& datei = ein->positionen[0];
    const GeladenePartie geladen = LadePartie(std::filesystem::path(datei));
    if (!geladen.lesbar) return Falsch("Die Datei " + datei + " kann nicht gelesen werden.");
    const std::optional<Partiedatei>& p = geladen.partie;
    if (!p) return Falsch(KeinePartie(datei));
    for (const TSpielZug& z : p->Zuege)
      aus << z.Nr << '\t' << (z.Farbe == clWeiss ? 'W' : 'S') << '\t'
          << ZugText(z.Zug.VonPosition, z.Zug.NachPosition, z.Zug.EntfStein, z.Zug.ErgibtQuarne)
          << '\n';
    return 0;
  }

  int Bib() {
    if (arg.size() < 2) return Falsch(kAufruf);
    const std::string& was = arg[1];
    if (was == "info") return BibInfo();
    if (was == "pruefen") return BibPruefen();
    if (was == "erstellen") return BibErstellen();
    if (was == "importiere" || was == "fusion") return BibHinzu(was == "fusion");
    if (was == "plan") return BibPlan();
    if (was == "rechne") return BibRechne();
    if (was == "status") return BibStatus();
    return Falsch("Unbekannter Befehl \"bib " + was + "\".\n" + kAufruf);
  }

  int BibInfo() {
    const auto ein = Lies({}, 1, false, 2);
    if (!ein) return kFalscheEingabe;
    TBibliothek bib;
    if (!LadeBib(ein->positionen[0], bib)) return kFalscheEingabe;
    std::error_code fehlerCode;
    const auto gepackt = std::filesystem::file_size(ein->positionen[0], fehlerCode);
    aus << "Datei: " << MitTausendern(fehlerCode ? 0 : static_cast<std::int64_t>(gepackt))
        << " Bytes, entpackt " << MitTausendern(static_cast<std::int64_t>(BibAbbild(bib).size()))
        << " Bytes\n";
    aus << "Stufe\tEinträge\tComputer\tSpieler\tBerechnet\tZieltiefe\tDenktiefen\n";
    for (int L = 0; L < kBibStufen; ++L) {
      const BibSpalte z = ZaehleStufe(bib, L, false, bib[L].BibTiefe);
      aus << L << '\t' << z.anzahl << '\t' << z.computer << '\t' << z.spieler << '\t'
          << z.computer - z.tiefe[0] << '\t' << bib[L].BibTiefe << (bib[L].BibAktiv ? " aktiv" : "")
          << '\t';
      for (int d = 1; d <= kMaxSteps; ++d)
        if (z.tiefe[static_cast<std::size_t>(d)] > 0)
          aus << ' ' << z.tiefe[static_cast<std::size_t>(d)] << "x" << d;
      aus << '\n';
    }
    return 0;
  }

  int BibPruefen() {
    const auto ein = Lies({}, 1, false, 2);
    if (!ein) return kFalscheEingabe;
    TBibliothek bib;
    if (!LadeBib(ein->positionen[0], bib)) return kFalscheEingabe;
    KonsolenHost host(fehler);
    auto suche = std::make_unique<Suche>(einstellungen, host);
    try {
      CheckBib(bib, *suche);
    } catch (const std::exception& e) {
      aus << e.what() << '\n';
      return 1;
    }
    aus << kCheckOk << '\n';
    return 0;
  }

  // Merges another library (fusion) or imports entry files into the library: the other files
  // are read first, then the library is locked, read, changed, checked and written, all files
  // or none. An entry file beside a plan's manifest goes only into the library as planned.
  int BibHinzu(bool fusion) {
    const auto ein = Lies({"--warten"}, 2, false, 2, !fusion);
    int warteMs = 0;
    if (!ein || !LiesWarten(*ein, warteMs)) return kFalscheEingabe;
    const std::string& datei = ein->positionen[0];
    const std::vector<std::string> quellen(ein->positionen.begin() + 1, ein->positionen.end());
    const std::string quellFehler = fusion ? "\nFehler beim Öffnen der Fusions-Bibliotheksdatei. "
                                           : "\nFehler beim Einlesen der SBib-Datei. ";
    TBibliothek andere;
    std::vector<TSBibGelesen> eintraege;
    std::vector<std::optional<TPlan>> plaene;
    for (const std::string& quelle : quellen) {
      TLeseErgebnis gelesen;
      if (fusion) {
        gelesen = LeseBib(std::filesystem::path(quelle), andere);
      } else {
        eintraege.push_back(LeseSBib(std::filesystem::path(quelle)));
        gelesen = eintraege.back().Ergebnis;
        const std::filesystem::path manifest =
            ManifestDatei(std::filesystem::path(quelle).parent_path());
        std::optional<TPlan>& plan = plaene.emplace_back();
        if (gelesen.Code == TBibCode::Ok && std::filesystem::exists(manifest)) {
          plan = LeseManifest(manifest);
          if (!plan) return Falsch(manifest.string() + ": " + kKeinManifest + quellFehler);
        }
      }
      if (gelesen.Code != TBibCode::Ok) return Falsch(LeseFehler(quelle, gelesen) + quellFehler);
    }

    const TDateiSperre sperre(datei, warteMs);
    if (!sperre.Gehalten()) return Falsch(MeldungsText(sperre.Meldung(), datei));
    TBibliothek bib;
    if (!LadeBib(datei, bib)) return kFalscheEingabe;
    KonsolenHost host(fehler);
    auto suche = std::make_unique<Suche>(einstellungen, host);
    TUebernahme u;
    std::size_t stellungen = 0;
    if (fusion) {
      u = FusioniereBib(bib, *suche, andere);
      if (u.art == TUebernahme::Quelle) return Falsch(quellen[0] + ": " + u.Text + quellFehler);
    } else {
      std::vector<TSBibEintrag> alle;
      for (std::size_t i = 0; i < quellen.size(); ++i) {
        const std::vector<TSBibEintrag>& e = eintraege[i].Eintraege;
        std::string grund = plaene[i] ? PruefeGegenPlan(bib, *plaene[i], e) : std::string();
        if (grund.empty()) grund = PruefeSBib(*suche, e);
        if (!grund.empty()) return Falsch(quellen[i] + ": " + grund + quellFehler);
        alle.insert(alle.end(), e.begin(), e.end());
      }
      stellungen = alle.size();
      u = ImportiereSBib(bib, *suche, alle);
    }
    if (u.art != TUebernahme::Ok)
      return Falsch(datei + ": " + u.Text + "\n" + kBestuendePruefungNicht);
    if (!SpeichereBib(datei, bib)) return kFalscheEingabe;
    if (quellen.size() > 1)
      aus << quellen.size() << " Dateien mit " << Stellungen(static_cast<std::int64_t>(stellungen))
          << " importiert.\n";
    return 0;
  }

  // The search of library positions: every move valued exactly, not only the best.
  Rechner BauRechner(BauHost& host) {
    einstellungen.CBVoll = true;
    Rechner r(einstellungen, host, threadAnzahl);
    host.suche = r.suche.get();
    return r;
  }

  // "bib plan": expands the level before, writes the library back and the level's positions
  // into shard files, the manifest last, so that a folder with a manifest holds a whole plan.
  int BibPlan() {
    const auto ein = Lies({"--stufe", "--teile", "--ordner", "--tiefe", "--warten"}, 1, false, 2);
    int warteMs = 0;
    if (!ein || !LiesWarten(*ein, warteMs)) return kFalscheEingabe;
    int stufe = 0, teile = 0, tiefe = 0;
    const std::string* stufeText = ein->Option("--stufe");
    if (!stufeText || !LiesGanzzahl(*stufeText, 0, kBibStufen - 2, stufe))
      return Falsch("Die Stufe nach --stufe muss eine ganze Zahl von 0 bis 17 sein.");
    const std::string* teileText = ein->Option("--teile");
    if (!teileText || !LiesGanzzahl(*teileText, 1, kHoechstTeile, teile))
      return Falsch("Die Zahl der Teile nach --teile muss eine ganze Zahl von 1 bis " +
                    std::to_string(kHoechstTeile) + " sein.");
    const std::string* ordnerText = ein->Option("--ordner");
    if (!ordnerText || ordnerText->empty())
      return Falsch("Der Ordner für die Teile fehlt (--ordner ORDNER).");
    const std::string* tiefeText = ein->Option("--tiefe");
    if (tiefeText && !LiesGanzzahl(*tiefeText, 2, kMaxSteps, tiefe))
      return Falsch("Die Tiefe muss eine ganze Zahl von 2 bis 16 sein.");
    const std::string& datei = ein->positionen[0];
    const std::filesystem::path ordner(*ordnerText);

    const TDateiSperre sperre(datei, warteMs);
    if (!sperre.Gehalten()) return Falsch(MeldungsText(sperre.Meldung(), datei));
    TBibliothek bib;
    if (!LadeBib(datei, bib, true)) return kFalscheEingabe;
    KonsolenHost host(fehler);
    auto suche = std::make_unique<Suche>(einstellungen, host);
    const TGeplant g = PlaneStufe(bib, *suche, stufe, teile, tiefe);
    if (!g.Fehler.empty()) return Falsch(datei + ": " + g.Fehler);
    // Planning again the same gives the same plan; the shards' calculations stay valid.
    const std::filesystem::path manifest = ManifestDatei(ordner);
    if (std::filesystem::exists(manifest) && LeseManifest(manifest) != g.Plan)
      return Falsch(ordner.string() +
                    " enthält schon einen anderen Plan. Bitte einen leeren Ordner angeben.");
    if (!SpeichereBib(datei, bib)) return kFalscheEingabe;
    std::error_code fehlerCode;
    std::filesystem::create_directories(ordner, fehlerCode);
    for (int k = 1; k <= teile; ++k) {
      const std::filesystem::path teil = TeilDatei(ordner, k);
      if (const TDateiMeldung m = SchreibeSBib(teil, g.Teile[static_cast<std::size_t>(k - 1)]);
          m != TDateiMeldung::Keine)
        return Falsch(MeldungsText(m, teil));
    }
    if (!SchreibeManifest(manifest, g.Plan))
      return Falsch(MeldungsText(TDateiMeldung::SchreibenFehler, manifest));
    aus << "Stufe " << stufe << ", Tiefe " << g.Plan.Tiefe << ": " << Stellungen(g.Plan.Stellungen)
        << " in " << teile << " Teilen nach " << ordner.string() << '\n';
    for (int k = 1; k <= teile; ++k)
      aus << "Teil " << k << ": "
          << Stellungen(static_cast<std::int64_t>(g.Teile[static_cast<std::size_t>(k - 1)].size()))
          << '\n';
    return 0;
  }

  // "bib rechne": calculates the shard's positions that its entry file does not hold yet, and
  // writes the entry file after each, so that a killed run goes on where it stopped.
  int BibRechne() {
    const auto ein = Lies({"--aus", "--threads", "--warten"}, 1, false, 2);
    int warteMs = 0;
    if (!ein || !LiesWarten(*ein, warteMs)) return kFalscheEingabe;
    const std::string& teilName = ein->positionen[0];
    const std::string* ausText = ein->Option("--aus");
    if (!ausText || ausText->empty())
      return Falsch("Die Datei für die Ergebnisse fehlt (--aus DATEI.sbib).");
    const std::filesystem::path ergebnis(*ausText);
    const TSBibGelesen teil = LeseSBib(std::filesystem::path(teilName));
    if (teil.Ergebnis.Code != TBibCode::Ok) return Falsch(LeseFehler(teilName, teil.Ergebnis));
    if (const std::string grund = PruefeTeil(teil.Eintraege); !grund.empty())
      return Falsch(teilName + ": " + grund + ". Das ist kein Teil eines Plans.");

    const TDateiSperre sperre(ergebnis, warteMs);
    if (!sperre.Gehalten()) return Falsch(MeldungsText(sperre.Meldung(), ergebnis));
    std::vector<TSBibEintrag> fertig;
    if (std::filesystem::exists(ergebnis)) {
      TSBibGelesen bisher = LeseSBib(ergebnis);
      if (bisher.Ergebnis.Code != TBibCode::Ok)
        return Falsch(LeseFehler(ergebnis.string(), bisher.Ergebnis));
      fertig = std::move(bisher.Eintraege);
    }
    const std::optional<std::vector<bool>> erledigt = Erledigt(teil.Eintraege, fertig);
    if (!erledigt)
      return Falsch(ergebnis.string() + " enthält Berechnungen, die nicht zu " + teilName +
                    " gehören.");
    const std::filesystem::path zeitDatei = RechenzeitDatei(ergebnis);
    const std::optional<TKennwerte> zeit = LadeKennwerte(zeitDatei, kRechenzeitNamen);
    std::uint64_t rechenzeitMs = zeit ? zeit->begin()->second : 0;
    const auto speichere = [&] {
      TDateiMeldung m = SchreibeSBib(ergebnis, fertig);
      if (m == TDateiMeldung::Keine &&
          !SchreibeDatei(zeitDatei, KennwertText({{"rechenzeit", rechenzeitMs}})))
        m = TDateiMeldung::SchreibenFehler;
      if (m != TDateiMeldung::Keine) Falsch(MeldungsText(m, ergebnis));
      return m == TDateiMeldung::Keine;
    };
    const std::size_t n = teil.Eintraege.size();
    if (fertig.size() == n) {
      if (!std::filesystem::exists(ergebnis) && !speichere()) return kFalscheEingabe;
      aus << "Teil schon fertig: " << Stellungen(static_cast<std::int64_t>(n)) << ".\n";
      return 0;
    }

    BauHost host(fehler);
    Rechner r = BauRechner(host);
    const UnterbrechungsWache wache;
    for (std::size_t i = 0; i < n; ++i) {
      if ((*erledigt)[i]) continue;
      const TSBibEintrag& stellung = teil.Eintraege[i];
      const int L = stellung.Zug.BrettNachZug.GesetzteSteineZiehend +
                    stellung.Zug.BrettNachZug.GesetzteSteineStehend;
      fehler << "Stellung " << i + 1 << " von " << n << " (Stufe " << L << ", Tiefe "
             << stellung.STDenkTiefe << ") ..." << std::flush;
      const std::int64_t start = host.JetztMs();
      if (!RechneStellung(*r.ht, *r.suche, r.Parallel(), stellung.Zug, L, stellung.STDenkTiefe)) {
        fehler << " abgebrochen.\n";
        aus << "Abgebrochen: " << fertig.size() << " von " << n << " Stellungen fertig.\n";
        return 1;
      }
      const std::int64_t ms = host.JetztMs() - start;
      rechenzeitMs += static_cast<std::uint64_t>(ms);
      fertig.push_back(SBibEintrag(stellung.Zug, r.suche->MemStep2));
      if (!speichere()) return kFalscheEingabe;
      fehler << ' ' << MitTausendern(ms) << " ms\n";
    }
    aus << "Teil fertig: " << Stellungen(static_cast<std::int64_t>(n)) << " in "
        << MitTausendern(static_cast<std::int64_t>(rechenzeitMs / 1000)) << " s Rechenzeit.\n";
    return 0;
  }

  // "bib status": how far the shards of a plan are, from the files in its folder.
  int BibStatus() {
    const auto ein = Lies({}, 1, false, 2);
    if (!ein) return kFalscheEingabe;
    const std::filesystem::path ordner(ein->positionen[0]);
    const std::optional<TPlan> plan = LeseManifest(ManifestDatei(ordner));
    if (!plan)
      return Falsch(ManifestDatei(ordner).string() + ": " + kKeinManifest +
                    " Ist das der Ordner eines Plans?");
    aus << "Stufe " << plan->Stufe << ", Tiefe " << plan->Tiefe << ", " << plan->Teile << " Teile, "
        << plan->Stellungen << " Stellungen\n";
    std::int64_t geplant = 0, erledigt = 0, ms = 0;
    int fertig = 0, laufend = 0;
    for (int k = 1; k <= plan->Teile; ++k) {
      const TSBibGelesen teil = LeseSBib(TeilDatei(ordner, k));
      const std::filesystem::path ergebnis = ErgebnisDatei(ordner, k);
      const TSBibGelesen gerechnet =
          std::filesystem::exists(ergebnis) ? LeseSBib(ergebnis) : TSBibGelesen{};
      const auto n = static_cast<std::int64_t>(teil.Eintraege.size());
      const auto d = static_cast<std::int64_t>(gerechnet.Eintraege.size());
      const TDateiSperre probe(ergebnis, 0);
      const bool laeuft = probe.Meldung() == TDateiMeldung::Gesperrt;
      std::string zustand;
      if (teil.Ergebnis.Code != TBibCode::Ok)
        zustand = "Teildatei fehlt oder ist beschädigt";
      else if (gerechnet.Ergebnis.Code != TBibCode::Ok)
        zustand = "Ergebnisdatei beschädigt";
      else if (laeuft)
        zustand = "läuft";
      else if (d >= n && std::filesystem::exists(ergebnis))
        zustand = "fertig";
      else
        zustand = d > 0 ? "unterbrochen" : "wartet";
      fertig += zustand == "fertig";
      laufend += laeuft;
      geplant += n;
      erledigt += d;
      if (const auto zeit = LadeKennwerte(RechenzeitDatei(ergebnis), kRechenzeitNamen))
        ms += static_cast<std::int64_t>(std::min<std::uint64_t>(zeit->begin()->second, 1ULL << 50));
      aus << "Teil " << k << ": " << d << " von " << Stellungen(n) << ", " << zustand << '\n';
    }
    aus << "Teile: " << plan->Teile << " geplant, " << fertig << " fertig, " << laufend
        << " laufen\n";
    aus << "Stellungen: " << erledigt << " von " << geplant << " fertig\n";
    if (erledigt == 0 || ms <= 0) {
      aus << "Stellungen je Stunde: ---\nRestzeit: ---\n";
      return 0;
    }
    aus << "Stellungen je Stunde: " << MitTausendern(erledigt * 3'600'000 / ms)
        << " je rechnendem Teil\n";
    const std::int64_t rest = (geplant - erledigt) * ms / erledigt / std::max(1, laufend);
    aus << "Restzeit: " << DauerText(rest) << (laufend > 1 ? " bei " : "")
        << (laufend > 1 ? std::to_string(laufend) + " laufenden Teilen" : "") << '\n';
    return 0;
  }

  int BibErstellen() {
    const auto ein =
        Lies({"--bis-stufe", "--tiefe", "--threads", "--remis", "--warten"}, 1, false, 2);
    int warteMs = 0;
    if (!ein || !LiesWarten(*ein, warteMs)) return kFalscheEingabe;
    const std::string* bisText = ein->Option("--bis-stufe");
    int bis = 0, tiefe = 0;
    if (!bisText || !LiesGanzzahl(*bisText, 0, kBibStufen - 2, bis))
      return Falsch("Die Stufe nach --bis-stufe muss eine ganze Zahl von 0 bis 17 sein.");
    const std::string* tiefeText = ein->Option("--tiefe");
    if (tiefeText && !LiesGanzzahl(*tiefeText, 2, kMaxSteps, tiefe))
      return Falsch("Die Tiefe muss eine ganze Zahl von 2 bis 16 sein.");
    const std::string& datei = ein->positionen[0];
    // The library is this command's from reading to the last save: nobody else changes it
    // meanwhile, and a missing file is a new library.
    const TDateiSperre sperre(datei, warteMs);
    if (!sperre.Gehalten()) return Falsch(MeldungsText(sperre.Meldung(), datei));
    TBibliothek bib;
    if (!LadeBib(datei, bib, true)) return kFalscheEingabe;
    for (int L = 0; L < kBibStufen; ++L) {
      bib[L].BibAktiv = L <= bis;
      if (tiefe > 0 && L <= bis) bib[L].BibTiefe = tiefe;
    }
    BauHost host(fehler);
    Rechner r = BauRechner(host);
    const std::filesystem::path autosave =
        std::filesystem::path(datei).parent_path() / "Autosave.bib";
    host.naechsteSicherung = host.JetztMs() + BauHost::kAutosaveMs;
    host.autosave = [&] {
      const TDateiMeldung m = SchreibeBib(autosave, bib);
      if (m != TDateiMeldung::Keine) fehler << MeldungsText(m, autosave) << '\n';
    };
    BauFortschritt fortschritt(fehler, host, *r.ht);
    // A killed run resumes from the file: every position is saved, but not more often than
    // every few seconds.
    std::int64_t letzteSicherung = host.JetztMs() - kSicherungsAbstandMs;
    fortschritt.gespeichert = [&] {
      if (host.JetztMs() - letzteSicherung < kSicherungsAbstandMs) return;
      letzteSicherung = host.JetztMs();
      SpeichereBib(datei, bib);
    };
    BibBau bau(bib, *r.ht, *r.suche, r.Parallel(), fortschritt,
               static_cast<std::uint32_t>(host.JetztMs()));
    BauErgebnis e;
    {
      const UnterbrechungsWache wache;
      try {
        e = bau.ErstelleBib();
      } catch (const std::exception& f) {
        SpeichereBib(datei, bib);
        return Falsch(f.what());
      }
    }
    fortschritt.StufeFertig();
    if (!SpeichereBib(datei, bib)) return kFalscheEingabe;
    if (!e.abgebrochen && !e.nullBerechnet && e.berechnet == 0)
      aus << kNichtsZuBerechnen << '\n';
    else
      aus << MeldeErgebnis(e.abgebrochen ? "Erstellung abgebrochen." : "Erstellung abgeschlossen.",
                           e.nullBerechnet, e.berechnet)
          << '\n';
    return 0;
  }

  int Bench() {
    const auto ein = Lies({"--threads", "--leerlauf", "--suche", "--hash", "--signatur"}, 0, false);
    if (!ein) return kFalscheEingabe;
    if (ein->Option("--signatur")) {
      if (ein->Option("--threads") || ein->Option("--leerlauf"))
        return Falsch(
            "Die Signatur rechnet immer im Programm selbst, ohne --threads und --leerlauf.");
      KonsolenHost host(fehler);
      const SuchSignatur s =
          BerechneSuchSignatur(einstellungen.suchArt, einstellungen.TabelleMB, host);
      char hex[17];
      std::snprintf(hex, sizeof hex, "%016" PRIx64, s.pruefsumme);
      aus << "Signatur: " << hex << '\n';
      aus << "Erzeugte Züge: " << MitTausendern(s.erzeugteZuege) << '\n';
      return 0;
    }
    // The search lets events through now and then; that is when the five seconds are checked.
    BenchHost host(fehler);
    Rechner r(einstellungen, host, threadAnzahl);
    if (const std::string* art = ein->Option("--leerlauf")) {
      const std::map<std::string, Leerlauf, std::less<>> arten = {{"kreisen", Leerlauf::Kreisen},
                                                                  {"abgeben", Leerlauf::Abgeben},
                                                                  {"schlafen", Leerlauf::Schlafen}};
      const auto it = arten.find(*art);
      if (it == arten.end())
        return Falsch("Der Leerlauf muss kreisen, abgeben oder schlafen sein.");
      r.ht->leerlauf = it->second;
    }
    const std::int64_t start = host.JetztMs();
    host.Starte(*r.suche, start + 1000 * kBenchmarkSekunden);
    const ScoreMessung m = MesseScore(*r.ht, *r.suche, host, r.Parallel(), start);
    aus << "Erzeugte Züge: " << MitTausendern(m.zuege) << '\n';
    aus << "Zeit: " << MitTausendern(m.ms) << " ms\n";
    if (!m.Definiert()) {
      aus << "Quarne Score: Undefined\n";
      return 0;
    }
    const std::int64_t rate = std::llround(m.ZuegeJeSekunde());
    aus << "Züge/Sekunde: " << MitTausendern(rate) << '\n';
    aus << "Quarne Score: " << std::llround(m.Prozent()) << "% (" << MitTausendern(rate)
        << " Züge/Sek)\n";
    aus << "Threads: " << std::max(1, r.ht->ThreadAnzahl()) << '\n';
    return 0;
  }
};

}  // namespace

int FuehreBefehlAus(const std::vector<std::string>& argumente, std::ostream& aus,
                    std::ostream& fehler) {
  Befehl b{argumente, aus, fehler};
  if (argumente.empty()) return b.Falsch(kAufruf);
  const std::string& name = argumente[0];
  // An error inside a command (a broken library, a worker that does not start) ends the
  // command with its message, never the program.
  try {
    if (name == "perft") return b.Perft();
    if (name == "liste") return b.Liste();
    if (name == "analyse") return b.Analyse();
    if (name == "stepliste") return b.StepListe();
    if (name == "bench") return b.Bench();
    if (name == "bib") return b.Bib();
    if (name == "partie") return b.Partie();
  } catch (const std::exception& e) {
    return b.Falsch(std::string("Fehler: ") + e.what());
  } catch (...) {
    return b.Falsch("Fehler: unbekannter Ausnahmefehler.");
  }
  return b.Falsch("Unbekannter Befehl \"" + name + "\".\n" + kAufruf);
}

}  // namespace quarne
