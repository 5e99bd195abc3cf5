#include <gtest/gtest.h>

#include "vbscript/runtime/builtin_testing.h"

namespace vbscript {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::ScriptedUi;
using platform::Variant;
using testing::i16;
using testing::i32;

class Interaction : public testing::BuiltinTest {};

TEST_F(Interaction, MsgBoxShowsButtonsAndIconAndGivesTheAnswer) {
  ui.answer(Answer::kNo);
  EXPECT_EQ(call(u"MsgBox", {Variant(u"Sure?"), i16(4 + 32 + 256), Variant(u"Asking")}), i16(7));
  EXPECT_EQ(call(u"MsgBox", {Variant(2.5)}), i16(1));
  ui.answer(Answer::kRetry);
  EXPECT_EQ(call(u"MsgBox", {Variant(u"Failed"), i16(5 + 16 + 4096)}), i16(4));
  ASSERT_EQ(ui.shown().size(), 3u);
  const ScriptedUi::Shown& first = ui.shown()[0];
  EXPECT_EQ(first.text, u"Sure?");
  EXPECT_EQ(first.title, u"Asking");
  EXPECT_EQ(first.buttons, Buttons::kYesNo);
  EXPECT_EQ(first.icon, Icon::kQuestion);
  EXPECT_EQ(ui.shown()[1].text, u"2.5");
  EXPECT_EQ(ui.shown()[1].title, u"Juvo");
  EXPECT_EQ(ui.shown()[1].buttons, Buttons::kOk);
  EXPECT_EQ(ui.shown()[2].buttons, Buttons::kRetryCancel);
  EXPECT_EQ(ui.shown()[2].icon, Icon::kCritical);
  EXPECT_EQ(errorOf(u"MsgBox", {Variant(u"x"), i16(6)}), vbError(5));
  EXPECT_EQ(errorOf(u"MsgBox", {Variant(u"x"), i16(80)}), vbError(5));
  EXPECT_EQ(errorOf(u"MsgBox", {Variant::null()}), vbError(94));
  EXPECT_EQ(ui.shown().size(), 3u);
}

TEST_F(Interaction, InputBoxGivesTheTextOrNothingWhenCancelled) {
  ui.answerInput(u"Amsterdam");
  EXPECT_EQ(call(u"InputBox", {Variant(u"City?"), Variant(u"Weather"), Variant(u"Paris")}),
            Variant(u"Amsterdam"));
  ui.answerInput(std::nullopt);
  EXPECT_EQ(call(u"InputBox", {Variant(u"City?")}), Variant(u""));
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_EQ(ui.shown()[0].title, u"Weather");
  EXPECT_EQ(ui.shown()[1].title, u"Juvo");
  EXPECT_EQ(ui.shown()[1].text, u"City?");
}

TEST_F(Interaction, RgbAndTheEnginesName) {
  checkAll({
      {u"RGB", {i16(255), i16(0), i16(0)}, i32(0xFF)},
      {u"RGB", {i16(0), i16(128), i16(255)}, i32(0xFF8000)},
      {u"RGB", {i16(300), i16(300), i16(300)}, i32(0xFFFFFF)},
      {u"RGB", {Variant(1.5), i16(0), i16(0)}, i32(2)},
      {u"RGB", {i16(-1), i16(0), i16(0)}, {}, 5},
      {u"ScriptEngine", {}, Variant(u"VBScript")},
      {u"ScriptEngineMajorVersion", {}, i32(5)},
      {u"ScriptEngineMinorVersion", {}, i32(8)},
  });
  EXPECT_GT(call(u"ScriptEngineBuildVersion").longValue(), 0);
}

}  // namespace
}  // namespace vbscript
