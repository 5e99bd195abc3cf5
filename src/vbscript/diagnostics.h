// Compile errors: what the lexer, parser and compiler raise when source text is no valid
// VBScript. They carry VBScript's compilation error number and where in the source it is.
#pragma once

#include <cstdint>
#include <exception>

#include "platform/base/error_codes.h"

namespace vbscript {

struct CompileError : std::exception {
  CompileError(platform::ErrorCode code, int32_t line, int32_t column)
      : code(code), line(line), column(column) {}
  const char* what() const noexcept override { return "VBScript compilation error"; }

  platform::ErrorCode code;
  int32_t line;
  int32_t column;
};

}  // namespace vbscript
