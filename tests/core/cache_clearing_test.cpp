// Clearing the URL cache: the two phases over a cache that behaves like the platform's
// (groups, typed entries, records that may need more room than the entry buffer).
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "mainwin/cache_main.h"

namespace orvane {
namespace {

struct FakeEntry {
  std::string url;
  std::uint32_t type = 0;
  std::uint32_t record_size = 200;  // the room the platform's record for it needs
  int group = -1;                   // -1: in no group
};

// A URL cache in memory. Entry records are written into the caller's buffer (the source
// address as text at its start) so a buffer that is too small is really too small.
class FakeCache final : public UrlCache {
 public:
  std::vector<FakeEntry> entries;
  std::vector<int> groups;
  std::optional<std::uint32_t> find_first_group_error;  // instead of searching
  std::optional<std::uint32_t> delete_group_error;
  std::optional<std::uint32_t> find_first_entry_error;
  std::vector<std::string> log;
  int open_group_searches = 0;
  int open_entry_searches = 0;

  CacheResult FindFirstGroup(CacheGroupId& group) override {
    log.push_back("find first group");
    if (find_first_group_error) {
      return CacheResult::Failure(*find_first_group_error);
    }
    if (groups.empty()) {
      return CacheResult::Failure(kCacheNoMoreGroups);
    }
    ++open_group_searches;
    group_at_ = 0;
    group = groups[0];
    return CacheResult::Success();
  }
  CacheResult FindNextGroup(CacheGroupId& group) override {
    if (++group_at_ >= groups.size()) {
      return CacheResult::Failure(kCacheNoMoreGroups);
    }
    group = groups[group_at_];
    return CacheResult::Success();
  }
  CacheResult DeleteGroup(CacheGroupId group) override {
    log.push_back("delete group " + std::to_string(group));
    if (delete_group_error) {
      return CacheResult::Failure(*delete_group_error);
    }
    std::erase_if(entries, [&](const FakeEntry& e) { return e.group == group; });
    return CacheResult::Success();
  }
  void CloseGroupSearch() override { --open_group_searches; }

  CacheResult FindFirstEntry(std::string_view pattern, std::span<std::byte> buffer,
                             std::uint32_t& size, CacheEntryView& entry) override {
    log.push_back("find first entry " + std::string(pattern));
    if (find_first_entry_error) {
      return CacheResult::Failure(*find_first_entry_error);
    }
    snapshot_.clear();
    for (const FakeEntry& e : entries) {
      snapshot_.push_back(e);
    }
    entry_at_ = 0;
    const CacheResult result = Write(buffer, size, entry);
    if (result.ok) {
      ++open_entry_searches;
    }
    return result;
  }
  CacheResult FindNextEntry(std::span<std::byte> buffer, std::uint32_t& size,
                            CacheEntryView& entry) override {
    ++entry_at_;
    const CacheResult result = Write(buffer, size, entry);
    if (!result.ok && result.error == kCacheInsufficientBuffer) {
      --entry_at_;  // the same entry comes again
    }
    return result;
  }
  CacheResult DeleteEntry(const char* source_url) override {
    log.push_back("delete " + std::string(source_url));
    const auto before = entries.size();
    std::erase_if(entries, [&](const FakeEntry& e) { return e.url == source_url; });
    return before == entries.size() ? CacheResult::Failure(kCacheNoMoreGroups)
                                    : CacheResult::Success();
  }
  void CloseEntrySearch() override { --open_entry_searches; }

  std::vector<std::string> Urls() const {
    std::vector<std::string> urls;
    for (const FakeEntry& e : entries) {
      urls.push_back(e.url);
    }
    return urls;
  }

 private:
  CacheResult Write(std::span<std::byte> buffer, std::uint32_t& size, CacheEntryView& entry) {
    if (entry_at_ >= snapshot_.size()) {
      return CacheResult::Failure(kCacheNoMoreEntries);
    }
    const FakeEntry& e = snapshot_[entry_at_];
    const std::uint32_t needed = std::max<std::uint32_t>(e.record_size, e.url.size() + 1);
    if (size < needed || buffer.size() < needed) {
      size = needed;
      return CacheResult::Failure(kCacheInsufficientBuffer);
    }
    std::memset(buffer.data(), 0xCD, buffer.size());
    std::memcpy(buffer.data(), e.url.c_str(), e.url.size() + 1);
    entry.source_url = reinterpret_cast<const char*>(buffer.data());
    entry.type = e.type;
    return CacheResult::Success();
  }

  std::size_t group_at_ = 0;
  std::size_t entry_at_ = 0;
  std::vector<FakeEntry> snapshot_;
};

using Urls = std::vector<std::string>;

class CacheClearingTest : public ::testing::Test {
 protected:
  FakeCache cache;
  void Clear() { ClearUrlCache(cache, "*.*", kKeepCookiesAndHistory); }
  void TearDown() override {
    EXPECT_EQ(cache.open_group_searches, 0);
    EXPECT_EQ(cache.open_entry_searches, 0);
  }
};

TEST_F(CacheClearingTest, WithoutGroupsEveryEntryButCookiesAndHistoryGoes) {
  cache.entries = {{"http://a/1.js", 0x1},
                   {"Cookie:user@a/", kCookieCacheEntry | 0x1},
                   {"Visited: user@http://a/", kUrlHistoryCacheEntry},
                   {"http://a/2.png", 0x4}};
  Clear();
  EXPECT_EQ(cache.Urls(), (Urls{"Cookie:user@a/", "Visited: user@http://a/"}));
  EXPECT_EQ(cache.log.front(), "find first group");
  EXPECT_EQ(cache.log[1], "find first entry *.*");
}

TEST_F(CacheClearingTest, GroupsGoWithTheirEntriesBeforeTheEntryPhase) {
  cache.groups = {7, 9};
  cache.entries = {{"http://a/in7", 0, 200, 7},
                   {"Cookie:in9", kCookieCacheEntry, 200, 9},
                   {"http://a/loose", 0}};
  Clear();
  EXPECT_TRUE(cache.entries.empty());  // a group takes even its cookies with it
  EXPECT_EQ(cache.log, (Urls{"find first group", "delete group 7", "delete group 9",
                             "find first entry *.*", "delete http://a/loose"}));
}

TEST_F(CacheClearingTest, AFailingGroupDeletionEndsTheClearingBeforeTheEntries) {
  cache.groups = {7};
  cache.delete_group_error = 5;
  cache.entries = {{"http://a/loose", 0}};
  Clear();
  EXPECT_EQ(cache.Urls(), (Urls{"http://a/loose"}));
  EXPECT_EQ(cache.log, (Urls{"find first group", "delete group 7"}));
}

TEST_F(CacheClearingTest, GroupFunctionsThatAreMissingOrDoNothingLeaveTheEntryPhaseToRun) {
  cache.delete_group_error = kCacheFunctionMissing;  // deletion missing: the search goes on
  cache.groups = {3};
  cache.entries = {{"http://a/x", 0}};
  Clear();
  EXPECT_TRUE(cache.entries.empty());

  for (const std::uint32_t error : {kCacheFunctionMissing, kCacheNoReason}) {
    cache.find_first_group_error = error;
    cache.entries = {{"http://a/x", 0}};
    Clear();
    EXPECT_TRUE(cache.entries.empty()) << error;
  }
}

TEST_F(CacheClearingTest, AGroupSearchFailingForAnotherReasonEndsTheClearing) {
  cache.find_first_group_error = 1400;
  cache.entries = {{"http://a/x", 0}};
  Clear();
  EXPECT_EQ(cache.Urls(), (Urls{"http://a/x"}));
  EXPECT_EQ(cache.log, (Urls{"find first group"}));
}

TEST_F(CacheClearingTest, AnEmptyCacheOrOneWithProtectedEntriesOnlyDeletesNothing) {
  Clear();
  EXPECT_EQ(cache.log, (Urls{"find first group", "find first entry *.*"}));

  cache.log.clear();
  cache.entries = {{"Cookie:a", kCookieCacheEntry}, {"Visited:b", kUrlHistoryCacheEntry}};
  Clear();
  EXPECT_EQ(cache.Urls(), (Urls{"Cookie:a", "Visited:b"}));
  EXPECT_EQ(cache.log, (Urls{"find first group", "find first entry *.*"}));
}

TEST_F(CacheClearingTest, TheExclusionMaskAndPatternAreTheCallersOwn) {
  cache.entries = {{"Cookie:a", kCookieCacheEntry}, {"Visited:b", kUrlHistoryCacheEntry}};
  ClearUrlCache(cache, "http://*", 0);
  EXPECT_TRUE(cache.entries.empty());
  EXPECT_EQ(cache.log[1], "find first entry http://*");
}

TEST_F(CacheClearingTest, AnEntryLargerThanTheBufferIsReadWithAGrownBufferAndTheRestFollow) {
  const std::string long_url = "http://a/" + std::string(5000, 'x');
  cache.entries = {{"http://a/first", 0},
                   {long_url, 0},
                   {"Cookie:kept", kCookieCacheEntry, 9000},
                   {"http://a/after", 0}};
  Clear();
  EXPECT_EQ(cache.Urls(), (Urls{"Cookie:kept"}));
}

TEST_F(CacheClearingTest, TheFirstEntryMayAlsoNeedALargerBuffer) {
  cache.entries = {{"http://a/big", 0, 3000}, {"http://a/small", 0}};
  Clear();
  EXPECT_TRUE(cache.entries.empty());
}

TEST_F(CacheClearingTest, AnEntryTheDeletionCannotFindDoesNotStopTheOthers) {
  // Deleting the first entry also takes the second (same address): the second deletion
  // fails with "already gone" and the third still goes.
  cache.entries = {{"http://a/same", 0}, {"http://a/same", 0}, {"http://a/third", 0}};
  Clear();
  EXPECT_TRUE(cache.entries.empty());
}

TEST_F(CacheClearingTest, AnEntrySearchThatCannotStartEndsQuietly) {
  cache.find_first_entry_error = 5;
  cache.entries = {{"http://a/x", 0}};
  Clear();
  EXPECT_EQ(cache.Urls(), (Urls{"http://a/x"}));
}

}  // namespace
}  // namespace orvane
