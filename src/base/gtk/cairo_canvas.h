#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/canvas.h"

namespace orvane::gtk {

// The Linux Canvas: cairo image surfaces, skins from the program's bitmap resources,
// fonts derived from the desktop's interface font and drawn with Pango.
class CairoCanvas final : public Canvas {
 public:
  std::unique_ptr<Surface> CreateSurface(int width, int height) override;
  std::unique_ptr<Surface> LoadSkin(int bitmap_id) override;
  std::unique_ptr<Font> CreateGuiFont(int weight) override;

  // A .bmp file as a skin surface, for tools and tests that work from the art files.
  std::unique_ptr<Surface> LoadSkinFile(const std::string& path);
  // A skin from a BMP file or packed DIB held in memory; nullptr when it cannot be read.
  static std::unique_ptr<Surface> SkinFromBitmapBytes(std::span<const std::uint8_t> bytes);
};

}  // namespace orvane::gtk
