#include "browser/gtk/webkit_browser.h"

#include <memory>

#include "browser/document_content.h"
#include "browser/gtk/web_context.h"

namespace orvane::gtk {
namespace {

WebKitBrowser* Self(gpointer self) {
  return static_cast<WebKitBrowser*>(self);
}

// Nothing thrown by an owner may unwind through WebKit's C code.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

// The root element's inner HTML, "" without a root element.
constexpr const char* kReadRoot =
    "document.documentElement ? document.documentElement.innerHTML : ''";

constexpr const char* kHideScrollBarsStyle = "html { overflow: hidden !important; }";
constexpr const char* kHideScrollBarsNow =
    "if (document.documentElement) { document.documentElement.style.overflow = 'hidden'; }";

// A load that failed only because it gave way: to another navigation, to a refused
// navigation, to a download, or to an address no engine shows (an unknown scheme). The
// document on screen stays; nothing completes.
bool GaveWay(const GError* error) {
  return g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
         g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL) ||
         error->domain == WEBKIT_POLICY_ERROR ||
         g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD) ||
         g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_DESTINATION);
}

// One pending read of a completed document's content. It holds its own reference to the
// cancellable, so that it can tell, even after the browser is gone, that it must not
// report.
struct ContentRead {
  WebKitBrowser* browser;
  unsigned generation;
  UniqueGObject<GCancellable> cancellable;
};

}  // namespace

WebKitBrowser::WebKitBrowser(browser::BrowserEvents& owner)
    : WebKitBrowser(owner, SharedWebContext()) {}

WebKitBrowser::WebKitBrowser(browser::BrowserEvents& owner, WebKitWebContext* context)
    : owner_(owner), content_(webkit_user_content_manager_new()) {
  WebKitSettings* settings = webkit_settings_new();
  ApplyCompositingDecision(settings);
  // The control this replaces passes every script's request for a window on to its
  // host, which hands http(s) addresses to the system browser; nothing opens here.
  webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
  view_ = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context,
                                       "user-content-manager", content_.get(), "settings", settings,
                                       nullptr));
  g_object_unref(settings);
  g_object_ref_sink(view_);

  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
  g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenu), this);
  g_signal_connect(view_, "authenticate", G_CALLBACK(OnAuthenticate), this);
  g_signal_connect(view_, "destroy", G_CALLBACK(OnDestroy), this);
}

WebKitBrowser::~WebKitBrowser() {
  if (pending_) {
    g_cancellable_cancel(pending_.get());
  }
  g_signal_handlers_disconnect_by_data(view_, this);
  if (!view_destroyed_) {
    webkit_web_view_stop_loading(view_);
    gtk_widget_destroy(GTK_WIDGET(view_));
  }
  g_object_unref(view_);
}

void WebKitBrowser::Navigate(const std::string& address) {
  webkit_web_view_load_uri(view_, address.c_str());
}

void WebKitBrowser::Refresh() {
  webkit_web_view_reload(view_);
}

void WebKitBrowser::HideScrollBars() {
  if (!scroll_bars_hidden_) {
    scroll_bars_hidden_ = true;
    WebKitUserStyleSheet* sheet =
        webkit_user_style_sheet_new(kHideScrollBarsStyle, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                    WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
    webkit_user_content_manager_add_style_sheet(content_.get(), sheet);
    webkit_user_style_sheet_unref(sheet);
  }
  webkit_web_view_evaluate_javascript(view_, kHideScrollBarsNow, -1, nullptr, nullptr, nullptr,
                                      nullptr, nullptr);
}

void WebKitBrowser::SetMuted(bool muted) {
  webkit_web_view_set_is_muted(view_, muted);
}

bool WebKitBrowser::Muted() const {
  return webkit_web_view_get_is_muted(view_);
}

void WebKitBrowser::Place(const browser::BrowserPlacement& where) {
  GtkWidget* widget = GTK_WIDGET(view_);
  GtkWidget* parent = gtk_widget_get_parent(widget);
  if (parent != nullptr && GTK_IS_FIXED(parent)) {
    gtk_fixed_move(GTK_FIXED(parent), widget, where.left, where.top);
  } else if (parent != nullptr && GTK_IS_LAYOUT(parent)) {
    gtk_layout_move(GTK_LAYOUT(parent), widget, where.left, where.top);
  }
  gtk_widget_set_size_request(widget, where.width, where.height);
}

browser::DocumentId WebKitBrowser::TopLevel() const {
  return reinterpret_cast<browser::DocumentId>(view_);
}

gboolean WebKitBrowser::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                       WebKitPolicyDecisionType type, gpointer self) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
      type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
    return FALSE;
  }
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
      WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
  if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
    Self(self)->RaiseNewWindow(uri);
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }
  bool cancel = false;
  Guarded([&] { Self(self)->owner_.BeforeNavigate2(uri != nullptr ? uri : "", cancel); });
  if (cancel) {
    webkit_policy_decision_ignore(decision);
  } else {
    webkit_policy_decision_use(decision);
  }
  return TRUE;
}

GtkWidget* WebKitBrowser::OnCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer self) {
  Self(self)->RaiseNewWindow(
      webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
  return nullptr;
}

void WebKitBrowser::RaiseNewWindow(const char* uri) {
  bool processed = false;
  Guarded([&] { owner_.NewWindow(uri != nullptr ? uri : "", processed); });
}

void WebKitBrowser::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
  WebKitBrowser* browser = Self(self);
  switch (event) {
    case WEBKIT_LOAD_STARTED:
      browser->load_failed_ = false;
      browser->load_superseded_ = false;
      Guarded([&] { browser->owner_.DownloadBegin(); });
      break;
    case WEBKIT_LOAD_COMMITTED:
      if (const char* uri = webkit_web_view_get_uri(view)) {
        browser->location_ = uri;
      }
      break;
    case WEBKIT_LOAD_FINISHED:
      browser->LoadFinished();
      break;
    default:
      break;
  }
}

gboolean WebKitBrowser::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                                     gpointer self) {
  WebKitBrowser* browser = Self(self);
  if (GaveWay(error)) {
    browser->load_superseded_ = true;
    return TRUE;
  }
  browser->load_failed_ = true;
  if (uri != nullptr) {
    browser->location_ = uri;
  }
  return FALSE;
}

void WebKitBrowser::LoadFinished() {
  if (pending_) {
    g_cancellable_cancel(pending_.get());
    pending_.reset();
  }
  const unsigned generation = ++generation_;
  if (load_superseded_) {
    return;
  }
  if (load_failed_) {
    Complete(generation, false);
    return;
  }
  if (WebKitWebResource* main = webkit_web_view_get_main_resource(view_)) {
    WebKitURIResponse* response = webkit_web_resource_get_response(main);
    if (response != nullptr && webkit_uri_response_get_status_code(response) >= 400) {
      Complete(generation, false);
      return;
    }
  }
  pending_.reset(g_cancellable_new());
  auto* read = new ContentRead{
      this, generation, UniqueGObject<GCancellable>(G_CANCELLABLE(g_object_ref(pending_.get())))};
  webkit_web_view_evaluate_javascript(view_, kReadRoot, -1, nullptr, nullptr, pending_.get(),
                                      OnContentRead, read);
}

void WebKitBrowser::OnContentRead(GObject* view, GAsyncResult* result, gpointer data) {
  std::unique_ptr<ContentRead> read(static_cast<ContentRead*>(data));
  GError* error = nullptr;
  JSCValue* value =
      webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error);
  bool has_content = false;
  if (value != nullptr) {
    gchar* inner_html = jsc_value_to_string(value);
    has_content = browser::RootHasContent(inner_html != nullptr ? inner_html : "");
    g_free(inner_html);
    g_object_unref(value);
  }
  g_clear_error(&error);
  if (g_cancellable_is_cancelled(read->cancellable.get())) {
    return;  // a later load took over, or the browser is gone
  }
  read->browser->pending_.reset();
  read->browser->Complete(read->generation, has_content);
}

void WebKitBrowser::Complete(unsigned generation, bool has_content) {
  if (generation != generation_) {
    return;
  }
  has_content_ = has_content;
  Guarded([&] { owner_.DocumentComplete(TopLevel(), location_); });
}

void WebKitBrowser::OnTitle(GObject* view, GParamSpec*, gpointer self) {
  const char* title = webkit_web_view_get_title(WEBKIT_WEB_VIEW(view));
  Guarded([&] { Self(self)->owner_.TitleChange(title != nullptr ? title : ""); });
}

gboolean WebKitBrowser::OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*,
                                      WebKitHitTestResult*, gpointer self) {
  bool allowed = false;
  Guarded([&] { allowed = Self(self)->owner_.ContextMenuAllowed(); });
  return allowed ? FALSE : TRUE;
}

void WebKitBrowser::OnDestroy(GtkWidget*, gpointer self) {
  // The container took the view down with it; our reference keeps the object.
  Self(self)->view_destroyed_ = true;
}

gboolean WebKitBrowser::OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request,
                                       gpointer self) {
  // A silent browser shows no dialog of its own; the request is refused.
  if (!Self(self)->silent_) {
    return FALSE;
  }
  webkit_authentication_request_cancel(request);
  return TRUE;
}

}  // namespace orvane::gtk
