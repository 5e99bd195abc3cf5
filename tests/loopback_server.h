// LoopbackServer: a small web server on 127.0.0.1 for tests, serving documents the test
// registers. It listens from construction to destruction, on a port of its own; every path
// it does not know answers 404 with a small HTML page.
//
//   LoopbackServer server;
//   server.serve("/feed.xml", {.body = rss, .contentType = "text/xml"});
//   server.serve("/slow", {.body = "<p>late</p>", .delay = std::chrono::seconds(5)});
//   server.serve("/moved", LoopbackServer::redirectTo("file:///etc/passwd"));
//   fetch(server.url("/feed.xml"));   // "http://127.0.0.1:PORT/feed.xml"
//
// Bodies are bytes, sent as given: any character set, any size. Like any web server it
// compresses text, XML and JSON for a client that accepts it; other types go as they are. A delayed
// answer waits on the server's side and gives up at once when the server is destroyed, so a test
// that abandons a slow request does not wait for it. Documents may be registered and replaced while
// the server runs; the server answers from its own threads.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace juvo::testing {

class LoopbackServer {
 public:
  struct Response {
    int status = 200;
    std::string body;
    std::string contentType = "text/html";
    // Further headers ("Location", ...), sent as given.
    std::vector<std::pair<std::string, std::string>> headers = {};
    // How long the server waits before it answers.
    std::chrono::milliseconds delay{0};
    // Sent in chunks, without saying its length beforehand.
    bool chunked = false;
  };

  // Starts listening; throws std::runtime_error when it cannot.
  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // "http://127.0.0.1:PORT", no trailing slash.
  std::string base() const;
  // base() followed by `path` ("/feed.xml").
  std::string url(std::string_view path) const;
  // "http://127.0.0.1:PORT" for a port where nothing listens: connections are refused.
  std::string refusingBase() const;

  // Answers GET `path` (the path only, without the query) with `response`, replacing what
  // was served there before.
  void serve(std::string path, Response response);
  // A redirect (302 unless told otherwise) to `location`, which may be any address.
  static Response redirectTo(std::string location, int status = 302);

  // How many requests for `path` have arrived so far.
  std::size_t requestsFor(std::string_view path) const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace juvo::testing
