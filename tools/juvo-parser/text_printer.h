// What each command prints for people: plain lines, UTF-8, line breaks inside texts printed as
// real ones. The lines a run prints follow juvo-host's transcript where they show the same
// thing ("[box TITLE|BUTTONS|ICON] TEXT", "[sent] TEXT"). Reports of failures go to `err`.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "example_runner.h"
#include "parser_check.h"
#include "session.h"

namespace juvo::tool {

// The boxes, the result (one "[sent]" line per chunk, "[sent 2/3]" when there are several, or
// "[nothing sent]"), each fetch, each tidy message, the time; then on `err` why the run failed.
void printRunText(std::ostream& out, std::ostream& err, const std::string& file,
                  const RunOutcome& outcome, std::chrono::milliseconds timeout);

// "description:", "syntax:" and "help:" as the window shows them, after any boxes; on `err`
// why they could not be shown.
void printInfoText(std::ostream& out, std::ostream& err, const std::string& file,
                   const InfoOutcome& outcome);

// One "FILE:LINE: message" line per finding ("FOLDER: message" for a folder), then a count.
void printCheckText(std::ostream& out, const std::vector<Finding>& findings, size_t parsers);

// One line per example ("FILE:LINE: pass > ARGUMENT", or FAIL with its problems indented
// below), then the counts; examples files that could not run at all say why and count as not
// tested.
void printTestText(std::ostream& out, const std::vector<ParserTestResult>& results);

// The boxes the plug-in showed as it started, on `err` whatever the output's form: the chat
// shows them at each start, and they explain texts that are not in the language saved.
void printStartBoxes(std::ostream& err, const Session& session);

// The lines for people of one box, one fetch and one tidy message.
std::string boxLine(const ShownBox& box);
std::string fetchLine(const Fetch& fetch);
std::string tidyLine(const platform::TidyMessage& message);

}  // namespace juvo::tool
