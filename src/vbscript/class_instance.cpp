#include "vbscript/class_instance.h"

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "vbscript/interpreter.h"

namespace vbscript {

namespace {

[[noreturn]] void gone() {
  platform::raise(platform::ErrorCode::kObjectRequired,
                  u"The script that made this object has been reset");
}

// Runs `body` for a caller outside the interpreter's own code: as a call into the script
// under the host's rules when no script code runs, else directly, its errors as plain
// platform::Errors.
template <class Body>
platform::Variant fromOutside(Interpreter& vm, Body&& body) {
  if (!vm.running()) {
    return vm.site().enter([&] {
      Interpreter::Entry entry(vm);
      try {
        platform::Variant result = body();
        vm.drainRetired();
        return result;
      } catch (...) {
        throw vm.failure(nullptr);
      }
    });
  }
  try {
    return body();
  } catch (const ScriptError& error) {
    throw error.error;
  }
}

}  // namespace

ClassInstance::ClassInstance(std::shared_ptr<InterpreterLink> link,
                             std::shared_ptr<const ClassInfo> cls)
    : link_(std::move(link)), cls_(std::move(cls)) {
  if (Interpreter* vm = interpreter()) vm->adoptInstance(this);
}

ClassInstance::~ClassInstance() {
  if (Interpreter* vm = interpreter()) vm->forgetInstance(this);
}

std::u16string ClassInstance::typeName() const {
  return cls_->name;
}

std::optional<platform::MemberId> ClassInstance::memberId(std::u16string_view name) {
  const ClassInfo::Member* member = cls_->find(platform::toLower(name));
  if (member == nullptr || !member->isPublic) return std::nullopt;
  return static_cast<platform::MemberId>(member - cls_->members.data()) + 1;
}

bool ClassInstance::readsWithoutArguments(platform::MemberId id) {
  const size_t index = id == platform::kDefaultMember ? static_cast<size_t>(cls_->defaultMember)
                                                      : static_cast<size_t>(id - 1);
  if (index >= cls_->members.size()) return true;
  const ClassInfo::Member& member = cls_->members[index];
  const Procedure* reader = member.get ? member.get : member.sub;
  return reader == nullptr || reader->parameterCount() == 0;
}

platform::Variant ClassInstance::invoke(platform::MemberId id, uint16_t kind,
                                        std::span<platform::Variant> args) {
  Interpreter* vm = interpreter();
  if (vm == nullptr) gone();
  return fromOutside(*vm, [&] {
    auto* rep = new ObjectRep;
    rep->object = shared_from_this();
    rep->instance = this;
    const Value self = Value::object(rep);
    return vm->invokeInstance(rep, id, kind, args);
  });
}

platform::Variant ProcedureRef::invoke(platform::MemberId id, uint16_t kind,
                                       std::span<platform::Variant> args) {
  Interpreter* vm = interpreter();
  if (vm == nullptr) gone();
  if (id != platform::kDefaultMember || !(kind & (platform::kMethod | platform::kPropertyGet)))
    platform::raise(platform::ErrorCode::kMemberNotFound);
  return fromOutside(*vm, [&] {
    std::vector<Value> values;
    values.reserve(args.size());
    for (const platform::Variant& arg : args)
      values.push_back(fromVariant(arg));
    const Value result = vm->call(*procedure_, nullptr, values);
    for (size_t i = 0; i < args.size(); ++i)
      args[i] = toVariant(values[i]);
    return toVariant(result);
  });
}

}  // namespace vbscript
