#pragma once

#include "app/win32/gdiplus_flat.h"

namespace orvane::win32 {

// One GDI+ session (version 1), held by a layered window from its load to its unload.
// GDI+ is started without its background thread, whose hidden window would answer the
// dynamic-data-exchange broadcasts this program serves; its notification hook is called
// instead, and undone before the shutdown.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  bool ok() const { return started_; }

 private:
  ULONG_PTR token_ = 0;
  ULONG_PTR hook_token_ = 0;
  Gdiplus::NotificationUnhookProc unhook_ = nullptr;
  bool started_ = false;
  bool hooked_ = false;
};

}  // namespace orvane::win32
