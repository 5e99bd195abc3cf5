// Script texts are sequences of UTF-16 code units, and Duktape keeps them as CESU-8: each
// code unit encoded on its own, surrogates included. These conversions keep every code unit,
// lone surrogates too, so that lengths and indexes agree on both sides.
#pragma once

#include <string>
#include <string_view>

namespace platform::jscript {

std::string toCesu8(std::u16string_view text);

// Also reads 4-byte UTF-8 sequences (as a surrogate pair); undecodable bytes become U+FFFD.
std::u16string fromCesu8(std::string_view bytes);

}  // namespace platform::jscript
