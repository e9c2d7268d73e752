// The Linux updater end to end: the real orvane-update process against the local
// publisher over HTTP, replacing a stand-in client (a tiny program that records every
// start) in a real temporary folder.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/download_file.h"
#include "app/gtk/curl_http_session.h"
#include "app/gtk/glib_event_pump.h"
#include "app/gtk/posix_files.h"
#include "app/gtk/resource_file_writer.h"
#include "app/gtk/spawn_launcher.h"
#include "app/update_check.h"
#include "base/resources.h"
#include "support/gtk/real_input.h"
#include "support/publisher_suite.h"
#include "updater/updater_flow.h"

extern char** environ;

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Only ever reached when something hangs; no test depends on how fast anything is.
constexpr auto kPatience = std::chrono::seconds(60);

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> Lines(const fs::path& path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadAll(path));
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::string HttpGet(const std::string& url) {
  gtk::CurlHttpClient client;
  auto session = client.OpenSession();
  auto response = session ? session->OpenUrl(url) : nullptr;
  if (!response || response->StatusCode() != 200) {
    throw std::runtime_error("request failed: " + url);
  }
  std::string body;
  char buffer[4096];
  while (auto got = response->Read(buffer)) {
    if (*got == 0) {
      break;
    }
    body.append(buffer, *got);
  }
  return body;
}

// A child process, waited for (or killed) exactly once.
struct Child {
  pid_t pid = 0;
  int Wait() {
    int status = 0;
    ::waitpid(pid, &status, 0);
    pid = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  ~Child() {
    if (pid > 0) {
      ::kill(pid, SIGKILL);
      Wait();
    }
  }
};

pid_t Spawn(std::vector<std::string> argv, const std::vector<std::string>& extra_env) {
  // Ours before the inherited ones, so that ours are the ones read.
  std::vector<std::string> env = extra_env;
  for (char** e = environ; *e != nullptr; ++e) {
    env.emplace_back(*e);
  }
  std::vector<char*> args;
  for (auto& a : argv) {
    args.push_back(a.data());
  }
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& e : env) {
    envp.push_back(e.data());
  }
  envp.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0) {
    throw std::runtime_error("cannot start " + argv[0]);
  }
  return pid;
}

struct RunningProcess {
  pid_t pid;
  std::vector<std::string> arguments;  // as it received them, the program's name first
};

// The processes whose program file is `file`.
std::vector<RunningProcess> ProcessesRunning(const fs::path& file) {
  std::vector<RunningProcess> found;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator("/proc", ignored)) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos ||
        fs::read_symlink(entry.path() / "exe", ignored) != file) {
      continue;
    }
    RunningProcess process{static_cast<pid_t>(std::stoi(name)), {}};
    std::istringstream in(ReadAll(entry.path() / "cmdline"));
    for (std::string argument; std::getline(in, argument, '\0');) {
      process.arguments.push_back(argument);
    }
    found.push_back(std::move(process));
  }
  return found;
}

using gtk::test_input::CommandOutput;

template <typename Done>
bool Eventually(Done done) {
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= give_up) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// The visible window of process `pid` whose title is `title`; empty when none comes.
std::string WindowOf(pid_t pid, const std::string& title) {
  std::string id;
  Eventually([&] {
    const std::string found =
        CommandOutput("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null");
    std::istringstream ids(found);
    for (std::string candidate; std::getline(ids, candidate);) {
      if (CommandOutput("xdotool getwindowname " + candidate + " 2>/dev/null") == title + "\n") {
        id = candidate;
        return true;
      }
    }
    return false;
  });
  return id;
}

// Clicks a message box's button with the mouse. The buttons share the box's bottom row
// equally: `x` is the point's share of the width ("1/2" for a lone OK; with Yes and No,
// "1/4" is No on the left and "3/4" Yes on the right).
void ClickBottomRow(const std::string& window, const std::string& x) {
  const std::string click = "eval $(xdotool getwindowgeometry --shell " + window +
                            ") && xdotool mousemove --window " + window + " $((WIDTH * " + x +
                            ")) $((HEIGHT - 12)) click 1";
  ASSERT_EQ(std::system(click.c_str()), 0) << click;
}

class UpdaterProcessTest : public test::PublisherSuite {
 protected:
  void SetUp() override {
    ASSERT_NE(publisher_, nullptr) << publisher_problem_;
    std::string root = "/tmp/orvane-updater-test-XXXXXX";
    ASSERT_NE(::mkdtemp(root.data()), nullptr);
    root_ = root;
    folder_ = root_ / "client";
    fs::create_directory(folder_);
    // Open to everybody: one test runs the updater as another user.
    fs::permissions(root_, fs::perms::all);
    const std::string standin = ReadAll(ORVANE_STANDIN_PROGRAM);
    ASSERT_FALSE(standin.empty());
    old_bytes_ = standin + "\nORVANE-STANDIN:old\n";
    new_bytes_ = standin + "\nORVANE-STANDIN:new\n" + std::string(200 * 1024, 'n');
    WriteAll(program(), old_bytes_);
    fs::permissions(program(), fs::perms(0755));
    WriteAll(root_ / "release-orvane", new_bytes_);
    Publish("version=1.2.0&fault=none&linux=" + (root_ / "release-orvane").string());
  }

  void TearDown() override {
    if (!root_.empty()) {
      std::error_code ignored;
      fs::remove_all(root_, ignored);
    }
    if (publisher_ != nullptr) {
      HttpGet(publisher_->Url("/_control/reset"));
    }
  }

  fs::path program() const { return folder_ / "orvane"; }
  fs::path messages() const { return root_ / "messages.log"; }
  fs::path starts() const { return folder_ / "starts.log"; }
  std::string Argument() const { return folder_.string() + "|" + program().string(); }

  static void Publish(const std::string& query) {
    HttpGet(publisher_->Url("/_control/release?" + query));
  }

  std::vector<std::string> Environment(const std::string& publisher) const {
    return {"ORVANE_PUBLISHER=" + publisher, "ORVANE_UPDATER_MESSAGE_LOG=" + messages().string()};
  }

  pid_t StartUpdater(std::vector<std::string> arguments, std::vector<std::string> env = {},
                     std::vector<std::string> prefix = {}) {
    std::vector<std::string> argv = std::move(prefix);
    argv.push_back(ORVANE_UPDATER_PROGRAM);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    // The test's own settings come first: the first of two equal names is the one read.
    std::vector<std::string> all = std::move(env);
    const std::vector<std::string> defaults = Environment(publisher_->BaseUrl());
    all.insert(all.end(), defaults.begin(), defaults.end());
    return Spawn(argv, all);
  }

  int RunUpdater(std::vector<std::string> arguments, std::vector<std::string> env = {},
                 std::vector<std::string> prefix = {}) {
    Child child{StartUpdater(std::move(arguments), std::move(env), std::move(prefix))};
    return child.Wait();
  }

  // The starts the stand-in recorded, once there are `count` of them.
  std::vector<std::string> WaitForStarts(std::size_t count) {
    const auto give_up = std::chrono::steady_clock::now() + kPatience;
    while (Lines(starts()).size() < count && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Lines(starts());
  }

  // After any failure: the old client, byte for byte, started again, no leftovers.
  void ExpectOldClientRestarted(const std::string& message) {
    EXPECT_EQ(ReadAll(program()), old_bytes_);
    EXPECT_FALSE(fs::exists(program().string() + ".new"));
    EXPECT_FALSE(fs::exists(program().string() + ".new" + CNxDownLoadFile::kPartSuffix));
    EXPECT_FALSE(fs::exists(program().string() + ".release.txt"));
    EXPECT_EQ(WaitForStarts(1), std::vector<std::string>{"old"});
    EXPECT_EQ(Lines(messages()), std::vector<std::string>{message});
  }

  fs::path root_;
  fs::path folder_;
  std::string old_bytes_;
  std::string new_bytes_;
};

TEST_F(UpdaterProcessTest, InstallsTheSignedReleaseKeepsTheOldOneAndStartsTheNew) {
  EXPECT_EQ(RunUpdater({Argument()}), 0);
  EXPECT_EQ(ReadAll(program()), new_bytes_);
  EXPECT_EQ(ReadAll(program().string() + ".old"), old_bytes_);
  EXPECT_EQ(fs::status(program()).permissions(), fs::perms(0755));
  EXPECT_FALSE(fs::exists(program().string() + ".new"));
  EXPECT_FALSE(fs::exists(program().string() + ".release.txt"));
  EXPECT_EQ(WaitForStarts(1), std::vector<std::string>{"new"});
  EXPECT_FALSE(fs::exists(messages()));
}

struct Refusal {
  const char* name;
  std::string publish;
  std::string_view message;
};

class UpdaterRefusalTest : public UpdaterProcessTest,
                           public ::testing::WithParamInterface<Refusal> {};

TEST_P(UpdaterRefusalTest, LeavesTheOldClientAndStartsItAgain) {
  if (!GetParam().publish.empty()) {
    Publish(GetParam().publish);
  }
  EXPECT_EQ(RunUpdater({Argument()}), 1);
  ExpectOldClientRestarted(std::string(GetParam().message));
  EXPECT_FALSE(fs::exists(program().string() + ".old"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UpdaterRefusalTest,
    ::testing::Values(Refusal{"BadSignature", "fault=bad-signature", updater_text::kBadSignature},
                      Refusal{"WrongHash", "fault=wrong-hash", updater_text::kBadFile},
                      Refusal{"WrongSize", "fault=wrong-size", updater_text::kBadFile},
                      Refusal{"TruncatedDownload", "fault=truncated",
                              updater_text::kDownloadFailed},
                      Refusal{"FileMissing", "fault=404", updater_text::kDownloadFailed},
                      Refusal{"SameVersion", "version=1.1.0", updater_text::kSameVersion},
                      Refusal{"OlderVersion", "version=1.0.9", updater_text::kSameVersion}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(UpdaterProcessTest, NoPlatformEntryAtAll) {
  // A release with only the Windows file: the manifest names no Linux client.
  HttpGet(publisher_->Url("/_control/reset"));
  Publish("version=1.3.0&win32=" + (root_ / "release-orvane").string());
  EXPECT_EQ(RunUpdater({Argument()}), 1);
  ExpectOldClientRestarted(std::string(updater_text::kNoPlatform));
}

TEST_F(UpdaterProcessTest, ServerGone) {
  // A port nobody listens on: the one of a publisher that has ended.
  Child gone{StartUpdater({Argument()}, {"ORVANE_PUBLISHER=http://127.0.0.1:9"})};
  EXPECT_EQ(gone.Wait(), 1);
  ExpectOldClientRestarted(std::string(updater_text::kNoManifest));
}

TEST_F(UpdaterProcessTest, CancelInTheMiddleOfTheDownload) {
  Publish("fault=slow&chunk=4096&delay=0.2");
  Child updater{StartUpdater({Argument()})};
  // Click "取消" once the new file has started to arrive.
  const fs::path partial = program().string() + ".new" + CNxDownLoadFile::kPartSuffix;
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while (!(fs::exists(partial) && fs::file_size(partial) > 0) &&
         std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(fs::exists(partial)) << "the download never started";
  const std::string click =
      "id=$(xdotool search --sync --onlyvisible --name 'Orvane客户端' | head -n1) && "
      "eval $(xdotool getwindowgeometry --shell $id) && "
      "xdotool mousemove --window $id $((WIDTH - 40)) $((HEIGHT - 28)) click 1";
  ASSERT_EQ(std::system(click.c_str()), 0);
  EXPECT_EQ(updater.Wait(), 1);
  ExpectOldClientRestarted(std::string(updater_text::kCancelled));
}

TEST_F(UpdaterProcessTest, FolderThePlayerCannotWrite) {
  // As root every folder is writable, so the updater runs as "nobody" here, in a folder
  // that belongs to root, like a system-wide install.
  ASSERT_EQ(::geteuid(), 0u) << "this test expects to run as root";
  fs::permissions(folder_, fs::perms(0755));
  WriteAll(starts(), "");
  fs::permissions(starts(), fs::perms(0666));
  WriteAll(messages(), "");
  fs::permissions(messages(), fs::perms(0666));
  EXPECT_EQ(RunUpdater({Argument()}, {},
                       {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"}),
            1);
  ExpectOldClientRestarted(std::string(updater_text::kNotWritable));
  EXPECT_FALSE(fs::exists(program().string() + ".old"));
}

TEST_F(UpdaterProcessTest, ClientThatDoesNotExitInTime) {
  Child client{Spawn({program().string(), "stay"}, {})};
  ASSERT_EQ(WaitForStarts(1), std::vector<std::string>{"old"});
  EXPECT_EQ(RunUpdater({Argument()}, {"ORVANE_UPDATER_WAIT_SECONDS=1"}), 3);
  EXPECT_EQ(ReadAll(program()), old_bytes_);
  EXPECT_EQ(Lines(messages()), std::vector<std::string>{std::string(updater_text::kStillRunning)});
  // The running client is not started a second time.
  EXPECT_EQ(Lines(starts()), std::vector<std::string>{"old"});
}

TEST_F(UpdaterProcessTest, AClientStartedThroughALinkedFolderIsSeenRunning) {
  const fs::path link = root_ / "linked";
  fs::create_directory_symlink(folder_, link);
  Child client{Spawn({program().string(), "stay"}, {})};
  ASSERT_EQ(WaitForStarts(1), std::vector<std::string>{"old"});
  EXPECT_EQ(RunUpdater({link.string() + "|" + (link / "orvane").string()},
                       {"ORVANE_UPDATER_WAIT_SECONDS=1"}),
            3);
  EXPECT_EQ(ReadAll(program()), old_bytes_);
}

TEST_F(UpdaterProcessTest, BadArgumentsTouchNothing) {
  fs::create_directory(folder_ / "sub");
  WriteAll(folder_ / "sub" / "orvane", old_bytes_);
  const std::string f = folder_.string();
  const std::vector<std::vector<std::string>> cases = {
      {},
      {Argument(), Argument()},
      {f + "/orvane"},
      {f + "|" + root_.string() + "/release-orvane"},  // outside the folder
      {f + "|" + f + "/sub/orvane"},                   // not directly inside
      {f + "|" + f + "/missing"},
      {f + "|" + f + "/sub"},  // a folder
      {f + "|" + f + "/orv\nane"},
      {f + "|" + f + "/../client/orvane"},
  };
  for (const auto& arguments : cases) {
    fs::remove(messages());
    EXPECT_EQ(RunUpdater(arguments), 2) << testing::PrintToString(arguments);
    EXPECT_EQ(Lines(messages()), std::vector<std::string>{std::string(updater_text::kBadArgument)});
  }
  EXPECT_EQ(ReadAll(program()), old_bytes_);
  EXPECT_FALSE(fs::exists(starts()));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    names.push_back(entry.path().filename());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"orvane", "sub"}));
}

// The message log only ever receives lines in a plain file named by an absolute path.
// Anything else (a link, a relative name, a folder, a pipe) is left alone and the
// message is shown in the real dialog, which the player closes with OK.
TEST_F(UpdaterProcessTest, AMessageLogThatIsNoPlainFileLeavesTheMessageInTheDialog) {
  const fs::path victim = root_ / "victim";
  WriteAll(victim, "keep me");
  fs::create_symlink(victim, root_ / "link.log");
  ASSERT_EQ(::mkfifo((root_ / "pipe.log").c_str(), 0600), 0);
  const std::string relative = "orvane-relative-" + root_.filename().string() + ".log";
  for (const std::string& log :
       {(root_ / "link.log").string(), relative, root_.string(), (root_ / "pipe.log").string()}) {
    Child updater{StartUpdater({}, {"ORVANE_UPDATER_MESSAGE_LOG=" + log})};
    const std::string box = WindowOf(updater.pid, "Orvane客户端");
    ASSERT_FALSE(box.empty()) << "no dialog for the log " << log;
    ClickBottomRow(box, "1 / 2");
    EXPECT_EQ(updater.Wait(), 2) << log;
  }
  EXPECT_EQ(ReadAll(victim), "keep me");
  EXPECT_TRUE(fs::is_symlink(root_ / "link.log"));
  EXPECT_FALSE(fs::exists(relative));
  EXPECT_EQ(ReadAll(program()), old_bytes_);
}

// What the update check asks the player and how the client leaves: recorded, with Yes
// as the answer. Everything else is the real thing.
class YesAndLeave final : public MessageBoxes, public UpdateExit {
 public:
  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    asked.emplace_back(request.text);
    return MessageAnswer::kYes;
  }
  void EndProgram() override { ended = true; }
  void SetExit(bool) override {}
  void CloseMainWindow() override {}
  std::vector<std::string> asked;
  bool ended = false;
};

TEST_F(UpdaterProcessTest, TheClientCarriesTheUpdater) {
  const std::string updater = ReadAll(ORVANE_UPDATER_PROGRAM);
  ASSERT_FALSE(updater.empty());
  EXPECT_NE(ReadAll(ORVANE_CLIENT_PROGRAM).find(updater), std::string::npos)
      << "orvane does not hold orvane-update";
  const auto carried = LoadResourceBytes(ResourceType::Update, ORVANE_UPDATE_PROGRAM);
  ASSERT_TRUE(carried);
  EXPECT_EQ(std::string(carried->begin(), carried->end()), updater);
}

TEST_F(UpdaterProcessTest, TheUpdateCheckStartsTheCarriedUpdaterWithTheClientsArgument) {
  // The client's private temporary folder.
  const fs::path temp = root_ / "private";
  fs::create_directory(temp);
  fs::permissions(temp, fs::perms(0700));
  // The updater the check starts inherits the publisher's address from the client.
  ::setenv("ORVANE_PUBLISHER", publisher_->BaseUrl().c_str(), 1);
  ::setenv("ORVANE_UPDATER_MESSAGE_LOG", messages().c_str(), 1);

  gtk::CurlHttpClient http;
  gtk::PosixOutputFiles output;
  gtk::GlibEventPump pump;
  CNxDownLoadFile download(http, output, pump);
  gtk::PosixUpdateFiles files;
  gtk::ResourceFileWriter writer;
  gtk::SpawnLauncher launcher;
  YesAndLeave player;
  UpdateCheckSettings settings;
  settings.temp_folder = temp.string() + "/";
  settings.update_file_url = publisher_->Url("/_test/download?body=version%3D1.2.0%0D%0A");
  settings.version_text = "1.1.0";
  settings.updater_argument = UpdaterArgument(program().string(), ProgramPathStyle::kPosix);
  settings.updater_file_name = "orvane-update";
  const UpdateCheckOutcome outcome = RunUpdateCheck(
      UpdateCheckForm::kStartUp, settings, {download, files, player, writer, launcher, player});
  ::unsetenv("ORVANE_PUBLISHER");
  ::unsetenv("ORVANE_UPDATER_MESSAGE_LOG");

  EXPECT_EQ(outcome, UpdateCheckOutcome::kUpdaterStarted);
  EXPECT_TRUE(player.ended);
  const fs::path written = temp / "orvane-update";
  EXPECT_EQ(ReadAll(written), ReadAll(ORVANE_UPDATER_PROGRAM));
  EXPECT_EQ(fs::status(written).permissions(), fs::perms(0700));
  // The updater found the client where the argument said and replaced it: the argument
  // arrived whole.
  EXPECT_EQ(WaitForStarts(1), std::vector<std::string>{"new"});
  EXPECT_EQ(ReadAll(program()), new_bytes_);
  EXPECT_EQ(ReadAll(program().string() + ".old"), old_bytes_);
  EXPECT_FALSE(fs::exists(messages()));
}

TEST_F(UpdaterProcessTest, APlantedLinkAtTheUpdatersNameIsReplacedNotWrittenThrough) {
  const fs::path temp = root_ / "private";
  fs::create_directory(temp);
  const fs::path victim = root_ / "victim";
  WriteAll(victim, "keep me");
  fs::create_symlink(victim, temp / "orvane-update");
  gtk::ResourceFileWriter writer;
  ASSERT_TRUE(writer.SaveResourceToFile(ORVANE_UPDATE_PROGRAM, ResourceType::Update,
                                        (temp / "orvane-update").string()));
  EXPECT_EQ(ReadAll(victim), "keep me");
  EXPECT_FALSE(fs::is_symlink(temp / "orvane-update"));
  EXPECT_EQ(ReadAll(temp / "orvane-update"), ReadAll(ORVANE_UPDATER_PROGRAM));
}

// The real client program in a client folder of its own, offered a newer version by the
// publisher's update file at its start: the player answers the real message box with the
// mouse. The release the publisher signed is the stand-in "new client".
class ClientUpdateTest : public UpdaterProcessTest {
 protected:
  void SetUp() override {
    UpdaterProcessTest::SetUp();
    if (HasFatalFailure()) {
      return;
    }
    client_bytes_ = ReadAll(ORVANE_CLIENT_PROGRAM);
    ASSERT_FALSE(client_bytes_.empty());
    WriteAll(program(), client_bytes_);
    fs::permissions(program(), fs::perms(0755));
    // The client makes its private temporary folder, "orvane", in the runtime folder.
    fs::create_directory(root_ / "runtime");
    fs::permissions(root_ / "runtime", fs::perms(0700));
    HttpGet(publisher_->Url("/_control/update?body=version%3D1.2.0%0D%0A"));
  }

  void TearDown() override {
    // Whatever a failed run left running from the test's folders goes with them.
    for (const fs::path& file : {updater(), program()}) {
      for (const RunningProcess& process : ProcessesRunning(file)) {
        ::kill(process.pid, SIGKILL);
      }
    }
    UpdaterProcessTest::TearDown();
  }

  fs::path temp() const { return root_ / "runtime" / "orvane"; }
  fs::path updater() const { return temp() / "orvane-update"; }

  pid_t StartClient() {
    return Spawn({program().string()},
                 {"ORVANE_PUBLISHER=" + publisher_->BaseUrl(),
                  "XDG_RUNTIME_DIR=" + (root_ / "runtime").string(),
                  // Windows need the system's settings schemas, which live in the data folders.
                  "XDG_DATA_DIRS=/usr/local/share:/usr/share",
                  "ORVANE_UPDATER_MESSAGE_LOG=" + messages().string()});
  }

  // The exit code of `child` once it has ended, or -1 when it is still running.
  static int WaitForEnd(Child& child) {
    int code = -1;
    Eventually([&] {
      int status = 0;
      if (::waitpid(child.pid, &status, WNOHANG) != child.pid) {
        return false;
      }
      child.pid = 0;
      code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return true;
    });
    return code;
  }

  std::string client_bytes_;
};

struct OfferedUpdate {
  const char* name;
  const char* update_file;  // percent-encoded
};

class ClientUpdateYesTest : public ClientUpdateTest,
                            public ::testing::WithParamInterface<OfferedUpdate> {};

// Also with an update file that names other programs and arguments: the client only ever
// starts the updater it carries, with its own argument.
TEST_P(ClientUpdateYesTest, EndsTheClientAndItsCarriedUpdaterInstallsTheSignedRelease) {
  HttpGet(publisher_->Url(std::string("/_control/update?body=") + GetParam().update_file));
  // The manifest is held back, so that the updater is seen running with its argument.
  Publish("hold=1");
  Child client{StartClient()};
  const std::string box = WindowOf(client.pid, "提示");
  ASSERT_FALSE(box.empty()) << "the client offered no update";
  ClickBottomRow(box, "3 / 4");
  ASSERT_EQ(WaitForEnd(client), 0) << "the client did not end";

  // The client wrote its carried updater into its private folder and started it with
  // its own folder and file.
  EXPECT_EQ(fs::status(temp()).permissions(), fs::perms(0700));
  EXPECT_EQ(fs::status(updater()).permissions(), fs::perms(0700));
  EXPECT_EQ(ReadAll(updater()), ReadAll(ORVANE_UPDATER_PROGRAM));
  const std::vector<RunningProcess> running = ProcessesRunning(updater());
  ASSERT_EQ(running.size(), 1u) << "the updater is not running";
  EXPECT_EQ(running[0].arguments, (std::vector<std::string>{updater().string(), Argument()}));

  Publish("hold=0");
  EXPECT_EQ(WaitForStarts(1), std::vector<std::string>{"new"});
  EXPECT_EQ(ReadAll(program()), new_bytes_);
  EXPECT_EQ(ReadAll(program().string() + ".old"), client_bytes_);
  EXPECT_EQ(fs::status(program()).permissions(), fs::perms(0755));
  EXPECT_TRUE(Eventually([&] { return ProcessesRunning(updater()).empty(); }));
  EXPECT_FALSE(fs::exists(messages()));
}

INSTANTIATE_TEST_SUITE_P(
    UpdateFiles, ClientUpdateYesTest,
    ::testing::Values(
        OfferedUpdate{"NewerVersion", "version%3D1.2.0%0D%0A"},
        // "version=/bin/sh -c id|/tmp\r\nupdater=/bin/sh\r\nargument=/tmp|/bin/sh\r\n"
        OfferedUpdate{"Spoofed",
                      "version%3D%2Fbin%2Fsh%20-c%20id%7C%2Ftmp%0D%0Aupdater%3D%2Fbin%2Fsh%0D%0A"
                      "argument%3D%2Ftmp%7C%2Fbin%2Fsh%0D%0A"}),
    [](const ::testing::TestParamInfo<OfferedUpdate>& info) {
      return std::string(info.param.name);
    });

TEST_F(ClientUpdateTest, NoGoesOnWithTheStartAndRunsNoUpdater) {
  Child client{StartClient()};
  const std::string box = WindowOf(client.pid, "提示");
  ASSERT_FALSE(box.empty()) << "the client offered no update";
  ClickBottomRow(box, "1 / 4");
  // The splash, at its picture's size.
  std::string splash;
  EXPECT_TRUE(Eventually([&] {
    const std::string found = CommandOutput("xdotool search --onlyvisible --pid " +
                                            std::to_string(client.pid) + " 2>/dev/null");
    std::istringstream ids(found);
    for (std::string id; std::getline(ids, id);) {
      if (CommandOutput("xdotool getwindowgeometry " + id).find("Geometry: 356x122") !=
          std::string::npos) {
        splash = id;
        return true;
      }
    }
    return false;
  })) << "no splash appeared";
  int status = 0;
  EXPECT_EQ(::waitpid(client.pid, &status, WNOHANG), 0) << "the client ended";
  EXPECT_FALSE(fs::exists(updater()));
  EXPECT_EQ(ReadAll(program()), client_bytes_);
  EXPECT_FALSE(fs::exists(program().string() + ".old"));
  EXPECT_FALSE(fs::exists(starts()));
}

}  // namespace
}  // namespace orvane
