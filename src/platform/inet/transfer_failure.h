// How the transfer reads an address and tells a user why a fetch failed. Used by the libcurl
// transfer; kept apart so every text can be tested, also those of failures a test cannot
// provoke (a server name that does not resolve, a bad certificate).
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/base/error.h"
#include "platform/inet/web_transfer.h"

namespace platform::inet {

struct WebAddress {
  std::string url;   // as libcurl is to fetch it
  std::string host;  // for messages
};

// Reads `text` as an http or https address: spaces around it are dropped, a missing scheme
// means http, and spaces, control characters and non-ASCII characters after the server name
// are percent-encoded (as UTF-8) the way a browser sends them. Raises kWebInvalidAddress for
// text that is no address, kWebUnsupportedScheme for any scheme but http and https.
WebAddress parseWebAddress(std::u16string_view text);

// What is known of a transfer that libcurl ended with an error.
struct FailedTransfer {
  int curlCode = 0;            // the CURLcode
  std::string url;             // the address asked for
  std::string host;            // its server
  std::string redirectTarget;  // where a redirect that was not followed led, "" if none
  int osError = 0;             // errno of a failed connect, 0 if unknown
  bool connected = false;      // whether a server was reached at all
  bool tooLarge = false;       // the body grew past the cap
  bool stopped = false;        // the stop check asked to give up
  std::string curlMessage;     // libcurl's own words
};

// The failure to raise for `failure`, with a description a user understands.
Error failureOf(const FailedTransfer& failure, const TransferLimits& limits);

// The failure for an answer with an HTTP error status (400 and above).
Error statusFailure(long status, std::string_view url);

// "20 seconds", "1 second", "0.3 seconds".
std::u16string durationText(std::chrono::milliseconds duration);

}  // namespace platform::inet
