#include "gui_chat_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>

#include "fake_plugin.h"
#include "platform/registry/registry.h"
#include "temp_folder.h"

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

TEST(GuiChatWindow, TheSettingsHivesReportsShowInTheStatusLine) {
  juvo::testing::TempFolder config;
  auto damage = [&](const std::string& line) {
    config.write("registry.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n" + line + "\n");
  };
  platform::Registry registry(config.path() / "registry.reg");
  auto read = [&] {
    HKEY key = nullptr;
    if (registry.RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key) == ERROR_SUCCESS)
      registry.RegCloseKey(key);
  };
  damage("junk");
  read();  // reported before there is a window

  FakePlugin plugin;
  Chat chat(plugin, {});
  {
    GuiChatWindow window(chat, commands());
    window.show();
    EXPECT_TRUE(window.status().isEmpty());
    window.showReportsOf(registry);
    EXPECT_TRUE(window.status().contains(
        QStringLiteral("1 damaged line skipped (line 4: neither a key nor a value)")))
        << window.status().toStdString();
    damage("more junk");
    read();
    EXPECT_TRUE(window.status().contains(QStringLiteral(".damaged.1")))
        << window.status().toStdString();
    EXPECT_TRUE(window.conversation().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  // Once the window is gone, reports no longer reach it.
  damage("still more junk");
  read();
}

}  // namespace
}  // namespace host
