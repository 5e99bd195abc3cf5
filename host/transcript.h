// The transcript lines the host writes in the terminal: one line per event, which scripted
// use (tests) reads. A CR LF inside a text becomes a plain line break.
#pragma once

#include <string>
#include <string_view>

#include "toast_listener.h"

namespace host {

std::u16string sentLine(std::u16string_view text);
std::u16string toastLine(const Toast& toast);
std::u16string commandLine(std::u16string_view word, std::u16string_view name,
                           std::u16string_view help);

}  // namespace host
