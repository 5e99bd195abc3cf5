// Window messages: registered message names with stable numbers, and a synchronous send to
// the windows of the process, the stand-in for RegisterWindowMessageA and SendMessageA.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
struct HWND__;
using HWND = HWND__*;
// Sent to this handle, a message reaches every window of the process.
#define HWND_ALL_WINDOWS (reinterpret_cast<HWND>(static_cast<intptr_t>(-1)))

namespace platform {

class WindowMessages {
 public:
  using WindowProc = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

  WindowMessages();
  ~WindowMessages();
  WindowMessages(const WindowMessages&) = delete;
  WindowMessages& operator=(const WindowMessages&) = delete;

  // The process's message bus, shared by the host and the module.
  static WindowMessages& system();

  // The number of the message called `name` (names compared without regard to case): the
  // same name always gives the same number, from 0xC000 up. 0 for an empty name, and 0 once
  // the range up to 0xFFFF is used up, as on Windows.
  UINT RegisterWindowMessageA(const char* name);
  // Delivers the message synchronously to `window`, or to every window for HWND_ALL_WINDOWS,
  // and returns what the (last) window procedure answered; 0 when nobody received it. A
  // procedure may send, create and destroy windows: a broadcast reaches the windows that existed
  // when it began and were not destroyed before their turn.
  LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // A window of ours: its procedure receives what is sent to it. Destroy it before the
  // procedure's captures go away.
  HWND createWindow(WindowProc procedure);
  void destroyWindow(HWND window);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
