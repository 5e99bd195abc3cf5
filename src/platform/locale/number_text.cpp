#include "platform/locale/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {

namespace {

bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == 0x00A0;
}

bool isSpaceLike(char16_t c) {
  return c == u' ' || c == 0x00A0 || c == 0x202F;
}

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

std::u16string_view trimmed(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

bool stripPrefix(std::u16string_view& text, std::u16string_view prefix) {
  if (prefix.empty() || !text.starts_with(prefix)) return false;
  text = trimmed(text.substr(prefix.size()));
  return true;
}

bool stripSuffix(std::u16string_view& text, std::u16string_view suffix) {
  if (suffix.empty() || !text.ends_with(suffix)) return false;
  text = trimmed(text.substr(0, text.size() - suffix.size()));
  return true;
}

// "&H1F", "&O17": Integers up to four hex (six octal) digits, Longs beyond; both wrap.
std::optional<double> parseRadix(std::u16string_view text) {
  if (text.size() < 3) return std::nullopt;
  const char16_t kind = text[1];
  const int base = (kind == u'H' || kind == u'h') ? 16 : (kind == u'O' || kind == u'o') ? 8 : 0;
  if (base == 0) return std::nullopt;
  const std::u16string_view digits = text.substr(2);
  uint64_t value = 0;
  for (char16_t c : digits) {
    int digit = -1;
    if (isDigit(c)) digit = c - u'0';
    if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  if (value <= 0xFFFF && digits.size() <= (base == 16 ? 4u : 6u))
    return static_cast<double>(static_cast<int16_t>(value));
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

// The digits, separators and exponent of an unsigned amount, in the C locale's spelling.
std::optional<std::string> normalizedAmount(std::u16string_view text, const Locale& locale) {
  const char16_t group = locale.groupSeparator;
  auto isGroup = [&](char16_t c) {
    return group != u'\0' && (c == group || (isSpaceLike(group) && isSpaceLike(c)));
  };
  std::string out;
  size_t i = 0;
  // The whole part: digits, with grouping separators between groups of exactly three.
  size_t run = 0;  // digits since the last separator
  bool grouped = false;
  size_t digits = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (isDigit(c)) {
      out.push_back(static_cast<char>(c));
      ++run;
      ++digits;
    } else if (isGroup(c) && c != locale.decimalSeparator) {
      if (run == 0 || (grouped ? run != 3 : run > 3)) return std::nullopt;
      grouped = true;
      run = 0;
    } else {
      break;
    }
    ++i;
  }
  if (grouped && run != 3) return std::nullopt;
  if (i < text.size() && text[i] == locale.decimalSeparator) {
    out.push_back('.');
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      out.push_back(static_cast<char>(text[i++]));
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    out.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
      out.push_back(static_cast<char>(text[i++]));
    size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
      out.push_back(static_cast<char>(text[i++]));
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return out;
}

// The decimal digits of |value| rounded half away from zero to `fractionDigits`, working on its
// 15 significant digits as Windows does: whole part and fraction part.
struct Digits {
  std::string whole;
  std::string fraction;
};

Digits roundedDigits(double value, int fractionDigits) {
  Digits result;
  result.fraction.assign(static_cast<size_t>(fractionDigits), '0');
  value = std::fabs(value);
  if (value == 0 || !std::isfinite(value)) {
    result.whole = "0";
    return result;
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string mantissa;  // 15 digits
  for (const char* p = buffer; *p != 'e'; ++p) {
    if (*p != '.') mantissa.push_back(*p);
  }
  const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  // The mantissa's digit k stands for 10^(exponent - k). Keep the digits down to 10^-fraction.
  const long keep = static_cast<long>(exponent) + 1 + fractionDigits;
  std::string kept;
  if (keep < 0) {
    kept.clear();
  } else if (keep >= static_cast<long>(mantissa.size())) {
    kept = mantissa + std::string(static_cast<size_t>(keep) - mantissa.size(), '0');
  } else {
    kept = mantissa.substr(0, static_cast<size_t>(keep));
    if (mantissa[static_cast<size_t>(keep)] >= '5') {
      size_t k = kept.size();
      while (k > 0 && kept[k - 1] == '9')
        kept[--k] = '0';
      if (k == 0) {
        kept.insert(kept.begin(), '1');  // a carry out of the first digit
      } else {
        ++kept[k - 1];
      }
    }
  }
  // The last digit kept stands for 10^-fractionDigits.
  const long wholeCount = static_cast<long>(kept.size()) - fractionDigits;
  if (wholeCount > 0) {
    result.whole = kept.substr(0, static_cast<size_t>(wholeCount));
    result.fraction = kept.substr(static_cast<size_t>(wholeCount));
  } else {
    result.whole = "0";
    result.fraction = std::string(static_cast<size_t>(-wholeCount), '0') + kept;
  }
  const size_t nonZero = result.whole.find_first_not_of('0');
  result.whole = nonZero == std::string::npos ? "0" : result.whole.substr(nonZero);
  return result;
}

std::u16string ascii(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

// |value| by `style`, without sign; `zero` tells whether it rounded to nothing.
std::u16string unsignedAmount(double value, const AmountStyle& style, const Locale& locale,
                              bool& zero) {
  const int fractionDigits = style.fractionDigits < 0 ? 0 : style.fractionDigits;
  const Digits digits = roundedDigits(value, fractionDigits);
  zero = digits.whole == "0" && digits.fraction.find_first_not_of('0') == std::string::npos;
  std::u16string text;
  if (digits.whole != "0" || style.leadingZero || fractionDigits == 0) {
    const size_t count = digits.whole.size();
    for (size_t i = 0; i < count; ++i) {
      if (style.grouped && locale.groupSeparator != u'\0' && i > 0 && (count - i) % 3 == 0) {
        text.push_back(locale.groupSeparator);
      }
      text.push_back(static_cast<char16_t>(digits.whole[i]));
    }
  }
  if (fractionDigits > 0) {
    text.push_back(locale.decimalSeparator);
    text += ascii(digits.fraction);
  }
  return text;
}

}  // namespace

std::optional<double> parseLocaleNumber(std::u16string_view text, const Locale& locale) {
  text = trimmed(text);
  if (!text.empty() && text.front() == u'&') return parseRadix(text);
  bool negative = false;
  if (text.size() >= 2 && text.front() == u'(' && text.back() == u')') {
    negative = true;
    text = trimmed(text.substr(1, text.size() - 2));
  }
  const std::u16string_view symbol = locale.currencySymbol;
  bool hasSymbol = stripPrefix(text, symbol);
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
    if (negative) return std::nullopt;
    negative = text.front() == u'-';
    text = trimmed(text.substr(1));
    if (!hasSymbol) hasSymbol = stripPrefix(text, symbol);
  }
  if (!hasSymbol) stripSuffix(text, symbol);
  const std::optional<std::string> amount = normalizedAmount(text, locale);
  if (!amount) return std::nullopt;
  const double value = std::strtod(amount->c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

std::u16string formatLocaleNumber(double value, const Locale& locale, int digits) {
  if (std::isnan(value)) return u"NaN";
  if (std::isinf(value)) return value > 0 ? u"Infinity" : u"-Infinity";
  if (value == 0) return u"0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
  std::u16string text = ascii(buffer);
  for (char16_t& c : text) {
    if (c == u'.') c = locale.decimalSeparator;
  }
  return text;
}

std::u16string formatAmount(double value, const AmountStyle& style, const Locale& locale) {
  bool zero = false;
  const std::u16string text = unsignedAmount(value, style, locale, zero);
  if (!(value < 0) || zero) return text;
  return style.parentheses ? u"(" + text + u")" : u"-" + text;
}

std::u16string formatMoney(double value, const AmountStyle& style, const Locale& locale) {
  bool zero = false;
  const std::u16string amount = unsignedAmount(value, style, locale, zero);
  const std::u16string space = locale.currencySpaced ? u" " : u"";
  const std::u16string text = locale.currencyFirst ? locale.currencySymbol + space + amount
                                                   : amount + space + locale.currencySymbol;
  if (!(value < 0) || zero) return text;
  return style.parentheses ? u"(" + text + u")" : u"-" + text;
}

}  // namespace platform
