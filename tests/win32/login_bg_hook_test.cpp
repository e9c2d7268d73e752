// The background window's procedure replacement that keeps the login window on its
// top-left corner, on real windows under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "login/win32/login_bg_hook.h"

namespace orvane::win32 {
namespace {

int g_moves_seen_by_own_procedure = 0;

LRESULT CALLBACK BackgroundProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOVE) {
    ++g_moves_seen_by_own_procedure;
  }
  if (msg == WM_USER + 7) {
    return 4242;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

class LoginBgHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BackgroundProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneLoginBgHookTest";
    ::RegisterClassW(&wc);
    background_ = ::CreateWindowExW(0, L"OrvaneLoginBgHookTest", L"bg", WS_POPUP, 10, 20, 300, 200,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    login_ = ::CreateWindowExW(0, L"STATIC", L"login", WS_POPUP, 500, 500, 120, 80, background_,
                               nullptr, wc.hInstance, nullptr);
    ASSERT_NE(background_, nullptr);
    ASSERT_NE(login_, nullptr);
    g_moves_seen_by_own_procedure = 0;
  }
  void TearDown() override {
    ::DestroyWindow(login_);
    ::DestroyWindow(background_);
  }
  RECT Rect(HWND window) const {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
  }

  HWND background_ = nullptr;
  HWND login_ = nullptr;
};

TEST_F(LoginBgHookTest, EveryMoveOfTheBackgroundTakesTheLoginWindowToItsTopLeft) {
  ASSERT_TRUE(HookLoginBgWindow(background_, login_));
  for (const POINT to : {POINT{100, 200}, POINT{-40, 7}, POINT{640, 333}}) {
    ::SetWindowPos(background_, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT login = Rect(login_);
    EXPECT_EQ(login.left, to.x);
    EXPECT_EQ(login.top, to.y);
    EXPECT_EQ(login.right - login.left, 120) << "the login window keeps its size";
    EXPECT_EQ(login.bottom - login.top, 80);
  }
  EXPECT_EQ(g_moves_seen_by_own_procedure, 3) << "WM_MOVE goes on to the window's own procedure";
  EXPECT_EQ(::SendMessageW(background_, WM_USER + 7, 0, 0), 4242) << "results come back";
  UnhookLoginBgWindow(background_);
}

TEST_F(LoginBgHookTest, UnhookingPutsTheOwnProcedureBackAndMovesStayApart) {
  const LONG_PTR own = ::GetWindowLongPtrW(background_, GWLP_WNDPROC);
  ASSERT_TRUE(HookLoginBgWindow(background_, login_));
  EXPECT_FALSE(HookLoginBgWindow(background_, login_)) << "one hook per window";
  UnhookLoginBgWindow(background_);
  EXPECT_EQ(::GetWindowLongPtrW(background_, GWLP_WNDPROC), own);
  ::SetWindowPos(background_, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Rect(login_).left, 500);
  UnhookLoginBgWindow(background_);  // a second unhook changes nothing
  EXPECT_EQ(::GetWindowLongPtrW(background_, GWLP_WNDPROC), own);
}

TEST_F(LoginBgHookTest, AHookedWindowCanBeDestroyedWithoutUnhooking) {
  ASSERT_TRUE(HookLoginBgWindow(background_, login_));
  ::DestroyWindow(login_);
  login_ = nullptr;
  EXPECT_TRUE(::DestroyWindow(background_));
  background_ = nullptr;
}

}  // namespace
}  // namespace orvane::win32
