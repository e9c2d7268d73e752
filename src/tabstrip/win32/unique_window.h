#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace orvane::win32 {

// A window this program created, destroyed exactly once.
class UniqueWindow {
 public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND window) : window_(window) {}
  ~UniqueWindow() { reset(); }
  UniqueWindow(UniqueWindow&& other) noexcept : window_(other.release()) {}
  UniqueWindow& operator=(UniqueWindow&& other) noexcept {
    if (this != &other) {
      reset(other.release());
    }
    return *this;
  }
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;

  HWND get() const { return window_; }
  explicit operator bool() const { return window_ != nullptr; }
  HWND release() { return std::exchange(window_, nullptr); }
  void reset(HWND window = nullptr) {
    if (window_ && ::IsWindow(window_)) {
      ::DestroyWindow(window_);
    }
    window_ = window;
  }

 private:
  HWND window_ = nullptr;
};

inline HWND ToHwnd(std::uintptr_t handle) {
  return reinterpret_cast<HWND>(handle);
}
inline std::uintptr_t FromHwnd(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}

}  // namespace orvane::win32
