#include "web_trace.h"

namespace juvo::tool {

platform::WebDocument WebTrace::openUrl(std::u16string_view url, const platform::StopCheck& stop) {
  const auto start = std::chrono::steady_clock::now();
  Fetch fetch{std::u16string(url), std::nullopt, std::nullopt, {}};
  const auto finish = [&] {
    fetch.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    fetches_.push_back(std::move(fetch));
  };
  try {
    platform::WebDocument document = inUse_->openUrl(url, stop);
    fetch.document = document;
    finish();
    return document;
  } catch (...) {
    fetch.failure = platform::currentError();
    finish();
    throw;
  }
}

std::vector<Fetch> WebTrace::take() {
  std::vector<Fetch> taken;
  taken.swap(fetches_);
  return taken;
}

platform::WebDocument RefusingWebTransfer::openUrl(std::u16string_view url,
                                                   const platform::StopCheck&) {
  platform::raise(platform::ErrorCode::kAborted, reason_ + u": " + std::u16string(url));
}

}  // namespace juvo::tool
