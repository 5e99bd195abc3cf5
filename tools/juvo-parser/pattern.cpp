#include "pattern.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <stdexcept>
#include <string>

#include "platform/base/text.h"

namespace juvo::tool {

namespace {

std::string messageOf(int code) {
  PCRE2_UCHAR16 buffer[256];
  const int length = pcre2_get_error_message(code, buffer, sizeof buffer / sizeof buffer[0]);
  if (length < 0) return "error " + std::to_string(code);
  return platform::toUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length)));
}

}  // namespace

struct Pattern::Compiled {
  pcre2_code* code = nullptr;
  ~Compiled() { pcre2_code_free(code); }
};

Pattern::Pattern(std::u16string_view source)
    : source_(source), compiled_(std::make_unique<Compiled>()) {
  int error = 0;
  PCRE2_SIZE offset = 0;
  compiled_->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR16>(source_.data()), source_.size(),
                                  PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &error, &offset, nullptr);
  if (!compiled_->code) {
    throw std::invalid_argument(messageOf(error) + " at character " + std::to_string(offset + 1));
  }
}

Pattern::~Pattern() = default;
Pattern::Pattern(Pattern&&) noexcept = default;
Pattern& Pattern::operator=(Pattern&&) noexcept = default;

bool Pattern::search(std::u16string_view text) const {
  pcre2_match_data* match = pcre2_match_data_create_from_pattern(compiled_->code, nullptr);
  if (!match) throw std::runtime_error("out of memory while matching");
  const int result = pcre2_match(compiled_->code, reinterpret_cast<PCRE2_SPTR16>(text.data()),
                                 text.size(), 0, 0, match, nullptr);
  pcre2_match_data_free(match);
  if (result >= 0) return true;
  if (result == PCRE2_ERROR_NOMATCH) return false;
  throw std::runtime_error("the pattern could not be matched: " + messageOf(result));
}

}  // namespace juvo::tool
