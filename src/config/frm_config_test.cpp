#include "config/frm_config.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "language/c_language.h"
#include "platform/base/text.h"
#include "test_platform.h"

namespace juvo {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using platform::ScriptedUi;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class FrmConfigTest : public ::testing::Test {
 protected:
  FrmConfigTest() { test_.shared.lang = std::make_unique<cLanguage>(test_.shared); }

  // The list's clicks are counted in place of the information display, tested elsewhere.
  platform::Form& loadWindow() {
    window_ = std::make_unique<frmConfig>(test_.shared);
    form().control("scripts").onClick([this] { ++listClicks_; });
    form().load();
    return form();
  }

  platform::Form& form() { return window_->form(); }
  platform::Control& list() { return form().control("scripts"); }
  const std::vector<std::u16string>& entries() { return list().items(); }
  fs::path parsersFolder() const { return test_.moduleFolder.path() / "JUVO" / "Parsers"; }

  // Selects `entry` and clicks Delete parser, answering the question with `answer`.
  void deleteEntry(std::u16string_view entry, Answer answer) {
    ASSERT_TRUE(form().pick("scripts", entry));
    test_.ui.clear();
    test_.ui.answer(answer);
    form().clickButton("cmdDeleteParser");
  }

  const std::vector<ScriptedUi::Shown>& boxes() const { return test_.ui.shown(); }

  testing::TestPlatform test_;
  std::unique_ptr<frmConfig> window_;
  int listClicks_ = 0;
};

TEST_F(FrmConfigTest, ListsVbscriptFilesAlphabeticallyThenJscriptFiles) {
  for (const char* name :
       {"c.js", "b.vbs", "A.js", "a.vbs", ".x.vbs", "d.vbs/inner", "notes.txt", "e.jsx"})
    test_.writeParser(name, "");
  loadWindow();

  // The file system's order is a Windows folder's: alphabetical, without regard to case.
  EXPECT_THAT(entries(), ElementsAre(u"a.vbs", u"b.vbs", u"A.js", u"c.js"));
  EXPECT_EQ(list().text(), u"a.vbs");
  EXPECT_EQ(listClicks_, 1);
  EXPECT_THAT(boxes(), IsEmpty());
}

TEST_F(FrmConfigTest, ListsUpperCaseExtensionsWithTheNamesAsStored) {
  test_.writeParser("X.VBS", "");
  test_.writeParser("Y.Js", "");
  loadWindow();
  EXPECT_THAT(entries(), ElementsAre(u"X.VBS", u"Y.Js"));
}

TEST_F(FrmConfigTest, RefreshRereadsTheFolderAndAnEmptyOneLeavesTheTextBoxesAlone) {
  test_.writeParser("old.vbs", "");
  test_.writeParser("kept.js", "");
  loadWindow().select("scripts", 1);
  ASSERT_EQ(listClicks_, 2);

  fs::remove(parsersFolder() / "old.vbs");
  test_.writeParser("new.vbs", "");
  form().clickButton("cmdRefresh");
  EXPECT_THAT(entries(), ElementsAre(u"new.vbs", u"kept.js"));
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(listClicks_, 3);
  // Even with the first entry selected already, the fresh list raises the click again.
  form().clickButton("cmdRefresh");
  EXPECT_EQ(listClicks_, 4);

  // A folder emptied, or gone: an empty list, no selection, no message, the text boxes kept.
  const char* const textBoxes[] = {"destxt", "syntxt", "helptxt"};
  for (const char* name : textBoxes)
    form().control(name).setText(platform::fromUtf8(name));
  for (bool folderGone : {false, true}) {
    fs::remove_all(parsersFolder());
    if (!folderGone) fs::create_directories(parsersFolder());
    form().clickButton("cmdRefresh");
    EXPECT_THAT(entries(), IsEmpty());
    EXPECT_EQ(list().selectedIndex(), -1);
  }
  EXPECT_EQ(listClicks_, 4);
  EXPECT_THAT(boxes(), IsEmpty());
  for (const char* name : textBoxes)
    EXPECT_EQ(form().control(name).text(), platform::fromUtf8(name)) << name;
}

TEST_F(FrmConfigTest, DeleteAsksByNameAndDeletesOnYesOnlyKeepingTheEntryUntilRefresh) {
  test_.writeParser("news.vbs", "");
  test_.writeParser("weather.vbs", "x");
  loadWindow();
  const std::vector<std::u16string> before = entries();

  deleteEntry(u"weather.vbs", Answer::kNo);
  EXPECT_EQ(boxes().size(), 1u);
  EXPECT_EQ(test_.moduleFolder.read("JUVO/Parsers/weather.vbs"), "x");

  deleteEntry(u"weather.vbs", Answer::kYes);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].kind, ScriptedUi::Shown::Kind::kMessageBox);
  EXPECT_EQ(boxes()[0].text, u"Are you sure you want to delete weather.vbs?");
  EXPECT_EQ(boxes()[0].title, u"Delete parser");
  EXPECT_EQ(boxes()[0].buttons, platform::Buttons::kYesNo);
  EXPECT_EQ(boxes()[0].icon, platform::Icon::kQuestion);
  EXPECT_FALSE(fs::exists(parsersFolder() / "weather.vbs"));
  EXPECT_TRUE(fs::exists(parsersFolder() / "news.vbs"));
  EXPECT_EQ(entries(), before);
  EXPECT_EQ(list().text(), u"weather.vbs");
  form().clickButton("cmdRefresh");
  EXPECT_THAT(entries(), ElementsAre(u"news.vbs"));

  // With nothing selected the question names no file, and Yes deletes nothing.
  form().select("scripts", -1);
  test_.ui.clear();
  test_.ui.answer(Answer::kYes);
  form().clickButton("cmdDeleteParser");
  ASSERT_EQ(boxes().size(), 1u);  // the question, and no report
  EXPECT_EQ(boxes()[0].text, u"Are you sure you want to delete ?");
  EXPECT_TRUE(fs::exists(parsersFolder() / "news.vbs"));
}

// A file already gone, or a folder now bearing its name (which even root cannot delete as a
// file): each is reported, deletes nothing else and keeps the list.
TEST_F(FrmConfigTest, AFailedDeleteIsReportedAndTheListStays) {
  test_.writeParser("weather.vbs", "x");
  loadWindow();
  auto expectReported = [&](const char* start) {
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_THAT(platform::toUtf8(boxes()[1].text), StartsWith(start));
    EXPECT_EQ(boxes()[1].title, u"Delete parser");
    EXPECT_EQ(boxes()[1].buttons, platform::Buttons::kOk);
    EXPECT_EQ(boxes()[1].icon, platform::Icon::kExclamation);
    EXPECT_THAT(entries(), ElementsAre(u"weather.vbs"));
  };
  fs::remove(parsersFolder() / "weather.vbs");
  deleteEntry(u"weather.vbs", Answer::kYes);
  expectReported("File not found");

  test_.writeParser("weather.vbs/keep.txt", "data");
  deleteEntry(u"weather.vbs", Answer::kYes);
  expectReported("");
  EXPECT_EQ(test_.moduleFolder.read("JUVO/Parsers/weather.vbs/keep.txt"), "data");
}

TEST_F(FrmConfigTest, LoadSetsEveryCaptionInOrderAndTheWindowCaptionLast) {
  window_ = std::make_unique<frmConfig>(test_.shared);
  std::vector<std::string> order;
  form().subscribe([&](const platform::FormChange& change) {
    if (change.menuItem) order.push_back(change.menuItem->name());
    if (change.control && change.kind == platform::FormChange::Kind::kText)
      order.push_back(change.control->name());
    if (change.kind == platform::FormChange::Kind::kCaption) order.push_back(form().name());
  });
  form().load();

  ASSERT_THAT(
      order, ElementsAre("mnuFile", "mnuLang", "mnuUpdate", "mnuDownloadParsers", "mnuClose",
                         "mnuHelp", "mnuUse", "mnuMakeOwnParser", "mnuAbout", "lblInstalledParsers",
                         "lblDescription", "lblSyntax", "lblHowToUse", "cmdRefresh",
                         "cmdDeleteParser", "cmdTryCommand", "frmConfig"));
  // Each caption comes from the key of its own name.
  const cLanguage& lang = *test_.shared.lang;
  for (size_t i = 0; i + 1 < order.size(); ++i) {
    platform::MenuItem* item = form().findMenuItem(order[i]);
    std::u16string caption = item ? item->caption() : form().control(order[i]).text();
    EXPECT_EQ(caption, lang.str(platform::fromUtf8(order[i]))) << order[i];
  }
  EXPECT_EQ(form().caption(), lang.str(u"frmConfig"));
  EXPECT_FALSE(form().caption().empty());
  // The separators are not translated.
  EXPECT_EQ(form().menuItem("mnuSpacer").caption(), u"-");
  EXPECT_EQ(form().menuItem("mnuSpace2").caption(), u"-");
}

TEST_F(FrmConfigTest, LoadlangLeavesTheListItsSelectionAndTheTextBoxesAlone) {
  test_.writeParser("a.vbs", "");
  test_.writeParser("b.js", "");
  loadWindow().select("scripts", 1);
  form().control("destxt").setText(u"shown before");
  const int clicks = listClicks_;

  window_->loadlang();

  EXPECT_THAT(entries(), ElementsAre(u"a.vbs", u"b.js"));
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_EQ(listClicks_, clicks);
  EXPECT_EQ(form().control("destxt").text(), u"shown before");
}

TEST_F(FrmConfigTest, ATidyListenerHearsEveryMessageAndTheWindowStillShowsErrors) {
  window_ = std::make_unique<frmConfig>(test_.shared);
  std::vector<int32_t> levels;
  window_->tidyListener = [&](const platform::TidyMessage& message) {
    levels.push_back(message.level);
  };
  // An unknown element is a warning; an unclosed comment at the end is an error.
  window_->tidy(u"<html><body><blink>x</blink>\n<!-- open");
  EXPECT_THAT(levels, ::testing::Contains(1));
  EXPECT_THAT(levels, ::testing::Contains(platform::kTidyErrorLevel));
  // Only the errors become boxes.
  size_t errors = 0;
  for (int32_t level : levels)
    errors += level == platform::kTidyErrorLevel ? 1 : 0;
  EXPECT_EQ(boxes().size(), errors);
}

}  // namespace
}  // namespace juvo
