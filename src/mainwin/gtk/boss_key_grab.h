#pragma once

#include <gdk/gdk.h>

#include <functional>

namespace orvane::gtk {

// The boss key on Linux: F10 grabbed on the X root window, so it reaches the client
// whichever application has the keyboard. The grab is taken with every combination of
// the lock keys (Caps Lock, Num Lock, Scroll Lock), since the X server matches modifier
// states exactly. A grab the server refuses (another client holds F10) and a session
// without X (Wayland without XWayland) are reported once on the log; the rest of the
// program works as before, the key only does nothing.
class BossKeyGrab {
 public:
  enum class State { kGrabbed, kRefused, kNoX11 };

  explicit BossKeyGrab(std::function<void()> pressed);
  ~BossKeyGrab();
  BossKeyGrab(const BossKeyGrab&) = delete;
  BossKeyGrab& operator=(const BossKeyGrab&) = delete;

  State state() const { return state_; }

 private:
  static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent* event, gpointer self);
  void Ungrab();

  std::function<void()> pressed_;
  State state_ = State::kNoX11;
  GdkDisplay* display_ = nullptr;  // owned by GDK
  GdkWindow* root_ = nullptr;      // the screen's root window, owned by GDK
  int keycode_ = 0;
  unsigned int lock_masks_[3] = {};
  bool key_down_ = false;
};

}  // namespace orvane::gtk
