// DispatchObject: a base for host objects whose members are a fixed table of properties and
// methods. Each member is declared once with its name, its accessors or its body, and the
// number of arguments it takes; lookup, argument-count checks and the get/put/call split
// are done here, once, for every such object.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/automation/automation_object.h"

namespace platform {

class DispatchObject : public AutomationObject {
 public:
  std::optional<MemberId> memberId(std::u16string_view name) override;
  Variant invoke(MemberId id, uint16_t kind, std::span<Variant> args) override;

 protected:
  using Getter = std::function<Variant(std::span<Variant> index)>;
  using Setter = std::function<void(std::span<Variant> index, const Variant& value)>;
  using Body = std::function<Variant(std::span<Variant> args)>;

  // A property: `get` answers reads; `put` takes assignments (Let), `putRef` takes Set
  // assignments of objects. Absent accessors make the property read- or write-only.
  void defineProperty(std::u16string name, Getter get, Setter put = {}, Setter putRef = {});
  // A method taking `minArgs` to `maxArgs` arguments; left-out optional arguments arrive as
  // Variant::missing(). It also answers a property get, so `x.m` calls m with no arguments.
  void defineMethod(std::u16string name, Body body, size_t minArgs, size_t maxArgs);
  // Makes member `name` the default member (id 0) as well.
  void setDefaultMember(std::u16string_view name);

 private:
  struct Member {
    std::u16string name;
    Getter get;
    Setter put;
    Setter putRef;
    Body call;
    size_t minArgs = 0;
    size_t maxArgs = 0;
  };
  const Member& member(MemberId id) const;

  std::vector<Member> members_;  // member id = index + 1
  MemberId defaultMember_ = -1;
};

}  // namespace platform
