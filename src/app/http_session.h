#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace orvane {

// What an HTTP layer calls, every short while, while it waits for the network on the
// calling thread: the caller handles its events there, so that its windows stay alive.
class HttpWaiter {
 public:
  virtual ~HttpWaiter() = default;
  // False gives the wait up: the operation waited for then fails at once.
  virtual bool KeepWaiting() = 0;
};

// An address opened in an HTTP session, with its response headers received. Closing
// the address is destroying the object.
class HttpUrl {
 public:
  virtual ~HttpUrl() = default;
  // The final response's status code (after redirects); nothing if it cannot be had.
  virtual std::optional<std::int32_t> StatusCode() = 0;
  // The Content-Length header as a number; nothing when the response has none.
  virtual std::optional<std::int64_t> ContentLength() = 0;
  // Reads up to `buffer.size()` bytes of the body. Returns the number read (0 at the
  // end of the body), or nothing when the transfer broke off (connection lost, body
  // shorter than announced, the server silent for too long) or the waiter gave up.
  virtual std::optional<std::size_t> Read(std::span<char> buffer) = 0;
};

// An Internet session with the system's proxy settings. Closing the session is
// destroying the object; every address opened in it must be closed first.
class HttpSession {
 public:
  virtual ~HttpSession() = default;
  // Opens `url` with no extra request headers, always fetched from the server (never
  // from a cache). Nothing when the address cannot be reached, nobody answers in time, or
  // `waiter` gave the wait up. `waiter` (may be null) is asked while the answer and, later,
  // the address's reads are waited for; it must outlive the address.
  virtual std::unique_ptr<HttpUrl> OpenUrl(const std::string& url, HttpWaiter* waiter) = 0;
  std::unique_ptr<HttpUrl> OpenUrl(const std::string& url) { return OpenUrl(url, nullptr); }
};

// How long a transfer may wait for the network before it counts as lost.
struct HttpTimeouts {
  // Connecting to the server.
  std::chrono::seconds connect{30};
  // A transfer without a single byte in either direction for this long, before or after
  // the answer's headers: a server that accepts and never answers ends here.
  std::chrono::seconds stalled{30};
};

// The platform's HTTP client.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Nothing when no session can be opened.
  virtual std::unique_ptr<HttpSession> OpenSession() = 0;
};

}  // namespace orvane
