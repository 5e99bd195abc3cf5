// Limits that keep single built-in calls short. Duktape checks the time-out between bytecode
// instructions and before native calls, but not inside a built-in that walks an array, so
// the walks are bounded up front.
#pragma once

#include "duktape.h"

namespace platform::jscript {

// Array.prototype's methods (but push and pop) refuse arrays, or array-likes, longer than a
// few million elements, and sort without a comparator longer than about a hundred thousand;
// they raise a RangeError instead.
void installArrayGuards(duk_context* ctx);

}  // namespace platform::jscript
