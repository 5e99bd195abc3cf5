// juvo-parser test [--record] FILE...|FOLDER...
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "commands.h"
#include "example_runner.h"
#include "json_printer.h"
#include "parser_check.h"
#include "platform/inet/web_transfer.h"
#include "session.h"
#include "text_printer.h"

namespace juvo::tool {

namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kChatTimeout{20000};

// A result that says why there is nothing to run for `shown`.
ParserTestResult problem(const fs::path& examples, const std::string& message) {
  ParserTestResult result;
  result.files.examples = examples;
  result.files.shownExamples = examples.string();
  result.problem = message;
  return result;
}

bool isParserFile(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".vbs" || extension == ".js";
}

// The examples files `operand` names: itself, the one beside a parser file, or those in a
// folder. Problems go straight into `results`; a folder's parsers that have no examples are
// named on `err`, so that a run over a folder does not pass them over in silence.
std::vector<fs::path> examplesFiles(const std::string& operand,
                                    std::vector<ParserTestResult>& results, std::ostream& err) {
  std::error_code error;
  const fs::path path(operand);
  if (fs::is_directory(path, error)) {
    std::vector<fs::path> found;
    std::vector<fs::path> untested;
    for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
      if (!entry.is_regular_file(error)) continue;
      if (entry.path().extension() == ".examples") {
        found.push_back(entry.path());
      } else if (isParserFile(entry.path()) &&
                 !fs::exists(fs::path(entry.path()).replace_extension(".examples"), error)) {
        untested.push_back(entry.path());
      }
    }
    std::sort(found.begin(), found.end());
    std::sort(untested.begin(), untested.end());
    for (const fs::path& parser : untested) {
      err << parser.string() << ": not tested: no "
          << fs::path(parser).replace_extension(".examples").filename().string() << " beside it\n";
    }
    if (found.empty()) {
      results.push_back(problem(path, operand + ": no examples here (NAME.examples beside "
                                                "NAME.vbs or NAME.js)"));
    }
    return found;
  }
  if (path.extension() == ".examples") return {path};
  fs::path examples = path;
  examples.replace_extension(".examples");
  if (!fs::is_regular_file(examples, error)) {
    results.push_back(problem(
        examples, operand + ": no examples: write " + examples.filename().string() + " beside it"));
    return {};
  }
  return {examples};
}

}  // namespace

int testCommand(const Invocation& invocation, const CommandContext& context) {
  platform::WebTransfer& live = platform::systemWebTransfer();
  Session session(context.moduleFolder, invocation.timeout.value_or(kChatTimeout), live);
  printStartBoxes(context.err, session);
  std::vector<ParserTestResult> results;
  bool stopped = false;
  for (const std::string& operand : invocation.paths) {
    // A parser named on the command line is the one tested, even where the chat would run
    // NAME.vbs rather than this NAME.js (which is said).
    std::error_code error;
    const bool parserNamed =
        !fs::is_directory(operand, error) && fs::path(operand).extension() != ".examples";
    if (parserNamed) {
      for (const std::string& problem : nameProblems(operand))
        context.err << operand << ":1: " << problem << "\n";
    }
    for (const fs::path& examples : examplesFiles(operand, results, context.err)) {
      if (stopped) break;
      std::optional<ParserExamples> files = examplesFor(examples);
      if (files && parserNamed) {
        files->parser = operand;
        files->shownParser = operand;
      }
      if (!files) {
        results.push_back(problem(examples, examples.string() + ": no parser " +
                                                examples.stem().string() + ".vbs or " +
                                                examples.stem().string() + ".js beside it"));
        continue;
      }
      results.push_back(runExamples(session, *files, invocation.record, live));
      stopped = results.back().stopped;
    }
  }
  if (invocation.json) {
    context.out << testJson(results);
  } else {
    printTestText(context.out, results);
  }
  if (stopped) return kInterrupted;
  const bool anyRun = std::any_of(results.begin(), results.end(),
                                  [](const ParserTestResult& r) { return !r.examples.empty(); });
  const bool allPassed = std::all_of(results.begin(), results.end(), [](const ParserTestResult& r) {
    return !r.problem && std::all_of(r.examples.begin(), r.examples.end(),
                                     [](const ExampleResult& e) { return e.passed; });
  });
  return anyRun && allPassed ? kSucceeded : kParserFailed;
}

}  // namespace juvo::tool
