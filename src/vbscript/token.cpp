#include "vbscript/token.h"

#include <array>
#include <utility>

#include "platform/base/text.h"

namespace vbscript {

namespace {

struct Spelling {
  std::u16string_view name;  // lower case
  Keyword keyword;
};

constexpr std::array kKeywords = {
    Spelling{u"and", Keyword::kAnd},
    Spelling{u"byref", Keyword::kByRef},
    Spelling{u"byval", Keyword::kByVal},
    Spelling{u"call", Keyword::kCall},
    Spelling{u"case", Keyword::kCase},
    Spelling{u"class", Keyword::kClass},
    Spelling{u"const", Keyword::kConst},
    Spelling{u"default", Keyword::kDefault},
    Spelling{u"dim", Keyword::kDim},
    Spelling{u"do", Keyword::kDo},
    Spelling{u"each", Keyword::kEach},
    Spelling{u"else", Keyword::kElse},
    Spelling{u"elseif", Keyword::kElseIf},
    Spelling{u"empty", Keyword::kEmpty},
    Spelling{u"end", Keyword::kEnd},
    Spelling{u"eqv", Keyword::kEqv},
    Spelling{u"erase", Keyword::kErase},
    Spelling{u"error", Keyword::kError},
    Spelling{u"exit", Keyword::kExit},
    Spelling{u"explicit", Keyword::kExplicit},
    Spelling{u"false", Keyword::kFalse},
    Spelling{u"for", Keyword::kFor},
    Spelling{u"function", Keyword::kFunction},
    Spelling{u"get", Keyword::kGet},
    Spelling{u"goto", Keyword::kGoTo},
    Spelling{u"if", Keyword::kIf},
    Spelling{u"imp", Keyword::kImp},
    Spelling{u"in", Keyword::kIn},
    Spelling{u"is", Keyword::kIs},
    Spelling{u"let", Keyword::kLet},
    Spelling{u"loop", Keyword::kLoop},
    Spelling{u"me", Keyword::kMe},
    Spelling{u"mod", Keyword::kMod},
    Spelling{u"new", Keyword::kNew},
    Spelling{u"next", Keyword::kNext},
    Spelling{u"not", Keyword::kNot},
    Spelling{u"nothing", Keyword::kNothing},
    Spelling{u"null", Keyword::kNull},
    Spelling{u"on", Keyword::kOn},
    Spelling{u"option", Keyword::kOption},
    Spelling{u"or", Keyword::kOr},
    Spelling{u"preserve", Keyword::kPreserve},
    Spelling{u"private", Keyword::kPrivate},
    Spelling{u"property", Keyword::kProperty},
    Spelling{u"public", Keyword::kPublic},
    Spelling{u"redim", Keyword::kReDim},
    Spelling{u"rem", Keyword::kRem},
    Spelling{u"resume", Keyword::kResume},
    Spelling{u"select", Keyword::kSelect},
    Spelling{u"set", Keyword::kSet},
    Spelling{u"step", Keyword::kStep},
    Spelling{u"stop", Keyword::kStop},
    Spelling{u"sub", Keyword::kSub},
    Spelling{u"then", Keyword::kThen},
    Spelling{u"to", Keyword::kTo},
    Spelling{u"true", Keyword::kTrue},
    Spelling{u"until", Keyword::kUntil},
    Spelling{u"wend", Keyword::kWend},
    Spelling{u"while", Keyword::kWhile},
    Spelling{u"with", Keyword::kWith},
    Spelling{u"xor", Keyword::kXor},
};

}  // namespace

Keyword keywordOf(std::u16string_view name) {
  if (name.size() < 2 || name.size() > 8) return Keyword::kNone;
  char16_t lower[8];
  for (size_t i = 0; i < name.size(); ++i)
    lower[i] = platform::toLower(name[i]);
  const std::u16string_view key(lower, name.size());
  for (const Spelling& spelling : kKeywords) {
    if (spelling.name == key) return spelling.keyword;
  }
  return Keyword::kNone;
}

bool isSoftKeyword(Keyword keyword) {
  switch (keyword) {
    case Keyword::kNone:
    case Keyword::kDefault:
    case Keyword::kError:
    case Keyword::kExplicit:
    case Keyword::kGet:
    case Keyword::kPreserve:
    case Keyword::kProperty:
    case Keyword::kStep:
      return true;
    default:
      return false;
  }
}

}  // namespace vbscript
