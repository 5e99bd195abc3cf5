// The web transfer over libcurl. A transfer runs on libcurl's multi interface so that the
// caller's stop check is polled every few milliseconds, whether or not data arrives: a script
// that times out while its server is silent stops at once, not at libcurl's next progress
// call.
#include <curl/curl.h>

#include <memory>
#include <string>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/inet/charset.h"
#include "platform/inet/transfer_failure.h"
#include "platform/inet/web_transfer.h"

namespace platform {

namespace {

// How often a waiting transfer looks at its stop check.
constexpr int kPollMilliseconds = 20;

// Sent as the User-Agent; some servers refuse requests without one.
constexpr char kUserAgent[] = "Mozilla/5.0 (compatible; libcurl)";

// libcurl's global state, set up once for the whole process before the first transfer.
void initialiseCurlOnce() {
  static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (initialised != CURLE_OK) {
    raise(ErrorCode::kWebDownloadFailed,
          u"The web transfer could not start: " + fromUtf8(curl_easy_strerror(initialised)));
  }
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// What libcurl's callbacks fill in while the transfer runs. They run inside libcurl's C frames,
// so they never throw.
struct Receiver {
  std::string body;
  std::size_t cap = 0;
  bool tooLarge = false;
  const StopCheck* stop = nullptr;
  bool stopped = false;

  static size_t write(char* data, size_t size, size_t count, void* self) {
    auto& receiver = *static_cast<Receiver*>(self);
    const size_t bytes = size * count;
    if (receiver.body.size() + bytes > receiver.cap) {
      receiver.tooLarge = true;
      return 0;  // ends the transfer with CURLE_WRITE_ERROR
    }
    try {
      receiver.body.append(data, bytes);
    } catch (...) {
      return 0;
    }
    return bytes;
  }

  static int progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Receiver*>(self)->stopNow() ? 1 : 0;
  }

  bool stopNow() {
    if (!stopped && stop && *stop) {
      try {
        stopped = (*stop)();
      } catch (...) {
        stopped = true;
      }
    }
    return stopped;
  }
};

std::string infoText(CURL* easy, CURLINFO what) {
  char* value = nullptr;
  return curl_easy_getinfo(easy, what, &value) == CURLE_OK && value ? std::string(value)
                                                                    : std::string();
}

class CurlTransfer final : public WebTransfer {
 public:
  explicit CurlTransfer(const TransferLimits& limits) : limits_(limits) {}

  WebDocument openUrl(std::u16string_view url, const StopCheck& stop) override {
    const auto started = std::chrono::steady_clock::now();
    initialiseCurlOnce();
    const inet::WebAddress address = inet::parseWebAddress(url);

    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi) raise(ErrorCode::kOutOfMemory, u"Out of memory");

    Receiver receiver;
    receiver.cap = limits_.maxBodyBytes;
    receiver.stop = &stop;
    char curlMessage[CURL_ERROR_SIZE] = {};
    configure(easy.get(), address, receiver, curlMessage);

    const CURLcode result = perform(multi.get(), easy.get(), receiver);
    if (result != CURLE_OK || receiver.stopped) {
      throw inet::failureOf(failureFacts(easy.get(), result, address, receiver, curlMessage),
                            limits_);
    }

    long status = 0;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    const std::string finalUrl = infoText(easy.get(), CURLINFO_EFFECTIVE_URL);
    if (status >= 400) throw inet::statusFailure(status, finalUrl);

    curl_off_t wireBytes = 0;
    curl_easy_getinfo(easy.get(), CURLINFO_SIZE_DOWNLOAD_T, &wireBytes);
    inet::DecodedText decoded =
        inet::decodeBody(receiver.body, infoText(easy.get(), CURLINFO_CONTENT_TYPE));

    WebDocument document;
    document.text = std::move(decoded.text);
    document.status = status;
    document.bytes = static_cast<std::size_t>(wireBytes);
    document.charset = std::move(decoded.charset);
    document.url = fromUtf8(finalUrl);
    document.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    return document;
  }

 private:
  void configure(CURL* easy, const inet::WebAddress& address, Receiver& receiver,
                 char* curlMessage) const {
    curl_easy_setopt(easy, CURLOPT_URL, address.url.c_str());
    // Only the web, also where a redirect leads.
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, limits_.maxRedirects);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connect.count()));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.total.count()));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(limits_.maxBodyBytes));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
    // Compressed answers in the two encodings every server offers.
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, curlMessage);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Receiver::write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &receiver);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Receiver::progress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &receiver);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  }

  // Runs the transfer to its end, polling the stop check between waits.
  static CURLcode perform(CURLM* multi, CURL* easy, Receiver& receiver) {
    if (curl_multi_add_handle(multi, easy) != CURLM_OK) return CURLE_FAILED_INIT;
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running > 0) {
      if (curl_multi_perform(multi, &running) != CURLM_OK) {
        result = CURLE_FAILED_INIT;
        break;
      }
      if (running == 0) break;
      if (receiver.stopNow()) {
        result = CURLE_ABORTED_BY_CALLBACK;
        break;
      }
      curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
        result = message->data.result;
      }
    }
    curl_multi_remove_handle(multi, easy);
    return result;
  }

  static inet::FailedTransfer failureFacts(CURL* easy, CURLcode result,
                                           const inet::WebAddress& address,
                                           const Receiver& receiver, const char* curlMessage) {
    inet::FailedTransfer facts;
    facts.curlCode = result;
    facts.url = address.url;
    facts.host = address.host;
    facts.curlMessage = curlMessage;
    facts.tooLarge = receiver.tooLarge;
    facts.stopped = receiver.stopped;
    long osError = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osError);
    facts.osError = static_cast<int>(osError);
    curl_off_t connectTime = 0;
    curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connectTime);
    facts.connected = connectTime > 0;
    if (result == CURLE_UNSUPPORTED_PROTOCOL) {
      // The address itself was checked before; it is where a redirect led that was refused.
      facts.redirectTarget = infoText(easy, CURLINFO_REDIRECT_URL);
      if (facts.redirectTarget.empty())
        facts.redirectTarget = infoText(easy, CURLINFO_EFFECTIVE_URL);
    }
    return facts;
  }

  TransferLimits limits_;
};

}  // namespace

WebTransfer& systemWebTransfer() {
  static CurlTransfer transfer{TransferLimits{}};
  return transfer;
}

std::unique_ptr<WebTransfer> makeCurlTransfer(const TransferLimits& limits) {
  return std::make_unique<CurlTransfer>(limits);
}

}  // namespace platform
