// A plan's manifest: written and read back, and every text that is not exactly one refused.
#include "library/manifest.h"

#include <gtest/gtest.h>

#include <string>

#include "library/keyvalue.h"
#include "tests/library/test_folder.h"

namespace quarne {
namespace {

std::optional<TPlan> Lies(const std::string& text) {
  return LeseManifest(Bytes(text.begin(), text.end()));
}

const TPlan kPlan{18446744073709551615ULL, 17, 16, 10000, 1500};

TEST(Manifest, GeschriebenUndGelesen) {
  TestOrdner ordner;
  ASSERT_TRUE(SchreibeManifest(ManifestDatei(ordner.Pfad()), kPlan));
  EXPECT_EQ(LeseManifest(ManifestDatei(ordner.Pfad())), kPlan);
  EXPECT_EQ(LeseManifest(ManifestDatei(ordner / "fehlt")), std::nullopt);
}

TEST(Manifest, NurGenauEinManifest) {
  const std::string gut = "format=1\nplanstand=7\nstufe=3\ntiefe=12\nteile=4\nstellungen=57\n";
  ASSERT_EQ(Lies(gut), (TPlan{7, 3, 12, 4, 57}));
  const auto ersetzt = [&](const std::string& alt, const std::string& neu) {
    return gut.substr(0, gut.find(alt)) + neu + gut.substr(gut.find(alt) + alt.size());
  };
  const struct {
    std::string text;
    const char* warum;
  } faelle[] = {
      {"", "leer"},
      {gut.substr(0, gut.size() - 1), "letzte Zeile ohne Ende"},
      {gut + "teile=4\n", "ein Name doppelt"},
      {gut + "x=1\n", "ein fremder Name"},
      {ersetzt("teile=4\n", ""), "ein Name fehlt"},
      {ersetzt("stufe=3", "stufe=-3"), "Vorzeichen"},
      {ersetzt("stufe=3", "stufe= 3"), "Leerzeichen"},
      {ersetzt("stufe=3", "stufe=3x"), "keine Zahl"},
      {ersetzt("stufe=3", "stufe="), "Zahl fehlt"},
      {ersetzt("stufe=3", "stufe=18"), "Stufe 18 wird nicht berechnet"},
      {ersetzt("tiefe=12", "tiefe=0"), "Tiefe 0"},
      {ersetzt("tiefe=12", "tiefe=17"), "Tiefe 17"},
      {ersetzt("teile=4", "teile=0"), "kein Teil"},
      {ersetzt("teile=4", "teile=10001"), "zu viele Teile"},
      {ersetzt("format=1", "format=2"), "ein späteres Format"},
      {ersetzt("planstand=7", "planstand=18446744073709551616"), "mehr als 64 Bit"},
      {ersetzt("\n", "\r\n"), "Zeilenenden eines anderen Systems"},
      {gut + std::string(kHoechstKennwertBytes, '\n'), "länger als jedes Manifest"},
  };
  for (const auto& f : faelle) EXPECT_EQ(Lies(f.text), std::nullopt) << f.warum;
}

}  // namespace
}  // namespace quarne
