#pragma once

#include <cstdint>

#include "base/geometry.h"

namespace orvane {

// A window rectangle by its edges, in screen pixels, as the platform reports it.
struct EdgeRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const EdgeRect&, const EdgeRect&) = default;
};

// Zones of a borderless window's edge, as MouseSize reports them.
inline constexpr std::int32_t kZoneNone = -1;
inline constexpr std::int32_t kZoneTop = 0;
inline constexpr std::int32_t kZoneTopRight = 1;
inline constexpr std::int32_t kZoneRight = 2;
inline constexpr std::int32_t kZoneBottomRight = 3;
inline constexpr std::int32_t kZoneBottom = 4;
inline constexpr std::int32_t kZoneBottomLeft = 5;
inline constexpr std::int32_t kZoneLeft = 6;
inline constexpr std::int32_t kZoneTopLeft = 7;

// How near an edge (pixels) the pointer must be to grab it.
inline constexpr int kEdgeTolerance = 5;
// A side dragged at the right, left or bottom keeps the window wider than 800 and
// taller than 600 pixels.
inline constexpr int kMinDragWidth = 800;
inline constexpr int kMinDragHeight = 600;

// The zone of `window` under point `p`; corners are tested first and win over edges.
std::int32_t HitTest(const EdgeRect& window, Point p);

// The pointer shown over the form for a zone.
enum class ResizePointer { kArrow, kSizeNS, kSizeNESW, kSizeWE, kSizeNWSE };
ResizePointer ZonePointer(std::int32_t zone);

// Moves the sides of the outline `n` that zone `zone` drags to follow `p`.
void UpdateResizeRect(EdgeRect& n, std::int32_t zone, Point p);

}  // namespace orvane
