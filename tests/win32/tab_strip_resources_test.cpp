// The strip gives back every drawing object it takes: tabs coming and going, and whole
// strips created and destroyed, leave the process's GDI object count where it was.
#include <gtest/gtest.h>

#include "win32/tab_strip_gdi_count.h"
#include "win32/tab_strip_win32_support.h"

namespace orvane::testing {
namespace {

DWORD GdiObjects() {
  return GdiObjectCount();
}

TEST(TabStripResources, TheProcessCountsItsGdiObjects) {
  const DWORD before = GdiObjects();
  ASSERT_GT(before, 0u);
  HBITMAP bitmap = ::CreateBitmap(4, 4, 1, 32, nullptr);
  HDC dc = ::CreateCompatibleDC(nullptr);
  EXPECT_EQ(GdiObjects(), before + 2);
  ::DeleteDC(dc);
  ::DeleteObject(bitmap);
  EXPECT_EQ(GdiObjects(), before);
}

TEST(TabStripResources, AThousandTabsComingAndGoingLeakNothing) {
  StripForm f;
  f.AddPage("first");
  f.strip().Strip().SetSelected(0);
  PumpMessages();
  const DWORD before = GdiObjects();
  for (int i = 0; i < 1000; ++i) {
    auto page = std::make_shared<WindowPage>();
    f.strip().TabItems().Add("tab", page, "Game" + std::to_string(i));
    f.strip().Strip().SetSelected(1);
    f.strip().Strip().MouseMove(0, 0, 300, 12);
    ASSERT_TRUE(f.strip().TabItems().Remove(1, true));
    PumpMessages();
  }
  EXPECT_EQ(GdiObjects(), before);
  EXPECT_EQ(f.strip().TabItems().Count(), 1);
}

TEST(TabStripResources, AHundredStripsCreatedAndDestroyedLeakNothing) {
  PlainClass();
  HWND form = ::CreateWindowExW(0, PlainClass(), L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                800, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  {
    // The first strip loads what the process keeps for good (the window class, the
    // common controls); count from after it.
    win32::uTabWindow warm_up(form, Rect{0, 0, 700, 25});
  }
  PumpMessages();
  const DWORD before = GdiObjects();
  for (int i = 0; i < 100; ++i) {
    win32::uTabWindow strip(form, Rect{0, 0, 700, 25});
    strip.ReadProperties(PropertyBag{});
    strip.Strip().LockReDraw(false);
    strip.TabItems().Add("x", std::make_shared<WindowPage>());
    strip.Strip().refresh();
    PumpMessages();
  }
  PumpMessages();
  EXPECT_EQ(GdiObjects(), before);
  ::DestroyWindow(form);
}

}  // namespace
}  // namespace orvane::testing
