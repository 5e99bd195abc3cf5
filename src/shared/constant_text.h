// Texts joined at compile time, so that a text built from others can still be a constant.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace juvo {

template <std::size_t N>
struct ConstantText {
  std::array<char16_t, N + 1> units{};  // zero-terminated

  constexpr std::u16string_view view() const { return {units.data(), N}; }
  constexpr operator std::u16string_view() const { return view(); }
  std::u16string text() const { return std::u16string(view()); }
};

namespace detail {
template <class T>
struct TextLength;
template <std::size_t N>
struct TextLength<char16_t[N]> {
  static constexpr std::size_t value = N - 1;
};
template <std::size_t N>
struct TextLength<ConstantText<N>> {
  static constexpr std::size_t value = N;
};
template <std::size_t N>
constexpr const char16_t* unitsOf(const char16_t (&text)[N]) {
  return text;
}
template <std::size_t N>
constexpr const char16_t* unitsOf(const ConstantText<N>& text) {
  return text.units.data();
}
}  // namespace detail

// Joins string literals and other constant texts: join(u"http://", kHost).
template <class... Parts>
constexpr auto join(const Parts&... parts) {
  constexpr std::size_t kLength = (detail::TextLength<Parts>::value + ... + 0);
  ConstantText<kLength> out;
  std::size_t at = 0;
  auto append = [&](const char16_t* units, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
      out.units[at++] = units[i];
  };
  (append(detail::unitsOf(parts), detail::TextLength<Parts>::value), ...);
  return out;
}

}  // namespace juvo
