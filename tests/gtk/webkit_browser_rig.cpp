#include "webkit_browser_rig.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <exception>

namespace orvane::gtk::test {

void RecordingOwner::DocumentComplete(browser::DocumentId document, const std::string& URL) {
  log.push_back("complete " + URL);
  completed.push_back(URL);
  documents.push_back(document);
  if (on_complete) {
    on_complete();
  }
}

void RecordingOwner::TitleChange(const std::string& Text) {
  log.push_back("title " + Text);
  titles.push_back(Text);
}

void RecordingOwner::BeforeNavigate2(const std::string& URL, bool& Cancel) {
  log.push_back("before " + URL);
  navigations.push_back(URL);
  Cancel = !cancel_containing.empty() && URL.find(cancel_containing) != std::string::npos;
}

void RecordingOwner::NewWindow(const std::string& URL, bool& Processed) {
  log.push_back("new window " + URL);
  new_windows.push_back(URL);
  Processed = true;
}

bool WaitFor(const std::function<bool()>& done) {
  // About 30 seconds: the first page of a suite also starts WebKit's own processes.
  for (int i = 0; i < 6000; ++i) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    if (done()) {
      return true;
    }
    g_usleep(5000);
  }
  return false;
}

void PumpFor(int milliseconds) {
  const gint64 end = g_get_monotonic_time() + gint64{milliseconds} * 1000;
  while (g_get_monotonic_time() < end) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    g_usleep(5000);
  }
}

bool WaitForCompletions(const RecordingOwner& owner, std::size_t count) {
  return WaitFor([&] { return owner.completed.size() >= count; });
}

std::string Evaluate(WebKitWebView* view, const std::string& script) {
  struct Result {
    bool done = false;
    std::string text;
  } result;
  webkit_web_view_evaluate_javascript(
      view, script.c_str(), -1, nullptr, nullptr, nullptr,
      [](GObject* source, GAsyncResult* async, gpointer data) {
        auto* out = static_cast<Result*>(data);
        GError* error = nullptr;
        JSCValue* value =
            webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), async, &error);
        if (value != nullptr) {
          gchar* text = jsc_value_to_string(value);
          out->text = text;
          g_free(text);
          g_object_unref(value);
        } else {
          out->text = std::string("error: ") + (error ? error->message : "?");
          g_clear_error(&error);
        }
        out->done = true;
      },
      &result);
  EXPECT_TRUE(WaitFor([&] { return result.done; })) << script;
  return result.text;
}

void Settle(WebKitWebView* view) {
  // Two round trips through the web process, with the main loop running in between.
  Evaluate(view, "0");
  Evaluate(view, "0");
}

BrowserWindow::BrowserWindow(WebKitWebContext* context, int width, int height) {
  window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), width, height);
  fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window), fixed);
  browser = std::make_unique<WebKitBrowser>(owner, context);
  gtk_fixed_put(GTK_FIXED(fixed), browser->Widget(), 0, 0);
  browser->Place({0, 0, width, height});
  gtk_widget_show_all(window);
  WaitFor([&] { return gtk_widget_get_mapped(browser->Widget()) != FALSE; });
}

BrowserWindow::~BrowserWindow() {
  browser.reset();
  gtk_widget_destroy(window);
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
}

orvane::test::PublisherProcess* WebKitBrowserTest::publisher_ = nullptr;
std::string WebKitBrowserTest::problem_;
std::string WebKitBrowserTest::folder_;
WebKitWebContext* WebKitBrowserTest::context_ = nullptr;

void WebKitBrowserTest::SetUpTestSuite() {
  if (!gtk_init_check(nullptr, nullptr)) {
    problem_ = "no display";
    return;
  }
  try {
    publisher_ = orvane::test::PublisherProcess::Start().release();
  } catch (const std::exception& error) {
    problem_ = error.what();
    return;
  }
  gchar* folder = g_dir_make_tmp("orvane-webkit-XXXXXX", nullptr);
  folder_ = folder;
  g_free(folder);
  context_ = NewPersistentWebContext({folder_ + "/data", folder_ + "/cache"}).release();
}

void WebKitBrowserTest::TearDownTestSuite() {
  if (context_ != nullptr) {
    g_object_unref(context_);
    context_ = nullptr;
  }
  delete publisher_;
  publisher_ = nullptr;
  if (!folder_.empty()) {
    // The network process may still be writing its cache as the context goes: a removal
    // that meets a file made meanwhile is tried again.
    const std::string command = "rm -rf '" + folder_ + "' 2>/dev/null";
    int status = std::system(command.c_str());
    for (int attempt = 0; status != 0 && attempt < 50; ++attempt) {
      g_usleep(100 * 1000);
      status = std::system(command.c_str());
    }
    EXPECT_EQ(status, 0) << folder_;
  }
}

void WebKitBrowserTest::SetUp() {
  ASSERT_TRUE(problem_.empty()) << problem_;
}

std::string WebKitBrowserTest::RefusedUrl() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  const int port = ntohs(address.sin_port);
  close(s);  // bound but never listening, and now closed: connections are refused
  return "http://127.0.0.1:" + std::to_string(port) + "/";
}

}  // namespace orvane::gtk::test
