#include "platform/script/cesu8.h"

#include <gtest/gtest.h>

namespace platform::jscript {
namespace {

TEST(Cesu8, EncodesEachCodeUnitOnItsOwnAndRoundTripsThemAll) {
  EXPECT_EQ(toCesu8(u"a\u00e9\u20ac"), "a\xC3\xA9\xE2\x82\xAC");
  // U+1F600 as its two surrogates, three bytes each, not as one 4-byte sequence.
  EXPECT_EQ(toCesu8(u"\U0001F600"), "\xED\xA0\xBD\xED\xB8\x80");
  EXPECT_EQ(toCesu8(std::u16string(1, u'\0')), std::string(1, '\0'));
  std::u16string all;  // lone surrogates included
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
    all.push_back(static_cast<char16_t>(unit));
  EXPECT_EQ(fromCesu8(toCesu8(all)), all);
}

TEST(Cesu8, ReadsFourByteUtf8AndReplacesWhatItCannotDecode) {
  EXPECT_EQ(fromCesu8("\xF0\x9F\x98\x80!"), u"\U0001F600!");
  EXPECT_EQ(fromCesu8("a\xFF"
                      "b"),
            u"a\uFFFDb");
  EXPECT_EQ(fromCesu8("\xE2\x82"), u"\uFFFD\uFFFD");  // cut short
  EXPECT_EQ(fromCesu8("\xC3"
                      "A"),
            u"\uFFFDA");
  EXPECT_EQ(fromCesu8("\xF4\x90\x80\x80"), u"\uFFFD");  // beyond U+10FFFF
}

}  // namespace
}  // namespace platform::jscript
