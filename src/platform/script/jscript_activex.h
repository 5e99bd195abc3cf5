// JScript's ActiveXObject: `new ActiveXObject("MSXML2.DOMDocument")` makes an object of the
// engine's object catalogue, the one way a script creates objects.
#pragma once

#include "duktape.h"

namespace platform::jscript {

// Defines the global constructor ActiveXObject(progId). A name the catalogue does not hold
// raises error 429, "ActiveX component can't create object".
void installActiveXObject(duk_context* ctx);

}  // namespace platform::jscript
