#include "app/win32/layered_picture.h"

#include "base/win32/gdi_handles.h"

namespace orvane::win32 {

LayeredPicture::LayeredPicture(HWND window, const PngImage& image)
    : width_(static_cast<int>(image.Width())), height_(static_cast<int>(image.Height())) {
  if (!image || width_ <= 0 || height_ <= 0) {
    width_ = height_ = 0;
    return;
  }
  const WindowDc window_dc(window);
  dc_ = UniqueDc(::CreateCompatibleDC(window_dc.get()));
  if (!dc_) {
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down: row 0 is the picture's top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap_ = UniqueBitmap(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (!bitmap_ || bits_ == nullptr) {
    return;
  }
  previous_ = ::SelectObject(dc_.get(), bitmap_.get());

  // GDI+ draws straight into the section's pixels in the premultiplied form they need.
  Gdiplus::GpBitmap* target = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromScan0(
          width_, height_, width_ * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits_), &target) !=
      Gdiplus::Ok) {
    return;
  }
  target_.reset(target);
  Gdiplus::GpGraphics* graphics = nullptr;
  if (Gdiplus::DllExports::GdipGetImageGraphicsContext(target, &graphics) != Gdiplus::Ok) {
    return;
  }
  graphics_.reset(graphics);
  Gdiplus::DllExports::GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceCopy);
  Gdiplus::DllExports::GdipDrawImageRectI(graphics, image.get(), 0, 0, width_, height_);
  Gdiplus::DllExports::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
  ::GdiFlush();
}

LayeredPicture::~LayeredPicture() {
  graphics_.reset();
  target_.reset();
  if (previous_ != nullptr && previous_ != HGDI_ERROR) {
    ::SelectObject(dc_.get(), previous_);
  }
  bitmap_.reset();
  dc_.reset();
}

bool LayeredPicture::PresentOn(HWND window) const {
  if (!dc_ || !bitmap_) {
    return false;
  }
  SIZE size{width_, height_};
  POINT source{0, 0};
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.BlendFlags = 0;
  blend.SourceConstantAlpha = 255;
  blend.AlphaFormat = AC_SRC_ALPHA;
  const WindowDc screen(nullptr);
  return ::UpdateLayeredWindow(window, screen.get(), nullptr, &size, dc_.get(), &source, 0, &blend,
                               ULW_ALPHA) != FALSE;
}

std::optional<std::uint32_t> LayeredPicture::PixelAt(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) {
    return std::nullopt;
  }
  ::GdiFlush();
  return static_cast<const std::uint32_t*>(bits_)[static_cast<std::size_t>(y) * width_ + x];
}

}  // namespace orvane::win32
