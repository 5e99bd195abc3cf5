#include "platform/inet/web_transfer.h"

#include <gtest/gtest.h>

#include <string>

#include "loopback_server.h"
#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {
namespace {

using juvo::testing::LoopbackServer;
using std::chrono::milliseconds;

class WebTransferTest : public ::testing::Test {
 protected:
  WebDocument fetch(std::string_view path, const StopCheck& stop = {}) {
    return transfer().openUrl(fromUtf8(server.url(path)), stop);
  }
  // The failure fetching `address` raises.
  Error failure(const std::string& address, WebTransfer* through = nullptr,
                const StopCheck& stop = {}) {
    try {
      (through ? *through : transfer()).openUrl(fromUtf8(address), stop);
    } catch (const Error& error) {
      return error;
    }
    ADD_FAILURE() << "fetched " << address;
    return Error(0, u"");
  }
  static int32_t numberOf(ErrorCode code) { return static_cast<int32_t>(code); }
  WebTransfer& transfer() { return systemWebTransfer(); }

  LoopbackServer server;
};

TEST_F(WebTransferTest, FetchesADocumentAndSaysHowItCame) {
  server.serve("/feed.xml", {.body = "<rss><title>caf\xC3\xA9</title></rss>",
                             .contentType = "application/rss+xml; charset=utf-8"});
  server.serve("/old", LoopbackServer::redirectTo("/moved"));
  server.serve("/moved", LoopbackServer::redirectTo(server.url("/feed.xml"), 301));

  const WebDocument direct = fetch("/feed.xml");
  EXPECT_EQ(direct.text, u"<rss><title>caf\u00e9</title></rss>");
  EXPECT_EQ(direct.status, 200);
  EXPECT_EQ(direct.bytes, 31u);
  EXPECT_EQ(direct.charset, "UTF-8");
  EXPECT_EQ(direct.url, fromUtf8(server.url("/feed.xml")));

  const WebDocument redirected = fetch("/old");
  EXPECT_EQ(redirected.text, direct.text);
  EXPECT_EQ(redirected.url, fromUtf8(server.url("/feed.xml")));
  EXPECT_EQ(server.requestsFor("/moved"), 1u);

  server.serve("/late", {.body = "late", .delay = milliseconds(200)});
  EXPECT_GE(fetch("/late").elapsed, milliseconds(200));
}

TEST_F(WebTransferTest, DecodesPagesInOtherCharacterSets) {
  server.serve("/latin1", {.body = "caf\xE9", .contentType = "text/html; charset=ISO-8859-1"});
  server.serve("/undeclared", {.body = "\x93quoted\x94", .contentType = "text/html"});
  server.serve("/meta", {.body = "<meta charset=\"koi8-r\"><p>\xC1</p>", .contentType = ""});
  EXPECT_EQ(fetch("/latin1").text, u"caf\u00e9");
  const WebDocument undeclared = fetch("/undeclared");
  EXPECT_EQ(undeclared.text, u"\u201cquoted\u201d");
  EXPECT_EQ(undeclared.charset, "WINDOWS-1252");
  EXPECT_EQ(fetch("/meta").text, u"<meta charset=\"koi8-r\"><p>\u0430</p>");
}

TEST_F(WebTransferTest, LargePagesArriveWholeUpToTheCap) {
  std::string page = "<html><body>";
  while (page.size() < 5'000'000)
    page += "<p>line " + std::to_string(page.size()) + "</p>\n";
  page += "</body></html>";
  server.serve("/large", {.body = page});
  const WebDocument large = fetch("/large");
  EXPECT_EQ(large.text, fromUtf8(page));
  // It came compressed: bytes counts what crossed the wire.
  EXPECT_LT(large.bytes, page.size() / 2);

  // Over the cap: refused whether or not the server says the length beforehand.
  const std::string huge(16 * 1024 * 1024 + 1, 'x');
  server.serve("/huge", {.body = huge, .contentType = "application/octet-stream"});
  server.serve("/chunked",
               {.body = huge, .contentType = "application/octet-stream", .chunked = true});
  for (const char* path : {"/huge", "/chunked"}) {
    const Error tooLarge = failure(server.url(path));
    EXPECT_EQ(tooLarge.number(), numberOf(ErrorCode::kWebDownloadFailed));
    EXPECT_EQ(tooLarge.description(),
              u"The document at " + fromUtf8(server.url(path)) + u" is larger than 16 MB");
  }
}

TEST_F(WebTransferTest, ErrorStatusesAreFailuresNotDocuments) {
  server.serve("/broken", {.status = 500, .body = "<html>Internal error</html>"});
  const Error missing = failure(server.url("/nothing-here"));
  EXPECT_EQ(missing.number(), numberOf(ErrorCode::kWebNotFound));
  EXPECT_EQ(missing.description(),
            u"The server answered 404 Not Found for " + fromUtf8(server.url("/nothing-here")));
  EXPECT_EQ(
      failure(server.url("/broken")).description(),
      u"The server answered 500 Internal Server Error for " + fromUtf8(server.url("/broken")));
}

TEST_F(WebTransferTest, OnlyTheWebIsReachedAlsoThroughRedirects) {
  server.serve("/to-file", LoopbackServer::redirectTo("file:///etc/passwd"));
  server.serve("/to-ftp", LoopbackServer::redirectTo("ftp://127.0.0.1/x"));
  server.serve("/loop", LoopbackServer::redirectTo("/loop"));

  const Error toFile = failure(server.url("/to-file"));
  EXPECT_EQ(toFile.number(), numberOf(ErrorCode::kWebRedirectFailed));
  EXPECT_EQ(toFile.description(), fromUtf8(server.url("/to-file")) +
                                      u" redirected to file:///etc/passwd, but only http and "
                                      u"https addresses can be fetched");
  EXPECT_EQ(failure(server.url("/to-ftp")).number(), numberOf(ErrorCode::kWebRedirectFailed));
  EXPECT_EQ(failure(server.url("/loop")).number(), numberOf(ErrorCode::kWebRedirectFailed));
  EXPECT_EQ(failure("file:///etc/passwd").number(), numberOf(ErrorCode::kWebUnsupportedScheme));
}

TEST_F(WebTransferTest, ARefusedConnectionSaysSo) {
  const Error refused = failure(server.refusingBase() + "/x");
  EXPECT_EQ(refused.number(), numberOf(ErrorCode::kWebCannotConnect));
  EXPECT_EQ(refused.description(), u"Could not connect to 127.0.0.1: connection refused");
}

TEST_F(WebTransferTest, ASilentServerEndsAtTheTransfersOwnTimeOut) {
  server.serve("/silent", {.body = "never", .delay = std::chrono::seconds(60)});
  TransferLimits limits;
  limits.total = milliseconds(300);
  const std::unique_ptr<WebTransfer> impatient = makeCurlTransfer(limits);
  const Error silent = failure(server.url("/silent"), impatient.get());
  EXPECT_EQ(silent.number(), numberOf(ErrorCode::kWebTimeout));
  EXPECT_EQ(silent.description(), u"The server 127.0.0.1 did not answer within 0.3 seconds");

  limits.maxBodyBytes = 1000;
  server.serve("/page", {.body = std::string(1001, 'x')});
  EXPECT_EQ(failure(server.url("/page"), makeCurlTransfer(limits).get()).description(),
            u"The document at " + fromUtf8(server.url("/page")) + u" is larger than 1000 bytes");
}

TEST_F(WebTransferTest, TheStopCheckEndsAWaitingTransfer) {
  server.serve("/silent", {.body = "never", .delay = std::chrono::seconds(60)});
  int polls = 0;
  const Error stopped = failure(server.url("/silent"), nullptr, [&] { return ++polls >= 3; });
  EXPECT_EQ(stopped.number(), numberOf(ErrorCode::kAborted));
  EXPECT_GE(polls, 3);
  // A check that never asks to stop changes nothing.
  server.serve("/quick", {.body = "ok"});
  EXPECT_EQ(fetch("/quick", [] { return false; }).text, u"ok");
}

}  // namespace
}  // namespace platform
