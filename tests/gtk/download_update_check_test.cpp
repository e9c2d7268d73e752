// The update check end to end on Linux: the real download from the local publisher into
// a real temporary folder, read back by the real file code; only the dialogs and what
// happens after Yes are recorded instead of shown.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/download_file.h"
#include "app/gtk/curl_http_session.h"
#include "app/gtk/glib_event_pump.h"
#include "app/gtk/posix_files.h"
#include "app/update_check.h"
#include "base/product.h"
#include "support/publisher_suite.h"

namespace orvane {
namespace {

class RecordingHost final : public MessageBoxes,
                            public ResourceWriter,
                            public ProgramLauncher,
                            public UpdateExit {
 public:
  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    log.push_back("message " + std::string(request.text));
    return request.buttons == MessageButtons::kYesNo ? answer : MessageAnswer::kOk;
  }
  bool SaveResourceToFile(int id, ResourceType type, const std::string& path) override {
    log.push_back("save " + std::to_string(id) + " " + std::string(CustomTypeName(type)) + " " +
                  path);
    return true;
  }
  bool ShellOpen(const std::string& file, const std::string& parameters) override {
    log.push_back("open " + file + " " + parameters);
    return true;
  }
  void EndProgram() override { log.push_back("end program"); }
  void SetExit(bool exit) override { log.push_back(exit ? "m_bExit True" : "m_bExit False"); }
  void CloseMainWindow() override { log.push_back("close main window"); }

  std::vector<std::string> log;
  MessageAnswer answer = MessageAnswer::kNo;
};

class LinuxUpdateCheckTest : public test::PublisherSuite {
 protected:
  void SetUp() override {
    ASSERT_NE(publisher_, nullptr) << publisher_problem_;
    folder_ = "/tmp/orvane-check-XXXXXX";
    ASSERT_NE(::mkdtemp(folder_.data()), nullptr);
    settings_.temp_folder = folder_ + "/";
    settings_.version_text = std::string(kVersionText);
    settings_.updater_argument = "/opt/orvane|/opt/orvane/orvane";
    settings_.updater_file_name = "orvane-update";
  }
  void TearDown() override {
    ::unlink((folder_ + "/update.txt.part").c_str());
    ::unlink((folder_ + "/update.txt").c_str());
    ::rmdir(folder_.c_str());
  }

  // In a child process: the command check of a 100 KB update file naming 1.2.0, with
  // files limited to `limit` bytes. 0 when it answered "up to date" from the earlier file.
  int CommandCheckWithFileSizeLimit(rlim_t limit) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &size) != 0) {
      return 2;
    }
    const UpdateCheckOutcome outcome =
        Check(UpdateCheckForm::kCommand, "mode=large&size=100000&body=version%3D1.2.0%0D%0A");
    const std::vector<std::string> said = {"message 当前版本已是最新，无需更新！"};
    return outcome == UpdateCheckOutcome::kUpToDate && host_.log == said ? 0 : 1;
  }

  UpdateCheckOutcome Check(UpdateCheckForm form, const std::string& query) {
    settings_.update_file_url = publisher_->Url("/_test/download?" + query);
    return RunUpdateCheck(form, settings_, {download_, files_, host_, host_, host_, host_});
  }

  std::string folder_;
  UpdateCheckSettings settings_;
  gtk::CurlHttpClient http_;
  gtk::PosixOutputFiles output_;
  gtk::GlibEventPump pump_;
  CNxDownLoadFile download_{http_, output_, pump_};
  gtk::PosixUpdateFiles files_;
  RecordingHost host_;
};

TEST_F(LinuxUpdateCheckTest, TheSameVersionIsQuietAtStartUpAndSaidOnCommand) {
  EXPECT_EQ(Check(UpdateCheckForm::kStartUp, "mode=ok"), UpdateCheckOutcome::kUpToDate);
  EXPECT_TRUE(host_.log.empty());
  EXPECT_EQ(Check(UpdateCheckForm::kCommand, "mode=ok"), UpdateCheckOutcome::kUpToDate);
  EXPECT_EQ(host_.log, (std::vector<std::string>{"message 当前版本已是最新，无需更新！"}));
}

TEST_F(LinuxUpdateCheckTest, ALowerPublishedVersionIsOfferedAndYesStartsTheUpdater) {
  host_.answer = MessageAnswer::kYes;
  EXPECT_EQ(Check(UpdateCheckForm::kStartUp, "mode=ok&body=version%3D1.0.9%0D%0A"),
            UpdateCheckOutcome::kUpdaterStarted);
  const std::string updater = folder_ + "/orvane-update";
  EXPECT_EQ(host_.log, (std::vector<std::string>{
                           "message 发现有新版本，是否现在更新！", "save 101 UPDATE " + updater,
                           "open " + updater + " /opt/orvane|/opt/orvane/orvane", "end program"}));
}

TEST_F(LinuxUpdateCheckTest, AFileWithLineFeedsOnlyIsOneLongLineAndOffersTheUpdate) {
  EXPECT_EQ(Check(UpdateCheckForm::kStartUp, "mode=ok&body=version%3D1.1.0%0Anotes%0A"),
            UpdateCheckOutcome::kDeclined);
}

TEST_F(LinuxUpdateCheckTest, AVersionLineBehindOtherLinesInALargeFileIsFound) {
  EXPECT_EQ(
      Check(UpdateCheckForm::kStartUp,
            "mode=large&size=100000&body=%5Bmirab%5D%0D%0Aname%3Dx%0D%0Aversion%3D1.1.0%0D%0A"),
      UpdateCheckOutcome::kUpToDate);
}

TEST_F(LinuxUpdateCheckTest, AFailedDownloadFallsBackOnTheEarlierFile) {
  std::ofstream(folder_ + "/update.txt", std::ios::binary) << "version=1.2.0\r\n";
  EXPECT_EQ(Check(UpdateCheckForm::kStartUp, "mode=404"), UpdateCheckOutcome::kDeclined);
}

TEST_F(LinuxUpdateCheckTest, NoFileAtAllIsSilentAtStartUpAndReportedOnCommand) {
  EXPECT_EQ(Check(UpdateCheckForm::kStartUp, "mode=chunked"), UpdateCheckOutcome::kNoFile);
  EXPECT_TRUE(host_.log.empty());
  EXPECT_EQ(Check(UpdateCheckForm::kCommand, "mode=cut&size=4000&cut=100"),
            UpdateCheckOutcome::kNoFile);
  EXPECT_EQ(host_.log,
            (std::vector<std::string>{"message 未能连接到服务器，请检查网络连接是否正常！"}));
}

// --- the download fails half-way: the check reads the earlier file, never a part --------

TEST_F(LinuxUpdateCheckTest, ATransferCutHalfWayLeavesTheEarlierFileToTheCheck) {
  std::ofstream(folder_ + "/update.txt", std::ios::binary) << "version=1.1.0\r\n";
  // The part that arrives names a newer version; read, it would offer an update.
  EXPECT_EQ(
      Check(UpdateCheckForm::kStartUp, "mode=cut&size=100000&cut=50000&body=version%3D1.2.0%0D%0A"),
      UpdateCheckOutcome::kUpToDate);
  EXPECT_TRUE(host_.log.empty());
  EXPECT_NE(::access((folder_ + "/update.txt.part").c_str(), F_OK), 0);
}

TEST_F(LinuxUpdateCheckTest, AFullDiskLeavesTheEarlierFileToTheCheck) {
  std::ofstream(folder_ + "/update.txt", std::ios::binary) << "version=1.1.0\r\n";
  // In a child process, with files limited to 4 KB: the 100 KB update file cannot be
  // written, and the command check answers from the earlier file.
  EXPECT_EXIT(std::_Exit(CommandCheckWithFileSizeLimit(4096)), ::testing::ExitedWithCode(0), "");
  std::ifstream in(folder_ + "/update.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "version=1.1.0\r\n");
  EXPECT_NE(::access((folder_ + "/update.txt.part").c_str(), F_OK), 0);
}

}  // namespace
}  // namespace orvane
