// juvo-parser: run, show, check and test parsers outside the chat, through the plug-in's own
// script host, engine object, web transfer and XML document. See docs/parsers.md.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "interrupt.h"
#include "platform/base/text.h"

namespace {

namespace fs = std::filesystem;
using namespace juvo::tool;

// The folder the tool is installed in, beside juvo.so and its JUVO folder.
std::u16string moduleFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return platform::fromUtf8((error ? fs::current_path() : self.parent_path()).string());
}

// Operands must exist; run and info take a file.
void requireOperands(const Invocation& invocation) {
  for (const std::string& path : invocation.paths) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) throw UsageError{"no such file or folder: " + path};
    const bool single = invocation.command == Command::kRun || invocation.command == Command::kInfo;
    if (single && fs::is_directory(status)) {
      throw UsageError{path + " is a folder; " +
                       (invocation.command == Command::kRun ? "run" : "info") +
                       " takes a parser file"};
    }
  }
}

int dispatch(const Invocation& invocation) {
  const CommandContext context{moduleFolder(), std::cout, std::cerr};
  switch (invocation.command) {
    case Command::kRun:
      return runCommand(invocation, context);
    case Command::kInfo:
      return infoCommand(invocation, context);
    case Command::kCheck:
      return checkCommand(invocation, context);
    case Command::kTest:
      return testCommand(invocation, context);
    case Command::kHelp:
      std::cout << usageText();
      return kSucceeded;
  }
  return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  Invocation invocation;
  try {
    invocation = parseArguments(words);
    requireOperands(invocation);
  } catch (const UsageError& error) {
    std::cerr << "juvo-parser: " << error.message << "\n" << usageText();
    return kBadUsage;
  }
  for (const std::string& note : invocation.notes)
    std::cerr << "juvo-parser: " << note << "\n";
  watchForInterrupt();
  try {
    const int status = dispatch(invocation);
    std::cout.flush();
    return status;
  } catch (const std::exception& error) {
    std::cerr << "juvo-parser: " << error.what() << "\n";
    return kParserFailed;
  }
}
