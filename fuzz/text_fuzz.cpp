// Conversions at the program's edges: never crash, and lose nothing that is well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/base/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::u16string text = platform::fromUtf8(bytes);
  // Well-formed UTF-8 comes back unchanged; anything else comes back as well-formed UTF-8.
  std::string again = platform::toUtf8(text);
  if (platform::fromUtf8(again) != text) std::abort();
  if (text.find(u'\uFFFD') == std::u16string::npos && again != bytes) std::abort();
  platform::fromAnsi(bytes);
  platform::toAnsi(text);
  platform::toLower(text);
  return 0;
}
