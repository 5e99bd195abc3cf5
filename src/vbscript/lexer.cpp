#include "vbscript/lexer.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "vbscript/date_literal.h"
#include "vbscript/diagnostics.h"

namespace vbscript {

namespace {

using platform::ErrorCode;

constexpr size_t kMaxNameLength = 255;

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool isHexDigit(char16_t c) {
  return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool isLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c >= 0xC0;
}
bool isNameChar(char16_t c) {
  return isLetter(c) || isDigit(c) || c == u'_';
}
bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == 0xA0 || c == 0xFEFF;
}
bool isLineBreak(char16_t c) {
  return c == u'\r' || c == u'\n';
}

class Lexer {
 public:
  explicit Lexer(std::u16string_view source) : src_(source) {}

  std::vector<Token> run() {
    while (true) {
      const bool spaced = skipBlanks();
      if (pos_ >= src_.size()) break;
      const char16_t c = src_[pos_];
      if (isLineBreak(c)) {
        add(TokenKind::kNewLine, spaced);
        lineBreak();
        continue;
      }
      if (c == u'\'') {
        skipToLineEnd();
        continue;
      }
      if (c == u'_' && continuesLine()) continue;
      if (isLetter(c)) {
        name(spaced);
        continue;
      }
      if (isDigit(c) || (c == u'.' && pos_ + 1 < src_.size() && isDigit(src_[pos_ + 1]) &&
                         (spaced || !followsOperand()))) {
        decimalNumber(spaced);
        continue;
      }
      switch (c) {
        case u'"':
          string(spaced);
          continue;
        case u'#':
          date(spaced);
          continue;
        case u'[':
          bracketedName(spaced);
          continue;
        case u'&':
          if (pos_ + 1 < src_.size() && (src_[pos_ + 1] == u'h' || src_[pos_ + 1] == u'H' ||
                                         src_[pos_ + 1] == u'o' || src_[pos_ + 1] == u'O')) {
            radixNumber(spaced);
          } else {
            single(TokenKind::kAmpersand, spaced);
          }
          continue;
        case u'<':
          if (next(u'>')) {
            pair(TokenKind::kNotEquals, spaced);
          } else if (next(u'=')) {
            pair(TokenKind::kLessEquals, spaced);
          } else {
            single(TokenKind::kLess, spaced);
          }
          continue;
        case u'>':
          if (next(u'=')) {
            pair(TokenKind::kGreaterEquals, spaced);
          } else {
            single(TokenKind::kGreater, spaced);
          }
          continue;
        case u'=':
          if (next(u'<')) {
            pair(TokenKind::kLessEquals, spaced);
          } else if (next(u'>')) {
            pair(TokenKind::kGreaterEquals, spaced);
          } else {
            single(TokenKind::kEquals, spaced);
          }
          continue;
        case u'+':
          single(TokenKind::kPlus, spaced);
          continue;
        case u'-':
          single(TokenKind::kMinus, spaced);
          continue;
        case u'*':
          single(TokenKind::kStar, spaced);
          continue;
        case u'/':
          single(TokenKind::kSlash, spaced);
          continue;
        case u'\\':
          single(TokenKind::kBackslash, spaced);
          continue;
        case u'^':
          single(TokenKind::kCaret, spaced);
          continue;
        case u'(':
          single(TokenKind::kLeftParen, spaced);
          continue;
        case u')':
          single(TokenKind::kRightParen, spaced);
          continue;
        case u',':
          single(TokenKind::kComma, spaced);
          continue;
        case u'.':
          single(TokenKind::kDot, spaced);
          continue;
        case u':':
          single(TokenKind::kColon, spaced);
          continue;
        default:
          throw CompileError(ErrorCode::kInvalidCharacter, line_, column());
      }
    }
    Token end;
    end.kind = TokenKind::kEnd;
    end.line = line_;
    end.column = column();
    tokens_.push_back(std::move(end));
    return std::move(tokens_);
  }

 private:
  int32_t column() const { return static_cast<int32_t>(pos_ - lineStart_); }

  bool next(char16_t c) const { return pos_ + 1 < src_.size() && src_[pos_ + 1] == c; }

  // Blanks before the next token; true when there were any (or the line just began).
  bool skipBlanks() {
    const size_t start = pos_;
    while (pos_ < src_.size() && isBlank(src_[pos_]))
      ++pos_;
    return pos_ > start || pos_ == lineStart_;
  }

  void lineBreak() {
    if (src_[pos_] == u'\r' && next(u'\n')) ++pos_;
    ++pos_;
    ++line_;
    lineStart_ = pos_;
  }

  void skipToLineEnd() {
    while (pos_ < src_.size() && !isLineBreak(src_[pos_]))
      ++pos_;
  }

  // " _" at a line's end: the line goes on after the break.
  bool continuesLine() {
    size_t at = pos_ + 1;
    while (at < src_.size() && isBlank(src_[at]))
      ++at;
    if (at < src_.size() && !isLineBreak(src_[at])) return false;
    pos_ = at;
    if (pos_ < src_.size()) lineBreak();
    return true;
  }

  // Whether the token before could end an operand, so that a '.' right after it is a member
  // access. A '.' and a digit after a space start a number (WScript.Echo .5): no member's
  // name starts with a digit.
  bool followsOperand() const {
    if (tokens_.empty()) return false;
    const TokenKind kind = tokens_.back().kind;
    return kind == TokenKind::kName || kind == TokenKind::kRightParen ||
           kind == TokenKind::kNumber || kind == TokenKind::kString;
  }

  // Whether the previous token ended a statement, so that Rem begins a comment.
  bool atStatementStart() const {
    return tokens_.empty() || tokens_.back().kind == TokenKind::kNewLine ||
           tokens_.back().kind == TokenKind::kColon;
  }

  Token& add(TokenKind kind, bool spaced) {
    Token token;
    token.kind = kind;
    token.spaceBefore = spaced;
    token.line = line_;
    token.column = column();
    tokens_.push_back(std::move(token));
    return tokens_.back();
  }
  void single(TokenKind kind, bool spaced) {
    add(kind, spaced);
    ++pos_;
  }
  void pair(TokenKind kind, bool spaced) {
    add(kind, spaced);
    pos_ += 2;
  }

  void name(bool spaced) {
    const size_t start = pos_;
    while (pos_ < src_.size() && isNameChar(src_[pos_]))
      ++pos_;
    const std::u16string_view text = src_.substr(start, pos_ - start);
    const int32_t col = static_cast<int32_t>(start - lineStart_);
    if (text.size() > kMaxNameLength) throw CompileError(ErrorCode::kIdentifierTooLong, line_, col);
    const Keyword keyword = keywordOf(text);
    if (keyword == Keyword::kRem && atStatementStart()) {
      skipToLineEnd();
      return;
    }
    Token token;
    token.kind = TokenKind::kName;
    token.keyword = keyword;
    token.spaceBefore = spaced;
    token.line = line_;
    token.column = col;
    token.text = std::u16string(text);
    tokens_.push_back(std::move(token));
  }

  void bracketedName(bool spaced) {
    const int32_t col = column();
    const size_t start = ++pos_;
    while (pos_ < src_.size() && src_[pos_] != u']' && !isLineBreak(src_[pos_]))
      ++pos_;
    if (pos_ >= src_.size() || src_[pos_] != u']')
      throw CompileError(ErrorCode::kExpectedRightBracket, line_, column());
    if (pos_ - start > kMaxNameLength)
      throw CompileError(ErrorCode::kIdentifierTooLong, line_, col);
    Token& token = add(TokenKind::kName, spaced);
    token.column = col;
    token.text = std::u16string(src_.substr(start, pos_ - start));
    ++pos_;
  }

  void decimalNumber(bool spaced) {
    const int32_t col = column();
    const size_t start = pos_;
    bool floating = false;
    while (pos_ < src_.size() && isDigit(src_[pos_]))
      ++pos_;
    if (pos_ < src_.size() && src_[pos_] == u'.' && pos_ + 1 <= src_.size()) {
      floating = true;
      ++pos_;
      while (pos_ < src_.size() && isDigit(src_[pos_]))
        ++pos_;
    }
    if (pos_ < src_.size() && (src_[pos_] == u'e' || src_[pos_] == u'E')) {
      size_t at = pos_ + 1;
      if (at < src_.size() && (src_[at] == u'+' || src_[at] == u'-')) ++at;
      if (at < src_.size() && isDigit(src_[at])) {
        floating = true;
        pos_ = at;
        while (pos_ < src_.size() && isDigit(src_[pos_]))
          ++pos_;
      }
    }
    if (pos_ < src_.size() && isLetter(src_[pos_]))
      throw CompileError(ErrorCode::kExpectedEndOfStatement, line_, column());
    std::string digits;
    for (size_t i = start; i < pos_; ++i)
      digits.push_back(static_cast<char>(src_[i]));
    const double number = std::strtod(digits.c_str(), nullptr);
    if (!std::isfinite(number)) throw CompileError(ErrorCode::kInvalidNumber, line_, col);
    Token& token = add(TokenKind::kNumber, spaced);
    token.column = col;
    if (!floating && number <= 32767) {
      token.value = Value::integer(static_cast<int16_t>(number));
    } else if (!floating && number <= 2147483647) {
      token.value = Value::longValue(static_cast<int32_t>(number));
    } else {
      token.value = Value::dbl(number);
    }
  }

  // &H and &O numbers: up to four hex digits (six octal) make an Integer, more a Long, both
  // keeping the bits (&HFFFF is -1); a trailing '&' asks for a Long.
  void radixNumber(bool spaced) {
    const int32_t col = column();
    const bool hex = src_[pos_ + 1] == u'h' || src_[pos_ + 1] == u'H';
    pos_ += 2;
    const size_t start = pos_;
    uint64_t value = 0;
    while (pos_ < src_.size() &&
           (hex ? isHexDigit(src_[pos_]) : (src_[pos_] >= u'0' && src_[pos_] <= u'7'))) {
      const char16_t c = src_[pos_];
      const unsigned digit = isDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10;
      value = value * (hex ? 16 : 8) + digit;
      if (value > 0xFFFFFFFFull) throw CompileError(ErrorCode::kInvalidNumber, line_, col);
      ++pos_;
    }
    const size_t digits = pos_ - start;
    if (digits == 0) throw CompileError(ErrorCode::kInvalidNumber, line_, col);
    bool wantLong = false;
    if (pos_ < src_.size() && src_[pos_] == u'&') {
      wantLong = true;
      ++pos_;
    }
    if (pos_ < src_.size() && isNameChar(src_[pos_]))
      throw CompileError(ErrorCode::kExpectedEndOfStatement, line_, column());
    Token& token = add(TokenKind::kNumber, spaced);
    token.column = col;
    if (!wantLong && value <= 0xFFFF && digits <= (hex ? 4u : 6u)) {
      token.value = Value::integer(static_cast<int16_t>(static_cast<uint16_t>(value)));
    } else {
      token.value = Value::longValue(static_cast<int32_t>(static_cast<uint32_t>(value)));
    }
  }

  void string(bool spaced) {
    const int32_t col = column();
    std::u16string text;
    ++pos_;
    while (true) {
      if (pos_ >= src_.size() || isLineBreak(src_[pos_]))
        throw CompileError(ErrorCode::kUnterminatedString, line_, col);
      const char16_t c = src_[pos_++];
      if (c == u'"') {
        if (pos_ < src_.size() && src_[pos_] == u'"') {
          text.push_back(u'"');
          ++pos_;
          continue;
        }
        break;
      }
      text.push_back(c);
    }
    Token& token = add(TokenKind::kString, spaced);
    token.column = col;
    token.text = std::move(text);
  }

  void date(bool spaced) {
    const int32_t col = column();
    const size_t start = ++pos_;
    while (pos_ < src_.size() && src_[pos_] != u'#' && !isLineBreak(src_[pos_]))
      ++pos_;
    if (pos_ >= src_.size() || src_[pos_] != u'#')
      throw CompileError(ErrorCode::kSyntaxError, line_, col);
    const std::optional<double> days = parseDateLiteral(src_.substr(start, pos_ - start));
    if (!days) throw CompileError(ErrorCode::kSyntaxError, line_, col);
    ++pos_;
    Token& token = add(TokenKind::kDate, spaced);
    token.column = col;
    token.value = Value::date(*days);
  }

  std::u16string_view src_;
  size_t pos_ = 0;
  size_t lineStart_ = 0;
  int32_t line_ = 1;
  std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> tokenize(std::u16string_view source) {
  return Lexer(source).run();
}

}  // namespace vbscript
