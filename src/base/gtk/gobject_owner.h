#pragma once

#include <gtk/gtk.h>

#include <utility>

namespace orvane::gtk {

// One reference to a GObject (a widget, a gesture, a screen) held by a C++ object that
// connected signal handlers to it with itself as their data. Taking it sinks a floating
// reference (or adds one); letting go disconnects every handler of that data first, so
// no signal can reach the C++ object while it is being taken apart, then destroys a widget
// when asked to and drops the reference: the whole sequence in one place.
template <typename T>
class GObjectOwner {
 public:
  enum class Release { kUnref, kDestroyWidget };

  GObjectOwner() = default;
  GObjectOwner(T* object, gpointer handler_data, Release release = Release::kUnref)
      : object_(object), handler_data_(handler_data), release_(release) {
    if (object_)
      g_object_ref_sink(object_);
  }
  // For a reference the caller already holds (a new gesture or controller is not floating).
  static GObjectOwner Adopt(T* object, gpointer handler_data) {
    GObjectOwner owner;
    owner.object_ = object;
    owner.handler_data_ = handler_data;
    return owner;
  }
  ~GObjectOwner() { reset(); }
  GObjectOwner(GObjectOwner&& other) noexcept
      : object_(std::exchange(other.object_, nullptr)),
        handler_data_(other.handler_data_),
        release_(other.release_) {}
  GObjectOwner& operator=(GObjectOwner&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
      handler_data_ = other.handler_data_;
      release_ = other.release_;
    }
    return *this;
  }
  GObjectOwner(const GObjectOwner&) = delete;
  GObjectOwner& operator=(const GObjectOwner&) = delete;

  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  void reset() {
    T* object = std::exchange(object_, nullptr);
    if (object == nullptr)
      return;
    if (handler_data_)
      g_signal_handlers_disconnect_by_data(object, handler_data_);
    if (release_ == Release::kDestroyWidget)
      gtk_widget_destroy(GTK_WIDGET(object));
    g_object_unref(object);
  }

 private:
  T* object_ = nullptr;
  gpointer handler_data_ = nullptr;
  Release release_ = Release::kUnref;
};

}  // namespace orvane::gtk
