// Pattern: a regular expression an example's result must match, in PCRE2's syntax (that of
// Perl, close to JScript's), searched anywhere in the text unless anchored.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace juvo::tool {

class Pattern {
 public:
  // Compiles `source`. Raises std::invalid_argument with PCRE2's message and the position
  // (1-based) where it went wrong.
  explicit Pattern(std::u16string_view source);
  ~Pattern();
  Pattern(Pattern&&) noexcept;
  Pattern& operator=(Pattern&&) noexcept;

  const std::u16string& source() const { return source_; }

  // Whether the pattern matches somewhere in `text` (which may hold unpaired surrogates).
  // Raises std::runtime_error when matching gives up (PCRE2's backtracking limit).
  bool search(std::u16string_view text) const;

 private:
  struct Compiled;
  std::u16string source_;
  std::unique_ptr<Compiled> compiled_;
};

}  // namespace juvo::tool
