// Turning a fetched body into text. The character set is the first of these that names one
// iconv knows:
//   1. the charset parameter of the Content-Type header;
//   2. a byte-order mark (UTF-8, UTF-16LE, UTF-16BE);
//   3. the encoding of an XML declaration at the very start, or an HTML meta charset (either
//      form) in the first 16 KB;
//   4. UTF-8, when the whole body is valid UTF-8;
//   5. Windows-1252, which maps every byte.
//
// Labels are read as browsers read them: ISO-8859-1, US-ASCII and their aliases mean
// Windows-1252 (its superset); a bare "UTF-16" means little-endian; and a UTF-16 or UTF-32
// label found in the markup itself is taken for UTF-8, since the markup could be read as ASCII.
// A byte-order mark that matches the set in use is not part of the text. Bytes the set cannot
// map become U+FFFD: decoding never fails.
#pragma once

#include <string>
#include <string_view>

namespace platform::inet {

struct DecodedText {
  std::u16string text;
  std::string charset;  // the set used, as iconv names it: "UTF-8", "WINDOWS-1252", ...
};

DecodedText decodeBody(std::string_view body, std::string_view contentType);

// The pieces of the rules, each "" when it finds nothing.
// The charset parameter of a Content-Type value, unquoted ("text/html; charset=\"utf-8\"").
std::string charsetOfContentType(std::string_view contentType);
// The set a byte-order mark at the start of `body` names.
std::string charsetOfByteOrderMark(std::string_view body);
// The set an XML declaration or an HTML meta element near the start of `body` declares.
std::string charsetDeclaredIn(std::string_view body);

}  // namespace platform::inet
