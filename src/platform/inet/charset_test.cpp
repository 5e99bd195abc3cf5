#include "platform/inet/charset.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/text.h"

namespace platform::inet {
namespace {

struct Case {
  const char* what;
  std::string body;
  std::string contentType;
  std::string charset;  // expected set
  std::u16string text;  // expected text
};

// "café" in the sets below.
const std::string kLatin1Cafe = "caf\xE9";
const std::string kUtf8Cafe = "caf\xC3\xA9";

TEST(DecodeBody, TakesTheFirstRuleThatNamesAKnownSet) {
  const Case cases[] = {
      {"header wins over everything", "<?xml version='1.0' encoding='UTF-8'?>" + kLatin1Cafe,
       "text/xml; charset=ISO-8859-1", "WINDOWS-1252",
       u"<?xml version='1.0' encoding='UTF-8'?>caf\u00e9"},
      {"quoted header value", kUtf8Cafe, "text/html; Charset=\"utf-8\"", "UTF-8", u"caf\u00e9"},
      {"header set iconv knows by name", "\xC1\xC2", "text/plain;charset=koi8-r", "KOI8-R",
       u"\u0430\u0431"},
      {"unknown header set falls through to the markup", "<meta charset=\"iso-8859-2\">\xB1",
       "text/html; charset=no-such-set", "ISO-8859-2", u"<meta charset=\"iso-8859-2\">\u0105"},
      {"byte-order mark of UTF-8, not part of the text", "\xEF\xBB\xBF" + kUtf8Cafe, "text/html",
       "UTF-8", u"caf\u00e9"},
      {"byte-order mark of UTF-16LE", std::string("\xFF\xFEh\0i\0", 6), "", "UTF-16LE", u"hi"},
      {"byte-order mark of UTF-16BE beats a declaration", std::string("\xFE\xFF\0<\0?", 6), "",
       "UTF-16BE", u"<?"},
      {"XML declaration", "<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\xC0</a>",
       "text/xml", "WINDOWS-1251",
       u"<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\u0410</a>"},
      {"HTML meta charset attribute", "<html><head><META CharSet=latin1>" + kLatin1Cafe,
       "text/html", "WINDOWS-1252", u"<html><head><META CharSet=latin1>caf\u00e9"},
      {"HTML meta http-equiv",
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-15\">\xA4", "",
       "ISO-8859-15",
       u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-15\">\u20ac"},
      {"a wide set named in ASCII markup is UTF-8", "<meta charset=utf-16>" + kUtf8Cafe, "",
       "UTF-8", u"<meta charset=utf-16>caf\u00e9"},
      {"valid UTF-8 without any declaration", kUtf8Cafe + " \xF0\x9F\x98\x80", "text/html", "UTF-8",
       u"caf\u00e9 \U0001F600"},
      {"anything else is Windows-1252, every byte mapped", "\x80\x81 " + kLatin1Cafe, "",
       "WINDOWS-1252", u"\u20ac\u0081 caf\u00e9"},
      {"an overlong form is no UTF-8", "\xC0\xAF", "", "WINDOWS-1252", u"\u00c0\u00af"},
      {"empty body", "", "", "UTF-8", u""},
  };
  for (const Case& c : cases) {
    const DecodedText decoded = decodeBody(c.body, c.contentType);
    EXPECT_EQ(decoded.charset, c.charset) << c.what;
    EXPECT_EQ(toUtf8(decoded.text), toUtf8(c.text)) << c.what;
  }
}

TEST(DecodeBody, BytesADeclaredSetCannotMapBecomeReplacementCharacters) {
  EXPECT_EQ(decodeBody("a\xFF"
                       "b",
                       "text/html; charset=utf-8")
                .text,
            u"a\uFFFDb");
  // An odd number of bytes in UTF-16: the last one is replaced, nothing is lost before it.
  EXPECT_EQ(decodeBody(std::string("\xFF\xFEh\0i", 5), "").text, u"h\uFFFD");
}

TEST(CharsetRules, ReadTheirOwnSourceOnly) {
  EXPECT_EQ(charsetOfContentType("text/html"), "");
  EXPECT_EQ(charsetOfContentType("text/html; charset="), "");
  EXPECT_EQ(charsetOfContentType("text/html; format=flowed; charset = UTF8 ; x=y"), "UTF-8");
  EXPECT_EQ(charsetOfContentType("text/html; notcharset=koi8-r"), "");
  EXPECT_EQ(charsetOfByteOrderMark("\xEF\xBB"), "");
  // A declaration counts only at the very start; a meta charset only in a meta element and
  // only near the start of the page.
  EXPECT_EQ(charsetDeclaredIn(" <?xml version='1.0' encoding='koi8-r'?>"), "");
  EXPECT_EQ(charsetDeclaredIn("<?xml version='1.0'?><meta charset=koi8-r>"), "KOI8-R");
  EXPECT_EQ(charsetDeclaredIn("<p>charset=koi8-r</p>"), "");
  EXPECT_EQ(charsetDeclaredIn("<meta name=x><meta charset='koi8-r'/>"), "KOI8-R");
  EXPECT_EQ(charsetDeclaredIn(std::string(20000, ' ') + "<meta charset=koi8-r>"), "");
  EXPECT_EQ(charsetDeclaredIn("<meta charset"), "");
}

}  // namespace
}  // namespace platform::inet
