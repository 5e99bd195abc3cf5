// Running a parser's examples (examples_file.h) against its recorded pages (page_store.h), or
// against the live web while recording them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "examples_file.h"
#include "session.h"

namespace juvo::tool {

struct ExampleResult {
  int line = 0;  // of the example in its file
  std::u16string argument;
  bool passed = false;
  // Why it failed, for a person: each entry one line.
  std::vector<std::string> problems;
  RunOutcome outcome;
};

struct ParserExamples {
  std::filesystem::path parser;    // NAME.vbs or NAME.js
  std::filesystem::path examples;  // NAME.examples
  std::filesystem::path pages;     // NAME.pages
  std::string shownParser;         // as the user will read it
  std::string shownExamples;
};

struct ParserTestResult {
  ParserExamples files;
  // Set when the examples could not run at all (a damaged examples or page file).
  std::optional<std::string> problem;
  std::vector<ExampleResult> examples;
  std::vector<std::u16string> recorded;  // the addresses recorded, with --record
  std::vector<std::string> unrecorded;   // "ADDRESS: why" for fetches --record could not keep
  bool stopped = false;                  // Ctrl-C ended it
};

// The parser and pages that belong to the examples file `examples`: NAME.vbs, else NAME.js
// (the chat's order), and NAME.pages. Nullopt when there is no such parser.
std::optional<ParserExamples> examplesFor(const std::filesystem::path& examples);

// Runs every example of `files` in `session`: replaying the recorded pages, or, with `record`,
// fetching through `live` and recording each page. Stops after an example that Ctrl-C ended.
ParserTestResult runExamples(Session& session, const ParserExamples& files, bool record,
                             platform::WebTransfer& live);

// Why a run did not finish, for a person: the lines a failed example or `run` prints.
std::vector<std::string> explainFailure(const std::string& shownFile, const RunOutcome& outcome,
                                        std::chrono::milliseconds timeout);

}  // namespace juvo::tool
