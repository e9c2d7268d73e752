#include "base/win32/gdi_canvas.h"

#include "base/win32/gdi_mem_dc.h"
#include "base/win32/gdi_surface.h"

namespace orvane::win32 {
namespace {

std::unique_ptr<Surface> SurfaceForBitmap(UniqueBitmap bitmap) {
  BITMAP info{};
  ::GetObjectW(bitmap.get(), sizeof(info), &info);
  return std::make_unique<GdiSurface>(CreateBitmapDC(std::move(bitmap)), info.bmWidth,
                                      info.bmHeight);
}

}  // namespace

std::unique_ptr<Surface> GdiCanvas::CreateSurface(int width, int height) {
  return std::make_unique<GdiSurface>(CreateMemDC(width, height), width, height);
}

std::unique_ptr<Surface> GdiCanvas::LoadSkin(int bitmap_id) {
  UniqueBitmap bitmap(::LoadBitmapW(module_, MAKEINTRESOURCEW(bitmap_id)));
  if (!bitmap)
    throw DrawingError("BITMAP " + std::to_string(bitmap_id) + " not found");
  return SurfaceForBitmap(std::move(bitmap));
}

std::unique_ptr<Surface> GdiCanvas::LoadSkinFile(const std::wstring& path) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(
      ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!bitmap)
    throw DrawingError("bitmap file not loaded");
  return SurfaceForBitmap(std::move(bitmap));
}

std::unique_ptr<Font> GdiCanvas::CreateGuiFont(int weight) {
  LOGFONTW description{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  description.lfWeight = weight;
  return std::make_unique<GdiFont>(UniqueFont(::CreateFontIndirectW(&description)), weight);
}

}  // namespace orvane::win32
