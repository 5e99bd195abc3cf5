#include "platform/regexp/regexp_pattern.h"

#include <pcre2.h>

#include <string>

#include "platform/base/error.h"

namespace platform {

namespace {

// The options that make PCRE2 read the JScript dialect: \uXXXX escapes, a back-reference to a
// group that did not take part matches the empty text, [] never matches and [^] matches
// anything, $ without Multiline only at the very end. UTF lets IgnoreCase fold letters beyond
// ASCII (without UCP, so \w and \d stay ASCII as in JScript); lone surrogates in the text
// simply do not match.
constexpr uint32_t kDialect = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF | PCRE2_ALLOW_EMPTY_CLASS |
                              PCRE2_DOLLAR_ENDONLY | PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;

// Bounds on one search. A pattern that backtracks without end reaches one of them in well under
// a second, and its script gets an error instead of hanging.
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kDepthLimit = 100'000;
constexpr size_t kJitStackSize = size_t{1} << 20;

bool isHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// With Multiline, ^ matches after a line feed or a carriage return and $ before either, as the
// Multiline property is documented, while "." matches anything but a line feed. PCRE2's newline
// setting governs both, so the anchors outside character classes are spelled out instead:
// ^ as (?:^|(?<=\r)) and $ as (?:$|(?=\r)), PCRE2 itself taking care of the line feed.
std::u16string lineAnchors(std::u16string_view pattern) {
  std::u16string out;
  out.reserve(pattern.size() + 16);
  bool inClass = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    if (c == u'\\' && i + 1 < pattern.size()) {
      out += c;
      out += pattern[++i];
    } else if (inClass) {
      inClass = c != u']';
      out += c;
    } else if (c == u'[') {
      inClass = true;  // "[]" is a class of its own in this dialect: its ] closes it
      out += c;
    } else if (c == u'^') {
      out += u"(?:^|(?<=\\r))";
    } else if (c == u'$') {
      out += u"(?:$|(?=\\r))";
    } else {
      out += c;
    }
  }
  return out;
}

// The script error a pattern PCRE2 refuses raises: the particular ones the scripting
// languages name, the general syntax error otherwise.
ErrorCode compileErrorOf(int pcreError) {
  switch (pcreError) {
    case PCRE2_ERROR_MISSING_SQUARE_BRACKET:
      return ErrorCode::kRegExpExpectedBracket;
    case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS:
      return ErrorCode::kRegExpExpectedParen;
    case PCRE2_ERROR_CLASS_RANGE_ORDER:
    case PCRE2_ERROR_CLASS_INVALID_RANGE:
      return ErrorCode::kRegExpInvalidRange;
    case PCRE2_ERROR_QUANTIFIER_INVALID:
    case PCRE2_ERROR_QUANTIFIER_OUT_OF_ORDER:
    case PCRE2_ERROR_QUANTIFIER_TOO_BIG:
      return ErrorCode::kRegExpQuantifier;
    default:
      return ErrorCode::kRegExpSyntax;
  }
}

}  // namespace

struct RegExpPattern::Compiled {
  pcre2_code* code = nullptr;
  pcre2_match_context* context = nullptr;
  pcre2_jit_stack* jitStack = nullptr;

  ~Compiled() {
    pcre2_jit_stack_free(jitStack);
    pcre2_match_context_free(context);
    pcre2_code_free(code);
  }
};

RegExpPattern::RegExpPattern(std::u16string_view pattern, Options options)
    : compiled_(std::make_unique<Compiled>()) {
  pcre2_compile_context* compileContext = pcre2_compile_context_create(nullptr);
  if (compileContext == nullptr) raise(ErrorCode::kOutOfMemoryVb);
  // Only the line feed ends a line for "." (which matches a carriage return); the anchors of
  // Multiline are widened by lineAnchors.
  pcre2_set_newline(compileContext, PCRE2_NEWLINE_LF);
  uint32_t flags = kDialect;
  if (options.ignoreCase) flags |= PCRE2_CASELESS;
  if (options.multiline) flags |= PCRE2_MULTILINE;
  const std::u16string anchored = options.multiline ? lineAnchors(pattern) : std::u16string();
  if (options.multiline) pattern = anchored;
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  compiled_->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                  flags, &errorCode, &errorOffset, compileContext);
  pcre2_compile_context_free(compileContext);
  if (compiled_->code == nullptr) {
    if (errorCode == PCRE2_ERROR_NOMEMORY) raise(ErrorCode::kOutOfMemoryVb);
    raise(compileErrorOf(errorCode));
  }
  uint32_t captures = 0;
  pcre2_pattern_info(compiled_->code, PCRE2_INFO_CAPTURECOUNT, &captures);
  groupCount_ = captures;
  compiled_->context = pcre2_match_context_create(nullptr);
  if (compiled_->context == nullptr) raise(ErrorCode::kOutOfMemoryVb);
  pcre2_set_match_limit(compiled_->context, kMatchLimit);
  pcre2_set_depth_limit(compiled_->context, kDepthLimit);
  // The JIT is several times faster; where it is not available the interpreter matches alike.
  if (pcre2_jit_compile(compiled_->code, PCRE2_JIT_COMPLETE) == 0) {
    compiled_->jitStack = pcre2_jit_stack_create(32 * 1024, kJitStackSize, nullptr);
    if (compiled_->jitStack != nullptr) {
      pcre2_jit_stack_assign(compiled_->context, nullptr, compiled_->jitStack);
    }
  }
}

RegExpPattern::~RegExpPattern() = default;

// Match data for one search or a run of them, freed however the search ends.
class RegExpPattern::MatchData {
 public:
  explicit MatchData(const pcre2_code* code)
      : data_(pcre2_match_data_create_from_pattern(code, nullptr)) {
    if (data_ == nullptr) raise(ErrorCode::kOutOfMemoryVb);
  }
  ~MatchData() { pcre2_match_data_free(data_); }
  MatchData(const MatchData&) = delete;
  MatchData& operator=(const MatchData&) = delete;
  pcre2_match_data* get() const { return data_; }

 private:
  pcre2_match_data* data_;
};

std::optional<RegExpMatch> RegExpPattern::find(std::u16string_view subject, size_t start) const {
  const MatchData data(compiled_->code);
  return find(data, subject, start);
}

std::optional<RegExpMatch> RegExpPattern::find(const MatchData& matchData,
                                               std::u16string_view subject, size_t start) const {
  if (start > subject.size()) return std::nullopt;
  pcre2_match_data* data = matchData.get();
  const int rc = pcre2_match(compiled_->code, reinterpret_cast<PCRE2_SPTR>(subject.data()),
                             subject.size(), start, 0, data, compiled_->context);
  if (rc < 0) {
    if (rc == PCRE2_ERROR_NOMATCH) return std::nullopt;
    if (rc == PCRE2_ERROR_NOMEMORY) raise(ErrorCode::kOutOfMemoryVb);
    // The match or depth limit, the heap limit, or the JIT's stack: too many steps.
    raise(ErrorCode::kOutOfStackSpace);
  }
  const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(data);
  RegExpMatch match;
  match.whole = {offsets[0], offsets[1]};
  match.groups.resize(groupCount_);
  for (size_t group = 1; group <= groupCount_; ++group) {
    const PCRE2_SIZE begin = offsets[2 * group];
    if (static_cast<int>(group) < rc && begin != PCRE2_UNSET) {
      match.groups[group - 1] = RegExpMatch::Span{begin, offsets[2 * group + 1]};
    }
  }
  // A \K can put the start after the end; JScript has no such thing.
  if (match.whole.end < match.whole.begin) match.whole.end = match.whole.begin;
  return match;
}

size_t RegExpPattern::nextStart(std::u16string_view subject, const RegExpMatch& match) {
  if (match.whole.end > match.whole.begin) return match.whole.end;
  size_t next = match.whole.end + 1;
  // Never into the middle of a surrogate pair.
  if (next < subject.size() && isHighSurrogate(subject[next - 1]) && isLowSurrogate(subject[next]))
    ++next;
  return next;
}

std::vector<RegExpMatch> RegExpPattern::findAll(std::u16string_view subject) const {
  const MatchData data(compiled_->code);
  std::vector<RegExpMatch> matches;
  size_t start = 0;
  while (start <= subject.size()) {
    std::optional<RegExpMatch> match = find(data, subject, start);
    if (!match) break;
    start = nextStart(subject, *match);
    matches.push_back(std::move(*match));
  }
  return matches;
}

}  // namespace platform
