#include "vbscript/source_text.h"

namespace vbscript {

std::u16string_view SourceText::line(int32_t line) const {
  if (lineStarts_.empty()) {
    lineStarts_.push_back(0);
    for (size_t i = 0; i < text_.size(); ++i) {
      if (text_[i] == u'\r' && i + 1 < text_.size() && text_[i + 1] == u'\n') ++i;
      if (text_[i] == u'\r' || text_[i] == u'\n') lineStarts_.push_back(i + 1);
    }
  }
  if (line < 1 || static_cast<size_t>(line) > lineStarts_.size()) return {};
  const size_t start = lineStarts_[static_cast<size_t>(line) - 1];
  size_t end = start;
  while (end < text_.size() && text_[end] != u'\r' && text_[end] != u'\n')
    ++end;
  return std::u16string_view(text_).substr(start, end - start);
}

}  // namespace vbscript
