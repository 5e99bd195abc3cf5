// juvo-parser check FILE...|FOLDER...
#include <filesystem>

#include "commands.h"
#include "interrupt.h"
#include "json_printer.h"
#include "parser_check.h"
#include "session.h"
#include "text_printer.h"
#include "web_trace.h"

namespace juvo::tool {

namespace {

// Top-level code and info get this long, as a person selecting the parser would wait.
constexpr std::chrono::milliseconds kCheckTimeout{1000};

}  // namespace

int checkCommand(const Invocation& invocation, const CommandContext& context) {
  // Nothing checked reaches the web: loading code and calling info fetch nothing worth waiting
  // for.
  RefusingWebTransfer refusing(u"juvo-parser check fetches nothing");
  Session session(context.moduleFolder, kCheckTimeout, refusing);
  printStartBoxes(context.err, session);
  std::vector<Finding> findings;
  size_t parsers = 0;
  for (const std::string& operand : invocation.paths) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(operand, error)) {
      files = parserFilesIn(operand);
      // Most likely the wrong folder (JUVO/ rather than JUVO/Parsers/): a clean bill would
      // mislead.
      if (files.empty()) {
        findings.push_back({operand, 0, "no parsers here (NAME.vbs or NAME.js)"});
      }
    } else {
      files.push_back(operand);
    }
    for (const std::filesystem::path& file : files) {
      const std::vector<Finding> found = checkParser(session, file, file.string());
      // A check that Ctrl-C cut short found nothing worth saying.
      if (interruptRequested()) break;
      findings.insert(findings.end(), found.begin(), found.end());
      ++parsers;
    }
  }
  if (interruptRequested()) {
    context.err << "juvo-parser: stopped by Ctrl-C\n";
    return kInterrupted;
  }
  if (invocation.json) {
    context.out << checkJson(findings, parsers);
  } else {
    printCheckText(context.out, findings, parsers);
  }
  return findings.empty() ? kSucceeded : kParserFailed;
}

}  // namespace juvo::tool
