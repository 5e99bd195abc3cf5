// A plug-in stand-in for the host's tests: records the commands it is given and answers
// with a result the test chooses.
#pragma once

#include <string>
#include <vector>

#include "chat.h"

namespace host {

class FakePlugin : public CommandPlugin {
 public:
  Result parseCommand(std::u16string_view command, std::u16string_view argument) override {
    calls.emplace_back(std::u16string(command) + u"|" + std::u16string(argument));
    return next;
  }
  std::vector<std::u16string> calls;
  Result next{true, u"result"};
};

}  // namespace host
