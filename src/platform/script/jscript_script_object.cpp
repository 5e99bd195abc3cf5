#include "platform/script/jscript_script_object.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/script/cesu8.h"
#include "platform/script/jscript_bridge.h"
#include "platform/script/jscript_errors.h"
#include "platform/script/jscript_runtime.h"

namespace platform::jscript {

namespace {

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
        for (const Variant& arg : args)
          pushVariant(ctx, arg);
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
      for (const Variant& arg : args)
        pushVariant(ctx, arg);
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
    return runtime->site().enter([&] { return invokeKeptValue(*runtime, ref_, name, kind, args); });
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

}  // namespace

ObjectPtr wrapScriptValue(duk_context* ctx, duk_idx_t index) {
  Runtime& runtime = Runtime::of(ctx);
  const uint32_t ref = runtime.keepValue(ctx, index);
  return std::make_shared<ScriptValueObject>(runtime.link(), ref);
}

bool pushScriptValue(duk_context* ctx, const ObjectPtr& object) {
  Runtime& runtime = Runtime::of(ctx);
  auto* value = dynamic_cast<ScriptValueObject*>(object.get());
  if (value == nullptr || !value->belongsTo(runtime)) return false;
  runtime.pushKeptValue(ctx, value->ref());
  return true;
}

}  // namespace platform::jscript
