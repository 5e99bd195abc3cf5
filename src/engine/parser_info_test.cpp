#include "engine/parser_info.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "engine/engine_test_fixture.h"

namespace juvo {
namespace {

using platform::ErrorCode;
using testing::errorNumberOf;
using testing::numberOf;
using testing::Shown;
using testing::utf8;

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
  explicit ParserWindowTest(std::chrono::milliseconds timeout = testing::kRoomyTimeout)
      : EngineTest(timeout) {
    form.add(platform::ControlKind::kListBox, "scripts", {120, 360, 2055, 3375}, 1);
    form.add(platform::ControlKind::kTextBox, "destxt", {2520, 360, 2655, 645}, 3);
    form.add(platform::ControlKind::kTextBox, "syntxt", {2520, 1320, 2655, 525}, 10);
    form.add(platform::ControlKind::kTextBox, "helptxt", {2520, 2160, 2655, 2055}, 5);
    form.add(platform::ControlKind::kCommandButton, "cmdTryCommand", {2520, 4200, 2655, 375}, 0)
        .setText(u"Try command");
  }

  // Writes the parser and selects it in the list.
  void select(std::string_view fileName, std::optional<std::string_view> code) {
    if (code) test.writeParser(fileName, *code);
    platform::Control& list = form.control("scripts");
    list.addItem(platform::fromUtf8(fileName));
    list.setSelectedIndex(static_cast<int>(list.items().size()) - 1);
  }
  void showInfo(std::string_view fileName, std::optional<std::string_view> code) {
    select(fileName, code);
    showParserInfo(script, test.shared, form);
  }
  std::u16string text(std::string_view control) { return form.control(control).text(); }
  void expectTexts(std::u16string_view description, std::u16string_view help,
                   std::u16string_view syntax) {
    EXPECT_EQ(text("destxt"), description);
    EXPECT_EQ(text("helptxt"), help);
    EXPECT_EQ(text("syntxt"), syntax);
  }
  // True when the host still holds the procedure `name`.
  bool hostHolds(std::u16string_view name) {
    return errorNumberOf([&] { script.Run(name); }) != numberOf(ErrorCode::kUnknownName);
  }

  platform::Form form{"frmConfig", u"", 5340, 4800};
};

using ParserInfoTest = ParserWindowTest;

TEST_F(ParserInfoTest, ShowsWhatInfoDeclaresAndLeavesTheHostIdle) {
  showInfo("weather.js", kWeather);
  expectTexts(u"The weather", u"Type a city", u"/xjuvo weather city");
  EXPECT_TRUE(shown().empty());
  EXPECT_FALSE(hostHolds(u"info"));
}

TEST_F(ParserInfoTest, WhatInfoLeavesUnsetShowsTheDefaults) {
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
  expectTexts(u"The weather", u"Type a city", u"/xjuvo weather city");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_TRUE(
      shown()[0].text.starts_with(platform::decimal(numberOf(ErrorCode::kUnknownName)) + u" "))
      << utf8(shown()[0].text);
  EXPECT_EQ(shown()[0].title, u"Juvo");
  EXPECT_EQ(shown()[0].icon, platform::Icon::kNone);
  EXPECT_FALSE(hostHolds(u"run"));

  // A compile error: the "Parser error." box clears the Error object, so the number follows.
  test.ui.clear();
  showInfo("broken.js", "function info( {");
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].title, u"Parser error.");
  EXPECT_EQ(shown()[1].title, u"Juvo");
  EXPECT_NE(shown()[0].text.find(u"\r\nNumber: " +
                                 shown()[1].text.substr(0, shown()[1].text.find(u' ')) + u"\r\n"),
            std::u16string::npos)
      << utf8(shown()[0].text) << " / " << utf8(shown()[1].text);

  // info fails after setting its texts: nothing is written.
  test.ui.clear();
  showInfo("half.js", "function info() { engine.description = 'half'; null.x(); }");
  expectTexts(u"The weather", u"Type a city", u"/xjuvo weather city");
  EXPECT_EQ(shown().size(), 2u);
}

TEST_F(ParserInfoTest, AnErrorNumberStillHeldSuppressesTheNumberBox) {
  platform::ScriptControl unwired(testing::kRoomyTimeout);
  select("broken.js", "function info( {");
  showParserInfo(unwired, test.shared, form);
  EXPECT_TRUE(shown().empty());
  EXPECT_NE(unwired.Error().Number(), 0);
}

TEST_F(ParserInfoTest, AnUnreadableSelectionChangesNothing) {
  showInfo("weather.js", kWeather);
  // What the host holds survives: it is neither reset nor given other code.
  script.setLanguage(u"javascript");
  script.AddCode(u"function keep() { return 1; }");

  form.control("scripts").setSelectedIndex(-1);
  showParserInfo(script, test.shared, form);
  showInfo("gone.js", std::nullopt);
  std::filesystem::create_directories(test.moduleFolder.path() / "JUVO/Parsers/folder.js");
  showInfo("folder.js", std::nullopt);

  expectTexts(u"The weather", u"Type a city", u"/xjuvo weather city");
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(hostHolds(u"keep"));
}

class ParserInfoTimeoutTest : public ParserWindowTest {
 protected:
  ParserInfoTimeoutTest() : ParserWindowTest(testing::kShortTimeout) {}
};

TEST_F(ParserInfoTimeoutTest, AnInfoThatNeverEndsIsStopped) {
  showInfo("weather.js", kWeather);
  showInfo("forever.js", "function info() { engine.description = 'x'; while (true) {} }");
  expectTexts(u"The weather", u"Type a city", u"/xjuvo weather city");
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].text, u"Parser timeout, the parser took to long to execute.");
  EXPECT_EQ(shown()[1].text.substr(0, shown()[1].text.find(u' ')),
            platform::decimal(numberOf(ErrorCode::kTimeout)));
  showInfo("weather.js", kWeather);
  EXPECT_EQ(shown().size(), 2u);
}

using TrialRunTest = ParserWindowTest;

TEST_F(TrialRunTest, AsksWithThePromptAndShowsTheResult) {
  select("my.parser.js", kWeather);
  form.control("cmdTryCommand").setText(u"Probeer");
  test.ui.answerInput(u"World");
  tryParser(script, test.shared, form);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].kind, Shown::Kind::kInputBox);
  EXPECT_EQ(shown()[0].text,
            u"Enter the arguments you want to run the parser 'my.parser' with.\r\n\r\n"
            u"(Note: normally you precede the arguments with /xjuvo my.parser)");
  EXPECT_EQ(shown()[0].title, u"Probeer");
  EXPECT_EQ(shown()[1].kind, Shown::Kind::kMessageBox);
  EXPECT_EQ(shown()[1].text, u"Hello, World");
  EXPECT_EQ(shown()[1].title, u"Result of trying parser");
  EXPECT_EQ(shown()[1].icon, platform::Icon::kNone);
  EXPECT_EQ(shown()[1].buttons, platform::Buttons::kOk);
}

TEST_F(TrialRunTest, CancelRunsWithAnEmptyArgument) {
  select("weather.js", kWeather);
  test.ui.answerInput(std::nullopt);
  tryParser(script, test.shared, form);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[1].text, u"Hello, ");
}

TEST_F(TrialRunTest, ShowsOneBoxPerChunkAndNoneForNothing) {
  select("long.js", "function run() { engine.output(new Array(2501).join('z')); }");
  tryParser(script, test.shared, form);
  ASSERT_EQ(shown().size(), 4u);
  EXPECT_EQ(shown()[1].text, std::u16string(1000, u'z'));
  EXPECT_EQ(shown()[2].text, std::u16string(1000, u'z'));
  EXPECT_EQ(shown()[3].text, std::u16string(500, u'z'));

  test.ui.clear();
  select("own.js", "function run() { engine.output('a\\n#b'); }");
  tryParser(script, test.shared, form);
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[1].text, u"a");
  EXPECT_EQ(shown()[2].text, u"b");

  test.ui.clear();
  select("silent.js", "function run() {}");
  tryParser(script, test.shared, form);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].kind, Shown::Kind::kInputBox);
}

TEST_F(TrialRunTest, FailuresEndItSilently) {
  select("broken.js", "function run() { nothing.here(); }");
  tryParser(script, test.shared, form);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[1].title, u"Parser error.");

  test.ui.clear();
  select("gone.js", std::nullopt);
  tryParser(script, test.shared, form);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].kind, Shown::Kind::kInputBox);
}

TEST_F(TrialRunTest, WithNothingSelectedOnlyTheHostIsReset) {
  script.setLanguage(u"javascript");
  script.AddCode(u"function keep() { return 1; }");
  tryParser(script, test.shared, form);
  EXPECT_TRUE(shown().empty());
  EXPECT_FALSE(hostHolds(u"keep"));
}

}  // namespace
}  // namespace juvo
