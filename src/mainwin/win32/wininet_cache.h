#pragma once

#include <windows.h>
#include <wininet.h>

#include "base/win32/unique_handle.h"
#include "mainwin/cache_main.h"

namespace orvane::win32 {

// The system's URL cache (WinINet), shared by every embedded browser of the process. The
// group functions are looked up at run time: older systems lack them, and the clearing
// then goes straight to the entries.
class WinInetCache final : public UrlCache {
 public:
  WinInetCache();
  ~WinInetCache() override;
  WinInetCache(const WinInetCache&) = delete;
  WinInetCache& operator=(const WinInetCache&) = delete;

  CacheResult FindFirstGroup(CacheGroupId& group) override;
  CacheResult FindNextGroup(CacheGroupId& group) override;
  CacheResult DeleteGroup(CacheGroupId group) override;
  void CloseGroupSearch() override;

  CacheResult FindFirstEntry(std::string_view pattern, std::span<std::byte> buffer,
                             std::uint32_t& size, CacheEntryView& entry) override;
  CacheResult FindNextEntry(std::span<std::byte> buffer, std::uint32_t& size,
                            CacheEntryView& entry) override;
  CacheResult DeleteEntry(const char* source_url) override;
  void CloseEntrySearch() override;

 private:
  using FindFirstGroupFn = HANDLE(WINAPI*)(DWORD, DWORD, LPVOID, DWORD, GROUPID*, LPVOID);
  using FindNextGroupFn = BOOL(WINAPI*)(HANDLE, GROUPID*, LPVOID);
  using DeleteGroupFn = BOOL(WINAPI*)(GROUPID, DWORD, LPVOID);

  UniqueModule wininet_;
  FindFirstGroupFn find_first_group_ = nullptr;
  FindNextGroupFn find_next_group_ = nullptr;
  DeleteGroupFn delete_group_ = nullptr;
  HANDLE group_search_ = nullptr;  // closed by CloseGroupSearch
  HANDLE entry_search_ = nullptr;  // closed by CloseEntrySearch
};

// `ClearUrlCache` over the system's URL cache.
void ClearUrlCache(std::string_view pattern, std::uint32_t exclusion_mask);

}  // namespace orvane::win32
