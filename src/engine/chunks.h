// A parser's result travels in chunks: the chat host takes at most 1000 characters (UTF-16
// code units) per message, so longer results are cut, with a line feed and "#" between
// consecutive chunks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace juvo {

inline constexpr std::size_t kChunkLength = 1000;
inline constexpr std::u16string_view kChunkSeparator = u"\n#";

// `result` with the separator after every full 1000 units that more text follows: 1000 units
// stay as they are, 1001 become 1000, the separator and one. Linear in the length.
std::u16string chunkResult(std::u16string_view result);

// The pieces between separators, in order, empty pieces included ("a\n#" gives "a" and ""); an
// empty text gives no piece at all.
std::vector<std::u16string> splitChunks(std::u16string_view text);

}  // namespace juvo
