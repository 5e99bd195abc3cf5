#include "platform/script/cesu8.h"

namespace platform::jscript {

std::string toCesu8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) {
    if (unit < 0x80) {
      out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return out;
}

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

std::u16string fromCesu8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  size_t i = 0;
  const size_t n = bytes.size();
  auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  while (i < n) {
    const unsigned char lead = at(i);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
    } else if ((lead & 0xE0) == 0xC0 && i + 1 < n && isContinuation(at(i + 1))) {
      out.push_back(static_cast<char16_t>(((lead & 0x1F) << 6) | (at(i + 1) & 0x3F)));
      i += 2;
    } else if ((lead & 0xF0) == 0xE0 && i + 2 < n && isContinuation(at(i + 1)) &&
               isContinuation(at(i + 2))) {
      out.push_back(static_cast<char16_t>(((lead & 0x0F) << 12) | ((at(i + 1) & 0x3F) << 6) |
                                          (at(i + 2) & 0x3F)));
      i += 3;
    } else if ((lead & 0xF8) == 0xF0 && i + 3 < n && isContinuation(at(i + 1)) &&
               isContinuation(at(i + 2)) && isContinuation(at(i + 3))) {
      const char32_t code = ((lead & 0x07) << 18) | ((at(i + 1) & 0x3F) << 12) |
                            ((at(i + 2) & 0x3F) << 6) | (at(i + 3) & 0x3F);
      if (code >= 0x10000 && code <= 0x10FFFF) {
        out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
      } else {
        out.push_back(kReplacement);
      }
      i += 4;
    } else {
      out.push_back(kReplacement);
      ++i;
    }
  }
  return out;
}

}  // namespace platform::jscript
