// The script host's Error object: what the last script error was, kept until Clear() or the
// next script error.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct ScriptErrorInfo {
  int32_t number = 0;  // HRESULT-style, e.g. 0x800A03EA for a JScript syntax error
  std::u16string description;
  std::u16string text;  // the source line at the error, when known
  int32_t line = 0;     // 1-based, in the source as it was added; 0 when unknown
  // VBScript counts from 0 (the statement's first character); JScript gives none and leaves 0,
  // so only the engine that reported the error says whether 0 is a column.
  int32_t column = 0;
  std::u16string source;  // who reports it: "Microsoft JScript runtime error", ...
};

class ScriptError {
 public:
  int32_t Number() const { return info_.number; }
  const std::u16string& Description() const { return info_.description; }
  const std::u16string& Text() const { return info_.text; }
  int32_t Line() const { return info_.line; }
  int32_t Column() const { return info_.column; }
  const std::u16string& Source() const { return info_.source; }
  void Clear() { info_ = {}; }

  // Done by the script host just before it raises its Error event.
  void assign(ScriptErrorInfo info) { info_ = std::move(info); }

 private:
  ScriptErrorInfo info_;
};

}  // namespace platform
