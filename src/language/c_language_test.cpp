#include "language/c_language.h"

#include <gtest/gtest.h>

#include "language/english_defaults.h"
#include "platform/automation/variant.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "shared/settings.h"
#include "test_platform.h"

namespace juvo {
namespace {

class CLanguageTest : public ::testing::Test {
 protected:
  void saveLanguage(std::u16string_view name) {
    regSetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting,
                platform::Variant(name));
  }
  std::u16string savedLanguage() {
    return settingText(
        regGetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting));
  }
  // What the table says for `key`, or the failure's description.
  static std::u16string lookUp(const cLanguage& lang, std::u16string_view key) {
    try {
      return lang.str(key);
    } catch (const platform::Error& error) {
      return u"failed: " + error.description();
    }
  }
  bool isEnglish(const cLanguage& lang) {
    return test_.shared.currentlang == u"English" && lang.size() == englishDefaults().size() &&
           lang.str(u"mnuFile") == u"F&ile";
  }

  testing::TestPlatform test_;
};

TEST_F(CLanguageTest, KeysAreFoundInAnyLetterCase) {
  cLanguage lang(test_.shared);
  ASSERT_EQ(lang.size(), 41u);
  for (const DefaultText& entry : englishDefaults()) {
    EXPECT_EQ(lookUp(lang, entry.key), entry.text);
    EXPECT_EQ(lookUp(lang, platform::toUpper(entry.key)), entry.text);
    EXPECT_EQ(lookUp(lang, platform::toLower(entry.key)), entry.text);
  }
  EXPECT_EQ(lookUp(lang, u"MNUFILE"), u"F&ile");
  // The text comes back as stored, by reference.
  EXPECT_EQ(&lang.str(u"mnufile"), &lang.str(u"mnuFile"));
  EXPECT_EQ(lang.str(u"msgParserNotFound"),
            u"No parser with the name '%parser%' found.\r\n"
            u"Type /xjuvoconfig for a list of installed parsers.");
}

TEST_F(CLanguageTest, MissingKeyRaisesKeyNotFoundNamingTheKey) {
  cLanguage lang(test_.shared);
  for (std::u16string_view key : {u"mnuFile ", u" mnuFile", u"", u"comWsHelp", u"mnuFil"}) {
    try {
      lang.str(key);
      ADD_FAILURE() << "no failure for '" << platform::toUtf8(key) << "'";
    } catch (const platform::Error& error) {
      EXPECT_EQ(error.number(), static_cast<int32_t>(platform::kKeyNotFound));
      EXPECT_NE(error.description().find(u"'" + std::u16string(key) + u"'"), std::u16string::npos)
          << platform::toUtf8(error.description());
    }
  }
}

TEST_F(CLanguageTest, StartsInEnglishWithoutASavedLanguage) {
  test_.shared.currentlang = u"Dutch";  // left from an earlier table
  cLanguage lang(test_.shared);
  EXPECT_TRUE(isEnglish(lang));
}

TEST_F(CLanguageTest, SavedLanguageWhoseFileIsMissingEndsInEnglish) {
  saveLanguage(u"Dutch");
  test_.writeLanguage("German.xml", "<strings><mnuFile>Datei</mnuFile></strings>");
  test_.shared.currentlang = u"Dutch";
  cLanguage lang(test_.shared);
  EXPECT_TRUE(isEnglish(lang));
  EXPECT_EQ(savedLanguage(), u"Dutch");  // the setting stays as it was
}

TEST_F(CLanguageTest, SavedNameMustMatchTheFileNameExactly) {
  const char* dutch = "<strings><mnuFile>B&amp;estand</mnuFile></strings>";
  test_.writeLanguage("Dutch.xml", dutch);
  // Other letter case, wildcards and folder parts all find some file, but never under exactly
  // the saved name.
  for (std::u16string_view saved : {u"dutch", u"DUTCH", u"*", u"D?tch", u"../Languages/Dutch"}) {
    saveLanguage(saved);
    cLanguage lang(test_.shared);
    EXPECT_TRUE(isEnglish(lang)) << platform::toUtf8(saved);
  }
}

TEST_F(CLanguageTest, NoLanguagesFolderOrNoHiveIsEnglish) {
  saveLanguage(u"English");
  cLanguage first(test_.shared);
  EXPECT_TRUE(isEnglish(first));

  testing::TestPlatform unwritable(test_.moduleFolder.path() / "hive-file" / "registry.reg");
  unwritable.writeModuleFile("hive-file", "not a folder");
  cLanguage second(unwritable.shared);
  EXPECT_EQ(unwritable.shared.currentlang, u"English");
  EXPECT_EQ(second.str(u"mnuFile"), u"F&ile");
}

}  // namespace
}  // namespace juvo
