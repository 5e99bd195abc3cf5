// The four commands of juvo-parser. Each prints its outcome (text, or JSON with --json) and
// returns the program's exit status.
#pragma once

#include <ostream>
#include <string>

#include "arguments.h"

namespace juvo::tool {

inline constexpr int kSucceeded = 0;
inline constexpr int kParserFailed = 1;  // the parser failed, or there are findings
inline constexpr int kBadUsage = 2;
inline constexpr int kInterrupted = 130;  // Ctrl-C, as shells count it (128 + SIGINT)

struct CommandContext {
  // Where the plug-in is installed: the folder that holds juvo-parser and juvo.so.
  std::u16string moduleFolder;
  std::ostream& out;
  std::ostream& err;
};

int runCommand(const Invocation& invocation, const CommandContext& context);
int infoCommand(const Invocation& invocation, const CommandContext& context);
int checkCommand(const Invocation& invocation, const CommandContext& context);
int testCommand(const Invocation& invocation, const CommandContext& context);

}  // namespace juvo::tool
