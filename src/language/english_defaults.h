// The built-in English texts of the string table, in the order the table adds them.
#pragma once

#include <span>
#include <string_view>

namespace juvo {

struct DefaultText {
  std::u16string_view key;   // as written, e.g. "mnuFile"
  std::u16string_view text;  // line breaks are CR LF
};

// The 41 English defaults. Keys are distinct without regard to case.
std::span<const DefaultText> englishDefaults();

}  // namespace juvo
