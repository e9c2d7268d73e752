#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/win32/gdi_handles.h"
#include "widgets/borderless.h"
#include "winhook/c_form_subclass.h"

namespace orvane::win32 {

// The screen as the borderless behaviour measures it: size in twips, the bottom of the
// work area in pixels, the display's twips per pixel across.
ScreenMetrics ReadScreenMetrics();
// The height in twips of the screen strip below the work area (ModGetTaskbarHei).
std::int16_t GetTaskbarHeight();

// The borderless behaviour on Windows. It sees every message of the window through its
// form hook, before the window's own procedure, and never answers one: the window's
// procedure always runs as well.
class cSetStyleHook final : private cSetStyleHost, private IFormSubclassOwner {
 public:
  cSetStyleHook();
  // Stops watching the window (the hook goes with objSubclass).
  ~cSetStyleHook();
  cSetStyleHook(const cSetStyleHook&) = delete;
  cSetStyleHook& operator=(const cSetStyleHook&) = delete;

  cSetStyle& Logic() { return logic_; }
  void SetEvents(cSetStyleEvents* owner) { logic_.SetEvents(owner); }

  // The managed form; must be set before its first message arrives.
  HWND objForm() const { return form_; }
  void objForm(HWND form) { form_ = form; }
  // Makes the window borderless (style exactly system menu and minimise box) and hooks
  // every message of it.
  void SetWindowStyle(HWND hWnd);
  bool CallWindowStateChange() { return logic_.CallWindowStateChange(); }

 private:
  // IFormSubclassOwner
  void MsgCome(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
               WPARAM& wParam, LPARAM& lParam) override;

  // cSetStyleHost
  Point CursorPos() override;
  EdgeRect WindowRect() override;
  void SetFormPointer(ResizePointer pointer) override;
  void OpenScreenDrawing() override;
  void DrawOutline(const EdgeRect& rect) override;
  void CloseScreenDrawing() override;
  void MoveWindowTo(const EdgeRect& rect) override;
  FormPlace Place() override;
  void MoveForm(const FormPlace& place) override;
  bool Minimised() override;
  ScreenMetrics Screen() override { return ReadScreenMetrics(); }

  cSetStyle logic_{*this};
  cFormSubclass objSubclass_{*this};
  HWND form_ = nullptr;
  HWND hwnd_ = nullptr;
  std::optional<WindowDc> screen_dc_;
  HCURSOR pointer_ = nullptr;
  bool captured_ = false;
};

}  // namespace orvane::win32
