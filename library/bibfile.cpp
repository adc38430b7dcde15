#include "library/bibfile.h"

#include <new>

#include "library/file_io.h"
#include "library/image_header.h"
#include "library/packing.h"
#include "library/validation.h"

namespace quarne {

namespace {

// An entry's layout, for a ByteWriter with a const entry or a ByteReader with an entry.
template <class Bild, class Eintrag>
void EintragFelder(Bild& b, Eintrag& e) {
  b.Feld(e.Zug);
  b.Feld(e.BibVon);
  b.Feld(e.BibBis);
  b.Feld(e.BibDenkTiefe);
  b.Feld(e.BibVirtuellAb);
  b.Feld(e.BibZuBerechnen);
  b.Feld(e.BibBerechnet);
  b.Feld(e.ZuLoeschen);
  b.Feld(e.Frei);
  b.Feld(e.rSC);
  b.Luecke(3);
}

void SchreibeEintrag(ByteWriter& w, TBibZug e) {
  e.ZuLoeschen = false;  // a mark that exists only while a deletion or a check runs
  EintragFelder(w, e);
}

// Whether every entry's role is one of the three and its children lie in the next level: no
// children (-1, -1) while not calculated, or a contiguous range there that is empty only as
// [BibVon, BibVon - 1], as a calculation without moves leaves it. Lookups and deletions index
// the next level by these ranges without checking again.
bool VerweiseGueltig(const TBibliothek& bib) {
  for (int L = 0; L < kBibStufen; ++L) {
    const std::int32_t naechste = L + 1 < kBibStufen ? bib[L + 1].BibCnt() : 0;
    for (const TBibZug& e : bib[L].BibZuege) {
      if (e.rSC > r0) return false;
      const bool keine = e.BibVon == -1 && e.BibBis == -1;
      const bool bereich =
          e.BibVon >= 0 && e.BibVon <= naechste && e.BibBis >= e.BibVon - 1 && e.BibBis < naechste;
      if (keine ? e.BibBerechnet : !bereich) return false;
    }
  }
  return true;
}

// A level's fields before its entries, and its count against the `laenge` of the whole image.
TDateiMeldung LeseStufenKopf(ByteReader& r, int L, std::size_t laenge, TBibSegm& stufe,
                             std::int32_t& anzahl) {
  if (!r.Feld(stufe.BibAktiv)) return TDateiMeldung::Fit1;
  if (!r.I32(anzahl)) return TDateiMeldung::Fit2;
  if (!r.I32(stufe.BibTiefe)) return TDateiMeldung::Fit3;
  if (anzahl < 0 || static_cast<std::size_t>(anzahl) > (laenge - r.Pos()) / kBibZugBytes)
    return TDateiMeldung::Fit4;
  if (L == 0 && anzahl != 0 && anzahl != 2) return TDateiMeldung::Wurzel;
  return TDateiMeldung::Keine;
}

// Level 0's fields from the first bytes of a packed image, as reading its levels would find
// them, before the image is unpacked.
constexpr std::size_t kStufe0Ende = kVorspannBytes + 9;
TDateiMeldung PruefeStufe0(std::span<const std::uint8_t> anfang) {
  std::int64_t laenge = 0;
  ByteReader kopf(anfang, 4);
  if (anfang.size() < kStufe0Ende || !kopf.I64(laenge) || laenge < 0) return TDateiMeldung::Keine;
  ByteReader r(anfang, kVorspannBytes);
  TBibSegm stufe;
  std::int32_t anzahl = 0;
  return LeseStufenKopf(r, 0, static_cast<std::size_t>(laenge), stufe, anzahl);
}

// The levels of a plain image after its header, straight into `bib`. Every count is checked
// against the bytes that remain, and level 0's against the two root entries, before anything is
// allocated for it; the first entry that no position of its level could be ends the reading.
TDateiMeldung LeseStufen(std::span<const std::uint8_t> abbild, TBibliothek& bib) {
  ByteReader r(abbild, kVorspannBytes);
  for (int L = 0; L < kBibStufen; ++L) {
    TBibSegm& stufe = bib[L];
    std::int32_t anzahl = 0;
    if (const TDateiMeldung m = LeseStufenKopf(r, L, abbild.size(), stufe, anzahl);
        m != TDateiMeldung::Keine)
      return m;
    stufe.BibZuege.assign(static_cast<std::size_t>(anzahl), TBibZug{});
    for (TBibZug& e : stufe.BibZuege) {
      EintragFelder(r, e);
      if (!EintragMoeglich(e, L)) return TDateiMeldung::Stellung;
    }
  }
  if (r.Rest() > 0) return TDateiMeldung::RestVorhanden;
  if (!VerweiseGueltig(bib)) return TDateiMeldung::Verweise;
  return TDateiMeldung::Keine;
}

}  // namespace

Bytes BibAbbild(const TBibliothek& bib) {
  Bytes abbild;
  BeginneVorspann(abbild, kStempelBib);
  ByteWriter w(abbild);
  for (const TBibSegm& stufe : bib.Stufen) {
    w.Feld(stufe.BibAktiv);
    w.I32(stufe.BibCnt());
    w.I32(stufe.BibTiefe);
    for (const TBibZug& e : stufe.BibZuege) SchreibeEintrag(w, e);
  }
  SchliesseVorspann(abbild);
  return abbild;
}

TLeseErgebnis LeseBib(std::span<const std::uint8_t> strom, TBibliothek& ziel,
                      std::size_t hoechstens) {
  std::span<const std::uint8_t> abbild = strom;
  TEntpackt entpackt;
  if (PruefeVorspann(strom, kStempelBib) != TBibCode::Ok) {
    if (const TBibCode code = PruefeVorspann(strom, kStempelGepackt); code != TBibCode::Ok)
      return {code, TDateiMeldung::Beschaedigt};
    TDateiMeldung stufe0 = TDateiMeldung::Keine;
    entpackt = Dekomprimiere(strom, hoechstens, kStufe0Ende, [&](std::span<const std::uint8_t> a) {
      stufe0 = PruefeStufe0(a);
      return stufe0 == TDateiMeldung::Keine;
    });
    if (entpackt.ZuGross) return {entpackt.Code, TDateiMeldung::ZuGross};
    if (stufe0 != TDateiMeldung::Keine) {
      for (TBibSegm& stufe : ziel.Stufen) stufe = TBibSegm{};
      return {TBibCode::Except, stufe0};
    }
    if (entpackt.Code != TBibCode::Ok)
      return {entpackt.Code, entpackt.Code == TBibCode::Memory ? TDateiMeldung::EntpackenSpeicher
                                                               : TDateiMeldung::EntpackenFehler};
    if (const TBibCode code = PruefeVorspann(entpackt.Abbild, kStempelBib); code != TBibCode::Ok)
      return {code, TDateiMeldung::Beschaedigt};
    abbild = entpackt.Abbild;
  } else if (strom.size() > hoechstens) {
    return {TBibCode::Size, TDateiMeldung::ZuGross};
  }

  TDateiMeldung meldung;
  try {
    meldung = LeseStufen(abbild, ziel);
  } catch (const std::bad_alloc&) {
    meldung = TDateiMeldung::LesenSpeicher;
  }
  if (meldung == TDateiMeldung::Keine) return {};
  for (TBibSegm& stufe : ziel.Stufen) stufe = TBibSegm{};
  return {meldung == TDateiMeldung::LesenSpeicher ? TBibCode::Memory : TBibCode::Except, meldung};
}

TLeseErgebnis LeseBib(const std::filesystem::path& datei, TBibliothek& ziel) {
  Bytes strom;
  constexpr std::uint32_t kStempel[] = {kStempelBib, kStempelGepackt};
  if (const TLeseErgebnis geladen =
          LadeMitVorspann(datei, strom, kHoechstBibBytes + kContainerZuschlag, kStempel);
      geladen.Code != TBibCode::Ok)
    return geladen;
  return LeseBib(strom, ziel);
}

TDateiMeldung SchreibeBib(const std::filesystem::path& datei, const TBibliothek& bib) {
  if (!PruefeSchreibrecht(datei)) return TDateiMeldung::Schreibrechte;
  Bytes abbild = BibAbbild(bib);
  TDateiMeldung meldung = TDateiMeldung::Keine;
  try {
    abbild = Komprimiere(abbild);
  } catch (const std::bad_alloc&) {
    meldung = TDateiMeldung::KompressionSpeicher;  // the plain image is written instead
  }
  if (!SchreibeDatei(datei, abbild)) return TDateiMeldung::SchreibenFehler;
  return meldung;
}

}  // namespace quarne
