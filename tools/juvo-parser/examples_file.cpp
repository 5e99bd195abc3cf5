#include "examples_file.h"

#include <optional>
#include <stdexcept>

#include "file_problem.h"
#include "platform/base/text.h"

namespace juvo::tool {

namespace {

// The lines of the file, each without its line end.
std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

// "X REST" or a bare "X": the rest of a marked line.
std::string_view afterMark(std::string_view line) {
  line.remove_prefix(1);
  if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return line;
}

class ExampleBuilder {
 public:
  ExampleBuilder(const std::filesystem::path& file, int line, std::string_view argument)
      : file_(file) {
    example_.line = line;
    example_.argument = platform::fromUtf8(argument);
  }

  void addText(int line, std::string_view text, bool literalBlank) {
    if (!example_.patterns.empty() && (!text.empty() || literalBlank)) mixed(line);
    textLines_.push_back({std::string(text), literalBlank});
  }
  void addPattern(int line, std::string_view source) {
    if (hasText()) mixed(line);
    try {
      example_.patterns.emplace_back(platform::fromUtf8(source));
    } catch (const std::invalid_argument& error) {
      throw FileProblem(file_, line, std::string("the pattern does not compile: ") + error.what());
    }
  }
  void addBox(std::string_view text) {
    example_.boxes.push_back(platform::replaceAll(platform::fromUtf8(text), u"\\n", u"\n"));
  }

  Example finish() {
    size_t first = 0;
    size_t last = textLines_.size();
    while (first < last && isDroppedBlank(textLines_[first]))
      ++first;
    while (last > first && isDroppedBlank(textLines_[last - 1]))
      --last;
    std::string text;
    for (size_t i = first; i < last; ++i) {
      if (i > first) text += '\n';
      text += textLines_[i].text;
    }
    example_.text = platform::fromUtf8(text);
    return std::move(example_);
  }

 private:
  struct TextLine {
    std::string text;
    bool literalBlank;
  };
  static bool isDroppedBlank(const TextLine& line) {
    return line.text.empty() && !line.literalBlank;
  }
  bool hasText() const {
    for (const TextLine& line : textLines_) {
      if (!isDroppedBlank(line)) return true;
    }
    return false;
  }
  [[noreturn]] void mixed(int line) const {
    throw FileProblem(file_, line,
                      "an example expects either text or '~' patterns, not both (example of "
                      "line " +
                          std::to_string(example_.line) + ")");
  }

  const std::filesystem::path& file_;
  Example example_;
  std::vector<TextLine> textLines_;
};

}  // namespace

std::vector<Example> parseExamples(std::string_view text, const std::filesystem::path& file) {
  std::vector<Example> examples;
  std::optional<ExampleBuilder> current;
  int number = 0;
  for (std::string_view line : linesOf(withoutByteOrderMark(text))) {
    ++number;
    if (line.empty()) {
      if (current) current->addText(number, line, false);
      continue;
    }
    switch (line.front()) {
      case '#':
        continue;
      case '>':
        if (current) examples.push_back(current->finish());
        current.emplace(file, number, afterMark(line));
        continue;
      default:
        break;
    }
    if (!current) {
      throw FileProblem(file, number, "expected '> ARGUMENT' to begin an example");
    }
    switch (line.front()) {
      case '~':
        current->addPattern(number, afterMark(line));
        break;
      case '!':
        current->addBox(afterMark(line));
        break;
      case '\\':
        line.remove_prefix(1);
        current->addText(number, line, true);
        break;
      default:
        current->addText(number, line, false);
        break;
    }
  }
  if (current) examples.push_back(current->finish());
  if (examples.empty()) throw FileProblem(file, 0, "holds no example ('> ARGUMENT' lines)");
  return examples;
}

std::u16string withLineFeeds(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      result += u'\n';
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace juvo::tool
