#include "platform/inet/transfer_failure.h"

#include <curl/curl.h>

#include <cstring>
#include <memory>

#include "platform/base/text.h"

namespace platform::inet {

namespace {

std::u16string text(std::string_view utf8) {
  return fromUtf8(utf8);
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// The scheme `address` begins with ("http", "file", ...), or "" when it has none. A name
// followed by a digit is a server and its port ("example.org:8080/x"), not a scheme.
std::string_view schemeOf(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  const std::string_view scheme = address.substr(0, colon);
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (!letter(scheme[0])) return {};
  for (char c : scheme) {
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return {};
  }
  if (colon + 1 < address.size() && address[colon + 1] >= '0' && address[colon + 1] <= '9')
    return {};
  return scheme;
}

bool sameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  }
  return true;
}

// Percent-encodes what may not stand in an address as sent: spaces, controls, non-ASCII
// bytes. The server name is left alone (libcurl turns an international name into its ASCII
// form itself).
std::string percentEncoded(std::string_view address) {
  std::size_t authority = address.find("://");
  authority = authority == std::string_view::npos ? 0 : authority + 3;
  const std::size_t pathStart = address.find_first_of("/?#", authority);
  std::string out(address.substr(0, pathStart));
  if (pathStart == std::string_view::npos) return out;
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : address.substr(pathStart)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      out.push_back('%');
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0x0F]);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct CurlText {
  char* text = nullptr;
  ~CurlText() { curl_free(text); }
};

std::u16string byteSize(std::size_t bytes) {
  constexpr std::size_t kKilo = 1024;
  if (bytes % (kKilo * kKilo) == 0)
    return decimal(static_cast<int64_t>(bytes / kKilo / kKilo)) + u" MB";
  if (bytes % kKilo == 0) return decimal(static_cast<int64_t>(bytes / kKilo)) + u" KB";
  return decimal(static_cast<int64_t>(bytes)) + u" bytes";
}

// strerror's words, starting in lower case to follow a colon.
std::u16string osReason(int error) {
  std::string reason = std::strerror(error);
  if (!reason.empty() && reason[0] >= 'A' && reason[0] <= 'Z' &&
      !(reason.size() > 1 && reason[1] >= 'A' && reason[1] <= 'Z')) {
    reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
  }
  return text(reason);
}

std::u16string_view reasonPhrase(long status) {
  switch (status) {
    case 400:
      return u"Bad Request";
    case 401:
      return u"Unauthorized";
    case 403:
      return u"Forbidden";
    case 404:
      return u"Not Found";
    case 405:
      return u"Method Not Allowed";
    case 406:
      return u"Not Acceptable";
    case 407:
      return u"Proxy Authentication Required";
    case 408:
      return u"Request Timeout";
    case 410:
      return u"Gone";
    case 429:
      return u"Too Many Requests";
    case 500:
      return u"Internal Server Error";
    case 501:
      return u"Not Implemented";
    case 502:
      return u"Bad Gateway";
    case 503:
      return u"Service Unavailable";
    case 504:
      return u"Gateway Timeout";
    default:
      return {};
  }
}

Error failure(ErrorCode code, std::u16string description) {
  return Error(static_cast<int32_t>(code), std::move(description));
}

}  // namespace

WebAddress parseWebAddress(std::u16string_view typed) {
  std::string address = toUtf8(typed);
  while (!address.empty() && isSpace(address.back()))
    address.pop_back();
  std::size_t first = 0;
  while (first < address.size() && isSpace(address[first]))
    ++first;
  address.erase(0, first);
  if (address.empty()) throw failure(ErrorCode::kWebInvalidAddress, u"No web address was given");

  const std::string_view scheme = schemeOf(address);
  if (scheme.empty()) {
    address.insert(0, "http://");
  } else if (!sameLetters(scheme, "http") && !sameLetters(scheme, "https")) {
    throw failure(ErrorCode::kWebUnsupportedScheme,
                  u"Only http and https addresses can be fetched, not " + text(address));
  }

  std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
  if (!url) throw failure(ErrorCode::kOutOfMemory, u"Out of memory");
  const CURLUcode parsed =
      curl_url_set(url.get(), CURLUPART_URL, percentEncoded(address).c_str(), 0);
  if (parsed != CURLUE_OK) {
    throw failure(ErrorCode::kWebInvalidAddress, u"Not a valid web address: " + text(address) +
                                                     u" (" + text(curl_url_strerror(parsed)) +
                                                     u")");
  }
  CurlText full;
  CurlText host;
  if (curl_url_get(url.get(), CURLUPART_URL, &full.text, 0) != CURLUE_OK ||
      curl_url_get(url.get(), CURLUPART_HOST, &host.text, 0) != CURLUE_OK) {
    throw failure(ErrorCode::kWebInvalidAddress, u"Not a valid web address: " + text(address));
  }
  return WebAddress{full.text, host.text};
}

Error failureOf(const FailedTransfer& f, const TransferLimits& limits) {
  const std::u16string url = text(f.url);
  const std::u16string host = text(f.host);
  const std::u16string said = text(f.curlMessage);
  if (f.stopped) return failure(ErrorCode::kAborted, u"The transfer of " + url + u" was stopped");
  if (f.tooLarge || f.curlCode == CURLE_FILESIZE_EXCEEDED) {
    return failure(ErrorCode::kWebDownloadFailed,
                   u"The document at " + url + u" is larger than " + byteSize(limits.maxBodyBytes));
  }
  switch (static_cast<CURLcode>(f.curlCode)) {
    case CURLE_UNSUPPORTED_PROTOCOL:
      if (!f.redirectTarget.empty()) {
        return failure(ErrorCode::kWebRedirectFailed,
                       url + u" redirected to " + text(f.redirectTarget) +
                           u", but only http and https addresses can be fetched");
      }
      return failure(ErrorCode::kWebUnsupportedScheme,
                     u"Only http and https addresses can be fetched, not " + url);
    case CURLE_TOO_MANY_REDIRECTS:
      return failure(ErrorCode::kWebRedirectFailed,
                     url + u" redirected more than " + decimal(limits.maxRedirects) + u" times");
    case CURLE_URL_MALFORMAT:
      return failure(ErrorCode::kWebInvalidAddress, u"Not a valid web address: " + url +
                                                        (said.empty() ? u"" : u" (" + said + u")"));
    case CURLE_COULDNT_RESOLVE_HOST:
      return failure(ErrorCode::kWebServerNotFound, u"Could not find the server " + host);
    case CURLE_COULDNT_RESOLVE_PROXY:
      return failure(ErrorCode::kWebServerNotFound, u"Could not find the proxy server: " + said);
    case CURLE_COULDNT_CONNECT:
      return failure(
          ErrorCode::kWebCannotConnect,
          u"Could not connect to " + host + (f.osError ? u": " + osReason(f.osError) : u""));
    case CURLE_OPERATION_TIMEDOUT:
      if (!f.connected) {
        return failure(ErrorCode::kWebTimeout, u"Could not connect to " + host + u" within " +
                                                   durationText(limits.connect));
      }
      return failure(ErrorCode::kWebTimeout, u"The server " + host + u" did not answer within " +
                                                 durationText(limits.total));
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
      return failure(ErrorCode::kWebSecurityProblem,
                     u"A secure connection to " + host + u" could not be made: " + said);
    case CURLE_GOT_NOTHING:
      return failure(ErrorCode::kWebDownloadFailed,
                     u"The server " + host + u" closed the connection without answering");
    case CURLE_WEIRD_SERVER_REPLY:
      return failure(ErrorCode::kWebDownloadFailed,
                     u"The server " + host + u" gave an answer that is not HTTP");
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
      return failure(ErrorCode::kWebDownloadFailed,
                     u"The connection to " + host + u" broke off: " + said);
    case CURLE_BAD_CONTENT_ENCODING:
      return failure(ErrorCode::kWebDownloadFailed,
                     u"The server " + host + u" sent a compressed document that could not be read");
    case CURLE_OUT_OF_MEMORY:
      return failure(ErrorCode::kOutOfMemory, u"Out of memory while fetching " + url);
    default:
      break;
  }
  const std::u16string reason =
      said.empty() ? text(curl_easy_strerror(static_cast<CURLcode>(f.curlCode))) : said;
  return failure(ErrorCode::kWebDownloadFailed, u"Could not fetch " + url + u": " + reason);
}

Error statusFailure(long status, std::string_view url) {
  const std::u16string_view phrase = reasonPhrase(status);
  const std::u16string answered = phrase.empty() ? u"with error " + decimal(status)
                                                 : decimal(status) + u" " + std::u16string(phrase);
  const ErrorCode code =
      status == 404 || status == 410 ? ErrorCode::kWebNotFound : ErrorCode::kWebDownloadFailed;
  return failure(code, u"The server answered " + answered + u" for " + text(url));
}

std::u16string durationText(std::chrono::milliseconds duration) {
  const int64_t ms = duration.count();
  if (ms % 1000 == 0) return decimal(ms / 1000) + (ms == 1000 ? u" second" : u" seconds");
  std::u16string fraction = decimal(1000 + ms % 1000).substr(1);
  while (fraction.back() == u'0')
    fraction.pop_back();
  return decimal(ms / 1000) + u"." + fraction + u" seconds";
}

}  // namespace platform::inet
