#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace orvane {

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
  // shorter than announced).
  virtual std::optional<std::size_t> Read(std::span<char> buffer) = 0;
};

// An Internet session with the system's proxy settings. Closing the session is
// destroying the object; every address opened in it must be closed first.
class HttpSession {
 public:
  virtual ~HttpSession() = default;
  // Opens `url` with no extra request headers, always fetched from the server (never
  // from a cache). Nothing when the address cannot be reached.
  virtual std::unique_ptr<HttpUrl> OpenUrl(const std::string& url) = 0;
};

// The platform's HTTP client.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Nothing when no session can be opened.
  virtual std::unique_ptr<HttpSession> OpenSession() = 0;
};

}  // namespace orvane
