#include "platform/regexp/regexp_pattern.h"

#include <gtest/gtest.h>

#include "error_testing.h"
#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

struct Row {
  std::u16string_view pattern;
  std::u16string_view subject;
  std::optional<std::u16string_view> match;  // the first match, nullopt for none
  RegExpPattern::Options options = {};
};

TEST(RegExpPattern, SpeaksTheDialectOfVBScript) {
  const RegExpPattern::Options ignoreCase{.ignoreCase = true};
  const RegExpPattern::Options multiline{.multiline = true};
  const Row rows[] = {
      {u"\\u00e9+", u"caf\u00e9\u00e9", u"\u00e9\u00e9"},
      {u"\\x41", u"zA", u"A"},
      {u"(a)?\\1b", u"b", u"b"},
      {u"[^]", u"\n", u"\n"},
      {u"[]", u"anything", std::nullopt},
      {u"a.c", u"a\nc", std::nullopt},
      {u"a.c", u"a\rc", u"a\rc"},
      {u"^b", u"a\nb", std::nullopt},
      {u"^b", u"a\nb", u"b", multiline},
      {u"a$", u"a\n", std::nullopt},
      {u"a$", u"a\nb", u"a", multiline},
      {u"^b$", u"a\rb\rc", u"b", multiline},
      {u"^b$", u"a\r\nb\r\n", u"b", multiline},
      {u"[$^]b", u"a\r$b", u"$b", multiline},
      {u"\\^b", u"a\r^b", u"^b", multiline},
      {u"\u00c9T\u00c9", u"\u00e9t\u00e9", u"\u00e9t\u00e9", ignoreCase},
      {u"STRASSE", u"strasse", u"strasse", ignoreCase},
      {u"\u00c9", u"\u00e9", std::nullopt},
      {u"\\w+", u"caf\u00e9", u"caf"},
      {u"\\d", u"\u0663", std::nullopt},
      {u"\\s+", u"a \t\r\nb", u" \t\r\n"},
      {u"\\bis\\b", u"this is", u"is"},
      {u"<b>(.*?)</b>", u"<b>x</b><b>y</b>", u"<b>x</b>"},
      {u"a(?=b)", u"acab", u"a"},
      {u"a{", u"a{", u"a{"},
      {u"[a-c]+", u"xxbcay", u"bca"},
      {u"\\$\\d+\\.\\d{2}", u"Price: $12.50", u"$12.50"},
      {u"x", u"\xd800x", u"x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(toUtf8(row.pattern) + " on " + toUtf8(row.subject));
    const RegExpPattern pattern(row.pattern, row.options);
    const std::optional<RegExpMatch> match = pattern.find(row.subject, 0);
    ASSERT_EQ(match.has_value(), row.match.has_value());
    if (match) {
      const std::u16string_view subject = row.subject;
      EXPECT_EQ(subject.substr(match->whole.begin, match->whole.end - match->whole.begin),
                *row.match);
    }
  }
}

TEST(RegExpPattern, ABadPatternRaisesTheErrorThatNamesItsFault) {
  const struct {
    std::u16string_view pattern;
    ErrorCode error;
  } rows[] = {
      {u"(", ErrorCode::kRegExpExpectedParen},     {u"a(b|c", ErrorCode::kRegExpExpectedParen},
      {u"[a-", ErrorCode::kRegExpExpectedBracket}, {u"[abc", ErrorCode::kRegExpExpectedBracket},
      {u"*a", ErrorCode::kRegExpQuantifier},       {u"+", ErrorCode::kRegExpQuantifier},
      {u"a**", ErrorCode::kRegExpQuantifier},      {u"a{2,1}", ErrorCode::kRegExpQuantifier},
      {u"[z-a]", ErrorCode::kRegExpInvalidRange},  {u"a)", ErrorCode::kRegExpSyntax},
      {u"\\", ErrorCode::kRegExpSyntax},           {u"(?<", ErrorCode::kRegExpSyntax},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(toUtf8(row.pattern));
    EXPECT_EQ(errorNumberOf([&] { RegExpPattern(row.pattern, {}); }), numberOf(row.error));
  }
}

TEST(RegExpPattern, GroupsThatTookNoPartHaveNoSpan) {
  const RegExpPattern pattern(u"(a)|(b)(c)?", {});
  EXPECT_EQ(pattern.groupCount(), 3u);
  const std::optional<RegExpMatch> match = pattern.find(u"xb", 0);
  ASSERT_TRUE(match);
  EXPECT_EQ(match->whole.begin, 1u);
  ASSERT_EQ(match->groups.size(), 3u);
  EXPECT_FALSE(match->groups[0]);
  ASSERT_TRUE(match->groups[1]);
  EXPECT_EQ(match->groups[1]->begin, 1u);
  EXPECT_FALSE(match->groups[2]);
}

TEST(RegExpPattern, AGlobalSearchStepsOverEmptyMatches) {
  const RegExpPattern stars(u"x*", {});
  std::vector<size_t> starts;
  for (const RegExpMatch& match : stars.findAll(u"axxb"))
    starts.push_back(match.whole.begin);
  EXPECT_EQ(starts, (std::vector<size_t>{0, 1, 3, 4}));
  // Never into the middle of a surrogate pair.
  EXPECT_EQ(RegExpPattern(u"", {}).findAll(u"\U0001F600a").size(), 3u);
  EXPECT_TRUE(RegExpPattern(u"b", {}).findAll(u"").empty());
  EXPECT_FALSE(RegExpPattern(u"a", {}).find(u"a", 2));
}

TEST(RegExpPattern, CatastrophicBacktrackingStopsWithAnError) {
  const RegExpPattern words(u"^(\\w+\\s?)*$", {});
  const std::u16string sentence = std::u16string(40, u'a') + u"!";
  EXPECT_EQ(errorNumberOf([&] { words.find(sentence, 0); }), numberOf(ErrorCode::kOutOfStackSpace));
  const RegExpPattern nested(u"(x+x+)+[yz]", {});
  EXPECT_EQ(errorNumberOf([&] { nested.findAll(std::u16string(5000, u'x')); }),
            numberOf(ErrorCode::kOutOfStackSpace));
}

}  // namespace
}  // namespace platform
