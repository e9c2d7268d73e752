#include "mainwin/gtk/webkit_browser_cache.h"

#include "browser/gtk/web_context.h"
#include "mainwin/gtk/webkit_cache.h"

namespace orvane::gtk {

void WebKitBrowserCache::ClearUrlCache(std::string_view /*pattern*/,
                                       std::uint32_t /*exclusion_mask*/) {
  gtk::ClearUrlCache(webkit_web_context_get_website_data_manager(SharedWebContext()));
}

}  // namespace orvane::gtk
