#include "engine/find_parser.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/engine_test_fixture.h"

namespace juvo {
namespace {

class FindParserTest : public testing::EngineTest {
 protected:
  std::u16string find(std::u16string_view name) { return findParser(test.shared, name); }
};

TEST_F(FindParserTest, FindsTheTrimmedLowerCaseNameVbsFirst) {
  test.writeParser("news.js", "");
  EXPECT_EQ(find(u"news"), parserPath("news.js"));
  test.writeParser("news.vbs", "");
  EXPECT_EQ(find(u"news"), parserPath("news.vbs"));
  EXPECT_EQ(find(u"  NeWs "), parserPath("news.vbs"));
}

TEST_F(FindParserTest, OnlyAnOrdinaryFileOfExactlyThatNameCounts) {
  test.writeParser("Weather.vbs", "");
  test.writeParser("news.vbs", "");
  test.writeParser(".vbs", "");  // hidden
  test.writeParser(".js", "");
  test.writeModuleFile("JUVO/secret.js", "");
  std::filesystem::create_directories(test.moduleFolder.path() / "JUVO/Parsers/folder.vbs");
  for (std::u16string_view name : {u"weather", u"Weather", u"*", u"n?ws", u"../secret",
                                   u"..\\secret", u"news vbs", u"folder", u"", u"  "}) {
    EXPECT_EQ(find(name), u"") << testing::utf8(name);
  }
  // Names no file can hold, and no parser folder at all.
  EXPECT_EQ(find(std::u16string(u"a\0b", 3)), u"");
  EXPECT_EQ(find(std::u16string(5000, u'a')), u"");
  EXPECT_EQ(find(u"\xD800"), u"");
  std::filesystem::remove_all(test.moduleFolder.path() / "JUVO");
  EXPECT_EQ(find(u"news"), u"");
}

}  // namespace
}  // namespace juvo
