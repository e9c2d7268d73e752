#include "widgets/gtk/caption_bar_widget.h"

#include <gdk/gdkx.h>

#include "base/resource_ids.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/gdk_input.h"
#include "base/gtk/guarded.h"
#include "widgets/gtk/widget_text.h"

namespace orvane::gtk {

namespace {

BFormWidget& Self(gpointer self) {
  return *static_cast<BFormWidget*>(self);
}

const FontSpec& BarFont() {
  static const FontSpec font{std::string(kSongTiFace), kBarFontPoints, true};
  return font;
}

gboolean KeepWaking(gpointer) {
  return G_SOURCE_CONTINUE;
}

bool LeftButtonHeld(GdkDisplay* display) {
  GdkDevice* pointer = PointerDevice(display);
  if (pointer == nullptr) {
    return false;
  }
  GdkWindow* root = gdk_screen_get_root_window(gdk_display_get_default_screen(display));
  GdkModifierType mask{};
  gdk_window_get_device_position(root, pointer, nullptr, nullptr, &mask);
  return (mask & GDK_BUTTON1_MASK) != 0;
}

}  // namespace

WindowHandle WindowHandleOf(GtkWidget* toplevel) {
  GdkWindow* window = toplevel ? gtk_widget_get_window(toplevel) : nullptr;
  if (window == nullptr || !GDK_IS_X11_WINDOW(window)) {
    return 0;
  }
  return static_cast<WindowHandle>(gdk_x11_window_get_xid(window));
}

BFormWidget::BFormWidget(GtkFixed* parent, const Rect& place, PicturePtr skin)
    : parent_(parent),
      widget_(gtk_drawing_area_new(), this, WidgetOwner::Release::kDestroyWidget),
      size_{place.width, place.height},
      image_(size_, kBarDefaultBackColor),
      skin_(skin ? std::move(skin) : LoadBitmapPicture(ORVANE_BITMAP_CAPTION_SKIN)) {
  gtk_widget_add_events(widget_.get(),
                        GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK);
  gtk_widget_set_size_request(widget_.get(), size_.cx, size_.cy);
  g_signal_connect(widget_.get(), "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(widget_.get(), "size-allocate", G_CALLBACK(OnSizeAllocate), this);
  g_signal_connect(widget_.get(), "button-press-event", G_CALLBACK(OnButtonPress), this);
  g_signal_connect(widget_.get(), "motion-notify-event", G_CALLBACK(OnMotion), this);
  gtk_fixed_put(parent_, widget_.get(), place.x, place.y);
  logic_ = std::make_unique<BForm>(static_cast<BFormHost&>(*this));
  // Placed and sized on its form: the bar takes its height and paints.
  logic_->OnResize();
}

BFormWidget::~BFormWidget() {
  logic_.reset();
  widget_.reset();
}

void BFormWidget::Move(const Rect& place) {
  gtk_fixed_move(parent_, widget_.get(), place.x, place.y);
  Resized(Size{place.width, place.height});
}

void BFormWidget::Resized(Size size) {
  if (size == size_) {
    return;
  }
  size_ = size;
  image_.Resize(size_);
  gtk_widget_set_size_request(widget_.get(), size_.cx, size_.cy);
  logic_->OnResize();
}

void BFormWidget::CopyPicture(const Picture& picture, const Rect& source, Point dest) {
  CopyPictureOnto(image_.Context(), picture, source, dest);
}

void BFormWidget::SetBarHeight(int pixels) {
  size_.cy = pixels;
  image_.Resize(size_);
  gtk_widget_set_size_request(widget_.get(), size_.cx, size_.cy);
}

void BFormWidget::PrintText(std::string_view text, Point at) {
  DrawLine(image_.Context(), BarFont(), kBarTextColour, text, at);
}

void BFormWidget::ShowCursor(SystemCursor cursor) {
  ShowNamedCursor(gtk_widget_get_window(widget_.get()),
                  cursor == SystemCursor::kHand ? "pointer" : "default");
}

void BFormWidget::DragWindow(WindowHandle window) {
  GdkDisplay* display = gtk_widget_get_display(widget_.get());
  if (window == 0 || !press_ || !GDK_IS_X11_DISPLAY(display)) {
    return;
  }
  GdkWindow* target = gdk_x11_window_lookup_for_display(display, window);
  // A press already let go (a quick click) has nothing left to drag; starting a move
  // then would leave a grab waiting for a release that has come and gone.
  if (target == nullptr || !LeftButtonHeld(display)) {
    return;
  }
  // The window manager (or GDK standing in for one) moves the window until the button
  // comes up; like a press on a real title bar, this returns only after the drop.
  gdk_window_begin_move_drag(target, static_cast<gint>(press_->button), press_->x_root,
                             press_->y_root, press_->time);
  const guint wake = g_timeout_add(15, KeepWaking, nullptr);
  while (LeftButtonHeld(display)) {
    g_main_context_iteration(nullptr, TRUE);
  }
  g_source_remove(wake);
}

void BFormWidget::PropertyChanged(std::string_view) {
  // No form designer runs with the program.
}

gboolean BFormWidget::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  Self(self).image_.PaintOnto(cr);
  return TRUE;
}

void BFormWidget::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self) {
  Guarded("BForm.Resize", [&] { Self(self).Resized(Size{allocation->width, allocation->height}); });
}

gboolean BFormWidget::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto& bar = Self(self);
  const auto press = bar.clicks_.OnPress(*event);
  if (press == ClickSequence::Press::kIgnore) {
    return TRUE;
  }
  Guarded("BForm.MouseDown", [&] {
    if (press == ClickSequence::Press::kDoubleClick) {
      bar.logic_->OnDblClick();
      return;
    }
    bar.press_ = PressPoint{event->button, static_cast<int>(event->x_root),
                            static_cast<int>(event->y_root), event->time};
    bar.logic_->OnMouseDown(ButtonOf(event->button), ShiftOf(event->state),
                            static_cast<int>(event->x), static_cast<int>(event->y));
    bar.press_.reset();
  });
  return TRUE;
}

gboolean BFormWidget::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
  auto& bar = Self(self);
  Guarded("BForm.MouseMove", [&] {
    bar.logic_->OnMouseMove(ButtonsHeld(event->state), ShiftOf(event->state),
                            static_cast<int>(event->x), static_cast<int>(event->y));
  });
  return TRUE;
}

}  // namespace orvane::gtk
