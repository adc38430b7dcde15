// Move generation of the step stack: every legal move of a ply with its mills, removal variants,
// draws and values, as the search loops and the list-mode pass consume them.
#include "engine/stepstack.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/geometry.h"
#include "engine/evaluation.h"

namespace quarne {
namespace {

constexpr const char* kUeberlauf = "Die Anzahl der maximalen Züge im Step reichen nicht aus!";

// Finishing a move: its own value is its total.
void Fertig(TZug& z) {
  z.Wertung.PunktWertGes = z.Wertung.PunktWertA;
  z.BEWERTET = true;
}

// The part of a move record before its principal line.
void KopiereKopf(TZug& ziel, const TZug& quelle) {
  std::memcpy(static_cast<void*>(&ziel), &quelle, offsetof(TZug, SmartZuege));
}

}  // namespace

bool StepStack::HTGenMoves(int s, const GenModus& modus, bool& toCancel) {
  TStep& st = Steps[s];
  toCancel = false;
  st.ZuegeAnzahl = 0;
  st.ZugZeiger = 0;
  const TBrett& p = st.VorDemZug.BrettNachZug;
  const Punkte frei = ~p.AlleSteine & kBrettMaske;

  if (p.SpielPhaseZiehend == spSetzen && !st.Virtuell) {
    // A side that has placed all nine stones but still counts as placing (fewer than three
    // left) has nothing to place: it is blocked.
    if (p.GesetzteSteineZiehend >= kMaxSteine) return false;
    for (Punkte rest = frei; rest; rest &= rest - 1) {
      if (HTZugRumpf(0, rest & -rest, s, modus, toCancel)) return true;
      if (toCancel) return false;
    }
    return false;
  }

  if (p.SpielPhaseZiehend == spZiehen || st.Virtuell) {
    for (Punkte steine = p.SteineZiehend & kBrettMaske; steine; steine &= steine - 1) {
      const int i = std::countr_zero(steine);
      const NachbarListe& nachbarn = kNachbarn[i];
      for (int k = 0; k < nachbarn.anzahl; ++k) {
        if (!(nachbarn.punkt[k] & frei)) continue;
        if (HTZugRumpf(Punkt(i), nachbarn.punkt[k], s, modus, toCancel)) return true;
        if (toCancel) return false;
      }
    }
    if (st.Virtuell) return HTZugRumpf(0, 0, s, modus, toCancel);
    return false;
  }

  for (Punkte steine = p.SteineZiehend & kBrettMaske; steine; steine &= steine - 1) {
    const Punkte stein = steine & -steine;
    for (Punkte rest = frei; rest; rest &= rest - 1) {
      if (HTZugRumpf(stein, rest & -rest, s, modus, toCancel)) return true;
      if (toCancel) return false;
    }
  }
  return false;
}

void StepStack::InDenBaum(int s, int n) {
  if (baum_ == nullptr) return;
  TZug& z = Steps[s].Zuege[n];
  const TZugResZiehend r = z.Wertung.ZugResGesamt;
  const int eltern = s > 1 ? AktuellerZug(s - 1).ANZgPos : -1;
  z.ANZgPos = baum_->HTAddZug(s, z, r == rsWDH || r == rsWIN, eltern);
}

int StepStack::NeuerZug(Punkte von, Punkte nach, int s, const GenModus& modus) {
  TStep& st = Steps[s];
  const TBrett& p = st.VorDemZug.BrettNachZug;
  if (nach & p.AlleSteine) return 0;
  if (st.ZuegeAnzahl >= kMaxZuege) {
    host_.Meldung(kUeberlauf);
    return 0;
  }
  const int n = ++st.ZuegeAnzahl;
  st.ZZ[n] = static_cast<std::uint8_t>(n);
  if (modus.stepIsMax) st.ZugZeiger = n;

  TZug& z = st.Zuege[n];
  z.BrettNachZug = p;
  z.ZugOhneQuarne = st.VorDemZug.ZugOhneQuarne;
  z.Wertung.ResultInXZuegen = 0;
  z.Wertung.PunktWertA = 0;
  z.Wertung.PunktWertGes = 0;
  z.BEWERTET = false;
  z.Canceld = false;
  z.Extrapoliert = false;
  z.StepMaxZug = static_cast<std::uint8_t>(modus.stepMax);
  if (modus.imThreadNull) z.IMTHREAD = 0;
  z.VonPosition = von;
  z.NachPosition = nach;
  TBrett& b = z.BrettNachZug;
  b.SteineZiehend = (b.SteineZiehend & ~von) | nach;
  return n;
}

bool StepStack::ZugMitQuarne(int n, int s, const GenModus& modus, bool& toCancel) {
  TStep& st = Steps[s];
  TZug& z = st.Zuege[n];
  TBrett& b = z.BrettNachZug;
  const Gewichte& w = einst_.gewichte;
  z.ErgibtQuarne = true;
  z.ZugOhneQuarne = 0;
  if (st.Virtuell) {
    z.Nr = n;
    z.EntfStein = 0;
    b.AlleSteine = b.SteineZiehend | b.SteineStehend;
    z.Wertung.ZugResGesamt = rsQuarn;
    const bool gegnerSpringt = b.SpielPhaseStehend == spSpringen;
    double wert = 0;
    if (einst_.CBVirtQuarne2 && !gegnerSpringt)
      wert = w.EDPunktVirt;
    else if (einst_.CBVirtGewinn2 && gegnerSpringt)
      wert = w.EDWinVirt;
    z.Wertung.PunktWertA = wert;
    z.Wertung.PunktWertA += ZugBewertung(b.SteineZiehend, b.SteineStehend, einst_);
    BeendeVirtuell(z, modus);
    HTCreateSmartZug(n, false, false, s);
    ZugFertig(s, n, modus, toCancel);
    return false;
  }
  if (b.SpielPhaseStehend == spSpringen) {
    z.Wertung.ZugResGesamt = rsWIN;
    z.Wertung.ResultInXZuegen = 0;
    z.BEWERTET = true;
    HTHelpZugRumpfBeiQuarne(n, true, s, modus, toCancel);
    return !modus.alleZuege;
  }
  z.Wertung.ZugResGesamt = rsQuarn;
  z.Wertung.PunktWertA = w.EDPunktWert;
  if (modus.stepIsMax) Fertig(z);
  HTHelpZugRumpfBeiQuarne(n, false, s, modus, toCancel);
  return false;
}

bool StepStack::HTZugRumpf(Punkte von, Punkte nach, int s, const GenModus& modus, bool& toCancel) {
  const int n = NeuerZug(von, nach, s, modus);
  if (n == 0) return false;
  if (HTIstQuarne(nach, n, s)) return ZugMitQuarne(n, s, modus, toCancel);

  TStep& st = Steps[s];
  TZug& z = st.Zuege[n];
  TBrett& b = z.BrettNachZug;
  const Gewichte& w = einst_.gewichte;
  ZaehleZug();
  z.Nr = n;
  z.ErgibtQuarne = false;
  z.ZugOhneQuarne += 1;
  z.EntfStein = 0;
  b.AlleSteine = b.SteineZiehend | b.SteineStehend;

  if (st.Virtuell) {
    z.Wertung.ZugResGesamt = rsQuarn;
    const bool blockiert = nach == 0 && n == 1;  // the pass is the only move
    if (blockiert && einst_.CBVirtGewinn2) {
      z.Wertung.PunktWertA = -w.EDWinVirt;
      if (modus.stepIsMax) Fertig(z);
    } else {
      z.Wertung.PunktWertA = ZugBewertung(b.SteineZiehend, b.SteineStehend, einst_);
      BeendeVirtuell(z, modus);
    }
    HTCreateSmartZug(n, false, false, s);
    ZugFertig(s, n, modus, toCancel);
    return false;
  }

  if (b.SpielPhaseZiehend == spSetzen) {
    ++b.SteineAnzahlZiehend;
    ++b.GesetzteSteineZiehend;
  }
  const bool durchLimit = einst_.RemisLimit != -1 && z.ZugOhneQuarne >= einst_.RemisLimit;
  if (durchLimit || (b.SpielPhaseZiehend != spSetzen && HTTestWdh(b, s))) {
    z.Wertung.ZugResGesamt = rsWDH;
    z.Wertung.ResultInXZuegen = 0;
    z.BEWERTET = true;
    HTCreateSmartZug(n, false, false, s);
    z.SmartZuege[s].RemisDurchLimit = durchLimit;
    z.SmartZuege[s].RemisDurchWdh = !durchLimit;
    ZugFertig(s, n, modus, toCancel);
    return false;
  }

  z.Wertung.ZugResGesamt = rsQuarn;
  const bool springt = b.SpielPhaseZiehend == spSpringen || b.SpielPhaseStehend == spSpringen;
  if (!springt) z.Wertung.PunktWertA = ZugBewertung(b.SteineZiehend, b.SteineStehend, einst_);
  if (modus.stepIsMax) {
    if (!springt && !modus.listMode)
      z.Wertung.PunktWertA += EndBewertung(b.SteineZiehend, b.SteineStehend, false, einst_);
    Fertig(z);
  }
  HTCreateSmartZug(n, false, false, s);
  ZugFertig(s, n, modus, toCancel);
  return false;
}

void StepStack::BeendeVirtuell(TZug& z, const GenModus& modus) const {
  if (!modus.stepIsMax) return;
  const TBrett& b = z.BrettNachZug;
  if (!modus.listMode)
    z.Wertung.PunktWertA += EndBewertung(b.SteineZiehend, b.SteineStehend, true, einst_);
  Fertig(z);
}

void StepStack::BewerteVariante(TZug& z, bool gewinnDurchQuarne, const GenModus& modus) const {
  const TBrett& b = z.BrettNachZug;
  const bool ausgenommen = gewinnDurchQuarne || b.SpielPhaseZiehend == spSpringen ||
                           (b.GesetzteSteineStehend >= kMaxSteine && b.SteineAnzahlStehend < 4);
  if (!ausgenommen) {
    z.Wertung.PunktWertA += ZugBewertung(b.SteineZiehend, b.SteineStehend, einst_);
    if (modus.stepIsMax && !modus.listMode) {
      z.Wertung.PunktWertA += EndBewertung(b.SteineZiehend, b.SteineStehend, false, einst_);
      Fertig(z);
    }
  } else if (modus.stepIsMax && !gewinnDurchQuarne && !modus.listMode) {
    Fertig(z);
  }
}

void StepStack::HTHelpZugRumpfBeiQuarne(int n, bool gewinnDurchQuarne, int s, const GenModus& modus,
                                        bool& toCancel) {
  TStep& st = Steps[s];
  TZug& muehle = st.Zuege[n];
  TBrett& mb = muehle.BrettNachZug;
  --mb.SteineAnzahlStehend;
  ++mb.VerloreneSteineStehend;
  if (mb.SpielPhaseZiehend == spSetzen) {
    ++mb.SteineAnzahlZiehend;
    ++mb.GesetzteSteineZiehend;
  }
  const Punkte kill = HTKillStones(s);

  if (kill == 0) {
    // The opponent has no stone to lose: the mill stands as one move that removes nothing.
    ++mb.SteineAnzahlStehend;
    --mb.VerloreneSteineStehend;
    ZaehleZug();
    muehle.Nr = n;
    muehle.EntfStein = 0;
    muehle.IMTHREAD = 0;
    mb.AlleSteine = mb.SteineZiehend | mb.SteineStehend;
    BewerteVariante(muehle, gewinnDurchQuarne, modus);
    HTCreateSmartZug(n, gewinnDurchQuarne, false, s);
    ZugFertig(s, n, modus, toCancel, !gewinnDurchQuarne);
    return;
  }

  TZug vorlage;
  KopiereKopf(vorlage, muehle);
  vorlage.IMTHREAD = 0;
  vorlage.Canceld = false;
  vorlage.Extrapoliert = false;
  st.ZuegeAnzahl = n - 1;
  for (Punkte rest = kill; rest; rest &= rest - 1) {
    if (st.ZuegeAnzahl >= kMaxZuege) {
      host_.Meldung(kUeberlauf);
      continue;
    }
    const Punkte stein = rest & -rest;
    ZaehleZug();
    const int i = ++st.ZuegeAnzahl;
    TZug& v = st.Zuege[i];
    KopiereKopf(v, vorlage);
    st.ZZ[i] = static_cast<std::uint8_t>(i);
    if (modus.stepIsMax) st.ZugZeiger = i;
    v.Nr = i;
    v.EntfStein = stein;
    v.BrettNachZug.SteineStehend &= ~stein;
    v.BrettNachZug.AlleSteine = v.BrettNachZug.SteineZiehend | v.BrettNachZug.SteineStehend;
    BewerteVariante(v, gewinnDurchQuarne, modus);
    HTCreateSmartZug(i, gewinnDurchQuarne, false, s);
    ZugFertig(s, i, modus, toCancel, !gewinnDurchQuarne);
    if (!(modus.alleZuege || (!gewinnDurchQuarne && !toCancel))) break;
  }
}

void StepStack::HTCreateSmartZug(int zug, bool gewinnDurchQuarne, bool gewinnDurchBlock, int s) {
  TZug& z = Steps[s].Zuege[zug];
  TSmartZug& e = z.SmartZuege[s];
  e = TSmartZug{};
  e.VonPosition = z.VonPosition;
  e.NachPosition = z.NachPosition;
  e.ErgibtQuarne = z.ErgibtQuarne;
  e.EntfStein = z.EntfStein;
  e.GewinnDurchQuarne = gewinnDurchQuarne;
  e.GewinnDurchBlock = gewinnDurchBlock;
}

Punkte StepStack::HTKillStones(int s) {
  TStep& st = Steps[s];
  if (st.KillStones != 0) return st.KillStones;
  const Punkte gegner = st.VorDemZug.BrettNachZug.SteineStehend;
  Punkte geschuetzt = 0;
  for (const Punkte linie : kLinien)
    if ((linie & gegner) == linie) geschuetzt |= linie;
  const Punkte frei = gegner & ~geschuetzt;
  st.KillStones = frei != 0 ? frei : gegner;
  return st.KillStones;
}

bool StepStack::HTIstQuarne(Punkte nach, int zug, int s) {
  if (nach == 0) return false;
  if ((nach & kBrettMaske) == 0) {
    host_.Meldung("NachPosition falsch belegt!");
    return false;
  }
  const Punkte a = Steps[s].Zuege[zug].BrettNachZug.SteineZiehend;
  const int i = std::countr_zero(nach);
  for (const int l : kLinienDurch[i])
    if ((kLinien[l] & a) == kLinien[l]) return true;
  return false;
}

}  // namespace quarne
