// A script error as compilers report theirs: "FILE:LINE:COLUMN: description", the line of the
// file, and a caret under the column. The script host counts lines of the source it was given,
// which begins with a line break, so its line N is the file's line N - 1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/script/script_error.h"

namespace juvo::tool {

// The lines of a source as the script languages count them: a line ends at CR LF, CR or LF.
std::vector<std::u16string> sourceLines(std::u16string_view source);

// The file's line of the host's line `hostLine`; 0 when the host knew none or it lies before
// the file's first line.
int fileLineOf(int32_t hostLine);

// The file line that declares the procedure `name` in the source with `hostLines`: one where
// `name`, as a whole word, follows "function" or "sub"; else the first that holds the word; else
// 1. `ignoreCase` for VBScript, whose names are compared without regard to case.
int declarationLine(const std::vector<std::u16string>& hostLines, std::u16string_view name,
                    bool ignoreCase);

// What the error's column means, which depends on the script language: VBScript counts
// columns from 0, as the Script Control did (its run-time errors point at the statement's
// start); JScript (Duktape) gives none.
enum class Columns { kUnknown, kFromZero };

// The columns of the parser file at `path`, by the language it runs in.
Columns columnsOf(std::u16string_view path);

// The column as people count it, from 1; 0 when there is none.
int32_t shownColumn(const platform::ScriptErrorInfo& error, Columns columns);

// The report of `error` in the parser `file` whose source, as the host was given it, has
// `hostLines`. Without a column the whole line is marked; without a line that the file holds,
// the report is the first line alone ("FILE: description"). Every line ends in '\n'.
std::string formatScriptError(std::string_view file, const platform::ScriptErrorInfo& error,
                              const std::vector<std::u16string>& hostLines, Columns columns);

}  // namespace juvo::tool
