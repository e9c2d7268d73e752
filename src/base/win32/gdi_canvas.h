#pragma once

#include <windows.h>

#include <string>

#include "base/canvas.h"

namespace orvane::win32 {

// The Windows Canvas: memory device contexts compatible with the screen, bitmaps from
// the resources of one module, fonts derived from the default GUI font.
class GdiCanvas final : public Canvas {
 public:
  // `module` holds the BITMAP resources; by default the program itself.
  explicit GdiCanvas(HINSTANCE module = ::GetModuleHandleW(nullptr)) : module_(module) {}

  std::unique_ptr<Surface> CreateSurface(int width, int height) override;
  std::unique_ptr<Surface> LoadSkin(int bitmap_id) override;
  std::unique_ptr<Font> CreateGuiFont(int weight) override;

  // A .bmp file as a skin surface, for tools and tests that work from the art files.
  std::unique_ptr<Surface> LoadSkinFile(const std::wstring& path);

 private:
  HINSTANCE module_;
};

}  // namespace orvane::win32
