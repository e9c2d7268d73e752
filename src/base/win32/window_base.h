#pragma once

#include <windows.h>

#include "base/geometry.h"
#include "base/win32/unique_handle.h"

namespace orvane::win32 {

// Registers a window class of this module once; later calls find it registered.
void RegisterWindowClass(const wchar_t* name, WNDPROC proc, LPCWSTR cursor, UINT style);

// Writes one line about a failure that reached a window procedure to the debugger's
// output. The procedure stops the failure there: nothing may unwind into the system's
// message dispatch.
void ReportWindowFailure(const char* where, const char* what) noexcept;

// A C++ object with one window of its own. The object is bound to the window at
// WM_NCCREATE (it travels as the creation parameter) and unbound at WM_NCDESTROY; in
// between every message goes to Handle(). The window is destroyed with the object.
class BoundWindow {
 public:
  BoundWindow(const BoundWindow&) = delete;
  BoundWindow& operator=(const BoundWindow&) = delete;

  HWND hWnd() const { return window_.get(); }

 protected:
  BoundWindow() = default;
  ~BoundWindow() { DestroyBoundWindow(); }

  // Creates the window, registering its class on first use. Call it from the most
  // derived constructor: the creation messages already reach that class's Handle().
  HWND CreateBoundWindow(const wchar_t* class_name, UINT class_style, LPCWSTR cursor,
                         DWORD ex_style, DWORD style, const Rect& place, HWND parent,
                         HMENU menu_or_id, const wchar_t* title = L"");
  // From here on the window's messages go to the default procedure only; a derived class
  // calls this before it takes apart what its Handle() needs.
  void Unbind() noexcept;
  // Unbinds and destroys the window now.
  void DestroyBoundWindow() noexcept;

  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) {
    return ::DefWindowProcW(window_.get(), msg, wp, lp);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

  UniqueWindow window_;
};

// A control that draws into a back buffer of its own and shows it by copying: erasing is
// suppressed (the copy covers every pixel, so an erase would only flicker) and each
// WM_PAINT copies the back buffer once.
class DoubleBufferedWindow : public BoundWindow {
 protected:
  // `erase_answer` is what WM_ERASEBKGND returns.
  explicit DoubleBufferedWindow(LRESULT erase_answer = 1) : erase_answer_(erase_answer) {}
  ~DoubleBufferedWindow() = default;

  // Answers WM_ERASEBKGND and WM_PAINT; false for every other message.
  bool HandlePaint(UINT msg, LRESULT& result);
  // Copies the back buffer onto the window's paint context; `client` is the client size.
  virtual void PaintBackBuffer(HDC target, Size client) = 0;

 private:
  LRESULT erase_answer_;
};

}  // namespace orvane::win32
