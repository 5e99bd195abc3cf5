#include "engine/parser_info.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "engine/engine_test_fixture.h"
#include "temp_folder.h"

namespace juvo {
namespace {

using platform::ErrorCode;
using testing::errorNumberOf;
using testing::numberOf;
using testing::Shown;
using Texts = std::vector<std::u16string>;

constexpr char kWeather[] =
    "function info() {\r\n"
    "  engine.description = 'The weather';\r\n"
    "  engine.help = 'Type a city';\r\n"
    "  engine.syntax = 'city';\r\n"
    "}\r\n"
    "function run() { engine.output('Hello, ' + engine.argument); }\r\n";

// The part of the configuration window that the information display and the trial run use.
class ParserWindowTest : public testing::EngineTest {
 protected:
  ParserWindowTest() {
    form.add(platform::ControlKind::kListBox, "scripts", {120, 360, 2055, 3375}, 1);
    form.add(platform::ControlKind::kTextBox, "destxt", {2520, 360, 2655, 645}, 3);
    form.add(platform::ControlKind::kTextBox, "syntxt", {2520, 1320, 2655, 525}, 10);
    form.add(platform::ControlKind::kTextBox, "helptxt", {2520, 2160, 2655, 2055}, 5);
    form.add(platform::ControlKind::kCommandButton, "cmdTryCommand", {2520, 4200, 2655, 375}, 0)
        .setText(u"Try command");
  }

  // Writes the parser (unless there is no code) and selects it in the list.
  void select(std::string_view fileName, std::optional<std::string_view> code) {
    if (code) test.writeParser(fileName, *code);
    platform::Control& list = form.control("scripts");
    list.addItem(platform::fromUtf8(fileName));
    list.setSelectedIndex(static_cast<int>(list.items().size()) - 1);
  }
  void showInfo(std::string_view fileName, std::optional<std::string_view> code,
                platform::ScriptControl* host = nullptr) {
    select(fileName, code);
    showParserInfo(host ? *host : script, test.shared, *this, form);
  }
  void tryIt(std::string_view fileName, std::optional<std::string_view> code) {
    select(fileName, code);
    tryParser(script, test.shared, *this, form);
  }
  void expectTexts(std::u16string_view description, std::u16string_view help,
                   std::u16string_view syntax) {
    EXPECT_EQ(form.control("destxt").text(), description);
    EXPECT_EQ(form.control("helptxt").text(), help);
    EXPECT_EQ(form.control("syntxt").text(), syntax);
  }
  void expectWeatherTexts() { expectTexts(u"The weather", u"Type a city", u"/xjuvo weather city"); }
  // True when the host still holds the procedure `name`.
  bool hostHolds(std::u16string_view name) {
    return errorNumberOf([&] { script.Run(name); }) != numberOf(ErrorCode::kUnknownName);
  }
  // The titles of the boxes shown, and the number that the last "<number> <description>" box
  // of the display begins with.
  Texts titles() const {
    Texts texts;
    for (const Shown& box : shown())
      texts.push_back(box.title);
    return texts;
  }
  std::u16string lastNumber() const {
    return shown().back().text.substr(0, shown().back().text.find(u' '));
  }
  Texts results() const { return boxTexts(u"Result of trying parser"); }

  platform::Form form{"frmConfig", u"", 5340, 4800};
};

using ParserInfoTest = ParserWindowTest;

TEST_F(ParserInfoTest, ShowsWhatInfoDeclaresOrTheDefaultsAndLeavesTheHostIdle) {
  showInfo("weather.js", kWeather);
  expectWeatherTexts();
  EXPECT_FALSE(hostHolds(u"info"));
  showInfo("my.parser.js", "function info() { engine.description = '[' + engine.argument + ']'; }");
  expectTexts(u"[]", u"No help found", u"/xjuvo my.parser No syntax found");
  // A name with capitals shows its information too, though the chat cannot find it.
  showInfo("Quiet.js", "function info() {}");
  expectTexts(u"No description found", u"No help found", u"/xjuvo Quiet No syntax found");
  EXPECT_TRUE(shown().empty());
}

TEST_F(ParserInfoTest, AFailedDisplayKeepsThePreviousTextsAndReportsByNumber) {
  showInfo("weather.js", kWeather);
  // No info: the host raises no Error event, so the failure itself is reported.
  showInfo("noinfo.js", "function run() {}");
  EXPECT_EQ(titles(), Texts{u"Juvo"});
  EXPECT_EQ(shown()[0].icon, platform::Icon::kNone);
  EXPECT_EQ(lastNumber(), platform::decimal(numberOf(ErrorCode::kUnknownName)));
  EXPECT_FALSE(hostHolds(u"run"));

  // A compile error: the "Parser error." box clears the Error object, so the number follows.
  showInfo("broken.js", "function info( {");
  EXPECT_EQ(titles(), (Texts{u"Juvo", u"Parser error.", u"Juvo"}));
  EXPECT_NE(shown()[1].text.find(u"\r\nNumber: " + lastNumber() + u"\r\n"), std::u16string::npos);
  // info fails after setting its texts: nothing is written.
  showInfo("half.js", "function info() { engine.description = 'half'; null.x(); }");
  EXPECT_EQ(shown().size(), 5u);
  // An error number still held when the display fails: no number box.
  platform::ScriptControl unwired(testing::kRoomyTimeout, scriptServicesOf(test.platform));
  showInfo("broken.js", std::nullopt, &unwired);
  EXPECT_NE(unwired.Error().Number(), 0);
  EXPECT_EQ(shown().size(), 5u);

  // An info that never ends is stopped, and the next display works.
  platform::ScriptControl quick(testing::kShortTimeout, scriptServicesOf(test.platform));
  wireScriptEvents(quick, test.shared);
  test.ui.clear();
  showInfo("forever.js", "function info() { engine.description = 'x'; while (true) {} }", &quick);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].text, u"Parser timeout, the parser took to long to execute.");
  EXPECT_EQ(lastNumber(), platform::decimal(numberOf(ErrorCode::kTimeout)));
  expectWeatherTexts();
  showInfo("weather.js", std::nullopt, &quick);
  EXPECT_EQ(shown().size(), 2u);
}

TEST_F(ParserInfoTest, AFileAnywhereShowsUnderItsOwnNameAndSaysWhetherItWasShown) {
  testing::TempFolder elsewhere;
  const std::u16string path =
      platform::fromUtf8(elsewhere.write("drafts/my.weather.js", kWeather).string());
  EXPECT_TRUE(showParserInfoOf(script, test.shared, *this, form, path));
  expectTexts(u"The weather", u"Type a city", u"/xjuvo my.weather city");
  // Unreadable, or read but failing: false, and the boxes keep what they showed.
  EXPECT_FALSE(showParserInfoOf(script, test.shared, *this, form, path + u".gone"));
  const std::u16string noInfo =
      platform::fromUtf8(elsewhere.write("noinfo.js", "function run() {}").string());
  EXPECT_FALSE(showParserInfoOf(script, test.shared, *this, form, noInfo));
  expectTexts(u"The weather", u"Type a city", u"/xjuvo my.weather city");
  EXPECT_EQ(titles(), Texts{u"Juvo"});
}

TEST_F(ParserInfoTest, AnUnreadableSelectionChangesNothing) {
  showInfo("weather.js", kWeather);
  form.control("scripts").setSelectedIndex(-1);
  showParserInfo(script, test.shared, *this, form);
  showInfo("gone.js", std::nullopt);
  std::filesystem::create_directories(test.moduleFolder.path() / "JUVO/Parsers/folder.js");
  showInfo("folder.js", std::nullopt);
  expectWeatherTexts();
  EXPECT_TRUE(shown().empty());
}

using TrialRunTest = ParserWindowTest;

TEST_F(TrialRunTest, AsksWithThePromptAndShowsTheResultCancelIncluded) {
  form.control("cmdTryCommand").setText(u"Probeer");
  test.ui.answerInput(u"World");
  tryIt("my.parser.js", kWeather);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].kind, Shown::Kind::kInputBox);
  EXPECT_EQ(shown()[0].text,
            u"Enter the arguments you want to run the parser 'my.parser' with.\r\n\r\n"
            u"(Note: normally you precede the arguments with /xjuvo my.parser)");
  EXPECT_EQ(shown()[0].title, u"Probeer");
  testing::expectOkBox(shown()[1], u"Hello, World", u"Result of trying parser");

  test.ui.answerInput(std::nullopt);
  tryParser(script, test.shared, *this, form);
  EXPECT_EQ(results(), (Texts{u"Hello, World", u"Hello, "}));
}

TEST_F(TrialRunTest, ShowsOneBoxPerChunkAndNoneForNothing) {
  tryIt("long.js", "function run() { engine.output(new Array(2501).join('z')); }");
  EXPECT_EQ(results(), (Texts{std::u16string(1000, u'z'), std::u16string(1000, u'z'),
                              std::u16string(500, u'z')}));
  test.ui.clear();
  tryIt("own.js", "function run() { engine.output('a\\n#b'); }");
  EXPECT_EQ(results(), (Texts{u"a", u"b"}));
  test.ui.clear();
  tryIt("silent.js", "function run() {}");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].kind, Shown::Kind::kInputBox);
}

TEST_F(TrialRunTest, FailuresEndItSilently) {
  // With nothing selected only the host is reset.
  script.setLanguage(u"javascript");
  script.AddCode(u"function keep() { return 1; }");
  tryParser(script, test.shared, *this, form);
  EXPECT_TRUE(shown().empty());
  EXPECT_FALSE(hostHolds(u"keep"));

  tryIt("broken.js", "function run() { nothing.here(); }");
  tryIt("gone.js", std::nullopt);
  EXPECT_EQ(titles(), (Texts{u"Try command", u"Parser error.", u"Try command"}));
}

}  // namespace
}  // namespace juvo
