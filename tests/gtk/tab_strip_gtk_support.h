#pragma once
// Real GTK widgets for the strip's tests: a form with the strip and a page container,
// page widgets that unload by destroying themselves, synthesised pointer events and a
// recorder of the strip's events.

#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

#include "base/property_bag.h"
#include "tabstrip/gtk/utab_widget.h"
#include "tabstrip/tab_form.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/utab_events.h"

namespace orvane::testing {

inline bool GtkReady() {
  static const bool ready = gtk_init_check(nullptr, nullptr);
  return ready;
}

inline void Pump() {
  while (gtk_events_pending()) {
    gtk_main_iteration_do(FALSE);
  }
}

// Runs the main loop until `done` holds, for at most `limit_ms`; the test checks `done`.
template <class Done>
void PumpUntil(Done done, int limit_ms = 10000) {
  const gint64 end = g_get_monotonic_time() + gint64{limit_ms} * 1000;
  while (!done() && g_get_monotonic_time() < end) {
    while (gtk_events_pending()) {
      gtk_main_iteration_do(FALSE);
    }
    g_usleep(10000);
  }
}

// A page: a widget of its own until the strip takes it into its container.
class WidgetPage : public ITabForm {
 public:
  WidgetPage() : widget_(gtk_drawing_area_new()) {
    g_object_ref_sink(widget_);
    g_object_add_weak_pointer(G_OBJECT(widget_), reinterpret_cast<gpointer*>(&alive_));
    alive_ = widget_;
  }
  ~WidgetPage() override {
    Unload();
    if (alive_) {
      g_object_remove_weak_pointer(G_OBJECT(alive_), reinterpret_cast<gpointer*>(&alive_));
    }
  }
  WindowHandle hWnd() const override { return gtk::FromWidget(widget_); }
  void Initialize(IuTab* Implement, std::weak_ptr<CTabItem> Item) override {
    implement = Implement;
    item = std::move(Item);
  }
  void RefreshPage() override { ++refreshes; }
  void Unload() noexcept override {
    if (widget_) {
      GtkWidget* widget = widget_;
      widget_ = nullptr;
      gtk_widget_destroy(widget);
      g_object_unref(widget);
    }
    unloaded = true;
  }
  GtkWidget* Widget() const { return widget_; }
  // False once the widget has been finalised.
  bool Alive() const { return alive_ != nullptr; }

  IuTab* implement = nullptr;
  std::weak_ptr<CTabItem> item;
  int refreshes = 0;
  bool unloaded = false;

 private:
  GtkWidget* widget_;
  GtkWidget* alive_ = nullptr;
};

class EventRecorder : public IuTabEvents {
 public:
  void TabChanged() override { log.push_back("TabChanged"); }
  void OnDblClick(std::int32_t i, std::int16_t&, std::int16_t&, float&, float&) override {
    log.push_back("OnDblClick " + std::to_string(i));
  }
  void OnMouseDown(std::int32_t i, std::int16_t& b, std::int16_t& s, float&, float&) override {
    log.push_back("OnMouseDown " + std::to_string(i) + " b" + std::to_string(b) + " s" +
                  std::to_string(s));
  }
  void OnMouseHover(std::int32_t i, std::int16_t&, std::int16_t&, float&, float&) override {
    log.push_back("OnMouseHover " + std::to_string(i));
  }
  void OnMouseUp(std::int32_t i, std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("OnMouseUp " + std::to_string(i) + " b" + std::to_string(b));
  }
  void OnMouseLeave() override { log.push_back("OnMouseLeave"); }
  void OnItemColose(std::int32_t i, bool& cancel) override {
    log.push_back("OnItemColose " + std::to_string(i));
    cancel = refuse_close;
  }
  bool refuse_close = false;
  std::vector<std::string> log;
};

// A form with the strip (1000 wide) at (4, 4) and an overlay of 1000 x 500 at (4, 40) for
// the pages; round tabs, left margin 10, drawing unlocked, as the main window has it.
class StripForm {
 public:
  StripForm() {
    form_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_move(GTK_WINDOW(form_), 0, 0);
    gtk_window_set_default_size(GTK_WINDOW(form_), 1100, 640);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(form_), fixed);
    container_ = gtk_overlay_new();
    gtk_widget_set_size_request(container_, 1000, 500);
    gtk_fixed_put(GTK_FIXED(fixed), container_, 4, 40);
    strip_ = std::make_unique<gtk::uTabWidget>();
    gtk_widget_set_size_request(strip_->Widget(), 1000, 20);
    gtk_fixed_put(GTK_FIXED(fixed), strip_->Widget(), 4, 4);

    PropertyBag bag;
    bag.Write("TabStyle", std::int64_t{1});
    bag.Write("TabLeftSize", std::int64_t{10});
    strip_->ReadProperties(bag);
    strip_->SetEvents(&events);
    strip_->SethContainerWnd(container_);
    strip_->Strip().LockReDraw(false);
    gtk_widget_show_all(form_);
    PumpUntil([&] { return gtk_widget_get_allocated_height(strip_->Widget()) == 32; });
    Pump();
  }
  ~StripForm() {
    strip_.reset();
    gtk_widget_destroy(form_);
    Pump();
  }

  std::shared_ptr<WidgetPage> AddPage(const std::string& caption) {
    auto page = std::make_shared<WidgetPage>();
    pages.push_back(page);
    strip_->TabItems().Add(caption, page, "Game" + caption);
    Pump();
    return page;
  }
  gtk::uTabWidget& strip() { return *strip_; }
  void DestroyStrip() { strip_.reset(); }
  GtkWidget* form() const { return form_; }
  GtkWidget* container() const { return container_; }
  GtkWidget* area() const { return strip_->Widget(); }

  // Synthesised pointer events, delivered as GDK would deliver them.
  void Move(double x, double y, guint state = 0) {
    GdkEvent* e = NewEvent(GDK_MOTION_NOTIFY);
    e->motion.x = x;
    e->motion.y = y;
    e->motion.state = state;
    e->motion.time = Tick();
    Deliver(e);
  }
  void Press(guint button, double x, double y, guint state = 0, guint32 gap_ms = 1000) {
    time_ += gap_ms;
    GdkEvent* e = NewEvent(GDK_BUTTON_PRESS);
    e->button.button = button;
    e->button.x = x;
    e->button.y = y;
    e->button.state = state;
    e->button.time = time_;
    Deliver(e);
  }
  void Release(guint button, double x, double y, guint state = 0) {
    GdkEvent* e = NewEvent(GDK_BUTTON_RELEASE);
    e->button.button = button;
    e->button.x = x;
    e->button.y = y;
    e->button.state = state | (button == 1 ? GDK_BUTTON1_MASK : 0);
    e->button.time = Tick();
    Deliver(e);
  }
  void Leave() {
    GdkEvent* e = NewEvent(GDK_LEAVE_NOTIFY);
    e->crossing.mode = GDK_CROSSING_NORMAL;
    e->crossing.detail = GDK_NOTIFY_NONLINEAR;
    e->crossing.x = 500;
    e->crossing.y = 300;
    e->crossing.time = Tick();
    Deliver(e);
  }

  EventRecorder events;
  std::vector<std::shared_ptr<WidgetPage>> pages;

 private:
  guint32 Tick() { return time_ += 10; }
  GdkEvent* NewEvent(GdkEventType type) {
    GdkEvent* e = gdk_event_new(type);
    GdkWindow* window = gtk_widget_get_window(area());
    e->any.window = GDK_WINDOW(g_object_ref(window));
    e->any.send_event = TRUE;
    GdkDevice* pointer =
        gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
    gdk_event_set_device(e, pointer);
    gdk_event_set_source_device(e, pointer);
    return e;
  }
  void Deliver(GdkEvent* e) {
    gtk_main_do_event(e);
    gdk_event_free(e);
    Pump();
  }

  GtkWidget* form_ = nullptr;
  GtkWidget* container_ = nullptr;
  std::unique_ptr<gtk::uTabWidget> strip_;
  guint32 time_ = 100000;
};

inline GtkAllocation AllocationOf(GtkWidget* widget) {
  GtkAllocation a{};
  gtk_widget_get_allocation(widget, &a);
  return a;
}

}  // namespace orvane::testing
