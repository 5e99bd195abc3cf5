#include "chat.h"

#include "platform/base/text.h"

namespace host {

Chat::Chat(CommandPlugin& plugin, std::vector<std::u16string> commandWords)
    : plugin_(plugin), commandWords_(std::move(commandWords)) {}

bool Chat::isPublished(std::u16string_view word) const {
  for (const std::u16string& published : commandWords_) {
    if (platform::equalsIgnoreCase(published, word)) return true;
  }
  return false;
}

std::optional<std::u16string> Chat::send(std::u16string_view line) {
  if (line.starts_with(u"/")) {
    size_t space = line.find(u' ');
    std::u16string_view command = line.substr(0, space);
    if (isPublished(command.substr(1))) {
      std::u16string_view argument =
          space == std::u16string_view::npos ? std::u16string_view() : line.substr(space + 1);
      CommandPlugin::Result result = plugin_.parseCommand(command, argument);
      if (result.handled) {
        if (result.text.empty()) return std::nullopt;
        return std::move(result.text);
      }
    }
  }
  if (line.empty()) return std::nullopt;
  return std::u16string(line);
}

}  // namespace host
