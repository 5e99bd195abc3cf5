// The double's queues and records are exercised by every test that uses it; here only what
// those tests take for granted: the defaults, and forms opened from forms.
#include "platform/ui/scripted_ui.h"

#include <gtest/gtest.h>

#include "platform/ui/form.h"

namespace platform {
namespace {

TEST(ScriptedUi, WithEmptyQueuesTakesTheFirstButtonCancelsTheInputAndClosesTheForm) {
  ScriptedUi ui;
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kYesNo, Icon::kNone, u"T"), Answer::kYes);
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kRetryCancel, Icon::kNone, u"T"), Answer::kRetry);
  EXPECT_EQ(ui.inputBox(u"Arguments:", u"Try", u"default"), std::nullopt);
  Form plain("frmPlain", u"Plain", 1000, 1000);
  ui.showModal(plain, nullptr);
  EXPECT_TRUE(plain.isLoaded() && plain.isClosed());
  ui.showModal(plain, nullptr);
  EXPECT_EQ(ui.shown().size(), 4u) << "a closed form is not shown again";
}

TEST(ScriptedUi, AWindowOpenedFromAFormTakesTheNextActionAndIsRecordedAfterItsLoad) {
  ScriptedUi ui;
  Form owner("frmConfig", u"Config", 5340, 4800);
  Form chooser("frmLanguage", u"Select Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  chooser.onLoad([&] { chooser.setCaption(u"Language"); });
  bool ownerShown = false;
  ui.onForm([&](Form& form) {
    ownerShown = form.isShown();
    ui.showModal(chooser, &form);
  });
  ui.onForm([&](Form& form) { form.close(); });
  ui.showModal(owner, nullptr);
  EXPECT_TRUE(ownerShown);
  EXPECT_TRUE(owner.isClosed() && chooser.isClosed());
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_FALSE(ui.shown()[0].hasOwner);
  EXPECT_EQ(ui.shown()[1].text, u"frmLanguage");
  EXPECT_EQ(ui.shown()[1].title, u"Language");
  EXPECT_TRUE(ui.shown()[1].hasOwner);
}

}  // namespace
}  // namespace platform
