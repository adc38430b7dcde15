#include "engine/search_run.h"

#include <algorithm>

#include "engine/search.h"

namespace quarne {

SuchLauf::SuchLauf(Suche& suche, const Auftrag& a)
    : zug(*a.zug),
      zugNummer(a.zugNummer),
      farbe(a.farbe),
      verlauf(*a.verlauf),
      tiefe(std::min(a.tiefe, kMaxSteps)),
      zielTiefe(a.timed ? kMaxSteps : std::min(a.tiefe, kMaxSteps)),
      keepTabs(a.keepTabs),
      timed(a.timed),
      complete(a.complete),
      suche_(suche) {
  Host& host = suche.Gastgeber();
  suche.UebernimmEinstellungen();
  if (!keepTabs) host.VerbergeEinstellungsTabs();
  suche.stop_ = false;
  suche.zieh_ = false;
  suche.keineZuege_ = false;
  suche.laeuft_ = true;
  suche.ergebnisBereit_ = false;
  suche.FertigeTiefe = 0;
  suche.SetzeGenZuegeZurueck();
  suche.StartZeit = host.JetztMs();
  if (Anzeigen()) host.SucheGestartet();
  deadline =
      host.JetztMs() + 1000 * static_cast<std::int64_t>(suche.Einstellung().DenkzeitSekunden());
}

SuchLauf::~SuchLauf() {
  if (beendet_) return;
  if (Anzeigen()) suche_.Gastgeber().SucheBeendet();
  suche_.laeuft_ = false;
  suche_.Gastgeber().ZeigeEinstellungsTabs();
}

void SuchLauf::Beende() {
  Host& host = suche_.Gastgeber();
  beendet_ = true;
  if ((suche_.zieh_ || (suche_.stop_ && !keepTabs)) && suche_.ergebnisBereit_ && !complete)
    suche_.SichereUnterbrochene();
  if (Anzeigen()) host.SucheBeendet();
  suche_.laeuft_ = false;
  host.ZeigeEinstellungsTabs();
  if (timed) host.ZeigeDenkzeit();
}

}  // namespace quarne
