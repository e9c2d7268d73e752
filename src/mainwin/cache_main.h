#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

// Cache-entry types, as the platform's URL cache marks its entries.
inline constexpr std::uint32_t kCookieCacheEntry = 0x100000;
inline constexpr std::uint32_t kUrlHistoryCacheEntry = 0x200000;
// What the program menu's cache clearing keeps: cookies and history.
inline constexpr std::uint32_t kKeepCookiesAndHistory = kCookieCacheEntry | kUrlHistoryCacheEntry;
static_assert(kKeepCookiesAndHistory == 0x300000);

// The platform's last-error values the clearing looks at.
inline constexpr std::uint32_t kCacheNoReason = 0;              // the call failed without a reason
inline constexpr std::uint32_t kCacheNoMoreGroups = 2;          // also: entry already gone
inline constexpr std::uint32_t kCacheInsufficientBuffer = 122;  // the entry needs a larger buffer
inline constexpr std::uint32_t kCacheFunctionMissing = 127;     // the platform lacks the function
inline constexpr std::uint32_t kCacheNoMoreEntries = 259;

// The entry buffer: one block, reused for every entry, grown only for an entry that
// needs more, up to a limit no real entry comes near.
inline constexpr std::uint32_t kCacheEntryBufferSize = 2048;
inline constexpr std::uint32_t kCacheEntryBufferLimit = 16u << 20;

using CacheGroupId = std::int64_t;

// The outcome of one cache call: success, or the platform's last error after it.
struct CacheResult {
  bool ok = false;
  std::uint32_t error = kCacheNoReason;

  static CacheResult Success() { return {true, 0}; }
  static CacheResult Failure(std::uint32_t error) { return {false, error}; }
};

// One cache entry as the entry search found it. `source_url` is NUL-terminated text
// inside the buffer the search wrote; it stays valid until the next search call.
struct CacheEntryView {
  const char* source_url = nullptr;
  std::uint32_t type = 0;
};

// The platform's URL cache, one search of each kind at a time. A search that started
// successfully stays open until its Close call.
class UrlCache {
 public:
  virtual ~UrlCache() = default;

  // Starts a search over all groups and yields the first group.
  virtual CacheResult FindFirstGroup(CacheGroupId& group) = 0;
  virtual CacheResult FindNextGroup(CacheGroupId& group) = 0;
  // Deletes a group together with its entries.
  virtual CacheResult DeleteGroup(CacheGroupId group) = 0;
  virtual void CloseGroupSearch() = 0;

  // The entry searches write the platform's entry record into `buffer`. When an entry does
  // not fit they fail with kCacheInsufficientBuffer and set `size` to the size it needs;
  // the same entry comes again on the next call with a larger buffer.
  virtual CacheResult FindFirstEntry(std::string_view pattern, std::span<std::byte> buffer,
                                     std::uint32_t& size, CacheEntryView& entry) = 0;
  virtual CacheResult FindNextEntry(std::span<std::byte> buffer, std::uint32_t& size,
                                    CacheEntryView& entry) = 0;
  virtual CacheResult DeleteEntry(const char* source_url) = 0;
  virtual void CloseEntrySearch() = 0;
};

// Empties the cache: first every group with its entries, then every remaining entry
// matching `pattern` whose type has none of the bits of `exclusion_mask`. Silent: a
// failure ends the clearing early and leaves what was deleted deleted.
void ClearUrlCache(UrlCache& cache, std::string_view pattern, std::uint32_t exclusion_mask);

}  // namespace orvane
