// WebTrace: the web transfer juvo-parser gives the platform. It hands each fetch to the
// transfer in use (the live web, a recording, a replay) and keeps what came of it, for the
// trace a run prints.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/inet/web_transfer.h"

namespace juvo::tool {

// One fetch: the document it gave, or the failure it raised.
struct Fetch {
  std::u16string url;
  std::optional<platform::WebDocument> document;
  std::optional<platform::Error> failure;
  std::chrono::milliseconds elapsed{0};
};

class WebTrace final : public platform::WebTransfer {
 public:
  explicit WebTrace(platform::WebTransfer& inUse) : inUse_(&inUse) {}

  // Fetches through `inUse` from now on; it must outlive its use.
  void use(platform::WebTransfer& inUse) { inUse_ = &inUse; }

  platform::WebDocument openUrl(std::u16string_view url, const platform::StopCheck& stop) override;

  // The fetches since the last call, in order.
  std::vector<Fetch> take();

 private:
  platform::WebTransfer* inUse_;
  std::vector<Fetch> fetches_;
};

// A transfer that fetches nothing: each address fails with `reason` (which names it).
class RefusingWebTransfer final : public platform::WebTransfer {
 public:
  explicit RefusingWebTransfer(std::u16string reason) : reason_(std::move(reason)) {}
  platform::WebDocument openUrl(std::u16string_view url, const platform::StopCheck&) override;

 private:
  std::u16string reason_;
};

}  // namespace juvo::tool
