#include "example_runner.h"

#include <sstream>

#include "error_report.h"
#include "file_problem.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "replaying_web.h"
#include "result_diff.h"

namespace juvo::tool {

namespace {

namespace fs = std::filesystem;

fs::path withExtension(fs::path path, const char* extension) {
  return path.replace_extension(extension);
}

std::string seconds(std::chrono::milliseconds time) {
  std::ostringstream text;
  text << static_cast<double>(time.count()) / 1000.0 << " s";
  return text.str();
}

// The report lines of `report`, which ends in a line break.
void addLines(std::vector<std::string>& lines, const std::string& report) {
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
}

// Tidy makes U+00A0 of every &nbsp;, and it prints as a space: a result that differs only
// there would look the same as what was expected.
constexpr char16_t kNoBreakSpace = u'\u00A0';

void noteNoBreakSpaces(std::u16string_view result, std::vector<std::string>& problems) {
  if (result.find(kNoBreakSpace) == std::u16string_view::npos) return;
  problems.push_back(
      "(the result holds no-break spaces, U+00A0, as tidy makes of &nbsp;: they print as spaces; "
      "write them as they are, or as \\x{a0} in a pattern)");
}

void compareResult(const Example& example, const RunOutcome& outcome,
                   std::vector<std::string>& problems) {
  const std::u16string result = withLineFeeds(outcome.result);
  if (!example.patterns.empty()) {
    for (const Pattern& pattern : example.patterns) {
      bool matched = false;
      try {
        matched = pattern.search(result);
      } catch (const std::exception& error) {
        problems.push_back(error.what());
        continue;
      }
      if (!matched) {
        problems.push_back("the result does not match ~ " + platform::toUtf8(pattern.source()));
      }
    }
    if (!problems.empty()) {
      problems.push_back("result:   " + (result.empty() ? "(nothing)" : platform::toUtf8(result)));
      noteNoBreakSpaces(result, problems);
    }
    return;
  }
  if (result != example.text) {
    problems.push_back("the result differs:");
    for (const std::u16string& line : describeDifference(example.text, result))
      problems.push_back("  " + platform::toUtf8(line));
    if (example.text.find(kNoBreakSpace) == std::u16string::npos) {
      noteNoBreakSpaces(result, problems);
    }
  }
}

void compareBoxes(const Example& example, const RunOutcome& outcome,
                  std::vector<std::string>& problems) {
  std::vector<std::u16string> shown;
  for (const ShownBox& box : outcome.boxes)
    shown.push_back(withLineFeeds(box.text));
  std::vector<std::u16string> expected;
  for (const std::u16string& box : example.boxes)
    expected.push_back(withLineFeeds(box));
  if (shown == expected) return;
  problems.push_back(expected.empty() ? "the run shows boxes where none were expected:"
                                      : "the boxes shown differ:");
  // As a '!' line writes them: a line break, a trailing one above all, is seen as "\n".
  const auto written = [](const std::u16string& box) {
    return platform::toUtf8(platform::replaceAll(box, u"\n", u"\\n"));
  };
  for (const std::u16string& box : expected)
    problems.push_back("  expected box: " + written(box));
  for (const std::u16string& box : shown)
    problems.push_back("  shown box:    " + written(box));
}

}  // namespace

std::optional<ParserExamples> examplesFor(const fs::path& examples) {
  for (const char* extension : {".vbs", ".js"}) {
    const fs::path parser = withExtension(examples, extension);
    std::error_code error;
    if (fs::is_regular_file(parser, error)) {
      return ParserExamples{parser, examples, withExtension(examples, ".pages"), parser.string(),
                            examples.string()};
    }
  }
  return std::nullopt;
}

std::vector<std::string> explainFailure(const std::string& shownFile, const RunOutcome& outcome,
                                        std::chrono::milliseconds timeout) {
  std::vector<std::string> lines;
  for (const platform::ScriptErrorInfo& error : outcome.scriptErrors)
    addLines(lines, formatScriptError(shownFile, error, outcome.hostLines, outcome.columns));
  const std::string description =
      outcome.failure ? platform::toUtf8(outcome.failure->description()) : std::string();
  switch (outcome.ending) {
    case Ending::kFinished:
    case Ending::kScriptError:
      break;
    case Ending::kUnreadable:
      lines.push_back(shownFile + ": cannot be read: " + description);
      break;
    case Ending::kNoRun:
      if (outcome.otherCaseRuns.empty()) {
        lines.push_back(shownFile + ":1: no procedure run: the chat calls run");
      } else {
        const std::u16string& near = outcome.otherCaseRuns.front();
        lines.push_back(shownFile + ":" +
                        std::to_string(declarationLine(outcome.hostLines, near, false)) +
                        ": no procedure run, only " + platform::toUtf8(near) +
                        ": JScript tells names apart by letter case, and the chat calls run");
      }
      break;
    case Ending::kTimedOut:
      lines.push_back(shownFile + ": stopped at the time-out: it ran longer than " +
                      seconds(timeout));
      break;
    case Ending::kStopped:
      lines.push_back(shownFile + ": stopped by Ctrl-C");
      break;
    case Ending::kFailed:
      lines.push_back(shownFile + ": failed: " + description);
      break;
  }
  return lines;
}

ParserTestResult runExamples(Session& session, const ParserExamples& files, bool record,
                             platform::WebTransfer& live) {
  ParserTestResult result{files, std::nullopt, {}, {}, {}, false};
  std::vector<Example> examples;
  std::map<std::u16string, RecordedPage> pages;
  try {
    examples = parseExamples(readFileBytes(files.examples), files.shownExamples);
    if (!record) pages = readPages(files.pages);
  } catch (const FileProblem& problem) {
    result.problem = problem.what();
    return result;
  }
  ReplayingWebTransfer replay(std::move(pages));
  RecordingWebTransfer recorder(live, files.pages);
  session.web().use(record ? static_cast<platform::WebTransfer&>(recorder) : replay);

  const std::u16string parser = platform::fromUtf8(files.parser.string());
  for (const Example& example : examples) {
    ExampleResult outcome;
    outcome.line = example.line;
    outcome.argument = example.argument;
    outcome.outcome = session.run(parser, example.argument);
    std::vector<std::string>& problems = outcome.problems;
    for (const std::u16string& url : replay.takeMisses()) {
      problems.push_back("fetched an address that is not recorded: " + platform::toUtf8(url) +
                         " (juvo-parser test --record records it)");
    }
    const RunOutcome& run = outcome.outcome;
    const std::vector<std::string> failure =
        explainFailure(files.shownParser, run, session.script().timeout());
    problems.insert(problems.end(), failure.begin(), failure.end());
    if (run.ending == Ending::kFinished) {
      compareResult(example, run, problems);
      compareBoxes(example, run, problems);
    }
    outcome.passed = problems.empty();
    result.examples.push_back(std::move(outcome));
    if (run.ending == Ending::kStopped) {
      result.stopped = true;
      break;
    }
  }
  session.web().use(live);
  result.recorded = recorder.recorded();
  result.unrecorded = recorder.unrecorded();
  return result;
}

}  // namespace juvo::tool
