#include "platform/messages/window_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

TEST(WindowMessagesTest, RegisteredNamesGetStableNumbersWithoutRegardToCase) {
  WindowMessages bus;
  UINT toast = bus.RegisterWindowMessageA("MessengerPlus_DisplayToast");
  UINT other = bus.RegisterWindowMessageA("Another_Message");
  EXPECT_EQ(toast, 0xC000u);
  EXPECT_EQ(other, 0xC001u);
  EXPECT_EQ(bus.RegisterWindowMessageA("messengerplus_displaytoast"), toast);
  EXPECT_EQ(bus.RegisterWindowMessageA("MESSENGERPLUS_DISPLAYTOAST"), toast);
  EXPECT_EQ(bus.RegisterWindowMessageA("Another_Message"), other);
  EXPECT_EQ(bus.RegisterWindowMessageA(""), 0u);
  EXPECT_EQ(bus.RegisterWindowMessageA(nullptr), 0u);
}

TEST(WindowMessagesTest, RangeEndsAt0xFFFF) {
  WindowMessages bus;
  UINT last = 0;
  for (int i = 0; i < 0x4000; ++i)
    last = bus.RegisterWindowMessageA(std::to_string(i).c_str());
  EXPECT_EQ(last, 0xFFFFu);
  EXPECT_EQ(bus.RegisterWindowMessageA("one too many"), 0u);
  EXPECT_EQ(bus.RegisterWindowMessageA("0"), 0xC000u);  // old names still answer
}

TEST(WindowMessagesTest, EachBusNumbersOnItsOwn) {
  WindowMessages first;
  WindowMessages second;
  first.RegisterWindowMessageA("a");
  EXPECT_EQ(first.RegisterWindowMessageA("b"), 0xC001u);
  EXPECT_EQ(second.RegisterWindowMessageA("b"), 0xC000u);
}

TEST(WindowMessagesTest, SendsToOneWindowOrToAll) {
  WindowMessages bus;
  std::vector<std::string> log;
  HWND a = bus.createWindow([&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    log.push_back("a " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                  std::to_string(lParam));
    return 10;
  });
  HWND b = bus.createWindow([&](UINT message, WPARAM, LPARAM) -> LRESULT {
    log.push_back("b " + std::to_string(message));
    return 20;
  });
  ASSERT_NE(a, b);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a, HWND_ALL_WINDOWS);

  EXPECT_EQ(bus.SendMessageA(b, 7, 1, 2), 20);
  EXPECT_EQ(log, std::vector<std::string>{"b 7"});

  log.clear();
  EXPECT_EQ(bus.SendMessageA(HWND_ALL_WINDOWS, 0xC000, 5, -1), 20);  // the last one's answer
  EXPECT_EQ(log, (std::vector<std::string>{"a 49152 5 -1", "b 49152"}));

  log.clear();
  bus.destroyWindow(a);
  EXPECT_EQ(bus.SendMessageA(a, 7, 0, 0), 0);  // a destroyed window receives nothing
  EXPECT_EQ(bus.SendMessageA(HWND_ALL_WINDOWS, 8, 0, 0), 20);
  EXPECT_EQ(log, std::vector<std::string>{"b 8"});
  bus.destroyWindow(a);  // twice is harmless
  bus.destroyWindow(b);
}

TEST(WindowMessagesTest, NobodyListeningAnswersZero) {
  WindowMessages bus;
  EXPECT_EQ(bus.SendMessageA(HWND_ALL_WINDOWS, 0xC000, 0, 0), 0);
  EXPECT_EQ(bus.SendMessageA(reinterpret_cast<HWND>(uintptr_t{12345}), 0xC000, 0, 0), 0);
  EXPECT_EQ(bus.SendMessageA(nullptr, 0xC000, 0, 0), 0);
}

TEST(WindowMessagesTest, WindowsDestroyedDuringABroadcastAreSkippedSafely) {
  WindowMessages bus;
  std::vector<std::string> log;
  HWND second = nullptr;
  HWND first = nullptr;
  // The first window destroys itself and the second one while it handles the broadcast; its
  // captured text must stay valid until its procedure returns.
  std::string name = "first, with a long enough text to live on the heap";
  first = bus.createWindow([&, name](UINT, WPARAM, LPARAM) -> LRESULT {
    bus.destroyWindow(first);
    bus.destroyWindow(second);
    log.push_back(name);
    return 1;
  });
  second = bus.createWindow([&](UINT, WPARAM, LPARAM) -> LRESULT {
    log.push_back("second");
    return 2;
  });
  EXPECT_EQ(bus.SendMessageA(HWND_ALL_WINDOWS, 9, 0, 0), 1);
  EXPECT_EQ(log, std::vector<std::string>{name});
  EXPECT_EQ(bus.SendMessageA(HWND_ALL_WINDOWS, 9, 0, 0), 0);
}

TEST(WindowMessagesTest, ProceduresMaySendAndCreateWindows) {
  WindowMessages bus;
  std::vector<std::string> log;
  HWND created = nullptr;
  HWND echo = bus.createWindow([&](UINT message, WPARAM, LPARAM) -> LRESULT {
    log.push_back("echo " + std::to_string(message));
    return 0;
  });
  HWND relay = bus.createWindow([&](UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message != 1) return 0;
    bus.SendMessageA(echo, 2, 0, 0);
    created = bus.createWindow([&](UINT m, WPARAM, LPARAM) -> LRESULT {
      log.push_back("created " + std::to_string(m));
      return 0;
    });
    return 0;
  });
  bus.SendMessageA(HWND_ALL_WINDOWS, 1, 0, 0);
  // A window created during a broadcast does not receive that broadcast.
  EXPECT_EQ(log, (std::vector<std::string>{"echo 1", "echo 2"}));
  log.clear();
  bus.SendMessageA(HWND_ALL_WINDOWS, 3, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"echo 3", "created 3"}));
  bus.destroyWindow(created);
  bus.destroyWindow(relay);
  bus.destroyWindow(echo);
}

TEST(WindowMessagesTest, SystemBusIsOneInstance) {
  EXPECT_EQ(&WindowMessages::system(), &WindowMessages::system());
}

}  // namespace
}  // namespace platform
