// WebTransfer: fetching a web document as text, the stand-in for the Internet Transfer
// Control's synchronous OpenURL. Only http and https addresses are fetched, redirects
// included; anything else fails.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

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

// Polled while a transfer waits; true asks it to give up (the script's time-out, a reset).
using StopCheck = std::function<bool()>;

class WebTransfer {
 public:
  virtual ~WebTransfer() = default;

  // Fetches `url` and waits for the whole document. Raises platform::Error with a description
  // a user understands when the address cannot be fetched; kAborted when `stop` said so.
  virtual WebDocument openUrl(std::u16string_view url, const StopCheck& stop = {}) = 0;
};

// The real transfer, over libcurl.
WebTransfer& systemWebTransfer();

}  // namespace platform
