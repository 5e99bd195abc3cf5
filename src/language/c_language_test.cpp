#include "language/c_language.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "error_testing.h"
#include "language/english_defaults.h"
#include "platform/automation/variant.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "shared/maker.h"
#include "shared/settings.h"
#include "test_platform.h"

namespace juvo {
namespace {

bool contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

class CLanguageTest : public ::testing::Test {
 protected:
  testing::TestPlatform test_;
};

TEST_F(CLanguageTest, HoldsTheWholeDefaultsUnderKeysInAnyLetterCase) {
  cLanguage lang(test_.shared);
  ASSERT_EQ(lang.size(), 41u);  // so the 41 default keys are distinct
  for (const DefaultText& entry : englishDefaults()) {
    const std::string key = platform::toUtf8(entry.key);
    EXPECT_EQ(lang.str(platform::toUpper(entry.key)), entry.text) << key;
    EXPECT_EQ(lang.str(platform::toLower(entry.key)), entry.text) << key;
    // Texts joined at compile time must not carry the parts' terminating zeros.
    EXPECT_FALSE(entry.text.empty() || entry.text.find(u'\0') != std::u16string_view::npos) << key;
    if (entry.key != u"msgAbout" && entry.key != u"msgParserNotFound") {
      EXPECT_FALSE(contains(entry.text, u"\r") || contains(entry.text, u"\n")) << key;
    }
  }
  EXPECT_EQ(lang.str(u"MNUFILE"), u"F&ile");
  EXPECT_EQ(lang.str(u"msgParserNotFound"),
            u"No parser with the name '%parser%' found.\r\n"
            u"Type /xjuvoconfig for a list of installed parsers.");
  EXPECT_EQ(lang.str(u"comJuvoHelp"), u"parser name> <argument(s)");
  EXPECT_EQ(lang.str(u"msgSureDelete"), u"Are you sure you want to delete %parser%?");
  EXPECT_EQ(lang.str(u"msgTryCommandNote"),
            u"(Note: normally you precede the arguments with /xjuvo %parser%)");
  EXPECT_EQ(lang.str(u"msgTimeout"), u"Parser timeout, the parser took to long to execute.");
}

TEST_F(CLanguageTest, TextsOfOurOwnNameTheMaker) {
  cLanguage lang(test_.shared);
  EXPECT_TRUE(contains(lang.str(u"msgShare"), maker::kDownloadPage.view()));
  EXPECT_TRUE(contains(lang.str(u"msgMoreParsers"), maker::kDownloadPage.view()));
  EXPECT_TRUE(contains(lang.str(u"lblLangMessage"), maker::kMail.view()));
  const std::u16string& title = lang.str(u"frmConfig");
  const std::size_t dash = title.find(u" - ");
  ASSERT_NE(dash, std::u16string::npos);
  EXPECT_EQ(title.rfind(u"Juvo", 0), 0u);
  EXPECT_TRUE(contains(title.substr(0, dash), u"MSN Messenger"));
  EXPECT_TRUE(contains(title.substr(dash), maker::kName));
  // The about message: four non-empty lines joined by CR LF.
  const std::u16string& about = lang.str(u"msgAbout");
  const std::u16string lines = platform::replaceAll(u"|" + about + u"|", u"\r\n", u"|");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), u'|'), 5) << platform::toUtf8(about);
  EXPECT_FALSE(contains(lines, u"||") || contains(lines, u"\r") || contains(lines, u"\n"));
  EXPECT_TRUE(contains(about, maker::kName));
  EXPECT_TRUE(contains(about, u"Messenger Plus"));
}

TEST_F(CLanguageTest, MissingKeyRaisesKeyNotFoundNamingTheKey) {
  cLanguage lang(test_.shared);
  for (std::u16string_view key : {u"mnuFile ", u" mnuFile", u"", u"comWsHelp", u"mnuFil"}) {
    try {
      lang.str(key);
      ADD_FAILURE() << "no failure for '" << platform::toUtf8(key) << "'";
    } catch (const platform::Error& error) {
      EXPECT_EQ(error.number(), testing::numberOf(platform::kKeyNotFound));
      EXPECT_TRUE(contains(error.description(), u"'" + std::u16string(key) + u"'"))
          << platform::toUtf8(error.description());
    }
  }
}

TEST_F(CLanguageTest, StartsInEnglishUnlessTheSavedNameIsExactlyAFilesName) {
  test_.writeLanguage("German.xml", "<strings><mnuFile>Datei</mnuFile></strings>");
  test_.writeLanguage("Frisian.xml/inner.xml", "<strings><mnuFile>Triem</mnuFile></strings>");
  // No setting, a language without a file, names that find some file but never under exactly
  // the saved name (other letter case, wildcards, folder parts), and a folder named as a file.
  for (std::u16string_view saved : {u"", u"English", u"Dutch", u"german", u"GERMAN", u"*",
                                    u"G?rman", u"Frisian", u"../Languages/German"}) {
    if (!saved.empty()) {
      regSetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting,
                  platform::Variant(saved));
    }
    test_.shared.currentlang = u"Dutch";  // left from an earlier table
    cLanguage lang(test_.shared);
    EXPECT_EQ(test_.shared.currentlang, u"English") << platform::toUtf8(saved);
    EXPECT_EQ(lang.str(u"mnuFile"), u"F&ile") << platform::toUtf8(saved);
    EXPECT_EQ(lang.size(), 41u);
  }
  // The setting stays as it was.
  EXPECT_EQ(
      settingText(regGetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting)),
      u"../Languages/German");
}

}  // namespace
}  // namespace juvo
