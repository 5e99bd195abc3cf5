// What the plug-in publishes to the host: its name and four chat commands, no tags. Names and
// help texts come from the string table, so they follow the language in use at each call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace juvo {

class cLanguage;

inline constexpr std::u16string_view kPluginName = u"Juvo";
inline constexpr int32_t kPublishedCommandCount = 4;
inline constexpr int32_t kPublishedTagCount = 0;

struct PublishedCommand {
  std::u16string_view nameKey;  // string-table key of the name
  std::u16string_view word;     // the command word, without the slash
  std::u16string_view helpKey;  // string-table key of the help; empty: help is not set
  // Used when the language in use lacks `helpKey`; empty: no fallback.
  std::u16string_view fallbackHelpKey;
};

// The row for a 1-based index; null outside 1..4.
const PublishedCommand* publishedCommand(int32_t index);

// Sets the row's fields, in the order name, word, help; leaves `help` as it came where the row
// sets no help. String-table failures go to the caller (fields set before stay set), except a
// missing help key that has a fallback.
void describeCommand(const PublishedCommand& command, const cLanguage& lang, std::u16string& name,
                     std::u16string& word, std::u16string& help);

}  // namespace juvo
