// The configuration window's menus: the portal pages through the shell, the About box, Close and
// the language window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/frm_config.h"
#include "language/c_language.h"
#include "platform/base/text.h"
#include "test_platform.h"

namespace juvo {
namespace {

using platform::ScriptedUi;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char16_t kPortal[] = u"http://portal.test";

class ConfigMenusTest : public ::testing::Test {
 protected:
  ConfigMenusTest() {
    test_.shared.lang = std::make_shared<cLanguage>(test_.shared);
    test_.platform.portalBase = kPortal;
  }

  platform::Form& window() { return test_.shared.configWindow().form(); }

  // The addresses the three page items open, in menu order.
  std::vector<std::u16string> openEachPage() {
    test_.shell.opened.clear();
    for (const char* item : {"mnuDownloadParsers", "mnuUse", "mnuMakeOwnParser"})
      window().pickMenu(item);
    return test_.shell.opened;
  }

  testing::TestPlatform test_;
};

TEST_F(ConfigMenusTest, PageItemsOpenThePortalWithTheLanguageInUseAppendedUnchanged) {
  EXPECT_THAT(openEachPage(),
              ElementsAre(u"http://portal.test/Portal/?action=juvoparsers&lang=English",
                          u"http://portal.test/Portal/?action=juvo&lang=English",
                          u"http://portal.test/Portal/?action=juvotutorial&lang=English"));

  // No escaping of any kind, whatever the name holds.
  test_.shared.currentlang = u"Fran\u00e7ais & co/ 100%";
  EXPECT_EQ(openEachPage().front(),
            u"http://portal.test/Portal/?action=juvoparsers&lang=Fran\u00e7ais & co/ 100%");
  EXPECT_THAT(test_.ui.shown(), IsEmpty());
  EXPECT_FALSE(window().isClosed());
}

// The chooser is the one way to another language; the pages, the captions and the About text
// follow it at once, and the About box keeps its title.
TEST_F(ConfigMenusTest, PagesCaptionsAndAboutFollowTheLanguagePickedInTheChooser) {
  test_.installShippedLanguage("Dutch.xml");
  test_.ui.onForm([](platform::Form& chooser) { chooser.pick("cmbLang", u"Dutch"); });
  window().pickMenu("mnuLang");
  EXPECT_THAT(openEachPage(),
              ElementsAre(u"http://portal.test/Portal/?action=juvoparsers&lang=Dutch",
                          u"http://portal.test/Portal/?action=juvo&lang=Dutch",
                          u"http://portal.test/Portal/?action=juvotutorial&lang=Dutch"));
  EXPECT_EQ(window().menuItem("mnuFile").caption(), u"&Bestand");
  EXPECT_EQ(window().menuItem("mnuDownloadParsers").caption(), u"Meer &parsers downloaden");

  test_.ui.clear();
  window().pickMenu("mnuAbout");
  ASSERT_EQ(test_.ui.shown().size(), 1u);
  EXPECT_EQ(test_.ui.shown()[0].title, u"Juvo");
  EXPECT_EQ(test_.ui.shown()[0].text, test_.shared.lang->str(u"msgAbout"));
  EXPECT_EQ(test_.ui.shown()[0].text.rfind(u"JUVO is begonnen door ", 0), 0u);
}

TEST_F(ConfigMenusTest, AboutShowsTheTablesTextTitledJuvoWithTheInformationIcon) {
  window().pickMenu("mnuAbout");
  ASSERT_EQ(test_.ui.shown().size(), 1u);
  const ScriptedUi::Shown& box = test_.ui.shown()[0];
  EXPECT_EQ(box.kind, ScriptedUi::Shown::Kind::kMessageBox);
  EXPECT_EQ(box.text, test_.shared.lang->str(u"msgAbout"));
  EXPECT_EQ(box.title, u"Juvo");
  EXPECT_EQ(box.buttons, platform::Buttons::kOk);
  EXPECT_EQ(box.icon, platform::Icon::kInformation);
  EXPECT_TRUE(test_.shell.opened.empty());
}

// Each opening of the chooser is a fresh window, owned by this one, showing the language in
// use; nothing is applied by opening or closing it.
TEST_F(ConfigMenusTest, LanguageOpensAFreshOwnedChooserEachTime) {
  test_.writeLanguage("German.xml", "<strings/>");
  std::vector<std::vector<std::u16string>> lists;
  std::vector<std::u16string> selected;
  auto look = [&](platform::Form& chooser) {
    lists.push_back(chooser.control("cmbLang").items());
    selected.push_back(chooser.control("cmbLang").text());
  };
  test_.ui.onForm([&](platform::Form& chooser) {
    look(chooser);
    chooser.pick("cmbLang", u"German");
  });
  test_.ui.onForm(look);
  window().pickMenu("mnuLang");
  window().pickMenu("mnuLang");

  ASSERT_EQ(test_.ui.shown().size(), 2u);
  for (const ScriptedUi::Shown& shown : test_.ui.shown()) {
    EXPECT_EQ(shown.kind, ScriptedUi::Shown::Kind::kForm);
    EXPECT_EQ(shown.text, u"frmLanguage");
    EXPECT_TRUE(shown.hasOwner);
  }
  EXPECT_THAT(lists,
              ElementsAre(ElementsAre(u"English", u"German"), ElementsAre(u"English", u"German")));
  EXPECT_THAT(selected, ElementsAre(u"English", u"German"));
  EXPECT_FALSE(window().isClosed());
}

// The update check itself is tested on its own; here, that the item runs it.
TEST_F(ConfigMenusTest, CheckForUpdatesAsksThePortal) {
  test_.platform.portalBase = u"http://127.0.0.1:1";  // nothing listens there
  window().pickMenu("mnuUpdate");
  ASSERT_EQ(test_.ui.shown().size(), 1u);
  EXPECT_EQ(test_.ui.shown()[0].title, u"Juvo");
  EXPECT_EQ(test_.ui.shown()[0].icon, platform::Icon::kExclamation);
  EXPECT_TRUE(test_.shell.opened.empty());
}

TEST_F(ConfigMenusTest, CloseEndsTheWindowAndTheNextUseBuildsItAfresh) {
  platform::Form& first = window();
  first.pickMenu("mnuClose");
  EXPECT_TRUE(first.isClosed());
  // (The closed window is gone once replaced: only the new one may be looked at.)
  platform::Form& next = window();
  EXPECT_FALSE(next.isClosed());
  EXPECT_TRUE(next.isLoaded());
  EXPECT_EQ(next.menuItem("mnuClose").caption(), u"&Close");
}

}  // namespace
}  // namespace juvo
