// Nodes for the operators. Whole-number arithmetic and comparisons take a fast path; all else
// goes to the rules in operators.h. Objects take part through their default values.
#include <cmath>
#include <limits>

#include "platform/base/error.h"
#include "vbscript/interpreter.h"
#include "vbscript/node_access.h"
#include "vbscript/node_factory.h"
#include "vbscript/operators.h"

namespace vbscript {

namespace {

using ast::Operator;
using platform::ErrorCode;

// An operand as the operators take it: objects by their default values.
[[gnu::always_inline]] inline Value operand(Frame& frame, const ExprPtr& node) {
  Value value = fetch(frame, *node);
  if (value.isObject()) value = frame.vm.letValue(value);
  return value;
}

// Whole numbers of the fast paths: Integer and Long.
bool wholeOperands(const Value& a, const Value& b) {
  return (a.type() == Type::kInteger || a.type() == Type::kLong) &&
         (b.type() == Type::kInteger || b.type() == Type::kLong);
}
int64_t wholeOf(const Value& v) {
  return v.type() == Type::kInteger ? v.asInteger() : v.asLong();
}
// The result of Integer/Long arithmetic: Integer when both were and it fits, else Long, else
// Double.
Value wholeResult(int64_t result, const Value& a, const Value& b) {
  if (a.type() == Type::kInteger && b.type() == Type::kInteger && result >= -32768 &&
      result <= 32767)
    return Value::integer(static_cast<int16_t>(result));
  if (result >= std::numeric_limits<int32_t>::min() &&
      result <= std::numeric_limits<int32_t>::max())
    return Value::longValue(static_cast<int32_t>(result));
  return Value::dbl(static_cast<double>(result));
}

class Unary final : public ExprNode {
 public:
  Unary(Operator op, ExprPtr operand) : op_(op), operand_(std::move(operand)) {}

  Value eval(Frame& frame) const override {
    Value value = operand(frame, operand_);
    switch (op_) {
      case Operator::kNegate:
        if (value.type() == Type::kLong && value.asLong() != std::numeric_limits<int32_t>::min())
          return Value::longValue(-value.asLong());
        return ops::negate(value);
      case Operator::kNot:
        return ops::logicalNot(value);
      default:  // unary plus leaves the value as it is
        return value;
    }
  }
  bool isLiteral() const override { return operand_->isLiteral(); }

 private:
  Operator op_;
  ExprPtr operand_;
};

class Binary : public ExprNode {
 public:
  Binary(ExprPtr left, ExprPtr right) : left_(std::move(left)), right_(std::move(right)) {}

 protected:
  ExprPtr left_;
  ExprPtr right_;
};

// Doubles mixed with Integers and Longs: arithmetic in doubles, the result a Double. False
// for any other pair.
[[gnu::always_inline]] inline bool realOperands(const Value& a, const Value& b, double& x,
                                                double& y) {
  const auto real = [](const Value& v, double& out) {
    switch (v.type()) {
      case Type::kDouble:
        out = v.asDouble();
        return true;
      case Type::kInteger:
        out = v.asInteger();
        return true;
      case Type::kLong:
        out = v.asLong();
        return true;
      default:
        return false;
    }
  };
  return (a.type() == Type::kDouble || b.type() == Type::kDouble) && real(a, x) && real(b, y);
}

Value realResult(double value) {
  if (!std::isfinite(value)) platform::raise(ErrorCode::kOverflow);
  return Value::dbl(value);
}

class Add final : public Binary {
 public:
  using Binary::Binary;
  Value eval(Frame& frame) const override {
    Value a = operand(frame, left_);
    Value b = operand(frame, right_);
    if (wholeOperands(a, b)) return wholeResult(wholeOf(a) + wholeOf(b), a, b);
    double x, y;
    if (realOperands(a, b, x, y)) return realResult(x + y);
    return ops::add(a, b);
  }
};

class Subtract final : public Binary {
 public:
  using Binary::Binary;
  Value eval(Frame& frame) const override {
    Value a = operand(frame, left_);
    Value b = operand(frame, right_);
    if (wholeOperands(a, b)) return wholeResult(wholeOf(a) - wholeOf(b), a, b);
    double x, y;
    if (realOperands(a, b, x, y)) return realResult(x - y);
    return ops::subtract(a, b);
  }
};

class Multiply final : public Binary {
 public:
  using Binary::Binary;
  Value eval(Frame& frame) const override {
    Value a = operand(frame, left_);
    Value b = operand(frame, right_);
    if (wholeOperands(a, b)) return wholeResult(wholeOf(a) * wholeOf(b), a, b);
    double x, y;
    if (realOperands(a, b, x, y)) return realResult(x * y);
    return ops::multiply(a, b);
  }
};

// The operators without a fast path.
class Arithmetic final : public Binary {
 public:
  using Function = Value (*)(const Value&, const Value&);
  Arithmetic(Function function, ExprPtr left, ExprPtr right)
      : Binary(std::move(left), std::move(right)), function_(function) {}
  Value eval(Frame& frame) const override {
    Value a = operand(frame, left_);
    Value b = operand(frame, right_);
    return function_(a, b);
  }

 private:
  Function function_;
};

class Concat final : public Binary {
 public:
  using Binary::Binary;
  Value eval(Frame& frame) const override {
    Value a = operand(frame, left_);
    Value b = operand(frame, right_);
    Value result = ops::concat(a, b);
    if (result.isString()) frame.vm.tick(Interpreter::costOf(result.asString().size()));
    return result;
  }
};

class Comparison final : public Binary {
 public:
  Comparison(Operator op, ExprPtr left, ExprPtr right)
      : Binary(std::move(left), std::move(right)),
        op_(op),
        leftLiteral_(left_->isLiteral()),
        rightLiteral_(right_->isLiteral()) {}

  Value eval(Frame& frame) const override {
    const int order = compare(frame);
    if (order == kUnordered) return Value::null();
    return Value::boolean(holds(order));
  }
  bool truth(Frame& frame) const override {
    const int order = compare(frame);
    return order != kUnordered && holds(order);
  }

 private:
  // Null on either side. (A plain int: an optional<int> made in memory and read back as one
  // register costs a store-forwarding stall on this hot path.)
  static constexpr int kUnordered = 2;

  int compare(Frame& frame) const {
    const Value a = operand(frame, left_);
    const Value b = operand(frame, right_);
    if (wholeOperands(a, b)) {
      const int64_t x = wholeOf(a);
      const int64_t y = wholeOf(b);
      return x < y ? -1 : (x > y ? 1 : 0);
    }
    const std::optional<int> order = ops::compare(a, b, leftLiteral_, rightLiteral_);
    return order ? *order : kUnordered;
  }

  bool holds(int order) const {
    switch (op_) {
      case Operator::kEqual:
        return order == 0;
      case Operator::kNotEqual:
        return order != 0;
      case Operator::kLess:
        return order < 0;
      case Operator::kGreater:
        return order > 0;
      case Operator::kLessEqual:
        return order <= 0;
      default:
        return order >= 0;
    }
  }

  Operator op_;
  bool leftLiteral_;
  bool rightLiteral_;
};

// a Is b: the same object (or both Nothing).
class Is final : public Binary {
 public:
  using Binary::Binary;
  Value eval(Frame& frame) const override {
    const Value a = left_->eval(frame);
    const Value b = right_->eval(frame);
    if (!a.isObject() || !b.isObject()) platform::raise(ErrorCode::kObjectRequired);
    const auto identity = [](const Value& v) {
      return v.objectRep() ? v.objectRep()->object.get() : nullptr;
    };
    return Value::boolean(identity(a) == identity(b));
  }
};

}  // namespace

ExprPtr makeUnary(Operator op, ExprPtr operand) {
  return std::make_unique<Unary>(op, std::move(operand));
}

ExprPtr makeBinary(Operator op, ExprPtr left, ExprPtr right) {
  switch (op) {
    case Operator::kAdd:
      return std::make_unique<Add>(std::move(left), std::move(right));
    case Operator::kSubtract:
      return std::make_unique<Subtract>(std::move(left), std::move(right));
    case Operator::kMultiply:
      return std::make_unique<Multiply>(std::move(left), std::move(right));
    case Operator::kDivide:
      return std::make_unique<Arithmetic>(ops::divide, std::move(left), std::move(right));
    case Operator::kIntDivide:
      return std::make_unique<Arithmetic>(ops::intDivide, std::move(left), std::move(right));
    case Operator::kMod:
      return std::make_unique<Arithmetic>(ops::modulo, std::move(left), std::move(right));
    case Operator::kPower:
      return std::make_unique<Arithmetic>(ops::power, std::move(left), std::move(right));
    case Operator::kConcat:
      return std::make_unique<Concat>(std::move(left), std::move(right));
    case Operator::kAnd:
      return std::make_unique<Arithmetic>(ops::logicalAnd, std::move(left), std::move(right));
    case Operator::kOr:
      return std::make_unique<Arithmetic>(ops::logicalOr, std::move(left), std::move(right));
    case Operator::kXor:
      return std::make_unique<Arithmetic>(ops::logicalXor, std::move(left), std::move(right));
    case Operator::kEqv:
      return std::make_unique<Arithmetic>(ops::logicalEqv, std::move(left), std::move(right));
    case Operator::kImp:
      return std::make_unique<Arithmetic>(ops::logicalImp, std::move(left), std::move(right));
    case Operator::kIs:
      return std::make_unique<Is>(std::move(left), std::move(right));
    default:
      return std::make_unique<Comparison>(op, std::move(left), std::move(right));
  }
}

}  // namespace vbscript
