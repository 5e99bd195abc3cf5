// The configuration window's parser information and trial run. Both work on the parser whose
// file name is the selected entry of the window's list `scripts`, in the window's script host.
#pragma once

#include <string>
#include <string_view>

#include "platform/script/script_control.h"
#include "platform/ui/form.h"

namespace juvo {

class EngineHost;
class SharedObjects;

// scriptschange: loads the selected parser's code, calls its `info` with a fresh engine object
// and shows what it declared: the description in `destxt`, the help in `helptxt`, and in
// `syntxt` "/xjuvo ", the parser's name, a space and the syntax. Unset members show their
// defaults from the string table.
//
// Never fails. Nothing selected or a file that cannot be read (gone, a folder, no permission)
// leaves the three boxes as they are and shows nothing. Once the code is read, a failure
// (compile error, no `info`, an error in it, a time-out) keeps the boxes not yet written, shows
// "<number> <description>" (OK, no icon, "Juvo") when the host's Error object holds no error
// number by then, and resets the host. The host's own event boxes come first.
// The engine object borrows `host`.
void showParserInfo(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
                    platform::Form& form);

// The same display for the parser file at `path`, wherever it lies, into the text boxes of
// `form`; the name shown is the file name up to its last '.'. True when all three boxes were
// written; false after any failure, handled as above.
bool showParserInfoOf(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
                      platform::Form& form, std::u16string_view path);

// The click of cmdTryCommand: asks for the arguments in an input box titled with the button's
// caption (Cancel passes an empty argument), runs the selected parser as the chat would, and
// shows each chunk of its result in a box of its own (OK, no icon, "msgTryCommandResult").
// Nothing is shown for an empty result. Never fails: without a selection nothing happens, and
// a failed run ends it silently after the host's own boxes.
void tryParser(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
               platform::Form& form);

// The parser's name in a list entry: everything before its last '.' ("my.parser.vbs" gives
// "my.parser"). Raises kInvalidProcedureCall when the entry holds no '.'.
std::u16string parserNameOf(std::u16string_view entry);

}  // namespace juvo
