// Reading the weight edits into the weights, with the user's decimal separator.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/settings.h"

namespace quarne {

inline constexpr int kAnzahlGewichte = 15;

// Control names of the weight edits, in the order they are read; the last is EDZugFaktor.
extern const std::array<std::string_view, kAnzahlGewichte> kGewichtFelder;
// Their texts after "zurücksetzen".
extern const std::array<std::string_view, kAnzahlGewichte> kGewichtStandardTexte;

// A number as the user types it: optional sign, digits with the decimal separator, optional
// exponent; surrounding blanks are allowed. Nothing else.
std::optional<double> TextZuZahl(std::string_view text, char dezimal);
// A number as it is shown: up to 15 significant digits, no needless zeros.
std::string ZahlZuText(double wert, char dezimal);

// Takes every edit's text into the weights. A text that is not a number, or a weakening factor
// outside 0..1, is replaced by the value in force (0,97 for the factor); nothing is reported.
void SetzeWerte(std::array<std::string, kAnzahlGewichte>& texte, Gewichte& gewichte, char dezimal);

}  // namespace quarne
