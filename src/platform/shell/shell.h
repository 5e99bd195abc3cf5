// The shell: opening a document or web address with the user's default program, the stand-in
// for ShellExecuteA with the verb "Open".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens `address`; failures are not reported (the caller does not look at them).
  virtual void open(std::u16string_view address) = 0;
};

// The real shell: Qt's desktop services when a Qt application runs, xdg-open otherwise.
Shell& systemShell();

// A test double that records what it was asked to open.
class RecordingShell : public Shell {
 public:
  void open(std::u16string_view address) override { opened.emplace_back(address); }
  std::vector<std::u16string> opened;
};

}  // namespace platform
