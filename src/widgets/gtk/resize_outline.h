#pragma once

#include <gtk/gtk.h>

#include <optional>

#include "base/gtk/gobject_owner.h"
#include "widgets/borderless_geometry.h"

namespace orvane::gtk {

// The outline that follows a resize drag: a one-pixel dotted frame in a small window of
// its own above everything, which takes no input. Drawing the rectangle it shows
// removes it, as drawing a focus rectangle twice does on Windows.
class ResizeOutline {
 public:
  ResizeOutline() = default;
  ~ResizeOutline();
  ResizeOutline(const ResizeOutline&) = delete;
  ResizeOutline& operator=(const ResizeOutline&) = delete;

  void Draw(const EdgeRect& rect);
  const std::optional<EdgeRect>& Shown() const { return shown_; }

 private:
  void Show(const EdgeRect& rect);
  void Hide();
  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer);

  using PopupOwner = GObjectOwner<GtkWidget>;
  PopupOwner popup_;
  std::optional<EdgeRect> shown_;
};

}  // namespace orvane::gtk
