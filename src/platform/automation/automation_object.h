// AutomationObject: the one interface, shaped like IDispatch, through which both script
// languages reach host objects. Members are looked up by name without regard to case,
// giving a member id that callers may cache; the id is then invoked as a property get,
// property put, property put-by-reference or method call.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/automation/variant.h"

namespace platform {

using MemberId = int32_t;
inline constexpr MemberId kDefaultMember = 0;   // DISPID_VALUE
inline constexpr MemberId kNewEnumMember = -4;  // DISPID_NEWENUM

// The DISPATCH_* flags. A script's `obj.x` without parentheses asks for kMethod | kPropertyGet.
enum InvokeKind : uint16_t {
  kMethod = 1,
  kPropertyGet = 2,
  kPropertyPut = 4,
  kPropertyPutRef = 8,
};

// Steps through the items of a collection for For Each.
class Enumerator {
 public:
  virtual ~Enumerator() = default;
  // The next item, or nullopt at the end.
  virtual std::optional<Variant> next() = 0;
};

class AutomationObject : public std::enable_shared_from_this<AutomationObject> {
 public:
  virtual ~AutomationObject() = default;

  // The class name that TypeName() reports.
  virtual std::u16string typeName() const = 0;

  // The id of the member called `name` (any letter case), or nullopt when there is none.
  virtual std::optional<MemberId> memberId(std::u16string_view name) = 0;

  // Invokes member `id`. `args` are in call order (first argument first); for a put the
  // new value is the last element. Arguments may be written to (by-reference parameters).
  // Raises platform::Error on failure: kMemberNotFound, kBadParamCount, kTypeMismatch, or
  // the member's own error.
  virtual Variant invoke(MemberId id, uint16_t kind, std::span<Variant> args) = 0;

  // Whether member `id` can be read with no arguments: a property without index, or a method
  // that needs none. For the others a script engine that reads `obj.member` hands out
  // something to call rather than reading it. Objects that cannot tell answer true.
  virtual bool readsWithoutArguments(MemberId) { return true; }

  // An enumerator over the object's items, or nullptr when the object is no collection.
  virtual std::unique_ptr<Enumerator> enumerate() { return nullptr; }
};

// Looks `name` up and invokes it in one go; raises kUnknownName when there is no such member.
Variant invokeByName(AutomationObject& object, std::u16string_view name, uint16_t kind,
                     std::span<Variant> args);

}  // namespace platform
