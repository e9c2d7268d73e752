#pragma once

#include "mainwin/web_main_frm.h"

namespace orvane::gtk {

// The program menu's cache clearing on Linux: the cached documents and resources of the
// program's shared web context go; cookies, history and local storage stay. WebKit has
// no search pattern or entry types to exclude: the pattern and the mask are not used.
class WebKitBrowserCache final : public BrowserCache {
 public:
  void ClearUrlCache(std::string_view pattern, std::uint32_t exclusion_mask) override;
};

}  // namespace orvane::gtk
