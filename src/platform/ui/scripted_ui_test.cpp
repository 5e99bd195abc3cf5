#include "platform/ui/scripted_ui.h"

#include <gtest/gtest.h>

#include "platform/ui/form.h"

namespace platform {
namespace {

using Kind = ScriptedUi::Shown::Kind;

TEST(ScriptedUi, AnswersFromItsQueuesThenTakesTheDefaults) {
  ScriptedUi ui;
  ui.answer(Answer::kNo);
  ui.answerInput(u"weather Amsterdam");
  EXPECT_EQ(ui.messageBox(u"Sure?", Buttons::kYesNo, Icon::kQuestion, u"Delete parser"),
            Answer::kNo);
  EXPECT_EQ(ui.messageBox(u"Sure?", Buttons::kYesNo, Icon::kQuestion, u"Delete parser"),
            Answer::kYes);
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kRetryCancel, Icon::kNone, u"T"), Answer::kRetry);
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kAbortRetryIgnore, Icon::kNone, u"T"), Answer::kAbort);
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kOkCancel, Icon::kNone, u"T"), Answer::kOk);
  EXPECT_EQ(ui.inputBox(u"Arguments:", u"Try", u""), u"weather Amsterdam");
  EXPECT_EQ(ui.inputBox(u"Arguments:", u"Try", u"default"), std::nullopt);

  ASSERT_EQ(ui.shown().size(), 7u);
  const auto& first = ui.shown().front();
  EXPECT_EQ(first.kind, Kind::kMessageBox);
  EXPECT_EQ(first.text, u"Sure?");
  EXPECT_EQ(first.title, u"Delete parser");
  EXPECT_EQ(first.buttons, Buttons::kYesNo);
  EXPECT_EQ(first.icon, Icon::kQuestion);
  EXPECT_EQ(ui.shown()[5].kind, Kind::kInputBox);
  EXPECT_EQ(ui.shown()[5].text, u"Arguments:");
  ui.clear();
  EXPECT_TRUE(ui.shown().empty());
}

TEST(ScriptedUi, AFormRunsItsActionWhileShownAndClosesAfterwards) {
  ScriptedUi ui;
  Form owner("frmConfig", u"Config", 5340, 4800);
  Form chooser("frmLanguage", u"Select Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  chooser.onLoad([&] { chooser.setCaption(u"Language"); });
  std::vector<std::string> seen;
  ui.onForm([&](Form& form) {
    seen.push_back(form.name() + (form.isShown() ? " shown" : " hidden"));
    ui.showModal(chooser, &form);  // a window opened from the first takes the next action
  });
  ui.onForm([&](Form& form) {
    seen.push_back(form.name());
    form.close();
  });
  ui.showModal(owner, nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{"frmConfig shown", "frmLanguage"}));
  EXPECT_TRUE(owner.isClosed());
  EXPECT_TRUE(chooser.isClosed());
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_EQ(ui.shown()[0].text, u"frmConfig");
  EXPECT_FALSE(ui.shown()[0].hasOwner);
  EXPECT_EQ(ui.shown()[1].text, u"frmLanguage");
  EXPECT_EQ(ui.shown()[1].title, u"Language") << "the caption after the load";
  EXPECT_TRUE(ui.shown()[1].hasOwner);

  Form plain("frmPlain", u"Plain", 1000, 1000);
  bool loaded = false;
  plain.onLoad([&] { loaded = true; });
  ui.showModal(plain, nullptr);
  EXPECT_TRUE(loaded);
  EXPECT_TRUE(plain.isClosed()) << "no action queued: closed at once";
  ui.showModal(plain, nullptr);
  EXPECT_EQ(ui.shown().size(), 3u) << "a closed form is not shown again";
}

}  // namespace
}  // namespace platform
