// JScript's global functions that name the engine: ScriptEngine() is "JScript", and the
// version functions give those of the engine parsers were written for (5.8).
#pragma once

#include "duktape.h"

namespace platform::jscript {

// Defines ScriptEngine, ScriptEngineMajorVersion, ScriptEngineMinorVersion and
// ScriptEngineBuildVersion.
void installEngineInfo(duk_context* ctx);

}  // namespace platform::jscript
