// "/xjuvo" and "/xws" from the chat command to the text sent, through juvo_main and the
// configuration window's script host.
#include "engine/parser_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/frm_config.h"
#include "engine/engine_test_fixture.h"
#include "plugin/juvo_main.h"
#include "plugin/toast.h"

namespace juvo {
namespace {

using testing::Shown;

class ParserCommandTest : public ::testing::Test {
 protected:
  ParserCommandTest() {
    test.writeParser("hello.js",
                     "function info() { engine.syntax = 'name'; }\r\n"
                     "function run() { engine.output('Hello, ' + engine.argument); }\r\n");
    toastWindow = test.messages.createWindow([this](UINT message, WPARAM, LPARAM) {
      if (message == test.messages.RegisterWindowMessageA(kDisplayToastMessage))
        toastsBefore.push_back(sent.size());
      return LRESULT{0};
    });
  }
  ~ParserCommandTest() override { test.messages.destroyWindow(toastWindow); }

  // What ParseCommand leaves for the conversation; it must always take the command.
  std::u16string command(std::u16string_view sCommand, std::u16string_view sCommandArg) {
    std::u16string sResult = u"left over";
    EXPECT_TRUE(plugin.ParseCommand(sCommand, sCommandArg, sResult));
    if (!sResult.empty()) sent.push_back(sResult);
    return sResult;
  }
  const std::vector<Shown>& shown() const { return test.ui.shown(); }

  testing::TestPlatform test;
  juvo_main plugin{test.shared};
  HWND toastWindow;
  std::vector<std::u16string> sent;
  std::vector<std::size_t> toastsBefore;  // for each toast, how many texts had been sent
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
  for (std::u16string_view arg : {u"Nosuch Amsterdam", u"", u" hello", u"hel*"}) {
    test.ui.clear();
    EXPECT_EQ(command(u"/xjuvo", arg), u"");
    ASSERT_EQ(shown().size(), 1u);
    testing::expectOkBox(shown()[0],
                         u"No parser with the name '" +
                             std::u16string(arg.substr(0, arg.find(u' '))) +
                             u"' found.\r\nType /xjuvoconfig for a list of installed parsers.",
                         u"Juvo");
  }
}

TEST_F(ParserCommandTest, OnlyNonEmptyResultsCountAndEveryThirdBringsTheToastFirst) {
  test.writeParser("silent.js", "function run() {}");
  test.writeParser("broken.js", "function run() { nothing.here(); }");
  test.writeParser("forever.js", "function run() { while (true) {} }");
  test.platform.scriptTimeout = testing::kShortTimeout;
  EXPECT_EQ(command(u"/xjuvo", u"hello 1"), u"Hello, 1");
  test.ui.clear();
  for (std::u16string_view nothing : {u"silent", u"nosuch", u"broken", u"forever"})
    EXPECT_EQ(command(u"/xjuvo", nothing), u"");
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[1].title, u"Parser error.");
  EXPECT_EQ(shown()[2].text, u"Parser timeout, the parser took to long to execute.");

  EXPECT_EQ(command(u"/xjuvo", u"hello 2"), u"Hello, 2");
  EXPECT_TRUE(toastsBefore.empty());
  EXPECT_EQ(command(u"/xjuvo", u"hello 3"), u"Hello, 3");
  EXPECT_EQ(toastsBefore, std::vector<std::size_t>{2});  // before the third text went out
  EXPECT_EQ(plugin.parserResults(), 3);
}

TEST_F(ParserCommandTest, RunsInTheHiddenWindowWhoseListShowsAndTriesTheParsers) {
  EXPECT_EQ(command(u"/xjuvo", u"hello x"), u"Hello, x");
  platform::Form& form = test.shared.configWindow().form();
  EXPECT_FALSE(form.isShown());
  for (const Shown& item : shown())
    EXPECT_NE(item.kind, Shown::Kind::kForm);
  // Its load ran first: the list is read and the first entry's information shown.
  EXPECT_EQ(form.control("scripts").items(), std::vector<std::u16string>{u"hello.js"});
  EXPECT_EQ(form.control("syntxt").text(), u"/xjuvo hello name");
  EXPECT_EQ(form.control("destxt").text(), u"No description found");
  // Its button tries the selected parser.
  test.ui.clear();
  test.ui.answerInput(u"World");
  form.clickButton("cmdTryCommand");
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].title, u"Try command");
  EXPECT_EQ(shown()[1].text, u"Hello, World");
}

}  // namespace
}  // namespace juvo
