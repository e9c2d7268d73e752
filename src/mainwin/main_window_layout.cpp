#include "mainwin/main_window_layout.h"

#include <algorithm>

#include "base/units.h"

namespace orvane {

namespace {

// Design rectangles of the controls whose Left follows the window's width (twips).
constexpr int kCaptionButtonTop = 15;
constexpr int kCaptionButtonHeight = 270;
constexpr int kCloseWidth = 645;
constexpr int kMinMaxWidth = 375;
constexpr int kMinWidth = 360;
constexpr int kToolWidth = 360;
constexpr int kCloseFromRight = 730;
constexpr int kMinMaxFromRight = 1105;
constexpr int kMinFromRight = 1465;
constexpr int kToolFromRight = 1825;

constexpr int kCaptionBarHeight = 495;

constexpr int kStripLeft = 2300;
constexpr int kStripTop = 45;
constexpr int kStripNarrowerBy = 6900;

constexpr int kLinkButtonTop = 0;
constexpr int kLinkButtonHeight = 330;
constexpr int kGameSpaceWidth = 1215;
constexpr int kGameSpaceFromRight = 3300;
constexpr int kOtherUserWidth = 1485;
constexpr int kOtherUserFromRight = 4850;

// The margin left, right and below the content area, where the window's own edge shows
// and can be grabbed for resizing.
constexpr int kContentMargin = 60;

// A window narrower or lower than its fixed parts would give a negative extent, which no
// control can take: such a control shrinks to nothing instead.
constexpr int Extent(int twips) {
  return std::max(0, twips);
}

}  // namespace

std::optional<MainWindowLayout> LayoutMainWindow(int client_width, int client_height,
                                                 int tab_height, bool minimised) {
  if (minimised) {
    return std::nullopt;
  }
  const int w = client_width;
  const int h = client_height;
  MainWindowLayout layout;
  layout.WebBForm = Rect{0, 0, Extent(w), kCaptionBarHeight};
  layout.web_close =
      Rect{w - kCloseFromRight, kCaptionButtonTop, kCloseWidth, kCaptionButtonHeight};
  layout.web_minmax =
      Rect{w - kMinMaxFromRight, kCaptionButtonTop, kMinMaxWidth, kCaptionButtonHeight};
  layout.web_min = Rect{w - kMinFromRight, kCaptionButtonTop, kMinWidth, kCaptionButtonHeight};
  layout.web_tool = Rect{w - kToolFromRight, kCaptionButtonTop, kToolWidth, kCaptionButtonHeight};
  layout.WebuTab = Rect{kStripLeft, kStripTop, Extent(w - kStripNarrowerBy), tab_height};
  layout.GameSpaceBtn =
      Rect{w - kGameSpaceFromRight, kLinkButtonTop, kGameSpaceWidth, kLinkButtonHeight};
  layout.OtherUserBtn =
      Rect{w - kOtherUserFromRight, kLinkButtonTop, kOtherUserWidth, kLinkButtonHeight};
  // The content starts at the strip's height, not below the strip's bottom edge: the
  // strip sits 45 twips down and its lowest line overlaps the content's top.
  const int t = tab_height;
  layout.Picture1 =
      Rect{kContentMargin, t, Extent(w - 2 * kContentMargin), Extent(h - t - kContentMargin)};
  layout.pCnt = layout.Picture1;
  layout.region_width = TwipsToPixels(w) + 1;
  layout.region_height = TwipsToPixels(h) + 1;
  return layout;
}

}  // namespace orvane
