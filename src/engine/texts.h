// What the engine's boxes and defaults need from the string table, and the plug-in's
// application title.
#pragma once

#include <string>
#include <string_view>

namespace juvo {

class SharedObjects;

// The title of every box that has no title of its own.
inline constexpr std::u16string_view kApplicationTitle = u"Juvo";

// The text of `key` in the string table in use. Raises kObjectVariableNotSet when there is no
// table, and the table's own error for a missing key.
const std::u16string& str(const SharedObjects& shared, std::u16string_view key);

}  // namespace juvo
