#include "platform/script/jscript_engine.h"

#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/script/cesu8.h"
#include "platform/script/jscript_bridge.h"
#include "platform/script/jscript_errors.h"
#include "platform/script/jscript_runtime.h"

namespace platform {

namespace {

class JScriptEngine final : public ScriptEngine {
 public:
  JScriptEngine(ScriptSite& site, const ScriptServices& services) : runtime_(site, services) {}

  void addCode(std::u16string_view source) override {
    const std::string fileName = runtime_.addSource(source);
    const std::string code = jscript::toCesu8(source);
    bool compiled = false;
    const bool completed = runtime_.protect([&](duk_context* ctx) {
      runtime_.forgetPendingValues(ctx);
      duk_push_lstring(ctx, code.data(), code.size());
      duk_push_lstring(ctx, fileName.data(), fileName.size());
      duk_compile(ctx, 0);
      compiled = true;
      duk_call(ctx, 0);
    });
    if (!completed) jscript::throwScriptFailure(runtime_, !compiled);
  }

  void addObject(std::u16string_view name, ObjectPtr object) override {
    const std::string key = jscript::toCesu8(name);
    const bool completed = runtime_.protect([&](duk_context* ctx) {
      jscript::pushHostObject(ctx, object);
      duk_put_global_lstring(ctx, key.data(), key.size());
    });
    if (!completed) {
      const ScriptErrorInfo info = jscript::describeThrown(runtime_, false);
      throw Error(info.number, info.description, info.source);
    }
  }

  Variant run(std::u16string_view name, std::span<Variant> args) override {
    const std::string key = jscript::toCesu8(name);
    const auto argc = static_cast<duk_idx_t>(args.size());
    Variant result;
    const bool completed = runtime_.protect([&](duk_context* ctx) {
      runtime_.forgetPendingValues(ctx);
      if (!duk_get_global_lstring(ctx, key.data(), key.size()) || !duk_is_callable(ctx, -1)) {
        raise(ErrorCode::kUnknownName, u"Unknown name: " + std::u16string(name));
      }
      duk_require_stack(ctx, argc + 1);
      for (const Variant& arg : args)
        jscript::pushVariant(ctx, arg);
      duk_call(ctx, argc);
      result = jscript::toVariant(ctx, -1);
    });
    if (!completed) jscript::throwScriptFailure(runtime_, false);
    return result;
  }

  std::vector<ScriptProcedure> procedures() override {
    std::vector<ScriptProcedure> found;
    const bool completed = runtime_.protect([&](duk_context* ctx) {
      duk_push_global_object(ctx);
      duk_enum(ctx, -1, DUK_ENUM_OWN_PROPERTIES_ONLY);
      while (duk_next(ctx, -1, 0)) {
        duk_size_t length = 0;
        const char* key = duk_get_lstring(ctx, -1, &length);
        const std::u16string name = key ? jscript::fromCesu8({key, length}) : std::u16string();
        // The descriptor, not the value: reading through a getter would run script code.
        duk_get_prop_desc(ctx, -3, 0);
        if (duk_is_object(ctx, -1)) {
          duk_get_prop_string(ctx, -1, "value");
          if (duk_is_ecmascript_function(ctx, -1)) {
            duk_get_prop_string(ctx, -1, "length");
            found.push_back({name, duk_to_int32(ctx, -1)});
            duk_pop(ctx);
          }
          duk_pop(ctx);
        }
        duk_pop(ctx);
      }
      duk_pop_2(ctx);
    });
    if (!completed) {
      const ScriptErrorInfo info = jscript::describeThrown(runtime_, false);
      throw Error(info.number, info.description, info.source);
    }
    return found;
  }

 private:
  jscript::Runtime runtime_;
};

}  // namespace

std::unique_ptr<ScriptEngine> makeJScriptEngine(ScriptSite& site, const ScriptServices& services) {
  return std::make_unique<JScriptEngine>(site, services);
}

}  // namespace platform
