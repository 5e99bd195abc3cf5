#include "result_diff.h"

#include <algorithm>

#include "platform/base/text.h"

namespace juvo::tool {

namespace {

// Unchanged lines kept on each side of a change.
constexpr size_t kContext = 2;
// Above this many line pairs, the texts are shown whole rather than compared line by line.
constexpr size_t kMaxPairs = 4'000'000;

std::vector<std::u16string_view> splitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t at = 0;
  for (;;) {
    const size_t end = text.find(u'\n', at);
    lines.push_back(text.substr(at, end == std::u16string_view::npos ? end : end - at));
    if (end == std::u16string_view::npos) return lines;
    at = end + 1;
  }
}

std::u16string shown(std::u16string_view text) {
  return text.empty() ? u"(nothing)" : std::u16string(text);
}

std::vector<std::u16string> oneLine(std::u16string_view expected, std::u16string_view actual) {
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
    ++at;
  std::vector<std::u16string> lines{u"expected: " + shown(expected), u"actual:   " + shown(actual)};
  if (!expected.empty() && !actual.empty()) {
    lines.push_back(std::u16string(10 + at, u' ') + u"^ first difference at character " +
                    platform::decimal(static_cast<int64_t>(at + 1)));
  }
  return lines;
}

struct DiffLine {
  char16_t mark;  // ' ', '-', '+'
  std::u16string_view text;
};

// The longest common subsequence of lines, walked into marked lines.
std::vector<DiffLine> lineDiff(const std::vector<std::u16string_view>& a,
                               const std::vector<std::u16string_view>& b) {
  const size_t n = a.size();
  const size_t m = b.size();
  std::vector<DiffLine> diff;
  if (n * m > kMaxPairs) {
    for (auto line : a)
      diff.push_back({u'-', line});
    for (auto line : b)
      diff.push_back({u'+', line});
    return diff;
  }
  // common[i][j]: the common length of a[i..] and b[j..].
  std::vector<uint32_t> common((n + 1) * (m + 1), 0);
  const auto at = [&](size_t i, size_t j) -> uint32_t& { return common[i * (m + 1) + j]; };
  for (size_t i = n; i-- > 0;) {
    for (size_t j = m; j-- > 0;) {
      at(i, j) = a[i] == b[j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    }
  }
  size_t i = 0;
  size_t j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      diff.push_back({u' ', a[i++]});
      ++j;
    } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
      diff.push_back({u'-', a[i++]});
    } else {
      diff.push_back({u'+', b[j++]});
    }
  }
  return diff;
}

}  // namespace

std::vector<std::u16string> describeDifference(std::u16string_view expected,
                                               std::u16string_view actual) {
  const auto a = splitLines(expected);
  const auto b = splitLines(actual);
  if (a.size() == 1 && b.size() == 1) return oneLine(expected, actual);

  const std::vector<DiffLine> diff = lineDiff(a, b);
  std::vector<bool> keep(diff.size(), false);
  for (size_t k = 0; k < diff.size(); ++k) {
    if (diff[k].mark == u' ') continue;
    const size_t from = k > kContext ? k - kContext : 0;
    const size_t to = std::min(diff.size(), k + kContext + 1);
    std::fill(keep.begin() + static_cast<long>(from), keep.begin() + static_cast<long>(to), true);
  }
  std::vector<std::u16string> lines;
  bool cutting = false;
  for (size_t k = 0; k < diff.size(); ++k) {
    if (keep[k]) {
      lines.push_back(std::u16string(1, diff[k].mark) + u" " + std::u16string(diff[k].text));
    } else if (!cutting) {
      lines.push_back(u"  ...");
    }
    cutting = !keep[k];
  }
  return lines;
}

}  // namespace juvo::tool
