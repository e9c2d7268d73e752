#include "mainwin/cache_main.h"

#include <vector>

namespace orvane {
namespace {

// Closes a search that started, however the phase ends.
template <auto Close>
class SearchGuard {
 public:
  explicit SearchGuard(UrlCache& cache) : cache_(cache) {}
  ~SearchGuard() { (cache_.*Close)(); }
  SearchGuard(const SearchGuard&) = delete;
  SearchGuard& operator=(const SearchGuard&) = delete;

 private:
  UrlCache& cache_;
};

enum class PhaseEnd { kGoOn, kStop };

// A group search that fails without any reason comes from a platform whose group
// functions exist but do nothing; it is treated like a platform without them, so the
// entries are still cleared.
bool GroupsUnavailable(std::uint32_t error) {
  return error == kCacheFunctionMissing || error == kCacheNoReason;
}

PhaseEnd DeleteGroups(UrlCache& cache) {
  CacheGroupId group = 0;
  const CacheResult first = cache.FindFirstGroup(group);
  if (!first.ok) {
    return first.error == kCacheNoMoreGroups || GroupsUnavailable(first.error) ? PhaseEnd::kGoOn
                                                                               : PhaseEnd::kStop;
  }
  SearchGuard<&UrlCache::CloseGroupSearch> guard(cache);
  for (;;) {
    const CacheResult deleted = cache.DeleteGroup(group);
    if (!deleted.ok && deleted.error != kCacheFunctionMissing) {
      return PhaseEnd::kStop;
    }
    const CacheResult next = cache.FindNextGroup(group);
    if (!next.ok) {
      // Any other failure would leave the search on the group just deleted.
      return next.error == kCacheNoMoreGroups ? PhaseEnd::kGoOn : PhaseEnd::kStop;
    }
  }
}

// Runs one entry search call, growing the buffer while the platform asks for more room.
template <typename Find>
CacheResult FindEntry(std::vector<std::byte>& buffer, Find find) {
  for (;;) {
    auto size = static_cast<std::uint32_t>(buffer.size());
    const CacheResult result = find(std::span<std::byte>(buffer), size);
    if (result.ok || result.error != kCacheInsufficientBuffer || size <= buffer.size() ||
        size > kCacheEntryBufferLimit) {
      return result;
    }
    buffer.resize(size);
  }
}

void DeleteEntries(UrlCache& cache, std::string_view pattern, std::uint32_t exclusion_mask) {
  std::vector<std::byte> buffer(kCacheEntryBufferSize);
  CacheEntryView entry;
  const CacheResult first = FindEntry(buffer, [&](std::span<std::byte> b, std::uint32_t& size) {
    return cache.FindFirstEntry(pattern, b, size, entry);
  });
  if (!first.ok) {
    return;  // nothing left to delete, or no cache to search
  }
  SearchGuard<&UrlCache::CloseEntrySearch> guard(cache);
  for (;;) {
    if ((entry.type & exclusion_mask) == 0 && entry.source_url != nullptr) {
      cache.DeleteEntry(entry.source_url);  // an entry already gone is fine
    }
    const CacheResult next = FindEntry(buffer, [&](std::span<std::byte> b, std::uint32_t& size) {
      return cache.FindNextEntry(b, size, entry);
    });
    if (!next.ok) {
      return;  // 259: every entry seen; anything else ends the clearing here
    }
  }
}

}  // namespace

void ClearUrlCache(UrlCache& cache, std::string_view pattern, std::uint32_t exclusion_mask) {
  if (DeleteGroups(cache) == PhaseEnd::kStop) {
    return;
  }
  DeleteEntries(cache, pattern, exclusion_mask);
}

}  // namespace orvane
