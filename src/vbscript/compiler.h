// The compiler: a syntax tree to nodes. It resolves every name once: to a slot of the frame
// (parameters, locals, hidden temporaries), a field of the class, a global (by index, for
// what is only known when the code runs), a built-in function or constant. It checks what the
// parser cannot (names declared twice, Exit outside its block, Const values) and raises
// CompileError for them.
//
// Compiling a program declares nothing until all of it compiled: a program with a compile
// error leaves the interpreter as it was.
#pragma once

#include <memory>
#include <string_view>

#include "vbscript/interpreter.h"

namespace vbscript {

// Compiles `source` as top-level code: its procedures, classes, global variables and
// constants become the interpreter's; the result runs its top-level statements (with no
// parameters, in a frame of its own).
std::unique_ptr<Procedure> compileProgram(Interpreter& vm, std::u16string_view source);

// Compiles `source` to run inside `frame` (Execute, or Eval when `expression`): its names
// reach the frame's locals and, in a class's procedure, the instance's members. Eval's code
// leaves the value in its result slot.
std::unique_ptr<Procedure> compileInFrame(Interpreter& vm, const Frame& frame,
                                          std::u16string_view source, bool expression);

}  // namespace vbscript
