#include "plugin/juvo_main.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "language/c_language.h"
#include "platform/automation/variant.h"
#include "platform/base/error.h"
#include "plugin/toast.h"
#include "shared/settings.h"
#include "test_platform.h"

namespace juvo {
namespace {

namespace fs = std::filesystem;

class JuvoMainTest : public ::testing::Test {
 protected:
  bool keyExists() { return regKeyExists(test_.registry, HKEY_CURRENT_USER, kSettingsKey); }
  std::u16string savedLanguage() {
    return settingText(
        regGetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting));
  }
  fs::path inModule(const char* relative) { return test_.moduleFolder.path() / relative; }

  testing::TestPlatform test_;
};

TEST_F(JuvoMainTest, FirstCreationSavesEnglishAndMakesTheFolders) {
  ASSERT_FALSE(keyExists());
  juvo_main plugin(test_.shared);
  EXPECT_TRUE(keyExists());
  EXPECT_EQ(savedLanguage(), u"English");
  ASSERT_NE(test_.shared.lang, nullptr);
  EXPECT_EQ(test_.shared.lang->str(u"mnufile"), u"F&ile");
  EXPECT_EQ(test_.shared.currentlang, u"English");
  EXPECT_TRUE(fs::is_directory(inModule("JUVO")));
  EXPECT_TRUE(fs::is_directory(inModule("JUVO/Parsers")));
  EXPECT_FALSE(fs::exists(inModule("JUVO/Languages")));
  EXPECT_EQ(plugin.parserResults(), 0);
}

TEST_F(JuvoMainTest, LaterCreationWritesNothingAndKeepsWhatIsThere) {
  // A key without "language": it still counts as the settings of an earlier run.
  regSetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, u"other", platform::Variant(u"x"));
  test_.writeParser("weather.vbs", "code");
  const std::string hiveBefore = test_.hiveFolder.read("registry.reg");
  ASSERT_FALSE(hiveBefore.empty());

  juvo_main plugin(test_.shared);
  EXPECT_EQ(savedLanguage(), u"");
  EXPECT_EQ(test_.hiveFolder.read("registry.reg"), hiveBefore);
  EXPECT_EQ(test_.moduleFolder.read("JUVO/Parsers/weather.vbs"), "code");

  // A saved choice is never overwritten by the default.
  regSetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting,
              platform::Variant(u"Dutch"));
  juvo_main again(test_.shared);
  EXPECT_EQ(savedLanguage(), u"Dutch");
}

TEST_F(JuvoMainTest, EachCreationReplacesTheStringTable) {
  juvo_main first(test_.shared);
  const cLanguage* firstTable = test_.shared.lang.get();
  test_.shared.currentlang = u"Dutch";
  juvo_main second(test_.shared);
  EXPECT_NE(test_.shared.lang.get(), firstTable);
  EXPECT_EQ(test_.shared.currentlang, u"English");
}

TEST_F(JuvoMainTest, AFileNamedJuvoCountsAsPresent) {
  test_.writeModuleFile("JUVO", "not a folder");
  juvo_main plugin(test_.shared);
  EXPECT_TRUE(fs::is_regular_file(inModule("JUVO")));
  EXPECT_EQ(test_.moduleFolder.read("JUVO"), "not a folder");
  // The parsers folder cannot be made under a file; creation completes all the same.
  EXPECT_NE(test_.shared.lang, nullptr);
  EXPECT_TRUE(keyExists());
}

TEST_F(JuvoMainTest, MissingParsersFolderIsMadeUnderAnExistingJuvo) {
  fs::create_directories(inModule("JUVO"));
  test_.writeModuleFile("JUVO/keep.txt", "kept");
  juvo_main plugin(test_.shared);
  EXPECT_TRUE(fs::is_directory(inModule("JUVO/Parsers")));
  EXPECT_EQ(test_.moduleFolder.read("JUVO/keep.txt"), "kept");
}

TEST_F(JuvoMainTest, UnwritableHiveStillCreatesEverythingElse) {
  testing::TestPlatform test(test_.hiveFolder.path() / "blocker" / "registry.reg");
  test_.hiveFolder.write("blocker", "a file where the hive's folder should be");
  juvo_main plugin(test.shared);
  ASSERT_NE(test.shared.lang, nullptr);
  EXPECT_EQ(test.shared.lang->str(u"comJuvoName"), u"Use parser");
  EXPECT_TRUE(fs::is_directory(test.moduleFolder.path() / "JUVO" / "Parsers"));
  // The setting lives on in this process only; nothing reached the disk.
  EXPECT_TRUE(fs::is_regular_file(test_.hiveFolder.path() / "blocker"));
}

TEST_F(JuvoMainTest, PublishesNameAndFourCommandsNoTags) {
  juvo_main plugin(test_.shared);
  std::u16string name = u"x";
  int32_t commands = -7, tags = -7;
  EXPECT_TRUE(plugin.GetPublishInfo(name, commands, tags));
  EXPECT_EQ(name, u"Juvo");
  EXPECT_EQ(commands, 4);
  EXPECT_EQ(tags, 0);

  for (int32_t index : {0, 5, -1, INT32_MIN, INT32_MAX}) {
    std::u16string sName = u"n", sValue = u"v", sHelp = u"h";
    plugin.GetPublishCommandInfo(index, sName, sValue, sHelp);
    EXPECT_EQ(sName + sValue + sHelp, u"nvh") << index;
  }
  const std::u16string expected[][3] = {
      {u"Use parser", u"xjuvo", u"parser name> <argument(s)"},
      {u"Use parser (alias for /xjuvo)", u"xws", u"parser name> <argument(s)"},
      {u"Share Juvo plugin", u"xjuvoshare", u"h"},
      {u"Show config window", u"xjuvoconfig", u"h"},
  };
  for (int32_t index = 1; index <= 4; ++index) {
    std::u16string sName = u"n", sValue = u"v", sHelp = u"h";
    plugin.GetPublishCommandInfo(index, sName, sValue, sHelp);
    EXPECT_EQ(sName, expected[index - 1][0]);
    EXPECT_EQ(sValue, expected[index - 1][1]);
    EXPECT_EQ(sHelp, expected[index - 1][2]);
  }
  for (int32_t index : {0, 1, 2, -1}) {
    std::u16string sName = u"n", sValue = u"v";
    plugin.GetPublishTagInfo(index, sName, sValue);
    EXPECT_EQ(sName + sValue, u"nv");
  }
}

TEST_F(JuvoMainTest, PublishingWithoutAStringTableFailsToTheCaller) {
  juvo_main plugin(test_.shared);
  test_.shared.lang.reset();
  std::u16string sName = u"n", sValue = u"v", sHelp = u"h";
  EXPECT_THROW(plugin.GetPublishCommandInfo(1, sName, sValue, sHelp), platform::Error);
  plugin.GetPublishCommandInfo(9, sName, sValue, sHelp);  // no row, no table needed
  EXPECT_EQ(sName + sValue + sHelp, u"nvh");
}

TEST_F(JuvoMainTest, ShareCommandInAnyCaseSendsTheInvitation) {
  juvo_main plugin(test_.shared);
  ASSERT_TRUE(plugin.Initialize(0, u""));
  for (std::u16string_view command : {u"/xjuvoshare", u"/XJuvoShare", u"/XJUVOSHARE"}) {
    std::u16string result = u"as passed";
    EXPECT_TRUE(plugin.ParseCommand(command, u"any argument", result));
    EXPECT_EQ(result, test_.shared.lang->str(u"msgShare"));
  }
  EXPECT_EQ(plugin.parserResults(), 0);  // only parser results count
}

TEST_F(JuvoMainTest, OtherCommandsAreNotOursAndLeaveTheResult) {
  juvo_main plugin(test_.shared);
  for (std::u16string_view command :
       {u"/xjuvoshares", u"xjuvoshare", u"/xjuvoshare ", u"/help", u"", u"/xjuv"}) {
    std::u16string result = u"as passed";
    EXPECT_FALSE(plugin.ParseCommand(command, u"", result));
    EXPECT_EQ(result, u"as passed");
  }
}

TEST_F(JuvoMainTest, OurCommandsAreDealtWithEvenWhenTheyFail) {
  juvo_main plugin(test_.shared);
  // Without a string table the share text cannot be had: nothing is sent, and the command is
  // still ours.
  test_.shared.lang.reset();
  for (std::u16string_view command : {u"/xjuvoshare", u"/xjuvo", u"/XWS", u"/xjuvoconfig"}) {
    std::u16string result = u"as passed";
    EXPECT_TRUE(plugin.ParseCommand(command, u"weather Amsterdam", result));
    EXPECT_EQ(result, u"");
  }
}

TEST_F(JuvoMainTest, TagsAndNotificationsAreNeverOurs) {
  juvo_main plugin(test_.shared);
  std::u16string result = u"as passed";
  EXPECT_FALSE(plugin.ParseTag(u"(!xjuvo)", result));
  EXPECT_EQ(result, u"as passed");
  EXPECT_FALSE(plugin.ReceiveNotify(u"1", u"/xjuvoshare", u"buddy@example.org", result));
  EXPECT_EQ(result, u"as passed");
  plugin.Uninitialize();
  EXPECT_TRUE(plugin.ParseCommand(u"/xjuvoshare", u"", result));  // still working
  EXPECT_FALSE(result.empty());
}

class ParserResultCountTest : public JuvoMainTest {
 protected:
  ParserResultCountTest() {
    window_ = test_.messages.createWindow([this](UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message == test_.messages.RegisterWindowMessageA(kDisplayToastMessage)) {
        toasts_.emplace_back(reinterpret_cast<const ToastInfo*>(wParam)->message);
      }
      return 0;
    });
  }
  ~ParserResultCountTest() override { test_.messages.destroyWindow(window_); }

  HWND window_;
  std::vector<std::u16string> toasts_;
};

TEST_F(ParserResultCountTest, EveryThirdNonEmptyResultBringsTheToast) {
  juvo_main plugin(test_.shared);
  plugin.countParserResult(u"one");
  plugin.countParserResult(u"");  // empty results do not count
  plugin.countParserResult(u"two");
  EXPECT_TRUE(toasts_.empty());
  plugin.countParserResult(u"three");
  ASSERT_EQ(toasts_.size(), 1u);
  EXPECT_EQ(toasts_[0], parserResultToast().message);
  plugin.countParserResult(u"4");
  plugin.countParserResult(u"5");
  plugin.countParserResult(u"6");
  EXPECT_EQ(toasts_.size(), 2u);
  EXPECT_EQ(plugin.parserResults(), 6);

  // Initialize starts the count again.
  plugin.countParserResult(u"7");
  plugin.countParserResult(u"8");
  EXPECT_TRUE(plugin.Initialize(12, u"me@example.org"));
  EXPECT_EQ(plugin.parserResults(), 0);
  plugin.countParserResult(u"1");
  plugin.countParserResult(u"2");
  EXPECT_EQ(toasts_.size(), 2u);
  plugin.countParserResult(u"3");
  EXPECT_EQ(toasts_.size(), 3u);
}

TEST_F(ParserResultCountTest, CountTurnsOverToZeroAfter32767) {
  juvo_main plugin(test_.shared);
  for (int i = 0; i < 32767; ++i)
    plugin.countParserResult(u"x");
  EXPECT_EQ(plugin.parserResults(), 32767);
  EXPECT_EQ(toasts_.size(), 32767u / 3);
  plugin.countParserResult(u"x");
  EXPECT_EQ(plugin.parserResults(), 0);
  EXPECT_EQ(toasts_.size(), 32767u / 3 + 1);  // 0 is a multiple of three
  plugin.countParserResult(u"x");
  plugin.countParserResult(u"x");
  EXPECT_EQ(toasts_.size(), 32767u / 3 + 1);
  plugin.countParserResult(u"x");
  EXPECT_EQ(toasts_.size(), 32767u / 3 + 2);
}

}  // namespace
}  // namespace juvo
