#include "mainwin/gtk/boss_key_grab.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>

namespace orvane::gtk {
namespace {

// The modifier bit a key (Num Lock, Scroll Lock) is mapped to on this server, or 0.
unsigned int ModifierOf(Display* x, KeySym key) {
  const KeyCode code = XKeysymToKeycode(x, key);
  XModifierKeymap* map = XGetModifierMapping(x);
  if (!map) {
    return 0;
  }
  unsigned int mask = 0;
  for (int modifier = 0; modifier < 8 && code != 0; ++modifier) {
    for (int k = 0; k < map->max_keypermod; ++k) {
      if (map->modifiermap[modifier * map->max_keypermod + k] == code) {
        mask = 1u << modifier;
      }
    }
  }
  XFreeModifiermap(map);
  return mask;
}

// Every combination of the lock masks, the plain key first.
template <typename Each>
void ForEachLockState(const unsigned int (&locks)[3], Each each) {
  for (unsigned int combination = 0; combination < 8; ++combination) {
    unsigned int modifiers = 0;
    bool distinct = true;
    for (int i = 0; i < 3; ++i) {
      if (combination & (1u << i)) {
        distinct = distinct && locks[i] != 0 && (modifiers & locks[i]) == 0;
        modifiers |= locks[i];
      }
    }
    if (distinct) {
      each(modifiers);
    }
  }
}

}  // namespace

BossKeyGrab::BossKeyGrab(std::function<void()> pressed) : pressed_(std::move(pressed)) {
  display_ = gdk_display_get_default();
  if (!display_ || !GDK_IS_X11_DISPLAY(display_)) {
    g_message("The F10 boss key needs an X11 session; it is off in this one.");
    return;
  }
  Display* x = GDK_DISPLAY_XDISPLAY(display_);
  keycode_ = XKeysymToKeycode(x, XK_F10);
  if (keycode_ == 0) {
    g_message("The keyboard has no F10 key; the boss key is off.");
    return;
  }
  lock_masks_[0] = LockMask;
  lock_masks_[1] = ModifierOf(x, XK_Num_Lock);
  lock_masks_[2] = ModifierOf(x, XK_Scroll_Lock);

  const Window root = DefaultRootWindow(x);
  gdk_x11_display_error_trap_push(display_);
  ForEachLockState(lock_masks_, [&](unsigned int modifiers) {
    XGrabKey(x, keycode_, modifiers, root, False, GrabModeAsync, GrabModeAsync);
  });
  XSync(x, False);
  if (gdk_x11_display_error_trap_pop(display_) != 0) {
    g_message("F10 is taken by another program; the boss key is off (the menu still works).");
    state_ = State::kRefused;
    Ungrab();
    return;
  }
  state_ = State::kGrabbed;
  root_ = gdk_screen_get_root_window(gdk_display_get_default_screen(display_));
  gdk_window_add_filter(root_, &BossKeyGrab::Filter, this);
}

BossKeyGrab::~BossKeyGrab() {
  if (root_) {
    gdk_window_remove_filter(root_, &BossKeyGrab::Filter, this);
  }
  if (state_ == State::kGrabbed) {
    Ungrab();
  }
}

void BossKeyGrab::Ungrab() {
  Display* x = GDK_DISPLAY_XDISPLAY(display_);
  gdk_x11_display_error_trap_push(display_);
  ForEachLockState(lock_masks_, [&](unsigned int modifiers) {
    XUngrabKey(x, keycode_, modifiers, DefaultRootWindow(x));
  });
  XSync(x, False);
  gdk_x11_display_error_trap_pop_ignored(display_);
}

GdkFilterReturn BossKeyGrab::Filter(GdkXEvent* xevent, GdkEvent*, gpointer data) {
  auto* self = static_cast<BossKeyGrab*>(data);
  const auto* event = static_cast<const XEvent*>(xevent);
  if ((event->type != KeyPress && event->type != KeyRelease) ||
      static_cast<int>(event->xkey.keycode) != self->keycode_) {
    return GDK_FILTER_CONTINUE;
  }
  // A held key repeats its presses; one press toggles once.
  const bool was_down = self->key_down_;
  self->key_down_ = event->type == KeyPress;
  if (event->type == KeyPress && !was_down) {
    self->pressed_();
  }
  return GDK_FILTER_REMOVE;
}

}  // namespace orvane::gtk
