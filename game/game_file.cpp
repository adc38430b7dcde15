#include "game/game_file.h"

#include "core/plausibility.h"
#include "library/file_io.h"
#include "library/file_lock.h"

namespace quarne {
namespace {

bool Farbe(TFarbe f) {
  return f == clWeiss || f == clSchwarz;
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
  if (!Farbe(p.StartFarbe) || !Farbe(p.ComputerFarbe) || !MoeglicherZug(p.StartZug))
    return std::nullopt;
  p.Zuege.resize(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    TSpielZug& z = p.Zuege[static_cast<std::size_t>(i - 1)];
    if (!r.Feld(z.Nr) || !r.Feld(z.Farbe) || !r.Feld(z.Spieler) || !r.Feld(z.VorDemZug) ||
        !r.Feld(z.Zug))
      return std::nullopt;
    if (z.Nr != i || !Farbe(z.Farbe) || (z.Spieler != csComputer && z.Spieler != csHuman) ||
        !MoeglicherZug(z.VorDemZug) || !MoeglicherZug(z.Zug))
      return std::nullopt;
  }
  if (!r.Feld(p.NewNullZug) || !r.Feld(p.NewNullZugFrb) || !r.I32(p.SPEDWeiss) ||
      !r.I32(p.SPEDSchwarz) || r.Rest() != 0)
    return std::nullopt;
  if (!Farbe(p.NewNullZugFrb) || !MoeglicherZug(p.NewNullZug)) return std::nullopt;
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

TDateiMeldung SpeicherePartie(const std::filesystem::path& datei, const Partiedatei& p,
                              int warteMs) {
  const TDateiSperre sperre(datei, warteMs);
  if (!sperre.Gehalten()) return sperre.Meldung();
  if (!PruefeSchreibrecht(datei)) return TDateiMeldung::Schreibrechte;
  if (!SchreibeDatei(datei, PartieAbbild(p))) return TDateiMeldung::SchreibenFehler;
  return TDateiMeldung::Keine;
}

Partiedatei ErfassePartie(const Spielstand& s) {
  Partiedatei p;
  p.StartZug = s.StartZug();
  p.StartFarbe = s.StartFarbe();
  p.ComputerFarbe = s.ComputerFarbe();
  // The whole record, also the moves after the one shown.
  for (int i = 1; i <= s.LetzterZugNr(); ++i) p.Zuege.push_back(s.Spielzuege()[i]);
  return p;
}

void UebernimmPartie(const Partiedatei& p, Spielstand& s) {
  s.Uebernimm(p.StartZug, p.StartFarbe, p.ComputerFarbe, p.Zuege);
}

std::string KeinePartie(const std::string& datei) {
  return "Die Datei " + datei + " ist keine gültige Quarne-Datei.";
}

}  // namespace quarne
