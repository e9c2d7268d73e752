// CNxDownLoadFile with libcurl, the POSIX files and the GLib event pump against the local
// publisher on loopback: every transfer mode the publisher can play.
#include <gtest/gtest.h>
#include <glib.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/download_file.h"
#include "app/gtk/curl_http_session.h"
#include "app/gtk/glib_event_pump.h"
#include "app/gtk/posix_files.h"
#include "support/publisher_suite.h"

namespace orvane {
namespace {

// The body the publisher sends for size=N: its default body, then its padding line over
// and over, cut at N bytes.
std::string PaddedBody(std::size_t size, std::string body = "version=1.1.0\r\n") {
  const std::string padding = "# orvane padding 0123456789abcdefghijklmnopqrstuvwxyz\r\n";
  while (body.size() < size) {
    body += padding;
  }
  body.resize(size);
  return body;
}

std::optional<std::string> FileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

class RecordingOwner final : public CNxDownLoadFileEvents {
 public:
  void QueryFileInfo(std::int32_t length) override { query.push_back(length); }
  void Loading(std::int32_t received) override {
    loading.push_back(received);
    if (on_loading) {
      on_loading();
    }
  }
  void Complete() override { ++completes; }
  std::vector<std::int32_t> query;
  std::vector<std::int32_t> loading;
  int completes = 0;
  std::function<void()> on_loading;
};

class CurlDownloadTest : public test::PublisherSuite {
 protected:
  void SetUp() override {
    ASSERT_NE(publisher_, nullptr) << publisher_problem_;
    folder_ = "/tmp/orvane-download-XXXXXX";
    ASSERT_NE(::mkdtemp(folder_.data()), nullptr);
    path_ = folder_ + "/update.txt";
  }
  void TearDown() override {
    ::chmod(folder_.c_str(), 0700);
    ::unlink(Part().c_str());
    ::unlink(path_.c_str());
    ::rmdir(folder_.c_str());
  }

  std::string Part() const { return path_ + CNxDownLoadFile::kPartSuffix; }
  static bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
  }

  std::string Download(const std::string& query) const {
    return publisher_->Url("/_test/download?" + query);
  }
  bool Get(const std::string& query, bool events = true) {
    return download_.DownLoadFile(Download(query), path_, true, events);
  }

  std::string folder_;
  std::string path_;
  gtk::CurlHttpClient http_;
  gtk::PosixOutputFiles files_;
  gtk::GlibEventPump pump_;
  RecordingOwner owner_;
  CNxDownLoadFile download_{http_, files_, pump_, &owner_};
};

// --- bodies that arrive ----------------------------------------------------------------

TEST_F(CurlDownloadTest, A200WithContentLengthWritesTheBody) {
  ASSERT_TRUE(Get("mode=ok&body=version%3D1.2.0%0D%0A"));
  EXPECT_EQ(FileContent(path_), "version=1.2.0\r\n");
  EXPECT_EQ(owner_.query, (std::vector<std::int32_t>{15}));
  EXPECT_EQ(owner_.loading, (std::vector<std::int32_t>{15}));
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlDownloadTest, ALargeBodyArrivesWholeInChunksOfAtMostTheChunkSize) {
  constexpr std::size_t kSize = 1048576 + 123;
  ASSERT_TRUE(Get("mode=large&size=" + std::to_string(kSize)));
  EXPECT_EQ(FileContent(path_), PaddedBody(kSize));
  ASSERT_FALSE(owner_.loading.empty());
  std::int32_t previous = 0;
  for (const std::int32_t total : owner_.loading) {
    EXPECT_GT(total, previous);
    EXPECT_LE(total - previous, static_cast<std::int32_t>(CNxDownLoadFile::kChunkSize));
    previous = total;
  }
  EXPECT_EQ(previous, static_cast<std::int32_t>(kSize));
  EXPECT_FALSE(Exists(Part()));
}

TEST_F(CurlDownloadTest, ASlowBodyArrivesWholeOverManyReads) {
  ASSERT_TRUE(Get("mode=slow&size=40&chunk=10&delay=0.05"));
  EXPECT_EQ(FileContent(path_), PaddedBody(40));
  EXPECT_GE(owner_.loading.size(), 2U);
  EXPECT_EQ(owner_.loading.back(), 40);
}

TEST_F(CurlDownloadTest, ARedirectIsFollowedToTheFinalAnswer) {
  ASSERT_TRUE(Get("mode=redirect&body=version%3D1.0.9%0D%0A"));
  EXPECT_EQ(FileContent(path_), "version=1.0.9\r\n");
}

TEST_F(CurlDownloadTest, BinaryBytesAreWrittenUnchanged) {
  ASSERT_TRUE(Get("mode=ok&b64=AAECAw0KDQoK/w=="));
  EXPECT_EQ(FileContent(path_), std::string("\x00\x01\x02\x03\r\n\r\n\n\xff", 10));
}

TEST_F(CurlDownloadTest, AnExistingFileIsReplacedWhole) {
  WriteFile(path_, PaddedBody(5000));
  ASSERT_TRUE(Get("mode=ok"));
  EXPECT_EQ(FileContent(path_), "version=1.1.0\r\n");
}

// --- answers that are refused ---------------------------------------------------------

struct Refused {
  const char* name;
  const char* query;
};

class CurlRefusedTest : public CurlDownloadTest, public ::testing::WithParamInterface<Refused> {};

TEST_P(CurlRefusedTest, ReturnsFalseAndWritesNothingWhenThereWasNoFile) {
  EXPECT_FALSE(Get(GetParam().query));
  EXPECT_EQ(FileContent(path_), std::nullopt);
  EXPECT_TRUE(owner_.loading.empty());
  EXPECT_EQ(owner_.completes, 1);
}

TEST_P(CurlRefusedTest, LeavesAnExistingFileByteForByte) {
  const std::string earlier = std::string("version=1.0.0\r\n\0\xfe tail", 22);
  WriteFile(path_, earlier);
  EXPECT_FALSE(Get(GetParam().query));
  EXPECT_EQ(FileContent(path_), earlier);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CurlRefusedTest,
    ::testing::Values(Refused{"ChunkedWithoutContentLength", "mode=chunked&size=30000&chunk=100"},
                      Refused{"EndedByCloseWithoutContentLength", "mode=eof&size=3000"},
                      Refused{"NotFound", "mode=404"},
                      Refused{"ServerError", "mode=status&code=500"},
                      Refused{"ZeroContentLength", "mode=zero"}),
    [](const ::testing::TestParamInfo<Refused>& info) { return info.param.name; });

TEST_F(CurlDownloadTest, AnAddressNobodyAnswersFailsAndLeavesTheFile) {
  WriteFile(path_, "version=1.0.0\r\n");
  // A port bound but not listening refuses connections, and nobody else can take it.
  const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const std::string url =
      "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/gamehome/mirab/update.txt";
  const bool result = download_.DownLoadFile(url, path_, true, true);
  ::close(sock);
  EXPECT_FALSE(result);
  EXPECT_EQ(FileContent(path_), "version=1.0.0\r\n");
  EXPECT_TRUE(owner_.query.empty());
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlDownloadTest, AFolderThatDoesNotExistFailsBeforeAnythingIsWritten) {
  EXPECT_FALSE(
      download_.DownLoadFile(Download("mode=ok"), folder_ + "/missing/update.txt", true, true));
  EXPECT_EQ(owner_.query.size(), 1U);
  EXPECT_TRUE(owner_.loading.empty());
}

// --- transfers that end early ----------------------------------------------------------

TEST_F(CurlDownloadTest, AConnectionCutMidBodyFailsAndLeavesTheEarlierFile) {
  WriteFile(path_, "version=1.0.0\r\n");
  EXPECT_FALSE(Get("mode=cut&size=100000&cut=50000"));
  // The part that came was written and reported, then thrown away.
  ASSERT_FALSE(owner_.loading.empty());
  EXPECT_LE(owner_.loading.back(), 50000);
  EXPECT_EQ(FileContent(path_), "version=1.0.0\r\n");
  EXPECT_FALSE(Exists(Part()));
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlDownloadTest, AStopAfterTheFirstChunkKeepsThatChunkAndSucceeds) {
  constexpr std::size_t kSize = 8 << 20;
  owner_.on_loading = [this] { download_.StopDownLoad(); };
  ASSERT_TRUE(Get("mode=large&size=" + std::to_string(kSize)));
  ASSERT_EQ(owner_.loading.size(), 1U);
  const std::size_t first = static_cast<std::size_t>(owner_.loading[0]);
  EXPECT_GT(first, 0U);
  EXPECT_LE(first, CNxDownLoadFile::kChunkSize);
  EXPECT_EQ(FileContent(path_), PaddedBody(kSize).substr(0, first));
  EXPECT_FALSE(Exists(Part()));
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlDownloadTest, AStopFromAnEventHandledByTheMainLoopEndsTheTransfer) {
  constexpr std::size_t kSize = 8 << 20;
  // As a button's click would: queued on the main loop, run by the pump after a chunk.
  download_.SetPumpInterval(std::chrono::milliseconds(0));
  const guint source = g_idle_add(
      [](gpointer data) -> gboolean {
        static_cast<CNxDownLoadFile*>(data)->StopDownLoad();
        return G_SOURCE_REMOVE;
      },
      &download_);
  ASSERT_TRUE(Get("mode=large&size=" + std::to_string(kSize), false));
  const std::optional<std::string> content = FileContent(path_);
  ASSERT_TRUE(content.has_value());
  EXPECT_GT(content->size(), 0U);
  EXPECT_LE(content->size(), CNxDownLoadFile::kChunkSize);
  EXPECT_EQ(*content, PaddedBody(kSize).substr(0, content->size()));
  EXPECT_EQ(g_main_context_find_source_by_id(nullptr, source), nullptr);
}

TEST_F(CurlDownloadTest, OneObjectServesOneTransferAfterAnother) {
  ASSERT_FALSE(Get("mode=404"));
  ASSERT_TRUE(Get("mode=ok&body=version%3D2.0.0%0D%0A"));
  ASSERT_TRUE(Get("mode=ok&body=version%3D2.0.1%0D%0A"));
  EXPECT_EQ(FileContent(path_), "version=2.0.1\r\n");
  EXPECT_EQ(owner_.completes, 3);
}

// --- faults: the disk, the folder and the server fail ----------------------------------

// Ticks of a GLib timer: they only come while something handles the main loop's events.
class TimerTicks {
 public:
  explicit TimerTicks(guint milliseconds)
      : source_(g_timeout_add(milliseconds, &TimerTicks::Tick, this)) {}
  ~TimerTicks() { g_source_remove(source_); }
  TimerTicks(const TimerTicks&) = delete;
  TimerTicks& operator=(const TimerTicks&) = delete;
  int Count() const { return count_; }

 private:
  static gboolean Tick(gpointer self) {
    ++static_cast<TimerTicks*>(self)->count_;
    return G_SOURCE_CONTINUE;
  }
  guint source_;
  int count_ = 0;
};

// Exit codes of a download run in a child process.
constexpr int kChildSucceeded = 0;
constexpr int kChildFailedAtTheWrite = 3;
constexpr int kChildFailedElsewhere = 4;
constexpr int kChildCouldNotDropRights = 5;

class CurlFaultTest : public CurlDownloadTest {
 protected:
  static constexpr const char* kEarlier = "version=1.0.0\r\n";

  void SetUp() override {
    CurlDownloadTest::SetUp();
    WriteFile(path_, kEarlier);
  }
  void ExpectTheEarlierFileAlone() const {
    EXPECT_EQ(FileContent(path_), kEarlier);
    EXPECT_FALSE(Exists(Part()));
  }
  bool QuickGet(const std::string& query) {
    return quick_.DownLoadFile(Download(query), path_, true, true);
  }

  // In a child process: a download of 4 MB with files limited to `limit` bytes.
  int DownloadWithFileSizeLimit(rlim_t limit) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &size) != 0) {
      return kChildFailedElsewhere;
    }
    if (Get("mode=large&size=4194304")) {
      return kChildSucceeded;
    }
    // No Loading for the chunk whose write failed.
    const bool at_the_write =
        owner_.query == std::vector<std::int32_t>{4194304} &&
        (owner_.loading.empty() || owner_.loading.back() <= static_cast<std::int32_t>(limit));
    return at_the_write ? kChildFailedAtTheWrite : kChildFailedElsewhere;
  }

  // In a child process: a download as a user who may not write the folder.
  int DownloadWithoutRights() {
    // Permissions do not bind the superuser: the child gives its rights up first.
    if (::geteuid() == 0 &&
        (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)) {
      return kChildCouldNotDropRights;
    }
    if (Get("mode=large&size=100000")) {
      return kChildSucceeded;
    }
    return owner_.query.size() == 1 && owner_.loading.empty() ? kChildFailedAtTheWrite
                                                              : kChildFailedElsewhere;
  }

  // The stall time of the tests: a second instead of half a minute.
  gtk::CurlHttpClient quick_http_{HttpTimeouts{std::chrono::seconds(2), std::chrono::seconds(1)}};
  CNxDownLoadFile quick_{quick_http_, files_, pump_, &owner_};
};

TEST_F(CurlFaultTest, AFullDiskFailsTheDownloadAtTheWriteAndKeepsTheEarlierFile) {
  // The limit holds in a child process only; past it a write fails as on a full disk.
  EXPECT_EXIT(std::_Exit(DownloadWithFileSizeLimit(256 * 1024)),
              ::testing::ExitedWithCode(kChildFailedAtTheWrite), "");
  ExpectTheEarlierFileAlone();
}

TEST_F(CurlFaultTest, AFolderThatCannotBeWrittenFailsAndKeepsTheEarlierFile) {
  ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
  EXPECT_EXIT(std::_Exit(DownloadWithoutRights()),
              ::testing::ExitedWithCode(kChildFailedAtTheWrite), "");
  ExpectTheEarlierFileAlone();
}

TEST_F(CurlFaultTest, AFolderRemovedBeforeTheDownloadFailsAndIsNotMadeAgain) {
  ::unlink(path_.c_str());
  ASSERT_EQ(::rmdir(folder_.c_str()), 0);
  EXPECT_FALSE(Get("mode=large&size=100000"));
  EXPECT_FALSE(Exists(folder_));
  EXPECT_TRUE(owner_.loading.empty());
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlFaultTest, AFolderRemovedWhileTheBodyArrivesFailsAndLeavesNothing) {
  bool removed = false;
  owner_.on_loading = [&] {
    if (!removed) {
      removed = ::unlink(path_.c_str()) == 0 && ::unlink(Part().c_str()) == 0 &&
                ::rmdir(folder_.c_str()) == 0;
    }
  };
  EXPECT_FALSE(Get("mode=large&size=4194304"));
  EXPECT_TRUE(removed);
  EXPECT_FALSE(Exists(folder_));
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlFaultTest, AConnectionResetMidBodyFailsAndKeepsTheEarlierFile) {
  EXPECT_FALSE(Get("mode=reset&size=1000000&cut=300000"));
  // The reset may overtake the answer's headers: then the address does not even open.
  EXPECT_LE(owner_.query.size(), 1U);
  for (const std::int32_t length : owner_.query) {
    EXPECT_EQ(length, 1000000);
  }
  if (!owner_.loading.empty()) {
    EXPECT_LE(owner_.loading.back(), 300000);
  }
  ExpectTheEarlierFileAlone();
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlFaultTest, AServerThatNeverAnswersIsGivenUpAfterTheStallTimeWhileEventsRun) {
  const TimerTicks ticks(10);
  EXPECT_FALSE(QuickGet("mode=silent&hold=60"));
  // The timer ran: the window's events were handled all through the wait.
  EXPECT_GT(ticks.Count(), 0);
  EXPECT_TRUE(owner_.query.empty());
  ExpectTheEarlierFileAlone();
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlFaultTest, AServerFallingSilentMidBodyIsGivenUpAfterTheStallTime) {
  const TimerTicks ticks(10);
  EXPECT_FALSE(QuickGet("mode=stall&size=100000&cut=30000&hold=60"));
  EXPECT_GT(ticks.Count(), 0);
  EXPECT_EQ(owner_.query, (std::vector<std::int32_t>{100000}));
  ASSERT_FALSE(owner_.loading.empty());
  EXPECT_LE(owner_.loading.back(), 30000);
  ExpectTheEarlierFileAlone();
}

TEST_F(CurlFaultTest, AStopWhileTheServerIsSilentEndsTheTransferAsAStop) {
  // The full stall time (half a minute) is in force: only the stop can end this with
  // success, keeping what came.
  const guint source = g_timeout_add(
      300,
      [](gpointer data) -> gboolean {
        static_cast<CNxDownLoadFile*>(data)->StopDownLoad();
        return G_SOURCE_REMOVE;
      },
      &download_);
  EXPECT_TRUE(Get("mode=stall&size=100000&cut=30000&hold=60"));
  if (g_main_context_find_source_by_id(nullptr, source) != nullptr) {
    g_source_remove(source);
  }
  const std::optional<std::string> content = FileContent(path_);
  ASSERT_TRUE(content.has_value());
  EXPECT_LE(content->size(), 30000U);
  EXPECT_EQ(*content, PaddedBody(100000).substr(0, content->size()));
  EXPECT_FALSE(Exists(Part()));
}

struct Announced {
  const char* name;
  const char* length;
};

class CurlAnnouncedLengthTest : public CurlFaultTest,
                                public ::testing::WithParamInterface<Announced> {};

TEST_P(CurlAnnouncedLengthTest, AnEnormousLengthWithAShortBodyFailsAndKeepsTheEarlierFile) {
  EXPECT_FALSE(Get(std::string("mode=ok&size=5000&announce=") + GetParam().length));
  // Reported as the largest count, when the length could be read at all.
  for (const std::int32_t length : owner_.query) {
    EXPECT_EQ(length, std::numeric_limits<std::int32_t>::max());
  }
  ExpectTheEarlierFileAlone();
  EXPECT_EQ(owner_.completes, 1);
}

INSTANTIATE_TEST_SUITE_P(Lengths, CurlAnnouncedLengthTest,
                         ::testing::Values(Announced{"TenToTheFifteenth", "1000000000000000"},
                                           Announced{"Past32Bits", "4294967297"},
                                           Announced{"Past63Bits", "9223372036854775808"},
                                           Announced{"Past64Bits", "99999999999999999999999"}),
                         [](const ::testing::TestParamInfo<Announced>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace orvane
