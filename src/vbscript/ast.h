// The syntax tree the parser builds and the compiler reads. It says what the source says and
// nothing more: names are not resolved yet, and `a(1)` is a call whether `a` turns out to be
// an array, a procedure or an object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vbscript/value.h"

namespace vbscript::ast {

struct Position {
  int32_t line = 0;
  int32_t column = 0;
};

// --- Expressions ---------------------------------------------------------------------------

enum class ExprKind : uint8_t {
  kLiteral,  // a number, text, date, True, False, Empty, Null, Nothing
  kName,     // a name
  kMe,
  kMember,  // object.name, or .name inside With (object null)
  kCall,    // callee(arguments): a call, an index or a default member
  kUnary,
  kBinary,
  kNew,
  kParen,  // (expression): kept because it makes a by-reference argument a copy
};

enum class Operator : uint8_t {
  kNegate,
  kPlus,  // unary +
  kNot,
  kPower,
  kMultiply,
  kDivide,
  kIntDivide,
  kMod,
  kAdd,
  kSubtract,
  kConcat,
  kEqual,
  kNotEqual,
  kLess,
  kGreater,
  kLessEqual,
  kGreaterEqual,
  kIs,
  kAnd,
  kOr,
  kXor,
  kEqv,
  kImp,
};

struct Expr {
  Expr(ExprKind kind, Position at) : kind(kind), at(at) {}
  virtual ~Expr() = default;
  ExprKind kind;
  Position at;
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
  LiteralExpr(Position at, Value value) : Expr(ExprKind::kLiteral, at), value(std::move(value)) {}
  Value value;
};

struct NameExpr : Expr {
  NameExpr(Position at, std::u16string name) : Expr(ExprKind::kName, at), name(std::move(name)) {}
  std::u16string name;
};

struct MeExpr : Expr {
  explicit MeExpr(Position at) : Expr(ExprKind::kMe, at) {}
};

struct MemberExpr : Expr {
  MemberExpr(Position at, ExprPtr object, std::u16string name)
      : Expr(ExprKind::kMember, at), object(std::move(object)), name(std::move(name)) {}
  ExprPtr object;  // null: the object of the innermost With
  std::u16string name;
};

struct CallExpr : Expr {
  CallExpr(Position at, ExprPtr callee, std::vector<ExprPtr> args)
      : Expr(ExprKind::kCall, at), callee(std::move(callee)), args(std::move(args)) {}
  ExprPtr callee;
  std::vector<ExprPtr> args;  // a null argument was left out: f(1, , 3)
};

struct UnaryExpr : Expr {
  UnaryExpr(Position at, Operator op, ExprPtr operand)
      : Expr(ExprKind::kUnary, at), op(op), operand(std::move(operand)) {}
  Operator op;
  ExprPtr operand;
};

struct BinaryExpr : Expr {
  BinaryExpr(Position at, Operator op, ExprPtr left, ExprPtr right)
      : Expr(ExprKind::kBinary, at), op(op), left(std::move(left)), right(std::move(right)) {}
  Operator op;
  ExprPtr left;
  ExprPtr right;
};

struct NewExpr : Expr {
  NewExpr(Position at, std::u16string className)
      : Expr(ExprKind::kNew, at), className(std::move(className)) {}
  std::u16string className;
};

struct ParenExpr : Expr {
  ParenExpr(Position at, ExprPtr inner) : Expr(ExprKind::kParen, at), inner(std::move(inner)) {}
  ExprPtr inner;
};

// --- Statements ----------------------------------------------------------------------------

enum class StmtKind : uint8_t {
  kAssign,
  kCall,
  kDim,
  kReDim,
  kConst,
  kErase,
  kIf,
  kSelect,
  kFor,
  kForEach,
  kDo,
  kExit,
  kWith,
  kOnError,
  kProcedure,
  kClass,
  kOptionExplicit,
};

struct Stmt {
  Stmt(StmtKind kind, Position at) : kind(kind), at(at) {}
  virtual ~Stmt() = default;
  StmtKind kind;
  Position at;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

enum class Access : uint8_t { kDefault, kPublic, kPrivate };

struct AssignStmt : Stmt {
  AssignStmt(Position at, ExprPtr target, ExprPtr value, bool isSet)
      : Stmt(StmtKind::kAssign, at),
        target(std::move(target)),
        value(std::move(value)),
        isSet(isSet) {}
  ExprPtr target;
  ExprPtr value;
  bool isSet;
};

// A procedure called as a statement: `name a, b`, `Call name(a, b)`, `obj.m a`, `name(a)`.
struct CallStmt : Stmt {
  CallStmt(Position at, ExprPtr callee, std::vector<ExprPtr> args)
      : Stmt(StmtKind::kCall, at), callee(std::move(callee)), args(std::move(args)) {}
  ExprPtr callee;
  std::vector<ExprPtr> args;
};

struct VariableDecl {
  Position at;
  std::u16string name;
  bool isArray = false;              // declared with parentheses
  std::vector<int32_t> upperBounds;  // empty for a dynamic array: Dim a()
};

struct DimStmt : Stmt {
  DimStmt(Position at, Access access) : Stmt(StmtKind::kDim, at), access(access) {}
  Access access;
  std::vector<VariableDecl> variables;
};

struct ReDimStmt : Stmt {
  struct Item {
    ExprPtr target;  // a name, or an object's member
    std::vector<ExprPtr> upperBounds;
  };
  ReDimStmt(Position at, bool preserve) : Stmt(StmtKind::kReDim, at), preserve(preserve) {}
  bool preserve;
  std::vector<Item> items;
};

struct ConstStmt : Stmt {
  struct Item {
    Position at;
    std::u16string name;
    ExprPtr value;
  };
  ConstStmt(Position at, Access access) : Stmt(StmtKind::kConst, at), access(access) {}
  Access access;
  std::vector<Item> items;
};

struct EraseStmt : Stmt {
  explicit EraseStmt(Position at) : Stmt(StmtKind::kErase, at) {}
  std::vector<ExprPtr> targets;
};

struct IfStmt : Stmt {
  struct Branch {
    ExprPtr condition;
    Block body;
  };
  explicit IfStmt(Position at) : Stmt(StmtKind::kIf, at) {}
  std::vector<Branch> branches;  // If and ElseIf, in order
  Block elseBody;
};

// Each Case lists the values it matches; VBScript has no ranges (To) or Is tests there.
struct SelectStmt : Stmt {
  struct Case {
    Position at;
    bool isElse = false;
    std::vector<ExprPtr> values;
    Block body;
  };
  explicit SelectStmt(Position at) : Stmt(StmtKind::kSelect, at) {}
  ExprPtr subject;
  std::vector<Case> cases;
};

struct ForStmt : Stmt {
  explicit ForStmt(Position at) : Stmt(StmtKind::kFor, at) {}
  ExprPtr variable;
  ExprPtr start;
  ExprPtr end;
  ExprPtr step;  // null: 1
  Block body;
};

struct ForEachStmt : Stmt {
  explicit ForEachStmt(Position at) : Stmt(StmtKind::kForEach, at) {}
  ExprPtr variable;
  ExprPtr collection;
  Block body;
};

struct DoStmt : Stmt {
  enum class Test : uint8_t { kNone, kWhileBefore, kUntilBefore, kWhileAfter, kUntilAfter };
  explicit DoStmt(Position at) : Stmt(StmtKind::kDo, at) {}
  Test test = Test::kNone;
  ExprPtr condition;
  Block body;
};

struct ExitStmt : Stmt {
  enum class What : uint8_t { kDo, kFor, kFunction, kSub, kProperty };
  ExitStmt(Position at, What what) : Stmt(StmtKind::kExit, at), what(what) {}
  What what;
};

struct WithStmt : Stmt {
  explicit WithStmt(Position at) : Stmt(StmtKind::kWith, at) {}
  ExprPtr object;
  Block body;
};

struct OnErrorStmt : Stmt {
  OnErrorStmt(Position at, bool resumeNext)
      : Stmt(StmtKind::kOnError, at), resumeNext(resumeNext) {}
  bool resumeNext;
};

struct OptionExplicitStmt : Stmt {
  explicit OptionExplicitStmt(Position at) : Stmt(StmtKind::kOptionExplicit, at) {}
};

enum class ProcedureKind : uint8_t { kSub, kFunction, kPropertyGet, kPropertyLet, kPropertySet };

struct Parameter {
  Position at;
  std::u16string name;
  bool byVal = false;
};

struct ProcedureStmt : Stmt {
  ProcedureStmt(Position at, ProcedureKind procedureKind)
      : Stmt(StmtKind::kProcedure, at), procedureKind(procedureKind) {}
  ProcedureKind procedureKind;
  Access access = Access::kDefault;
  bool isDefault = false;
  std::u16string name;
  std::vector<Parameter> parameters;
  Block body;
  Position end;  // of its End line
};

struct ClassStmt : Stmt {
  explicit ClassStmt(Position at) : Stmt(StmtKind::kClass, at) {}
  std::u16string name;
  std::vector<std::unique_ptr<DimStmt>> fields;
  std::vector<std::unique_ptr<ProcedureStmt>> procedures;
};

struct Program {
  Block statements;  // top-level statements, procedures and classes among them
};

}  // namespace vbscript::ast
