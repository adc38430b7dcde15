#include "library/manifest.h"

#include <string_view>

#include "core/types.h"
#include "library/file_io.h"
#include "library/keyvalue.h"
#include "library/model.h"

namespace quarne {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kManifestNamen[] = {"format", "planstand", "stufe",
                                               "tiefe",  "teile",     "stellungen"};
constexpr std::uint64_t kManifestFormat = 1;

}  // namespace

fs::path ManifestDatei(const fs::path& ordner) {
  return ordner / "manifest";
}
fs::path TeilDatei(const fs::path& ordner, int k) {
  return ordner / ("teil-" + std::to_string(k));
}
fs::path ErgebnisDatei(const fs::path& ordner, int k) {
  return ordner / ("teil-" + std::to_string(k) + ".sbib");
}
fs::path RechenzeitDatei(const fs::path& ergebnis) {
  return fs::path(ergebnis.string() + ".zeit");
}

Bytes ManifestText(const TPlan& plan) {
  return KennwertText({{"format", kManifestFormat},
                       {"planstand", plan.Planstand},
                       {"stufe", static_cast<std::uint64_t>(plan.Stufe)},
                       {"tiefe", static_cast<std::uint64_t>(plan.Tiefe)},
                       {"teile", static_cast<std::uint64_t>(plan.Teile)},
                       {"stellungen", static_cast<std::uint64_t>(plan.Stellungen)}});
}

bool SchreibeManifest(const fs::path& datei, const TPlan& plan) {
  return SchreibeDatei(datei, ManifestText(plan));
}

std::optional<TPlan> LeseManifest(std::span<const std::uint8_t> text) {
  const std::optional<TKennwerte> w = LiesKennwerte(text, kManifestNamen);
  if (!w) return std::nullopt;
  const auto wert = [&](std::string_view name) { return w->find(name)->second; };
  if (wert("format") != kManifestFormat || wert("stufe") > kBibStufen - 2 || wert("tiefe") < 1 ||
      wert("tiefe") > kMaxSteps || wert("teile") < 1 || wert("teile") > kHoechstTeile ||
      wert("stellungen") > (std::uint64_t{1} << 30))
    return std::nullopt;
  return TPlan{wert("planstand"), static_cast<int>(wert("stufe")), static_cast<int>(wert("tiefe")),
               static_cast<int>(wert("teile")), static_cast<int>(wert("stellungen"))};
}

std::optional<TPlan> LeseManifest(const fs::path& datei) {
  Bytes text;
  if (LadeDatei(datei, text, kHoechstKennwertBytes).Code != TBibCode::Ok) return std::nullopt;
  return LeseManifest(text);
}

}  // namespace quarne
