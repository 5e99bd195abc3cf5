// Calls: of script procedures (binding arguments by value and by reference), of members of
// class instances and host objects, and of built-ins.
#include <array>

#include "platform/automation/automation_object.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "vbscript/arrays.h"
#include "vbscript/interpreter.h"
#include "vbscript/native_stack.h"
#include "vbscript/operators.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::raise;
using platform::Variant;

// Calls with this many arguments or fewer keep them on the native stack.
constexpr size_t kInlineArguments = 8;

[[noreturn]] void raiseNamed(ErrorCode code, std::u16string_view name) {
  raise(code, std::u16string(platform::describe(code)) + u": '" + std::u16string(name) + u"'");
}

// Arguments for a host object or a built-in, on the native stack when few.
class VariantArgs {
 public:
  explicit VariantArgs(size_t count) : count_(count) {
    if (count > kInlineArguments) heap_.resize(count);
  }
  Variant& operator[](size_t i) { return data()[i]; }
  std::span<Variant> span() { return {data(), count_}; }

 private:
  Variant* data() { return count_ > kInlineArguments ? heap_.data() : inline_.data(); }
  size_t count_;
  std::array<Variant, kInlineArguments> inline_;
  std::vector<Variant> heap_;
};

// Whether host code handed back the value it was given for a by-reference argument.
bool unchanged(const Value& before, const Variant& after) {
  switch (before.type()) {
    case Type::kString:
      return after.isString() && after.string() == before.asString();
    case Type::kArray:
      return false;
    default:
      return sameValue(before, fromVariant(after));
  }
}

void storeField(Interpreter& vm, Value& field, Value value, bool isSet) {
  if (isSet) {
    if (!value.isObject()) raise(ErrorCode::kObjectRequired);
    field = std::move(value);
  } else {
    field = value.isObject() ? vm.letValue(value) : std::move(value);
  }
}

}  // namespace

// --- Script procedures ---------------------------------------------------------------------

Value Interpreter::execute(const Procedure& procedure, ObjectRep* me, Value* slots, Frame* outer) {
  tick();
  if (stackExhausted(stackLimit_)) raise(ErrorCode::kOutOfStackSpace);
  for (const Procedure::FixedArray& fixed : procedure.fixedArrays)
    slots[fixed.slot] = makeArray(boundsOf(fixed.upperBounds));
  Frame frame{*this, slots, &procedure, me, outer};
  procedure.body.exec(frame);
  if (procedure.resultSlot == kNoSlot) return {};
  return std::move(slots[procedure.resultSlot]);
}

Value Interpreter::call(const Procedure& procedure, ObjectRep* me, std::span<Value> args) {
  if (args.size() != procedure.parameterCount())
    raiseNamed(ErrorCode::kWrongArgumentCount, procedure.name);
  FrameSlots slots(stack_, procedure.frameSize);
  for (size_t i = 0; i < args.size(); ++i) {
    if (procedure.byRef[i]) {
      slots[i] = Value::reference(&args[i]);
    } else {
      slots[i] = args[i];
    }
  }
  return execute(procedure, me, slots.data());
}

Value Interpreter::call(Frame& caller, const Procedure& procedure, ObjectRep* me,
                        std::span<const ExprPtr> args) {
  return bind(caller, procedure, me, args, nullptr);
}

Value Interpreter::call(Frame& caller, const Procedure& procedure, ObjectRep* me,
                        std::span<const ExprPtr> args, Value last) {
  return bind(caller, procedure, me, args, &last);
}

Value Interpreter::bind(Frame& caller, const Procedure& procedure, ObjectRep* me,
                        std::span<const ExprPtr> args, const Value* last) {
  const size_t count = args.size() + (last ? 1 : 0);
  if (count != procedure.parameterCount())
    raiseNamed(ErrorCode::kWrongArgumentCount, procedure.name);
  FrameSlots slots(stack_, procedure.frameSize);
  // Array elements passed by reference go in by copy and come back out after the call.
  struct CopyBack {
    Place place;
    uint32_t temporary;
  };
  std::vector<CopyBack> copyBacks;
  for (size_t i = 0; i < args.size(); ++i) {
    const ExprPtr& arg = args[i];
    if (!procedure.byRef[i]) {
      slots[i] = arg ? arg->eval(caller) : Value::missing();
      continue;
    }
    const uint32_t temporary = procedure.temporary(i);
    Place place;
    if (arg && arg->place(caller, place)) {
      if (!place.isElement) {
        slots[i] = Value::reference(place.slot);
        continue;
      }
      slots[temporary] = place.slot->arrayRep()->elements[place.element];
      copyBacks.push_back({place, temporary});
    } else {
      slots[temporary] = arg ? arg->eval(caller) : Value::missing();
    }
    slots[i] = Value::reference(&slots[temporary]);
  }
  if (last) {
    const size_t i = args.size();
    if (procedure.byRef[i]) {
      slots[procedure.temporary(i)] = *last;
      slots[i] = Value::reference(&slots[procedure.temporary(i)]);
    } else {
      slots[i] = *last;
    }
  }
  Value result = execute(procedure, me, slots.data());
  for (CopyBack& copyBack : copyBacks) {
    Value& array = *copyBack.place.slot;
    if (array.isArray() && copyBack.place.element < array.arrayRep()->elements.size())
      array.ownArray().elements[copyBack.place.element] = std::move(slots[copyBack.temporary]);
  }
  return result;
}

// --- Objects -------------------------------------------------------------------------------

Value Interpreter::letValue(const Value& value) {
  Value current = value;
  // A default member may give an object again; a few rounds, then it is no value.
  for (int round = 0; round < 8 && current.isObject(); ++round) {
    ObjectRep* rep = current.objectRep();
    if (rep == nullptr) raise(ErrorCode::kObjectVariableNotSet);
    if (ours(rep)) {
      const ClassInfo& cls = rep->instance->cls();
      if (cls.defaultMember < 0) raise(ErrorCode::kNoSuchMember);
      const ClassInfo::Member& member = cls.members[static_cast<size_t>(cls.defaultMember)];
      if (member.field >= 0) {
        current = Value(rep->instance->fields[static_cast<size_t>(member.field)]);
        continue;
      }
      const Procedure* reader = member.get ? member.get : member.sub;
      if (reader == nullptr) raise(ErrorCode::kNoSuchMember);
      current = call(*reader, rep, {});
    } else if (rep->procedure != nullptr) {
      current = call(*rep->procedure->procedure(), nullptr, {});
    } else {
      tick(16);
      current =
          fromVariant(rep->object->invoke(platform::kDefaultMember, platform::kPropertyGet, {}));
    }
  }
  if (current.isObject()) raise(ErrorCode::kNoSuchMember);
  return current;
}

Value Interpreter::member(Frame& caller, const Value& object, std::u16string_view name,
                          MemberCache& cache, std::span<const ExprPtr> args, bool asStatement) {
  if (!object.isObject() || object.objectRep() == nullptr) raise(ErrorCode::kObjectRequired);
  ObjectRep* rep = object.objectRep();
  if (ours(rep)) {
    const ClassInfo& cls = rep->instance->cls();
    if (cache.cls != &cls) {
      cache.cls = &cls;
      cache.member = cls.find(platform::toLower(name));
    }
    const ClassInfo::Member* found = cache.member;
    const bool inside = caller.me != nullptr && caller.me->instance != nullptr &&
                        &caller.me->instance->cls() == &cls;
    if (found == nullptr || (!found->isPublic && !inside))
      raiseNamed(ErrorCode::kNoSuchMember, name);
    return instanceMember(caller, rep, *found, args, asStatement);
  }
  if (rep->procedure != nullptr) raiseNamed(ErrorCode::kNoSuchMember, name);
  const platform::ObjectPtr& target = rep->object;
  if (!cache.found || cache.object.owner_before(target) || target.owner_before(cache.object)) {
    const std::optional<platform::MemberId> id = target->memberId(name);
    if (!id) raiseNamed(ErrorCode::kNoSuchMember, name);
    cache.object = target;
    cache.id = *id;
    cache.found = true;
  }
  const uint16_t kind =
      asStatement ? platform::kMethod : (platform::kMethod | platform::kPropertyGet);
  return invokeHost(caller, target, cache.id, kind, args, nullptr);
}

void Interpreter::assignMember(Frame& caller, const Value& object, std::u16string_view name,
                               MemberCache& cache, std::span<const ExprPtr> args, Value value,
                               bool isSet) {
  if (!object.isObject() || object.objectRep() == nullptr) raise(ErrorCode::kObjectRequired);
  if (isSet && !value.isObject()) raise(ErrorCode::kObjectRequired);
  ObjectRep* rep = object.objectRep();
  if (ours(rep)) {
    const ClassInfo& cls = rep->instance->cls();
    const ClassInfo::Member* found = cls.find(platform::toLower(name));
    const bool inside = caller.me != nullptr && caller.me->instance != nullptr &&
                        &caller.me->instance->cls() == &cls;
    if (found == nullptr || (!found->isPublic && !inside))
      raiseNamed(ErrorCode::kNoSuchMember, name);
    assignInstanceMember(caller, rep, *found, args, std::move(value), isSet);
    return;
  }
  if (rep->procedure != nullptr) raiseNamed(ErrorCode::kNoSuchMember, name);
  const platform::ObjectPtr& target = rep->object;
  if (!cache.found || cache.object.owner_before(target) || target.owner_before(cache.object)) {
    const std::optional<platform::MemberId> id = target->memberId(name);
    if (!id) raiseNamed(ErrorCode::kNoSuchMember, name);
    cache.object = target;
    cache.id = *id;
    cache.found = true;
  }
  invokeHost(caller, target, cache.id, isSet ? platform::kPropertyPutRef : platform::kPropertyPut,
             args, &value);
}

Value Interpreter::callDefault(Frame& caller, const Value& object, std::span<const ExprPtr> args,
                               bool asStatement) {
  ObjectRep* rep = object.objectRep();
  if (rep == nullptr) raise(ErrorCode::kObjectRequired);
  if (ours(rep)) {
    const ClassInfo& cls = rep->instance->cls();
    if (cls.defaultMember < 0) raise(ErrorCode::kNoSuchMember);
    return instanceMember(caller, rep, cls.members[static_cast<size_t>(cls.defaultMember)], args,
                          asStatement);
  }
  if (rep->procedure != nullptr) return call(caller, *rep->procedure->procedure(), nullptr, args);
  const uint16_t kind =
      asStatement ? platform::kMethod : (platform::kMethod | platform::kPropertyGet);
  return invokeHost(caller, rep->object, platform::kDefaultMember, kind, args, nullptr);
}

void Interpreter::assignDefault(Frame& caller, const Value& object, std::span<const ExprPtr> args,
                                Value value, bool isSet) {
  ObjectRep* rep = object.objectRep();
  if (rep == nullptr) raise(ErrorCode::kObjectRequired);
  if (isSet && !value.isObject()) raise(ErrorCode::kObjectRequired);
  if (ours(rep)) {
    const ClassInfo& cls = rep->instance->cls();
    if (cls.defaultMember < 0) raise(ErrorCode::kNoSuchMember);
    assignInstanceMember(caller, rep, cls.members[static_cast<size_t>(cls.defaultMember)], args,
                         std::move(value), isSet);
    return;
  }
  if (rep->procedure != nullptr) raise(ErrorCode::kIllegalAssignment);
  invokeHost(caller, rep->object, platform::kDefaultMember,
             isSet ? platform::kPropertyPutRef : platform::kPropertyPut, args, &value);
}

Value Interpreter::instanceMember(Frame& caller, ObjectRep* rep, const ClassInfo::Member& member,
                                  std::span<const ExprPtr> args, bool asStatement) {
  if (member.field >= 0) {
    const Value field = rep->instance->fields[static_cast<size_t>(member.field)];
    if (args.empty()) return field;
    return index(caller, field, args, asStatement);
  }
  const Procedure* procedure =
      (asStatement && member.sub) ? member.sub : (member.get ? member.get : member.sub);
  if (procedure == nullptr) raiseNamed(ErrorCode::kNoSuchMember, member.name);
  // The instance lives at least as long as the call, whatever the call does with its variable.
  const Value self = [rep] {
    ++rep->refs;
    return Value::object(rep);
  }();
  return call(caller, *procedure, rep, args);
}

void Interpreter::assignInstanceMember(Frame& caller, ObjectRep* rep,
                                       const ClassInfo::Member& member,
                                       std::span<const ExprPtr> args, Value value, bool isSet) {
  const Value self = [rep] {
    ++rep->refs;
    return Value::object(rep);
  }();
  if (member.field >= 0) {
    Value& field = rep->instance->fields[static_cast<size_t>(member.field)];
    if (args.empty()) {
      storeField(*this, field, std::move(value), isSet);
      return;
    }
    if (field.isArray()) {
      std::vector<Value> subscripts;
      for (const ExprPtr& arg : args) {
        Value subscript = arg ? arg->eval(caller) : Value::missing();
        if (subscript.isObject()) subscript = letValue(subscript);
        subscripts.push_back(std::move(subscript));
      }
      Value& slot = rep->instance->fields[static_cast<size_t>(member.field)];
      if (!slot.isArray()) raise(ErrorCode::kTypeMismatch);
      const size_t at = elementIndex(*slot.arrayRep(), subscripts, locale());
      storeField(*this, slot.ownArray().elements[at], std::move(value), isSet);
      return;
    }
    if (field.isObject()) {
      const Value object = field;
      assignDefault(caller, object, args, std::move(value), isSet);
      return;
    }
    raise(ErrorCode::kTypeMismatch);
  }
  const Procedure* writer =
      isSet ? (member.set ? member.set : nullptr) : (member.let ? member.let : nullptr);
  if (writer == nullptr) raiseNamed(ErrorCode::kNoSuchMember, member.name);
  call(caller, *writer, rep, args, std::move(value));
}

Value Interpreter::index(Frame& caller, const Value& container, std::span<const ExprPtr> args,
                         bool asStatement) {
  if (container.isArray()) {
    std::array<Value, kInlineArguments> inline_;
    std::vector<Value> heap;
    std::span<Value> subscripts;
    if (args.size() <= kInlineArguments) {
      subscripts = std::span<Value>(inline_.data(), args.size());
    } else {
      heap.resize(args.size());
      subscripts = heap;
    }
    for (size_t i = 0; i < args.size(); ++i) {
      if (!args[i]) raise(ErrorCode::kSubscriptOutOfRange);
      subscripts[i] = args[i]->eval(caller);
    }
    return container.arrayRep()
        ->elements[elementIndex(*container.arrayRep(), subscripts, locale())];
  }
  if (container.isObject()) return callDefault(caller, container, args, asStatement);
  raise(ErrorCode::kTypeMismatch);
}

Value Interpreter::invokeHost(Frame& caller, const platform::ObjectPtr& object,
                              platform::MemberId id, uint16_t kind, std::span<const ExprPtr> args,
                              const Value* put) {
  const size_t count = args.size() + (put ? 1 : 0);
  VariantArgs variants(count);
  // Variables and array elements go by reference: what the host writes to them comes back.
  struct Passed {
    size_t index;
    Place place;
    Value before;
  };
  std::vector<Passed> byReference;
  int cost = 16;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!args[i]) {
      variants[i] = Variant::missing();
      continue;
    }
    Place place;
    Value value;
    if (args[i]->place(caller, place)) {
      value = place.isElement ? place.slot->arrayRep()->elements[place.element] : *place.slot;
      byReference.push_back({i, place, value});
    } else {
      value = args[i]->eval(caller);
    }
    if (value.isString()) cost += costOf(value.asString().size());
    variants[i] = toVariant(value);
  }
  if (put) variants[count - 1] = toVariant(*put);
  tick(cost);
  Variant result = object->invoke(id, kind, variants.span());
  // The host may have reset the script host, or a callback may have run into the time-out.
  if (site_.shouldStop()) stop();
  for (Passed& passed : byReference) {
    const Variant& after = variants[passed.index];
    if (unchanged(passed.before, after)) continue;
    Value& target = *passed.place.slot;
    if (!passed.place.isElement) {
      target = fromVariant(after);
    } else if (target.isArray() && passed.place.element < target.arrayRep()->elements.size()) {
      target.ownArray().elements[passed.place.element] = fromVariant(after);
    }
  }
  return fromVariant(std::move(result));
}

platform::Variant Interpreter::invokeInstance(ObjectRep* rep, platform::MemberId id, uint16_t kind,
                                              std::span<platform::Variant> args) {
  const ClassInfo& cls = rep->instance->cls();
  const int64_t index = id == platform::kDefaultMember ? cls.defaultMember : id - 1;
  if (index < 0 || static_cast<size_t>(index) >= cls.members.size())
    raise(ErrorCode::kMemberNotFound);
  const ClassInfo::Member& member = cls.members[static_cast<size_t>(index)];
  if (!member.isPublic) raise(ErrorCode::kMemberNotFound);

  std::vector<Value> values;
  values.reserve(args.size());
  for (const Variant& arg : args)
    values.push_back(fromVariant(arg));
  const auto writeBack = [&] {
    for (size_t i = 0; i < args.size(); ++i)
      args[i] = toVariant(values[i]);
  };

  if (kind & (platform::kPropertyPut | platform::kPropertyPutRef)) {
    if (values.empty()) raise(ErrorCode::kBadParamCount);
    const bool isSet = (kind & platform::kPropertyPutRef) && values.back().isObject();
    if (member.field >= 0) {
      Value& field = rep->instance->fields[static_cast<size_t>(member.field)];
      Value value = std::move(values.back());
      values.pop_back();
      if (values.empty()) {
        storeField(*this, field, std::move(value), isSet);
      } else {
        if (!field.isArray()) raise(ErrorCode::kTypeMismatch);
        const size_t at = elementIndex(*field.arrayRep(), values, locale());
        storeField(*this, field.ownArray().elements[at], std::move(value), isSet);
      }
      return {};
    }
    const Procedure* writer =
        isSet ? (member.set ? member.set : member.let) : (member.let ? member.let : member.set);
    if (writer == nullptr) raise(ErrorCode::kMemberNotFound);
    call(*writer, rep, values);
    writeBack();
    return {};
  }
  if (member.field >= 0) {
    const Value& field = rep->instance->fields[static_cast<size_t>(member.field)];
    if (values.empty()) return toVariant(field);
    if (!field.isArray()) raise(ErrorCode::kBadParamCount);
    return toVariant(field.arrayRep()->elements[elementIndex(*field.arrayRep(), values, locale())]);
  }
  const Procedure* procedure = member.get ? member.get : member.sub;
  if (procedure == nullptr) raise(ErrorCode::kMemberNotFound);
  const Value result = call(*procedure, rep, values);
  writeBack();
  return toVariant(result);
}

// --- Built-ins -----------------------------------------------------------------------------

Value Interpreter::callBuiltin(Frame& caller, const Builtin& builtin,
                               std::span<const ExprPtr> args) {
  if (args.size() < builtin.minArgs || args.size() > builtin.maxArgs)
    raiseNamed(ErrorCode::kWrongArgumentCount, builtin.name);
  VariantArgs variants(builtin.maxArgs);
  int cost = 4;
  for (size_t i = 0; i < builtin.maxArgs; ++i) {
    if (i >= args.size() || !args[i]) {
      variants[i] = Variant::missing();
      continue;
    }
    const Value value = args[i]->eval(caller);
    if (value.isString()) cost += costOf(value.asString().size());
    variants[i] = toSharedVariant(value);
  }
  tick(cost);
  return fromVariant(builtin.body(builtinContext_, variants.span()));
}

}  // namespace vbscript
