#include "engine/chunks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace juvo {
namespace {

using Pieces = std::vector<std::u16string>;

TEST(ChunkResult, CutsAfterEveryFullThousandThatMoreTextFollows) {
  for (std::size_t length : {0, 1, 999, 1000, 1001, 1999, 2000, 2001, 2002, 2500, 3003, 10001}) {
    SCOPED_TRACE(length);
    std::u16string text(length, u'a');
    for (std::size_t i = 0; i < length; i += 7)  // the separator's characters change nothing
      text[i] = i % 2 ? u'\n' : u'#';
    const std::u16string cut = chunkResult(text);
    ASSERT_EQ(cut.size(), length + 2 * (length == 0 ? 0 : (length - 1) / 1000));
    for (std::size_t chunk = 0, at = 0; at < length; ++chunk, at += 1000) {
      EXPECT_EQ(cut.substr(chunk * 1002, 1000), text.substr(at, 1000));
      if (at + 1000 < length) {
        EXPECT_EQ(cut.substr(chunk * 1002 + 1000, 2), u"\n#");
      }
    }
  }
  const std::u16string thousand(1000, u'a');
  EXPECT_EQ(chunkResult(thousand + u"b"), thousand + u"\n#b");
  // The count is in UTF-16 units: the cut may fall between the two halves of a pair.
  const std::u16string cut = chunkResult(std::u16string(999, u'a') + u"\U0001F600");
  EXPECT_EQ(cut.substr(999), u"\xD83D\n#\xDE00");
}

TEST(SplitChunks, GivesEveryPieceButNoneForNothing) {
  EXPECT_TRUE(splitChunks(u"").empty());
  EXPECT_EQ(splitChunks(u"a\n#b\n#c"), (Pieces{u"a", u"b", u"c"}));
  EXPECT_EQ(splitChunks(u"a\n#"), (Pieces{u"a", u""}));
  EXPECT_EQ(splitChunks(u"\n#\n#"), (Pieces{u"", u"", u""}));
  EXPECT_EQ(splitChunks(u"a\nb#c#\n"), Pieces{u"a\nb#c#\n"});  // a line feed or "#" alone
  const Pieces pieces = splitChunks(chunkResult(std::u16string(2500, u'z')));
  EXPECT_EQ(pieces, (Pieces{std::u16string(1000, u'z'), std::u16string(1000, u'z'),
                            std::u16string(500, u'z')}));
}

}  // namespace
}  // namespace juvo
