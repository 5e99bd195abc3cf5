#include "text_printer.h"

#include "engine/chunks.h"
#include "examples_file.h"
#include "platform/base/text.h"
#include "platform/ui/terminal_ui.h"

namespace juvo::tool {

namespace {

std::string printable(std::u16string_view text) {
  return platform::toUtf8(withLineFeeds(text));
}

// The chunks as runScript cut them: 1000 characters each, the separator between. Unlike the
// trial run's split, a separator the parser wrote itself stays inside its chunk.
std::vector<std::u16string_view> chunksOf(std::u16string_view result) {
  std::vector<std::u16string_view> chunks;
  size_t at = 0;
  while (at < result.size()) {
    const size_t end = std::min(result.size(), at + kChunkLength);
    chunks.push_back(result.substr(at, end - at));
    at = end;
    if (result.substr(at, kChunkSeparator.size()) == kChunkSeparator) at += kChunkSeparator.size();
  }
  return chunks;
}

std::string count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string boxLine(const ShownBox& box) {
  switch (box.kind) {
    case ShownBox::Kind::kMessage: {
      std::string line = "[box " + printable(box.title) + "|" +
                         platform::toUtf8(platform::buttonsName(box.buttons)) + "|" +
                         platform::toUtf8(platform::iconName(box.icon)) + "] " +
                         printable(box.text);
      if (box.buttons != platform::Buttons::kOk) {
        line += "\n[answer " + platform::toUtf8(platform::answerName(box.answer)) + "]";
      }
      return line;
    }
    case ShownBox::Kind::kInput:
      return "[input " + printable(box.title) + "] " + printable(box.text) + "\n[answer cancel]";
    case ShownBox::Kind::kForm:
      return "[form " + printable(box.text) + "] " + printable(box.title);
  }
  return {};
}

std::string fetchLine(const Fetch& fetch) {
  std::string line = "[fetch] " + platform::toUtf8(fetch.url) + ": ";
  const std::string time = std::to_string(fetch.elapsed.count()) + " ms";
  if (fetch.failure) {
    return line + "failed after " + time + ": " + printable(fetch.failure->description());
  }
  const platform::WebDocument& document = *fetch.document;
  line +=
      std::to_string(document.status) + ", " + count(document.bytes, "byte", "bytes") + ", " + time;
  if (!document.charset.empty()) line += ", charset " + document.charset;
  if (!document.url.empty() && document.url != fetch.url) {
    line += ", from " + platform::toUtf8(document.url);
  }
  return line;
}

std::string tidyLine(const platform::TidyMessage& message) {
  static constexpr const char* kLevels[] = {
      "information", "warning", "configuration", "accessibility", "error", "bad document", "fatal"};
  const bool named = message.level >= 0 && message.level < 7;
  return "[tidy] line " + std::to_string(message.line) + ", column " +
         std::to_string(message.column) + ": " +
         (named ? kLevels[message.level] : "level " + std::to_string(message.level)) + ": " +
         printable(message.text);
}

void printRunText(std::ostream& out, std::ostream& err, const std::string& file,
                  const RunOutcome& outcome, std::chrono::milliseconds timeout) {
  for (const ShownBox& box : outcome.boxes)
    out << boxLine(box) << "\n";
  if (outcome.ending == Ending::kFinished) {
    const auto chunks = chunksOf(outcome.result);
    if (chunks.empty()) out << "[nothing sent]\n";
    for (size_t i = 0; i < chunks.size(); ++i) {
      out << "[sent";
      if (chunks.size() > 1) out << " " << i + 1 << "/" << chunks.size();
      out << "] " << printable(chunks[i]) << "\n";
    }
  }
  for (const Fetch& fetch : outcome.fetches)
    out << fetchLine(fetch) << "\n";
  for (const platform::TidyMessage& message : outcome.tidyMessages)
    out << tidyLine(message) << "\n";
  if (outcome.ending != Ending::kUnreadable) {
    out << "[time] " << outcome.elapsed.count() << " ms\n";
  }
  out.flush();
  for (const std::string& line : explainFailure(file, outcome, timeout))
    err << line << "\n";
}

void printInfoText(std::ostream& out, std::ostream& err, const std::string& file,
                   const InfoOutcome& outcome) {
  for (const ShownBox& box : outcome.boxes)
    out << boxLine(box) << "\n";
  if (outcome.shown) {
    const auto field = [&](const char* label, const std::u16string& text) {
      std::string shown = printable(text);
      // Later lines of a text line up under its first.
      std::string indented;
      for (char c : shown) {
        indented += c;
        if (c == '\n') indented += "             ";
      }
      out << label << indented << "\n";
    };
    field("description: ", outcome.description);
    field("syntax:      ", outcome.syntax);
    field("help:        ", outcome.help);
  }
  out.flush();
  RunOutcome failure;
  failure.scriptErrors = outcome.scriptErrors;
  failure.hostLines = outcome.hostLines;
  failure.columns = outcome.columns;
  failure.ending = Ending::kScriptError;
  if (outcome.unreadable) {
    failure.ending = Ending::kUnreadable;
    failure.failure = outcome.unreadable;
  }
  for (const std::string& line : explainFailure(file, failure, {}))
    err << line << "\n";
  if (!outcome.shown && !outcome.unreadable && outcome.scriptErrors.empty()) {
    err << file << ": the configuration window cannot show its information";
    err << (outcome.boxes.empty() ? "" : " (see the box above)") << "\n";
  }
}

void printStartBoxes(std::ostream& err, const Session& session) {
  for (const ShownBox& box : session.startBoxes())
    err << "juvo-parser: the plug-in shows this box as it starts:\n" << boxLine(box) << "\n";
}

void printCheckText(std::ostream& out, const std::vector<Finding>& findings, size_t parsers) {
  for (const Finding& finding : findings) {
    out << finding.file << ":";
    if (finding.line > 0) out << finding.line << ":";
    out << " " << finding.message << "\n";
  }
  out << count(parsers, "parser", "parsers") << " checked: "
      << (findings.empty() ? "no findings" : count(findings.size(), "finding", "findings")) << "\n";
}

void printTestText(std::ostream& out, const std::vector<ParserTestResult>& results) {
  size_t passed = 0;
  size_t failed = 0;
  size_t untested = 0;
  for (const ParserTestResult& parser : results) {
    if (parser.problem) {
      out << *parser.problem << "\n";
      ++untested;
      continue;
    }
    for (const ExampleResult& example : parser.examples) {
      out << parser.files.shownExamples << ":" << example.line << ": "
          << (example.passed ? "pass" : "FAIL") << " > " << printable(example.argument) << "\n";
      for (const std::string& problem : example.problems) {
        // Every line of a problem, a result's later lines too, under the example's line.
        std::string indented = "    ";
        for (char c : problem)
          indented += c == '\n' ? std::string("\n    ") : std::string(1, c);
        out << indented << "\n";
      }
      ++(example.passed ? passed : failed);
    }
    if (!parser.recorded.empty()) {
      out << parser.files.pages.string() << ": recorded "
          << count(parser.recorded.size(), "page", "pages") << "\n";
    }
    for (const std::string& unrecorded : parser.unrecorded)
      out << parser.files.pages.string() << ": not recorded: " << unrecorded << "\n";
    if (parser.stopped) out << "stopped by Ctrl-C\n";
  }
  out << count(passed + failed, "example", "examples") << ": " << passed << " passed, " << failed
      << " failed";
  if (untested > 0) out << "; " << count(untested, "file", "files") << " not tested";
  out << "\n";
}

}  // namespace juvo::tool
