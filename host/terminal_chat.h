// The chat in the terminal: reads lines from the console and writes the transcript.
#pragma once

#include "chat.h"
#include "platform/ui/console.h"

namespace host {

// Runs until the end of input.
void runTerminalChat(Chat& chat, platform::Console& console);

}  // namespace host
