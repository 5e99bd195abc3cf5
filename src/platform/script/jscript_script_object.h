// Script objects and functions handed to the host: automation objects whose members are the
// script object's properties, by their exact names. The host may read, write and call them
// while their engine lives; calls run under the script host's rules (time-out, Error event).
// After Reset they raise kObjectRequired.
#pragma once

#include "duktape.h"
#include "platform/automation/automation_object.h"

namespace platform::jscript {

// Wraps the script value at `index` for the host.
ObjectPtr wrapScriptValue(duk_context* ctx, duk_idx_t index);

// Pushes `object` and returns true when it wraps a value of this heap.
bool pushScriptValue(duk_context* ctx, const ObjectPtr& object);

}  // namespace platform::jscript
