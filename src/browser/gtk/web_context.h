#pragma once

#include <webkit2/webkit2.h>

#include <string>

#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

// Where a persistent web context keeps what it keeps.
struct WebContextFolders {
  std::string data;   // cookies (in the file "cookies.sqlite"), local storage, databases
  std::string cache;  // the HTTP cache
};

// The program's folders: $XDG_DATA_HOME/orvane and $XDG_CACHE_HOME/orvane.
WebContextFolders ProgramWebContextFolders();

// A new web context keeping its data, cookies and cache in `folders` (created when
// missing). Cookies go to a file there, so that a login survives a restart.
UniqueGObject<WebKitWebContext> NewPersistentWebContext(const WebContextFolders& folders);

// The one web context every view of the program shares, on the program's folders, as the
// system's browser control shares the system's cache and cookies. Created on first use;
// it lives as long as the process.
WebKitWebContext* SharedWebContext();

// Whether web views composite with OpenGL. Decided once per process: a software renderer
// (or no OpenGL at all) turns compositing off, a hardware renderer keeps WebKit's default.
// The decision is logged once at debug level.
bool UseAcceleratedCompositing();

// Applies that decision to a view's settings.
void ApplyCompositingDecision(WebKitSettings* settings);

}  // namespace orvane::gtk
