#pragma once

#include <webkit2/webkit2.h>

namespace orvane::gtk {

// What the program menu's cache clearing removes from the web engine's data: the disk and
// memory caches and the offline application caches. Cookies, history and local storage
// stay, as the URL cache's cookie and history entries do on Windows.
inline constexpr WebKitWebsiteDataTypes kClearedWebsiteData = static_cast<WebKitWebsiteDataTypes>(
    WEBKIT_WEBSITE_DATA_DISK_CACHE | WEBKIT_WEBSITE_DATA_MEMORY_CACHE |
    WEBKIT_WEBSITE_DATA_OFFLINE_APPLICATION_CACHE);

// Clears the cached documents and resources of every page sharing `manager`; blocks
// until the engine has done so (the windows are served meanwhile). Reports nothing: a
// failure is written to the log only.
void ClearUrlCache(WebKitWebsiteDataManager* manager);

}  // namespace orvane::gtk
