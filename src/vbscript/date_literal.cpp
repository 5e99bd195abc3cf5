#include "vbscript/date_literal.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/text.h"

namespace vbscript {

namespace {

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

constexpr std::array<std::u16string_view, 12> kMonths = {
    u"january", u"february", u"march",     u"april",   u"may",      u"june",
    u"july",    u"august",   u"september", u"october", u"november", u"december"};

// 1-12 for a month's name or its first three letters (any case), else 0.
int monthNamed(std::u16string_view word) {
  const std::u16string lower = platform::toLower(word);
  for (size_t i = 0; i < kMonths.size(); ++i) {
    if (lower == kMonths[i] || (lower.size() >= 3 && kMonths[i].substr(0, lower.size()) == lower))
      return static_cast<int>(i) + 1;
  }
  return 0;
}

struct Part {
  enum Kind { kNumber, kWord, kSeparator } kind;
  std::u16string text;
  int number = 0;
};

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool isLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

std::optional<std::vector<Part>> split(std::u16string_view text) {
  std::vector<Part> parts;
  size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u' ' || c == u'\t' || c == u',') {
      ++i;
    } else if (isDigit(c)) {
      int number = 0;
      size_t start = i;
      while (i < text.size() && isDigit(text[i])) {
        if (i - start >= 5) return std::nullopt;
        number = number * 10 + (text[i] - u'0');
        ++i;
      }
      parts.push_back({Part::kNumber, std::u16string(text.substr(start, i - start)), number});
    } else if (isLetter(c)) {
      size_t start = i;
      while (i < text.size() && isLetter(text[i]))
        ++i;
      parts.push_back({Part::kWord, std::u16string(text.substr(start, i - start))});
    } else if (c == u'/' || c == u'-' || c == u':' || c == u'.') {
      parts.push_back({Part::kSeparator, std::u16string(1, c)});
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return parts;
}

int fullYear(const Part& part) {
  if (part.text.size() <= 2) return part.number < 30 ? 2000 + part.number : 1900 + part.number;
  return part.number;
}

}  // namespace

std::optional<double> automationDate(int year, int month, int day, int hour, int minute,
                                     int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > daysInMonth(year, month))
    return std::nullopt;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return std::nullopt;
  const int64_t days = daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30);
  const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  // Before the epoch the time still counts forwards: -1.25 is 29 December 1899, 06:00.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

std::optional<double> parseDateLiteral(std::u16string_view text) {
  std::optional<std::vector<Part>> split_ = split(text);
  if (!split_ || split_->empty()) return std::nullopt;
  std::vector<Part>& parts = *split_;
  size_t at = 0;
  bool hasDate = false;
  int year = 1899, month = 12, day = 30;

  auto separatorAt = [&](size_t i, std::u16string_view allowed) {
    return i < parts.size() && parts[i].kind == Part::kSeparator &&
           allowed.find(parts[i].text[0]) != std::u16string_view::npos;
  };
  auto numberAt = [&](size_t i) { return i < parts.size() && parts[i].kind == Part::kNumber; };

  // The date: three numbers with / or -, or a month's name with a day and a year.
  if (numberAt(0) && separatorAt(1, u"/-.") && numberAt(2)) {
    if (!separatorAt(3, u"/-.") || !numberAt(4)) return std::nullopt;
    const Part& first = parts[0];
    if (first.text.size() >= 3) {  // year first
      year = first.number;
      month = parts[2].number;
      day = parts[4].number;
    } else {
      month = first.number;
      day = parts[2].number;
      year = fullYear(parts[4]);
      if (month > 12 && day <= 12) std::swap(month, day);
    }
    at = 5;
    hasDate = true;
  } else if (parts[0].kind == Part::kWord && monthNamed(parts[0].text) != 0) {
    month = monthNamed(parts[0].text);
    if (!numberAt(1) || !numberAt(2)) return std::nullopt;
    day = parts[1].number;
    year = fullYear(parts[2]);
    at = 3;
    hasDate = true;
  } else if (numberAt(0) && parts.size() > 1 && parts[1].kind == Part::kWord &&
             monthNamed(parts[1].text) != 0) {
    day = parts[0].number;
    month = monthNamed(parts[1].text);
    if (!numberAt(2)) return std::nullopt;
    year = fullYear(parts[2]);
    at = 3;
    hasDate = true;
  }

  // The time: h[:mm[:ss]] [AM|PM], or h AM|PM.
  int hour = 0, minute = 0, second = 0;
  if (at < parts.size()) {
    if (!numberAt(at)) return std::nullopt;
    hour = parts[at++].number;
    bool hasMinutes = false;
    if (separatorAt(at, u":") && numberAt(at + 1)) {
      minute = parts[at + 1].number;
      at += 2;
      hasMinutes = true;
      if (separatorAt(at, u":") && numberAt(at + 1)) {
        second = parts[at + 1].number;
        at += 2;
      }
    }
    bool hasMeridiem = false;
    if (at < parts.size() && parts[at].kind == Part::kWord) {
      const std::u16string word = platform::toLower(parts[at].text);
      if (word != u"am" && word != u"pm" && word != u"a" && word != u"p") return std::nullopt;
      if (hour < 1 || hour > 12) return std::nullopt;
      const bool pm = word[0] == u'p';
      hour = hour % 12 + (pm ? 12 : 0);
      hasMeridiem = true;
      ++at;
    }
    if (!hasMinutes && !hasMeridiem) return std::nullopt;
    if (at != parts.size()) return std::nullopt;
  }
  if (!hasDate) {
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  }
  return automationDate(year, month, day, hour, minute, second);
}

}  // namespace vbscript
