#pragma once

#include <windows.h>

#include <cstddef>
#include <initializer_list>

namespace orvane::win32 {

// A page of executable code holding small stubs, so that a callback finds its object
// without a lookup. The page is written first and then made execute-read.
//
// x86: each stub is a stdcall callback that inserts a fixed context pointer as a new
// first argument and jumps on to a static stdcall function taking that extra argument.
// x86-64: each stub puts the context pointer in place of the callback's first argument
// and jumps on to a function of the same shape whose first parameter is the context. The
// first four arguments travel in registers there, and adding one would push the fourth
// onto a stack the caller laid out for four; every callback stubbed here has a window
// handle first, which the target knows from its context anyway.
class ExecutableThunk {
 public:
  static constexpr std::size_t kMaxStubs = 4;

  ExecutableThunk() noexcept = default;
  ~ExecutableThunk();
  ExecutableThunk(ExecutableThunk&& other) noexcept;
  ExecutableThunk& operator=(ExecutableThunk&& other) noexcept;
  ExecutableThunk(const ExecutableThunk&) = delete;
  ExecutableThunk& operator=(const ExecutableThunk&) = delete;

  // One stub per target, in order. Returns 0 on success, else the platform's error code
  // (the thunk stays empty).
  DWORD Create(void* context, std::initializer_list<const void*> targets) noexcept;
  // The entry point of stub i; nullptr while empty.
  void* Entry(std::size_t i) const noexcept;
  explicit operator bool() const noexcept { return page_ != nullptr; }

 private:
  void Free() noexcept;

  unsigned char* page_ = nullptr;
};

}  // namespace orvane::win32
