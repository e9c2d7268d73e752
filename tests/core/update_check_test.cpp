// The update check, start-up and command forms, over fakes of the downloader, the files,
// the dialogs, the resource writer, the launcher and the way out.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/update_check.h"
#include "base/product.h"

namespace orvane {
namespace {

using Log = std::vector<std::string>;

constexpr const char* kTemp = "/run/user/1000/orvane/";
constexpr const char* kUpdateUrl = "http://static.test/gamehome/mirab/update.txt";
constexpr const char* kArgument = "/opt/orvane|/opt/orvane/orvane";

std::string UpdatePath() {
  return std::string(kTemp) + "update.txt";
}
std::string UpdaterPath() {
  return std::string(kTemp) + "Update.exe";
}

class StringSource final : public ByteSource {
 public:
  explicit StringSource(std::string text) : text_(std::move(text)) {}
  std::size_t Read(std::span<char> buffer) override {
    const std::size_t count = std::min(buffer.size(), text_.size() - offset_);
    std::copy_n(text_.data() + offset_, count, buffer.data());
    offset_ += count;
    return count;
  }

 private:
  std::string text_;
  std::size_t offset_ = 0;
};

// Files as a map; the lines handed out are counted so that a test can tell how far the
// check read.
class FakeFiles final : public UpdateFiles {
 public:
  explicit FakeFiles(Log& log) : log_(log) {}

  class CountingLines final : public TextLineSource {
   public:
    CountingLines(std::string text, FakeFiles& files)
        : reader_(std::make_unique<StringSource>(std::move(text))), files_(files) {}
    ~CountingLines() override { files_.log_.push_back("close file"); }
    std::optional<std::string> ReadLine() override {
      ++files_.lines_read;
      return reader_.ReadLine();
    }

   private:
    CrLineReader reader_;
    FakeFiles& files_;
  };

  bool Exists(const std::string& path) override { return content.count(path) == 1; }
  std::unique_ptr<TextLineSource> OpenLines(const std::string& path) override {
    log_.push_back("read " + path);
    if (!Exists(path) || unreadable) {
      return nullptr;
    }
    return std::make_unique<CountingLines>(content[path], *this);
  }

  std::map<std::string, std::string> content;
  bool unreadable = false;
  int lines_read = 0;

 private:
  Log& log_;
};

// Stores what "the server" publishes, or fails as a download can.
class FakeDownloader final : public FileDownloader {
 public:
  FakeDownloader(FakeFiles& files, Log& log) : files_(files), log_(log) {}
  bool DownLoadFile(const std::string& url, const std::string& path, bool hidden,
                    bool events) override {
    log_.push_back("download " + url + " -> " + path + (hidden ? " hidden" : " normal") +
                   (events ? " events" : " quiet"));
    if (!published) {
      return false;
    }
    files_.content[path] = *published;
    return true;
  }
  std::optional<std::string> published;

 private:
  FakeFiles& files_;
  Log& log_;
};

class FakeDialogs final : public MessageBoxes {
 public:
  explicit FakeDialogs(Log& log) : log_(log) {}
  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    shown.push_back(
        {std::string(request.text), std::string(request.title), request.icon, request.buttons});
    log_.push_back("message " + std::string(request.text));
    return request.buttons == MessageButtons::kYesNo ? answer : MessageAnswer::kOk;
  }
  struct Shown {
    std::string text;
    std::string title;
    MessageIcon icon;
    MessageButtons buttons;
  };
  std::vector<Shown> shown;
  MessageAnswer answer = MessageAnswer::kNo;

 private:
  Log& log_;
};

class FakeHost final : public ResourceWriter, public ProgramLauncher, public UpdateExit {
 public:
  explicit FakeHost(Log& log) : log_(log) {}
  bool SaveResourceToFile(int id, ResourceType type, const std::string& path) override {
    log_.push_back("save resource " + std::to_string(id) + " " + std::string(CustomTypeName(type)) +
                   " -> " + path);
    return resource_writable;
  }
  bool ShellOpen(const std::string& file, const std::string& parameters) override {
    log_.push_back("open " + file + " with " + parameters);
    return true;
  }
  void EndProgram() override { log_.push_back("end program"); }
  void SetExit(bool exit) override { log_.push_back(exit ? "m_bExit True" : "m_bExit False"); }
  void CloseMainWindow() override { log_.push_back("close main window"); }
  bool resource_writable = true;

 private:
  Log& log_;
};

class UpdateCheckTest : public ::testing::Test {
 protected:
  Log log;
  FakeFiles files{log};
  FakeDownloader downloader{files, log};
  FakeDialogs dialogs{log};
  FakeHost host{log};
  UpdateCheckSettings settings{kTemp, kUpdateUrl, std::string(kVersionText), kArgument};

  UpdateCheckOutcome Run(UpdateCheckForm form) {
    return RunUpdateCheck(form, settings, {downloader, files, dialogs, host, host, host});
  }
  // The log from the first line that is not the download, the open and the close.
  Log Decisions() const {
    Log out;
    for (const std::string& line : log) {
      if (line.rfind("download ", 0) != 0 && line.rfind("read ", 0) != 0 && line != "close file") {
        out.push_back(line);
      }
    }
    return out;
  }
};

// --- what is fetched and where ------------------------------------------------------------

TEST_F(UpdateCheckTest, DownloadsTheUpdateFileHiddenAndQuietIntoTheTemporaryFolder) {
  downloader.published = "version=1.1.0\r\n";
  Run(UpdateCheckForm::kStartUp);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(),
            std::string("download ") + kUpdateUrl + " -> " + UpdatePath() + " hidden quiet");
}

TEST(UpdateCheckVersionText, IsMajorMinorRevisionOfTheVersionRecordsNumbers) {
  // The Windows version record is built from the same numbers; the texts must not drift.
  const std::string joined = std::to_string(ORVANE_VERSION_MAJOR) + "." +
                             std::to_string(ORVANE_VERSION_MINOR) + "." +
                             std::to_string(ORVANE_VERSION_PATCH);
  EXPECT_EQ(kVersionText, joined);
  EXPECT_EQ(std::string(kFileVersionText).rfind(joined + ".", 0), 0U);
}

// --- reading the file --------------------------------------------------------------------

struct Published {
  const char* name;
  const char* text;
  bool offers_update;
};

class UpdateCheckVersionTest : public UpdateCheckTest,
                               public ::testing::WithParamInterface<Published> {};

TEST_P(UpdateCheckVersionTest, OffersTheUpdateExactlyWhenThePublishedValueDiffers) {
  downloader.published = GetParam().text;
  const UpdateCheckOutcome outcome = Run(UpdateCheckForm::kStartUp);
  if (GetParam().offers_update) {
    EXPECT_EQ(outcome, UpdateCheckOutcome::kDeclined);
    EXPECT_EQ(Decisions(), (Log{"message 发现有新版本，是否现在更新！"}));
  } else {
    EXPECT_EQ(outcome, UpdateCheckOutcome::kUpToDate);
    EXPECT_EQ(Decisions(), Log{});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, UpdateCheckVersionTest,
    ::testing::Values(Published{"Plain", "version=1.1.0\r\n", false},
                      Published{"SpacesAroundTheNumber", "version= 1.1.0  \r\n", false},
                      Published{"CapitalV", "Version=1.1.0\r\n", false},
                      Published{"OtherSeparator", "version:1.1.0", false},
                      Published{"AfterOtherLines", "[mirab]\r\nname=x\rversion=1.1.0\r\n", false},
                      Published{"SpaceBeforeEquals", "version =1.1.0\r\n", true},
                      Published{"TwoLeadingSpaces", "  version=1.1.0\r\n", true},
                      Published{"Higher", "version=1.2.0\r\n", true},
                      Published{"Lower", "version=1.0.9\r\n", true},
                      Published{"LineFeedsOnly", "version=1.1.0\nchanges\n", true},
                      Published{"LineFeedEnd", "version=1.1.0\n", true},
                      Published{"TabAfterTheNumber", "version=1.1.0\t\r\n", true},
                      Published{"EmptyValue", "version=\r\n", true},
                      Published{"FirstVersionLineWins", "version=1.1.0\r\nversion=2.0.0\r\n",
                                false}),
    [](const ::testing::TestParamInfo<Published>& info) { return info.param.name; });

TEST_F(UpdateCheckTest, StopsReadingAtTheVersionLine) {
  downloader.published = "title\r\nversion=1.1.0\r\nnotes\r\nmore notes\r\n";
  Run(UpdateCheckForm::kStartUp);
  EXPECT_EQ(files.lines_read, 2);
}

TEST_F(UpdateCheckTest, WithoutAVersionLineNothingIsShownInEitherForm) {
  downloader.published = "release=1.2.0\r\n";
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kNoVersionLine);
  EXPECT_EQ(Run(UpdateCheckForm::kCommand), UpdateCheckOutcome::kNoVersionLine);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(files.lines_read, 4);  // both lines and the end, twice
}

TEST_F(UpdateCheckTest, TheFileIsClosedBeforeAnyMessageIsShown) {
  downloader.published = "version=1.2.0\r\n";
  Run(UpdateCheckForm::kStartUp);
  const auto close = std::find(log.begin(), log.end(), "close file");
  const auto message = std::find(log.begin(), log.end(), "message 发现有新版本，是否现在更新！");
  ASSERT_NE(close, log.end());
  ASSERT_NE(message, log.end());
  EXPECT_LT(close, message);
}

// --- no file, or an old one ------------------------------------------------------------

TEST_F(UpdateCheckTest, StartUpGivesUpSilentlyWhenNoFileCouldBeHad) {
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kNoFile);
  EXPECT_EQ(Decisions(), Log{});
}

TEST_F(UpdateCheckTest, CommandSaysTheServerCouldNotBeReachedWhenNoFileCouldBeHad) {
  EXPECT_EQ(Run(UpdateCheckForm::kCommand), UpdateCheckOutcome::kNoFile);
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_EQ(dialogs.shown[0].text, "未能连接到服务器，请检查网络连接是否正常！");
  EXPECT_EQ(dialogs.shown[0].title, "提示");
  EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(Decisions().size(), 1U);
}

TEST_F(UpdateCheckTest, AFileThatCannotBeOpenedCountsAsNoFile) {
  files.content[UpdatePath()] = "version=1.2.0\r\n";
  files.unreadable = true;
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kNoFile);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(Run(UpdateCheckForm::kCommand), UpdateCheckOutcome::kNoFile);
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_EQ(dialogs.shown[0].text, kNoConnectionMessage);
}

TEST_F(UpdateCheckTest, AFailedDownloadFallsBackOnTheFileAnEarlierRunLeft) {
  files.content[UpdatePath()] = "version=1.3.0\r\n";
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kDeclined);
  EXPECT_EQ(Decisions(), (Log{"message 发现有新版本，是否现在更新！"}));
}

TEST_F(UpdateCheckTest, WithoutATemporaryFolderNothingIsFetched) {
  settings.temp_folder.clear();
  downloader.published = "version=1.2.0\r\n";
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kNoFile);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(Run(UpdateCheckForm::kCommand), UpdateCheckOutcome::kNoFile);
  EXPECT_EQ(log, (Log{"message 未能连接到服务器，请检查网络连接是否正常！"}));
}

// --- the same version --------------------------------------------------------------------

TEST_F(UpdateCheckTest, SameVersionStartUpStaysSilent) {
  downloader.published = "version=1.1.0\r\n";
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kUpToDate);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(UpdateCheckTest, SameVersionCommandSaysItIsTheNewestWithAWarningBox) {
  downloader.published = "version=1.1.0\r\n";
  EXPECT_EQ(Run(UpdateCheckForm::kCommand), UpdateCheckOutcome::kUpToDate);
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_EQ(dialogs.shown[0].text, "当前版本已是最新，无需更新！");
  EXPECT_EQ(dialogs.shown[0].title, "提示");
  EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(Decisions().size(), 1U);
}

// --- a new version ------------------------------------------------------------------------

TEST_F(UpdateCheckTest, NewVersionAsksWithAQuestionBoxAndYesNo) {
  downloader.published = "version=1.2.0\r\n";
  Run(UpdateCheckForm::kCommand);
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_EQ(dialogs.shown[0].text, "发现有新版本，是否现在更新！");
  EXPECT_EQ(dialogs.shown[0].title, "提示");
  EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::kQuestion);
  EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::kYesNo);
}

TEST_F(UpdateCheckTest, NoLeavesEverythingAsItWasInBothForms) {
  downloader.published = "version=1.2.0\r\n";
  dialogs.answer = MessageAnswer::kNo;
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kDeclined);
  EXPECT_EQ(Run(UpdateCheckForm::kCommand), UpdateCheckOutcome::kDeclined);
  EXPECT_EQ(Decisions(),
            (Log{"message 发现有新版本，是否现在更新！", "message 发现有新版本，是否现在更新！"}));
}

TEST_F(UpdateCheckTest, YesAtStartUpWritesAndStartsTheUpdaterThenEndsTheProgram) {
  downloader.published = "version=1.2.0\r\n";
  dialogs.answer = MessageAnswer::kYes;
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kUpdaterStarted);
  EXPECT_EQ(Decisions(), (Log{"message 发现有新版本，是否现在更新！",
                              "save resource 101 UPDATE -> " + UpdaterPath(),
                              "open " + UpdaterPath() + " with " + kArgument, "end program"}));
}

TEST_F(UpdateCheckTest, YesFromTheCommandLetsTheMainWindowCloseWithoutAsking) {
  downloader.published = "version=1.0.9\r\n";
  dialogs.answer = MessageAnswer::kYes;
  EXPECT_EQ(Run(UpdateCheckForm::kCommand), UpdateCheckOutcome::kUpdaterStarted);
  EXPECT_EQ(
      Decisions(),
      (Log{"message 发现有新版本，是否现在更新！", "save resource 101 UPDATE -> " + UpdaterPath(),
           "open " + UpdaterPath() + " with " + kArgument, "m_bExit True", "close main window"}));
}

TEST_F(UpdateCheckTest, AnUpdaterThatCouldNotBeWrittenIsNotStartedButTheClientStillLeaves) {
  downloader.published = "version=1.2.0\r\n";
  dialogs.answer = MessageAnswer::kYes;
  host.resource_writable = false;
  EXPECT_EQ(Run(UpdateCheckForm::kStartUp), UpdateCheckOutcome::kUpdaterNotWritten);
  EXPECT_EQ(Decisions(), (Log{"message 发现有新版本，是否现在更新！",
                              "save resource 101 UPDATE -> " + UpdaterPath(), "end program"}));
}

TEST_F(UpdateCheckTest, TheUpdaterFileNameIsTheSettingsOne) {
  downloader.published = "version=1.2.0\r\n";
  dialogs.answer = MessageAnswer::kYes;
  settings.updater_file_name = "orvane-update";
  Run(UpdateCheckForm::kStartUp);
  EXPECT_NE(std::find(log.begin(), log.end(),
                      std::string("open ") + kTemp + "orvane-update with " + kArgument),
            log.end());
}

// --- a spoofed update file -----------------------------------------------------------------

// Whatever the update file holds (it comes over plain HTTP and may have been replaced on
// the way), Yes starts nothing but the updater the client carries, written from its own
// resource to its own name in the temporary folder, with the client's own argument.
class SpoofedUpdateFileTest : public UpdateCheckTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(SpoofedUpdateFileTest, YesStartsOnlyTheCarriedUpdater) {
  downloader.published = GetParam();
  dialogs.answer = MessageAnswer::kYes;
  for (const UpdateCheckForm form : {UpdateCheckForm::kStartUp, UpdateCheckForm::kCommand}) {
    log.clear();
    const UpdateCheckOutcome outcome = Run(form);
    Log launches;
    for (const std::string& line : log) {
      if (line.rfind("open ", 0) == 0 || line.rfind("save resource ", 0) == 0) {
        launches.push_back(line);
      }
    }
    if (outcome == UpdateCheckOutcome::kUpdaterStarted) {
      EXPECT_EQ(launches, (Log{"save resource 101 UPDATE -> " + UpdaterPath(),
                               "open " + UpdaterPath() + " with " + kArgument}));
    } else {
      EXPECT_EQ(launches, Log{});
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Contents, SpoofedUpdateFileTest,
    ::testing::Values("version=/bin/sh\r\n", "version=1.2.0 && /bin/sh -c id\r\n",
                      "version=C:\\Windows\\System32\\cmd.exe\r\n",
                      "updater=/tmp/evil\r\nversion=9.9.9\r\n",
                      "version=9.9.9\r\nupdater=/tmp/evil\r\nargument=/tmp|/tmp/evil\r\n",
                      "version=../../../../tmp/evil|/tmp/evil\r\n", "version=\r\n",
                      "version=%s%n%x\r\n", "Update.exe\r\nversion=2.0.0",
                      "version=1.2.0\x01/tmp/evil\r\n", "\x89PNG\r\n\x1a\n"));

}  // namespace
}  // namespace orvane
