#include "examples_file.h"

#include <gtest/gtest.h>

#include "file_problem.h"

namespace juvo::tool {
namespace {

std::vector<Example> parse(std::string_view text) {
  return parseExamples(text, "w.examples");
}

std::string problem(std::string_view text) {
  try {
    parse(text);
  } catch (const FileProblem& error) {
    return error.what();
  }
  return "(accepted)";
}

TEST(ExamplesFile, ReadsArgumentsTextsPatternsAndBoxes) {
  const auto examples = parse(
      "# The weather parser's examples.\r\n"
      "\r\n"
      "> Amsterdam\r\n"
      "\r\n"
      "Amsterdam: 12 \xC2\xB0"
      "C\r\n"
      "\r\n"
      "  second line, indented\r\n"
      "# a comment inside\r\n"
      "\r\n"
      ">Utrecht \n"
      "~ ^Utrecht: \\d+\n"
      "~ rain|sun\n"
      "! Watch out\\nfor rain\n"
      ">\n"
      "\\# not a comment\n"
      "\\> not an example\n"
      "\\\\ one backslash\n"
      "\\\n"
      "> silent\n"
      "! No city given\n");
  ASSERT_EQ(examples.size(), 4u);

  EXPECT_EQ(examples[0].line, 3);
  EXPECT_EQ(examples[0].argument, u"Amsterdam");
  // Blank lines around the text are dropped, those inside it kept.
  EXPECT_EQ(examples[0].text, u"Amsterdam: 12 °C\n\n  second line, indented");
  EXPECT_TRUE(examples[0].patterns.empty());
  EXPECT_TRUE(examples[0].boxes.empty());

  EXPECT_EQ(examples[1].line, 10);
  EXPECT_EQ(examples[1].argument, u"Utrecht ");  // the argument as typed, trailing space too
  ASSERT_EQ(examples[1].patterns.size(), 2u);
  EXPECT_TRUE(examples[1].patterns[0].search(u"Utrecht: 14 °C, sun"));
  EXPECT_FALSE(examples[1].patterns[0].search(u"In Utrecht: 14"));
  EXPECT_EQ(examples[1].boxes, std::vector<std::u16string>{u"Watch out\nfor rain"});

  EXPECT_EQ(examples[2].argument, u"");
  EXPECT_EQ(examples[2].text, u"# not a comment\n> not an example\n\\ one backslash\n");

  EXPECT_EQ(examples[3].text, u"");  // nothing expected: nothing is sent
  EXPECT_EQ(examples[3].boxes, std::vector<std::u16string>{u"No city given"});
}

TEST(ExamplesFile, AByteOrderMarkAtTheStartIsNoText) {
  const auto examples = parse("\xEF\xBB\xBF> World\r\nHello, World\r\n");
  ASSERT_EQ(examples.size(), 1u);
  EXPECT_EQ(examples[0].argument, u"World");
  EXPECT_EQ(examples[0].text, u"Hello, World");
}

TEST(ExamplesFile, MistakesNameTheirLine) {
  EXPECT_EQ(problem(""), "w.examples: holds no example ('> ARGUMENT' lines)");
  EXPECT_EQ(problem("# only comments\n\n"), "w.examples: holds no example ('> ARGUMENT' lines)");
  EXPECT_EQ(problem("# weather\nAmsterdam\n> x\n"),
            "w.examples:2: expected '> ARGUMENT' to begin an example");
  EXPECT_EQ(problem("> a\ntext\n~ pattern\n"),
            "w.examples:3: an example expects either text or '~' patterns, not both (example of "
            "line 1)");
  EXPECT_EQ(problem("> a\n~ pattern\n\ntext\n"),
            "w.examples:4: an example expects either text or '~' patterns, not both (example of "
            "line 1)");
  EXPECT_EQ(problem("> a\n~ (unclosed\n"),
            "w.examples:2: the pattern does not compile: missing closing parenthesis at "
            "character 10");
}

TEST(ExamplesFile, LineEndsOfEveryKindBecomeLineFeeds) {
  EXPECT_EQ(withLineFeeds(u"a\r\nb\rc\nd\r\r\n"), u"a\nb\nc\nd\n\n");
  EXPECT_EQ(withLineFeeds(u""), u"");
}

TEST(Pattern, MatchesAnywhereUnlessAnchoredAndSurvivesOddText) {
  EXPECT_TRUE(Pattern(u"\\d+ °C").search(u"It is 12 °C"));
  EXPECT_FALSE(Pattern(u"^\\d").search(u"It is 12"));
  EXPECT_TRUE(Pattern(u"(?s)a.b").search(u"a\nb"));
  EXPECT_FALSE(Pattern(u"a.b").search(u"a\nb"));
  // An unpaired surrogate from a script neither crashes nor hides the rest of the text.
  EXPECT_TRUE(Pattern(u"end$").search(std::u16string(u"x\xD800 the end")));
  EXPECT_THROW(Pattern(u"[z-a]"), std::invalid_argument);
}

}  // namespace
}  // namespace juvo::tool
