// The DOM as scripts see it, as data: documents, and for each case the expression in each
// script language with the value it must give. One table serves every language: a language
// adds its column (its expressions) and its entry in dom_script_test.cpp; documents and
// expected values are shared.
#pragma once

#include <span>
#include <string_view>

namespace platform::xml::testing {

struct TestDocument {
  std::u16string_view text;
  bool preserveWhiteSpace = false;  // set before loading
};

// What an expression gives.
struct Expected {
  enum class Kind { kText, kNull, kNothing, kFailure };
  Kind kind;
  std::u16string_view text;  // kText: the value's text by the rules of CStr ("True", "3")
};

struct DomCase {
  std::string_view name;
  const TestDocument* document;
  // An expression over `doc`, the document loaded from `document`; empty where the language
  // has no such form.
  std::u16string_view jscript;
  std::u16string_view vbscript;
  Expected expected;
};

std::span<const DomCase> domCases();

}  // namespace platform::xml::testing
