#pragma once
// A browser for tests, behind the same interface as the real ones: the test scripts what
// the pages do, and the browser raises the events in the order and with the guarantees
// of a real one.
//
// - A navigation (the owner's Navigate, a link or script of the page) first raises
//   BeforeNavigate2; when the owner cancels it, nothing more happens for it: it never
//   completes and the current document stays.
// - An allowed navigation raises DownloadBegin and is then in flight until the test calls
//   FinishLoading(); a later navigation replaces one still in flight, which then never
//   completes.
// - Completion raises DocumentComplete for the top-level document, then TitleChange with
//   the document's title.
// - Refresh() loads the current document again (not the first address) and completes it
//   again, without a BeforeNavigate2.
// - What an address gives is set with Serve(); an address nobody serves loads as a failed
//   load: a document without content and without title.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "browser/browser.h"

namespace orvane::test {

struct ScriptedPage {
  bool has_content = true;
  std::optional<std::string> title;  // nothing: the document raises no TitleChange
};

class ScriptedBrowser final : public browser::Browser {
 public:
  explicit ScriptedBrowser(browser::BrowserEvents& owner);

  // -- what the test scripts ------------------------------------------------
  void Serve(const std::string& address, ScriptedPage page);
  // The page navigates (a link or a script); false when the owner cancelled it.
  bool PageNavigates(const std::string& address);
  // Completes the navigation in flight; false when there is none.
  bool FinishLoading();
  // A frame of the current document completes with `address`.
  void FrameCompletes(const std::string& address);
  // The page's script changes its title.
  void PageChangesTitle(const std::string& title);
  // The page asks for a new window; returns the owner's `Processed`.
  bool PageAsksForNewWindow(const std::string& address);
  // The user right-clicks the page; returns whether a menu showed.
  bool UserRightClicks();

  // -- what the test reads back ---------------------------------------------
  // Every address a navigation asked for, cancelled ones included, in order.
  const std::vector<std::string>& Requested() const { return requested_; }
  // How often `address` was loaded (completed).
  int LoadCount(const std::string& address) const;
  bool Loading() const { return in_flight_.has_value(); }
  bool ScrollBarsHidden() const { return scroll_bars_hidden_; }
  const browser::BrowserPlacement& Placement() const { return placement_; }
  // A frame's identity in DocumentComplete (never TopLevel()).
  static browser::DocumentId FrameId() { return 2; }

  // -- browser::Browser -----------------------------------------------------
  void Navigate(const std::string& address) override { PageNavigates(address); }
  void Refresh() override;
  bool Silent() const override { return silent_; }
  void Silent(bool value) override { silent_ = value; }
  std::string LocationURL() const override { return location_; }
  bool DocumentHasContent() const override { return has_content_; }
  void HideScrollBars() override { scroll_bars_hidden_ = true; }
  void SetMuted(bool muted) override { muted_ = muted; }
  bool Muted() const override { return muted_; }
  void Place(const browser::BrowserPlacement& where) override { placement_ = where; }
  browser::DocumentId TopLevel() const override { return 1; }

 private:
  void Start(const std::string& address);

  browser::BrowserEvents& owner_;
  std::map<std::string, ScriptedPage> pages_;
  std::vector<std::string> requested_;
  std::map<std::string, int> loads_;
  std::optional<std::string> in_flight_;
  std::string location_;
  bool has_content_ = false;
  bool silent_ = false;
  bool muted_ = false;
  bool scroll_bars_hidden_ = false;  // of the current document
  browser::BrowserPlacement placement_;
};

}  // namespace orvane::test
