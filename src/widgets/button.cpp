#include "widgets/button.h"

#include <utility>

#include "base/units.h"

namespace orvane {

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kKeyEnter = 13;
constexpr std::int16_t kKeySpace = 32;

class NoOwner final : public iButtonEvents {};

iButtonEvents& Silent() {
  static NoOwner silent;
  return silent;
}

Point ToPixels(double x_twips, double y_twips) {
  return Point{TwipsToPixels(x_twips), TwipsToPixels(y_twips)};
}

}  // namespace

iButton::iButton(iButtonHost& host) : host_(host) {
  BuildStateImages();
  // The poll runs from creation; its first tick settles the button in the normal state.
  host_.StartTimer(kHoverPollMs);
  timer_running_ = true;
}

iButton::~iButton() {
  if (timer_running_) {
    host_.StopTimer();
  }
}

// ---- properties ----

void iButton::BackPicture(PicturePtr strip) {
  back_picture_ = std::move(strip);
  Changed("BackPicture");
  BuildStateImages();
}

void iButton::Style(std::int32_t style) {
  style_ = style;
  Changed("Style");
  BuildStateImages();
}

void iButton::Value(bool value) {
  if (style_ != 1) {
    value_ = false;
    return;
  }
  value_ = value;
  cMouseAction(CurrentState(), true);
}

void iButton::Locked(bool locked) {
  locked_ = locked;
  cMouseAction(CurrentState(), true);
}

void iButton::AutoSize(bool auto_size) {
  auto_size_ = auto_size;
  Changed("AutoSize");
  if (auto_size_) {
    BuildStateImages();
  }
}

bool iButton::Enabled() const {
  return host_.Enabled();
}

void iButton::Enabled(bool enabled) {
  host_.SetEnabled(enabled);
  Changed("Enabled");
  cMouseAction(CurrentState(), true);
}

void iButton::Caption(std::string caption) {
  caption_ = std::move(caption);
  Changed("Caption");
  Repaint();
}

void iButton::Icon(PicturePtr icon) {
  // Shows with the next repaint.
  icon_ = std::move(icon);
  Changed("Icon");
}

std::int16_t iButton::cBackStyle() const {
  return host_.BackStyle();
}

void iButton::cBackStyle(std::int16_t style) {
  host_.SetBackStyle(style);
  if (host_.BackColor() == 0) {
    host_.SetMaskPicture(nullptr);
  }
  Changed("cBackStyle");
  Repaint();
}

Colour iButton::cForeColor() const {
  return host_.ForeColor();
}

void iButton::cForeColor(Colour colour) {
  host_.SetForeColor(colour);
  Changed("cForeColor");
  Repaint();
}

FontSpec iButton::cFont() const {
  return host_.Font();
}

void iButton::cFont(const FontSpec& font) {
  host_.SetFont(font);
  Changed("cFont");
  Repaint();
}

std::int16_t iButton::cDrawMode() const {
  return host_.DrawMode();
}

void iButton::cDrawMode(std::int16_t mode) {
  host_.SetDrawMode(mode);
  Changed("cDrawMode");
  Repaint();
}

// ---- states and painting ----

void iButton::cMouseAction(std::int32_t cAction, bool vComplePaint) {
  if (cAction != shown_state_ || vComplePaint) {
    shown_state_ = cAction;
    PaintState(cAction);
  }
}

std::int32_t iButton::CurrentState() {
  if (!host_.Enabled()) {
    return kStateDisabled;
  }
  if (left_held_) {
    return host_.IsPointerOver() ? kStatePressed : kStateNormal;
  }
  return host_.IsPointerOver() ? kStateHover : kStateNormal;
}

PicturePtr iButton::StateImage(std::int32_t s) const {
  if (!images_ready_) {
    return nullptr;
  }
  const int cell = StateCell(s, value_, style_);
  if (cell < 0 || cell >= static_cast<int>(state_images_.size())) {
    return nullptr;
  }
  return state_images_[static_cast<std::size_t>(cell)];
}

void iButton::BuildStateImages() {
  state_images_.clear();
  if (!back_picture_) {
    images_ready_ = false;
  } else {
    const int ch = CellHeight(back_picture_->HeightHimetric());
    const int cw = CellWidth(back_picture_->WidthHimetric(), style_);
    auto source = host_.OpenStrip(*back_picture_);
    const int count = CellsCut(style_);
    state_images_.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      state_images_[static_cast<std::size_t>(i)] = source->CutCell(i * cw, 0, cw, ch);
    }
    if (auto_size_ && cw > 0 && ch > 0) {
      host_.SetControlSize(Size{cw, ch});
    }
    source.reset();
    images_ready_ = true;
  }
  cMouseAction(CurrentState(), true);
}

void iButton::PaintState(std::int32_t s) {
  host_.Clear();
  PaintStateImage();
  if (!caption_.empty()) {
    const Size text = TextSizeTwips(caption_);
    double icon_width = 0;
    if (icon_) {
      icon_width = icon_->WidthHimetric();
    }
    const CaptionPlacement place =
        PlaceCaption(WidthTwips(), HeightTwips(), text.cx, text.cy, icon_ ? &icon_width : nullptr);
    const std::int32_t shift = s == kStatePressed ? kPressedTextShift : 0;
    host_.DrawText(caption_, ToPixels(place.text_x + shift, place.text_y + shift));
  }
  host_.Present();
}

void iButton::PaintStateImage() {
  // The image follows the state last requested through cMouseAction, not the argument
  // of the paint: a plain repaint keeps the cell and only moves the caption.
  const PicturePtr img = StateImage(locked_ ? kStatePressed : shown_state_);
  if (!img) {
    return;
  }
  const Size size = host_.ControlSize();
  const Rect whole{0, 0, size.cx, size.cy};
  if (host_.BackStyle() != 0) {
    host_.DrawPicture(*img, whole);
    if (icon_) {
      const double icon_width = icon_->WidthHimetric();
      const double text_width = caption_.empty() ? 0 : TextSizeTwips(caption_).cx;
      const CaptionPlacement place =
          PlaceCaption(WidthTwips(), HeightTwips(), text_width, 0, &icon_width);
      host_.DrawPictureNatural(*icon_, ToPixels(place.icon_x, place.icon_y));
    }
    return;
  }
  if (auto_size_) {
    host_.SetMaskPicture(img);
    host_.DrawPicture(*img, whole);
  } else {
    host_.SetBackStyle(1);
    host_.DrawPicture(*img, whole);
    host_.SetMaskPicture(host_.SnapshotImage());
    host_.SetBackStyle(0);
  }
}

void iButton::Repaint() {
  PaintState(CurrentState());
}

void iButton::DrawFocusMark() {
  const FocusMark mark = PlaceFocusMark(WidthTwips(), HeightTwips(), host_.DisplayTwipsPerPixelX(),
                                        host_.DisplayTwipsPerPixelY());
  host_.DrawFocusRect(Rect::FromEdges(mark.left, mark.top, mark.right, mark.bottom));
  host_.Present();
}

void iButton::FlipValue() {
  if (style_ == 1) {
    value_ = !value_;
  }
}

double iButton::WidthTwips() const {
  return PixelsToTwips(host_.ControlSize().cx);
}

double iButton::HeightTwips() const {
  return PixelsToTwips(host_.ControlSize().cy);
}

Size iButton::TextSizeTwips(const std::string& text) {
  const Size pixels = host_.MeasureText(text);
  return Size{pixels.cx * kTwipsPerPixel, pixels.cy * kTwipsPerPixel};
}

void iButton::Changed(std::string_view name) {
  host_.PropertyChanged(name);
}

iButtonEvents& iButton::Raise() const {
  return owner_ ? *owner_ : Silent();
}

// ---- notifications ----

void iButton::OnShow() {
  if (shown_once_) {
    return;
  }
  BuildStateImages();
  shown_once_ = true;
}

void iButton::OnResize() {
  if (auto_size_ && back_picture_) {
    const int cw = CellWidth(back_picture_->WidthHimetric(), style_);
    const int ch = CellHeight(back_picture_->HeightHimetric());
    // A strip too small to give a whole pixel per cell must not shrink the button away.
    if (cw > 0 && ch > 0) {
      host_.SetControlSize(Size{cw, ch});
    }
  }
  cMouseAction(CurrentState(), true);
}

void iButton::OnMouseMove(std::int16_t button, std::int16_t shift, int x, int y) {
  float fx = static_cast<float>(PixelsToTwips(x));
  float fy = static_cast<float>(PixelsToTwips(y));
  Raise().MouseMove(button, shift, fx, fy);
  if (host_.IsPointerOver()) {
    host_.ShowCursor(SystemCursor::kHand);
    if (!hovering_) {
      cMouseAction(kStateHover, false);
      hovering_ = true;
      if (!timer_running_) {
        host_.StartTimer(kHoverPollMs);
        timer_running_ = true;
      }
      Raise().MouseOver();
    }
  }
}

void iButton::OnTimer() {
  const bool over = host_.IsPointerOver();
  if (over && left_held_) {
    cMouseAction(kStatePressed, false);
  } else if (over) {
    // Still hovering: nothing to do.
  } else if (left_held_) {
    cMouseAction(kStateNormal, false);
  } else {
    if (timer_running_) {
      host_.StopTimer();
      timer_running_ = false;
    }
    hovering_ = false;
    Raise().MouseOut();
    cMouseAction(kStateNormal, false);
  }
}

void iButton::OnMouseDown(std::int16_t button, std::int16_t shift, int x, int y) {
  float fx = static_cast<float>(PixelsToTwips(x));
  float fy = static_cast<float>(PixelsToTwips(y));
  Raise().MouseDown(button, shift, fx, fy);
  last_button_ = button;
  if (button == kLeftButton) {
    host_.ShowCursor(SystemCursor::kArrow);
    cMouseAction(kStatePressed, false);
    left_held_ = true;
  }
}

void iButton::OnMouseUp(std::int16_t button, std::int16_t shift, int x, int y) {
  float fx = static_cast<float>(PixelsToTwips(x));
  float fy = static_cast<float>(PixelsToTwips(y));
  Raise().MouseUp(button, shift, fx, fy);
  if (button == kLeftButton) {
    if (host_.IsPointerOver()) {
      FlipValue();
      cMouseAction(kStateHover, true);
    } else {
      cMouseAction(kStateNormal, true);
    }
    left_held_ = false;
  }
}

void iButton::OnClick() {
  if (last_button_ == kLeftButton) {
    cMouseAction(CurrentState(), true);
    Raise().Click();
  }
}

void iButton::OnDblClick() {
  if (last_button_ == kLeftButton) {
    cMouseAction(kStatePressed, false);
  }
  Raise().DBClick();
}

void iButton::OnKeyDown(std::int16_t key_code, std::int16_t shift) {
  Raise().KeyDown(key_code, shift);
  if (key_code == kKeyEnter) {
    FlipValue();
    cMouseAction(CurrentState(), true);
    if (!hovering_) {
      DrawFocusMark();
    }
    Raise().Click();
  } else if (key_code == kKeySpace) {
    cMouseAction(kStatePressed, true);
    if (!hovering_) {
      DrawFocusMark();
    }
  }
}

void iButton::OnKeyUp(std::int16_t key_code, std::int16_t shift) {
  Raise().KeyUP(key_code, shift);
  if (key_code == kKeySpace) {
    FlipValue();
    cMouseAction(CurrentState(), true);
    if (!hovering_) {
      DrawFocusMark();
    }
    Raise().Click();
  }
}

void iButton::OnKeyPress(std::int16_t key_ascii) {
  Raise().KeyPress(key_ascii);
}

void iButton::OnGotFocus() {
  cMouseAction(CurrentState(), true);
  if (!left_held_) {
    DrawFocusMark();
  }
}

void iButton::OnLostFocus() {
  cMouseAction(CurrentState(), true);
}

}  // namespace orvane
