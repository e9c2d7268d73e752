#pragma once

#include <chrono>
#include <memory>

#include "app/http_session.h"

namespace orvane::gtk {

// HTTP for the download, over libcurl's multi interface driven from the calling thread:
// each read runs the transfer only until the next bytes are there, which is exactly the
// blocking, chunk-at-a-time reading the download loop does on the user-interface thread,
// with no worker thread and no GLib main loop involved (libsoup would need one).
//
// Proxies come from the usual environment variables (http_proxy, https_proxy, no_proxy).
// Redirects are followed (http and https only); requests ask every cache on the way for
// a fresh copy; a connection that cannot be made, or that stays silent, for as long as
// `timeouts` allow counts as lost. The body is received in blocks of up to
// `kReceiveBufferSize` bytes, each copied once, straight into the reader's buffer; while
// nobody reads, libcurl is paused rather than the body piled up in memory.
class CurlHttpClient final : public HttpClient {
 public:
  static constexpr long kReceiveBufferSize = 256 * 1024;
  // How long a wait for the network runs before the address's waiter is asked again.
  static constexpr std::chrono::milliseconds kWaitSlice{40};

  explicit CurlHttpClient(HttpTimeouts timeouts = {}) : timeouts_(timeouts) {}
  std::unique_ptr<HttpSession> OpenSession() override;

 private:
  HttpTimeouts timeouts_;
};

}  // namespace orvane::gtk
