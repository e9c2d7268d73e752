// Log lines of this file go to the journal (or stderr) under the program's own domain.
#define G_LOG_DOMAIN "orvane"

#include "browser/gtk/web_context.h"

#include <epoxy/gl.h>
#include <gtk/gtk.h>

#include "browser/compositing.h"

namespace orvane::gtk {
namespace {

std::string Join(const char* base, const char* name) {
  gchar* path = g_build_filename(base, name, nullptr);
  std::string result = path;
  g_free(path);
  return result;
}

// The name of the OpenGL renderer this display gives, or "" when it gives none.
std::string OpenGlRenderer() {
  GdkScreen* screen = gdk_screen_get_default();
  if (screen == nullptr) {
    return {};
  }
  GError* error = nullptr;
  GdkGLContext* context = gdk_window_create_gl_context(gdk_screen_get_root_window(screen), &error);
  if (context == nullptr) {
    g_clear_error(&error);
    return {};
  }
  std::string renderer;
  if (gdk_gl_context_realize(context, &error)) {
    gdk_gl_context_make_current(context);
    if (const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER))) {
      renderer = name;
    }
    gdk_gl_context_clear_current();
  }
  g_clear_error(&error);
  g_object_unref(context);
  return renderer;
}

}  // namespace

WebContextFolders ProgramWebContextFolders() {
  return {Join(g_get_user_data_dir(), "orvane"), Join(g_get_user_cache_dir(), "orvane")};
}

UniqueGObject<WebKitWebContext> NewPersistentWebContext(const WebContextFolders& folders) {
  g_mkdir_with_parents(folders.data.c_str(), 0700);
  g_mkdir_with_parents(folders.cache.c_str(), 0700);
  WebKitWebsiteDataManager* data =
      webkit_website_data_manager_new("base-data-directory", folders.data.c_str(),
                                      "base-cache-directory", folders.cache.c_str(), nullptr);
  webkit_cookie_manager_set_persistent_storage(webkit_website_data_manager_get_cookie_manager(data),
                                               Join(folders.data.c_str(), "cookies.sqlite").c_str(),
                                               WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
  UniqueGObject<WebKitWebContext> context(webkit_web_context_new_with_website_data_manager(data));
  g_object_unref(data);  // the context holds its own reference
  webkit_web_context_set_cache_model(context.get(), WEBKIT_CACHE_MODEL_WEB_BROWSER);
  return context;
}

WebKitWebContext* SharedWebContext() {
  static WebKitWebContext* const shared =
      NewPersistentWebContext(ProgramWebContextFolders()).release();
  return shared;
}

bool UseAcceleratedCompositing() {
  static const bool accelerated = [] {
    const std::string renderer = OpenGlRenderer();
    const bool software = browser::IsSoftwareRenderer(renderer);
    g_debug("web views: OpenGL renderer \"%s\": %s", renderer.c_str(),
            software ? "software, accelerated compositing off" : "hardware, WebKit's default");
    return !software;
  }();
  return accelerated;
}

void ApplyCompositingDecision(WebKitSettings* settings) {
  if (!UseAcceleratedCompositing()) {
    webkit_settings_set_hardware_acceleration_policy(settings,
                                                     WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  }
}

}  // namespace orvane::gtk
