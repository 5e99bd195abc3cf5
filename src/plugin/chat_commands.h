// The chat commands ParseCommand recognises: the whole command, lower-cased, compared exactly
// (no trimming, no prefixes).
#pragma once

#include <string_view>

namespace juvo {

enum class ChatCommand {
  kNotOurs,
  kRunParser,   // "/xjuvo" and its alias "/xws"
  kShowConfig,  // "/xjuvoconfig"
  kShare,       // "/xjuvoshare"
};

ChatCommand chatCommand(std::u16string_view sCommand);

}  // namespace juvo
