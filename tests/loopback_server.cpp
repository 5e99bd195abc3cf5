#include "loopback_server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace juvo::testing {

namespace {

constexpr char kNotFoundPage[] =
    "<html><head><title>404 Not Found</title></head>"
    "<body><h1>Not Found</h1><p>Nothing is served here.</p></body></html>";

// A port bound on 127.0.0.1 that never listens: connecting to it is refused, and no other
// program can take it while the socket stays open.
class RefusingPort {
 public:
  RefusingPort() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      throw std::runtime_error("loopback server: cannot bind a refusing port");
    }
    port_ = ntohs(address.sin_port);
  }
  ~RefusingPort() {
    if (fd_ >= 0) ::close(fd_);
  }
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace

class LoopbackServer::Impl {
 public:
  Impl() {
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      answer(request, response);
    });
    // Keep-alive connections would hold the worker threads past stop().
    server_.set_keep_alive_max_count(1);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("loopback server: cannot bind 127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  ~Impl() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    server_.stop();
    thread_.join();
  }

  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  int refusingPort() const { return refusing_.port(); }

  void serve(std::string path, Response response) {
    std::lock_guard lock(mutex_);
    documents_[std::move(path)] = std::move(response);
  }

  std::size_t requestsFor(std::string_view path) const {
    std::lock_guard lock(mutex_);
    auto found = requests_.find(std::string(path));
    return found == requests_.end() ? 0 : found->second;
  }

 private:
  void answer(const httplib::Request& request, httplib::Response& response) {
    Response document;
    {
      std::unique_lock lock(mutex_);
      ++requests_[request.path];
      auto found = documents_.find(request.path);
      if (found == documents_.end()) {
        document.status = 404;
        document.body = kNotFoundPage;
      } else {
        document = found->second;
      }
      if (document.delay.count() > 0) {
        // Gives up as soon as the server goes away.
        wake_.wait_for(lock, document.delay, [this] { return stopping_; });
        if (stopping_) return;
      }
    }
    response.status = document.status;
    for (const auto& [name, value] : document.headers)
      response.set_header(name, value);
    if (document.chunked) {
      auto body = std::make_shared<std::string>(std::move(document.body));
      response.set_chunked_content_provider(
          document.contentType, [body](size_t offset, httplib::DataSink& sink) {
            constexpr size_t kChunk = 64 * 1024;
            if (offset < body->size()) {
              sink.write(body->data() + offset, std::min(kChunk, body->size() - offset));
            } else {
              sink.done();
            }
            return true;
          });
    } else if (document.contentType.empty()) {
      response.body = std::move(document.body);
    } else {
      response.set_content(std::move(document.body), document.contentType);
    }
  }

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  RefusingPort refusing_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::map<std::string, Response, std::less<>> documents_;
  std::map<std::string, std::size_t, std::less<>> requests_;
};

LoopbackServer::LoopbackServer() : impl_(std::make_unique<Impl>()) {}

LoopbackServer::~LoopbackServer() = default;

std::string LoopbackServer::base() const {
  return impl_->base();
}

std::string LoopbackServer::url(std::string_view path) const {
  return base() + std::string(path);
}

std::string LoopbackServer::refusingBase() const {
  return "http://127.0.0.1:" + std::to_string(impl_->refusingPort());
}

void LoopbackServer::serve(std::string path, Response response) {
  impl_->serve(std::move(path), std::move(response));
}

LoopbackServer::Response LoopbackServer::redirectTo(std::string location, int status) {
  Response response;
  response.status = status;
  response.body = "<html><body>Moved</body></html>";
  response.headers.emplace_back("Location", std::move(location));
  return response;
}

std::size_t LoopbackServer::requestsFor(std::string_view path) const {
  return impl_->requestsFor(path);
}

}  // namespace juvo::testing
