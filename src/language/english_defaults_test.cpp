#include "language/english_defaults.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "shared/maker.h"

namespace juvo {
namespace {

std::u16string textOf(std::u16string_view key) {
  for (const DefaultText& entry : englishDefaults()) {
    if (entry.key == key) return std::u16string(entry.text);
  }
  ADD_FAILURE() << "no default for " << platform::toUtf8(key);
  return {};
}

std::vector<std::u16string> splitCrLf(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(u"\r\n", start)) != std::u16string_view::npos;
       start = at + 2) {
    lines.emplace_back(text.substr(start, at - start));
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

bool contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

TEST(EnglishDefaultsTest, FortyOneDistinctKeysInTableOrder) {
  const std::vector<std::u16string_view> expected = {u"mnuFile",
                                                     u"mnuLang",
                                                     u"mnuUpdate",
                                                     u"mnuDownloadParsers",
                                                     u"mnuClose",
                                                     u"mnuHelp",
                                                     u"mnuUse",
                                                     u"mnuMakeOwnParser",
                                                     u"mnuAbout",
                                                     u"lblInstalledParsers",
                                                     u"lblDescription",
                                                     u"lblSyntax",
                                                     u"lblHowToUse",
                                                     u"lblSelectLanguage",
                                                     u"lblLangMessage",
                                                     u"frmLanguage",
                                                     u"frmConfig",
                                                     u"cmdRefresh",
                                                     u"cmdDeleteParser",
                                                     u"cmdTryCommand",
                                                     u"msgAbout",
                                                     u"msgSureDelete",
                                                     u"msgTryCommandInput",
                                                     u"msgTryCommandNote",
                                                     u"msgTryCommandResult",
                                                     u"msgNewVersion",
                                                     u"msgNoNewVersion",
                                                     u"msgNoHelpFound",
                                                     u"msgNoDescriptionFound",
                                                     u"msgNoSyntaxFound",
                                                     u"msgParserNotFound",
                                                     u"msgShare",
                                                     u"msgMoreParsers",
                                                     u"msgTimeout",
                                                     u"comJuvoName",
                                                     u"comJuvoHelp",
                                                     u"comWsName",
                                                     u"comShareName",
                                                     u"comShareParserName",
                                                     u"comShareParserHelp",
                                                     u"comConfigName"};
  std::vector<std::u16string_view> keys;
  std::set<std::u16string> lowered;
  for (const DefaultText& entry : englishDefaults()) {
    keys.push_back(entry.key);
    lowered.insert(platform::toLower(entry.key));
  }
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(lowered.size(), 41u);
}

TEST(EnglishDefaultsTest, OnlyTheAboutAndNotFoundMessagesBreakLines) {
  EXPECT_EQ(textOf(u"msgParserNotFound"),
            u"No parser with the name '%parser%' found.\r\n"
            u"Type /xjuvoconfig for a list of installed parsers.");
  const auto about = splitCrLf(textOf(u"msgAbout"));
  ASSERT_EQ(about.size(), 4u);
  for (const auto& line : about) {
    EXPECT_FALSE(line.empty());
    EXPECT_FALSE(contains(line, u"\r") || contains(line, u"\n"));
  }
  EXPECT_TRUE(contains(about[0], maker::kName));
  EXPECT_TRUE(contains(about[1], maker::kName));
  EXPECT_TRUE(contains(about[2], u"Messenger Plus"));

  for (const DefaultText& entry : englishDefaults()) {
    if (entry.key == u"msgAbout" || entry.key == u"msgParserNotFound") continue;
    EXPECT_FALSE(contains(entry.text, u"\r") || contains(entry.text, u"\n"))
        << platform::toUtf8(entry.key);
  }
}

TEST(EnglishDefaultsTest, TextsOfOurOwnNameTheMaker) {
  const std::u16string share = textOf(u"msgShare");
  EXPECT_TRUE(contains(share, maker::kDownloadPage.view()));
  EXPECT_TRUE(contains(share, u"Juvo"));
  EXPECT_TRUE(contains(textOf(u"msgMoreParsers"), maker::kDownloadPage.view()));
  EXPECT_TRUE(contains(textOf(u"lblLangMessage"), maker::kMail.view()));

  const std::u16string title = textOf(u"frmConfig");
  EXPECT_EQ(title.rfind(u"Juvo", 0), 0u);
  const std::size_t dash = title.find(u" - ");
  ASSERT_NE(dash, std::u16string::npos);
  EXPECT_TRUE(contains(title.substr(0, dash), u"MSN Messenger"));
  EXPECT_TRUE(contains(title.substr(dash), maker::kName));
}

TEST(EnglishDefaultsTest, TextsAreWholeAndPlaceholdersIntact) {
  for (const DefaultText& entry : englishDefaults()) {
    EXPECT_FALSE(entry.text.empty()) << platform::toUtf8(entry.key);
    // Texts joined at compile time must not carry the parts' terminating zeros.
    EXPECT_EQ(entry.text.find(u'\0'), std::u16string_view::npos) << platform::toUtf8(entry.key);
  }
  EXPECT_EQ(textOf(u"comJuvoHelp"), u"parser name> <argument(s)");
  EXPECT_EQ(textOf(u"msgSureDelete"), u"Are you sure you want to delete %parser%?");
  EXPECT_EQ(textOf(u"msgTryCommandNote"),
            u"(Note: normally you precede the arguments with /xjuvo %parser%)");
  EXPECT_EQ(textOf(u"msgTimeout"), u"Parser timeout, the parser took to long to execute.");
  EXPECT_EQ(textOf(u"mnuFile"), u"F&ile");
}

}  // namespace
}  // namespace juvo
