#include "widgets/win32/mask_region.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/win32/gdi_handles.h"
#include "widgets/win32/ole_picture.h"

namespace orvane::win32 {

HRGN RegionOutsideColour(const Picture& mask, Colour mask_colour, int width, int height) {
  const OlePicture* own = AsOlePicture(mask);
  HBITMAP bitmap = own ? own->Bitmap() : nullptr;
  if (bitmap == nullptr) {
    return nullptr;
  }
  const Size size = own->PixelSize();
  const int w = std::min(width, size.cx);
  const int h = std::min(height, size.cy);
  if (w <= 0 || h <= 0) {
    return ::CreateRectRgn(0, 0, 0, 0);
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
  // DIB pixels are 0x00RRGGBB; the colour is 0x00BBGGRR.
  const std::uint32_t key = (static_cast<std::uint32_t>(RedOf(mask_colour)) << 16) |
                            (static_cast<std::uint32_t>(GreenOf(mask_colour)) << 8) |
                            static_cast<std::uint32_t>(BlueOf(mask_colour));
  std::vector<RECT> runs;
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * size.cx;
    int x = 0;
    while (x < w) {
      while (x < w && (row[x] & 0x00FFFFFFu) == key) {
        ++x;
      }
      const int start = x;
      while (x < w && (row[x] & 0x00FFFFFFu) != key) {
        ++x;
      }
      if (x > start) {
        runs.push_back(RECT{start, y, x, y + 1});
      }
    }
  }
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(runs.size());
  header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header->rcBound = RECT{0, 0, w, h};
  std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
  return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                           reinterpret_cast<const RGNDATA*>(data.data()));
}

}  // namespace orvane::win32
