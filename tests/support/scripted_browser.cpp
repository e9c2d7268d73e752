#include "support/scripted_browser.h"

#include <utility>

namespace orvane::test {

ScriptedBrowser::ScriptedBrowser(browser::BrowserEvents& owner) : owner_(owner) {}

void ScriptedBrowser::Serve(const std::string& address, ScriptedPage page) {
  pages_[address] = std::move(page);
}

bool ScriptedBrowser::PageNavigates(const std::string& address) {
  requested_.push_back(address);
  bool cancel = false;
  owner_.BeforeNavigate2(address, cancel);
  if (cancel) {
    return false;
  }
  Start(address);
  return true;
}

void ScriptedBrowser::Start(const std::string& address) {
  in_flight_ = address;
  owner_.DownloadBegin();
}

bool ScriptedBrowser::FinishLoading() {
  if (!in_flight_) {
    return false;
  }
  const std::string address = *std::exchange(in_flight_, std::nullopt);
  const auto served = pages_.find(address);
  const ScriptedPage page =
      served != pages_.end() ? served->second : ScriptedPage{false, std::nullopt};
  location_ = address;
  has_content_ = page.has_content;
  scroll_bars_hidden_ = false;  // a new document shows its own
  ++loads_[address];
  owner_.DocumentComplete(TopLevel(), address);
  if (page.title) {
    owner_.TitleChange(*page.title);
  }
  return true;
}

void ScriptedBrowser::Refresh() {
  if (!location_.empty()) {
    Start(location_);
  }
}

void ScriptedBrowser::FrameCompletes(const std::string& address) {
  owner_.DocumentComplete(FrameId(), address);
}

void ScriptedBrowser::PageChangesTitle(const std::string& title) {
  owner_.TitleChange(title);
}

bool ScriptedBrowser::PageAsksForNewWindow(const std::string& address) {
  bool processed = false;
  owner_.NewWindow(address, processed);
  return processed;
}

bool ScriptedBrowser::UserRightClicks() {
  return owner_.ContextMenuAllowed();
}

int ScriptedBrowser::LoadCount(const std::string& address) const {
  const auto found = loads_.find(address);
  return found == loads_.end() ? 0 : found->second;
}

}  // namespace orvane::test
