#include "platform/base/text.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <wctype.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void appendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

// Windows-1252's 0x80..0x9F; the five unassigned bytes map to the C1 controls of the same
// value, as MultiByteToWideChar does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

enum class CodePageKind { kUtf8, kCp1252, kIconv };

struct AnsiCodePage {
  std::string name;
  CodePageKind kind;
};

const AnsiCodePage& ansiCodePage() {
  static const AnsiCodePage page = [] {
    std::string name = "ANSI_X3.4-1968";
    if (locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr))) {
      name = nl_langinfo_l(CODESET, loc);
      freelocale(loc);
    }
    if (name == "UTF-8" || name == "utf8") return AnsiCodePage{"UTF-8", CodePageKind::kUtf8};
    if (name == "ANSI_X3.4-1968" || name == "ASCII" || name == "CP1252" || name == "WINDOWS-1252" ||
        name.empty())
      return AnsiCodePage{"WINDOWS-1252", CodePageKind::kCp1252};
    return AnsiCodePage{name, CodePageKind::kIconv};
  }();
  return page;
}

// iconv over the whole text; unconvertible input is replaced one unit at a time.
std::string iconvConvert(const char* to, const char* from, const char* data, size_t size,
                         size_t unit, std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(replacement);
  std::string out;
  out.resize(size * 4 + 16);
  char* in = const_cast<char*>(data);
  size_t inLeft = size;
  char* dst = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = out.size() - outLeft;
      out.resize(out.size() * 2);
      dst = out.data() + used;
      outLeft = out.size() - used;
      continue;
    }
    // EILSEQ or EINVAL: skip one input unit and write the replacement.
    size_t skip = std::min(unit, inLeft);
    in += skip;
    inLeft -= skip;
    if (outLeft < replacement.size() + 8) {
      size_t used = out.size() - outLeft;
      out.resize(out.size() * 2 + replacement.size());
      dst = out.data() + used;
      outLeft = out.size() - used;
    }
    std::memcpy(dst, replacement.data(), replacement.size());
    dst += replacement.size();
    outLeft -= replacement.size();
  }
  out.resize(out.size() - outLeft);
  iconv_close(cd);
  return out;
}

std::u16string utf16FromIconv(std::string_view bytes, const std::string& charset, size_t unit) {
  std::string wide = iconvConvert("UTF-16LE", charset.c_str(), bytes.data(), bytes.size(), unit,
                                  std::string("\xFD\xFF", 2));
  std::u16string out(wide.size() / 2, u'\0');
  std::memcpy(out.data(), wide.data(), out.size() * 2);
  return out;
}

locale_t unicodeLocale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l;
  }();
  return loc;
}

}  // namespace

std::string toUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::u16string fromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    unsigned char b = *p;
    if (b < 0x80) {
      out.push_back(b);
      ++p;
      continue;
    }
    int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (b >= 0xF5) extra = -1;
    if (extra < 0 || end - p <= extra) {
      out.push_back(kReplacement);
      ++p;
      continue;
    }
    char32_t c = b & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if ((p[k] & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (p[k] & 0x3F);
    }
    bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
    if (!ok || overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++p;
      continue;
    }
    appendUtf16(out, c);
    p += extra + 1;
  }
  return out;
}

std::string toAnsi(std::u16string_view text) {
  const AnsiCodePage& page = ansiCodePage();
  switch (page.kind) {
    case CodePageKind::kUtf8:
      return toUtf8(text);
    case CodePageKind::kCp1252: {
      std::string out;
      out.reserve(text.size());
      for (char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
          out.push_back(static_cast<char>(c));
          continue;
        }
        char mapped = '?';
        for (size_t k = 0; k < kCp1252High.size(); ++k) {
          if (kCp1252High[k] == c) {
            mapped = static_cast<char>(0x80 + k);
            break;
          }
        }
        out.push_back(mapped);
      }
      return out;
    }
    case CodePageKind::kIconv:
      return iconvConvert(page.name.c_str(), "UTF-16LE", reinterpret_cast<const char*>(text.data()),
                          text.size() * 2, 2, "?");
  }
  return {};
}

std::u16string fromAnsi(std::string_view bytes) {
  const AnsiCodePage& page = ansiCodePage();
  switch (page.kind) {
    case CodePageKind::kUtf8:
      return fromUtf8(bytes);
    case CodePageKind::kCp1252:
      return fromWindows1252(bytes);
    case CodePageKind::kIconv:
      return utf16FromIconv(bytes, page.name, 1);
  }
  return {};
}

std::u16string fromWindows1252(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b);
  }
  return out;
}

std::optional<std::u16string> decodeCharset(std::string_view bytes, const std::string& charset) {
  iconv_t probe = iconv_open("UTF-16LE", charset.c_str());
  if (probe == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  iconv_close(probe);
  // What to skip past a byte sequence the set cannot map: one code unit of the set.
  size_t unit = 1;
  if (charset.starts_with("UTF-16") || charset.starts_with("UCS-2")) unit = 2;
  if (charset.starts_with("UTF-32") || charset.starts_with("UCS-4")) unit = 4;
  return utf16FromIconv(bytes, charset, unit);
}

const std::string& ansiCodePageName() {
  return ansiCodePage().name;
}

char16_t toLower(char16_t c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  locale_t loc = unicodeLocale();
  if (!loc) return c;
  wint_t lower = towlower_l(c, loc);
  return lower <= 0xFFFF ? static_cast<char16_t>(lower) : c;
}

static char16_t toUpperUnit(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  locale_t loc = unicodeLocale();
  if (!loc) return c;
  wint_t upper = towupper_l(c, loc);
  return upper <= 0xFFFF ? static_cast<char16_t>(upper) : c;
}

std::u16string toLower(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    c = toLower(c);
  return out;
}

std::u16string toUpper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    c = toUpperUnit(c);
  return out;
}

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && toLower(a[i]) != toLower(b[i])) return false;
  }
  return true;
}

std::u16string_view trimSpaces(std::u16string_view text) {
  size_t begin = text.find_first_not_of(u' ');
  if (begin == std::u16string_view::npos) return {};
  size_t end = text.find_last_not_of(u' ');
  return text.substr(begin, end - begin + 1);
}

std::u16string replaceAll(std::u16string_view text, std::u16string_view token,
                          std::u16string_view replacement) {
  if (token.empty()) return std::u16string(text);
  std::u16string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (true) {
    size_t hit = text.find(token, pos);
    if (hit == std::u16string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(replacement);
    pos = hit + token.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::u16string decimal(int64_t value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace platform
