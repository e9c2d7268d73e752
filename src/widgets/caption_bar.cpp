#include "widgets/caption_bar.h"

#include <utility>

#include "base/numbered_error.h"
#include "base/units.h"
#include "widgets/integer_narrowing.h"
#include "widgets/number_text.h"
#include "widgets/property_values.h"

namespace orvane {

namespace {

class NoOwner final : public BFormEvents {};

BFormEvents& Silent() {
  static NoOwner silent;
  return silent;
}

constexpr std::int16_t kLeftButton = 1;

// A colour text into the 32-bit colour value, rounded as the program converts
// numbers; out of 32-bit range it overflows.
Colour ColourFromText(std::string_view text) {
  const double number = ParseNumberText(text);
  if (!(number >= -2147483648.5 && number < 2147483647.5)) {
    throw NumberedError(kErrOverflow, "Overflow");
  }
  return static_cast<Colour>(CLng(number));
}

}  // namespace

BForm::BForm(BFormHost& host) : host_(host), caption_(kBarDefaultCaption) {
  host_.SetBackColor(back_colour_);
}

std::string BForm::BackColor() const {
  return std::to_string(static_cast<std::int32_t>(back_colour_));
}

void BForm::BackColor(std::string_view text) {
  back_colour_ = ColourFromText(text);
  host_.SetBackColor(back_colour_);
  host_.PropertyChanged("BackColor");
  PaintBar(caption_);
}

void BForm::Caption(std::string caption) {
  caption_ = std::move(caption);
  host_.PropertyChanged("Caption");
  PaintBar(caption_);
}

void BForm::HasLogo(bool has_logo) {
  has_logo_ = has_logo;
  host_.PropertyChanged("HasLogo");
  PaintBar(caption_);
}

void BForm::frmHwnd(WindowHandle window) {
  frm_hwnd_ = window;
  host_.PropertyChanged("frmHwnd");
}

void BForm::PaintBar(const std::string& caption) {
  host_.ClearToBackColor();
  const int width = host_.TargetSize().cx * kTwipsPerPixel;
  CopyPlan(host_, BarPaintPlan(width));
  const Point origin = CaptionOrigin(has_logo_);
  host_.PrintText(caption, Point{TwipsToPixels(origin.x), TwipsToPixels(origin.y)});
  host_.Present();
}

void BForm::CopyPlan(SkinTarget& target, const std::vector<PieceCopy>& plan) {
  const PicturePtr skin = host_.Skin();
  if (!skin) {
    return;
  }
  const int skin_width = HimetricToPixels(skin->WidthHimetric()) * kTwipsPerPixel;
  const int skin_height = HimetricToPixels(skin->HeightHimetric()) * kTwipsPerPixel;
  for (const PieceCopy& copy : plan) {
    const PixelCopy pixels = ToPixelCopy(copy, skin_width, skin_height);
    target.CopyPicture(*skin, pixels.source, pixels.dest);
  }
}

void BForm::Printform(SkinTarget& frm) {
  frm.ClearToBackColor();
  const Size size = frm.TargetSize();
  CopyPlan(frm, FramePaintPlan(size.cx * kTwipsPerPixel, size.cy * kTwipsPerPixel));
  frm.Present();
}

void BForm::Nomin() {
  // The bar has no minimise box of its own; the patch only hides the part of the
  // right end where one would be drawn.
  CopyPlan(host_, {NominCopy(host_.TargetSize().cx * kTwipsPerPixel)});
  host_.Present();
}

void BForm::OnResize() {
  const int height = TwipsToPixels(kBarHeight);
  if (host_.TargetSize().cy != height) {
    host_.SetBarHeight(height);
  }
  PaintBar(caption_);
}

void BForm::OnMouseDown(std::int16_t button, std::int16_t shift, int x, int y) {
  host_.ShowCursor(SystemCursor::kArrow);
  if (button == kLeftButton) {
    host_.DragWindow(frm_hwnd_);
    host_.ShowCursor(SystemCursor::kArrow);
  }
  float fx = static_cast<float>(PixelsToTwips(x));
  float fy = static_cast<float>(PixelsToTwips(y));
  Raise().MouseDown(button, shift, fx, fy);
}

void BForm::OnMouseMove(std::int16_t button, std::int16_t shift, int x, int y) {
  host_.ShowCursor(SystemCursor::kArrow);
  float fx = static_cast<float>(PixelsToTwips(x));
  float fy = static_cast<float>(PixelsToTwips(y));
  Raise().MouseMove(button, shift, fx, fy);
}

void BForm::OnDblClick() {
  Raise().DblClick();
}

void BForm::WriteProperties(PropertyBag& bag) const {
  // The default is compared as a number, whatever form the stored default has.
  bag.Write("BackColor", std::int64_t{static_cast<std::int32_t>(back_colour_)},
            std::int64_t{static_cast<std::int32_t>(kBarDefaultBackColor)});
  bag.Write("Caption", caption_, std::string(kBarDefaultCaption));
  bag.Write("frmHwnd", static_cast<std::int64_t>(frm_hwnd_), std::int64_t{0});
  bag.Write("HasLogo", has_logo_);
}

void BForm::ReadProperties(const PropertyBag& bag) {
  back_colour_ =
      ColourFromText(PropertyAsText(bag.Read("BackColor", std::string(kBarDefaultBackColorText))));
  host_.SetBackColor(back_colour_);
  caption_ = PropertyAsText(bag.Read("Caption", std::string(kBarDefaultCaption)));
  PaintBar(caption_);
  frm_hwnd_ = Narrow32Bits(PropertyAsInteger(bag.Read("frmHwnd", std::int64_t{0})));
  has_logo_ = PropertyAsBool(bag.Read("HasLogo", has_logo_));
}

BFormEvents& BForm::Raise() const {
  return owner_ ? *owner_ : Silent();
}

}  // namespace orvane
