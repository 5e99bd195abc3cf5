#include "platform/inet/transfer_failure.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include "platform/base/text.h"

namespace platform::inet {
namespace {

int32_t numberOf(ErrorCode code) {
  return static_cast<int32_t>(code);
}

TEST(ParseWebAddress, TakesWebAddressesAsABrowserWouldSendThem) {
  const struct {
    std::u16string typed;
    std::string url;
    std::string host;
  } cases[] = {
      {u"http://example.org/feed.xml", "http://example.org/feed.xml", "example.org"},
      {u"  HTTPS://Example.org/x?q=1  ", "https://Example.org/x?q=1", "Example.org"},
      {u"example.org/news", "http://example.org/news", "example.org"},
      {u"localhost:8080/x", "http://localhost:8080/x", "localhost"},
      {u"http://example.org/search?q=New York&l=caf\u00e9",
       "http://example.org/search?q=New%20York&l=caf%C3%A9", "example.org"},
      {u"http://example.org/a\r\nHost: evil", "http://example.org/a%0D%0AHost:%20evil",
       "example.org"},
  };
  for (const auto& c : cases) {
    const WebAddress address = parseWebAddress(c.typed);
    EXPECT_EQ(address.url, c.url) << toUtf8(c.typed);
    EXPECT_EQ(address.host, c.host) << toUtf8(c.typed);
  }
}

TEST(ParseWebAddress, RefusesEverythingButTheWeb) {
  const struct {
    std::u16string typed;
    ErrorCode code;
    std::u16string description;
  } cases[] = {
      {u"file:///etc/passwd", ErrorCode::kWebUnsupportedScheme,
       u"Only http and https addresses can be fetched, not file:///etc/passwd"},
      {u"FTP://example.org/x", ErrorCode::kWebUnsupportedScheme,
       u"Only http and https addresses can be fetched, not FTP://example.org/x"},
      {u"javascript:alert(1)", ErrorCode::kWebUnsupportedScheme,
       u"Only http and https addresses can be fetched, not javascript:alert(1)"},
      {u"   ", ErrorCode::kWebInvalidAddress, u"No web address was given"},
      {u"http://", ErrorCode::kWebInvalidAddress,
       u"Not a valid web address: http:// (No host part in the URL)"},
      {u"http://127.0.0.1:99999/", ErrorCode::kWebInvalidAddress, u""},
  };
  for (const auto& c : cases) {
    try {
      parseWebAddress(c.typed);
      ADD_FAILURE() << "accepted " << toUtf8(c.typed);
    } catch (const Error& error) {
      EXPECT_EQ(error.number(), numberOf(c.code)) << toUtf8(c.typed);
      if (!c.description.empty()) {
        EXPECT_EQ(toUtf8(error.description()), toUtf8(c.description));
      }
    }
  }
}

// The failures a loopback server cannot provoke, or not quickly; refused connections, slow
// servers, redirects away from the web, the size cap and the stop check are fetched for real
// in web_transfer_test.cpp.
TEST(FailureOf, TellsTheUserWhatWentWrongInPlainWords) {
  TransferLimits limits;
  limits.connect = std::chrono::milliseconds(15000);
  const auto facts = [](CURLcode code) {
    FailedTransfer f;
    f.curlCode = code;
    f.url = "http://example.org/feed";
    f.host = "example.org";
    f.curlMessage = "what libcurl said";
    return f;
  };
  const struct {
    FailedTransfer facts;
    ErrorCode code;
    std::u16string description;
  } cases[] = {
      {facts(CURLE_COULDNT_CONNECT), ErrorCode::kWebCannotConnect,
       u"Could not connect to example.org"},
      {facts(CURLE_COULDNT_RESOLVE_HOST), ErrorCode::kWebServerNotFound,
       u"Could not find the server example.org"},
      {facts(CURLE_OPERATION_TIMEDOUT), ErrorCode::kWebTimeout,
       u"Could not connect to example.org within 15 seconds"},
      {facts(CURLE_PEER_FAILED_VERIFICATION), ErrorCode::kWebSecurityProblem,
       u"A secure connection to example.org could not be made: what libcurl said"},
      {facts(CURLE_GOT_NOTHING), ErrorCode::kWebDownloadFailed,
       u"The server example.org closed the connection without answering"},
      {facts(CURLE_RECV_ERROR), ErrorCode::kWebDownloadFailed,
       u"The connection to example.org broke off: what libcurl said"},
      {facts(CURLE_LDAP_CANNOT_BIND), ErrorCode::kWebDownloadFailed,
       u"Could not fetch http://example.org/feed: what libcurl said"},
  };
  for (const auto& c : cases) {
    const Error error = failureOf(c.facts, limits);
    EXPECT_EQ(error.number(), numberOf(c.code)) << toUtf8(c.description);
    EXPECT_EQ(toUtf8(error.description()), toUtf8(c.description));
  }
}

TEST(StatusFailure, NamesTheStatusAndTheAddress) {
  EXPECT_EQ(statusFailure(404, "http://x/y").description(),
            u"The server answered 404 Not Found for http://x/y");
  EXPECT_EQ(statusFailure(404, "http://x/y").number(), numberOf(ErrorCode::kWebNotFound));
  EXPECT_EQ(statusFailure(503, "http://x/").description(),
            u"The server answered 503 Service Unavailable for http://x/");
  EXPECT_EQ(statusFailure(599, "http://x/").description(),
            u"The server answered with error 599 for http://x/");
  EXPECT_EQ(statusFailure(599, "http://x/").number(), numberOf(ErrorCode::kWebDownloadFailed));
}

TEST(DurationText, ReadsNaturally) {
  EXPECT_EQ(durationText(std::chrono::milliseconds(20000)), u"20 seconds");
  EXPECT_EQ(durationText(std::chrono::milliseconds(1000)), u"1 second");
  EXPECT_EQ(durationText(std::chrono::milliseconds(300)), u"0.3 seconds");
  EXPECT_EQ(durationText(std::chrono::milliseconds(1250)), u"1.25 seconds");
}

}  // namespace
}  // namespace platform::inet
