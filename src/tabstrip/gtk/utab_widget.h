#pragma once

#include <gtk/gtk.h>

#include <string>

#include "base/gtk/gobject_owner.h"
#include "base/gtk/cairo_canvas.h"
#include "base/gtk/cairo_handles.h"
#include "tabstrip/gtk/page_window_ops_gtk.h"
#include "tabstrip/gtk/widget_handle.h"
#include "tabstrip/utab.h"
#include "tabstrip/utab_host.h"

namespace orvane {
class IuTabEvents;
class PropertyBag;
}  // namespace orvane

namespace orvane::gtk {

// The tab strip as a GTK widget: a drawing area that shows the strip's back buffer and
// feeds the pointer's moves, presses, releases and leaving, and its own size, to the
// strip's logic. Pages are hosted in a container widget the host names (a GtkOverlay, so
// that each page fills it).
class uTabWidget final : private IuTabHost {
 public:
  uTabWidget();
  ~uTabWidget();
  uTabWidget(const uTabWidget&) = delete;
  uTabWidget& operator=(const uTabWidget&) = delete;

  // The drawing area, for the host to pack.
  GtkWidget* Widget() const { return area_.get(); }
  uTab& Strip() { return strip_; }
  const uTab& Strip() const { return strip_; }
  CTabItems& TabItems() { return strip_.TabItems(); }
  void SetEvents(IuTabEvents* events) { strip_.SetEvents(events); }

  void ReadProperties(const PropertyBag& bag) { strip_.ReadProperties(bag); }
  void WriteProperties(PropertyBag& bag) const { strip_.WriteProperties(bag); }

  void SethContainerWnd(GtkWidget* container) { strip_.SethContainerWnd(FromWidget(container)); }
  GtkWidget* hContainerWnd() const { return ToWidget(strip_.hContainerWnd()); }

  // The tip shown while the pointer rests on the strip (UTF-8; empty: none).
  void SetToolTipText(const std::string& text);
  std::string ToolTipText() const;

 private:
  static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static void OnSizeAllocate(GtkWidget* widget, GdkRectangle* allocation, gpointer self);
  static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
  static gboolean OnRelease(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean OnLeave(GtkWidget* widget, GdkEventCrossing* event, gpointer self);
  static void OnPressed(GtkGestureMultiPress* gesture, gint n_press, gdouble x, gdouble y,
                        gpointer self);
  static void OnContainerSizeAllocate(GtkWidget* widget, GdkRectangle* allocation, gpointer self);

  // IuTabHost
  WindowHandle Window() const override { return FromWidget(area_.get()); }
  WindowHandle ParentForm() const override;
  void SetStripHeight(int height) override;
  void WatchContainer(WindowHandle container) override;
  void HostPage(WindowHandle container, WindowHandle page) override;
  void FitPage(WindowHandle container, WindowHandle page) override;
  void TrackMouseLeave() override { leave_requested_ = true; }
  void PresentBackBuffer(const Surface& back_buffer) override;

  void UnwatchContainer();

  // Created in this order; released in the reverse.
  CairoCanvas canvas_;
  PageWindowOps window_ops_;
  uTab strip_;
  using AreaOwner = GObjectOwner<GtkWidget>;
  AreaOwner area_;
  GObjectOwner<GtkGesture> press_gesture_;
  GtkWidget* container_ = nullptr;  // weakly watched
  int width_ = -1;
  int height_ = -1;
  guint resize_source_ = 0;
  // Like the platform's leave tracking: one report per request made by a move.
  bool leave_requested_ = false;
};

}  // namespace orvane::gtk
