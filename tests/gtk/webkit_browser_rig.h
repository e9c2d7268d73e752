#pragma once
// A real WebKitBrowser in a real window under X, on a web context of its own in a
// temporary folder, talking to the local publisher; the owner records every event.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/gtk/cairo_handles.h"
#include "browser/gtk/web_context.h"
#include "browser/gtk/webkit_browser.h"
#include "support/publisher_process.h"

namespace orvane::gtk::test {

class RecordingOwner : public browser::BrowserEvents {
 public:
  void DownloadBegin() override { log.push_back("begin"); }
  void DocumentComplete(browser::DocumentId document, const std::string& URL) override;
  void TitleChange(const std::string& Text) override;
  void BeforeNavigate2(const std::string& URL, bool& Cancel) override;
  void NewWindow(const std::string& URL, bool& Processed) override;
  bool ContextMenuAllowed() override {
    ++menu_requests;
    return allow_menu;
  }

  std::vector<std::string> log;
  std::vector<std::string> completed;  // URLs of the completions, in order
  std::vector<std::string> titles;
  // The latest title, or a text no page has while none has arrived (the title may come
  // after the completion).
  std::string LastTitle() const { return titles.empty() ? "(no title yet)" : titles.back(); }
  std::vector<std::string> navigations;
  std::vector<std::string> new_windows;
  std::vector<browser::DocumentId> documents;
  // Addresses containing this text are cancelled ("app://" unless a test says otherwise).
  std::string cancel_containing = "app://";
  bool allow_menu = false;
  int menu_requests = 0;  // how often the view asked whether a menu may show
  // Runs after each completion (the browser is set by the rig).
  std::function<void()> on_complete;
};

// Lets the main loop run until `done` holds; gives up after a generous bound so that a
// fault fails the caller's checks instead of hanging the suite.
bool WaitFor(const std::function<bool()>& done);

// Lets the main loop run for about `milliseconds`, for things that must not happen.
void PumpFor(int milliseconds);

// Waits for `count` completions in all.
bool WaitForCompletions(const RecordingOwner& owner, std::size_t count);

// Runs a script in the view's top-level document and returns its result as text.
std::string Evaluate(WebKitWebView* view, const std::string& script);

// A round trip through the page: everything the page did before it has reached us.
void Settle(WebKitWebView* view);

struct BrowserWindow {
  BrowserWindow(WebKitWebContext* context, int width = 400, int height = 300);
  ~BrowserWindow();
  BrowserWindow(const BrowserWindow&) = delete;
  BrowserWindow& operator=(const BrowserWindow&) = delete;

  RecordingOwner owner;
  GtkWidget* window = nullptr;
  GtkWidget* fixed = nullptr;
  std::unique_ptr<WebKitBrowser> browser;
  WebKitWebView* View() const { return browser->View(); }
};

// A suite-wide publisher, display and a web context in a temporary folder.
class WebKitBrowserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  static std::string Url(const std::string& path) { return publisher_->Url(path); }
  static WebKitWebContext* Context() { return context_; }
  static const std::string& Folder() { return folder_; }
  // An address nothing listens on.
  static std::string RefusedUrl();

  static orvane::test::PublisherProcess* publisher_;
  static std::string problem_;
  static std::string folder_;
  static WebKitWebContext* context_;
};

}  // namespace orvane::gtk::test
