// JScript's dates on Duktape's Date: toString, toDateString, toTimeString, toUTCString,
// toGMTString and the toLocale* methods write as JScript does, getYear gives the year as
// JScript does, and Date.parse and new Date(text) read JScript's forms (through Duktape's
// date parsing hook, after ISO 8601, see jscript_date_text.h).
#pragma once

#include "duktape.h"

namespace platform::jscript {

// Replaces the methods on Date.prototype. An invalid date writes as "NaN" in every form but
// toISOString and toJSON, which keep the language's own rules; the toLocale* methods follow the
// engine's locale (ScriptServices::locale).
void installDateMethods(duk_context* ctx);

}  // namespace platform::jscript
