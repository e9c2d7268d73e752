#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <optional>

namespace orvane::gtk {

// Native input in the terms the controls' events use: buttons left 1, right 2,
// middle 4; shift 1, ctrl 2, alt 4; key codes of the program's keyboard events.
std::int16_t ButtonOf(guint gdk_button);
std::int16_t ButtonsHeld(guint state);
std::int16_t ShiftOf(guint state);
std::int16_t KeyCodeOf(guint keyval);
// The character a key types, for KeyPress; nothing for keys that type none.
std::optional<std::int16_t> KeyAsciiOf(guint keyval);

GdkDevice* PointerDevice(GdkDisplay* display);
// True exactly when the top-most window under the pointer is `widget`'s own window
// and the widget takes input (an insensitive widget is never found under the pointer,
// as a disabled window is not on Windows).
bool IsPointerOverWidget(GtkWidget* widget);
// A cursor by its CSS name ("default", "pointer", "ew-resize", ...) on a window.
void ShowNamedCursor(GdkWindow* window, const char* name);
// Hands `window` to the window manager's move when the event being handled is a press
// of the left button (a drag by the form's own caption).
void BeginMoveDragFromCurrentEvent(GtkWindow* window);

}  // namespace orvane::gtk
