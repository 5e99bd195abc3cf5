// Values across the border between the script and the host: Variants to script values and
// back, host objects as Proxies.
#pragma once

#include "duktape.h"
#include "platform/automation/variant.h"

namespace platform::jscript {

// Keeps the Proxy handler for host objects in the heap's stash.
void installHostHandler(duk_context* ctx);

void pushVariant(duk_context* ctx, const Variant& value);
Variant toVariant(duk_context* ctx, duk_idx_t index);

// Whether the value at `index` is a host object's Proxy: reading a name it lacks throws.
bool isHostObject(duk_context* ctx, duk_idx_t index);

// Pushes a Proxy for `object` (null for Nothing); a script object handed back comes back as
// itself.
void pushHostObject(duk_context* ctx, const ObjectPtr& object);

}  // namespace platform::jscript
