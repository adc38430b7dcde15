#include "game/game_flow.h"

#include <exception>
#include <string>

#include "engine/values.h"
#include "game/game_file.h"
#include "game/position_setup.h"
#include "library/lookup.h"

namespace quarne {
namespace {

constexpr const char* kUeberschreibenZug = "Zug überschreiben ?";
constexpr const char* kUeberschreibenSpiel = "Spiel überschreiben ?";

}  // namespace

Spielablauf::Spielablauf(Spielstand& spiel, Suche& suche, HTSuche& ht,
                         const Einstellungen& einstellungen, const SpielOptionen& optionen,
                         SpielFenster& fenster, std::uint32_t zufallsKeim)
    : spiel_(spiel),
      suche_(suche),
      ht_(ht),
      einst_(einstellungen),
      opt_(optionen),
      fenster_(fenster),
      zufall_(zufallsKeim) {}

bool Spielablauf::Ueberlauf() {
  if (!spiel_.Voll()) return false;
  fenster_.Nachricht("Die Anzahl der maximalen Züge (" + std::to_string(kMaxSpielzuege) +
                     ") wurde erreicht");
  return true;
}

bool Spielablauf::MeldeSpielende(bool melden) {
  const Spielende ende = PruefeSpielende(spiel_.AktuellerZug());
  if (melden)
    for (const std::string& m : ende.Meldungen(spiel_.LetzterZieher())) fenster_.Nachricht(m);
  return ende.Vorbei();
}

void Spielablauf::FuehreZugAus(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) {
  // The record holds 200 moves; a person's move beyond them is refused like the computer's.
  if (Ueberlauf()) return;
  const bool spaeter = spiel_.AktZugNr() <= spiel_.LetzterZugNr();
  if (spaeter && (opt_.SpVsSpCB || spieler == csHuman) && !fenster_.Frage(kUeberschreibenZug)) {
    // Nothing changes; the board starts the entry afresh on the unchanged position.
    fenster_.StellungGewechselt();
    fenster_.AktualisiereSpiel();
    return;
  }
  spiel_.Eintragen(vorDemZug, zug, spieler);
  fenster_.RecordGeaendert();
  fenster_.AktualisiereSpiel();
  if (opt_.TonCB && spieler == csComputer && !opt_.SpVsSpCB) fenster_.Beep();
  const bool vorbei = MeldeSpielende(true);
  if (opt_.LogCB) fenster_.SchreibeLog();
  if (opt_.SpVsSpCB) return;
  if (opt_.CBAuto && spieler == csHuman && !vorbei) {
    ComputerZug();
    if (opt_.LogCB) fenster_.SchreibeLog();
  }
}

void Spielablauf::ComputerZug() {
  if (Ueberlauf()) return;
  if (MeldeSpielende(true)) return;
  if (spiel_.AktZugNr() <= spiel_.LetzterZugNr() && !fenster_.Frage(kUeberschreibenZug)) return;
  if (AusDerBibliothek()) {
    SpieleErgebnis();
    return;
  }

  suche_.BereiteVor();
  spiel_.SetzeZugGemacht(false);
  fenster_.AktualisiereSpiel();
  fenster_.VerbergeTabelle();
  fenster_.SucheLaeuft(true);
  const bool gesucht = Suchen();
  fenster_.SucheLaeuft(false);
  if (!gesucht) {
    fenster_.AktualisiereSpiel();
    return;
  }

  if (suche_.KeineZuege()) {
    fenster_.Nachricht(spiel_.FarbeAmZug() == clWeiss
                           ? "Für Weiß sind keine Züge verfügbar. Schwarz blockiert Weiß."
                           : "Für Schwarz sind keine Züge verfügbar. Weiß blockiert Schwarz.");
    fenster_.AktualisiereSpiel();
    return;
  }
  if (suche_.Angehalten()) {
    spiel_.SetzeZugGemacht(false);
    suche_.HebeHaltAuf();
    fenster_.AktualisiereSpiel();
    return;
  }
  if (!suche_.ErgebnisBereit()) {
    fenster_.AktualisiereSpiel();
    return;
  }
  SpieleErgebnis();
}

bool Spielablauf::AusDerBibliothek() {
  if (!opt_.CBUseBib || bib_ == nullptr) return false;
  const TBibTiefenwahl wahl{einst_.AutoGroup, opt_.TiefeSE1, opt_.CBBibDenkTiefe, opt_.BibSE};
  TStep& m = suche_.MemStep;
  try {
    if (!GenMemStep(*bib_, m, spiel_.AktuellerZug(), wahl)) return false;
  } catch (const std::exception& fehler) {
    // A damaged library must not cost the game its move: the search answers.
    fenster_.Nachricht(fehler.what());
    return false;
  }
  SortRoutine(m, einst_, suche_.Gastgeber());
  ht_.SetzeZaehlerZurueck();
  suche_.UebernimmErgebnis(m);
  fenster_.ZeigeBibErgebnis();
  return true;
}

bool Spielablauf::Suchen() {
  HTOptionen optionen;
  optionen.Timed = einst_.DenkzeitSekunden() > 0;
  try {
    ht_.Suchen(opt_.Parallel, opt_.TiefeSE1, spiel_.AktuellerZug(), spiel_.AktZugNr(),
               spiel_.FarbeAmZug(), optionen, spiel_);
  } catch (const std::exception& fehler) {
    // The searches have already ended the run and brought the tabs back.
    fenster_.Nachricht(fehler.what());
    return false;
  }
  return true;
}

void Spielablauf::SpieleErgebnis() {
  const TStep& ergebnis = suche_.MemStep2;
  const int n = AnzahlGleichBeste(ergebnis);
  int i = 0;
  if (n > 1) i = std::uniform_int_distribution<int>(0, n - 1)(zufall_);
  if (n == 0) return;
  FuehreZugAus(ergebnis.VorDemZug, ergebnis.Zuege[i + 1], csComputer);
}

void Spielablauf::ZiehBClick() {
  if (suche_.Laeuft()) {
    suche_.ZieheJetzt();
    return;
  }
  // The button is offered only for a result of the shown position; the handler checks it too.
  if (suche_.ErgebnisBereit() && !spiel_.ZugGemacht() &&
      suche_.MemStep2.STZugNummer == spiel_.AktZugNr())
    SpieleErgebnis();
}

void Spielablauf::NeuesSpiel() {
  if (suche_.Laeuft()) return;
  if (spiel_.LetzterZugNr() > 0 && !fenster_.Frage(kUeberschreibenSpiel)) return;
  spiel_.Neu();
  SpielErsetzt();
}

void Spielablauf::SpielErsetzt() {
  // A result of the old game must not be played into the new one with "Zieh".
  suche_.VerwirfErgebnis();
  fenster_.RecordGeaendert();
  fenster_.AktualisiereSpiel();
  fenster_.NeuesSpielAngezeigt();
}

bool Spielablauf::Lade(const Partiedatei& partie) {
  if (suche_.Laeuft()) return false;
  UebernimmPartie(partie, spiel_);
  SpielErsetzt();
  return true;
}

bool Spielablauf::ZurAnalyse(const TZug& aufbau, TFarbe aufbauFarbe, TFarbe startFarbe) {
  if (suche_.Laeuft()) return false;
  if (spiel_.LetzterZugNr() > 0 && !fenster_.Frage(kUeberschreibenSpiel)) return false;
  // The colours change only with the game they belong to: a kept game keeps its own.
  TZug start = spiel_.StartZug();
  UebernimmAufbau(aufbau, aufbauFarbe, startFarbe, start);
  return Beginne(start, startFarbe, startFarbe);
}

bool Spielablauf::Beginne(const TZug& start, TFarbe startFarbe, TFarbe computerFarbe) {
  if (suche_.Laeuft()) return false;
  spiel_.Beginne(start, startFarbe, computerFarbe);
  SpielErsetzt();
  return true;
}

void Spielablauf::WaehleZug(int zeile) {
  if (suche_.Laeuft()) return;
  spiel_.WaehleZug(zeile);
  fenster_.StellungGewechselt();
  fenster_.AktualisiereSpiel();
}

void Spielablauf::ZurueckButnClick() {
  // "X" stays enabled while the computer thinks; the record must not change under a search.
  if (suche_.Laeuft()) return;
  spiel_.ZugZurueck();
  fenster_.RecordGeaendert();
  fenster_.AktualisiereSpiel();
}

void Spielablauf::WechselButClick() {
  spiel_.TauscheSeiten();
  fenster_.StellungGewechselt();
  fenster_.AktualisiereSpiel();
}

}  // namespace quarne
