#pragma once

#include <windows.h>

#include "mainwin/boss_key.h"

namespace orvane::win32 {

// A top-level window as the boss key hides and shows it.
class WindowVisibility final : public BossKeyWindow {
 public:
  explicit WindowVisibility(HWND window) : window_(window) {}
  bool WindowVisible() const override { return ::IsWindowVisible(window_) != 0; }
  void HideWindow() override { ::ShowWindow(window_, SW_HIDE); }
  void ShowWindow() override { ::ShowWindow(window_, SW_SHOW); }

 private:
  HWND window_;
};

}  // namespace orvane::win32
