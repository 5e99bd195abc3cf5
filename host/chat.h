// Chat: what the messenger does with a line the user typed. A line that begins with "/" and
// names a published command (the word after the slash, any letter case) goes to the plug-in
// as the command (up to the first space) and its argument (after that space); the plug-in's
// non-empty result is sent. Every other line is sent as typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class CommandPlugin {
 public:
  struct Result {
    bool handled = false;
    std::u16string text;
  };
  virtual ~CommandPlugin() = default;
  virtual Result parseCommand(std::u16string_view command, std::u16string_view argument) = 0;
};

class Chat {
 public:
  // `commandWords` are the published command words, without the slash ("xjuvo").
  Chat(CommandPlugin& plugin, std::vector<std::u16string> commandWords);

  // The text to send for a typed line, or nullopt when nothing is to be sent.
  std::optional<std::u16string> send(std::u16string_view line);

 private:
  bool isPublished(std::u16string_view word) const;

  CommandPlugin& plugin_;
  std::vector<std::u16string> commandWords_;
};

}  // namespace host
