#include "platform/script/jscript_errors.h"

#include <cmath>
#include <string>

#include "platform/script/cesu8.h"
#include "platform/script/dispatch_errors.h"
#include "platform/script/jscript_bridge.h"
#include "platform/script/jscript_runtime.h"

namespace platform::jscript {

namespace {

constexpr const char* kSourceKey = DUK_HIDDEN_SYMBOL("source");
// On an Error made from a host failure the user has been told of already.
constexpr const char* kReportedKey = DUK_HIDDEN_SYMBOL("reported");
constexpr const char* kLastThrown = "lastThrown";

int32_t numberForCode(duk_errcode_t code) {
  switch (code) {
    case DUK_ERR_SYNTAX_ERROR:
      return kSyntaxErrorNumber;
    case DUK_ERR_REFERENCE_ERROR:
      return kUndefinedNameNumber;
    case DUK_ERR_TYPE_ERROR:
      return kTypeErrorNumber;
    case DUK_ERR_RANGE_ERROR:
      return kRangeErrorNumber;
    default:
      return kUncaughtExceptionNumber;
  }
}

// ToInt32 of a script's number, so that 0x800A0005 and its negative form agree.
int32_t wrapToInt32(double value) {
  double wrapped = std::fmod(std::trunc(value), 4294967296.0);
  if (wrapped < 0) wrapped += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

std::u16string stringAt(duk_context* ctx, duk_idx_t index) {
  duk_size_t length = 0;
  const char* text = duk_get_lstring(ctx, index, &length);
  return text ? fromCesu8({text, length}) : std::u16string();
}

// The text of any value; when its conversion throws, the text of what it threw.
std::u16string safeString(duk_context* ctx, duk_idx_t index) {
  duk_dup(ctx, index);
  duk_size_t length = 0;
  const char* text = duk_safe_to_lstring(ctx, -1, &length);
  std::u16string result = fromCesu8({text, length});
  duk_pop(ctx);
  return result;
}

// The compiler appends " (line N)" or " (line N, end of input)"; the line is reported apart.
std::u16string withoutLineSuffix(std::u16string message) {
  const size_t at = message.rfind(u" (line ");
  if (at == std::u16string::npos || message.empty() || message.back() != u')') return message;
  size_t i = at + 7;
  const size_t digits = i;
  while (i < message.size() && message[i] >= u'0' && message[i] <= u'9')
    ++i;
  if (i == digits) return message;
  const std::u16string_view rest = std::u16string_view(message).substr(i);
  if (rest != u")" && rest != u", end of input)") return message;
  message.erase(at);
  return message;
}

// "identifier 'x' undefined" reads as JScript's "'x' is undefined".
std::u16string asUndefinedName(std::u16string message) {
  constexpr std::u16string_view kPrefix = u"identifier '";
  constexpr std::u16string_view kSuffix = u"' undefined";
  const std::u16string_view view = message;
  if (view.size() > kPrefix.size() + kSuffix.size() && view.substr(0, kPrefix.size()) == kPrefix &&
      view.substr(view.size() - kSuffix.size()) == kSuffix) {
    const std::u16string_view name =
        view.substr(kPrefix.size(), view.size() - kPrefix.size() - kSuffix.size());
    return u"'" + std::u16string(name) + u"' is undefined";
  }
  return message;
}

duk_ret_t errorNumberGetter(duk_context* ctx) {
  duk_push_this(ctx);
  const duk_errcode_t code = duk_get_error_code(ctx, -1);
  if (code == DUK_ERR_NONE) return 0;
  duk_push_int(ctx, numberForCode(code));
  return 1;
}

duk_ret_t errorNumberSetter(duk_context* ctx) {
  duk_push_this(ctx);
  if (!duk_is_object(ctx, -1)) return 0;
  duk_push_string(ctx, "number");
  duk_dup(ctx, 0);
  duk_def_prop(ctx, -3,
               DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_SET_WRITABLE | DUK_DEFPROP_SET_CONFIGURABLE);
  return 0;
}

duk_ret_t errorDescriptionGetter(duk_context* ctx) {
  duk_push_this(ctx);
  duk_get_prop_string(ctx, -1, "message");
  return 1;
}

duk_ret_t errorDescriptionSetter(duk_context* ctx) {
  duk_push_this(ctx);
  duk_dup(ctx, 0);
  duk_put_prop_string(ctx, -2, "message");
  return 0;
}

void defineAccessor(duk_context* ctx, duk_idx_t object, const char* name, duk_c_function getter,
                    duk_c_function setter) {
  object = duk_normalize_index(ctx, object);
  duk_push_string(ctx, name);
  duk_push_c_function(ctx, getter, 0);
  duk_push_c_function(ctx, setter, 1);
  duk_def_prop(ctx, object,
               DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_HAVE_SETTER | DUK_DEFPROP_SET_CONFIGURABLE);
}

// Duktape.errCreate: sees every error object as it is made. A name that is not defined is
// worded as JScript words it ("'x' is undefined"), for the script's own `e.message` as much as
// for the error box.
duk_ret_t onCreate(duk_context* ctx) {
  if (duk_get_error_code(ctx, 0) == DUK_ERR_REFERENCE_ERROR) {
    duk_get_prop_string(ctx, 0, "message");
    if (duk_is_string(ctx, -1)) {
      const std::u16string message = safeString(ctx, -1);
      const std::u16string worded = asUndefinedName(message);
      if (worded != message) {
        const std::string text = toCesu8(worded);
        duk_push_lstring(ctx, text.data(), text.size());
        duk_put_prop_string(ctx, 0, "message");
      }
    }
    duk_pop(ctx);
  }
  duk_dup(ctx, 0);
  return 1;
}

// Duktape.errThrow: sees every value thrown. Error objects record their own line; for any
// other value, note the line that threw it.
duk_ret_t onThrow(duk_context* ctx) {
  if (!duk_is_error(ctx, 0)) {
    Runtime::ThrowSite site;
    duk_inspect_callstack_entry(ctx, -2);
    if (duk_is_object(ctx, -1)) {
      duk_get_prop_string(ctx, -1, "lineNumber");
      site.line = duk_get_int(ctx, -1);
      duk_pop(ctx);
      duk_get_prop_string(ctx, -1, "function");
      if (duk_is_object(ctx, -1)) {
        duk_get_prop_string(ctx, -1, "fileName");
        if (duk_is_string(ctx, -1)) site.fileName = duk_get_string(ctx, -1);
        duk_pop(ctx);
      }
      duk_pop(ctx);
    }
    duk_pop(ctx);
    duk_push_global_stash(ctx);
    duk_dup(ctx, 0);
    duk_put_prop_string(ctx, -2, kLastThrown);
    duk_pop(ctx);
    Runtime::of(ctx).lastThrow() = std::move(site);
  }
  duk_dup(ctx, 0);
  return 1;
}

void describeInto(duk_context* ctx, Runtime& runtime, bool compiling, ScriptErrorInfo& info,
                  std::string& fileName, bool& reported) {
  const duk_idx_t value = duk_get_top_index(ctx);
  const bool isError = duk_is_error(ctx, value);
  if (isError) info.number = numberForCode(duk_get_error_code(ctx, value));
  if (duk_is_object(ctx, value) && !isHostObject(ctx, value)) {
    reported = duk_get_prop_string(ctx, value, kReportedKey) && duk_to_boolean(ctx, -1);
    duk_pop(ctx);
    if (duk_get_prop_string(ctx, value, "number") && duk_is_number(ctx, -1)) {
      const double number = duk_get_number(ctx, -1);
      if (std::isfinite(number)) info.number = wrapToInt32(number);
    }
    duk_pop(ctx);
    if (duk_get_prop_string(ctx, value, kSourceKey) && duk_is_string(ctx, -1)) {
      info.source = stringAt(ctx, -1);
    }
    duk_pop(ctx);
  }
  if (isError) {
    duk_get_prop_string(ctx, value, "message");
    info.description = safeString(ctx, -1);
    duk_pop(ctx);
    if (compiling) info.description = withoutLineSuffix(std::move(info.description));
    if (info.number == kUncaughtExceptionNumber && info.description == u"alloc failed") {
      info.number = static_cast<int32_t>(ErrorCode::kOutOfMemoryVb);
      info.description = describe(ErrorCode::kOutOfMemoryVb);
    }
    duk_get_prop_string(ctx, value, "lineNumber");
    if (duk_is_number(ctx, -1)) info.line = duk_get_int(ctx, -1);
    duk_pop(ctx);
    duk_get_prop_string(ctx, value, "fileName");
    if (duk_is_string(ctx, -1) && !duk_is_symbol(ctx, -1)) fileName = duk_get_string(ctx, -1);
    duk_pop(ctx);
    return;
  }
  // Before the value's own conversion to text, which may throw in its turn.
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kLastThrown);
  if (duk_strict_equals(ctx, -1, value)) {
    info.line = runtime.lastThrow().line;
    fileName = runtime.lastThrow().fileName;
  }
  duk_pop_2(ctx);
  info.description = safeString(ctx, value);
}

}  // namespace

void installErrorSupport(duk_context* ctx) {
  duk_get_global_string(ctx, "Error");
  duk_get_prop_string(ctx, -1, "prototype");
  defineAccessor(ctx, -1, "number", errorNumberGetter, errorNumberSetter);
  defineAccessor(ctx, -1, "description", errorDescriptionGetter, errorDescriptionSetter);
  duk_pop_2(ctx);

  duk_get_global_string(ctx, "Duktape");
  duk_push_c_function(ctx, onThrow, 1);
  duk_put_prop_string(ctx, -2, "errThrow");
  duk_push_c_function(ctx, onCreate, 1);
  duk_put_prop_string(ctx, -2, "errCreate");
  duk_pop(ctx);
}

void throwHostError(duk_context* ctx, const Error& failure) {
  const Error error = asScriptError(failure);
  const std::string message = toCesu8(error.description());
  const std::string source = toCesu8(error.source());
  // No C file name: Duktape then blames the script line that called the host.
  duk_push_error_object_raw(ctx, DUK_ERR_ERROR, nullptr, 0, "%s", "");
  duk_push_lstring(ctx, message.data(), message.size());
  duk_put_prop_string(ctx, -2, "message");
  duk_push_string(ctx, "number");
  duk_push_int(ctx, error.number());
  duk_def_prop(ctx, -3,
               DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_SET_WRITABLE | DUK_DEFPROP_SET_CONFIGURABLE);
  if (!source.empty()) {
    duk_push_lstring(ctx, source.data(), source.size());
    duk_put_prop_string(ctx, -2, kSourceKey);
  }
  if (error.reported()) {
    duk_push_true(ctx);
    duk_put_prop_string(ctx, -2, kReportedKey);
  }
  duk_throw(ctx);
  __builtin_unreachable();  // duk_throw is not declared noreturn in C++ builds
}

void throwScriptError(duk_context* ctx, duk_errcode_t code, const char* message) {
  // No C file name: Duktape then blames the innermost script line, and e.fileName names the
  // script, never a file of ours.
  duk_error_raw(ctx, code, nullptr, 0, "%s", message);
  __builtin_unreachable();  // duk_error_raw is not declared noreturn in C++ builds
}

void stopIfAsked(duk_context* ctx) {
  if (Runtime::of(ctx).shouldStop())
    throwScriptError(ctx, DUK_ERR_RANGE_ERROR, "execution stopped");
}

ScriptErrorInfo describeThrown(Runtime& runtime, bool compiling, bool* reported) {
  ScriptErrorInfo info;
  info.number = kUncaughtExceptionNumber;
  info.source = compiling ? kCompilationErrorSource : kRuntimeErrorSource;
  std::string fileName;
  bool described = false;
  bool wasReported = false;
  if (reported) *reported = false;
  try {
    described = runtime.protect(
        [&](duk_context* ctx) {
          describeInto(ctx, runtime, compiling, info, fileName, wasReported);
        },
        1);
  } catch (const std::exception&) {
    // Whatever was gathered stands.
    return info;
  }
  if (!described) duk_pop(runtime.context());
  if (reported) *reported = wasReported;
  if (info.line > 0) {
    if (auto text = runtime.sourceLine(fileName, info.line)) info.text = std::move(*text);
  }
  return info;
}

void throwScriptFailure(Runtime& runtime, bool compiling) {
  ScriptFailure failure;
  if (runtime.shouldStop()) {
    duk_pop(runtime.context());
    failure.kind = ScriptFailure::Kind::kStopped;
    throw failure;
  }
  failure.info = describeThrown(runtime, compiling, &failure.reported);
  throw failure;
}

}  // namespace platform::jscript
