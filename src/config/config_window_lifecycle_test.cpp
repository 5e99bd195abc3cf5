// The one configuration window of the shared objects: created on first use, kept while open,
// replaced after it closed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/frm_config.h"
#include "language/c_language.h"
#include "platform/base/error.h"
#include "shared/shared_objects.h"
#include "test_platform.h"

namespace juvo {
namespace {

using platform::ScriptedUi;
using ::testing::ElementsAre;

// A parser whose information display succeeds and shows nothing, so that loading the window
// raises no box of its own.
constexpr char kQuietParser[] = "function info() {}";

class ConfigWindowTest : public ::testing::Test {
 protected:
  ConfigWindowTest() { test_.shared.lang = std::make_unique<cLanguage>(test_.shared); }

  static std::vector<std::u16string> listOf(platform::Form& form) {
    return form.control("scripts").items();
  }

  testing::TestPlatform test_;
  SharedObjects& shared_ = test_.shared;
};

TEST_F(ConfigWindowTest, TheFirstUseCreatesItHiddenWithItsLoadSequenceRun) {
  test_.writeParser("weather.js", kQuietParser);
  platform::Form& form = shared_.configWindow().form();
  EXPECT_TRUE(form.isLoaded());
  EXPECT_FALSE(form.isShown());
  EXPECT_FALSE(form.isClosed());
  EXPECT_EQ(form.caption(), shared_.lang->str(u"frmConfig"));
  EXPECT_THAT(listOf(form), ElementsAre(u"weather.js"));
  EXPECT_EQ(form.control("scripts").selectedIndex(), 0);
  EXPECT_TRUE(test_.ui.shown().empty());

  // Later uses reach the same window, its list as it was read.
  test_.writeParser("news.js", kQuietParser);
  EXPECT_EQ(&shared_.configWindow().form(), &form);
  EXPECT_THAT(listOf(form), ElementsAre(u"weather.js"));
}

TEST_F(ConfigWindowTest, ShowingALoadedWindowKeepsItsListAndTheNextUseAfterClosingRereadsIt) {
  test_.writeParser("weather.js", kQuietParser);
  shared_.configWindow();  // as a parser run from the chat would
  test_.writeParser("news.js", kQuietParser);

  std::vector<std::u16string> shownList;
  bool shownWhileOpen = false;
  test_.ui.onForm([&](platform::Form& form) {
    shownList = listOf(form);
    shownWhileOpen = form.isShown();
    form.pickMenu("mnuClose");
  });
  shared_.showConfigWindow();

  EXPECT_THAT(shownList, ElementsAre(u"weather.js"));
  EXPECT_TRUE(shownWhileOpen);
  ASSERT_EQ(test_.ui.shown().size(), 1u);
  EXPECT_EQ(test_.ui.shown()[0].kind, ScriptedUi::Shown::Kind::kForm);
  EXPECT_EQ(test_.ui.shown()[0].text, u"frmConfig");
  EXPECT_EQ(test_.ui.shown()[0].title, shared_.lang->str(u"frmConfig"));
  EXPECT_FALSE(test_.ui.shown()[0].hasOwner);

  platform::Form& fresh = shared_.configWindow().form();
  EXPECT_FALSE(fresh.isClosed());
  EXPECT_FALSE(fresh.isShown());
  EXPECT_EQ(listOf(fresh).size(), 2u);
  EXPECT_EQ(fresh.control("scripts").selectedIndex(), 0);
}

TEST_F(ConfigWindowTest, AWindowClosedByItsCloseBoxIsReplacedOnTheNextUse) {
  platform::Form& first = shared_.configWindow().form();
  first.close();
  test_.writeParser("weather.js", kQuietParser);
  platform::Form& second = shared_.configWindow().form();
  EXPECT_FALSE(second.isClosed());
  EXPECT_THAT(listOf(second), ElementsAre(u"weather.js"));
}

// A use while the closed window's modal show is still on the stack gets a fresh window, and the
// closed one lives on until its show has returned. A listener's capture tells when its form
// goes away.
TEST_F(ConfigWindowTest, AClosedWindowOutlivesItsModalShow) {
  platform::Form* during = nullptr;
  std::weak_ptr<int> closedWindow;
  test_.ui.onForm([&](platform::Form& form) {
    auto token = std::make_shared<int>(0);
    closedWindow = token;
    form.subscribe([token = std::move(token)](const platform::FormChange&) {});
    form.pickMenu("mnuClose");
    during = &shared_.configWindow().form();
    EXPECT_FALSE(closedWindow.expired());
    EXPECT_TRUE(form.isClosed());
  });
  shared_.showConfigWindow();
  EXPECT_TRUE(closedWindow.expired());
  ASSERT_NE(during, nullptr);
  EXPECT_EQ(&shared_.configWindow().form(), during);
  EXPECT_FALSE(during->isClosed());
}

TEST_F(ConfigWindowTest, AFailedLoadGoesToTheCallerAndTheNextUseStartsAfresh) {
  test_.writeParser("weather.js", kQuietParser);
  auto table = std::move(shared_.lang);
  EXPECT_THROW(shared_.configWindow(), platform::Error);
  EXPECT_THROW(shared_.showConfigWindow(), platform::Error);
  EXPECT_TRUE(test_.ui.shown().empty());

  shared_.lang = std::move(table);
  platform::Form& form = shared_.configWindow().form();
  EXPECT_EQ(form.menuItem("mnuFile").caption(), u"F&ile");
  EXPECT_THAT(listOf(form), ElementsAre(u"weather.js"));
}

}  // namespace
}  // namespace juvo
