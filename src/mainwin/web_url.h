#pragma once
// WebUrl: the page one game tab shows, a window holding one embedded browser. It keeps
// the browser silent, hides the scroll bars of every completed document, passes the title
// to its tab and sends every new-window request to the system's default browser.

#include <memory>
#include <string>

#include "browser/browser.h"
#include "browser/new_window.h"
#include "tabstrip/tab_form.h"

namespace orvane {

class CTabItem;
class IuTab;

// The page's native window with its browser `wb` inside, filling it (the browser's own
// border lies outside the visible area). Destroying the view closes the window and the
// browser.
class WebUrlView {
 public:
  virtual ~WebUrlView() = default;
  virtual WindowHandle hWnd() const = 0;
  virtual browser::Browser& wb() = 0;
};

// Makes the page windows; the browser raises its events to `events`.
class WebUrlViews {
 public:
  virtual ~WebUrlViews() = default;
  virtual std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) = 0;
};

class WebUrl final : public ITabForm, private browser::BrowserEvents {
 public:
  WebUrl(WebUrlViews& views, browser::SystemBrowser& system_browser);
  ~WebUrl() override;
  WebUrl(const WebUrl&) = delete;
  WebUrl& operator=(const WebUrl&) = delete;

  // Navigates the page to `szURL`. The page's load (its window, "about:blank") runs first
  // on the first use.
  void OpenURL(const std::string& szURL);

  // ITabForm
  WindowHandle hWnd() const override;
  void Initialize(IuTab* Implement, std::weak_ptr<CTabItem> Item) override;
  void RefreshPage() override;
  void Unload() noexcept override;

  // The page's browser while its window exists; null before the load and after Unload.
  browser::Browser* Browser();

 private:
  void Form_Load();

  // browser::BrowserEvents
  void DownloadBegin() override;
  void DocumentComplete(browser::DocumentId document, const std::string& URL) override;
  void TitleChange(const std::string& Text) override;
  void BeforeNavigate2(const std::string& URL, bool& Cancel) override;
  void NewWindow(const std::string& URL, bool& Processed) override;

  WebUrlViews& views_;
  browser::SystemBrowser& system_browser_;
  std::unique_ptr<WebUrlView> view_;
  IuTab* implement_ = nullptr;
  std::weak_ptr<CTabItem> item_;
  bool loaded_ = false;
};

}  // namespace orvane
