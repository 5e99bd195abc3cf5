// One piece of source text as it was added, kept for error reports: the text of the line an
// error is on, cut at the lexer's own line breaks (CR, LF and CR LF).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vbscript {

class SourceText {
 public:
  explicit SourceText(std::u16string text) : text_(std::move(text)) {}

  std::u16string_view text() const { return text_; }
  // Line `line` (1-based) without its line break; empty past the end.
  std::u16string_view line(int32_t line) const;

 private:
  std::u16string text_;
  mutable std::vector<size_t> lineStarts_;  // worked out on the first error report
};

}  // namespace vbscript
