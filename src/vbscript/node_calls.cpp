// Nodes for calls, indexing, members and the built-in statements that run code (Execute,
// ExecuteGlobal, Eval) or make objects (New, GetRef).
#include <array>

#include "platform/automation/object_catalogue.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "vbscript/arrays.h"
#include "vbscript/compiler.h"
#include "vbscript/diagnostics.h"
#include "vbscript/interpreter.h"
#include "vbscript/node_access.h"
#include "vbscript/node_factory.h"
#include "vbscript/operators.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::raise;

[[noreturn]] void raiseNamed(ErrorCode code, std::u16string_view name) {
  raise(code, std::u16string(platform::describe(code)) + u": '" + std::u16string(name) + u"'");
}

void storeElement(Interpreter& vm, Value& element, Value value, bool isSet) {
  if (isSet) {
    if (!value.isObject()) raise(ErrorCode::kObjectRequired);
    element = std::move(value);
  } else {
    element = value.isObject() ? vm.letValue(value) : std::move(value);
  }
}

// The subscripts of an element, evaluated; on the native stack for up to four dimensions.
// A subscript's value: an object gives its default value, as in arithmetic.
Value subscriptValue(Frame& frame, const ExprNode& node) {
  Value value = fetch(frame, node);
  if (value.isObject()) value = frame.vm.letValue(value);
  return value;
}

class Subscripts {
 public:
  Subscripts(Frame& frame, const std::vector<ExprPtr>& args) : count_(args.size()) {
    if (count_ > kInline) heap_.resize(count_);
    Value* values = data();
    for (size_t i = 0; i < count_; ++i) {
      if (!args[i]) raise(ErrorCode::kSubscriptOutOfRange);
      values[i] = subscriptValue(frame, *args[i]);
    }
  }
  operator std::span<const Value>() const { return {data(), count_}; }

 private:
  static constexpr size_t kInline = 4;
  Value* data() { return count_ > kInline ? heap_.data() : inline_.data(); }
  const Value* data() const { return count_ > kInline ? heap_.data() : inline_.data(); }
  size_t count_;
  std::array<Value, kInline> inline_;
  std::vector<Value> heap_;
};

// Indexing a variable: reads, assigns and passes by reference the elements of the array it
// holds, and calls the default member of the object it holds.
Value readIndexed(Frame& frame, const Value& container, const std::vector<ExprPtr>& args,
                  bool asStatement) {
  if (container.isArray()) {
    // A single subscript is the common case: no vector for it.
    if (args.size() == 1 && args[0]) {
      const Value subscript = subscriptValue(frame, *args[0]);
      return container.arrayRep()
          ->elements[elementIndex(*container.arrayRep(), {&subscript, 1}, frame.vm.locale())];
    }
    const Subscripts at(frame, args);
    return container.arrayRep()
        ->elements[elementIndex(*container.arrayRep(), at, frame.vm.locale())];
  }
  if (container.isObject()) {
    if (container.isNothing()) raise(ErrorCode::kObjectRequired);
    return frame.vm.callDefault(frame, container, args, asStatement);
  }
  raise(ErrorCode::kTypeMismatch);
}

bool placeIndexed(Frame& frame, Value* variable, const std::vector<ExprPtr>& args, Place& out) {
  if (variable == nullptr || !variable->isArray()) return false;
  const Subscripts at(frame, args);
  if (!variable->isArray()) return false;  // evaluating the subscripts changed it
  out.element = elementIndex(*variable->arrayRep(), at, frame.vm.locale());
  out.slot = variable;
  out.isElement = true;
  return true;
}

void assignIndexed(Frame& frame, Value* variable, const Value& container,
                   const std::vector<ExprPtr>& args, Value value, bool isSet) {
  if (container.isArray() && variable != nullptr) {
    size_t element;
    if (args.size() == 1 && args[0]) {
      const Value subscript = subscriptValue(frame, *args[0]);
      if (!variable->isArray()) raise(ErrorCode::kTypeMismatch);
      element = elementIndex(*variable->arrayRep(), {&subscript, 1}, frame.vm.locale());
    } else {
      const Subscripts at(frame, args);
      if (!variable->isArray()) raise(ErrorCode::kTypeMismatch);
      element = elementIndex(*variable->arrayRep(), at, frame.vm.locale());
    }
    storeElement(frame.vm, variable->ownArray().elements[element], std::move(value), isSet);
    return;
  }
  if (container.isObject()) {
    if (container.isNothing()) raise(ErrorCode::kObjectRequired);
    frame.vm.assignDefault(frame, container, args, std::move(value), isSet);
    return;
  }
  raise(ErrorCode::kTypeMismatch);
}

class CallProcedure final : public ExprNode {
 public:
  CallProcedure(const Procedure* procedure, std::vector<ExprPtr> args)
      : procedure_(procedure), args_(std::move(args)) {}
  Value eval(Frame& frame) const override {
    return frame.vm.call(frame, *procedure_, procedure_->owner ? frame.me : nullptr, args_);
  }

 private:
  const Procedure* procedure_;
  std::vector<ExprPtr> args_;
};

class CallGlobal final : public ExprNode {
 public:
  CallGlobal(Global* global, std::u16string name, std::vector<ExprPtr> args, bool asStatement,
             bool optionExplicit, uint32_t localSlot)
      : global_(global),
        name_(std::move(name)),
        args_(std::move(args)),
        asStatement_(asStatement),
        optionExplicit_(optionExplicit),
        localSlot_(localSlot) {}

  Value eval(Frame& frame) const override {
    Global& global = *global_;
    switch (global.kind) {
      case Global::Kind::kProcedure:
        return frame.vm.call(frame, *global.procedure, nullptr, args_);
      case Global::Kind::kClass:
        raiseNamed(ErrorCode::kTypeMismatch, name_);
      default: {
        Value* storage = variable(frame, global);
        if (storage->isArray()) return readIndexed(frame, *storage, args_, asStatement_);
        const Value container = *storage;
        if (!container.isObject()) raiseNamed(ErrorCode::kTypeMismatch, name_);
        return readIndexed(frame, container, args_, asStatement_);
      }
    }
  }

  bool place(Frame& frame, Place& out) const override {
    Global& global = *global_;
    if (global.kind != Global::Kind::kVariable && global.kind != Global::Kind::kUndeclared)
      return false;
    return placeIndexed(frame, variable(frame, global), args_, out);
  }

  void assign(Frame& frame, Value value, bool isSet) const override {
    Global& global = *global_;
    if (global.kind == Global::Kind::kProcedure || global.kind == Global::Kind::kClass)
      raiseNamed(ErrorCode::kIllegalAssignment, name_);
    Value* storage = variable(frame, global);
    const bool writable =
        global.kind == Global::Kind::kVariable || global.kind == Global::Kind::kUndeclared;
    if (writable && storage->isArray()) {
      assignIndexed(frame, storage, *storage, args_, std::move(value), isSet);
      return;
    }
    const Value container = *storage;
    assignIndexed(frame, writable ? storage : nullptr, container, args_, std::move(value), isSet);
  }

 private:
  // The storage of what the name stands for now: the global, or the implicit local while no
  // global of that name is declared.
  Value* variable(Frame& frame, Global& global) const {
    if (global.kind != Global::Kind::kUndeclared) return &global.value;
    if (optionExplicit_) raiseNamed(ErrorCode::kVariableUndefined, name_);
    if (localSlot_ != UINT32_MAX) return &frame.slots[localSlot_];
    raiseNamed(ErrorCode::kTypeMismatch, name_);
  }

  Global* global_;  // globals never move
  std::u16string name_;
  std::vector<ExprPtr> args_;
  bool asStatement_;
  bool optionExplicit_;
  uint32_t localSlot_;
};

class Index final : public ExprNode {
 public:
  Index(ExprPtr base, std::vector<ExprPtr> args, bool asStatement)
      : base_(std::move(base)), args_(std::move(args)), asStatement_(asStatement) {}

  Value eval(Frame& frame) const override {
    if (Value* variable = storageOf(frame, *base_)) {
      if (variable->isArray()) return readIndexed(frame, *variable, args_, asStatement_);
      const Value container = *variable;
      return readIndexed(frame, container, args_, asStatement_);
    }
    const Value container = base_->eval(frame);
    return readIndexed(frame, container, args_, asStatement_);
  }

  bool place(Frame& frame, Place& out) const override {
    return placeIndexed(frame, base_->ref(frame), args_, out);
  }

  void assign(Frame& frame, Value value, bool isSet) const override {
    Value* variable = storageOf(frame, *base_);
    // An array is written in place: a copy of it would make the write copy all of it.
    if (variable != nullptr && variable->isArray()) {
      assignIndexed(frame, variable, *variable, args_, std::move(value), isSet);
      return;
    }
    const Value container = variable ? *variable : base_->eval(frame);
    assignIndexed(frame, variable, container, args_, std::move(value), isSet);
  }

 private:
  ExprPtr base_;
  std::vector<ExprPtr> args_;
  bool asStatement_;
};

class Member final : public ExprNode {
 public:
  Member(ExprPtr object, std::u16string name, std::vector<ExprPtr> args, bool asStatement)
      : object_(std::move(object)),
        name_(std::move(name)),
        args_(std::move(args)),
        asStatement_(asStatement) {}

  Value eval(Frame& frame) const override {
    const Value object = target(frame);
    return frame.vm.member(frame, object, name_, cache_, args_, asStatement_);
  }

  void assign(Frame& frame, Value value, bool isSet) const override {
    const Value object = target(frame);
    frame.vm.assignMember(frame, object, name_, cache_, args_, std::move(value), isSet);
  }

 private:
  Value target(Frame& frame) const {
    Value object = object_->eval(frame);
    if (!object.isObject() || object.isNothing()) raise(ErrorCode::kObjectRequired);
    return object;
  }

  ExprPtr object_;
  std::u16string name_;
  std::vector<ExprPtr> args_;
  bool asStatement_;
  mutable MemberCache cache_;
};

class BuiltinCall final : public ExprNode {
 public:
  BuiltinCall(const Builtin* builtin, std::vector<ExprPtr> args)
      : builtin_(builtin), args_(std::move(args)) {}
  Value eval(Frame& frame) const override { return frame.vm.callBuiltin(frame, *builtin_, args_); }

 private:
  const Builtin* builtin_;
  std::vector<ExprPtr> args_;
};

class New final : public ExprNode {
 public:
  New(Global* global, std::u16string name) : global_(global), name_(std::move(name)) {}
  Value eval(Frame& frame) const override {
    Global& global = *global_;
    if (global.kind == Global::Kind::kClass) return frame.vm.newInstance(global.cls);
    if (platform::equalsIgnoreCase(name_, u"RegExp")) {
      frame.vm.tick(16);
      return Value::object(frame.vm.builtinContext().services.objects.create(u"VBScript.RegExp"));
    }
    raiseNamed(ErrorCode::kClassNotDefined, name_);
  }

 private:
  Global* global_;
  std::u16string name_;
};

std::u16string textArgument(Frame& frame, const std::vector<ExprPtr>& args) {
  if (args.size() != 1 || !args[0]) raise(ErrorCode::kWrongArgumentCount);
  return ops::toText(frame.vm.letValue(args[0]->eval(frame)), frame.vm.locale());
}

// Runs code compiled at run time; its compile errors are run-time errors of the caller.
class RunCode final : public ExprNode {
 public:
  enum class Kind { kExecute, kExecuteGlobal, kEval };
  RunCode(Kind kind, std::vector<ExprPtr> args) : kind_(kind), args_(std::move(args)) {}

  Value eval(Frame& frame) const override {
    const std::u16string source = textArgument(frame, args_);
    Interpreter& vm = frame.vm;
    vm.tick(Interpreter::costOf(source.size()));
    std::unique_ptr<Procedure> code;
    const bool global = kind_ == Kind::kExecuteGlobal ||
                        (kind_ == Kind::kExecute && frame.procedure->isTopLevel && !frame.outer);
    try {
      code = global ? compileProgram(vm, source)
                    : compileInFrame(vm, frame, source, kind_ == Kind::kEval);
    } catch (const CompileError& error) {
      raise(error.code);
    }
    FrameSlots slots(vm.stack(), code->frameSize);
    try {
      return vm.execute(*code, global ? nullptr : frame.me, slots.data(),
                        global ? nullptr : &frame);
    } catch (const ScriptError& error) {
      // Reported at the statement that ran the code: its lines are no lines of the file.
      throw error.error;
    }
  }

 private:
  Kind kind_;
  std::vector<ExprPtr> args_;
};

class GetRef final : public ExprNode {
 public:
  explicit GetRef(std::vector<ExprPtr> args) : args_(std::move(args)) {}
  Value eval(Frame& frame) const override {
    const std::u16string name = textArgument(frame, args_);
    Interpreter& vm = frame.vm;
    if (std::optional<uint32_t> index = vm.findGlobal(name)) {
      const Global& global = vm.global(*index);
      if (global.kind == Global::Kind::kProcedure)
        return Value::object(std::make_shared<ProcedureRef>(vm.link(), global.procedure));
    }
    raise(ErrorCode::kInvalidProcedureCall);
  }

 private:
  std::vector<ExprPtr> args_;
};

class CreateObject final : public ExprNode {
 public:
  explicit CreateObject(std::vector<ExprPtr> args) : args_(std::move(args)) {}
  Value eval(Frame& frame) const override {
    if (args_.empty() || args_.size() > 2 || !args_[0]) raise(ErrorCode::kWrongArgumentCount);
    const std::u16string progId =
        ops::toText(frame.vm.letValue(args_[0]->eval(frame)), frame.vm.locale());
    // A second argument names another machine to make the object on: none is reachable, so
    // a named one fails as an unreachable server does.
    if (args_.size() == 2 && args_[1]) {
      const Value server = frame.vm.letValue(args_[1]->eval(frame));
      if (!ops::toText(server, frame.vm.locale()).empty())
        raise(ErrorCode::kRemoteServerUnavailable);
    }
    frame.vm.tick(16);
    return Value::object(
        frame.vm.builtinContext().services.objects.create(progId, frame.vm.site().stopCheck()));
  }

 private:
  std::vector<ExprPtr> args_;
};

// GetObject([pathname][, class]): a zero-length pathname with a class makes a new object of
// that class, as CreateObject does. No object runs outside the script and no file or moniker
// binds to one, so every other form fails.
class GetObject final : public ExprNode {
 public:
  explicit GetObject(std::vector<ExprPtr> args) : args_(std::move(args)) {}
  Value eval(Frame& frame) const override {
    if (args_.size() > 2) raise(ErrorCode::kWrongArgumentCount);
    std::vector<Value> values;
    for (const ExprPtr& arg : args_)
      values.push_back(arg ? frame.vm.letValue(arg->eval(frame)) : Value());
    const bool emptyPath =
        !values.empty() && args_[0] && ops::toText(values[0], frame.vm.locale()).empty();
    if (emptyPath && values.size() == 2 && args_[1]) {
      const std::u16string progId = ops::toText(values[1], frame.vm.locale());
      frame.vm.tick(16);
      return Value::object(
          frame.vm.builtinContext().services.objects.create(progId, frame.vm.site().stopCheck()));
    }
    raise(ErrorCode::kCannotCreateObject);
  }

 private:
  std::vector<ExprPtr> args_;
};

}  // namespace

ExprPtr makeCreateObject(std::vector<ExprPtr> args) {
  return std::make_unique<CreateObject>(std::move(args));
}
ExprPtr makeGetObject(std::vector<ExprPtr> args) {
  return std::make_unique<GetObject>(std::move(args));
}

ExprPtr makeCallProcedure(const Procedure* procedure, std::vector<ExprPtr> args) {
  return std::make_unique<CallProcedure>(procedure, std::move(args));
}
ExprPtr makeCallGlobal(Global* global, std::u16string name, std::vector<ExprPtr> args,
                       bool asStatement, bool optionExplicit, uint32_t localSlot) {
  return std::make_unique<CallGlobal>(global, std::move(name), std::move(args), asStatement,
                                      optionExplicit, localSlot);
}
ExprPtr makeIndex(ExprPtr base, std::vector<ExprPtr> args, bool asStatement) {
  return std::make_unique<Index>(std::move(base), std::move(args), asStatement);
}
ExprPtr makeMember(ExprPtr object, std::u16string name, std::vector<ExprPtr> args,
                   bool asStatement) {
  return std::make_unique<Member>(std::move(object), std::move(name), std::move(args), asStatement);
}
ExprPtr makeBuiltin(const Builtin* builtin, std::vector<ExprPtr> args) {
  return std::make_unique<BuiltinCall>(builtin, std::move(args));
}
ExprPtr makeNew(Global* global, std::u16string name) {
  return std::make_unique<New>(global, std::move(name));
}
ExprPtr makeEval(std::vector<ExprPtr> args) {
  return std::make_unique<RunCode>(RunCode::Kind::kEval, std::move(args));
}
ExprPtr makeGetRef(std::vector<ExprPtr> args) {
  return std::make_unique<GetRef>(std::move(args));
}
ExprPtr makeExecute(std::vector<ExprPtr> args, bool global) {
  return std::make_unique<RunCode>(global ? RunCode::Kind::kExecuteGlobal : RunCode::Kind::kExecute,
                                   std::move(args));
}

}  // namespace vbscript
