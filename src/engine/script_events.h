// The script host's two notifications, as the user meets them: a script error becomes the
// "Parser error." box with everything the host knows about it; a time-out resets the host and
// says so in a box.
#pragma once

#include <string>

#include "platform/script/script_control.h"

namespace juvo {

class SharedObjects;

// The text of the "Parser error." box for `error`: its description, source text, number, line,
// column and source, one per line after a heading, numbers in signed decimal.
std::u16string parserErrorMessage(const platform::ScriptError& error);

// Makes `script` raise the boxes: on a script error the message above (OK, critical icon,
// title "Parser error."), after which the Error object is cleared but the host is not reset;
// on a time-out a Reset, then the string table's "msgTimeout" (OK, no icon, title "Juvo").
// `script` and `shared` must outlive the handlers' use.
void wireScriptEvents(platform::ScriptControl& script, SharedObjects& shared);

}  // namespace juvo
