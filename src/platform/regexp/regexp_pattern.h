// A compiled regular expression in the dialect of VBScript's RegExp (that of JScript 5.5),
// over PCRE2's UTF-16 library. Compile errors and runaway matches become platform::Errors; no
// pattern and no text can crash or hang the program.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One match: where it starts and ends, and where each capturing group does (nullopt for a group
// that took part in no match). Offsets count UTF-16 code units.
struct RegExpMatch {
  struct Span {
    size_t begin = 0;
    size_t end = 0;
  };
  Span whole;
  std::vector<std::optional<Span>> groups;  // group 1 first
};

class RegExpPattern {
 public:
  struct Options {
    bool ignoreCase = false;
    bool multiline = false;  // ^ and $ also at line feeds
  };

  // Compiles `pattern`. Raises kRegExpSyntax (5017, "Syntax error in regular expression")
  // for a pattern the dialect does not accept.
  RegExpPattern(std::u16string_view pattern, Options options);
  ~RegExpPattern();
  RegExpPattern(const RegExpPattern&) = delete;
  RegExpPattern& operator=(const RegExpPattern&) = delete;

  // The first match in `subject` that starts at or after `start`, or nullopt. A match that
  // needs more steps than the limits allow (catastrophic backtracking) raises
  // kOutOfStackSpace (28), as JScript's engine runs out of stack on one.
  std::optional<RegExpMatch> find(std::u16string_view subject, size_t start) const;

  // Every match from the start, as a global search finds them: after an empty match the next
  // search begins one character further on.
  std::vector<RegExpMatch> findAll(std::u16string_view subject) const;

  // How many capturing groups the pattern has.
  size_t groupCount() const { return groupCount_; }

  // Where a global search goes on after `match` in `subject`.
  static size_t nextStart(std::u16string_view subject, const RegExpMatch& match);

 private:
  struct Compiled;
  class MatchData;
  std::optional<RegExpMatch> find(const MatchData& data, std::u16string_view subject,
                                  size_t start) const;

  std::unique_ptr<Compiled> compiled_;
  size_t groupCount_ = 0;
};

}  // namespace platform
