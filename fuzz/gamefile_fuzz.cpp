// The game-file reader on hostile bytes. Besides not crashing, what it accepts is a whole game
// of at most 200 moves, and writing it and reading it again gives the same image. An accepted
// file then goes where the window takes it: into the record, through every position of it as
// the move list selects them, with the end-of-game test and the listing of the legal moves of
// each, a person's move after stepping back, taking moves back, and the setup tab's counting.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "fuzz/fuzz_search.h"
#include "game/game_file.h"
#include "game/position_setup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  const auto p = LiesPartie(std::span(daten, groesse));
  if (!p) return 0;
  if (p->Zuege.size() > static_cast<std::size_t>(kMaxSpielzuege)) std::abort();
  const Bytes bild = PartieAbbild(*p);
  if (bild.size() != groesse) std::abort();
  const auto wieder = LiesPartie(bild);
  if (!wieder || PartieAbbild(*wieder) != bild) std::abort();

  Suche& suche = FuzzSuche();
  static const auto spiel = std::make_unique<Spielstand>();
  *spiel = Spielstand{};
  UebernimmPartie(*p, *spiel);
  const auto zeige = [&] {
    PruefeSpielende(spiel->AktuellerZug());
    suche.StepRoutineListe(2, spiel->AktuellerZug(), spiel->AktZugNr(), spiel->FarbeAmZug(), true,
                           false, *spiel);
  };
  for (int zeile = spiel->LetzterZugNr(); zeile >= 0; --zeile) {
    spiel->WaehleZug(zeile);
    zeige();
  }
  // Half way back, a person plays the first legal move, which drops the later ones.
  spiel->WaehleZug(spiel->LetzterZugNr() / 2);
  zeige();
  if (suche.Steps[1].ZuegeAnzahl > 0 && !spiel->Voll())
    spiel->Eintragen(spiel->AktuellerZug(), suche.Steps[1].Zuege[1], csHuman);
  for (int zurueck = 0; zurueck < 3 && spiel->LetzterZugNr() > 0; ++zurueck) {
    spiel->ZugZurueck();
    zeige();
  }
  TZug aufbau = p->NewNullZug;
  ZaehleSteine(aufbau.BrettNachZug, p->NewNullZugFrb, std::clamp(p->SPEDWeiss, 0, kMaxSteine),
               std::clamp(p->SPEDSchwarz, 0, kMaxSteine));
  return 0;
}
