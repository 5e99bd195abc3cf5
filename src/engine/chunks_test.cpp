#include "engine/chunks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace juvo {
namespace {

// The cut as it has always been described: insert the separator at 1000, step 1002 further,
// while the position is inside the text grown so far.
std::u16string chunkStepByStep(std::u16string result) {
  std::size_t position = 1000;
  while (position < result.size()) {
    result = result.substr(0, position) + u"\n#" + result.substr(position);
    position += 1002;
  }
  return result;
}

// A text whose every unit is told apart from its neighbours, with separators' characters in it.
std::u16string sample(std::size_t length, unsigned seed) {
  std::mt19937 random(seed);
  const std::u16string alphabet = u"ab\n#\u00e9\u20ac ";
  std::u16string text(length, u'x');
  for (char16_t& c : text)
    c = alphabet[random() % alphabet.size()];
  return text;
}

TEST(ChunkResult, MatchesTheStepByStepCutOnEveryLength) {
  std::vector<std::size_t> lengths = {0,    1,    999,  1000, 1001, 1002, 1999, 2000,
                                      2001, 2002, 2500, 3003, 4000, 4001, 9999, 10001};
  std::mt19937 random(7);
  for (int i = 0; i < 60; ++i)
    lengths.push_back(random() % 25000);
  for (std::size_t length : lengths) {
    const std::u16string text = sample(length, static_cast<unsigned>(length));
    EXPECT_EQ(chunkResult(text), chunkStepByStep(text)) << "length " << length;
  }
}

TEST(ChunkResult, CutsAfterFullThousandsOnlyWhenMoreFollows) {
  const std::u16string thousand(1000, u'a');
  EXPECT_EQ(chunkResult(u""), u"");
  EXPECT_EQ(chunkResult(thousand), thousand);
  EXPECT_EQ(chunkResult(thousand + u"b"), thousand + u"\n#b");
  EXPECT_EQ(chunkResult(thousand + thousand), thousand + u"\n#" + thousand);

  const std::vector<std::u16string> pieces = splitChunks(chunkResult(std::u16string(2500, u'z')));
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].size(), 1000u);
  EXPECT_EQ(pieces[1].size(), 1000u);
  EXPECT_EQ(pieces[2].size(), 500u);
}

TEST(ChunkResult, CountsUtf16UnitsEvenInsideASurrogatePair) {
  // 999 letters and an emoji: the cut falls between the emoji's two units.
  const std::u16string text = std::u16string(999, u'a') + u"\U0001F600";
  const std::u16string cut = chunkResult(text);
  ASSERT_EQ(cut.size(), 1003u);
  EXPECT_EQ(cut.substr(1000, 2), u"\n#");
  EXPECT_EQ(cut[999], u'\xD83D');
}

TEST(SplitChunks, GivesEveryPieceButNoneForNothing) {
  EXPECT_TRUE(splitChunks(u"").empty());
  EXPECT_EQ(splitChunks(u"only"), std::vector<std::u16string>{u"only"});
  EXPECT_EQ(splitChunks(u"a\n#b\n#c"), (std::vector<std::u16string>{u"a", u"b", u"c"}));
  EXPECT_EQ(splitChunks(u"a\n#"), (std::vector<std::u16string>{u"a", u""}));
  EXPECT_EQ(splitChunks(u"\n#\n#"), (std::vector<std::u16string>{u"", u"", u""}));
  // A line feed or "#" alone is no separator.
  EXPECT_EQ(splitChunks(u"a\nb#c#\n"), std::vector<std::u16string>{u"a\nb#c#\n"});
}

}  // namespace
}  // namespace juvo
