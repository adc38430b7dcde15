#include "game/game_file.h"

#include "library/dateien.h"

namespace quarne {
namespace {

// Far beyond any draw limit, so that counting on can never overflow.
constexpr std::int32_t kMaxOhneQuarne = 1'000'000;

bool Farbe(TFarbe f) {
  return f == clWeiss || f == clSchwarz;
}

bool Anzahl(std::int32_t n) {
  return n >= 0 && n <= kMaxSteine;
}

// Enumerations read from a file hold any byte, and counts any number; only what a game can hold
// may reach the board and the search.
bool Gueltig(const TZug& z) {
  const TBrett& b = z.BrettNachZug;
  const bool steine = (b.AlleSteine & ~kBrettMaske) == 0 &&
                      (b.SteineZiehend & b.SteineStehend) == 0 &&
                      b.AlleSteine == (b.SteineZiehend | b.SteineStehend);
  const bool zahlen = Anzahl(b.SteineAnzahlZiehend) && Anzahl(b.SteineAnzahlStehend) &&
                      Anzahl(b.GesetzteSteineZiehend) && Anzahl(b.GesetzteSteineStehend) &&
                      Anzahl(b.VerloreneSteineZiehend) && Anzahl(b.VerloreneSteineStehend);
  return steine && zahlen && z.ZugOhneQuarne >= 0 && z.ZugOhneQuarne <= kMaxOhneQuarne &&
         z.Wertung.ZugResGesamt <= rsWDH && b.SpielPhaseZiehend <= spSpringen &&
         b.SpielPhaseStehend <= spSpringen;
}

}  // namespace

Bytes PartieAbbild(const Partiedatei& p) {
  Bytes bild;
  bild.reserve(kPartieKopfBytes + kPartieZugBytes * p.Zuege.size() + kPartieSchlussBytes);
  ByteWriter w(bild);
  w.Feld(p.StartZug);
  w.Feld(p.StartFarbe);
  w.Feld(p.ComputerFarbe);
  w.I32(static_cast<std::int32_t>(p.Zuege.size()));
  for (const TSpielZug& z : p.Zuege) {
    w.Feld(z.Nr);
    w.Feld(z.Farbe);
    w.Feld(z.Spieler);
    w.Feld(z.VorDemZug);
    w.Feld(z.Zug);
  }
  w.Feld(p.NewNullZug);
  w.Feld(p.NewNullZugFrb);
  w.I32(p.SPEDWeiss);
  w.I32(p.SPEDSchwarz);
  return bild;
}

std::optional<Partiedatei> LiesPartie(std::span<const std::uint8_t> daten) {
  if (daten.size() < kPartieKopfBytes + kPartieSchlussBytes) return std::nullopt;
  const std::size_t zugBytes = daten.size() - kPartieKopfBytes - kPartieSchlussBytes;
  if (zugBytes % kPartieZugBytes != 0) return std::nullopt;
  Partiedatei p;
  ByteReader r(daten);
  std::int32_t n = 0;
  if (!r.Feld(p.StartZug) || !r.Feld(p.StartFarbe) || !r.Feld(p.ComputerFarbe) || !r.I32(n))
    return std::nullopt;
  // The count must be the one the length says, and fit the record.
  if (n < 0 || n > kMaxSpielzuege || static_cast<std::size_t>(n) != zugBytes / kPartieZugBytes)
    return std::nullopt;
  if (!Farbe(p.StartFarbe) || !Farbe(p.ComputerFarbe) || !Gueltig(p.StartZug)) return std::nullopt;
  p.Zuege.resize(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    TSpielZug& z = p.Zuege[static_cast<std::size_t>(i - 1)];
    if (!r.Feld(z.Nr) || !r.Feld(z.Farbe) || !r.Feld(z.Spieler) || !r.Feld(z.VorDemZug) ||
        !r.Feld(z.Zug))
      return std::nullopt;
    if (z.Nr != i || !Farbe(z.Farbe) || (z.Spieler != csComputer && z.Spieler != csHuman) ||
        !Gueltig(z.VorDemZug) || !Gueltig(z.Zug))
      return std::nullopt;
  }
  if (!r.Feld(p.NewNullZug) || !r.Feld(p.NewNullZugFrb) || !r.I32(p.SPEDWeiss) ||
      !r.I32(p.SPEDSchwarz) || r.Rest() != 0)
    return std::nullopt;
  if (!Farbe(p.NewNullZugFrb) || !Gueltig(p.NewNullZug)) return std::nullopt;
  return p;
}

GeladenePartie LadePartie(const std::filesystem::path& datei) {
  Bytes inhalt;
  // Reading stops after the largest game file: anything longer is none.
  const TBibCode gelesen = LadeDatei(datei, inhalt, kPartieHoechstBytes).Code;
  if (gelesen == TBibCode::Size) return {true, std::nullopt};
  if (gelesen != TBibCode::Ok) return {};
  return {true, LiesPartie(inhalt)};
}

Partiedatei ErfassePartie(const Spielstand& s) {
  Partiedatei p;
  p.StartZug = s.StartZug;
  p.StartFarbe = s.StartFarbe;
  p.ComputerFarbe = s.ComputerFarbe;
  // The whole record, also the moves after the one shown.
  for (int i = 1; i <= s.LetzterZugNr; ++i) p.Zuege.push_back(s.Spielzuege[i]);
  return p;
}

void UebernimmPartie(const Partiedatei& p, Spielstand& s) {
  s.StartZug = p.StartZug;
  s.StartFarbe = p.StartFarbe;
  s.ComputerFarbe = p.ComputerFarbe;
  s.LetzterZugNr = static_cast<int>(p.Zuege.size());
  for (int i = 1; i <= s.LetzterZugNr; ++i)
    s.Spielzuege[i] = p.Zuege[static_cast<std::size_t>(i - 1)];
  s.AktZugNr = s.LetzterZugNr + 1;
  s.FarbeAmZug = s.FarbeVonZug(s.AktZugNr);
  s.ZugGemacht = false;
}

std::string KeinePartie(const std::string& datei) {
  return "Die Datei " + datei + " ist keine gültige Quarne-Datei.";
}

}  // namespace quarne
