#include "tabstrip/gtk/utab_widget.h"

#include "base/gtk/cairo_surface.h"
#include "base/gtk/guarded.h"
#include "tabstrip/gtk/gdk_mouse_input.h"
#include "tabstrip/gtk/page_hosting_gtk.h"
#include "tabstrip/tab_strip_painter.h"

namespace orvane::gtk {
namespace {

uTabWidget* Self(gpointer self) {
  return static_cast<uTabWidget*>(self);
}

}  // namespace

uTabWidget::uTabWidget() : strip_(*this, window_ops_) {
  area_ = AreaOwner(gtk_drawing_area_new(), this, AreaOwner::Release::kDestroyWidget);
  gtk_widget_add_events(area_.get(), GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                         GDK_BUTTON_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK |
                                         GDK_ENTER_NOTIFY_MASK);
  gtk_widget_set_has_tooltip(area_.get(), FALSE);
  gtk_widget_set_size_request(area_.get(), -1, strip_.StripHeight());

  g_signal_connect(area_.get(), "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(area_.get(), "size-allocate", G_CALLBACK(OnSizeAllocate), this);
  g_signal_connect(area_.get(), "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(area_.get(), "button-release-event", G_CALLBACK(OnRelease), this);
  g_signal_connect(area_.get(), "leave-notify-event", G_CALLBACK(OnLeave), this);
  // Presses come counted: the second press of a double-click is the double-click itself,
  // as it is for the platform this control was first made for.
  press_gesture_ = GObjectOwner<GtkGesture>::Adopt(gtk_gesture_multi_press_new(area_.get()), this);
  gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(press_gesture_.get()), 0);
  gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(press_gesture_.get()),
                                             GTK_PHASE_BUBBLE);
  g_signal_connect(press_gesture_.get(), "pressed", G_CALLBACK(OnPressed), this);

  try {
    strip_.SetPainter(std::make_unique<TabStripPainter>(canvas_, strip_));
  } catch (const std::exception&) {
    // Without its skins the strip still works; it only shows no picture.
  }
}

uTabWidget::~uTabWidget() {
  if (resize_source_ != 0) {
    g_source_remove(resize_source_);
  }
  UnwatchContainer();
  press_gesture_.reset();
  area_.reset();
}

void uTabWidget::SetToolTipText(const std::string& text) {
  gtk_widget_set_tooltip_text(area_.get(), text.empty() ? nullptr : text.c_str());
}

std::string uTabWidget::ToolTipText() const {
  gchar* text = gtk_widget_get_tooltip_text(area_.get());
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

gboolean uTabWidget::OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self) {
  Guarded("tab strip", [&] {
    CairoSurface target(cr, gtk_widget_get_allocated_width(widget),
                        gtk_widget_get_allocated_height(widget));
    Self(self)->strip_.Paint(target);
  });
  return TRUE;
}

void uTabWidget::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self) {
  uTabWidget* me = Self(self);
  if (allocation->width == me->width_ && allocation->height == me->height_) {
    return;
  }
  me->width_ = allocation->width;
  me->height_ = allocation->height;
  Guarded("tab strip", [&] { me->strip_.Resize(allocation->width); });
}

gboolean uTabWidget::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
  Guarded("tab strip", [&] {
    Self(self)->strip_.MouseMove(HeldButtons(event->state), ShiftState(event->state),
                                 static_cast<float>(event->x), static_cast<float>(event->y));
  });
  return TRUE;
}

void uTabWidget::OnPressed(GtkGestureMultiPress* gesture, gint n_press, gdouble x, gdouble y,
                           gpointer self) {
  GtkGestureSingle* single = GTK_GESTURE_SINGLE(gesture);
  const std::int16_t button = ButtonOf(gtk_gesture_single_get_current_button(single));
  if (button == 0) {
    return;
  }
  GdkModifierType state{};
  const GdkEvent* event = gtk_gesture_get_last_event(
      GTK_GESTURE(gesture), gtk_gesture_single_get_current_sequence(single));
  if (event) {
    gdk_event_get_state(event, &state);
  }
  uTabWidget* me = Self(self);
  Guarded("tab strip", [&] {
    if (n_press == 2 && button == kLeftButton) {
      me->strip_.DblClick();
    } else {
      me->strip_.MouseDown(button, ShiftState(state), static_cast<float>(x), static_cast<float>(y));
    }
  });
}

gboolean uTabWidget::OnRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
  const std::int16_t button = ButtonOf(event->button);
  if (button != 0) {
    Guarded("tab strip", [&] {
      Self(self)->strip_.MouseUp(button, ShiftState(event->state), static_cast<float>(event->x),
                                 static_cast<float>(event->y));
    });
  }
  return FALSE;
}

gboolean uTabWidget::OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer self) {
  uTabWidget* me = Self(self);
  // Moving into a window inside the strip is not leaving it.
  if (event->detail == GDK_NOTIFY_INFERIOR || !me->leave_requested_) {
    return FALSE;
  }
  me->leave_requested_ = false;
  Guarded("tab strip", [&] { me->strip_.MouseLeave(); });
  return FALSE;
}

WindowHandle uTabWidget::ParentForm() const {
  GtkWidget* top = gtk_widget_get_toplevel(area_.get());
  return (top && top != area_.get() && gtk_widget_is_toplevel(top)) ? FromWidget(top) : 0;
}

void uTabWidget::SetStripHeight(int height) {
  int width = -1;
  int current = -1;
  gtk_widget_get_size_request(area_.get(), &width, &current);
  if (current == height) {
    return;
  }
  gtk_widget_set_size_request(area_.get(), width, height);
  // Asked from inside a size allocation, GTK would drop the new request's relayout; it
  // is queued once the allocation is over.
  if (resize_source_ == 0) {
    resize_source_ = g_idle_add(
        [](gpointer self) -> gboolean {
          uTabWidget* me = Self(self);
          me->resize_source_ = 0;
          gtk_widget_queue_resize(me->area_.get());
          return G_SOURCE_REMOVE;
        },
        this);
  }
}

void uTabWidget::WatchContainer(WindowHandle container) {
  GtkWidget* widget = ToWidget(container);
  if (widget == container_) {
    return;
  }
  UnwatchContainer();
  if (!widget) {
    return;
  }
  container_ = widget;
  g_object_add_weak_pointer(G_OBJECT(container_), reinterpret_cast<gpointer*>(&container_));
  g_signal_connect_after(container_, "size-allocate", G_CALLBACK(OnContainerSizeAllocate), this);
}

void uTabWidget::UnwatchContainer() {
  if (!container_) {
    return;
  }
  g_signal_handlers_disconnect_by_data(container_, this);
  g_object_remove_weak_pointer(G_OBJECT(container_), reinterpret_cast<gpointer*>(&container_));
  container_ = nullptr;
}

void uTabWidget::OnContainerSizeAllocate(GtkWidget*, GdkRectangle*, gpointer self) {
  Guarded("tab strip", [&] { Self(self)->strip_.ContainerResized(); });
}

void uTabWidget::HostPage(WindowHandle container, WindowHandle page) {
  HostPageWidget(ToWidget(container), ToWidget(page));
}

void uTabWidget::FitPage(WindowHandle container, WindowHandle page) {
  FitPageWidget(ToWidget(container), ToWidget(page));
}

void uTabWidget::PresentBackBuffer(const Surface&) {
  // GTK draws only when it asks for a picture: the draw that follows copies the back buffer.
  gtk_widget_queue_draw(area_.get());
}

}  // namespace orvane::gtk
