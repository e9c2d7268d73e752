#include "mainwin/web_url.h"

#include <utility>

#include "tabstrip/tab_item.h"

namespace orvane {

namespace {

// The first document of every page: the requested address is loaded over it.
constexpr const char* kBlankPage = "about:blank";

}  // namespace

WebUrl::WebUrl(WebUrlViews& views, browser::SystemBrowser& system_browser)
    : views_(views), system_browser_(system_browser) {}

WebUrl::~WebUrl() {
  Unload();
}

void WebUrl::Form_Load() {
  loaded_ = true;
  view_ = views_.CreatePageView(*this);
  if (view_) {
    view_->wb().Navigate(kBlankPage);
  }
}

void WebUrl::OpenURL(const std::string& szURL) {
  // A page shows one address for its whole life: once unloaded it is never loaded again.
  if (!loaded_) {
    Form_Load();
  }
  if (view_) {
    view_->wb().Navigate(szURL);
  }
}

WindowHandle WebUrl::hWnd() const {
  return view_ ? view_->hWnd() : 0;
}

void WebUrl::Initialize(IuTab* Implement, std::weak_ptr<CTabItem> Item) {
  implement_ = Implement;
  item_ = std::move(Item);
}

void WebUrl::RefreshPage() {
  if (view_) {
    view_->wb().Refresh();
  }
}

void WebUrl::Unload() noexcept {
  loaded_ = true;
  // The view goes out of the member first: events the browser raises while it closes
  // find no page left to act on.
  std::unique_ptr<WebUrlView> view = std::move(view_);
  view.reset();
}

browser::Browser* WebUrl::Browser() {
  return view_ ? &view_->wb() : nullptr;
}

void WebUrl::DownloadBegin() {
  if (view_) {
    view_->wb().Silent(true);
  }
}

void WebUrl::DocumentComplete(browser::DocumentId /*document*/, const std::string& /*URL*/) {
  // Every completion, a frame's too, acts on the top-level document: the game's frames
  // can replace it without another top-level completion.
  if (view_) {
    browser::Browser& wb = view_->wb();
    wb.Silent(true);
    wb.HideScrollBars();
  }
}

void WebUrl::TitleChange(const std::string& Text) {
  if (const std::shared_ptr<CTabItem> item = item_.lock()) {
    item->SetCaption(Text);
  }
}

void WebUrl::BeforeNavigate2(const std::string& /*URL*/, bool& /*Cancel*/) {}

void WebUrl::NewWindow(const std::string& URL, bool& Processed) {
  browser::HandNewWindowToSystemBrowser(URL, Processed, system_browser_);
}

}  // namespace orvane
