// Clearing the web engine's cache on Linux: a real WebKit web view with its own persistent
// website data against the local publisher, which counts the requests for a cacheable
// resource and whether they carry the cookie set before.
#include <curl/curl.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "mainwin/gtk/webkit_cache.h"
#include "support/gtk/real_input.h"
#include "support/publisher_process.h"

namespace orvane::gtk {
namespace {

size_t Append(char* data, size_t size, size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

// The publisher's count of requests for the cacheable resource (all, and with the cookie).
struct Counts {
  int requests = -1;
  int with_cookie = -1;
};

Counts ReadCounts(const std::string& url) {
  std::string body;
  CURL* curl = curl_easy_init();
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Append);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  Counts counts;
  auto number = [&](const char* name) {
    const std::size_t at = body.find(name);
    return at == std::string::npos ? -1 : std::atoi(body.c_str() + body.find(':', at) + 1);
  };
  counts.requests = number("\"requests\"");
  counts.with_cookie = number("\"with_cookie\"");
  return counts;
}

class WebKitCacheTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void SetUp() override {
    publisher = test::PublisherProcess::Start();
    gchar* dir = g_dir_make_tmp("orvane-webcache-XXXXXX", nullptr);
    ASSERT_NE(dir, nullptr);
    folder = dir;
    g_free(dir);
    const std::string cache = folder + "/cache";
    manager = webkit_website_data_manager_new("base-data-directory", folder.c_str(),
                                              "base-cache-directory", cache.c_str(), nullptr);
    WebKitCookieManager* cookies = webkit_website_data_manager_get_cookie_manager(manager);
    const std::string cookie_file = folder + "/cookies.sqlite";
    webkit_cookie_manager_set_persistent_storage(cookies, cookie_file.c_str(),
                                                 WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    webkit_cookie_manager_set_accept_policy(cookies, WEBKIT_COOKIE_POLICY_ACCEPT_ALWAYS);
    context = webkit_web_context_new_with_website_data_manager(manager);
    webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_WEB_BROWSER);

    window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_object_ref_sink(window);
    gtk_window_set_default_size(GTK_WINDOW(window), 320, 240);
    view = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context));
    gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(view));
    g_signal_connect(view, "load-changed", G_CALLBACK(&WebKitCacheTest::LoadChanged), this);
    gtk_widget_show_all(window);
  }

  void TearDown() override {
    if (view) {
      g_signal_handlers_disconnect_by_data(view, this);
    }
    if (window) {
      gtk_widget_destroy(window);
      g_object_unref(window);
    }
    if (context) {
      g_object_unref(context);
    }
    if (manager) {
      g_object_unref(manager);
    }
    test_input::Pump();
    if (!folder.empty()) {
      gchar* argv[] = {const_cast<gchar*>("rm"), const_cast<gchar*>("-rf"), folder.data(), nullptr};
      g_spawn_sync(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr);
    }
  }

  static void LoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self) {
    if (event == WEBKIT_LOAD_FINISHED) {
      ++static_cast<WebKitCacheTest*>(self)->loads;
    }
  }

  // Loads a page of the publisher and waits until it has finished.
  bool Load(const std::string& path) {
    const int before = loads;
    webkit_web_view_load_uri(view, publisher->Url(path).c_str());
    for (int i = 0; i < 5; ++i) {  // a first load also starts the web processes
      if (test_input::WaitUntil([&] { return loads > before; })) {
        return true;
      }
    }
    return false;
  }
  Counts Count() const { return ReadCounts(publisher->Url("/_test/cache/count")); }

  std::unique_ptr<test::PublisherProcess> publisher;
  std::string folder;
  WebKitWebsiteDataManager* manager = nullptr;
  WebKitWebContext* context = nullptr;
  GtkWidget* window = nullptr;
  WebKitWebView* view = nullptr;
  int loads = 0;
};

TEST_F(WebKitCacheTest, ACachedResourceIsFetchedAgainAfterClearingAndTheCookieStays) {
  ASSERT_TRUE(Load("/_test/cache/cookie"));
  ASSERT_TRUE(Load("/_test/cache/page?visit=1"));
  const Counts first = Count();
  ASSERT_GE(first.requests, 1);
  ASSERT_TRUE(Load("/_test/cache/page?visit=2"));
  EXPECT_EQ(Count().requests, first.requests) << "the resource was not served from the cache";

  ClearUrlCache(manager);

  ASSERT_TRUE(Load("/_test/cache/page?visit=3"));
  const Counts after = Count();
  EXPECT_EQ(after.requests, first.requests + 1) << "the cache was not cleared";
  EXPECT_EQ(after.with_cookie, after.requests) << "the cookie was lost";
}

}  // namespace
}  // namespace orvane::gtk
