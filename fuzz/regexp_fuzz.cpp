// VBScript's RegExp with any pattern on any text, with any options: a bad pattern is error
// 5017, a runaway search error 28; nothing crashes, hangs or leaks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/automation/automation_object.h"
#include "platform/base/error.h"
#include "platform/regexp/regexp.h"

namespace {

using platform::Variant;

Variant call(platform::AutomationObject& object, std::u16string_view name,
             std::vector<Variant> args) {
  return platform::invokeByName(object, name, platform::kMethod | platform::kPropertyGet, args);
}

void put(platform::AutomationObject& object, std::u16string_view name, Variant value) {
  Variant args[] = {std::move(value)};
  platform::invokeByName(object, name, platform::kPropertyPut, args);
}

}  // namespace

// The first byte holds the options; UTF-16 code units follow, a zero unit parting the pattern
// from the text searched and the text from the replacement.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t options = data[0];
  std::u16string units;
  for (size_t i = 1; i + 1 < size; i += 2)
    units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  std::vector<std::u16string> parts(1);
  for (char16_t c : units) {
    if (c == 0 && parts.size() < 3) {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  parts.resize(3);
  if (parts[2].empty()) parts[2] = u"[$1$&$`$'$$$12]";

  platform::ObjectPtr re = platform::makeRegExp();
  put(*re, u"Pattern", Variant(parts[0]));
  put(*re, u"Global", Variant((options & 1) != 0));
  put(*re, u"IgnoreCase", Variant((options & 2) != 0));
  put(*re, u"Multiline", Variant((options & 4) != 0));
  try {
    call(*re, u"Test", {Variant(parts[1])});
    const Variant matches = call(*re, u"Execute", {Variant(parts[1])});
    const int32_t count = call(*matches.object(), u"Count", {}).longValue();
    for (int32_t i = 0; i < count && i < 64; ++i) {
      const Variant match = call(*matches.object(), u"Item", {Variant(i)});
      const int32_t first = call(*match.object(), u"FirstIndex", {}).longValue();
      const int32_t length = call(*match.object(), u"Length", {}).longValue();
      if (first < 0 || length < 0 || static_cast<size_t>(first) + length > parts[1].size())
        std::abort();
      const Variant groups = call(*match.object(), u"SubMatches", {});
      const int32_t groupCount = call(*groups.object(), u"Count", {}).longValue();
      for (int32_t g = 0; g < groupCount && g < 16; ++g)
        call(*groups.object(), u"Item", {Variant(g)});
    }
    call(*re, u"Replace", {Variant(parts[1]), Variant(parts[2])});
  } catch (const platform::Error& error) {
    const auto number = static_cast<uint32_t>(error.number());
    if (number != 0x800A1399u && number != 0x800A001Cu && number != 0x800A0007u) std::abort();
  }
  return 0;
}
