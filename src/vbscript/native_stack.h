// How much native stack the interpreter may use. Deep recursion in a script, deeply nested
// source text and deeply nested Execute calls all become error 28 "Out of stack space" at a
// limit set well inside the thread's real stack, whatever the frame sizes of the build
// (sanitizer builds have much larger ones).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vbscript {

// The lowest address the stack may reach: `budget` bytes below the caller's frame, and never
// nearer than a safety margin to the end of the thread's stack.
uintptr_t stackLimitBelowHere(size_t budget);

// Whether the caller's frame lies beyond `limit`.
inline bool stackExhausted(uintptr_t limit) {
  return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < limit;
}

// Raises 28 Out of stack space (a run-time error) when the caller's frame lies beyond `limit`.
void checkStack(uintptr_t limit);

}  // namespace vbscript
