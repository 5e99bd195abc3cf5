// The hive file's text: REGEDIT4, as the Windows registry editor exports it. Every value's
// bytes come back exactly as they were stored. Private to platform/registry.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/registry/hive.h"

namespace platform::hive {

// "REGEDIT4", a blank line, then one section per key (roots only when they hold values), in
// creation order, each followed by its values and a blank line. A REG_SZ is written as text
// when its bytes end in their only zero and hold no CR or LF; a REG_DWORD of 4 bytes as
// dword:; anything else as hex: (REG_BINARY) or hex(type):.
std::string formatHive(const Key& top);

struct ParsedHive {
  std::unique_ptr<Key> top;  // null when the text does not parse
  size_t badLine = 0;        // 1-based, when it does not
  std::string problem;
};

// Reads a text made by formatHive, or by the registry editor: CR LF line ends, ';' comments
// and hex lines continued with a trailing '\' are accepted. HKEY_CLASSES_ROOT sections land
// under HKEY_CURRENT_USER\Software\Classes. Deletion entries ("[-key]", "name"=-) do not parse.
ParsedHive parseHive(std::string_view text);

}  // namespace platform::hive
