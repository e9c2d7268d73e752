// CNxDownLoadFile over scripted HTTP and file fakes: the order of its steps and events,
// every way a transfer fails, stopping, and the 32-bit counts.
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <chrono>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/download_file.h"

namespace orvane {
namespace {

using Log = std::vector<std::string>;

// What the fake server does for one transfer.
struct Script {
  bool session_opens = true;
  bool url_opens = true;
  std::optional<std::int32_t> status = 200;
  std::optional<std::int64_t> content_length;
  std::vector<std::string> chunks;   // what the reads return, one chunk per read
  bool breaks_after_chunks = false;  // the connection is lost after the last chunk
  // Reads that return nothing but count (for very long transfers); 0 = none.
  std::int64_t blank_reads = 0;
  // How often the address's wait is given to the waiter before the answer is in, and
  // before each chunk (by index); a waiter that gives up ends the wait with a failure.
  int waits_before_answer = 0;
  std::map<std::size_t, int> waits_before_chunk;
};

// Asks the waiter `times` times; false as soon as it gives up.
bool Wait(HttpWaiter* waiter, int times) {
  for (int i = 0; i < times; ++i) {
    if (waiter == nullptr || !waiter->KeepWaiting()) {
      return false;
    }
  }
  return true;
}

class FakeUrl final : public HttpUrl {
 public:
  FakeUrl(const Script& script, Log& log, std::vector<std::size_t>& read_sizes, HttpWaiter* waiter)
      : script_(script), log_(log), read_sizes_(read_sizes), waiter_(waiter) {}
  ~FakeUrl() override { log_.push_back("close url"); }
  std::optional<std::int32_t> StatusCode() override { return script_.status; }
  std::optional<std::int64_t> ContentLength() override { return script_.content_length; }
  std::optional<std::size_t> Read(std::span<char> buffer) override {
    read_sizes_.push_back(buffer.size());
    if (script_.blank_reads > 0) {
      if (blank_reads_done_ == script_.blank_reads) {
        return 0;
      }
      ++blank_reads_done_;
      return buffer.size();
    }
    if (next_ < script_.chunks.size()) {
      const auto waits = script_.waits_before_chunk.find(next_);
      if (waits != script_.waits_before_chunk.end() && !Wait(waiter_, waits->second)) {
        log_.push_back("read given up");
        return std::nullopt;
      }
      const std::string& chunk = script_.chunks[next_++];
      std::copy(chunk.begin(), chunk.end(), buffer.begin());
      return chunk.size();
    }
    if (script_.breaks_after_chunks) {
      return std::nullopt;
    }
    return 0;
  }

 private:
  const Script& script_;
  Log& log_;
  std::vector<std::size_t>& read_sizes_;
  HttpWaiter* waiter_;
  std::size_t next_ = 0;
  std::int64_t blank_reads_done_ = 0;
};

class FakeSession final : public HttpSession {
 public:
  FakeSession(const Script& script, Log& log, std::vector<std::size_t>& read_sizes)
      : script_(script), log_(log), read_sizes_(read_sizes) {}
  ~FakeSession() override { log_.push_back("close session"); }
  std::unique_ptr<HttpUrl> OpenUrl(const std::string& url, HttpWaiter* waiter) override {
    log_.push_back("open url " + url);
    if (!script_.url_opens || !Wait(waiter, script_.waits_before_answer)) {
      return nullptr;
    }
    return std::make_unique<FakeUrl>(script_, log_, read_sizes_, waiter);
  }

 private:
  const Script& script_;
  Log& log_;
  std::vector<std::size_t>& read_sizes_;
};

class FakeHttp final : public HttpClient {
 public:
  FakeHttp(const Script& script, Log& log) : script_(script), log_(log) {}
  std::unique_ptr<HttpSession> OpenSession() override {
    log_.push_back("open session");
    if (!script_.session_opens) {
      return nullptr;
    }
    return std::make_unique<FakeSession>(script_, log_, read_sizes);
  }
  // The buffer size of every read, over all transfers.
  std::vector<std::size_t> read_sizes;

 private:
  const Script& script_;
  Log& log_;
};

// Files as a map of path to content; every step is logged.
class FakeFiles final : public OutputFiles {
 public:
  explicit FakeFiles(Log& log) : log_(log) {}

  class File final : public OutputFile {
   public:
    File(FakeFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
    ~File() override { Close(); }
    bool Write(std::span<const char> bytes) override {
      files_.log_.push_back("write " + std::to_string(bytes.size()));
      if (files_.fail_write_number == ++files_.writes) {
        return false;
      }
      if (files_.keep_content) {
        files_.content[path_].append(bytes.data(), bytes.size());
      }
      return true;
    }
    bool Close() override {
      if (closed_) {
        return true;
      }
      closed_ = true;
      files_.log_.push_back("close file");
      return !files_.fail_close;
    }

   private:
    FakeFiles& files_;
    std::string path_;
    bool closed_ = false;
  };

  std::unique_ptr<OutputFile> CreateAlways(const std::string& path, bool hidden) override {
    log_.push_back("create " + path + (hidden ? " hidden" : " normal"));
    if (fail_create) {
      return nullptr;
    }
    content[path].clear();
    return std::make_unique<File>(*this, path);
  }
  bool Remove(const std::string& path) override {
    log_.push_back("remove " + path);
    return content.erase(path) == 1;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    log_.push_back("rename " + from + " " + to);
    const auto found = content.find(from);
    if (fail_rename || found == content.end()) {
      return false;
    }
    content[to] = std::move(found->second);
    content.erase(from);
    return true;
  }

  std::map<std::string, std::string> content;
  bool fail_create = false;
  bool fail_rename = false;
  bool fail_close = false;
  bool keep_content = true;
  int fail_write_number = 0;  // 1-based; 0 = never
  int writes = 0;

 private:
  Log& log_;
};

class FakePump final : public EventPump {
 public:
  explicit FakePump(Log& log) : log_(log) {}
  void ProcessPendingEvents() override {
    log_.push_back("pump");
    if (on_pump) {
      on_pump();
    }
  }
  std::function<void()> on_pump;

 private:
  Log& log_;
};

class Owner final : public CNxDownLoadFileEvents {
 public:
  explicit Owner(Log& log) : log_(log) {}
  void QueryFileInfo(std::int32_t length) override {
    log_.push_back("QueryFileInfo " + std::to_string(length));
  }
  void Loading(std::int32_t received) override {
    loading.push_back(received);
    if (!quiet_loading) {
      log_.push_back("Loading " + std::to_string(received));
    }
    if (on_loading) {
      on_loading(received);
    }
  }
  void Complete() override { log_.push_back("Complete"); }

  std::vector<std::int32_t> loading;
  std::function<void(std::int32_t)> on_loading;
  bool quiet_loading = false;

 private:
  Log& log_;
};

constexpr const char* kUrl = "http://static.test/gamehome/mirab/update.txt";
constexpr const char* kPath = "/tmp/orvane/update.txt";
constexpr const char* kPart = "/tmp/orvane/update.txt.part";
constexpr std::size_t kChunk = CNxDownLoadFile::kChunkSize;

class DownloadTest : public ::testing::Test {
 protected:
  Script script;
  Log log;
  FakeHttp http{script, log};
  FakeFiles files{log};
  FakePump pump{log};
  Owner owner{log};
  CNxDownLoadFile download{http, files, pump, &owner};

  // Events are handled after every chunk unless a test asks for a pace.
  DownloadTest() { download.SetPumpInterval(std::chrono::milliseconds(0)); }

  void ServeBody(std::vector<std::string> chunks) {
    std::int64_t length = 0;
    for (const std::string& chunk : chunks) {
      length += static_cast<std::int64_t>(chunk.size());
    }
    script.content_length = length;
    script.chunks = std::move(chunks);
  }
};

// --- a successful transfer --------------------------------------------------------------

TEST_F(DownloadTest, SuccessRunsEveryStepInOrderAndRaisesEachEventWhereDue) {
  ServeBody({std::string(8192, 'a'), std::string(100, 'b')});

  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, true));

  const Log expected = {"open session",
                        std::string("open url ") + kUrl,
                        "QueryFileInfo 8292",
                        std::string("remove ") + kPart,
                        std::string("create ") + kPart + " hidden",
                        "write 8192",
                        "Loading 8192",
                        "pump",
                        "write 100",
                        "Loading 8292",
                        "pump",
                        "close file",
                        std::string("rename ") + kPart + " " + kPath,
                        "close url",
                        "close session",
                        "Complete"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(files.content[kPath], std::string(8192, 'a') + std::string(100, 'b'));
  EXPECT_EQ(files.content.count(kPart), 0U);
}

TEST_F(DownloadTest, ReadsInChunksOfTheChunkSize) {
  ServeBody({"x", "y", "z"});
  ASSERT_TRUE(download.DownLoadFile(kUrl, kPath, false, false));
  EXPECT_EQ(http.read_sizes, (std::vector<std::size_t>{kChunk, kChunk, kChunk, kChunk}));
}

TEST_F(DownloadTest, TheTargetKeepsItsEarlierContentUntilTheTransferHasEnded) {
  files.content[kPath] = "version=1.0.0\r\n";
  ServeBody({"version=", "1.2.0\r\n"});
  std::vector<std::string> seen;
  owner.on_loading = [&](std::int32_t) { seen.push_back(files.content[kPath]); };
  ASSERT_TRUE(download.DownLoadFile(kUrl, kPath, true, true));
  EXPECT_EQ(seen, (std::vector<std::string>{"version=1.0.0\r\n", "version=1.0.0\r\n"}));
  EXPECT_EQ(files.content[kPath], "version=1.2.0\r\n");
}

TEST_F(DownloadTest, APartLeftByAnEarlierRunIsReplaced) {
  files.content[kPart] = "stale half of an earlier body";
  ServeBody({"version=1.2.0\r\n"});
  ASSERT_TRUE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(files.content[kPath], "version=1.2.0\r\n");
  EXPECT_EQ(files.content.count(kPart), 0U);
}

TEST_F(DownloadTest, AFileThatCannotTakeTheTargetsPlaceFailsAndLeavesTheTarget) {
  files.content[kPath] = "version=1.0.0\r\n";
  files.fail_rename = true;
  ServeBody({"version=1.2.0\r\n"});
  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(files.content[kPath], "version=1.0.0\r\n");
  EXPECT_EQ(files.content.count(kPart), 0U);
}

TEST_F(DownloadTest, WithoutEventsNothingIsRaisedButEventsArePumpedAfterEveryChunk) {
  ServeBody({"version=", "1.1.0\r\n"});

  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, false, false));

  const Log expected = {"open session",
                        std::string("open url ") + kUrl,
                        std::string("remove ") + kPart,
                        std::string("create ") + kPart + " normal",
                        "write 8",
                        "pump",
                        "write 7",
                        "pump",
                        "close file",
                        std::string("rename ") + kPart + " " + kPath,
                        "close url",
                        "close session"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(files.content[kPath], "version=1.1.0\r\n");
}

TEST_F(DownloadTest, ReplacesWhateverTheFileHeldBefore) {
  files.content[kPath] = "an older and much longer update file\r\n";
  ServeBody({"version=1.2.0\r\n"});
  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(files.content[kPath], "version=1.2.0\r\n");
}

// --- failures before the file is created --------------------------------------------------

struct EarlyFailure {
  const char* name;
  std::function<void(Script&, FakeFiles&)> arrange;
  Log expected_log;  // after "open session"
};

class DownloadEarlyFailureTest : public DownloadTest,
                                 public ::testing::WithParamInterface<EarlyFailure> {};

TEST_P(DownloadEarlyFailureTest, ReturnsFalseLeavesTheFileAsItWasAndStillCompletes) {
  files.content[kPath] = "version=1.0.0\r\n";
  ServeBody({"version=9.9.9\r\n"});
  GetParam().arrange(script, files);

  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, true));

  Log expected = {"open session"};
  expected.insert(expected.end(), GetParam().expected_log.begin(), GetParam().expected_log.end());
  expected.push_back("Complete");
  EXPECT_EQ(log, expected);
  EXPECT_EQ(files.content[kPath], "version=1.0.0\r\n");
}

const Log kOpenedThenClosed = {std::string("open url ") + kUrl, "close url", "close session"};

INSTANTIATE_TEST_SUITE_P(
    Paths, DownloadEarlyFailureTest,
    ::testing::Values(
        EarlyFailure{"NoSession", [](Script& s, FakeFiles&) { s.session_opens = false; }, {}},
        EarlyFailure{"UrlNotReachable",
                     [](Script& s, FakeFiles&) { s.url_opens = false; },
                     {std::string("open url ") + kUrl, "close session"}},
        EarlyFailure{"Status404", [](Script& s, FakeFiles&) { s.status = 404; }, kOpenedThenClosed},
        EarlyFailure{"Status206", [](Script& s, FakeFiles&) { s.status = 206; }, kOpenedThenClosed},
        EarlyFailure{"NoStatus", [](Script& s, FakeFiles&) { s.status.reset(); },
                     kOpenedThenClosed},
        EarlyFailure{"NoContentLength", [](Script& s, FakeFiles&) { s.content_length.reset(); },
                     kOpenedThenClosed},
        EarlyFailure{"ZeroContentLength", [](Script& s, FakeFiles&) { s.content_length = 0; },
                     kOpenedThenClosed},
        EarlyFailure{"NegativeContentLength", [](Script& s, FakeFiles&) { s.content_length = -1; },
                     kOpenedThenClosed},
        EarlyFailure{
            "FileNotCreatable",
            [](Script&, FakeFiles& f) { f.fail_create = true; },
            {std::string("open url ") + kUrl, "QueryFileInfo 15", std::string("remove ") + kPart,
             std::string("create ") + kPart + " hidden", "close url", "close session"}}),
    [](const ::testing::TestParamInfo<EarlyFailure>& info) { return info.param.name; });

// --- transfers that break off -----------------------------------------------------------

TEST_F(DownloadTest, ConnectionLostMidBodyFailsDeletesThePartAndKeepsTheEarlierFile) {
  files.content[kPath] = "version=1.0.0\r\n";
  script.content_length = 20000;
  script.chunks = {std::string(8192, 'a')};
  script.breaks_after_chunks = true;

  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, true));

  EXPECT_EQ(files.content[kPath], "version=1.0.0\r\n");
  EXPECT_EQ(files.content.count(kPart), 0U);
  const Log tail(log.end() - 6, log.end());
  EXPECT_EQ(tail, (Log{"pump", "close file", std::string("remove ") + kPart, "close url",
                       "close session", "Complete"}));
}

TEST_F(DownloadTest, BodyEndingBeforeItsAnnouncedLengthFailsAndLeavesNoFile) {
  script.content_length = 20;
  script.chunks = {"version=1.1"};  // the connection closed quietly after 11 of 20 bytes

  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(files.content.count(kPath), 0U);
  EXPECT_EQ(files.content.count(kPart), 0U);
}

TEST_F(DownloadTest, AnEnormousAnnouncedLengthWithAShortBodyFailsAndLeavesTheEarlierFile) {
  files.content[kPath] = "version=1.0.0\r\n";
  script.content_length = std::numeric_limits<std::int64_t>::max();
  script.chunks = {"version=1.2.0\r\n"};

  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, true));
  EXPECT_EQ(log[2], "QueryFileInfo " + std::to_string(std::numeric_limits<std::int32_t>::max()));
  EXPECT_EQ(files.content[kPath], "version=1.0.0\r\n");
  EXPECT_EQ(files.content.count(kPart), 0U);
}

TEST_F(DownloadTest, BodyLongerThanAnnouncedIsKeptWhole) {
  script.content_length = 4;
  script.chunks = {"version=", "1.1.0\r\n"};
  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(files.content[kPath], "version=1.1.0\r\n");
}

TEST_F(DownloadTest, FailedWriteStopsTheTransferFailsAndDeletesTheFile) {
  ServeBody({"aaaa", "bbbb", "cccc"});
  files.fail_write_number = 2;

  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, true));

  EXPECT_EQ(files.content.count(kPath), 0U);
  EXPECT_EQ(files.content.count(kPart), 0U);
  EXPECT_EQ(owner.loading, (std::vector<std::int32_t>{4}));
  EXPECT_EQ(std::count(log.begin(), log.end(), "write 4"), 2);
}

TEST_F(DownloadTest, FileThatCannotBeCommittedOnCloseFails) {
  ServeBody({"version=1.1.0\r\n"});
  files.fail_close = true;
  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(files.content.count(kPath), 0U);
  EXPECT_EQ(files.content.count(kPart), 0U);
  EXPECT_EQ(std::count(log.begin(), log.end(), std::string("rename ") + kPart + " " + kPath), 0);
}

// --- stopping ---------------------------------------------------------------------------

TEST_F(DownloadTest, StopFromTheLoadingEventKeepsTheChunksSoFarAndSucceeds) {
  ServeBody({"first ", "second ", "third"});
  owner.on_loading = [this](std::int32_t) { download.StopDownLoad(); };

  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, true));

  EXPECT_EQ(files.content[kPath], "first ");
  EXPECT_EQ(owner.loading, (std::vector<std::int32_t>{6}));
  // The chunk in progress is finished, pumped, and then the loop ends.
  const Log tail(log.end() - 7, log.end());
  EXPECT_EQ(tail,
            (Log{"Loading 6", "pump", "close file", std::string("rename ") + kPart + " " + kPath,
                 "close url", "close session", "Complete"}));
}

TEST_F(DownloadTest, StopArrivingThroughTheEventPumpEndsAfterTheChunkInProgress) {
  ServeBody({"one ", "two ", "three ", "four"});
  int pumps = 0;
  pump.on_pump = [&] {
    if (++pumps == 2) {
      download.StopDownLoad();  // as a button's click handler would
    }
  };

  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, false, false));
  EXPECT_EQ(files.content[kPath], "one two ");
}

TEST_F(DownloadTest, AStopRequestBeforeTheCallDoesNotStopTheNextTransfer) {
  ServeBody({"version=", "1.1.0\r\n"});
  download.StopDownLoad();
  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(files.content[kPath], "version=1.1.0\r\n");
}

TEST_F(DownloadTest, StopAlsoEndsTransfersWhoseLengthWasNotReachedYet) {
  script.content_length = 1000;
  script.chunks = {std::string(10, 'a'), std::string(10, 'b')};
  owner.on_loading = [this](std::int32_t) { download.StopDownLoad(); };
  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, true));
  EXPECT_EQ(files.content[kPath], std::string(10, 'a'));
}

// --- a second download started while one runs ------------------------------------------

TEST_F(DownloadTest, ADownloadStartedFromAnEventHandlerWhileOneRunsFailsWithoutSideEffects) {
  ServeBody({"version=", "1.1.0\r\n"});
  std::optional<bool> nested_result;
  pump.on_pump = [&] {
    if (!nested_result) {
      nested_result = download.DownLoadFile(kUrl, "/tmp/orvane/other.txt", true, false);
    }
  };

  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, false));

  ASSERT_TRUE(nested_result.has_value());
  EXPECT_FALSE(*nested_result);
  EXPECT_EQ(files.content.count("/tmp/orvane/other.txt"), 0U);
  EXPECT_EQ(std::count(log.begin(), log.end(), "open session"), 1);
  EXPECT_EQ(files.content[kPath], "version=1.1.0\r\n");
}

TEST_F(DownloadTest, TheObjectCanBeUsedAgainAfterAFailure) {
  script.status = 500;
  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, false));
  script.status = 200;
  ServeBody({"version=1.1.0\r\n"});
  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, false));
}

// --- waiting for the network, and the pace of event handling ---------------------------

TEST_F(DownloadTest, EventsAreHandledWhileTheAnswerAndTheChunksAreWaitedFor) {
  ServeBody({"version=", "1.1.0\r\n"});
  script.waits_before_answer = 2;
  script.waits_before_chunk = {{1, 3}};
  download.SetPumpInterval(std::chrono::hours(1));  // no pace-driven rounds between chunks

  ASSERT_TRUE(download.DownLoadFile(kUrl, kPath, true, false));
  EXPECT_EQ(std::count(log.begin(), log.end(), "pump"), 5);
  EXPECT_EQ(files.content[kPath], "version=1.1.0\r\n");
}

TEST_F(DownloadTest, AStopWhileTheAnswerIsAwaitedFailsWithoutAFile) {
  files.content[kPath] = "version=1.0.0\r\n";
  ServeBody({"version=1.2.0\r\n"});
  script.waits_before_answer = 5;
  int pumps = 0;
  pump.on_pump = [&] {
    if (++pumps == 2) {
      download.StopDownLoad();
    }
  };

  EXPECT_FALSE(download.DownLoadFile(kUrl, kPath, true, true));
  EXPECT_EQ(pumps, 2);  // the wait was given up at once
  EXPECT_EQ(files.content[kPath], "version=1.0.0\r\n");
  EXPECT_EQ(files.content.count(kPart), 0U);
  EXPECT_EQ(log.back(), "Complete");
}

TEST_F(DownloadTest, AStopWhileAChunkIsAwaitedKeepsTheChunksSoFarAndSucceeds) {
  ServeBody({"first ", "second ", "third"});
  script.waits_before_chunk = {{1, 100}};
  pump.on_pump = [&] { download.StopDownLoad(); };
  download.SetPumpInterval(std::chrono::hours(1));

  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, true));
  EXPECT_EQ(files.content[kPath], "first ");
  EXPECT_EQ(std::count(log.begin(), log.end(), "read given up"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "pump"), 1);
}

TEST_F(DownloadTest, ChunksArrivingBackToBackAreNotEachFollowedByEventHandling) {
  ServeBody({"a", "b", "c", "d", "e", "f"});
  download.SetPumpInterval(std::chrono::hours(1));
  ASSERT_TRUE(download.DownLoadFile(kUrl, kPath, true, true));
  EXPECT_EQ(std::count(log.begin(), log.end(), "pump"), 0);
  EXPECT_EQ(owner.loading, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(files.content[kPath], "abcdef");
}

// --- 32-bit counts ------------------------------------------------------------------------

TEST_F(DownloadTest, LengthsBeyond32BitsAreReportedAsTheLargestCount) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kFull = static_cast<std::int64_t>(kChunk);
  // Full chunks to 2^31 + one chunk, just past the largest 32-bit count.
  script.blank_reads = (std::int64_t{1} << 31) / kFull + 1;
  script.content_length = script.blank_reads * kFull;
  files.keep_content = false;
  owner.quiet_loading = true;
  log.reserve(static_cast<std::size_t>(script.blank_reads) * 2 + 16);

  EXPECT_TRUE(download.DownLoadFile(kUrl, kPath, true, true));

  EXPECT_EQ(log[2], "QueryFileInfo " + std::to_string(kMax));
  ASSERT_EQ(owner.loading.size(), static_cast<std::size_t>(script.blank_reads));
  EXPECT_EQ(owner.loading[0], kFull);
  // The last count that fits is exact; the ones after it stay at the largest value.
  EXPECT_EQ(owner.loading[owner.loading.size() - 3], kMax + 1 - kFull);
  EXPECT_EQ(owner.loading[owner.loading.size() - 2], kMax);
  EXPECT_EQ(owner.loading.back(), kMax);
}

}  // namespace
}  // namespace orvane
