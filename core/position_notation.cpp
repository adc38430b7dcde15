#include "core/position_notation.h"

#include <array>
#include <bit>

#include "core/geometry.h"

namespace quarne {
namespace {

StellungOderFehler Fehler(std::string text) {
  return {std::nullopt, std::move(text)};
}

// A whole number of 1 to `stellen` digits.
std::optional<int> LiesZahl(std::string_view t, std::size_t stellen = 1) {
  if (t.empty() || t.size() > stellen) return std::nullopt;
  int n = 0;
  for (const char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    n = 10 * n + (c - '0');
  }
  return n;
}

constexpr const char* kForm =
    " Erwartet: \"<24 Zeichen aus W, S, .> <W|S> <gesetzt Weiß> "
    "<gesetzt Schwarz> [<Halbzüge ohne Quarne>]\".";

// The parts between spaces, four or five of them; the message when there are more or fewer.
std::string Zerlege(std::string_view text, std::array<std::string_view, 5>& teile, int& anzahl) {
  anzahl = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) break;
    const std::size_t anfang = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (anzahl == 5) return std::string("Stellung hat zu viele Teile.") + kForm;
    teile[static_cast<std::size_t>(anzahl++)] = text.substr(anfang, i - anfang);
  }
  if (anzahl < 4) return std::string("Stellung hat zu wenige Teile.") + kForm;
  return {};
}

// The 24 point characters as the stones of each colour; the message for a wrong character.
std::string LiesPunkte(std::string_view punkte, Punkte& weiss, Punkte& schwarz) {
  if (punkte.size() != kAnzahlPunkte)
    return "Die Stellung braucht genau 24 Zeichen für die Punkte, nicht " +
           std::to_string(punkte.size()) + ".";
  for (int p = 0; p < kAnzahlPunkte; ++p) {
    const char c = punkte[static_cast<std::size_t>(p)];
    if (c == 'W')
      weiss |= Punkt(p);
    else if (c == 'S')
      schwarz |= Punkt(p);
    else if (c != '.')
      return "Unbekanntes Zeichen an Punkt " + std::string(PunktName(Punkt(p))) +
             ": erlaubt sind W, S und '.'.";
  }
  return {};
}

// Whether one side's placed stones and stones on the board can occur in a game that goes on.
std::string PruefeSeite(const std::string& name, int gesetzt, int aufBrett) {
  if (aufBrett > kMaxSteine) return name + " hat mehr als neun Steine auf dem Brett.";
  if (gesetzt < aufBrett) return name + " hat weniger Steine gesetzt, als auf dem Brett stehen.";
  if (gesetzt == kMaxSteine && aufBrett < 3)
    return name +
           " hat alle Steine gesetzt und weniger als drei auf dem Brett: das Spiel ist "
           "schon entschieden.";
  return {};
}

// The record of the last move is seen from the side that made it, the opponent of the side to
// move; phases are left at 0 for the search to derive.
Stellung BaueStellung(Punkte weiss, Punkte schwarz, TFarbe amZug, int gesetztW, int gesetztS,
                      int ohneQuarne) {
  const bool weissZog = amZug == clSchwarz;
  const int aufBrettW = std::popcount(weiss), aufBrettS = std::popcount(schwarz);
  Stellung st{};
  st.farbe = amZug;
  TBrett& b = st.zug.BrettNachZug;
  b.AlleSteine = weiss | schwarz;
  b.SteineZiehend = weissZog ? weiss : schwarz;
  b.SteineStehend = weissZog ? schwarz : weiss;
  b.SteineAnzahlZiehend = weissZog ? aufBrettW : aufBrettS;
  b.SteineAnzahlStehend = weissZog ? aufBrettS : aufBrettW;
  b.GesetzteSteineZiehend = weissZog ? gesetztW : gesetztS;
  b.GesetzteSteineStehend = weissZog ? gesetztS : gesetztW;
  b.VerloreneSteineZiehend = b.GesetzteSteineZiehend - b.SteineAnzahlZiehend;
  b.VerloreneSteineStehend = b.GesetzteSteineStehend - b.SteineAnzahlStehend;
  // The first moves of a search count on from here towards the draw limit.
  st.zug.ZugOhneQuarne = ohneQuarne;
  return st;
}

}  // namespace

StellungOderFehler LiesStellung(std::string_view text) {
  std::array<std::string_view, 5> teile{};
  int anzahl = 0;
  if (std::string f = Zerlege(text, teile, anzahl); !f.empty()) return Fehler(std::move(f));
  Punkte weiss = 0, schwarz = 0;
  if (std::string f = LiesPunkte(teile[0], weiss, schwarz); !f.empty()) return Fehler(std::move(f));

  TFarbe amZug;
  if (teile[1] == "W")
    amZug = clWeiss;
  else if (teile[1] == "S")
    amZug = clSchwarz;
  else
    return Fehler("Die Farbe am Zug muss W oder S sein.");

  const auto gesetztW = LiesZahl(teile[2]);
  const auto gesetztS = LiesZahl(teile[3]);
  if (!gesetztW || !gesetztS) return Fehler("Die Zahl der gesetzten Steine muss 0 bis 9 sein.");
  const auto ohneQuarne = anzahl == 5 ? LiesZahl(teile[4], 3) : std::optional<int>(0);
  if (!ohneQuarne)
    return Fehler("Die Zahl der Halbzüge ohne Quarne muss eine ganze Zahl von 0 bis 999 sein.");
  for (std::string f : {PruefeSeite("Weiß", *gesetztW, std::popcount(weiss)),
                        PruefeSeite("Schwarz", *gesetztS, std::popcount(schwarz))})
    if (!f.empty()) return Fehler(std::move(f));
  return {BaueStellung(weiss, schwarz, amZug, *gesetztW, *gesetztS, *ohneQuarne), {}};
}

}  // namespace quarne
