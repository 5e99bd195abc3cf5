// Text helpers. Inside the program every text is UTF-16 (std::u16string), as the COM
// strings of the original were; lengths, comparisons and cuts count UTF-16 code units.
// Conversions happen at the edges only: UTF-8 for libraries and the terminal, the ANSI
// code page for files and the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// UTF-16 <-> UTF-8. Malformed input (lone surrogates, bad UTF-8 bytes) becomes U+FFFD;
// the conversions never fail.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// The "ANSI code page": the locale's character set (LC_CTYPE from the environment), or
// Windows-1252 where the locale is plain C/POSIX. Characters the code page cannot hold
// become '?', as WideCharToMultiByte does by default.
std::string toAnsi(std::u16string_view text);
std::u16string fromAnsi(std::string_view bytes);
// The iconv name of the ANSI code page in use, for diagnostics and tests.
const std::string& ansiCodePageName();

// Windows-1252 to UTF-16. The five bytes the code page leaves unassigned become the C1
// controls of the same value, as MultiByteToWideChar does.
std::u16string fromWindows1252(std::string_view bytes);

// `bytes` in the character set iconv calls `charset` ("ISO-8859-2", "UTF-16LE", "SHIFT_JIS")
// to UTF-16; sequences the set cannot map become U+FFFD. nullopt when iconv knows no set of
// that name.
std::optional<std::u16string> decodeCharset(std::string_view bytes, const std::string& charset);

// Case mapping per UTF-16 code unit with the Unicode simple mappings, independent of the
// process locale (the same rules as Windows' CharLower/CharUpper for the BMP).
std::u16string toLower(std::u16string_view text);
std::u16string toUpper(std::u16string_view text);
char16_t toLower(char16_t c);
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

// Strips leading and trailing U+0020 only, like Visual Basic's Trim.
std::u16string_view trimSpaces(std::u16string_view text);

// Replaces every occurrence of `token` (exact, case-sensitive) by `replacement`, left to
// right, never rescanning replaced text. An empty token leaves the text unchanged.
std::u16string replaceAll(std::u16string_view text, std::u16string_view token,
                          std::u16string_view replacement);

// Decimal text of a number: "-12", "0".
std::u16string decimal(int64_t value);

}  // namespace platform
