#include "game/game_record.h"

#include <algorithm>

namespace quarne {

std::vector<std::string> Spielende::Meldungen(TFarbe farbe) const {
  const std::string wer = farbe == clWeiss ? "Weiß" : "Schwarz";
  std::vector<std::string> m;
  if (gewinnDurchQuarne) m.push_back(wer + " gewinnt durch Quarne.");
  if (gewinnDurchBlock) m.push_back(wer + " gewinnt durch Blockade.");
  if (remisDurchLimit)
    m.push_back("Remis durch 20. Zug ohne Quarne.");
  else if (remisDurchWdh)
    m.push_back("Remis durch dritte Zugwiederholung.");
  return m;
}

Spielende PruefeSpielende(const TZug& zug) {
  const TSmartZug& e = zug.SmartZuege[1];
  return {e.GewinnDurchQuarne, e.GewinnDurchBlock, e.RemisDurchLimit, e.RemisDurchWdh};
}

void Spielstand::Eintragen(const TZug& vorDemZug, const TZug& zug, TSpieler spieler) {
  LetzterZugNr = AktZugNr;
  Spielzuege[AktZugNr] = {AktZugNr, FarbeAmZug, spieler, vorDemZug, zug};
  ZugGemacht = true;
  ++AktZugNr;
  FarbeAmZug = FarbeVonZug(AktZugNr);
}

void Spielstand::WaehleZug(int zeile) {
  AktZugNr = std::clamp(zeile + 1, 1, LetzterZugNr + 1);
  FarbeAmZug = FarbeVonZug(AktZugNr);
  if (AktZugNr <= LetzterZugNr) {
    ComputerFarbe = Spielzuege[AktZugNr].Spieler == csComputer ? FarbeAmZug : Gegner(FarbeAmZug);
  } else if (LetzterZugNr > 0) {
    ComputerFarbe = Spielzuege[LetzterZugNr].Spieler == csComputer ? LetzterZieher() : FarbeAmZug;
  }
}

void Spielstand::ZugZurueck() {
  const int a = std::max(0, AktZugNr - 2);
  LetzterZugNr = a;
  WaehleZug(a);
}

void Spielstand::Neu() {
  StartFarbe = clWeiss;
  FarbeAmZug = clWeiss;
  ComputerFarbe = clSchwarz;
  LetzterZugNr = 0;
  AktZugNr = 1;
  StartZug = TZug{};
}

}  // namespace quarne
