// The COM host of the system WebBrowser control, on the control Wine provides: creation
// and in-place activation, a navigation reaching BeforeNavigate2, a cancelled one going
// nowhere, every reference returned, and no handles left behind by many hosts.
//
// Wine's control has no HTML engine here, so no document ever loads; what the control
// refuses to do is reported as a skip with the reason, never as a pass.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/win32/web_browser_host.h"
#include "tab_strip_gdi_count.h"

namespace orvane::win32 {
namespace {

class Owner final : public browser::BrowserEvents {
 public:
  void DownloadBegin() override { log.push_back("begin"); }
  void DocumentComplete(browser::DocumentId, const std::string& URL) override {
    log.push_back("complete " + URL);
    completed.push_back(URL);
  }
  void TitleChange(const std::string& Text) override { log.push_back("title " + Text); }
  void BeforeNavigate2(const std::string& URL, bool& Cancel) override {
    log.push_back("before " + URL);
    navigations.push_back(URL);
    Cancel = cancel;
  }
  void NewWindow(const std::string& URL, bool& Processed) override {
    log.push_back("new window " + URL);
    Processed = true;
  }
  std::vector<std::string> log;
  std::vector<std::string> navigations;
  std::vector<std::string> completed;
  bool cancel = false;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  ::EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

// The windows this thread has, children included: the USER objects a host makes.
int ThreadWindowCount() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

class WebBrowserHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.reset(::CreateWindowExW(0, L"STATIC", L"browser parent",
                                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10, 420,
                                    320, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(parent_);
  }

  std::unique_ptr<WebBrowserHost> NewHost() {
    auto host = std::make_unique<WebBrowserHost>(parent_.get(), owner_);
    host->Place({-2, -2, 404, 304});
    return host;
  }

  // Skips the test, with the reason, when Wine gives no working control.
  void RequireControl(const WebBrowserHost& host) {
    if (FAILED(host.CreationResult()) || !host.Active()) {
      char reason[160];
      wsprintfA(reason, "Wine's WebBrowser control was not created and activated (0x%08lX)",
                static_cast<unsigned long>(host.CreationResult()));
      GTEST_SKIP() << reason;
    }
  }

  UniqueWindow parent_;
  Owner owner_;
};

TEST_F(WebBrowserHostTest, TheControlIsCreatedActivatedInPlaceAndSitedInOurWindow) {
  auto host = NewHost();
  RequireControl(*host);
  ASSERT_TRUE(::IsWindow(host->Window()));
  EXPECT_EQ(::GetParent(host->Window()), parent_.get());
  RECT rect{};
  ::GetWindowRect(host->Window(), &rect);
  EXPECT_EQ(rect.right - rect.left, 404);
  EXPECT_EQ(rect.bottom - rect.top, 304);
  // The control keeps references on our site and on both event sinks while it lives.
  EXPECT_GE(host->OutstandingReferences(), 3);
  EXPECT_NE(host->TopLevel(), 0u);
  host->Silent(true);
  EXPECT_TRUE(host->Silent());
  host->Silent(false);
  EXPECT_FALSE(host->Silent());
  EXPECT_EQ(host->Close(), 0) << "every reference the control took came back";
  EXPECT_FALSE(host->Active());
}

TEST_F(WebBrowserHostTest, ANavigationRaisesBeforeNavigate2WithItsAddress) {
  auto host = NewHost();
  RequireControl(*host);
  host->Navigate("http://127.0.0.1:9/orvane/first");
  testing::PumpUntil([&] { return !owner_.navigations.empty(); }, 5000);
  if (owner_.navigations.empty()) {
    GTEST_SKIP() << "Wine's sited, in-place-activated WebBrowser control raised no "
                    "BeforeNavigate2 for Navigate";
  }
  EXPECT_EQ(owner_.navigations.front(), "http://127.0.0.1:9/orvane/first");
  EXPECT_EQ(host->Close(), 0);
}

TEST_F(WebBrowserHostTest, ACancelledNavigationGoesNowhere) {
  auto host = NewHost();
  RequireControl(*host);
  owner_.cancel = true;
  host->Navigate("app://minimize");
  testing::PumpUntil([&] { return !owner_.navigations.empty(); }, 5000);
  if (owner_.navigations.empty()) {
    GTEST_SKIP() << "Wine's sited, in-place-activated WebBrowser control raised no "
                    "BeforeNavigate2 for Navigate";
  }
  // Give a wrong completion every chance to arrive.
  testing::PumpUntil([&] { return !owner_.completed.empty(); }, 1000);
  EXPECT_EQ(owner_.navigations, std::vector<std::string>{"app://minimize"});
  EXPECT_TRUE(owner_.completed.empty()) << ::testing::PrintToString(owner_.log);
  EXPECT_EQ(host->LocationURL().find("app://"), std::string::npos) << host->LocationURL();
  EXPECT_EQ(host->Close(), 0);
}

TEST_F(WebBrowserHostTest, DocumentOperationsWithoutADocumentChangeNothing) {
  auto host = NewHost();
  RequireControl(*host);
  // No document has loaded: nothing to read, nothing to style, and no fault.
  EXPECT_FALSE(host->DocumentHasContent());
  host->HideScrollBars();
  host->Refresh();
  host->SetMuted(true);
  EXPECT_TRUE(host->Muted());
  EXPECT_EQ(host->Close(), 0);
}

TEST_F(WebBrowserHostTest, AHostWithoutAControlAnswersEmptyAndEndsCleanly) {
  // A parent that is not a window: our own window cannot be made, so neither the control.
  WebBrowserHost host(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0xDEAD0)), owner_);
  EXPECT_FALSE(host.Active());
  EXPECT_TRUE(FAILED(host.CreationResult()));
  host.Navigate("http://127.0.0.1:9/");
  EXPECT_EQ(host.LocationURL(), "");
  EXPECT_FALSE(host.DocumentHasContent());
  EXPECT_TRUE(owner_.log.empty());
  EXPECT_EQ(host.Close(), 0);
}

TEST_F(WebBrowserHostTest, AHundredHostsLeaveNoWindowsOrGdiObjectsBehind) {
  {
    auto first = NewHost();
    RequireControl(*first);
    EXPECT_EQ(first->Close(), 0);
  }
  // The first control loads the engine's own lasting objects; count after it.
  testing::PumpUntil([] { return false; }, 200);
  const int windows = ThreadWindowCount();
  const DWORD gdi = testing::GdiObjectCount();
  LONG lost = 0;
  for (int i = 0; i < 100; ++i) {
    auto host = NewHost();
    host->Navigate("about:blank");
    testing::PumpUntil([] { return false; }, 0);
    lost += host->Close();
  }
  testing::PumpUntil([] { return false; }, 200);
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(testing::GdiObjectCount(), gdi);
}

}  // namespace
}  // namespace orvane::win32
