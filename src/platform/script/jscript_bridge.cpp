#include "platform/script/jscript_bridge.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/script/cesu8.h"
#include "platform/script/duktape_access.h"
#include "platform/script/jscript_dates.h"
#include "platform/script/jscript_errors.h"
#include "platform/script/jscript_runtime.h"
#include "platform/script/jscript_script_object.h"

namespace platform::jscript {

namespace {

constexpr const char* kHostKey = DUK_HIDDEN_SYMBOL("host");
constexpr const char* kTargetKey = DUK_HIDDEN_SYMBOL("target");
constexpr const char* kMemberKey = DUK_HIDDEN_SYMBOL("member");
constexpr const char* kProxyKey = DUK_HIDDEN_SYMBOL("proxy");
constexpr const char* kHandlerKey = "hostHandler";
// Arrays in arrays deeper than this come through as undefined.
constexpr int kMaxArrayNesting = 64;

// --- Calling the host ----------------------------------------------------------------------

HostRef* hostAt(duk_context* ctx, duk_idx_t index) {
  if (!duk_is_object(ctx, index)) return nullptr;
  duk_get_prop_string(ctx, index, kHostKey);
  void* pointer = duk_get_pointer(ctx, -1);
  duk_pop(ctx);
  return pointer ? Runtime::of(ctx).findHost(pointer) : nullptr;
}

// The member called `key`, as the script wrote it; looked up once per object and name.
std::optional<MemberId> lookUp(HostRef& host, std::string_view key) {
  auto it = host.members.find(key);
  if (it != host.members.end()) return it->second;
  std::optional<MemberId> id = host.object->memberId(fromCesu8(key));
  host.members.emplace(std::string(key), id);
  return id;
}

std::string_view keyAt(duk_context* ctx, duk_idx_t index) {
  duk_size_t length = 0;
  const char* key = duk_to_lstring(ctx, index, &length);
  return {key, length};
}

// The index that a key such as "0" or "12" stands for (`list[0]`), for the default member.
std::optional<int32_t> indexKey(std::string_view key) {
  if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return std::nullopt;
  int64_t value = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

duk_ret_t finalizeHost(duk_context* ctx) {
  duk_get_prop_string(ctx, 0, kHostKey);
  void* pointer = duk_get_pointer(ctx, -1);
  duk_pop(ctx);
  if (pointer != nullptr) {
    Runtime& runtime = Runtime::of(ctx);
    if (HostRef* host = runtime.findHost(pointer)) runtime.releaseHost(host);
    duk_push_pointer(ctx, nullptr);
    duk_put_prop_string(ctx, 0, kHostKey);
  }
  return 0;
}

// A member called as a method: `obj.name(...)`.
duk_ret_t hostMethod(duk_context* ctx) {
  stopIfAsked(ctx);
  const duk_idx_t argc = duk_get_top(ctx);
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kTargetKey);
  HostRef* host = hostAt(ctx, -1);
  duk_get_prop_string(ctx, -2, kMemberKey);
  const MemberId id = duk_get_int(ctx, -1);
  duk_pop_3(ctx);
  if (host == nullptr) throwScriptError(ctx, DUK_ERR_TYPE_ERROR, "host object is gone");
  std::vector<Variant> args;
  args.reserve(static_cast<size_t>(argc));
  for (duk_idx_t i = 0; i < argc; ++i)
    args.push_back(toVariant(ctx, i));
  const ObjectPtr object = host->object;
  Variant result;
  if (auto failure = callHost([&] { result = object->invoke(id, kMethod, args); })) {
    throwHostError(ctx, *failure);
  }
  pushVariant(ctx, result);
  return 1;
}

// A collection called as a function: `list(0)` reads its default member. The callee is the
// Proxy's target, which carries the host object.
duk_ret_t hostCall(duk_context* ctx) {
  stopIfAsked(ctx);
  const duk_idx_t argc = duk_get_top(ctx);
  duk_push_current_function(ctx);
  HostRef* host = hostAt(ctx, -1);
  duk_pop(ctx);
  if (host == nullptr) throwScriptError(ctx, DUK_ERR_TYPE_ERROR, "host object is gone");
  std::vector<Variant> args;
  args.reserve(static_cast<size_t>(argc));
  for (duk_idx_t i = 0; i < argc; ++i)
    args.push_back(toVariant(ctx, i));
  const ObjectPtr object = host->object;
  Variant result;
  if (auto failure = callHost(
          [&] { result = object->invoke(kDefaultMember, kMethod | kPropertyGet, args); })) {
    throwHostError(ctx, *failure);
  }
  pushVariant(ctx, result);
  return 1;
}

// Pushes the function that calls member `id` of the host object whose Proxy target is at
// `target`; made once per target and member.
void pushMethod(duk_context* ctx, duk_idx_t target, MemberId id) {
  target = duk_normalize_index(ctx, target);
  char key[24];
  std::snprintf(key, sizeof key, "%sm%d", DUK_HIDDEN_SYMBOL(""), static_cast<int>(id));
  if (duk_get_prop_string(ctx, target, key) && duk_is_function(ctx, -1)) return;
  duk_pop(ctx);
  duk_push_c_function(ctx, hostMethod, DUK_VARARGS);
  duk_dup(ctx, target);
  duk_put_prop_string(ctx, -2, kTargetKey);
  duk_push_int(ctx, id);
  duk_put_prop_string(ctx, -2, kMemberKey);
  duk_dup_top(ctx);
  duk_put_prop_string(ctx, target, key);
}

// toString and valueOf of a host object that has no such members: its default value, or
// "[object TypeName]".
duk_ret_t hostToString(duk_context* ctx) {
  duk_push_this(ctx);
  HostRef* host = hostAt(ctx, -1);
  if (host == nullptr) {
    duk_push_string(ctx, "[object Object]");
    return 1;
  }
  const ObjectPtr object = host->object;
  Variant value;
  std::u16string typeName;
  auto failure = callHost([&] {
    typeName = object->typeName();
    value = object->invoke(kDefaultMember, kPropertyGet, {});
  });
  if (failure || value.isObject()) value = Variant(u"[object " + typeName + u"]");
  pushVariant(ctx, value);
  return 1;
}

// get (target, key, receiver)
// Names the language reads of any object when converting it to text or JSON.
bool isLanguageHook(std::string_view key) {
  return key == "toString" || key == "valueOf" || key == "toJSON";
}

duk_ret_t hostGet(duk_context* ctx) {
  HostRef* host = hostAt(ctx, 0);
  if (host == nullptr || duk_is_symbol(ctx, 1)) return 0;
  const bool forCall = reachedFromCallSite(ctx);
  stopIfAsked(ctx);
  const std::string_view key = keyAt(ctx, 1);
  const ObjectPtr object = host->object;
  MemberId id = 0;
  bool known = false;
  bool asMethod = false;
  Variant value;
  auto failure = callHost([&] {
    const std::optional<MemberId> found = lookUp(*host, key);
    if (!found) {
      // `list[0]`: the default member with the index, when the object has one.
      const std::optional<int32_t> index = indexKey(key);
      if (index && !object->readsWithoutArguments(kDefaultMember)) {
        std::vector<Variant> args{Variant(*index)};
        value = object->invoke(kDefaultMember, kMethod | kPropertyGet, args);
        known = true;
        return;
      }
      // A name the object does not have is an error, as on Windows, so a misspelt member
      // (`node.txt`) is not silently undefined; only the names JavaScript itself asks any
      // object for are answered as absent.
      if (!isLanguageHook(key)) raise(ErrorCode::kNoSuchMember);
      return;
    }
    known = true;
    id = *found;
    // A member that cannot be read without arguments is handed out to be called; a property
    // read that fails is the script's error.
    asMethod = forCall || !object->readsWithoutArguments(id);
    if (!asMethod) value = object->invoke(id, kPropertyGet, {});
  });
  if (failure) throwHostError(ctx, *failure);
  if (!known) {
    if (key != "toString" && key != "valueOf") return 0;
    duk_push_c_function(ctx, hostToString, 0);
    return 1;
  }
  if (asMethod) {
    pushMethod(ctx, 0, id);
  } else {
    pushVariant(ctx, value);
  }
  return 1;
}

// set (target, key, value, receiver)
duk_ret_t hostSet(duk_context* ctx) {
  HostRef* host = hostAt(ctx, 0);
  if (host == nullptr || duk_is_symbol(ctx, 1)) {
    duk_push_false(ctx);
    return 1;
  }
  stopIfAsked(ctx);
  const std::string_view key = keyAt(ctx, 1);
  std::vector<Variant> args{toVariant(ctx, 2)};
  const uint16_t kind = args.front().isObject() ? kPropertyPutRef : kPropertyPut;
  const ObjectPtr object = host->object;
  auto failure = callHost([&] {
    std::optional<MemberId> id = lookUp(*host, key);
    if (id) {
      object->invoke(*id, kind, args);
      return;
    }
    const std::optional<int32_t> index = indexKey(key);
    if (!index || object->readsWithoutArguments(kDefaultMember)) raise(ErrorCode::kNoSuchMember);
    args.insert(args.begin(), Variant(*index));
    object->invoke(kDefaultMember, kind, args);
  });
  if (failure) throwHostError(ctx, *failure);
  duk_push_true(ctx);
  return 1;
}

// has (target, key)
duk_ret_t hostHas(duk_context* ctx) {
  HostRef* host = hostAt(ctx, 0);
  if (host == nullptr || duk_is_symbol(ctx, 1)) {
    duk_push_false(ctx);
    return 1;
  }
  const std::string_view key = keyAt(ctx, 1);
  std::optional<MemberId> id;
  if (auto failure = callHost([&] { id = lookUp(*host, key); })) throwHostError(ctx, *failure);
  duk_push_boolean(ctx, id.has_value());
  return 1;
}

// --- Values ----------------------------------------------------------------------------------

Variant numberVariant(double number) {
  if (std::isfinite(number) && number == std::trunc(number) && number >= -2147483648.0 &&
      number <= 2147483647.0 && !(number == 0 && std::signbit(number))) {
    return Variant(static_cast<int32_t>(number));
  }
  return Variant(number);
}

void pushValue(duk_context* ctx, const Variant& value, int nesting) {
  switch (value.type()) {
    case VarType::kEmpty:
      duk_push_undefined(ctx);
      return;
    case VarType::kNull:
      duk_push_null(ctx);
      return;
    case VarType::kBoolean:
      duk_push_boolean(ctx, value.boolean());
      return;
    case VarType::kInteger:
      duk_push_int(ctx, value.integer());
      return;
    case VarType::kLong:
      duk_push_int(ctx, value.longValue());
      return;
    case VarType::kByte:
      duk_push_uint(ctx, value.byte());
      return;
    case VarType::kSingle:
      duk_push_number(ctx, value.single());
      return;
    case VarType::kDouble:
      duk_push_number(ctx, value.dbl());
      return;
    case VarType::kCurrency:
      duk_push_number(ctx, static_cast<double>(value.currency().scaled) / 10000.0);
      return;
    case VarType::kDate:
      duk_get_global_string(ctx, "Date");
      duk_push_number(ctx, oleToEpochMs(value.date().days));
      duk_new(ctx, 1);
      return;
    case VarType::kString: {
      const std::string text = toCesu8(value.string());
      duk_push_lstring(ctx, text.data(), text.size());
      return;
    }
    case VarType::kObject:
      pushHostObject(ctx, value.object());
      return;
    case VarType::kError:
      if (value.isMissing()) {
        duk_push_undefined(ctx);
      } else {
        duk_push_int(ctx, value.error().scode);
      }
      return;
    case VarType::kArray: {
      if (!value.array() || nesting >= kMaxArrayNesting) {
        duk_push_undefined(ctx);
        return;
      }
      duk_require_stack(ctx, 4);
      duk_push_array(ctx);
      duk_uarridx_t index = 0;
      for (const Variant& element : value.array()->elements) {
        pushValue(ctx, element, nesting + 1);
        duk_put_prop_index(ctx, -2, index++);
      }
      return;
    }
    default:
      duk_push_undefined(ctx);
      return;
  }
}

}  // namespace

void installHostHandler(duk_context* ctx) {
  duk_push_global_stash(ctx);
  duk_push_bare_object(ctx);
  duk_push_c_function(ctx, hostGet, 3);
  duk_put_prop_string(ctx, -2, "get");
  duk_push_c_function(ctx, hostSet, 4);
  duk_put_prop_string(ctx, -2, "set");
  duk_push_c_function(ctx, hostHas, 2);
  duk_put_prop_string(ctx, -2, "has");
  duk_put_prop_string(ctx, -2, kHandlerKey);
  duk_pop(ctx);
}

void pushVariant(duk_context* ctx, const Variant& value) {
  pushValue(ctx, value, 0);
}

Variant toVariant(duk_context* ctx, duk_idx_t index) {
  index = duk_normalize_index(ctx, index);
  switch (duk_get_type(ctx, index)) {
    case DUK_TYPE_NULL:
      return Variant::null();
    case DUK_TYPE_BOOLEAN:
      return Variant(duk_get_boolean(ctx, index) != 0);
    case DUK_TYPE_NUMBER:
      return numberVariant(duk_get_number(ctx, index));
    case DUK_TYPE_STRING: {
      if (duk_is_symbol(ctx, index)) return Variant();
      duk_size_t length = 0;
      const char* text = duk_get_lstring(ctx, index, &length);
      return Variant(fromCesu8({text, length}));
    }
    case DUK_TYPE_OBJECT:
      if (HostRef* host = hostAt(ctx, index)) return Variant(host->object);
      if (isDateObject(ctx, index)) {
        duk_dup(ctx, index);
        const double ms = duk_to_number(ctx, -1);
        duk_pop(ctx);
        if (std::isnan(ms)) return Variant::null();
        return Variant(Date{epochMsToOle(ms)});
      }
      [[fallthrough]];
    case DUK_TYPE_BUFFER:
    case DUK_TYPE_LIGHTFUNC:
      return Variant(wrapScriptValue(ctx, index));
    default:
      return Variant();
  }
}

bool isHostObject(duk_context* ctx, duk_idx_t index) {
  return hostAt(ctx, index) != nullptr;
}

void pushHostObject(duk_context* ctx, const ObjectPtr& object) {
  if (!object) {
    duk_push_null(ctx);
    return;
  }
  if (pushScriptValue(ctx, object)) return;
  Runtime& runtime = Runtime::of(ctx);
  duk_require_stack(ctx, 4);
  // An object the script already holds comes back as the same value, so `a === b` holds for
  // one object reached two ways. The target keeps the Proxy and lives until its finalizer
  // has run; pushing it meanwhile takes it back from finalization.
  if (HostRef* known = runtime.hostOf(object.get())) {
    duk_push_heapptr(ctx, known->target);
    duk_get_prop_string(ctx, -1, kProxyKey);
    duk_remove(ctx, -2);
    return;
  }
  // An object whose default member takes arguments (a collection's item) can be called; the
  // others are plain objects, as `typeof` tells.
  if (object->readsWithoutArguments(kDefaultMember)) {
    duk_push_bare_object(ctx);
  } else {
    duk_push_c_function(ctx, hostCall, DUK_VARARGS);
  }
  HostRef* ref = runtime.adoptHost(object);
  ref->target = duk_get_heapptr(ctx, -1);
  duk_push_pointer(ctx, ref);
  duk_put_prop_string(ctx, -2, kHostKey);
  duk_push_c_function(ctx, finalizeHost, 2);
  duk_set_finalizer(ctx, -2);
  duk_dup_top(ctx);
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kHandlerKey);
  duk_remove(ctx, -2);
  duk_push_proxy(ctx, 0);
  // [target proxy]: the target holds the Proxy.
  duk_dup_top(ctx);
  duk_put_prop_string(ctx, -3, kProxyKey);
  duk_remove(ctx, -2);
}

}  // namespace platform::jscript
