// Running one parser file: the script host gets the file's code and a fresh engine object, the
// parser's `run` is called, and what it passed last to engine.output comes back in chunks.
#pragma once

#include <string>
#include <string_view>

#include "platform/script/script_control.h"

namespace juvo {

class EngineHost;
class SharedObjects;

// Runs the parser at `filename` in `script`, with `argument` as engine.argument, and returns
// its result cut by chunkResult (chunks.h). The host is reset first, so nothing of an earlier
// run remains, and again after a successful run.
//
// Nothing is handled here: an unreadable file, a compile error, a run-time error, a missing
// `run` or a time-out ends the run at once and goes to the caller, leaving the host as the
// failure found it. The host's own events (script_events.h) have shown their boxes by then.
// The engine object borrows `host` (engine_host.h).
std::u16string runScript(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
                         std::u16string_view filename, std::u16string_view argument);

// The script language of a parser file: "javascript" when the text after the last '.' of
// `path` is exactly "js" (so X.JS is VBScript), else "VBScript".
std::u16string_view scriptLanguageFor(std::u16string_view path);

// The parser file's code as the host gets it: a CR LF before each line of the file (lines end
// at CR or CR LF), so the host's line numbers are one greater than the file's. Raises the file
// system's error when the file cannot be read.
std::u16string readParserSource(std::u16string_view path);

}  // namespace juvo
