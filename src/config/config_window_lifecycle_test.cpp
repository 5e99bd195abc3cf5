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

using ::testing::ElementsAre;

// A parser whose information display succeeds and shows nothing, so that loading the window
// raises no box of its own.
constexpr char kQuietParser[] = "function info() {}";

class ConfigWindowTest : public ::testing::Test {
 protected:
  ConfigWindowTest() {
    test_.shared.lang = std::make_unique<cLanguage>(test_.shared);
    test_.writeParser("weather.js", kQuietParser);
  }

  static std::vector<std::u16string> listOf(platform::Form& form) {
    return form.control("scripts").items();
  }

  testing::TestPlatform test_;
  SharedObjects& shared_ = test_.shared;
};

// The first use (a parser run from the chat, say) creates it hidden with its load sequence
// run; shown later it keeps the list read then; once closed, the next use creates it again,
// hidden, and reads the folder afresh.
TEST_F(ConfigWindowTest, ShowingALoadedWindowKeepsItsListAndTheNextUseAfterClosingRereadsIt) {
  platform::Form& loaded = shared_.configWindow().form();
  EXPECT_TRUE(loaded.isLoaded());
  EXPECT_FALSE(loaded.isShown());
  EXPECT_THAT(listOf(loaded), ElementsAre(u"weather.js"));
  EXPECT_TRUE(test_.ui.shown().empty());
  test_.writeParser("news.js", kQuietParser);
  EXPECT_EQ(&shared_.configWindow().form(), &loaded);

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
  EXPECT_EQ(test_.ui.shown()[0].text, u"frmConfig");
  EXPECT_EQ(test_.ui.shown()[0].title, shared_.lang->str(u"frmConfig"));
  EXPECT_FALSE(test_.ui.shown()[0].hasOwner);

  platform::Form& fresh = shared_.configWindow().form();
  EXPECT_FALSE(fresh.isClosed());
  EXPECT_FALSE(fresh.isShown());
  EXPECT_EQ(fresh.caption(), shared_.lang->str(u"frmConfig"));
  EXPECT_EQ(listOf(fresh).size(), 2u);
  EXPECT_EQ(fresh.control("scripts").selectedIndex(), 0);
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
    form.close();  // the close box
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
  auto table = std::move(shared_.lang);
  try {
    shared_.configWindow();
    ADD_FAILURE() << "loaded without a string table";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.number(), static_cast<int32_t>(platform::ErrorCode::kObjectVariableNotSet));
  }
  EXPECT_THROW(shared_.showConfigWindow(), platform::Error);
  EXPECT_TRUE(test_.ui.shown().empty());

  shared_.lang = std::move(table);
  platform::Form& form = shared_.configWindow().form();
  EXPECT_EQ(form.menuItem("mnuFile").caption(), u"F&ile");
  EXPECT_THAT(listOf(form), ElementsAre(u"weather.js"));
}

}  // namespace
}  // namespace juvo
