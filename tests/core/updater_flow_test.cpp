// The updater's run over fakes of its ports (web, files, processes, window) with the
// platform's real cryptography: the order of its steps, the progress the download's
// events drive, and what happens on cancel and on failures no real system gives on demand.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "updater/release_manifest.h"
#include "updater/updater_flow.h"

namespace orvane {
namespace {

using Log = std::vector<std::string>;

const std::string kClientBody = [] {
  std::string body;
  for (int i = 0; i < 2000; ++i) {
    body += "new client\n";
  }
  return body;
}();
// Names kClientBody (22000 bytes) for both platforms; signed with the development key
// by "openssl dgst -sha256 -sign".
const std::string kManifest =
    "version=1.2.0\n"
    "linux-x86_64.path=/r/orvane\n"
    "linux-x86_64.size=22000\n"
    "linux-x86_64.sha256=e8ab7f9d0030971c0538c0e19ce4005d665a586997eacac0cb0a9031f31c7764\n"
    "win32.path=/r/Orvane.exe\n"
    "win32.size=22000\n"
    "win32.sha256=e8ab7f9d0030971c0538c0e19ce4005d665a586997eacac0cb0a9031f31c7764\n"
    "signature=YgrvQxpSyZNc3NumREukoJERLCrwAveGKvImQPrkNqJHomqeA0CFSnmSk9IR0i4Y8S11uOn/"
    "FvWmAb5b34btMQ==\n";
constexpr const char* kDevelopmentKey =
    "04d0573c64d4aa58b9c7bc32b317808dd81bd749a2408e28239445b0acbe89b2889c1acf43ea2c620fb881c0e3a876"
    "14"
    "d3fd00f5e88101184a93b9befdd5360868";

// One place that plays the web, the disk, the processes and the window.
class World final : public HttpClient,
                    public OutputFiles,
                    public EventPump,
                    public UpdaterFiles,
                    public ProcessWaiter,
                    public ProgramStarter,
                    public UpdaterView {
 public:
  // -- web
  class Url final : public HttpUrl {
   public:
    explicit Url(std::string body) : body_(std::move(body)) {}
    std::optional<std::int32_t> StatusCode() override { return 200; }
    std::optional<std::int64_t> ContentLength() override {
      return static_cast<std::int64_t>(body_.size());
    }
    // The network hands the body over 8 KB at a time.
    std::optional<std::size_t> Read(std::span<char> buffer) override {
      const std::size_t n = std::min({buffer.size(), body_.size() - at_, std::size_t{8192}});
      std::copy_n(body_.data() + at_, n, buffer.data());
      at_ += n;
      return n;
    }

   private:
    std::string body_;
    std::size_t at_ = 0;
  };
  class Session final : public HttpSession {
   public:
    explicit Session(World& world) : world_(world) {}
    std::unique_ptr<HttpUrl> OpenUrl(const std::string& url, HttpWaiter*) override {
      world_.log.push_back("get " + url);
      const auto found = world_.web.find(url);
      return found == world_.web.end() ? nullptr : std::make_unique<Url>(found->second);
    }

   private:
    World& world_;
  };
  std::unique_ptr<HttpSession> OpenSession() override { return std::make_unique<Session>(*this); }

  // -- files being written
  class File final : public OutputFile {
   public:
    explicit File(std::string& bytes) : bytes_(bytes) {}
    bool Write(std::span<const char> bytes) override {
      bytes_.append(bytes.data(), bytes.size());
      return true;
    }
    bool Close() override { return true; }

   private:
    std::string& bytes_;
  };
  std::unique_ptr<OutputFile> CreateAlways(const std::string& path, bool) override {
    disk[path].clear();
    return std::make_unique<File>(disk[path]);
  }
  bool Remove(const std::string& path) override {
    disk.erase(path);
    return true;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    const auto found = disk.find(from);
    if (found == disk.end()) {
      return false;
    }
    disk[to] = std::move(found->second);
    disk.erase(from);
    return true;
  }

  void ProcessPendingEvents() override {}

  // -- updater files
  bool CanWriteFolder(const std::string&) override { return writable; }
  std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) override {
    const auto found = disk.find(path);
    if (found == disk.end() || found->second.size() > limit) {
      return std::nullopt;
    }
    return found->second;
  }
  bool Measure(const std::string& path, Sha256Stream& hash, std::uint64_t& size) override {
    const std::string& bytes = disk.at(path);
    size = bytes.size();
    return hash.Update({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
  bool Replace(const std::string& program, const std::string& replacement,
               const std::string& backup) override {
    log.push_back("replace");
    if (!replace_works) {
      return false;
    }
    disk[backup] = disk[program];
    disk[program] = disk[replacement];
    disk.erase(replacement);
    return true;
  }

  // -- processes
  bool WaitUntilNotRunning(const std::string& path, int seconds) override {
    log.push_back("wait " + path + " " + std::to_string(seconds));
    return !client_stays;
  }
  bool Start(const std::string& path) override {
    log.push_back("start " + disk[path]);
    return true;
  }

  // -- window
  void SetStatus(std::string_view text) override { log.push_back("status " + std::string(text)); }
  void SetProgress(std::int64_t done, std::int64_t total) override {
    log.push_back("progress " + std::to_string(done) + "/" + std::to_string(total));
    if (cancel_at_progress && done > 0 && flow != nullptr) {
      flow->Cancel();
    }
  }
  void EnableCancel(bool enabled) override { log.push_back(enabled ? "cancel on" : "cancel off"); }
  void ShowError(std::string_view text) override { log.push_back("error " + std::string(text)); }

  std::map<std::string, std::string> web;
  std::map<std::string, std::string> disk;
  Log log;
  bool writable = true;
  bool replace_works = true;
  bool client_stays = false;
  bool cancel_at_progress = false;
  UpdaterFlow* flow = nullptr;
};

class UpdaterFlowTest : public ::testing::Test {
 protected:
  UpdaterFlowTest() : crypto_(MakePlatformReleaseCrypto()) {
    settings_.target = {"/opt/orvane", "/opt/orvane/orvane"};
    settings_.static_server = "http://static";
    settings_.manifest_url = "http://static/gamehome/mirab/release.txt";
    settings_.platform = kPlatformLinux;
    settings_.running_version = "1.1.0";
    settings_.public_key = *ParsePublicKey(kDevelopmentKey);
    world_.web[settings_.manifest_url] = kManifest;
    world_.web["http://static/r/orvane"] = kClientBody;
    world_.disk["/opt/orvane/orvane"] = "old client";
  }

  UpdateResult Run() {
    UpdaterFlow flow(settings_, {world_, world_, world_, world_, *crypto_, world_, world_, world_});
    world_.flow = &flow;
    const UpdateResult result = flow.Run();
    world_.flow = nullptr;
    return result;
  }

  bool CanVerify() {
    const auto parse = ParseReleaseManifest(kManifest);
    return VerifyReleaseManifest(*parse.manifest, settings_.public_key, *crypto_);
  }

  std::unique_ptr<ReleaseCrypto> crypto_;
  UpdaterSettings settings_;
  World world_;
};

TEST_F(UpdaterFlowTest, StepsInOrderWithTheDownloadDrivingTheBar) {
  if (!CanVerify()) {
    GTEST_SKIP() << "this system's cryptography does not verify ECDSA P-256 signatures";
  }
  EXPECT_EQ(Run(), UpdateResult::kInstalled);
  const Log expected = {
      "cancel on",
      "progress 0/0",
      "status " + std::string(updater_text::kWaiting),
      "wait /opt/orvane/orvane 60",
      "status " + std::string(updater_text::kChecking),
      "get http://static/gamehome/mirab/release.txt",
      "status " + std::string(updater_text::kDownloading),
      "get http://static/r/orvane",
      "progress 0/22000",  // QueryFileInfo
      "progress 8192/22000",
      "progress 16384/22000",
      "progress 22000/22000",
      "cancel off",
      "status " + std::string(updater_text::kVerifying),
      "status " + std::string(updater_text::kInstalling),
      "replace",
      "status " + std::string(updater_text::kStarting),
      "start " + kClientBody,
  };
  EXPECT_EQ(world_.log, expected);
  EXPECT_EQ(world_.disk["/opt/orvane/orvane.old"], "old client");
  EXPECT_EQ(world_.disk.count("/opt/orvane/orvane.release.txt"), 0u);
}

TEST_F(UpdaterFlowTest, CancelDuringTheDownloadRemovesThePartAndStartsTheOldClient) {
  if (!CanVerify()) {
    GTEST_SKIP() << "this system's cryptography does not verify ECDSA P-256 signatures";
  }
  world_.cancel_at_progress = true;
  EXPECT_EQ(Run(), UpdateResult::kFailed);
  // The transfer ends after the chunk in progress; nothing more is read.
  EXPECT_EQ(std::count(world_.log.begin(), world_.log.end(), "progress 16384/22000"), 0);
  EXPECT_EQ(std::count(world_.log.begin(), world_.log.end(), "replace"), 0);
  EXPECT_EQ(world_.disk.count("/opt/orvane/orvane.new"), 0u);
  ASSERT_GE(world_.log.size(), 2u);
  EXPECT_EQ(world_.log[world_.log.size() - 2], "error " + std::string(updater_text::kCancelled));
  EXPECT_EQ(world_.log.back(), "start old client");
}

TEST_F(UpdaterFlowTest, AFolderThatCannotBeWrittenIsFoundBeforeAnyDownload) {
  world_.writable = false;
  EXPECT_EQ(Run(), UpdateResult::kFailed);
  for (const std::string& entry : world_.log) {
    EXPECT_EQ(entry.rfind("get ", 0), std::string::npos) << entry;
  }
  EXPECT_EQ(world_.log.back(), "start old client");
}

// As root the package's folder can be written, yet the package's client stays the package
// manager's to replace: the same message as for a folder the player cannot write.
TEST_F(UpdaterFlowTest, AClientFromASystemPackageIsNeverReplacedEvenWhereWritable) {
  settings_.system_package = true;
  world_.writable = true;
  EXPECT_EQ(Run(), UpdateResult::kFailed);
  for (const std::string& entry : world_.log) {
    EXPECT_EQ(entry.rfind("get ", 0), std::string::npos) << entry;
  }
  EXPECT_EQ(std::count(world_.log.begin(), world_.log.end(), "replace"), 0);
  ASSERT_GE(world_.log.size(), 2u);
  EXPECT_EQ(world_.log[world_.log.size() - 2], "error " + std::string(updater_text::kNotWritable));
  EXPECT_EQ(world_.log.back(), "start old client");
  EXPECT_EQ(world_.disk["/opt/orvane/orvane"], "old client");
}

TEST_F(UpdaterFlowTest, AClientThatStaysIsNotStartedAgainAndNothingIsFetched) {
  world_.client_stays = true;
  settings_.wait_seconds = 5;
  EXPECT_EQ(Run(), UpdateResult::kClientStillRuns);
  EXPECT_EQ(world_.log.back(), "error " + std::string(updater_text::kStillRunning));
  EXPECT_NE(std::find(world_.log.begin(), world_.log.end(), "wait /opt/orvane/orvane 5"),
            world_.log.end());
  for (const std::string& entry : world_.log) {
    EXPECT_EQ(entry.rfind("get ", 0), std::string::npos) << entry;
    EXPECT_EQ(entry.rfind("start ", 0), std::string::npos) << entry;
  }
}

TEST_F(UpdaterFlowTest, AFailedReplaceStartsTheOldClient) {
  if (!CanVerify()) {
    GTEST_SKIP() << "this system's cryptography does not verify ECDSA P-256 signatures";
  }
  world_.replace_works = false;
  EXPECT_EQ(Run(), UpdateResult::kFailed);
  EXPECT_EQ(world_.disk["/opt/orvane/orvane"], "old client");
  EXPECT_EQ(world_.disk.count("/opt/orvane/orvane.new"), 0u);
  EXPECT_EQ(world_.log.back(), "start old client");
}

TEST_F(UpdaterFlowTest, AnUnverifiableManifestIsNeverInstalled) {
  // Another key: the same manifest is not the publisher's.
  settings_.public_key = *ParsePublicKey(
      "04b933f17646214f798c575a4d51450d9e7bf8b61dac4bb22a79826ae4f89ba802ddd5b499a50b622e2d75f32a"
      "4cedca8d2f506105113c4d93d835bde8b54a1af9");
  EXPECT_EQ(Run(), UpdateResult::kFailed);
  EXPECT_EQ(std::count(world_.log.begin(), world_.log.end(), "get http://static/r/orvane"), 0);
  EXPECT_NE(std::find(world_.log.begin(), world_.log.end(),
                      "error " + std::string(updater_text::kBadSignature)),
            world_.log.end());
  EXPECT_EQ(world_.log.back(), "start old client");
}

}  // namespace
}  // namespace orvane
