#include "base/win32/gdi_mem_dc.h"

#include "base/canvas.h"

namespace orvane::win32 {

MemDc& MemDc::operator=(MemDc&& other) noexcept {
  if (this != &other)
    reset(other.release());
  return *this;
}

HDC MemDc::release() {
  HDC dc = dc_;
  dc_ = nullptr;
  return dc;
}

void MemDc::reset(HDC dc) {
  if (dc_)
    FreeMemDC(dc_);
  dc_ = dc;
}

namespace {

MemDc SelectIntoNewDc(const WindowDc& screen, UniqueBitmap bitmap) {
  UniqueDc dc(::CreateCompatibleDC(screen.get()));
  if (!dc)
    throw DrawingError(kErrCreateDcFailed);
  // The context's own 1 x 1 stock bitmap needs no putting back: FreeMemDC deletes the
  // context first and then whatever bitmap it holds.
  ::SelectObject(dc.get(), bitmap.release());
  return MemDc(dc.release());
}

}  // namespace

MemDc CreateMemDC(int width, int height) {
  WindowDc screen(nullptr);
  if (!screen)
    throw DrawingError(kErrGetDcFailed);
  // A zero-sized bitmap would silently be the 1 x 1 stock bitmap; a buffer of no pixels
  // is a failure, so that a strip with no tab area simply has no tab-area buffer.
  UniqueBitmap bitmap;
  if (width > 0 && height > 0) {
    bitmap.reset(::CreateCompatibleBitmap(screen.get(), width, height));
  }
  if (!bitmap)
    throw DrawingError(kErrCreateBitmapFailed);
  MemDc dc = SelectIntoNewDc(screen, std::move(bitmap));
  ::PatBlt(dc.get(), 0, 0, width, height, BLACKNESS);
  return dc;
}

MemDc CreateBitmapDC(UniqueBitmap bitmap) {
  WindowDc screen(nullptr);
  if (!screen)
    throw DrawingError(kErrGetDcFailed);
  return SelectIntoNewDc(screen, std::move(bitmap));
}

void FreeMemDC(HDC dc) {
  if (!dc)
    return;
  // The bitmap can go only once no context holds it: the context is let go first.
  const UniqueBitmap bitmap(static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP)));
  const UniqueDc context(dc);
}

}  // namespace orvane::win32
