#include "mainwin/win32/wininet_browser_cache.h"

#include "mainwin/win32/wininet_cache.h"

namespace orvane::win32 {

void WinInetBrowserCache::ClearUrlCache(std::string_view pattern, std::uint32_t exclusion_mask) {
  win32::ClearUrlCache(pattern, exclusion_mask);
}

}  // namespace orvane::win32
