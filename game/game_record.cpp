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
  letzterZugNr_ = aktZugNr_;
  spielzuege_[aktZugNr_] = {aktZugNr_, farbeAmZug_, spieler, vorDemZug, zug};
  zugGemacht_ = true;
  ++aktZugNr_;
  farbeAmZug_ = FarbeVonZug(aktZugNr_);
}

void Spielstand::WaehleZug(int zeile) {
  aktZugNr_ = std::clamp(zeile + 1, 1, letzterZugNr_ + 1);
  farbeAmZug_ = FarbeVonZug(aktZugNr_);
  if (aktZugNr_ <= letzterZugNr_) {
    computerFarbe_ =
        spielzuege_[aktZugNr_].Spieler == csComputer ? farbeAmZug_ : Gegner(farbeAmZug_);
  } else if (letzterZugNr_ > 0) {
    computerFarbe_ =
        spielzuege_[letzterZugNr_].Spieler == csComputer ? LetzterZieher() : farbeAmZug_;
  }
}

void Spielstand::ZugZurueck() {
  const int a = std::max(0, aktZugNr_ - 2);
  letzterZugNr_ = a;
  WaehleZug(a);
}

void Spielstand::Neu() {
  Beginne(TZug{}, clWeiss, clSchwarz);
}

void Spielstand::Beginne(const TZug& start, TFarbe startFarbe, TFarbe computerFarbe) {
  startZug_ = start;
  startFarbe_ = startFarbe;
  computerFarbe_ = computerFarbe;
  letzterZugNr_ = 0;
  aktZugNr_ = 1;
  farbeAmZug_ = startFarbe;
}

void Spielstand::Uebernimm(const TZug& start, TFarbe startFarbe, TFarbe computerFarbe,
                           const std::vector<TSpielZug>& zuege) {
  startZug_ = start;
  startFarbe_ = startFarbe;
  computerFarbe_ = computerFarbe;
  letzterZugNr_ = static_cast<int>(zuege.size());
  for (int i = 1; i <= letzterZugNr_; ++i) spielzuege_[i] = zuege[static_cast<std::size_t>(i - 1)];
  aktZugNr_ = letzterZugNr_ + 1;
  farbeAmZug_ = FarbeVonZug(aktZugNr_);
  zugGemacht_ = false;
}

}  // namespace quarne
