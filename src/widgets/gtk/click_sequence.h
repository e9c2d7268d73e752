#pragma once

#include <gtk/gtk.h>

namespace orvane::gtk {

// Puts GTK's button events into the order the controls expect: press, release, click;
// and for a double-click press, release, click, double-click, release. GTK reports the
// second press of a double-click as a plain press followed by a double-press event; here
// the second press itself is the double-click and the double-press event is dropped.
class ClickSequence {
 public:
  enum class Press { kPress, kDoubleClick, kIgnore };

  Press OnPress(const GdkEventButton& event);
  // Whether the release is followed by a click: released over the control, and not the
  // release that ends a double-click.
  bool OnRelease(const GdkEventButton& event, bool over_control);

 private:
  guint last_button_ = 0;
  guint32 last_time_ = 0;
  double last_x_ = 0;
  double last_y_ = 0;
  bool last_was_plain_ = false;
  bool in_double_ = false;
};

}  // namespace orvane::gtk
