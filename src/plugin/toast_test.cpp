#include "plugin/toast.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/text.h"
#include "shared/maker.h"

namespace juvo {
namespace {

using Received = std::vector<std::u16string>;

// Each toast as a host window copies it out of the record during the send:
// "title|message|link|flag|lParam", with "null" for an address of 0.
class ToastTest : public ::testing::Test {
 protected:
  ToastTest() {
    window_ = messages_.createWindow([this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != messages_.RegisterWindowMessageA("messengerplus_displaytoast")) return 0;
      const auto& info = *reinterpret_cast<const ToastInfo*>(wParam);
      auto copy = [](const char16_t* text) { return text ? std::u16string(text) : u"null"; };
      received_.push_back(copy(info.title) + u"|" + copy(info.message) + u"|" + copy(info.link) +
                          u"|" + platform::decimal(info.flag) + u"|" + platform::decimal(lParam));
      return 0;
    });
  }
  ~ToastTest() override { messages_.destroyWindow(window_); }

  platform::WindowMessages messages_;
  HWND window_;
  Received received_;
};

TEST_F(ToastTest, DeliversZeroTerminatedCopiesOfTheTexts) {
  // Views into one text: none of them ends in a zero of its own.
  const std::u16string_view all = u"HeadingMessageLink";
  displayToast(messages_, all.substr(7, 7), all.substr(0, 7), all.substr(14, 4), true);
  // An empty heading or link is no address at all; the message always has one.
  displayToast(messages_, u"", u"", u"", false);
  EXPECT_EQ(received_, (Received{u"Heading|Message|Link|-1|1", u"null||null|0|1"}));
}

TEST_F(ToastTest, MessageIsCutTo255UnitsAndNeverConverted) {
  std::u16string longMessage;
  for (int i = 0; i < 300; ++i)
    longMessage += static_cast<char16_t>(u'a' + i % 26);
  displayToast(messages_, longMessage, u"h", u"l", true);
  const std::u16string greek = u"\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1";
  const std::u16string japanese = u"\u3053\u3093\u306b\u3061\u306f\U0001F600";
  displayToast(messages_, greek + japanese, japanese, greek, true);
  EXPECT_EQ(received_, (Received{u"h|" + longMessage.substr(0, 255) + u"|l|-1|1",
                                 japanese + u"|" + greek + japanese + u"|" + greek + u"|-1|1"}));
}

TEST_F(ToastTest, ParserResultToastNamesTheMakerOnTwoLines) {
  const std::u16string message = parserResultToast().message;
  showParserResultToast(messages_);
  EXPECT_EQ(received_,
            Received{u"Juvo|" + message + u"|" + std::u16string(maker::kSite.view()) + u"|-1|1"});
  const std::size_t lineFeed = message.find(u'\n');
  ASSERT_NE(lineFeed, std::u16string::npos);
  EXPECT_EQ(message.find_first_of(u"\r\n", lineFeed + 1), std::u16string::npos);
  EXPECT_EQ(message.find(u'\r'), std::u16string::npos);
  EXPECT_NE(message.substr(0, lineFeed).find(maker::kName), std::u16string::npos);
  EXPECT_LT(lineFeed + 1, message.size());
  EXPECT_LE(message.size(), kToastMessageLimit);
}

}  // namespace
}  // namespace juvo
