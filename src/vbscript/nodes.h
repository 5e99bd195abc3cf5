// The compiled form of a program: a tree of nodes, each knowing how to run itself, with every
// name already resolved to where its value lives (a slot of the frame, a global, a field of
// the instance, a built-in). The compiler builds them with the factories in node_factory.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vbscript/value.h"

namespace vbscript {

class Interpreter;
class SourceText;
struct Global;
struct Procedure;

// How a statement ended: normally, or by an Exit that an enclosing loop or the procedure takes.
enum class Flow : uint8_t { kNormal, kExitDo, kExitFor, kExitProcedure };

// The activation of one procedure (or of top-level code, or of code run by Execute).
struct Frame {
  Interpreter& vm;
  Value* slots;                // parameters, locals and hidden temporaries
  const Procedure* procedure;  // what runs
  ObjectRep* me;               // the instance a class's procedure runs on; else null
  Frame* outer;                // for Execute and Eval: the frame whose locals they reach
  bool resumeNext = false;     // On Error Resume Next is in force
};

// Where a by-reference argument lives: a variable, or an element of the array a variable
// holds (passed by copying in and back out).
struct Place {
  Value* slot = nullptr;
  size_t element = 0;
  bool isElement = false;
};

class ExprNode {
 public:
  virtual ~ExprNode() = default;
  virtual Value eval(Frame& frame) const = 0;
  // The storage of a variable, for writing to it or passing it by reference (declaring an
  // implicit variable on the way); nullptr for anything else.
  virtual Value* ref(Frame&) const { return nullptr; }
  // Where a by-reference argument lives, when it is a variable or an array element.
  virtual bool place(Frame& frame, Place& out) const {
    out.slot = ref(frame);
    out.isElement = false;
    return out.slot != nullptr;
  }
  // Assigns to what the expression names (Let, or Set when `isSet`). Expressions that name
  // nothing raise 501 Illegal assignment.
  virtual void assign(Frame& frame, Value value, bool isSet) const;
  // The truth of the value as a condition (If, While): Null is False.
  virtual bool truth(Frame& frame) const;
  // Whether the expression was written as a literal (for comparisons of numbers with texts).
  virtual bool isLiteral() const { return false; }

  int32_t line = 0;
  int32_t column = 0;

  // The leaves the operators and assignments read most, described so that they are read
  // without a virtual call (see fetch() in node_access.h): a slot of the frame, a constant, or
  // an implicit local (a slot while `leafGlobal` stays undeclared).
  enum class Leaf : uint8_t { kNone, kLocal, kConstant, kImplicit };
  Leaf leaf = Leaf::kNone;
  uint32_t leafSlot = 0;
  const Value* leafConstant = nullptr;
  const Global* leafGlobal = nullptr;
};
using ExprPtr = std::unique_ptr<ExprNode>;

class StmtNode {
 public:
  virtual ~StmtNode() = default;
  virtual Flow exec(Frame& frame) const = 0;

  int32_t line = 0;
  int32_t column = 0;
};
using StmtPtr = std::unique_ptr<StmtNode>;

// Statements run in order. A failing statement is located here (its line and column) and,
// under On Error Resume Next, skipped.
class Block {
 public:
  Flow exec(Frame& frame) const;
  void add(StmtPtr statement) { statements_.push_back(std::move(statement)); }
  bool empty() const { return statements_.empty(); }

 private:
  std::vector<StmtPtr> statements_;
};

}  // namespace vbscript
