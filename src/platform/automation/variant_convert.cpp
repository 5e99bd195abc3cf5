#include "platform/automation/variant_convert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <chrono>
#include <ctime>

#include "platform/automation/automation_object.h"
#include "platform/automation/calendar.h"
#include "platform/automation/date_text.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "platform/locale/number_text.h"

namespace platform {

namespace {

Variant defaultValue(const ObjectPtr& object) {
  if (!object) raise(ErrorCode::kObjectVariableNotSet);
  return object->invoke(kDefaultMember, kPropertyGet, {});
}

std::u16string ascii(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

// A currency amount as CStr writes it: no more fraction digits than it has.
std::u16string currencyText(Currency amount, const Locale& locale) {
  const bool negative = amount.scaled < 0;
  const uint64_t magnitude =
      negative ? 0 - static_cast<uint64_t>(amount.scaled) : static_cast<uint64_t>(amount.scaled);
  std::u16string text = negative ? u"-" : u"";
  text += ascii(std::to_string(magnitude / 10000));
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  if (!fraction.empty()) text += locale.decimalSeparator + ascii(fraction);
  return text;
}

int thisYear() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return 2000;
  return local.tm_year + 1900;
}

}  // namespace

std::u16string formatNumber(double value) {
  if (std::isnan(value)) return u"NaN";
  if (std::isinf(value)) return value > 0 ? u"Infinity" : u"-Infinity";
  if (value == 0) return u"0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text = buffer;
  // "%G" pads the exponent to two digits and keeps trailing zeros out; VB writes "1E+20".
  return ascii(text);
}

std::optional<double> parseNumber(std::u16string_view text) {
  std::u16string_view t = text;
  while (!t.empty() && (t.front() == u' ' || t.front() == u'\t'))
    t.remove_prefix(1);
  while (!t.empty() && (t.back() == u' ' || t.back() == u'\t'))
    t.remove_suffix(1);
  if (t.empty()) return std::nullopt;
  std::string narrow;
  for (char16_t c : t) {
    if (c > 0x7F) return std::nullopt;
    narrow.push_back(static_cast<char>(c));
  }
  if (narrow.size() > 2 && narrow[0] == '&' &&
      (narrow[1] == 'H' || narrow[1] == 'h' || narrow[1] == 'O' || narrow[1] == 'o')) {
    int base = (narrow[1] == 'H' || narrow[1] == 'h') ? 16 : 8;
    char* end = nullptr;
    unsigned long long v = std::strtoull(narrow.c_str() + 2, &end, base);
    if (*end != '\0' || v > 0xFFFFFFFFull) return std::nullopt;
    // Up to four hex digits form an Integer, more a Long: both wrap to negative.
    if (v <= 0xFFFF && narrow.size() - 2 <= (base == 16 ? 4u : 6u))
      return static_cast<double>(static_cast<int16_t>(v));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
  }
  size_t i = 0;
  if (narrow[i] == '+' || narrow[i] == '-') ++i;
  size_t digits = 0;
  while (i < narrow.size() && std::isdigit(static_cast<unsigned char>(narrow[i])))
    ++i, ++digits;
  if (i < narrow.size() && narrow[i] == '.') {
    ++i;
    while (i < narrow.size() && std::isdigit(static_cast<unsigned char>(narrow[i])))
      ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < narrow.size() && (narrow[i] == 'e' || narrow[i] == 'E')) {
    ++i;
    if (i < narrow.size() && (narrow[i] == '+' || narrow[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < narrow.size() && std::isdigit(static_cast<unsigned char>(narrow[i])))
      ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != narrow.size()) return std::nullopt;
  return std::strtod(narrow.c_str(), nullptr);
}

std::u16string toText(const Variant& value) {
  return toText(value, userLocale());
}

std::u16string toText(const Variant& value, const Locale& locale) {
  switch (value.type()) {
    case VarType::kEmpty:
      return {};
    case VarType::kNull:
      raise(ErrorCode::kInvalidUseOfNull);
    case VarType::kBoolean:
      return value.boolean() ? u"True" : u"False";
    case VarType::kInteger:
      return decimal(value.integer());
    case VarType::kLong:
      return decimal(value.longValue());
    case VarType::kByte:
      return decimal(value.byte());
    case VarType::kSingle:
      return formatLocaleNumber(value.single(), locale, 7);
    case VarType::kDouble:
      return formatLocaleNumber(value.dbl(), locale);
    case VarType::kCurrency:
      return currencyText(value.currency(), locale);
    case VarType::kDate:
      return formatDate(value.date().days, locale);
    case VarType::kString:
      return value.string();
    case VarType::kObject:
      return toText(defaultValue(value.object()), locale);
    case VarType::kError:
      return u"Error " + decimal(value.error().scode);
    default:
      raise(ErrorCode::kTypeMismatch);
  }
}

double toDouble(const Variant& value) {
  return toDouble(value, userLocale());
}

double toDouble(const Variant& value, const Locale& locale) {
  switch (value.type()) {
    case VarType::kEmpty:
      return 0;
    case VarType::kNull:
      raise(ErrorCode::kInvalidUseOfNull);
    case VarType::kBoolean:
      return value.boolean() ? -1 : 0;
    case VarType::kInteger:
      return value.integer();
    case VarType::kLong:
      return value.longValue();
    case VarType::kByte:
      return value.byte();
    case VarType::kSingle:
      return value.single();
    case VarType::kDouble:
      return value.dbl();
    case VarType::kCurrency:
      return static_cast<double>(value.currency().scaled) / 10000.0;
    case VarType::kDate:
      return value.date().days;
    case VarType::kString: {
      std::optional<double> number = parseLocaleNumber(value.string(), locale);
      if (!number) raise(ErrorCode::kTypeMismatch);
      return *number;
    }
    case VarType::kObject:
      return toDouble(defaultValue(value.object()), locale);
    default:
      raise(ErrorCode::kTypeMismatch);
  }
}

int32_t toInt32(const Variant& value) {
  double number = std::nearbyint(toDouble(value));  // the default rounding mode is half to even
  if (!(number >= -2147483648.0 && number <= 2147483647.0)) raise(ErrorCode::kOverflow);
  return static_cast<int32_t>(number);
}

Date toDate(const Variant& value, const Locale& locale) {
  switch (value.type()) {
    case VarType::kDate:
      return value.date();
    case VarType::kNull:
      raise(ErrorCode::kInvalidUseOfNull);
    case VarType::kString: {
      std::optional<double> serial = parseLocaleDate(value.string(), locale, thisYear());
      if (!serial) raise(ErrorCode::kTypeMismatch);
      return Date{*serial};
    }
    case VarType::kObject:
      return toDate(defaultValue(value.object()), locale);
    default: {
      const double serial = toDouble(value, locale);
      if (!(serial > kFirstDay - 1 && serial < kLastDay + 1)) raise(ErrorCode::kOverflow);
      return Date{serial};
    }
  }
}

bool toBool(const Variant& value) {
  return toBool(value, userLocale());
}

bool toBool(const Variant& value, const Locale& locale) {
  if (value.isString()) {
    if (equalsIgnoreCase(value.string(), u"True")) return true;
    if (equalsIgnoreCase(value.string(), u"False")) return false;
  }
  if (value.isObject()) return toBool(defaultValue(value.object()), locale);
  return toDouble(value, locale) != 0;
}

}  // namespace platform
