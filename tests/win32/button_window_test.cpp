// The skinned button as a real child window under Wine, driven by real input (the
// system's input queue, SendInput) and by posted messages, its pixels read back.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/units.h"
#include "base/win32/gdi_handles.h"
#include "widgets/win32/button_window.h"
#include "widgets/win32/surface_text.h"
#include "widgets/win32/ole_picture.h"
#include "support/win32/real_input.h"

namespace orvane::win32 {
namespace {

using namespace orvane::win32::test_input;

using ::testing::ElementsAre;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kYellow = Rgb(255, 255, 0);
constexpr Colour kCyan = Rgb(0, 255, 255);
constexpr Colour kFormColour = Rgb(40, 40, 40);

void Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof(input));
}

// A strip of solid columns, as a picture object.
PicturePtr SolidStrip(const std::vector<std::pair<int, Colour>>& runs, int height) {
  int width = 0;
  for (const auto& run : runs) {
    width += run.first;
  }
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  {
    UniqueDc dc(::CreateCompatibleDC(screen.get()));
    SelectedObject into(dc.get(), bitmap.get());
    int x = 0;
    for (const auto& [w, colour] : runs) {
      const UniqueBrush brush(::CreateSolidBrush(colour));
      const RECT r{x, 0, x + w, height};
      ::FillRect(dc.get(), &r, brush.get());
      x += w;
    }
  }
  return MakePicture(std::move(bitmap));
}

PicturePtr LinkStrip() {
  return SolidStrip({{4, kRed}, {4, kGreen}, {4, kBlue}, {1, kYellow}}, 22);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    HBRUSH brush = ::CreateSolidBrush(kFormColour);
    ::FillRect(reinterpret_cast<HDC>(wp), &r, brush);
    ::DeleteObject(brush);
    return 1;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

class Events final : public iButtonEvents {
 public:
  void Click() override { log.push_back("Click"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("MouseDown " + std::to_string(b));
  }
  void KeyDown(std::int16_t& k, std::int16_t&) override {
    log.push_back("KeyDown " + std::to_string(k));
  }
  void KeyUP(std::int16_t& k, std::int16_t&) override {
    log.push_back("KeyUP " + std::to_string(k));
  }
  void MouseUp(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("MouseUp " + std::to_string(b));
  }
  void MouseOut() override { log.push_back("MouseOut"); }
  void MouseOver() override { log.push_back("MouseOver"); }
  void DBClick() override { log.push_back("DBClick"); }
  int Count(const std::string& what) const {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  std::vector<std::string> log;
};

class Win32ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MouseTo(5, 5);
    WNDCLASSW wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneButtonTestForm";
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    ::RegisterClassW(&wc);
    form_ = ::CreateWindowExW(0, L"OrvaneButtonTestForm", L"form", WS_POPUP | WS_CLIPCHILDREN, 100,
                              100, 300, 120, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(form_, nullptr);
    button_ = std::make_unique<iButtonWindow>(form_, Rect{50, 40, 81, 22});
    button_->Logic().SetEvents(&events_);
  }

  void TearDown() override {
    button_.reset();
    ::DestroyWindow(form_);
    Pump();
  }

  // Shows the form with the button's strip, pointer away, after the creation tick.
  void ShowButton(PicturePtr strip = LinkStrip()) {
    button_->Logic().BackPicture(std::move(strip));
    ::ShowWindow(form_, SW_SHOW);
    ::SetForegroundWindow(form_);
    ::UpdateWindow(form_);
    ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseOut") > 0; }));
    events_.log.clear();
  }
  Colour Pixel(int x, int y) const { return PixelOf(button_->hWnd(), x, y); }
  bool ShowsColour(int x, int y, Colour c) {
    return WaitUntil([&] { return Pixel(x, y) == c; });
  }
  POINT Screen(int x, int y) const {
    POINT p{x, y};
    ::ClientToScreen(button_->hWnd(), &p);
    return p;
  }
  void HoverButton(int x = 2, int y = 10) {
    const POINT p = Screen(x, y);
    MouseTo(p.x, p.y);
    ASSERT_TRUE(WaitUntil([&] { return button_->Logic().Hovering(); }));
    events_.log.clear();
  }
  Size ClientSize() const {
    RECT r{};
    ::GetClientRect(button_->hWnd(), &r);
    return Size{r.right, r.bottom};
  }

  HWND form_ = nullptr;
  Events events_;
  std::unique_ptr<iButtonWindow> button_;
};

TEST_F(Win32ButtonTest, ThirteenByTwentyTwoStripGivesFourPixelCells) {
  ShowButton();
  EXPECT_EQ(ClientSize(), (Size{4, 22}));
  EXPECT_TRUE(ShowsColour(0, 0, kRed));
  EXPECT_EQ(Pixel(3, 21), kRed);
  button_->Logic().AutoSize(false);
  button_->Move(Rect{50, 40, 81, 22});
  EXPECT_TRUE(ShowsColour(80, 21, kRed));
  EXPECT_EQ(Pixel(40, 10), kRed);
}

TEST_F(Win32ButtonTest, LockedShowsThePressedCellAndMovesTheCaptionOnlyInStateTwo) {
  button_->Logic().AutoSize(false);
  button_->Logic().cForeColor(Rgb(255, 255, 255));
  button_->Logic().Caption("OK");
  ShowButton();
  button_->Logic().Locked(true);
  ASSERT_TRUE(ShowsColour(0, 0, kBlue));
  auto caption_left = [&] {
    for (int x = 0; x < 81; ++x) {
      for (int y = 0; y < 22; ++y) {
        if (Pixel(x, y) != kBlue) {
          return x;
        }
      }
    }
    return -1;
  };
  auto caption_top = [&] {
    for (int y = 0; y < 22; ++y) {
      for (int x = 0; x < 81; ++x) {
        if (Pixel(x, y) != kBlue) {
          return y;
        }
      }
    }
    return -1;
  };
  const int left = caption_left();
  const int top = caption_top();
  ASSERT_GT(left, 0);
  button_->Logic().cMouseAction(kStatePressed, false);
  ASSERT_TRUE(WaitUntil([&] { return caption_left() != left; }));
  EXPECT_EQ(caption_left(), left + 1);
  EXPECT_EQ(caption_top(), top + 1);
  EXPECT_EQ(Pixel(0, 0), kBlue);
  button_->Logic().cMouseAction(kStateHover, false);
  ASSERT_TRUE(WaitUntil([&] { return caption_left() == left; }));
  EXPECT_EQ(Pixel(0, 0), kBlue);
}

TEST_F(Win32ButtonTest, IconIsCentredAtTheTopOrBesideTheCaption) {
  button_->Logic().AutoSize(false);
  button_->Logic().Icon(SolidStrip({{8, kCyan}}, 8));
  ShowButton();
  auto icon_left = [&] {
    for (int x = 0; x < 81; ++x) {
      if (Pixel(x, 0) == kCyan) {
        return x;
      }
    }
    return -1;
  };
  // 81 pixels wide, 8-pixel icon: 607.5 - 60 twips = 36.5 pixels, to 36.
  EXPECT_TRUE(WaitUntil([&] { return icon_left() == 36; }));
  EXPECT_EQ(Pixel(36, 7), kCyan);
  EXPECT_NE(Pixel(36, 8), kCyan);
  button_->Logic().cForeColor(Rgb(255, 255, 255));
  button_->Logic().Caption("OK");
  const Size text =
      MeasureLine(button_->hdc(), CreateSurfaceFont(button_->Logic().cFont()).get(), "OK");
  ASSERT_GT(text.cx, 0);
  const double icon_width = PictureHimetricFromPixels(8);
  const CaptionPlacement place =
      PlaceCaption(1215, 330, text.cx * 15.0, text.cy * 15.0, &icon_width);
  EXPECT_TRUE(WaitUntil([&] { return icon_left() == TwipsToPixels(place.icon_x); }));
  EXPECT_LT(icon_left(), 36);
}

TEST_F(Win32ButtonTest, DoubleClickOnAToggleFlipsValueTwiceWithOneClickAndOneDBClick) {
  button_->Logic().Style(1);
  ShowButton(
      SolidStrip({{4, kRed}, {4, kGreen}, {4, kBlue}, {4, kYellow}, {4, kCyan}, {4, kRed}}, 22));
  HoverButton();
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseUp 1") == 2; }));
  EXPECT_FALSE(button_->Logic().Value());
  EXPECT_THAT(events_.log,
              ElementsAre("MouseDown 1", "MouseUp 1", "Click", "DBClick", "MouseUp 1"));
}

TEST_F(Win32ButtonTest, EnterClicksOnEveryRepeatAndSpaceClicksOnRelease) {
  ShowButton();
  ::SetFocus(button_->hWnd());
  ASSERT_EQ(::GetFocus(), button_->hWnd());
  // A held key repeats its key-down; each one clicks.
  Key(VK_RETURN, false);
  Key(VK_RETURN, false);
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("KeyUP 13") == 1; }));
  EXPECT_EQ(events_.Count("KeyDown 13"), 3);
  EXPECT_EQ(events_.Count("Click"), 3);
  events_.log.clear();
  Key(VK_SPACE, false);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("KeyDown 32") == 1; }));
  EXPECT_TRUE(ShowsColour(0, 0, kBlue));
  EXPECT_EQ(events_.Count("Click"), 0);
  Key(VK_SPACE, true);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("Click") == 1; }));
  EXPECT_TRUE(ShowsColour(0, 21, kRed));
  EXPECT_THAT(events_.log, ElementsAre("KeyDown 32", "KeyUP 32", "Click"));
}

TEST_F(Win32ButtonTest, FocusMarkOnFocusAndAfterEnterUnlessHovering) {
  button_->Logic().AutoSize(false);
  ShowButton();
  ASSERT_TRUE(ShowsColour(80, 0, kRed));
  ::SetFocus(button_->hWnd());
  // The system's focus rectangle on (3, 3)-(78, 19): dotted, inverting.
  ASSERT_TRUE(WaitUntil([&] { return Pixel(3, 3) != kRed; }));
  EXPECT_EQ(Pixel(40, 10), kRed);
  EXPECT_EQ(Pixel(2, 3), kRed);
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("Click") == 1; }));
  EXPECT_TRUE(WaitUntil([&] { return Pixel(3, 3) != kRed; }));
  HoverButton(40, 10);
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("Click") == 1; }));
  EXPECT_TRUE(ShowsColour(3, 3, kGreen));  // repainted hover cell, no mark
}

TEST_F(Win32ButtonTest, PressInsideThenReleaseOutside) {
  ShowButton();
  HoverButton();
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return button_->Logic().LeftHeld(); }));
  EXPECT_TRUE(ShowsColour(0, 0, kBlue));
  const POINT outside = Screen(60, 60);
  MouseTo(outside.x, outside.y);
  EXPECT_TRUE(ShowsColour(0, 0, kRed));  // the poll: pressed outside shows normal
  EXPECT_TRUE(button_->Logic().LeftHeld());
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseOut") == 1; }));
  EXPECT_FALSE(button_->Logic().LeftHeld());
  EXPECT_THAT(events_.log, ElementsAre("MouseDown 1", "MouseUp 1", "MouseOut"));
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Win32ButtonTest, RightButtonChangesNothing) {
  ShowButton();
  HoverButton();
  ASSERT_TRUE(ShowsColour(0, 0, kGreen));
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  MouseButton(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseUp 2") == 1; }));
  Pump();
  EXPECT_THAT(events_.log, ElementsAre("MouseDown 2", "MouseUp 2"));
  EXPECT_EQ(Pixel(0, 0), kGreen);
  EXPECT_EQ(button_->Logic().ShownState(), kStateHover);
}

TEST_F(Win32ButtonTest, DisabledPushButtonShowsCellThreeBeyondTheStrip) {
  ShowButton();
  button_->Logic().Enabled(false);
  EXPECT_TRUE(ShowsColour(0, 0, kYellow));
  EXPECT_EQ(Pixel(1, 0), kBlack);
  EXPECT_EQ(Pixel(3, 21), kBlack);
}

TEST_F(Win32ButtonTest, DisabledUnderThePointerShowsNormalAfterThePoll) {
  ShowButton();
  HoverButton();
  ASSERT_TRUE(ShowsColour(0, 0, kGreen));
  button_->Logic().Enabled(false);
  // WindowFromPoint never finds a disabled window: the next poll ends the hover and
  // asks for the normal cell, although the button stays disabled.
  ASSERT_TRUE(WaitUntil([&] { return events_.Count("MouseOut") == 1; }));
  EXPECT_TRUE(ShowsColour(0, 0, kRed));
  EXPECT_FALSE(button_->Logic().Enabled());
}

TEST_F(Win32ButtonTest, TransparentStyleShapesTheWindowByTheMask) {
  ShowButton(SolidStrip({{5, kRed}, {5, kMagenta}, {5, kGreen}, {5, kMagenta}, {10, kBlue}}, 22));
  button_->Logic().cBackStyle(0);
  Pump();
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(button_->hWnd(), region), ERROR);
  EXPECT_TRUE(::PtInRegion(region, 2, 5));
  EXPECT_FALSE(::PtInRegion(region, 7, 5));
  ::DeleteObject(region);
  // The cut-away half shows the form and belongs to it under the pointer.
  EXPECT_TRUE(WaitUntil([&] { return PixelOf(form_, 50 + 7, 40 + 5) == kFormColour; }));
  const POINT cut = Screen(7, 5);
  EXPECT_EQ(::WindowFromPoint(cut), form_);
  const POINT kept = Screen(2, 5);
  EXPECT_EQ(::WindowFromPoint(kept), button_->hWnd());
  button_->Logic().cBackStyle(1);
  Pump();
  region = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(::GetWindowRgn(button_->hWnd(), region), ERROR);  // no region: the whole window
  ::DeleteObject(region);
}

TEST_F(Win32ButtonTest, StoredDesignComesBackOnAnotherButton) {
  button_->Logic().Style(1);
  button_->Logic().AutoSize(false);
  button_->Logic().Caption("是");
  button_->Logic().BackPicture(
      SolidStrip({{4, kRed}, {4, kGreen}, {4, kBlue}, {4, kYellow}, {4, kCyan}, {4, kRed}}, 22));
  PropertyBag bag;
  DibPictureCodec codec;
  button_->Logic().WriteProperties(bag, codec);
  iButtonWindow copy(form_, Rect{150, 40, 60, 22});
  copy.Logic().ReadProperties(bag, codec);
  EXPECT_EQ(copy.Logic().Caption(), "是");
  EXPECT_EQ(copy.Logic().Style(), 1);
  EXPECT_FALSE(copy.Logic().AutoSize());
  ::ShowWindow(form_, SW_SHOW);
  ::UpdateWindow(form_);
  // The strip came back through its stored bytes: six cells, the first red.
  EXPECT_TRUE(WaitUntil([&] { return PixelOf(copy.hWnd(), 0, 0) == kRed; }));
  copy.Logic().Value(true);
  EXPECT_TRUE(WaitUntil([&] { return PixelOf(copy.hWnd(), 0, 0) == kYellow; }));
}

}  // namespace
}  // namespace orvane::win32
