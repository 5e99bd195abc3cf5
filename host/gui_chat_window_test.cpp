#include "gui_chat_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>

#include "fake_plugin.h"

namespace host {
namespace {

std::vector<PluginClient::CommandInfo> commands() {
  return {{u"Use parser", u"xjuvo", u"parser name> <argument(s)"},
          {u"Share Juvo plugin", u"xjuvoshare", u""}};
}

TEST(GuiChatWindow, TypedLinesAreSentAndShownInTheConversation) {
  FakePlugin plugin;
  Chat chat(plugin, {u"xjuvo", u"xjuvoshare"});
  GuiChatWindow window(chat, commands());
  plugin.next = {true, u"Hello, World\r\nsecond line"};
  window.type(QStringLiteral("/xjuvo hello World"));
  window.type(QStringLiteral("plain text"));
  plugin.next = {true, u""};
  window.type(QStringLiteral("/xjuvo nothing"));
  EXPECT_EQ(window.conversation(),
            QStringLiteral("You: Hello, World\nsecond line\nYou: plain text"));
  EXPECT_EQ(plugin.calls.size(), 2u);
}

TEST(GuiChatWindow, EnterInTheInputLineSends) {
  FakePlugin plugin;
  Chat chat(plugin, {});
  GuiChatWindow window(chat, commands());
  window.show();
  auto* input = window.findChild<QLineEdit*>();
  ASSERT_NE(input, nullptr);
  QTest::keyClicks(input, QStringLiteral("hi there"));
  QTest::keyClick(input, Qt::Key_Return);
  EXPECT_EQ(window.conversation(), QStringLiteral("You: hi there"));
  EXPECT_TRUE(input->text().isEmpty());
}

TEST(GuiChatWindow, ToastsAppearAsANoticeWithHeadingMessageAndLink) {
  FakePlugin plugin;
  Chat chat(plugin, {u"xjuvo", u"xjuvoshare"});
  GuiChatWindow window(chat, commands());
  window.show();
  window.showToast(
      Toast{u"Juvo", u"Korvel brings JUVO to you\nand more", u"http://x.example", true});
  QLabel* notice = nullptr;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->isVisible() && label->text().contains(QStringLiteral("brings JUVO"))) notice = label;
  }
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->text().contains(QStringLiteral("<b>Juvo</b>")));
  EXPECT_TRUE(notice->text().contains(QStringLiteral("http://x.example")));

  // The documentation's picture of the host, when asked for:
  //   JUVO_SCREENSHOTS=$PWD/docs/screenshots build/<dir>/tests/host_gui_tests
  if (const char* folder = std::getenv("JUVO_SCREENSHOTS")) {
    plugin.next = {true, u"Hello, World"};
    window.type(QStringLiteral("/xjuvo hello World"));
    window.type(QStringLiteral("see you"));
    ASSERT_TRUE(window.grab().save(QString::fromUtf8(folder) + QStringLiteral("/host_gui.png")));
  }
}

}  // namespace
}  // namespace host
