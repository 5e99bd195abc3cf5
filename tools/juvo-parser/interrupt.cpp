#include "interrupt.h"

#include <csignal>

namespace juvo::tool {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
  interrupted = 1;
}

}  // namespace

void watchForInterrupt() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  // The next Ctrl-C gets the default handling: the program ends.
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

bool interruptRequested() {
  return interrupted != 0;
}

}  // namespace juvo::tool
