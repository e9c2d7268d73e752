#pragma once
// Where the widgets demo puts its controls: the main window's caption row, in twips
// as the main window lays it out, turned into pixels. Shared by both demo programs.

#include "base/colour.h"
#include "base/geometry.h"
#include "base/units.h"

namespace orvane::demo {

inline constexpr int kFormWidthTwips = 15540;
inline constexpr int kFormHeightTwips = 9585;
inline constexpr Colour kFormBackColour = Rgb(255, 255, 255);
inline constexpr const char* kCaption = "Orvane";
inline constexpr const char* kLinkCaption = "游戏官网";

struct DemoLayout {
  Rect bar;
  Rect logo;
  Rect menu;
  Rect minimise;
  Rect maximise;
  Rect close;
  Rect link;
  Rect content;
};

inline Rect TwipsRect(int left, int top, int width, int height) {
  return Rect{TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// The controls of a form `width` x `height` pixels.
inline DemoLayout LayoutFor(int width, int height) {
  const int w = width * kTwipsPerPixel;
  const int h = height * kTwipsPerPixel;
  DemoLayout layout;
  layout.bar = TwipsRect(0, 0, w, 500);
  layout.logo = TwipsRect(100, 30, 440, 440);
  layout.menu = TwipsRect(w - 1825, 15, 360, 270);
  layout.minimise = TwipsRect(w - 1465, 15, 360, 270);
  layout.maximise = TwipsRect(w - 1105, 15, 375, 270);
  layout.close = TwipsRect(w - 730, 15, 645, 270);
  layout.link = TwipsRect(w - 3300, 0, 1215, 330);
  layout.content = TwipsRect(60, 555, w - 120, h - 555 - 60);
  return layout;
}

}  // namespace orvane::demo
