// Soak: the real main window with real WebKit pages under Xvfb, 200 game tabs opened one
// at a time, each loaded and then closed through its close box on the tab strip (pointer
// events as GDK delivers them, so the close runs the same code as a click). Every closed
// tab's web process must be gone and reaped, and the process may not keep growing.
//
// The process's resident size is taken after the first 10 cycles (WebKit's caches, fonts,
// the shared web context and the tab strip's buffers are made by then) and after the
// last. The bound on the growth is stated at kRssGrowthBoundKb below, with its reasons.
#include <gtk/gtk.h>
#include <sys/types.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/gtk/gio_platform.h"
#include "app/gtk/gtk_client_views.h"
#include "base/temp_folder.h"
#include "mainwin/web_main_frm.h"
#include "support/gtk/process_census.h"
#include "support/gtk/real_input.h"
#include "support/publisher_process.h"
#include "tabstrip/gtk/widget_handle.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/utab.h"

namespace orvane::gtk {
namespace {

constexpr int kCycles = 200;
constexpr int kWarmUpCycles = 10;
// Resident size may grow by at most this much from cycle 10 to cycle 200. Measured under
// Xvfb with WebKitGTK 4.1: about 197 MB after 10 cycles and 5.5 MB more after 200. 12 MB
// is a little over twice that growth; anything leaked with every tab shows once it holds
// more than about 64 KB a tab (190 tabs x 64 KB = 12 MB).
constexpr long kRssGrowthBoundKb = 12 * 1024;

int WebProcessChildren() {
  return test_process::WebProcessCount(::getpid());
}

long ResidentKb() {
  return test_process::ResidentKb(::getpid());
}

class Owner final : public WebMainFrmOwner {
 public:
  void ShowLoginScreen() override {}
  void RunUpdateCommand() override {}
  void MainWindowUnloaded() override { ++unloads; }
  int unloads = 0;
};

class Dialogs final : public MessageBoxes {
 public:
  MessageAnswer ShowMessageBox(const MessageBoxRequest&) override { return MessageAnswer::kOk; }
};

class Addresses final : public AddressLauncher, public browser::SystemBrowser {
 public:
  bool OpenAddress(const std::string&) override { return true; }
  void Open(const std::string&) override {}
};

class Cache final : public BrowserCache {
 public:
  void ClearUrlCache(std::string_view, std::uint32_t) override {}
};

// The program's Linux windows, remembering the main window's view.
class Views final : public WebMainFrmViews {
 public:
  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override {
    auto view = program_.CreateMainWindowView(events);
    main = view.get();
    return view;
  }
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override {
    return program_.CreatePageView(events);
  }
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override {
    ++confirmations;
    return program_.CreateMsgFrmView(events);
  }
  WebMainFrmView* main = nullptr;
  int confirmations = 0;

 private:
  GtkClientViews program_;
};

// Lets the main loop run until `done` holds, for at most `seconds`.
template <typename Done>
bool PumpUntil(Done done, int seconds = 20) {
  const gint64 end = g_get_monotonic_time() + gint64{seconds} * G_USEC_PER_SEC;
  while (!done()) {
    if (g_get_monotonic_time() > end) {
      return false;
    }
    test_input::Pump();
    g_usleep(2000);
  }
  return true;
}

// Pointer events on the tab strip's own window, as GDK delivers them.
class StripPointer {
 public:
  explicit StripPointer(GtkWidget* strip) : strip_(strip) {}

  // Moves onto `x`, `y`, presses and releases the left button there.
  void Click(double x, double y) {
    Send(GDK_MOTION_NOTIFY, x, y, 0);
    Send(GDK_BUTTON_PRESS, x, y, 0);
    Send(GDK_BUTTON_RELEASE, x, y, GDK_BUTTON1_MASK);
  }

 private:
  void Send(GdkEventType type, double x, double y, guint state) {
    GdkEvent* e = gdk_event_new(type);
    e->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(strip_)));
    e->any.send_event = TRUE;
    GdkDevice* pointer =
        gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
    gdk_event_set_device(e, pointer);
    gdk_event_set_source_device(e, pointer);
    time_ += 400;  // far enough apart that no two presses make a double click
    if (type == GDK_MOTION_NOTIFY) {
      e->motion.x = x;
      e->motion.y = y;
      e->motion.state = state;
      e->motion.time = time_;
    } else {
      e->button.button = 1;
      e->button.x = x;
      e->button.y = y;
      e->button.state = state;
      e->button.time = time_;
    }
    gtk_main_do_event(e);
    gdk_event_free(e);
  }

  GtkWidget* strip_;
  guint32 time_ = 1000;
};

// The middle of tab `index`'s close box on the strip, from the strip's own hit test;
// x < 0 when the tab shows none.
std::pair<float, float> CloseBoxOf(const uTab& strip, int index) {
  constexpr float kY = 12;
  float first = -1;
  float last = -1;
  for (int x = 0; x < strip.StripWidth(); ++x) {
    const TabHit hit = strip.HitTest(static_cast<float>(x), kY);
    if (hit.index == index && hit.over_close) {
      first = first < 0 ? static_cast<float>(x) : first;
      last = static_cast<float>(x);
    }
  }
  return {first < 0 ? -1 : (first + last) / 2, kY};
}

class MainWindowSoak : public ::testing::Test {
 protected:
  // The pages' cache, cookies and storage go to folders of the suite's own, not the
  // user's. GLib keeps the folders it first found, so this holds when the suite runs in a
  // process of its own (as CTest runs it); otherwise the process's earlier folders stay.
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/orvane-soak-XXXXXX";
    if (const char* made = ::mkdtemp(pattern)) {
      folder_ = made;
      for (const char* name : {"XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const char* value = std::getenv(name);
        saved_.emplace_back(name,
                            value != nullptr ? std::optional<std::string>(value) : std::nullopt);
      }
      ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
      ::setenv("XDG_CACHE_HOME", (folder_ / "cache").c_str(), 1);
    }
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display";
  }
  static void TearDownTestSuite() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
    saved_.clear();
    if (!folder_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(folder_, ignored);
      folder_.clear();
    }
  }

  void SetUp() override {
    try {
      publisher_ = test::PublisherProcess::Start();
    } catch (const std::exception& e) {
      FAIL() << e.what();
    }
  }

  std::string Page(const std::string& title) const {
    return publisher_->Url("/_test/page?title=" + title);
  }

  std::unique_ptr<test::PublisherProcess> publisher_;
  static inline std::filesystem::path folder_;
  static inline std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(MainWindowSoak, TwoHundredTabsOpenedAndClosedReapTheirWebProcessesAndKeepTheMemory) {
  Owner owner;
  Dialogs dialogs;
  Addresses addresses;
  Cache cache;
  GlibProgramLoop loop;
  Views views;
  auto frm = std::make_unique<WebMainFrm>(
      views, WebMainFrmPorts{owner, dialogs, addresses, addresses, cache, loop},
      WebMainFrmSettings{GetTempFolder(), "https://portal.example/zt/mirab/", "1.1.0"});

  // The first tab stays throughout: closing the last tab would ask to close the window.
  const int before_window = WebProcessChildren();
  frm->SetURL(Page("first"));
  frm->Show();
  ASSERT_NE(views.main, nullptr);
  uTab& strip = views.main->WebuTab();
  CTabItems& tabs = strip.TabItems();
  ASSERT_TRUE(PumpUntil([&] { return tabs.Count() == 1 && tabs.Item(0)->Caption() == "first"; }));
  GtkWidget* strip_widget = ToWidget(strip.hWnd());
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(strip_widget); }));
  const int with_first = WebProcessChildren();
  EXPECT_GT(with_first, before_window) << "the first tab's page has a web process";
  StripPointer pointer(strip_widget);

  long warm_kb = -1;
  int most_processes = 0;
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    const std::string title = "soak" + std::to_string(cycle);
    frm->SetURL(Page(title));
    test_input::Pump();
    ASSERT_TRUE(PumpUntil([&] { return tabs.Count() == 2 && tabs.Item(1)->Caption() == title; }))
        << "cycle " << cycle << ": the page did not load";
    most_processes = std::max(most_processes, WebProcessChildren());
    const auto [x, y] = CloseBoxOf(strip, 1);
    ASSERT_GE(x, 0) << "cycle " << cycle << ": the tab shows no close box";
    pointer.Click(x, y);
    ASSERT_TRUE(PumpUntil([&] { return tabs.Count() == 1; }))
        << "cycle " << cycle << ": the close box did not close the tab";
    if (cycle == kWarmUpCycles) {
      // The web processes of the warm-up's tabs are gone before the reference is taken.
      EXPECT_TRUE(PumpUntil([&] { return WebProcessChildren() == with_first; }));
      warm_kb = ResidentKb();
    }
  }
  // Every closed tab's web process ended and was reaped: the first tab's is all that is
  // left, as before the cycles.
  EXPECT_TRUE(PumpUntil([&] { return WebProcessChildren() == with_first; }))
      << WebProcessChildren() << " web processes, " << with_first << " before the cycles";
  const long end_kb = ResidentKb();
  ASSERT_GT(warm_kb, 0);
  EXPECT_LE(end_kb - warm_kb, kRssGrowthBoundKb)
      << "resident " << warm_kb << " KB after " << kWarmUpCycles << " cycles, " << end_kb
      << " KB after " << kCycles;
  std::printf(
      "[ soak     ] resident %ld KB after %d cycles, %ld KB after %d (%+ld KB); web "
      "processes: %d with the first tab, at most %d while a second was open, %d at the "
      "end\n",
      warm_kb, kWarmUpCycles, end_kb, kCycles, end_kb - warm_kb, with_first, most_processes,
      WebProcessChildren());
  RecordProperty("resident_kb_warm", static_cast<int>(warm_kb));
  RecordProperty("resident_kb_end", static_cast<int>(end_kb));

  // The window still works: a further tab opens and loads, no confirmation was asked.
  frm->SetURL(Page("after"));
  EXPECT_TRUE(PumpUntil([&] { return tabs.Count() == 2 && tabs.Item(1)->Caption() == "after"; }));
  EXPECT_EQ(views.confirmations, 0);
  EXPECT_EQ(owner.unloads, 0);
  frm.reset();
  EXPECT_TRUE(PumpUntil([&] { return WebProcessChildren() == before_window; }))
      << "the window's pages take their web processes with them";
}

}  // namespace
}  // namespace orvane::gtk
