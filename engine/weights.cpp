#include "engine/weights.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace quarne {

const std::array<std::string_view, kAnzahlGewichte> kGewichtFelder = {
    "EDCPosition",  "EDCMobil",    "EDCVirtOff1", "EDCVirtOff2",  "EDCVirtOff3",
    "EDCRealOff1",  "EDCRealOff2", "EDCRealOff3", "EDCQuarneBew", "EDCQuarneUnbw",
    "EDCQuarneZwk", "EDPunktWert", "EDPunktVirt", "EDWinVirt",    "EDZugFaktor"};

const std::array<std::string_view, kAnzahlGewichte> kGewichtStandardTexte = {
    "100",  "1500", "1500", "1000",  "500",  "3500", "1500", "1000",
    "2000", "3000", "5000", "10000", "2000", "5000", "0,97"};

namespace {

constexpr std::array<double Gewichte::*, kAnzahlGewichte - 1> kGewichtWerte = {
    &Gewichte::EDCPosition,   &Gewichte::EDCMobil,     &Gewichte::EDCVirtOff1,
    &Gewichte::EDCVirtOff2,   &Gewichte::EDCVirtOff3,  &Gewichte::EDCRealOff1,
    &Gewichte::EDCRealOff2,   &Gewichte::EDCRealOff3,  &Gewichte::EDCQuarneBew,
    &Gewichte::EDCQuarneUnbw, &Gewichte::EDCQuarneZwk, &Gewichte::EDPunktWert,
    &Gewichte::EDPunktVirt,   &Gewichte::EDWinVirt};

constexpr double kStandardZugFaktor = 0.97;

bool Ziffer(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> TextZuZahl(std::string_view text, char dezimal) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  // Rewrite into the C form, checking the shape on the way.
  std::string c;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) c += text[i++];
  int ziffern = 0;
  while (i < text.size() && Ziffer(text[i])) c += text[i++], ++ziffern;
  if (i < text.size() && text[i] == dezimal) {
    c += '.';
    ++i;
    while (i < text.size() && Ziffer(text[i])) c += text[i++], ++ziffern;
  }
  if (ziffern == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    c += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) c += text[i++];
    int exponent = 0;
    while (i < text.size() && Ziffer(text[i])) c += text[i++], ++exponent;
    if (exponent == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double wert = 0;
  const char* anfang = c.data() + (c[0] == '+' ? 1 : 0);
  const auto [ende, fehler] = std::from_chars(anfang, c.data() + c.size(), wert);
  if (fehler != std::errc{} || ende != c.data() + c.size()) return std::nullopt;
  return wert;
}

std::string ZahlZuText(double wert, char dezimal) {
  char puffer[40];
  std::snprintf(puffer, sizeof puffer, "%.15G", wert);
  std::string text;
  for (const char* p = puffer; *p; ++p) {
    if (*p == '.') {
      text += dezimal;
    } else if (*p == 'E') {
      // 1E+20 → 1E20, 1E-05 → 1E-5
      text += 'E';
      if (p[1] == '-') text += '-';
      p += (p[1] == '+' || p[1] == '-') ? 1 : 0;
      while (p[1] == '0' && p[2] != '\0') ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

void SetzeWerte(std::array<std::string, kAnzahlGewichte>& texte, Gewichte& gewichte, char dezimal) {
  for (std::size_t i = 0; i < kGewichtWerte.size(); ++i) {
    double& wert = gewichte.*kGewichtWerte[i];
    if (const auto zahl = TextZuZahl(texte[i], dezimal))
      wert = *zahl;
    else
      texte[i] = ZahlZuText(wert, dezimal);
  }
  const auto faktor = TextZuZahl(texte.back(), dezimal);
  if (faktor && *faktor >= 0 && *faktor <= 1) {
    gewichte.EDZugFaktor = -*faktor;
  } else {
    gewichte.EDZugFaktor = -kStandardZugFaktor;
    texte.back() = ZahlZuText(kStandardZugFaktor, dezimal);
  }
}

}  // namespace quarne
