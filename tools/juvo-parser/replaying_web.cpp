#include "replaying_web.h"

#include <algorithm>

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace juvo::tool {

namespace {

// Whether a failed fetch tells something about the address itself (an error status, a bad
// redirect, an address no transfer takes), rather than about the way there: a server not
// reached, a time-out, a certificate not trusted here, a stop. Only the first kind is worth
// recording; the second would replace a good page because the network was down.
bool saysWhatThePageIs(const platform::Error& failure) {
  using platform::ErrorCode;
  for (ErrorCode passing :
       {ErrorCode::kAborted, ErrorCode::kWebServerNotFound, ErrorCode::kWebCannotConnect,
        ErrorCode::kWebTimeout, ErrorCode::kWebSecurityProblem}) {
    if (failure.number() == static_cast<int32_t>(passing)) return false;
  }
  return true;
}

}  // namespace

platform::WebDocument ReplayingWebTransfer::openUrl(std::u16string_view url,
                                                    const platform::StopCheck&) {
  const auto found = pages_.find(std::u16string(url));
  if (found == pages_.end()) {
    misses_.emplace_back(url);
    platform::raise(platform::ErrorCode::kWebNotFound,
                    u"No page is recorded for " + std::u16string(url));
  }
  if (found->second.failure) throw *found->second.failure;
  return found->second.document;
}

std::vector<std::u16string> ReplayingWebTransfer::takeMisses() {
  std::vector<std::u16string> taken;
  taken.swap(misses_);
  return taken;
}

platform::WebDocument RecordingWebTransfer::openUrl(std::u16string_view url,
                                                    const platform::StopCheck& stop) {
  RecordedPage page;
  page.url = std::u16string(url);
  try {
    page.document = live_.openUrl(url, stop);
  } catch (...) {
    platform::Error failure = platform::currentError();
    if (saysWhatThePageIs(failure)) {
      page.failure = failure;
      record(page);
    } else if (failure.number() != static_cast<int32_t>(platform::ErrorCode::kAborted) &&
               std::find(unrecordedUrls_.begin(), unrecordedUrls_.end(), page.url) ==
                   unrecordedUrls_.end()) {
      unrecordedUrls_.push_back(page.url);
      unrecorded_.push_back(platform::toUtf8(page.url) + ": " +
                            platform::toUtf8(failure.description()));
    }
    throw;
  }
  record(page);
  return page.document;
}

void RecordingWebTransfer::record(const RecordedPage& page) {
  writePage(folder_, page);
  if (std::find(recorded_.begin(), recorded_.end(), page.url) == recorded_.end()) {
    recorded_.push_back(page.url);
  }
}

}  // namespace juvo::tool
