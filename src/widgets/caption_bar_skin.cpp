#include "widgets/caption_bar_skin.h"

#include "base/units.h"

namespace orvane {

namespace {

constexpr int kMiddleStep = 300;
constexpr int kEdgeStep = 300;

}  // namespace

Rect PieceSource(BarPiece piece, int skin_width, int skin_height) {
  switch (piece) {
    case BarPiece::kLeftEnd:
      return Rect{0, 0, 545, 545};
    case BarPiece::kMiddle:
      return Rect{300, 0, 300, 545};
    case BarPiece::kRightEnd:
      return Rect{skin_width - 1000, 0, 1000, 545};
    case BarPiece::kPatch:
      return Rect{skin_width - 1200, 0, 400, 545};
    case BarPiece::kBottomEdge:
      return Rect{300, skin_height - 60, 300, 60};
    case BarPiece::kLeftEdge:
      return Rect{0, 800, 60, 500};
    case BarPiece::kRightEdge:
      return Rect{skin_width - 60, 800, 60, 500};
    case BarPiece::kBottomLeftCorner:
      return Rect{0, skin_height - 60, 545, 60};
    case BarPiece::kBottomRightCorner:
      return Rect{skin_width - 500, skin_height - 60, 500, 60};
  }
  return Rect{};
}

std::vector<PieceCopy> BarPaintPlan(int width) {
  std::vector<PieceCopy> plan;
  const int last = width / kMiddleStep + 1;
  for (int i = 1; i <= last; ++i) {
    plan.push_back({BarPiece::kMiddle, Point{i * kMiddleStep, 0}});
  }
  plan.push_back({BarPiece::kLeftEnd, Point{0, 0}});
  plan.push_back({BarPiece::kRightEnd, Point{width - 1000, 0}});
  return plan;
}

std::vector<PieceCopy> FramePaintPlan(int width, int height) {
  std::vector<PieceCopy> plan;
  const int across = width / kEdgeStep + 1;
  for (int i = 1; i <= across; ++i) {
    plan.push_back({BarPiece::kBottomEdge, Point{i * kEdgeStep, height - 60}});
  }
  const int down = height / kEdgeStep + 1;
  for (int i = 1; i <= down; ++i) {
    plan.push_back({BarPiece::kLeftEdge, Point{0, i * kEdgeStep}});
  }
  for (int i = 1; i <= down; ++i) {
    plan.push_back({BarPiece::kRightEdge, Point{width - 60, i * kEdgeStep}});
  }
  plan.push_back({BarPiece::kBottomLeftCorner, Point{0, height - 60}});
  plan.push_back({BarPiece::kBottomRightCorner, Point{width - 500, height - 60}});
  return plan;
}

PieceCopy NominCopy(int width) {
  return {BarPiece::kPatch, Point{width - 830, 0}};
}

PixelCopy ToPixelCopy(const PieceCopy& copy, int skin_width, int skin_height) {
  const Rect source = PieceSource(copy.piece, skin_width, skin_height);
  return PixelCopy{Rect{TwipsToPixels(source.x), TwipsToPixels(source.y),
                        TwipsToPixels(source.width), TwipsToPixels(source.height)},
                   Point{TwipsToPixels(copy.at.x), TwipsToPixels(copy.at.y)}};
}

Point CaptionOrigin(bool has_logo) {
  return Point{has_logo ? 600 : 150, 150};
}

}  // namespace orvane
