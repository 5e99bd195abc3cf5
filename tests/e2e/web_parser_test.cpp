// The real host running parsers that fetch web documents from a loopback server: feeds,
// tidied pages, documents that are not XML, and fetches that fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fixture.h"
#include "loopback_server.h"

namespace juvo::testing {
namespace {

constexpr char kFeed[] =
    "<?xml version=\"1.0\"?>\n"
    "<rss version=\"2.0\"><channel><title>Weather</title>\n"
    "<item><title>Sunny in Amsterdam</title><description>21 degrees</description></item>\n"
    "<item><title>Rain in Utrecht</title></item>\n"
    "</channel></rss>\n";

constexpr char kMessyPage[] =
    "<HTML><HEAD><TITLE>Weather</TITLE>\n"
    "<BODY BGCOLOR=white>\n"
    "<H1 class=top>Sunny&nbsp;today</H1>\n"
    "<P>Wind: <B>calm\n"
    "</BODY>\n";

// A JScript parser that fetches the address in its argument with these getXML arguments
// after it and outputs `pick` from its document procedure `got`.
std::string parser(const std::string& getXmlTail, const std::string& pick) {
  return "function info() {}\r\n"
         "function run() {\r\n"
         "  engine.getXML(engine.argument" +
         getXmlTail +
         ");\r\n"
         "  engine.output(engine.ret || 'after getXML, no callback');\r\n"
         "}\r\n"
         "function got(doc) { engine.output(" +
         pick + "); }\r\n";
}

class WebParsers : public HostTest {
 protected:
  WebParsers() {
    server.serve("/feed.xml", {.body = kFeed, .contentType = "application/rss+xml"});
    server.serve("/page.html", {.body = kMessyPage});
    std::string errors = "<html><head><title>t</title></head><body>\n";
    for (int line = 2; line < 12; ++line)
      errors += "<p>line " + std::to_string(line) + "</p>\n";
    errors += "<p>before<wrong>inside</wrong>after</p>\n</body></html>\n";
    server.serve("/errors.html", {.body = errors});
    server.serve("/to-file", LoopbackServer::redirectTo("file:///etc/passwd"));

    moduleFolder_.write("JUVO/Parsers/feed.js",
                        parser(", 'got'", "doc.selectSingleNode('//item/title').text"));
    moduleFolder_.write("JUVO/Parsers/tidied.js",
                        parser(", 'got', true",
                               "doc.getElementsByTagName('h1').item(0).text + '|' + "
                               "engine.document.split('\\n')[2]"));
    moduleFolder_.write("JUVO/Parsers/plain.js", parser(", 'got'", "'called'"));
  }

  LoopbackServer server;
};

TEST_F(WebParsers, FeedsAndTidiedPagesGiveWhatTheParserPicks) {
  HostRun chat = run("/xjuvo feed " + server.url("/feed.xml") + "\n" +  //
                     "/xjuvo tidied " + server.url("/page.html") + "\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  EXPECT_EQ(
      chat.linesStartingWith("[sent]"),
      (std::vector<std::string>{"[sent] Sunny in Amsterdam",
                                "[sent] Sunny\u00a0today|<H1 class=top>Sunny&nbsp;today</H1>"}))
      << chat.out;
  EXPECT_TRUE(chat.linesStartingWith("[box").empty()) << chat.out;
}

TEST_F(WebParsers, ParseAndTidyErrorsAreShownInBoxes) {
  HostRun chat = run("/xjuvo plain " + server.url("/page.html") + "\n" +  //
                     "/xjuvo tidied " + server.url("/errors.html") + "\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  // Not XML: the reason in a box titled Juvo, no callback, and the parser goes on.
  const size_t reason = at(chat, "[box Juvo|OK|none] ");
  EXPECT_LT(reason, at(chat, "[sent] after getXML, no callback\n"));
  // A tidy error on line 12 of the page.
  at(chat, "[box 12|OK|none] <wrong> is not recognized!\n");
}

TEST_F(WebParsers, FetchesThatFailAreParserErrorsInPlainWords) {
  HostRun chat = run("/xjuvo plain " + server.refusingBase() + "/x\n" +  //
                     "/xjuvo plain " + server.url("/to-file") + "\n");
  ASSERT_EQ(chat.exitCode, 0) << chat.err;
  const size_t refused = at(chat, "[box Parser error.|OK|critical] Error from parser: ");
  EXPECT_LT(refused, at(chat, "Description: Could not connect to 127.0.0.1: connection refused\n"));
  at(chat, "Description: " + server.url("/to-file") +
               " redirected to file:///etc/passwd, but only http and https addresses can be "
               "fetched\n");
  EXPECT_EQ(chat.out.find("root:"), std::string::npos) << chat.out;
  EXPECT_TRUE(chat.linesStartingWith("[sent]").empty()) << chat.out;
}

}  // namespace
}  // namespace juvo::testing
