// "/xjuvo" and "/xws" from the chat command to the text sent, through juvo_main and the
// configuration window's script host.
#include "engine/parser_command.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "config/frm_config.h"
#include "engine/engine_test_fixture.h"
#include "plugin/juvo_main.h"
#include "plugin/toast.h"

namespace juvo {
namespace {

using testing::Shown;

constexpr char kHello[] =
    "function info() { engine.syntax = 'name'; }\r\n"
    "function run() {\r\n"
    "  engine.output('Hello, ' + engine.argument);\r\n"
    "}\r\n";

class ParserCommandTest : public ::testing::Test {
 protected:
  ParserCommandTest() {
    test.writeParser("hello.js", kHello);
    toastWindow = test.messages.createWindow([this](UINT message, WPARAM wParam, LPARAM) {
      if (message == test.messages.RegisterWindowMessageA(kDisplayToastMessage)) {
        toasts.emplace_back(reinterpret_cast<const ToastInfo*>(wParam)->message);
      }
      return LRESULT{0};
    });
  }
  ~ParserCommandTest() override { test.messages.destroyWindow(toastWindow); }

  // What ParseCommand leaves for the conversation; it must always take the command.
  std::u16string command(std::u16string_view sCommand, std::u16string_view sCommandArg) {
    std::u16string sResult = u"left over";
    EXPECT_TRUE(plugin.ParseCommand(sCommand, sCommandArg, sResult));
    return sResult;
  }
  const std::vector<Shown>& shown() const { return test.ui.shown(); }

  testing::TestPlatform test;
  juvo_main plugin{test.shared};
  HWND toastWindow;
  std::vector<std::u16string> toasts;
};

TEST_F(ParserCommandTest, SplitsTheNameFromTheArgumentAtTheFirstSpace) {
  EXPECT_EQ(command(u"/xjuvo", u"hello World"), u"Hello, World");
  EXPECT_EQ(command(u"/XWS", u"hello  two"), u"Hello,  two");
  EXPECT_EQ(command(u"/xws", u"HELLO a b "), u"Hello, a b ");
  EXPECT_EQ(command(u"/xjuvo", u"hello"), u"Hello, ");
  EXPECT_EQ(command(u"/xjuvo", u"hello "), u"Hello, ");
  EXPECT_TRUE(shown().empty());
}

TEST_F(ParserCommandTest, AnUnknownNameIsReportedAsTyped) {
  for (std::u16string_view arg : {u"Nosuch Amsterdam", u"", u" hello", u"hel*", u"../hello"}) {
    test.ui.clear();
    EXPECT_EQ(command(u"/xjuvo", arg), u"");
    ASSERT_EQ(shown().size(), 1u);
    const std::u16string typed(arg.substr(0, arg.find(u' ')));
    EXPECT_EQ(shown()[0].text,
              u"No parser with the name '" + typed +
                  u"' found.\r\nType /xjuvoconfig for a list of installed parsers.");
    EXPECT_EQ(shown()[0].title, u"Juvo");
    EXPECT_EQ(shown()[0].buttons, platform::Buttons::kOk);
    EXPECT_EQ(shown()[0].icon, platform::Icon::kNone);
  }
  EXPECT_EQ(plugin.parserResults(), 0);
}

TEST_F(ParserCommandTest, RunsInTheHiddenConfigurationWindow) {
  EXPECT_EQ(command(u"/xjuvo", u"hello x"), u"Hello, x");
  frmConfig& window = test.shared.configWindow();
  EXPECT_FALSE(window.form().isShown());
  // Its load sequence ran before the parser: the list is read and the first entry shown.
  EXPECT_EQ(window.form().control("scripts").items(), std::vector<std::u16string>{u"hello.js"});
  EXPECT_EQ(window.form().control("syntxt").text(), u"/xjuvo hello name");
  for (const Shown& item : shown())
    EXPECT_NE(item.kind, Shown::Kind::kForm);
}

TEST_F(ParserCommandTest, EveryThirdNonEmptyResultBringsTheToastFirst) {
  test.writeParser("silent.js", "function run() {}");
  EXPECT_EQ(command(u"/xjuvo", u"hello 1"), u"Hello, 1");
  EXPECT_EQ(command(u"/xjuvo", u"silent"), u"");
  EXPECT_EQ(command(u"/xjuvo", u"nosuch"), u"");
  EXPECT_EQ(command(u"/xjuvo", u"hello 2"), u"Hello, 2");
  EXPECT_TRUE(toasts.empty());
  EXPECT_EQ(command(u"/xjuvo", u"hello 3"), u"Hello, 3");
  EXPECT_EQ(toasts.size(), 1u);
  EXPECT_EQ(plugin.parserResults(), 3);
}

TEST_F(ParserCommandTest, AFailedRunSendsNothingAndCountsNothing) {
  test.writeParser("broken.js", "function run() { nothing.here(); }");
  test.writeParser("forever.js", "function run() { while (true) {} }");
  test.platform.scriptTimeout = testing::kShortTimeout;
  // The window, made by the first command, shows the first parser's information.
  EXPECT_EQ(command(u"/xjuvo", u"hello first"), u"Hello, first");
  test.ui.clear();

  EXPECT_EQ(command(u"/xjuvo", u"broken"), u"");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].title, u"Parser error.");

  test.ui.clear();
  EXPECT_EQ(command(u"/xjuvo", u"forever"), u"");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, u"Parser timeout, the parser took to long to execute.");

  EXPECT_EQ(command(u"/xjuvo", u"hello again"), u"Hello, again");
  EXPECT_EQ(plugin.parserResults(), 2);
}

// The window's own members reach the engine: its information display and trial run.
TEST_F(ParserCommandTest, TheWindowShowsAndTriesItsParsers) {
  test.writeParser("long.js", "function run() { engine.output(new Array(1502).join('y')); }");
  frmConfig& window = test.shared.configWindow();
  platform::Form& form = window.form();
  ASSERT_EQ(form.control("scripts").items().size(), 2u);
  form.pick("scripts", u"hello.js");
  EXPECT_EQ(form.control("syntxt").text(), u"/xjuvo hello name");
  EXPECT_EQ(form.control("destxt").text(), u"No description found");

  test.ui.clear();
  test.ui.answerInput(u"World");
  form.clickButton("cmdTryCommand");
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].title, u"Try command");
  EXPECT_EQ(shown()[1].text, u"Hello, World");

  test.ui.clear();
  form.pick("scripts", u"long.js");
  EXPECT_EQ(form.control("syntxt").text(), u"/xjuvo hello name");  // long.js has no info
  test.ui.clear();
  form.clickButton("cmdTryCommand");
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[2].text.size(), 501u);
  EXPECT_EQ(window.runScript(test.modulePath("JUVO/Parsers/hello.js"), u"direct"),
            u"Hello, direct");
}

}  // namespace
}  // namespace juvo
