#pragma once

#include <memory>

#include "app/http_session.h"

namespace orvane::win32 {

// HTTP for the download over WinINet: a session with the system's proxy settings and no
// agent name, addresses opened with a reload from the server, blocking reads.
class WinInetHttpClient final : public HttpClient {
 public:
  std::unique_ptr<HttpSession> OpenSession() override;
};

}  // namespace orvane::win32
