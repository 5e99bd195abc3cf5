// The examples of a parser: weather.examples beside weather.vbs, a UTF-8 text file written by
// hand. Each example is an argument and what the chat must receive for it:
//
//   # Lines beginning with '#' are comments.
//   > Amsterdam
//   Amsterdam: 12 °C, light rain
//
//   > Utrecht
//   ~ ^Utrecht: -?\d+ °C
//   ~ rain|sun|cloud
//
//   > nowhere
//   ! No weather found for nowhere
//
// - "> ARGUMENT" begins an example; the argument is the rest of the line after "> " (a bare ">"
//   gives the empty argument), passed as the chat passes it.
// - The lines that follow, up to the next "> " line, are the result expected, exactly (line ends
//   of any kind compare equal). Blank lines at its start and end are dropped; a line holding
//   only "\" stands for a blank line kept there. No text at all expects the empty result, for
//   which the chat sends nothing.
// - "~ PATTERN" lines instead of text: the result must match every pattern (PCRE2 syntax,
//   searched anywhere unless anchored). Text and patterns do not mix in one example.
// - "! TEXT" lines: the message boxes the run must show, by their text, in order ("\n" in TEXT
//   stands for a line break); without any, the run must show none.
// - A '\' at the start of a line is dropped and keeps the rest literal: "\# not a comment",
//   "\> not an example", "\~", "\!", "\\".
//
// The result compared is the text as the chat receives it: above 1000 characters it holds the
// chunk separator (a line break and '#', written "\#" at the start of a line here).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "pattern.h"

namespace juvo::tool {

struct Example {
  int line = 0;  // of its "> " line
  std::u16string argument;
  // The result expected, line ends as LF; used when `patterns` is empty.
  std::u16string text;
  std::vector<Pattern> patterns;
  std::vector<std::u16string> boxes;
};

// The examples in `text`, the contents of `file` (named in problems). Raises FileProblem with
// the line of the first mistake: text before the first example, a pattern that does not
// compile, text and patterns in one example, no example at all.
std::vector<Example> parseExamples(std::string_view text, const std::filesystem::path& file);

// Line ends of every kind (CR LF, CR) as LF, so that results and expectations compare by text.
std::u16string withLineFeeds(std::u16string_view text);

}  // namespace juvo::tool
