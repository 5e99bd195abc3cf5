// Toasts: small notices the host shows on the plug-in's behalf. The plug-in asks for one by
// sending the host's registered message "MessengerPlus_DisplayToast" to every window, with the
// address of a ToastInfo record as wParam.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/messages/window_messages.h"

namespace juvo {

// The record the host reads during the send. Addresses point at zero-terminated UTF-16 texts
// that live only while the message is delivered; the receiver copies what it keeps.
struct ToastInfo {
  const char16_t* title;    // the heading, or null when it is empty
  const char16_t* message;  // at most 255 UTF-16 units
  const char16_t* link;     // a web address, or null when it is empty
  int32_t flag;             // -1 for true, 0 for false
};
// Four 32-bit fields on a 32-bit build; the addresses widen to pointers on a 64-bit one.
static_assert(offsetof(ToastInfo, title) == 0);
static_assert(offsetof(ToastInfo, message) == sizeof(void*));
static_assert(offsetof(ToastInfo, link) == 2 * sizeof(void*));
static_assert(offsetof(ToastInfo, flag) == 3 * sizeof(void*));
static_assert(sizeof(void*) != 4 || sizeof(ToastInfo) == 16);
static_assert(sizeof(void*) != 8 || sizeof(ToastInfo) == 32);

inline constexpr char kDisplayToastMessage[] = "MessengerPlus_DisplayToast";
inline constexpr std::size_t kToastMessageLimit = 255;

// Asks the host for a toast; returns once every window has handled the message. The message is
// cut to its first 255 UTF-16 units; texts travel as UTF-16, unconverted.
void displayToast(platform::WindowMessages& messages, std::u16string_view message,
                  std::u16string_view heading, std::u16string_view link, bool flag);

// The toast that comes with every third parser result: heading "Juvo", two lines joined by a
// line feed, and the maker's site as the link.
struct ToastTexts {
  std::u16string message;
  std::u16string heading;
  std::u16string link;
};
ToastTexts parserResultToast();
void showParserResultToast(platform::WindowMessages& messages);

}  // namespace juvo
