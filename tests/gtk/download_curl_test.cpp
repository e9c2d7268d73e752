// CNxDownLoadFile with libcurl, the POSIX files and the GLib event pump against the local
// publisher on loopback: every transfer mode the publisher can play.
#include <gtest/gtest.h>
#include <glib.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
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
    ::unlink(path_.c_str());
    ::rmdir(folder_.c_str());
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

TEST_F(CurlDownloadTest, ALargeBodyArrivesWholeInChunksOfAtMost8192Bytes) {
  constexpr std::size_t kSize = 1048576 + 123;
  ASSERT_TRUE(Get("mode=large&size=" + std::to_string(kSize)));
  EXPECT_EQ(FileContent(path_), PaddedBody(kSize));
  ASSERT_FALSE(owner_.loading.empty());
  std::int32_t previous = 0;
  for (const std::int32_t total : owner_.loading) {
    EXPECT_GT(total, previous);
    EXPECT_LE(total - previous, 8192);
    previous = total;
  }
  EXPECT_EQ(previous, static_cast<std::int32_t>(kSize));
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

TEST_F(CurlDownloadTest, AConnectionCutMidBodyFailsAndLeavesNoHalfFile) {
  WriteFile(path_, "version=1.0.0\r\n");
  EXPECT_FALSE(Get("mode=cut&size=100000&cut=50000"));
  // The part that came was written and reported, then the file was deleted.
  ASSERT_FALSE(owner_.loading.empty());
  EXPECT_LE(owner_.loading.back(), 50000);
  EXPECT_EQ(FileContent(path_), std::nullopt);
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlDownloadTest, AStopAfterTheFirstChunkKeepsThatChunkAndSucceeds) {
  owner_.on_loading = [this] { download_.StopDownLoad(); };
  ASSERT_TRUE(Get("mode=large&size=200000"));
  ASSERT_EQ(owner_.loading.size(), 1U);
  const std::size_t first = static_cast<std::size_t>(owner_.loading[0]);
  EXPECT_GT(first, 0U);
  EXPECT_LE(first, 8192U);
  EXPECT_EQ(FileContent(path_), PaddedBody(200000).substr(0, first));
  EXPECT_EQ(owner_.completes, 1);
}

TEST_F(CurlDownloadTest, AStopFromAnEventHandledByTheMainLoopEndsTheTransfer) {
  // As a button's click would: queued on the main loop, run by the pump after a chunk.
  const guint source = g_idle_add(
      [](gpointer data) -> gboolean {
        static_cast<CNxDownLoadFile*>(data)->StopDownLoad();
        return G_SOURCE_REMOVE;
      },
      &download_);
  ASSERT_TRUE(Get("mode=large&size=200000", false));
  const std::optional<std::string> content = FileContent(path_);
  ASSERT_TRUE(content.has_value());
  EXPECT_GT(content->size(), 0U);
  EXPECT_LE(content->size(), 8192U);
  EXPECT_EQ(*content, PaddedBody(200000).substr(0, content->size()));
  EXPECT_EQ(g_main_context_find_source_by_id(nullptr, source), nullptr);
}

TEST_F(CurlDownloadTest, OneObjectServesOneTransferAfterAnother) {
  ASSERT_FALSE(Get("mode=404"));
  ASSERT_TRUE(Get("mode=ok&body=version%3D2.0.0%0D%0A"));
  ASSERT_TRUE(Get("mode=ok&body=version%3D2.0.1%0D%0A"));
  EXPECT_EQ(FileContent(path_), "version=2.0.1\r\n");
  EXPECT_EQ(owner_.completes, 3);
}

}  // namespace
}  // namespace orvane
