#include "platform/base/error.h"
#include "platform/inet/web_transfer.h"

namespace platform {

namespace {

class CurlTransfer final : public WebTransfer {
 public:
  WebDocument openUrl(std::u16string_view, const StopCheck&) override {
    raise(ErrorCode::kNotImplemented, u"Fetching web documents is not available yet");
  }
};

}  // namespace

WebTransfer& systemWebTransfer() {
  static CurlTransfer transfer;
  return transfer;
}

}  // namespace platform
