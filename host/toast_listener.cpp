#include "toast_listener.h"

namespace host {

namespace {

std::u16string copyText(const char16_t* text) {
  return text ? std::u16string(text) : u"";
}

}  // namespace

ToastListener::ToastListener(platform::WindowMessages& messages,
                             std::function<void(const Toast&)> show)
    : messages_(messages),
      toastMessage_(messages.RegisterWindowMessageA("MessengerPlus_DisplayToast")) {
  window_ = messages.createWindow(
      [this, show = std::move(show)](UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message != toastMessage_ || wParam == 0) return 0;
        const auto* info = reinterpret_cast<const ToastInfo*>(wParam);
        show(Toast{copyText(info->title), copyText(info->message), copyText(info->link),
                   info->flag != 0});
        return 1;
      });
}

ToastListener::~ToastListener() {
  messages_.destroyWindow(window_);
}

}  // namespace host
