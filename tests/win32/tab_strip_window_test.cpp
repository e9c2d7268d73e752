// The strip as a real Windows control: its window, the page windows it takes into its
// container and shows, and pages given back to the desktop.
#include <gtest/gtest.h>

#include "tabstrip/win32/page_hosting.h"
#include "win32/tab_strip_win32_support.h"

namespace orvane::testing {
namespace {

TEST(TabStripWindow, IsAChildOfItsFormWithTheHeightOfItsStyle) {
  StripForm f;
  EXPECT_EQ(::GetParent(f.hwnd()), f.form());
  EXPECT_EQ(f.strip().Strip().hWnd(), win32::FromHwnd(f.hwnd()));
  EXPECT_EQ(f.strip().Strip().hParent(), win32::FromHwnd(f.form()));
  EXPECT_EQ(ClientSize(f.hwnd()).cy, 32);
  EXPECT_EQ(ClientSize(f.hwnd()).cx, 1000);
  EXPECT_EQ(f.strip().Strip().StripWidth(), 1000);

  f.strip().Strip().SetTabStyle(0);
  EXPECT_EQ(ClientSize(f.hwnd()).cy, 32);  // stored only
  f.strip().Move(Rect{4, 4, 800, 90});
  EXPECT_EQ(ClientSize(f.hwnd()).cy, 25);
  EXPECT_EQ(ClientSize(f.hwnd()).cx, 800);
}

TEST(TabStripWindow, AStripWithoutAParentFormHasNoHParent) {
  win32::uTabWindow strip(nullptr, Rect{0, 0, 300, 25});
  // A child window cannot exist without a parent: the strip has no window and no form.
  EXPECT_EQ(strip.Strip().hParent(), 0u);
}

TEST(TabStripWindow, TakesAPageInAsAHiddenBorderlessChild) {
  StripForm f;
  auto page = std::make_shared<WindowPage>();
  HWND hwnd = page->Handle();
  const DWORD before = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE));
  ASSERT_NE(before & WS_CAPTION, 0u);
  ASSERT_NE(before & WS_THICKFRAME, 0u);
  f.pages.push_back(page);
  f.strip().TabItems().Add("a", page, "Gamea");
  PumpMessages();

  EXPECT_EQ(f.strip().TabItems().Item(0)->SavedStyle(), before);
  const DWORD after = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE));
  EXPECT_EQ(after & win32::kPageStyleCleared, 0u);
  EXPECT_EQ(after & WS_CHILD, static_cast<DWORD>(WS_CHILD));
  EXPECT_EQ(after & ~(win32::kPageStyleCleared | WS_CHILD | WS_VISIBLE),
            before & ~(win32::kPageStyleCleared | WS_CHILD | WS_VISIBLE));
  EXPECT_EQ(::GetParent(hwnd), f.container());
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  const RECT r = RectInParent(hwnd);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 1000);
  EXPECT_EQ(r.bottom - r.top, 500);
  // Borderless: the whole window is client area.
  EXPECT_EQ(ClientSize(hwnd).cx, 1000);
  EXPECT_EQ(ClientSize(hwnd).cy, 500);
  // The first tab is selected at once, but its page stays hidden until the next fit.
  EXPECT_EQ(f.strip().Strip().Selected(), 0);
}

TEST(TabStripWindow, ShowsTheSelectedPageOverTheOthersAtTheContainersSize) {
  StripForm f;
  auto a = f.AddPage("a");
  auto b = f.AddPage("b");
  auto c = f.AddPage("c");
  // Adding the second tab showed the selected first one; the third page was never shown.
  EXPECT_TRUE(::IsWindowVisible(a->Handle()));
  EXPECT_FALSE(::IsWindowVisible(b->Handle()));
  EXPECT_FALSE(::IsWindowVisible(c->Handle()));
  f.strip().Strip().SetSelected(1);
  PumpMessages();
  EXPECT_TRUE(::IsWindowVisible(b->Handle()));
  EXPECT_EQ(::GetWindow(f.container(), GW_CHILD), b->Handle());
  f.strip().Strip().SetSelected(2);
  PumpMessages();
  EXPECT_EQ(::GetWindow(f.container(), GW_CHILD), c->Handle());
  // The page shown before is neither hidden nor moved: the selected one covers it.
  EXPECT_TRUE(::IsWindowVisible(b->Handle()));
  EXPECT_EQ(ClientSize(c->Handle()).cx, 1000);
}

TEST(TabStripWindow, RefitsTheSelectedPageWhenTheContainerChangesSize) {
  StripForm f;
  auto a = f.AddPage("a");
  auto b = f.AddPage("b");
  f.strip().Strip().SetSelected(1);
  ::SetWindowPos(f.container(), nullptr, 0, 0, 700, 321, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  EXPECT_EQ(ClientSize(b->Handle()).cx, 700);
  EXPECT_EQ(ClientSize(b->Handle()).cy, 321);
  EXPECT_EQ(ClientSize(a->Handle()).cx, 1000);  // not selected: left as it was
}

TEST(TabStripWindow, ARemovedPageIsDestroyedAndTheFirstTabShown) {
  StripForm f;
  auto a = f.AddPage("a");
  auto b = f.AddPage("b");
  f.strip().Strip().SetSelected(1);
  HWND b_window = b->Handle();
  EXPECT_TRUE(f.strip().TabItems().Remove("gameB", true));
  PumpMessages();
  EXPECT_FALSE(::IsWindow(b_window));
  EXPECT_TRUE(::IsWindowVisible(a->Handle()));
  EXPECT_EQ(f.strip().Strip().Selected(), 0);
}

TEST(TabStripWindow, ReleaseFormGivesThePageBackAsACentredTopLevelWindow) {
  StripForm f;
  f.AddPage("a");
  auto b = f.AddPage("b");
  const DWORD saved = f.strip().TabItems().Item(1)->SavedStyle();
  auto released = f.strip().TabItems().ReleaseForm(b);
  PumpMessages();
  ASSERT_EQ(released, b);
  HWND hwnd = b->Handle();
  EXPECT_TRUE(::IsWindow(hwnd));
  EXPECT_FALSE(b->unloaded);
  EXPECT_EQ(::GetAncestor(hwnd, GA_PARENT), ::GetDesktopWindow());
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE)) & ~WS_VISIBLE,
            saved & ~WS_VISIBLE);
  EXPECT_TRUE(::IsWindowVisible(hwnd));
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  const int sw = ::GetSystemMetrics(SM_CXSCREEN);
  const int sh = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(std::abs(r.left - (sw - (r.right - r.left)) / 2), 1);
  EXPECT_LE(std::abs(r.top - (sh - (r.bottom - r.top)) / 2), 1);
  EXPECT_EQ(f.strip().TabItems().Count(), 1);
}

TEST(TabStripWindow, RefreshPageReachesTheSelectedPage) {
  StripForm f;
  auto a = f.AddPage("a");
  auto b = f.AddPage("b");
  f.strip().Strip().SetSelected(1);
  f.strip().Strip().RefreshPage();
  EXPECT_EQ(b->refreshes, 1);
  EXPECT_EQ(a->refreshes, 0);
}

TEST(TabStripWindow, KeepsTheTooltipText) {
  StripForm f;
  f.strip().SetToolTipText("游戏 Game");
  EXPECT_EQ(f.strip().ToolTipText(), "游戏 Game");
  ASSERT_NE(f.strip().ToolTipWindow(), nullptr);
  wchar_t buffer[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = f.hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(f.hwnd());
  tool.lpszText = buffer;
  ::SendMessageW(f.strip().ToolTipWindow(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(buffer, L"\u6e38\u620f Game");
}

TEST(TabStripWindow, TheEndOfTheStripUnloadsItsPages) {
  StripForm f;
  auto a = f.AddPage("a");
  auto b = f.AddPage("b");
  HWND wa = a->Handle();
  HWND strip = f.hwnd();
  f.DestroyStrip();
  PumpMessages();
  EXPECT_TRUE(a->unloaded);
  EXPECT_TRUE(b->unloaded);
  EXPECT_FALSE(::IsWindow(wa));
  EXPECT_FALSE(::IsWindow(strip));
}

}  // namespace
}  // namespace orvane::testing
