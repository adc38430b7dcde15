// The game's shared records. Their field order and widths are those of the stored byte
// images, so the layout is pinned down by static_asserts below.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

namespace quarne {

// A set of board points: bit i stands for point i (0..23), bits 24..31 stay 0.
using Punkte = std::uint32_t;

constexpr int kAnzahlPunkte = 24;
constexpr Punkte kBrettMaske = 0xFFFFFF;
// Stones of each side.
constexpr int kMaxSteine = 9;
// Placing moves of both sides together.
constexpr int kSetzZuege = 2 * kMaxSteine;
constexpr int kMaxSteps = 16;
constexpr int kMaxZuege = 100;

enum TFarbe : std::uint8_t { clWeiss = 0, clSchwarz = 1 };
enum TSpieler : std::uint8_t { csComputer = 0, csHuman = 1 };
enum TSpielPhase : std::uint8_t { spSetzen = 0, spZiehen = 1, spSpringen = 2 };
enum TZugResZiehend : std::uint8_t { rsNIL = 0, rsQuarn = 1, rsWIN = 2, rsLOSS = 3, rsWDH = 4 };
enum THintRes : std::uint8_t { hrNone = 0, hrQuarne = 1, hrBlock = 2 };
enum TAufgabe : std::uint8_t {
  agStart = 0,
  agStepInc = 1,
  agBewertung = 2,
  agNextMove = 3,
  agGenZuege = 4,
  agSuspend = 5,
};

constexpr TFarbe Gegner(TFarbe f) {
  return f == clWeiss ? clSchwarz : clWeiss;
}
constexpr TSpieler AndererSpieler(TSpieler s) {
  return s == csComputer ? csHuman : csComputer;
}

// Fixed-size array indexed by int from Erster on, as the game numbers its things.
template <class T, int N, int Erster>
struct ArrayAb {
  T data[N];

  constexpr T& operator[](int i) {
    assert(i >= Erster && i < Erster + N);
    return data[i - Erster];
  }
  constexpr const T& operator[](int i) const {
    assert(i >= Erster && i < Erster + N);
    return data[i - Erster];
  }
  constexpr T* begin() { return data; }
  constexpr T* end() { return data + N; }
  constexpr const T* begin() const { return data; }
  constexpr const T* end() const { return data + N; }
  static constexpr int size() { return N; }
};
// Plies and move lists are numbered from 1, points and mill lines from 0.
template <class T, int N>
using Array1 = ArrayAb<T, N, 1>;
template <class T, int N>
using Array0 = ArrayAb<T, N, 0>;

// A position seen from one side ("Ziehend"); the other side is "Stehend".
struct TBrett {
  Punkte AlleSteine;
  Punkte SteineZiehend;
  Punkte SteineStehend;
  TSpielPhase SpielPhaseZiehend;
  std::int32_t SteineAnzahlZiehend;
  std::int32_t GesetzteSteineZiehend;
  TSpielPhase SpielPhaseStehend;
  std::int32_t SteineAnzahlStehend;
  std::int32_t GesetzteSteineStehend;
  std::int32_t VerloreneSteineZiehend;
  std::int32_t VerloreneSteineStehend;
};

struct TZugWert {
  TZugResZiehend ZugResGesamt;
  std::int32_t ResultInXZuegen;
  double PunktWertA;
  double PunktWertGes;
};

// One element of a principal line.
struct TSmartZug {
  Punkte VonPosition;
  Punkte NachPosition;
  bool ErgibtQuarne;
  Punkte EntfStein;
  bool GewinnDurchQuarne;
  bool GewinnDurchBlock;
  bool RemisDurchLimit;
  bool RemisDurchWdh;

  bool BeendetLinie() const {
    return GewinnDurchQuarne || GewinnDurchBlock || RemisDurchLimit || RemisDurchWdh;
  }
};

// Why the parallel search cut an entry of its tree off (TZug::ClWay).
enum TClWay : std::uint8_t {
  cwKeiner = 0,
  cwZelle = 1,       // a cell no better than a sibling's exact value
  cwEbene = 2,       // the same, above the cells
  cwVorgaenger = 3,  // an ancestor is decided
  cwSchranke = 4,    // valued by a bound from the tree above a cell, not exactly
};

struct TZug {
  std::int32_t Nr;
  Punkte VonPosition;
  Punkte NachPosition;
  bool ErgibtQuarne;
  std::int32_t ZugOhneQuarne;
  Punkte EntfStein;
  TBrett BrettNachZug;
  TZugWert Wertung;
  std::int32_t IMTHREAD;
  bool Canceld;
  std::uint8_t ClWay;
  bool BEWERTET;
  std::uint8_t StepMaxZug;
  bool Extrapoliert;
  std::uint8_t TEILBEW;
  std::int32_t LISTEVON;
  std::int32_t LISTEBIS;
  std::int32_t LISTE_1;
  std::int32_t ANZgPos;
  bool CHECKED;
  Array1<TSmartZug, kMaxSteps> SmartZuege;
};

// One ply of a search.
struct TStep {
  std::int32_t STZugNummer;
  TFarbe STFarbeZiehend;
  TSpieler STSpieler;
  std::int32_t STStepNumber;
  std::int32_t STStepMax;
  std::int32_t STDenkTiefe;
  TZug VorDemZug;
  bool Virtuell;
  std::int32_t VirtuellAb;
  Punkte KillStones;
  Array1<TZug, kMaxZuege> Zuege;
  Array1<std::uint8_t, kMaxZuege> ZZ;
  std::int32_t ZuegeAnzahl;
  std::int32_t ZugZeiger;
  std::int32_t BesterZug;
  TZugWert BesterZugRes;
};

static_assert(sizeof(TBrett) == 44);
static_assert(sizeof(TZugWert) == 24);
static_assert(sizeof(TSmartZug) == 20);
static_assert(sizeof(TZug) == 448);

// Offsets of the stored move image.
static_assert(offsetof(TZug, Nr) == 0);
static_assert(offsetof(TZug, VonPosition) == 4);
static_assert(offsetof(TZug, NachPosition) == 8);
static_assert(offsetof(TZug, ErgibtQuarne) == 12);
static_assert(offsetof(TZug, ZugOhneQuarne) == 16);
static_assert(offsetof(TZug, EntfStein) == 20);
static_assert(offsetof(TZug, BrettNachZug) == 24);
static_assert(offsetof(TZug, Wertung) == 72);
static_assert(offsetof(TZug, Wertung) + offsetof(TZugWert, ResultInXZuegen) == 76);
static_assert(offsetof(TZug, Wertung) + offsetof(TZugWert, PunktWertA) == 80);
static_assert(offsetof(TZug, Wertung) + offsetof(TZugWert, PunktWertGes) == 88);
static_assert(offsetof(TZug, IMTHREAD) == 96);
static_assert(offsetof(TZug, Canceld) == 100);
static_assert(offsetof(TZug, ClWay) == 101);
static_assert(offsetof(TZug, BEWERTET) == 102);
static_assert(offsetof(TZug, StepMaxZug) == 103);
static_assert(offsetof(TZug, Extrapoliert) == 104);
static_assert(offsetof(TZug, TEILBEW) == 105);
static_assert(offsetof(TZug, LISTEVON) == 108);
static_assert(offsetof(TZug, LISTEBIS) == 112);
static_assert(offsetof(TZug, LISTE_1) == 116);
static_assert(offsetof(TZug, ANZgPos) == 120);
static_assert(offsetof(TZug, CHECKED) == 124);
static_assert(offsetof(TZug, SmartZuege) == 128);
static_assert(offsetof(TBrett, SpielPhaseZiehend) == 12);
static_assert(offsetof(TBrett, SpielPhaseStehend) == 24);
static_assert(offsetof(TBrett, VerloreneSteineStehend) == 40);
static_assert(offsetof(TSmartZug, EntfStein) == 12);
static_assert(offsetof(TSmartZug, GewinnDurchQuarne) == 16);

}  // namespace quarne
