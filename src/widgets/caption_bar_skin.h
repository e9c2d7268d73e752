#pragma once

#include <vector>

#include "base/geometry.h"

namespace orvane {

// The bar skin (bitmap 108) measures 1410 x 1275 twips; the caption bar and the frame
// it paints on its form are copied from it piece by piece, one to one, never
// stretched. All lengths here are twips.
inline constexpr int kBarSkinWidth = 1410;
inline constexpr int kBarSkinHeight = 1275;
inline constexpr int kBarHeight = 500;

enum class BarPiece {
  kLeftEnd,
  kMiddle,
  kRightEnd,
  kPatch,
  kBottomEdge,
  kLeftEdge,
  kRightEdge,
  kBottomLeftCorner,
  kBottomRightCorner,
};

// Where a piece lies in a skin of the given size (twips).
Rect PieceSource(BarPiece piece, int skin_width = kBarSkinWidth, int skin_height = kBarSkinHeight);

// One copy of a piece to a place on the target.
struct PieceCopy {
  BarPiece piece;
  Point at;  // twips
  friend bool operator==(const PieceCopy&, const PieceCopy&) = default;
};

// The copies that paint a bar `width` twips wide, in drawing order: the middle piece
// from 300 past the right edge, the left end over it, the right end last.
std::vector<PieceCopy> BarPaintPlan(int width);
// The copies that paint the frame of a form (`width` x `height` twips): the bottom
// edge, the left and right sides from 300 down, then the two bottom corners.
std::vector<PieceCopy> FramePaintPlan(int width, int height);
// The single copy Nomin makes: the patch piece 830 twips from the bar's right end.
PieceCopy NominCopy(int width);

// A copy in pixels, as the platform draws it: position and size of both rectangles
// are rounded from twips separately, so that source and destination always match.
struct PixelCopy {
  Rect source;
  Point dest;
  friend bool operator==(const PixelCopy&, const PixelCopy&) = default;
};
PixelCopy ToPixelCopy(const PieceCopy& copy, int skin_width = kBarSkinWidth,
                      int skin_height = kBarSkinHeight);

// Where the caption goes on the bar (twips): 600 from the left with a logo, else 150;
// 150 from the top.
Point CaptionOrigin(bool has_logo);

}  // namespace orvane
