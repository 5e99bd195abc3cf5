// DispatchObject: a base for host objects whose members are a fixed table of properties and
// methods. A class declares its members once, in a MemberTable shared by all its instances
// (the DOM makes thousands of node objects; none of them builds a table of its own). Lookup,
// argument-count checks, the get/put/call split and automation's collection shortcut are done
// here, once, for every such object.
//
//   class Counter : public DispatchObject {
//    public:
//     Counter() : DispatchObject(members()) {}
//    private:
//     static const MemberTable& members() {
//       static const auto table = Members<Counter>()
//           .property(u"Value", [](Counter& c) { return Variant(c.value_); },
//                     [](Counter& c, const Variant& v) { c.value_ = toInt32(v); })
//           .method(u"Add", 1, 2, [](Counter& c, std::span<Variant> args) { ... })
//           .defaultMember(u"Value");
//       return table;
//     }
//   };
//
// The collection shortcut: a property that takes no index, read with arguments, hands them to
// the default member of the object it gives (`node.childNodes(0)` reads item 0 of the list).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/automation_object.h"

namespace platform {

class DispatchObject;

// The members of one class of host objects, by member id (index + 1).
class MemberTable {
 public:
  using Getter = std::function<Variant(DispatchObject& self, std::span<Variant> index)>;
  using Setter =
      std::function<void(DispatchObject& self, std::span<Variant> index, const Variant& value)>;
  using Body = std::function<Variant(DispatchObject& self, std::span<Variant> args)>;

  struct Member {
    std::u16string name;
    Getter get;          // property read
    Setter let;          // property assignment (Let)
    Setter set;          // object assignment (Set)
    Body call;           // method
    size_t minArgs = 0;  // a method's arguments; a property's index arguments (min == max)
    size_t maxArgs = 0;
    bool isMethod() const { return static_cast<bool>(call); }
  };

  // The id of `name` (any letter case), or nullopt.
  std::optional<MemberId> find(std::u16string_view name) const;
  // Member `id`, kDefaultMember resolved; nullptr when there is none.
  const Member* at(MemberId id) const;

 protected:
  void add(Member member) { members_.push_back(std::move(member)); }
  void setDefault(std::u16string_view name);

 private:
  std::vector<Member> members_;
  MemberId default_ = -1;
};

// Declares the members of `Object` with accessors that take the object itself.
template <class Object>
class Members : public MemberTable {
 public:
  using Get = std::function<Variant(Object&)>;
  using Put = std::function<void(Object&, const Variant& value)>;
  using IndexedGet = std::function<Variant(Object&, std::span<Variant> index)>;
  using IndexedPut = std::function<void(Object&, std::span<Variant> index, const Variant& value)>;
  using Call = std::function<Variant(Object&, std::span<Variant> args)>;

  // A property without index. `let` takes assignments, `set` Set assignments of objects;
  // absent accessors make it read- or write-only (a Set falls back to `let`, and back).
  Members&& property(std::u16string name, Get get, Put let = {}, Put set = {}) && {
    Member m{std::move(name), {}, {}, {}, {}, 0, 0};
    if (get) m.get = [get](DispatchObject& self, std::span<Variant>) { return get(cast(self)); };
    if (let)
      m.let = [let](DispatchObject& self, std::span<Variant>, const Variant& v) {
        let(cast(self), v);
      };
    if (set)
      m.set = [set](DispatchObject& self, std::span<Variant>, const Variant& v) {
        set(cast(self), v);
      };
    add(std::move(m));
    return std::move(*this);
  }

  // A property that takes exactly `indexCount` index arguments (`dict.Item(key)`).
  Members&& indexedProperty(std::u16string name, size_t indexCount, IndexedGet get,
                            IndexedPut let = {}, IndexedPut set = {}) && {
    Member m{std::move(name), {}, {}, {}, {}, indexCount, indexCount};
    if (get)
      m.get = [get](DispatchObject& self, std::span<Variant> index) {
        return get(cast(self), index);
      };
    if (let)
      m.let = [let](DispatchObject& self, std::span<Variant> index, const Variant& v) {
        let(cast(self), index, v);
      };
    if (set)
      m.set = [set](DispatchObject& self, std::span<Variant> index, const Variant& v) {
        set(cast(self), index, v);
      };
    add(std::move(m));
    return std::move(*this);
  }

  // A method taking `minArgs` to `maxArgs` arguments; left-out optional arguments arrive as
  // Variant::missing(). It also answers a property get, so `x.m` calls m with no arguments.
  // Arguments written by the body go back to the caller (by-reference parameters).
  Members&& method(std::u16string name, size_t minArgs, size_t maxArgs, Call body) && {
    add(Member{
        std::move(name),
        {},
        {},
        {},
        [body](DispatchObject& self, std::span<Variant> args) { return body(cast(self), args); },
        minArgs,
        maxArgs});
    return std::move(*this);
  }

  // Makes member `name`, declared before, the default member (id 0) as well.
  Members&& defaultMember(std::u16string_view name) && {
    setDefault(name);
    return std::move(*this);
  }

 private:
  static Object& cast(DispatchObject& self) { return static_cast<Object&>(self); }
};

class DispatchObject : public AutomationObject {
 public:
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  std::optional<MemberId> memberId(std::u16string_view name) override;
  Variant invoke(MemberId id, uint16_t kind, std::span<Variant> args) override;
  bool readsWithoutArguments(MemberId id) override;

 protected:
  // `members` must outlive the object (a function-local static of the class).
  explicit DispatchObject(const MemberTable& members) : members_(members) {}

 private:
  Variant call(const MemberTable::Member& m, std::span<Variant> args);
  const MemberTable& members_;
};

}  // namespace platform
