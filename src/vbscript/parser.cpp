#include "vbscript/parser.h"

#include <utility>

#include "vbscript/diagnostics.h"
#include "vbscript/lexer.h"
#include "vbscript/native_stack.h"

namespace vbscript {

namespace {

using namespace ast;
using platform::ErrorCode;

// The native stack the parser may use for nesting; far more than any honest source needs.
constexpr size_t kParserStackBudget = size_t{1} << 20;

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens)
      : tokens_(std::move(tokens)), stackLimit_(stackLimitBelowHere(kParserStackBudget)) {}

  Program program() {
    Program program;
    while (true) {
      skipSeparators();
      if (sees(TokenKind::kEnd)) break;
      // Option Explicit comes before every other statement of a script.
      if (!program.statements.empty() && atKeyword(Keyword::kOption))
        fail(ErrorCode::kExpectedStatement);
      program.statements.push_back(topLevelStatement());
      endStatement();
    }
    return program;
  }

  ExprPtr expressionOnly() {
    skipLineBreaks();
    ExprPtr result = expression();
    skipLineBreaks();
    if (!sees(TokenKind::kEnd)) fail(ErrorCode::kExpectedEndOfStatement);
    return result;
  }

 private:
  // --- Tokens ------------------------------------------------------------------------------

  const Token& peek(size_t ahead = 0) const {
    const size_t i = index_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
  }
  bool sees(TokenKind kind) const { return peek().kind == kind; }
  bool atKeyword(Keyword keyword) const { return peek().is(keyword); }
  const Token& advance() {
    const Token& token = peek();
    if (index_ < tokens_.size() - 1) ++index_;
    return token;
  }
  bool accept(TokenKind kind) {
    if (!sees(kind)) return false;
    advance();
    return true;
  }
  bool acceptKeyword(Keyword keyword) {
    if (!atKeyword(keyword)) return false;
    advance();
    return true;
  }
  void expect(TokenKind kind, ErrorCode error) {
    if (!accept(kind)) fail(error);
  }
  void expectKeyword(Keyword keyword, ErrorCode error) {
    if (!acceptKeyword(keyword)) fail(error);
  }
  Position position() const { return {peek().line, peek().column}; }

  [[noreturn]] void fail(ErrorCode error) const {
    throw CompileError(error, peek().line, peek().column);
  }

  static bool isName(const Token& token) {
    return token.kind == TokenKind::kName && isSoftKeyword(token.keyword);
  }
  std::u16string name() {
    if (!isName(peek())) fail(ErrorCode::kExpectedIdentifier);
    return advance().text;
  }

  bool atLineEnd() const { return sees(TokenKind::kNewLine) || sees(TokenKind::kEnd); }
  // Where a statement may end: a line break, ':', the end, or Else inside a one-line If.
  bool atStatementEnd() const {
    return sees(TokenKind::kNewLine) || sees(TokenKind::kColon) || sees(TokenKind::kEnd) ||
           (singleLineIf_ > 0 && atKeyword(Keyword::kElse));
  }
  void endStatement() {
    if (!atStatementEnd()) fail(ErrorCode::kExpectedEndOfStatement);
  }
  void skipSeparators() {
    while (sees(TokenKind::kNewLine) || sees(TokenKind::kColon))
      advance();
  }
  void skipLineBreaks() {
    while (sees(TokenKind::kNewLine))
      advance();
  }

  // Guards the native stack on every level of nesting.
  void nest() const {
    if (stackExhausted(stackLimit_)) fail(ErrorCode::kOutOfStackSpace);
  }

  // --- Statements --------------------------------------------------------------------------

  StmtPtr topLevelStatement() {
    const Token& token = peek();
    if (token.kind == TokenKind::kName) {
      switch (token.keyword) {
        case Keyword::kClass:
          return classStatement();
        case Keyword::kSub:
        case Keyword::kFunction:
          return procedure(Access::kDefault, false);
        case Keyword::kProperty:
          if (peek(1).is(Keyword::kGet) || peek(1).is(Keyword::kLet) || peek(1).is(Keyword::kSet))
            fail(ErrorCode::kMustBeInsideClass);
          break;
        case Keyword::kPublic:
        case Keyword::kPrivate:
          return declaration(false);
        case Keyword::kOption: {
          const Position at = position();
          advance();
          expectKeyword(Keyword::kExplicit, ErrorCode::kSyntaxError);
          return std::make_unique<OptionExplicitStmt>(at);
        }
        default:
          break;
      }
    }
    return statement();
  }

  // Public/Private at the top level or in a class: a variable, a constant or a procedure.
  StmtPtr declaration(bool inClass) {
    const Position at = position();
    const Access access = advance().is(Keyword::kPublic) ? Access::kPublic : Access::kPrivate;
    bool isDefault = false;
    if (atKeyword(Keyword::kDefault) &&
        (inClass || peek(1).is(Keyword::kSub) || peek(1).is(Keyword::kFunction) ||
         peek(1).is(Keyword::kProperty))) {
      if (access != Access::kPublic) fail(ErrorCode::kDefaultMustBePublic);
      advance();
      isDefault = true;
    }
    if (atKeyword(Keyword::kSub) || atKeyword(Keyword::kFunction) ||
        atKeyword(Keyword::kProperty)) {
      if (atKeyword(Keyword::kProperty) && !inClass) fail(ErrorCode::kMustBeInsideClass);
      return procedure(access, isDefault);
    }
    if (isDefault) fail(ErrorCode::kDefaultOnlyOnProcedure);
    if (atKeyword(Keyword::kConst)) {
      if (inClass) fail(ErrorCode::kSyntaxError);
      return constStatement(at, access);
    }
    acceptKeyword(Keyword::kDim);
    return dimList(at, access);
  }

  StmtPtr statement() {
    nest();
    const Token& token = peek();
    const Position at = position();
    if (token.kind == TokenKind::kDot) return nameStatement();
    if (token.kind != TokenKind::kName) fail(ErrorCode::kExpectedStatement);
    switch (token.keyword) {
      case Keyword::kNone:
      case Keyword::kMe:
      case Keyword::kDefault:
      case Keyword::kExplicit:
      case Keyword::kGet:
      case Keyword::kPreserve:
      case Keyword::kProperty:
      case Keyword::kStep:
        return nameStatement();
      case Keyword::kDim:
        advance();
        return dimList(at, Access::kDefault);
      case Keyword::kReDim:
        return reDim();
      case Keyword::kConst:
        return constStatement(at, Access::kDefault);
      case Keyword::kErase:
        return erase();
      case Keyword::kIf:
        return ifStatement();
      case Keyword::kSelect:
        return selectStatement();
      case Keyword::kFor:
        return forStatement();
      case Keyword::kDo:
        return doStatement();
      case Keyword::kWhile:
        return whileStatement();
      case Keyword::kExit:
        return exitStatement();
      case Keyword::kWith:
        return withStatement();
      case Keyword::kOn:
        return onError();
      case Keyword::kCall:
        return callStatement();
      case Keyword::kSet:
      case Keyword::kLet: {
        const bool isSet = advance().is(Keyword::kSet);
        ExprPtr target = postfix(true);
        checkAssignable(*target);
        expect(TokenKind::kEquals, ErrorCode::kExpectedEquals);
        ExprPtr value = expression();
        return std::make_unique<AssignStmt>(at, std::move(target), std::move(value), isSet);
      }
      case Keyword::kStop:
        // The debugger's breakpoint: without a debugger, a declaration of nothing.
        advance();
        return std::make_unique<DimStmt>(at, Access::kDefault);
      case Keyword::kLoop:
        fail(ErrorCode::kLoopWithoutDo);
      case Keyword::kNext:
        fail(ErrorCode::kUnexpectedNext);
      case Keyword::kError:
        return nameStatement();
      default:
        fail(ErrorCode::kSyntaxError);
    }
  }

  void checkAssignable(const Expr& target) const {
    switch (target.kind) {
      case ExprKind::kName:
      case ExprKind::kMember:
      case ExprKind::kCall:
        return;
      case ExprKind::kMe:
        throw CompileError(ErrorCode::kInvalidUseOfMe, target.at.line, target.at.column);
      default:
        throw CompileError(ErrorCode::kSyntaxError, target.at.line, target.at.column);
    }
  }

  // A statement that begins with a name: an assignment or a call.
  StmtPtr nameStatement() {
    const Position at = position();
    size_t lastParen = 0;
    ExprPtr target = postfix(true, &lastParen);
    if (accept(TokenKind::kEquals)) {
      checkAssignable(*target);
      ExprPtr value = expression();
      return std::make_unique<AssignStmt>(at, std::move(target), std::move(value), false);
    }
    if (target->kind == ExprKind::kMe) fail(ErrorCode::kInvalidUseOfMe);
    if (atStatementEnd()) {
      if (target->kind == ExprKind::kCall && lastParen != 0) {
        auto* call = static_cast<CallExpr*>(target.get());
        // `name(a)` passes (a), a copy; `name(a, b)` is no call of a Sub.
        if (call->args.size() > 1) {
          throw CompileError(ErrorCode::kParenthesesCallingSub, call->at.line, call->at.column);
        }
        std::vector<ExprPtr> args;
        if (call->args.size() == 1) {
          if (!call->args[0]) fail(ErrorCode::kExpectedExpression);
          const Position argAt = call->args[0]->at;
          args.push_back(std::make_unique<ParenExpr>(argAt, std::move(call->args[0])));
        }
        return std::make_unique<CallStmt>(at, std::move(call->callee), std::move(args));
      }
      return std::make_unique<CallStmt>(at, std::move(target), std::vector<ExprPtr>{});
    }
    // Arguments without parentheses. When the name was followed by '(', that parenthesis
    // opened the first argument: `f (1) + 2, 3`.
    ExprPtr callee;
    if (target->kind == ExprKind::kCall && lastParen != 0) {
      callee = std::move(static_cast<CallExpr*>(target.get())->callee);
      index_ = lastParen;
    } else {
      callee = std::move(target);
    }
    std::vector<ExprPtr> args = bareArguments();
    return std::make_unique<CallStmt>(at, std::move(callee), std::move(args));
  }

  // a, , b: arguments up to the statement's end; a left-out one is null.
  std::vector<ExprPtr> bareArguments() {
    std::vector<ExprPtr> args;
    while (true) {
      if (sees(TokenKind::kComma)) {
        args.push_back(nullptr);
      } else {
        args.push_back(expression());
      }
      if (!accept(TokenKind::kComma)) break;
      if (atStatementEnd()) {
        args.push_back(nullptr);
        break;
      }
    }
    return args;
  }

  StmtPtr callStatement() {
    const Position at = position();
    advance();
    ExprPtr target = postfix(true);
    if (target->kind == ExprKind::kCall) {
      auto* call = static_cast<CallExpr*>(target.get());
      return std::make_unique<CallStmt>(at, std::move(call->callee), std::move(call->args));
    }
    if (target->kind != ExprKind::kName && target->kind != ExprKind::kMember)
      fail(ErrorCode::kExpectedIdentifier);
    return std::make_unique<CallStmt>(at, std::move(target), std::vector<ExprPtr>{});
  }

  StmtPtr dimList(Position at, Access access) {
    auto dim = std::make_unique<DimStmt>(at, access);
    do {
      VariableDecl variable;
      variable.at = position();
      variable.name = name();
      if (accept(TokenKind::kLeftParen)) {
        variable.isArray = true;
        if (!sees(TokenKind::kRightParen)) {
          do {
            variable.upperBounds.push_back(integerConstant());
          } while (accept(TokenKind::kComma));
        }
        expect(TokenKind::kRightParen, ErrorCode::kExpectedRightParen);
      }
      dim->variables.push_back(std::move(variable));
    } while (accept(TokenKind::kComma));
    return dim;
  }

  int32_t integerConstant() {
    bool negative = accept(TokenKind::kMinus);
    const Token& token = peek();
    if (token.kind != TokenKind::kNumber) fail(ErrorCode::kExpectedInteger);
    int32_t value = 0;
    if (token.value.type() == Type::kInteger) {
      value = token.value.asInteger();
    } else if (token.value.type() == Type::kLong) {
      value = token.value.asLong();
    } else {
      fail(ErrorCode::kExpectedInteger);
    }
    advance();
    return negative ? -value : value;
  }

  StmtPtr reDim() {
    auto stmt = std::make_unique<ReDimStmt>(position(), false);
    advance();
    stmt->preserve = acceptKeyword(Keyword::kPreserve);
    do {
      ReDimStmt::Item item;
      const Position at = position();
      item.target = std::make_unique<NameExpr>(at, name());
      expect(TokenKind::kLeftParen, ErrorCode::kExpectedLeftParen);
      do {
        item.upperBounds.push_back(expression());
      } while (accept(TokenKind::kComma));
      expect(TokenKind::kRightParen, ErrorCode::kExpectedRightParen);
      stmt->items.push_back(std::move(item));
    } while (accept(TokenKind::kComma));
    return stmt;
  }

  StmtPtr constStatement(Position at, Access access) {
    expectKeyword(Keyword::kConst, ErrorCode::kSyntaxError);
    auto stmt = std::make_unique<ConstStmt>(at, access);
    do {
      ConstStmt::Item item;
      item.at = position();
      item.name = name();
      expect(TokenKind::kEquals, ErrorCode::kExpectedEquals);
      item.value = expression();
      stmt->items.push_back(std::move(item));
    } while (accept(TokenKind::kComma));
    return stmt;
  }

  StmtPtr erase() {
    auto stmt = std::make_unique<EraseStmt>(position());
    advance();
    do {
      const Position at = position();
      stmt->targets.push_back(std::make_unique<NameExpr>(at, name()));
    } while (accept(TokenKind::kComma));
    return stmt;
  }

  // Whether `keyword` at a statement's start ends the block it stands in.
  static bool closesBlock(Keyword keyword) {
    switch (keyword) {
      case Keyword::kEnd:
      case Keyword::kElse:
      case Keyword::kElseIf:
      case Keyword::kCase:
      case Keyword::kLoop:
      case Keyword::kNext:
      case Keyword::kWend:
        return true;
      default:
        return false;
    }
  }

  // Statements up to one of the keywords that `stops` accepts at a statement's start; another
  // keyword that closes a block there raises `missingEnd`.
  template <class Stops>
  Block block(Stops&& stops, ErrorCode missingEnd) {
    nest();
    Block body;
    while (true) {
      skipSeparators();
      if (sees(TokenKind::kEnd)) fail(missingEnd);
      if (peek().kind == TokenKind::kName && closesBlock(peek().keyword)) {
        if (stops(peek().keyword)) return body;
        fail(missingEnd);
      }
      body.push_back(statement());
      endStatement();
    }
  }

  // "End What": the block's closing line.
  void endOf(Keyword what, ErrorCode missing) {
    expectKeyword(Keyword::kEnd, ErrorCode::kExpectedEnd);
    if (!acceptKeyword(what)) fail(missing);
  }

  StmtPtr ifStatement() {
    auto stmt = std::make_unique<IfStmt>(position());
    advance();
    ExprPtr condition = expression();
    expectKeyword(Keyword::kThen, ErrorCode::kExpectedThen);
    if (!atLineEnd() && !sees(TokenKind::kColon))
      return singleLineIf(std::move(stmt), std::move(condition));

    auto stops = [](Keyword k) {
      return k == Keyword::kElseIf || k == Keyword::kElse || k == Keyword::kEnd;
    };
    stmt->branches.push_back({std::move(condition), block(stops, ErrorCode::kExpectedEnd)});
    while (acceptKeyword(Keyword::kElseIf)) {
      ExprPtr next = expression();
      expectKeyword(Keyword::kThen, ErrorCode::kExpectedThen);
      stmt->branches.push_back({std::move(next), block(stops, ErrorCode::kExpectedEnd)});
    }
    if (acceptKeyword(Keyword::kElse)) {
      stmt->elseBody = block(
          [](Keyword k) {
            return k == Keyword::kEnd || k == Keyword::kElseIf || k == Keyword::kElse;
          },
          ErrorCode::kExpectedEnd);
      if (atKeyword(Keyword::kElse) || atKeyword(Keyword::kElseIf)) fail(ErrorCode::kExpectedEnd);
    }
    endOf(Keyword::kIf, ErrorCode::kExpectedIf);
    return stmt;
  }

  // If c Then a : b Else c : d, all on one line.
  StmtPtr singleLineIf(std::unique_ptr<IfStmt> stmt, ExprPtr condition) {
    ++singleLineIf_;
    Block then = lineStatements();
    stmt->branches.push_back({std::move(condition), std::move(then)});
    if (acceptKeyword(Keyword::kElse)) stmt->elseBody = lineStatements();
    --singleLineIf_;
    if (!atLineEnd() && !(singleLineIf_ > 0 && atKeyword(Keyword::kElse)))
      fail(ErrorCode::kExpectedEndOfStatement);
    return stmt;
  }

  Block lineStatements() {
    Block body;
    while (true) {
      if (atLineEnd() || atKeyword(Keyword::kElse)) {
        if (body.empty() && !atKeyword(Keyword::kElse)) fail(ErrorCode::kExpectedStatement);
        return body;
      }
      body.push_back(statement());
      endStatement();
      while (accept(TokenKind::kColon)) {
      }
    }
  }

  StmtPtr selectStatement() {
    auto stmt = std::make_unique<SelectStmt>(position());
    advance();
    expectKeyword(Keyword::kCase, ErrorCode::kExpectedCase);
    stmt->subject = expression();
    endStatement();
    skipSeparators();
    auto stops = [](Keyword k) { return k == Keyword::kCase || k == Keyword::kEnd; };
    while (atKeyword(Keyword::kCase)) {
      SelectStmt::Case entry;
      entry.at = position();
      advance();
      if (acceptKeyword(Keyword::kElse)) {
        entry.isElse = true;
      } else {
        do {
          entry.values.push_back(expression());
        } while (accept(TokenKind::kComma));
      }
      endStatement();
      entry.body = block(stops, ErrorCode::kExpectedEnd);
      const bool wasElse = entry.isElse;
      stmt->cases.push_back(std::move(entry));
      if (wasElse && atKeyword(Keyword::kCase)) fail(ErrorCode::kExpectedEnd);
    }
    if (!atKeyword(Keyword::kEnd)) fail(ErrorCode::kExpectedCase);
    endOf(Keyword::kSelect, ErrorCode::kExpectedSelect);
    return stmt;
  }

  StmtPtr forStatement() {
    const Position at = position();
    advance();
    auto stops = [](Keyword k) { return k == Keyword::kNext; };
    if (acceptKeyword(Keyword::kEach)) {
      auto stmt = std::make_unique<ForEachStmt>(at);
      const Position varAt = position();
      if (!isName(peek())) fail(ErrorCode::kExpectedIdentifier);
      stmt->variable = std::make_unique<NameExpr>(varAt, advance().text);
      expectKeyword(Keyword::kIn, ErrorCode::kExpectedIn);
      stmt->collection = expression();
      endStatement();
      stmt->body = block(stops, ErrorCode::kExpectedNext);
      advance();
      return stmt;
    }
    auto stmt = std::make_unique<ForStmt>(at);
    const Position varAt = position();
    if (!isName(peek())) fail(ErrorCode::kExpectedIdentifier);
    stmt->variable = std::make_unique<NameExpr>(varAt, advance().text);
    if (sees(TokenKind::kLeftParen) || sees(TokenKind::kDot)) fail(ErrorCode::kInvalidForVariable);
    expect(TokenKind::kEquals, ErrorCode::kExpectedEquals);
    stmt->start = expression();
    expectKeyword(Keyword::kTo, ErrorCode::kExpectedTo);
    stmt->end = expression();
    if (acceptKeyword(Keyword::kStep)) stmt->step = expression();
    endStatement();
    stmt->body = block(stops, ErrorCode::kExpectedNext);
    advance();
    return stmt;
  }

  StmtPtr doStatement() {
    auto stmt = std::make_unique<DoStmt>(position());
    advance();
    if (acceptKeyword(Keyword::kWhile)) {
      stmt->test = DoStmt::Test::kWhileBefore;
      stmt->condition = expression();
    } else if (acceptKeyword(Keyword::kUntil)) {
      stmt->test = DoStmt::Test::kUntilBefore;
      stmt->condition = expression();
    } else if (!atStatementEnd()) {
      fail(ErrorCode::kExpectedWhileUntilOrEnd);
    }
    endStatement();
    stmt->body = block([](Keyword k) { return k == Keyword::kLoop; }, ErrorCode::kExpectedLoop);
    advance();
    if (atKeyword(Keyword::kWhile) || atKeyword(Keyword::kUntil)) {
      if (stmt->test != DoStmt::Test::kNone) fail(ErrorCode::kExpectedEndOfStatement);
      stmt->test =
          advance().is(Keyword::kWhile) ? DoStmt::Test::kWhileAfter : DoStmt::Test::kUntilAfter;
      stmt->condition = expression();
    }
    return stmt;
  }

  StmtPtr whileStatement() {
    auto stmt = std::make_unique<DoStmt>(position());
    advance();
    stmt->test = DoStmt::Test::kWhileBefore;
    stmt->condition = expression();
    endStatement();
    stmt->body = block([](Keyword k) { return k == Keyword::kWend; }, ErrorCode::kExpectedWend);
    advance();
    return stmt;
  }

  StmtPtr exitStatement() {
    const Position at = position();
    advance();
    ExitStmt::What what;
    switch (peek().keyword) {
      case Keyword::kDo:
        what = ExitStmt::What::kDo;
        break;
      case Keyword::kFor:
        what = ExitStmt::What::kFor;
        break;
      case Keyword::kFunction:
        what = ExitStmt::What::kFunction;
        break;
      case Keyword::kSub:
        what = ExitStmt::What::kSub;
        break;
      case Keyword::kProperty:
        what = ExitStmt::What::kProperty;
        break;
      default:
        fail(ErrorCode::kInvalidExit);
    }
    advance();
    return std::make_unique<ExitStmt>(at, what);
  }

  StmtPtr withStatement() {
    auto stmt = std::make_unique<WithStmt>(position());
    advance();
    stmt->object = expression();
    endStatement();
    stmt->body = block([](Keyword k) { return k == Keyword::kEnd; }, ErrorCode::kExpectedEnd);
    endOf(Keyword::kWith, ErrorCode::kExpectedWith);
    return stmt;
  }

  StmtPtr onError() {
    const Position at = position();
    advance();
    expectKeyword(Keyword::kError, ErrorCode::kSyntaxError);
    if (acceptKeyword(Keyword::kResume)) {
      expectKeyword(Keyword::kNext, ErrorCode::kSyntaxError);
      return std::make_unique<OnErrorStmt>(at, true);
    }
    expectKeyword(Keyword::kGoTo, ErrorCode::kSyntaxError);
    const Token& target = peek();
    if (target.kind != TokenKind::kNumber || target.value.type() != Type::kInteger ||
        target.value.asInteger() != 0)
      fail(ErrorCode::kSyntaxError);
    advance();
    return std::make_unique<OnErrorStmt>(at, false);
  }

  // --- Procedures and classes --------------------------------------------------------------

  std::unique_ptr<ProcedureStmt> procedure(Access access, bool isDefault) {
    const Position at = position();
    ProcedureKind kind;
    Keyword closing;
    ErrorCode missingClosing;
    if (acceptKeyword(Keyword::kSub)) {
      kind = ProcedureKind::kSub;
      closing = Keyword::kSub;
      missingClosing = ErrorCode::kExpectedSub;
    } else if (acceptKeyword(Keyword::kFunction)) {
      kind = ProcedureKind::kFunction;
      closing = Keyword::kFunction;
      missingClosing = ErrorCode::kExpectedFunction;
    } else {
      expectKeyword(Keyword::kProperty, ErrorCode::kSyntaxError);
      if (acceptKeyword(Keyword::kGet)) {
        kind = ProcedureKind::kPropertyGet;
      } else if (acceptKeyword(Keyword::kLet)) {
        kind = ProcedureKind::kPropertyLet;
      } else if (acceptKeyword(Keyword::kSet)) {
        kind = ProcedureKind::kPropertySet;
      } else {
        fail(ErrorCode::kExpectedLetSetGet);
      }
      closing = Keyword::kProperty;
      missingClosing = ErrorCode::kExpectedProperty;
    }
    if (isDefault && kind != ProcedureKind::kPropertyGet && kind != ProcedureKind::kFunction &&
        kind != ProcedureKind::kSub)
      fail(ErrorCode::kDefaultOnlyOnGet);
    auto stmt = std::make_unique<ProcedureStmt>(at, kind);
    stmt->access = access;
    stmt->isDefault = isDefault;
    stmt->name = name();
    if (accept(TokenKind::kLeftParen)) {
      if (!sees(TokenKind::kRightParen)) {
        do {
          Parameter parameter;
          if (acceptKeyword(Keyword::kByVal)) {
            parameter.byVal = true;
          } else {
            acceptKeyword(Keyword::kByRef);
          }
          parameter.at = position();
          parameter.name = name();
          if (accept(TokenKind::kLeftParen))
            expect(TokenKind::kRightParen, ErrorCode::kExpectedRightParen);
          stmt->parameters.push_back(std::move(parameter));
        } while (accept(TokenKind::kComma));
      }
      expect(TokenKind::kRightParen, ErrorCode::kExpectedRightParen);
    }
    if ((kind == ProcedureKind::kPropertyLet || kind == ProcedureKind::kPropertySet) &&
        stmt->parameters.empty())
      throw CompileError(ErrorCode::kPropertyLetWithoutArgument, at.line, at.column);
    endStatement();
    stmt->body = block([](Keyword k) { return k == Keyword::kEnd; }, ErrorCode::kExpectedEnd);
    stmt->end = position();
    endOf(closing, missingClosing);
    return stmt;
  }

  StmtPtr classStatement() {
    auto stmt = std::make_unique<ClassStmt>(position());
    advance();
    stmt->name = name();
    endStatement();
    while (true) {
      skipSeparators();
      if (sees(TokenKind::kEnd)) fail(ErrorCode::kExpectedEnd);
      const Position at = position();
      if (atKeyword(Keyword::kEnd)) break;
      if (atKeyword(Keyword::kPublic) || atKeyword(Keyword::kPrivate)) {
        StmtPtr member = declaration(true);
        if (member->kind == StmtKind::kProcedure) {
          stmt->procedures.emplace_back(static_cast<ProcedureStmt*>(member.release()));
        } else {
          stmt->fields.emplace_back(static_cast<DimStmt*>(member.release()));
        }
      } else if (atKeyword(Keyword::kDim)) {
        advance();
        StmtPtr member = dimList(at, Access::kPublic);
        stmt->fields.emplace_back(static_cast<DimStmt*>(member.release()));
      } else if (atKeyword(Keyword::kSub) || atKeyword(Keyword::kFunction) ||
                 atKeyword(Keyword::kProperty)) {
        stmt->procedures.push_back(procedure(Access::kPublic, false));
      } else {
        fail(ErrorCode::kExpectedEnd);
      }
      endStatement();
    }
    endOf(Keyword::kClass, ErrorCode::kExpectedClass);
    return stmt;
  }

  // --- Expressions -------------------------------------------------------------------------

  ExprPtr expression() {
    nest();
    if (atStatementEnd()) fail(ErrorCode::kExpectedExpression);
    return implication();
  }

  template <class Next>
  ExprPtr leftAssociative(Next next, Keyword keyword, Operator op) {
    ExprPtr left = (this->*next)();
    while (atKeyword(keyword)) {
      const Position at = position();
      advance();
      ExprPtr right = (this->*next)();
      left = std::make_unique<BinaryExpr>(at, op, std::move(left), std::move(right));
    }
    return left;
  }

  ExprPtr implication() {
    return leftAssociative(&Parser::equivalence, Keyword::kImp, Operator::kImp);
  }
  ExprPtr equivalence() {
    return leftAssociative(&Parser::exclusiveOr, Keyword::kEqv, Operator::kEqv);
  }
  ExprPtr exclusiveOr() {
    return leftAssociative(&Parser::disjunction, Keyword::kXor, Operator::kXor);
  }
  ExprPtr disjunction() {
    return leftAssociative(&Parser::conjunction, Keyword::kOr, Operator::kOr);
  }
  ExprPtr conjunction() {
    return leftAssociative(&Parser::negation, Keyword::kAnd, Operator::kAnd);
  }

  ExprPtr negation() {
    if (atKeyword(Keyword::kNot)) {
      nest();
      const Position at = position();
      advance();
      return std::make_unique<UnaryExpr>(at, Operator::kNot, negation());
    }
    return comparison();
  }

  ExprPtr comparison() {
    ExprPtr left = concatenation();
    while (true) {
      Operator op;
      switch (peek().kind) {
        case TokenKind::kEquals:
          op = Operator::kEqual;
          break;
        case TokenKind::kNotEquals:
          op = Operator::kNotEqual;
          break;
        case TokenKind::kLess:
          op = Operator::kLess;
          break;
        case TokenKind::kGreater:
          op = Operator::kGreater;
          break;
        case TokenKind::kLessEquals:
          op = Operator::kLessEqual;
          break;
        case TokenKind::kGreaterEquals:
          op = Operator::kGreaterEqual;
          break;
        default:
          if (!atKeyword(Keyword::kIs)) return left;
          op = Operator::kIs;
          break;
      }
      const Position at = position();
      advance();
      ExprPtr right = concatenation();
      left = std::make_unique<BinaryExpr>(at, op, std::move(left), std::move(right));
    }
  }

  ExprPtr concatenation() {
    ExprPtr left = additive();
    while (sees(TokenKind::kAmpersand)) {
      const Position at = position();
      advance();
      left = std::make_unique<BinaryExpr>(at, Operator::kConcat, std::move(left), additive());
    }
    return left;
  }

  ExprPtr additive() {
    ExprPtr left = modulo();
    while (sees(TokenKind::kPlus) || sees(TokenKind::kMinus)) {
      const Position at = position();
      const Operator op = advance().kind == TokenKind::kPlus ? Operator::kAdd : Operator::kSubtract;
      left = std::make_unique<BinaryExpr>(at, op, std::move(left), modulo());
    }
    return left;
  }

  ExprPtr modulo() {
    return leftAssociative(&Parser::integerDivision, Keyword::kMod, Operator::kMod);
  }

  ExprPtr integerDivision() {
    ExprPtr left = multiplicative();
    while (sees(TokenKind::kBackslash)) {
      const Position at = position();
      advance();
      left =
          std::make_unique<BinaryExpr>(at, Operator::kIntDivide, std::move(left), multiplicative());
    }
    return left;
  }

  ExprPtr multiplicative() {
    ExprPtr left = power();
    while (sees(TokenKind::kStar) || sees(TokenKind::kSlash)) {
      const Position at = position();
      const Operator op =
          advance().kind == TokenKind::kStar ? Operator::kMultiply : Operator::kDivide;
      left = std::make_unique<BinaryExpr>(at, op, std::move(left), power());
    }
    return left;
  }

  // Negation binds tighter than ^, as the language's own precedence table lists them (negation
  // first): -3^2 is 9, and the right operand of ^ may carry its own sign (2^-1 is 0.5).
  ExprPtr power() {
    ExprPtr left = signed_();
    while (sees(TokenKind::kCaret)) {
      const Position at = position();
      advance();
      left = std::make_unique<BinaryExpr>(at, Operator::kPower, std::move(left), signed_());
    }
    return left;
  }

  ExprPtr signed_() {
    if (sees(TokenKind::kMinus) || sees(TokenKind::kPlus)) {
      nest();
      const Position at = position();
      const Operator op = advance().kind == TokenKind::kMinus ? Operator::kNegate : Operator::kPlus;
      return std::make_unique<UnaryExpr>(at, op, signed_());
    }
    if (atKeyword(Keyword::kNot)) return negation();
    return postfix(false);
  }

  // A primary expression with its member accesses and argument lists. `lastParen`, when
  // given, receives the index of the '(' of the last argument list when the expression ends
  // with one, else 0.
  ExprPtr postfix(bool statementStart, size_t* lastParen = nullptr) {
    if (lastParen) *lastParen = 0;
    ExprPtr expr = primary(statementStart);
    const bool canContinue = expr->kind == ExprKind::kName || expr->kind == ExprKind::kMe ||
                             expr->kind == ExprKind::kMember;
    if (!canContinue) return expr;
    while (true) {
      if (sees(TokenKind::kDot) && !peek().spaceBefore) {
        const Position at = position();
        advance();
        if (peek().kind != TokenKind::kName) fail(ErrorCode::kExpectedIdentifier);
        expr = std::make_unique<MemberExpr>(at, std::move(expr), advance().text);
        if (lastParen) *lastParen = 0;
      } else if (sees(TokenKind::kLeftParen)) {
        const size_t paren = index_;
        const Position at = position();
        advance();
        std::vector<ExprPtr> args = parenthesizedArguments();
        expr = std::make_unique<CallExpr>(at, std::move(expr), std::move(args));
        if (lastParen) *lastParen = paren;
      } else {
        return expr;
      }
    }
  }

  // After '(': arguments up to ')'. A left-out argument is null.
  std::vector<ExprPtr> parenthesizedArguments() {
    std::vector<ExprPtr> args;
    if (accept(TokenKind::kRightParen)) return args;
    while (true) {
      if (sees(TokenKind::kComma) || sees(TokenKind::kRightParen)) {
        args.push_back(nullptr);
      } else {
        args.push_back(expression());
      }
      if (accept(TokenKind::kComma)) continue;
      expect(TokenKind::kRightParen, ErrorCode::kExpectedRightParen);
      return args;
    }
  }

  ExprPtr primary(bool statementStart) {
    nest();
    const Token& token = peek();
    const Position at = position();
    switch (token.kind) {
      case TokenKind::kNumber:
      case TokenKind::kDate:
        return std::make_unique<LiteralExpr>(at, advance().value);
      case TokenKind::kString:
        return std::make_unique<LiteralExpr>(at, Value::string(advance().text));
      case TokenKind::kLeftParen: {
        if (statementStart) fail(ErrorCode::kExpectedStatement);
        advance();
        ExprPtr inner = expression();
        expect(TokenKind::kRightParen, ErrorCode::kExpectedRightParen);
        return std::make_unique<ParenExpr>(at, std::move(inner));
      }
      case TokenKind::kDot: {
        advance();
        if (peek().kind != TokenKind::kName) fail(ErrorCode::kExpectedIdentifier);
        return std::make_unique<MemberExpr>(at, nullptr, advance().text);
      }
      case TokenKind::kName:
        break;
      default:
        fail(statementStart ? ErrorCode::kExpectedStatement : ErrorCode::kExpectedExpression);
    }
    switch (token.keyword) {
      case Keyword::kTrue:
        advance();
        return std::make_unique<LiteralExpr>(at, Value::boolean(true));
      case Keyword::kFalse:
        advance();
        return std::make_unique<LiteralExpr>(at, Value::boolean(false));
      case Keyword::kEmpty:
        advance();
        return std::make_unique<LiteralExpr>(at, Value());
      case Keyword::kNull:
        advance();
        return std::make_unique<LiteralExpr>(at, Value::null());
      case Keyword::kNothing:
        advance();
        return std::make_unique<LiteralExpr>(at, Value::nothing());
      case Keyword::kMe:
        advance();
        return std::make_unique<MeExpr>(at);
      case Keyword::kNew: {
        advance();
        return std::make_unique<NewExpr>(at, name());
      }
      default:
        if (!isName(token)) fail(ErrorCode::kExpectedExpression);
        return std::make_unique<NameExpr>(at, advance().text);
    }
  }

  std::vector<Token> tokens_;
  size_t index_ = 0;
  int singleLineIf_ = 0;
  uintptr_t stackLimit_;
};

}  // namespace

Program parseProgram(std::u16string_view source) {
  return Parser(tokenize(source)).program();
}

ExprPtr parseExpression(std::u16string_view source) {
  return Parser(tokenize(source)).expressionOnly();
}

}  // namespace vbscript
