// engine.getXML from a parser's side: fetched from a loopback server, tidied, parsed and
// handed back, with every failure as the parser meets it.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine_test_fixture.h"
#include "engine/run_script.h"
#include "loopback_server.h"

namespace juvo {
namespace {

using platform::ErrorCode;
using testing::errorNumberOf;
using testing::LoopbackServer;
using testing::numberOf;
using testing::utf8;

constexpr char kFeed[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<rss version=\"2.0\"><channel><title>Weather</title>\n"
    "<item><title>Caf\xE9 terraces open</title></item>\n"
    "<item><title>Rain tomorrow</title></item>\n"
    "</channel></rss>\n";

constexpr char kMessyPage[] =
    "<HTML><HEAD><TITLE>Weather &amp; more</TITLE>\n"
    "<BODY BGCOLOR=white>\n"
    "<H1 class=top>Sunny&nbsp;today</H1>\n"
    "<P>Temperature: <B>21 &deg;C\n"
    "<P>Wind: calm\n"
    "</BODY>\n";

// A parser whose run fetches the address in its argument with the given getXML arguments
// after the address, and whose document procedure `got` outputs what `pick` gives of `doc`.
std::string parserCode(const std::string& getXmlTail, const std::string& pick) {
  return "var called = false;\r\n"
         "function run() {\r\n"
         "  engine.getXML(engine.argument" +
         getXmlTail +
         ");\r\n"
         "  if (!called) engine.output('after getXML, no callback');\r\n"
         "}\r\n"
         "function got(doc) {\r\n"
         "  called = true;\r\n"
         "  engine.output(" +
         pick +
         ");\r\n"
         "}\r\n";
}

class GetXmlTest : public testing::EngineTest {
 protected:
  explicit GetXmlTest(std::chrono::milliseconds timeout = testing::kRoomyTimeout)
      : EngineTest(timeout) {}

  // Runs `code` as a JScript parser with `address` as its argument.
  std::u16string run(const std::string& code, const std::string& address) {
    return runScript(script, test.shared, *this, parser("p.js", code), platform::fromUtf8(address));
  }
  int32_t failure(const std::string& code, const std::string& address) {
    return errorNumberOf([&] { run(code, address); });
  }
  // The description line of the one "Parser error." box shown.
  std::string parserErrorDescription() const {
    const auto boxes = boxTexts(u"Parser error.");
    if (boxes.size() != 1) return "(" + std::to_string(boxes.size()) + " parser error boxes)";
    const std::string text = utf8(boxes[0]);
    const size_t at = text.find("Description: ");
    return at == std::string::npos ? text : text.substr(at + 13, text.find("\r\n", at) - at - 13);
  }

  LoopbackServer server;
};

TEST_F(GetXmlTest, AFeedIsParsedAsFetchedAndHandedToTheNamedProcedure) {
  server.serve("/feed.xml", {.body = kFeed, .contentType = "text/xml"});
  EXPECT_EQ(run(parserCode(", 'got'", "doc.selectSingleNode('/rss/channel/item/title').text"),
                server.url("/feed.xml")),
            u"Caf\u00e9 terraces open");
  EXPECT_TRUE(shown().empty());
}

TEST_F(GetXmlTest, ATidiedPageIsParsedWhileTheDocumentKeepsThePageAsFetched) {
  server.serve("/page.html", {.body = kMessyPage});
  EXPECT_EQ(run(parserCode(", 'got', true",
                           "doc.getElementsByTagName('h1').item(0).text + '|' + engine.document"),
                server.url("/page.html")),
            u"Sunny\u00a0today|" + platform::fromUtf8(kMessyPage));
  // The tidy flag as any true value a parser may pass.
  EXPECT_EQ(
      run(parserCode(", 'got', 1, ''", "doc.documentElement.nodeName"), server.url("/page.html")),
      u"html");
}

TEST_F(GetXmlTest, ADocumentThatIsNotXmlShowsTheReasonAndSkipsTheCallback) {
  server.serve("/page.html", {.body = kMessyPage});
  EXPECT_EQ(run(parserCode(", 'got'", "'called'"), server.url("/page.html")),
            u"after getXML, no callback");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].title, u"Juvo");
  EXPECT_EQ(shown()[0].buttons, platform::Buttons::kOk);
  EXPECT_EQ(shown()[0].icon, platform::Icon::kNone);
  EXPECT_FALSE(shown()[0].text.empty());
}

TEST_F(GetXmlTest, EachTidyErrorShowsABoxTitledWithItsLineAndTheParseGoesOn) {
  std::string page = "<html><head><title>t</title></head><body>\n";
  for (int line = 2; line < 12; ++line)
    page += "<p>line " + std::to_string(line) + "</p>\n";
  page += "<p>before<wrong>inside</wrong>after</p>\n</body></html>\n";
  server.serve("/errors.html", {.body = page});
  EXPECT_EQ(run(parserCode(", 'got', true", "doc.getElementsByTagName('p').item(10).text"),
                server.url("/errors.html")),
            u"beforeinsideafter");
  ASSERT_EQ(shown().size(), 1u);
  testing::expectOkBox(shown()[0], u"<wrong> is not recognized!", u"12");
}

TEST_F(GetXmlTest, APreParseProcedureChangesWhatIsParsed) {
  server.serve("/old.xml", {.body = "<r><v>Old</v></r>", .contentType = "text/xml"});
  const std::string rewrite =
      "function pre() { engine.document = engine.document.replace('Old', 'New'); }\r\n";
  EXPECT_EQ(run(rewrite + parserCode(", 'got', false, 'pre'",
                                     "doc.documentElement.text + ' ' + engine.document"),
                server.url("/old.xml")),
            u"New <r><v>New</v></r>");
  // Tidied after the rewrite: a page made out of what was not one.
  const std::string toHtml =
      "function pre() { engine.document = '<p>made ' + engine.document.length; }\r\n";
  EXPECT_EQ(
      run(toHtml + parserCode(", 'got', true, 'pre'", "doc.getElementsByTagName('p').item(0).text"),
          server.url("/old.xml")),
      u"made 17");
  EXPECT_TRUE(shown().empty());
}

TEST_F(GetXmlTest, CallbacksMayFetchAgain) {
  server.serve("/a.xml", {.body = "<a>first</a>", .contentType = "text/xml"});
  server.serve("/b.xml", {.body = "<b>second</b>", .contentType = "text/xml"});
  const std::string code =
      "var seen = '';\r\n"
      "function run() { engine.getXML(engine.argument + '/a.xml', 'gotA'); }\r\n"
      "function gotA(doc) {\r\n"
      "  seen = doc.documentElement.text;\r\n"
      "  engine.getXML(engine.argument + '/b.xml', 'gotB');\r\n"
      "  engine.output(seen + ' ' + engine.document);\r\n"
      "}\r\n"
      "function gotB(doc) { seen += ' ' + doc.documentElement.text; }\r\n";
  EXPECT_EQ(run(code, server.base()), u"first second <b>second</b>");
}

TEST_F(GetXmlTest, FailuresAreRunTimeErrorsOfTheGetXmlCall) {
  server.serve("/feed.xml", {.body = kFeed, .contentType = "text/xml"});
  server.serve("/to-file", LoopbackServer::redirectTo("file:///etc/passwd"));
  const struct {
    const char* what;
    std::string code;
    std::string address;
    std::string description;
  } cases[] = {
      {"refused connection", parserCode(", 'got'", "'x'"), server.refusingBase() + "/x",
       "Could not connect to 127.0.0.1: connection refused"},
      {"redirect to a file", parserCode(", 'got'", "'x'"), server.url("/to-file"),
       server.url("/to-file") +
           " redirected to file:///etc/passwd, but only http and https addresses can be fetched"},
      {"error status", parserCode(", 'got'", "'x'"), server.url("/gone"),
       "The server answered 404 Not Found for " + server.url("/gone")},
      {"no such scheme", parserCode(", 'got'", "'x'"), "file:///etc/passwd",
       "Only http and https addresses can be fetched, not file:///etc/passwd"},
      {"callback that fails", parserCode(", 'got'", "doc.noSuchMember.text"),
       server.url("/feed.xml"), ""},
      {"no such callback", parserCode(", 'nosuch'", "'x'"), server.url("/feed.xml"), ""},
      {"no such pre-parse procedure", parserCode(", 'got', false, 'nosuch'", "'x'"),
       server.url("/feed.xml"), ""},
  };
  for (const auto& c : cases) {
    test.ui.clear();
    EXPECT_NE(failure(c.code, c.address), 0) << c.what;
    if (!c.description.empty()) {
      EXPECT_EQ(parserErrorDescription(), c.description) << c.what;
    }
    EXPECT_FALSE(boxTexts(u"Parser error.").empty()) << c.what;
    EXPECT_EQ(boxTexts(u"Parser error.").size(), shown().size()) << c.what;
  }
}

TEST_F(GetXmlTest, AParserMayHandleAFailedFetch) {
  const std::string code =
      "function run() {\r\n"
      "  try { engine.getXML(engine.argument, 'got'); }\r\n"
      "  catch (e) { engine.output('caught: ' + e.message + ' [' + engine.document + ']'); }\r\n"
      "}\r\n"
      "function got(doc) {}\r\n";
  EXPECT_EQ(run(code, server.refusingBase()),
            u"caught: Could not connect to 127.0.0.1: connection refused []");
  EXPECT_TRUE(shown().empty());
}

// Records how the transfer under it ended, so a test can tell a stopped transfer from one
// that ran into its own time-out.
class RecordingTransfer final : public platform::WebTransfer {
 public:
  explicit RecordingTransfer(platform::WebTransfer& inner) : inner_(inner) {}
  platform::WebDocument openUrl(std::u16string_view url, const platform::StopCheck& stop) override {
    try {
      return inner_.openUrl(url, stop);
    } catch (const platform::Error& error) {
      failures.push_back(error.number());
      throw;
    }
  }
  std::vector<int32_t> failures;

 private:
  platform::WebTransfer& inner_;
};

class GetXmlTimeoutTest : public GetXmlTest {
 protected:
  GetXmlTimeoutTest() : GetXmlTest(testing::kShortTimeout) {}
};

TEST_F(GetXmlTimeoutTest, APageSlowerThanTheTimeOutEndsInTheTimeOutBox) {
  server.serve("/slow", {.body = "<r/>", .delay = std::chrono::seconds(120)});
  RecordingTransfer recording(platform::systemWebTransfer());
  test.web = &recording;
  EXPECT_EQ(failure(parserCode(", 'got'", "'x'"), server.url("/slow")),
            numberOf(ErrorCode::kTimeout));
  ASSERT_EQ(shown().size(), 1u);
  testing::expectOkBox(shown()[0], u"Parser timeout, the parser took to long to execute.", u"Juvo");
  // The script's stop ended the transfer, not the transfer's own time-out.
  EXPECT_EQ(recording.failures, std::vector<int32_t>{numberOf(ErrorCode::kAborted)});
}

TEST_F(GetXmlTimeoutTest, ADocumentsOwnLoadOfASlowAddressEndsAtTheTimeOutToo) {
  server.serve("/fast", {.body = "<r/>", .contentType = "text/xml"});
  server.serve("/slow", {.body = "<r/>", .delay = std::chrono::seconds(120)});
  RecordingTransfer recording(platform::systemWebTransfer());
  test.web = &recording;
  const std::string slow = server.url("/slow");
  const struct {
    const char* file;
    std::string code;
  } parsers[] = {
      {"created.js",
       "function run() { new ActiveXObject('MSXML2.DOMDocument').load('" + slow + "'); }"},
      {"created.vbs",
       "Sub run\r\n  CreateObject(\"Microsoft.XMLDOM\").load \"" + slow + "\"\r\nEnd Sub"},
      {"handed.js",
       "function run() { engine.getXML(engine.argument, 'got'); }\r\n"
       "function got(doc) { doc.load('" +
           slow + "'); }"},
  };
  for (const auto& p : parsers) {
    SCOPED_TRACE(p.file);
    test.ui.clear();
    recording.failures.clear();
    EXPECT_EQ(errorNumberOf([&] {
                runScript(script, test.shared, *this, parser(p.file, p.code),
                          platform::fromUtf8(server.url("/fast")));
              }),
              numberOf(ErrorCode::kTimeout));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, u"Parser timeout, the parser took to long to execute.");
    EXPECT_EQ(recording.failures, std::vector<int32_t>{numberOf(ErrorCode::kAborted)});
  }
}

}  // namespace
}  // namespace juvo
