// The skinned button and the caption bar give back every drawing object and every window
// they take: five hundred of each created, shown, painted and destroyed leave the
// process's GDI and USER object counts where they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "base/colour.h"
#include "base/win32/gdi_handles.h"
#include "widgets/win32/button_window.h"
#include "widgets/win32/caption_bar_window.h"
#include "widgets/win32/ole_picture.h"
#include "win32/tab_strip_gdi_count.h"
#include "win32/tab_strip_win32_support.h"

namespace orvane::testing {
namespace {

using win32::BFormWindow;
using win32::iButtonWindow;

constexpr int kRounds = 500;

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  ::EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

// The USER objects of this process. Wine answers GetGuiResources with 0, so there the
// windows of this thread (the USER objects the widgets make) are counted one by one.
DWORD UserObjectCount() {
  const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (counted != 0) {
    return counted;
  }
  DWORD windows = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// A picture of `width` x `height` in two colours: the left half `left`, the rest `right`.
PicturePtr TwoColourPicture(int width, int height, Colour left, Colour right) {
  win32::WindowDc screen(nullptr);
  win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  {
    win32::UniqueDc dc(::CreateCompatibleDC(screen.get()));
    win32::SelectedObject into(dc.get(), bitmap.get());
    const win32::UniqueBrush left_brush(::CreateSolidBrush(left));
    const win32::UniqueBrush right_brush(::CreateSolidBrush(right));
    const RECT left_half{0, 0, width / 2, height};
    const RECT right_half{width / 2, 0, width, height};
    ::FillRect(dc.get(), &left_half, left_brush.get());
    ::FillRect(dc.get(), &right_half, right_brush.get());
  }
  return win32::MakePicture(std::move(bitmap));
}

class WidgetWindowResources : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = ::CreateWindowExW(0, PlainClass(), L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600,
                              200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(form_, nullptr);
    PumpMessages();
  }
  void TearDown() override {
    ::DestroyWindow(form_);
    PumpMessages();
  }

  // A button with a strip of cells, a caption and, on every other round, the mask shape,
  // painted once.
  void OneButton(int round) {
    iButtonWindow button(form_, Rect{10, 10, 81, 22});
    button.Logic().BackPicture(TwoColourPicture(52, 22, Rgb(200, 0, 0), kMagenta));
    button.Logic().Caption("Orvane");
    if (round % 2 == 1) {
      button.Logic().cBackStyle(0);
    }
    ::UpdateWindow(button.hWnd());
    ASSERT_NE(button.Image(), nullptr);
    PumpMessages();
  }

  void OneBar() {
    BFormWindow bar(form_, Rect{0, 0, 500, 30},
                    TwoColourPicture(94, 85, Rgb(0, 0, 160), Rgb(255, 255, 255)));
    bar.Logic().HasLogo(true);
    bar.Logic().Caption("Orvane");
    ::UpdateWindow(bar.hWnd());
    PumpMessages();
  }

  HWND form_ = nullptr;
};

TEST_F(WidgetWindowResources, FiveHundredButtonsLeaveTheObjectCountsAsTheyWere) {
  // The first button registers its window class and loads what the process keeps.
  OneButton(1);
  const DWORD gdi_before = GdiObjectCount();
  const DWORD user_before = UserObjectCount();
  ASSERT_GT(gdi_before, 0u);
  ASSERT_GT(user_before, 0u);
  for (int round = 0; round < kRounds; ++round) {
    OneButton(round);
  }
  PumpMessages();
  EXPECT_EQ(GdiObjectCount(), gdi_before);
  EXPECT_EQ(UserObjectCount(), user_before);
}

TEST_F(WidgetWindowResources, FiveHundredCaptionBarsLeaveTheObjectCountsAsTheyWere) {
  OneBar();
  const DWORD gdi_before = GdiObjectCount();
  const DWORD user_before = UserObjectCount();
  ASSERT_GT(gdi_before, 0u);
  ASSERT_GT(user_before, 0u);
  for (int round = 0; round < kRounds; ++round) {
    OneBar();
  }
  PumpMessages();
  EXPECT_EQ(GdiObjectCount(), gdi_before);
  EXPECT_EQ(UserObjectCount(), user_before);
}

}  // namespace
}  // namespace orvane::testing
