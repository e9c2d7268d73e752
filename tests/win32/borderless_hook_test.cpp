// The borderless behaviour on a real window under Wine: its style, the resize zones
// and outline with input from the system's queue, maximise and restore, the work area
// changed for real, and the system's close command.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "widgets/win32/borderless_hook.h"
#include "widgets/win32/form_canvas.h"
#include "support/win32/real_input.h"

namespace orvane::win32 {
namespace {

using namespace orvane::win32::test_input;

constexpr Colour kFormColour = Rgb(0, 160, 0);

Colour ScreenPixel(int x, int y) {
  HDC screen = ::GetDC(nullptr);
  const COLORREF c = ::GetPixel(screen, x, y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

// Changes the work area as a taskbar does, and tells every top-level window. (Wine
// changes the area but sends no notice of its own.)
void SetWorkArea(RECT area) {
  ASSERT_TRUE(::SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, SPIF_SENDCHANGE));
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_ABORTIFHUNG,
                        2000, &result);
}

HCURSOR SystemCursor(int id) {
  return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

FormCanvas* g_canvas = nullptr;
int g_close_messages = 0;

// The form paints its persistent image and declines every close.
LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      FormCanvas::PaintForm(hwnd, g_canvas);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      if (g_canvas) {
        g_canvas->ClearToBackColor();
        g_canvas->Present();
      }
      return 0;
    case WM_CLOSE:
      ++g_close_messages;
      return 0;
    default:
      return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
}

class Events final : public cSetStyleEvents {
 public:
  void CloseClick() override { log.push_back("CloseClick"); }
  void SettingChange() override { log.push_back("SettingChange"); }
  void MouseSize(std::int32_t zone) override { zones.push_back(zone); }
  int Count(const std::string& what) const {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  std::vector<std::string> log;
  std::vector<std::int32_t> zones;
};

class Win32BorderlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &original_work_, 0);
    g_close_messages = 0;
    MouseTo(600, 1010);
    WNDCLASSW wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneBorderlessTestForm";
    // No class cursor: the form shows the pointer the behaviour sets.
    ::RegisterClassW(&wc);
    form_ = ::CreateWindowExW(0, L"OrvaneBorderlessTestForm", L"form",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, 1000, 700, nullptr,
                              nullptr, wc.hInstance, nullptr);
    ASSERT_NE(form_, nullptr);
    style_ = std::make_unique<cSetStyleHook>();
    style_->SetEvents(&events_);
    style_->objForm(form_);
    style_->SetWindowStyle(form_);
    style_after_set_ = ::GetWindowLongW(form_, GWL_STYLE);
    canvas_ = std::make_unique<FormCanvas>(form_, kFormColour);
    g_canvas = canvas_.get();
    ::SetWindowPos(form_, nullptr, 100, 100, 1000, 700, SWP_NOZORDER | SWP_FRAMECHANGED);
    ::ShowWindow(form_, SW_SHOW);
    ::SetForegroundWindow(form_);
    ::UpdateWindow(form_);
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(500, 400) == kFormColour; }));
  }

  void TearDown() override {
    ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &original_work_, 0);
    style_.reset();
    g_canvas = nullptr;
    canvas_.reset();
    ::DestroyWindow(form_);
    Pump();
  }

  RECT Rect() const {
    RECT r{};
    ::GetWindowRect(form_, &r);
    return r;
  }
  static bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  void MoveTo(int x, int y) {
    MouseTo(x, y);
    Pump();
  }

  RECT original_work_{};
  LONG style_after_set_ = 0;
  HWND form_ = nullptr;
  std::unique_ptr<FormCanvas> canvas_;
  Events events_;
  std::unique_ptr<cSetStyleHook> style_;
};

TEST_F(Win32BorderlessTest, StyleIsExactlySystemMenuAndMinimiseBox) {
  // Exactly system menu and minimise box; the system itself always keeps the
  // clip-siblings bit on a top-level window.
  EXPECT_EQ(style_after_set_ & ~WS_CLIPSIBLINGS, 0x000A0000);
  // Borderless: the client area is the whole window.
  RECT client{};
  ::GetClientRect(form_, &client);
  EXPECT_EQ(client.right, 1000);
  EXPECT_EQ(client.bottom, 700);
}

TEST_F(Win32BorderlessTest, CornerBeatsEdgeWithinFivePixels) {
  MoveTo(500, 400);
  ASSERT_TRUE(WaitUntil([&] { return !events_.zones.empty(); }));
  EXPECT_EQ(::GetCursor(), SystemCursor(32512));
  MoveTo(103, 797);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneBottomLeft; }));
  EXPECT_EQ(::GetCursor(), SystemCursor(32643));  // north-east / south-west
  MoveTo(103, 400);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneLeft; }));
  EXPECT_EQ(::GetCursor(), SystemCursor(32644));
  MoveTo(1096, 796);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneBottomRight; }));
  EXPECT_EQ(::GetCursor(), SystemCursor(32642));
  MoveTo(600, 797);
  ASSERT_TRUE(WaitUntil([&] { return events_.zones.back() == kZoneBottom; }));
  EXPECT_EQ(::GetCursor(), SystemCursor(32645));
}

TEST_F(Win32BorderlessTest, RightEdgeDraggedLeftStopsAt801PixelsAndLeavesNoTrace) {
  MoveTo(1097, 400);
  ASSERT_TRUE(
      WaitUntil([&] { return !events_.zones.empty() && events_.zones.back() == kZoneRight; }));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return style_->Logic().Resizing(); }));
  EXPECT_EQ(::GetCapture(), form_);
  for (int x : {950, 901}) {
    MoveTo(x, 400);
    ASSERT_TRUE(WaitUntil([&] { return style_->Logic().DrawnRect().right == x; }));
  }
  // Outside the window now: the moves still come (the form has the mouse).
  MoveTo(850, 1000);
  MoveTo(700, 1000);
  Pump();
  EXPECT_EQ(style_->Logic().DrawnRect().right, 901);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return !style_->Logic().Resizing(); }));
  EXPECT_EQ(::GetCapture(), nullptr);
  const RECT after = Rect();
  EXPECT_TRUE(Same(after, RECT{100, 100, 901, 800}));
  // Nothing of the outlines is left: where they ran, the window shows its own pixels
  // and the uncovered part shows the plain desktop.
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(900, 300) == kFormColour; }));
  const Colour desktop = ScreenPixel(1200, 950);
  for (int y = 300; y < 310; ++y) {
    EXPECT_EQ(ScreenPixel(100, y), kFormColour) << y;
    EXPECT_EQ(ScreenPixel(900, y), kFormColour) << y;
    EXPECT_EQ(ScreenPixel(949, y), desktop) << y;
    EXPECT_EQ(ScreenPixel(1099, y), desktop) << y;
  }
}

TEST_F(Win32BorderlessTest, BottomEdgeDraggedUpStopsAt601Pixels) {
  MoveTo(600, 797);
  ASSERT_TRUE(
      WaitUntil([&] { return !events_.zones.empty() && events_.zones.back() == kZoneBottom; }));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return style_->Logic().Resizing(); }));
  for (int y : {750, 701}) {
    MoveTo(600, y);
    ASSERT_TRUE(WaitUntil([&] { return style_->Logic().DrawnRect().bottom == y; }));
  }
  MoveTo(600, 650);
  MoveTo(600, 300);
  Pump();
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return !style_->Logic().Resizing(); }));
  EXPECT_TRUE(Same(Rect(), RECT{100, 100, 1100, 701}));
}

TEST_F(Win32BorderlessTest, TheOutlineShowsOnTheScreenWhileDragging) {
  MoveTo(1097, 400);
  ASSERT_TRUE(
      WaitUntil([&] { return !events_.zones.empty() && events_.zones.back() == kZoneRight; }));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return style_->Logic().Resizing(); }));
  MoveTo(980, 400);
  ASSERT_TRUE(WaitUntil([&] { return style_->Logic().DrawnRect().right == 980; }));
  // The focus rectangle inverts every other pixel of its right edge at 979.
  int changed = 0;
  for (int y = 300; y < 310; ++y) {
    changed += ScreenPixel(979, y) != kFormColour;
  }
  EXPECT_GE(changed, 4);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return !style_->Logic().Resizing(); }));
  EXPECT_TRUE(WaitUntil([&] {
    return ScreenPixel(979, 301) == kFormColour && ScreenPixel(979, 302) == kFormColour;
  }));
}

TEST_F(Win32BorderlessTest, MaximisedShowsNoResizePointerStartsNoDragAndRestoresExactly) {
  const RECT work = original_work_;
  EXPECT_TRUE(style_->CallWindowStateChange());
  EXPECT_EQ(style_->Logic().SavedPlace(), (FormPlace{1500, 1500, 15000, 10500}));
  EXPECT_TRUE(Same(Rect(), RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), work.bottom}));
  events_.zones.clear();
  ::SetCursor(SystemCursor(32512));
  const int right = ::GetSystemMetrics(SM_CXSCREEN) - 3;
  MoveTo(right, 500);
  MoveTo(right, 501);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MoveTo(900, 500);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Pump();
  EXPECT_TRUE(events_.zones.empty());
  EXPECT_NE(::GetCursor(), SystemCursor(32644));
  EXPECT_FALSE(style_->Logic().Resizing());
  EXPECT_TRUE(Same(Rect(), RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), work.bottom}));
  EXPECT_FALSE(style_->CallWindowStateChange());
  EXPECT_TRUE(Same(Rect(), RECT{100, 100, 1100, 800}));
}

TEST_F(Win32BorderlessTest, SettingChangeReFitsOnlyAMaximisedWindow) {
  RECT smaller = original_work_;
  smaller.bottom -= 40;
  SetWorkArea(smaller);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("SettingChange") >= 1; }));
  EXPECT_TRUE(Same(Rect(), RECT{100, 100, 1100, 800}));
  EXPECT_EQ(GetTaskbarHeight(), (::GetSystemMetrics(SM_CYSCREEN) - smaller.bottom) * 15);
  style_->CallWindowStateChange();
  EXPECT_EQ(Rect().bottom, smaller.bottom);
  RECT smallest = smaller;
  smallest.bottom -= 60;
  const int before = events_.Count("SettingChange");
  SetWorkArea(smallest);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("SettingChange") > before; }));
  EXPECT_EQ(Rect().bottom, smallest.bottom);
  EXPECT_EQ(Rect().top, 0);
  // Minimised, it is left alone.
  ::ShowWindow(form_, SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(form_));
  const RECT iconic = Rect();
  const int minimised_before = events_.Count("SettingChange");
  SetWorkArea(original_work_);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("SettingChange") > minimised_before; }));
  EXPECT_TRUE(Same(Rect(), iconic));
}

TEST_F(Win32BorderlessTest, EachCloseCommandRaisesCloseClickOnce) {
  ::PostMessageW(form_, WM_SYSCOMMAND, 0xF060, 0);
  ASSERT_TRUE(WaitUntil([&] { return g_close_messages == 1; }));
  EXPECT_EQ(events_.Count("CloseClick"), 1);
  ::PostMessageW(form_, WM_SYSCOMMAND, 0xF060, 0);
  ASSERT_TRUE(WaitUntil([&] { return g_close_messages == 2; }));
  EXPECT_EQ(events_.Count("CloseClick"), 2);
  // Only the close command itself counts.
  ::PostMessageW(form_, WM_SYSCOMMAND, 0xF120, 0);  // restore
  Pump();
  EXPECT_EQ(events_.Count("CloseClick"), 2);
  EXPECT_TRUE(::IsWindow(form_));
}

}  // namespace
}  // namespace orvane::win32
