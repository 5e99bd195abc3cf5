#include "platform/script/jscript_engine_info.h"

namespace platform::jscript {

namespace {

duk_ret_t engineName(duk_context* ctx) {
  duk_push_string(ctx, "JScript");
  return 1;
}

duk_ret_t majorVersion(duk_context* ctx) {
  duk_push_int(ctx, 5);
  return 1;
}

duk_ret_t minorVersion(duk_context* ctx) {
  duk_push_int(ctx, 8);
  return 1;
}

// The build of the last JScript 5.8, as VBScript's ScriptEngineBuildVersion gives it too.
duk_ret_t buildVersion(duk_context* ctx) {
  duk_push_int(ctx, 16384);
  return 1;
}

}  // namespace

void installEngineInfo(duk_context* ctx) {
  static constexpr duk_function_list_entry kFunctions[] = {
      {"ScriptEngine", engineName, 0},
      {"ScriptEngineMajorVersion", majorVersion, 0},
      {"ScriptEngineMinorVersion", minorVersion, 0},
      {"ScriptEngineBuildVersion", buildVersion, 0},
      {nullptr, nullptr, 0},
  };
  duk_push_global_object(ctx);
  duk_put_function_list(ctx, -1, kFunctions);
  duk_pop(ctx);
}

}  // namespace platform::jscript
