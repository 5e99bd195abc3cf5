// What each command prints with --json, for programs: one JSON document on standard output.
// Texts are JSON strings; line numbers are the file's (not the script host's) and columns count
// from 1 (null where the language gives none); times are in milliseconds; error numbers are
// the signed 32-bit numbers scripts see.
//
//   run:   {file, argument, ending, result, chunks[], boxes[], errors[], failure, fetches[],
//           tidy[{level, line, column, text}], milliseconds, names[]}
//   info:  {file, shown, description, syntax, help, boxes[], errors[], failure, names[]}
//   check: {parsers, findings[{file, line, message}]}  (line 0: a folder without parsers)
//   test:  {passed, failed, untested, parsers[{parser, examples, problem, recorded[],
//           unrecorded[], stopped,
//           results[{line, argument, passed, problems[], result, boxes[], fetches[]}]}]}
//
// `names` holds what the file's name alone tells (nameProblems in parser_check.h). A box is {kind,
// title, text, buttons, icon, answer}; an error {line, column, description, number, source, text};
// a fetch {url, milliseconds} with {status, bytes, charset, finalUrl} or {error{number,
// description}}. `ending` is one of finished, unreadable, script-error, no-run, timed-out, stopped,
// failed.
#pragma once

#include <string>
#include <vector>

#include "example_runner.h"
#include "parser_check.h"
#include "session.h"

namespace juvo::tool {

std::string runJson(const std::string& file, const std::string& argument, const RunOutcome& outcome,
                    const std::vector<std::string>& names);
std::string infoJson(const std::string& file, const InfoOutcome& outcome,
                     const std::vector<std::string>& names);
std::string checkJson(const std::vector<Finding>& findings, size_t parsers);
std::string testJson(const std::vector<ParserTestResult>& results);

}  // namespace juvo::tool
