#include "platform/base/text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Utf8, RoundTripsAndReplacesWhatIsMalformed) {
  std::u16string text = u"h\u00e9llo \u03b1\u03b2 \u65e5\u672c \U0001F600";
  EXPECT_EQ(fromUtf8(toUtf8(text)), text);
  EXPECT_EQ(toUtf8(u"\u00e9"), "\xC3\xA9");
  // Malformed input becomes replacement characters.
  EXPECT_EQ(fromUtf8("a\xFF"
                     "b"),
            u"a\uFFFDb");
  EXPECT_EQ(fromUtf8("\xC3"), u"\uFFFD");                                  // truncated sequence
  EXPECT_EQ(fromUtf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");              // overlong
  EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(Ansi, RoundTripsTheCodePagesCharactersOnly) {
  std::u16string latin = u"caf\u00e9 \u20ac";
  EXPECT_EQ(fromAnsi(toAnsi(latin)), latin);
  // Characters outside the code page become question marks.
  EXPECT_EQ(toAnsi(u"\u65e5"), ansiCodePageName() == "UTF-8" ? "\xE6\x97\xA5" : "?");
}

TEST(Decoding, MapsEveryByteOfWindows1252AndAnySetIconvKnows) {
  EXPECT_EQ(fromWindows1252("\x80\x81\x9F\xE9"), u"\u20ac\u0081\u0178\u00e9");
  EXPECT_EQ(decodeCharset("\xB1", "ISO-8859-2"), u"\u0105");
  EXPECT_EQ(decodeCharset(std::string("\0h\xD8", 3), "UTF-16BE"), u"h\uFFFD");
  EXPECT_EQ(decodeCharset("x", "NO-SUCH-SET"), std::nullopt);
}

TEST(CaseMapping, FoldsAsciiAndLatinLetters) {
  EXPECT_EQ(toLower(u"WeAtHeR.VBS"), u"weather.vbs");
  EXPECT_EQ(toLower(u"\u00c9T\u00c9 \u0391"), u"\u00e9t\u00e9 \u03b1");
  EXPECT_EQ(toUpper(u"stra\u00dfe"), u"STRA\u00dfE");  // no one-to-many mappings
  EXPECT_TRUE(equalsIgnoreCase(u"mnuFile", u"MNUFILE"));
  EXPECT_FALSE(equalsIgnoreCase(u"mnuFile", u"mnuFile "));
}

TEST(TrimSpaces, StripsOnlySpaces) {
  EXPECT_EQ(trimSpaces(u"  a b  "), u"a b");
  EXPECT_EQ(trimSpaces(u"\ta\t"), u"\ta\t");
  EXPECT_EQ(trimSpaces(u"    "), u"");
}

TEST(ReplaceAll, ReplacesEveryExactOccurrenceWithoutRescanning) {
  EXPECT_EQ(replaceAll(u"%parser% and %parser%", u"%parser%", u"x"), u"x and x");
  EXPECT_EQ(replaceAll(u"%PARSER%", u"%parser%", u"x"), u"%PARSER%");
  EXPECT_EQ(replaceAll(u"aa", u"a", u"aa"), u"aaaa");
  EXPECT_EQ(replaceAll(u"abc", u"", u"x"), u"abc");
}

TEST(Decimal, WritesSignedNumbers) {
  EXPECT_EQ(decimal(-42), u"-42");
  EXPECT_EQ(decimal(0), u"0");
}

}  // namespace
}  // namespace platform
