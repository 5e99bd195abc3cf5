// ToastListener: the host's window for the message "MessengerPlus_DisplayToast". A plug-in
// sends it with the address of a ToastInfo record; the record and its texts live only for
// the send, so the listener copies what it shows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/messages/window_messages.h"

namespace host {

// The record as the messenger defines it: three addresses of zero-terminated UTF-16 texts
// (0 for none) and a flag, -1 for true.
struct ToastInfo {
  const char16_t* title;
  const char16_t* message;
  const char16_t* link;
  int32_t flag;
};

struct Toast {
  std::u16string heading;
  std::u16string message;
  std::u16string link;
  bool flag = false;
};

class ToastListener {
 public:
  ToastListener(platform::WindowMessages& messages, std::function<void(const Toast&)> show);
  ~ToastListener();
  ToastListener(const ToastListener&) = delete;
  ToastListener& operator=(const ToastListener&) = delete;

 private:
  platform::WindowMessages& messages_;
  UINT toastMessage_;
  HWND window_;
};

}  // namespace host
