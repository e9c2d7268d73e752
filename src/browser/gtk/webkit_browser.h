#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>

#include "base/gtk/cairo_handles.h"
#include "browser/browser.h"

namespace orvane::gtk {

// The embedded browser on WebKitGTK: one web view on the program's shared web context,
// raising the browser events to its owner.
//
// WebKit reports completions of the top-level document only; a frame's navigations still
// raise BeforeNavigate2. A completion is raised once the document's content has been
// read, so DocumentHasContent() answers for the document just completed. A load that
// fails (refused connection, unknown host, an HTTP error status) completes as a document
// without content.
class WebKitBrowser final : public browser::Browser {
 public:
  explicit WebKitBrowser(browser::BrowserEvents& owner);
  // A browser on another web context than the shared one.
  WebKitBrowser(browser::BrowserEvents& owner, WebKitWebContext* context);
  ~WebKitBrowser() override;
  WebKitBrowser(const WebKitBrowser&) = delete;
  WebKitBrowser& operator=(const WebKitBrowser&) = delete;

  // The web view, for the owner to pack into its container.
  GtkWidget* Widget() const { return GTK_WIDGET(view_); }
  WebKitWebView* View() const { return view_; }

  void Navigate(const std::string& address) override;
  void Refresh() override;
  bool Silent() const override { return silent_; }
  void Silent(bool value) override { silent_ = value; }
  std::string LocationURL() const override { return location_; }
  bool DocumentHasContent() const override { return has_content_; }
  // Hides the scroll bars of the current document and of every later one: a user style
  // sheet on the root element, so that later documents never show them, not even on
  // their first paint.
  void HideScrollBars() override;
  void SetMuted(bool muted) override;
  bool Muted() const override;
  // Moves the view where its container allows it (a GtkFixed or a GtkLayout) and asks
  // for the size.
  void Place(const browser::BrowserPlacement& where) override;
  browser::DocumentId TopLevel() const override;

 private:
  static gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                 WebKitPolicyDecisionType type, gpointer self);
  static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer self);
  static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
  static gboolean OnLoadFailed(WebKitWebView* view, WebKitLoadEvent event, gchar* uri,
                               GError* error, gpointer self);
  static void OnTitle(GObject* view, GParamSpec* spec, gpointer self);
  static gboolean OnContextMenu(WebKitWebView* view, WebKitContextMenu* menu, GdkEvent* event,
                                WebKitHitTestResult* hit, gpointer self);
  static gboolean OnAuthenticate(WebKitWebView* view, WebKitAuthenticationRequest* request,
                                 gpointer self);
  static void OnDestroy(GtkWidget* view, gpointer self);
  static void OnContentRead(GObject* view, GAsyncResult* result, gpointer data);

  void LoadFinished();
  void Complete(unsigned generation, bool has_content);
  void RaiseNewWindow(const char* uri);

  browser::BrowserEvents& owner_;
  // Created in this order; released in the reverse.
  UniqueGObject<WebKitUserContentManager> content_;
  WebKitWebView* view_ = nullptr;        // our own reference, taken at creation
  UniqueGObject<GCancellable> pending_;  // the content read of the latest completion

  bool view_destroyed_ = false;
  bool silent_ = false;
  bool scroll_bars_hidden_ = false;
  bool has_content_ = false;
  std::string location_;
  // Set by a failure of the current load; the completion that follows reads it.
  bool load_failed_ = false;
  // Set when the current load gave way to another one: it completes nothing.
  bool load_superseded_ = false;
  unsigned generation_ = 0;
};

}  // namespace orvane::gtk
