#include "tabstrip/tab_painter.h"

#include "base/rounding.h"
#include "base/shown_text.h"
#include "tabstrip/tab_painter_api.h"
#include "tabstrip/tab_painter_skins.h"

namespace orvane {
namespace {

constexpr int kThinWeight = 100;
constexpr int kBoldWeight = 700;
constexpr Colour kCaptionColour = Rgb(0, 0, 0);
constexpr Colour kSelectedCaptionColour = Rgb(4, 96, 163);
// Format of a caption that fits: centred both ways on one line.
constexpr unsigned kCentredCaption =
    text_format::kCenter | text_format::kVCenter | text_format::kSingleLine;

Rect CaptionBox(int tab_style, const TabPaintItem& tab, bool selected) {
  if (tab_style == 0) {
    // The selected trapezoid keeps the same caption room whether or not it has a button.
    const int less = selected ? 26 : (tab.hide_button ? 14 : 38);
    return Rect{tab.left, 0, tab.width - less, 25};
  }
  const int less = tab.hide_button ? 8 : 28;
  return Rect{tab.left + 12, 0, tab.width - less, 26};
}

}  // namespace

TabPainter::TabPainter(Canvas& canvas, const ITabPaintSource& source, ITabPaintHost& host)
    : canvas_(canvas),
      source_(source),
      host_(host),
      skin0_(canvas.LoadSkin(kTabSkinStyle0.bitmap_id)),
      skin_other_(canvas.LoadSkin(kTabSkinStyleOther.bitmap_id)),
      normal_font_(canvas.CreateGuiFont(kThinWeight)),
      bold_font_(canvas.CreateGuiFont(kBoldWeight)) {}

TabPainter::~TabPainter() = default;

const Surface& TabPainter::Skin(int tab_style) const {
  return tab_style == 0 ? *skin0_ : *skin_other_;
}

void TabPainter::FreeBuffers() {
  tab_area_.reset();
  background_.reset();
  back_.reset();
}

void TabPainter::CreateBuffers() {
  FreeBuffers();
  const int width = source_.StripWidth();
  const int height = source_.StripHeight();
  const int tab_area_width = width - source_.TabLeftSize() - source_.TabRightSize();
  back_ = canvas_.CreateSurface(width, height);
  background_ = canvas_.CreateSurface(width, height);
  tab_area_ = canvas_.CreateSurface(tab_area_width, height);
}

void TabPainter::DrawAll(bool update) {
  if (!source_.DrawingEnabled())
    return;
  DrawBackground();
  DrawTabs(update);
}

void TabPainter::DrawBackground() {
  if (!source_.DrawingEnabled())
    return;
  const int width = source_.StripWidth();
  bool skip_default = false;
  host_.OnDrawBackground(background_.get(), width, source_.StripHeight(), skip_default);
  if (skip_default || !background_)
    return;
  const int style = source_.TabStyle();
  const TabSkinLayout& layout = TabSkinFor(style);
  background_->Stretch(Rect{0, 0, width, layout.background_height}, Skin(style), layout.background,
                       false);
}

void TabPainter::DrawTabs(bool update) {
  if (!source_.DrawingEnabled())
    return;
  if (tab_area_) {
    tab_area_->SetTextBackground(std::nullopt);
    tab_area_->SetFont(*normal_font_);
    tab_area_->SetTextColour(kCaptionColour);
    if (background_) {
      tab_area_->Copy(Rect{0, 0, tab_area_->Width(), tab_area_->Height()}, *background_,
                      Point{source_.TabLeftSize(), 0});
    }
    const int count = source_.TabCount();
    const int selected = source_.Selected();
    // From the last to the first, so that where trapezoids overlap the lower position
    // lies on top; the selected tab comes last and lies on top of all.
    for (int i = count - 1; i >= 0; --i) {
      if (i != selected)
        DrawTab(i, false);
    }
    tab_area_->SetFont(*bold_font_);
    tab_area_->SetTextColour(kSelectedCaptionColour);
    if (selected >= 0 && selected < count)
      DrawTab(selected, true);
  }
  if (back_) {
    const Rect whole{0, 0, back_->Width(), back_->Height()};
    if (background_)
      back_->Copy(whole, *background_, Point{0, 0});
    // The tab area lands between the margins; whatever a tab drew beyond it is gone.
    if (tab_area_) {
      back_->Copy(Rect{source_.TabLeftSize(), 0, tab_area_->Width(), tab_area_->Height()},
                  *tab_area_, Point{0, 0});
    }
    if (update)
      host_.PresentBackBuffer(*back_);
  }
}

void TabPainter::DrawTab(int index, bool selected) {
  const int style = source_.TabStyle();
  const TabSkinLayout& layout = TabSkinFor(style);
  const Surface& skin = Skin(style);
  const TabPaintItem tab = source_.TabAt(index);
  const bool hovered = index == source_.HoverIndex();

  // The selected tab never shows the hovered picture.
  const int picture_x =
      selected ? layout.selected_x : (hovered ? layout.hovered_x : layout.normal_x);
  DrawNineGrid(
      canvas_, *tab_area_,
      Rect{tab.left + layout.picture_dx, 0, tab.width + layout.picture_dw, layout.picture_height},
      skin, Rect{picture_x, 0, layout.picture.cx, layout.picture.cy},
      NineGridMargins{layout.margin_left, 0, layout.margin_right, 0}, kMagenta);

  const Rect box = CaptionBox(style, tab, selected);
  DrawCaption(*tab_area_, tab.caption, box.x, box.y, box.width, box.height);

  if (tab.hide_button)
    return;
  int close_x = selected ? layout.close_selected_x : layout.close_other_x;
  if (hovered && source_.CloseState() == 1)
    close_x = layout.close_hot_x;
  if (hovered && source_.CloseState() == 2)
    close_x = layout.close_pressed_x;
  DrawTransparent(*tab_area_,
                  Rect{tab.left + tab.width - layout.close_from_right, layout.close_y,
                       layout.close_size, layout.close_size},
                  skin, Point{close_x, 0}, kMagenta);
}

void TabPainter::DrawCaption(Surface& dc, std::string_view text, int x, int y, int width,
                             int height) {
  if (!source_.DrawingEnabled())
    return;
  // A page's title may be any bytes and any length: what is measured and drawn is
  // well-formed and no longer than any tab can show.
  const std::string shown = ShownText(text);
  const Size extent = dc.MeasureText(shown);
  if (width < extent.cx) {
    const int top = y + static_cast<int>(RoundHalfEven((height - extent.cy) / 2.0));
    DrawTextInRect(dc, shown, x, top, width, height, text_format::kEndEllipsis);
  } else {
    DrawTextInRect(dc, shown, x, y, width, height, kCentredCaption);
  }
}

void TabPainter::Paint(Surface& target) const {
  if (!back_)
    return;
  target.Copy(Rect{0, 0, source_.StripWidth(), TabSkinFor(source_.TabStyle()).strip_height}, *back_,
              Point{0, 0});
}

}  // namespace orvane
