// Any registry file, however damaged: parsing never crashes, and what parses is written back
// in a form that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/registry/hive_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  platform::hive::ParsedHive parsed = platform::hive::parseHive(text);
  if (!parsed.top) return 0;
  std::string written = platform::hive::formatHive(*parsed.top);
  platform::hive::ParsedHive again = platform::hive::parseHive(written);
  if (!again.top || platform::hive::formatHive(*again.top) != written) std::abort();
  return 0;
}
