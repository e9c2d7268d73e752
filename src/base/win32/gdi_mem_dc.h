#pragma once

#include <windows.h>

#include "base/win32/gdi_handles.h"

namespace orvane::win32 {

// A memory device context that owns the bitmap selected into it; both go together
// through FreeMemDC.
class MemDc {
 public:
  MemDc() = default;
  explicit MemDc(HDC dc) : dc_(dc) {}
  ~MemDc() { reset(); }
  MemDc(MemDc&& other) noexcept : dc_(other.release()) {}
  MemDc& operator=(MemDc&& other) noexcept;
  MemDc(const MemDc&) = delete;
  MemDc& operator=(const MemDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  HDC release();
  void reset(HDC dc = nullptr);

 private:
  HDC dc_ = nullptr;
};

// A memory device context compatible with the screen holding a new width x height
// bitmap (black). Throws DrawingError: "GetDC调用失败", "CreateCompatibleBitmap调用失败"
// (also for a zero or negative size) or "CreateCompatibleDC调用失败".
MemDc CreateMemDC(int width, int height);

// A memory device context holding `bitmap`, which it then owns (on failure the bitmap
// is deleted). Throws DrawingError: "GetDC调用失败" or "CreateCompatibleDC调用失败".
MemDc CreateBitmapDC(UniqueBitmap bitmap);

// Deletes the context, then the bitmap that was selected in it, if any.
void FreeMemDC(HDC dc);

}  // namespace orvane::win32
