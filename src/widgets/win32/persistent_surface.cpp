#include "widgets/win32/persistent_surface.h"

#include <algorithm>

namespace orvane::win32 {

namespace {

UniqueBitmap NewBitmap(HDC compatible, Size size) {
  return UniqueBitmap(::CreateCompatibleBitmap(compatible, size.cx, size.cy));
}

}  // namespace

PersistentSurface::PersistentSurface(Size size, Colour back_colour)
    : size_{std::max(size.cx, 1), std::max(size.cy, 1)}, back_colour_(back_colour) {
  WindowDc screen(nullptr);
  dc_.reset(::CreateCompatibleDC(screen.get()));
  bitmap_ = NewBitmap(screen.get(), size_);
  original_ = ::SelectObject(dc_.get(), bitmap_.get());
  Clear();
}

PersistentSurface::~PersistentSurface() {
  if (original_) {
    ::SelectObject(dc_.get(), original_);
  }
}

void PersistentSurface::Resize(Size size) {
  size.cx = std::max(size.cx, 1);
  size.cy = std::max(size.cy, 1);
  if (size == size_) {
    return;
  }
  WindowDc screen(nullptr);
  UniqueBitmap bitmap = NewBitmap(screen.get(), size);
  UniqueDc copy(::CreateCompatibleDC(screen.get()));
  {
    SelectedObject into(copy.get(), bitmap.get());
    UniqueBrush back(::CreateSolidBrush(back_colour_));
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(copy.get(), &all, back.get());
    ::BitBlt(copy.get(), 0, 0, std::min(size.cx, size_.cx), std::min(size.cy, size_.cy), dc_.get(),
             0, 0, SRCCOPY);
  }
  ::SelectObject(dc_.get(), bitmap.get());
  bitmap_ = std::move(bitmap);
  size_ = size;
}

void PersistentSurface::Clear() {
  UniqueBrush back(::CreateSolidBrush(back_colour_));
  const RECT all{0, 0, size_.cx, size_.cy};
  ::FillRect(dc_.get(), &all, back.get());
}

void PersistentSurface::PaintOnto(HDC target) const {
  ::BitBlt(target, 0, 0, size_.cx, size_.cy, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace orvane::win32
