// A second process that owns a window: prints the window's handle in decimal on one
// line, then runs until the window is closed.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY)
    PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = OwnerProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvaneHookForeignWindow";
  if (RegisterClassW(&wc) == 0)
    return 1;
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"foreign", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, wc.hInstance, nullptr);
  if (hwnd == nullptr)
    return 2;
  std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd)));
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    DispatchMessageW(&msg);
  return 0;
}
