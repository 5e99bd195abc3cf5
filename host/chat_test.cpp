#include "chat.h"

#include <gtest/gtest.h>

#include "fake_plugin.h"

namespace host {
namespace {

TEST(Chat, PublishedCommandsGoToThePluginSplitAtTheFirstSpace) {
  FakePlugin plugin;
  Chat chat(plugin, {u"xjuvo", u"xjuvoshare"});
  EXPECT_EQ(chat.send(u"/XJuvo weather  Amsterdam"), u"result");
  EXPECT_EQ(chat.send(u"/xjuvoshare"), u"result");
  EXPECT_EQ(plugin.calls,
            (std::vector<std::u16string>{u"/XJuvo|weather  Amsterdam", u"/xjuvoshare|"}));
}

TEST(Chat, OtherLinesAreSentAsTyped) {
  FakePlugin plugin;
  Chat chat(plugin, {u"xjuvo"});
  EXPECT_EQ(chat.send(u"hello"), u"hello");
  EXPECT_EQ(chat.send(u"/xjuvos x"), u"/xjuvos x");
  EXPECT_EQ(chat.send(u"/ xjuvo"), u"/ xjuvo");
  EXPECT_EQ(chat.send(u""), std::nullopt);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST(Chat, AnEmptyResultSendsNothingAndAnUnhandledCommandIsSentAsTyped) {
  FakePlugin plugin;
  Chat chat(plugin, {u"xjuvo"});
  plugin.next = {true, u""};
  EXPECT_EQ(chat.send(u"/xjuvo nosuch"), std::nullopt);
  plugin.next = {false, u"ignored"};
  EXPECT_EQ(chat.send(u"/xjuvo x"), u"/xjuvo x");
}

}  // namespace
}  // namespace host
