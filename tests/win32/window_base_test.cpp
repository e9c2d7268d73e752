// The window base every control window stands on: the object is bound for the window's
// whole life and let go when the window goes by itself, a failure stops at the window
// procedure, and a double-buffered window never erases and copies its buffer once a paint.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "base/win32/text_encoding.h"
#include "base/win32/unique_handle.h"
#include "base/win32/window_base.h"
#include "win32/tab_strip_win32_support.h"

namespace orvane::testing {
namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class Probe final : public win32::DoubleBufferedWindow {
 public:
  Probe(HWND parent, LRESULT erase_answer) : DoubleBufferedWindow(erase_answer) {
    CreateBoundWindow(L"OrvaneWindowBaseProbe", 0, nullptr, 0, WS_CHILD | WS_VISIBLE,
                      Rect{0, 0, 40, 30}, parent, nullptr);
  }
  ~Probe() { DestroyBoundWindow(); }

  int creation_messages = 0;
  int paints = 0;
  Size painted_size;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_NCCREATE || msg == WM_CREATE) {
      ++creation_messages;
    }
    if (msg == kThrow) {
      throw std::runtime_error("probe failure");
    }
    if (msg == kAnswer) {
      return 42;
    }
    if (LRESULT result = 0; HandlePaint(msg, result)) {
      return result;
    }
    return Default(msg, wp, lp);
  }
  void PaintBackBuffer(HDC target, Size client) override {
    ++paints;
    painted_size = client;
    const RECT all{0, 0, client.cx, client.cy};
    ::FillRect(target, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
};

class WindowBase : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = ::CreateWindowExW(0, PlainClass(), L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                              200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(form_, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(form_)) {
      ::DestroyWindow(form_);
    }
    PumpMessages();
  }
  HWND form_ = nullptr;
};

TEST_F(WindowBase, TheObjectGetsItsWindowsCreationMessagesAndEveryLaterOne) {
  Probe probe(form_, 1);
  ASSERT_NE(probe.hWnd(), nullptr);
  EXPECT_EQ(::GetParent(probe.hWnd()), form_);
  EXPECT_EQ(probe.creation_messages, 2);
  EXPECT_EQ(::SendMessageW(probe.hWnd(), kAnswer, 0, 0), 42);
}

TEST_F(WindowBase, AFailureStopsAtTheWindowProcedureAndTheWindowGoesOn) {
  Probe probe(form_, 1);
  // The failure ends in the default answer (0 for an application message), not in the
  // system's dispatch.
  EXPECT_EQ(::SendMessageW(probe.hWnd(), kThrow, 0, 0), 0);
  EXPECT_EQ(::SendMessageW(probe.hWnd(), kAnswer, 0, 0), 42);
}

TEST_F(WindowBase, AWindowTakenDownByItsParentLeavesTheObjectEmpty) {
  Probe probe(form_, 1);
  const HWND child = probe.hWnd();
  ASSERT_TRUE(::IsWindow(child));
  ::DestroyWindow(form_);
  EXPECT_FALSE(::IsWindow(child));
  EXPECT_EQ(probe.hWnd(), nullptr);
}

TEST_F(WindowBase, TheObjectTakesItsWindowWithIt) {
  HWND child = nullptr;
  {
    Probe probe(form_, 1);
    child = probe.hWnd();
    ASSERT_TRUE(::IsWindow(child));
  }
  EXPECT_FALSE(::IsWindow(child));
}

TEST_F(WindowBase, EraseIsAnsweredWithoutDrawingAndEachPaintCopiesOnce) {
  Probe opaque(form_, 1);
  Probe strip_like(form_, 0);
  PumpMessages();
  const int paints_before = opaque.paints;
  HDC dc = ::GetDC(opaque.hWnd());
  EXPECT_EQ(::SendMessageW(opaque.hWnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  EXPECT_EQ(::SendMessageW(strip_like.hWnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ::ReleaseDC(opaque.hWnd(), dc);
  EXPECT_EQ(opaque.paints, paints_before);
  ::InvalidateRect(opaque.hWnd(), nullptr, TRUE);
  ::UpdateWindow(opaque.hWnd());
  EXPECT_EQ(opaque.paints, paints_before + 1);
  EXPECT_EQ(opaque.painted_size, (Size{40, 30}));
  // The paint validated the window: nothing is left to paint.
  RECT left{};
  EXPECT_FALSE(::GetUpdateRect(opaque.hWnd(), &left, FALSE));
}

TEST(TextEncoding, ChineseTextGoesToUtf16AndBack) {
  const std::string text = "Orvane客户端 一区";
  const std::wstring wide = win32::Utf8ToWide(text);
  EXPECT_EQ(wide, L"Orvane\u5ba2\u6237\u7aef \u4e00\u533a");
  EXPECT_EQ(win32::WideToUtf8(wide), text);
  EXPECT_TRUE(win32::Utf8ToWide("").empty());
  EXPECT_TRUE(win32::WideToUtf8(L"").empty());
}

TEST(TextEncoding, AMalformedByteCostsOneCharacterNotTheText) {
  const std::wstring wide = win32::Utf8ToWide(
      "a\xFF"
      "b");
  EXPECT_EQ(wide, L"a\uFFFDb");
}

TEST(UniqueHandleInvalid, AFileOwnerTreatsTheInvalidHandleValueAsEmpty) {
  win32::UniqueFile nothing;
  EXPECT_FALSE(nothing);
  EXPECT_EQ(nothing.get(), INVALID_HANDLE_VALUE);
  win32::UniqueFile failed(::CreateFileW(L"Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(failed);
  win32::UniqueKernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  const HANDLE raw = event.get();
  event.reset();
  EXPECT_FALSE(event);
  // Closed: the handle no longer names an object.
  EXPECT_EQ(::WaitForSingleObject(raw, 0), WAIT_FAILED);
}

}  // namespace
}  // namespace orvane::testing
