// The command line of juvo-parser: a command, its options and its operands.
//
//   juvo-parser run [--json] [--timeout SECONDS] FILE [ARGUMENT...]
//   juvo-parser info [--json] FILE
//   juvo-parser check [--json] FILE...|FOLDER...
//   juvo-parser test [--json] [--record] [--timeout SECONDS] FILE...|FOLDER...
//   juvo-parser help
//
// For `run`, everything after FILE is the argument text, its words joined by one space as the
// chat would pass "/xjuvo NAME ARGUMENT..." (so options go before FILE). "--" ends the options
// of any command.
#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace juvo::tool {

enum class Command { kRun, kInfo, kCheck, kTest, kHelp };

struct Invocation {
  Command command = Command::kHelp;
  bool json = false;
  bool record = false;
  // How long one call into the parser may run; the chat's 20 seconds when not given.
  std::optional<std::chrono::milliseconds> timeout;
  std::vector<std::string> paths;  // run and info: exactly one
  std::string argument;            // run only
  // Things the person who typed the command line should know though it is valid, such as an
  // option after run's FILE, which is argument text.
  std::vector<std::string> notes;
};

// What went wrong on the command line, in words for the person who typed it.
struct UsageError {
  std::string message;
};

// Reads the words after the program's name. Raises UsageError.
Invocation parseArguments(std::span<const std::string> words);

// The summary of every command and option.
const char* usageText();

}  // namespace juvo::tool
