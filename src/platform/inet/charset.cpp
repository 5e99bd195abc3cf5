#include "platform/inet/charset.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/base/text.h"

namespace platform::inet {

namespace {

// How far into a page a meta charset is looked for; pages put it into their head.
constexpr std::size_t kMetaScanBytes = 16 * 1024;
// How far an XML declaration may reach.
constexpr std::size_t kDeclarationScanBytes = 1024;

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Where `needle` (ASCII, lower case) first occurs in `text` at or after `from`, without regard
// to letter case.
std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
    bool same = true;
    for (std::size_t k = 0; k < needle.size() && same; ++k) {
      same = upper(text[i + k]) == upper(needle[k]);
    }
    if (same) return i;
  }
  return std::string_view::npos;
}

// The label as one name: no quotes or spaces around it, upper case, aliases resolved.
std::string canonicalLabel(std::string_view label) {
  while (!label.empty() &&
         (isSpace(label.front()) || label.front() == '"' || label.front() == '\''))
    label.remove_prefix(1);
  while (!label.empty() && (isSpace(label.back()) || label.back() == '"' || label.back() == '\''))
    label.remove_suffix(1);
  std::string name;
  for (char c : label)
    name.push_back(upper(c));
  static constexpr std::array<std::string_view, 15> kWindows1252 = {
      "ISO-8859-1", "ISO8859-1", "ISO_8859-1", "ISO_8859-1:1987", "LATIN1",
      "L1",         "CP819",     "IBM819",     "ISO-IR-100",      "CSISOLATIN1",
      "US-ASCII",   "ASCII",     "CP1252",     "X-CP1252",        "ANSI_X3.4-1968"};
  if (name == "WINDOWS-1252" ||
      std::find(kWindows1252.begin(), kWindows1252.end(), name) != kWindows1252.end()) {
    return "WINDOWS-1252";
  }
  if (name == "UTF8" || name == "UNICODE-1-1-UTF-8") return "UTF-8";
  if (name == "UTF-16" || name == "UNICODE" || name == "UCS-2" || name == "CSUNICODE")
    return "UTF-16";
  return name;
}

bool isWideUnicode(const std::string& name) {
  return name.starts_with("UTF-16") || name.starts_with("UTF-32") || name.starts_with("UCS-");
}

bool validUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    if (*p < 0x80) {
      ++p;
      continue;
    }
    int extra;
    char32_t c;
    if (*p >= 0xC2 && *p <= 0xDF) {
      extra = 1;
      c = *p & 0x1F;
    } else if (*p >= 0xE0 && *p <= 0xEF) {
      extra = 2;
      c = *p & 0x0F;
    } else if (*p >= 0xF0 && *p <= 0xF4) {
      extra = 3;
      c = *p & 0x07;
    } else {
      return false;
    }
    if (end - p <= extra) return false;
    for (int k = 1; k <= extra; ++k) {
      if ((p[k] & 0xC0) != 0x80) return false;
      c = (c << 6) | (p[k] & 0x3F);
    }
    if ((extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000) || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF)) {
      return false;
    }
    p += extra + 1;
  }
  return true;
}

// The value after `charset` `=` at `at` (just past the word), ending at a quote, a space, a
// semicolon or the end of the tag.
std::string valueAfterEquals(std::string_view text, std::size_t at) {
  while (at < text.size() && isSpace(text[at]))
    ++at;
  if (at >= text.size() || text[at] != '=') return {};
  ++at;
  while (at < text.size() && isSpace(text[at]))
    ++at;
  if (at < text.size() && (text[at] == '"' || text[at] == '\'')) ++at;
  std::size_t end = at;
  while (end < text.size() && !isSpace(text[end]) && text[end] != '"' && text[end] != '\'' &&
         text[end] != ';' && text[end] != '>' && text[end] != '/') {
    ++end;
  }
  return std::string(text.substr(at, end - at));
}

std::string xmlDeclarationEncoding(std::string_view body) {
  if (!body.starts_with("<?xml")) return {};
  const std::string_view head = body.substr(0, kDeclarationScanBytes);
  const std::size_t close = head.find("?>");
  if (close == std::string_view::npos) return {};
  const std::string_view declaration = head.substr(0, close);
  const std::size_t word = declaration.find("encoding");
  if (word == std::string_view::npos) return {};
  return valueAfterEquals(declaration, word + 8);
}

std::string metaCharset(std::string_view body) {
  const std::string_view head = body.substr(0, kMetaScanBytes);
  std::size_t at = 0;
  while ((at = findIgnoringCase(head, "<meta", at)) != std::string_view::npos) {
    const std::size_t end = head.find('>', at);
    const std::string_view tag = head.substr(at, end == std::string_view::npos ? end : end - at);
    const std::size_t word = findIgnoringCase(tag, "charset");
    if (word != std::string_view::npos) {
      std::string value = valueAfterEquals(tag, word + 7);
      if (!value.empty()) return value;
    }
    at += 5;
  }
  return {};
}

std::u16string withoutByteOrderMark(std::u16string text) {
  if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
  return text;
}

// `body` decoded as `name` (canonical), or nullopt when iconv knows no such set.
std::optional<DecodedText> decodeAs(std::string_view body, std::string name) {
  if (name == "UTF-8") {
    return DecodedText{withoutByteOrderMark(fromUtf8(body)), name};
  }
  if (name == "WINDOWS-1252") return DecodedText{fromWindows1252(body), name};
  if (name == "UTF-16") {
    name = charsetOfByteOrderMark(body) == "UTF-16BE" ? "UTF-16BE" : "UTF-16LE";
  }
  std::optional<std::u16string> text = decodeCharset(body, name);
  if (!text) return std::nullopt;
  if (isWideUnicode(name)) *text = withoutByteOrderMark(std::move(*text));
  return DecodedText{std::move(*text), name};
}

}  // namespace

std::string charsetOfContentType(std::string_view contentType) {
  // Parameters follow the media type, each after a semicolon.
  std::size_t at = contentType.find(';');
  while (at != std::string_view::npos) {
    std::size_t name = at + 1;
    while (name < contentType.size() && isSpace(contentType[name]))
      ++name;
    if (findIgnoringCase(contentType.substr(name, 7), "charset") == 0) {
      std::size_t valueStart = name + 7;
      while (valueStart < contentType.size() && isSpace(contentType[valueStart]))
        ++valueStart;
      if (valueStart < contentType.size() && contentType[valueStart] == '=') {
        std::string_view value = contentType.substr(valueStart + 1);
        value = value.substr(0, value.find(';'));
        std::string label = canonicalLabel(value);
        if (!label.empty()) return label;
      }
    }
    at = contentType.find(';', at + 1);
  }
  return {};
}

std::string charsetOfByteOrderMark(std::string_view body) {
  if (body.starts_with("\xEF\xBB\xBF")) return "UTF-8";
  if (body.starts_with("\xFF\xFE")) return "UTF-16LE";
  if (body.starts_with("\xFE\xFF")) return "UTF-16BE";
  return {};
}

std::string charsetDeclaredIn(std::string_view body) {
  std::string declared = xmlDeclarationEncoding(body);
  if (declared.empty()) declared = metaCharset(body);
  if (declared.empty()) return {};
  std::string name = canonicalLabel(declared);
  // Markup read as ASCII is not in a wide set, whatever it says.
  return isWideUnicode(name) ? "UTF-8" : name;
}

DecodedText decodeBody(std::string_view body, std::string_view contentType) {
  for (std::string name :
       {charsetOfContentType(contentType), charsetOfByteOrderMark(body), charsetDeclaredIn(body)}) {
    if (name.empty()) continue;
    if (std::optional<DecodedText> decoded = decodeAs(body, std::move(name))) return *decoded;
  }
  if (validUtf8(body)) return *decodeAs(body, "UTF-8");
  return *decodeAs(body, "WINDOWS-1252");
}

}  // namespace platform::inet
