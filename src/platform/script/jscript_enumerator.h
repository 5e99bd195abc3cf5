// JScript's Enumerator, for the collections of host objects:
//   for (var e = new Enumerator(list); !e.atEnd(); e.moveNext()) use(e.item());
#pragma once

#include "duktape.h"

namespace platform::jscript {

// Defines the global constructor Enumerator(collection), with atEnd(), moveNext(), item()
// and moveFirst(). A value that is no host collection raises kNoSuchMember.
void installEnumerator(duk_context* ctx);

}  // namespace platform::jscript
