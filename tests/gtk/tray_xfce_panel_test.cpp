// The StatusNotifierItem in a tray someone else wrote: Xfce's panel, with only its status
// tray plugin, on the test's display and private session bus. The icon is found in the
// panel's pixels, clicked with xdotool: a left click reaches the owner (Activate), a right
// click makes the panel draw the program menu it reads over dbusmenu, and clicking an item
// of that menu runs the item.
// GoogleTest before Xlib, whose macros (None, Bool) would clash with its names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gdk/gdkx.h>
#include <glib/gstdio.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/product.h"
#include "mainwin/gtk/linux_tray.h"
#include "mainwin/gtk/status_notifier_item.h"
#include "mainwin/notify_icon.h"
#include "support/counting_tray_owner.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

using test_input::Pump;
using test_input::WaitUntil;
using test_input::Xdotool;

// Xfce's settings daemon, as the bus would start it: the Exec line of its service file.
std::string XfconfDaemon() {
  gchar* text = nullptr;
  if (!g_file_get_contents("/usr/share/dbus-1/services/org.xfce.Xfconf.service", &text, nullptr,
                           nullptr)) {
    return "";
  }
  std::string program;
  gchar** lines = g_strsplit(text, "\n", -1);
  for (gchar** line = lines; *line != nullptr; ++line) {
    if (g_str_has_prefix(*line, "Exec=")) {
      program = g_strstrip(*line + 5);
    }
  }
  g_strfreev(lines);
  g_free(text);
  return g_file_test(program.c_str(), G_FILE_TEST_IS_EXECUTABLE) ? program : "";
}

// One panel at the top of the screen holding the status tray plugin and nothing else.
constexpr const char* kPanelChannel = R"xml(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="icon-size" type="uint" value="16"/>
      <property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray">
      <property name="square-icons" type="bool" value="true"/>
    </property>
  </property>
</channel>
)xml";

using CountingOwner = orvane::testing::CountingTrayOwner;

// Waits up to `seconds` for `done` while the main loop runs: the panel's start takes a few
// seconds, more on a busy machine.
template <typename Done>
bool WaitLong(Done done, int seconds) {
  const gint64 end = g_get_monotonic_time() + gint64{seconds} * G_USEC_PER_SEC;
  while (g_get_monotonic_time() < end) {
    Pump();
    if (done()) {
      return true;
    }
    g_usleep(20000);
  }
  return false;
}

bool NameHasOwner(GDBusConnection* bus, const char* name) {
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
      g_variant_new("(s)", name), G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
      nullptr);
  gboolean owned = FALSE;
  if (reply != nullptr) {
    g_variant_get(reply, "(b)", &owned);
    g_variant_unref(reply);
  }
  return owned;
}

// The items the panel's watcher has registered.
std::vector<std::string> RegisteredItems(GDBusConnection* bus) {
  std::vector<std::string> items;
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
      "org.freedesktop.DBus.Properties", "Get",
      g_variant_new("(ss)", "org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems"),
      G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
  if (reply == nullptr) {
    return items;
  }
  GVariant* value = nullptr;
  g_variant_get(reply, "(v)", &value);
  GVariantIter iter;
  g_variant_iter_init(&iter, value);
  const gchar* item = nullptr;
  while (g_variant_iter_next(&iter, "&s", &item)) {
    items.emplace_back(item);
  }
  g_variant_unref(value);
  g_variant_unref(reply);
  return items;
}

// Counts the calls for the exported menu that reach this process, by method. Once the item
// is registered the panel reads the menu (GetLayout, then GetGroupProperties) and builds it;
// each time it opens the menu it says so first (AboutToShow or AboutToShowGroup), so a menu
// that pops up without that is not the program's.
class MenuCalls {
 public:
  explicit MenuCalls(GDBusConnection* bus) : bus_(bus) {
    filter_id_ = g_dbus_connection_add_filter(bus_, OnMessage, this, nullptr);
  }
  ~MenuCalls() { g_dbus_connection_remove_filter(bus_, filter_id_); }
  MenuCalls(const MenuCalls&) = delete;
  MenuCalls& operator=(const MenuCalls&) = delete;

  bool Read() const { return layouts_.load() > 0 && properties_.load() > 0; }
  int Opened() const { return opened_.load(); }

 private:
  // Runs in GDBus's worker thread.
  static GDBusMessage* OnMessage(GDBusConnection*, GDBusMessage* message, gboolean incoming,
                                 gpointer data) {
    auto* self = static_cast<MenuCalls*>(data);
    if (!incoming || g_dbus_message_get_message_type(message) != G_DBUS_MESSAGE_TYPE_METHOD_CALL ||
        g_strcmp0(g_dbus_message_get_path(message), LinuxTray::kMenuPath) != 0) {
      return message;
    }
    const gchar* member = g_dbus_message_get_member(message);
    if (g_strcmp0(member, "GetLayout") == 0) {
      ++self->layouts_;
    } else if (g_strcmp0(member, "GetGroupProperties") == 0) {
      ++self->properties_;
    } else if (g_str_has_prefix(member, "AboutToShow")) {
      ++self->opened_;
    }
    return message;
  }

  GDBusConnection* bus_;
  guint filter_id_ = 0;
  std::atomic<int> layouts_{0};
  std::atomic<int> properties_{0};
  std::atomic<int> opened_{0};
};

// One of the panel's programs, run for one test and ended with it.
class Child {
 public:
  Child(GSubprocessLauncher* launcher, const std::vector<const char*>& argv) {
    std::vector<const char*> args = argv;
    args.push_back(nullptr);
    GError* error = nullptr;
    process_ = g_subprocess_launcher_spawnv(launcher, args.data(), &error);
    if (error != nullptr) {
      error_ = error->message;
      g_error_free(error);
    }
  }
  ~Child() {
    if (process_ != nullptr) {
      // The panel ends its plugin's process when it is asked to end.
      g_subprocess_send_signal(process_, SIGTERM);
      g_subprocess_wait(process_, nullptr, nullptr);
      g_object_unref(process_);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool Running() const {
    return process_ != nullptr && g_subprocess_get_identifier(process_) != nullptr;
  }
  const std::string& Error() const { return error_; }

 private:
  GSubprocess* process_ = nullptr;
  std::string error_;
};

// Xfce's settings daemon and panel, with the panel's settings in a temporary folder given
// to both as XDG_CONFIG_HOME, so the user's own panel settings are never read or changed.
class XfcePanel {
 public:
  explicit XfcePanel(GDBusConnection* bus) {
    folder_ = g_dir_make_tmp("orvane-xfce-XXXXXX", nullptr);
    const std::string channels = std::string(folder_) + "/xfce4/xfconf/xfce-perchannel-xml";
    g_mkdir_with_parents(channels.c_str(), 0700);
    g_file_set_contents((channels + "/xfce4-panel.xml").c_str(), kPanelChannel, -1, nullptr);

    launcher_ = g_subprocess_launcher_new(static_cast<GSubprocessFlags>(
        G_SUBPROCESS_FLAGS_STDOUT_SILENCE | G_SUBPROCESS_FLAGS_STDERR_SILENCE));
    g_subprocess_launcher_setenv(launcher_, "XDG_CONFIG_HOME", folder_, TRUE);
    g_subprocess_launcher_setenv(launcher_, "XDG_CACHE_HOME", folder_, TRUE);

    // Started before the panel, so that the bus does not start one reading the user's
    // settings when the panel asks for it.
    const std::string daemon = XfconfDaemon();
    settings_ = std::make_unique<Child>(launcher_, std::vector<const char*>{daemon.c_str()});
    if (!settings_->Running()) {
      problem_ = "xfconfd did not start: " + settings_->Error();
      return;
    }
    if (!WaitLong([&] { return NameHasOwner(bus, "org.xfce.Xfconf"); }, 20)) {
      problem_ = "xfconfd did not take the name org.xfce.Xfconf on the session bus";
      return;
    }
    // No window manager runs on the test display.
    panel_ = std::make_unique<Child>(launcher_,
                                     std::vector<const char*>{"xfce4-panel", "--disable-wm-check"});
    if (!panel_->Running()) {
      problem_ = "xfce4-panel did not start: " + panel_->Error();
      return;
    }
    if (!WaitLong([&] { return NameHasOwner(bus, "org.kde.StatusNotifierWatcher"); }, 30)) {
      problem_ = "xfce4-panel's status tray plugin did not provide a StatusNotifierWatcher";
    }
  }
  ~XfcePanel() {
    panel_.reset();
    settings_.reset();
    if (launcher_ != nullptr) {
      g_object_unref(launcher_);
    }
    if (folder_ != nullptr) {
      RemoveTree(folder_);
      g_free(folder_);
    }
  }
  XfcePanel(const XfcePanel&) = delete;
  XfcePanel& operator=(const XfcePanel&) = delete;

  // Why the panel is not there; empty when it is.
  const std::string& Problem() const { return problem_; }

 private:
  static void RemoveTree(const std::string& path) {
    if (GDir* dir = g_dir_open(path.c_str(), 0, nullptr)) {
      while (const gchar* name = g_dir_read_name(dir)) {
        const std::string child = path + "/" + name;
        if (g_file_test(child.c_str(), G_FILE_TEST_IS_DIR)) {
          RemoveTree(child);
        } else {
          g_remove(child.c_str());
        }
      }
      g_dir_close(dir);
    }
    g_rmdir(path.c_str());
  }

  gchar* folder_ = nullptr;
  GSubprocessLauncher* launcher_ = nullptr;
  std::unique_ptr<Child> settings_;
  std::unique_ptr<Child> panel_;
  std::string problem_;
};

// A window straight under the root, as the X server has it.
struct TopWindow {
  Window id = 0;
  GdkRectangle area{};
  std::string window_class;
  bool popup_menu = false;
};

std::vector<TopWindow> ViewableTopWindows() {
  GdkDisplay* gdk_display = gdk_display_get_default();
  Display* display = GDK_DISPLAY_XDISPLAY(gdk_display);
  const Atom type_atom = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  const Atom menu_atom = XInternAtom(display, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False);
  std::vector<TopWindow> found;
  // Windows of other programs may go while they are looked at.
  gdk_x11_display_error_trap_push(gdk_display);
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
          attributes.map_state != IsViewable) {
        continue;
      }
      TopWindow window;
      window.id = children[i];
      window.area = {attributes.x, attributes.y, attributes.width, attributes.height};
      XClassHint hint{};
      if (XGetClassHint(display, children[i], &hint) != 0) {
        window.window_class = hint.res_class != nullptr ? hint.res_class : "";
        XFree(hint.res_name);
        XFree(hint.res_class);
      }
      Atom actual = 0;
      int format = 0;
      unsigned long items = 0;
      unsigned long left = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display, children[i], type_atom, 0, 8, False, XA_ATOM, &actual,
                             &format, &items, &left, &data) == Success &&
          data != nullptr) {
        const Atom* types = reinterpret_cast<const Atom*>(data);
        window.popup_menu = std::find(types, types + items, menu_atom) != types + items;
        XFree(data);
      }
      found.push_back(window);
    }
    XFree(children);
  }
  gdk_x11_display_error_trap_pop_ignored(gdk_display);
  return found;
}

// The panel's own window (not its small helper windows).
bool FindPanel(GdkRectangle* area) {
  for (const TopWindow& window : ViewableTopWindows()) {
    if (window.window_class == "Xfce4-panel" && window.area.width > 100) {
      *area = window.area;
      return true;
    }
  }
  return false;
}

// A menu the panel has popped up, with its place on the screen.
bool FindPopUpMenu(GdkRectangle* area) {
  for (const TopWindow& window : ViewableTopWindows()) {
    if (window.popup_menu && window.area.width > 20 && window.area.height > 20) {
      *area = window.area;
      return true;
    }
  }
  return false;
}

// What the screen shows in `area` (the root window's contents, other programs' windows
// included), as packed RGB rows.
std::vector<guchar> ScreenPixels(const GdkRectangle& area) {
  std::vector<guchar> rgb;
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), area.x, area.y,
                                                 area.width, area.height);
  if (pixbuf == nullptr) {
    return rgb;
  }
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  rgb.reserve(static_cast<std::size_t>(area.width) * area.height * 3);
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const guchar* p = pixels + y * stride + x * channels;
      rgb.insert(rgb.end(), p, p + 3);
    }
  }
  g_object_unref(pixbuf);
  return rgb;
}

// The smallest rectangle holding every pixel that differs between two pictures of `area`
// (in screen coordinates); width 0 when they are the same.
GdkRectangle Changed(const GdkRectangle& area, const std::vector<guchar>& before,
                     const std::vector<guchar>& after) {
  int left = area.width;
  int top = area.height;
  int right = -1;
  int bottom = -1;
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * area.width + x) * 3;
      if (std::equal(before.begin() + at, before.begin() + at + 3, after.begin() + at)) {
        continue;
      }
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) {
    return {area.x, area.y, 0, 0};
  }
  return {area.x + left, area.y + top, right - left + 1, bottom - top + 1};
}

// The same picture twice in a row: the panel has finished drawing.
std::vector<guchar> SettledPixels(const GdkRectangle& area) {
  std::vector<guchar> last = ScreenPixels(area);
  WaitLong(
      [&] {
        g_usleep(100000);
        std::vector<guchar> now = ScreenPixels(area);
        const bool same = now == last;
        last = std::move(now);
        return same;
      },
      10);
  return last;
}

// Moves the pointer to the point at `fx`, `fy` of `area` and waits until it is there
// (xdotool's --sync waits for a motion, which never comes when the pointer is there already).
void PointAt(const GdkRectangle& area, double fx, double fy) {
  const int x = area.x + static_cast<int>(area.width * fx);
  const int y = area.y + static_cast<int>(area.height * fy);
  GdkDevice* pointer =
      gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
  int now_x = -1;
  int now_y = -1;
  gdk_device_get_position(pointer, nullptr, &now_x, &now_y);
  if (now_x != x || now_y != y) {
    Xdotool("mousemove --sync " + std::to_string(x) + " " + std::to_string(y));
  }
}

// With ORVANE_SCREENSHOT_DIR set, the screen around the icon and its menu as
// tray-xfce-panel.png there (the picture in the documentation).
void SaveScreenShot(const GdkRectangle& icon, const GdkRectangle& menu) {
  const char* folder = std::getenv("ORVANE_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') {
    return;
  }
  GdkWindow* root = gdk_get_default_root_window();
  GdkRectangle all{};
  gdk_rectangle_union(&icon, &menu, &all);
  const int x = std::max(0, all.x - 40);
  const int width = std::min(gdk_window_get_width(root) - x, all.x + all.width + 120 - x);
  const int height = std::min(gdk_window_get_height(root), all.y + all.height + 30);
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(root, x, 0, width, height);
  ASSERT_NE(pixbuf, nullptr);
  const std::string path = std::string(folder) + "/tray-xfce-panel.png";
  EXPECT_TRUE(gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr)) << path;
  g_object_unref(pixbuf);
}

// Waits for the menu the panel pops up and for its items, which come over dbusmenu after
// the window shows: its place and picture no longer change.
bool OpenedMenu(GdkRectangle* area) {
  if (!WaitLong([&] { return FindPopUpMenu(area); }, 5)) {
    return false;
  }
  const bool settled = WaitLong(
      [&] {
        const GdkRectangle drawn = *area;
        SettledPixels(drawn);
        return FindPopUpMenu(area) && gdk_rectangle_equal(area, &drawn);
      },
      10);
  EXPECT_TRUE(settled) << "the menu kept changing";
  return settled;
}

// Opens the program's menu with a right click on the icon and clicks the item at `fy` of
// the menu's height once the menu shows that item under the pointer; true once `ran` holds.
// While the panel has not yet built the menu from what it read, a right click opens the
// panel's own menu instead; that one is closed and the click made again. A menu has also
// closed now and then at the click without choosing (the panel sending nothing to the
// program); it is opened again too. At most three tries in all.
bool ChooseFromTrayMenu(const MenuCalls& calls, const GdkRectangle& icon, double fy,
                        const std::function<bool()>& ran, bool screenshot) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int opened_before = calls.Opened();
    PointAt(icon, 0.5, 0.5);
    Xdotool("click 3");
    GdkRectangle menu{};
    if (!OpenedMenu(&menu)) {
      continue;
    }
    if (!WaitLong([&] { return calls.Opened() > opened_before; }, 3)) {
      Xdotool("key Escape");
      WaitLong([&] { return !FindPopUpMenu(&menu); }, 10);
      continue;
    }
    if (screenshot) {
      SaveScreenShot(icon, menu);
      screenshot = false;
    }
    const std::vector<guchar> plain = SettledPixels(menu);
    PointAt(menu, 0.5, fy);
    EXPECT_TRUE(WaitLong([&] { return Changed(menu, plain, ScreenPixels(menu)).width > 0; }, 10))
        << "the item under the pointer was not highlighted";
    Xdotool("click 1");
    WaitLong([&] { return ran() || !FindPopUpMenu(&menu); }, 10);
    // The item's event comes over the bus after the menu closed.
    if (WaitLong(ran, 3)) {
      return true;
    }
    if (FindPopUpMenu(&menu)) {
      Xdotool("key Escape");
      WaitLong([&] { return !FindPopUpMenu(&menu); }, 10);
    }
  }
  return false;
}

class TrayXfcePanel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
  void SetUp() override {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
      GTEST_SKIP() << "no private session bus (tools/testenv.sh orvane_start_session_bus)";
    }
    gchar* panel = g_find_program_in_path("xfce4-panel");
    const bool have_panel = panel != nullptr;
    g_free(panel);
    if (!have_panel || XfconfDaemon().empty()) {
      GTEST_SKIP() << "xfce4-panel or xfconfd is not installed (tools/bootstrap installs them)";
    }
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    ASSERT_NE(bus_, nullptr);
    // A panel, settings daemon or tray already on this bus would take this test's clicks.
    for (const char* name :
         {"org.xfce.Panel", "org.xfce.Xfconf", "org.kde.StatusNotifierWatcher"}) {
      ASSERT_FALSE(NameHasOwner(bus_, name)) << name << " is already on the session bus";
    }
  }
  void TearDown() override {
    if (bus_ != nullptr) {
      g_object_unref(bus_);
    }
  }

  GDBusConnection* bus_ = nullptr;
};

TEST_F(TrayXfcePanel, TheIconShowsInThePanelAndItsClicksAndMenuReachTheProgram) {
  XfcePanel panel(bus_);
  if (!panel.Problem().empty()) {
    GTEST_SKIP() << "Xfce's panel cannot run here: " << panel.Problem();
  }
  GdkRectangle strip{};
  ASSERT_TRUE(WaitLong([&] { return FindPanel(&strip); }, 20)) << "the panel shows no window";
  const std::vector<guchar> empty_panel = SettledPixels(strip);

  MenuCalls menu_calls(bus_);
  CountingOwner owner;
  std::vector<std::string> ran;
  TrayMenu menu = {{"隐藏/恢复(F10)", true, [&] { ran.push_back("hiderestore"); }},
                   {"退出", true, [&] { ran.push_back("exit"); }}};
  CNxNotifyIcon* icon_ptr = nullptr;
  LinuxTray tray(std::move(menu), [&](std::uint32_t m) { icon_ptr->OnCallbackMessage(m); });
  CNxNotifyIcon icon(tray, &owner);
  icon_ptr = &icon;
  icon.AddNotifyIcon(0, 0, kClientTitle);
  ASSERT_NE(tray.Item(), nullptr);
  const std::string name = tray.Item()->BusName();
  ASSERT_TRUE(WaitLong(
      [&] {
        const std::vector<std::string> items = RegisteredItems(bus_);
        return std::any_of(items.begin(), items.end(),
                           [&](const std::string& item) { return item.rfind(name, 0) == 0; });
      },
      10))
      << "the panel's watcher did not register " << name;
  EXPECT_EQ(tray.Fallback(), nullptr) << "no XEmbed icon while the panel's watcher is there";

  // The icon is what the panel draws anew once the item is there.
  GdkRectangle drawn{};
  ASSERT_TRUE(WaitLong(
      [&] {
        drawn = Changed(strip, empty_panel, ScreenPixels(strip));
        return drawn.width > 0;
      },
      10))
      << "the panel drew nothing for the item";
  drawn = Changed(strip, empty_panel, SettledPixels(strip));
  EXPECT_GE(drawn.width, 8);
  EXPECT_GE(drawn.height, 8);
  EXPECT_LE(drawn.width, strip.height + 8) << "more than one icon's place changed";
  EXPECT_LE(drawn.height, strip.height);

  // Left click: Activate, the owner's toggle.
  PointAt(drawn, 0.5, 0.5);
  Xdotool("click 1");
  ASSERT_TRUE(WaitUntil([&] { return owner.left == 1; })) << "Activate did not arrive";

  ASSERT_TRUE(WaitLong([&] { return menu_calls.Read(); }, 10))
      << "the panel did not read the exported menu";
  // Right click: the panel draws the exported menu itself (it does not ask the program to
  // pop up its own), and a click on an item runs that item. Two items of one height: their
  // middles lie at a quarter and three quarters of the menu.
  ASSERT_TRUE(ChooseFromTrayMenu(
      menu_calls, drawn, 0.25, [&] { return !ran.empty(); }, true))
      << "the first menu item did not run";
  EXPECT_EQ(ran, std::vector<std::string>{"hiderestore"});
  GdkRectangle popped{};
  ASSERT_TRUE(WaitLong([&] { return !FindPopUpMenu(&popped); }, 10)) << "the menu stayed";
  ASSERT_TRUE(ChooseFromTrayMenu(
      menu_calls, drawn, 0.75, [&] { return ran.size() > 1; }, false))
      << "the second menu item did not run";
  EXPECT_EQ(ran, (std::vector<std::string>{"hiderestore", "exit"}));
  EXPECT_EQ(owner.left, 1) << "menu items are not tray clicks";
  EXPECT_EQ(owner.right, 0) << "the panel drew the menu; the program was not asked for one";

  // Deleting the icon takes it out of the panel.
  icon.DeleteNotifyIcon();
  ASSERT_TRUE(
      WaitLong([&] { return Changed(strip, empty_panel, ScreenPixels(strip)).width == 0; }, 10))
      << "the icon stayed in the panel";
}

}  // namespace
}  // namespace orvane::gtk
