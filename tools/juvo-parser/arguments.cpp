#include "arguments.h"

#include <charconv>
#include <cmath>

namespace juvo::tool {

namespace {

struct CommandName {
  const char* name;
  Command command;
};

constexpr CommandName kCommands[] = {
    {"run", Command::kRun},   {"info", Command::kInfo}, {"check", Command::kCheck},
    {"test", Command::kTest}, {"help", Command::kHelp}, {"--help", Command::kHelp},
    {"-h", Command::kHelp},
};

[[noreturn]] void fail(std::string message) {
  throw UsageError{std::move(message)};
}

// Seconds as typed ("20", "0.5"), more than zero and at most a day.
std::chrono::milliseconds parseSeconds(const std::string& text) {
  double seconds = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, seconds);
  if (error != std::errc() || stop != end || !std::isfinite(seconds) || seconds <= 0 ||
      seconds > 86400) {
    fail("--timeout takes a number of seconds, more than 0 and at most 86400, not '" + text + "'");
  }
  return std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
}

}  // namespace

Invocation parseArguments(std::span<const std::string> words) {
  Invocation invocation;
  if (words.empty()) fail("no command given");
  const CommandName* found = nullptr;
  for (const CommandName& candidate : kCommands) {
    if (words[0] == candidate.name) found = &candidate;
  }
  if (!found) fail("unknown command '" + words[0] + "'");
  invocation.command = found->command;
  if (invocation.command == Command::kHelp) return invocation;

  const bool takesTimeout =
      invocation.command == Command::kRun || invocation.command == Command::kTest;
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    // For run, the argument text begins with the word after FILE, whatever it looks like.
    const bool argumentText = invocation.command == Command::kRun && !operands.empty();
    if (optionsEnded || argumentText || word.empty() || word[0] != '-' || word == "-") {
      if (argumentText && !optionsEnded && (word == "--json" || word == "--timeout")) {
        invocation.notes.push_back(word + " after the parser file is part of the argument text; " +
                                   "options go before the file");
      }
      operands.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word == "--json") {
      invocation.json = true;
    } else if (word == "--record" && invocation.command == Command::kTest) {
      invocation.record = true;
    } else if (word == "--timeout" && takesTimeout) {
      if (i + 1 == words.size()) fail("--timeout needs a number of seconds");
      invocation.timeout = parseSeconds(words[++i]);
    } else {
      fail("unknown option '" + word + "' for " + words[0]);
    }
  }

  switch (invocation.command) {
    case Command::kRun:
      if (operands.empty()) fail("run needs a parser file");
      invocation.paths.push_back(operands[0]);
      for (size_t i = 1; i < operands.size(); ++i) {
        if (i > 1) invocation.argument += ' ';
        invocation.argument += operands[i];
      }
      break;
    case Command::kInfo:
      if (operands.size() != 1) fail("info takes exactly one parser file");
      invocation.paths = operands;
      break;
    case Command::kCheck:
    case Command::kTest:
      if (operands.empty()) fail(words[0] + " needs parser files or folders");
      invocation.paths = operands;
      break;
    case Command::kHelp:
      break;
  }
  return invocation;
}

const char* usageText() {
  return "usage: juvo-parser COMMAND [OPTIONS] OPERANDS\n"
         "\n"
         "  run [--json] [--timeout SECONDS] FILE [ARGUMENT...]\n"
         "      run the parser as /xjuvo would and print what the chat receives, every box,\n"
         "      each fetch and the time taken; the words after FILE are the argument text\n"
         "  info [--json] FILE\n"
         "      the description, syntax and help as the configuration window shows them\n"
         "  check [--json] FILE...|FOLDER...\n"
         "      what would make a parser fail or surprise its users, as FILE:LINE: message\n"
         "  test [--json] [--record] [--timeout SECONDS] FILE...|FOLDER...\n"
         "      run the examples in NAME.examples against the pages recorded in NAME.pages/;\n"
         "      --record fetches the pages from the web and records them\n"
         "  help\n"
         "      this text\n"
         "\n"
         "Exit status: 0 success, 1 the parser failed or findings, 2 bad usage, 130 stopped\n"
         "by Ctrl-C.\n";
}

}  // namespace juvo::tool
