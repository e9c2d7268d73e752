// A real top-level window under Wine: created, shown, messaged and destroyed.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

int g_user_messages = 0;

LRESULT CALLBACK SmokeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER + 1) {
    g_user_messages += static_cast<int>(wp);
    return 42;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(SmokeWindow, CreatesShowsAndDestroysARealWindow) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = SmokeProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvaneSmokeWindow";
  ATOM atom = RegisterClassW(&wc);
  ASSERT_NE(atom, 0);

  HWND hwnd = CreateWindowExW(0, L"OrvaneSmokeWindow", L"smoke", WS_OVERLAPPEDWINDOW, 10, 20, 300,
                              200, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  EXPECT_TRUE(IsWindowVisible(hwnd));

  RECT rc{};
  ASSERT_TRUE(GetWindowRect(hwnd, &rc));
  EXPECT_EQ(rc.right - rc.left, 300);
  EXPECT_EQ(rc.bottom - rc.top, 200);

  EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 3, 0), 42);
  PostMessageW(hwnd, WM_USER + 1, 4, 0);
  MSG msg;
  while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) {
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(g_user_messages, 7);

  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_FALSE(IsWindow(hwnd));
  UnregisterClassW(L"OrvaneSmokeWindow", wc.hInstance);
}

}  // namespace
