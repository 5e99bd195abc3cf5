#include "language/frm_language.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "language/c_language.h"
#include "language/english_defaults.h"
#include "platform/base/text.h"
#include "shared/settings.h"
#include "test_platform.h"

namespace juvo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A parser whose information names it, so a refresh of the configuration window shows.
constexpr char kParser[] = "function info() { engine.description = 'Gives the weather.'; }";

class FrmLanguageTest : public ::testing::Test {
 protected:
  FrmLanguageTest() { test_.shared.lang = std::make_shared<cLanguage>(test_.shared); }

  platform::Form& open() {
    window_ = std::make_unique<frmLanguage>(test_.shared);
    window_->form().load();
    return window_->form();
  }
  platform::Control& list() { return window_->form().control("cmbLang"); }

  std::u16string savedLanguage() {
    return settingText(
        regGetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting));
  }

  testing::TestPlatform test_;
  std::unique_ptr<frmLanguage> window_;
};

TEST_F(FrmLanguageTest, IsAFixedToolWindowWithTheListFirstInTheTabOrder) {
  frmLanguage window(test_.shared);
  platform::Form& form = window.form();
  EXPECT_EQ(form.name(), "frmLanguage");
  EXPECT_EQ(form.border(), platform::BorderStyle::kFixedToolWindow);
  EXPECT_EQ(form.clientWidth(), 3105);
  EXPECT_EQ(form.clientHeight(), 1905);
  EXPECT_TRUE(form.menuBar().empty());
  struct Expected {
    const char* name;
    platform::ControlKind kind;
    platform::Bounds bounds;
  };
  const Expected expected[] = {
      {"lblSelectLanguage", platform::ControlKind::kLabel, {240, 120, 2655, 255}},
      {"cmbLang", platform::ControlKind::kDropDownList, {240, 360, 2655, 315}},
      {"lblLangMessage", platform::ControlKind::kLabel, {240, 840, 2655, 975}},
  };
  ASSERT_EQ(form.controls().size(), std::size(expected));
  for (const Expected& control : expected) {
    EXPECT_EQ(form.control(control.name).kind(), control.kind) << control.name;
    EXPECT_EQ(form.control(control.name).bounds(), control.bounds) << control.name;
  }
  EXPECT_TRUE(form.control("lblLangMessage").wordWrap());
  EXPECT_EQ(form.firstFocus(), &form.control("cmbLang"));
  ASSERT_EQ(form.tabOrder().size(), 1u);  // the labels take no focus

  // The layout's own texts until the load event replaces them with the table's.
  EXPECT_EQ(form.caption(), u"Select Language");
  EXPECT_EQ(form.control("lblSelectLanguage").text(), u"Select Language:");
  EXPECT_EQ(form.control("lblLangMessage").text(), u"");
  form.load();
  const cLanguage& lang = *test_.shared.lang;
  EXPECT_EQ(form.caption(), u"Language");
  EXPECT_EQ(form.control("lblSelectLanguage").text(), u"Select language:");
  EXPECT_EQ(form.control("lblLangMessage").text(), lang.str(u"lblLangMessage"));
}

// English always comes first; then every file's name without its last extension, sorted as
// the file system sorts them; files that are hidden, other kinds or folders stay out. A file
// English.xml gives a second English.
TEST_F(FrmLanguageTest, ListsEnglishThenTheLanguageFilesAndSelectsTheOneInUse) {
  EXPECT_THAT(open().control("cmbLang").items(), ElementsAre(u"English"));  // no folder at all
  EXPECT_EQ(list().selectedIndex(), 0);

  for (const char* name : {"German.xml", "dutch.XML", "English.xml", "Fries.v2.xml", ".x.xml",
                           "notes.txt", "German.xml.bak"})
    test_.writeLanguage(name, "<strings/>");
  test_.writeLanguage("Folder.xml/inner", "");
  test_.shared.currentlang = u"German";
  open();
  EXPECT_THAT(list().items(),
              ElementsAre(u"English", u"dutch", u"English", u"Fries.v2", u"German"));
  EXPECT_EQ(list().text(), u"German");

  // Selecting the language in use applied nothing: no setting written, no box, no reload.
  EXPECT_EQ(savedLanguage(), u"");
  EXPECT_THAT(test_.ui.shown(), IsEmpty());
  EXPECT_EQ(test_.shared.currentlang, u"German");

  // A language whose file has gone since: nothing selected.
  test_.shared.currentlang = u"Klingon";
  open();
  EXPECT_EQ(list().selectedIndex(), -1);
  EXPECT_EQ(list().items().size(), 5u);
}

// Dutch at once in both windows and in the parser's information; English afterwards gives
// back every default, also of keys the Dutch file defined.
TEST_F(FrmLanguageTest, PickingDutchShowsItInBothWindowsAndEnglishRestoresEveryDefault) {
  test_.writeLanguage("Dutch.xml", R"(<strings>
  <frmLanguage>Taal</frmLanguage>
  <lblSelectLanguage>Kies een taal:</lblSelectLanguage>
  <mnuFile>&amp;Bestand</mnuFile>
  <cmdRefresh>Vernieuwen</cmdRefresh>
  <frmConfig>Juvo voor MSN Messenger</frmConfig>
  <msgNoSyntaxFound>Geen syntaxis gevonden</msgNoSyntaxFound>
</strings>)");
  test_.writeParser("weather.js", kParser);
  platform::Form& config = test_.shared.configWindow().form();
  platform::Form& form = open();

  ASSERT_TRUE(form.pick("cmbLang", u"Dutch"));
  EXPECT_EQ(form.caption(), u"Taal");
  EXPECT_EQ(form.control("lblSelectLanguage").text(), u"Kies een taal:");
  const cLanguage& lang = *test_.shared.lang;
  EXPECT_EQ(form.control("lblLangMessage").text(), lang.str(u"lblLangMessage"));  // English
  EXPECT_EQ(config.caption(), u"Juvo voor MSN Messenger");
  EXPECT_EQ(config.menuItem("mnuFile").caption(), u"&Bestand");
  EXPECT_EQ(config.menuItem("mnuHelp").caption(), u"&Help");
  EXPECT_EQ(config.control("cmdRefresh").text(), u"Vernieuwen");
  EXPECT_EQ(config.control("syntxt").text(), u"/xjuvo weather Geen syntaxis gevonden");
  EXPECT_EQ(savedLanguage(), u"Dutch");
  EXPECT_THAT(test_.ui.shown(), IsEmpty());

  ASSERT_TRUE(form.pick("cmbLang", u"English"));
  ASSERT_EQ(lang.size(), englishDefaults().size());
  for (const DefaultText& entry : englishDefaults())
    EXPECT_EQ(lang.str(entry.key), entry.text) << platform::toUtf8(entry.key);
  EXPECT_EQ(form.caption(), u"Language");
  EXPECT_EQ(config.menuItem("mnuFile").caption(), u"F&ile");
  EXPECT_EQ(config.control("cmdRefresh").text(), u"Refresh");
  EXPECT_EQ(config.control("syntxt").text(), u"/xjuvo weather No syntax found");
  EXPECT_EQ(savedLanguage(), u"English");
  EXPECT_EQ(test_.shared.currentlang, u"English");
  EXPECT_FALSE(form.isClosed());  // the window stays open for another pick
}

// A broken file picked: its error box, English texts, and still the name saved and in use.
TEST_F(FrmLanguageTest, PickingABrokenFileReportsItAndStillSavesTheName) {
  test_.writeLanguage("Dutch.xml", "<strings>\n<mnuFile>&amp;Bestand</mnuFile>\n<oops>\n");
  platform::Form& config = test_.shared.configWindow().form();
  open().pick("cmbLang", u"Dutch");
  ASSERT_EQ(test_.ui.shown().size(), 1u);
  EXPECT_EQ(test_.ui.shown()[0].icon, platform::Icon::kExclamation);
  EXPECT_EQ(config.menuItem("mnuFile").caption(), u"F&ile");
  EXPECT_EQ(savedLanguage(), u"Dutch");
  EXPECT_EQ(test_.shared.currentlang, u"Dutch");
}

// With no parser listed, the pick still does all it does before the information display.
TEST_F(FrmLanguageTest, PickingWithAnEmptyParserListStillAppliesTheLanguage) {
  test_.writeLanguage("Dutch.xml", "<strings/>");
  platform::Form& config = test_.shared.configWindow().form();
  config.menuItem("mnuAbout").setCaption(u"");
  open().pick("cmbLang", u"Dutch");
  EXPECT_EQ(savedLanguage(), u"Dutch");
  EXPECT_EQ(test_.shared.currentlang, u"Dutch");
  EXPECT_EQ(config.menuItem("mnuAbout").caption(), u"&About");
  EXPECT_EQ(config.control("scripts").selectedIndex(), -1);
}

}  // namespace
}  // namespace juvo
