// String functions. Positions count from 1 and, like lengths, in UTF-16 code units. A text
// comparison (vbTextCompare) ignores letter case.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::ErrorCode;
using platform::Variant;
using Args = std::span<Variant>;

// --- The ANSI code page of Chr and Asc ------------------------------------------------------

// Windows-1252 from 0x80 to 0x9F; the bytes above are Latin-1. A system whose code page is
// UTF-8 (most Linux systems) has no meaning for a single byte above 0x7F, so Chr and Asc use
// Windows-1252 there, the code page of a Western Windows.
constexpr std::array<char16_t, 32> kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool ansiIsUtf8() {
  const std::string& name = platform::ansiCodePageName();
  return name == "UTF-8" || name == "utf-8" || name == "UTF8";
}

char16_t charOfAnsiByte(int byte) {
  if (byte < 0x80) return static_cast<char16_t>(byte);
  if (ansiIsUtf8()) {
    return byte < 0xA0 ? kWindows1252[static_cast<size_t>(byte - 0x80)]
                       : static_cast<char16_t>(byte);
  }
  const std::u16string text = platform::fromAnsi(std::string(1, static_cast<char>(byte)));
  return text.size() == 1 ? text[0] : u'?';
}

int ansiCodeOf(char16_t c) {
  if (c < 0x80) return c;
  if (ansiIsUtf8()) {
    if (c >= 0xA0 && c <= 0xFF) return c;
    const auto* at = std::find(kWindows1252.begin(), kWindows1252.end(), c);
    return at == kWindows1252.end() ? '?' : 0x80 + static_cast<int>(at - kWindows1252.begin());
  }
  const std::string bytes = platform::toAnsi(std::u16string(1, c));
  if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
  if (bytes.size() == 2) {  // a double-byte code page: lead byte first, as a signed Integer
    return static_cast<int16_t>((static_cast<unsigned char>(bytes[0]) << 8) |
                                static_cast<unsigned char>(bytes[1]));
  }
  return '?';
}

// --- Helpers ---------------------------------------------------------------------------------

Variant integer(int value) {
  return Variant(static_cast<int16_t>(value));
}

Variant longValue(size_t value) {
  return Variant(static_cast<int32_t>(value));
}

// The first character of a text argument that must be neither Null nor empty (Asc and its
// kind).
char16_t firstCharacter(const BuiltinContext& context, const Variant& value) {
  const TextArgument text(context, value);
  if (text.empty()) invalidArgument();
  return text[0];
}

// Where `needle` first occurs in `haystack` at or after `from`.
size_t findIn(std::u16string_view haystack, std::u16string_view needle, size_t from,
              Compare compare) {
  if (compare == Compare::kBinary) return haystack.find(needle, from);
  return platform::toLower(haystack).find(platform::toLower(needle), from);
}

int compareTexts(std::u16string_view a, std::u16string_view b, Compare compare) {
  const int order = compare == Compare::kBinary
                        ? a.compare(b)
                        : std::u16string_view(platform::toLower(a)).compare(platform::toLower(b));
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// The elements of a one-dimensional array argument; 13 for anything else.
const std::vector<Variant>& listArgument(const Variant& value) {
  if (!value.isArray() || !value.array() || value.array()->bounds.size() != 1) {
    platform::raise(ErrorCode::kTypeMismatch);
  }
  return value.array()->elements;
}

// --- Characters and codes ---------------------------------------------------------------------

Variant asc(BuiltinContext& context, Args args) {
  return integer(ansiCodeOf(firstCharacter(context, args[0])));
}

Variant ascB(BuiltinContext& context, Args args) {
  return integer(firstCharacter(context, args[0]) & 0xFF);
}

Variant ascW(BuiltinContext& context, Args args) {
  return integer(static_cast<int16_t>(firstCharacter(context, args[0])));
}

Variant chr(BuiltinContext& context, Args args) {
  const int32_t code = longArgument(context, args[0]);
  if (code < 0 || code > 255) invalidArgument();
  return Variant(std::u16string(1, charOfAnsiByte(code)));
}

// Our strings hold UTF-16 code units, not bytes: ChrB gives the character of that code.
Variant chrB(BuiltinContext& context, Args args) {
  const int32_t code = longArgument(context, args[0]);
  if (code < 0 || code > 255) invalidArgument();
  return Variant(std::u16string(1, static_cast<char16_t>(code)));
}

Variant chrW(BuiltinContext& context, Args args) {
  const int32_t code = longArgument(context, args[0]);
  if (code < -32768 || code > 65535) invalidArgument();
  return Variant(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)));
}

// --- Searching -------------------------------------------------------------------------------

// InStr([start, ]string1, string2[, compare]): with three or four arguments the first is the
// start.
Variant inStr(BuiltinContext& context, Args args) {
  const bool withStart = given(args[2]);
  const Variant& haystack = withStart ? args[1] : args[0];
  const Variant& needle = withStart ? args[2] : args[1];
  const size_t start = withStart ? positionArgument(context, args[0]) : 1;
  const Compare compare = withStart ? compareArgument(context, args[3]) : Compare::kBinary;
  if (haystack.isNull() || needle.isNull()) return Variant::null();
  const TextArgument text(context, haystack);
  const TextArgument sought(context, needle);
  // A start past the end finds nothing, not even the empty string.
  if (text.empty() || start > text.size()) return longValue(0);
  if (sought.empty()) return longValue(start);
  const size_t at = findIn(text, sought, start - 1, compare);
  return longValue(at == std::u16string::npos ? 0 : at + 1);
}

// InStrRev(string1, string2[, start[, compare]]): the last occurrence that ends at or before
// `start` (-1, the default, is the end).
Variant inStrRev(BuiltinContext& context, Args args) {
  int32_t start = optionalLong(context, args[2], -1);
  if (start == 0 || start < -1) invalidArgument();
  const Compare compare = compareArgument(context, args[3]);
  if (args[0].isNull() || args[1].isNull()) return Variant::null();
  const TextArgument text(context, args[0]);
  const TextArgument sought(context, args[1]);
  if (text.empty()) return longValue(0);
  if (start == -1) start = static_cast<int32_t>(text.size());
  if (static_cast<size_t>(start) > text.size()) return longValue(0);
  if (sought.empty()) return longValue(static_cast<size_t>(start));
  if (sought.size() > static_cast<size_t>(start)) return longValue(0);
  const size_t from = static_cast<size_t>(start) - sought.size();
  const size_t at = compare == Compare::kBinary
                        ? text.view().rfind(sought, from)
                        : platform::toLower(text).rfind(platform::toLower(sought), from);
  return longValue(at == std::u16string::npos ? 0 : at + 1);
}

Variant strComp(BuiltinContext& context, Args args) {
  const Compare compare = compareArgument(context, args[2]);
  if (args[0].isNull() || args[1].isNull()) return Variant::null();
  return integer(
      compareTexts(TextArgument(context, args[0]), TextArgument(context, args[1]), compare));
}

// --- Cutting and changing --------------------------------------------------------------------

Variant lCase(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return Variant(platform::toLower(TextArgument(context, args[0])));
}

Variant uCase(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return Variant(platform::toUpper(TextArgument(context, args[0])));
}

Variant len(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  return longValue(TextArgument(context, args[0]).size());
}

Variant left(BuiltinContext& context, Args args) {
  const size_t count = countArgument(context, args[1]);
  if (args[0].isNull()) return Variant::null();
  return Variant(TextArgument(context, args[0]).view().substr(0, count));
}

Variant right(BuiltinContext& context, Args args) {
  const size_t count = countArgument(context, args[1]);
  if (args[0].isNull()) return Variant::null();
  const TextArgument text(context, args[0]);
  return Variant(text.view().substr(text.size() - std::min(count, text.size())));
}

Variant mid(BuiltinContext& context, Args args) {
  const size_t start = positionArgument(context, args[1]);
  const size_t count = given(args[2]) ? countArgument(context, args[2]) : std::u16string::npos;
  if (args[0].isNull()) return Variant::null();
  const TextArgument text(context, args[0]);
  if (start > text.size()) return Variant(u"");
  return Variant(text.view().substr(start - 1, count));
}

enum class Side { kLeft = 1, kRight = 2, kBoth = 3 };

Variant trimmed(BuiltinContext& context, const Variant& value, Side side) {
  if (value.isNull()) return Variant::null();
  const TextArgument text(context, value);
  size_t first = 0;
  size_t last = text.size();
  if (static_cast<int>(side) & static_cast<int>(Side::kLeft)) {
    while (first < last && text[first] == u' ')
      ++first;
  }
  if (static_cast<int>(side) & static_cast<int>(Side::kRight)) {
    while (last > first && text[last - 1] == u' ')
      --last;
  }
  return Variant(text.view().substr(first, last - first));
}

Variant lTrim(BuiltinContext& context, Args args) {
  return trimmed(context, args[0], Side::kLeft);
}

Variant rTrim(BuiltinContext& context, Args args) {
  return trimmed(context, args[0], Side::kRight);
}

Variant trim(BuiltinContext& context, Args args) {
  return trimmed(context, args[0], Side::kBoth);
}

Variant space(BuiltinContext& context, Args args) {
  const size_t count = countArgument(context, args[0]);
  checkTextLength(count);
  return Variant(std::u16string(count, u' '));
}

// String(number, character): `character` is a text whose first character repeats, or a
// character code taken modulo 256.
Variant string(BuiltinContext& context, Args args) {
  const size_t count = countArgument(context, args[0]);
  if (args[1].isNull()) return Variant::null();
  char16_t c = 0;
  if (args[1].isString()) {
    if (args[1].string().empty()) invalidArgument();
    c = args[1].string()[0];
  } else {
    const int32_t code = longArgument(context, args[1]);
    c = charOfAnsiByte(((code % 256) + 256) % 256);
  }
  checkTextLength(count);
  return Variant(std::u16string(count, c));
}

Variant strReverse(BuiltinContext& context, Args args) {
  std::u16string text = textArgument(context, args[0]);
  std::reverse(text.begin(), text.end());
  return Variant(std::move(text));
}

// Replace(expression, find, replacewith[, start[, count[, compare]]]): the result begins at
// `start`, and at most `count` (-1: every) occurrences are replaced.
Variant replace(BuiltinContext& context, Args args) {
  const TextArgument text(context, args[0]);
  const TextArgument sought(context, args[1]);
  const TextArgument replacement(context, args[2]);
  const size_t start = given(args[3]) ? positionArgument(context, args[3]) : 1;
  const int32_t count = optionalLong(context, args[4], -1);
  if (count < -1) invalidArgument();
  const Compare compare = compareArgument(context, args[5]);
  if (start > text.size()) return Variant(u"");
  const std::u16string_view rest = text.view().substr(start - 1);
  if (sought.empty() || count == 0) return Variant(rest);
  const std::u16string folded = compare == Compare::kText ? platform::toLower(rest) : u"";
  const std::u16string foldedSought = compare == Compare::kText ? platform::toLower(sought) : u"";
  const std::u16string_view haystack = compare == Compare::kText ? folded : rest;
  const std::u16string_view needle = compare == Compare::kText ? foldedSought : sought.view();
  std::u16string result;
  size_t from = 0;
  int32_t done = 0;
  while (count < 0 || done < count) {
    const size_t at = haystack.find(needle, from);
    if (at == std::u16string_view::npos) break;
    checkTextLength(result.size() + (at - from) + replacement.size());
    result.append(rest.substr(from, at - from));
    result.append(replacement.view());
    from = at + needle.size();
    ++done;
  }
  checkTextLength(result.size() + rest.size() - from);
  result.append(rest.substr(from));
  return Variant(std::move(result));
}

// --- Lists -----------------------------------------------------------------------------------

Variant join(BuiltinContext& context, Args args) {
  const std::vector<Variant>& list = listArgument(args[0]);
  const std::u16string delimiter = given(args[1]) ? textArgument(context, args[1]) : u" ";
  std::u16string result;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) result += delimiter;
    result += textArgument(context, list[i]);
    checkTextLength(result.size());
  }
  return Variant(std::move(result));
}

// Split(expression[, delimiter[, count[, compare]]]): at most `count` parts (-1: all), the
// last holding the rest.
Variant split(BuiltinContext& context, Args args) {
  const TextArgument text(context, args[0]);
  const std::u16string delimiter = given(args[1]) ? textArgument(context, args[1]) : u" ";
  const int32_t count = optionalLong(context, args[2], -1);
  if (count < -1) invalidArgument();
  const Compare compare = compareArgument(context, args[3]);
  std::vector<Variant> parts;
  if (text.empty() || count == 0) return arrayOf(std::move(parts));
  if (delimiter.empty()) return arrayOf({Variant(text.view())});
  const std::u16string folded = compare == Compare::kText ? platform::toLower(text) : u"";
  const std::u16string foldedDelimiter =
      compare == Compare::kText ? platform::toLower(delimiter) : u"";
  const std::u16string_view haystack = compare == Compare::kText ? folded : text.view();
  const std::u16string_view needle = compare == Compare::kText ? foldedDelimiter : delimiter;
  size_t from = 0;
  while (count < 0 || parts.size() + 1 < static_cast<size_t>(count)) {
    const size_t at = haystack.find(needle, from);
    if (at == std::u16string_view::npos) break;
    parts.push_back(Variant(text.view().substr(from, at - from)));
    from = at + needle.size();
  }
  parts.push_back(Variant(text.view().substr(from)));
  return arrayOf(std::move(parts));
}

// Filter(InputStrings, Value[, Include[, Compare]]): the elements that contain `Value` (or,
// with Include False, do not).
Variant filter(BuiltinContext& context, Args args) {
  const std::vector<Variant>& list = listArgument(args[0]);
  const std::u16string sought = textArgument(context, args[1]);
  const bool include = given(args[2]) ? boolArgument(context, args[2]) : true;
  const Compare compare = compareArgument(context, args[3]);
  std::vector<Variant> kept;
  for (const Variant& element : list) {
    std::u16string text = textArgument(context, element);
    const bool found = findIn(text, sought, 0, compare) != std::u16string::npos;
    if (found == include) kept.push_back(Variant(std::move(text)));
  }
  return arrayOf(std::move(kept));
}

// --- Escape and Unescape (as JScript's escape and unescape) ----------------------------------

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

Variant escape(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  const TextArgument text(context, args[0]);
  static constexpr std::u16string_view kPlain = u"@*_+-./";
  std::u16string result;
  for (char16_t c : text.view()) {
    const bool alphanumeric =
        (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
    if (alphanumeric || kPlain.find(c) != std::u16string_view::npos) {
      result.push_back(c);
    } else if (c < 0x100) {
      result += {u'%', kHexDigits[c >> 4], kHexDigits[c & 0xF]};
    } else {
      result += {u'%',
                 u'u',
                 kHexDigits[c >> 12],
                 kHexDigits[(c >> 8) & 0xF],
                 kHexDigits[(c >> 4) & 0xF],
                 kHexDigits[c & 0xF]};
    }
    checkTextLength(result.size());
  }
  return Variant(std::move(result));
}

int hexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The value of `count` hex digits at `at`, or -1.
int hexAt(std::u16string_view text, size_t at, size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (size_t i = 0; i < count; ++i) {
    const int digit = hexValue(text[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

Variant unescape(BuiltinContext& context, Args args) {
  if (args[0].isNull()) return Variant::null();
  const TextArgument text(context, args[0]);
  const std::u16string_view view = text;
  std::u16string result;
  for (size_t i = 0; i < view.size(); ++i) {
    if (text[i] == u'%') {
      if (i + 1 < text.size() && text[i + 1] == u'u') {
        const int code = hexAt(text, i + 2, 4);
        if (code >= 0) {
          result.push_back(static_cast<char16_t>(code));
          i += 5;
          continue;
        }
      }
      const int code = hexAt(text, i + 1, 2);
      if (code >= 0) {
        result.push_back(static_cast<char16_t>(code));
        i += 2;
        continue;
      }
    }
    result.push_back(text[i]);
  }
  return Variant(std::move(result));
}

constexpr Builtin kFunctions[] = {
    {u"Asc", 1, 1, asc},           {u"AscB", 1, 1, ascB},       {u"AscW", 1, 1, ascW},
    {u"Chr", 1, 1, chr},           {u"ChrB", 1, 1, chrB},       {u"ChrW", 1, 1, chrW},
    {u"Escape", 1, 1, escape},     {u"Filter", 2, 4, filter},   {u"InStr", 2, 4, inStr},
    {u"InStrRev", 2, 4, inStrRev}, {u"Join", 1, 2, join},       {u"LCase", 1, 1, lCase},
    {u"Left", 2, 2, left},         {u"Len", 1, 1, len},         {u"LTrim", 1, 1, lTrim},
    {u"Mid", 2, 3, mid},           {u"Replace", 3, 6, replace}, {u"Right", 2, 2, right},
    {u"RTrim", 1, 1, rTrim},       {u"Space", 1, 1, space},     {u"Split", 1, 4, split},
    {u"StrComp", 2, 3, strComp},   {u"String", 2, 2, string},   {u"StrReverse", 1, 1, strReverse},
    {u"Trim", 1, 1, trim},         {u"UCase", 1, 1, uCase},     {u"Unescape", 1, 1, unescape},
};

}  // namespace

std::span<const Builtin> stringFunctions() {
  return kFunctions;
}

}  // namespace vbscript
