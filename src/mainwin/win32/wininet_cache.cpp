#include "mainwin/win32/wininet_cache.h"

#include <string>

namespace orvane::win32 {
namespace {

#ifndef _WIN64
// The record the entry searches start with has the size the cache expects of it.
static_assert(sizeof(INTERNET_CACHE_ENTRY_INFOA) == 80);
#endif

// Clears the last error first, so a call that fails without setting one says so.
template <typename Call>
auto Checked(Call call, std::uint32_t& error) {
  ::SetLastError(ERROR_SUCCESS);
  auto result = call();
  error = ::GetLastError();
  return result;
}

CacheResult FromBool(BOOL ok, std::uint32_t error) {
  return ok ? CacheResult::Success() : CacheResult::Failure(error);
}

auto* Record(std::span<std::byte> buffer) {
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  info->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOA);
  return info;
}

void Read(std::span<std::byte> buffer, CacheEntryView& entry) {
  const auto* info = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  entry.source_url = info->lpszSourceUrlName;
  entry.type = info->CacheEntryType;
}

}  // namespace

WinInetCache::WinInetCache() : wininet_(::LoadLibraryW(L"wininet.dll")) {
  if (wininet_) {
    find_first_group_ = reinterpret_cast<FindFirstGroupFn>(
        reinterpret_cast<void*>(::GetProcAddress(wininet_.get(), "FindFirstUrlCacheGroup")));
    find_next_group_ = reinterpret_cast<FindNextGroupFn>(
        reinterpret_cast<void*>(::GetProcAddress(wininet_.get(), "FindNextUrlCacheGroup")));
    delete_group_ = reinterpret_cast<DeleteGroupFn>(
        reinterpret_cast<void*>(::GetProcAddress(wininet_.get(), "DeleteUrlCacheGroup")));
  }
}

WinInetCache::~WinInetCache() {
  CloseEntrySearch();
  CloseGroupSearch();
}

CacheResult WinInetCache::FindFirstGroup(CacheGroupId& group) {
  if (!find_first_group_) {
    return CacheResult::Failure(kCacheFunctionMissing);
  }
  std::uint32_t error = 0;
  GROUPID id = 0;
  const HANDLE search =
      Checked([&] { return find_first_group_(0, 0, nullptr, 0, &id, nullptr); }, error);
  if (!search) {
    return CacheResult::Failure(error);
  }
  group_search_ = search;
  group = id;
  return CacheResult::Success();
}

CacheResult WinInetCache::FindNextGroup(CacheGroupId& group) {
  if (!find_next_group_) {
    return CacheResult::Failure(kCacheFunctionMissing);
  }
  std::uint32_t error = 0;
  GROUPID id = 0;
  const BOOL ok = Checked([&] { return find_next_group_(group_search_, &id, nullptr); }, error);
  if (ok) {
    group = id;
  }
  return FromBool(ok, error);
}

CacheResult WinInetCache::DeleteGroup(CacheGroupId group) {
  if (!delete_group_) {
    return CacheResult::Failure(kCacheFunctionMissing);
  }
  std::uint32_t error = 0;
  const BOOL ok = Checked(
      [&] { return delete_group_(group, CACHEGROUP_FLAG_FLUSHURL_ONDELETE, nullptr); }, error);
  return FromBool(ok, error);
}

void WinInetCache::CloseGroupSearch() {
  if (group_search_) {
    ::FindCloseUrlCache(group_search_);
    group_search_ = nullptr;
  }
}

CacheResult WinInetCache::FindFirstEntry(std::string_view pattern, std::span<std::byte> buffer,
                                         std::uint32_t& size, CacheEntryView& entry) {
  // The cache's search takes a container prefix ("cookie:", "visited:") or none, not a
  // wildcard: Wine's finds nothing at all for "*.*". Every entry is asked for with none.
  const std::string search_pattern(pattern);
  const bool everything = pattern == "*.*" || pattern == "*";
  std::uint32_t error = 0;
  DWORD room = size;
  const HANDLE search = Checked(
      [&] {
        return ::FindFirstUrlCacheEntryA(everything ? nullptr : search_pattern.c_str(),
                                         Record(buffer), &room);
      },
      error);
  size = room;
  if (!search) {
    return CacheResult::Failure(error);
  }
  entry_search_ = search;
  Read(buffer, entry);
  return CacheResult::Success();
}

CacheResult WinInetCache::FindNextEntry(std::span<std::byte> buffer, std::uint32_t& size,
                                        CacheEntryView& entry) {
  std::uint32_t error = 0;
  DWORD room = size;
  const BOOL ok = Checked(
      [&] { return ::FindNextUrlCacheEntryA(entry_search_, Record(buffer), &room); }, error);
  size = room;
  if (ok) {
    Read(buffer, entry);
  }
  return FromBool(ok, error);
}

CacheResult WinInetCache::DeleteEntry(const char* source_url) {
  std::uint32_t error = 0;
  const BOOL ok = Checked([&] { return ::DeleteUrlCacheEntryA(source_url); }, error);
  return FromBool(ok, error);
}

void WinInetCache::CloseEntrySearch() {
  if (entry_search_) {
    ::FindCloseUrlCache(entry_search_);
    entry_search_ = nullptr;
  }
}

void ClearUrlCache(std::string_view pattern, std::uint32_t exclusion_mask) {
  WinInetCache cache;
  orvane::ClearUrlCache(cache, pattern, exclusion_mask);
}

}  // namespace orvane::win32
