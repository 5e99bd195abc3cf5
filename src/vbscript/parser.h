// The parser: tokens to a syntax tree, by recursive descent. It raises CompileError with
// VBScript's compilation error numbers (1002 Syntax error, 1025 Expected end of statement,
// ...) at the token where the source stops making sense. Nesting deeper than the parser's
// limit raises 28 Out of stack space rather than exhausting the native stack.
#pragma once

#include <string_view>

#include "vbscript/ast.h"

namespace vbscript {

// The program in `source`: top-level statements, procedures and classes.
ast::Program parseProgram(std::u16string_view source);

// One expression, all of `source` (what Eval is given).
ast::ExprPtr parseExpression(std::u16string_view source);

}  // namespace vbscript
