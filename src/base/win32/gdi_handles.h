#pragma once

#include <windows.h>

#include <utility>

namespace orvane::win32 {

// One owner type per kind of GDI handle: closes what it holds exactly once, moves but
// never copies.
template <typename Handle, auto Close>
class UniqueGdi {
 public:
  UniqueGdi() = default;
  explicit UniqueGdi(Handle handle) : handle_(handle) {}
  ~UniqueGdi() { reset(); }
  UniqueGdi(UniqueGdi&& other) noexcept : handle_(other.release()) {}
  UniqueGdi& operator=(UniqueGdi&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  UniqueGdi(const UniqueGdi&) = delete;
  UniqueGdi& operator=(const UniqueGdi&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_)
      Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) {
  ::DeleteObject(object);
}
inline void DeleteDeviceContext(HDC dc) {
  ::DeleteDC(dc);
}

using UniqueBitmap = UniqueGdi<HBITMAP, DeleteGdiObject>;
using UniqueFont = UniqueGdi<HFONT, DeleteGdiObject>;
using UniqueBrush = UniqueGdi<HBRUSH, DeleteGdiObject>;
using UniqueDc = UniqueGdi<HDC, DeleteDeviceContext>;

// A window's device context (the screen's for a null window), released on scope exit.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_)
      ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back on scope exit.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR)
      ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace orvane::win32
