#pragma once

#include <windows.h>
#include <unknwn.h>
#include <wininet.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace orvane::win32 {

// One owner for every kind of handle: closes what it holds exactly once, moves but never
// copies. A function that takes ownership takes the owner by rvalue reference and moves
// from it only when it succeeds, so callers never write a release list of their own.
//
// `Invalid` is the value that holds nothing, as a number: a handle constant such as
// INVALID_HANDLE_VALUE is a cast, which a template argument cannot be.
template <typename Handle, auto Close, std::uintptr_t Invalid = 0>
class UniqueHandle {
 public:
  static Handle InvalidHandle() {
    if constexpr (std::is_pointer_v<Handle>)
      return reinterpret_cast<Handle>(Invalid);
    else
      return static_cast<Handle>(Invalid);
  }

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != InvalidHandle(); }
  Handle release() { return std::exchange(handle_, InvalidHandle()); }
  // Lets go of the old handle before closing it, so that whatever the close sends back
  // (a window's destruction messages) finds this owner empty already.
  void reset() { reset(InvalidHandle()); }
  void reset(Handle handle) {
    if (const Handle old = std::exchange(handle_, handle); old != InvalidHandle())
      Close(old);
  }
  // For out-parameters: frees what is held and hands the slot to the callee.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = InvalidHandle();
};

namespace close {
inline void GdiObject(HGDIOBJ object) {
  ::DeleteObject(object);
}
inline void DeviceContext(HDC dc) {
  ::DeleteDC(dc);
}
inline void Icon(HICON icon) {
  ::DestroyIcon(icon);
}
inline void Menu(HMENU menu) {
  ::DestroyMenu(menu);
}
// A window may already be gone (its parent took it down); destroy only a live one.
inline void Window(HWND window) {
  if (::IsWindow(window))
    ::DestroyWindow(window);
}
inline void Kernel(HANDLE handle) {
  ::CloseHandle(handle);
}
inline void Module(HMODULE module) {
  ::FreeLibrary(module);
}
inline void Internet(HINTERNET handle) {
  ::InternetCloseHandle(handle);
}
inline void Global(HGLOBAL block) {
  ::GlobalFree(block);
}
}  // namespace close

using UniqueBitmap = UniqueHandle<HBITMAP, close::GdiObject>;
using UniqueFont = UniqueHandle<HFONT, close::GdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, close::GdiObject>;
using UniquePen = UniqueHandle<HPEN, close::GdiObject>;
using UniquePalette = UniqueHandle<HPALETTE, close::GdiObject>;
using UniqueRegion = UniqueHandle<HRGN, close::GdiObject>;
using UniqueDc = UniqueHandle<HDC, close::DeviceContext>;
using UniqueIcon = UniqueHandle<HICON, close::Icon>;
using UniqueMenu = UniqueHandle<HMENU, close::Menu>;
using UniqueWindow = UniqueHandle<HWND, close::Window>;
using UniqueKernelHandle = UniqueHandle<HANDLE, close::Kernel>;
using UniqueFile = UniqueHandle<HANDLE, close::Kernel, static_cast<std::uintptr_t>(-1)>;
using UniqueModule = UniqueHandle<HMODULE, close::Module>;
using UniqueInternet = UniqueHandle<HINTERNET, close::Internet>;
using UniqueGlobal = UniqueHandle<HGLOBAL, close::Global>;

// A COM interface pointer: AddRef on copy, exactly one Release for each reference held.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a reference the caller already holds (no AddRef).
  static ComPtr Attach(Interface* raw) {
    ComPtr p;
    p.raw_ = raw;
    return p;
  }
  // Adds a reference of its own.
  static ComPtr Share(Interface* raw) {
    if (raw)
      raw->AddRef();
    return Attach(raw);
  }
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr& other) : raw_(other.raw_) {
    if (raw_)
      raw_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(raw_, other.raw_);
    return *this;
  }

  Interface* get() const { return raw_; }
  Interface* operator->() const { return raw_; }
  explicit operator bool() const { return raw_ != nullptr; }
  Interface* Detach() { return std::exchange(raw_, nullptr); }
  void reset() {
    if (Interface* raw = std::exchange(raw_, nullptr))
      raw->Release();
  }
  // For out-parameters of QueryInterface and creation calls.
  Interface** put() {
    reset();
    return &raw_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  template <typename Other>
  ComPtr<Other> As(REFIID iid) const {
    ComPtr<Other> other;
    if (raw_)
      raw_->QueryInterface(iid, other.put_void());
    return other;
  }

 private:
  Interface* raw_ = nullptr;
};

}  // namespace orvane::win32
