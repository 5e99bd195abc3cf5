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

TEST_F(FindParserTest, FindsLowerCaseNamesVbsFirst) {
  test.writeParser("news.js", "");
  EXPECT_EQ(find(u"news"), parserPath("news.js"));
  test.writeParser("news.vbs", "");
  EXPECT_EQ(find(u"news"), parserPath("news.vbs"));
  // The typed name is lower-cased and trimmed first.
  EXPECT_EQ(find(u"  NeWs "), parserPath("news.vbs"));
}

TEST_F(FindParserTest, OnlyTheVeryFileNameCounts) {
  test.writeParser("Weather.vbs", "");
  EXPECT_EQ(find(u"weather"), u"");
  EXPECT_EQ(find(u"Weather"), u"");

  test.writeParser("news.vbs", "");
  test.writeModuleFile("JUVO/secret.js", "");
  EXPECT_EQ(find(u"*"), u"");
  EXPECT_EQ(find(u"n?ws"), u"");
  EXPECT_EQ(find(u"../secret"), u"");
  EXPECT_EQ(find(u"..\\secret"), u"");
  EXPECT_EQ(find(u""), u"");
  EXPECT_EQ(find(u"news vbs"), u"");
}

TEST_F(FindParserTest, FoldersAndHiddenFilesAreNoParsers) {
  std::filesystem::create_directories(test.moduleFolder.path() / "JUVO/Parsers/folder.vbs");
  test.writeParser(".vbs", "");
  test.writeParser(".js", "");
  EXPECT_EQ(find(u"folder"), u"");
  EXPECT_EQ(find(u""), u"");
  EXPECT_EQ(find(u"  "), u"");
}

TEST_F(FindParserTest, NamesNoFileCanHoldFindNothing) {
  EXPECT_EQ(find(std::u16string(u"a\0b", 3)), u"");
  EXPECT_EQ(find(std::u16string(5000, u'a')), u"");
  EXPECT_EQ(find(u"\xD800"), u"");
  std::filesystem::remove_all(test.moduleFolder.path() / "JUVO");
  EXPECT_EQ(find(u"news"), u"");
}

}  // namespace
}  // namespace juvo
