// The real host running parsers from the chat and from the configuration window, with a copy
// of the real module and parser files in its JUVO/Parsers folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace juvo::testing {
namespace {

constexpr char kHello[] =
    "function info() {\r\n"
    "  engine.description = 'Greets whoever you name';\r\n"
    "  engine.syntax = 'name';\r\n"
    "  engine.help = 'Type a name after hello';\r\n"
    "}\r\n"
    "function run() {\r\n"
    "  engine.output('Hello, ' + engine.argument);\r\n"
    "}\r\n";

class ParserRun : public HostTest {
 protected:
  ParserRun() { moduleFolder_.write("JUVO/Parsers/hello.js", kHello); }
};

TEST_F(ParserRun, ChatCommandsSendTheParsersResult) {
  HostRun chat = run("/xjuvo hello World\n/XWS hello  two\n/xjuvo nosuch\n/xjuvo hello\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  const std::vector<std::string> sent = chat.linesStartingWith("[sent]");
  ASSERT_EQ(sent.size(), 3u) << chat.out;
  EXPECT_EQ(sent[0], "[sent] Hello, World");
  EXPECT_EQ(sent[1], "[sent] Hello,  two");
  EXPECT_EQ(sent[2], "[sent] Hello, ");

  at(chat,
     "[box Juvo|OK|none] No parser with the name 'nosuch' found.\n"
     "Type /xjuvoconfig for a list of installed parsers.\n");
  // The toast comes with the third result, before it is sent.
  const std::vector<std::string> toasts = chat.linesStartingWith("[toast Juvo]");
  EXPECT_EQ(toasts.size(), 1u) << chat.out;
  const size_t toast = at(chat, "[toast Juvo]");
  EXPECT_LT(at(chat, "[sent] Hello,  two"), toast);
  EXPECT_LT(toast, at(chat, "[sent] Hello, \n"));
}

TEST_F(ParserRun, LongResultsArriveInChunks) {
  moduleFolder_.write("JUVO/Parsers/long.js",
                      "function run() { engine.output(new Array(2501).join('x')); }\r\n");
  HostRun chat = run("/xjuvo long\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  at(chat, "[sent] " + std::string(1000, 'x') + "\n#" + std::string(1000, 'x') + "\n#" +
               std::string(500, 'x') + "\n");
}

TEST_F(ParserRun, AParserThatNeverEndsIsStoppedAndTheChatGoesOn) {
  moduleFolder_.write("JUVO/Parsers/forever.js", "function run() { while (true) {} }\r\n");
  HostRun chat = run("/xjuvo forever\n/xjuvo hello again\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  ASSERT_FALSE(chat.timedOut);
  const size_t box =
      at(chat, "[box Juvo|OK|none] Parser timeout, the parser took to long to execute.\n");
  EXPECT_LT(box, at(chat, "[sent] Hello, again\n"));
  EXPECT_EQ(chat.linesStartingWith("[sent]").size(), 1u) << chat.out;
}

TEST_F(ParserRun, TheConfigurationWindowShowsAndTriesTheSelectedParser) {
  HostRun chat =
      run("/xjuvoconfig\n"
          "@click cmdTryCommand\n"
          "@World\n"
          "@OK\n"
          "@click cmdTryCommand\n"
          "@Cancel\n"
          "@OK\n"
          "@close\n"
          "after\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  const size_t window = at(chat, "[form frmConfig]");
  EXPECT_LT(window, at(chat, "Greets whoever you name"));
  EXPECT_LT(window, at(chat, "/xjuvo hello name"));
  EXPECT_LT(window, at(chat, "Type a name after hello"));
  const size_t input = at(chat,
                          "[input Try command] Enter the arguments you want to run the parser "
                          "'hello' with.\n");
  const size_t result = at(chat, "[box Result of trying parser|OK|none] Hello, World\n");
  EXPECT_LT(input, result);
  // "@Cancel" cancels the input box, and the trial goes on with the empty argument.
  at(chat, "[answer cancel]\n[box Result of trying parser|OK|none] Hello, \n[answer OK]\n", result);
  EXPECT_EQ(chat.linesStartingWith("[sent]"), std::vector<std::string>{"[sent] after"});
}

}  // namespace
}  // namespace juvo::testing
