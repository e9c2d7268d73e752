#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/geometry.h"
#include "base/win32/gdi_canvas.h"
#include "base/win32/window_base.h"
#include "tabstrip/utab.h"
#include "tabstrip/utab_host.h"
#include "tabstrip/win32/page_window_ops_win32.h"
#include "tabstrip/win32/strip_tooltip.h"
#include "base/win32/unique_handle.h"
#include "base/win32/window_handle.h"
#include "winhook/c_subclass.h"

namespace orvane {
class IuTabEvents;
class PropertyBag;
}  // namespace orvane

namespace orvane::win32 {

// The tab strip as a Windows child control: a window of its own whose messages feed the
// strip's logic, hooked (on itself and on the page container) through CSubclass so that
// painting comes from the back buffer, erasing is suppressed and leave reports arrive.
class uTabWindow final : public DoubleBufferedWindow, private IuTabHost, private ISubclassOwner {
 public:
  // Creates the strip window in `parent` at `bounds` (pixels of the parent's client area).
  // `skins` is the module holding the tab skins (BITMAP 106 and 107).
  uTabWindow(HWND parent, const Rect& bounds, HINSTANCE skins = ::GetModuleHandleW(nullptr));
  ~uTabWindow();
  uTabWindow(const uTabWindow&) = delete;
  uTabWindow& operator=(const uTabWindow&) = delete;

  // The control's logic: tabs, selection, settings, LockReDraw, refresh, RefreshPage.
  uTab& Strip() { return strip_; }
  const uTab& Strip() const { return strip_; }
  CTabItems& TabItems() { return strip_.TabItems(); }
  void SetEvents(IuTabEvents* events) { strip_.SetEvents(events); }

  // Reads the saved settings; from then on the strip window is hooked.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const { strip_.WriteProperties(bag); }

  // Stores the page container and hooks its size message.
  void SethContainerWnd(HWND container) { strip_.SethContainerWnd(FromHwnd(container)); }
  HWND hContainerWnd() const { return ToHwnd(strip_.hContainerWnd()); }

  // The tip shown while the pointer rests on the strip (UTF-8).
  void SetToolTipText(const std::string& text) { tooltip_->SetText(text); }
  const std::string& ToolTipText() const { return tooltip_->Text(); }
  HWND ToolTipWindow() const { return tooltip_->Handle(); }

  // Places the strip in its parent; the height follows the style at the next resize.
  void Move(const Rect& bounds);

 private:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintBackBuffer(HDC target, Size client) override;
  void HookContainer(HWND container);

  // IuTabHost
  WindowHandle Window() const override { return FromHwnd(hWnd()); }
  WindowHandle ParentForm() const override;
  void SetStripHeight(int height) override;
  void WatchContainer(WindowHandle container) override;
  void HostPage(WindowHandle container, WindowHandle page) override;
  void FitPage(WindowHandle container, WindowHandle page) override;
  void TrackMouseLeave() override;
  void PresentBackBuffer(const Surface& back_buffer) override;

  // ISubclassOwner
  void WindowProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND lng_hWnd, UINT uMsg,
                  WPARAM wParam, LPARAM lParam, LPARAM& lParamUser) override;

  // Created in this order; released in the reverse, so the hooks go first and the pages
  // before the drawing resources.
  GdiCanvas canvas_;
  PageWindowOps window_ops_;
  uTab strip_;
  std::unique_ptr<StripTooltip> tooltip_;
  CSubclass c_Subclass_;
  HWND hooked_container_ = nullptr;
  bool own_window_hooked_ = false;
};

}  // namespace orvane::win32
