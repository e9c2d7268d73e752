// The caption bar as a real child window under Wine: its pixels against the skin it
// was given, the frame it paints on a form, and dragging and clicking it with input
// from the system's queue (SendInput).
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/numbered_error.h"
#include "base/resource_ids.h"
#include "base/win32/gdi_handles.h"
#include "widgets/win32/caption_bar_window.h"
#include "widgets/win32/form_canvas.h"
#include "widgets/win32/ole_picture.h"
#include "support/win32/real_input.h"

namespace orvane::win32 {
namespace {

using namespace orvane::win32::test_input;

using ::testing::ElementsAre;

constexpr Colour kFormBack = Rgb(0, 128, 0);

// Every pixel of the 94 x 85 skin has its own colour, never near white.
Colour SkinColour(int x, int y) {
  return Rgb(10 + 2 * x, 10 + 2 * y, 128);
}

PicturePtr Skin(int width = 94, int height = 85) {
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  {
    UniqueDc dc(::CreateCompatibleDC(screen.get()));
    SelectedObject into(dc.get(), bitmap.get());
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        ::SetPixel(dc.get(), x, y, SkinColour(x, y));
      }
    }
  }
  return MakePicture(std::move(bitmap));
}

FormCanvas* g_canvas = nullptr;

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    FormCanvas::PaintForm(hwnd, g_canvas);
    return 0;
  }
  if (msg == WM_ERASEBKGND) {
    return 1;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

class Events final : public BFormEvents {
 public:
  explicit Events(HWND form) : form_(form) {}
  void DblClick() override { log.push_back("DblClick"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("MouseDown " + std::to_string(b));
    // Where the window is when the event comes: after the drop for a drag.
    ::GetWindowRect(form_, &at_down);
  }
  void MouseMove(std::int16_t&, std::int16_t&, float&, float&) override { ++moves; }
  std::vector<std::string> log;
  RECT at_down{};
  int moves = 0;

 private:
  HWND form_;
};

class Win32BarTest : public ::testing::Test {
 protected:
  void Open(int width, int height, PicturePtr skin = Skin()) {
    MouseTo(5, 5);
    WNDCLASSW wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneBarTestForm";
    ::RegisterClassW(&wc);
    form_ = ::CreateWindowExW(0, L"OrvaneBarTestForm", L"form", WS_POPUP | WS_CLIPCHILDREN, 100,
                              100, width, height, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(form_, nullptr);
    canvas_ = std::make_unique<FormCanvas>(form_, kFormBack);
    g_canvas = canvas_.get();
    canvas_->ClearToBackColor();
    bar_ = std::make_unique<BFormWindow>(form_, Rect{0, 0, width, 33}, std::move(skin));
    events_ = std::make_unique<Events>(form_);
    bar_->Logic().SetEvents(events_.get());
    bar_->Logic().frmHwnd(WindowHandleOf(form_));
    ::ShowWindow(form_, SW_SHOW);
    ::SetForegroundWindow(form_);
    ::UpdateWindow(form_);
    Pump();
  }

  void TearDown() override {
    bar_.reset();
    g_canvas = nullptr;
    canvas_.reset();
    if (form_) {
      ::DestroyWindow(form_);
    }
    Pump();
  }

  bool BarShows(int x, int y, Colour c) {
    return WaitUntil([&] { return PixelOf(bar_->hWnd(), x, y) == c; });
  }
  POINT BarAt(int x, int y) const {
    POINT p{x, y};
    ::ClientToScreen(bar_->hWnd(), &p);
    return p;
  }
  POINT FormOrigin() const {
    RECT r{};
    ::GetWindowRect(form_, &r);
    return POINT{r.left, r.top};
  }
  // The leftmost column and the top row of white (caption) pixels on the bar.
  POINT CaptionCorner() const {
    POINT corner{-1, -1};
    HDC dc = ::GetDC(bar_->hWnd());
    for (int y = 0; y < 33; ++y) {
      for (int x = 0; x < 300; ++x) {
        if (::GetPixel(dc, x, y) == Rgb(255, 255, 255)) {
          if (corner.x < 0 || x < corner.x) {
            corner.x = x;
          }
          if (corner.y < 0) {
            corner.y = y;
          }
        }
      }
    }
    ::ReleaseDC(bar_->hWnd(), dc);
    return corner;
  }

  HWND form_ = nullptr;
  std::unique_ptr<FormCanvas> canvas_;
  std::unique_ptr<BFormWindow> bar_;
  std::unique_ptr<Events> events_;
};

TEST_F(Win32BarTest, BarIsForcedTo33PixelsHigh) {
  Open(300, 200);
  RECT r{};
  ::GetClientRect(bar_->hWnd(), &r);
  EXPECT_EQ(r.bottom, 33);
  bar_->Move(Rect{0, 0, 300, 60});
  ::GetClientRect(bar_->hWnd(), &r);
  EXPECT_EQ(r.bottom, 33);
  EXPECT_EQ(r.right, 300);
}

TEST_F(Win32BarTest, NarrowBarHasItsRightEndOverItsLeftEnd) {
  Open(80, 120);  // 1200 twips: the right end starts at 13 pixels
  EXPECT_TRUE(BarShows(5, 5, SkinColour(5, 5)));
  EXPECT_TRUE(BarShows(20, 5, SkinColour(27 + 7, 5)));
  EXPECT_TRUE(BarShows(79, 32, SkinColour(93, 32)));
  EXPECT_TRUE(BarShows(13, 0, SkinColour(27, 0)));
}

TEST_F(Win32BarTest, WideBarRepeatsTheMiddlePiece) {
  Open(300, 120);
  EXPECT_TRUE(BarShows(40, 3, SkinColour(20, 3)));
  EXPECT_TRUE(BarShows(59, 3, SkinColour(39, 3)));
  EXPECT_TRUE(BarShows(35, 3, SkinColour(35, 3)));
  EXPECT_TRUE(BarShows(299, 3, SkinColour(93, 3)));
  EXPECT_TRUE(BarShows(233, 3, SkinColour(27, 3)));
}

TEST_F(Win32BarTest, CaptionStartsFortyPixelsInWithLogoAndTenWithout) {
  Open(300, 120);
  bar_->Logic().Caption("Orvane");
  ASSERT_TRUE(WaitUntil([&] { return CaptionCorner().x >= 0; }));
  const POINT plain = CaptionCorner();
  EXPECT_GE(plain.x, 10);
  EXPECT_LE(plain.x, 12);
  EXPECT_GE(plain.y, 10);
  EXPECT_LE(plain.y, 14);
  bar_->Logic().HasLogo(true);
  ASSERT_TRUE(WaitUntil([&] { return CaptionCorner().x != plain.x; }));
  EXPECT_EQ(CaptionCorner().x, plain.x + 30);
  EXPECT_EQ(CaptionCorner().y, plain.y);
}

TEST_F(Win32BarTest, BackColorReadsBackAndShowsWhereTheSkinDoesNotReach) {
  Open(300, 120, Skin(1, 1));  // a one-pixel skin covers only the bar's first pixel
  bar_->Logic().BackColor("255");
  EXPECT_EQ(bar_->Logic().BackColor(), "255");
  EXPECT_TRUE(BarShows(150, 20, Rgb(255, 0, 0)));
  EXPECT_THROW(bar_->Logic().BackColor("red"), NumberedError);
  EXPECT_EQ(bar_->Logic().BackColor(), "255");
  bar_->Logic().Caption("x");
  EXPECT_TRUE(BarShows(150, 20, Rgb(255, 0, 0)));
}

TEST_F(Win32BarTest, DragMovesTheWindowAndMouseDownComesAfterTheDrop) {
  Open(300, 120);
  const POINT before = FormOrigin();
  const POINT start = BarAt(150, 15);
  MouseTo(start.x, start.y);
  ASSERT_TRUE(WaitUntil([&] { return events_->moves > 0; }));
  // The whole drag is queued; the system's move loop takes it from the queue inside the
  // press handling.
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseTo(start.x + 30, start.y + 20);
  MouseTo(start.x + 60, start.y + 40);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return !events_->log.empty(); }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 1"));
  EXPECT_EQ(events_->at_down.left, before.x + 60);
  EXPECT_EQ(events_->at_down.top, before.y + 40);
  EXPECT_EQ(FormOrigin().x, before.x + 60);
  EXPECT_EQ(FormOrigin().y, before.y + 40);
}

TEST_F(Win32BarTest, DoubleClickRaisesDblClickWithoutDragging) {
  Open(300, 120);
  const POINT before = FormOrigin();
  const POINT at = BarAt(150, 15);
  MouseTo(at.x, at.y);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return events_->log.size() == 2; }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 1", "DblClick"));
  Pump();
  EXPECT_EQ(FormOrigin().x, before.x);
  EXPECT_EQ(FormOrigin().y, before.y);
}

TEST_F(Win32BarTest, RightPressShowsTheArrowAndRaisesMouseDownWithoutDragging) {
  Open(300, 120);
  const POINT before = FormOrigin();
  const POINT at = BarAt(150, 15);
  MouseTo(at.x, at.y);
  Pump();
  ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  MouseTo(at.x + 40, at.y + 30);
  MouseButton(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitUntil([&] { return !events_->log.empty(); }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 2"));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
  EXPECT_EQ(FormOrigin().x, before.x);
  EXPECT_EQ(FormOrigin().y, before.y);
}

TEST_F(Win32BarTest, FrmHwndThatNamesNoWindowStillRaisesMouseDown) {
  Open(300, 120);
  bar_->Logic().frmHwnd(0);
  const POINT before = FormOrigin();
  const POINT at = BarAt(150, 15);
  MouseTo(at.x, at.y);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseTo(at.x + 40, at.y + 30);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return !events_->log.empty(); }));
  EXPECT_THAT(events_->log, ElementsAre("MouseDown 1"));
  Pump();
  EXPECT_EQ(FormOrigin().x, before.x);
}

TEST_F(Win32BarTest, PrintformPaintsTheFrameOfA4500TwipForm) {
  Open(300, 200);
  bar_->Logic().Printform(*canvas_);
  auto form = [&](int x, int y) { return PixelOf(form_, x, y); };
  EXPECT_TRUE(WaitUntil([&] { return form(267, 196) == SkinColour(61, 81); }));
  EXPECT_EQ(form(299, 199), SkinColour(93, 84));
  EXPECT_EQ(form(266, 196), SkinColour(26, 81));
  EXPECT_EQ(form(25, 197), SkinColour(25, 82));
  EXPECT_EQ(form(0, 196), SkinColour(0, 81));
  EXPECT_EQ(form(1, 40), SkinColour(1, 53));
  EXPECT_EQ(form(1, 59), SkinColour(1, 72));
  EXPECT_EQ(form(1, 60), SkinColour(1, 53));
  EXPECT_EQ(form(298, 60), SkinColour(92, 53));
  EXPECT_EQ(form(150, 100), kFormBack);
  EXPECT_EQ(form(150, 10), SkinColour(30, 10));  // the bar, a child window on top
}

TEST_F(Win32BarTest, WithoutASkinGivenTheBarLoadsBitmap108) {
  Open(300, 120, nullptr);
  const PicturePtr skin = LoadBitmapPicture(ORVANE_BITMAP_CAPTION_SKIN);
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->WidthHimetric(), PictureHimetricFromPixels(94));
  EXPECT_EQ(skin->HeightHimetric(), PictureHimetricFromPixels(85));
  // The left end, copied one to one from the skin's corner.
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, AsOlePicture(*skin)->Bitmap());
  const Colour expected = ::GetPixel(dc, 5, 5);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  EXPECT_TRUE(BarShows(5, 5, expected));
}

}  // namespace
}  // namespace orvane::win32
