// VBScript parsers in the real host: the example parser from the chat and from the
// configuration window, a syntax error's box, and a parser that never ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace juvo::testing {
namespace {

// A short time-out: the real 20 seconds are kept by the JScript end-to-end test.
const std::map<std::string, std::string> kQuickTimeout = {{"JUVO_SCRIPT_TIMEOUT_MS", "500"}};

std::string exampleParser(const std::string& name) {
  std::ifstream in(std::filesystem::path(JUVO_EXAMPLES_DIR) / "parsers" / name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class VBScriptParsers : public HostTest {
 protected:
  VBScriptParsers() { moduleFolder_.write("JUVO/Parsers/hello.vbs", exampleParser("hello.vbs")); }
};

TEST_F(VBScriptParsers, TheExampleParserAnswersTheChat) {
  HostRun chat = run("/xjuvo hello World\n/xjuvo HELLO again\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  EXPECT_EQ(chat.linesStartingWith("[sent]"),
            (std::vector<std::string>{"[sent] Hello, World", "[sent] Hello, again"}));
  EXPECT_EQ(chat.out.find("engine not available"), std::string::npos) << chat.out;
  EXPECT_EQ(chat.out.find("[box"), std::string::npos) << chat.out;
}

TEST_F(VBScriptParsers, ASyntaxErrorShowsTheParserErrorBoxWithTheFilesLinePlusOne) {
  moduleFolder_.write("JUVO/Parsers/broken.vbs", "Sub run\r\n  x = (1 +\r\nEnd Sub\r\n");
  HostRun chat = run("/xjuvo broken\n@OK\n/xjuvo hello after\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  const size_t box = at(chat,
                        "[box Parser error.|OK|critical] Error from parser: \n\n"
                        "Description: Expected expression\n"
                        "Text:   x = (1 +\n"
                        "Number: -2146827265\n"
                        "Line: 3\n"
                        "Column: 10\n"
                        "Source: Microsoft VBScript compilation error\n");
  EXPECT_LT(box, at(chat, "[sent] Hello, after\n"));
  EXPECT_EQ(chat.linesStartingWith("[sent]").size(), 1u) << chat.out;
}

TEST_F(VBScriptParsers, ARunTimeErrorOnAFileOfLineFeedsNamesItsLine) {
  moduleFolder_.write("JUVO/Parsers/fails.vbs", "Sub run\n  x = 1\n  x = x / 0\nEnd Sub\n");
  HostRun chat = run("/xjuvo fails\n@OK\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  at(chat, "Description: Division by zero\nText:   x = x / 0\nNumber: -2146828277\nLine: 4\n");
  EXPECT_TRUE(chat.linesStartingWith("[sent]").empty()) << chat.out;
}

TEST_F(VBScriptParsers, AParserThatNeverEndsIsStoppedEvenWhenItHandlesErrors) {
  moduleFolder_.write("JUVO/Parsers/forever.vbs",
                      "Sub run\r\n  On Error Resume Next\r\n  Do\r\n    x = 1 / 0\r\n  Loop\r\n"
                      "End Sub\r\n");
  HostRun chat = run("/xjuvo forever\n/xjuvo hello again\n", kQuickTimeout);
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  ASSERT_FALSE(chat.timedOut);
  const size_t box =
      at(chat, "[box Juvo|OK|none] Parser timeout, the parser took to long to execute.\n");
  EXPECT_LT(box, at(chat, "[sent] Hello, again\n"));
  EXPECT_EQ(chat.out.find("Parser error."), std::string::npos) << chat.out;
}

TEST_F(VBScriptParsers, TheConfigurationWindowListsShowsAndTriesThem) {
  moduleFolder_.write("JUVO/Parsers/other.js",
                      "function info() { engine.description = 'JScript one'; }\r\n"
                      "function run() {}\r\n");
  HostRun chat =
      run("/xjuvoconfig\n"
          "@click cmdTryCommand\n"
          "@World\n"
          "@OK\n"
          "@close\n"
          "after\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  const size_t window = at(chat, "[form frmConfig]");
  const size_t list = at(chat, "  scripts (list):\n", window);
  EXPECT_LT(list, at(chat, "    0 > hello.vbs\n", list));
  EXPECT_LT(list, at(chat, "    1   other.js\n", list));
  EXPECT_LT(window, at(chat, "Greets whoever you name."));
  EXPECT_LT(window, at(chat, "/xjuvo hello name"));
  EXPECT_LT(window, at(chat, "Sends a greeting into the conversation"));
  const size_t input = at(chat, "[input Try command]");
  EXPECT_LT(input, at(chat, "[box Result of trying parser|OK|none] Hello, World\n"));
  EXPECT_EQ(chat.linesStartingWith("[sent]"), std::vector<std::string>{"[sent] after"});
  EXPECT_EQ(chat.out.find("engine not available"), std::string::npos) << chat.out;
}

}  // namespace
}  // namespace juvo::testing
