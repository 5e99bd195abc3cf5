// Limits that keep single built-in calls short. Duktape checks the time-out between bytecode
// instructions and before native calls, but not inside a built-in that walks an array, so
// the walks are bounded up front.
#pragma once

#include "duktape.h"

namespace platform::jscript {

// Array.prototype's methods (but push and pop) refuse, with a RangeError blamed on the
// script's line, what would keep them busy far past the time-out: more than 2^24 elements
// (every character of a 16 MB page is fine), more than 2^20 elements that are not stored
// (a walk over missing ones is slow: `new Array(1e7).join()`), and a sort without a
// comparator of more than 2^17.
void installArrayGuards(duk_context* ctx);

}  // namespace platform::jscript
