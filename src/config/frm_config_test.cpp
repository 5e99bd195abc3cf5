#include "config/frm_config.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "language/c_language.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "test_platform.h"

namespace juvo {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::ScriptedUi;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class FrmConfigTest : public ::testing::Test {
 protected:
  FrmConfigTest() { test_.shared.lang = std::make_unique<cLanguage>(test_.shared); }

  // A window loaded as its first use loads it; its list's clicks are counted in place of the
  // information display, which is not what these tests are about.
  frmConfig& loadWindow() {
    window_ = std::make_unique<frmConfig>(test_.shared);
    window_->form().control("scripts").onClick([this] { ++listClicks_; });
    window_->form().load();
    return *window_;
  }

  platform::Control& list() { return window_->form().control("scripts"); }
  const std::vector<std::u16string>& entries() { return list().items(); }

  fs::path parsersFolder() const { return test_.moduleFolder.path() / "JUVO" / "Parsers"; }

  // The ordinary files of the parser folder with extension `extension`, in the order the file
  // system lists them.
  std::vector<std::u16string> onDisk(const std::string& extension) const {
    std::vector<std::u16string> names;
    for (const auto& entry : fs::directory_iterator(parsersFolder())) {
      std::string name = entry.path().filename().string();
      if (entry.is_regular_file() && name[0] != '.' && entry.path().extension() == extension) {
        names.push_back(platform::fromUtf8(name));
      }
    }
    return names;
  }

  // Selects `entry` and clicks Delete parser, answering the question with `answer`.
  void deleteEntry(std::u16string_view entry, Answer answer) {
    ASSERT_TRUE(window_->form().pick("scripts", entry));
    test_.ui.clear();
    test_.ui.answer(answer);
    window_->form().clickButton("cmdDeleteParser");
  }

  const std::vector<ScriptedUi::Shown>& boxes() const { return test_.ui.shown(); }

  testing::TestPlatform test_;
  std::unique_ptr<frmConfig> window_;
  int listClicks_ = 0;
};

// ---- The list

TEST_F(FrmConfigTest, ListsVbscriptFilesInFileSystemOrderThenJscriptFiles) {
  test_.writeParser("c.js", "");
  test_.writeParser("b.vbs", "");
  test_.writeParser("a.vbs", "");
  test_.writeParser(".x.vbs", "");       // hidden
  test_.writeParser("d.vbs/inner", "");  // a folder
  test_.writeParser("notes.txt", "");
  test_.writeParser("e.jsx", "");

  loadWindow();

  std::vector<std::u16string> expected = onDisk(".vbs");
  ASSERT_EQ(expected.size(), 2u);
  expected.push_back(u"c.js");
  EXPECT_EQ(entries(), expected);
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(list().text(), expected.front());
  EXPECT_EQ(listClicks_, 1);
  EXPECT_THAT(boxes(), IsEmpty());
}

TEST_F(FrmConfigTest, ListsUpperCaseExtensionsWithTheNamesAsStored) {
  test_.writeParser("X.VBS", "");
  test_.writeParser("Y.Js", "");
  loadWindow();
  EXPECT_THAT(entries(), ElementsAre(u"X.VBS", u"Y.Js"));
}

TEST_F(FrmConfigTest, AnEmptyOrMissingFolderGivesAnEmptyListWithoutSelectionOrMessage) {
  loadWindow();  // no parser folder at all
  EXPECT_THAT(entries(), IsEmpty());
  fs::create_directories(parsersFolder());
  window_->form().clickButton("cmdRefresh");
  EXPECT_THAT(entries(), IsEmpty());
  EXPECT_EQ(list().selectedIndex(), -1);
  EXPECT_EQ(listClicks_, 0);
  EXPECT_THAT(boxes(), IsEmpty());
}

TEST_F(FrmConfigTest, RefreshRereadsTheFolderAndSelectsTheFirstEntryAgain) {
  test_.writeParser("old.vbs", "");
  test_.writeParser("kept.js", "");
  loadWindow();
  ASSERT_THAT(entries(), ElementsAre(u"old.vbs", u"kept.js"));
  window_->form().select("scripts", 1);
  ASSERT_EQ(listClicks_, 2);

  fs::remove(parsersFolder() / "old.vbs");
  test_.writeParser("new.vbs", "");
  window_->form().clickButton("cmdRefresh");
  EXPECT_THAT(entries(), ElementsAre(u"new.vbs", u"kept.js"));
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(listClicks_, 3);

  // Even when the first entry was selected already, the fresh list raises the click again.
  window_->form().clickButton("cmdRefresh");
  EXPECT_EQ(listClicks_, 4);
}

TEST_F(FrmConfigTest, RefreshFindingNothingLeavesTheTextBoxesAsTheyWere) {
  test_.writeParser("weather.vbs", "");
  loadWindow();
  platform::Form& form = window_->form();
  form.control("destxt").setText(u"Weather forecasts");
  form.control("syntxt").setText(u"/xjuvo weather <city>");
  form.control("helptxt").setText(u"Type a city.");

  fs::remove(parsersFolder() / "weather.vbs");
  form.clickButton("cmdRefresh");

  EXPECT_THAT(entries(), IsEmpty());
  EXPECT_EQ(list().selectedIndex(), -1);
  EXPECT_EQ(form.control("destxt").text(), u"Weather forecasts");
  EXPECT_EQ(form.control("syntxt").text(), u"/xjuvo weather <city>");
  EXPECT_EQ(form.control("helptxt").text(), u"Type a city.");
}

// ---- Delete

TEST_F(FrmConfigTest, DeleteAsksByNameAndOnYesDeletesTheFileButKeepsTheEntryUntilRefresh) {
  test_.writeParser("news.vbs", "");
  test_.writeParser("weather.vbs", "");
  loadWindow();
  const std::vector<std::u16string> before = entries();

  deleteEntry(u"weather.vbs", Answer::kYes);

  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].kind, ScriptedUi::Shown::Kind::kMessageBox);
  EXPECT_EQ(boxes()[0].text, u"Are you sure you want to delete weather.vbs?");
  EXPECT_EQ(boxes()[0].title, u"Delete parser");
  EXPECT_EQ(boxes()[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(boxes()[0].icon, Icon::kQuestion);
  EXPECT_FALSE(fs::exists(parsersFolder() / "weather.vbs"));
  EXPECT_TRUE(fs::exists(parsersFolder() / "news.vbs"));
  EXPECT_EQ(entries(), before);
  EXPECT_EQ(list().text(), u"weather.vbs");

  window_->form().clickButton("cmdRefresh");
  EXPECT_THAT(entries(), ElementsAre(u"news.vbs"));
}

TEST_F(FrmConfigTest, AnsweringNoDeletesNothing) {
  test_.writeParser("weather.vbs", "x");
  loadWindow();
  deleteEntry(u"weather.vbs", Answer::kNo);
  EXPECT_EQ(boxes().size(), 1u);
  EXPECT_EQ(test_.moduleFolder.read("JUVO/Parsers/weather.vbs"), "x");
  EXPECT_THAT(entries(), ElementsAre(u"weather.vbs"));
}

TEST_F(FrmConfigTest, WithNothingSelectedTheQuestionNamesNoFileAndYesDeletesNothing) {
  test_.writeParser("weather.vbs", "");
  loadWindow();
  window_->form().select("scripts", -1);
  test_.ui.answer(Answer::kYes);
  window_->form().clickButton("cmdDeleteParser");

  ASSERT_EQ(boxes().size(), 1u);  // the question, and no report
  EXPECT_EQ(boxes()[0].text, u"Are you sure you want to delete ?");
  EXPECT_TRUE(fs::exists(parsersFolder() / "weather.vbs"));
  EXPECT_TRUE(fs::is_directory(parsersFolder()));
}

TEST_F(FrmConfigTest, AFileAlreadyGoneIsReportedAndTheListStays) {
  test_.writeParser("weather.vbs", "");
  loadWindow();
  fs::remove(parsersFolder() / "weather.vbs");

  deleteEntry(u"weather.vbs", Answer::kYes);

  ASSERT_EQ(boxes().size(), 2u);
  EXPECT_THAT(platform::toUtf8(boxes()[1].text), StartsWith("File not found"));
  EXPECT_EQ(boxes()[1].title, u"Delete parser");
  EXPECT_EQ(boxes()[1].buttons, Buttons::kOk);
  EXPECT_EQ(boxes()[1].icon, Icon::kExclamation);
  EXPECT_THAT(entries(), ElementsAre(u"weather.vbs"));
}

// Something even root cannot delete as a file: a folder, with content, now bearing the name.
TEST_F(FrmConfigTest, AFolderUnderTheEntrysNameIsLeftAloneAndReported) {
  test_.writeParser("weather.vbs", "");
  loadWindow();
  fs::remove(parsersFolder() / "weather.vbs");
  test_.writeParser("weather.vbs/keep.txt", "data");

  deleteEntry(u"weather.vbs", Answer::kYes);

  ASSERT_EQ(boxes().size(), 2u);
  EXPECT_EQ(boxes()[1].title, u"Delete parser");
  EXPECT_FALSE(boxes()[1].text.empty());
  EXPECT_EQ(test_.moduleFolder.read("JUVO/Parsers/weather.vbs/keep.txt"), "data");
  EXPECT_THAT(entries(), ElementsAre(u"weather.vbs"));
}

TEST_F(FrmConfigTest, AReadOnlyFolderKeepsTheFileAndReportsIt) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  test_.writeParser("weather.vbs", "x");
  loadWindow();
  fs::permissions(parsersFolder(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  deleteEntry(u"weather.vbs", Answer::kYes);
  fs::permissions(parsersFolder(), fs::perms::owner_write, fs::perm_options::add);

  ASSERT_EQ(boxes().size(), 2u);
  EXPECT_THAT(platform::toUtf8(boxes()[1].text), StartsWith("Permission denied"));
  EXPECT_EQ(test_.moduleFolder.read("JUVO/Parsers/weather.vbs"), "x");
}

// ---- Captions and menus

TEST_F(FrmConfigTest, LoadSetsEveryCaptionInOrderAndTheWindowCaptionLast) {
  window_ = std::make_unique<frmConfig>(test_.shared);
  platform::Form& form = window_->form();
  std::vector<std::string> order;
  form.subscribe([&](const platform::FormChange& change) {
    if (change.menuItem) order.push_back(change.menuItem->name());
    if (change.control && change.kind == platform::FormChange::Kind::kText) {
      order.push_back(change.control->name());
    }
    if (change.kind == platform::FormChange::Kind::kCaption) order.push_back(form.name());
  });
  form.load();

  EXPECT_THAT(
      order, ElementsAre("mnuFile", "mnuLang", "mnuUpdate", "mnuDownloadParsers", "mnuClose",
                         "mnuHelp", "mnuUse", "mnuMakeOwnParser", "mnuAbout", "lblInstalledParsers",
                         "lblDescription", "lblSyntax", "lblHowToUse", "cmdRefresh",
                         "cmdDeleteParser", "cmdTryCommand", "frmConfig"));
  const std::pair<const char*, std::u16string_view> english[] = {
      {"mnuFile", u"F&ile"},
      {"mnuLang", u"Change &language"},
      {"mnuUpdate", u"Check for &updates"},
      {"mnuDownloadParsers", u"Download more &parsers"},
      {"mnuClose", u"&Close"},
      {"mnuHelp", u"&Help"},
      {"mnuUse", u"How does JUVO &work?"},
      {"mnuMakeOwnParser", u"How do I &make my own parser?"},
      {"mnuAbout", u"&About"},
  };
  for (const auto& [name, caption] : english) {
    EXPECT_EQ(form.menuItem(name).caption(), caption) << name;
  }
  EXPECT_EQ(form.control("lblInstalledParsers").text(), u"Installed parsers:");
  EXPECT_EQ(form.control("lblDescription").text(), u"Description:");
  EXPECT_EQ(form.control("lblSyntax").text(), u"Syntax:");
  EXPECT_EQ(form.control("lblHowToUse").text(), u"How to use");
  EXPECT_EQ(form.control("cmdRefresh").text(), u"Refresh");
  EXPECT_EQ(form.control("cmdDeleteParser").text(), u"Delete parser");
  EXPECT_EQ(form.control("cmdTryCommand").text(), u"Try command");
  EXPECT_EQ(form.caption(), test_.shared.lang->str(u"frmConfig"));
  EXPECT_FALSE(form.caption().empty());
  // The separators are not translated.
  EXPECT_EQ(form.menuItem("mnuSpacer").caption(), u"-");
  EXPECT_EQ(form.menuItem("mnuSpace2").caption(), u"-");
}

TEST_F(FrmConfigTest, LoadlangLeavesTheListItsSelectionAndTheTextBoxesAlone) {
  test_.writeParser("a.vbs", "");
  test_.writeParser("b.js", "");
  loadWindow();
  platform::Form& form = window_->form();
  form.select("scripts", 1);
  form.control("destxt").setText(u"shown before");
  const int clicks = listClicks_;

  window_->loadlang();

  EXPECT_THAT(entries(), ElementsAre(u"a.vbs", u"b.js"));
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_EQ(listClicks_, clicks);
  EXPECT_EQ(form.control("destxt").text(), u"shown before");
}

TEST_F(FrmConfigTest, WithoutAStringTableLoadingFailsClearly) {
  test_.shared.lang.reset();
  frmConfig window(test_.shared);
  try {
    window.form().load();
    FAIL() << "load went through without a string table";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.number(), static_cast<int32_t>(platform::ErrorCode::kObjectVariableNotSet));
  }
}

TEST_F(FrmConfigTest, CloseClosesTheWindowAndTheOtherMenuItemsDoNothingYet) {
  loadWindow();
  platform::Form& form = window_->form();
  for (const char* item :
       {"mnuLang", "mnuUpdate", "mnuDownloadParsers", "mnuUse", "mnuMakeOwnParser", "mnuAbout"}) {
    form.pickMenu(item);
  }
  EXPECT_FALSE(form.isClosed());
  EXPECT_THAT(boxes(), IsEmpty());
  form.pickMenu("mnuClose");
  EXPECT_TRUE(form.isClosed());
}

// ---- The window's design

TEST_F(FrmConfigTest, HasExactlyTheControlsAndMenusOfItsDesign) {
  frmConfig window(test_.shared);
  platform::Form& form = window.form();
  EXPECT_EQ(form.name(), "frmConfig");
  EXPECT_EQ(form.clientWidth(), 5340);
  EXPECT_EQ(form.clientHeight(), 4800);
  EXPECT_EQ(form.border(), platform::BorderStyle::kFixedDialog);

  using K = platform::ControlKind;
  struct Expected {
    const char* name;
    K kind;
    platform::Bounds bounds;
    int tabIndex;
  };
  const Expected design[] = {
      {"lblInstalledParsers", K::kLabel, {120, 120, 1935, 255}, 6},
      {"scripts", K::kListBox, {120, 360, 2055, 3375}, 1},
      {"cmdRefresh", K::kCommandButton, {120, 3840, 2055, 375}, 7},
      {"cmdDeleteParser", K::kCommandButton, {120, 4200, 2055, 375}, 8},
      {"lblDescription", K::kLabel, {2520, 120, 2655, 255}, 2},
      {"destxt", K::kTextBox, {2520, 360, 2655, 645}, 3},
      {"lblSyntax", K::kLabel, {2520, 1080, 2655, 255}, 9},
      {"syntxt", K::kTextBox, {2520, 1320, 2655, 525}, 10},
      {"lblHowToUse", K::kLabel, {2520, 1920, 2655, 255}, 4},
      {"helptxt", K::kTextBox, {2520, 2160, 2655, 2055}, 5},
      {"cmdTryCommand", K::kCommandButton, {2520, 4200, 2655, 375}, 0},
  };
  ASSERT_EQ(form.controls().size(), std::size(design));
  for (const Expected& expected : design) {
    platform::Control* control = form.findControl(expected.name);
    ASSERT_NE(control, nullptr) << expected.name;
    EXPECT_EQ(control->kind(), expected.kind) << expected.name;
    EXPECT_EQ(control->bounds(), expected.bounds) << expected.name;
    EXPECT_EQ(control->tabIndex(), expected.tabIndex) << expected.name;
    bool textBox = expected.kind == K::kTextBox;
    EXPECT_EQ(control->multiLine(), textBox) << expected.name;
    EXPECT_EQ(control->locked(), textBox) << expected.name;
    EXPECT_EQ(control->verticalScrollBar(), textBox) << expected.name;
  }
  EXPECT_EQ(form.firstFocus()->name(), "cmdTryCommand");

  auto names = [](const platform::MenuItem& menu) {
    std::vector<std::string> result;
    for (const auto& child : menu.children()) {
      result.push_back(child->name() + (child->isSeparator() ? " (separator)" : ""));
    }
    return result;
  };
  ASSERT_EQ(form.menuBar().size(), 2u);
  EXPECT_EQ(form.menuBar()[0]->name(), "mnuFile");
  EXPECT_THAT(names(*form.menuBar()[0]), ElementsAre("mnuLang", "mnuUpdate", "mnuDownloadParsers",
                                                     "mnuSpacer (separator)", "mnuClose"));
  EXPECT_EQ(form.menuBar()[1]->name(), "mnuHelp");
  EXPECT_THAT(names(*form.menuBar()[1]),
              ElementsAre("mnuUse", "mnuMakeOwnParser", "mnuSpace2 (separator)", "mnuAbout"));
}

}  // namespace
}  // namespace juvo
