// Comparing, combining, choosing and sorting move values.
#pragma once

#include "core/types.h"
#include "engine/host.h"
#include "engine/settings.h"

namespace quarne {

// Draws beat an ordinary line when that line's adjusted value is at most this.
inline constexpr double kRemisSchwelle = -20000.0;

// Material-adjusted value of an ordinary move from v, its points.
double AdjWert(const TZug& m, double v, const Einstellungen& e);

// B is strictly better than A (by PunktWertGes).
bool IstBesser(const TZug& a, const TZug& b, const Einstellungen& e, Host& host);
// The same relation on the moves' own static values (PunktWertA), for move ordering.
bool IstBesserA(const TZug& a, const TZug& b, const Einstellungen& e, Host& host);
// A, the best move so far, is at least as good as B, a move whose value can only get worse.
bool MindestensSoGut(const TZug& a, const TZug& b, const Einstellungen& e, Host& host);

// The points of a parent move: its own, and its best reply's weakened and negated.
double PunkteVonEltern(double kind, double eltern, const Einstellungen& e);

// The value of a parent move from the value of its best reply.
TZugWert Runterrechnen(const TZugWert& kind, const TZugWert& eltern, const Einstellungen& e,
                       Host& host);

// Sorts the root list best first: evaluated moves, then cut-off ones, then the rest.
void SortRoutine(TStep& s, const Einstellungen& e, Host& host);

// Number of equally best moves at the head of a sorted list.
int AnzahlGleichBeste(const TStep& s);

}  // namespace quarne
