#include "widgets/borderless_geometry.h"

#include <cstdlib>

namespace orvane {

namespace {

bool Near(int a, int b) {
  return std::abs(a - b) <= kEdgeTolerance;
}

bool Between(int low, int value, int high) {
  return low + kEdgeTolerance < value && value < high - kEdgeTolerance;
}

void DragRight(EdgeRect& n, Point p) {
  if (p.x > n.left + kMinDragWidth) {
    n.right = p.x;
  }
}

void DragLeft(EdgeRect& n, Point p) {
  if (n.right - p.x > kMinDragWidth) {
    n.left = p.x;
  }
}

void DragBottom(EdgeRect& n, Point p) {
  if (p.y > n.top + kMinDragHeight) {
    n.bottom = p.y;
  }
}

}  // namespace

std::int32_t HitTest(const EdgeRect& w, Point p) {
  if (Near(w.left, p.x) && Near(w.bottom, p.y)) {
    return kZoneBottomLeft;
  }
  if (Near(w.top, p.y) && Near(w.left, p.x)) {
    return kZoneTopLeft;
  }
  if (Near(w.right, p.x) && Near(w.bottom, p.y)) {
    return kZoneBottomRight;
  }
  if (Near(w.right, p.x) && Near(w.top, p.y)) {
    return kZoneTopRight;
  }
  if (Near(w.top, p.y) && Between(w.left, p.x, w.right)) {
    return kZoneTop;
  }
  if (Near(w.right, p.x) && Between(w.top, p.y, w.bottom)) {
    return kZoneRight;
  }
  if (Near(w.bottom, p.y) && Between(w.left, p.x, w.right)) {
    return kZoneBottom;
  }
  if (Near(w.left, p.x) && Between(w.top, p.y, w.bottom)) {
    return kZoneLeft;
  }
  return kZoneNone;
}

ResizePointer ZonePointer(std::int32_t zone) {
  switch (zone) {
    case kZoneTop:
    case kZoneBottom:
      return ResizePointer::kSizeNS;
    case kZoneTopRight:
    case kZoneBottomLeft:
      return ResizePointer::kSizeNESW;
    case kZoneRight:
    case kZoneLeft:
      return ResizePointer::kSizeWE;
    case kZoneBottomRight:
    case kZoneTopLeft:
      return ResizePointer::kSizeNWSE;
    default:
      return ResizePointer::kArrow;
  }
}

void UpdateResizeRect(EdgeRect& n, std::int32_t zone, Point p) {
  switch (zone) {
    case kZoneTop:
      n.top = p.y;
      break;
    case kZoneTopRight:
      n.top = p.y;
      n.right = p.x;
      break;
    case kZoneRight:
      DragRight(n, p);
      break;
    case kZoneBottomRight:
      DragRight(n, p);
      DragBottom(n, p);
      break;
    case kZoneBottom:
      DragBottom(n, p);
      break;
    case kZoneBottomLeft:
      DragLeft(n, p);
      DragBottom(n, p);
      break;
    case kZoneLeft:
      DragLeft(n, p);
      break;
    case kZoneTopLeft:
      n.top = p.y;
      n.left = p.x;
      break;
    default:
      break;
  }
}

}  // namespace orvane
