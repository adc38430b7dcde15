#include "app/bench_signature.h"

#include <bit>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/notation.h"
#include "core/position_notation.h"
#include "engine/perft.h"
#include "engine/search.h"
#include "game/game_record.h"

namespace quarne {
namespace {

struct Signaturstellung {
  const char* stellung;
  int tiefe;
  // Moves played from the position before the search, as analyse writes them, separated by
  // commas: the search runs after them and knows them for the repetition rule.
  const char* vorher = "";
  bool voll = false;  // CBVoll
};

// Every phase, the draw rules, decided positions, a blocked side and CBVoll, at depths where
// the classic search needs a few seconds for all of them in a release build.
constexpr Signaturstellung kStellungen[] = {
    // Placing: empty board, early, middle, late, and one side done placing.
    {"........................ W 0 0", 10},
    {"...........S.........W.. W 1 1 2", 8},
    {".........S...WSW........ W 2 2 4", 8},
    {".W.W.W.W.S.W.S...S.S.... S 5 4 9", 8},
    {"W......SSSSSSW.W.......W W 6 6 0", 8},
    {"WS.SS..SWWWWSSWW.......W W 8 8 3", 9},
    {"SSSW.S.W...S.W.WW..W.SWW S 9 8 0", 9},
    // Moving.
    {"W.WS.SWSWSSW.WSW..SSSW.. W 9 9 10", 10},
    {".S....SWWWWWS.S.S.W.SWSS W 9 9 0", 9},
    {".......W.S.W.S.WW.SSSWWW W 9 9 1", 10},
    {"S.SWSW.S.W.WSW.WSW..SW.W W 9 9 7", 9},
    // Flying.
    {"...W.W.S.SSSSSSS.....W.S W 9 9 0", 9},
    {"S.....W...WWW...WWWS.S.. S 9 9 2", 7},
    {".W...S...W..S.S......SW. W 9 9 3", 8},
    // Lost in five, and a quick win for the side with three stones.
    {"WSSSSWSWS....S.S.S...W.. W 9 9 2", 7},
    {".SW......S....W..S...W.. S 9 9 1", 6},
    // Three half-moves before the draw limit.
    {".......W.S.W.S.WW.SSSWWW W 9 9 37", 10},
    // Both sides stepped back and forth: g1 d1 repeats a position for the third time, and
    // further positions of the game come round again below.
    {".S....SWWWWWS.S.S.W.SWSS W 9 9 0", 8, "f4 g4,d1 g1,g4 f4,g1 d1,f4 g4,d1 g1,g4 f4"},
    // Black cannot move.
    {"SSSW..WS.W.....W........ S 9 9", 4},
    // Every root move valued exactly.
    {".W.W.....S.W.S.....S.... W 3 3 6", 7, "", true},
    {"WS...SWSSSS.W.W..S...S.S W 9 9 0", 8, "", true},
};

// FNV-1a over the little-endian bytes of each value.
class Fnv1a {
 public:
  void Bytes(std::uint64_t wert, int anzahl) {
    for (int i = 0; i < anzahl; ++i) {
      wert_ ^= (wert >> (8 * i)) & 0xFF;
      wert_ *= 0x100000001B3;
    }
  }
  void I32(std::int32_t n) { Bytes(static_cast<std::uint32_t>(n), 4); }
  void Zug(const TZug& z) {
    const TZugWert& w = z.Wertung;
    I32(z.Nr);
    Bytes(w.ZugResGesamt, 1);
    if (w.ZugResGesamt != rsQuarn) I32(w.ResultInXZuegen);
    Bytes(std::bit_cast<std::uint64_t>(w.PunktWertGes), 8);
  }
  std::uint64_t Wert() const { return wert_; }

 private:
  std::uint64_t wert_ = 0xCBF29CE484222325;
};

// The game from the position of p through its earlier moves.
std::unique_ptr<Spielstand> Partie(const Signaturstellung& p, const Einstellungen& e, Host& host) {
  const StellungOderFehler st = LiesStellung(p.stellung);
  if (!st.stellung) throw std::logic_error(std::string(p.stellung) + ": " + st.fehler);
  auto spiel = std::make_unique<Spielstand>();
  spiel->Beginne(st.stellung->zug, st.stellung->farbe, spiel->ComputerFarbe());
  auto zuege = std::make_unique<Perft>(e, host);
  for (std::string_view rest = p.vorher; !rest.empty();) {
    const std::size_t komma = rest.find(',');
    const std::string_view text = rest.substr(0, komma);
    rest = komma == std::string_view::npos ? std::string_view{} : rest.substr(komma + 1);
    zuege->Zaehle(spiel->AktuellerZug(), spiel->AktZugNr(), spiel->FarbeAmZug(), 1, *spiel);
    const TStep& liste = zuege->Steps[1];
    int i = 1;
    while (i <= liste.ZuegeAnzahl) {
      const TZug& z = liste.Zuege[i];
      if (ZugText(z.VonPosition, z.NachPosition, z.EntfStein, z.ErgibtQuarne) == text) break;
      ++i;
    }
    if (i > liste.ZuegeAnzahl)
      throw std::logic_error(std::string(p.stellung) + ": kein Zug " + std::string(text));
    // As the game keeps a move: with the position before it seen from the side that made it.
    spiel->Eintragen(liste.VorDemZug, liste.Zuege[i], csHuman);
  }
  return spiel;
}

}  // namespace

SuchSignatur BerechneSuchSignatur(SuchArt art, int tabelleMB, Host& host) {
  Fnv1a h;
  SuchSignatur ergebnis;
  for (const Signaturstellung& p : kStellungen) {
    Einstellungen e;
    e.suchArt = art;
    e.TabelleMB = tabelleMB;
    e.CBVoll = p.voll;
    const auto spiel = Partie(p, e, host);
    auto suche = std::make_unique<Suche>(e, host);
    suche->StepRoutine(p.tiefe, spiel->AktuellerZug(), spiel->AktZugNr(), spiel->FarbeAmZug(), {},
                       *spiel);
    ergebnis.erzeugteZuege += suche->GenZuege();
    h.Bytes(suche->KeineZuege(), 1);
    h.I32(suche->FertigeTiefe);
    if (suche->KeineZuege()) continue;
    h.Zug(suche->MemStep2.Zuege[1]);
    const TStep& wurzel = suche->Steps[1];
    for (int i = 1; i <= wurzel.ZuegeAnzahl; ++i) {
      const TZug& z = wurzel.Zuege[i];
      if (p.voll || (z.BEWERTET && !z.Canceld)) h.Zug(z);
    }
  }
  ergebnis.pruefsumme = h.Wert();
  return ergebnis;
}

}  // namespace quarne
