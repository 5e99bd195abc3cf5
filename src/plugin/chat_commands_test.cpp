#include "plugin/chat_commands.h"

#include <gtest/gtest.h>

#include <string_view>

namespace juvo {
namespace {

TEST(ChatCommandsTest, WholeCommandInAnyCaseOnly) {
  EXPECT_EQ(chatCommand(u"/xjuvo"), ChatCommand::kRunParser);
  EXPECT_EQ(chatCommand(u"/XJUVO"), ChatCommand::kRunParser);
  EXPECT_EQ(chatCommand(u"/xws"), ChatCommand::kRunParser);
  EXPECT_EQ(chatCommand(u"/XwS"), ChatCommand::kRunParser);
  EXPECT_EQ(chatCommand(u"/xjuvoconfig"), ChatCommand::kShowConfig);
  EXPECT_EQ(chatCommand(u"/XJuvoConfig"), ChatCommand::kShowConfig);
  EXPECT_EQ(chatCommand(u"/xjuvoshare"), ChatCommand::kShare);
  EXPECT_EQ(chatCommand(u"/XJuvoShare"), ChatCommand::kShare);

  using namespace std::literals;
  for (std::u16string_view other :
       {u""sv, u"/"sv, u"xjuvo"sv, u"xjuvoshare"sv, u"/xjuvoshares"sv, u"/xjuv"sv, u"/xjuvo "sv,
        u" /xjuvo"sv, u"/xwss"sv, u"//xjuvo"sv, u"/xjuvo\0"sv, u"\\xjuvo"sv}) {
    EXPECT_EQ(chatCommand(other), ChatCommand::kNotOurs);
  }
}

}  // namespace
}  // namespace juvo
