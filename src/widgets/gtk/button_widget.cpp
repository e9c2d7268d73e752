#include "widgets/gtk/button_widget.h"

#include "base/units.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/focus_mark.h"
#include "widgets/gtk/gdk_input.h"
#include "base/gtk/guarded.h"
#include "widgets/gtk/mask_region.h"
#include "widgets/gtk/widget_text.h"

namespace orvane::gtk {

namespace {

iButtonWidget& Self(gpointer self) {
  return *static_cast<iButtonWidget*>(self);
}

// Cells are cut onto black: what lies right of the strip comes out black, as a copy
// from beyond a bitmap does on Windows.
class CairoStripSource final : public StripSource {
 public:
  explicit CairoStripSource(cairo_surface_t* strip) : strip_(strip) {}
  PicturePtr CutCell(int x, int y, int w, int h) override {
    UniqueCairoSurface cell = NewBlackImage(w, h);
    if (cell && strip_) {
      UniqueCairo cr(cairo_create(cell.get()));
      cairo_set_source_surface(cr.get(), strip_, -x, -y);
      cairo_paint(cr.get());
    }
    return std::make_shared<CairoPicture>(std::move(cell));
  }

 private:
  cairo_surface_t* strip_;
};

}  // namespace

iButtonWidget::iButtonWidget(GtkFixed* parent, const Rect& place)
    : parent_(parent),
      widget_(gtk_drawing_area_new(), this, WidgetOwner::Release::kDestroyWidget),
      size_{place.width, place.height},
      image_(size_, kButtonInitialBackColour) {
  gtk_widget_set_can_focus(widget_.get(), TRUE);
  gtk_widget_add_events(widget_.get(), GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                           GDK_POINTER_MOTION_MASK | GDK_KEY_PRESS_MASK |
                                           GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK);
  gtk_widget_set_size_request(widget_.get(), size_.cx, size_.cy);
  g_signal_connect(widget_.get(), "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(widget_.get(), "map", G_CALLBACK(OnMap), this);
  g_signal_connect_after(widget_.get(), "realize", G_CALLBACK(OnRealize), this);
  g_signal_connect(widget_.get(), "size-allocate", G_CALLBACK(OnSizeAllocate), this);
  g_signal_connect(widget_.get(), "button-press-event", G_CALLBACK(OnButtonPress), this);
  g_signal_connect(widget_.get(), "button-release-event", G_CALLBACK(OnButtonRelease), this);
  g_signal_connect(widget_.get(), "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(widget_.get(), "key-press-event", G_CALLBACK(OnKeyPress), this);
  g_signal_connect(widget_.get(), "key-release-event", G_CALLBACK(OnKeyRelease), this);
  g_signal_connect(widget_.get(), "focus-in-event", G_CALLBACK(OnFocusIn), this);
  g_signal_connect(widget_.get(), "focus-out-event", G_CALLBACK(OnFocusOut), this);
  gtk_fixed_put(parent_, widget_.get(), place.x, place.y);
  logic_ = std::make_unique<iButton>(static_cast<iButtonHost&>(*this));
}

iButtonWidget::~iButtonWidget() {
  logic_.reset();
  if (timer_ != 0) {
    g_source_remove(timer_);
  }
  widget_.reset();
}

void iButtonWidget::Move(const Rect& place) {
  gtk_fixed_move(parent_, widget_.get(), place.x, place.y);
  SetControlSize(Size{place.width, place.height});
}

// ---- iButtonHost ----

void iButtonWidget::SetControlSize(Size size) {
  if (size == size_) {
    return;
  }
  size_ = size;
  image_.Resize(size_);
  shape_dirty_ = true;
  gtk_widget_set_size_request(widget_.get(), size_.cx, size_.cy);
  // The form sees the new size at once, and so does the button's own resize handling.
  logic_->OnResize();
}

void iButtonWidget::Clear() {
  image_.Clear();
}

void iButtonWidget::DrawPicture(const Picture& picture, const Rect& dest) {
  const auto* own = dynamic_cast<const CairoPicture*>(&picture);
  if (own == nullptr || own->Image() == nullptr || dest.Empty()) {
    return;
  }
  cairo_t* cr = image_.Context();
  CairoSaved saved(cr);
  cairo_rectangle(cr, dest.x, dest.y, dest.width, dest.height);
  cairo_clip(cr);
  cairo_translate(cr, dest.x, dest.y);
  cairo_scale(cr, static_cast<double>(dest.width) / own->Width(),
              static_cast<double>(dest.height) / own->Height());
  cairo_set_source_surface(cr, own->Image(), 0, 0);
  // Pixels are repeated or dropped, as the platform's default stretch does.
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_paint(cr);
}

void iButtonWidget::DrawPictureNatural(const Picture& picture, Point at) {
  cairo_surface_t* source = ImageOf(picture);
  if (source == nullptr) {
    return;
  }
  cairo_t* cr = image_.Context();
  CairoSaved saved(cr);
  cairo_set_source_surface(cr, source, at.x, at.y);
  cairo_paint(cr);
}

Size iButtonWidget::MeasureText(std::string_view text) {
  return MeasureLine(image_.Context(), font_, text);
}

void iButtonWidget::DrawText(std::string_view text, Point at) {
  DrawLine(image_.Context(), font_, fore_colour_, text, at);
}

void iButtonWidget::DrawFocusRect(const Rect& rect) {
  InvertFocusRect(image_.Surface(), rect);
}

void iButtonWidget::Present() {
  if (shape_dirty_) {
    ApplyShape();
  }
  gtk_widget_queue_draw(widget_.get());
}

bool iButtonWidget::Enabled() const {
  return gtk_widget_get_sensitive(widget_.get());
}

void iButtonWidget::SetEnabled(bool enabled) {
  gtk_widget_set_sensitive(widget_.get(), enabled);
}

void iButtonWidget::SetBackStyle(std::int16_t style) {
  if (style != back_style_) {
    back_style_ = style;
    shape_dirty_ = true;
  }
}

void iButtonWidget::SetMaskPicture(PicturePtr mask) {
  mask_ = std::move(mask);
  shape_dirty_ = true;
}

PicturePtr iButtonWidget::SnapshotImage() {
  UniqueCairoSurface copy = NewBlackImage(size_.cx, size_.cy);
  if (copy) {
    UniqueCairo cr(cairo_create(copy.get()));
    image_.PaintOnto(cr.get());
  }
  return std::make_shared<CairoPicture>(std::move(copy));
}

double iButtonWidget::DisplayTwipsPerPixelX() const {
  const double dpi = gdk_screen_get_resolution(gtk_widget_get_screen(widget_.get()));
  return dpi > 0 ? 1440.0 / dpi : kTwipsPerPixel;
}

bool iButtonWidget::IsPointerOver() {
  return IsPointerOverWidget(widget_.get());
}

void iButtonWidget::ShowCursor(SystemCursor cursor) {
  ShowNamedCursor(gtk_widget_get_window(widget_.get()),
                  cursor == SystemCursor::kHand ? "pointer" : "default");
}

void iButtonWidget::StartTimer(int interval_ms) {
  if (timer_ == 0) {
    timer_ = g_timeout_add(static_cast<guint>(interval_ms), OnTick, this);
  }
}

void iButtonWidget::StopTimer() {
  if (timer_ != 0) {
    g_source_remove(timer_);
    timer_ = 0;
  }
}

std::unique_ptr<StripSource> iButtonWidget::OpenStrip(const Picture& strip) {
  return std::make_unique<CairoStripSource>(ImageOf(strip));
}

void iButtonWidget::PropertyChanged(std::string_view) {
  // No form designer runs with the program; a form saves its controls when it chooses.
}

// ---- native events ----

void iButtonWidget::ApplyShape() {
  shape_dirty_ = false;
  shape_.reset();
  if (back_style_ == 0 && mask_) {
    if (cairo_surface_t* mask = ImageOf(*mask_)) {
      shape_ = RegionOutsideColour(mask, kButtonMaskColour, size_.cx, size_.cy);
    }
  }
  // The window's shape keeps the cut-away parts from taking input; drawing is clipped
  // to it by the draw handler, since GTK paints child windows in one pass.
  gtk_widget_shape_combine_region(widget_.get(), shape_.get());
  gtk_widget_input_shape_combine_region(widget_.get(), shape_.get());
}

bool iButtonWidget::Inside(double x, double y) const {
  return x >= 0 && y >= 0 && x < size_.cx && y < size_.cy;
}

gboolean iButtonWidget::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto& button = Self(self);
  if (button.shape_) {
    gdk_cairo_region(cr, button.shape_.get());
    cairo_clip(cr);
  }
  button.image_.PaintOnto(cr);
  return TRUE;
}

void iButtonWidget::OnMap(GtkWidget*, gpointer self) {
  Guarded("iButton.Show", [&] { Self(self).logic_->OnShow(); });
}

void iButtonWidget::OnRealize(GtkWidget*, gpointer self) {
  Self(self).ApplyShape();
}

void iButtonWidget::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self) {
  auto& button = Self(self);
  const Size allocated{allocation->width, allocation->height};
  if (allocated != button.size_) {
    Guarded("iButton.Resize", [&] { button.SetControlSize(allocated); });
  }
}

gboolean iButtonWidget::OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self) {
  auto& button = Self(self);
  const auto press = button.clicks_.OnPress(*event);
  if (press == ClickSequence::Press::kIgnore) {
    return TRUE;
  }
  gtk_widget_grab_focus(widget);
  Guarded("iButton.MouseDown", [&] {
    if (press == ClickSequence::Press::kDoubleClick) {
      button.logic_->OnDblClick();
    } else {
      button.logic_->OnMouseDown(ButtonOf(event->button), ShiftOf(event->state),
                                 static_cast<int>(event->x), static_cast<int>(event->y));
    }
  });
  return TRUE;
}

gboolean iButtonWidget::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto& button = Self(self);
  const bool click = button.clicks_.OnRelease(*event, button.Inside(event->x, event->y));
  Guarded("iButton.MouseUp", [&] {
    button.logic_->OnMouseUp(ButtonOf(event->button), ShiftOf(event->state),
                             static_cast<int>(event->x), static_cast<int>(event->y));
    if (click) {
      button.logic_->OnClick();
    }
  });
  return TRUE;
}

gboolean iButtonWidget::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
  auto& button = Self(self);
  Guarded("iButton.MouseMove", [&] {
    button.logic_->OnMouseMove(ButtonsHeld(event->state), ShiftOf(event->state),
                               static_cast<int>(event->x), static_cast<int>(event->y));
  });
  return TRUE;
}

gboolean iButtonWidget::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto& button = Self(self);
  Guarded("iButton.KeyDown", [&] {
    button.logic_->OnKeyDown(KeyCodeOf(event->keyval), ShiftOf(event->state));
    if (const auto ascii = KeyAsciiOf(event->keyval)) {
      button.logic_->OnKeyPress(*ascii);
    }
  });
  return TRUE;
}

gboolean iButtonWidget::OnKeyRelease(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto& button = Self(self);
  Guarded("iButton.KeyUp",
          [&] { button.logic_->OnKeyUp(KeyCodeOf(event->keyval), ShiftOf(event->state)); });
  return TRUE;
}

gboolean iButtonWidget::OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self) {
  Guarded("iButton.GotFocus", [&] { Self(self).logic_->OnGotFocus(); });
  return FALSE;
}

gboolean iButtonWidget::OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
  Guarded("iButton.LostFocus", [&] { Self(self).logic_->OnLostFocus(); });
  return FALSE;
}

gboolean iButtonWidget::OnTick(gpointer self) {
  auto& button = Self(self);
  Guarded("iButton.Timer1", [&] { button.logic_->OnTimer(); });
  return button.timer_ != 0 ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

}  // namespace orvane::gtk
