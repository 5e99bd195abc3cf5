#include "platform/script/jscript_bridge.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/cesu8.h"
#include "platform/script/duktape_access.h"
#include "platform/script/jscript_errors.h"
#include "platform/script/jscript_runtime.h"

namespace platform::jscript {

namespace {

constexpr const char* kHostKey = DUK_HIDDEN_SYMBOL("host");
constexpr const char* kTargetKey = DUK_HIDDEN_SYMBOL("target");
constexpr const char* kMemberKey = DUK_HIDDEN_SYMBOL("member");
constexpr const char* kHandlerKey = "hostHandler";
// Arrays in arrays deeper than this come through as undefined.
constexpr int kMaxArrayNesting = 64;

// --- Dates: an automation date counts local days from 30 December 1899 --------------------

constexpr int64_t kOleEpochDays = -25569;  // 1899-12-30 counted from 1970-01-01
constexpr double kMsPerDay = 86400000.0;

int64_t daysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void civilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

// Milliseconds since 1970 (UTC) of an automation date, read as local time.
double oleToEpochMs(double ole) {
  const double whole = std::trunc(ole);
  const auto msOfDay = static_cast<int64_t>(std::llround(std::fabs(ole - whole) * kMsPerDay));
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civilFromDays(static_cast<int64_t>(whole) + kOleEpochDays, year, month, day);
  std::tm local{};
  local.tm_year = static_cast<int>(year - 1900);
  local.tm_mon = static_cast<int>(month) - 1;
  local.tm_mday = static_cast<int>(day);
  local.tm_sec = static_cast<int>(msOfDay / 1000);
  local.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&local);
  return static_cast<double>(seconds) * 1000.0 + static_cast<double>(msOfDay % 1000);
}

double epochMsToOle(double ms) {
  const double seconds = std::floor(ms / 1000.0);
  const double msRest = ms - seconds * 1000.0;
  const auto time = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) gmtime_r(&time, &local);
  const int64_t days =
      daysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                    static_cast<unsigned>(local.tm_mday)) -
      kOleEpochDays;
  const double fraction =
      (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + msRest / 1000.0) / 86400.0;
  // Before the epoch the time still counts forwards: -1.25 is 29 December 1899, 06:00.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

// --- Calling the host ----------------------------------------------------------------------

bool needsArguments(const Error& error) {
  return error.number() == static_cast<int32_t>(ErrorCode::kBadParamCount) ||
         error.number() == static_cast<int32_t>(ErrorCode::kParamNotOptional);
}

HostRef* hostAt(duk_context* ctx, duk_idx_t index) {
  if (!duk_is_object(ctx, index)) return nullptr;
  duk_get_prop_string(ctx, index, kHostKey);
  void* pointer = duk_get_pointer(ctx, -1);
  duk_pop(ctx);
  return pointer ? Runtime::of(ctx).findHost(pointer) : nullptr;
}

// The member called `key`, as the script wrote it; looked up once per object and name.
std::optional<MemberId> lookUp(HostRef& host, std::string_view key) {
  auto it = host.members.find(std::string(key));
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
  if (host == nullptr) duk_error(ctx, DUK_ERR_TYPE_ERROR, "host object is gone");
  std::vector<Variant> args;
  args.reserve(static_cast<size_t>(argc));
  for (duk_idx_t i = 0; i < argc; ++i) args.push_back(toVariant(ctx, i));
  const ObjectPtr object = host->object;
  Variant result;
  if (auto failure = callHost([&] { result = object->invoke(id, kMethod, args); })) {
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
duk_ret_t hostGet(duk_context* ctx) {
  HostRef* host = hostAt(ctx, 0);
  if (host == nullptr || duk_is_symbol(ctx, 1)) return 0;
  const bool forCall = reachedFromCallSite(ctx);
  stopIfAsked(ctx);
  const std::string_view key = keyAt(ctx, 1);
  const ObjectPtr object = host->object;
  MemberId id = 0;
  bool known = false;
  bool asMethod = forCall;
  Variant value;
  auto failure = callHost([&] {
    const std::optional<MemberId> found = lookUp(*host, key);
    known = found.has_value();
    if (!known) return;
    id = *found;
    if (asMethod) return;
    try {
      value = object->invoke(id, kPropertyGet, {});
    } catch (const Error& error) {
      if (!needsArguments(error)) throw;
      asMethod = true;
    }
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
    if (!id) raise(ErrorCode::kNoSuchMember);
    object->invoke(*id, kind, args);
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

// --- Script values held by the host --------------------------------------------------------

Variant invokeKeptValue(Runtime& runtime, uint32_t ref, const std::optional<std::u16string>& name,
                        uint16_t kind, std::span<Variant> args) {
  Variant result;
  const std::string key = name ? toCesu8(*name) : std::string();
  const auto argc = static_cast<duk_idx_t>(args.size());
  const bool completed = runtime.protect([&](duk_context* ctx) {
    runtime.forgetPendingValues(ctx);
    duk_require_stack(ctx, argc + 4);
    runtime.pushKeptValue(ctx, ref);
    const duk_idx_t self = duk_get_top_index(ctx);
    if (kind & (kPropertyPut | kPropertyPutRef)) {
      if (!name) raise(ErrorCode::kMemberNotFound);
      if (args.empty()) raise(ErrorCode::kBadParamCount);
      pushVariant(ctx, args.back());
      duk_put_prop_lstring(ctx, self, key.data(), key.size());
      return;
    }
    if (!name) {
      // The value itself: called, or read as its text.
      duk_dup(ctx, self);
      if ((kind & kMethod) && duk_is_callable(ctx, self)) {
        for (const Variant& arg : args) pushVariant(ctx, arg);
        duk_call(ctx, argc);
        result = toVariant(ctx, -1);
      } else {
        duk_size_t length = 0;
        const char* text = duk_to_lstring(ctx, -1, &length);
        result = Variant(fromCesu8({text, length}));
      }
      return;
    }
    duk_get_prop_lstring(ctx, self, key.data(), key.size());
    if ((kind & kMethod) && duk_is_callable(ctx, -1)) {
      duk_dup(ctx, self);
      for (const Variant& arg : args) pushVariant(ctx, arg);
      duk_call_method(ctx, argc);
    } else if (!args.empty()) {
      raise(ErrorCode::kNoSuchMember);
    }
    result = toVariant(ctx, -1);
  });
  if (!completed) throwScriptFailure(runtime, false);
  return result;
}

// A script object or function as the host sees it. Its members are the script object's
// properties, by their exact names.
class ScriptValueObject final : public AutomationObject {
 public:
  ScriptValueObject(const std::shared_ptr<RuntimeLink>& link, uint32_t ref)
      : link_(link), ref_(ref) {}

  ~ScriptValueObject() override {
    if (auto link = link_.lock(); link && link->runtime) link->runtime->forgetValueLater(ref_);
  }

  std::u16string typeName() const override { return u"JScriptTypeInfo"; }

  std::optional<MemberId> memberId(std::u16string_view name) override {
    for (size_t i = 0; i < names_.size(); ++i) {
      if (names_[i] == name) return static_cast<MemberId>(i + 1);
    }
    names_.emplace_back(name);
    return static_cast<MemberId>(names_.size());
  }

  Variant invoke(MemberId id, uint16_t kind, std::span<Variant> args) override {
    std::shared_ptr<RuntimeLink> link = link_.lock();
    if (!link || !link->runtime) {
      raise(ErrorCode::kObjectRequired, u"The script that made this object has been reset");
    }
    std::optional<std::u16string> name;
    if (id != kDefaultMember) {
      if (id < 1 || static_cast<size_t>(id) > names_.size()) raise(ErrorCode::kMemberNotFound);
      name = names_[static_cast<size_t>(id) - 1];
    }
    Runtime* runtime = link->runtime;
    return runtime->site().enter(
        [&] { return invokeKeptValue(*runtime, ref_, name, kind, args); });
  }

  bool belongsTo(const Runtime& runtime) const {
    auto link = link_.lock();
    return link && link->runtime == &runtime;
  }
  uint32_t ref() const { return ref_; }

 private:
  std::weak_ptr<RuntimeLink> link_;
  uint32_t ref_;
  std::vector<std::u16string> names_;
};

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
    case VarType::kEmpty: duk_push_undefined(ctx); return;
    case VarType::kNull: duk_push_null(ctx); return;
    case VarType::kBoolean: duk_push_boolean(ctx, value.boolean()); return;
    case VarType::kInteger: duk_push_int(ctx, value.integer()); return;
    case VarType::kLong: duk_push_int(ctx, value.longValue()); return;
    case VarType::kByte: duk_push_uint(ctx, value.byte()); return;
    case VarType::kSingle: duk_push_number(ctx, value.single()); return;
    case VarType::kDouble: duk_push_number(ctx, value.dbl()); return;
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
    case VarType::kObject: pushHostObject(ctx, value.object()); return;
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
    default: duk_push_undefined(ctx); return;
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

void pushVariant(duk_context* ctx, const Variant& value) { pushValue(ctx, value, 0); }

Variant toVariant(duk_context* ctx, duk_idx_t index) {
  index = duk_normalize_index(ctx, index);
  switch (duk_get_type(ctx, index)) {
    case DUK_TYPE_NULL: return Variant::null();
    case DUK_TYPE_BOOLEAN: return Variant(duk_get_boolean(ctx, index) != 0);
    case DUK_TYPE_NUMBER: return numberVariant(duk_get_number(ctx, index));
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
    case DUK_TYPE_LIGHTFUNC: {
      Runtime& runtime = Runtime::of(ctx);
      const uint32_t ref = runtime.keepValue(ctx, index);
      return Variant(ObjectPtr(std::make_shared<ScriptValueObject>(runtime.link(), ref)));
    }
    default: return Variant();
  }
}

void pushHostObject(duk_context* ctx, const ObjectPtr& object) {
  if (!object) {
    duk_push_null(ctx);
    return;
  }
  Runtime& runtime = Runtime::of(ctx);
  if (auto* scriptValue = dynamic_cast<ScriptValueObject*>(object.get());
      scriptValue != nullptr && scriptValue->belongsTo(runtime)) {
    runtime.pushKeptValue(ctx, scriptValue->ref());
    return;
  }
  duk_require_stack(ctx, 4);
  duk_push_bare_object(ctx);
  duk_push_pointer(ctx, runtime.adoptHost(object));
  duk_put_prop_string(ctx, -2, kHostKey);
  duk_push_c_function(ctx, finalizeHost, 2);
  duk_set_finalizer(ctx, -2);
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kHandlerKey);
  duk_remove(ctx, -2);
  duk_push_proxy(ctx, 0);
}

}  // namespace platform::jscript
