#include "platform/messages/window_messages.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/text.h"

namespace platform {

namespace {

// Registered message numbers live in the range Windows gives them.
constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr UINT kLastRegisteredMessage = 0xFFFF;

// Handles are small distinct numbers, never 0 or -1, and never reused while the bus lives, so
// a stale handle cannot reach a newer window.
constexpr uintptr_t kHandleStep = 4;

}  // namespace

struct WindowMessages::Impl {
  // Guards the tables only: a procedure is always called with the lock released, so it may send,
  // create or destroy windows itself.
  std::mutex mutex;
  std::map<std::u16string, UINT> registered;  // by lower-cased name
  UINT nextMessage = kFirstRegisteredMessage;
  // Shared so that a window destroyed while its procedure runs keeps the procedure alive until
  // the call returns.
  std::map<uintptr_t, std::shared_ptr<const WindowProc>> windows;
  uintptr_t lastHandle = 0x10000;

  std::shared_ptr<const WindowProc> procedureOf(uintptr_t handle) {
    std::lock_guard lock(mutex);
    auto it = windows.find(handle);
    return it == windows.end() ? nullptr : it->second;
  }
};

WindowMessages::WindowMessages() : impl_(std::make_unique<Impl>()) {}

WindowMessages::~WindowMessages() = default;

WindowMessages& WindowMessages::system() {
  static WindowMessages bus;
  return bus;
}

UINT WindowMessages::RegisterWindowMessageA(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  std::u16string key = toLower(fromAnsi(name));
  std::lock_guard lock(impl_->mutex);
  auto it = impl_->registered.find(key);
  if (it != impl_->registered.end()) return it->second;
  // Windows answers 0 once the range is used up; so do we.
  if (impl_->nextMessage > kLastRegisteredMessage) return 0;
  UINT number = impl_->nextMessage++;
  impl_->registered.emplace(std::move(key), number);
  return number;
}

LRESULT WindowMessages::SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != HWND_ALL_WINDOWS) {
    auto procedure = impl_->procedureOf(reinterpret_cast<uintptr_t>(window));
    return procedure ? (*procedure)(message, wParam, lParam) : 0;
  }
  // A broadcast reaches the windows that existed when it began and still exist when their turn
  // comes: a procedure may destroy other windows (or itself) on the way.
  std::vector<uintptr_t> handles;
  {
    std::lock_guard lock(impl_->mutex);
    handles.reserve(impl_->windows.size());
    for (const auto& [handle, procedure] : impl_->windows)
      handles.push_back(handle);
  }
  LRESULT result = 0;
  for (uintptr_t handle : handles) {
    if (auto procedure = impl_->procedureOf(handle)) result = (*procedure)(message, wParam, lParam);
  }
  return result;
}

HWND WindowMessages::createWindow(WindowProc procedure) {
  auto shared = std::make_shared<const WindowProc>(std::move(procedure));
  std::lock_guard lock(impl_->mutex);
  impl_->lastHandle += kHandleStep;
  impl_->windows.emplace(impl_->lastHandle, std::move(shared));
  return reinterpret_cast<HWND>(impl_->lastHandle);
}

void WindowMessages::destroyWindow(HWND window) {
  std::shared_ptr<const WindowProc> doomed;  // released after the lock, outside the table
  std::lock_guard lock(impl_->mutex);
  auto it = impl_->windows.find(reinterpret_cast<uintptr_t>(window));
  if (it == impl_->windows.end()) return;
  doomed = std::move(it->second);
  impl_->windows.erase(it);
}

}  // namespace platform
