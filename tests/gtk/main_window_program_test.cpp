// The whole job with the real program against the local publisher, under Xvfb with a
// window manager (twm) and real WebKit, driven like a player with xdotool: log in, a tab
// per account, the link buttons, a page's new window in the system browser, the boss key
// and the tray, the program menu (cache clearing, refresh, exit) with its confirmation,
// and a second start handing its game address to the running client. Soak: the login screen
// shown from the main window and closed by its close image 50 times.
//
// What is observed from outside, as a player or a desktop would: the windows (xdotool,
// xwininfo), the screen's pixels (the tab strip's tabs), the publisher's request counts,
// the stand-in system browser's record and the tray item on the session bus.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/colour.h"
#include "support/gtk/process_census.h"
#include "support/gtk/real_input.h"
#include "support/gtk/sni_test_host.h"
#include "support/publisher_process.h"

#ifdef ORVANE_CLIENT_PROGRAM

namespace orvane::gtk {
namespace {

namespace fs = std::filesystem;
using test_input::CommandOutput;

// The login screen: the page's frame and its two "进入游戏" links.
constexpr int kLoginWidth = 1191;
constexpr int kLoginHeight = 700;
constexpr int kFrameLeft = 389;
constexpr int kFrameTop = 152;
constexpr int kEnterX = kFrameLeft + 568;
constexpr int kEnterDemo1Y = kFrameTop + 278;
constexpr int kEnterDemo2Y = kFrameTop + 321;
// The login screen's close image, 41 pixels square at (1088, 80).
constexpr int kLoginCloseX = 1088 + 20;
constexpr int kLoginCloseY = 80 + 20;
// The exit confirmation and its buttons.
constexpr int kMsgWidth = 242;
constexpr int kMsgHeight = 140;
constexpr int kYesX = 56 + 32;
constexpr int kNoX = 136 + 32;
constexpr int kAnswerY = 88 + 12;
constexpr int kMsgCloseX = 193 + 21;
constexpr int kMsgCloseY = 10;
// The main window's controls, from its right edge (pixels) and top.
constexpr int kCloseFromRight = 49 - 21;
constexpr int kToolFromRight = 122 - 12;
constexpr int kCaptionButtonY = 10;
constexpr int kOtherUserFromRight = 324 - 49;
constexpr int kLinkButtonY = 11;
// The tab strip: from 2300 twips, 3 pixels down.
constexpr int kStripLeft = 153;
constexpr int kStripTop = 3;
// The lobby's "活动公告" link (target=_blank) on the 1280 pixels wide screen.
constexpr int kNewsFromRight = 225;
constexpr int kNewsY = 52;
// The program menu's items as the keyboard reaches them from the top.
constexpr int kMenuRefresh = 1;
constexpr int kMenuClearCache = 3;
constexpr int kMenuExit = 6;

template <typename Done>
bool WaitLong(Done done) {
  for (int look = 0; look < 240; ++look) {
    if (done()) {
      return true;
    }
    for (int i = 0; i < 25; ++i) {
      test_input::Pump();
      g_usleep(10000);
    }
  }
  return false;
}

// Lets `seconds` pass with the main loop going (the tray host answers meanwhile).
void Pass(double seconds) {
  for (int i = 0; i < static_cast<int>(seconds * 100); ++i) {
    test_input::Pump();
    g_usleep(10000);
  }
}

struct ShownWindow {
  std::string id;
  std::string name;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A private desktop for the client: data, cache and temporary folders of its own, and a
// default browser that is a script recording the addresses it is given.
class Desktop {
 public:
  Desktop() {
    char pattern[] = "/tmp/orvane-main-XXXXXX";
    root_ = ::mkdtemp(pattern);
    for (const char* sub : {"data", "data/applications", "config", "cache", "tmp"}) {
      fs::create_directories(root_ / sub);
    }
    const fs::path script = root_ / "browser.sh";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << Record().string() << "'\n";
    ::chmod(script.c_str(), 0700);
    std::ofstream(root_ / "data/applications/orvane-test-browser.desktop")
        << "[Desktop Entry]\nType=Application\nName=Stand-in browser\nExec=" << script.string()
        << " %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\nNoDisplay=true\n";
    std::ofstream(root_ / "config/mimeapps.list")
        << "[Default Applications]\nx-scheme-handler/http=orvane-test-browser.desktop\n"
           "x-scheme-handler/https=orvane-test-browser.desktop\n";
  }
  ~Desktop() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // In a child process, before it starts the client.
  void Enter(const std::string& publisher) const {
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root_ / "cache").c_str(), 1);
    ::setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    // Windows need the system's settings schemas, which live in the data folders.
    ::setenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share", 1);
    ::setenv("ORVANE_PUBLISHER", publisher.c_str(), 1);
  }
  fs::path Record() const { return root_ / "opened.txt"; }
  std::string Opened() const { return ReadAll(Record()); }

 private:
  fs::path root_;
};

// One start of the real client.
class ClientProcess {
 public:
  ClientProcess(const Desktop& desktop, const std::string& publisher,
                const std::vector<std::string>& args = {}) {
    pid_ = ::fork();
    if (pid_ == 0) {
      desktop.Enter(publisher);
      std::vector<char*> argv{const_cast<char*>(ORVANE_CLIENT_PROGRAM)};
      for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
      }
      argv.push_back(nullptr);
      ::execv(ORVANE_CLIENT_PROGRAM, argv.data());
      ::_exit(127);
    }
  }
  ~ClientProcess() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
  }
  ClientProcess(const ClientProcess&) = delete;
  ClientProcess& operator=(const ClientProcess&) = delete;

  std::vector<ShownWindow> Windows() const {
    std::vector<ShownWindow> shown;
    const std::string ids = CommandOutput("xdotool search --onlyvisible --pid " +
                                          std::to_string(pid_) + " 2>/dev/null");
    std::istringstream lines(ids);
    std::string id;
    while (std::getline(lines, id)) {
      if (id.empty()) {
        continue;
      }
      ShownWindow window;
      window.id = id;
      const std::string geometry =
          CommandOutput("xdotool getwindowgeometry " + id + " 2>/dev/null");
      if (std::sscanf(geometry.c_str(), "Window %*s Position: %d,%d (screen: %*d) Geometry: %dx%d",
                      &window.x, &window.y, &window.width, &window.height) != 4) {
        continue;
      }
      window.name = CommandOutput("xdotool getwindowname " + id + " 2>/dev/null");
      if (!window.name.empty() && window.name.back() == '\n') {
        window.name.pop_back();
      }
      shown.push_back(window);
    }
    return shown;
  }
  std::optional<ShownWindow> Sized(int width, int height) const {
    for (const ShownWindow& window : Windows()) {
      if (window.width == width && window.height == height) {
        return window;
      }
    }
    return std::nullopt;
  }
  std::optional<ShownWindow> Named(const std::string& name) const {
    for (const ShownWindow& window : Windows()) {
      if (window.name == name) {
        return window;
      }
    }
    return std::nullopt;
  }
  std::optional<ShownWindow> LoginScreen() const { return Sized(kLoginWidth, kLoginHeight); }
  std::optional<ShownWindow> Confirmation() const { return Sized(kMsgWidth, kMsgHeight); }
  // The main window: the program's window as large as the work area.
  std::optional<ShownWindow> MainWindow(int width, int height) const {
    return Sized(width, height);
  }

  bool Exited() {
    if (!exited_) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
    }
    return exited_;
  }
  int ExitCode() const { return code_; }
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  int code_ = -1;
};

// A plain window manager for the run, placing windows where they ask.
class WindowManager {
 public:
  WindowManager() {
    char pattern[] = "/tmp/orvane-twmrc-XXXXXX";
    const int fd = ::mkstemp(pattern);
    config_ = pattern;
    if (fd >= 0) {
      const std::string rc =
          "RandomPlacement\nUsePPosition \"on\"\nNoTitle\nBorderWidth 0\n"
          "TitleFont \"fixed\"\nResizeFont \"fixed\"\nMenuFont \"fixed\"\n"
          "IconFont \"fixed\"\nIconManagerFont \"fixed\"\n";
      const bool written = ::write(fd, rc.data(), rc.size()) == static_cast<ssize_t>(rc.size());
      ::close(fd);
      EXPECT_TRUE(written);
    }
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setenv("LC_ALL", "C", 1);
      ::execlp("twm", "twm", "-f", config_.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  ~WindowManager() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    ::unlink(config_.c_str());
  }
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

 private:
  std::string config_;
  pid_t pid_;
};

void ClickIn(const std::string& id, int x, int y) {
  test_input::Xdotool("mousemove --window " + id + " " + std::to_string(x) + " " +
                      std::to_string(y) + " click 1");
}

bool Mapped(const std::string& id) {
  return CommandOutput("xwininfo -id " + id + " 2>/dev/null").find("IsViewable") !=
         std::string::npos;
}

// The screen's pixels of one row of the tab strip, from its left end.
std::vector<Colour> StripRow(const ShownWindow& main, int y, int width) {
  std::vector<Colour> row;
  GdkWindow* root = gdk_get_default_root_window();
  GdkPixbuf* pixbuf =
      gdk_pixbuf_get_from_window(root, main.x + kStripLeft, main.y + kStripTop + y, width, 1);
  if (pixbuf == nullptr) {
    return row;
  }
  const guchar* p = gdk_pixbuf_get_pixels(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  for (int x = 0; x < width; ++x) {
    row.push_back(Rgb(p[x * channels], p[x * channels + 1], p[x * channels + 2]));
  }
  g_object_unref(pixbuf);
  return row;
}

class MainWindowProgramTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void SetUp() override {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
      GTEST_SKIP() << "no private session bus (tools/testenv.sh orvane_start_session_bus)";
    }
    try {
      publisher_ = test::PublisherProcess::Start();
    } catch (const std::exception& e) {
      FAIL() << e.what();
    }
    // A publisher shared with earlier suites starts from its start settings (a login page
    // with content, at once).
    ASSERT_EQ(std::system(
                  ("curl -fsS -o /dev/null '" + publisher_->Url("/_control/reset") + "'").c_str()),
              0);
    // The work area: the whole screen, as twm reserves nothing.
    const std::string root = CommandOutput("xdotool getdisplaygeometry");
    ASSERT_EQ(std::sscanf(root.c_str(), "%d %d", &screen_width_, &screen_height_), 2);
    baseline_["requests"] = CountedInAll("requests", "");
    for (const char* account : {"demo1", "demo2", "demo3"}) {
      baseline_[std::string("lobby_loads") + account] = CountedInAll("lobby_loads", account);
    }
  }

  std::string Game(const std::string& account) const {
    return publisher_->Url("/game/mirab/play?account=" + account);
  }

  // What the publisher counted since the test began (a publisher named by the test runner
  // serves every test): the lobby script's requests, or one account's lobby loads.
  int Counted(const std::string& key, const std::string& account = "") {
    const int now = CountedInAll(key, account);
    const auto earlier = baseline_.find(key + account);
    return now < 0 || earlier == baseline_.end() ? now : now - earlier->second;
  }
  int CountedInAll(const std::string& key, const std::string& account) {
    const std::string answer =
        CommandOutput("curl -fsS '" + publisher_->Url("/_test/game-resources") +
                      (account.empty() ? "" : "?account=" + account) + "'");
    const std::size_t at = answer.find("\"" + key + "\": ");
    return at == std::string::npos ? -1 : std::atoi(answer.c_str() + at + key.size() + 4);
  }

  // Starts the client and logs in with demo1: the main window shows, maximised to the
  // work area, with the lobby loaded.
  ShownWindow StartAndLogIn() {
    client_ = std::make_unique<ClientProcess>(desktop_, publisher_->BaseUrl());
    std::optional<ShownWindow> login;
    EXPECT_TRUE(WaitLong([&] { return (login = client_->LoginScreen()).has_value(); }))
        << "the login screen did not show";
    if (!login) {
      return {};
    }
    Pass(1.0);
    ClickIn(login->id, kEnterX, kEnterDemo1Y);
    std::optional<ShownWindow> main;
    EXPECT_TRUE(WaitLong([&] {
      return (main = client_->MainWindow(screen_width_, screen_height_)).has_value();
    })) << "the main window did not show maximised";
    EXPECT_TRUE(WaitLong([&] { return Counted("lobby_loads", "demo1") >= 1; }));
    return main.value_or(ShownWindow{});
  }

  // The program menu, then the item `down` steps from the top.
  void MenuItem(const ShownWindow& main, int down) {
    ClickIn(main.id, main.width - kToolFromRight, kCaptionButtonY);
    Pass(0.7);
    std::string keys;
    for (int i = 0; i < down; ++i) {
      keys += " Down";
    }
    test_input::Xdotool("key --delay 80" + keys + " Return");
  }

  // The login screen again through "登录其他帐号", then an account's "进入游戏".
  void LogInAgain(const ShownWindow& main, int enter_y) {
    ClickIn(main.id, main.width - kOtherUserFromRight, kLinkButtonY);
    std::optional<ShownWindow> login;
    ASSERT_TRUE(WaitLong([&] { return (login = client_->LoginScreen()).has_value(); }))
        << "the login screen did not show again";
    Pass(1.0);
    ClickIn(login->id, kEnterX, enter_y);
    ASSERT_TRUE(WaitLong([&] { return !client_->LoginScreen().has_value(); }));
  }

  // The tabs on screen: the strip's back colour is what its far right end shows; each tab
  // is a run of other colours along a row through the tabs' lower part.
  std::vector<std::pair<int, int>> Tabs(const ShownWindow& main) {
    const int width = main.width - 460;
    const std::vector<Colour> row = StripRow(main, 22, width);
    std::vector<std::pair<int, int>> tabs;
    if (row.empty()) {
      return tabs;
    }
    const Colour back = row.back();
    int start = -1;
    for (int x = 0; x < width; ++x) {
      const bool tab = row[x] != back;
      if (tab && start < 0) {
        start = x;
      } else if (!tab && start >= 0) {
        if (x - start > 40) {
          tabs.emplace_back(start, x);
        }
        start = -1;
      }
    }
    return tabs;
  }

  // The text drawn on a tab: pixels of its left two thirds, rows through the caption,
  // that stand out from the tab's own colour at its left edge on the same row.
  int Ink(const ShownWindow& main, const std::pair<int, int>& tab) {
    int ink = 0;
    for (int y = 6; y < 23; ++y) {
      const std::vector<Colour> row = StripRow(main, y, tab.second);
      if (static_cast<int>(row.size()) < tab.second) {
        return -1;
      }
      const Colour back = row[tab.first + 6];
      for (int x = tab.first + 10; x < tab.first + (tab.second - tab.first) * 2 / 3; ++x) {
        const int diff = std::abs(RedOf(row[x]) - RedOf(back)) +
                         std::abs(GreenOf(row[x]) - GreenOf(back)) +
                         std::abs(BlueOf(row[x]) - BlueOf(back));
        ink += diff > 90 ? 1 : 0;
      }
    }
    return ink;
  }

  Desktop desktop_;
  WindowManager manager_;
  std::unique_ptr<test::PublisherProcess> publisher_;
  std::unique_ptr<ClientProcess> client_;
  int screen_width_ = 0;
  int screen_height_ = 0;
  std::map<std::string, int> baseline_;
};

TEST_F(MainWindowProgramTest, OneTabPerAccountASecondStartHandsOverAndTheTitleIsTheCaption) {
  const ShownWindow main = StartAndLogIn();
  ASSERT_FALSE(main.id.empty());
  EXPECT_EQ(main.x, 0);
  EXPECT_EQ(main.y, 0);
  EXPECT_EQ(main.name, "Orvane客户端");
  EXPECT_FALSE(client_->LoginScreen().has_value()) << "the login screen closes first";
  ASSERT_TRUE(WaitLong([&] { return Tabs(main).size() == 1; })) << Tabs(main).size();

  // A second account: a second tab, selected.
  LogInAgain(main, kEnterDemo2Y);
  ASSERT_TRUE(WaitLong([&] { return Tabs(main).size() == 2; })) << Tabs(main).size();
  EXPECT_TRUE(WaitLong([&] { return Counted("lobby_loads", "demo2") == 1; }));
  const std::vector<std::pair<int, int>> two = Tabs(main);
  const int first_middle = (two[0].first + two[0].second) / 2;
  const int second_middle = (two[1].first + two[1].second) / 2;
  const std::vector<Colour> second_selected = StripRow(main, 4, main.width - 460);

  // The first account again: no third tab; the first is selected and not reloaded.
  LogInAgain(main, kEnterDemo1Y);
  Pass(2.0);
  EXPECT_EQ(Tabs(main).size(), 2u);
  EXPECT_EQ(Counted("lobby_loads", "demo1"), 1);
  const std::vector<Colour> first_selected = StripRow(main, 4, main.width - 460);
  // The selected tab's skin differs from the other's: the two tabs swapped their looks.
  EXPECT_NE(first_selected[first_middle], second_selected[first_middle]);
  EXPECT_EQ(first_selected[first_middle], second_selected[second_middle]);
  EXPECT_EQ(first_selected[second_middle], second_selected[first_middle]);

  // A second start with a game address hands it over and ends; the running client opens
  // a third tab.
  ClientProcess second(desktop_, publisher_->BaseUrl(), {Game("demo3")});
  ASSERT_TRUE(WaitLong([&] { return second.Exited(); }));
  EXPECT_EQ(second.ExitCode(), 0);
  EXPECT_TRUE(WaitLong([&] { return Tabs(main).size() == 3; })) << Tabs(main).size();
  EXPECT_TRUE(WaitLong([&] { return Counted("lobby_loads", "demo3") == 1; }));

  // The caption is the page's title: a page titled "x" gets a tab with hardly any text,
  // where the lobbies' long titles (and the address the tab starts with) fill theirs.
  ClientProcess fourth(desktop_, publisher_->BaseUrl(), {publisher_->Url("/_test/page?title=x")});
  ASSERT_TRUE(WaitLong([&] { return fourth.Exited(); }));
  ASSERT_TRUE(WaitLong([&] { return Tabs(main).size() == 4; })) << Tabs(main).size();
  const int lobby_ink = Ink(main, Tabs(main)[0]);
  EXPECT_GT(lobby_ink, 60);
  int short_ink = -1;
  EXPECT_TRUE(WaitLong([&] {
    const std::vector<std::pair<int, int>> tabs = Tabs(main);
    short_ink = tabs.size() == 4 ? Ink(main, tabs[3]) : -1;
    return short_ink >= 0 && short_ink * 4 < lobby_ink;
  })) << short_ink
      << " against " << lobby_ink;
  EXPECT_FALSE(client_->Exited());
}

// Pages with hostile titles, handed over by later starts, with a hostile address among
// them: the running client stays, shows each title in its tab cut with an ellipsis
// inside the tab, and opens nothing but http(s).
TEST_F(MainWindowProgramTest, HostileTitlesAreDrawnCutInTheirTabsAndHostileAddressesOpenNothing) {
  const ShownWindow main = StartAndLogIn();
  ASSERT_FALSE(main.id.empty());
  ASSERT_TRUE(WaitLong([&] { return Tabs(main).size() == 1; }));

  // A script address and one that is no text: nothing opens, no tab is added.
  for (const std::string& argument :
       {std::string("javascript:alert(1)"), publisher_->Url("/_test/page?x=\xFF\xFE"),
        std::string("file:///etc/passwd")}) {
    ClientProcess refused(desktop_, publisher_->BaseUrl(), {argument});
    ASSERT_TRUE(WaitLong([&] { return refused.Exited(); }));
  }

  std::size_t tabs = 1;
  for (const char* kind : {"long", "marks", "bytes", "surrogate", "nul"}) {
    SCOPED_TRACE(kind);
    ClientProcess later(desktop_, publisher_->BaseUrl(),
                        {publisher_->Url(std::string("/_test/hostile-title?kind=") + kind)});
    ASSERT_TRUE(WaitLong([&] { return later.Exited(); }));
    ++tabs;
    ASSERT_TRUE(WaitLong([&] { return Tabs(main).size() == tabs; })) << Tabs(main).size();
    ASSERT_FALSE(client_->Exited());
  }
  // Give the pages time to report their titles (set by script in the last two).
  Pass(2.0);

  // The ten-thousand-character title fills its caption box, tab style 1: from Left + 12,
  // Width - 28 wide, which ends under the close box (Left + Width - 20, 12 wide, drawn
  // over it). Its ellipsis comes last, right before the close box.
  const std::vector<std::pair<int, int>> shown = Tabs(main);
  ASSERT_EQ(shown.size(), tabs);
  const std::pair<int, int> long_tab = shown[1];
  const int left = long_tab.first + 12;
  const int close_box = long_tab.second - 20;
  std::vector<int> ink_columns;
  for (int y = 6; y < 23; ++y) {
    const std::vector<Colour> row = StripRow(main, y, long_tab.second);
    ASSERT_EQ(static_cast<int>(row.size()), long_tab.second);
    const Colour back = row[long_tab.first + 6];
    for (int x = long_tab.first + 8; x < close_box; ++x) {
      const int diff = std::abs(RedOf(row[x]) - RedOf(back)) +
                       std::abs(GreenOf(row[x]) - GreenOf(back)) +
                       std::abs(BlueOf(row[x]) - BlueOf(back));
      if (diff > 90) {
        ink_columns.push_back(x);
      }
    }
  }
  ASSERT_FALSE(ink_columns.empty());
  const auto [first_ink, last_ink] = std::minmax_element(ink_columns.begin(), ink_columns.end());
  EXPECT_GE(*first_ink, left) << "a cut caption starts at its box's left";
  EXPECT_LE(*first_ink, left + 4) << "a cut caption starts at its box's left";
  EXPECT_GE(*last_ink, close_box - 14) << "its ellipsis reaches the end of the box";

  // Every other hostile tab shows text too, and the program is alive and answers.
  for (std::size_t i = 2; i < shown.size(); ++i) {
    EXPECT_GT(Ink(main, shown[i]), 0) << "tab " << i;
  }
  EXPECT_FALSE(client_->Exited());
  EXPECT_EQ(desktop_.Opened(), "") << "nothing went to the system browser";
}

TEST_F(MainWindowProgramTest, ANewWindowOfThePageGoesToTheSystemBrowserAndTheTabStays) {
  const ShownWindow main = StartAndLogIn();
  ASSERT_FALSE(main.id.empty());
  ASSERT_TRUE(WaitLong([&] { return Tabs(main).size() == 1; }));
  Pass(1.0);
  // The lobby's "活动公告" link opens in a new window (target=_blank).
  ClickIn(main.id, main.width - kNewsFromRight, kNewsY);
  ASSERT_TRUE(WaitLong([&] { return !desktop_.Opened().empty(); }));
  EXPECT_EQ(desktop_.Opened(), publisher_->Url("/zt/mirab/#news") + "\n");
  Pass(1.0);
  EXPECT_EQ(Tabs(main).size(), 1u);
  EXPECT_EQ(Counted("lobby_loads", "demo1"), 1) << "the tab stays on its page";
}

TEST_F(MainWindowProgramTest, TheBossKeyAndTheTrayHideAndShowTheWindow) {
  test_tray::SniTestHost tray;
  ASSERT_TRUE(tray.WaitForWatcherName());
  const ShownWindow main = StartAndLogIn();
  ASSERT_FALSE(main.id.empty());
  ASSERT_TRUE(WaitLong([&] { return !tray.Registered().empty(); })) << "no tray item";
  const std::string item = tray.Registered().front();

  test_input::Xdotool("key F10");
  EXPECT_TRUE(WaitLong([&] { return !Mapped(main.id); })) << "F10 did not hide the window";
  test_input::Xdotool("key F10");
  EXPECT_TRUE(WaitLong([&] { return Mapped(main.id); })) << "F10 did not show the window";

  auto activate = [&] {
    std::string error;
    GVariant* reply = tray.Call(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem",
                                "Activate", g_variant_new("(ii)", 10, 10), &error);
    EXPECT_NE(reply, nullptr) << error;
    if (reply != nullptr) {
      g_variant_unref(reply);
    }
  };
  activate();
  EXPECT_TRUE(WaitLong([&] { return !Mapped(main.id); })) << "the tray did not hide the window";
  activate();
  EXPECT_TRUE(WaitLong([&] { return Mapped(main.id); })) << "the tray did not show the window";
  EXPECT_FALSE(client_->Exited());
}

TEST_F(MainWindowProgramTest, ClearingTheCacheFetchesTheResourcesAgainAndRefreshReloads) {
  const ShownWindow main = StartAndLogIn();
  ASSERT_FALSE(main.id.empty());
  ASSERT_TRUE(WaitLong([&] { return Counted("requests") >= 1; }));
  // A further lobby takes the script from the cache.
  Pass(1.0);
  const int cached = Counted("requests");
  ClientProcess second(desktop_, publisher_->BaseUrl(), {Game("demo2")});
  ASSERT_TRUE(WaitLong([&] { return second.Exited(); }));
  ASSERT_TRUE(WaitLong([&] { return Counted("lobby_loads", "demo2") == 1; }));
  Pass(2.0);
  EXPECT_EQ(Counted("requests"), cached) << "the lobby's script was not cached";

  // "清除缓存", then its notice.
  MenuItem(main, kMenuClearCache);
  std::optional<ShownWindow> notice;
  ASSERT_TRUE(WaitLong([&] { return (notice = client_->Named("缓存清理")).has_value(); }));
  // Its OK as the player gives it: the pointer on the notice (twm's focus follows it),
  // then Return.
  test_input::Xdotool("mousemove --window " + notice->id + " " + std::to_string(notice->width / 2) +
                      " " + std::to_string(notice->height / 3));
  Pass(0.5);
  test_input::Xdotool("windowfocus --sync " + notice->id + " key Return");
  ASSERT_TRUE(WaitLong([&] { return !client_->Named("缓存清理").has_value(); }));

  // The next lobby fetches the script again.
  ClientProcess third(desktop_, publisher_->BaseUrl(), {Game("demo3")});
  ASSERT_TRUE(WaitLong([&] { return third.Exited(); }));
  ASSERT_TRUE(WaitLong([&] { return Counted("lobby_loads", "demo3") == 1; }));
  EXPECT_TRUE(WaitLong([&] { return Counted("requests") > cached; }));

  // "刷新(F5)" reloads the selected page (the last opened), only that one.
  MenuItem(main, kMenuRefresh);
  EXPECT_TRUE(WaitLong([&] { return Counted("lobby_loads", "demo3") == 2; }));
  EXPECT_EQ(Counted("lobby_loads", "demo1"), 1);
  EXPECT_EQ(Counted("lobby_loads", "demo2"), 1);
}

TEST_F(MainWindowProgramTest, ExitAsksFirstNoKeepsEverythingYesEndsTheProgram) {
  test_tray::SniTestHost tray;
  ASSERT_TRUE(tray.WaitForWatcherName());
  const ShownWindow main = StartAndLogIn();
  ASSERT_FALSE(main.id.empty());
  ASSERT_TRUE(WaitLong([&] { return !tray.Registered().empty(); })) << "no tray item";
  const std::string item = tray.Registered().front();
  const std::string bus_name = item.substr(0, item.find('/'));

  // "退出" asks; "否" keeps the program and its window.
  MenuItem(main, kMenuExit);
  std::optional<ShownWindow> ask;
  ASSERT_TRUE(WaitLong([&] { return (ask = client_->Confirmation()).has_value(); }));
  EXPECT_EQ(ask->x, (screen_width_ - kMsgWidth) / 2);
  EXPECT_EQ(ask->y, (screen_height_ - kMsgHeight) / 2);
  // The boss key goes on working while the confirmation waits for its answer.
  test_input::Xdotool("key F10");
  EXPECT_TRUE(WaitLong([&] { return !Mapped(main.id); })) << "F10 did not hide the window";
  test_input::Xdotool("key F10");
  EXPECT_TRUE(WaitLong([&] { return Mapped(main.id); })) << "F10 did not show the window";
  ASSERT_TRUE(client_->Confirmation().has_value());
  Pass(0.5);
  // Its caption bar moves it with the mouse; its buttons go with it.
  test_input::Xdotool("mousemove --window " + ask->id + " 40 12 mousedown 1");
  test_input::Xdotool("mousemove_relative --sync 30 20");
  test_input::Xdotool("mousemove_relative --sync 30 20");
  test_input::Xdotool("mouseup 1");
  std::optional<ShownWindow> moved;
  EXPECT_TRUE(WaitLong([&] {
    moved = client_->Confirmation();
    return moved && moved->x == ask->x + 60 && moved->y == ask->y + 40;
  })) << (moved ? std::to_string(moved->x) + "," + std::to_string(moved->y) : "gone");
  ClickIn(ask->id, kNoX, kAnswerY);
  ASSERT_TRUE(WaitLong([&] { return !client_->Confirmation().has_value(); }));
  Pass(1.0);
  EXPECT_FALSE(client_->Exited());
  EXPECT_TRUE(Mapped(main.id));

  // The confirmation's close button answers "no" as well.
  ClickIn(main.id, main.width - kCloseFromRight, kCaptionButtonY);
  ASSERT_TRUE(WaitLong([&] { return (ask = client_->Confirmation()).has_value(); }));
  Pass(0.5);
  ClickIn(ask->id, kMsgCloseX, kMsgCloseY);
  ASSERT_TRUE(WaitLong([&] { return !client_->Confirmation().has_value(); }));
  Pass(1.0);
  EXPECT_FALSE(client_->Exited());

  // The close button asks again; "是" ends the program, and its tray item goes with it.
  ClickIn(main.id, main.width - kCloseFromRight, kCaptionButtonY);
  ASSERT_TRUE(WaitLong([&] { return (ask = client_->Confirmation()).has_value(); }));
  Pass(0.5);
  ClickIn(ask->id, kYesX, kAnswerY);
  ASSERT_TRUE(WaitLong([&] { return client_->Exited(); }));
  EXPECT_EQ(client_->ExitCode(), 0);
  EXPECT_TRUE(WaitLong([&] { return !tray.NameHasOwner(bus_name); }));
}

// Soak: the fixture of the program's tests, under a name that picks out the long runs.
class MainWindowProgramSoak : public MainWindowProgramTest {};

// Every window of the client that the desktop knows, shown or not.
int ClientWindowCount(pid_t pid) {
  const std::string ids =
      CommandOutput("xdotool search --pid " + std::to_string(pid) + " 2>/dev/null");
  return static_cast<int>(std::count(ids.begin(), ids.end(), '\n'));
}

// Waits for `done` in short steps, with the test's main loop going.
template <typename Done>
bool WaitShort(Done done) {
  for (int look = 0; look < 600; ++look) {
    if (done()) {
      return true;
    }
    for (int i = 0; i < 5; ++i) {
      test_input::Pump();
      g_usleep(10000);
    }
  }
  return false;
}

TEST_F(MainWindowProgramSoak, TheLoginScreenShownAndClosedFiftyTimesLeavesNothingBehind) {
  const ShownWindow main = StartAndLogIn();
  ASSERT_FALSE(main.id.empty());
  ASSERT_TRUE(WaitLong([&] { return Tabs(main).size() == 1; }));
  const pid_t pid = client_->Pid();

  // One round: "登录其他帐号" shows the login screen (once its page is complete), and the
  // screen's close image closes it.
  int round = 0;
  const auto show_and_close = [&] {
    ++round;
    ClickIn(main.id, main.width - kOtherUserFromRight, kLinkButtonY);
    std::optional<ShownWindow> login;
    ASSERT_TRUE(WaitShort([&] { return (login = client_->LoginScreen()).has_value(); }))
        << "round " << round << ": the login screen did not show";
    ClickIn(login->id, kLoginCloseX, kLoginCloseY);
    ASSERT_TRUE(WaitShort([&] { return !client_->LoginScreen().has_value(); }))
        << "round " << round << ": the close image did not close the login screen";
  };
  // The first round makes what the client keeps for the process (the login screen's
  // images, fonts); the later rounds must give back all they take.
  ASSERT_NO_FATAL_FAILURE(show_and_close());
  const int windows = ClientWindowCount(pid);
  const int web_processes = test_process::WebProcessCount(pid);
  const long first_kb = test_process::ResidentKb(pid);
  while (round < 50) {
    ASSERT_NO_FATAL_FAILURE(show_and_close());
  }
  // The login screens' windows and their pages' web processes are all gone: what is left
  // is what was there after the first round (the main window, its tab's page).
  EXPECT_TRUE(WaitShort([&] { return ClientWindowCount(pid) == windows; }))
      << ClientWindowCount(pid) << " windows, " << windows << " after the first round";
  EXPECT_TRUE(WaitShort([&] { return test_process::WebProcessCount(pid) == web_processes; }))
      << test_process::WebProcessCount(pid) << " web processes, " << web_processes
      << " after the first round";
  const long last_kb = test_process::ResidentKb(pid);
  std::printf(
      "[ soak     ] %d login screens: client windows %d after the first, %d after the "
      "last; web processes %d, %d; client resident %ld KB, %ld KB\n",
      round, windows, ClientWindowCount(pid), web_processes, test_process::WebProcessCount(pid),
      first_kb, last_kb);

  // The main window still works: the login screen once more, a second account, its tab.
  LogInAgain(main, kEnterDemo2Y);
  EXPECT_TRUE(WaitLong([&] { return Tabs(main).size() == 2; })) << Tabs(main).size();
  EXPECT_TRUE(WaitLong([&] { return Counted("lobby_loads", "demo2") == 1; }));
  EXPECT_FALSE(client_->Exited());
}

}  // namespace
}  // namespace orvane::gtk

#endif  // ORVANE_CLIENT_PROGRAM
