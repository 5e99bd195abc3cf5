#include "plugin/chat_commands.h"

#include <string>

#include "platform/base/text.h"

namespace juvo {

namespace {

struct CommandWord {
  std::u16string_view word;
  ChatCommand command;
};

constexpr CommandWord kCommandWords[] = {
    {u"/xjuvo", ChatCommand::kRunParser},
    {u"/xws", ChatCommand::kRunParser},
    {u"/xjuvoconfig", ChatCommand::kShowConfig},
    {u"/xjuvoshare", ChatCommand::kShare},
};

}  // namespace

ChatCommand chatCommand(std::u16string_view sCommand) {
  const std::u16string lowered = platform::toLower(sCommand);
  for (const CommandWord& entry : kCommandWords) {
    if (lowered == entry.word) return entry.command;
  }
  return ChatCommand::kNotOurs;
}

}  // namespace juvo
