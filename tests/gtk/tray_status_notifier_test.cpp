// The Linux tray on a private session bus: a StatusNotifierItem seen by a test watcher
// and host, its properties, its clicks, its dbusmenu, its end; the XEmbed fallback while
// no watcher is there.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/product.h"
#include "mainwin/gtk/linux_tray.h"
#include "mainwin/gtk/status_notifier_item.h"
#include "mainwin/gtk/xembed_status_icon.h"
#include "mainwin/notify_icon.h"
#include "support/counting_tray_owner.h"
#include "support/gtk/real_input.h"
#include "support/gtk/sni_test_host.h"

namespace orvane::gtk {
namespace {

using test_input::WaitUntil;
using test_tray::SniTestHost;

using CountingOwner = orvane::testing::CountingTrayOwner;

// The tray, the icon object over it and its owner, wired as the main window does.
struct TrayRig {
  explicit TrayRig(TrayMenu menu = {})
      : tray(std::move(menu), [this](std::uint32_t m) { icon.OnCallbackMessage(m); }),
        icon(tray, &owner) {}
  CountingOwner owner;
  LinuxTray tray;
  CNxNotifyIcon icon;
};

class TrayStatusNotifier : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
  void SetUp() override {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
      GTEST_SKIP() << "no private session bus (tools/testenv.sh orvane_start_session_bus)";
    }
  }
};

std::string StringOf(GVariant* value) {
  std::string text = value != nullptr ? g_variant_get_string(value, nullptr) : "<none>";
  if (value != nullptr) {
    g_variant_unref(value);
  }
  return text;
}

constexpr const char* kItem = "org.kde.StatusNotifierItem";
constexpr const char* kPath = "/StatusNotifierItem";

TEST_F(TrayStatusNotifier, RegistersWithTheWatcherAndShowsTitleTipIconAndStatus) {
  SniTestHost host;
  ASSERT_TRUE(host.WaitForWatcherName());
  TrayRig rig;
  rig.icon.AddNotifyIcon(0, 0, kClientTitle);
  ASSERT_NE(rig.tray.Item(), nullptr);
  const std::string name = rig.tray.Item()->BusName();
  ASSERT_TRUE(WaitUntil([&] { return !host.Registered().empty(); }));
  EXPECT_EQ(host.Registered(), std::vector<std::string>{name});
  EXPECT_EQ(rig.tray.Fallback(), nullptr) << "no XEmbed icon while a watcher is there";

  EXPECT_EQ(StringOf(host.Property(name, kPath, kItem, "Title")), "Orvane客户端");
  EXPECT_EQ(StringOf(host.Property(name, kPath, kItem, "Status")), "Active");
  EXPECT_EQ(StringOf(host.Property(name, kPath, kItem, "Category")), "ApplicationStatus");

  GVariant* tooltip = host.Property(name, kPath, kItem, "ToolTip");
  ASSERT_NE(tooltip, nullptr);
  const gchar* tip_title = nullptr;
  g_variant_get_child(tooltip, 2, "&s", &tip_title);
  EXPECT_STREQ(tip_title, "Orvane客户端");
  g_variant_unref(tooltip);

  GVariant* menu = host.Property(name, kPath, kItem, "Menu");
  ASSERT_NE(menu, nullptr);
  EXPECT_STREQ(g_variant_get_string(menu, nullptr), "/MenuBar");
  g_variant_unref(menu);

  GVariant* pixmaps = host.Property(name, kPath, kItem, "IconPixmap");
  ASSERT_NE(pixmaps, nullptr);
  std::vector<int> sides;
  GVariantIter iter;
  g_variant_iter_init(&iter, pixmaps);
  gint32 w = 0;
  gint32 h = 0;
  GVariant* bytes = nullptr;
  while (g_variant_iter_next(&iter, "(ii@ay)", &w, &h, &bytes)) {
    sides.push_back(w);
    EXPECT_EQ(w, h);
    EXPECT_EQ(g_variant_n_children(bytes), static_cast<gsize>(w * h * 4));
    g_variant_unref(bytes);
  }
  g_variant_unref(pixmaps);
  EXPECT_EQ(sides, (std::vector<int>{16, 32, 48, 64}));
}

TEST_F(TrayStatusNotifier, ActivateIsALeftClickAndContextMenuARightClick) {
  SniTestHost host;
  ASSERT_TRUE(host.WaitForWatcherName());
  TrayRig rig;
  rig.icon.AddNotifyIcon(0, 0, kClientTitle);
  const std::string name = rig.tray.Item()->BusName();
  ASSERT_TRUE(WaitUntil([&] { return !host.Registered().empty(); }));

  auto call = [&](const char* method) {
    std::string error;
    GVariant* reply = host.Call(name, kPath, kItem, method, g_variant_new("(ii)", 10, 20), &error);
    EXPECT_NE(reply, nullptr) << method << ": " << error;
    if (reply != nullptr) {
      g_variant_unref(reply);
    }
  };
  call("Activate");
  EXPECT_EQ(rig.owner.left, 1);
  EXPECT_EQ(rig.owner.right, 0);
  call("ContextMenu");
  EXPECT_EQ(rig.owner.right, 1);
  call("SecondaryActivate");  // middle click: nothing
  call("Activate");
  EXPECT_EQ(rig.owner.left, 2);
  EXPECT_EQ(rig.owner.right, 1);
}

TEST_F(TrayStatusNotifier, AMenuClickedInTheTrayRunsThatItem) {
  SniTestHost host;
  ASSERT_TRUE(host.WaitForWatcherName());
  std::vector<std::string> ran;
  TrayMenu menu = {{"刷新(F5)", true, [&] { ran.push_back("refresh"); }},
                   {"隐藏/恢复(F10)", true, [&] { ran.push_back("hiderestore"); }},
                   {"-", true, {}},
                   {"退出", true, [&] { ran.push_back("exit"); }}};
  TrayRig rig(std::move(menu));
  rig.icon.AddNotifyIcon(0, 0, kClientTitle);
  const std::string name = rig.tray.Item()->BusName();
  ASSERT_TRUE(WaitUntil([&] { return !host.Registered().empty(); }));

  // The layout as a tray reads it: labels and ids of the root's children.
  GVariant* layout = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    std::string error;
    layout = host.Call(name, "/MenuBar", "com.canonical.dbusmenu", "GetLayout",
                       g_variant_new("(ii@as)", 0, -1, g_variant_new_strv(nullptr, 0)), &error);
    return layout != nullptr;
  }));
  guint revision = 0;
  GVariant* root = nullptr;
  g_variant_get(layout, "(u@(ia{sv}av))", &revision, &root);
  GVariant* children = g_variant_get_child_value(root, 2);
  std::vector<std::pair<int, std::string>> items;
  for (gsize i = 0; i < g_variant_n_children(children); ++i) {
    GVariant* boxed = g_variant_get_child_value(children, i);
    GVariant* child = g_variant_get_variant(boxed);
    gint32 id = 0;
    GVariant* props = nullptr;
    g_variant_get_child(child, 0, "i", &id);
    props = g_variant_get_child_value(child, 1);
    const gchar* label = nullptr;
    const gchar* type = nullptr;
    std::string text;
    if (g_variant_lookup(props, "label", "&s", &label)) {
      text = label;
    } else if (g_variant_lookup(props, "type", "&s", &type)) {
      text = std::string("<") + type + ">";
    }
    items.emplace_back(id, text);
    g_variant_unref(props);
    g_variant_unref(child);
    g_variant_unref(boxed);
  }
  g_variant_unref(children);
  g_variant_unref(root);
  g_variant_unref(layout);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].second, "刷新(F5)");
  EXPECT_EQ(items[1].second, "隐藏/恢复(F10)");
  EXPECT_EQ(items[2].second, "<separator>");
  EXPECT_EQ(items[3].second, "退出");

  auto click = [&](int id) {
    std::string error;
    GVariant* reply = host.Call(
        name, "/MenuBar", "com.canonical.dbusmenu", "Event",
        g_variant_new("(is@vu)", id, "clicked", g_variant_new_variant(g_variant_new_int32(0)), 0u),
        &error);
    ASSERT_NE(reply, nullptr) << error;
    g_variant_unref(reply);
  };
  click(items[1].first);
  ASSERT_TRUE(WaitUntil([&] { return ran.size() == 1; }));
  click(items[3].first);
  ASSERT_TRUE(WaitUntil([&] { return ran.size() == 2; }));
  EXPECT_EQ(ran, (std::vector<std::string>{"hiderestore", "exit"}));
  // Menu items are not tray clicks.
  EXPECT_EQ(rig.owner.left + rig.owner.right, 0);
}

TEST_F(TrayStatusNotifier, ModifyAnnouncesTheNewTitle) {
  SniTestHost host;
  ASSERT_TRUE(host.WaitForWatcherName());
  TrayRig rig;
  rig.icon.AddNotifyIcon(0, 0, kClientTitle);
  const std::string name = rig.tray.Item()->BusName();
  ASSERT_TRUE(WaitUntil([&] { return !host.Registered().empty(); }));
  rig.icon.ModifyNotifyIcon(0, 0, "Orvane");
  ASSERT_TRUE(WaitUntil([&] {
    const auto& s = host.ItemSignals();
    return std::find(s.begin(), s.end(), "NewTitle") != s.end() &&
           std::find(s.begin(), s.end(), "NewToolTip") != s.end();
  }));
  EXPECT_EQ(StringOf(host.Property(name, kPath, kItem, "Title")), "Orvane");
}

TEST_F(TrayStatusNotifier, TheItemAndItsBusNameGoWithTheObject) {
  SniTestHost host;
  ASSERT_TRUE(host.WaitForWatcherName());
  std::string name;
  {
    TrayRig rig;
    rig.icon.AddNotifyIcon(0, 0, kClientTitle);
    name = rig.tray.Item()->BusName();
    ASSERT_TRUE(WaitUntil([&] { return !host.Registered().empty(); }));
    EXPECT_TRUE(host.NameHasOwner(name));
  }
  EXPECT_FALSE(host.NameHasOwner(name));
  std::string error;
  GVariant* gone = host.Call(name, kPath, "org.freedesktop.DBus.Properties", "Get",
                             g_variant_new("(ss)", kItem, "Title"), &error);
  EXPECT_EQ(gone, nullptr);
  if (gone != nullptr) {
    g_variant_unref(gone);
  }
}

TEST_F(TrayStatusNotifier, WithoutAWatcherTheXEmbedIconStandsInUntilOneAppears) {
  TrayRig rig;
  rig.icon.AddNotifyIcon(0, 0, kClientTitle);
  ASSERT_NE(rig.tray.Item(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return rig.tray.Fallback() != nullptr; }));
  EXPECT_FALSE(rig.tray.Item()->WatcherPresent());

  // A tray started later gets the item, and the stand-in goes.
  SniTestHost host;
  ASSERT_TRUE(host.WaitForWatcherName());
  ASSERT_TRUE(WaitUntil([&] { return !host.Registered().empty(); }));
  EXPECT_EQ(host.Registered().front(), rig.tray.Item()->BusName());
  EXPECT_EQ(rig.tray.Fallback(), nullptr);
}

}  // namespace
}  // namespace orvane::gtk
