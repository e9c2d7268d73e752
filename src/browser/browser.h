#pragma once

#include <cstdint>
#include <string>

namespace orvane::browser {

// Identifies the document a completion event is about. The top-level document of a
// browser always has the same identity (`Browser::TopLevel()`); a frame has another one.
// On Windows it is the event's dispatch pointer, elsewhere the engine's own frame object.
using DocumentId = std::uintptr_t;

// The events a browser raises to its single owner. Arguments a handler may change are
// references, as the owners' decisions need (`Cancel`, `Processed`).
class BrowserEvents {
 public:
  virtual ~BrowserEvents() = default;
  virtual void DownloadBegin() {}
  // A document finished loading: the top-level one (`document` == `TopLevel()`) or a frame.
  // A top-level load that failed (refused connection, unknown host, an HTTP error status)
  // also completes, as a document without content. A navigation that was cancelled or
  // replaced by another one never completes. (WebKit reports top-level documents only.)
  virtual void DocumentComplete(DocumentId document, const std::string& URL) = 0;
  virtual void TitleChange(const std::string& Text) = 0;
  // Every navigation of the top-level document or a frame, before any request goes out.
  virtual void BeforeNavigate2(const std::string& URL, bool& Cancel) = 0;
  // The page asks for a new window (a target=_blank link, window.open). No window is ever
  // created by the browser; the owner decides what happens to the address and sets
  // `Processed`.
  virtual void NewWindow(const std::string& URL, bool& Processed) = 0;
  // The user asks for the page's context menu: true lets it show.
  virtual bool ContextMenuAllowed() { return false; }
};

// A rectangle in pixels inside the parent window's client area.
struct BrowserPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// One embedded browser, the same for the login screen and the game pages. Native handles
// cross as integers: the platform layer that creates a browser knows their types.
class Browser {
 public:
  virtual ~Browser() = default;

  virtual void Navigate(const std::string& address) = 0;
  // Loads the current document again (not the first address navigated to).
  virtual void Refresh() = 0;
  // A silent browser shows no script-error dialogs.
  virtual bool Silent() const = 0;
  virtual void Silent(bool value) = 0;
  // The address of the top-level document ("" before the first one).
  virtual std::string LocationURL() const = 0;
  // Whether the top-level document's root element has any content: false for an empty
  // body and for a load that failed.
  virtual bool DocumentHasContent() const = 0;
  // Hides the scroll bars of the current top-level document (its root element's overflow).
  // Owners call it at every top-level completion; WebKit keeps them hidden for later
  // documents too, so that those never show them even on their first paint.
  virtual void HideScrollBars() = 0;
  virtual void SetMuted(bool muted) = 0;
  virtual bool Muted() const = 0;
  // Places the browser inside its parent window, in pixels.
  virtual void Place(const BrowserPlacement& where) = 0;
  // The identity of the top-level document in `DocumentComplete`.
  virtual DocumentId TopLevel() const = 0;
};

}  // namespace orvane::browser
