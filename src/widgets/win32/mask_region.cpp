#include "widgets/win32/mask_region.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/win32/gdi_handles.h"
#include "widgets/mask_runs.h"
#include "widgets/win32/ole_picture.h"

namespace orvane::win32 {

UniqueRegion RegionOutsideColour(const Picture& mask, Colour mask_colour, int width, int height) {
  const OlePicture* own = AsOlePicture(mask);
  HBITMAP bitmap = own ? own->Bitmap() : nullptr;
  if (bitmap == nullptr) {
    return UniqueRegion();
  }
  const Size size = own->PixelSize();
  const int w = std::min(width, size.cx);
  const int h = std::min(height, size.cy);
  if (w <= 0 || h <= 0) {
    return UniqueRegion(::CreateRectRgn(0, 0, 0, 0));
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.cx) *
                                    static_cast<std::size_t>(size.cy));
  WindowDc screen(nullptr);
  ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info,
              DIB_RGB_COLORS);
  std::vector<RECT> rects;
  for (const Rect& run : RunsOutsideColour(pixels, size.cx, w, h, mask_colour)) {
    rects.push_back(RECT{run.Left(), run.Top(), run.Right(), run.Bottom()});
  }
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rects.size());
  header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  header->rcBound = RECT{0, 0, w, h};
  std::copy(rects.begin(), rects.end(),
            reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
  return UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace orvane::win32
