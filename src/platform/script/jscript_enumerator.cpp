#include "platform/script/jscript_enumerator.h"

#include <memory>
#include <optional>

#include "platform/automation/dispatch_object.h"
#include "platform/base/error.h"
#include "platform/script/jscript_bridge.h"
#include "platform/script/jscript_errors.h"

namespace platform::jscript {

namespace {

// The cursor is itself a host object, so the script reaches it as it reaches any other.
class EnumeratorObject final : public DispatchObject {
 public:
  explicit EnumeratorObject(ObjectPtr collection)
      : DispatchObject(members()), collection_(std::move(collection)) {
    moveFirst();
  }

  std::u16string typeName() const override { return u"Enumerator"; }

 private:
  void moveFirst() {
    cursor_ = collection_->enumerate();
    if (!cursor_) raise(ErrorCode::kNoSuchMember, u"Object not a collection");
    current_ = cursor_->next();
  }

  static const MemberTable& members() {
    static const auto table =
        Members<EnumeratorObject>()
            .method(u"atEnd", 0, 0,
                    [](EnumeratorObject& e, auto) { return Variant(!e.current_.has_value()); })
            .method(u"moveNext", 0, 0,
                    [](EnumeratorObject& e, auto) {
                      if (e.current_) e.current_ = e.cursor_->next();
                      return Variant();
                    })
            .method(u"item", 0, 0,
                    [](EnumeratorObject& e, auto) { return e.current_.value_or(Variant()); })
            .method(u"moveFirst", 0, 0, [](EnumeratorObject& e, auto) {
              e.moveFirst();
              return Variant();
            });
    return table;
  }

  ObjectPtr collection_;
  std::unique_ptr<Enumerator> cursor_;
  std::optional<Variant> current_;
};

duk_ret_t constructEnumerator(duk_context* ctx) {
  const Variant collection = toVariant(ctx, 0);
  ObjectPtr cursor;
  auto failure = callHost([&] {
    if (!collection.isObject() || !collection.object()) {
      raise(ErrorCode::kNoSuchMember, u"Object not a collection");
    }
    cursor = std::make_shared<EnumeratorObject>(collection.object());
  });
  if (failure) throwHostError(ctx, *failure);
  pushHostObject(ctx, cursor);
  return 1;
}

}  // namespace

void installEnumerator(duk_context* ctx) {
  duk_push_c_function(ctx, constructEnumerator, 1);
  duk_put_global_string(ctx, "Enumerator");
}

}  // namespace platform::jscript
