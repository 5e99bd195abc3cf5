// The lexer: VBScript source text to tokens. Names and keywords match without regard to case;
// CR, LF and CR LF each end a line; " _" at a line's end continues it; ':' separates
// statements; comments (' and Rem) run to the line's end.
#pragma once

#include <string_view>
#include <vector>

#include "vbscript/token.h"

namespace vbscript {

// All tokens of `source`, ending with kEnd. Raises CompileError for a character that begins
// no token (1032), a string without its closing quote (1033), a malformed number (1031) or
// date (1002), or a name longer than 255 characters (1030).
std::vector<Token> tokenize(std::u16string_view source);

}  // namespace vbscript
