#include "library/entryfile.h"

#include <exception>
#include <utility>

#include "library/file_io.h"
#include "library/image_header.h"
#include "library/packing.h"

namespace quarne {

namespace {

TSBibGelesen Fehler(TBibCode code, TDateiMeldung meldung = TDateiMeldung::Keine) {
  return {{code, meldung}, {}};
}

// The records of a plain image after its header; the code of the first that is broken.
TBibCode LiesEintraege(ByteReader r, std::vector<TSBibEintrag>& eintraege) {
  while (r.Rest() > 0) {
    std::uint32_t marke = 0;
    if (!r.U32(marke)) return TBibCode::Fit;
    if (marke != kStempelSBib) return TBibCode::InnStempel;
    TSBibEintrag e;
    std::int32_t anzahl = 0;
    if (!Lies(r, e.Zug) || !r.I32(e.VirtuellAb) || !r.I32(e.STDenkTiefe) || !r.I32(anzahl))
      return TBibCode::Fit;
    if (anzahl < 0 || anzahl > kMaxZuege || !r.Passt(static_cast<std::size_t>(anzahl) * kZugBytes))
      return TBibCode::Fit;
    e.Zuege.resize(static_cast<std::size_t>(anzahl));
    for (TZug& z : e.Zuege) Lies(r, z);
    eintraege.push_back(std::move(e));
  }
  return TBibCode::Ok;
}

}  // namespace

TStep SBibStep(const TSBibEintrag& eintrag) {
  TStep s{};
  s.VirtuellAb = eintrag.VirtuellAb;
  s.STDenkTiefe = eintrag.STDenkTiefe;
  s.ZuegeAnzahl = static_cast<std::int32_t>(eintrag.Zuege.size());
  for (int i = 1; i <= s.ZuegeAnzahl; ++i)
    s.Zuege[i] = eintrag.Zuege[static_cast<std::size_t>(i - 1)];
  return s;
}

TSBibEintrag SBibEintrag(const TZug& zug, const TStep& s) {
  TSBibEintrag e;
  e.Zug = zug;
  e.VirtuellAb = s.VirtuellAb;
  e.STDenkTiefe = s.STDenkTiefe;
  for (int i = 1; i <= s.ZuegeAnzahl; ++i) e.Zuege.push_back(s.Zuege[i]);
  return e;
}

Bytes SBibAbbild(std::span<const TSBibEintrag> eintraege) {
  Bytes abbild;
  BeginneVorspann(abbild, kStempelSBib);
  ByteWriter w(abbild);
  for (const TSBibEintrag& e : eintraege) {
    w.U32(kStempelSBib);
    Schreibe(w, e.Zug);
    w.I32(e.VirtuellAb);
    w.I32(e.STDenkTiefe);
    w.I32(static_cast<std::int32_t>(e.Zuege.size()));
    for (const TZug& z : e.Zuege) Schreibe(w, z);
  }
  SchliesseVorspann(abbild);
  return abbild;
}

TSBibGelesen LeseSBib(std::span<const std::uint8_t> strom, std::size_t hoechstens) {
  const TEntpackt entpackt = Dekomprimiere(strom, hoechstens);
  if (entpackt.Code != TBibCode::Ok)
    return Fehler(entpackt.Code, entpackt.ZuGross ? TDateiMeldung::ZuGross : TDateiMeldung::Keine);
  if (const TBibCode code = PruefeVorspann(entpackt.Abbild, kStempelSBib); code != TBibCode::Ok)
    return Fehler(code);
  TSBibGelesen gelesen;
  try {
    const TBibCode code =
        LiesEintraege(ByteReader(entpackt.Abbild, kVorspannBytes), gelesen.Eintraege);
    if (code != TBibCode::Ok) return Fehler(code);
  } catch (const std::exception&) {
    return Fehler(TBibCode::Except);
  }
  return gelesen;
}

TSBibGelesen LeseSBib(const std::filesystem::path& datei) {
  Bytes strom;
  constexpr std::uint32_t kStempel[] = {kStempelGepackt};
  if (const TLeseErgebnis geladen =
          LadeMitVorspann(datei, strom, kHoechstSBibBytes + kContainerZuschlag, kStempel);
      geladen.Code != TBibCode::Ok)
    return {geladen, {}};
  return LeseSBib(strom);
}

TDateiMeldung SchreibeSBib(const std::filesystem::path& datei,
                           std::span<const TSBibEintrag> eintraege) {
  if (!PruefeSchreibrecht(datei)) return TDateiMeldung::Schreibrechte;
  if (!SchreibeDatei(datei, Komprimiere(SBibAbbild(eintraege))))
    return TDateiMeldung::SchreibenFehler;
  return TDateiMeldung::Keine;
}

}  // namespace quarne
