// Nodes for statements. Loops count their rounds for the time-out; a condition that fails
// under On Error Resume Next goes on with the statement after it, as VBScript does: into the
// If's branch, into the loop's body.
#include <limits>

#include "platform/automation/automation_object.h"
#include "platform/base/error.h"
#include "vbscript/arrays.h"
#include "vbscript/interpreter.h"
#include "vbscript/node_access.h"
#include "vbscript/node_factory.h"
#include "vbscript/operators.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::raise;

[[gnu::always_inline]] inline Value plain(Frame& frame, const ExprPtr& node) {
  Value value = fetch(frame, *node);
  if (value.isObject()) value = frame.vm.letValue(value);
  return value;
}

// The truth of `condition`; when it fails and the frame resumes next, `onError`.
bool test(Frame& frame, const StmtNode& statement, const ExprPtr& condition, bool onError) {
  try {
    return condition->truth(frame);
  } catch (...) {
    frame.vm.statementFailed(frame, statement);
    return onError;
  }
}

class ExpressionStatement final : public StmtNode {
 public:
  explicit ExpressionStatement(ExprPtr expression) : expression_(std::move(expression)) {}
  Flow exec(Frame& frame) const override {
    expression_->eval(frame);
    return Flow::kNormal;
  }

 private:
  ExprPtr expression_;
};

class Assign final : public StmtNode {
 public:
  Assign(ExprPtr target, ExprPtr value, bool isSet)
      : target_(std::move(target)), value_(std::move(value)), isSet_(isSet) {}
  Flow exec(Frame& frame) const override {
    Value value = fetch(frame, *value_);
    // A variable takes the value here; anything else knows how to be assigned to.
    if (Value* slot = storageOf(frame, *target_)) {
      if (isSet_) {
        if (!value.isObject()) raise(ErrorCode::kObjectRequired);
      } else if (value.isObject()) {
        value = frame.vm.letValue(value);
      }
      *slot = std::move(value);
    } else {
      target_->assign(frame, std::move(value), isSet_);
    }
    return Flow::kNormal;
  }

 private:
  ExprPtr target_;
  ExprPtr value_;
  bool isSet_;
};

class Store final : public StmtNode {
 public:
  Store(uint32_t slot, ExprPtr value) : slot_(slot), value_(std::move(value)) {}
  Flow exec(Frame& frame) const override {
    frame.slots[slot_] = value_->eval(frame);
    return Flow::kNormal;
  }

 private:
  uint32_t slot_;
  ExprPtr value_;
};

class Append final : public StmtNode {
 public:
  Append(ExprPtr target, std::vector<ExprPtr> parts)
      : target_(std::move(target)), parts_(std::move(parts)) {}

  Flow exec(Frame& frame) const override {
    std::vector<Value> parts;
    parts.reserve(parts_.size());
    size_t length = 0;
    for (const ExprPtr& part : parts_) {
      parts.push_back(plain(frame, part));
      if (parts.back().isString()) length += parts.back().asString().size();
    }
    frame.vm.tick(Interpreter::costOf(length));
    Value* slot = target_->ref(frame);
    if (slot != nullptr && slot->isString()) {
      std::u16string& text = slot->ownString();
      for (const Value& part : parts)
        ops::appendText(text, part, frame.vm.locale());
      return Flow::kNormal;
    }
    Value result = target_->eval(frame);
    if (result.isObject()) result = frame.vm.letValue(result);
    for (const Value& part : parts)
      result = ops::concat(result, part, frame.vm.locale());
    target_->assign(frame, std::move(result), false);
    return Flow::kNormal;
  }

 private:
  ExprPtr target_;
  std::vector<ExprPtr> parts_;
};

class If final : public StmtNode {
 public:
  If(std::vector<BranchNode> branches, Block elseBody)
      : branches_(std::move(branches)), else_(std::move(elseBody)) {}
  Flow exec(Frame& frame) const override {
    for (const BranchNode& branch : branches_) {
      if (test(frame, *this, branch.condition, true)) return branch.body.exec(frame);
    }
    return else_.exec(frame);
  }

 private:
  std::vector<BranchNode> branches_;
  Block else_;
};

class Select final : public StmtNode {
 public:
  Select(ExprPtr subject, std::vector<CaseNode> cases)
      : subject_(std::move(subject)), cases_(std::move(cases)) {}

  Flow exec(Frame& frame) const override {
    const Value subject = plain(frame, subject_);
    const bool subjectLiteral = subject_->isLiteral();
    for (const CaseNode& entry : cases_) {
      if (entry.isElse || matches(frame, entry, subject, subjectLiteral))
        return entry.body.exec(frame);
    }
    return Flow::kNormal;
  }

 private:
  static bool matches(Frame& frame, const CaseNode& entry, const Value& subject,
                      bool subjectLiteral) {
    for (const ExprPtr& value : entry.values) {
      const std::optional<int> order = ops::compare(subject, plain(frame, value), frame.vm.locale(),
                                                    subjectLiteral, value->isLiteral());
      if (order && *order == 0) return true;
    }
    return false;
  }

  ExprPtr subject_;
  std::vector<CaseNode> cases_;
};

bool isWhole(const Value& v) {
  return v.type() == Type::kInteger || v.type() == Type::kLong;
}
int64_t wholeOf(const Value& v) {
  return v.type() == Type::kInteger ? v.asInteger() : v.asLong();
}

class For final : public StmtNode {
 public:
  For(ExprPtr variable, ExprPtr start, ExprPtr end, ExprPtr step, Block body)
      : variable_(std::move(variable)),
        start_(std::move(start)),
        end_(std::move(end)),
        step_(std::move(step)),
        body_(std::move(body)) {}

  Flow exec(Frame& frame) const override {
    const Value start = number(frame, start_);
    const Value end = number(frame, end_);
    const Value step = step_ ? number(frame, step_) : Value::integer(1);
    if (isWhole(start) && isWhole(end) && isWhole(step)) {
      const bool narrow = start.type() == Type::kInteger && end.type() == Type::kInteger &&
                          step.type() == Type::kInteger;
      return wholeLoop(frame, wholeOf(start), wholeOf(end), wholeOf(step), narrow);
    }
    return generalLoop(frame, start, end, step);
  }

 private:
  static Value number(Frame& frame, const ExprPtr& node) {
    Value value = plain(frame, node);
    switch (value.type()) {
      case Type::kInteger:
      case Type::kLong:
      case Type::kSingle:
      case Type::kDouble:
      case Type::kCurrency:
      case Type::kDate:
      case Type::kByte:
        return value;
      case Type::kNull:
        raise(ErrorCode::kInvalidUseOfNull);
      case Type::kEmpty:
      case Type::kBoolean:
        return ops::add(Value::integer(0), value, frame.vm.locale());
      default:
        return Value::dbl(ops::toNumber(value, frame.vm.locale()));
    }
  }

  static Value whole(int64_t value, bool narrow) {
    if (narrow && value >= -32768 && value <= 32767)
      return Value::integer(static_cast<int16_t>(value));
    if (value >= std::numeric_limits<int32_t>::min() &&
        value <= std::numeric_limits<int32_t>::max())
      return Value::longValue(static_cast<int32_t>(value));
    return Value::dbl(static_cast<double>(value));
  }

  Flow wholeLoop(Frame& frame, int64_t counter, int64_t end, int64_t step, bool narrow) const {
    variable_->assign(frame, whole(counter, narrow), false);
    while (true) {
      if (step >= 0 ? counter > end : counter < end) return Flow::kNormal;
      const Flow flow = body_.exec(frame);
      if (flow == Flow::kExitFor) return Flow::kNormal;
      if (flow != Flow::kNormal) return flow;
      frame.vm.tick();
      // The body may have changed the counter: the next round counts on from its value.
      Value* slot = storageOf(frame, *variable_);
      const Value current = slot ? *slot : variable_->eval(frame);
      if (!isWhole(current)) {
        const Value next =
            ops::add(frame.vm.letValue(current), Value::longValue(static_cast<int32_t>(step)),
                     frame.vm.locale());
        return generalLoopFrom(frame, next, whole(end, false), whole(step, false));
      }
      counter = wholeOf(current) + step;
      const Value next = whole(counter, narrow && current.type() == Type::kInteger);
      if (slot != nullptr) {
        *slot = next;
      } else {
        variable_->assign(frame, next, false);
      }
    }
  }

  Flow generalLoop(Frame& frame, const Value& start, const Value& end, const Value& step) const {
    return generalLoopFrom(frame, start, end, step);
  }

  Flow generalLoopFrom(Frame& frame, Value counter, const Value& end, const Value& step) const {
    const bool upwards = ops::toNumber(step, frame.vm.locale()) >= 0;
    variable_->assign(frame, counter, false);
    while (true) {
      const Value current = plain(frame, variable_);
      const std::optional<int> order = ops::compare(current, end, frame.vm.locale());
      if (!order || (upwards ? *order > 0 : *order < 0)) return Flow::kNormal;
      const Flow flow = body_.exec(frame);
      if (flow == Flow::kExitFor) return Flow::kNormal;
      if (flow != Flow::kNormal) return flow;
      frame.vm.tick();
      variable_->assign(frame, ops::add(plain(frame, variable_), step, frame.vm.locale()), false);
    }
  }

  ExprPtr variable_;
  ExprPtr start_;
  ExprPtr end_;
  ExprPtr step_;
  Block body_;
};

class ForEach final : public StmtNode {
 public:
  ForEach(ExprPtr variable, ExprPtr collection, Block body)
      : variable_(std::move(variable)),
        collection_(std::move(collection)),
        body_(std::move(body)) {}

  Flow exec(Frame& frame) const override {
    const Value collection = collection_->eval(frame);
    if (collection.isArray()) {
      // The elements as they were when the loop began.
      const Value snapshot = collection;
      for (const Value& element : snapshot.arrayRep()->elements) {
        const Flow flow = round(frame, element);
        if (flow == Flow::kExitFor) return Flow::kNormal;
        if (flow != Flow::kNormal) return flow;
      }
      return Flow::kNormal;
    }
    if (!collection.isObject()) raise(ErrorCode::kNotACollection);
    ObjectRep* rep = collection.objectRep();
    if (rep == nullptr) raise(ErrorCode::kObjectRequired);
    if (rep->instance != nullptr || rep->procedure != nullptr) raise(ErrorCode::kNotACollection);
    std::unique_ptr<platform::Enumerator> items = rep->object->enumerate();
    if (!items) raise(ErrorCode::kNotACollection);
    while (true) {
      frame.vm.tick(4);
      std::optional<platform::Variant> item = items->next();
      if (!item) return Flow::kNormal;
      const Flow flow = round(frame, fromVariant(std::move(*item)));
      if (flow == Flow::kExitFor) return Flow::kNormal;
      if (flow != Flow::kNormal) return flow;
    }
  }

 private:
  Flow round(Frame& frame, const Value& element) const {
    if (Value* slot = variable_->ref(frame)) {
      *slot = element;
    } else {
      variable_->assign(frame, element, element.isObject());
    }
    const Flow flow = body_.exec(frame);
    frame.vm.tick();
    return flow;
  }

  ExprPtr variable_;
  ExprPtr collection_;
  Block body_;
};

class Do final : public StmtNode {
 public:
  Do(ast::DoStmt::Test test, ExprPtr condition, Block body)
      : test_(test), condition_(std::move(condition)), body_(std::move(body)) {}

  Flow exec(Frame& frame) const override {
    using Test = ast::DoStmt::Test;
    while (true) {
      if (test_ == Test::kWhileBefore && !test(frame, *this, condition_, true)) break;
      if (test_ == Test::kUntilBefore && test(frame, *this, condition_, false)) break;
      const Flow flow = body_.exec(frame);
      if (flow == Flow::kExitDo) break;
      if (flow != Flow::kNormal) return flow;
      if (test_ == Test::kWhileAfter && !test(frame, *this, condition_, false)) break;
      if (test_ == Test::kUntilAfter && test(frame, *this, condition_, true)) break;
      frame.vm.tick();
    }
    return Flow::kNormal;
  }

 private:
  ast::DoStmt::Test test_;
  ExprPtr condition_;
  Block body_;
};

class Exit final : public StmtNode {
 public:
  explicit Exit(Flow flow) : flow_(flow) {}
  Flow exec(Frame& frame) const override {
    // Exit Sub, Exit Function and Exit Property clear Err, as On Error does.
    if (flow_ == Flow::kExitProcedure) frame.vm.err().clear();
    return flow_;
  }

 private:
  Flow flow_;
};

class With final : public StmtNode {
 public:
  With(uint32_t slot, ExprPtr object, Block body)
      : slot_(slot), object_(std::move(object)), body_(std::move(body)) {}
  Flow exec(Frame& frame) const override {
    struct Release {
      Value& slot;
      ~Release() { slot = Value(); }
    } release{frame.slots[slot_]};
    frame.slots[slot_] = object_->eval(frame);
    return body_.exec(frame);
  }

 private:
  uint32_t slot_;
  ExprPtr object_;
  Block body_;
};

class OnError final : public StmtNode {
 public:
  explicit OnError(bool resumeNext) : resumeNext_(resumeNext) {}
  Flow exec(Frame& frame) const override {
    frame.resumeNext = resumeNext_;
    frame.vm.err().clear();
    return Flow::kNormal;
  }

 private:
  bool resumeNext_;
};

bool isFixed(const ReDimNode& item) {
  return item.fixed || (item.fixedGlobal != nullptr && item.fixedGlobal->fixedArray);
}

class ReDim final : public StmtNode {
 public:
  ReDim(std::vector<ReDimNode> items, bool preserve)
      : items_(std::move(items)), preserve_(preserve) {}

  Flow exec(Frame& frame) const override {
    for (const ReDimNode& item : items_) {
      if (isFixed(item)) raise(ErrorCode::kArrayFixed);
      std::vector<int32_t> uppers;
      size_t count = 1;
      for (const ExprPtr& bound : item.upperBounds) {
        uppers.push_back(ops::toLong(plain(frame, bound), frame.vm.locale()));
        count *= static_cast<size_t>(std::max(uppers.back() + 1, 0));
        if (count > kMaxArrayElements) raise(ErrorCode::kOutOfMemoryVb);
      }
      frame.vm.tick(Interpreter::costOf(count));
      Value* slot = item.target->ref(frame);
      if (slot == nullptr) raise(ErrorCode::kIllegalAssignment);
      if (preserve_ && slot->isArray()) {
        preserveInto(*slot, boundsOf(uppers));
      } else {
        *slot = makeArray(boundsOf(uppers));
      }
    }
    return Flow::kNormal;
  }

 private:
  std::vector<ReDimNode> items_;
  bool preserve_;
};

class Erase final : public StmtNode {
 public:
  explicit Erase(std::vector<ReDimNode> targets) : targets_(std::move(targets)) {}
  Flow exec(Frame& frame) const override {
    for (const ReDimNode& target : targets_) {
      Value* slot = target.target->ref(frame);
      if (slot == nullptr || !slot->isArray()) raise(ErrorCode::kTypeMismatch);
      if (isFixed(target)) {
        for (Value& element : slot->ownArray().elements)
          element = Value();
      } else {
        *slot = makeArray({});
      }
    }
    return Flow::kNormal;
  }

 private:
  std::vector<ReDimNode> targets_;
};

}  // namespace

StmtPtr makeExpressionStatement(ExprPtr expression) {
  return std::make_unique<ExpressionStatement>(std::move(expression));
}
StmtPtr makeAssign(ExprPtr target, ExprPtr value, bool isSet) {
  return std::make_unique<Assign>(std::move(target), std::move(value), isSet);
}
StmtPtr makeStore(uint32_t slot, ExprPtr value) {
  return std::make_unique<Store>(slot, std::move(value));
}
StmtPtr makeAppend(ExprPtr target, std::vector<ExprPtr> parts) {
  return std::make_unique<Append>(std::move(target), std::move(parts));
}
StmtPtr makeIf(std::vector<BranchNode> branches, Block elseBody) {
  return std::make_unique<If>(std::move(branches), std::move(elseBody));
}
StmtPtr makeSelect(ExprPtr subject, std::vector<CaseNode> cases) {
  return std::make_unique<Select>(std::move(subject), std::move(cases));
}
StmtPtr makeFor(ExprPtr variable, ExprPtr start, ExprPtr end, ExprPtr step, Block body) {
  return std::make_unique<For>(std::move(variable), std::move(start), std::move(end),
                               std::move(step), std::move(body));
}
StmtPtr makeForEach(ExprPtr variable, ExprPtr collection, Block body) {
  return std::make_unique<ForEach>(std::move(variable), std::move(collection), std::move(body));
}
StmtPtr makeDo(ast::DoStmt::Test test, ExprPtr condition, Block body) {
  return std::make_unique<Do>(test, std::move(condition), std::move(body));
}
StmtPtr makeExit(Flow flow) {
  return std::make_unique<Exit>(flow);
}
StmtPtr makeWith(uint32_t slot, ExprPtr object, Block body) {
  return std::make_unique<With>(slot, std::move(object), std::move(body));
}
StmtPtr makeOnError(bool resumeNext) {
  return std::make_unique<OnError>(resumeNext);
}
StmtPtr makeReDim(std::vector<ReDimNode> items, bool preserve) {
  return std::make_unique<ReDim>(std::move(items), preserve);
}
StmtPtr makeErase(std::vector<ReDimNode> targets) {
  return std::make_unique<Erase>(std::move(targets));
}

}  // namespace vbscript
