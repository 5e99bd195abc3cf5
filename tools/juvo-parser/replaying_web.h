// Web transfers over recorded pages (page_store.h): one that answers from the recording and
// fetches nothing, and one that fetches through another transfer and records what it got.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "page_store.h"
#include "platform/inet/web_transfer.h"

namespace juvo::tool {

// Answers each address with its recorded page: the document as recorded, or the recorded
// failure raised again. An address that was not recorded fails with kFileNotFound and a
// description that names it (kWebNotFound), and is kept in misses(), so that a parser which
// handles the failure itself still cannot hide the gap.
class ReplayingWebTransfer final : public platform::WebTransfer {
 public:
  explicit ReplayingWebTransfer(std::map<std::u16string, RecordedPage> pages = {})
      : pages_(std::move(pages)) {}

  platform::WebDocument openUrl(std::u16string_view url, const platform::StopCheck& stop) override;

  // The addresses asked for that were not recorded, since the last call, in order.
  std::vector<std::u16string> takeMisses();

 private:
  std::map<std::u16string, RecordedPage> pages_;
  std::vector<std::u16string> misses_;
};

// Fetches through `live` and records each outcome in `folder`: the document, or a failure that
// tells something of the address (an error status, a bad redirect). A failure of the way there
// (server not found, no connection, time-out, certificate, a stop) is not recorded, so that a
// recording made while the network is down keeps the pages it had. A record replaces the
// earlier one of the same address; pages of other addresses stay.
class RecordingWebTransfer final : public platform::WebTransfer {
 public:
  RecordingWebTransfer(platform::WebTransfer& live, std::filesystem::path folder)
      : live_(live), folder_(std::move(folder)) {}

  platform::WebDocument openUrl(std::u16string_view url, const platform::StopCheck& stop) override;

  // The addresses recorded so far, each once, in the order first recorded.
  const std::vector<std::u16string>& recorded() const { return recorded_; }
  // The fetches that could not be recorded because the way to the page failed (no server, a
  // time-out, ...): "ADDRESS: why", each address once. Their pages recorded before stay.
  const std::vector<std::string>& unrecorded() const { return unrecorded_; }

 private:
  void record(const RecordedPage& page);

  platform::WebTransfer& live_;
  std::filesystem::path folder_;
  std::vector<std::u16string> recorded_;
  std::vector<std::u16string> unrecordedUrls_;
  std::vector<std::string> unrecorded_;
};

}  // namespace juvo::tool
