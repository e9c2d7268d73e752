#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <span>
#include <vector>

#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

// Every image of an icon file, each decoded on its own (the system's icon loader reads only
// one image of a file), in the file's order. Images that do not decode are left out;
// nothing when the bytes are not an icon file.
std::vector<UniqueGObject<GdkPixbuf>> IconFileImages(std::span<const std::uint8_t> bytes);

// The same for the icon file at `path`.
std::vector<UniqueGObject<GdkPixbuf>> IconFileImages(const char* path);

// Gives `window` all of `images` as its icons, for the window manager and the taskbar to
// pick their size from. No effect when there are none.
void SetWindowIcons(GtkWindow* window, const std::vector<UniqueGObject<GdkPixbuf>>& images);

}  // namespace orvane::gtk
