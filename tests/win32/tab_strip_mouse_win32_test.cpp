// The strip driven by real mouse messages: selection, hover, close boxes, double-clicks,
// leave reports, and painting from its back buffer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tabstrip/tab_strip_painter.h"
#include "win32/tab_strip_gdi_count.h"
#include "win32/tab_strip_win32_support.h"

namespace orvane::testing {
namespace {

using ::testing::ElementsAre;

// Round tabs of 200 pixels, 5 apart, after a left margin of 10.
int OnTab(int i) {
  return 10 + 205 * i + 60;
}
int OnClose(int i) {
  return 10 + 205 * i + 200 - 14;
}

class TabStripMouseWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* caption : {"a", "b", "c"}) {
      f.AddPage(caption);
    }
    f.strip().Strip().SetSelected(0);
    f.events.log.clear();
  }
  StripForm f;
};

TEST_F(TabStripMouseWin32, APressSelectsTheTabAndShowsItsPage) {
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, OnTab(2), 12);
  EXPECT_EQ(f.strip().Strip().Selected(), 2);
  EXPECT_EQ(::GetWindow(f.container(), GW_CHILD), f.pages[2]->Handle());
  EXPECT_TRUE(::IsWindowVisible(f.pages[2]->Handle()));
  f.Send(WM_LBUTTONUP, 0, OnTab(2), 12);
  EXPECT_THAT(f.events.log, ElementsAre("TabChanged", "OnMouseDown 2 b1 s0", "OnMouseUp 2 b1"));
}

TEST_F(TabStripMouseWin32, ShiftAndControlAreReported) {
  f.Send(WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, OnTab(1), 12);
  f.Send(WM_RBUTTONUP, MK_SHIFT, OnTab(1), 12);
  EXPECT_THAT(f.events.log, ElementsAre("OnMouseDown 0 b2 s3", "OnMouseUp 0 b2"));
  EXPECT_EQ(f.strip().Strip().Selected(), 0);
}

TEST_F(TabStripMouseWin32, TheCloseBoxClosesItsTabAndDestroysThePage) {
  HWND page = f.pages[1]->Handle();
  f.Send(WM_MOUSEMOVE, 0, OnClose(1), 12);
  EXPECT_EQ(f.strip().Strip().HoverIndex(), 1);
  EXPECT_EQ(f.strip().Strip().CloseState(), 1);
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, OnClose(1), 12);
  EXPECT_EQ(f.strip().Strip().CloseState(), 2);
  EXPECT_EQ(::GetCapture(), f.hwnd());
  f.Send(WM_LBUTTONUP, 0, OnClose(1), 12);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(f.strip().TabItems().Count(), 2);
  EXPECT_FALSE(::IsWindow(page));
  EXPECT_THAT(f.events.log, ElementsAre("OnMouseHover 1", "TabChanged", "OnMouseDown 1 b1 s0",
                                        "OnItemColose 1", "OnMouseUp 1 b1"));
}

TEST_F(TabStripMouseWin32, ReleasingOutsideTheStripClosesNothing) {
  f.Send(WM_MOUSEMOVE, 0, OnClose(1), 12);
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, OnClose(1), 12);
  f.Send(WM_MOUSEMOVE, MK_LBUTTON, OnClose(1), 200);
  f.Send(WM_LBUTTONUP, 0, OnClose(1), 200);
  EXPECT_EQ(f.strip().TabItems().Count(), 3);
  EXPECT_EQ(f.strip().Strip().CloseState(), 0);
}

TEST_F(TabStripMouseWin32, TheHostCanRefuseTheClose) {
  f.events.refuse_close = true;
  f.Send(WM_MOUSEMOVE, 0, OnClose(2), 12);
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, OnClose(2), 12);
  f.Send(WM_LBUTTONUP, 0, OnClose(2), 12);
  EXPECT_EQ(f.strip().TabItems().Count(), 3);
  EXPECT_TRUE(::IsWindow(f.pages[2]->Handle()));
}

TEST_F(TabStripMouseWin32, ADoubleClickRepeatsThePress) {
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, OnTab(1), 12);
  f.Send(WM_LBUTTONUP, 0, OnTab(1), 12);
  f.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, OnTab(1), 12);
  f.Send(WM_LBUTTONUP, 0, OnTab(1), 12);
  EXPECT_THAT(f.events.log,
              ElementsAre("TabChanged", "OnMouseDown 1 b1 s0", "OnMouseUp 1 b1", "TabChanged",
                          "OnMouseDown 1 b1 s0", "OnDblClick 1", "OnMouseUp 1 b1"));
}

TEST_F(TabStripMouseWin32, TheHookReportsThePointerLeaving) {
  // The pointer rests on tab 1 when the move asks for a leave report, then goes away: the
  // report comes through the message queue and the strip window's hook.
  POINT on_tab{OnTab(1), 12};
  ::ClientToScreen(f.hwnd(), &on_tab);
  ::SetCursorPos(on_tab.x, on_tab.y);
  PumpMessages();
  f.Send(WM_MOUSEMOVE, 0, OnTab(1), 12);
  EXPECT_EQ(f.strip().Strip().HoverIndex(), 1);
  ::SetCursorPos(1250, 1000);
  PumpUntil([&] { return f.strip().Strip().HoverIndex() == -1; });
  EXPECT_EQ(f.strip().Strip().HoverIndex(), -1);
  ASSERT_FALSE(f.events.log.empty());
  EXPECT_EQ(f.events.log.front(), "OnMouseHover 1");
  EXPECT_EQ(f.events.log.back(), "OnMouseLeave");
}

TEST_F(TabStripMouseWin32, ALeaveMessageResetsTheHoverButNotAPressedCloseBox) {
  f.Send(WM_MOUSEMOVE, 0, OnClose(0), 12);
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, OnClose(0), 12);
  f.Send(WM_MOUSELEAVE, 0, 0, 0);
  EXPECT_EQ(f.strip().Strip().HoverIndex(), -1);
  EXPECT_EQ(f.strip().Strip().CloseState(), 2);
  EXPECT_EQ(f.events.log.back(), "OnMouseLeave");
}

// The colour of a pixel as the window shows it.
COLORREF WindowPixel(HWND window, int x, int y) {
  HDC dc = ::GetDC(window);
  const COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(window, dc);
  return c;
}

TEST_F(TabStripMouseWin32, PaintsFromTheBackBufferWithoutErasing) {
  ::RedrawWindow(f.form(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
  ASSERT_TRUE(f.strip().Strip().DrawingEnabled());
  // The hook answers the erase request itself, erasing nothing.
  HDC dc = ::GetDC(f.hwnd());
  EXPECT_EQ(::SendMessageW(f.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ::ReleaseDC(f.hwnd(), dc);
  int differing = 0;
  int compared = 0;
  const auto* painted = dynamic_cast<const TabStripPainter*>(f.strip().Strip().Painter());
  ASSERT_NE(painted, nullptr);
  const Surface* back = painted->Painter().BackBuffer();
  ASSERT_NE(back, nullptr);
  for (int x = 0; x < 1000; x += 7) {
    for (int y = 0; y < 32; y += 3) {
      ++compared;
      if (WindowPixel(f.hwnd(), x, y) != back->GetPixel(Point{x, y})) {
        ++differing;
      }
    }
  }
  EXPECT_EQ(differing, 0) << "of " << compared;
}

}  // namespace
}  // namespace orvane::testing
