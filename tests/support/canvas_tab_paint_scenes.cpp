#include "support/canvas_tab_paint_scenes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/rounding.h"
#include "support/canvas_synthetic_skin.h"

namespace orvane::test {
namespace {

// The slice coordinates and placements of the two tab styles, written out here from the
// skin tables on purpose, apart from the painter's own constants.
struct StyleNumbers {
  int picture_w, picture_h;
  int normal, hovered, selected;
  int close_selected, close_other, close_hot, close_pressed;
  int picture_dx, picture_dw, picture_dest_h;
  int close_from_right, close_y;
  int caption_dx;
};
constexpr StyleNumbers kStyle0{122, 25, 1, 123, 245, 367, 379, 391, 403, -14, 14, 25, 24, 6, 0};
constexpr StyleNumbers kStyleOther{124, 26, 1, 125, 249, 373, 385, 397, 409, 0, 0, 26, 20, 7, 12};
const StyleNumbers& NumbersFor(int style) {
  return style == 0 ? kStyle0 : kStyleOther;
}

constexpr Colour kBlue = Rgb(4, 96, 163);

std::string Hex(Colour c) {
  char text[16];
  std::snprintf(text, sizeof(text), "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return text;
}

int ChannelDistance(Colour a, Colour b) {
  return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                   std::abs(BlueOf(a) - BlueOf(b))});
}

int CloseSource(const TabScene& scene, int index, bool selected) {
  const StyleNumbers& n = NumbersFor(scene.style);
  int x = selected ? n.close_selected : n.close_other;
  if (index == scene.hover && scene.close_state == 1)
    x = n.close_hot;
  if (index == scene.hover && scene.close_state == 2)
    x = n.close_pressed;
  return x;
}

std::vector<int> DrawOrder(const TabScene& scene) {
  std::vector<int> order;
  const int count = static_cast<int>(scene.tabs.size());
  for (int i = count - 1; i >= 0; --i) {
    if (i != scene.selected)
      order.push_back(i);
  }
  if (scene.selected >= 0 && scene.selected < count)
    order.push_back(scene.selected);
  return order;
}

// The caption box of a tab (tab-area coordinates) as the strip gives it.
Rect CaptionBoxOf(const TabScene& scene, int index) {
  const TabPaintItem& t = scene.tabs[static_cast<size_t>(index)];
  const bool selected = index == scene.selected;
  if (scene.style == 0) {
    const int less = selected ? 26 : (t.hide_button ? 14 : 38);
    return Rect{t.left, 0, t.width - less, 25};
  }
  return Rect{t.left + 12, 0, t.width - (t.hide_button ? 8 : 28), 26};
}

std::unique_ptr<TabPainter> MakePainter(Canvas& canvas, TabScene& scene) {
  auto painter = std::make_unique<TabPainter>(canvas, scene, scene);
  painter->CreateBuffers();
  return painter;
}

Rect ChangedArea(const PixelImage& a, const PixelImage& b) {
  int left = a.width, top = a.height, right = -1, bottom = -1;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (a.At(x, y) == b.At(x, y))
        continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0)
    return Rect{};
  return Rect::FromEdges(left, top, right + 1, bottom + 1);
}

// Whether the caption's ink in `area` is `colour`. Bold strokes cover whole pixels, so
// some pixel shows the colour itself; thin strokes may cover none fully, so black text
// is recognised by its darkest pixel darkening every channel of the picture under it in
// the same proportion.
bool InkHasColour(const PixelImage& drawn, const PixelImage& plain, const Rect& area,
                  Colour colour) {
  double darkest_cover = 0, darkest_spread = 1;
  for (int y = area.y; y < area.Bottom(); ++y) {
    for (int x = area.x; x < area.Right(); ++x) {
      const Colour d = drawn.At(x, y), p = plain.At(x, y);
      if (d == p)
        continue;
      if (ChannelDistance(d, colour) <= 40)
        return true;
      if (colour != kBlack)
        continue;
      const double cover[3] = {1.0 - RedOf(d) / std::max(1.0, RedOf(p) * 1.0),
                               1.0 - GreenOf(d) / std::max(1.0, GreenOf(p) * 1.0),
                               1.0 - BlueOf(d) / std::max(1.0, BlueOf(p) * 1.0)};
      const double high = std::max({cover[0], cover[1], cover[2]});
      const double low = std::min({cover[0], cover[1], cover[2]});
      if (high > darkest_cover) {
        darkest_cover = high;
        darkest_spread = high - low;
      }
    }
  }
  return colour == kBlack && darkest_cover >= 0.35 && darkest_spread <= 0.2;
}

}  // namespace

PixelImage ReadBack(const Surface& surface) {
  PixelImage image;
  image.width = surface.Width();
  image.height = surface.Height();
  image.pixels.resize(static_cast<size_t>(image.width * image.height));
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x)
      image.At(x, y) = surface.GetPixel(Point{x, y});
  }
  return image;
}

std::vector<ExpectedPixel> ExpectedStrip(const TabScene& scene, const Surface& skin,
                                         const PixelImage& background, int middle_tolerance) {
  const StyleNumbers& n = NumbersFor(scene.style);
  const int width = scene.width, height = scene.height;
  const int left_size = scene.left_size;
  const int area_w = width - left_size - scene.right_size;
  std::vector<ExpectedPixel> strip(static_cast<size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      strip[static_cast<size_t>(y * width + x)] = {background.At(x, y), 0};
  }
  // Tabs land only inside the tab area.
  auto put = [&](int ax, int ay, Colour c, int tolerance) {
    if (ax < 0 || ax >= area_w || ay < 0 || ay >= height)
      return;
    strip[static_cast<size_t>(ay * width + left_size + ax)] = {c, tolerance};
  };
  for (int i : DrawOrder(scene)) {
    const TabPaintItem& t = scene.tabs[static_cast<size_t>(i)];
    const bool selected = i == scene.selected;
    const int slice = selected ? n.selected : (i == scene.hover ? n.hovered : n.normal);
    const Rect picture{t.left + n.picture_dx, 0, t.width + n.picture_dw, n.picture_dest_h};
    for (int y = 0; y < picture.height; ++y) {
      for (int u = 0; u < picture.width; ++u) {
        int su = 14;
        int tolerance = middle_tolerance;
        if (u < 14) {
          su = u;
          tolerance = 0;
        } else if (u >= picture.width - 14) {
          su = n.picture_w - (picture.width - u);
          tolerance = 0;
        }
        const Colour c = skin.GetPixel(Point{slice + su, y});
        if (c != kMagenta)
          put(picture.x + u, y, c, tolerance);
      }
    }
    if (t.hide_button)
      continue;
    const int close_x = CloseSource(scene, i, selected);
    const int cx = t.left + t.width - n.close_from_right;
    for (int v = 0; v < 12; ++v) {
      for (int u = 0; u < 12; ++u) {
        const Colour c = skin.GetPixel(Point{close_x + u, v});
        if (c != kMagenta)
          put(cx + u, n.close_y + v, c, 0);
      }
    }
  }
  return strip;
}

::testing::AssertionResult MatchesExpected(const PixelImage& actual,
                                           const std::vector<ExpectedPixel>& expected) {
  if (expected.size() != actual.pixels.size()) {
    return ::testing::AssertionFailure() << "size differs";
  }
  int wrong = 0;
  std::string report;
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      const ExpectedPixel& e = expected[static_cast<size_t>(y * actual.width + x)];
      if (ChannelDistance(actual.At(x, y), e.colour) <= e.tolerance)
        continue;
      if (++wrong <= 8) {
        report += " (" + std::to_string(x) + "," + std::to_string(y) + ") is " +
                  Hex(actual.At(x, y)) + " not " + Hex(e.colour) + ";";
      }
    }
  }
  if (wrong == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels differ:" << report;
}

::testing::AssertionResult SamePixels(const PixelImage& actual, const PixelImage& expected) {
  std::vector<ExpectedPixel> exact;
  exact.reserve(expected.pixels.size());
  for (Colour c : expected.pixels)
    exact.push_back({c, 0});
  if (actual.width != expected.width)
    return ::testing::AssertionFailure() << "width differs";
  return MatchesExpected(actual, exact);
}

::testing::AssertionResult DrawAndCompare(TabPainter& painter, const TabScene& scene,
                                          int middle_tolerance) {
  painter.DrawAll(true);
  if (!painter.BackBuffer() || !painter.BackgroundBuffer()) {
    return ::testing::AssertionFailure() << "buffers missing";
  }
  const PixelImage background = ReadBack(*painter.BackgroundBuffer());
  const PixelImage back = ReadBack(*painter.BackBuffer());
  return MatchesExpected(
      back, ExpectedStrip(scene, painter.Skin(scene.style), background, middle_tolerance));
}

::testing::AssertionResult BackgroundIsStretchedColumn(const TabPainter& painter,
                                                       const TabScene& scene) {
  const PixelImage bg = ReadBack(*painter.BackgroundBuffer());
  const Surface& skin = painter.Skin(scene.style);
  const int column_h = scene.style == 0 ? 25 : 28;
  const int stretched_h = scene.style == 0 ? 25 : 32;
  for (int y = 0; y < stretched_h; ++y) {
    const Colour row = bg.At(0, y);
    for (int x = 1; x < bg.width; ++x) {
      if (bg.At(x, y) != row) {
        return ::testing::AssertionFailure() << "row " << y << " varies at x " << x;
      }
    }
    // Each row repeats one row of the column; which one may differ by one between the
    // platforms' ways of enlarging.
    const int centre = y * column_h / stretched_h;
    bool found = false;
    for (int s = std::max(0, centre - 1); s <= std::min(column_h - 1, centre + 1); ++s) {
      found = found || skin.GetPixel(Point{0, s}) == row;
    }
    if (!found) {
      return ::testing::AssertionFailure()
             << "row " << y << " is " << Hex(row) << ", no column row near " << centre;
    }
  }
  return ::testing::AssertionSuccess();
}

void SceneEveryTabState(Canvas& canvas, int tab_style, int middle_tolerance) {
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 640;
  scene.left_size = tab_style == 0 ? 40 : 10;
  if (tab_style == 0) {
    scene.LayOut({108, 108, 108, 108, 108});
  } else {
    scene.LayOut({120, 120, 120, 120, 120});
  }
  scene.tabs[3].hide_button = true;
  auto painter = MakePainter(canvas, scene);
  painter->DrawAll(true);
  EXPECT_TRUE(BackgroundIsStretchedColumn(*painter, scene));

  struct State {
    int selected, hover, close_state;
  };
  const State states[] = {{-1, -1, 0}, {2, 1, 0}, {2, 1, 1}, {2, 1, 2}, {2, 2, 0}, {2, 2, 1},
                          {2, 2, 2},   {0, 4, 1}, {4, 0, 2}, {3, 3, 1}, {1, -2, 0}};
  for (const State& s : states) {
    scene.selected = s.selected;
    scene.hover = s.hover;
    scene.close_state = s.close_state;
    EXPECT_TRUE(DrawAndCompare(*painter, scene, middle_tolerance))
        << "style " << tab_style << ", selected " << s.selected << ", hover " << s.hover
        << ", close state " << s.close_state;
  }
  // The first trapezoid starts right at the left edge of the tab area: its picture's
  // first opaque column lands on the area's first columns, nothing left of it.
  if (tab_style == 0) {
    scene.selected = -1;
    scene.hover = -1;
    painter->DrawAll(true);
    const Surface& back = *painter->BackBuffer();
    const Surface& skin = painter->Skin(0);
    int compared = 0;
    for (int u = 0; u < 14 && compared == 0; ++u) {
      for (int y = 0; y < 25; ++y) {
        const Colour c = skin.GetPixel(Point{1 + u, y});
        if (c == kMagenta)
          continue;
        EXPECT_EQ(back.GetPixel(Point{scene.left_size + u, y}), c) << u << "," << y;
        ++compared;
      }
    }
    EXPECT_GT(compared, 0);
    for (int y = 0; y < 25; ++y) {
      EXPECT_EQ(back.GetPixel(Point{scene.left_size - 1, y}),
                painter->BackgroundBuffer()->GetPixel(Point{scene.left_size - 1, y}));
    }
  }
}

void SceneTabsCutOffAtTheMargins(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 420;
  scene.left_size = 50;
  scene.right_size = 70;  // tab area 50 .. 349
  scene.LayOut({110, 110, 110});
  auto painter = MakePainter(skins, scene);
  for (int selected : {-1, 2}) {
    scene.selected = selected;
    EXPECT_TRUE(DrawAndCompare(*painter, scene)) << "selected " << selected;
    const PixelImage back = ReadBack(*painter->BackBuffer());
    const PixelImage bg = ReadBack(*painter->BackgroundBuffer());
    int tab_pixels_in_margins = 0;
    for (int y = 0; y < scene.height; ++y) {
      for (int x = 0; x < scene.width; ++x) {
        const bool margin = x < 50 || x >= 350;
        if (margin && back.At(x, y) != bg.At(x, y))
          ++tab_pixels_in_margins;
      }
    }
    EXPECT_EQ(tab_pixels_in_margins, 0);
    // The last tab reaches past the tab area and is cut there, not left out.
    EXPECT_NE(back.At(349, 20), bg.At(349, 20));
  }
}

namespace {

struct CaptionCheck {
  int tab;
  bool ellipsis;
};

// Draws the scene with its captions and again without them, then puts each caption on
// the plain picture by hand, in the box and format the strip must use, with the close
// box over it where there is one; both pictures must agree to the pixel.
void CheckCaptions(Canvas& canvas, TabScene& scene, const std::vector<CaptionCheck>& checks) {
  auto painter = MakePainter(canvas, scene);
  painter->DrawAll(true);
  const PixelImage drawn = ReadBack(*painter->BackBuffer());

  std::vector<std::string> captions;
  for (auto& t : scene.tabs) {
    captions.push_back(t.caption);
    t.caption.clear();
  }
  painter->DrawAll(true);
  const PixelImage plain = ReadBack(*painter->BackBuffer());
  for (size_t i = 0; i < captions.size(); ++i)
    scene.tabs[i].caption = captions[i];

  std::unique_ptr<Surface> reference = canvas.CreateSurface(scene.width, scene.height);
  reference->Copy(Rect{0, 0, scene.width, scene.height}, *painter->BackBuffer(), Point{0, 0});
  std::unique_ptr<Font> thin = canvas.CreateGuiFont(100);
  std::unique_ptr<Font> bold = canvas.CreateGuiFont(700);
  const StyleNumbers& n = NumbersFor(scene.style);
  for (int i : DrawOrder(scene)) {
    const TabPaintItem& t = scene.tabs[static_cast<size_t>(i)];
    const bool selected = i == scene.selected;
    const auto check = std::find_if(checks.begin(), checks.end(),
                                    [&](const CaptionCheck& c) { return c.tab == i; });
    if (check == checks.end())
      continue;
    reference->SetTextBackground(std::nullopt);
    reference->SetFont(selected ? *bold : *thin);
    reference->SetTextColour(selected ? kBlue : kBlack);
    Rect box = CaptionBoxOf(scene, i);
    box.x += scene.left_size;
    const Size extent = reference->MeasureText(t.caption);
    EXPECT_EQ(check->ellipsis, box.width < extent.cx)
        << "tab " << i << ": the scene does not test what it means to (box " << box.width
        << ", text " << extent.cx << ")";
    Rect text_box = box;
    if (check->ellipsis) {
      text_box.y += static_cast<int>(RoundHalfEven((box.height - extent.cy) / 2.0));
      reference->DrawText(t.caption, text_box, 0x8000);
    } else {
      reference->DrawText(t.caption, text_box, 37);
    }
    if (!t.hide_button) {
      reference->CopyTransparent(
          Rect{scene.left_size + t.left + t.width - n.close_from_right, n.close_y, 12, 12},
          painter->Skin(scene.style), Point{CloseSource(scene, i, selected), 0}, kMagenta);
    }

    // What the caption looks like, apart from the reference.
    const Rect clip = box.Intersect(Rect{0, 0, scene.width, scene.height});
    PixelImage drawn_part = drawn, plain_part = plain;
    for (int y = 0; y < drawn.height; ++y) {
      for (int x = 0; x < drawn.width; ++x) {
        if (!clip.Contains(Point{x, y}))
          drawn_part.At(x, y) = plain_part.At(x, y);
      }
    }
    const Rect ink = ChangedArea(drawn_part, plain_part);
    ASSERT_FALSE(ink.Empty()) << "tab " << i << " shows no caption";
    if (check->ellipsis) {
      EXPECT_LE(ink.x - box.x, 3) << "tab " << i << ": an ellipsised caption starts at the left";
      EXPECT_GE(ink.width, box.width - 12) << "tab " << i << ": it fills its box";
    } else {
      const int left_gap = ink.x - box.x, right_gap = box.Right() - ink.Right();
      EXPECT_LE(std::abs(left_gap - right_gap), 3)
          << "tab " << i << ": a caption that fits is centred (" << left_gap << " / " << right_gap
          << ")";
      const int top_gap = ink.y - box.y, bottom_gap = box.Bottom() - ink.Bottom();
      EXPECT_LE(std::abs(top_gap - bottom_gap), 5)
          << "tab " << i << ": and centred from top to bottom (" << top_gap << " / " << bottom_gap
          << ")";
    }
    EXPECT_TRUE(InkHasColour(drawn_part, plain_part, clip, selected ? kBlue : kBlack))
        << "tab " << i << " caption colour";
  }
  EXPECT_TRUE(SamePixels(drawn, ReadBack(*reference)));
}

int TextWidth(Canvas& canvas, const std::string& text, int weight) {
  std::unique_ptr<Surface> s = canvas.CreateSurface(4, 4);
  std::unique_ptr<Font> font = canvas.CreateGuiFont(weight);
  s->SetFont(*font);
  return s->MeasureText(text).cx;
}

}  // namespace

void SceneCaptionThatFitsIsCentred(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 600;
  scene.LayOut({170, 170, 170});
  scene.tabs[0].caption = "Tab";
  scene.tabs[1].caption = "Mid";
  scene.tabs[1].hide_button = true;
  scene.tabs[2].caption = "Sel";
  scene.selected = 2;
  scene.hover = 0;
  CheckCaptions(skins, scene, {{0, false}, {1, false}, {2, false}});
}

void SceneCaptionTooWideGetsAnEllipsis(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 600;
  scene.LayOut({150, 150});
  const std::string long_caption = "A caption far too long for any tab of this strip";
  scene.tabs[0].caption = long_caption;
  scene.tabs[1].caption = long_caption;
  scene.selected = 1;
  CheckCaptions(skins, scene, {{0, true}, {1, true}});
}

void SceneHostileCaptionsGetAnEllipsisInTheirTabs(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 700;
  scene.LayOut({170, 170, 170});
  std::string huge;
  while (huge.size() < 10000) {
    huge += "Mirab ";
  }
  huge.resize(10000);
  scene.tabs[0].caption = huge;
  const std::string rlm = "\xE2\x80\x8F";
  scene.tabs[1].caption = "Mirab " + rlm + "lobby" + rlm + " - a title with marks, too long" + rlm;
  const std::string replaced = "\xEF\xBF\xBD";
  scene.tabs[2].caption = replaced + replaced + " replaced bytes in a title too long";
  scene.selected = 2;
  CheckCaptions(skins, scene, {{0, true}, {1, true}, {2, true}});
}

void SceneHideButtonWidths(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  const std::string caption = "Hidden button";
  const int thin = TextWidth(canvas, caption, 100);
  const int bold = TextWidth(canvas, caption, 700);
  // Style 0 boxes: Width - 14 without a button, Width - 38 with one, Width - 26 when
  // selected. Other styles: Width - 8 and Width - 28, selected or not.
  const int room_hidden = tab_style == 0 ? 14 : 8;
  const int room_button = tab_style == 0 ? 38 : 28;
  for (bool hidden : {true, false}) {
    TabScene scene;
    scene.SetStyle(tab_style);
    scene.width = 500;
    const int width = thin + (room_hidden + room_button) / 2;  // fits hidden, not with a button
    scene.LayOut({width});
    scene.tabs[0].caption = caption;
    scene.tabs[0].hide_button = hidden;
    SCOPED_TRACE(hidden ? "unselected, no button" : "unselected, button");
    CheckCaptions(skins, scene, {{0, !hidden}});
  }
  {
    TabScene scene;
    scene.SetStyle(tab_style);
    scene.width = 500;
    scene.LayOut({bold + 20});
    scene.tabs[0].caption = caption;
    scene.tabs[0].hide_button = true;
    scene.selected = 0;
    SCOPED_TRACE("selected, no button");
    // The selected trapezoid has Width - 26 even without its button: too narrow here.
    CheckCaptions(skins, scene, {{0, tab_style == 0}});
  }
}

void SceneHostPaintsTheBackground(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 300;
  scene.LayOut({100});
  auto painter = MakePainter(skins, scene);
  const Colour own = Rgb(200, 30, 30);
  int events = 0;
  scene.on_draw_background = [&](Surface* hdc, int cx, int cy, bool& skip) {
    ++events;
    EXPECT_EQ(hdc, painter->BackgroundBuffer());
    EXPECT_EQ(cx, 300);
    EXPECT_EQ(cy, scene.height);
    hdc->FillRect(Rect{0, 0, cx, cy}, own);
    skip = true;
  };
  painter->DrawAll(true);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(painter->BackBuffer()->GetPixel(Point{5, 5}), own);
  EXPECT_EQ(painter->BackBuffer()->GetPixel(Point{299, scene.height - 1}), own);
  EXPECT_TRUE(DrawAndCompare(*painter, scene));

  // Skipping without painting keeps what the buffer held.
  scene.on_draw_background = [](Surface*, int, int, bool& skip) { skip = true; };
  painter->DrawAll(true);
  EXPECT_EQ(painter->BackBuffer()->GetPixel(Point{5, 5}), own);

  scene.on_draw_background = nullptr;
  painter->DrawAll(true);
  EXPECT_NE(painter->BackBuffer()->GetPixel(Point{5, 5}), own);
  EXPECT_TRUE(BackgroundIsStretchedColumn(*painter, scene));
}

void ScenePaintCopiesTheBackBuffer(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 320;
  scene.LayOut({120, 120});
  scene.selected = 0;
  auto painter = MakePainter(skins, scene);
  painter->DrawAll(true);
  EXPECT_EQ(scene.presents, 1);
  EXPECT_EQ(scene.presented, painter->BackBuffer());
  const PixelImage before = ReadBack(*painter->BackBuffer());

  // Disabled drawing leaves the picture as it was, and painting still shows it.
  scene.enabled = false;
  scene.selected = 1;
  painter->DrawAll(true);
  EXPECT_EQ(scene.presents, 1);
  EXPECT_TRUE(SamePixels(ReadBack(*painter->BackBuffer()), before));

  const Colour white = Rgb(255, 255, 255);
  std::unique_ptr<Surface> window = canvas.CreateSurface(400, 40);
  window->FillRect(Rect{0, 0, 400, 40}, white);
  painter->Paint(*window);
  const PixelImage shown = ReadBack(*window);
  int wrong = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 400; ++x) {
      const bool inside = x < scene.width && y < scene.height;
      const Colour want = inside ? before.At(x, y) : white;
      if (shown.At(x, y) != want)
        ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

void SceneNoTabAreaShowsTheBackground(Canvas& canvas, int tab_style) {
  SyntheticSkinCanvas skins(canvas);
  TabScene scene;
  scene.SetStyle(tab_style);
  scene.width = 60;
  scene.left_size = 40;
  scene.right_size = 20;
  scene.LayOut({100});
  TabPainter painter(skins, scene, scene);
  try {
    painter.CreateBuffers();
    ADD_FAILURE() << "no tab area, no tab-area buffer";
  } catch (const DrawingError& e) {
    EXPECT_STREQ(e.what(), "CreateCompatibleBitmap调用失败");
  }
  ASSERT_NE(painter.BackBuffer(), nullptr);
  EXPECT_EQ(painter.TabAreaBuffer(), nullptr);
  painter.DrawAll(true);
  EXPECT_EQ(scene.presents, 1);
  EXPECT_TRUE(SamePixels(ReadBack(*painter.BackBuffer()), ReadBack(*painter.BackgroundBuffer())));
  EXPECT_TRUE(BackgroundIsStretchedColumn(painter, scene));
}

}  // namespace orvane::test
