// JScript's VBArray, which reads the arrays host objects hand out (a Dictionary's Keys and
// Items): new VBArray(a).toArray(), .ubound(), .lbound(), .getItem(i) and .dimensions().
#pragma once

#include "duktape.h"

namespace platform::jscript {

// Defines the global constructor VBArray(array). The bridge already gives host arrays to the
// script as script arrays, which scripts may also index directly; VBArray takes those (and
// another VBArray), so scripts written for Windows run unchanged. Arrays of more than one
// dimension reach the script flattened, and VBArray sees one dimension. Anything else raises
// 13 Type mismatch; an index or dimension outside the array 9 Subscript out of range.
void installVBArray(duk_context* ctx);

}  // namespace platform::jscript
