#include "vbscript/native_stack.h"

#include <pthread.h>

#include "platform/base/error.h"

namespace vbscript {

namespace {

// Left untouched at the far end of the stack, for the host's own frames, signal handlers and
// the C library.
constexpr size_t kSafetyMargin = size_t{512} << 10;

}  // namespace

uintptr_t stackLimitBelowHere(size_t budget) {
  const auto here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  uintptr_t limit = here > budget ? here - budget : 0;
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
    void* low = nullptr;
    size_t size = 0;
    if (pthread_attr_getstack(&attributes, &low, &size) == 0 && low != nullptr) {
      const uintptr_t floor = reinterpret_cast<uintptr_t>(low) + kSafetyMargin;
      if (limit < floor) limit = floor;
    }
    pthread_attr_destroy(&attributes);
  }
  return limit;
}

void checkStack(uintptr_t limit) {
  if (stackExhausted(limit)) platform::raise(platform::ErrorCode::kOutOfStackSpace);
}

}  // namespace vbscript
