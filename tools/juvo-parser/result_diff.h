// How a parser's result differs from the one an example expected, shown for a person.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace juvo::tool {

// The lines that show the difference of two texts with LF line ends. Two texts of one line
// each come as "expected: ...", "actual:   ..." and a caret under the first character that
// differs. Longer texts come as a line diff: "- " for a line only expected, "+ " for one only
// in the result, "  " for one in both; runs of unchanged lines far from a change are cut to
// "  ...". An empty text shows as "(nothing)".
std::vector<std::u16string> describeDifference(std::u16string_view expected,
                                               std::u16string_view actual);

}  // namespace juvo::tool
