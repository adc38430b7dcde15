// The reader of a plan's manifest and of a shard's time on hostile bytes: besides not crashing,
// what it accepts is written and read again unchanged.
#include <cstdlib>

#include "library/keyvalue.h"
#include "library/manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace quarne;
  const std::span<const std::uint8_t> text(daten, groesse);
  if (const std::optional<TPlan> plan = LeseManifest(text)) {
    if (LeseManifest(ManifestText(*plan)) != plan) std::abort();
  }
  if (const std::optional<TKennwerte> zeit = LiesKennwerte(text, kRechenzeitNamen)) {
    if (LiesKennwerte(KennwertText(*zeit), kRechenzeitNamen) != zeit) std::abort();
  }
  return 0;
}
