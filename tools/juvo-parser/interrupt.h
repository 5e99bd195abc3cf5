// Ctrl-C. A signal handler may not touch the script host, so the first Ctrl-C only notes the
// wish; the script host asks for it whenever a running script checks whether it must stop
// (ScriptControl::resetRequested) and then resets itself. A second Ctrl-C ends the program at
// once, in case nothing asks.
#pragma once

namespace juvo::tool {

// Installs the handler for the rest of the process's life.
void watchForInterrupt();

// True once Ctrl-C was pressed.
bool interruptRequested();

}  // namespace juvo::tool
