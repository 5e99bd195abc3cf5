#include "vbscript/compiler.h"

#include <unordered_map>
#include <unordered_set>

#include "platform/base/text.h"
#include "vbscript/diagnostics.h"
#include "vbscript/node_factory.h"
#include "vbscript/operators.h"
#include "vbscript/parser.h"

namespace vbscript {

namespace {

using ast::Access;
using ast::AssignStmt;
using ast::BinaryExpr;
using ast::CallExpr;
using ast::CallStmt;
using ast::ClassStmt;
using ast::ConstStmt;
using ast::DimStmt;
using ast::DoStmt;
using ast::EraseStmt;
using ast::ExitStmt;
using ast::Expr;
using ast::ExprKind;
using ast::ForEachStmt;
using ast::ForStmt;
using ast::IfStmt;
using ast::LiteralExpr;
using ast::MemberExpr;
using ast::NameExpr;
using ast::NewExpr;
using ast::OnErrorStmt;
using ast::Operator;
using ast::Parameter;
using ast::ParenExpr;
using ast::Position;
using ast::ProcedureKind;
using ast::ProcedureStmt;
using ast::Program;
using ast::ReDimStmt;
using ast::SelectStmt;
using ast::Stmt;
using ast::StmtKind;
using ast::UnaryExpr;
using ast::VariableDecl;
using ast::WithStmt;
using platform::ErrorCode;

std::u16string lower(std::u16string_view name) {
  return platform::toLower(name);
}

[[noreturn]] void fail(ErrorCode code, Position at) {
  throw CompileError(code, at.line, at.column);
}

enum class Intrinsic {
  kNone,
  kErr,
  kEval,
  kGetRef,
  kExecute,
  kExecuteGlobal,
  kCreateObject,
  kGetObject
};

Intrinsic intrinsicNamed(std::u16string_view lowerName) {
  if (lowerName == u"err") return Intrinsic::kErr;
  if (lowerName == u"eval") return Intrinsic::kEval;
  if (lowerName == u"getref") return Intrinsic::kGetRef;
  if (lowerName == u"execute") return Intrinsic::kExecute;
  if (lowerName == u"executeglobal") return Intrinsic::kExecuteGlobal;
  if (lowerName == u"createobject") return Intrinsic::kCreateObject;
  if (lowerName == u"getobject") return Intrinsic::kGetObject;
  return Intrinsic::kNone;
}

// What a declared name of a procedure (or of code run in a frame) is.
struct LocalName {
  enum class Kind { kSlot, kByRef, kConstant, kResult };
  explicit LocalName(Kind kind, uint32_t slot = 0) : kind(kind), slot(slot) {}
  Kind kind;
  uint32_t slot;
  Value constant;
  bool fixedArray = false;
};

// What a name means where it is used.
struct Resolved {
  enum class Kind {
    kLocal,
    kByRef,
    kResult,
    kConstant,
    kOuter,
    kField,
    kMethod,
    kGlobal,
    kBuiltinConstant,
    kBuiltin,
    kIntrinsic,
  };
  explicit Resolved(Kind kind) : kind(kind) {}
  Kind kind;
  uint32_t slot = 0;
  bool byRef = false;
  Value constant;
  const ClassInfo::Member* member = nullptr;
  const Builtin* builtin = nullptr;
  Intrinsic intrinsic = Intrinsic::kNone;
  bool fixedArray = false;
};

// A global this piece of code declares, applied once all of it compiled.
struct PendingGlobal {
  Global::Kind kind = Global::Kind::kVariable;
  Procedure* procedure = nullptr;
  std::shared_ptr<ClassInfo> cls;
  Value constant;
  bool isArray = false;
  std::vector<int32_t> upperBounds;
  bool byReDim = false;  // declared by a ReDim: keeps the value it may already hold
};

struct Scope {
  enum class Kind { kTopLevel, kProcedure, kInFrame };
  Scope(Kind kind, Procedure* procedure, const ClassInfo* cls = nullptr)
      : kind(kind), procedure(procedure), cls(cls) {}
  Kind kind;
  Procedure* procedure;
  const ClassInfo* cls;
  const Frame* frame = nullptr;  // kInFrame
  std::unordered_map<std::u16string, LocalName> names;
  std::unordered_map<std::u16string, uint32_t> implicit;  // implicit locals
  std::vector<uint32_t> withSlots;
  int doDepth = 0;
  int forDepth = 0;
  uint32_t nextSlot = 0;

  uint32_t newSlot() { return nextSlot++; }
};

class Compiler {
 public:
  Compiler(Interpreter& vm, std::shared_ptr<const SourceText> source, bool optionExplicit)
      : vm_(vm), source_(std::move(source)), explicit_(optionExplicit) {}

  std::unique_ptr<Procedure> program(const Program& program) {
    for (const ast::StmtPtr& statement : program.statements) {
      if (statement->kind == StmtKind::kOptionExplicit) explicit_ = true;
    }
    declareClasses(program);
    declareProcedures(program);
    declareGlobals(program.statements);
    for (auto& [procedure, declaration] : bodies_)
      compileProcedure(*procedure, *declaration);

    auto main = newProcedure(u"", ProcedureKind::kSub, nullptr, {1, 0});
    main->isTopLevel = true;
    Scope scope(Scope::Kind::kTopLevel, main.get());
    scope_ = &scope;
    main->body = block(program.statements);
    main->frameSize = scope.nextSlot;
    scope_ = nullptr;
    commit();
    return main;
  }

  std::unique_ptr<Procedure> inFrame(const Frame& frame, const Program* program,
                                     const ast::Expr* expression) {
    auto code = newProcedure(u"", ProcedureKind::kSub, nullptr, {1, 0});
    Scope scope(Scope::Kind::kInFrame, code.get());
    scope.frame = &frame;
    scope.cls = frame.procedure->owner;
    scope_ = &scope;
    if (expression != nullptr) {
      code->resultSlot = scope.newSlot();
      code->body.add(makeStore(code->resultSlot, expr(*expression)));
    } else {
      for (const ast::StmtPtr& statement : program->statements) {
        if (statement->kind == StmtKind::kOptionExplicit) explicit_ = true;
      }
      declareClasses(*program);
      declareProcedures(*program);
      declareLocals(program->statements);
      for (auto& [procedure, declaration] : bodies_)
        compileInOwnScope(*procedure, *declaration);
      scope_ = &scope;
      code->body = block(program->statements);
    }
    code->frameSize = scope.nextSlot;
    scope_ = nullptr;
    commit();
    return code;
  }

 private:
  // --- Declarations ------------------------------------------------------------------------

  std::unique_ptr<Procedure> newProcedure(std::u16string name, ProcedureKind kind, ClassInfo* owner,
                                          Position at) {
    auto procedure = std::make_unique<Procedure>();
    procedure->name = std::move(name);
    procedure->kind = kind;
    procedure->owner = owner;
    procedure->source = source_;
    procedure->optionExplicit = explicit_;
    procedure->at = at;
    return procedure;
  }

  // A procedure whose body compiles once every name of the program is known.
  Procedure* prepare(const ProcedureStmt& declaration, ClassInfo* owner) {
    auto procedure =
        newProcedure(declaration.name, declaration.procedureKind, owner, declaration.at);
    for (const Parameter& parameter : declaration.parameters)
      procedure->byRef.push_back(!parameter.byVal);
    Procedure* raw = procedure.get();
    bodies_.emplace_back(raw, &declaration);
    procedures_.push_back(std::move(procedure));
    return raw;
  }

  bool declaredHere(const std::u16string& key) const { return pending_.count(key) != 0; }

  PendingGlobal& declare(const std::u16string& name, Position at) {
    const std::u16string key = lower(name);
    if (declaredHere(key)) fail(ErrorCode::kNameRedefined, at);
    globalIndexOf(name);
    return pending_[key];
  }

  uint32_t globalIndexOf(std::u16string_view name) {
    const std::u16string key = lower(name);
    auto it = indexes_.find(key);
    if (it != indexes_.end()) return it->second;
    const uint32_t index = vm_.globalIndex(name);
    indexes_.emplace(key, index);
    return index;
  }

  void declareClasses(const Program& program) {
    for (const ast::StmtPtr& statement : program.statements) {
      if (statement->kind != StmtKind::kClass) continue;
      const auto& declaration = static_cast<const ClassStmt&>(*statement);
      auto cls = std::make_shared<ClassInfo>();
      cls->name = declaration.name;
      for (const auto& dim : declaration.fields) {
        for (const VariableDecl& variable : dim->variables) {
          ClassInfo::Member member;
          member.name = variable.name;
          member.isPublic = dim->access != Access::kPrivate;
          member.field = static_cast<int32_t>(cls->fields.size());
          addMember(*cls, std::move(member), variable.at);
          cls->fields.push_back({variable.name, variable.isArray, variable.upperBounds});
        }
      }
      for (const auto& procedureStmt : declaration.procedures) {
        Procedure* procedure = prepare(*procedureStmt, cls.get());
        const std::u16string key = lower(procedureStmt->name);
        if (key == u"class_initialize" || key == u"class_terminate") {
          if (procedureStmt->procedureKind != ProcedureKind::kSub)
            fail(ErrorCode::kSyntaxError, procedureStmt->at);
          if (!procedureStmt->parameters.empty())
            fail(ErrorCode::kInitializeWithArguments, procedureStmt->at);
          (key == u"class_initialize" ? cls->initialize : cls->terminate) = procedure;
        }
        addProcedureMember(*cls, *procedureStmt, procedure);
      }
      PendingGlobal& global = declare(declaration.name, declaration.at);
      global.kind = Global::Kind::kClass;
      global.cls = cls;
      classes_.push_back(std::move(cls));
    }
  }

  static void addMember(ClassInfo& cls, ClassInfo::Member member, Position at) {
    const std::u16string key = lower(member.name);
    if (cls.memberIndex.count(key)) fail(ErrorCode::kNameRedefined, at);
    cls.memberIndex.emplace(key, cls.members.size());
    cls.members.push_back(std::move(member));
  }

  static void addProcedureMember(ClassInfo& cls, const ProcedureStmt& declaration,
                                 Procedure* procedure) {
    const std::u16string key = lower(declaration.name);
    auto it = cls.memberIndex.find(key);
    ClassInfo::Member* member = nullptr;
    if (it == cls.memberIndex.end()) {
      ClassInfo::Member fresh;
      fresh.name = declaration.name;
      fresh.isPublic = declaration.access != Access::kPrivate;
      addMember(cls, std::move(fresh), declaration.at);
      member = &cls.members.back();
    } else {
      member = &cls.members[it->second];
    }
    Procedure** slot = nullptr;
    switch (declaration.procedureKind) {
      case ProcedureKind::kSub:
        slot = &member->sub;
        break;
      case ProcedureKind::kFunction:
      case ProcedureKind::kPropertyGet:
        slot = &member->get;
        break;
      case ProcedureKind::kPropertyLet:
        slot = &member->let;
        break;
      case ProcedureKind::kPropertySet:
        slot = &member->set;
        break;
    }
    const bool isProperty = declaration.procedureKind == ProcedureKind::kPropertyGet ||
                            declaration.procedureKind == ProcedureKind::kPropertyLet ||
                            declaration.procedureKind == ProcedureKind::kPropertySet;
    // One name is one Sub, one Function, or the accessors of one property.
    const bool clash =
        *slot != nullptr || member->field >= 0 ||
        (!isProperty && (member->sub || member->get || member->let || member->set)) ||
        (isProperty &&
         (member->sub || (member->get && member->get->kind != ProcedureKind::kPropertyGet)));
    if (clash) fail(ErrorCode::kNameRedefined, declaration.at);
    *slot = procedure;
    // A property's accessors take the same indexes; Let and Set take the value after them.
    if (isProperty) {
      const auto indexes = [](const Procedure* accessor, size_t valueCount) {
        return static_cast<int64_t>(accessor->byRef.size()) - static_cast<int64_t>(valueCount);
      };
      const int64_t own = indexes(procedure, slot == &member->get ? 0 : 1);
      if ((member->get && indexes(member->get, 0) != own) ||
          (member->let && indexes(member->let, 1) != own) ||
          (member->set && indexes(member->set, 1) != own))
        fail(ErrorCode::kInconsistentPropertyArguments, declaration.at);
    }
    if (declaration.access == Access::kPublic) member->isPublic = true;
    if (declaration.isDefault) {
      const auto index = static_cast<int32_t>(member - cls.members.data());
      if (cls.defaultMember >= 0 && cls.defaultMember != index)
        fail(ErrorCode::kMultipleDefaults, declaration.at);
      cls.defaultMember = index;
    }
  }

  void declareProcedures(const Program& program) {
    for (const ast::StmtPtr& statement : program.statements) {
      if (statement->kind != StmtKind::kProcedure) continue;
      const auto& declaration = static_cast<const ProcedureStmt&>(*statement);
      PendingGlobal& global = declare(declaration.name, declaration.at);
      global.kind = Global::Kind::kProcedure;
      global.procedure = prepare(declaration, nullptr);
    }
  }

  // Global Dim and Const, wherever they stand in the top-level code.
  void declareGlobals(const ast::Block& statements) {
    forEachDeclaration(statements, [&](const Stmt& statement) {
      if (statement.kind == StmtKind::kDim) {
        for (const VariableDecl& variable : static_cast<const DimStmt&>(statement).variables) {
          PendingGlobal& global = declare(variable.name, variable.at);
          global.kind = Global::Kind::kVariable;
          global.isArray = variable.isArray;
          global.upperBounds = variable.upperBounds;
        }
      } else {
        for (const ConstStmt::Item& item : static_cast<const ConstStmt&>(statement).items) {
          Value value = constantValue(*item.value);
          PendingGlobal& global = declare(item.name, item.at);
          global.kind = Global::Kind::kConstant;
          global.constant = std::move(value);
        }
      }
    });
  }

  // Dim and Const of code run in a frame: locals of its own.
  void declareLocals(const ast::Block& statements) {
    forEachDeclaration(statements, [&](const Stmt& statement) { declareLocal(statement); });
  }

  void declareLocal(const Stmt& statement) {
    Scope& scope = *scope_;
    if (statement.kind == StmtKind::kDim) {
      for (const VariableDecl& variable : static_cast<const DimStmt&>(statement).variables) {
        const std::u16string key = lower(variable.name);
        if (scope.names.count(key)) fail(ErrorCode::kNameRedefined, variable.at);
        LocalName local(LocalName::Kind::kSlot, scope.newSlot());
        local.fixedArray = variable.isArray && !variable.upperBounds.empty();
        if (variable.isArray)
          scope.procedure->fixedArrays.push_back({local.slot, variable.upperBounds});
        scope.names.emplace(key, std::move(local));
      }
    } else {
      for (const ConstStmt::Item& item : static_cast<const ConstStmt&>(statement).items) {
        const std::u16string key = lower(item.name);
        if (scope.names.count(key)) fail(ErrorCode::kNameRedefined, item.at);
        LocalName local(LocalName::Kind::kConstant);
        local.constant = constantValue(*item.value);
        scope.names.emplace(key, std::move(local));
      }
    }
  }

  // Calls `visit` for every Dim and Const in `statements` and the blocks nested in them.
  template <class Visit>
  static void forEachDeclaration(const ast::Block& statements, Visit&& visit) {
    for (const ast::StmtPtr& statement : statements) {
      switch (statement->kind) {
        case StmtKind::kDim:
        case StmtKind::kConst:
          visit(*statement);
          break;
        case StmtKind::kIf: {
          const auto& stmt = static_cast<const IfStmt&>(*statement);
          for (const IfStmt::Branch& branch : stmt.branches)
            forEachDeclaration(branch.body, visit);
          forEachDeclaration(stmt.elseBody, visit);
          break;
        }
        case StmtKind::kSelect:
          for (const SelectStmt::Case& entry : static_cast<const SelectStmt&>(*statement).cases)
            forEachDeclaration(entry.body, visit);
          break;
        case StmtKind::kFor:
          forEachDeclaration(static_cast<const ForStmt&>(*statement).body, visit);
          break;
        case StmtKind::kForEach:
          forEachDeclaration(static_cast<const ForEachStmt&>(*statement).body, visit);
          break;
        case StmtKind::kDo:
          forEachDeclaration(static_cast<const DoStmt&>(*statement).body, visit);
          break;
        case StmtKind::kWith:
          forEachDeclaration(static_cast<const WithStmt&>(*statement).body, visit);
          break;
        default:
          break;
      }
    }
  }

  // The value of a Const: a literal, possibly signed or in parentheses, or another constant.
  Value constantValue(const Expr& e) {
    switch (e.kind) {
      case ExprKind::kLiteral:
        return static_cast<const LiteralExpr&>(e).value;
      case ExprKind::kParen:
        return constantValue(*static_cast<const ParenExpr&>(e).inner);
      case ExprKind::kUnary: {
        const auto& unary = static_cast<const UnaryExpr&>(e);
        Value operand = constantValue(*unary.operand);
        if (unary.op == Operator::kNegate) return ops::negate(operand, vm_.locale());
        if (unary.op == Operator::kPlus) return operand;
        break;
      }
      case ExprKind::kName: {
        const std::u16string key = lower(static_cast<const NameExpr&>(e).name);
        if (scope_ != nullptr) {
          auto it = scope_->names.find(key);
          if (it != scope_->names.end() && it->second.kind == LocalName::Kind::kConstant)
            return it->second.constant;
        }
        auto pending = pending_.find(key);
        if (pending != pending_.end() && pending->second.kind == Global::Kind::kConstant)
          return pending->second.constant;
        if (auto index = vm_.findGlobal(key)) {
          const Global& global = vm_.global(*index);
          if (global.kind == Global::Kind::kConstant) return global.value;
        }
        if (const platform::Variant* builtin = findBuiltinConstant(key))
          return fromVariant(*builtin);
        break;
      }
      default:
        break;
    }
    fail(ErrorCode::kExpectedLiteral, e.at);
  }

  // Applies the declarations: nothing of a program that failed to compile is left behind.
  void commit() {
    for (auto& procedure : procedures_)
      vm_.adopt(std::move(procedure));
    for (auto& cls : classes_)
      vm_.adoptClass(cls);
    for (auto& [key, pending] : pending_) {
      Global& global = vm_.global(indexes_.at(key));
      switch (pending.kind) {
        case Global::Kind::kVariable:
          if (pending.byReDim) {
            global.kind = Global::Kind::kVariable;
            break;
          }
          if (global.kind != Global::Kind::kVariable || pending.isArray) {
            global.value =
                pending.isArray ? makeArray(boundsOfDeclared(pending.upperBounds)) : Value();
          }
          global.kind = Global::Kind::kVariable;
          global.fixedArray = pending.isArray && !pending.upperBounds.empty();
          global.procedure = nullptr;
          break;
        case Global::Kind::kConstant:
          global.kind = Global::Kind::kConstant;
          global.value = pending.constant;
          global.procedure = nullptr;
          break;
        case Global::Kind::kProcedure:
          global.kind = Global::Kind::kProcedure;
          global.value = Value();
          global.procedure = pending.procedure;
          break;
        case Global::Kind::kClass:
          global.kind = Global::Kind::kClass;
          global.value = Value();
          global.procedure = nullptr;
          global.cls = pending.cls;
          break;
        default:
          break;
      }
    }
  }

  static std::vector<platform::VariantArray::Bound> boundsOfDeclared(
      const std::vector<int32_t>& upperBounds) {
    std::vector<platform::VariantArray::Bound> bounds;
    for (int32_t upper : upperBounds)
      bounds.push_back({0, upper + 1});
    return bounds;
  }

  // --- Procedures --------------------------------------------------------------------------

  void compileProcedure(Procedure& procedure, const ProcedureStmt& declaration) {
    Scope scope(Scope::Kind::kProcedure, &procedure, procedure.owner);
    compileBody(scope, procedure, declaration);
  }

  // A procedure declared by code run in a frame: a scope of its own all the same.
  void compileInOwnScope(Procedure& procedure, const ProcedureStmt& declaration) {
    Scope* saved = scope_;
    compileProcedure(procedure, declaration);
    scope_ = saved;
  }

  void compileBody(Scope& scope, Procedure& procedure, const ProcedureStmt& declaration) {
    scope_ = &scope;
    const size_t count = declaration.parameters.size();
    for (size_t i = 0; i < count; ++i) {
      const Parameter& parameter = declaration.parameters[i];
      const std::u16string key = lower(parameter.name);
      if (scope.names.count(key)) fail(ErrorCode::kNameRedefined, parameter.at);
      LocalName local(parameter.byVal ? LocalName::Kind::kSlot : LocalName::Kind::kByRef,
                      static_cast<uint32_t>(i));
      scope.names.emplace(key, std::move(local));
    }
    scope.nextSlot = static_cast<uint32_t>(2 * count);
    const ProcedureKind kind = declaration.procedureKind;
    if (kind == ProcedureKind::kFunction || kind == ProcedureKind::kPropertyGet) {
      procedure.resultSlot = scope.newSlot();
      scope.names.emplace(lower(declaration.name),
                          LocalName(LocalName::Kind::kResult, procedure.resultSlot));
    }
    forEachDeclaration(declaration.body, [&](const Stmt& statement) { declareLocal(statement); });
    procedure.body = block(declaration.body);
    procedure.frameSize = scope.nextSlot;
    for (const auto& [key, local] : scope.names) {
      if (local.kind != LocalName::Kind::kConstant)
        procedure.locals.emplace(
            key, Procedure::Local{local.slot, local.kind == LocalName::Kind::kByRef, false});
    }
    for (const auto& [key, slot] : scope.implicit)
      procedure.locals.emplace(key, Procedure::Local{slot, false, true});
    scope_ = nullptr;
  }

  // --- Names -------------------------------------------------------------------------------

  Resolved resolve(std::u16string_view name) {
    const std::u16string key = lower(name);
    Scope& scope = *scope_;
    Resolved r(Resolved::Kind::kGlobal);
    auto local = scope.names.find(key);
    if (local != scope.names.end()) {
      switch (local->second.kind) {
        case LocalName::Kind::kSlot:
          r.kind = Resolved::Kind::kLocal;
          break;
        case LocalName::Kind::kByRef:
          r.kind = Resolved::Kind::kByRef;
          break;
        case LocalName::Kind::kResult:
          r.kind = Resolved::Kind::kResult;
          break;
        case LocalName::Kind::kConstant:
          r.kind = Resolved::Kind::kConstant;
          r.constant = local->second.constant;
          return r;
      }
      r.slot = local->second.slot;
      r.fixedArray = local->second.fixedArray;
      return r;
    }
    if (scope.kind == Scope::Kind::kInFrame) {
      const auto& outer = scope.frame->procedure->locals;
      auto it = outer.find(key);
      if (it != outer.end() && !(it->second.implicit && knownGlobal(key))) {
        r.kind = Resolved::Kind::kOuter;
        r.slot = it->second.slot;
        r.byRef = it->second.byRef;
        return r;
      }
    }
    if (scope.cls != nullptr) {
      if (const ClassInfo::Member* member = scope.cls->find(key)) {
        r.kind = member->field >= 0 ? Resolved::Kind::kField : Resolved::Kind::kMethod;
        r.slot = static_cast<uint32_t>(std::max(member->field, 0));
        r.member = member;
        return r;
      }
    }
    if (knownGlobal(key)) {
      r.slot = globalIndexOf(name);
      return r;
    }
    if (Intrinsic intrinsic = intrinsicNamed(key); intrinsic != Intrinsic::kNone) {
      r.kind = Resolved::Kind::kIntrinsic;
      r.intrinsic = intrinsic;
      return r;
    }
    if (const platform::Variant* constant = findBuiltinConstant(key)) {
      r.kind = Resolved::Kind::kBuiltinConstant;
      r.constant = fromVariant(*constant);
      return r;
    }
    if (const Builtin* builtin = findBuiltin(key)) {
      r.kind = Resolved::Kind::kBuiltin;
      r.builtin = builtin;
      return r;
    }
    r.slot = globalIndexOf(name);
    return r;
  }

  // Whether `key` is declared (here or before) as something other than a name in waiting.
  bool knownGlobal(const std::u16string& key) const {
    if (pending_.count(key)) return true;
    auto index = vm_.findGlobal(key);
    return index && vm_.global(*index).kind != Global::Kind::kUndeclared;
  }

  bool inProcedure() const { return scope_->kind != Scope::Kind::kTopLevel; }

  // The implicit local a procedure gets for a name nothing declares.
  uint32_t implicitSlot(const std::u16string& name) {
    const std::u16string key = lower(name);
    auto it = scope_->implicit.find(key);
    if (it != scope_->implicit.end()) return it->second;
    const uint32_t slot = scope_->newSlot();
    scope_->implicit.emplace(key, slot);
    return slot;
  }

  ExprPtr globalRead(const Resolved& r, const std::u16string& name) {
    if (inProcedure() && !knownGlobal(lower(name)))
      return makeGlobalOrLocal(&vm_.global(r.slot), implicitSlot(name), name, explicit_);
    return makeGlobal(&vm_.global(r.slot), name, explicit_);
  }

  ExprPtr nameRead(const std::u16string& name, Position at) {
    const Resolved r = resolve(name);
    switch (r.kind) {
      case Resolved::Kind::kLocal:
      case Resolved::Kind::kResult:
        return makeLocal(r.slot);
      case Resolved::Kind::kByRef:
        return makeByRefParameter(r.slot);
      case Resolved::Kind::kConstant:
      case Resolved::Kind::kBuiltinConstant:
        return makeConstant(r.constant, true);
      case Resolved::Kind::kOuter:
        return makeOuterLocal(r.slot, r.byRef);
      case Resolved::Kind::kField:
        return makeField(r.slot);
      case Resolved::Kind::kMethod:
        if (const Procedure* reader = r.member->get ? r.member->get : r.member->sub)
          return makeCallProcedure(reader, {});
        return makeMember(makeMe(), name, {}, false);
      case Resolved::Kind::kBuiltin:
        return makeBuiltin(r.builtin, {});
      case Resolved::Kind::kIntrinsic:
        return intrinsic(r.intrinsic, {}, at);
      case Resolved::Kind::kGlobal:
        return globalRead(r, name);
    }
    return nullptr;
  }

  ExprPtr intrinsic(Intrinsic which, std::vector<ExprPtr> args, Position) {
    switch (which) {
      case Intrinsic::kErr:
        if (!args.empty()) return makeIndex(makeErr(), std::move(args), false);
        return makeErr();
      case Intrinsic::kEval:
        return makeEval(std::move(args));
      case Intrinsic::kGetRef:
        return makeGetRef(std::move(args));
      case Intrinsic::kExecute:
        return makeExecute(std::move(args), false);
      case Intrinsic::kExecuteGlobal:
        return makeExecute(std::move(args), true);
      case Intrinsic::kCreateObject:
        return makeCreateObject(std::move(args));
      case Intrinsic::kGetObject:
        return makeGetObject(std::move(args));
      case Intrinsic::kNone:
        break;
    }
    return nullptr;
  }

  // --- Expressions -------------------------------------------------------------------------

  ExprPtr expr(const Expr& e) {
    ExprPtr node = compileExpr(e);
    node->line = e.at.line;
    node->column = e.at.column;
    return node;
  }

  std::vector<ExprPtr> arguments(const std::vector<ast::ExprPtr>& args) {
    std::vector<ExprPtr> nodes;
    nodes.reserve(args.size());
    for (const ast::ExprPtr& arg : args)
      nodes.push_back(arg ? expr(*arg) : nullptr);
    return nodes;
  }

  ExprPtr withObject(Position at) {
    if (scope_->withSlots.empty()) fail(ErrorCode::kInvalidReference, at);
    return makeLocal(scope_->withSlots.back());
  }

  ExprPtr compileExpr(const Expr& e) {
    switch (e.kind) {
      case ExprKind::kLiteral:
        return makeConstant(static_cast<const LiteralExpr&>(e).value, true);
      case ExprKind::kName:
        return nameRead(static_cast<const NameExpr&>(e).name, e.at);
      case ExprKind::kMe:
        return makeMe();
      case ExprKind::kMember: {
        const auto& member = static_cast<const MemberExpr&>(e);
        ExprPtr object = member.object ? expr(*member.object) : withObject(e.at);
        return makeMember(std::move(object), member.name, {}, false);
      }
      case ExprKind::kCall: {
        const auto& call = static_cast<const CallExpr&>(e);
        return callOf(*call.callee, arguments(call.args), false);
      }
      case ExprKind::kUnary: {
        const auto& unary = static_cast<const UnaryExpr&>(e);
        if (unary.op != Operator::kNot && unary.operand->kind == ExprKind::kLiteral) {
          // -5 is a literal of its own.
          const Value& value = static_cast<const LiteralExpr&>(*unary.operand).value;
          if (value.type() != Type::kString) {
            Value folded = unary.op == Operator::kNegate ? ops::negate(value, vm_.locale()) : value;
            if (folded.type() == Type::kLong && folded.asLong() == -32768)
              folded = Value::integer(-32768);  // written as -32768, it is an Integer
            return makeConstant(std::move(folded), true);
          }
        }
        return makeUnary(unary.op, expr(*unary.operand));
      }
      case ExprKind::kBinary: {
        const auto& binary = static_cast<const BinaryExpr&>(e);
        return makeBinary(binary.op, expr(*binary.left), expr(*binary.right));
      }
      case ExprKind::kNew: {
        const auto& create = static_cast<const NewExpr&>(e);
        return makeNew(&vm_.global(globalIndexOf(create.className)), create.className);
      }
      case ExprKind::kParen:
        return makeParen(expr(*static_cast<const ParenExpr&>(e).inner));
    }
    return nullptr;
  }

  // callee(args), in an expression or (asStatement) as a statement.
  ExprPtr callOf(const Expr& callee, std::vector<ExprPtr> args, bool asStatement) {
    ExprPtr node = compileCall(callee, std::move(args), asStatement);
    node->line = callee.at.line;
    node->column = callee.at.column;
    return node;
  }

  ExprPtr compileCall(const Expr& callee, std::vector<ExprPtr> args, bool asStatement) {
    switch (callee.kind) {
      case ExprKind::kName: {
        const std::u16string& name = static_cast<const NameExpr&>(callee).name;
        const Resolved r = resolve(name);
        switch (r.kind) {
          case Resolved::Kind::kResult:
            // The function's own name with arguments: a call of itself.
            if (!args.empty() || asStatement) return selfCall(name, std::move(args), asStatement);
            return makeLocal(r.slot);
          case Resolved::Kind::kMethod: {
            const ClassInfo::Member& member = *r.member;
            const Procedure* procedure =
                (asStatement && member.sub) ? member.sub : (member.get ? member.get : member.sub);
            if (procedure != nullptr) return makeCallProcedure(procedure, std::move(args));
            return makeMember(makeMe(), name, std::move(args), asStatement);
          }
          case Resolved::Kind::kBuiltin:
            return makeBuiltin(r.builtin, std::move(args));
          case Resolved::Kind::kIntrinsic:
            return intrinsic(r.intrinsic, std::move(args), callee.at);
          case Resolved::Kind::kGlobal:
            if (inProcedure() && !knownGlobal(lower(name))) {
              return makeCallGlobal(&vm_.global(r.slot), name, std::move(args), asStatement,
                                    explicit_, implicitSlot(name));
            }
            return makeCallGlobal(&vm_.global(r.slot), name, std::move(args), asStatement,
                                  explicit_);
          default:
            return makeIndex(nameRead(name, callee.at), std::move(args), asStatement);
        }
      }
      case ExprKind::kMember: {
        const auto& member = static_cast<const MemberExpr&>(callee);
        ExprPtr object = member.object ? expr(*member.object) : withObject(callee.at);
        return makeMember(std::move(object), member.name, std::move(args), asStatement);
      }
      default:
        return makeIndex(expr(callee), std::move(args), asStatement);
    }
  }

  // A function calling itself by name (its name alone is its result).
  ExprPtr selfCall(const std::u16string& name, std::vector<ExprPtr> args, bool asStatement) {
    Procedure* self = scope_->procedure;
    if (self->owner != nullptr) return makeCallProcedure(self, std::move(args));
    return makeCallGlobal(&vm_.global(globalIndexOf(name)), name, std::move(args), asStatement,
                          explicit_);
  }

  // What an assignment or ReDim writes to.
  ExprPtr target(const Expr& e) {
    ExprPtr node = compileTarget(e);
    node->line = e.at.line;
    node->column = e.at.column;
    return node;
  }

  ExprPtr compileTarget(const Expr& e) {
    switch (e.kind) {
      case ExprKind::kName: {
        const std::u16string& name = static_cast<const NameExpr&>(e).name;
        const Resolved r = resolve(name);
        switch (r.kind) {
          case Resolved::Kind::kConstant:
          case Resolved::Kind::kBuiltinConstant:
          case Resolved::Kind::kBuiltin:
          case Resolved::Kind::kIntrinsic:
            fail(ErrorCode::kIllegalAssignment, e.at);
          case Resolved::Kind::kMethod:
            return makeMember(makeMe(), name, {}, false);
          default:
            return nameRead(name, e.at);
        }
      }
      case ExprKind::kCall: {
        const auto& call = static_cast<const CallExpr&>(e);
        if (call.callee->kind == ExprKind::kName) {
          const std::u16string& name = static_cast<const NameExpr&>(*call.callee).name;
          const Resolved r = resolve(name);
          if (r.kind == Resolved::Kind::kMethod)
            return makeMember(makeMe(), name, arguments(call.args), false);
          if (r.kind == Resolved::Kind::kResult)
            return makeIndex(makeLocal(r.slot), arguments(call.args), false);
        }
        return callOf(*call.callee, arguments(call.args), false);
      }
      case ExprKind::kMember:
        return expr(e);
      case ExprKind::kMe:
        fail(ErrorCode::kInvalidUseOfMe, e.at);
      default:
        fail(ErrorCode::kIllegalAssignment, e.at);
    }
  }

  // --- Statements --------------------------------------------------------------------------

  Block block(const ast::Block& statements) {
    Block result;
    for (const ast::StmtPtr& statement : statements) {
      if (StmtPtr node = stmt(*statement)) {
        node->line = statement->at.line;
        node->column = statement->at.column;
        result.add(std::move(node));
      }
    }
    return result;
  }

  StmtPtr stmt(const Stmt& s) {
    switch (s.kind) {
      case StmtKind::kAssign:
        return assignment(static_cast<const AssignStmt&>(s));
      case StmtKind::kCall: {
        const auto& call = static_cast<const CallStmt&>(s);
        return makeExpressionStatement(callOf(*call.callee, arguments(call.args), true));
      }
      case StmtKind::kDim:
        return nullptr;
      case StmtKind::kConst:
        return nullptr;
      case StmtKind::kReDim:
        return reDim(static_cast<const ReDimStmt&>(s));
      case StmtKind::kErase:
        return erase(static_cast<const EraseStmt&>(s));
      case StmtKind::kIf: {
        const auto& stmt = static_cast<const IfStmt&>(s);
        std::vector<BranchNode> branches;
        for (const IfStmt::Branch& branch : stmt.branches)
          branches.push_back({expr(*branch.condition), block(branch.body)});
        return makeIf(std::move(branches), block(stmt.elseBody));
      }
      case StmtKind::kSelect:
        return select(static_cast<const SelectStmt&>(s));
      case StmtKind::kFor: {
        const auto& stmt = static_cast<const ForStmt&>(s);
        ExprPtr variable = target(*stmt.variable);
        ExprPtr start = expr(*stmt.start);
        ExprPtr end = expr(*stmt.end);
        ExprPtr step = stmt.step ? expr(*stmt.step) : nullptr;
        ++scope_->forDepth;
        Block body = block(stmt.body);
        --scope_->forDepth;
        return makeFor(std::move(variable), std::move(start), std::move(end), std::move(step),
                       std::move(body));
      }
      case StmtKind::kForEach: {
        const auto& stmt = static_cast<const ForEachStmt&>(s);
        ExprPtr variable = target(*stmt.variable);
        ExprPtr collection = expr(*stmt.collection);
        ++scope_->forDepth;
        Block body = block(stmt.body);
        --scope_->forDepth;
        return makeForEach(std::move(variable), std::move(collection), std::move(body));
      }
      case StmtKind::kDo: {
        const auto& stmt = static_cast<const DoStmt&>(s);
        ExprPtr condition = stmt.condition ? expr(*stmt.condition) : nullptr;
        ++scope_->doDepth;
        Block body = block(stmt.body);
        --scope_->doDepth;
        return makeDo(stmt.test, std::move(condition), std::move(body));
      }
      case StmtKind::kExit:
        return exit(static_cast<const ExitStmt&>(s));
      case StmtKind::kWith: {
        const auto& stmt = static_cast<const WithStmt&>(s);
        ExprPtr object = expr(*stmt.object);
        const uint32_t slot = scope_->newSlot();
        scope_->withSlots.push_back(slot);
        Block body = block(stmt.body);
        scope_->withSlots.pop_back();
        return makeWith(slot, std::move(object), std::move(body));
      }
      case StmtKind::kOnError:
        return makeOnError(static_cast<const OnErrorStmt&>(s).resumeNext);
      case StmtKind::kProcedure:
      case StmtKind::kClass:
        if (scope_->kind == Scope::Kind::kProcedure) fail(ErrorCode::kSyntaxError, s.at);
        return nullptr;
      case StmtKind::kOptionExplicit:
        return nullptr;
    }
    return nullptr;
  }

  StmtPtr assignment(const AssignStmt& s) {
    if (!s.isSet) {
      if (StmtPtr append = appendOf(s)) return append;
    }
    ExprPtr destination = target(*s.target);
    return makeAssign(std::move(destination), expr(*s.value), s.isSet);
  }

  // x = x & a & b: appended in place when a and b can neither run code nor change x.
  StmtPtr appendOf(const AssignStmt& s) {
    if (s.target->kind != ExprKind::kName || s.value->kind != ExprKind::kBinary) return nullptr;
    const std::u16string name = lower(static_cast<const NameExpr&>(*s.target).name);
    std::vector<const Expr*> parts;
    const Expr* left = s.value.get();
    while (left->kind == ExprKind::kBinary &&
           static_cast<const BinaryExpr*>(left)->op == Operator::kConcat) {
      const auto* binary = static_cast<const BinaryExpr*>(left);
      parts.insert(parts.begin(), binary->right.get());
      left = binary->left.get();
    }
    if (parts.empty() || left->kind != ExprKind::kName ||
        lower(static_cast<const NameExpr*>(left)->name) != name)
      return nullptr;
    const Resolved r = resolve(name);
    switch (r.kind) {
      case Resolved::Kind::kLocal:
      case Resolved::Kind::kByRef:
      case Resolved::Kind::kResult:
      case Resolved::Kind::kOuter:
      case Resolved::Kind::kField:
      case Resolved::Kind::kGlobal:
        break;
      default:
        return nullptr;
    }
    std::vector<ExprPtr> nodes;
    for (const Expr* part : parts) {
      if (!effectFree(*part)) return nullptr;
    }
    for (const Expr* part : parts)
      nodes.push_back(expr(*part));
    return makeAppend(target(*s.target), std::move(nodes));
  }

  // Whether evaluating `e` can neither run script or host code nor change a variable: values,
  // variables, operators and built-ins of such.
  bool effectFree(const Expr& e) {
    switch (e.kind) {
      case ExprKind::kLiteral:
        return true;
      case ExprKind::kName: {
        const std::u16string& name = static_cast<const NameExpr&>(e).name;
        const Resolved r = resolve(name);
        switch (r.kind) {
          case Resolved::Kind::kMethod:
          case Resolved::Kind::kIntrinsic:
            return false;
          case Resolved::Kind::kGlobal: {
            auto pending = pending_.find(lower(name));
            if (pending != pending_.end()) return pending->second.kind != Global::Kind::kProcedure;
            return vm_.global(r.slot).kind != Global::Kind::kProcedure;
          }
          default:
            return true;
        }
      }
      case ExprKind::kUnary:
        return effectFree(*static_cast<const UnaryExpr&>(e).operand);
      case ExprKind::kBinary: {
        const auto& binary = static_cast<const BinaryExpr&>(e);
        return effectFree(*binary.left) && effectFree(*binary.right);
      }
      case ExprKind::kParen:
        return effectFree(*static_cast<const ParenExpr&>(e).inner);
      case ExprKind::kCall: {
        const auto& call = static_cast<const CallExpr&>(e);
        // A built-in, or an element of an array variable.
        if (call.callee->kind != ExprKind::kName || !effectFree(*call.callee)) return false;
        const Resolved::Kind kind = resolve(static_cast<const NameExpr&>(*call.callee).name).kind;
        if (kind == Resolved::Kind::kResult) return false;
        for (const ast::ExprPtr& arg : call.args) {
          if (arg && !effectFree(*arg)) return false;
        }
        return true;
      }
      default:
        return false;
    }
  }

  StmtPtr reDim(const ReDimStmt& s) {
    std::vector<ReDimNode> items;
    for (const ReDimStmt::Item& item : s.items) {
      ReDimNode node;
      const std::u16string& name = static_cast<const NameExpr&>(*item.target).name;
      node.target = arrayVariable(name, item.target->at, node);
      for (const ast::ExprPtr& bound : item.upperBounds)
        node.upperBounds.push_back(expr(*bound));
      items.push_back(std::move(node));
    }
    return makeReDim(std::move(items), s.preserve);
  }

  StmtPtr erase(const EraseStmt& s) {
    std::vector<ReDimNode> items;
    for (const ast::ExprPtr& targetExpr : s.targets) {
      ReDimNode node;
      const std::u16string& name = static_cast<const NameExpr&>(*targetExpr).name;
      node.target = arrayVariable(name, targetExpr->at, node);
      items.push_back(std::move(node));
    }
    return makeErase(std::move(items));
  }

  // The variable ReDim or Erase works on; in a procedure, ReDim of an unknown name declares
  // a local.
  ExprPtr arrayVariable(const std::u16string& name, Position at, ReDimNode& node) {
    const Resolved r = resolve(name);
    switch (r.kind) {
      case Resolved::Kind::kLocal:
        node.fixed = r.fixedArray;
        return makeLocal(r.slot);
      case Resolved::Kind::kByRef:
        return makeByRefParameter(r.slot);
      case Resolved::Kind::kResult:
        return makeLocal(r.slot);
      case Resolved::Kind::kOuter:
        return makeOuterLocal(r.slot, r.byRef);
      case Resolved::Kind::kField: {
        const ClassInfo::Field& field = scope_->cls->fields[r.slot];
        node.fixed = field.isArray && !field.upperBounds.empty();
        return makeField(r.slot);
      }
      case Resolved::Kind::kGlobal: {
        const std::u16string key = lower(name);
        if (inProcedure() && !knownGlobal(key)) {
          LocalName local(LocalName::Kind::kSlot, scope_->newSlot());
          const uint32_t slot = local.slot;
          scope_->names.emplace(key, std::move(local));
          return makeLocal(slot);
        }
        // ReDim declares the dynamic array it sizes, as Dim would.
        if (!knownGlobal(key)) declare(name, at).byReDim = true;
        auto pending = pending_.find(key);
        if (pending != pending_.end()) {
          node.fixed = pending->second.isArray && !pending->second.upperBounds.empty();
        } else {
          node.fixedGlobal = &vm_.global(r.slot);
        }
        return makeGlobal(&vm_.global(r.slot), name, explicit_);
      }
      default:
        fail(ErrorCode::kIllegalAssignment, at);
    }
  }

  StmtPtr select(const SelectStmt& s) {
    std::vector<CaseNode> cases;
    for (const SelectStmt::Case& entry : s.cases) {
      CaseNode node;
      node.isElse = entry.isElse;
      for (const ast::ExprPtr& value : entry.values)
        node.values.push_back(expr(*value));
      node.body = block(entry.body);
      cases.push_back(std::move(node));
    }
    return makeSelect(expr(*s.subject), std::move(cases));
  }

  StmtPtr exit(const ExitStmt& s) {
    const Procedure* procedure = scope_->procedure;
    const bool inBody = scope_->kind == Scope::Kind::kProcedure;
    switch (s.what) {
      case ExitStmt::What::kDo:
        if (scope_->doDepth == 0) fail(ErrorCode::kInvalidExit, s.at);
        return makeExit(Flow::kExitDo);
      case ExitStmt::What::kFor:
        if (scope_->forDepth == 0) fail(ErrorCode::kInvalidExit, s.at);
        return makeExit(Flow::kExitFor);
      case ExitStmt::What::kSub:
        if (!inBody || procedure->kind != ProcedureKind::kSub) fail(ErrorCode::kInvalidExit, s.at);
        break;
      case ExitStmt::What::kFunction:
        if (!inBody || procedure->kind != ProcedureKind::kFunction)
          fail(ErrorCode::kInvalidExit, s.at);
        break;
      case ExitStmt::What::kProperty:
        if (!inBody || (procedure->kind != ProcedureKind::kPropertyGet &&
                        procedure->kind != ProcedureKind::kPropertyLet &&
                        procedure->kind != ProcedureKind::kPropertySet))
          fail(ErrorCode::kInvalidExit, s.at);
        break;
    }
    return makeExit(Flow::kExitProcedure);
  }

  Interpreter& vm_;
  std::shared_ptr<const SourceText> source_;
  bool explicit_;
  Scope* scope_ = nullptr;
  std::unordered_map<std::u16string, PendingGlobal> pending_;
  std::unordered_map<std::u16string, uint32_t> indexes_;
  std::vector<std::unique_ptr<Procedure>> procedures_;
  std::vector<std::shared_ptr<ClassInfo>> classes_;
  std::vector<std::pair<Procedure*, const ProcedureStmt*>> bodies_;
};

}  // namespace

std::unique_ptr<Procedure> compileProgram(Interpreter& vm, std::u16string_view source) {
  auto text = std::make_shared<const SourceText>(std::u16string(source));
  const Program program = parseProgram(text->text());
  return Compiler(vm, text, false).program(program);
}

std::unique_ptr<Procedure> compileInFrame(Interpreter& vm, const Frame& frame,
                                          std::u16string_view source, bool expression) {
  auto text = std::make_shared<const SourceText>(std::u16string(source));
  Compiler compiler(vm, text, frame.procedure->optionExplicit);
  if (expression) {
    ast::ExprPtr tree = parseExpression(text->text());
    return compiler.inFrame(frame, nullptr, tree.get());
  }
  Program program = parseProgram(text->text());
  return compiler.inFrame(frame, &program, nullptr);
}

}  // namespace vbscript
