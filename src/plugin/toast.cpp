#include "plugin/toast.h"

#include "shared/maker.h"

namespace juvo {

void displayToast(platform::WindowMessages& messages, std::u16string_view message,
                  std::u16string_view heading, std::u16string_view link, bool flag) {
  // Own zero-terminated copies: the views need not be terminated.
  const std::u16string messageText(message.substr(0, kToastMessageLimit));
  const std::u16string headingText(heading);
  const std::u16string linkText(link);
  ToastInfo info{};
  info.title = headingText.empty() ? nullptr : headingText.c_str();
  info.message = messageText.c_str();
  info.link = linkText.empty() ? nullptr : linkText.c_str();
  info.flag = flag ? -1 : 0;
  // Looked up on every call, as the host may have registered it since the last one.
  UINT number = messages.RegisterWindowMessageA(kDisplayToastMessage);
  messages.SendMessageA(HWND_ALL_WINDOWS, number, reinterpret_cast<WPARAM>(&info), 1);
}

ToastTexts parserResultToast() {
  return ToastTexts{
      .message = std::u16string(maker::kName) + u" brings JUVO to you\n" + maker::kSite.text() +
                 u" - fresh tools for your chats",
      .heading = u"Juvo",
      .link = maker::kSite.text(),
  };
}

void showParserResultToast(platform::WindowMessages& messages) {
  const ToastTexts texts = parserResultToast();
  displayToast(messages, texts.message, texts.heading, texts.link, true);
}

}  // namespace juvo
