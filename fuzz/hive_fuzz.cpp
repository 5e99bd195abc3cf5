// Any registry file, however damaged or large: parsing never crashes and takes in whatever
// parses; what it took in is written back in a form that reads back the same, no larger than
// a linear bound of the input, and every name in it is found through its key's index.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/registry/hive_format.h"

namespace {

using platform::hive::Key;

// Every sub-key and value of the tree is found under its own name, in any letter case.
void checkIndex(const Key& top) {
  std::vector<const Key*> pending{&top};
  while (!pending.empty()) {
    const Key* key = pending.back();
    pending.pop_back();
    for (const auto& subKey : key->subKeys()) {
      if (key->subKey(subKey->name()) != subKey.get()) std::abort();
      pending.push_back(subKey.get());
    }
    for (const auto& value : key->values()) {
      if (key->value(value.name) != &value) std::abort();
    }
  }
}

}  // namespace

// Inputs up to 1 MB unless told otherwise: a hive's faults (deep nesting, many values in one
// key) need more than libFuzzer's default 4 KB to show.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp((*argv)[i], "-max_len=", 9) == 0) return 0;
  }
  static std::vector<char*> arguments;
  static char maxLen[] = "-max_len=1048576";
  arguments.assign(*argv, *argv + *argc);
  arguments.push_back(maxLen);
  arguments.push_back(nullptr);
  *argc = static_cast<int>(arguments.size()) - 1;
  *argv = arguments.data();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  platform::hive::ParsedHive parsed = platform::hive::parseHive(text);
  if (!parsed.top || parsed.damaged.size() > parsed.damagedCount) std::abort();
  checkIndex(*parsed.top);
  std::string written = platform::hive::formatHive(*parsed.top);
  // A section of HKEY_CLASSES_ROOT grows by "\Software\Classes" and every section by a blank
  // line; nothing grows more than twice.
  if (written.size() > 2 * size + 64) std::abort();
  platform::hive::ParsedHive again = platform::hive::parseHive(written);
  if (again.damagedCount != 0 || platform::hive::formatHive(*again.top) != written) std::abort();
  return 0;
}
