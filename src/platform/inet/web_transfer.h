// WebTransfer: fetching a web document as text, the stand-in for the Internet Transfer
// Control's synchronous OpenURL. Only http and https addresses are fetched, redirects
// included; anything else fails.
//
// What a fetch gives:
// - A status below 400 (after following redirects): the document, its body decoded to text by
//   the rules of charset.h.
// - A status of 400 or more: a failure that names the status ("The server answered 404 Not
//   Found for http://..."). An error page is never handed out as if it were the document.
// - An address without a scheme is taken as http ("example.org/feed" fetches
//   "http://example.org/feed"); any other scheme, also one a redirect leads to, is a failure.
//
// Every failure is a platform::Error whose description a user understands, with one of the
// numbers kWebInvalidAddress, kWebUnsupportedScheme, kWebServerNotFound, kWebCannotConnect,
// kWebTimeout, kWebNotFound, kWebDownloadFailed, kWebRedirectFailed, kWebSecurityProblem
// (error_codes.h), or kAborted when the stop check asked the transfer to give up.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/stop_check.h"

namespace platform {

// What a fetch brought back.
struct WebDocument {
  std::u16string text;    // the body, decoded by its character set
  long status = 0;        // the HTTP status of the last response
  std::size_t bytes = 0;  // the body's size as it came over the wire
  std::string charset;    // the character set the body was decoded with
  std::u16string url;     // the address it finally came from, after redirects
  std::chrono::milliseconds elapsed{0};
};

class WebTransfer {
 public:
  virtual ~WebTransfer() = default;

  // Fetches `url` and waits for the whole document. Raises platform::Error with a description
  // a user understands when the address cannot be fetched; kAborted when `stop` said so.
  virtual WebDocument openUrl(std::u16string_view url, const StopCheck& stop = {}) = 0;
};

// The bounds of every transfer, whoever asked for it: a server that accepts and never answers
// holds nobody longer than `total`. Inside a script the script's own time-out (20 seconds) is
// shorter and wins, through the stop check.
struct TransferLimits {
  std::chrono::milliseconds connect{15000};  // to reach the server
  std::chrono::milliseconds total{30000};    // for the whole transfer, redirects included
  std::size_t maxBodyBytes = 16 * 1024 * 1024;
  long maxRedirects = 10;
};

// The real transfer, over libcurl, with the default limits.
WebTransfer& systemWebTransfer();

// A transfer over libcurl with limits of the caller's (tests make short ones).
std::unique_ptr<WebTransfer> makeCurlTransfer(const TransferLimits& limits);

}  // namespace platform
