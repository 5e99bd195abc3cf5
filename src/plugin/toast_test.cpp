#include "plugin/toast.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shared/maker.h"

namespace juvo {
namespace {

// What a host window copies out of the record during the send.
struct ReceivedToast {
  std::optional<std::u16string> title;
  std::u16string message;
  std::optional<std::u16string> link;
  int32_t flag = 0;
  LPARAM lParam = 0;
};

std::optional<std::u16string> copyText(const char16_t* text) {
  if (text == nullptr) return std::nullopt;
  return std::u16string(text);
}

class ToastTest : public ::testing::Test {
 protected:
  ToastTest() {
    window_ = messages_.createWindow([this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != messages_.RegisterWindowMessageA("messengerplus_displaytoast")) return 0;
      const auto& info = *reinterpret_cast<const ToastInfo*>(wParam);
      received_.push_back({copyText(info.title), std::u16string(info.message), copyText(info.link),
                           info.flag, lParam});
      return 0;
    });
  }
  ~ToastTest() override { messages_.destroyWindow(window_); }

  platform::WindowMessages messages_;
  HWND window_;
  std::vector<ReceivedToast> received_;
};

TEST_F(ToastTest, DeliversTheRecordToEveryWindow) {
  int otherWindowCalls = 0;
  HWND other = messages_.createWindow([&](UINT, WPARAM, LPARAM) -> LRESULT {
    ++otherWindowCalls;
    return 0;
  });
  displayToast(messages_, u"Hello", u"Heading", u"http://x.example/", true);
  messages_.destroyWindow(other);

  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0].title, u"Heading");
  EXPECT_EQ(received_[0].message, u"Hello");
  EXPECT_EQ(received_[0].link, u"http://x.example/");
  EXPECT_EQ(received_[0].flag, -1);
  EXPECT_EQ(received_[0].lParam, 1);
  EXPECT_EQ(otherWindowCalls, 1);
}

TEST_F(ToastTest, EmptyHeadingAndLinkArriveAsNullAndFlagFalseAsZero) {
  displayToast(messages_, u"", u"", u"", false);
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0].title, std::nullopt);
  EXPECT_EQ(received_[0].message, u"");  // the message is never null
  EXPECT_EQ(received_[0].link, std::nullopt);
  EXPECT_EQ(received_[0].flag, 0);
}

TEST_F(ToastTest, MessageIsCutTo255Units) {
  std::u16string longMessage;
  for (int i = 0; i < 300; ++i)
    longMessage += static_cast<char16_t>(u'a' + i % 26);
  displayToast(messages_, longMessage, u"h", u"l", true);
  displayToast(messages_, longMessage.substr(0, 255), u"h", u"l", true);
  ASSERT_EQ(received_.size(), 2u);
  EXPECT_EQ(received_[0].message, longMessage.substr(0, 255));
  EXPECT_EQ(received_[1].message, longMessage.substr(0, 255));
}

TEST_F(ToastTest, TextsOutsideTheAnsiCodePageArriveUnchanged) {
  const std::u16string greek = u"\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1";
  const std::u16string japanese = u"\u3053\u3093\u306b\u3061\u306f";
  const std::u16string emoji = u"\U0001F600";
  displayToast(messages_, greek + japanese + emoji, japanese, greek, true);
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0].message, greek + japanese + emoji);
  EXPECT_EQ(received_[0].title, japanese);
  EXPECT_EQ(received_[0].link, greek);
}

TEST_F(ToastTest, ViewsNeedNotBeZeroTerminated) {
  const std::u16string text = u"HeadingMessageLink";
  std::u16string_view all = text;
  displayToast(messages_, all.substr(7, 7), all.substr(0, 7), all.substr(14, 4), true);
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0].title, u"Heading");
  EXPECT_EQ(received_[0].message, u"Message");
  EXPECT_EQ(received_[0].link, u"Link");
}

TEST_F(ToastTest, ParserResultToastNamesTheMakerOnTwoLines) {
  showParserResultToast(messages_);
  ASSERT_EQ(received_.size(), 1u);
  const ReceivedToast& toast = received_[0];
  EXPECT_EQ(toast.title, u"Juvo");
  EXPECT_EQ(toast.link, maker::kSite.view());
  EXPECT_EQ(toast.flag, -1);
  const std::size_t lineFeed = toast.message.find(u'\n');
  ASSERT_NE(lineFeed, std::u16string::npos);
  EXPECT_EQ(toast.message.find(u'\n', lineFeed + 1), std::u16string::npos);
  EXPECT_EQ(toast.message.find(u'\r'), std::u16string::npos);
  EXPECT_NE(toast.message.substr(0, lineFeed).find(maker::kName), std::u16string::npos);
  EXPECT_FALSE(toast.message.substr(lineFeed + 1).empty());
  EXPECT_LE(toast.message.size(), kToastMessageLimit);
}

}  // namespace
}  // namespace juvo
