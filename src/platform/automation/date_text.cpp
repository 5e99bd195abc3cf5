#include "platform/automation/date_text.h"

#include <array>
#include <cstdint>
#include <vector>

#include "platform/automation/calendar.h"
#include "platform/base/text.h"

namespace platform {

namespace {

std::u16string padded(int value, size_t width) {
  std::u16string digits = decimal(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
  return digits;
}

std::u16string timeOfDay(double serial, const Locale& locale) {
  return formatDatePicture(serial, locale.timePattern, locale);
}

// --- Reading -------------------------------------------------------------------------------

struct Token {
  enum class Kind { kNumber, kMonth, kAm, kPm, kTimeSeparator } kind;
  int value = 0;      // the number, or the month 1-12
  size_t digits = 0;  // how many digits the number was written with
};

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Characters that only part the fields of a date.
bool isSeparator(char16_t c, const Locale& locale) {
  return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x202F || c == u'/' || c == u'-' ||
         c == u'.' || c == u',' || c == locale.dateSeparator;
}

// A name matches when it equals `word` without regard to case, a trailing period of either
// left out ("mrt." and "Mar").
bool matchesName(std::u16string_view word, std::u16string_view name) {
  while (!name.empty() && name.back() == u'.')
    name.remove_suffix(1);
  return !name.empty() && equalsIgnoreCase(word, name);
}

template <size_t N>
int indexIn(std::u16string_view word, const std::array<std::u16string, N>& names) {
  for (size_t i = 0; i < N; ++i) {
    if (matchesName(word, names[i])) return static_cast<int>(i);
  }
  return -1;
}

// What a word stands for: a month, a designator, a day's name (passed over: kNone), or nothing
// (std::nullopt: no date).
enum class Word { kNone, kMonth, kAm, kPm };

std::optional<Word> wordOf(std::u16string_view word, const Locale& locale, int& month) {
  static const Locale english = Locale::english();
  for (const Locale* names : {&locale, &english}) {
    int index = indexIn(word, names->monthNames);
    if (index < 0) index = indexIn(word, names->abbreviatedMonthNames);
    if (index >= 0) {
      month = index + 1;
      return Word::kMonth;
    }
  }
  for (const Locale* names : {&locale, &english}) {
    if (matchesName(word, names->amDesignator)) return Word::kAm;
    if (matchesName(word, names->pmDesignator)) return Word::kPm;
  }
  if (equalsIgnoreCase(word, u"A")) return Word::kAm;
  if (equalsIgnoreCase(word, u"P")) return Word::kPm;
  for (const Locale* names : {&locale, &english}) {
    if (indexIn(word, names->dayNames) >= 0 || indexIn(word, names->abbreviatedDayNames) >= 0) {
      return Word::kNone;
    }
  }
  return std::nullopt;
}

bool isPictureLetter(char16_t c) {
  return std::u16string_view(u"dMyhHmst").find(c) != std::u16string_view::npos;
}

// The characters a locale's own pictures write between the fields ("年", "時", "h"): the ones
// after an hour or a minute part hours, minutes and seconds; the others part anything.
struct PictureSeparators {
  std::u16string time;
  std::u16string other;

  explicit PictureSeparators(const Locale& locale) {
    for (const std::u16string* picture : {&locale.shortDatePattern, &locale.timePattern}) {
      bool quoted = false;
      char16_t previous = 0;
      for (char16_t c : *picture) {
        if (c == u'\'') {
          quoted = !quoted;
          continue;
        }
        if (quoted || !isPictureLetter(c)) {
          const bool afterClock = previous == u'h' || previous == u'H' || previous == u'm';
          if (!isDigit(c) && c != u' ') (afterClock ? time : other).push_back(c);
        }
        previous = quoted ? 0 : c;
      }
    }
  }
};

std::optional<std::vector<Token>> tokenize(std::u16string_view text, const Locale& locale) {
  const PictureSeparators pictures(locale);
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (pictures.time.find(c) != std::u16string::npos && c != u'.') {
      tokens.push_back({Token::Kind::kTimeSeparator});
      ++i;
    } else if (pictures.other.find(c) != std::u16string::npos) {
      ++i;
    } else if (isDigit(c)) {
      int value = 0;
      size_t digits = 0;
      while (i < text.size() && isDigit(text[i])) {
        if (digits < 9) value = value * 10 + (text[i] - u'0');
        ++digits;
        ++i;
      }
      if (digits > 4) return std::nullopt;
      tokens.push_back({Token::Kind::kNumber, value, digits});
    } else if (c == u':') {
      tokens.push_back({Token::Kind::kTimeSeparator});
      ++i;
    } else if (isSeparator(c, locale)) {
      ++i;
    } else {
      const size_t start = i;
      while (i < text.size() && !isDigit(text[i]) && text[i] != u':' &&
             !isSeparator(text[i], locale) && pictures.time.find(text[i]) == std::u16string::npos &&
             pictures.other.find(text[i]) == std::u16string::npos) {
        ++i;
      }
      int month = 0;
      const std::optional<Word> word = wordOf(text.substr(start, i - start), locale, month);
      if (!word) return std::nullopt;
      if (*word == Word::kMonth) tokens.push_back({Token::Kind::kMonth, month});
      if (*word == Word::kAm) tokens.push_back({Token::Kind::kAm});
      if (*word == Word::kPm) tokens.push_back({Token::Kind::kPm});
    }
  }
  return tokens;
}

// Takes the time of day out of `tokens`: seconds since midnight, 0 when there is none, nullopt
// when it is malformed.
std::optional<int> takeTime(std::vector<Token>& tokens, bool& found) {
  found = false;
  using Kind = Token::Kind;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != Kind::kNumber) continue;
    size_t end = i + 1;
    int fields[3] = {tokens[i].value, 0, 0};
    int count = 1;
    while (count < 3 && end + 1 < tokens.size() && tokens[end].kind == Kind::kTimeSeparator &&
           tokens[end + 1].kind == Kind::kNumber) {
      fields[count++] = tokens[end + 1].value;
      end += 2;
    }
    const bool designated =
        end < tokens.size() && (tokens[end].kind == Kind::kAm || tokens[end].kind == Kind::kPm);
    if (count == 1 && !designated) continue;
    int hour = fields[0];
    if (designated) {
      if (hour > 12) return std::nullopt;
      const bool pm = tokens[end].kind == Kind::kPm;
      hour = hour % 12 + (pm ? 12 : 0);
      ++end;
    }
    if (hour > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                 tokens.begin() + static_cast<std::ptrdiff_t>(end));
    found = true;
    for (const Token& rest : tokens) {
      if (rest.kind != Kind::kNumber && rest.kind != Kind::kMonth) return std::nullopt;
    }
    return hour * 3600 + fields[1] * 60 + fields[2];
  }
  for (const Token& token : tokens) {
    if (token.kind != Kind::kNumber && token.kind != Kind::kMonth) return std::nullopt;
  }
  return 0;
}

struct Ymd {
  int year;
  int month;
  int day;
};

bool looksLikeYear(const Token& number) {
  return number.digits >= 3 || number.value > 31;
}

int fullYear(const Token& number) {
  if (number.digits > 2) return number.value;
  return number.value < 30 ? 2000 + number.value : 1900 + number.value;
}

bool valid(const Ymd& date) {
  return date.year >= 100 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

std::optional<Ymd> firstValid(std::initializer_list<Ymd> candidates) {
  for (const Ymd& candidate : candidates) {
    if (valid(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<Ymd> dateOf(const std::vector<Token>& tokens, const Locale& locale, int currentYear) {
  std::vector<Token> numbers;
  int month = 0;
  for (const Token& token : tokens) {
    if (token.kind == Token::Kind::kNumber) {
      numbers.push_back(token);
    } else if (month != 0) {
      return std::nullopt;  // two month names
    } else {
      month = token.value;
    }
  }
  if (month != 0) {
    if (numbers.size() == 1) {
      if (looksLikeYear(numbers[0])) return firstValid({{fullYear(numbers[0]), month, 1}});
      return firstValid({{currentYear, month, numbers[0].value}});
    }
    if (numbers.size() != 2) return std::nullopt;
    if (looksLikeYear(numbers[0]) && !looksLikeYear(numbers[1]))
      return firstValid({{fullYear(numbers[0]), month, numbers[1].value}});
    return firstValid({{fullYear(numbers[1]), month, numbers[0].value}});
  }
  using Order = Locale::DateOrder;
  if (numbers.size() == 2) {
    const Token& a = numbers[0];
    const Token& b = numbers[1];
    if (looksLikeYear(a)) return firstValid({{fullYear(a), b.value, 1}});
    if (looksLikeYear(b)) return firstValid({{fullYear(b), a.value, 1}});
    const Ymd monthFirst{currentYear, a.value, b.value};
    const Ymd dayFirst{currentYear, b.value, a.value};
    return locale.dateOrder == Order::kDayMonthYear ? firstValid({dayFirst, monthFirst})
                                                    : firstValid({monthFirst, dayFirst});
  }
  if (numbers.size() != 3) return std::nullopt;
  const Token& a = numbers[0];
  const Token& b = numbers[1];
  const Token& c = numbers[2];
  const Ymd ymd{fullYear(a), b.value, c.value};
  const Ymd ydm{fullYear(a), c.value, b.value};
  if (looksLikeYear(a)) return firstValid({ymd, ydm});
  const Ymd mdy{fullYear(c), a.value, b.value};
  const Ymd dmy{fullYear(c), b.value, a.value};
  switch (locale.dateOrder) {
    case Order::kDayMonthYear:
      return firstValid({dmy, mdy, ymd});
    case Order::kYearMonthDay:
      return firstValid({ymd, mdy, dmy});
    case Order::kMonthDayYear:
      break;
  }
  return firstValid({mdy, dmy, ymd});
}

}  // namespace

std::u16string formatDatePicture(double serial, std::u16string_view picture, const Locale& locale) {
  const DateParts parts = splitDate(serial);
  std::u16string text;
  size_t i = 0;
  while (i < picture.size()) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      const size_t close = picture.find(u'\'', i + 1);
      const size_t end = close == std::u16string_view::npos ? picture.size() : close;
      text.append(picture.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c)
      ++run;
    const int hour12 = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
    const std::u16string& designator = parts.hour < 12 ? locale.amDesignator : locale.pmDesignator;
    switch (c) {
      case u'd':
        if (run <= 2) {
          text += padded(parts.day, run);
        } else {
          const int weekday = weekdayOf(serial) - 1;
          text += run == 3 ? locale.abbreviatedDayNames[weekday] : locale.dayNames[weekday];
        }
        break;
      case u'M':
        if (run <= 2) {
          text += padded(parts.month, run);
        } else {
          text += run == 3 ? locale.abbreviatedMonthNames[parts.month - 1]
                           : locale.monthNames[parts.month - 1];
        }
        break;
      case u'y':
        text += run <= 2 ? padded(parts.year % 100, run) : padded(parts.year, 4);
        break;
      case u'h':
        text += padded(hour12, run > 2 ? 2 : run);
        break;
      case u'H':
        text += padded(parts.hour, run > 2 ? 2 : run);
        break;
      case u'm':
        text += padded(parts.minute, run > 2 ? 2 : run);
        break;
      case u's':
        text += padded(parts.second, run > 2 ? 2 : run);
        break;
      case u't':
        text += run == 1 ? designator.substr(0, 1) : designator;
        break;
      default:
        text.append(run, c);
        break;
    }
    i += run;
  }
  while (!text.empty() && text.back() == u' ')
    text.pop_back();
  return text;
}

std::u16string formatDate(double serial, const Locale& locale) {
  int64_t days = 0;
  int64_t seconds = 0;
  daysAndSeconds(serial, days, seconds);
  if (days == 0) return timeOfDay(serial, locale);
  const std::u16string date = formatDatePicture(serial, locale.shortDatePattern, locale);
  if (seconds == 0) return date;
  return date + u" " + timeOfDay(serial, locale);
}

std::optional<double> parseLocaleDate(std::u16string_view text, const Locale& locale,
                                      int currentYear) {
  std::optional<std::vector<Token>> tokens = tokenize(text, locale);
  if (!tokens || tokens->empty()) return std::nullopt;
  bool hasTime = false;
  const std::optional<int> seconds = takeTime(*tokens, hasTime);
  if (!seconds) return std::nullopt;
  const double time = *seconds / 86400.0;
  if (tokens->empty()) return hasTime ? std::optional<double>(time) : std::nullopt;
  const std::optional<Ymd> date = dateOf(*tokens, locale, currentYear);
  if (!date) return std::nullopt;
  return dateFromLinear(daySerial(date->year, date->month, date->day) + time);
}

}  // namespace platform
