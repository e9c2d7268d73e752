#include "winhook/executable_thunk.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace orvane::win32 {
namespace {

constexpr std::size_t kPageSize = 4096;

#if defined(__x86_64__) || defined(_M_X64)

constexpr std::size_t kStubSize = 32;

// mov rcx, context / mov rax, target / jmp rax: the context takes the place of the first
// argument and the target runs as if the caller had called it. The stub leaves the stack
// alone, so it needs no unwind information of its own.
void WriteStub(unsigned char* at, const void* context, const void* target) noexcept {
  const auto ctx = reinterpret_cast<std::uintptr_t>(context);
  const auto dst = reinterpret_cast<std::uintptr_t>(target);
  unsigned char code[kStubSize] = {0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0,    0x48,
                                   0xB8, 0,    0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
  std::fill(code + 22, code + kStubSize, static_cast<unsigned char>(0xCC));
  std::memcpy(code + 2, &ctx, 8);
  std::memcpy(code + 12, &dst, 8);
  std::memcpy(at, code, kStubSize);
}

#elif defined(__i386__) || defined(_M_IX86)

constexpr std::size_t kStubSize = 16;

// pop eax / push context / push eax / mov eax, target / jmp eax: the caller's return
// address goes back on top, so the target's `ret` returns straight to the caller and
// removes the extra argument along with the caller's ones.
void WriteStub(unsigned char* at, const void* context, const void* target) noexcept {
  const auto ctx = reinterpret_cast<std::uintptr_t>(context);
  const auto dst = reinterpret_cast<std::uintptr_t>(target);
  unsigned char code[kStubSize] = {0x58, 0x68, 0, 0, 0,    0,    0x50, 0xB8,
                                   0,    0,    0, 0, 0xFF, 0xE0, 0xCC, 0xCC};
  std::memcpy(code + 2, &ctx, 4);
  std::memcpy(code + 8, &dst, 4);
  std::memcpy(at, code, kStubSize);
}

#else
#error "The hook stubs exist for x86 and x86-64 only."
#endif

}  // namespace

ExecutableThunk::~ExecutableThunk() {
  Free();
}

ExecutableThunk::ExecutableThunk(ExecutableThunk&& other) noexcept
    : page_(std::exchange(other.page_, nullptr)) {}

ExecutableThunk& ExecutableThunk::operator=(ExecutableThunk&& other) noexcept {
  if (this != &other) {
    Free();
    page_ = std::exchange(other.page_, nullptr);
  }
  return *this;
}

DWORD ExecutableThunk::Create(void* context, std::initializer_list<const void*> targets) noexcept {
  Free();
  if (targets.size() == 0 || targets.size() > kMaxStubs)
    return ERROR_INVALID_PARAMETER;
  auto* page = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (page == nullptr)
    return GetLastError();
  std::memset(page, 0xCC, kPageSize);
  std::size_t i = 0;
  for (const void* target : targets)
    WriteStub(page + kStubSize * i++, context, target);
  DWORD old = 0;
  if (!VirtualProtect(page, kPageSize, PAGE_EXECUTE_READ, &old)) {
    const DWORD error = GetLastError();
    VirtualFree(page, 0, MEM_RELEASE);
    return error;
  }
  FlushInstructionCache(GetCurrentProcess(), page, kPageSize);
  page_ = page;
  return 0;
}

void* ExecutableThunk::Entry(std::size_t i) const noexcept {
  if (page_ == nullptr || i >= kMaxStubs)
    return nullptr;
  return page_ + kStubSize * i;
}

void ExecutableThunk::Free() noexcept {
  if (page_ != nullptr)
    VirtualFree(std::exchange(page_, nullptr), 0, MEM_RELEASE);
}

}  // namespace orvane::win32
