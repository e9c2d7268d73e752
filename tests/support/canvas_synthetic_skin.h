#pragma once
// Tab skins drawn in code, so that every pixel of a painted strip can be traced back to
// the slice it came from: each slice has colours of its own, its sides vary along x and
// y, its middle only along y, and magenta marks its transparent parts.

#include <memory>

#include "base/canvas.h"

namespace orvane::test {

// The colour of the synthetic skin of a tab style (0, or any other) at (x, y).
Colour SyntheticSkinPixel(int tab_style, int x, int y);

// That skin, painted onto a new surface of the canvas.
std::unique_ptr<Surface> PaintSyntheticSkin(Canvas& canvas, int tab_style);

// A platform canvas whose skins are the synthetic ones.
class SyntheticSkinCanvas : public Canvas {
 public:
  explicit SyntheticSkinCanvas(Canvas& platform) : platform_(platform) {}
  std::unique_ptr<Surface> CreateSurface(int width, int height) override {
    return platform_.CreateSurface(width, height);
  }
  std::unique_ptr<Surface> LoadSkin(int bitmap_id) override {
    return PaintSyntheticSkin(platform_, bitmap_id == 106 ? 0 : 1);
  }
  std::unique_ptr<Font> CreateGuiFont(int weight) override {
    return platform_.CreateGuiFont(weight);
  }

 private:
  Canvas& platform_;
};

}  // namespace orvane::test
