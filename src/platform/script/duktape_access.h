// A few facts about Duktape's state that its public API does not give, read from its
// internals. Defined beside Duktape's own source (duktape_unit.cpp), which they depend on.
#pragma once

#include "duktape.h"

namespace platform::jscript {

// True when the running native function (a Proxy trap) was reached from the property lookup of
// a script's call `obj.name(...)` or `obj[key](...)`, rather than from a plain `obj.name`.
bool reachedFromCallSite(duk_context* ctx);

// True when the value at `index` is a Date object.
bool isDateObject(duk_context* ctx, duk_idx_t index);

// The time value a Date object holds (NaN for an invalid date). Raises a TypeError when the
// value at `index` is no Date.
double requireDateValue(duk_context* ctx, duk_idx_t index);

// The local time zone's offset from UTC in seconds at the time value `ms`, as Duktape's own
// date methods reckon it (years beyond the system's reach as an equivalent year within it).
int localOffsetSeconds(double ms);

// How many of the object's first elements are stored in its array part (present or not):
// those a walk over it reads fast. 0 for an object without one, such as a sparse array.
duk_uint32_t storedElementCount(duk_context* ctx, duk_idx_t index);

// The user data given to duk_create_heap().
void* heapUserData(duk_context* ctx);

}  // namespace platform::jscript
