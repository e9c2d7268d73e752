#pragma once

namespace orvane {

// Pixel geometry of drawing surfaces and windows. Right and bottom edges are
// exclusive, as in the platform's own rectangles: a rectangle at x 10, 4 wide covers
// the columns 10 to 13.

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  static constexpr Rect FromEdges(int left, int top, int right, int bottom) {
    return Rect{left, top, right - left, bottom - top};
  }
  constexpr int Left() const { return x; }
  constexpr int Top() const { return y; }
  constexpr int Right() const { return x + width; }
  constexpr int Bottom() const { return y + height; }
  constexpr Point Origin() const { return Point{x, y}; }
  // True when the rectangle covers no pixel (zero or negative width or height).
  constexpr bool Empty() const { return width <= 0 || height <= 0; }
  constexpr bool Contains(Point p) const {
    return p.x >= x && p.x < Right() && p.y >= y && p.y < Bottom();
  }
  // The common part of two rectangles; an empty rectangle at the origin when none.
  constexpr Rect Intersect(const Rect& o) const {
    const int l = x > o.x ? x : o.x;
    const int t = y > o.y ? y : o.y;
    const int r = Right() < o.Right() ? Right() : o.Right();
    const int b = Bottom() < o.Bottom() ? Bottom() : o.Bottom();
    if (r <= l || b <= t)
      return Rect{};
    return FromEdges(l, t, r, b);
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace orvane
