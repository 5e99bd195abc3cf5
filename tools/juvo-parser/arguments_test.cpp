#include "arguments.h"

#include <gtest/gtest.h>

namespace juvo::tool {
namespace {

using namespace std::chrono_literals;
using Words = std::vector<std::string>;

Invocation parse(const Words& words) {
  return parseArguments(words);
}

std::string usageError(const Words& words) {
  try {
    parseArguments(words);
  } catch (const UsageError& error) {
    return error.message;
  }
  return "(accepted)";
}

TEST(Arguments, RunTakesEverythingAfterTheFileAsTheArgumentText) {
  const Invocation plain = parse({"run", "weather.js", "New", "York"});
  EXPECT_EQ(plain.command, Command::kRun);
  EXPECT_EQ(plain.paths, Words{"weather.js"});
  EXPECT_EQ(plain.argument, "New York");
  // Options before the file; after it, words that look like options are argument text.
  const Invocation options =
      parse({"run", "--json", "--timeout", "0.25", "calc.js", "--json", "-1", ""});
  EXPECT_TRUE(options.json);
  EXPECT_EQ(options.timeout, 250ms);
  EXPECT_EQ(options.argument, "--json -1 ");
  // An option there is most likely misplaced: it is said, and still taken as text.
  EXPECT_EQ(options.notes, Words{"--json after the parser file is part of the argument text; "
                                 "options go before the file"});
  EXPECT_TRUE(parse({"run", "--", "calc.js", "--json"}).notes.empty());
  EXPECT_TRUE(parse({"run", "calc.js", "-1"}).notes.empty());
  EXPECT_EQ(parse({"run", "--", "-odd.js"}).paths, Words{"-odd.js"});
  EXPECT_EQ(parse({"run", "bare.js"}).argument, "");
}

TEST(Arguments, OtherCommandsTakeTheirOperandsAndOptionsAnywhere) {
  const Invocation check = parse({"check", "a.js", "--json", "folder"});
  EXPECT_EQ(check.command, Command::kCheck);
  EXPECT_TRUE(check.json);
  EXPECT_EQ(check.paths, (Words{"a.js", "folder"}));
  const Invocation test = parse({"test", "--record", "parsers", "--timeout", "3"});
  EXPECT_TRUE(test.record);
  EXPECT_EQ(test.timeout, 3000ms);
  EXPECT_EQ(parse({"info", "x.vbs"}).paths, Words{"x.vbs"});
  for (const char* help : {"help", "--help", "-h"})
    EXPECT_EQ(parse({help}).command, Command::kHelp);
}

TEST(Arguments, MistakesAreNamed) {
  const struct {
    Words words;
    std::string message;
  } cases[] = {
      {{}, "no command given"},
      {{"walk", "x.js"}, "unknown command 'walk'"},
      {{"run"}, "run needs a parser file"},
      {{"info"}, "info takes exactly one parser file"},
      {{"info", "a.js", "b.js"}, "info takes exactly one parser file"},
      {{"check"}, "check needs parser files or folders"},
      {{"check", "--record", "x"}, "unknown option '--record' for check"},
      {{"info", "--timeout", "2", "x.js"}, "unknown option '--timeout' for info"},
      {{"test", "x", "--timeout"}, "--timeout needs a number of seconds"},
      {{"run", "--timeout", "0", "x.js"},
       "--timeout takes a number of seconds, more than 0 and at most 86400, not '0'"},
      {{"run", "--timeout", "2s", "x.js"},
       "--timeout takes a number of seconds, more than 0 and at most 86400, not '2s'"},
      {{"run", "--timeout", "1e9", "x.js"},
       "--timeout takes a number of seconds, more than 0 and at most 86400, not '1e9'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(usageError(c.words), c.message) << (c.words.empty() ? "" : c.words[0]);
  }
}

}  // namespace
}  // namespace juvo::tool
