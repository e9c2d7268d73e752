#include "widgets/gtk/borderless_window.h"

#include <algorithm>

#include "base/rounding.h"
#include "base/units.h"
#include "widgets/gtk/gdk_input.h"
#include "base/gtk/guarded.h"
#include "widgets/gtk/work_area.h"

namespace orvane::gtk {

namespace {

cSetStyleWindow& Self(gpointer self) {
  return *static_cast<cSetStyleWindow*>(self);
}

const char* PointerName(ResizePointer pointer) {
  switch (pointer) {
    case ResizePointer::kSizeNS:
      return "ns-resize";
    case ResizePointer::kSizeNESW:
      return "nesw-resize";
    case ResizePointer::kSizeWE:
      return "ew-resize";
    case ResizePointer::kSizeNWSE:
      return "nwse-resize";
    case ResizePointer::kArrow:
      break;
  }
  return "default";
}

constexpr GdkEventMask kFormEvents = static_cast<GdkEventMask>(
    GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);

}  // namespace

cSetStyleWindow::~cSetStyleWindow() {
  Unwatch();
}

void cSetStyleWindow::SetWindowStyle(GtkWindow* hWnd) {
  Unwatch();
  if (form_ == nullptr) {
    form_ = hWnd;
  }
  watched_ = GObjectOwner<GtkWindow>(hWnd, this);
  gtk_window_set_decorated(watched_.get(), FALSE);
  gtk_widget_add_events(GTK_WIDGET(watched_.get()), kFormEvents);
  if (GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(watched_.get()))) {
    gdk_window_set_events(window,
                          static_cast<GdkEventMask>(gdk_window_get_events(window) | kFormEvents));
  }
  g_signal_connect(watched_.get(), "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(watched_.get(), "button-press-event", G_CALLBACK(OnButtonPress), this);
  g_signal_connect(watched_.get(), "button-release-event", G_CALLBACK(OnButtonRelease), this);
  g_signal_connect(watched_.get(), "delete-event", G_CALLBACK(OnDelete), this);

  screen_ = GObjectOwner<GdkScreen>(gtk_window_get_screen(watched_.get()), this);
  g_signal_connect(screen_.get(), "monitors-changed", G_CALLBACK(OnMonitorsChanged), this);
  g_signal_connect(screen_.get(), "size-changed", G_CALLBACK(OnMonitorsChanged), this);
  // Panels that move or grow change the work area published on the root window.
  root_ = GObjectOwner<GdkWindow>(gdk_screen_get_root_window(screen_.get()), nullptr);
  gdk_window_set_events(root_.get(), static_cast<GdkEventMask>(gdk_window_get_events(root_.get()) |
                                                               GDK_PROPERTY_CHANGE_MASK));
  gdk_window_add_filter(root_.get(), OnRootEvent, this);
}

void cSetStyleWindow::Unwatch() {
  if (pending_setting_change_ != 0) {
    g_source_remove(pending_setting_change_);
    pending_setting_change_ = 0;
  }
  if (root_) {
    gdk_window_remove_filter(root_.get(), OnRootEvent, this);
    root_.reset();
  }
  screen_.reset();
  watched_.reset();
}

bool cSetStyleWindow::OnForm(GdkWindow* window) const {
  return watched_ && window == gtk_widget_get_window(GTK_WIDGET(watched_.get()));
}

// ---- cSetStyleHost ----

Point cSetStyleWindow::CursorPos() {
  Point p;
  if (GdkDevice* pointer = PointerDevice(gtk_widget_get_display(GTK_WIDGET(watched_.get())))) {
    gdk_device_get_position(pointer, nullptr, &p.x, &p.y);
  }
  return p;
}

EdgeRect cSetStyleWindow::WindowRect() {
  GdkRectangle frame{};
  if (GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(watched_.get()))) {
    gdk_window_get_frame_extents(window, &frame);
  }
  return EdgeRect{frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
}

void cSetStyleWindow::SetFormPointer(ResizePointer pointer) {
  ShowNamedCursor(gtk_widget_get_window(GTK_WIDGET(watched_.get())), PointerName(pointer));
}

void cSetStyleWindow::MoveWindowTo(const EdgeRect& rect) {
  gtk_window_move(watched_.get(), rect.left, rect.top);
  gtk_window_resize(watched_.get(), std::max(rect.right - rect.left, 1),
                    std::max(rect.bottom - rect.top, 1));
}

FormPlace cSetStyleWindow::Place() {
  GtkWindow* form = form_ ? form_ : watched_.get();
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  gtk_window_get_position(form, &x, &y);
  gtk_window_get_size(form, &width, &height);
  return FormPlace{PixelsToTwips(x), PixelsToTwips(y), PixelsToTwips(width), PixelsToTwips(height)};
}

void cSetStyleWindow::MoveForm(const FormPlace& place) {
  GtkWindow* form = form_ ? form_ : watched_.get();
  gtk_window_move(form, TwipsToPixels(place.left), TwipsToPixels(place.top));
  gtk_window_resize(form, std::max(TwipsToPixels(place.width), 1),
                    std::max(TwipsToPixels(place.height), 1));
}

bool cSetStyleWindow::Minimised() {
  GtkWindow* form = form_ ? form_ : watched_.get();
  GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(form));
  return window && (gdk_window_get_state(window) & GDK_WINDOW_STATE_ICONIFIED) != 0;
}

ScreenMetrics cSetStyleWindow::Screen() {
  GtkWindow* form = form_ ? form_ : watched_.get();
  GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(form));
  ScreenMetrics metrics;
  if (window == nullptr) {
    return metrics;
  }
  const MonitorArea area = MonitorAreaOf(window);
  metrics.left = PixelsToTwips(area.geometry.x);
  metrics.top = PixelsToTwips(area.geometry.y);
  metrics.width = PixelsToTwips(area.geometry.width);
  metrics.height = PixelsToTwips(area.geometry.height);
  metrics.work_area_bottom = area.workarea.y + area.workarea.height - area.geometry.y;
  metrics.twips_per_pixel_x = kTwipsPerPixel;
  return metrics;
}

// ---- native events ----

gboolean cSetStyleWindow::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
  auto& style = Self(self);
  // GTK may offer a top-level window the same move twice as it propagates it.
  if (event == style.last_motion_ && event->time == style.last_motion_time_) {
    return FALSE;
  }
  style.last_motion_ = event;
  style.last_motion_time_ = event->time;
  // Moves over the form itself, or anywhere while a resize holds the pointer.
  if (style.OnForm(event->window) || style.logic_.Resizing()) {
    Guarded("cSetStyle.MouseMove",
            [&] { style.logic_.OnMouseMove((event->state & GDK_BUTTON1_MASK) != 0); });
  }
  return FALSE;
}

gboolean cSetStyleWindow::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto& style = Self(self);
  if (event->type == GDK_BUTTON_PRESS && event->button == 1 && style.OnForm(event->window)) {
    Guarded("cSetStyle.MouseDown", [&] { style.logic_.OnLeftButtonDown(); });
  }
  return FALSE;
}

gboolean cSetStyleWindow::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto& style = Self(self);
  if (event->button == 1) {
    Guarded("cSetStyle.MouseUp", [&] { style.logic_.OnLeftButtonUp(); });
  }
  return FALSE;
}

gboolean cSetStyleWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  Guarded("cSetStyle.CloseClick", [&] { Self(self).logic_.OnCloseCommand(); });
  // The close request goes on to the form's own handling.
  return FALSE;
}

void cSetStyleWindow::OnMonitorsChanged(GdkScreen*, gpointer self) {
  auto& style = Self(self);
  if (style.pending_setting_change_ == 0) {
    style.pending_setting_change_ = g_idle_add(OnSettingChangeIdle, self);
  }
}

GdkFilterReturn cSetStyleWindow::OnRootEvent(GdkXEvent* native, GdkEvent*, gpointer self) {
  auto& style = Self(self);
  if (style.screen_ && IsWorkAreaChange(gdk_screen_get_display(style.screen_.get()), native)) {
    // Reacted to once the event has been dealt with, outside the event filter.
    OnMonitorsChanged(style.screen_.get(), self);
  }
  return GDK_FILTER_CONTINUE;
}

gboolean cSetStyleWindow::OnSettingChangeIdle(gpointer self) {
  auto& style = Self(self);
  style.pending_setting_change_ = 0;
  Guarded("cSetStyle.SettingChange", [&] { style.logic_.OnSettingChange(); });
  return G_SOURCE_REMOVE;
}

}  // namespace orvane::gtk
