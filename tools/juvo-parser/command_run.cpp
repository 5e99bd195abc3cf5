// juvo-parser run FILE [ARGUMENT...] and juvo-parser info FILE.
#include "commands.h"
#include "interrupt.h"
#include "json_printer.h"
#include "parser_check.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "session.h"
#include "text_printer.h"

namespace juvo::tool {

namespace {

constexpr std::chrono::milliseconds kChatTimeout{20000};

// What the name alone tells, which the chat would leave the user to find out: a parser that
// runs here may still be one /xjuvo cannot reach, or one it runs in the other language.
void printNameProblems(std::ostream& err, const std::string& file,
                       const std::vector<std::string>& problems) {
  for (const std::string& problem : problems)
    err << file << ":1: " << problem << "\n";
}

}  // namespace

int runCommand(const Invocation& invocation, const CommandContext& context) {
  const std::string& file = invocation.paths.front();
  const std::chrono::milliseconds timeout = invocation.timeout.value_or(kChatTimeout);
  Session session(context.moduleFolder, timeout, platform::systemWebTransfer());
  printStartBoxes(context.err, session);
  const RunOutcome outcome =
      session.run(platform::fromUtf8(file), platform::fromUtf8(invocation.argument));
  const std::vector<std::string> names = nameProblems(file);
  if (invocation.json) {
    context.out << runJson(file, invocation.argument, outcome, names);
  } else {
    printRunText(context.out, context.err, file, outcome, timeout);
    printNameProblems(context.err, file, names);
  }
  if (outcome.ending == Ending::kStopped) return kInterrupted;
  // A script error the parser caught still showed the chat its box.
  const bool clean = outcome.ending == Ending::kFinished && outcome.scriptErrors.empty();
  return clean ? kSucceeded : kParserFailed;
}

int infoCommand(const Invocation& invocation, const CommandContext& context) {
  const std::string& file = invocation.paths.front();
  Session session(context.moduleFolder, invocation.timeout.value_or(kChatTimeout),
                  platform::systemWebTransfer());
  printStartBoxes(context.err, session);
  const InfoOutcome outcome = session.info(platform::fromUtf8(file));
  const std::vector<std::string> names = nameProblems(file);
  if (invocation.json) {
    context.out << infoJson(file, outcome, names);
  } else {
    printInfoText(context.out, context.err, file, outcome);
    printNameProblems(context.err, file, names);
  }
  if (interruptRequested()) return kInterrupted;
  return outcome.shown ? kSucceeded : kParserFailed;
}

}  // namespace juvo::tool
