#pragma once

#include <memory>

#include "app/http_session.h"

namespace orvane::win32 {

// HTTP for the download over WinINet: a session with the system's proxy settings and no
// agent name, addresses opened with a reload from the server, blocking reads bounded by
// `timeouts` (connecting; and sending or receiving without a byte).
class WinInetHttpClient final : public HttpClient {
 public:
  explicit WinInetHttpClient(HttpTimeouts timeouts = {}) : timeouts_(timeouts) {}
  std::unique_ptr<HttpSession> OpenSession() override;

 private:
  HttpTimeouts timeouts_;
};

}  // namespace orvane::win32
