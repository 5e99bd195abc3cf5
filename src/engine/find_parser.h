// Finding a parser from the name typed after "/xjuvo".
#pragma once

#include <string>
#include <string_view>

namespace juvo {

class SharedObjects;

// The path of the parser file that the chat name `name` stands for: the name lower-cased and
// stripped of spaces at both ends, with ".vbs", else ".js", in the parser folder, found only
// when an ordinary file of exactly that name is there (so wildcards, folder parts and names
// with capitals never match). "" when there is none; never fails.
std::u16string findParser(const SharedObjects& shared, std::u16string_view name);

}  // namespace juvo
