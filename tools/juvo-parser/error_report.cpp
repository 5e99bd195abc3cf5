#include "error_report.h"

#include <algorithm>

#include "engine/run_script.h"
#include "platform/base/text.h"

namespace juvo::tool {

namespace {

// Long lines (minified code) are shown as a window of this many characters around the column.
constexpr size_t kShownWidth = 100;

bool isSpace(char16_t c) {
  return c == u' ' || c == u'\t';
}

// The characters before the caret, blanked so that tabs stay tabs and the caret lines up.
std::u16string blanked(std::u16string_view text) {
  std::u16string padding;
  for (char16_t c : text) {
    if ((c & 0xFC00) == 0xDC00) continue;  // the second half of a pair takes no column
    padding += c == u'\t' ? u'\t' : u' ';
  }
  return padding;
}

bool isWordCharacter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_' || c == u'$';
}

}  // namespace

std::vector<std::u16string> sourceLines(std::u16string_view source) {
  std::vector<std::u16string> lines(1);
  for (size_t i = 0; i < source.size(); ++i) {
    const char16_t c = source[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < source.size() && source[i + 1] == u'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

int fileLineOf(int32_t hostLine) {
  return hostLine > 1 ? hostLine - 1 : 0;
}

int declarationLine(const std::vector<std::u16string>& hostLines, std::u16string_view name,
                    bool ignoreCase) {
  const auto same = [&](std::u16string_view a, std::u16string_view b) {
    return ignoreCase ? platform::equalsIgnoreCase(a, b) : a == b;
  };
  int firstUse = 0;
  // Host line 1 is the line break the source begins with.
  for (size_t i = 1; i < hostLines.size(); ++i) {
    const std::u16string_view line = hostLines[i];
    for (size_t at = 0; at + name.size() <= line.size(); ++at) {
      if (!same(line.substr(at, name.size()), name)) continue;
      const size_t end = at + name.size();
      if ((at > 0 && isWordCharacter(line[at - 1])) ||
          (end < line.size() && isWordCharacter(line[end]))) {
        continue;
      }
      const int fileLine = static_cast<int>(i);
      if (!firstUse) firstUse = fileLine;
      std::u16string_view before = line.substr(0, at);
      while (!before.empty() && isSpace(before.back()))
        before.remove_suffix(1);
      for (std::u16string_view keyword : {u"function", u"sub"}) {
        if (before.size() >= keyword.size() &&
            platform::equalsIgnoreCase(before.substr(before.size() - keyword.size()), keyword)) {
          return fileLine;
        }
      }
    }
  }
  return firstUse ? firstUse : 1;
}

Columns columnsOf(std::u16string_view path) {
  return scriptLanguageFor(path) == u"VBScript" ? Columns::kFromZero : Columns::kUnknown;
}

int32_t shownColumn(const platform::ScriptErrorInfo& error, Columns columns) {
  return columns == Columns::kFromZero && error.column >= 0 ? error.column + 1 : 0;
}

std::string formatScriptError(std::string_view file, const platform::ScriptErrorInfo& error,
                              const std::vector<std::u16string>& hostLines, Columns columns) {
  const int line = fileLineOf(error.line);
  const bool lineKnown = line > 0 && static_cast<size_t>(error.line) <= hostLines.size();
  const int32_t column = shownColumn(error, columns);
  std::string report(file);
  if (lineKnown) {
    report += ":" + std::to_string(line);
    if (column > 0) report += ":" + std::to_string(column);
  }
  report += ": " + platform::toUtf8(error.description);
  if (!error.source.empty()) report += " (" + platform::toUtf8(error.source) + ")";
  report += "\n";
  if (!lineKnown) return report;

  const std::u16string& text = hostLines[static_cast<size_t>(error.line) - 1];
  // Where the mark goes: the column, or the line's text without its indentation.
  size_t markAt = 0;
  size_t markLength = 1;
  if (column > 0) {
    markAt = std::min(static_cast<size_t>(column) - 1, text.size());
  } else {
    while (markAt < text.size() && isSpace(text[markAt]))
      ++markAt;
    size_t end = text.size();
    while (end > markAt && isSpace(text[end - 1]))
      --end;
    markLength = std::max<size_t>(end - markAt, 1);
  }
  size_t from = 0;
  if (text.size() > kShownWidth && markAt > kShownWidth / 2) {
    from = std::min(markAt - kShownWidth / 2, text.size() - kShownWidth);
  }
  const size_t to = std::min(text.size(), from + kShownWidth);
  const std::u16string_view shown = std::u16string_view(text).substr(from, to - from);
  markLength = std::min(markLength, std::max<size_t>(to - std::min(markAt, to), 1));

  const std::string before = from > 0 ? "... " : "";
  std::u16string mark = blanked(shown.substr(0, markAt - from)) + u'^';
  if (markLength > 1) mark += std::u16string(markLength - 1, u'~');
  report += "    " + before + platform::toUtf8(shown) + (to < text.size() ? " ..." : "") + "\n";
  report += "    " + std::string(before.size(), ' ') + platform::toUtf8(mark) + "\n";
  return report;
}

}  // namespace juvo::tool
