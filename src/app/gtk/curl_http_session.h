#pragma once

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
// a fresh copy; a connection that stays silent for a minute counts as lost.
class CurlHttpClient final : public HttpClient {
 public:
  std::unique_ptr<HttpSession> OpenSession() override;
};

}  // namespace orvane::gtk
