#pragma once

#include <windows.h>

#include <string>

#include "base/win32/unique_handle.h"
#include "base/win32/window_handle.h"

namespace orvane::win32 {

// The tooltip of one window: a single tool covering the whole window, fed with the
// window's mouse messages by the window itself.
class StripTooltip {
 public:
  explicit StripTooltip(HWND window);
  StripTooltip(const StripTooltip&) = delete;
  StripTooltip& operator=(const StripTooltip&) = delete;

  // UTF-8 text; empty shows no tip.
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  // Passes one mouse message of the window on to the tooltip.
  void Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND Handle() const { return tooltip_.get(); }

 private:
  HWND window_;
  std::string text_;
  UniqueWindow tooltip_;
};

}  // namespace orvane::win32
