#pragma once
// Where every child of the main window goes for a given client size. Everything is in
// twips, the window's own unit; the views convert to pixels when they move a control.

#include <optional>

#include "base/geometry.h"

namespace orvane {

// The main window's design client size: 15540 x 9585 twips (1036 x 639 pixels).
inline constexpr int kMainWindowDesignWidthTwips = 15540;
inline constexpr int kMainWindowDesignHeightTwips = 9585;
// The window's corners: a 6 x 6 pixel ellipse.
inline constexpr int kMainWindowCornerPixels = 6;

struct MainWindowLayout {
  Rect WebBForm;   // left, top and width; the bar keeps the height it sets itself
  Rect web_close;  // only Left changes; Top, Width and Height are the design values
  Rect web_minmax;
  Rect web_min;
  Rect web_tool;
  Rect WebuTab;       // Left, Top, Width; the strip keeps its own height
  Rect GameSpaceBtn;  // only Left changes
  Rect OtherUserBtn;  // only Left changes
  Rect Picture1;      // the placeholder panel over the content area
  Rect pCnt;          // the content container (the same rectangle)
  // The window's region in pixels: (0, 0) to (width, height) exclusive, corner ellipse
  // kMainWindowCornerPixels.
  int region_width = 0;
  int region_height = 0;
};

// The layout for a client area of `client_width` x `client_height` twips with a tab strip
// `tab_height` twips high. Nothing while the window is minimised.
std::optional<MainWindowLayout> LayoutMainWindow(int client_width, int client_height,
                                                 int tab_height, bool minimised);

}  // namespace orvane
