// The nodes the compiler builds programs from. Each factory says what the node does when run;
// the classes themselves stay private to the files that implement them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vbscript/ast.h"
#include "vbscript/nodes.h"
#include "vbscript/runtime/builtins.h"

namespace vbscript {

struct ClassInfo;
struct Global;
struct Procedure;

// --- Values and variables (node_variables.cpp) ---------------------------------------------

ExprPtr makeConstant(Value value, bool literal);
ExprPtr makeLocal(uint32_t slot);
// A by-reference parameter: its slot points at the caller's storage.
ExprPtr makeByRefParameter(uint32_t slot);
// A local of the frame that Execute or Eval runs inside.
ExprPtr makeOuterLocal(uint32_t slot, bool byRef);
// A field of the instance a class's procedure runs on.
ExprPtr makeField(uint32_t index);
// A global, whatever it turns out to be when the code runs: a variable (declared on
// its first assignment unless `optionExplicit`), a constant, a named object, a procedure
// (called without arguments) or nothing yet (Empty, or 500 under Option Explicit).
ExprPtr makeGlobal(Global* global, std::u16string name, bool optionExplicit);
// Inside a procedure, a name nothing declared when it was compiled: the global of that name
// if one is declared by the time it runs, else an implicit local.
ExprPtr makeGlobalOrLocal(Global* global, uint32_t slot, std::u16string name, bool optionExplicit);
ExprPtr makeMe();
ExprPtr makeErr();
// (expression): a value, never a variable, so a by-reference argument gets a copy.
ExprPtr makeParen(ExprPtr inner);

// --- Operators (node_operators.cpp) --------------------------------------------------------

ExprPtr makeUnary(ast::Operator op, ExprPtr operand);
ExprPtr makeBinary(ast::Operator op, ExprPtr left, ExprPtr right);

// --- Calls and objects (node_calls.cpp) ----------------------------------------------------

// A procedure of the current instance's class, or one known for certain.
ExprPtr makeCallProcedure(const Procedure* procedure, std::vector<ExprPtr> args);
// `global` called with arguments: a procedure, or a variable indexed or called. In a
// procedure, `localSlot` is the implicit local used while no such global is declared.
ExprPtr makeCallGlobal(Global* global, std::u16string name, std::vector<ExprPtr> args,
                       bool asStatement, bool optionExplicit, uint32_t localSlot = UINT32_MAX);
// base(args): an array element, or the default member of an object.
ExprPtr makeIndex(ExprPtr base, std::vector<ExprPtr> args, bool asStatement);
// object.name or object.name(args).
ExprPtr makeMember(ExprPtr object, std::u16string name, std::vector<ExprPtr> args,
                   bool asStatement);
ExprPtr makeBuiltin(const Builtin* builtin, std::vector<ExprPtr> args);
// New name: a class of the script, or RegExp.
ExprPtr makeNew(Global* global, std::u16string name);
// Eval(text), GetRef(name), Execute text, ExecuteGlobal text.
ExprPtr makeEval(std::vector<ExprPtr> args);
ExprPtr makeGetRef(std::vector<ExprPtr> args);
ExprPtr makeExecute(std::vector<ExprPtr> args, bool global);
// CreateObject(progId): an object of the services' catalogue (429 for any other name).
ExprPtr makeCreateObject(std::vector<ExprPtr> args);
// GetObject(...): reaching objects outside the script is not for parsers: always 429.
ExprPtr makeGetObject(std::vector<ExprPtr> args);

// --- Statements (node_statements.cpp) ------------------------------------------------------

struct BranchNode {
  ExprPtr condition;
  Block body;
};
struct CaseNode {
  bool isElse = false;
  std::vector<ExprPtr> values;
  Block body;
};
struct ReDimNode {
  ExprPtr target;
  std::vector<ExprPtr> upperBounds;
  bool fixed = false;                   // declared with sizes: 10 This array is fixed
  const Global* fixedGlobal = nullptr;  // a global checked when it runs
};

StmtPtr makeExpressionStatement(ExprPtr expression);
StmtPtr makeAssign(ExprPtr target, ExprPtr value, bool isSet);
// Stores a value in a slot as it is, objects included (what Eval gives back).
StmtPtr makeStore(uint32_t slot, ExprPtr value);
// target = target & a & b ...: appends to the variable's text in place when nothing else
// holds it.
StmtPtr makeAppend(ExprPtr target, std::vector<ExprPtr> parts);
StmtPtr makeIf(std::vector<BranchNode> branches, Block elseBody);
StmtPtr makeSelect(ExprPtr subject, std::vector<CaseNode> cases);
StmtPtr makeFor(ExprPtr variable, ExprPtr start, ExprPtr end, ExprPtr step, Block body);
StmtPtr makeForEach(ExprPtr variable, ExprPtr collection, Block body);
StmtPtr makeDo(ast::DoStmt::Test test, ExprPtr condition, Block body);
StmtPtr makeExit(Flow flow);
StmtPtr makeWith(uint32_t slot, ExprPtr object, Block body);
StmtPtr makeOnError(bool resumeNext);
StmtPtr makeReDim(std::vector<ReDimNode> items, bool preserve);
// Erase: a fixed array's elements become Empty; a dynamic array loses its dimensions.
StmtPtr makeErase(std::vector<ReDimNode> targets);

}  // namespace vbscript
