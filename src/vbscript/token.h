// The tokens of VBScript source. Every token carries its line (1-based, counting CR, LF and
// CR LF each as one line break) and column (0-based, in UTF-16 code units).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vbscript/value.h"

namespace vbscript {

enum class TokenKind : uint8_t {
  kEnd,      // end of the source
  kNewLine,  // a line break
  kColon,    // ':' between statements on one line
  kName,     // a name or a keyword (see Keyword)
  kNumber,   // value holds Integer, Long or Double
  kString,
  kDate,
  kAmpersand,
  kPlus,
  kMinus,
  kStar,
  kSlash,
  kBackslash,
  kCaret,
  kEquals,
  kNotEquals,
  kLess,
  kGreater,
  kLessEquals,
  kGreaterEquals,
  kLeftParen,
  kRightParen,
  kComma,
  kDot,
};

// The words the language reserves, and a few more that have a meaning in one place only
// ("soft": Explicit, Preserve, Step, Error, Property, Get, Default...), which remain names
// elsewhere.
enum class Keyword : uint8_t {
  kNone,
  kAnd,
  kByRef,
  kByVal,
  kCall,
  kCase,
  kClass,
  kConst,
  kDefault,
  kDim,
  kDo,
  kEach,
  kElse,
  kElseIf,
  kEmpty,
  kEnd,
  kEqv,
  kErase,
  kError,
  kExit,
  kExplicit,
  kFalse,
  kFor,
  kFunction,
  kGet,
  kGoTo,
  kIf,
  kImp,
  kIn,
  kIs,
  kLet,
  kLoop,
  kMe,
  kMod,
  kNew,
  kNext,
  kNot,
  kNothing,
  kNull,
  kOn,
  kOption,
  kOr,
  kPreserve,
  kPrivate,
  kProperty,
  kPublic,
  kReDim,
  kRem,
  kResume,
  kSelect,
  kSet,
  kStep,
  kStop,
  kSub,
  kThen,
  kTo,
  kTrue,
  kUntil,
  kWend,
  kWhile,
  kWith,
  kXor,
};

// The keyword `name` spells (any letter case), or kNone.
Keyword keywordOf(std::u16string_view name);

// Whether `keyword` may also serve as a name (of a variable, procedure or member).
bool isSoftKeyword(Keyword keyword);

struct Token {
  TokenKind kind = TokenKind::kEnd;
  Keyword keyword = Keyword::kNone;
  bool spaceBefore = false;  // blanks or a line start before it: ".x" then begins a With member
  int32_t line = 1;
  int32_t column = 0;
  std::u16string text;  // a name as written, a string's contents
  Value value;          // a number or a date

  bool is(Keyword k) const { return kind == TokenKind::kName && keyword == k; }
};

}  // namespace vbscript
