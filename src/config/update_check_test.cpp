// The update check against a portal on the loopback interface.
#include "config/update_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "language/c_language.h"
#include "loopback_server.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "test_platform.h"

namespace juvo {
namespace {

using platform::Answer;
using platform::ScriptedUi;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The system's transfer, with the addresses asked for written down.
class RecordingWeb final : public platform::WebTransfer {
 public:
  platform::WebDocument openUrl(std::u16string_view url, const platform::StopCheck& stop) override {
    asked.emplace_back(url);
    return platform::systemWebTransfer().openUrl(url, stop);
  }
  std::vector<std::u16string> asked;
};

class UpdateCheckTest : public ::testing::Test {
 protected:
  UpdateCheckTest() {
    test_.shared.lang = std::make_shared<cLanguage>(test_.shared);
    test_.platform.portalBase = platform::fromUtf8(server_.base());
    test_.web = &web_;
  }

  // Serves `xml` as the version document and runs the check, answering a box with `answer`.
  const std::vector<ScriptedUi::Shown>& check(const std::string& xml,
                                              std::optional<Answer> answer = std::nullopt,
                                              int status = 200,
                                              const std::string& type = "text/xml") {
    server_.serve("/Portal/", {.status = status, .body = xml, .contentType = type});
    test_.ui.clear();
    test_.shell.opened.clear();
    if (answer) test_.ui.answer(*answer);
    checkForUpdates(test_.shared);
    return test_.ui.shown();
  }

  std::u16string page(const char* action) const {
    return test_.platform.portalBase + u"/Portal/?action=" + platform::fromUtf8(action) +
           u"&lang=" + test_.shared.currentlang;
  }

  static std::string versionDocument(const std::string& version, const std::string& message = {}) {
    std::string xml = "<?xml version=\"1.0\"?>\n<juvo><version>" + version + "</version>";
    if (!message.empty()) xml += "<updatemsg>" + message + "</updatemsg>";
    return xml + "</juvo>";
  }

  void expectUpToDate(const std::vector<ScriptedUi::Shown>& boxes, const std::string& what) {
    ASSERT_EQ(boxes.size(), 1u) << what;
    EXPECT_EQ(boxes[0].text, u"You already have the latest version of JUVO") << what;
    EXPECT_EQ(boxes[0].title, u"Juvo") << what;
    EXPECT_EQ(boxes[0].buttons, platform::Buttons::kOk) << what;
    EXPECT_EQ(boxes[0].icon, platform::Icon::kNone) << what;
  }

  testing::LoopbackServer server_;
  RecordingWeb web_;
  testing::TestPlatform test_;
};

TEST_F(UpdateCheckTest, TheSameOrAnOlderVersionIsUpToDate) {
  for (const char* version : {"2", "2.0", "2.00", "1.5", "0", "-3"}) {
    expectUpToDate(check(versionDocument(version, "Should not be shown")), version);
    EXPECT_TRUE(test_.shell.opened.empty()) << version;
  }
  // Each check fetched the version document in the language in use.
  EXPECT_EQ(web_.asked.back(), page("juvoversion"));
  test_.shared.currentlang = u"Dutch";
  check(versionDocument("2"));
  EXPECT_EQ(web_.asked.back(), page("juvoversion"));
}

TEST_F(UpdateCheckTest, ANewerVersionAsksWithTheDocumentsMessageAndYesOpensThePluginsPage) {
  test_.shared.currentlang = u"Dutch";
  const auto& boxes =
      check(versionDocument("2.01", "JUVO 2.01 is uit! <b>Nu</b> downloaden?"), Answer::kYes);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"JUVO 2.01 is uit! Nu downloaden?");
  EXPECT_EQ(boxes[0].title, test_.shared.lang->str(u"msgNewVersion"));
  EXPECT_EQ(boxes[0].buttons, platform::Buttons::kYesNo);
  EXPECT_EQ(boxes[0].icon, platform::Icon::kQuestion);
  EXPECT_THAT(test_.shell.opened,
              ElementsAre(test_.platform.portalBase + u"/Portal/?action=juvo&lang=Dutch"));

  check(versionDocument("3", "Version 3"), Answer::kNo);
  EXPECT_EQ(test_.ui.shown().size(), 1u);
  EXPECT_THAT(test_.shell.opened, IsEmpty());
}

// The first "version" in document order, at any depth, named exactly so.
TEST_F(UpdateCheckTest, ReadsTheFirstElementsOfTheirNamesAnywhere) {
  const auto& boxes = check(
      "<portal><Version>1.0</Version><news><item><version>2.5</version></item></news>"
      "<version>1.0</version><updatemsg>First</updatemsg><updatemsg>Second</updatemsg></portal>");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"First");
}

// Once the portal has answered, whatever is wrong ends the check without a word.
TEST_F(UpdateCheckTest, AnythingButAVersionDocumentEndsSilently) {
  struct Case {
    const char* what;
    std::string body;
    int status;
    std::string type;
  };
  const Case cases[] = {
      {"newer, no message", versionDocument("2.01"), 200, "text/xml"},
      {"an HTML page", "<html><body><h1>Portal</h1><p>Welcome<br></body></html>", 200, "text/html"},
      {"an HTML error page", "<html><body><h1>Not Found</h1></body></html>", 404, "text/html"},
      {"a server error", "<html><body>Internal error</body></html>", 500, "text/html"},
      {"no version", "<juvo><updatemsg>New!</updatemsg></juvo>", 200, "text/xml"},
      {"only Version", "<juvo><Version>3</Version><updatemsg>New!</updatemsg></juvo>", 200,
       "text/xml"},
      {"not a number", versionDocument("two", "New!"), 200, "text/xml"},
      {"an empty version", versionDocument("", "New!"), 200, "text/xml"},
      {"an empty reply", "", 200, "text/xml"},
      {"plain text", "version=3", 200, "text/plain"},
  };
  for (const Case& c : cases) {
    EXPECT_THAT(check(c.body, Answer::kYes, c.status, c.type), IsEmpty()) << c.what;
    EXPECT_THAT(test_.shell.opened, IsEmpty()) << c.what;
  }
}

// The version is read under the user's locale: its decimal separator, and its grouping
// separator only between groups of three digits.
TEST_F(UpdateCheckTest, TheVersionIsANumberUnderTheUsersLocale) {
  platform::Locale dutch = platform::Locale::named("nl_NL.UTF-8");
  if (dutch.name.empty()) GTEST_SKIP() << "the locale nl_NL.UTF-8 is not installed";
  ASSERT_EQ(dutch.decimalSeparator, u',');
  ASSERT_EQ(dutch.groupSeparator, u'.');
  test_.locale = dutch;

  EXPECT_EQ(check(versionDocument("2,5", "Nieuwe versie")).size(), 1u);
  EXPECT_EQ(test_.ui.shown()[0].buttons, platform::Buttons::kYesNo);
  expectUpToDate(check(versionDocument("2,0", "x")), "2,0");
  expectUpToDate(check(versionDocument("1,5", "x")), "1,5");
  // "2.0" is not twenty: a group of one digit is no grouping, so it is no number at all.
  EXPECT_THAT(check(versionDocument("2.0", "x")), IsEmpty());

  // And in English, the comma groups: "2,5" is no number either.
  test_.locale = platform::Locale::english();
  EXPECT_THAT(check(versionDocument("2,5", "x")), IsEmpty());
  EXPECT_EQ(check(versionDocument("2.5", "x")).size(), 1u);
}

// A portal that cannot be reached is said so, once, and nothing else happens.
TEST_F(UpdateCheckTest, APortalOutOfReachIsReportedInABox) {
  test_.platform.portalBase = platform::fromUtf8(server_.refusingBase());
  test_.ui.clear();
  checkForUpdates(test_.shared);
  ASSERT_EQ(test_.ui.shown().size(), 1u);
  const ScriptedUi::Shown& box = test_.ui.shown()[0];
  EXPECT_EQ(box.title, u"Juvo");
  EXPECT_EQ(box.buttons, platform::Buttons::kOk);
  EXPECT_EQ(box.icon, platform::Icon::kExclamation);
  EXPECT_FALSE(box.text.empty());
  EXPECT_THAT(test_.shell.opened, IsEmpty());
}

}  // namespace
}  // namespace juvo
