#include "support/canvas_synthetic_skin.h"

namespace orvane::test {
namespace {

struct SkinShape {
  int width, height;
  int picture_w, picture_h;
  int pictures[3];  // normal, hovered, selected
  int closes[4];    // selected tab's, another tab's, hot, pressed
};

constexpr SkinShape kShape0{415, 25, 122, 25, {1, 123, 245}, {367, 379, 391, 403}};
constexpr SkinShape kShapeOther{421, 28, 124, 26, {1, 125, 249}, {373, 385, 397, 409}};

}  // namespace

Colour SyntheticSkinPixel(int tab_style, int x, int y) {
  const SkinShape& s = tab_style == 0 ? kShape0 : kShapeOther;
  if (x == 0)
    return Rgb(20, 40 + 5 * y, 90);
  for (int p = 0; p < 3; ++p) {
    const int u = x - s.pictures[p];
    if (u < 0 || u >= s.picture_w || y >= s.picture_h)
      continue;
    // Slanted transparent corners at the top of both sides.
    const int slant = s.picture_h - 1 - y;
    if (u < 14)
      return 2 * u < slant ? kMagenta : Rgb(40 + p * 70, 10 + u * 8, 10 + y * 9);
    const int w = s.picture_w - 1 - u;
    if (w < 14)
      return 2 * w < slant ? kMagenta : Rgb(45 + p * 70, 130 + w * 8, 10 + y * 9);
    return Rgb(60 + p * 70, 240 - y * 5, 30 + y * 7);
  }
  for (int k = 0; k < 4; ++k) {
    const int u = x - s.closes[k];
    if (u < 0 || u >= 12 || y >= 12)
      continue;
    return (u + y) % 5 == 0 ? kMagenta : Rgb(250 - k * 30, 20 + u * 18, 20 + y * 18);
  }
  return kMagenta;
}

std::unique_ptr<Surface> PaintSyntheticSkin(Canvas& canvas, int tab_style) {
  const SkinShape& s = tab_style == 0 ? kShape0 : kShapeOther;
  std::unique_ptr<Surface> skin = canvas.CreateSurface(s.width, s.height);
  for (int y = 0; y < s.height; ++y) {
    int run_start = 0;
    Colour run = SyntheticSkinPixel(tab_style, 0, y);
    for (int x = 1; x <= s.width; ++x) {
      const Colour c = x < s.width ? SyntheticSkinPixel(tab_style, x, y) : ~run;
      if (c == run)
        continue;
      skin->FillRect(Rect{run_start, y, x - run_start, 1}, run);
      run_start = x;
      run = c;
    }
  }
  return skin;
}

}  // namespace orvane::test
