#pragma once

#include "mainwin/web_main_frm.h"

namespace orvane::win32 {

// The browser cache on Windows: every embedded browser of the process keeps its documents
// and resources in the system's URL cache, which WinINet clears.
class WinInetBrowserCache final : public BrowserCache {
 public:
  void ClearUrlCache(std::string_view pattern, std::uint32_t exclusion_mask) override;
};

}  // namespace orvane::win32
