// The real program started plainly against the local publisher, under Xvfb with real
// WebKit, driven like a player with xdotool: the splash until the login page is complete,
// then the login screen with the page in its frame; the page's links, the minimise and
// close images; an empty page and a refused connection.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/colour.h"
#include "support/gtk/real_input.h"
#include "support/publisher_process.h"

#ifdef ORVANE_CLIENT_PROGRAM

namespace orvane::gtk {
namespace {

namespace fs = std::filesystem;

// Places inside the login screen, relative to its top-left corner.
constexpr int kFrameLeft = 389;
constexpr int kFrameTop = 152;
// The page's own minimise and exit links (top right of the page; the web view starts one
// pixel before the frame).
constexpr int kMinimizeLinkX = kFrameLeft + 702;
constexpr int kExitLinkX = kFrameLeft + 723;
constexpr int kPageLinksY = kFrameTop + 16;
constexpr int kMiniBtnMiddleX = 1048 + 17;
constexpr int kMiniBtnMiddleY = 88 + 17;
constexpr int kCloseBtnMiddleX = 1088 + 20;
constexpr int kCloseBtnMiddleY = 80 + 20;

using gtk::test_input::CommandOutput;

// Waits, with the display and the main loop going, until `done` holds; gives up after a
// minute (a first WebKit start may take seconds), after which the caller's checks fail.
template <typename Done>
bool WaitLong(Done done) {
  // Each look may start xdotool several times: a few looks a second are enough.
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

struct ShownWindow {
  std::string id;
  std::string name;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The real client as a child process, with private data, cache and temporary folders.
class ClientProcess {
 public:
  explicit ClientProcess(const std::string& publisher) {
    char pattern[] = "/tmp/orvane-login-XXXXXX";
    root_ = ::mkdtemp(pattern);
    for (const char* sub : {"data", "cache", "tmp"}) {
      fs::create_directory(root_ / sub);
    }
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
      ::setenv("XDG_CACHE_HOME", (root_ / "cache").c_str(), 1);
      ::setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
      // Windows need the system's settings schemas, which live in the data folders.
      ::setenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share", 1);
      ::setenv("ORVANE_PUBLISHER", publisher.c_str(), 1);
      ::execl(ORVANE_CLIENT_PROGRAM, ORVANE_CLIENT_PROGRAM, static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  ~ClientProcess() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  ClientProcess(const ClientProcess&) = delete;
  ClientProcess& operator=(const ClientProcess&) = delete;

  // The program's visible toplevel windows.
  std::vector<ShownWindow> Windows() const {
    std::vector<ShownWindow> shown;
    const std::string ids = CommandOutput("xdotool search --onlyvisible --pid " +
                                          std::to_string(pid_) + " 2>/dev/null");
    std::size_t start = 0;
    while (start < ids.size()) {
      const std::size_t end = ids.find('\n', start);
      const std::string id = ids.substr(start, end - start);
      start = end == std::string::npos ? ids.size() : end + 1;
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

  std::optional<ShownWindow> Shown(int width, int height) const {
    for (const ShownWindow& window : Windows()) {
      if (window.width == width && window.height == height) {
        return window;
      }
    }
    return std::nullopt;
  }
  std::optional<ShownWindow> ShownNamed(const std::string& name) const {
    for (const ShownWindow& window : Windows()) {
      if (window.name == name) {
        return window;
      }
    }
    return std::nullopt;
  }
  std::optional<ShownWindow> Splash() const { return Shown(356, 122); }
  std::optional<ShownWindow> LoginScreen() const { return Shown(1191, 700); }

  // Whether the program has ended; its exit code then in `code` (-1: ended by a signal).
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

 private:
  fs::path root_;
  pid_t pid_ = -1;
  bool exited_ = false;
  int code_ = -1;
};

// A left click at (x, y) inside window `id`.
void ClickIn(const std::string& id, int x, int y) {
  test_input::Xdotool("mousemove --window " + id + " " + std::to_string(x) + " " +
                      std::to_string(y) + " click 1");
}

class LoginScreenProgramTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

  void SetUp() override {
    try {
      publisher_ = test::PublisherProcess::Start();
    } catch (const std::exception& e) {
      FAIL() << e.what();
    }
  }

  // The publisher may be shared with the suites that follow: its login page goes back to
  // its start settings, so that no later start finds it emptied or held back.
  void TearDown() override {
    if (publisher_) {
      const std::string command =
          "curl -fsS -o /dev/null '" + publisher_->Url("/_control/reset") + "'";
      EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
  }

  // Sets the publisher's login page switches.
  void ControlLogin(const std::string& query) {
    const std::string command =
        "curl -fsS -o /dev/null '" + publisher_->Url("/_control/login?" + query) + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Starts the client and waits for its login screen.
  ShownWindow StartToLoginScreen() {
    client_ = std::make_unique<ClientProcess>(publisher_->BaseUrl());
    std::optional<ShownWindow> login;
    WaitLong([&] { return (login = client_->LoginScreen()).has_value() || client_->Exited(); });
    EXPECT_TRUE(login.has_value()) << "the login screen did not show";
    return login.value_or(ShownWindow{});
  }

  bool WaitForExit() {
    return WaitLong([&] { return client_->Exited(); });
  }

  std::unique_ptr<test::PublisherProcess> publisher_;
  std::unique_ptr<ClientProcess> client_;
};

// The login page is held back by the publisher: the splash is on screen, centred, until
// the page is complete; then the login screen shows and the splash is gone.
TEST_F(LoginScreenProgramTest, TheSplashStaysUntilTheLoginPageIsCompleteThenGoes) {
  ControlLogin("delay=4");
  client_ = std::make_unique<ClientProcess>(publisher_->BaseUrl());
  std::optional<ShownWindow> splash;
  ASSERT_TRUE(WaitLong([&] { return (splash = client_->Splash()).has_value(); }));
  EXPECT_FALSE(client_->LoginScreen().has_value()) << "shown before the page was complete";
  const std::string root = CommandOutput("xdotool getdisplaygeometry");
  int width = 0;
  int height = 0;
  ASSERT_EQ(std::sscanf(root.c_str(), "%d %d", &width, &height), 2);
  EXPECT_EQ(splash->x, (width - 356) / 2);
  EXPECT_EQ(splash->y, (height - 122) / 2);

  std::optional<ShownWindow> login;
  ASSERT_TRUE(WaitLong([&] { return (login = client_->LoginScreen()).has_value(); }));
  EXPECT_TRUE(WaitLong([&] { return !client_->Splash().has_value(); }));
  EXPECT_EQ(login->name, "Orvane客户端");
  EXPECT_FALSE(client_->Exited());
}

// What the screen shows: the page's own dark colours inside the frame (where the
// background picture is white), the minimise and close images at their places, and the
// window's icons.
TEST_F(LoginScreenProgramTest, ShowsThePageInItsFrameAndTheImagesAtTheirPlaces) {
  const ShownWindow login = StartToLoginScreen();
  ASSERT_FALSE(login.id.empty());
  GdkWindow* root = gdk_get_default_root_window();
  // Near the page's bottom right its background runs into #0e0a16; the picture is white.
  Colour page = kInvalidColour;
  WaitLong([&] {
    page = test_input::PixelAt(root, login.x + kFrameLeft + 700, login.y + kFrameTop + 360);
    // Black before the page has drawn passes the red test alone; the page's colour is bluer
    // than green.
    return page != kInvalidColour && RedOf(page) < 60 && BlueOf(page) > GreenOf(page);
  });
  EXPECT_LT(RedOf(page), 60) << std::hex << page;
  EXPECT_LT(GreenOf(page), 50) << std::hex << page;
  EXPECT_LT(BlueOf(page), 80) << std::hex << page;
  EXPECT_GT(BlueOf(page), GreenOf(page)) << std::hex << page;
  // The frame's edges: the picture's white border around it stays outside.
  const Colour above =
      test_input::PixelAt(root, login.x + kFrameLeft + 300, login.y + kFrameTop - 3);
  EXPECT_GT(GreenOf(above), 200) << std::hex << above;
  // The program's icon in every size of its icon file, for the window manager to pick from.
  const std::string icons = CommandOutput("xprop -id " + login.id + " _NET_WM_ICON 2>/dev/null");
  for (const char* size : {"(16 x 16)", "(32 x 32)", "(48 x 48)", "(64 x 64)", "(128 x 128)"}) {
    EXPECT_NE(icons.find(std::string("Icon ") + size), std::string::npos) << size;
  }
  // Both images have a white sign in their middle; the picture there is blue.
  EXPECT_EQ(test_input::PixelAt(root, login.x + kMiniBtnMiddleX, login.y + kMiniBtnMiddleY),
            Rgb(255, 255, 255));
  EXPECT_EQ(test_input::PixelAt(root, login.x + kCloseBtnMiddleX, login.y + kCloseBtnMiddleY),
            Rgb(255, 255, 255));
}

TEST_F(LoginScreenProgramTest, ThePagesExitLinkEndsTheProgram) {
  const ShownWindow login = StartToLoginScreen();
  ASSERT_FALSE(login.id.empty());
  ClickIn(login.id, kExitLinkX, kPageLinksY);
  ASSERT_TRUE(WaitForExit());
  EXPECT_EQ(client_->ExitCode(), 0);
}

TEST_F(LoginScreenProgramTest, TheCloseImageEndsTheProgram) {
  const ShownWindow login = StartToLoginScreen();
  ASSERT_FALSE(login.id.empty());
  ClickIn(login.id, kCloseBtnMiddleX, kCloseBtnMiddleY);
  ASSERT_TRUE(WaitForExit());
  EXPECT_EQ(client_->ExitCode(), 0);
}

// A press on the window's own surface (the picture, away from the images and the frame)
// moves the window with the mouse; a press inside the page does not.
TEST_F(LoginScreenProgramTest, DraggingTheSurfaceMovesTheWindow) {
  const ShownWindow login = StartToLoginScreen();
  ASSERT_FALSE(login.id.empty());
  test_input::Xdotool("mousemove --window " + login.id + " 200 600 mousedown 1");
  test_input::Xdotool("mousemove_relative --sync 30 20");
  test_input::Xdotool("mousemove_relative --sync 30 20");
  test_input::Xdotool("mouseup 1");
  std::optional<ShownWindow> moved;
  EXPECT_TRUE(WaitLong([&] {
    moved = client_->LoginScreen();
    return moved && moved->x == login.x + 60 && moved->y == login.y + 40;
  })) << (moved ? std::to_string(moved->x) + "," + std::to_string(moved->y) : "gone");

  const ShownWindow before = moved.value_or(login);
  test_input::Xdotool("mousemove --window " + login.id + " " + std::to_string(kFrameLeft + 150) +
                      " " + std::to_string(kFrameTop + 300) + " mousedown 1");
  test_input::Xdotool("mousemove_relative --sync 30 20");
  test_input::Xdotool("mouseup 1");
  test_input::Pump();
  const std::optional<ShownWindow> after = client_->LoginScreen();
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->x, before.x);
  EXPECT_EQ(after->y, before.y);
}

// Minimising needs a window manager: a plain one (twm) runs for this test only. The
// window is iconified (ICCCM state Iconic) and the program goes on. twm places new windows
// where they ask (its default lets the user place them, holding the display meanwhile)
// and, as the test display has only the "fixed" core font, uses that one.
class WindowManager {
 public:
  WindowManager() {
    char pattern[] = "/tmp/orvane-twmrc-XXXXXX";
    const int fd = ::mkstemp(pattern);
    config_ = pattern;
    if (fd >= 0) {
      const std::string fonts =
          "RandomPlacement\nUsePPosition \"on\"\nNoTitle\n"
          "TitleFont \"fixed\"\nResizeFont \"fixed\"\nMenuFont \"fixed\"\n"
          "IconFont \"fixed\"\nIconManagerFont \"fixed\"\n";
      const bool written =
          ::write(fd, fonts.data(), fonts.size()) == static_cast<ssize_t>(fonts.size());
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
  bool Running() const {
    int status = 0;
    return ::waitpid(pid_, &status, WNOHANG) == 0;
  }

 private:
  std::string config_;
  pid_t pid_;
};

std::string WindowState(const std::string& id) {
  return CommandOutput("xprop -id " + id + " WM_STATE 2>/dev/null");
}

TEST_F(LoginScreenProgramTest, ThePagesMinimiseLinkAndTheMinimiseImageIconifyTheWindow) {
  WindowManager manager;
  const ShownWindow login = StartToLoginScreen();
  ASSERT_FALSE(login.id.empty());
  ASSERT_TRUE(manager.Running()) << "twm did not start";
  ASSERT_TRUE(WaitLong([&] { return WindowState(login.id).find("Normal") != std::string::npos; }))
      << WindowState(login.id);

  ClickIn(login.id, kMinimizeLinkX, kPageLinksY);
  EXPECT_TRUE(WaitLong([&] { return WindowState(login.id).find("Iconic") != std::string::npos; }))
      << WindowState(login.id);
  EXPECT_FALSE(client_->Exited());

  // Back from the icon as the user does it, then the image.
  test_input::Xdotool("windowmap --sync " + login.id);
  ASSERT_TRUE(WaitLong([&] { return WindowState(login.id).find("Normal") != std::string::npos; }))
      << WindowState(login.id);
  ClickIn(login.id, kMiniBtnMiddleX, kMiniBtnMiddleY);
  EXPECT_TRUE(WaitLong([&] { return WindowState(login.id).find("Iconic") != std::string::npos; }))
      << WindowState(login.id);
  EXPECT_FALSE(client_->Exited());
}

// The warning the program shows, answered with its OK button (Return); the program then
// ends with code 0 and no login screen was ever shown.
void AnswerWarningAndExpectEnd(ClientProcess& client) {
  std::optional<ShownWindow> warning;
  ASSERT_TRUE(WaitLong([&] { return (warning = client.ShownNamed("提示")).has_value(); }));
  EXPECT_FALSE(client.LoginScreen().has_value());
  test_input::Xdotool("windowfocus --sync " + warning->id);
  test_input::Xdotool("key Return");
  ASSERT_TRUE(WaitLong([&] { return client.Exited(); }));
  EXPECT_EQ(client.ExitCode(), 0);
}

TEST_F(LoginScreenProgramTest, AnEmptyLoginPageShowsTheWarningAndEnds) {
  ControlLogin("empty=1");
  client_ = std::make_unique<ClientProcess>(publisher_->BaseUrl());
  AnswerWarningAndExpectEnd(*client_);
}

}  // namespace

// Was: the plain start kept the splash for good. With a refused connection the login page
// completes empty: the splash stays under the warning, in the middle at its picture's size,
// and the program ends once the warning is answered.
TEST(ClientProgram, APlainStartShowsTheSplashAndKeepsIt) {
  ClientProcess client("http://127.0.0.1:9");
  std::optional<ShownWindow> splash;
  ASSERT_TRUE(WaitLong([&] { return (splash = client.Splash()).has_value(); }));
  const std::string root = CommandOutput("xdotool getdisplaygeometry");
  int width = 0;
  int height = 0;
  ASSERT_EQ(std::sscanf(root.c_str(), "%d %d", &width, &height), 2);
  EXPECT_EQ(splash->x, (width - 356) / 2);
  EXPECT_EQ(splash->y, (height - 122) / 2);
  AnswerWarningAndExpectEnd(client);
}

}  // namespace orvane::gtk

#endif
