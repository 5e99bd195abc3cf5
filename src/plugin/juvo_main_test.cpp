#include "plugin/juvo_main.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "language/c_language.h"
#include "platform/automation/variant.h"
#include "platform/base/error.h"
#include "plugin/toast.h"
#include "shared/settings.h"
#include "test_platform.h"

namespace juvo {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;

class JuvoMainTest : public ::testing::Test {
 protected:
  bool keyExists() { return regKeyExists(test_.registry, HKEY_CURRENT_USER, kSettingsKey); }
  std::u16string savedLanguage() {
    return settingText(
        regGetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting));
  }
  void save(std::u16string_view name, std::u16string_view value) {
    regSetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, name, platform::Variant(value));
  }
  fs::path inModule(const char* relative) { return test_.moduleFolder.path() / relative; }

  testing::TestPlatform test_;
};

TEST_F(JuvoMainTest, FirstCreationSavesEnglishAndMakesTheFolders) {
  ASSERT_FALSE(keyExists());
  test_.shared.currentlang = u"Dutch";  // left from an earlier table
  juvo_main plugin(test_.shared);
  EXPECT_EQ(savedLanguage(), u"English");
  ASSERT_NE(test_.shared.lang, nullptr);
  EXPECT_EQ(test_.shared.currentlang, u"English");
  EXPECT_TRUE(fs::is_directory(inModule("JUVO/Parsers")));
  EXPECT_FALSE(fs::exists(inModule("JUVO/Languages")));
  EXPECT_EQ(plugin.parserResults(), 0);

  const cLanguage* firstTable = test_.shared.lang.get();
  juvo_main second(test_.shared);
  EXPECT_NE(test_.shared.lang.get(), firstTable);
}

TEST_F(JuvoMainTest, LaterCreationWritesNothingAndKeepsWhatIsThere) {
  // A key without "language" still counts as the settings of an earlier run.
  save(u"other", u"x");
  test_.writeModuleFile("JUVO/keep.txt", "kept");
  const std::string hiveBefore = test_.hiveFolder.read("registry.reg");

  juvo_main plugin(test_.shared);
  EXPECT_EQ(savedLanguage(), u"");
  EXPECT_EQ(test_.hiveFolder.read("registry.reg"), hiveBefore);
  EXPECT_EQ(test_.moduleFolder.read("JUVO/keep.txt"), "kept");
  EXPECT_TRUE(fs::is_directory(inModule("JUVO/Parsers")));

  save(kLanguageSetting, u"Dutch");
  juvo_main again(test_.shared);
  EXPECT_EQ(savedLanguage(), u"Dutch");
}

TEST_F(JuvoMainTest, AFileNamedJuvoCountsAsPresent) {
  test_.writeModuleFile("JUVO", "not a folder");
  juvo_main plugin(test_.shared);
  EXPECT_EQ(test_.moduleFolder.read("JUVO"), "not a folder");
  // The parsers folder cannot be made under a file; creation completes all the same.
  EXPECT_NE(test_.shared.lang, nullptr);
  EXPECT_TRUE(keyExists());
}

// The plug-in's name and the command count are the COM wrapper's tests' business.
TEST_F(JuvoMainTest, PublishesFourCommandsAndLeavesOtherIndicesAlone) {
  juvo_main plugin(test_.shared);
  const std::u16string_view expected[] = {
      u"n|v|h",  // out of range: all three as passed
      u"Use parser|xjuvo|parser name> <argument(s)",
      u"Use parser (alias for /xjuvo)|xws|parser name> <argument(s)",
      u"Share Juvo plugin|xjuvoshare|h",
      u"Show config window|xjuvoconfig|h",
  };
  for (int32_t index : {0, 1, 2, 3, 4, 5, -1, INT32_MIN}) {
    std::u16string sName = u"n", sValue = u"v", sHelp = u"h";
    plugin.GetPublishCommandInfo(index, sName, sValue, sHelp);
    EXPECT_EQ(sName + u"|" + sValue + u"|" + sHelp, expected[index >= 1 && index <= 4 ? index : 0]);
  }
  test_.shared.lang.reset();  // without a string table the failure goes to the caller
  std::u16string sName, sValue, sHelp;
  EXPECT_THROW(plugin.GetPublishCommandInfo(1, sName, sValue, sHelp), platform::Error);
}

TEST_F(JuvoMainTest, OnlyOurWholeCommandsInAnyCaseAreOursAndAlwaysDealtWith) {
  juvo_main plugin(test_.shared);
  for (std::u16string_view command : {u"/xjuvoshare", u"/XJuvoShare"}) {
    std::u16string result = u"as passed";
    EXPECT_TRUE(plugin.ParseCommand(command, u"any argument", result));
    EXPECT_EQ(result, test_.shared.lang->str(u"msgShare"));
  }
  for (std::u16string_view command :
       {u""sv, u"/"sv, u"xjuvo"sv, u"xjuvoshare"sv, u"/xjuvoshares"sv, u"/xjuv"sv, u"/xjuvo "sv,
        u" /xjuvo"sv, u"/xwss"sv, u"//xjuvo"sv, u"/xjuvo\0"sv, u"\\xjuvo"sv, u"/help"sv}) {
    std::u16string result = u"as passed";
    EXPECT_FALSE(plugin.ParseCommand(command, u"", result));
    EXPECT_EQ(result, u"as passed");
  }
  EXPECT_EQ(plugin.parserResults(), 0);  // only parser results count

  // Ours even when they fail, here for want of any text: nothing is sent.
  test_.shared.lang.reset();
  for (std::u16string_view command : {u"/xjuvoshare", u"/xjuvo", u"/XwS", u"/XJuvoConfig"}) {
    std::u16string result = u"as passed";
    EXPECT_TRUE(plugin.ParseCommand(command, u"weather Amsterdam", result));
    EXPECT_EQ(result, u"");
  }
}

// Which results count is the engine's tests' business; here: the count itself.
TEST_F(JuvoMainTest, InitializeRestartsTheCountAndItTurnsOverAfter32767) {
  int toasts = 0;
  HWND window = test_.messages.createWindow([&](UINT message, WPARAM, LPARAM) -> LRESULT {
    toasts += message == test_.messages.RegisterWindowMessageA(kDisplayToastMessage);
    return 0;
  });
  juvo_main plugin(test_.shared);
  auto count = [&](int times) {
    for (int i = 0; i < times; ++i)
      plugin.countParserResult(u"x");
  };
  count(2);
  EXPECT_TRUE(plugin.Initialize(12, u"me@example.org"));
  EXPECT_EQ(plugin.parserResults(), 0);
  count(2);
  EXPECT_EQ(toasts, 0);
  count(32765);
  EXPECT_EQ(plugin.parserResults(), 32767);
  EXPECT_EQ(toasts, 32767 / 3);
  count(1);  // 0 is a multiple of three too: the toasts go on
  EXPECT_EQ(plugin.parserResults(), 0);
  EXPECT_EQ(toasts, 32767 / 3 + 1);
  count(3);
  EXPECT_EQ(toasts, 32767 / 3 + 2);
  test_.messages.destroyWindow(window);
}

}  // namespace
}  // namespace juvo
