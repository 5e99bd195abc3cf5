// "/xjuvo" and "/xws" in a conversation: the text after the command names a parser and holds
// its arguments.
#pragma once

#include <string>
#include <string_view>

namespace juvo {

class SharedObjects;

// Runs the parser that `sCommandArg` names: the name is the text before its first space, the
// argument everything after that space, untrimmed (a text without a space is all name). A name
// findParser does not know is reported in a box (the string table's "msgParserNotFound" naming
// the parser as typed; OK, no icon, "Juvo") and gives "". Otherwise the result of the
// configuration window's runScript; the window is created, hidden, when there is none.
// Failures go to the caller.
std::u16string runChatParser(SharedObjects& shared, std::u16string_view sCommandArg);

}  // namespace juvo
