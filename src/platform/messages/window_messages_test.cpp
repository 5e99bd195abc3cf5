#include "platform/messages/window_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

using Log = std::vector<std::string>;

class WindowMessagesTest : public ::testing::Test {
 protected:
  // A window that logs "<name> <message> <wParam> <lParam>" and answers `answer`.
  HWND logging(std::string name, LRESULT answer = 0) {
    return bus_.createWindow([this, name, answer](UINT message, WPARAM w, LPARAM l) -> LRESULT {
      log_.push_back(name + " " + std::to_string(message) + " " + std::to_string(w) + " " +
                     std::to_string(l));
      return answer;
    });
  }

  WindowMessages bus_;
  Log log_;
};

TEST_F(WindowMessagesTest, RegisteredNamesGetStableNumbersWithoutRegardToCase) {
  EXPECT_EQ(bus_.RegisterWindowMessageA("MessengerPlus_DisplayToast"), 0xC000u);
  EXPECT_EQ(bus_.RegisterWindowMessageA("Another_Message"), 0xC001u);
  EXPECT_EQ(bus_.RegisterWindowMessageA("MESSENGERPLUS_DISPLAYTOAST"), 0xC000u);
  EXPECT_EQ(bus_.RegisterWindowMessageA(""), 0u);
  EXPECT_EQ(bus_.RegisterWindowMessageA(nullptr), 0u);
  EXPECT_EQ(WindowMessages().RegisterWindowMessageA("Another_Message"), 0xC000u);  // per bus

  // The range ends at 0xFFFF; names registered before still answer.
  for (int i = 2; i < 0x4000; ++i)
    bus_.RegisterWindowMessageA(std::to_string(i).c_str());
  EXPECT_EQ(bus_.RegisterWindowMessageA("16383"), 0xFFFFu);
  EXPECT_EQ(bus_.RegisterWindowMessageA("one too many"), 0u);
  EXPECT_EQ(bus_.RegisterWindowMessageA("another_message"), 0xC001u);
}

TEST_F(WindowMessagesTest, SendsToOneWindowOrToAll) {
  EXPECT_EQ(bus_.SendMessageA(HWND_ALL_WINDOWS, 0xC000, 0, 0), 0);  // nobody listening
  HWND a = logging("a", 10);
  HWND b = logging("b", 20);
  ASSERT_NE(a, b);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a, HWND_ALL_WINDOWS);
  EXPECT_EQ(bus_.SendMessageA(b, 7, 1, 2), 20);
  EXPECT_EQ(bus_.SendMessageA(HWND_ALL_WINDOWS, 0xC000, 5, -1), 20);  // the last one's answer
  EXPECT_EQ(log_, (Log{"b 7 1 2", "a 49152 5 -1", "b 49152 5 -1"}));

  log_.clear();
  bus_.destroyWindow(a);
  EXPECT_EQ(bus_.SendMessageA(a, 7, 0, 0), 0);  // a destroyed window receives nothing
  EXPECT_EQ(bus_.SendMessageA(reinterpret_cast<HWND>(uintptr_t{12345}), 7, 0, 0), 0);
  EXPECT_EQ(bus_.SendMessageA(nullptr, 7, 0, 0), 0);
  EXPECT_EQ(bus_.SendMessageA(HWND_ALL_WINDOWS, 8, 0, 0), 20);
  EXPECT_EQ(log_, Log{"b 8 0 0"});
  bus_.destroyWindow(a);  // twice is harmless
}

TEST_F(WindowMessagesTest, WindowsDestroyedDuringABroadcastAreSkippedSafely) {
  HWND second = nullptr;
  HWND first = nullptr;
  // The first window destroys itself and the second one while it handles the broadcast; its
  // captured text must stay valid until its procedure returns.
  std::string name = "first, with a long enough text to live on the heap";
  first = bus_.createWindow([&, name](UINT, WPARAM, LPARAM) -> LRESULT {
    bus_.destroyWindow(first);
    bus_.destroyWindow(second);
    log_.push_back(name);
    return 1;
  });
  second = logging("second", 2);
  EXPECT_EQ(bus_.SendMessageA(HWND_ALL_WINDOWS, 9, 0, 0), 1);
  EXPECT_EQ(log_, Log{name});
  EXPECT_EQ(bus_.SendMessageA(HWND_ALL_WINDOWS, 9, 0, 0), 0);
}

TEST_F(WindowMessagesTest, ProceduresMaySendAndCreateWindows) {
  HWND echo = logging("echo");
  bus_.createWindow([&](UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == 1) {
      bus_.SendMessageA(echo, 2, 0, 0);
      logging("created");
    }
    return 0;
  });
  bus_.SendMessageA(HWND_ALL_WINDOWS, 1, 0, 0);
  // A window created during a broadcast does not receive that broadcast.
  EXPECT_EQ(log_, (Log{"echo 1 0 0", "echo 2 0 0"}));
  bus_.SendMessageA(HWND_ALL_WINDOWS, 3, 0, 0);
  EXPECT_EQ(log_, (Log{"echo 1 0 0", "echo 2 0 0", "echo 3 0 0", "created 3 0 0"}));
}

}  // namespace
}  // namespace platform
