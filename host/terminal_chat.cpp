#include "terminal_chat.h"

#include "transcript.h"

namespace host {

void runTerminalChat(Chat& chat, platform::Console& console) {
  if (console.isInteractive()) {
    console.writeLine(
        u"Type a message, or a command such as /xjuvo hello World or /xjuvoconfig. "
        u"Ctrl-D ends the chat.");
  }
  while (true) {
    if (console.isInteractive()) console.write(u"> ");
    std::optional<std::u16string> line = console.takeLine();
    if (!line) break;
    std::optional<std::u16string> sent = chat.send(*line);
    if (sent) console.writeLine(sentLine(*sent));
  }
}

}  // namespace host
