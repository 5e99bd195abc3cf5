// Nodes for values and variables, and the statement sequence.
#include "platform/base/error.h"
#include "vbscript/interpreter.h"
#include "vbscript/node_factory.h"
#include "vbscript/operators.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::raise;

// Stores `value` in a variable: Set takes objects only; Let takes an object's default value.
void store(Interpreter& vm, Value& slot, Value value, bool isSet) {
  if (isSet) {
    if (!value.isObject()) raise(ErrorCode::kObjectRequired);
    slot = std::move(value);
  } else if (value.isObject()) {
    slot = vm.letValue(value);
  } else {
    slot = std::move(value);
  }
}

[[noreturn]] void undefined(const std::u16string& name) {
  raise(ErrorCode::kVariableUndefined,
        std::u16string(platform::describe(ErrorCode::kVariableUndefined)) + u": '" + name + u"'");
}

class Constant final : public ExprNode {
 public:
  Constant(Value value, bool literal) : value_(std::move(value)), literal_(literal) {
    leaf = Leaf::kConstant;
    leafConstant = &value_;
  }
  Value eval(Frame&) const override { return value_; }
  bool isLiteral() const override { return literal_; }

 private:
  Value value_;
  bool literal_;
};

// A variable whose storage is found the same way for reading and writing.
class Variable : public ExprNode {
 public:
  Value eval(Frame& frame) const override { return *ref(frame); }
  void assign(Frame& frame, Value value, bool isSet) const override {
    store(frame.vm, *ref(frame), std::move(value), isSet);
  }
};

class Local final : public Variable {
 public:
  explicit Local(uint32_t slot) : slot_(slot) {
    leaf = Leaf::kLocal;
    leafSlot = slot;
  }
  Value eval(Frame& frame) const override { return frame.slots[slot_]; }
  Value* ref(Frame& frame) const override { return &frame.slots[slot_]; }

 private:
  uint32_t slot_;
};

class ByRefParameter final : public Variable {
 public:
  explicit ByRefParameter(uint32_t slot) : slot_(slot) {}
  Value eval(Frame& frame) const override { return *frame.slots[slot_].target(); }
  Value* ref(Frame& frame) const override { return frame.slots[slot_].target(); }

 private:
  uint32_t slot_;
};

class OuterLocal final : public Variable {
 public:
  OuterLocal(uint32_t slot, bool byRef) : slot_(slot), byRef_(byRef) {}
  Value* ref(Frame& frame) const override {
    Value& slot = frame.outer->slots[slot_];
    return byRef_ ? slot.target() : &slot;
  }

 private:
  uint32_t slot_;
  bool byRef_;
};

class Field final : public Variable {
 public:
  explicit Field(uint32_t index) : index_(index) {}
  Value* ref(Frame& frame) const override { return &frame.me->instance->fields[index_]; }

 private:
  uint32_t index_;
};

// A global as it stands when the code runs.
class GlobalName : public ExprNode {
 public:
  GlobalName(Global* global, std::u16string name, bool optionExplicit)
      : global_(global), name_(std::move(name)), explicit_(optionExplicit) {}

  Value eval(Frame& frame) const override {
    Global& global = *global_;
    switch (global.kind) {
      case Global::Kind::kUndeclared:
        if (explicit_) undefined(name_);
        return {};
      case Global::Kind::kProcedure:
        return frame.vm.call(frame, *global.procedure, nullptr, {});
      case Global::Kind::kClass:
        raise(ErrorCode::kTypeMismatch, typeMismatch());
      default:
        return global.value;
    }
  }

  Value* ref(Frame&) const override {
    Global& global = *global_;
    switch (global.kind) {
      case Global::Kind::kUndeclared:
        if (explicit_) undefined(name_);
        global.kind = Global::Kind::kVariable;
        return &global.value;
      case Global::Kind::kVariable:
        return &global.value;
      default:
        return nullptr;
    }
  }

  void assign(Frame& frame, Value value, bool isSet) const override {
    Value* slot = ref(frame);
    if (slot == nullptr) raise(ErrorCode::kIllegalAssignment, illegal());
    store(frame.vm, *slot, std::move(value), isSet);
  }

 protected:
  bool declared() const { return global_->kind != Global::Kind::kUndeclared; }
  std::u16string typeMismatch() const {
    return std::u16string(platform::describe(ErrorCode::kTypeMismatch)) + u": '" + name_ + u"'";
  }
  std::u16string illegal() const {
    return std::u16string(platform::describe(ErrorCode::kIllegalAssignment)) + u": '" + name_ +
           u"'";
  }

  Global* global_;  // globals never move
  std::u16string name_;
  bool explicit_;
};

class GlobalOrLocal final : public GlobalName {
 public:
  GlobalOrLocal(Global* global, uint32_t slot, std::u16string name, bool optionExplicit)
      : GlobalName(global, std::move(name), optionExplicit), slot_(slot) {
    // Under Option Explicit an undeclared name is an error: that takes the virtual path.
    if (!optionExplicit) {
      leaf = Leaf::kImplicit;
      leafSlot = slot;
      leafGlobal = global;
    }
  }

  Value eval(Frame& frame) const override {
    if (declared()) return GlobalName::eval(frame);
    if (explicit_) undefined(name_);
    return frame.slots[slot_];
  }
  Value* ref(Frame& frame) const override {
    if (declared()) return GlobalName::ref(frame);
    if (explicit_) undefined(name_);
    return &frame.slots[slot_];
  }

 private:
  uint32_t slot_;
};

class Me final : public ExprNode {
 public:
  Value eval(Frame& frame) const override {
    if (frame.me == nullptr) raise(ErrorCode::kInvalidUseOfMe);
    ++frame.me->refs;
    return Value::object(frame.me);
  }
};

class Err final : public ExprNode {
 public:
  Value eval(Frame& frame) const override { return frame.vm.errValue(); }
};

class Paren final : public ExprNode {
 public:
  explicit Paren(ExprPtr inner) : inner_(std::move(inner)) {}
  Value eval(Frame& frame) const override { return inner_->eval(frame); }
  bool isLiteral() const override { return inner_->isLiteral(); }

 private:
  ExprPtr inner_;
};

}  // namespace

void ExprNode::assign(Frame&, Value, bool) const {
  raise(ErrorCode::kIllegalAssignment);
}

bool ExprNode::truth(Frame& frame) const {
  Value value = eval(frame);
  if (value.isObject()) value = frame.vm.letValue(value);
  return ops::isTrue(value);
}

Flow Block::exec(Frame& frame) const {
  for (const StmtPtr& statement : statements_) {
    try {
      const Flow flow = statement->exec(frame);
      if (frame.vm.hasRetired()) frame.vm.drainRetired();
      if (flow != Flow::kNormal) return flow;
    } catch (...) {
      frame.vm.statementFailed(frame, *statement);
    }
  }
  return Flow::kNormal;
}

ExprPtr makeConstant(Value value, bool literal) {
  return std::make_unique<Constant>(std::move(value), literal);
}
ExprPtr makeLocal(uint32_t slot) {
  return std::make_unique<Local>(slot);
}
ExprPtr makeByRefParameter(uint32_t slot) {
  return std::make_unique<ByRefParameter>(slot);
}
ExprPtr makeOuterLocal(uint32_t slot, bool byRef) {
  return std::make_unique<OuterLocal>(slot, byRef);
}
ExprPtr makeField(uint32_t index) {
  return std::make_unique<Field>(index);
}
ExprPtr makeGlobal(Global* global, std::u16string name, bool optionExplicit) {
  return std::make_unique<GlobalName>(global, std::move(name), optionExplicit);
}
ExprPtr makeGlobalOrLocal(Global* global, uint32_t slot, std::u16string name, bool optionExplicit) {
  return std::make_unique<GlobalOrLocal>(global, slot, std::move(name), optionExplicit);
}
ExprPtr makeMe() {
  return std::make_unique<Me>();
}
ExprPtr makeErr() {
  return std::make_unique<Err>();
}
ExprPtr makeParen(ExprPtr inner) {
  return std::make_unique<Paren>(std::move(inner));
}

}  // namespace vbscript
