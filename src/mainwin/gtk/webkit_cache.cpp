#include "mainwin/gtk/webkit_cache.h"

namespace orvane::gtk {
namespace {

struct Clearing {
  GMainLoop* loop = nullptr;
  bool done = false;
};

void Cleared(GObject* manager, GAsyncResult* result, gpointer data) {
  auto* clearing = static_cast<Clearing*>(data);
  GError* error = nullptr;
  if (!webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(manager), result,
                                                &error)) {
    g_message("Clearing the web cache failed: %s", error ? error->message : "no reason given");
    g_clear_error(&error);
  }
  clearing->done = true;
  g_main_loop_quit(clearing->loop);
}

}  // namespace

void ClearUrlCache(WebKitWebsiteDataManager* manager) {
  if (!manager) {
    return;
  }
  Clearing clearing;
  clearing.loop = g_main_loop_new(nullptr, FALSE);
  webkit_website_data_manager_clear(manager, kClearedWebsiteData, 0, nullptr, &Cleared, &clearing);
  if (!clearing.done) {
    g_main_loop_run(clearing.loop);
  }
  g_main_loop_unref(clearing.loop);
}

}  // namespace orvane::gtk
