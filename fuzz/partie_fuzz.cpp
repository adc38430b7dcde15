// The game-file reader on hostile bytes. Besides not crashing, what it accepts is a whole game
// of at most 200 moves, and writing it and reading it again gives the same image. An accepted
// file then goes where the window takes it: into the record, the end-of-game test, the listing
// of the legal moves of the shown position, and the setup tab's counting.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "engine/search.h"
#include "game/game_file.h"
#include "game/position_setup.h"

namespace {

struct StillerGastgeber final : quarne::Host {
  void Meldung(std::string_view) override {}
  void VerarbeiteEreignisse() override {}
  std::int64_t JetztMs() override { return 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  const auto p = LiesPartie(std::span(daten, groesse));
  if (!p) return 0;
  if (p->Zuege.size() > static_cast<std::size_t>(kMaxSpielzuege)) std::abort();
  const Bytes bild = PartieAbbild(*p);
  if (bild.size() != groesse) std::abort();
  const auto wieder = LiesPartie(bild);
  if (!wieder || PartieAbbild(*wieder) != bild) std::abort();

  static const Einstellungen einst;
  static StillerGastgeber gastgeber;
  static const auto suche = std::make_unique<Suche>(einst, gastgeber);
  static const auto spiel = std::make_unique<Spielstand>();
  *spiel = Spielstand{};
  UebernimmPartie(*p, *spiel);
  PruefeSpielende(spiel->AktuellerZug());
  suche->StepRoutineListe(2, spiel->AktuellerZug(), spiel->AktZugNr, spiel->FarbeAmZug, true, false,
                          *spiel);
  TZug aufbau = p->NewNullZug;
  ZaehleSteine(aufbau.BrettNachZug, p->NewNullZugFrb, std::clamp(p->SPEDWeiss, 0, kMaxSteine),
               std::clamp(p->SPEDSchwarz, 0, kMaxSteine));
  return 0;
}
