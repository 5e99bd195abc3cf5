// The hive file's text: REGEDIT4, as the Windows registry editor exports it. Every value's
// bytes come back exactly as they were stored. Private to platform/registry.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/hive.h"

namespace platform::hive {

// "REGEDIT4", a blank line, then a section for each key that holds values or has no sub-key
// (a key above others is made by reading theirs), depth first in creation order, each
// followed by its values and a blank line. A REG_SZ is written as text when its bytes end in
// their only zero and hold no CR or LF; a REG_DWORD of 4 bytes as dword:; anything else as
// hex: (REG_BINARY) or hex(type):. The text's size grows with the hive's, never faster.
std::string formatHive(const Key& top);

// A line of the text that was left out, and why.
struct DamagedLine {
  size_t number = 0;              // 1-based
  const char* problem = nullptr;  // "neither a key nor a value", ...
};

struct ParsedHive {
  std::unique_ptr<Key> top;  // everything that parsed; never null
  size_t damagedCount = 0;
  std::vector<DamagedLine> damaged;  // the first kDamagedLinesKept of them, in order
};

inline constexpr size_t kDamagedLinesKept = 8;

// Reads a text made by formatHive, or by the registry editor or a person: CR LF line ends, a
// UTF-8 byte-order mark, blanks around a line and around '=', ';' comments and hex lines
// continued with a trailing '\' are accepted. HKEY_CLASSES_ROOT sections land under
// HKEY_CURRENT_USER\Software\Classes. A line that does not parse, or goes beyond the
// registry's limits, is left out; so are the values of a key whose line was left out, since
// they would otherwise land in the key above them. A missing header is a damaged first line,
// which is then read as any other. Deletion entries ("[-key]", "name"=-) are damaged lines.
// The empty text is an empty hive.
ParsedHive parseHive(std::string_view text);

}  // namespace platform::hive
